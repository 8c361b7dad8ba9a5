#include "cd/msf.h"

namespace {

DWORD Byte(int value) { return static_cast<DWORD>(value) & 0xFFu; }
int ByteAt(DWORD packed, int index) { return static_cast<int>((packed >> (8 * index)) & 0xFFu); }

}  // namespace

DWORD MakeMsf(int minutes, int seconds, int frames) {
  return Byte(minutes) | Byte(seconds) << 8 | Byte(frames) << 16;
}
int MsfMinutes(DWORD msf) { return ByteAt(msf, 0); }
int MsfSeconds(DWORD msf) { return ByteAt(msf, 1); }
int MsfFrames(DWORD msf) { return ByteAt(msf, 2); }

DWORD MakeTmsf(int track, int minutes, int seconds, int frames) {
  return Byte(track) | Byte(minutes) << 8 | Byte(seconds) << 16 | Byte(frames) << 24;
}
int TmsfTrack(DWORD tmsf) { return ByteAt(tmsf, 0); }
int TmsfMinutes(DWORD tmsf) { return ByteAt(tmsf, 1); }
int TmsfSeconds(DWORD tmsf) { return ByteAt(tmsf, 2); }
int TmsfFrames(DWORD tmsf) { return ByteAt(tmsf, 3); }

int MsfToFrames(DWORD msf) {
  return (MsfMinutes(msf) * kSecondsPerMinute + MsfSeconds(msf)) * kFramesPerSecond + MsfFrames(msf);
}

DWORD FramesToMsf(int frames) {
  return MakeMsf(frames / kFramesPerMinute, (frames % kFramesPerMinute) / kFramesPerSecond,
                 frames % kFramesPerSecond);
}

DWORD MsfDifference(DWORD a, DWORD b, int negativeRule) {
  int count = (MsfMinutes(a) - MsfMinutes(b)) * kFramesPerMinute +
              (MsfSeconds(a) - MsfSeconds(b)) * kFramesPerSecond + (MsfFrames(a) - MsfFrames(b));
  if (count < 0) count = (negativeRule == kNegativeToAbsolute) ? -count : 0;
  return FramesToMsf(count);
}

int TmsfToFrames(DWORD tmsf) {
  return MsfToFrames(MakeMsf(TmsfMinutes(tmsf), TmsfSeconds(tmsf), TmsfFrames(tmsf)));
}

DWORD ToTmsf(TrackPosition at) {
  DWORD msf = FramesToMsf(at.frames);
  return MakeTmsf(at.track, MsfMinutes(msf), MsfSeconds(msf), MsfFrames(msf));
}

TrackPosition FromTmsf(DWORD tmsf) { return TrackPosition{TmsfTrack(tmsf), TmsfToFrames(tmsf)}; }
