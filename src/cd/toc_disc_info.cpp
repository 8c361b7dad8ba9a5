#include "cd/toc_disc_info.h"

#include "cd/msf.h"

namespace {

bool ValidTable(const DiscToc& toc) {
  return toc.firstTrack >= 1 && toc.lastTrack >= toc.firstTrack && toc.lastTrack <= kMaxTocTracks;
}

}  // namespace

int TocTrackEnd(const DiscToc& toc, int track) {
  return track < toc.lastTrack ? toc.tracks[track + 1].startLba : toc.leadOutLba;
}

int TocTrackAt(const DiscToc& toc, int lba) {
  if (!ValidTable(toc)) return 0;
  int track = toc.firstTrack;
  while (track < toc.lastTrack && toc.tracks[track + 1].startLba <= lba) ++track;
  return track;
}

DiscInfo DiscInfoFromToc(const DiscToc& toc, int identity) {
  DiscInfo disc;
  disc.identity = identity;
  if (!ValidTable(toc)) return disc;
  // The player numbers tracks from 1; a table starting later keeps its
  // numbers, the ones before it being empty.
  disc.trackCount = toc.lastTrack;
  int start = toc.tracks[toc.firstTrack].startLba;
  for (int t = toc.firstTrack; t <= toc.lastTrack; ++t) {
    DiscTrack& track = disc.tracks[t];
    int frames = TocTrackEnd(toc, t) - toc.tracks[t].startLba;
    if (frames < 0) frames = 0;
    track.startFrames = toc.tracks[t].startLba - start;
    track.lengthFrames = frames;
    track.length = FramesToMsf(frames);
    track.lengthKnown = true;
    track.data = toc.tracks[t].data;
  }
  return disc;
}
