// The general page: always on top, a resource file per CD, blinking while
// paused, playing a disc as it arrives, and the media keys as hot keys.
#include "app/application.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "settings/settings_pages.h"

INT_PTR CALLBACK GeneralPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  Settings& settings = *appSettings;
  if (message == WM_INITDIALOG) {
    Tick(page, IDC_ALWAYS_ON_TOP, settings.alwaysOnTop != 0);
    Tick(page, IDC_CHG_RES_BY_CD, settings.chgResByCd != 0);
    Tick(page, IDC_BLINK_WHEN_PAUSING, settings.blinkWhenPausing != 0);
    Tick(page, IDC_AUTO_PLAY, settings.autoPlay != 0);
    Tick(page, IDC_MEDIA_HOT_KEYS, settings.mediaHotKeys != 0);
    return TRUE;
  }
  if (IsWriteCommand(message, wParam, lParam)) {
    settings.alwaysOnTop = Ticked(page, IDC_ALWAYS_ON_TOP);
    settings.chgResByCd = Ticked(page, IDC_CHG_RES_BY_CD);
    settings.blinkWhenPausing = Ticked(page, IDC_BLINK_WHEN_PAUSING);
    settings.autoPlay = Ticked(page, IDC_AUTO_PLAY);
    settings.mediaHotKeys = Ticked(page, IDC_MEDIA_HOT_KEYS);
    return TRUE;
  }
  return FALSE;
}
