// Changing the skin at run time: a dropped or chosen resource file, and the
// skin remembered for a disc.
#include <windows.h>
#include <commdlg.h>

#include <memory>
#include <new>

#include "app/application.h"
#include "app/messages.h"
#include "app/player/player_window.h"
#include "app/player/skin_fit_warning.h"
#include "common/ascii_text.h"
#include "common/fixed_text.h"
#include "common/path_text.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "skin/skin_model.h"
#include "window/skin_status.h"

namespace {

constexpr size_t kFilterSize = 260;
constexpr size_t kDialogTitleSize = 360;
// "rc", not the string table's "*.rc": Windows appends the default
// extension after a dot, so "*.rc" would turn "myskin" into "myskin.*.r".
constexpr char kDefaultExtension[] = "rc";

}  // namespace

bool PlayerWindow::SkinLoads(const char* path, char* message, size_t capacity) {
  // Loading replaces the model and pictures as it goes, so a file that fails
  // half-way would leave the working skin half-replaced: try it elsewhere.
  std::unique_ptr<SkinWindow> trial(new (std::nothrow) SkinWindow);
  if (!trial) {
    SkinFailure noMemory;
    noMemory.skinStatus = SkinResourceFailed;
    noMemory.parseStatus = ParseOutOfMemory;
    ComposeSkinFailure(noMemory, path, false, message, capacity);
    return false;
  }
  if (trial->LoadSkinImages(PluginsInUse(), path)) return true;
  ComposeSkinFailure(FailureOf(*trial), path, false, message, capacity);
  return false;
}

bool PlayerWindow::SwitchSkinTo(const char* path) {
  if (ChangeSkin(PluginsInUse(), path)) {
    CopyText(appSettings->lastFile, path);
    return true;
  }
  // The file changed since the trial, or the window system refused.
  char message[kComposedMessageSize];
  ComposeSkinFailure(FailureOf(*this), path, false, message, sizeof(message));
  if (ChangeSkin(PluginsInUse(), appSettings->lastFile)) {
    ShowMessage(hwnd, message, kMessageStyle);
    return true;
  }
  ShowWindow(hwnd, SW_HIDE);
  ShowMessage(nullptr, message, kMessageStyle);
  DestroyWindow(hwnd);  // lastFile still names the last working skin
  return false;
}

void PlayerWindow::ChangeResourceFile(const char* path) {
  if (!EqualsIgnoreCase(ExtensionPart(path), ".rc")) return;
  // The failure message needs the path after the skin's buffers changed.
  char newFile[kPathSize];
  CopyText(newFile, path);
  StopTimers();
  char message[kComposedMessageSize];
  if (!SkinLoads(newFile, message, sizeof(message))) {
    // A refused skin costs nothing: the current one stays. The box is the
    // window's own, so it shows above a topmost player.
    ShowMessage(hwnd, message, kMessageStyle);
    StartTimers();
    return;
  }
  if (!SwitchSkinTo(newFile)) return;
  StartTimers();
  // The user chose this skin: it shows, with a word if it is hard to use.
  WarnIfSkinHardToUse(*this, newFile);
}

void PlayerWindow::SwitchToDiscSkin() {
  // A skin remembered for a disc may have been deleted or broken since: that
  // must not cost a message each time the disc is seen. Keep the current
  // skin and forget the entry if it does not load.
  char newFile[kPathSize];
  CopyText(newFile, appSettings->cdResourceFile);
  if (!EqualsIgnoreCase(ExtensionPart(newFile), ".rc")) return;
  char message[kComposedMessageSize];
  if (!SkinLoads(newFile, message, sizeof(message))) {
    appSettings->ForgetCdResource();
    return;
  }
  StopTimers();
  if (SwitchSkinTo(newFile)) StartTimers();
}

void PlayerWindow::ChooseResourceFile() {
  char filter[kFilterSize];
  LoadText(instance, IDS_RESOURCE_FILTER, filter);
  // The dialog's filter is NUL-separated pairs. Double-byte characters are
  // stepped over whole: a trail byte may be 0x7C, the code of '|'.
  for (char* p = filter; *p; ++p) {
    if (IsDBCSLeadByte(static_cast<BYTE>(*p)) && p[1] != '\0') {
      ++p;
    } else if (*p == '|') {
      *p = '\0';
    }
  }
  char title[kDialogTitleSize];
  LoadText(instance, IDS_OPEN_RESOURCE_TITLE, title);
  char file[kPathSize] = "";

  OPENFILENAMEA ofn = {};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = hwnd;
  ofn.hInstance = instance;
  ofn.lpstrFilter = filter;
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file;
  ofn.nMaxFile = sizeof(file);
  ofn.lpstrTitle = title;
  ofn.lpstrDefExt = kDefaultExtension;
  ofn.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
  if (GetOpenFileNameA(&ofn)) {
    ChangeResourceFile(file);
  } else if (CommDlgExtendedError() != 0) {
    ShowMessageId(nullptr, IDS_COMMON_DIALOG_ERROR, kMessageStyle);
  }
}
