#include "cd/cdrom_toc.h"

#include <cstddef>

namespace {

constexpr BYTE kDataTrackControl = 0x04;  // AUDIO_DATA_TRACK in the control nibble
constexpr BYTE kPreEmphasisControl = 0x01;
constexpr BYTE kLeadOutTrack = 0xAA;

int FramesOfMsf(const UCHAR (&address)[4]) { return (address[1] * 60 + address[2]) * 75 + address[3]; }

}  // namespace

bool TocFromCdromToc(const CDROM_TOC& toc, DWORD size, DiscToc* out) {
  constexpr DWORD kHeader = offsetof(CDROM_TOC, TrackData);
  if (size < kHeader || toc.FirstTrack < 1 || toc.LastTrack < toc.FirstTrack || toc.LastTrack > kMaxTocTracks) {
    return false;
  }
  int entries = toc.LastTrack - toc.FirstTrack + 2;  // the lead-out too
  if (size < kHeader + entries * sizeof(TRACK_DATA)) return false;
  DiscToc read;
  read.firstTrack = toc.FirstTrack;
  read.lastTrack = toc.LastTrack;
  int previous = 0;
  for (int i = 0; i < entries; ++i) {
    const TRACK_DATA& entry = toc.TrackData[i];
    int lba = FramesOfMsf(entry.Address) - kLeadInFrames;
    if (lba < previous) return false;  // before the disc's start, or running backwards: misread
    previous = lba;
    if (i == entries - 1) {
      if (entry.TrackNumber != kLeadOutTrack) return false;
      read.leadOutLba = lba;
    } else {
      if (entry.TrackNumber != toc.FirstTrack + i) return false;
      read.tracks[entry.TrackNumber].startLba = lba;
      read.tracks[entry.TrackNumber].data = (entry.Control & kDataTrackControl) != 0;
      read.tracks[entry.TrackNumber].preEmphasis = (entry.Control & kPreEmphasisControl) != 0;
    }
  }
  *out = read;
  return true;
}
