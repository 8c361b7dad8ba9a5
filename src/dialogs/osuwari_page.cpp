// The osuwari page: whether the player perches on the foreground window, and
// where along its title bar.
#include <windows.h>
#include <commctrl.h>

#include "common/fixed_text.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "dialogs/settings_pages.h"

namespace {

constexpr int kPositionMax = 100;
constexpr int kTickStep = 10;

void EnablePosition(HWND page, bool on) {
  EnableItems(page,
              {IDC_OSUWARI_PERCENT, IDC_OSUWARI_POSITION, IDC_OSUWARI_LEFT_LABEL,
               IDC_OSUWARI_RIGHT_LABEL, IDC_OSUWARI_LABEL},
              on);
}

void ShowPercent(HWND page, int position) {
  char text[16];
  FormatText(text, sizeof(text), "%d%%", position);
  SetDlgItemTextA(page, IDC_OSUWARI_PERCENT, text);
}

void Initialise(HWND page, const Settings& settings) {
  Tick(page, IDC_DO_OSUWARI, settings.doOsuwari != 0);
  HWND bar = GetDlgItem(page, IDC_OSUWARI_POSITION);
  SendMessageA(bar, TBM_SETRANGE, TRUE, MAKELPARAM(0, kPositionMax));
  SendMessageA(bar, TBM_SETPOS, TRUE, settings.osuwariXPer);
  ShowPercent(page, settings.osuwariXPer);
  for (int tick = 0; tick <= kPositionMax; tick += kTickStep) SendMessageA(bar, TBM_SETTIC, 0, tick);
  EnablePosition(page, settings.doOsuwari != 0);
}

// The label follows the thumb: a drag reports its own position, the other
// moves are read back from the trackbar.
void OnScroll(HWND page, WPARAM wParam) {
  int code = LOWORD(wParam);
  if (code == TB_THUMBPOSITION || code == TB_THUMBTRACK) {
    ShowPercent(page, static_cast<short>(HIWORD(wParam)));
  } else if (code >= TB_LINEUP && code <= TB_ENDTRACK) {
    ShowPercent(page, static_cast<int>(SendDlgItemMessageA(page, IDC_OSUWARI_POSITION, TBM_GETPOS, 0, 0)));
  }
}

}  // namespace

INT_PTR CALLBACK OsuwariPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  const PageContext* context = PageContextOf(page, message, lParam);
  if (context == nullptr) return FALSE;
  Settings& settings = *context->settings;
  switch (message) {
    case WM_INITDIALOG:
      Initialise(page, settings);
      return TRUE;
    case WM_HSCROLL:
      OnScroll(page, wParam);
      return TRUE;
    case WM_COMMAND:
      if (IsWriteCommand(message, wParam, lParam)) {
        settings.doOsuwari = Ticked(page, IDC_DO_OSUWARI);
        settings.osuwariXPer =
            static_cast<int>(SendDlgItemMessageA(page, IDC_OSUWARI_POSITION, TBM_GETPOS, 0, 0));
      } else if (IsClickOf(wParam, IDC_DO_OSUWARI)) {
        EnablePosition(page, Ticked(page, IDC_DO_OSUWARI) != 0);
      }
      return TRUE;
  }
  return FALSE;
}
