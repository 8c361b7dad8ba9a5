// The time-window page: play time, clock or mouth animation, and the
// animation's frame interval.
#include "common/fixed_text.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "dialogs/settings_pages.h"

namespace {

constexpr int kIntervalDigits = 15;

void EnableInterval(HWND page, bool on) {
  EnableItems(page, {IDC_TIME_INTERVAL, IDC_TIME_INTERVAL_LABEL}, on);
}

void Initialise(HWND page, const Settings& settings) {
  // A mode the program does not know shows as play time.
  bool known = settings.timeWindow >= kTimeWindowPlayTime && settings.timeWindow <= kTimeWindowMouth;
  int mode = known ? settings.timeWindow : kTimeWindowPlayTime;
  CheckRadioButton(page, IDC_TIME_PLAYTIME, IDC_TIME_MOUTH, IDC_TIME_PLAYTIME + mode);
  char interval[16];
  FormatText(interval, sizeof(interval), "%d", settings.mouseAnime);
  SetDlgItemTextA(page, IDC_TIME_INTERVAL, interval);
  SendDlgItemMessageA(page, IDC_TIME_INTERVAL, EM_LIMITTEXT, kIntervalDigits, 0);
  EnableInterval(page, mode == kTimeWindowMouth);
}

void Write(HWND page, Settings& settings) {
  for (int mode = kTimeWindowPlayTime; mode <= kTimeWindowMouth; ++mode) {
    if (Ticked(page, IDC_TIME_PLAYTIME + mode)) {
      settings.timeWindow = mode;
      break;
    }
  }
  // Unsigned 32-bit; an empty field or a number too large for it gives 0.
  BOOL read = FALSE;
  UINT interval = GetDlgItemInt(page, IDC_TIME_INTERVAL, &read, FALSE);
  settings.mouseAnime = read ? static_cast<int>(interval) : 0;
}

}  // namespace

INT_PTR CALLBACK TimeWindowPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  const PageContext* context = PageContextOf(page, message, lParam);
  if (context == nullptr) return FALSE;
  Settings& settings = *context->settings;
  if (message == WM_INITDIALOG) {
    Initialise(page, settings);
    return TRUE;
  }
  if (IsWriteCommand(message, wParam, lParam)) {
    Write(page, settings);
    return TRUE;
  }
  if (message == WM_COMMAND) {
    if (IsClickOf(wParam, IDC_TIME_MOUTH)) EnableInterval(page, true);
    if (IsClickOf(wParam, IDC_TIME_PLAYTIME) || IsClickOf(wParam, IDC_TIME_CLOCK)) {
      EnableInterval(page, false);
    }
    return TRUE;
  }
  return FALSE;
}
