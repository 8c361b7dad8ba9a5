// Osuwari in the real program: with DoOsuwari=1 the player is topmost and
// sits on the title bar of a window of another program (this test's), and
// follows it when it moves.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/handles.h"
#include "program_driver.h"
#include "support/test_support.h"
#include "window/skin_files.h"

namespace {

// Dispatches this thread's messages until the player's corner is `expected`
// or the time is up; gives the last corner seen.
POINT WaitForCorner(HWND player, POINT expected, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  RECT rect = {};
  for (;;) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    GetWindowRect(player, &rect);
    if ((rect.left == expected.x && rect.top == expected.y) || GetTickCount() - start > timeoutMs) break;
    Sleep(10);
  }
  return POINT{rect.left, rect.top};
}

TEST(Osuwari, ThePlayerIsTopmostSitsOnTheForegroundWindowAndFollowsIt) {
  ScratchFolder folder;
  ProgramDriver program(folder.path());
  ASSERT_TRUE(WriteBmp(folder.File("back.bmp"), 80, 60, TestPattern));
  ASSERT_TRUE(WriteBmp(folder.File("dim.bmp"), 80, 60, RGB(5, 5, 5)));
  ASSERT_TRUE(WriteFileBytes(folder.File("ZantoPlay1.rc"),
                             "BackgroundImage back.bmp\r\nBackgroundImageInactive dim.bmp\r\n"));
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

  PostMessageA(player, WM_CLOSE, 0, 0);
  DWORD exitCode = 1234;
  ASSERT_TRUE(program.WaitForExit(15000, &exitCode));
  EXPECT_EQ(exitCode, 0u);
}

}  // namespace
