// A disc image's CUE sheet: the data files it names and every track's place
// in them. Parsing is a pure function over the sheet's text; laying the
// tracks out on a disc also needs the files' sizes (image_sector_source.h).
#ifndef ZANTO_CD_CUE_SHEET_H
#define ZANTO_CD_CUE_SHEET_H

#include <windows.h>

#include <cstddef>

#include "cd/cd_text.h"
#include "cd/disc_toc.h"

// Why an image cannot be played. The sheet's and the image's problems share
// one list so the player has one message per kind.
enum class CueStatus {
  kOk,
  kSheetUnreadable,  // the .cue is missing, unreadable or far too large
  kBadLine,          // a line the sheet cannot mean (CueProblem::line)
  kUnsupported,      // a file type (WAVE, MP3) or track mode not read here
  kNoTracks,
  kDataFileMissing,  // a data file cannot be opened (CueProblem::file)
  kDataFileTooShort, // a data file ends before the sheet's last INDEX
  kDiscTooLong,      // more than a disc's 99:59:74
};

struct CueProblem {
  CueStatus status = CueStatus::kOk;
  int line = 0;   // 1-based line of the sheet, 0 when no one line is to blame
  int file = -1;  // index into CueSheet::files, -1 when no one file is
};

struct CueFile {
  char name[MAX_PATH] = {};  // as the sheet writes it: relative to the sheet's folder, or absolute
  bool bigEndian = false;    // MOTOROLA: audio samples stored high byte first
};

struct CueTrack {
  int number = 0;
  int file = 0;             // the file holding its INDEX 01
  int sectorBytes = 2352;   // bytes a sector takes in that file
  bool data = false;
  bool preEmphasis = false; // FLAGS PRE
  int pregapFrames = 0;     // PREGAP: silence not in the file, before the track
  int postgapFrames = 0;    // POSTGAP: silence not in the file, after it
  int index0 = -1;          // INDEX 00 in frames from its file's start, -1 without one in that file
  int index1 = -1;          // INDEX 01 likewise
  int line = 0;             // its TRACK line
};

struct CueSheet {
  int fileCount = 0;
  CueFile files[kMaxTocTracks];
  int trackCount = 0;
  CueTrack tracks[kMaxTocTracks];  // in disc order, numbers consecutive
};

// The sheet in `text` (`length` bytes, a UTF-8 byte-order mark skipped).
// Commands it has no use for (REM, CATALOG, ...) are passed over; a known
// command with arguments it cannot read is a kBadLine.
// With `cdText`, the sheet's TITLE and PERFORMER lines (before the first
// TRACK the disc's, after one that track's) fill it as a disc's CD-Text
// would, in the ANSI code page. They are extras: a line of them that cannot
// be read is passed over and never fails the sheet.
CueProblem ParseCueSheet(const char* text, size_t length, CueSheet* sheet, CdText* cdText = nullptr);

// A path the player opens as a disc image: a CUE sheet's, by its extension.
bool IsDiscImagePath(const char* path);

#endif
