// The real program builds its skinned window from the default resource file,
// or reports the picture that failed.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/fixed_text.h"
#include "common/handles.h"
#include "program_driver.h"
#include "resources/resource.h"
#include "support/test_support.h"
#include "window/skin_files.h"

namespace {

TEST(SkinStartup, TheWindowHasTheSkinsSizeAndShapeAndClosingEndsTheProgram) {
  ScratchFolder folder;
  ProgramDriver program(folder.path());
  auto shape = [](int x, int y) { return x < 10 && y < 10 ? kMagenta : TestPattern(x, y); };
  ASSERT_TRUE(WriteBmp(folder.File("back.bmp"), 70, 50, shape));
  ASSERT_TRUE(WriteBmp(folder.File("dim.bmp"), 70, 50, RGB(5, 5, 5)));
  ASSERT_TRUE(WriteFileBytes(folder.File("ZantoPlay1.rc"),
                             "BackgroundImage back.bmp\r\nBackgroundImageInactive dim.bmp\r\n"));
  ASSERT_TRUE(program.Start());
  HWND window = program.WaitForWindow("LuloWnd", 15000);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(WindowText(window), "Zanto Player");
  RECT outer;
  GetWindowRect(window, &outer);
  EXPECT_EQ(outer.right - outer.left, 70);
  EXPECT_EQ(outer.bottom - outer.top, 50);
  unique_hrgn region(CreateRectRgn(0, 0, 0, 0));
  ASSERT_NE(GetWindowRgn(window, region.get()), ERROR);
  EXPECT_FALSE(PtInRegion(region.get(), 3, 3));
  EXPECT_TRUE(PtInRegion(region.get(), 3, 30));

  PostMessageA(window, WM_CLOSE, 0, 0);
  DWORD exitCode = 1234;
  ASSERT_TRUE(program.WaitForExit(15000, &exitCode));
  EXPECT_EQ(exitCode, 0u);
}

TEST(SkinStartup, AMissingBackgroundIsReportedByKeyAndPath) {
  ScratchFolder folder;
  ProgramDriver program(folder.path());
  ASSERT_TRUE(WriteFileBytes(folder.File("ZantoPlay1.rc"),
                             "BackgroundImage gone.bmp\r\nBackgroundImageInactive gone.bmp\r\n"));
  ASSERT_TRUE(program.Start());
  DWORD exitCode = 1234;
  EXPECT_EQ(program.AnswerMessageBox(&exitCode),
            ImageFailedMessage("BackgroundImage", folder.File("gone.bmp")));
  EXPECT_EQ(exitCode, 0u);
  EXPECT_FALSE(FileExists(folder.File("ZantoPlay.ini")));
}

}  // namespace
