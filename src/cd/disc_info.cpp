#include "cd/disc_info.h"

#include "cd/msf.h"

int KnownTracks(const DiscInfo& disc) {
  if (disc.trackCount < 0) return 0;
  return disc.trackCount > kMaxDiscTracks ? kMaxDiscTracks : disc.trackCount;
}

void SetTrackLength(DiscInfo& disc, int track, DWORD msf) {
  if (track < 1 || track > KnownTracks(disc)) return;
  DiscTrack& entry = disc.tracks[track];
  entry.length = msf;
  entry.lengthFrames = MsfToFrames(msf);
  entry.lengthKnown = true;
  for (int t = track + 1; t <= KnownTracks(disc); ++t) {
    disc.tracks[t].startFrames = disc.tracks[t - 1].startFrames + disc.tracks[t - 1].lengthFrames;
  }
}
