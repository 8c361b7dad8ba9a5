// The real program started at saved positions at and past the screen's
// edges: its window opens where the mouse can take hold of it, and that is
// the place saved.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>

#include "program_driver.h"
#include "support/test_support.h"
#include "window/skin_files.h"

namespace {

// The grip the program leaves on the screen, across and down.
constexpr int kGrip = 32;

// Catches: a position at an edge taken as on the screen (an off-by-one), the
// end of the 32-bit range giving a window of 0 x 0 or 127 px, and such a
// place written back for the next start.
TEST(WindowReach, SavedPositionsAtTheEdgesOpenAWindowWithinReachAndAreSavedThere) {
  RECT work = {};
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
  const POINT kSaved[] = {{work.right, work.bottom}, {-380, 100}, {100, -124}, {INT_MAX, INT_MAX}};
  for (POINT saved : kSaved) {
    SCOPED_TRACE(std::to_string(saved.x) + "," + std::to_string(saved.y));
    ScratchFolder folder;
    ProgramDriver program(folder.path());
    ASSERT_TRUE(WriteBmp(folder.File("back.bmp"), 380, 124, TestPattern));
    ASSERT_TRUE(WriteFileBytes(folder.File("ZantoPlay1.rc"),
                               "BackgroundImage back.bmp\r\nBackgroundImageInactive back.bmp\r\n"));
    ASSERT_TRUE(WriteFileBytes(folder.File("ZantoPlay.ini"), "[MainWindow]\r\nPositionX=" + std::to_string(saved.x) +
                                                                 "\r\nPositionY=" + std::to_string(saved.y) + "\r\n"));
    ASSERT_TRUE(program.Start());
    HWND window = program.WaitForWindow("LuloWnd", 15000);
    ASSERT_NE(window, nullptr);
    RECT r = {};
    GetWindowRect(window, &r);
    EXPECT_EQ(r.right - r.left, 380);
    EXPECT_EQ(r.bottom - r.top, 124);
    EXPECT_GE(std::min(r.right, work.right) - std::max(r.left, work.left), kGrip) << "across";
    EXPECT_GE(std::min(r.bottom, work.bottom) - std::max(r.top, work.top), kGrip) << "down";

    PostMessageA(window, WM_CLOSE, 0, 0);
    DWORD exitCode = 1234;
    ASSERT_TRUE(program.WaitForExit(10000, &exitCode));
    std::string ini = folder.File("ZantoPlay.ini");
    EXPECT_EQ(IniValue(ini, "MainWindow", "PositionX"), std::to_string(r.left));
    EXPECT_EQ(IniValue(ini, "MainWindow", "PositionY"), std::to_string(r.top));
  }
}

}  // namespace
