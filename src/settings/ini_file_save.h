// One save of an INI file that lands whole or not at all.
//
// The writes go to a copy beside the file (its name with ".new" added), begun
// from the file's own bytes so that keys and comments the program does not
// know survive. Commit flushes the copy to the disk and puts it in the file's
// place in one step. A save cut short anywhere - the process killed, the
// power gone - leaves the file as it was; the copy it leaves behind is never
// read and is begun afresh by the next save.
//
// Any writer of the program's INI files uses it: a whole settings file, or one
// section of CD.ini.
#ifndef ZANTO_SETTINGS_INI_FILE_SAVE_H
#define ZANTO_SETTINGS_INI_FILE_SAVE_H

#include <windows.h>

#include <cstddef>

// Room for the longest folder plus a file name: a path cut short would name
// some other file.
constexpr size_t kIniFilePathSize = 2 * MAX_PATH;

class IniFileSave {
 public:
  // Begins the copy of the file at `path` (which need not exist yet).
  explicit IniFileSave(const char* path);
  // Throws away a copy that was not committed.
  ~IniFileSave();
  IniFileSave(const IniFileSave&) = delete;
  IniFileSave& operator=(const IniFileSave&) = delete;

  // Profile writes on the copy: a null value removes the key, a null key the
  // section. After a failure they do nothing.
  void WriteText(const char* section, const char* key, const char* value);
  void WriteInt(const char* section, const char* key, int value);
  // Replaces a whole section by `lines`: "key=value" strings, each ended by a
  // NUL, the last by two.
  void WriteSection(const char* section, const char* lines);

  // Puts the flushed copy in the file's place. False when any step of the
  // save failed; the file is then untouched.
  bool Commit();

  // The first failure's system error code; 0 while there is none.
  DWORD error() const { return error_; }
  const char* path() const { return path_; }

 private:
  void Begin();
  // Renames the copy over the file; false with the system's last error set.
  bool Replace() const;
  void Fail(DWORD code);

  char path_[kIniFilePathSize];
  char copyPath_[kIniFilePathSize];
  DWORD error_;
  bool copyMade_;
};

#endif
