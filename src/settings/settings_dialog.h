// The settings dialog: a list of five pages beside the chosen page. OK has
// every page write its controls into the settings record; Cancel writes nothing.
#ifndef ZANTO_SETTINGS_SETTINGS_DIALOG_H
#define ZANTO_SETTINGS_SETTINGS_DIALOG_H

#include <windows.h>

class SettingsDialog {
 public:
  // Modal, owned by owner. IDOK after the pages have written appSettings;
  // IDCANCEL for Cancel, Esc, the close box or a page that could not be made.
  int Run(HWND owner);
};

#endif
