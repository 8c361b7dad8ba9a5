// A disc image (a CUE sheet and its BIN files) as a source of raw sectors:
// the tracks laid out on a disc as a burner would write them, with PREGAP
// and POSTGAP as silence, MOTOROLA audio turned little-endian on reading.
#ifndef ZANTO_CD_IMAGE_SECTOR_SOURCE_H
#define ZANTO_CD_IMAGE_SECTOR_SOURCE_H

#include <windows.h>

#include "cd/cue_sheet.h"
#include "cd/sector_source.h"
#include "common/handles.h"

// The latest LBA a disc reaches: its lead-out at 99:59:74 at most.
constexpr int kMaxDiscLba = (99 * 60 + 59) * 75 + 74 - kLeadInFrames;

// A stretch of the disc: silence, or consecutive sectors of one data file.
struct DiscSegment {
  int startLba = 0;
  int frames = 0;
  int file = -1;  // -1: silence
  long long byteOffset = 0;
  int sectorBytes = kRawSectorBytes;
  bool swapBytes = false;  // audio from a MOTOROLA file
};

struct DiscLayout {
  DiscToc toc;
  int segmentCount = 0;
  DiscSegment segments[kMaxTocTracks * 3];  // per track: pregap, its sectors, postgap
};

// Lays the sheet's tracks out on a disc, given every file's size in bytes.
// The last track of each file ends where the file ends.
CueProblem LayOutDisc(const CueSheet& sheet, const long long* fileBytes, DiscLayout* layout);

// The message (a string id of resource.h) that tells the user about a problem.
UINT CueProblemMessage(CueStatus status);

class ImageSectorSource : public SectorSource {
 public:
  // Reads the sheet at `cuePath` (an ANSI path) and opens every file it
  // names; with `cdText`, the sheet's titles go there (ParseCueSheet).
  CueProblem Open(const char* cuePath, CdText* cdText = nullptr);
  // The full path of the sheet's data file `file`, for a message.
  const char* DataFilePath(int file) const;

  bool ReadToc(DiscToc* toc) override;
  int ReadSectors(int lba, int count, unsigned char* out) override;

 private:
  CueProblem OpenFiles();
  // Reads `count` sectors of one segment from `lba`; how many it read.
  int ReadFromSegment(const DiscSegment& segment, int lba, int count, unsigned char* out);

  bool open_ = false;
  CueSheet sheet_;
  DiscLayout layout_;
  char paths_[kMaxTocTracks][MAX_PATH] = {};
  unique_hfile files_[kMaxTocTracks];
};

#endif
