// A disc's table of contents as a drive's raw interface or a disc image
// gives it: where each track starts (as a logical block address, LBA 0
// being two seconds after the disc's very start), what it holds, and where
// the lead-out begins. A plain value.
#ifndef ZANTO_CD_DISC_TOC_H
#define ZANTO_CD_DISC_TOC_H

// Track numbers a table of contents can hold.
constexpr int kMaxTocTracks = 99;
// Frames before LBA 0: the two-second lead-in gap that MSF addresses count.
constexpr int kLeadInFrames = 150;

struct TocTrack {
  int startLba = 0;
  bool data = false;         // a data track: listed, never played
  bool preEmphasis = false;  // recorded with pre-emphasis (de-emphasis applies)
};

struct DiscToc {
  int firstTrack = 0;  // 0 for an empty table
  int lastTrack = 0;
  int leadOutLba = 0;
  TocTrack tracks[kMaxTocTracks + 1] = {};  // [t] for track t
};

#endif
