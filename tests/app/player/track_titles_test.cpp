// The player's title editor command on the virtual drive: what OK leaves in
// CD.ini and in the text window.
#include <gtest/gtest.h>

#include <string>

#include "app/application.h"
#include "app/rules/track_item_text.h"
#include "dialogs/dialog_script.h"
#include "app/player/player_fixture.h"
#include "resources/resource.h"
#include "settings/settings.h"

namespace {

using TrackTitlesTest = PlayerTest;

// Whether the title commands (edit, look up) are greyed: both or neither.
bool TitleItemsGreyed(PlayerWindow& player) {
  unique_hmenu menu = player.BuildContextMenu();
  UINT edit = GetMenuState(GetSubMenu(menu.get(), 0), IDM_EDIT_TITLES, MF_BYCOMMAND) & MF_GRAYED;
  EXPECT_EQ(edit, GetMenuState(GetSubMenu(menu.get(), 0), IDM_LOOKUP_TITLES, MF_BYCOMMAND) & MF_GRAYED);
  return edit != 0;
}

// Catches: an editor that writes nothing or only at the next poll, a text
// window that waits for the poll, OK after the disc left writing under no
// section (or not at all), and title items left on without a disc.
TEST_F(TrackTitlesTest, OkWritesTheDiscsSectionAtOnceEvenAfterTheDiscLeft) {
  Open(TracksOf(3));  // identity 0x1234
  Poll();
  ASSERT_TRUE(DiscPresent());
  EXPECT_FALSE(TitleItemsGreyed(*player));
  const std::string cdIni = folder.File("CD.ini");

  ScheduleScript([](HWND dialog) {
    SetDlgItemTextA(dialog, IDC_TITLES_TRACK_TITLE, "Harbour");
    Press(dialog, IDOK);
  });
  Command(IDM_EDIT_TITLES);
  EXPECT_TRUE(ScriptRan()) << "command 40020 opened no editor";
  EXPECT_STREQ(player->text, "1. Harbour") << "the text window waits for a poll";
  EXPECT_EQ(ReadFileBytes(cdIni), "[1234]\r\n0=Harbour\r\n");

  bool goneWhileOpen = false;
  ScheduleScript([&](HWND dialog) {
    DiscContents empty;
    empty.present = false;
    drive->Write(empty);
    Poll();  // the poll runs on inside the editor's loop
    goneWhileOpen = !DiscPresent();
    SetDlgItemTextA(dialog, IDC_TITLES_DISC_ARTIST, "Band");
    Press(dialog, IDOK);
  });
  Command(IDM_EDIT_TITLES);
  EXPECT_TRUE(goneWhileOpen);
  EXPECT_EQ(ReadFileBytes(cdIni), "[1234]\r\n0=Harbour\r\nArtist=Band\r\n");

  EXPECT_TRUE(TitleItemsGreyed(*player));
  Command(IDM_EDIT_TITLES);  // returns at once: a modal editor would not
  EXPECT_EQ(ReadFileBytes(cdIni), "[1234]\r\n0=Harbour\r\nArtist=Band\r\n");
}

// Catches: a menu that shows numbers only, an '&' that underlines instead
// of showing, a check mark missing from (or left on another) track, and a
// title too long for its item cut inside a double-byte character, or
// between an '&' and its double, or with its length lost.
TEST_F(TrackTitlesTest, TheTrackMenuShowsTitlesAndChecksTheTrackPlaying) {
  const char kMorning[] = "\x92\xa9\x82\xcc\x89\xcc";  // 朝の歌
  // "N. " and " (4:12)" leave 277 bytes of an item for the title.
  ASSERT_TRUE(WriteFileBytes(folder.File("CD.ini"), "[1234]\r\n0=R&B\r\n1=" + std::string(138, '&') + kMorning +
                                                        "\r\n2=xx" + std::string(257, '&') + "\r\n"));
  Open(TracksOf(4));
  Poll();
  ASSERT_TRUE(DiscPresent());
  Command(static_cast<WORD>(IDM_TRACK_BASE + 2));
  Poll();
  unique_hmenu menu = player->BuildContextMenu();
  HMENU tracks = GetSubMenu(GetSubMenu(menu.get(), 0), 2);
  const std::string expected[] = {"1. R&&B (4:12)", "2. " + std::string(276, '&') + " (4:12)",
                                  "3. xx" + std::string(274, '&') + " (4:12)", "04 (04:12)"};
  for (int i = 0; i < 4; ++i) {
    char text[kTrackItemSize] = "";
    GetMenuStringA(tracks, static_cast<UINT>(i), text, sizeof(text), MF_BYPOSITION);
    EXPECT_EQ(expected[i], text) << i;
    EXPECT_EQ(i == 1, (GetMenuState(tracks, static_cast<UINT>(i), MF_BYPOSITION) & MF_CHECKED) != 0) << i;
  }
  Command(IDM_STOP);
}

}  // namespace
