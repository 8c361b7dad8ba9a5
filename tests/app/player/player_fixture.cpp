#include "app/player/player_fixture.h"

#include "cd/mci_cd_drive.h"

#include <commctrl.h>
#include <shlobj.h>

#include "app/application.h"
#include "cd/msf.h"
#include "common/fixed_text.h"
#include "settings/settings.h"
#include "support/test_support.h"

DiscContents TracksOf(int n, const char* length) {
  DiscContents disc;
  disc.tracks.assign(static_cast<size_t>(n), length);
  disc.identity = "4660";  // 0x1234
  return disc;
}

void PlayerTest::SetUpTestSuite() {
  appInstance = GetModuleHandleA(nullptr);
  InitCommonControls();
  RegisterPlayerClass(appInstance);
}

void PlayerTest::SetUp() {
  appSettings.reset(new Settings);
  CopyText(appSettings->iniFolder, (folder.path() + "\\").c_str());
  appSettings->pluginRegistryKey = "Software\\ZantoPlayerTests\\none";
  appSettings->usePlugin = 0;
  // Nothing listens there: no test asks the real service.
  CopyText(appSettings->lookupServer, "http://127.0.0.1:1");
  CopyText(appSettings->lastFile, WriteSkin("main", 80, 40).c_str());
}

void PlayerTest::TearDown() {
  player.reset();
  drive.reset();
  appSettings.reset();
  // The window's end posted WM_QUIT to this thread; later tests pump messages.
  MSG msg;
  while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
}

std::string PlayerTest::WriteSkin(const std::string& name, int width, int height) {
  return ::WriteSkin(folder, name, width, height);
}

void PlayerTest::Open(const DiscContents& disc, double speed, const DriveSettling& settling) {
  drive.reset(new VirtualDisc(disc, speed));
  drive->SetSettling(settling);
  drive->SetFaults(faults);
  drive->SetProfile(profile);
  player.reset(new PlayerWindow(*appSettings, &plugins));
  ASSERT_TRUE(player->CreateSkinWindow(nullptr, appSettings->lastFile, 0, "Zanto Player", WS_POPUP,
                                       30, 40, nullptr, nullptr, appInstance));
  ASSERT_TRUE(player->Drive().IsOpen()) << "is the virtual drive registered as cdaudio?";
  if (keepTimers) return;
  // The test sends the ticks itself.
  KillTimer(player->hwnd, kPollTimer);
  KillTimer(player->hwnd, kAnimationTimer);
}

namespace {

// The clock of the drive's log: this process's performance counter.
double NowSeconds() {
  LARGE_INTEGER frequency;
  LARGE_INTEGER now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

}  // namespace

Traffic PlayerTest::MeasureTraffic(int slices, const std::function<void()>& everySlice) {
  drive->TakeTimedLog();
  double from = NowSeconds();
  for (int i = 0; i < slices; ++i) {
    PumpMessages(50);
    everySlice();
  }
  double to = NowSeconds();
  Traffic counts;
  for (const LoggedCommand& command : drive->TakeTimedLog()) {
    if (command.seconds < from || command.seconds >= to) continue;
    ++counts.total;
    if (Has(command.text, Line("item=%d ", int(MCI_STATUS_MODE)))) ++counts.modes;
    if (Has(command.text, Line("item=%d ", int(MCI_STATUS_POSITION)))) ++counts.positions;
    if (command.text.compare(0, 5, "INFO ") == 0) ++counts.identities;
    if (command.text.compare(0, 4, "SET ") == 0) ++counts.timeFormats;
  }
  double span = to - from;
  for (double* count : {&counts.total, &counts.modes, &counts.positions, &counts.identities, &counts.timeFormats}) {
    *count /= span;
  }
  return counts;
}

void PlayerTest::Poll() {
  for (int i = 0; i < 5; ++i) Tick(kPollTimer);
}

void PlayerTest::Tick(UINT_PTR timer) { SendMessageA(player->hwnd, WM_TIMER, timer, 0); }

void PlayerTest::Command(WORD id) { SendMessageA(player->hwnd, WM_COMMAND, id, 0); }

std::string PlayerTest::Title() const {
  char text[256] = "";
  GetWindowTextA(player->hwnd, text, sizeof(text));
  return text;
}

DWORD PlayerTest::Mode() {
  MCI_STATUS_PARMS parms = {};
  parms.dwItem = MCI_STATUS_MODE;
  if (mciSendCommandA(DeviceId(), MCI_STATUS, MCI_STATUS_ITEM, reinterpret_cast<DWORD_PTR>(&parms))) return 0;
  return static_cast<DWORD>(parms.dwReturn);
}

MCIDEVICEID PlayerTest::DeviceId() const {
  return static_cast<const MciCdDrive&>(player->Drive()).device().deviceId;
}

void PlayerTest::ChangeDisc(const DiscContents& disc) {
  DiscContents open = disc;
  open.trayOpen = true;
  drive->Write(open);
  Poll();
  drive->Write(disc);
  Poll();
}

std::vector<std::string> PlayerTest::Plays() {
  std::vector<std::string> plays;
  for (const std::string& line : drive->TakeLog()) {
    if (line.find("PLAY ") != std::string::npos) plays.push_back(line);
  }
  return plays;
}

std::string PlayerTest::PlayFrom(int track, int minutes, int seconds, int frames) const {
  return Line("from=0x%08lX", MakeTmsf(track, minutes, seconds, frames));
}

HGLOBAL DropOf(const std::string& path) {
  size_t size = sizeof(DROPFILES) + path.size() + 2;
  HGLOBAL memory = GlobalAlloc(GHND, size);
  auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), path.c_str(), path.size());
  GlobalUnlock(memory);
  return memory;
}
