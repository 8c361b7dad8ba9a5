// The about box: the program's version and the current skin's own words.
#ifndef ZANTO_DIALOGS_ABOUT_DIALOG_H
#define ZANTO_DIALOGS_ABOUT_DIALOG_H

#include <windows.h>

#include <cstddef>

class AboutDialog {
 public:
  // instance holds the template; aboutText is the skin's own words (null
  // reads as none) and must outlive Run.
  AboutDialog(HINSTANCE instance, const char* aboutText);

  // Modal, owned by owner; IDOK or IDCANCEL.
  int Run(HWND owner);

 private:
  static INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  void OnInitDialog(HWND dialog) const;

  HINSTANCE instance_;
  const char* aboutText_;
};

// "Version " and the FileVersion text of the first translation in the version
// resource of the file at modulePath. False, with out untouched, when the file
// has no version resource or any step of reading it fails.
bool FormatVersionLine(const char* modulePath, char* out, size_t capacity);

#endif
