// The real program started at saved positions at and past the screen's
// edges opens where the mouse can take hold of it, and saves that place.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>

#include "program_driver.h"
#include "support/test_support.h"

namespace {

// Catches: a position at an edge taken as on the screen (an off-by-one), the
// end of the 32-bit range giving a window of 0 x 0, and such a place written
// back for the next start.
TEST(WindowReach, SavedPositionsAtTheEdgesOpenAWindowWithinReachAndAreSavedThere) {
  RECT work = {};
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
  for (POINT saved : {POINT{work.right, work.bottom}, POINT{-380, 100}, POINT{100, -124}, POINT{INT_MAX, INT_MAX}}) {
    SCOPED_TRACE(std::to_string(saved.x) + "," + std::to_string(saved.y));
    ScratchFolder folder;
    ProgramDriver program(folder.path());
    WriteSkin(folder, "ZantoPlay1", 380, 124);
    ASSERT_TRUE(WriteFileBytes(folder.File("ZantoPlay.ini"), "[MainWindow]\r\nPositionX=" + std::to_string(saved.x) +
                                                                 "\r\nPositionY=" + std::to_string(saved.y) + "\r\n"));
    ASSERT_TRUE(program.Start());
    HWND window = program.WaitForWindow("LuloWnd", 15000);
    ASSERT_NE(window, nullptr);
    RECT r = {};
    GetWindowRect(window, &r);
    // The grip: 32 px across and down on the work area.
    EXPECT_GE(std::min(r.right, work.right) - std::max(r.left, work.left), 32) << "across";
    EXPECT_GE(std::min(r.bottom, work.bottom) - std::max(r.top, work.top), 32) << "down";
    PostMessageA(window, WM_CLOSE, 0, 0);
    DWORD exitCode = 1234;
    ASSERT_TRUE(program.WaitForExit(10000, &exitCode));
    EXPECT_EQ(IniValue(folder.File("ZantoPlay.ini"), "MainWindow", "PositionX"), std::to_string(r.left));
    EXPECT_EQ(IniValue(folder.File("ZantoPlay.ini"), "MainWindow", "PositionY"), std::to_string(r.top));
  }
}

}  // namespace
