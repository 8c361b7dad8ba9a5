// The real program keeps its settings beside itself, and leaves them alone
// when start-up fails.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "../e2e/program_driver.h"
#include "resources/resource.h"
#include "support/test_support.h"

namespace {

TEST(StartupSettings, NormalShutdownWritesTheSettingsBesideTheProgram) {
  ScratchFolder folder;
  ProgramDriver program(folder.path());
  // The default skin: its resource file and the pictures it names.
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(SourcePath("skins/default/*").c_str(), &found);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    CopyFileA(SourcePath(std::string("skins/default/") + found.cFileName).c_str(),
              folder.File(found.cFileName).c_str(), FALSE);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  ASSERT_TRUE(program.Start());
  HWND window = program.WaitForWindow("LuloWnd", 15000);
  ASSERT_NE(window, nullptr);
  PostMessageA(window, WM_CLOSE, 0, 0);
  DWORD exitCode = 1234;
  ASSERT_TRUE(program.WaitForExit(15000, &exitCode));
  std::string ini = ReadFileBytes(folder.File("ZantoPlay.ini"));
  EXPECT_NE(ini.find("LastFile=" + folder.File("ZantoPlay1.rc") + "\r\n"), std::string::npos) << ini;
}

// The last skin is tried first (here one whose background is all magenta,
// which would be an invisible window), then the default one beside the
// program; with neither, the start ends after both messages and writes nothing.
TEST(StartupSettings, FailedStartUpTriesLastFileThenTheDefaultAndLeavesTheFileAlone) {
  ScratchFolder folder;
  ProgramDriver program(folder.path());
  WriteSkin(folder, "empty", 1, 1, Solid(kMagenta));
  const std::string before = "[Resources]\r\nLastFile=" + folder.File("empty.rc") + "\r\n" + kGivenSettings;
  WriteFileBytes(folder.File("ZantoPlay.ini"), before);
  ASSERT_TRUE(program.Start());
  // The first message says the default skin follows.
  const std::string tries[] = {"BackgroundImage ( " + folder.File("empty.bmp") + " )\n" +
                                   ResourceText(IDS_DEFAULT_SKIN_USED),
                               folder.File("ZantoPlay1.rc")};
  for (const std::string& tried : tries) {
    HWND box = program.WaitForWindow("#32770", 15000);
    ASSERT_NE(box, nullptr);
    std::string message = MessageBoxText(box);
    EXPECT_EQ(message.substr(message.find('\n') + 1), tried) << message;
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    // The next box may come before this one is gone.
    WaitUntilGone(box, 2000);
  }
  DWORD exitCode = 1234;
  ASSERT_TRUE(program.WaitForExit(15000, &exitCode));
  EXPECT_EQ(exitCode, 0u);
  EXPECT_EQ(ReadFileBytes(folder.File("ZantoPlay.ini")), before);
}

}  // namespace
