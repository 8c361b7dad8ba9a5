// The real program and the disc database's stand-in: a new disc's titles
// arrive by themselves, and with nothing listening the player plays as before.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "program_driver.h"
#include "resources/resource.h"
#include "support/lookup_stand_in.h"
#include "support/test_support.h"
#include "support/virtual_disc.h"

namespace {

// Catches: no lookup as the disc arrives, a wrong id (the stand-in knows only
// this disc's) or no program User-Agent (it refuses those), titles left out
// or not in the code page, a message box with nothing listening, and a player
// that no longer plays without the server.
TEST(LookupSession, ANewDiscGetsItsTitlesAndOfflineTheDiscPlaysAsBefore) {
  ScratchFolder folder;
  WriteSkin(folder, "ZantoPlay1", 70, 50);
  LookupStandIn standIn(R"({"discs": [{"tracks": ["03:00:07", "02:10:00", "05:00:74"],
    "releases": [{"title": "夜明け", "artist": "Band", "tracks": ["朝の歌", "昼", "夜"]}]}]})");
  ASSERT_TRUE(standIn.Ready());
  VirtualDisc drive{DiscOf({"03:00:07", "02:10:00", "05:00:74"}, 0x1234)};
  const std::string cdIni = folder.File("CD.ini");
  for (const std::string& server : {standIn.Address(), std::string("http://127.0.0.1:1")}) {
    SCOPED_TRACE(server);
    DeleteFileA(cdIni.c_str());
    ASSERT_TRUE(WriteFileBytes(folder.File("ZantoPlay.ini"), "[Lookup]\r\nServer=" + server + "\r\n"));
    ProgramDriver program(folder.path());
    ASSERT_TRUE(program.Start());
    HWND window = program.WaitForWindow("LuloWnd", 15000);
    ASSERT_NE(window, nullptr);
    if (server == standIn.Address()) {
      EXPECT_TRUE(WaitFor(8000, [&] { return IniValue(cdIni, "1234", "2") == "\x96\xe9"; })) << ReadFileBytes(cdIni);
      EXPECT_EQ("\x96\xe9\x96\xbe\x82\xaf", IniValue(cdIni, "1234", "Title"));  // 夜明け
      EXPECT_EQ("Band", IniValue(cdIni, "1234", "Artist"));
      EXPECT_EQ("\x92\xa9\x82\xcc\x89\xcc", IniValue(cdIni, "1234", "0"));  // 朝の歌
      EXPECT_EQ("\x92\x8b", IniValue(cdIni, "1234", "1"));                  // 昼
      EXPECT_EQ(1u, standIn.Requests());
    } else {
      ASSERT_TRUE(WaitForTitle(window, "[01] 00:00 - Zanto Player", 6000)) << WindowText(window);
      PostMessageA(window, WM_COMMAND, IDM_PLAY, 0);
      EXPECT_TRUE(WaitForCommand(drive, "PLAY "));
      EXPECT_TRUE(WaitForTitle(window, "[01] 00:02", 8000, true)) << WindowText(window);
      EXPECT_EQ(nullptr, program.WaitForWindow("#32770", 0)) << "a message box while offline";
    }
    PostMessageA(window, WM_CLOSE, 0, 0);
    DWORD exitCode = 1;
    EXPECT_TRUE(program.WaitForExit(10000, &exitCode));
  }
}

}  // namespace
