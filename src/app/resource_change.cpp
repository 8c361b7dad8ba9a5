// Changing the skin at run time: a dropped or chosen resource file, and the
// skin remembered for a disc.
#include <windows.h>
#include <commdlg.h>

#include <memory>
#include <new>

#include "app/application.h"
#include "app/messages.h"
#include "app/player_window.h"
#include "common/ascii_text.h"
#include "common/fixed_text.h"
#include "common/path_text.h"
#include "resources/resource.h"
#include "settings/settings.h"

namespace {

constexpr size_t kFilterSize = 260;
constexpr size_t kDialogTitleSize = 360;
// "rc", not the string table's "*.rc": Windows appends the default
// extension after a dot, so "*.rc" would turn "myskin" into "myskin.*.r".
constexpr char kDefaultExtension[] = "rc";

}  // namespace

void PlayerWindow::ChangeResourceFile(const char* path) {
  if (!EqualsIgnoreCase(ExtensionPart(path), ".rc")) return;
  // The failure message needs the path after the skin's buffers changed.
  char newFile[kPathSize];
  CopyText(newFile, path);
  StopTimers();
  if (!ChangeSkin(PluginsInUse(), newFile)) {
    ShowWindow(hwnd, SW_HIDE);
    char message[kComposedMessageSize];
    ComposeSkinFailure(status, model.status, model.lineNumber, newFile, errorText, message,
                       sizeof(message));
    ShowMessage(nullptr, message, kMessageStyle);
    DestroyWindow(hwnd);  // lastFile still names the last working skin
    return;
  }
  CopyText(appSettings->lastFile, newFile);
  StartTimers();
}

void PlayerWindow::SwitchToDiscSkin() {
  // A skin remembered for a disc may have been deleted or broken since: that
  // must not end the program each time the disc is seen. Try it on a
  // scratch window first; keep the current skin and forget the entry if it
  // does not load.
  std::unique_ptr<SkinWindow> trial(new (std::nothrow) SkinWindow);
  if (!trial || !trial->LoadSkinImages(PluginsInUse(), appSettings->cdResourceFile)) {
    appSettings->ForgetCdResource();
    return;
  }
  trial.reset();
  ChangeResourceFile(appSettings->cdResourceFile);
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
