// The disc lookup end to end: the player's real WinHTTP path against the
// stand-in server on 127.0.0.1, with the virtual drive's discs.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/application.h"
#include "app/player/player_fixture.h"
#include "common/fixed_text.h"
#include "dialogs/dialog_script.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "support/lookup_stand_in.h"

namespace {

using PlayerLookupTest = PlayerTest;

// The discs differ by their tracks' length, so by their ids (lookup_discs.json).
// Catches: no request, or one without the program's User-Agent or for a
// wrong id or path (the stand-in knows only the right ones); gnudb not asked
// when the first server does not know the disc, or asked without a valid
// address or after another failure; titles misread, not converted or not
// written at once; the chooser's pick ignored; a 503 not tried again; a
// message box on an automatic failure; a window that waits for the answer;
// an answer written for a disc swapped meanwhile; and a lookup by hand that
// writes behind the user's back, fails silently or shows nothing meanwhile.
TEST_F(PlayerLookupTest, NewDiscsGetTheirTitlesAndFailuresStaySilent) {
  const std::string standIn = StandInAddress();
  if (standIn.empty()) GTEST_SKIP() << "runs in player_lookup_session, under the disc database's stand-in";
  CopyText(appSettings->gnudbServer, standIn.c_str());
  const std::string cdIni = folder.File("CD.ini");
  struct Case {
    const char* what;
    const char* length;
    int choose;             // the chooser's pick; -1: no chooser expected
    const char* written;    // CD.ini afterwards
    size_t requests;        // of the stand-in so far
    const char* user = "me@example.org";
    const char* server = nullptr;  // the stand-in's unless given
    const char* swapTo = nullptr;  // swapped in before the answer comes, with `written` as its titles
  } cases[] = {
      {"one match", "04:00:01", -1,
       "[1234]\r\nTitle=Album\r\nArtist=Band\r\n0=\x92\xa9\x82\xcc\x89\xcc" /* 朝の歌 */ "\r\n1=Noon & Night\r\n2=Caf?\r\n", 1},
      {"several releases", "04:00:02", 1, "[1234]\r\nTitle=Second\r\nArtist=B\r\n0=b1\r\n1=b2\r\n2=b3\r\n", 2},
      {"a 404, and gnudb's 202", "04:00:09", -1, "", 4},
      {"a 404, and no valid address for gnudb", "04:00:08", -1, "", 5, "me@"},
      {"a 503, then the retry", "04:00:03", -1, "[1234]\r\nTitle=Busy\r\nArtist=C\r\n0=c1\r\n1=c2\r\n2=c3\r\n", 7},
      {"a malformed body", "04:00:04", -1, "", 8},
      {"nothing listening", "04:00:06", -1, "", 8, "me@example.org", "http://127.0.0.1:1"},
      {"gnudb's inexact list", "04:00:07", 1, "[1234]\r\nTitle=Nearer\r\nArtist=Y\r\n0=y1\r\n1=y2\r\n2=y3\r\n", 12},
      {"a slow answer for a disc swapped meanwhile", "04:00:05", -1, "[1234]\r\n0=Mine\r\n", 13, "", nullptr, "04:00:09"},
  };
  for (const Case& c : cases) {
    DeleteFileA(cdIni.c_str());
    CopyText(appSettings->gnudbUser, c.user);
    CopyText(appSettings->lookupServer, c.server ? c.server : standIn.c_str());
    std::string shown = "nothing";
    ScheduleScript([&](HWND dialog) {
      shown = GetDlgItem(dialog, IDC_RELEASE_LIST) ? "the chooser" : "a message box";
      SendDlgItemMessageA(dialog, IDC_RELEASE_LIST, LB_SETCURSEL, c.choose, 0);
      Press(dialog, IDOK);
    });
    DWORD before = GetTickCount();
    if (player) ChangeDisc(TracksOf(3, c.length));
    if (!player) Open(TracksOf(3, c.length));
    Poll();
    EXPECT_LT(GetTickCount() - before, 2500u) << c.what << ": the window waited for the answer";
    ASSERT_TRUE(DiscPresent()) << c.what;
    if (c.swapTo) {  // a titled disc, once the stand-in has the request and before it answers
      ASSERT_TRUE(PumpUntil(3000, [&] { return StandInRequests() == c.requests; })) << c.what;
      ASSERT_TRUE(WriteFileBytes(cdIni, c.written));
      ChangeDisc(TracksOf(3, c.swapTo));
      Poll();
    }
    EXPECT_TRUE(PumpUntil(8000, [&] { return !player->View().lookupPending; })) << c.what << ": no answer";
    EXPECT_EQ(c.choose >= 0 ? "the chooser" : "nothing", shown) << c.what;
    CancelScript();
    EXPECT_EQ(c.written, ReadFileBytes(cdIni)) << c.what;
    EXPECT_EQ(c.written[0] != '\0', strncmp(player->text, "1. ", 3) == 0) << c.what << ": the text window";
    ASSERT_EQ(c.requests, StandInRequests()) << c.what;
  }

  // By hand, the found titles are proposed in the editor, over what is there;
  // Cancel keeps nothing. A failure by hand says why.
  ASSERT_TRUE(WriteFileBytes(cdIni, "[1234]\r\n0=Mine\r\n"));
  ChangeDisc(TracksOf(3, "04:00:01"));
  Poll();
  EXPECT_FALSE(player->View().lookupPending) << "a disc with titles was looked up by itself";
  std::string proposed;
  ScheduleScript([&](HWND dialog) {
    char text[64] = "";
    GetDlgItemTextA(dialog, IDC_TITLES_TRACK_TITLE, text, sizeof(text));
    proposed = text;
    Press(dialog, IDCANCEL);
  });
  Command(IDM_LOOKUP_TITLES);
  EXPECT_EQ(ResourceText(IDS_TEXT_LOOKING_UP), player->text) << "a lookup by hand that shows nothing meanwhile";
  EXPECT_TRUE(PumpUntil(8000, [&] { return ScriptRan(); })) << "no editor opened";
  EXPECT_STREQ("1. Mine", player->text) << "still under way after its answer";
  EXPECT_EQ("\x92\xa9\x82\xcc\x89\xcc", proposed) << "the user's own title stayed in the proposal";
  EXPECT_EQ("[1234]\r\n0=Mine\r\n", ReadFileBytes(cdIni));
  ChangeDisc(TracksOf(3, "04:00:09"));
  Poll();
  std::string said;
  ScheduleScript([&](HWND box) {
    said = ItemText(box, 0xFFFF);  // a message box's text
    Press(box, IDOK);
  });
  Command(IDM_LOOKUP_TITLES);
  EXPECT_TRUE(PumpUntil(8000, [&] { return ScriptRan(); })) << "a failed lookup by hand said nothing";
  EXPECT_EQ(ResourceText(IDS_LOOKUP_NOT_FOUND_ASK_GNUDB), said) << "nor that gnudb, unasked, may know it";
}

}  // namespace
