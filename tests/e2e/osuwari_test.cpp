// Osuwari in the real program: with DoOsuwari=1 the player is topmost and
// sits on the title bar of a window of another program (this test's),
// follows it when it moves, stays on the screen wherever that window goes,
// and is still topmost after the settings dialog.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/handles.h"
#include "program_driver.h"
#include "resources/resource.h"
#include "support/test_support.h"

namespace {

// Waits for the player's corner to be `expected`; gives the last corner seen.
POINT WaitForCorner(HWND player, POINT expected, DWORD timeoutMs) {
  RECT rect = {};
  WaitFor(timeoutMs, [&] {
    GetWindowRect(player, &rect);
    return rect.left == expected.x && rect.top == expected.y;
  });
  return POINT{rect.left, rect.top};
}

// Where the player should perch on `target`'s rectangle as it is now (90 %,
// an 80 x 60 player sinking 10 rows), before it is kept on the screen.
POINT Perched(HWND target) {
  RECT r;
  GetWindowRect(target, &r);
  return POINT{r.left + (r.right - r.left) * 90 / 100 - 40, r.top - 50};
}

RECT WorkAreaOf(HWND window) {
  MONITORINFO info = {};
  info.cbSize = sizeof(info);
  GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info);
  return info.rcWork;
}

::testing::AssertionResult WhollyOn(const RECT& area, POINT corner) {
  if (corner.x >= area.left && corner.y >= area.top && corner.x + 80 <= area.right && corner.y + 60 <= area.bottom) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure() << "player at (" << corner.x << ", " << corner.y << ") sticks out of ("
                                       << area.left << ", " << area.top << ")-(" << area.right << ", "
                                       << area.bottom << ")";
}

bool Topmost(HWND hwnd) { return (GetWindowLongPtrA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

// Opens the settings by their menu command and ends them with `button`.
bool RunSettings(ProgramDriver& program, HWND player, int button) {
  PostMessageA(player, WM_COMMAND, IDM_PREFERENCES, 0);
  HWND dialog = program.WaitForWindow("#32770", 5000);
  if (!dialog) return false;
  PostMessageA(dialog, WM_COMMAND, button, 0);
  // The player's own work after the dialog is done once it takes the next command.
  return WaitUntilGone(dialog) && program.WaitForPostedMessages(player);
}

TEST(Osuwari, ThePlayerSitsOnTheForegroundWindowFollowsItOnTheScreenAndStaysTopmost) {
  ScratchFolder folder;
  ProgramDriver program(folder.path());
  WriteSkin(folder, "ZantoPlay1", 80, 60, TestPattern, "", RGB(5, 5, 5));
  ASSERT_TRUE(WriteFileBytes(folder.File("ZantoPlay.ini"), "[Osuwari]\r\nDoOsuwari=1\r\nOsuwariXPer=90\r\n"));
  ASSERT_TRUE(program.Start());
  HWND player = program.WaitForWindow("LuloWnd", 15000);
  ASSERT_NE(player, nullptr);
  EXPECT_TRUE(GetWindowLongPtrA(player, GWL_EXSTYLE) & WS_EX_TOPMOST);

  unique_hwnd window(CreateWindowExA(0, "STATIC", "target", WS_OVERLAPPEDWINDOW, 100, 200, 400, 300, nullptr,
                                     nullptr, GetModuleHandleA(nullptr), nullptr));
  HWND target = window.get();
  ASSERT_NE(target, nullptr);
  ShowWindow(target, SW_SHOW);
  SetForegroundWindow(target);
  ASSERT_EQ(GetForegroundWindow(), target) << "this test's window could not come to the foreground";

  // Centre 90 % across the 400 pixels, lowest ten rows over the title bar.
  POINT perched = WaitForCorner(player, POINT{100 + 360 - 40, 200 - 50}, 1000);
  EXPECT_EQ(perched.x, 420);
  EXPECT_EQ(perched.y, 150);

  MoveWindow(target, 250, 320, 400, 300, TRUE);
  POINT followed = WaitForCorner(player, POINT{250 + 360 - 40, 320 - 50}, 1000);
  EXPECT_EQ(followed.x, 570);
  EXPECT_EQ(followed.y, 270);

  // Wherever the target goes, the player stays wholly on the work area of
  // the target's monitor, perching as near as it can.
  const RECT work = WorkAreaOf(target);
  MoveWindow(target, 100, work.top - 300, 400, work.bottom - work.top + 600, TRUE);
  POINT expected = {Perched(target).x, work.top};
  POINT onTall = WaitForCorner(player, expected, 1000);  // a target taller than the screen
  EXPECT_EQ(onTall.x, expected.x);
  EXPECT_EQ(onTall.y, work.top);

  MoveWindow(target, 250, 320, 400, 300, TRUE);
  ShowWindow(target, SW_MAXIMIZE);
  expected = {Perched(target).x, work.top};
  POINT onMaximised = WaitForCorner(player, expected, 1000);
  EXPECT_TRUE(WhollyOn(work, onMaximised)) << "a maximised target";
  EXPECT_EQ(onMaximised.x, expected.x);
  ShowWindow(target, SW_RESTORE);
  SetForegroundWindow(target);  // restoring let the activation go
  ASSERT_EQ(GetForegroundWindow(), target);

  // Only 40 pixels of it on the screen (Wine takes the activation from a
  // window wholly off it): perched 90 % across, the player would be off.
  MoveWindow(target, work.left - 1000, 300, 1040, 300, TRUE);
  POINT offScreen = WaitForCorner(player, POINT{work.left, 250}, 1000);
  EXPECT_EQ(offScreen.x, work.left);
  EXPECT_EQ(offScreen.y, 250);

  // The target closes: the player stays where it can be reached.
  window.reset();
  // Nothing shows that the player has looked again, and it must not go
  // anywhere: a few of its 100 ms perch ticks pass.
  Sleep(300);
  RECT left;
  GetWindowRect(player, &left);
  EXPECT_TRUE(WhollyOn(work, POINT{left.left, left.top})) << "after the target closed";

  // Read from outside: still topmost after the settings dialog, either way.
  ASSERT_TRUE(RunSettings(program, player, IDCANCEL));
  EXPECT_TRUE(Topmost(player)) << "after Cancel";
  ASSERT_TRUE(RunSettings(program, player, IDOK));
  EXPECT_TRUE(Topmost(player)) << "after OK";

  PostMessageA(player, WM_CLOSE, 0, 0);
  DWORD exitCode = 1234;
  ASSERT_TRUE(program.WaitForExit(15000, &exitCode));
  EXPECT_EQ(exitCode, 0u);
  std::string ini = folder.File("ZantoPlay.ini");
  POINT saved = {static_cast<LONG>(GetPrivateProfileIntA("MainWindow", "PositionX", -1, ini.c_str())),
                 static_cast<LONG>(GetPrivateProfileIntA("MainWindow", "PositionY", -1, ini.c_str()))};
  EXPECT_TRUE(WhollyOn(work, saved)) << "the saved place";
}

}  // namespace
