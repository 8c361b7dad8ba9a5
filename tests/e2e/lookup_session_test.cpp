// The real program and the disc database's stand-in: a new disc's titles
// arrive by themselves.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "program_driver.h"
#include "support/lookup_stand_in.h"
#include "support/test_support.h"
#include "support/virtual_disc.h"

namespace {

// What the in-process lookup cannot see: the shipped program's own imports,
// worker and User-Agent (the stand-in refuses others, and knows only this
// disc's id). The titles' bytes and the failures are the in-process table's.
TEST(LookupSession, ANewDiscGetsItsTitlesInTheRealProgram) {
  const std::string standIn = StandInAddress();
  if (standIn.empty()) GTEST_SKIP() << "runs in e2e_lookup_session, under the disc database's stand-in";
  ScratchFolder folder;
  WriteSkin(folder, "ZantoPlay1", 70, 50);
  VirtualDisc drive{DiscOf({"03:00:07", "02:10:00", "05:00:74"}, 0x1234)};
  const std::string cdIni = folder.File("CD.ini");
  ASSERT_TRUE(WriteFileBytes(folder.File("ZantoPlay.ini"), "[Lookup]\r\nServer=" + standIn + "\r\n"));
  ProgramDriver program(folder.path());
  ASSERT_TRUE(program.Start());
  HWND window = program.WaitForWindow("LuloWnd", 15000);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(WaitFor(8000, [&] { return IniValue(cdIni, "1234", "2") == "\x96\xe9"; })) << ReadFileBytes(cdIni);
  EXPECT_EQ("\x92\xa9\x82\xcc\x89\xcc", IniValue(cdIni, "1234", "0"));  // 朝の歌
  EXPECT_EQ(1u, StandInRequests());
}

}  // namespace
