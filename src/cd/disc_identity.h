// The media identity the system's CD-audio driver reports for a disc
// (MCI_INFO_MEDIA_IDENTITY, as decimal text), computed from its table of
// contents, so a disc image finds the titles and skins CD.ini keeps for the
// same disc in a drive. Header-only: the virtual drive computes it too.
#ifndef ZANTO_CD_DISC_IDENTITY_H
#define ZANTO_CD_DISC_IDENTITY_H

#include "cd/disc_toc.h"

namespace disc_identity_detail {

constexpr unsigned kFramesPerSecond = 75;
constexpr unsigned kFramesPerMinute = 75 * 60;

// An LBA as the table's MSF address counts it (from the disc's very start).
inline unsigned AbsoluteFrame(int lba) {
  int frame = lba + kLeadInFrames;
  return frame > 0 ? static_cast<unsigned>(frame) : 0u;
}

}  // namespace disc_identity_detail

// Every track's start address packed as 0x00MMSSFF, summed; a disc of one or
// two tracks adds the first track's frame digit and the playing length in
// frames, since two short discs would collide too often on the sum alone.
// 32-bit arithmetic that wraps, as the driver's does. 0 for an empty table.
inline unsigned long DiscIdentity(const DiscToc& toc) {
  using disc_identity_detail::AbsoluteFrame;
  constexpr unsigned kSecondFrames = disc_identity_detail::kFramesPerSecond;
  constexpr unsigned kMinuteFrames = disc_identity_detail::kFramesPerMinute;
  if (toc.firstTrack < 1 || toc.lastTrack < toc.firstTrack || toc.lastTrack > kMaxTocTracks) return 0;
  unsigned serial = 0;
  for (int track = toc.firstTrack; track <= toc.lastTrack; ++track) {
    unsigned frame = AbsoluteFrame(toc.tracks[track].startLba);
    unsigned minutes = frame / kMinuteFrames;
    unsigned seconds = frame / kSecondFrames % 60;
    serial += (minutes << 16) | (seconds << 8) | (frame % kSecondFrames);
  }
  if (toc.lastTrack - toc.firstTrack + 1 < 3) {
    unsigned start = AbsoluteFrame(toc.tracks[toc.firstTrack].startLba);
    serial += start % kSecondFrames + (AbsoluteFrame(toc.leadOutLba) - start);
  }
  return serial;
}

#endif
