#include "program_driver.h"

#include "resources/resource.h"
#include "support/test_support.h"

ProgramDriver::ProgramDriver(const std::string& folder) : folder_(folder) {
  exePath_ = folder + "\\ZantoPlay.exe";
  CopyFileA(InstallPath("ZantoPlay.exe").c_str(), exePath_.c_str(), FALSE);
}

ProgramDriver::~ProgramDriver() {
  if (process_.hProcess) {
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
      TerminateProcess(process_.hProcess, 99);
      WaitForSingleObject(process_.hProcess, 5000);
    }
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
  }
}

bool ProgramDriver::Start(const std::string& arguments) {
  // Unless the test chose its own, a lookup server where nothing listens:
  // no test asks the real service.
  const std::string ini = folder_ + "\\ZantoPlay.ini";
  char server[64] = "";
  GetPrivateProfileStringA("Lookup", "Server", "", server, sizeof(server), ini.c_str());
  if (server[0] == '\0') WritePrivateProfileStringA("Lookup", "Server", "http://127.0.0.1:1", ini.c_str());
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  std::string commandLine = "\"" + exePath_ + "\"";
  if (!arguments.empty()) commandLine += " " + arguments;
  return CreateProcessA(exePath_.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        folder_.c_str(), &startup, &process_) != 0;
}

namespace {

struct WindowSearch {
  DWORD processId;
  const char* className;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM lParam) {
  auto* search = reinterpret_cast<WindowSearch*>(lParam);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  char className[64];
  GetClassNameA(hwnd, className, sizeof(className));
  if (pid == search->processId && IsWindowVisible(hwnd) && lstrcmpA(className, search->className) == 0) {
    search->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

HWND ProgramDriver::WaitForWindow(const char* className, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  do {
    WindowSearch search = {process_.dwProcessId, className, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
    if (WaitForSingleObject(process_.hProcess, 50) == WAIT_OBJECT_0) return nullptr;
  } while (GetTickCount() - start < timeoutMs);
  return nullptr;
}

std::string ProgramDriver::AnswerMessageBox(DWORD* exitCode) {
  HWND box = WaitForWindow("#32770", 15000);
  if (!box) return "(no message box)";
  std::string text = MessageBoxText(box);
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  WaitForExit(15000, exitCode);
  return text;
}

void ProgramDriver::Kill() {
  TerminateProcess(process_.hProcess, 99);
  WaitForSingleObject(process_.hProcess, 5000);
}

bool ProgramDriver::WaitForExit(DWORD timeoutMs, DWORD* exitCode) {
  if (WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0) return false;
  GetExitCodeProcess(process_.hProcess, exitCode);
  return true;
}

std::string WindowText(HWND hwnd) {
  char text[1024] = "";
  GetWindowTextA(hwnd, text, sizeof(text));
  return text;
}

std::string MessageBoxText(HWND box) {
  // The message is the box's one static control that holds text.
  std::string text;
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char className[32];
    GetClassNameA(child, className, sizeof(className));
    if (lstrcmpiA(className, "Static") == 0 && !WindowText(child).empty()) text = WindowText(child);
  }
  return text;
}

std::string ImageFailedMessage(const std::string& key, const std::string& path,
                               const std::string& reason) {
  return ResourceText(IDS_IMAGE_FAILED) + "\n" + reason + "\n" + key + " ( " + path + " )";
}

bool ProgramDriver::WaitForPostedMessages(HWND window) {
  PostMessageA(window, WM_COMMAND, IDM_ABOUT, 0);
  HWND about = WaitForWindow("#32770", 5000);
  if (!about) return false;
  PostMessageA(about, WM_COMMAND, IDOK, 0);
  return WaitUntilGone(about);
}

bool WaitUntilGone(HWND window, DWORD milliseconds) {
  return WaitFor(milliseconds, [&] { return !IsWindow(window); });
}

size_t WaitForCommands(VirtualDisc& drive, const std::vector<std::string>& texts,
                       DWORD milliseconds) {
  size_t seen = 0;
  WaitFor(milliseconds, [&] {
    for (const std::string& line : drive.TakeLog()) {
      if (seen < texts.size() && line.find(texts[seen]) != std::string::npos) ++seen;
    }
    return seen == texts.size();
  });
  return seen;
}

bool WaitForDriveClock(VirtualDisc& drive, double seconds, DWORD milliseconds,
                       std::vector<std::string>* lines) {
  bool reached = false;
  return WaitFor(milliseconds, [&] {
    for (const LoggedCommand& command : drive.TakeTimedLog()) {
      lines->push_back(command.text);
      reached = reached || command.seconds >= seconds;
    }
    return reached;
  });
}

bool WaitForTitle(HWND window, const std::string& title, DWORD milliseconds, bool prefix) {
  return WaitFor(milliseconds, [&] {
    std::string text = WindowText(window);
    return prefix ? text.compare(0, title.size(), title) == 0 : text == title;
  });
}

void PostKey(HWND window, WPARAM key) {
  PostMessageA(window, WM_KEYDOWN, key, 1);
  PostMessageA(window, WM_KEYUP, key, 0xC0000001);
}

DiscContents DiscOf(const std::vector<std::string>& tracks, int identity, bool gapless) {
  DiscContents disc;
  disc.tracks = tracks;
  disc.identity = std::to_string(identity);
  disc.gapless = gapless;
  return disc;
}

std::string IniValue(const std::string& path, const char* section, const char* key) {
  char value[MAX_PATH] = "";
  GetPrivateProfileStringA(section, key, "", value, sizeof(value), path.c_str());
  return value;
}
