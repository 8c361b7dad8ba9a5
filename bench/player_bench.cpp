// What the player costs: the MCI commands a second it sends the drive while
// stopped and while playing (from the drive's own timed log), the CPU time of
// the player stopped and playing a demo disc on the virtual drive, and one
// poll of the display refresh in-process. Prints one line per case; the CPU
// figures are the best of three runs, as the machine is shared.
#include <windows.h>
#include <mmsystem.h>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/player/player_window.h"
#include "support/virtual_disc.h"
#include "common/fixed_text.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "support/test_support.h"

namespace {

double NowMs() {
  LARGE_INTEGER frequency;
  LARGE_INTEGER now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&now);
  return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double FileTimeMs(const FILETIME& time) {
  ULARGE_INTEGER value;
  value.LowPart = time.dwLowDateTime;
  value.HighPart = time.dwHighDateTime;
  return static_cast<double>(value.QuadPart) / 10000.0;
}

DiscContents DemoDisc() {
  DiscContents disc;
  disc.tracks = {"04:12:30", "03:48:05", "05:01:60", "02:57:12", "04:30:00", "03:21:44",
                 "06:05:18", "03:59:70", "04:44:02", "02:38:55", "05:17:33", "07:02:09"};
  return disc;
}

// A drive without a command log: the log is the tests' and costs a file
// append per command, which a real drive does not.
struct QuietDrive {
  QuietDrive() : drive(DemoDisc()) { SetEnvironmentVariableA("ZANTO_VIRTUAL_CD_LOG", nullptr); }
  VirtualDisc drive;
};

// The player on the default skin in this process, as the program runs it.
std::unique_ptr<PlayerWindow> OpenPlayer(const ScratchFolder& folder) {
  appSettings.reset(new Settings);
  CopyText(appSettings->iniFolder, (folder.path() + "\\").c_str());
  std::string skin = InstallPath("ZantoPlay1.rc");
  std::unique_ptr<PlayerWindow> player(new PlayerWindow(*appSettings, nullptr));
  if (!player->CreateSkinWindow(nullptr, skin.c_str(), 0, "Zanto Player", WS_POPUP, 30, 40,
                                nullptr, nullptr, appInstance)) {
    return nullptr;
  }
  ShowWindow(player->hwnd, SW_SHOWNOACTIVATE);
  return player;
}

void PumpFor(double milliseconds) {
  double end = NowMs() + milliseconds;
  while (NowMs() < end) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    // Sleeps until the next message, as the program's own loop does.
    double left = end - NowMs();
    if (left > 0) MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left) + 1, QS_ALLINPUT);
  }
}

double ProcessCpuMs() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  return FileTimeMs(kernel) + FileTimeMs(user);
}

constexpr int kRuns = 3;  // best of: other programs share the machine

bool Has(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

// The commands a second the player on its own timers sends while stopped with
// the demo disc in, then while playing it, counted from the drive's log over
// `seconds` each (the log's times are this process's performance counter).
void BenchTraffic(int seconds) {
  ScratchFolder folder;
  VirtualDisc drive(DemoDisc());
  std::unique_ptr<PlayerWindow> player = OpenPlayer(folder);
  if (!player) {
    printf("mci    commands a second              skipped: the default skin did not load\n");
    return;
  }
  PumpFor(1200);  // the disc is found
  char modeItem[32];
  FormatText(modeItem, sizeof(modeItem), "item=%d ", static_cast<int>(MCI_STATUS_MODE));
  char positionItem[32];
  FormatText(positionItem, sizeof(positionItem), "item=%d ", static_cast<int>(MCI_STATUS_POSITION));
  struct Phase { const char* name; WORD command; } phases[] = {{"stopped", IDM_STOP}, {"playing", IDM_PLAY}};
  for (const Phase& phase : phases) {
    SendMessageA(player->hwnd, WM_COMMAND, phase.command, 0);
    PumpFor(600);
    drive.TakeTimedLog();
    double from = NowMs() / 1000.0;
    PumpFor(seconds * 1000.0);
    double to = NowMs() / 1000.0;
    int total = 0, modes = 0, positions = 0, sets = 0;
    for (const LoggedCommand& command : drive.TakeTimedLog()) {
      if (command.seconds < from || command.seconds >= to) continue;
      ++total;
      if (Has(command.text, modeItem)) ++modes;
      if (Has(command.text, positionItem)) ++positions;
      if (command.text.compare(0, 4, "SET ") == 0) ++sets;
    }
    double span = to - from;
    printf("mci    %-7s %3d s                 %5.1f commands a second (mode %.1f, position %.1f, "
           "time format %.1f, other %.1f)\n",
           phase.name, seconds, total / span, modes / span, positions / span, sets / span,
           (total - modes - positions - sets) / span);
  }
  player.reset();
  appSettings.reset();
}

// The whole process (player, its timers and the in-process driver) stopped
// with the demo disc in, or playing it: the best of kRuns runs.
void BenchCpu(int seconds, bool playing) {
  const char* name = playing ? "playing" : "stopped";
  double best = -1;
  char title[128] = "";
  for (int run = 0; run < kRuns; ++run) {
    ScratchFolder folder;
    QuietDrive quiet;
    std::unique_ptr<PlayerWindow> player = OpenPlayer(folder);
    if (!player) {
      printf("cpu    %s                       skipped: the default skin did not load\n", name);
      return;
    }
    PumpFor(1200);  // the disc is found
    if (playing) SendMessageA(player->hwnd, WM_COMMAND, IDM_PLAY, 0);
    double cpuBefore = ProcessCpuMs();
    double start = NowMs();
    PumpFor(seconds * 1000.0);
    double share = 100.0 * (ProcessCpuMs() - cpuBefore) / (NowMs() - start);
    if (best < 0 || share < best) best = share;
    GetWindowTextA(player->hwnd, title, sizeof(title));
    player.reset();
    appSettings.reset();
  }
  printf("cpu    %-7s the demo disc %3d s    %.2f %% of one core, best of %d (title \"%s\")\n", name, seconds,
         best, kRuns, title);
}

// One poll period while playing: four plain ticks and one refresh.
void BenchPollTick() {
  ScratchFolder folder;
  QuietDrive quiet;
  std::unique_ptr<PlayerWindow> player = OpenPlayer(folder);
  if (!player) {
    printf("tick   poll while playing             skipped: the default skin did not load\n");
    return;
  }
  KillTimer(player->hwnd, kPollTimer);
  KillTimer(player->hwnd, kAnimationTimer);
  auto tick = [&] { SendMessageA(player->hwnd, WM_TIMER, kPollTimer, 0); };
  for (int i = 0; i < 5; ++i) tick();  // finds the disc
  player->PlayTrackAt(1, 0, 0, 0);
  constexpr int kPolls = 200;
  double bestPlain = -1;
  double bestRefresh = -1;
  for (int run = 0; run < kRuns; ++run) {
    double plain = 0;
    double refresh = 0;
    for (int i = 0; i < kPolls * 5; ++i) {
      double start = NowMs();
      tick();
      (player->View().pollTickCount == 0 ? refresh : plain) += NowMs() - start;
      PumpFor(0);
    }
    if (bestPlain < 0 || plain < bestPlain) bestPlain = plain;
    if (bestRefresh < 0 || refresh < bestRefresh) bestRefresh = refresh;
  }
  printf("tick   poll while playing             plain tick %6.3f ms, refresh tick %6.3f ms: %.2f %% of one core, "
         "best of %d\n",
         bestPlain / (kPolls * 4), bestRefresh / kPolls, 100.0 * (bestPlain + bestRefresh) / (kPolls * 500.0), kRuns);
  player.reset();
  appSettings.reset();
}

}  // namespace

int main(int argc, char** argv) {
  appInstance = GetModuleHandleA(nullptr);
  InitCommonControls();
  RegisterPlayerClass(appInstance);
  int seconds = argc > 1 ? atoi(argv[1]) : 60;
  BenchTraffic(seconds < 10 ? seconds : 10);
  BenchPollTick();
  BenchCpu(seconds, false);
  BenchCpu(seconds, true);
  return 0;
}
