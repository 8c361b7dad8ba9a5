// Where the program's own playback reads a disc's audio: a drive's raw
// sectors or a disc image's. One raw sector is one CD frame: 2352 bytes,
// 588 stereo samples of 16 bits, little-endian, left first.
#ifndef ZANTO_CD_SECTOR_SOURCE_H
#define ZANTO_CD_SECTOR_SOURCE_H

#include "cd/disc_toc.h"

constexpr int kRawSectorBytes = 2352;
constexpr int kSamplesPerSector = 588;  // per channel

class SectorSource {
 public:
  virtual ~SectorSource() = default;
  // False when the table cannot be read (no disc, not a CD).
  virtual bool ReadToc(DiscToc* toc) = 0;
  // Reads `count` raw sectors from `lba` into `out`, which holds count *
  // kRawSectorBytes bytes. Returns how many were read from the start (0..
  // count); the caller retries the rest or takes it as unreadable. May be
  // called from another thread than ReadToc, never from two at once.
  virtual int ReadSectors(int lba, int count, unsigned char* out) = 0;
  // A drive's disc may be swapped and its tray moved; an image's may not.
  virtual bool IsDrive() const { return false; }
  // A drive reads quietly (slowly) or as fast as it can; nothing for an image.
  virtual bool SetQuiet(bool quiet) {
    (void)quiet;
    return false;
  }
  // Opens or closes a drive's tray; false where there is none (an image).
  virtual bool MoveTray(bool open) {
    (void)open;
    return false;
  }
  // Sectors it gave as silence itself, having failed to read them; the
  // caller counts those it could not read from it. Safe to call while
  // another thread reads.
  virtual int UnreadableSectors() const { return 0; }
};

#endif
