// Changing the skin at run time: a dropped or chosen resource file, and the
// skin remembered for a disc.
#include <windows.h>

#include <memory>
#include <new>

#include "app/messages.h"
#include "app/desktop/window_position.h"
#include "app/player/open_file_dialog.h"
#include "app/player/player_window.h"
#include "app/player/skin_fit_warning.h"
#include "common/ascii_text.h"
#include "common/fixed_text.h"
#include "common/path_text.h"
#include "common/wait_cursor.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "skin/skin_model.h"
#include "window/skin_status.h"

namespace {

// "rc", not the string table's "*.rc": Windows appends the default
// extension after a dot, so "*.rc" would turn "myskin" into "myskin.*.r".
constexpr char kDefaultExtension[] = "rc";

}  // namespace

std::unique_ptr<SkinWindow> PlayerWindow::LoadSkin(const char* path, char* message, size_t capacity) {
  // Loading replaces the model and pictures as it goes, so a file that fails
  // half-way, or one that takes seconds, would leave the shown skin half
  // replaced: load it elsewhere, and take it over once it is complete.
  std::unique_ptr<SkinWindow> loaded(new (std::nothrow) SkinWindow);
  if (!loaded) {
    SkinFailure noMemory;
    noMemory.skinStatus = SkinResourceFailed;
    noMemory.parseStatus = ParseOutOfMemory;
    ComposeSkinFailure(noMemory, path, false, message, capacity);
    return nullptr;
  }
  loaded->scale = ScaleToRealise();
  if (loaded->LoadSkinImages(PluginsInUse(), path)) return loaded;
  ComposeSkinFailure(FailureOf(*loaded), path, false, message, capacity);
  return nullptr;
}

bool PlayerWindow::SwitchSkinTo(SkinWindow& loaded, const char* path) {
  if (ChangeSkin(loaded)) {
    CopyText(settings_.lastFile, path);
    // The top-left corner stays: a smaller skin may be out of reach there.
    KeepWithinReach(hwnd);
    return true;
  }
  // The window system refused; `loaded` holds the skin that worked again.
  char message[kComposedMessageSize];
  ComposeSkinFailure(FailureOf(*this), path, false, message, sizeof(message));
  if (ChangeSkin(loaded)) {
    ShowMessage(hwnd, message, kMessageStyle);
    return true;
  }
  ShowWindow(hwnd, SW_HIDE);
  ShowMessage(nullptr, message, kMessageStyle);
  DestroyWindow(hwnd);  // lastFile still names the last working skin
  return false;
}

bool PlayerWindow::ReloadSkin(const char* file) {
  StopTimers();
  char message[kComposedMessageSize];
  std::unique_ptr<SkinWindow> loaded;
  {
    WaitCursor wait;
    loaded = LoadSkin(file, message, sizeof(message));
  }
  if (!loaded) {
    // A refused skin costs nothing: the current one stays. The box is the
    // window's own, so it shows above a topmost player.
    ShowMessage(hwnd, message, kMessageStyle);
    StartTimers();
    return false;
  }
  if (!SwitchSkinTo(*loaded, file)) return false;
  StartTimers();
  return true;
}

void PlayerWindow::ChangeResourceFile(const char* path) {
  if (!EqualsIgnoreCase(ExtensionPart(path), ".rc")) return;
  // The failure message needs the path after the skin's buffers changed.
  char newFile[kPathSize];
  CopyText(newFile, path);
  if (!ReloadSkin(newFile)) return;
  // The user chose this skin: it shows, with a word if it is hard to use.
  WarnIfSkinHardToUse(*this, newFile);
}

void PlayerWindow::SwitchToDiscSkin() {
  // A skin remembered for a disc may have been deleted or broken since: that
  // must not cost a message each time the disc is seen. Keep the current
  // skin and forget the entry if it does not load.
  char newFile[kPathSize];
  CopyText(newFile, settings_.cdResourceFile);
  if (!EqualsIgnoreCase(ExtensionPart(newFile), ".rc")) return;
  char message[kComposedMessageSize];
  std::unique_ptr<SkinWindow> loaded;
  {
    WaitCursor wait;
    loaded = LoadSkin(newFile, message, sizeof(message));
  }
  if (!loaded) {
    settings_.ForgetCdResource();
    return;
  }
  StopTimers();
  if (SwitchSkinTo(*loaded, newFile)) StartTimers();
}

void PlayerWindow::ChooseResourceFile() {
  char file[kPathSize];
  if (AskForFile(hwnd, instance, {IDS_RESOURCE_FILTER, IDS_OPEN_RESOURCE_TITLE, kDefaultExtension}, file,
                 sizeof(file))) {
    ChangeResourceFile(file);
  }
}
