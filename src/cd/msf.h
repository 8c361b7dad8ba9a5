// The packed time values of the CD-audio device: MSF (minutes, seconds,
// frames in bytes 0..2) and TMSF (track, minutes, seconds, frames in bytes
// 0..3), with 75 frames to a second. Pure functions over values.
#ifndef ZANTO_CD_MSF_H
#define ZANTO_CD_MSF_H

#include <windows.h>

constexpr int kFramesPerSecond = 75;
constexpr int kSecondsPerMinute = 60;
constexpr int kFramesPerMinute = kFramesPerSecond * kSecondsPerMinute;

// What MsfDifference does with a negative frame count.
constexpr int kNegativeToZero = 0;
constexpr int kNegativeToAbsolute = 1;

// Each part is cut to its byte, as the packed forms hold one byte per part.
DWORD MakeMsf(int minutes, int seconds, int frames);
int MsfMinutes(DWORD msf);
int MsfSeconds(DWORD msf);
int MsfFrames(DWORD msf);

DWORD MakeTmsf(int track, int minutes, int seconds, int frames);
int TmsfTrack(DWORD tmsf);
int TmsfMinutes(DWORD tmsf);
int TmsfSeconds(DWORD tmsf);
int TmsfFrames(DWORD tmsf);

// (minutes * 60 + seconds) * 75 + frames.
int MsfToFrames(DWORD msf);
// The frames into its track of a TMSF position.
int TmsfToFrames(DWORD tmsf);
// The MSF form of a frame count of 0 or more; minutes above 255 wrap in their byte.
DWORD FramesToMsf(int frames);

// A place on the disc: a track and the frames into it.
struct TrackPosition {
  int track;
  int frames;
};
// The TMSF form of a place, and back; the frames into the track are 0 or more.
DWORD ToTmsf(TrackPosition at);
TrackPosition FromTmsf(DWORD tmsf);

// a - b in frames, part by part, as MSF. A negative count becomes 0 with
// kNegativeToZero and its absolute value with kNegativeToAbsolute.
DWORD MsfDifference(DWORD a, DWORD b, int negativeRule);

#endif
