#include "app/rules/audio_tracks.h"

void ResetAudioTracks(AudioTrackList& list, int trackCount) {
  list = AudioTrackList();
  if (trackCount < 0) trackCount = 0;
  list.trackCount = trackCount > kMaxDiscTracks ? kMaxDiscTracks : trackCount;
}

void MarkDataTrack(AudioTrackList& list, int track) {
  if (track >= 1 && track <= list.trackCount) list.dataTrack[track] = true;
}

bool IsAudioTrack(const AudioTrackList& list, int track) {
  return track >= 1 && track <= list.trackCount && !list.dataTrack[track];
}

int FirstAudioTrack(const AudioTrackList& list) {
  for (int track = 1; track <= list.trackCount; ++track) {
    if (IsAudioTrack(list, track)) return track;
  }
  return 0;
}

int LastAudioTrack(const AudioTrackList& list) {
  for (int track = list.trackCount; track >= 1; --track) {
    if (IsAudioTrack(list, track)) return track;
  }
  return 0;
}

int NextAudioTrack(const AudioTrackList& list, int track) {
  for (int next = track + 1; next <= list.trackCount; ++next) {
    if (IsAudioTrack(list, next)) return next;
  }
  return FirstAudioTrack(list);
}

int PreviousAudioTrack(const AudioTrackList& list, int track) {
  int start = track > list.trackCount ? list.trackCount + 1 : track;
  for (int previous = start - 1; previous >= 1; --previous) {
    if (IsAudioTrack(list, previous)) return previous;
  }
  return LastAudioTrack(list);
}

int RunEndTrack(const AudioTrackList& list, int track) {
  if (!IsAudioTrack(list, track)) return 0;
  while (IsAudioTrack(list, track + 1)) ++track;
  return track;
}

int NextRunStart(const AudioTrackList& list, int runEnd) {
  if (runEnd < 1) return 0;
  for (int next = runEnd + 1; next <= list.trackCount; ++next) {
    if (IsAudioTrack(list, next)) return next;
  }
  return 0;
}
