// The real program and the disc database's stand-in: a new disc's titles
// arrive by themselves, and without a network the player plays as before.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "program_driver.h"
#include "resources/resource.h"
#include "support/lookup_stand_in.h"
#include "support/test_support.h"
#include "support/virtual_disc.h"
#include "window/skin_files.h"

namespace {

std::string Ini(const std::string& path, const char* section, const char* key) {
  char value[MAX_PATH] = "";
  GetPrivateProfileStringA(section, key, "", value, sizeof(value), path.c_str());
  return value;
}

// Catches: no lookup as the disc arrives, a wrong id (the stand-in knows only
// this disc's), titles left out or not in the code page, a message box when
// offline, and a player that no longer plays without a network.
TEST(LookupSession, ANewDiscGetsItsTitlesAndOfflineTheDiscPlaysAsBefore) {
  ScratchFolder folder;
  ASSERT_TRUE(WriteBmp(folder.File("skin.bmp"), 70, 50, TestPattern));
  ASSERT_TRUE(WriteFileBytes(folder.File("ZantoPlay1.rc"), "BackgroundImage skin.bmp\r\nBackgroundImageInactive skin.bmp\r\n"));
  LookupStandIn standIn(R"({"discs": [{"tracks": ["03:00:07", "02:10:00", "05:00:74"], "releases": [
    {"title": "夜明け", "artist": "Band", "tracks": ["朝の歌", "昼", "夜"]}]}]})");
  ASSERT_TRUE(standIn.Ready());
  DiscContents disc;
  disc.tracks = {"03:00:07", "02:10:00", "05:00:74"};
  disc.identity = std::to_string(0x1234);
  VirtualDisc drive{disc};
  const std::string cdIni = folder.File("CD.ini");
  {
    ASSERT_TRUE(WriteFileBytes(folder.File("ZantoPlay.ini"), "[Lookup]\r\nServer=" + standIn.Address() + "\r\n"));
    ProgramDriver program(folder.path());
    ASSERT_TRUE(program.Start());
    HWND window = program.WaitForWindow("LuloWnd", 15000);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(WaitFor(8000, [&] { return Ini(cdIni, "1234", "2") == "\x96\xe9"; })) << ReadFileBytes(cdIni);
    EXPECT_EQ("\x96\xe9\x96\xbe\x82\xaf", Ini(cdIni, "1234", "Title"));  // 夜明け
    EXPECT_EQ("Band", Ini(cdIni, "1234", "Artist"));
    EXPECT_EQ("\x92\xa9\x82\xcc\x89\xcc", Ini(cdIni, "1234", "0"));  // 朝の歌
    EXPECT_EQ("\x92\x8b", Ini(cdIni, "1234", "1"));                  // 昼
    EXPECT_EQ(1u, standIn.Requests().size());
    PostMessageA(window, WM_CLOSE, 0, 0);
    DWORD exitCode = 1;
    EXPECT_TRUE(program.WaitForExit(10000, &exitCode));
  }
  {
    DeleteFileA(cdIni.c_str());
    ASSERT_TRUE(WriteFileBytes(folder.File("ZantoPlay.ini"), "[Lookup]\r\nServer=http://127.0.0.1:1\r\n"));
    ProgramDriver program(folder.path());
    ASSERT_TRUE(program.Start());
    HWND window = program.WaitForWindow("LuloWnd", 15000);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(WaitForTitle(window, "[01] 00:00 - Zanto Player", 6000)) << WindowText(window);
    drive.TakeLog();
    PostMessageA(window, WM_COMMAND, IDM_PLAY, 0);
    EXPECT_TRUE(WaitFor(5000, [&] {
      for (const std::string& line : drive.TakeLog()) {
        if (line.find("PLAY ") != std::string::npos) return true;
      }
      return false;
    }));
    EXPECT_EQ(nullptr, program.WaitForWindow("#32770", 1500)) << "a message box while offline";
    PostMessageA(window, WM_CLOSE, 0, 0);
    DWORD exitCode = 1;
    EXPECT_TRUE(program.WaitForExit(10000, &exitCode));
  }
}

}  // namespace
