#include "support/virtual_disc.h"

#include <mmsystem.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace {

const char kDiscVariable[] = "ZANTO_VIRTUAL_CD_DISC";
const char kLogVariable[] = "ZANTO_VIRTUAL_CD_LOG";
const char kSpeedVariable[] = "ZANTO_VIRTUAL_CD_SPEED";
const char kNotReadyVariable[] = "ZANTO_VIRTUAL_CD_NOT_READY_MS";
const char kTocSettleVariable[] = "ZANTO_VIRTUAL_CD_TOC_SETTLE_MS";
const char kStopDriftVariable[] = "ZANTO_VIRTUAL_CD_STOP_DRIFT_FRAMES";
const char kSeekVariable[] = "ZANTO_VIRTUAL_CD_SEEK_MS";
const char kLatencyVariable[] = "ZANTO_VIRTUAL_CD_LATENCY_MS";
const char kFailVariable[] = "ZANTO_VIRTUAL_CD_FAIL_EVERY_NTH_STATUS";
const char kEndFailureVariable[] = "ZANTO_VIRTUAL_CD_END_WITH_FAILURE";
const char kProfileVariable[] = "ZANTO_VIRTUAL_CD_PROFILE";
const char kNotifyClass[] = "ZantoCdTestNotify";

std::string Describe(const DiscContents& disc) {
  std::string text = "# written by the cd tests\n";
  text += disc.present ? "present = yes\n" : "present = no\n";
  text += disc.trayOpen ? "tray = open\n" : "tray = closed\n";
  if (!disc.identity.empty()) text += "identity = " + disc.identity + "\n";
  if (disc.gapless) text += "gapless = yes\n";
  if (!disc.start.empty()) text += "start = " + disc.start + "\n";
  for (const std::string& track : disc.tracks) text += "track = " + track + "\n";
  return text;
}

// "12345.678 STATUS ...": the time is digits, a point and three digits.
LoggedCommand SplitTime(const std::string& line) {
  size_t point = line.find_first_not_of("0123456789");
  bool timed = point != std::string::npos && point > 0 && line.size() > point + 4 && line[point] == '.' &&
               line.find_first_not_of("0123456789", point + 1) == point + 4 && line[point + 4] == ' ';
  if (!timed) return LoggedCommand{-1.0, line};
  size_t space = point + 4;
  return LoggedCommand{strtod(line.substr(0, space).c_str(), nullptr), line.substr(space + 1)};
}

}  // namespace

VirtualDisc::VirtualDisc(const DiscContents& disc, double speed, char letter)
    : suffix_(letter ? std::string("_") + letter : std::string()),
      discPath_(folder_.File("disc.txt")),
      logPath_(folder_.File("commands.log")) {
  Write(disc);
  SetEnvironmentVariableA(Variable(kDiscVariable).c_str(), discPath_.c_str());
  SetEnvironmentVariableA(Variable(kLogVariable).c_str(), logPath_.c_str());
  SetSpeed(speed);
  SetProfile(DriveProfile::kModern);
}

std::string VirtualDisc::Variable(const char* name) const { return name + suffix_; }

void VirtualDisc::SetNumber(const char* name, long long value) const {
  char text[32];
  snprintf(text, sizeof(text), "%lld", value);
  SetEnvironmentVariableA(Variable(name).c_str(), text);
}

void VirtualDisc::SetSpeed(double speed) {
  char speedText[32];
  snprintf(speedText, sizeof(speedText), "%g", speed);
  SetEnvironmentVariableA(Variable(kSpeedVariable).c_str(), speedText);
}

void VirtualDisc::SetSettling(const DriveSettling& settling) {
  SetNumber(kNotReadyVariable, settling.notReadyMs);
  SetNumber(kTocSettleVariable, settling.tocSettleMs);
  SetNumber(kStopDriftVariable, settling.stopDriftFrames);
}

void VirtualDisc::SetProfile(DriveProfile profile) {
  SetEnvironmentVariableA(Variable(kProfileVariable).c_str(),
                          profile == DriveProfile::kClassic ? "classic" : "modern");
}

void VirtualDisc::SetFaults(const DriveFaults& faults) {
  SetNumber(kSeekVariable, faults.seekMs);
  SetNumber(kLatencyVariable, faults.latencyMs);
  SetNumber(kFailVariable, faults.failEveryNthStatus);
  SetNumber(kEndFailureVariable, faults.endWithFailure ? 1 : 0);
}

VirtualDisc::~VirtualDisc() {
  for (const char* name : {kDiscVariable, kLogVariable, kSpeedVariable, kNotReadyVariable, kTocSettleVariable,
                           kStopDriftVariable, kSeekVariable, kLatencyVariable, kFailVariable,
                           kEndFailureVariable, kProfileVariable}) {
    SetEnvironmentVariableA(Variable(name).c_str(), nullptr);
  }
}

void VirtualDisc::Write(const DiscContents& disc, bool backdated) {
  // Written aside and moved over, so the drive never reads half a file.
  std::string next = discPath_ + ".next";
  WriteFileBytes(next, Describe(disc));
  if (backdated) {
    HANDLE file = CreateFileA(next.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER time = {{now.dwLowDateTime, now.dwHighDateTime}};
    time.QuadPart -= 24ULL * 3600ULL * 10000000ULL;
    FILETIME dayAgo = {time.LowPart, time.HighPart};
    SetFileTime(file, nullptr, nullptr, &dayAgo);
    CloseHandle(file);
  }
  for (int attempt = 0; attempt < 100; ++attempt) {
    if (MoveFileExA(next.c_str(), discPath_.c_str(), MOVEFILE_REPLACE_EXISTING)) return;
    Sleep(10);
  }
}

std::string VirtualDisc::Text() const { return ReadFileBytes(discPath_); }

std::vector<LoggedCommand> VirtualDisc::TakeTimedLog() {
  // Read-then-delete would lose a line the drive appends in between (a PLAY
  // gone missing under load). The log is renamed first, so later lines start
  // a new one; a line being appended at that moment still lands in the renamed
  // file, which is read only once the drive has let go of it.
  std::string taken = logPath_ + ".taken";
  if (!MoveFileExA(logPath_.c_str(), taken.c_str(), MOVEFILE_REPLACE_EXISTING)) return {};
  HANDLE file = INVALID_HANDLE_VALUE;
  for (int attempt = 0; attempt < 1000 && file == INVALID_HANDLE_VALUE; ++attempt) {
    file = CreateFileA(taken.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                       nullptr);
    if (file == INVALID_HANDLE_VALUE) Sleep(1);
  }
  std::string text;
  if (file != INVALID_HANDLE_VALUE) {
    CloseHandle(file);
    text = ReadFileBytes(taken);
  }
  DeleteFileA(taken.c_str());
  std::vector<LoggedCommand> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find("\r\n", start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(SplitTime(text.substr(start, end - start)));
    start = end + 2;
  }
  return lines;
}

std::vector<std::string> VirtualDisc::TakeLog() {
  std::vector<std::string> lines;
  // A line without a readable time stays whole, so a comparison shows it.
  for (const LoggedCommand& command : TakeTimedLog()) lines.push_back(command.text);
  return lines;
}

NotifyWindow::NotifyWindow() {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = Proc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = kNotifyClass;
  RegisterClassA(&windowClass);  // fails harmlessly when already registered
  hwnd_ = CreateWindowExA(0, kNotifyClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                          GetModuleHandleA(nullptr), this);
}

NotifyWindow::~NotifyWindow() {
  if (hwnd_) DestroyWindow(hwnd_);
}

LRESULT CALLBACK NotifyWindow::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  if (message == MM_MCINOTIFY) {
    auto* self = reinterpret_cast<NotifyWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self) self->statuses_.push_back(wParam);
    return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

std::string Line(const char* format, ...) {
  char text[256];
  va_list args;
  va_start(args, format);
  vsnprintf(text, sizeof(text), format, args);
  va_end(args);
  return text;
}
