#include "app/application.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <new>

#include "app/disc_image_hand_over.h"
#include "app/messages.h"
#include "app/desktop/window_position.h"
#include "app/player/player_window.h"
#include "app/player/skin_fit_warning.h"
#include "common/fixed_text.h"
#include "common/path_text.h"
#include "resources/resource.h"
#include "settings/ini_file_save.h"
#include "settings/settings.h"
#include "skin/plugin_list.h"
#include "window/skin_window.h"

HINSTANCE appInstance = nullptr;
std::unique_ptr<Settings> appSettings;
std::unique_ptr<PluginList> appPlugins;
std::unique_ptr<PlayerWindow> appPlayer;

namespace {

// Longer module paths do not fit any buffer of the program.
constexpr DWORD kModulePathSize = 2 * MAX_PATH;

// Without one the system places the window.
bool HasSavedPosition() { return appSettings->positionX != static_cast<int>(CW_USEDEFAULT); }

}  // namespace

bool ProgramFolderFits(const char* modulePath) {
  if (modulePath == nullptr || modulePath[0] == '\0') return false;
  size_t folderLength = static_cast<size_t>(FileNamePart(modulePath) - modulePath);
  size_t longestName = 0;
  for (UINT id : {IDS_DEFAULT_RESOURCE, IDS_SETTINGS_FILE, IDS_CD_FILE}) {
    char name[MAX_PATH];
    LoadText(appInstance, id, name);
    longestName = std::max(longestName, strlen(name));
  }
  // A save writes its copy beside the file, under a longer name that must fit too.
  longestName += strlen(kIniCopySuffix);
  return folderLength + longestName < kSettingsPathSize;
}

bool RegisterPlayerClass(HINSTANCE instance) {
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof(wc);
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = BaseWindow::StaticWindowProc;
  wc.cbClsExtra = 0;
  wc.cbWndExtra = sizeof(void*);  // the owning window object
  wc.hInstance = instance;
  wc.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = nullptr;  // the window paints all of its client area itself
  wc.lpszClassName = kSkinWindowClassName;
  return RegisterClassExA(&wc) != 0;
}

int RunMessageLoop(HWND target) {
  HACCEL accelerators = LoadAcceleratorsA(appInstance, MAKEINTRESOURCEA(IDR_ACCELERATORS));
  MSG msg;
  BOOL got;
  while ((got = GetMessageA(&msg, nullptr, 0, 0)) != 0) {
    if (got == -1) break;
    if (!TranslateAcceleratorA(target, accelerators, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  return static_cast<int>(msg.wParam);
}

bool CreatePlayer(const char* resourceFile, DWORD exStyle, const char* title, HINSTANCE instance,
                  bool defaultFollows, bool expectDiscImage) {
  appPlayer.reset(new (std::nothrow) PlayerWindow(*appSettings, appPlugins.get()));
  if (!appPlayer) {
    ShowMessageId(nullptr, IDS_NO_MEMORY, kMessageStyle);
    return false;
  }
  if (expectDiscImage) appPlayer->ExpectDiscImage();
  // Created on the screen, moved to its saved place once its size is known:
  // at a place near the end of the coordinate range the system cannot give
  // the window its size (2147483647 makes it 0 x 0).
  POINT at = {appSettings->positionX, appSettings->positionY};
  if (HasSavedPosition()) at = PositionWithinReach(at, SIZE{1, 1});
  // At the system's DPI until the window's own monitor is known.
  appPlayer->scale = appPlayer->ScaleToRealise();
  if (appPlayer->CreateSkinWindow(appPlayer->PluginsInUse(), resourceFile, exStyle, title,
                                  WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX, at.x, at.y, nullptr,
                                  nullptr, instance)) {
    return true;
  }
  char message[kComposedMessageSize];
  ComposeSkinFailure(FailureOf(*appPlayer), resourceFile, defaultFollows, message,
                     sizeof(message));
  // A fresh object for the next try; the failed window goes without a quit.
  appPlayer.reset(new (std::nothrow) PlayerWindow(*appSettings, appPlugins.get()));
  ShowMessage(nullptr, message, kMessageStyle);
  return false;
}

int RunApplication(HINSTANCE instance, int showCommand, const char* modulePath, const char* arguments) {
  InitCommonControls();
  if (!RegisterPlayerClass(instance)) return 0;
  appInstance = instance;

  char realModulePath[kModulePathSize] = "";
  if (modulePath == nullptr) {
    DWORD n = GetModuleFileNameA(nullptr, realModulePath, kModulePathSize);
    if (n >= kModulePathSize) realModulePath[0] = '\0';  // cut off: fits nowhere
    modulePath = realModulePath;
  }
  if (!ProgramFolderFits(modulePath)) {
    ShowMessageId(nullptr, IDS_FOLDER_TOO_LONG, kMessageStyle);
    return 0;
  }

  // A second start with an image gives it to the player that runs; without
  // one it starts as it always has.
  char discImage[kSettingsPathSize];
  if (DiscImageArgument(arguments, discImage, sizeof(discImage)) && HandOverDiscImage(modulePath, discImage)) {
    return 0;
  }

  appSettings.reset(new (std::nothrow) Settings);
  if (!appSettings) return 0;
  appSettings->Load();
  const char* lastFile = appSettings->lastFile;

  // The list exists for the whole run even with plug-ins off; it is filled
  // only here, so a folder changed later takes effect at the next start.
  appPlugins.reset(new (std::nothrow) PluginList);
  if (!appPlugins) return 0;
  if (appSettings->usePlugin) appPlugins->Scan(appSettings->pluginFolder);

  DWORD exStyle = appSettings->alwaysOnTop || appSettings->doOsuwari ? WS_EX_TOPMOST : 0;
  char title[360];
  LoadText(instance, IDS_APP_NAME, title);

  // A skin that cannot be loaded (deleted, broken, empty) must not lock the
  // user out: after its message, which says so, the default skin beside the
  // program is tried, and becomes the one saved. Only when that fails too
  // does the start end, without writing the settings.
  char defaultName[MAX_PATH];
  LoadText(instance, IDS_DEFAULT_RESOURCE, defaultName);
  char defaultFile[kSettingsPathSize];
  BuildPathBesideExecutable(defaultName, defaultFile, sizeof(defaultFile));
  const bool defaultFollows = !SamePathIgnoringCase(defaultFile, lastFile);
  const bool withImage = discImage[0] != '\0';
  if (!CreatePlayer(lastFile, exStyle, title, instance, defaultFollows, withImage)) {
    if (!appPlayer || !defaultFollows || !CreatePlayer(defaultFile, exStyle, title, instance, false, withImage)) {
      appPlayer.reset();
      return 0;
    }
    CopyText(appSettings->lastFile, defaultFile);
  }
  HWND window = appPlayer->hwnd;
  if (HasSavedPosition()) {
    PlaceWithinReach(window, POINT{appSettings->positionX, appSettings->positionY});
  }
  // Placed on a monitor of another DPI than the system's, it follows that one's.
  if (IsWindow(window)) appPlayer->RealiseAtScaleSetting();
  ShowWindow(window, showCommand);
  UpdateWindow(window);
  // A player that closed itself while starting has no window to warn over.
  if (IsWindow(window)) WarnIfSkinHardToUse(*appPlayer, appSettings->lastFile);
  if (IsWindow(window) && withImage) appPlayer->OpenDiscImage(discImage);
  int exitCode = RunMessageLoop(window);
  appPlayer.reset();

  // Only a start-up that got this far writes the settings back.
  appSettings->Save();
  appSettings->ReportSaveFailure(nullptr);  // the player's window is gone
  appSettings.reset();
  // Last: no picture of a plug-in may outlive its library.
  appPlugins.reset();
  return exitCode;
}
