#include "app/application.h"

#include <commctrl.h>

#include <new>

#include "app/messages.h"
#include "common/fixed_text.h"
#include "common/path_text.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "skin/skin_model.h"
#include "window/skin_status.h"

HINSTANCE appInstance = nullptr;
std::unique_ptr<Settings> appSettings;

namespace {

const char kPlayerClassName[] = "LuloWnd";

// Until the skinned window exists, a plain window stands in for the player.
LRESULT CALLBACK StandInWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

bool RegisterPlayerClass(HINSTANCE instance) {
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof(wc);
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = StandInWindowProc;
  wc.cbClsExtra = 0;
  wc.cbWndExtra = sizeof(void*);  // the owning window object
  wc.hInstance = instance;
  wc.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = nullptr;  // the window paints all of its client area itself
  wc.lpszClassName = kPlayerClassName;
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

int RunApplication(HINSTANCE instance, int showCommand) {
  InitCommonControls();
  if (!RegisterPlayerClass(instance)) return 0;
  appInstance = instance;

  appSettings.reset(new (std::nothrow) Settings);
  if (!appSettings) return 0;
  appSettings->Load();
  const char* lastFile = appSettings->lastFile;

  char title[360];
  LoadText(instance, IDS_APP_NAME, title);

  // The skin window will parse its resource file while it is created.
  static SkinModel model;
  if (!model.LoadResourceFile(lastFile)) {
    char message[kComposedMessageSize];
    ComposeSkinFailure(SkinResourceFailed, model.status, model.lineNumber, lastFile, "", message,
                       sizeof(message));
    ShowMessage(nullptr, message, kMessageStyle);
    return 0;
  }

  HWND window = CreateWindowExA(0, kPlayerClassName, title, WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX,
                                CW_USEDEFAULT, CW_USEDEFAULT, 320, 120, nullptr, nullptr, instance,
                                nullptr);
  if (!window) {
    char message[kComposedMessageSize];
    ComposeSkinFailure(SkinWindowFailed, 0, 0, lastFile, "", message, sizeof(message));
    ShowMessage(nullptr, message, kMessageStyle);
    return 0;
  }
  ShowWindow(window, showCommand);
  UpdateWindow(window);
  int exitCode = RunMessageLoop(window);

  // Only a start-up that got this far writes the settings back.
  appSettings->Save();
  appSettings.reset();
  return exitCode;
}
