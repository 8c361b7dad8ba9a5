// One save of an INI file that lands whole or not at all.
//
// The file's bytes are read into memory and edited there (IniText), so keys
// and comments the program does not know survive. Commit writes the whole new
// text as a copy beside the file (its name with ".new" added), checking every
// byte written, flushes it to the disk and puts it in the file's place in one
// step. A save cut short anywhere - the process killed, the power gone, the
// disk full - leaves the file as it was; a copy it leaves behind is never
// read, and the next save deletes it (read-only or not) before writing its
// own, so the file never takes a leftover's attributes. A read-only file is
// never replaced.
//
// Any writer of the program's INI files uses it: a whole settings file, or one
// section of CD.ini.
#ifndef ZANTO_SETTINGS_INI_FILE_SAVE_H
#define ZANTO_SETTINGS_INI_FILE_SAVE_H

#include <windows.h>

#include <cstddef>

#include "settings/ini_text.h"

// Room for the longest folder plus a file name: a path cut short would name
// some other file.
constexpr size_t kIniFilePathSize = 2 * MAX_PATH;
// What a save's copy adds to the file's name.
constexpr char kIniCopySuffix[] = ".new";

class IniFileSave {
 public:
  // Reads the file at `path` (which need not exist yet).
  explicit IniFileSave(const char* path);
  IniFileSave(const IniFileSave&) = delete;
  IniFileSave& operator=(const IniFileSave&) = delete;

  // Edits of the text in memory: a null value removes the key, a null key
  // the section. After a failure they do nothing.
  void WriteText(const char* section, const char* key, const char* value);
  void WriteInt(const char* section, const char* key, int value);
  // Replaces a whole section by `lines`: "key=value" strings, each ended by a
  // NUL, the last by two.
  void WriteSection(const char* section, const char* lines);

  // Writes and flushes the copy and puts it in the file's place. False when
  // any step of the save failed; the file is then untouched and no copy is
  // left.
  bool Commit();

  // The first failure's system error code; 0 while there is none.
  DWORD error() const { return error_; }
  const char* path() const { return path_; }

 private:
  void Read();
  void Fail(DWORD code);
  // Deletes a copy an earlier save left behind; false with error_ set.
  bool RemoveLeftoverCopy();
  // Writes the whole text as a new copy; false with error_ set.
  bool WriteCopy();
  // Renames the copy over the file; false with the system's last error set.
  bool Replace() const;

  char path_[kIniFilePathSize];
  char copyPath_[kIniFilePathSize];
  IniText text_;
  DWORD error_;
};

#endif
