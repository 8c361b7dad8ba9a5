// The disc description file of one drive, re-read when it changes, so a test
// or a user can insert, eject and swap discs while programs use the drive.
#ifndef ZANTO_VIRTUAL_CD_DISC_FILE_H
#define ZANTO_VIRTUAL_CD_DISC_FILE_H

#include <windows.h>

#include <string>

#include "disc_description.h"

class DiscFile {
 public:
  // An empty path is a drive that never has a disc.
  explicit DiscFile(std::wstring path);

  // Re-reads the file when it may have changed; true when the disc differs
  // from the one seen before. A file that cannot be read right now (a writer
  // holds it) keeps the old description until the next call.
  bool Refresh();
  const DiscDescription& disc() const { return disc_; }
  // The moment the disc now described went in, as a FILETIME value (0
  // without a file): the file's write time, so every program using the drive
  // sees the same moment; but a disc that came in a file written earlier
  // than the one before it (moved or copied over it with its old time) went
  // in when this drive noticed it.
  ULONGLONG insertedTime() const { return inserted_; }
  // Changes the tray state and writes it back to the file for every other
  // user of the drive.
  void SetTrayOpen(bool open);

 private:
  bool ReadText(std::string& text) const;
  bool WriteText(const std::string& text) const;

  std::wstring path_;
  DiscDescription disc_;
  bool seen_ = false;
  FILETIME lastWrite_ = {};
  ULONGLONG lastSize_ = 0;
  // Which file it is (volume and file index): a file moved over the old one
  // is another file, whatever its time and size.
  DWORD lastVolume_ = 0;
  ULONGLONG lastIndex_ = 0;
  ULONGLONG inserted_ = 0;
};

#endif
