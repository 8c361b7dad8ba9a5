// Starts the real program in a folder of its own and reads what it shows.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "program_driver.h"
#include "resources/resource.h"
#include "support/test_support.h"

namespace {

// Waits for the program's message box, checks it, dismisses it, and checks
// that the program then ends with code 0 without having written its settings.
void ExpectStartupMessage(ScratchFolder& folder, ProgramDriver& program, const std::string& expected) {
  ASSERT_TRUE(program.Start());
  HWND box = program.WaitForWindow("#32770", 15000);
  ASSERT_NE(box, nullptr) << "no message box appeared";
  EXPECT_EQ(WindowText(box), "Zanto Player");
  EXPECT_EQ(MessageBoxText(box), expected);
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  DWORD exitCode = 1234;
  ASSERT_TRUE(program.WaitForExit(15000, &exitCode));
  EXPECT_EQ(exitCode, 0u);
  EXPECT_EQ(kGivenSettings, ReadFileBytes(folder.File("ZantoPlay.ini")));
  EXPECT_FALSE(FileExists(folder.File("CD.ini")));
}

TEST(Startup, TooLongLineInTheResourceFileIsReportedWithItsNumber) {
  ScratchFolder folder;
  ProgramDriver program(folder.path());
  std::string rc = "# a skin\r\nBackgroundImage back.bmp\r\nAbout " + std::string(294, 'x') + "\r\n";
  ASSERT_TRUE(WriteFileBytes(folder.File("ZantoPlay1.rc"), rc));
  std::string format = ResourceText(IDS_RESOURCE_LINE_TOO_LONG);
  size_t at = format.find("%d");
  ASSERT_NE(at, std::string::npos);
  std::string expected = format.substr(0, at) + "3" + format.substr(at + 2) + "\n" + folder.File("ZantoPlay1.rc");
  ExpectStartupMessage(folder, program, expected);
}

TEST(Startup, MissingResourceFileIsReportedWithItsPath) {
  ScratchFolder folder;
  ProgramDriver program(folder.path());
  ExpectStartupMessage(folder, program, ResourceText(IDS_RESOURCE_OPEN_FAILED) + "\n" + folder.File("ZantoPlay1.rc"));
}

}  // namespace
