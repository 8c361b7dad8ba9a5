#include "app/rules/audio_tracks.h"

bool IsAudioTrack(const DiscInfo& disc, int track) {
  return track >= 1 && track <= KnownTracks(disc) && !disc.tracks[track].data;
}

int FirstAudioTrack(const DiscInfo& disc) {
  for (int track = 1; track <= KnownTracks(disc); ++track) {
    if (IsAudioTrack(disc, track)) return track;
  }
  return 0;
}

int LastAudioTrack(const DiscInfo& disc) {
  for (int track = KnownTracks(disc); track >= 1; --track) {
    if (IsAudioTrack(disc, track)) return track;
  }
  return 0;
}

int NextAudioTrack(const DiscInfo& disc, int track) {
  for (int next = track + 1; next <= KnownTracks(disc); ++next) {
    if (IsAudioTrack(disc, next)) return next;
  }
  return FirstAudioTrack(disc);
}

int PreviousAudioTrack(const DiscInfo& disc, int track) {
  int start = track > KnownTracks(disc) ? KnownTracks(disc) + 1 : track;
  for (int previous = start - 1; previous >= 1; --previous) {
    if (IsAudioTrack(disc, previous)) return previous;
  }
  return LastAudioTrack(disc);
}

int RunEndTrack(const DiscInfo& disc, int track) {
  if (!IsAudioTrack(disc, track)) return 0;
  while (IsAudioTrack(disc, track + 1)) ++track;
  return track;
}

int NextRunStart(const DiscInfo& disc, int runEnd) {
  if (runEnd < 1) return 0;
  for (int next = runEnd + 1; next <= KnownTracks(disc); ++next) {
    if (IsAudioTrack(disc, next)) return next;
  }
  return 0;
}
