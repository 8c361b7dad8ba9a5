#include "app/application.h"

#include <commctrl.h>

#include <new>

#include "app/messages.h"
#include "app/player_window.h"
#include "common/fixed_text.h"
#include "common/path_text.h"
#include "resources/resource.h"
#include "window/skin_window.h"

HINSTANCE appInstance = nullptr;
std::unique_ptr<PlayerWindow> appPlayer;

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

int RunApplication(HINSTANCE instance, int showCommand) {
  InitCommonControls();
  if (!RegisterPlayerClass(instance)) return 0;
  appInstance = instance;

  // The settings record will supply the last resource file; for now it is
  // always the default one beside the program.
  char defaultName[MAX_PATH];
  LoadText(instance, IDS_DEFAULT_RESOURCE, defaultName);
  char lastFile[MAX_PATH];
  BuildPathBesideExecutable(defaultName, lastFile, sizeof(lastFile));

  char title[360];
  LoadText(instance, IDS_APP_NAME, title);

  appPlayer.reset(new (std::nothrow) PlayerWindow);
  if (!appPlayer) {
    ShowMessageId(nullptr, IDS_NO_MEMORY, kMessageStyle);
    return 0;
  }
  if (!appPlayer->CreateSkinWindow(nullptr, lastFile, 0, title,
                                   WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX, CW_USEDEFAULT,
                                   CW_USEDEFAULT, nullptr, nullptr, instance)) {
    char message[kComposedMessageSize];
    ComposeSkinFailure(appPlayer->status, appPlayer->model.status, appPlayer->model.lineNumber,
                       lastFile, appPlayer->errorText, message, sizeof(message));
    appPlayer.reset();
    ShowMessage(nullptr, message, kMessageStyle);
    return 0;
  }
  HWND window = appPlayer->hwnd;
  ShowWindow(window, showCommand);
  UpdateWindow(window);
  int exitCode = RunMessageLoop(window);
  appPlayer.reset();
  return exitCode;
}
