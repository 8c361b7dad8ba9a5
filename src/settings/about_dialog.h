// The about box: the program's version and the current skin's own words.
#ifndef ZANTO_SETTINGS_ABOUT_DIALOG_H
#define ZANTO_SETTINGS_ABOUT_DIALOG_H

#include <windows.h>

#include <cstddef>

class AboutDialog {
 public:
  // Modal, owned by owner; IDOK or IDCANCEL.
  int Run(HWND owner);
};

// "Version " and the FileVersion text of the first translation in the version
// resource of the file at modulePath. False, with out untouched, when the file
// has no version resource or any step of reading it fails.
bool FormatVersionLine(const char* modulePath, char* out, size_t capacity);

#endif
