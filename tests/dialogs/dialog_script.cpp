#include "dialogs/dialog_script.h"

#include <commctrl.h>

#include "app/application.h"
#include "common/fixed_text.h"
#include "common/path_text.h"

namespace {

constexpr UINT kScriptTick = 20;  // ms
constexpr int kGiveUpTicks = 5000 / kScriptTick;

DialogScript pending;
bool ran = false;
int ticks = 0;
UINT_PTR timer = 0;

BOOL CALLBACK FindActiveDialog(HWND hwnd, LPARAM found) {
  char className[16];
  GetClassNameA(hwnd, className, sizeof(className));
  if (lstrcmpA(className, "#32770") == 0 && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
    *reinterpret_cast<HWND*>(found) = hwnd;
    return FALSE;
  }
  return TRUE;
}

void CALLBACK RunScript(HWND, UINT, UINT_PTR, DWORD) {
  HWND dialog = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindActiveDialog, reinterpret_cast<LPARAM>(&dialog));
  if (dialog == nullptr && ++ticks < kGiveUpTicks) return;
  KillTimer(nullptr, timer);
  timer = 0;
  if (dialog == nullptr) return;
  DialogScript script = std::move(pending);
  pending = nullptr;
  ran = true;
  script(dialog);
}

}  // namespace

void ScheduleScript(DialogScript script) {
  pending = std::move(script);
  ran = false;
  ticks = 0;
  timer = SetTimer(nullptr, 0, kScriptTick, RunScript);
}

bool ScriptRan() { return ran; }

void CancelScript() {
  if (timer) KillTimer(nullptr, timer);
  timer = 0;
  pending = nullptr;
}

void Press(HWND dialog, int id) { PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

void ClickItem(HWND page, int id) { SendDlgItemMessageA(page, id, BM_CLICK, 0, 0); }

HWND PageWith(HWND dialog, int id) {
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (GetDlgItem(child, id) != nullptr) return child;
  }
  return nullptr;
}

bool IsEnabledItem(HWND page, int id) { return IsWindowEnabled(GetDlgItem(page, id)) != FALSE; }

std::string ItemText(HWND page, int id) {
  char text[512] = "";
  GetDlgItemTextA(page, id, text, sizeof(text));
  return text;
}

void DialogTest::SetUpTestSuite() {
  appInstance = GetModuleHandleA(nullptr);
  InitCommonControls();
  RegisterPlayerClass(appInstance);
}

DialogTest::DialogTest() {
  appSettings.reset(new Settings);
  CopyText(appSettings->iniFolder, folder.path().c_str());
  AppendBackslash(appSettings->iniFolder, sizeof(appSettings->iniFolder));
  CopyText(appSettings->lookupServer, "http://127.0.0.1:1");  // nothing listens there
}

DialogTest::~DialogTest() { appSettings.reset(); }

Settings& DialogTest::settings() { return *appSettings; }
