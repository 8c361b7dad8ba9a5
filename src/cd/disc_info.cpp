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

int DiscFrames(const DiscInfo& disc, TrackPosition at) {
  const int known = KnownTracks(disc);
  long long frames = at.frames;
  if (at.track >= 1 && at.track <= known) {
    frames += disc.tracks[at.track].startFrames;
  } else if (at.track > known && known > 0) {
    // Past the last track: from its end.
    int length = disc.tracks[known].lengthFrames;
    frames += disc.tracks[known].startFrames + (length > 0 ? length : 0);
  }
  if (frames < 0) return 0;
  return frames > 0x7FFFFFFE ? 0x7FFFFFFE : static_cast<int>(frames);
}
