// A CD-ROM drive as a source of raw sectors, through the device's own
// control codes (\\.\X:): its table of contents and its audio sectors read
// as CD-DA. A drive that cannot read audio this way (some cannot, and a
// folder mapped as a CD-ROM letter never can) fails ReadToc or reads 0
// sectors, and the player uses MCI for it instead.
#ifndef ZANTO_CD_DRIVE_SECTOR_SOURCE_H
#define ZANTO_CD_DRIVE_SECTOR_SOURCE_H

#include <windows.h>

#include <atomic>

#include "cd/sector_source.h"
#include "common/handles.h"

// Sectors one read asks a drive for: 27 * 2352 bytes stay below the 64 KB
// that many drives and their drivers take in one transfer.
constexpr int kMaxSectorsPerDriveRead = 27;
// The quiet speed: about 4x (4 * 176.4 KB/s), fast enough to keep ahead.
constexpr USHORT kQuietReadKbPerSecond = 706;

class DriveSectorSource : public SectorSource {
 public:
  // Opens drive `letter`; false when it cannot be opened at all.
  bool Open(char letter);
  // Opens a CD-ROM device by its path (\\.\X:, or a device name such as
  // the virtual drive's \\.\ZantoCd0); false when it cannot be opened.
  bool OpenDevice(const char* path);
  void Close();

  bool ReadToc(DiscToc* toc) override;
  // Reads what it can: a stretch the drive refuses is read again in smaller
  // pieces down to single sectors, and a sector that still fails becomes
  // silence (counted). Stops early when the drive itself is gone (no disc,
  // not ready) or cannot read audio at all.
  int ReadSectors(int lba, int count, unsigned char* out) override;
  bool MoveTray(bool open) override;
  bool IsDrive() const override { return true; }

  // Quiet: about 4x, set again after every seek, since drives forget; not
  // quiet: as fast as the drive goes, to fill the buffer.
  bool SetQuiet(bool quiet) override;
  // Sectors that became silence since Open. Read without the reader's lock:
  // the window must not wait out a slow read to show it.
  int UnreadableSectors() const override { return unreadable_.load(); }

 private:
  enum class ReadResult { kRead, kBadSector, kDriveGone };
  ReadResult RawRead(int lba, int count, unsigned char* out);
  // Reads `count` sectors, halving the piece on a failure; false when the drive is gone.
  bool ReadWithRetries(int lba, int count, unsigned char* out);
  bool ApplySpeed();

  unique_hfile device_;
  int leadOutLba_ = -1;  // where reading ends, once the table is known
  bool quiet_ = false;
  int nextLba_ = -1;     // where the last read ended: another start is a seek
  std::atomic<int> unreadable_{0};
};

#endif
