// The general page: always on top, a resource file per CD, blinking while
// paused, playing a disc as it arrives, the media keys as hot keys, and the
// CD drive to play, how it sounds, and looking up the titles of new discs
// (with the e-mail address gnudb knows the user by).
#include "cd/cd_drives.h"
#include "common/fixed_text.h"
#include "dialogs/settings_pages.h"
#include "resources/resource.h"
#include "settings/settings.h"

namespace {

constexpr size_t kDriveItemSize = 64;

void AddDriveItem(HWND list, const char* text, char letter) {
  LRESULT index = SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  if (index < 0) return;
  SendMessageA(list, CB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(letter));
}

// "System default" first, then every CD-ROM letter; the saved one selected.
void FillDriveList(HWND page, HINSTANCE instance, char chosen) {
  HWND list = GetDlgItem(page, IDC_CD_DRIVE);
  char text[kDriveItemSize];
  LoadText(instance, IDS_DEFAULT_DRIVE, text);
  AddDriveItem(list, text, 0);
  char letters[kMaxDriveLetters + 1];
  ListCdDrives(letters, sizeof(letters));
  bool listed = chosen == 0;
  for (const char* letter = letters; *letter; ++letter) {
    FormatText(text, sizeof(text), "%c:", *letter);
    AddDriveItem(list, text, *letter);
    listed = listed || *letter == chosen;
  }
  // A drive that is gone for now (unplugged) stays the choice until the user
  // makes another: OK for some other setting must not forget it.
  if (!listed) {
    FormatText(text, sizeof(text), "%c:", chosen);
    AddDriveItem(list, text, chosen);
  }
  LRESULT count = SendMessageA(list, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    if (static_cast<char>(SendMessageA(list, CB_GETITEMDATA, static_cast<WPARAM>(i), 0)) == chosen) {
      SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
    }
  }
}

char ChosenDrive(HWND page) {
  HWND list = GetDlgItem(page, IDC_CD_DRIVE);
  LRESULT index = SendMessageA(list, CB_GETCURSEL, 0, 0);
  if (index == CB_ERR) return 0;
  return static_cast<char>(SendMessageA(list, CB_GETITEMDATA, static_cast<WPARAM>(index), 0));
}

// The three ways a disc sounds, in PlaybackChoice's order.
void FillPlaybackList(HWND page, HINSTANCE instance, PlaybackChoice chosen) {
  HWND list = GetDlgItem(page, IDC_PLAYBACK);
  for (UINT id : {IDS_PLAYBACK_AUTO, IDS_PLAYBACK_DIGITAL, IDS_PLAYBACK_ANALOG}) {
    char text[kDriveItemSize];
    LoadText(instance, id, text);
    SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  }
  SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(chosen), 0);
}

PlaybackChoice ChosenPlayback(HWND page) {
  LRESULT index = SendDlgItemMessageA(page, IDC_PLAYBACK, CB_GETCURSEL, 0, 0);
  if (index < 0 || index > static_cast<LRESULT>(PlaybackChoice::kAnalog)) return PlaybackChoice::kAuto;
  return static_cast<PlaybackChoice>(index);
}

}  // namespace

INT_PTR CALLBACK GeneralPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  const PageContext* context = PageContextOf(page, message, lParam);
  if (context == nullptr) return FALSE;
  Settings& settings = *context->settings;
  if (message == WM_INITDIALOG) {
    Tick(page, IDC_ALWAYS_ON_TOP, settings.alwaysOnTop != 0);
    Tick(page, IDC_CHG_RES_BY_CD, settings.chgResByCd != 0);
    Tick(page, IDC_BLINK_WHEN_PAUSING, settings.blinkWhenPausing != 0);
    Tick(page, IDC_AUTO_PLAY, settings.autoPlay != 0);
    Tick(page, IDC_MEDIA_HOT_KEYS, settings.mediaHotKeys != 0);
    Tick(page, IDC_LOOKUP_ONLINE, settings.lookupOnline != 0);
    SetDlgItemTextA(page, IDC_GNUDB_USER, settings.gnudbUser);
    FillDriveList(page, context->instance, settings.drive);
    FillPlaybackList(page, context->instance, settings.playback);
    return TRUE;
  }
  if (IsWriteCommand(message, wParam, lParam)) {
    settings.alwaysOnTop = Ticked(page, IDC_ALWAYS_ON_TOP);
    settings.chgResByCd = Ticked(page, IDC_CHG_RES_BY_CD);
    settings.blinkWhenPausing = Ticked(page, IDC_BLINK_WHEN_PAUSING);
    settings.autoPlay = Ticked(page, IDC_AUTO_PLAY);
    settings.mediaHotKeys = Ticked(page, IDC_MEDIA_HOT_KEYS);
    settings.lookupOnline = Ticked(page, IDC_LOOKUP_ONLINE);
    GetDlgItemTextA(page, IDC_GNUDB_USER, settings.gnudbUser, sizeof(settings.gnudbUser));
    settings.drive = ChosenDrive(page);
    settings.playback = ChosenPlayback(page);
    return TRUE;
  }
  return FALSE;
}
