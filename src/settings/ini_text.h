// The text of an INI file in memory, edited the way the system's profile
// services read it: section and key names compared without regard to case,
// the first section of a name and its first line of a key the ones that
// count, space around names ignored. Every line an edit does not touch -
// comments, blank lines, keys of other programs - stays byte for byte.
#ifndef ZANTO_SETTINGS_INI_TEXT_H
#define ZANTO_SETTINGS_INI_TEXT_H

#include <cstddef>

class IniText {
 public:
  IniText();
  ~IniText();
  IniText(const IniText&) = delete;
  IniText& operator=(const IniText&) = delete;

  // Every operation returns false only when memory ran out; the text is then
  // as it was before the call.
  bool Assign(const char* bytes, size_t size);
  // Sets `key` in `section` to `value` (cut at a line break); a null value
  // removes the key, a null key the whole section. A missing key goes after
  // the section's last line, a missing section at the end of the text.
  bool SetValue(const char* section, const char* key, const char* value);
  // Replaces the lines of `section` by `lines`: "key=value" strings, each
  // ended by a NUL, the last by two.
  bool SetSection(const char* section, const char* lines);

  const char* data() const { return data_; }
  size_t size() const { return size_; }

 private:
  // Replaces `length` bytes at `at` by `count` bytes of `with`.
  bool Splice(size_t at, size_t length, const char* with, size_t count);
  // Adds a new section at the end: its header, then `count` bytes of lines.
  bool AppendSection(const char* section, const char* lines, size_t count);

  char* data_;
  size_t size_;
  size_t capacity_;
};

#endif
