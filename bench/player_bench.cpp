// What the player costs while it plays: the CPU time of the real program
// playing a demo disc on the virtual drive for a minute, and one poll of the
// display refresh in-process. Prints one line per case.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "app/application.h"
#include "app/player_window.h"
#include "cd/virtual_disc.h"
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
  std::unique_ptr<PlayerWindow> player(new PlayerWindow);
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

// The whole process (player, its timers and the in-process driver) while
// the demo disc plays.
void BenchPlaying(int seconds) {
  ScratchFolder folder;
  QuietDrive quiet;
  std::unique_ptr<PlayerWindow> player = OpenPlayer(folder);
  if (!player) {
    printf("cpu    playing the demo disc          skipped: the default skin did not load\n");
    return;
  }
  PumpFor(1200);  // the disc is found
  SendMessageA(player->hwnd, WM_COMMAND, IDM_PLAY, 0);
  double cpuBefore = ProcessCpuMs();
  double start = NowMs();
  PumpFor(seconds * 1000.0);
  double cpu = ProcessCpuMs() - cpuBefore;
  double wall = NowMs() - start;
  char title[128] = "";
  GetWindowTextA(player->hwnd, title, sizeof(title));
  printf("cpu    playing the demo disc %3d s    %7.1f ms of CPU = %.2f %% of one core (title \"%s\")\n",
         seconds, cpu, 100.0 * cpu / wall, title);
  player.reset();
  appSettings.reset();
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
  double plain = 0;
  double refresh = 0;
  for (int i = 0; i < kPolls * 5; ++i) {
    double start = NowMs();
    tick();
    (player->pollTickCount == 0 ? refresh : plain) += NowMs() - start;
    PumpFor(0);
  }
  printf("tick   poll while playing             plain tick %6.3f ms, refresh tick %6.3f ms: %.2f %% of one core\n",
         plain / (kPolls * 4), refresh / kPolls, 100.0 * (plain + refresh) / (kPolls * 500.0));
  player.reset();
  appSettings.reset();
}

}  // namespace

int main(int argc, char** argv) {
  appInstance = GetModuleHandleA(nullptr);
  InitCommonControls();
  RegisterPlayerClass(appInstance);
  int seconds = argc > 1 ? atoi(argv[1]) : 60;
  BenchPollTick();
  BenchPlaying(seconds);
  return 0;
}
