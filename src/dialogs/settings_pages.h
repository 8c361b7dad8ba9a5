// The five pages of the settings dialog, each a child dialog with its own
// procedure, and the small helpers they share. A page fills its controls from
// the settings record it is given when it is created and writes them back
// when the container sends it the write command.
#ifndef ZANTO_DIALOGS_SETTINGS_PAGES_H
#define ZANTO_DIALOGS_SETTINGS_PAGES_H

#include <windows.h>

#include <initializer_list>

class Settings;

// What every page works on; the container hands it over as the creation
// parameter and it outlives the pages.
struct PageContext {
  HINSTANCE instance;  // the module with the templates and strings
  Settings* settings;  // the record being edited
  HWND fontWindow;     // whose device context lists the fonts; null: the screen
};

// The page's context: kept at WM_INITDIALOG, read back for every later
// message; null for the few messages that come before it.
inline const PageContext* PageContextOf(HWND page, UINT message, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrA(page, DWLP_USER, lParam);
    return reinterpret_cast<const PageContext*>(lParam);
  }
  return reinterpret_cast<const PageContext*>(GetWindowLongPtrA(page, DWLP_USER));
}

INT_PTR CALLBACK GeneralPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK TimeWindowPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK TitleDisplayPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK SusiePluginPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK OsuwariPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// The container's order to write: command IDOK, notification 0, no control.
inline bool IsWriteCommand(UINT message, WPARAM wParam, LPARAM lParam) {
  return message == WM_COMMAND && LOWORD(wParam) == IDOK && HIWORD(wParam) == 0 && lParam == 0;
}
// A click (notification 0) of a page control.
inline bool IsClickOf(WPARAM wParam, int id) { return LOWORD(wParam) == id && HIWORD(wParam) == 0; }

inline void Tick(HWND page, int id, bool on) {
  CheckDlgButton(page, id, on ? BST_CHECKED : BST_UNCHECKED);
}
// 1 when ticked, else 0: the flags the settings store.
inline int Ticked(HWND page, int id) { return IsDlgButtonChecked(page, id) == BST_CHECKED ? 1 : 0; }

inline void EnableItems(HWND page, std::initializer_list<int> ids, bool on) {
  for (int id : ids) EnableWindow(GetDlgItem(page, id), on ? TRUE : FALSE);
}

#endif
