// What the player knows of a disc, read from the drive once as it appears:
// its identity and, for each track, where it starts, how long it lasts and
// whether it is audio. A plain value; the play rules read nothing else.
#ifndef ZANTO_CD_DISC_INFO_H
#define ZANTO_CD_DISC_INFO_H

#include <windows.h>

#include "cd/msf.h"

// A packed TMSF time holds its track in one byte.
constexpr int kMaxDiscTracks = 255;

struct DiscTrack {
  DWORD length = 0;          // MSF, as the drive gave it
  int lengthFrames = 0;
  int startFrames = 0;       // from the start of track 1
  bool lengthKnown = false;  // false when the drive's list came out short
  bool data = false;         // a drive that cannot tell the type leaves a track audio
};

struct DiscInfo {
  int identity = 0;
  // As the drive reports it; the tracks beyond kMaxDiscTracks have no entry.
  int trackCount = 0;
  DiscTrack tracks[kMaxDiscTracks + 1] = {};  // [t] for track t (1-based)
};

// The tracks of `disc` that have an entry: trackCount held to 0..kMaxDiscTracks.
int KnownTracks(const DiscInfo& disc);
// Gives track `track` its MSF length, and every track from it on its start
// after the lengths before it.
void SetTrackLength(DiscInfo& disc, int track, DWORD msf);
// Frames from the start of track 1 to `at`, from the track's start on the
// disc; a track past the last counts from the last one's end.
int DiscFrames(const DiscInfo& disc, TrackPosition at);

#endif
