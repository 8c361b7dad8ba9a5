// The settings dialog: a list of five pages beside the chosen page. OK has
// every page write its controls into the settings record; Cancel writes nothing.
#ifndef ZANTO_DIALOGS_SETTINGS_DIALOG_H
#define ZANTO_DIALOGS_SETTINGS_DIALOG_H

#include <windows.h>

#include "dialogs/settings_pages.h"

class Settings;

// What the dialog asks of the player once OK has written the record: take
// the new values into use (timers, text font, hot keys) and keep them.
class SettingsHost {
 public:
  virtual void ApplySettings() = 0;

 protected:
  ~SettingsHost() = default;
};

class SettingsDialog {
 public:
  // instance holds the templates; host may be null (nothing to apply).
  SettingsDialog(HINSTANCE instance, Settings& settings, SettingsHost* host);

  // Modal, owned by owner. IDOK after the pages have written the record and
  // the host applied it; IDCANCEL for Cancel, Esc, the close box or a page
  // that could not be made.
  int Run(HWND owner);

 private:
  static constexpr int kPageCount = 5;

  static INT_PTR CALLBACK ContainerProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR OnInitDialog(HWND dialog);
  bool CreatePages(HWND dialog);
  void OnPageSelected(HWND dialog);
  void OnOk(HWND dialog);
  INT_PTR OnCommand(HWND dialog, WPARAM wParam);

  PageContext context_;
  SettingsHost* host_;
  HWND pages_[kPageCount];  // valid while the dialog is open
  int currentPage_;
};

#endif
