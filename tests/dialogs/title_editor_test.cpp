// The title editor run in this process, driven from inside its own loop.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "cd/msf.h"
#include "common/fixed_text.h"
#include "dialogs/dialog_script.h"
#include "dialogs/title_editor.h"
#include "resources/resource.h"

namespace {

// Records what OK handed over; `accept` false plays a save that failed.
class RecordingHost final : public TitleEditorHost {
 public:
  bool SaveTitles(const DiscTitles& titles) override {
    ++saves;
    saved.reset(new DiscTitles(titles));
    return accept;
  }
  bool accept = true;
  int saves = 0;
  std::unique_ptr<DiscTitles> saved;
};

class TitleEditorTest : public DialogTest {
 protected:
  TitleEditorTest() : sheet(new TitleSheet()) {
    sheet->titles.identity = 0xC0FFEE;
    sheet->titles.trackCount = 3;
    CopyText(sheet->titles.tracks[0], "First");
    CopyText(sheet->titles.tracks[2], "Third");
    sheet->lengths[0] = MakeMsf(4, 5, 70);
  }
  int Run(DialogScript script) {
    ScheduleScript(std::move(script));
    int result = TitleEditor(GetModuleHandleA(nullptr), *sheet, host).Run(nullptr);
    EXPECT_TRUE(ScriptRan()) << "the editor never showed";
    return result;
  }
  static std::string Row(HWND dialog, int row) {
    char text[512] = "";
    SendDlgItemMessageA(dialog, IDC_TITLES_TRACKS, LB_GETTEXT, row, reinterpret_cast<LPARAM>(text));
    return text;
  }
  static void Choose(HWND dialog, int row) {
    SendDlgItemMessageA(dialog, IDC_TITLES_TRACKS, LB_SETCURSEL, row, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_TITLES_TRACKS, LBN_SELCHANGE), 0);
  }

  std::unique_ptr<TitleSheet> sheet;
  RecordingHost host;
};

// Catches: rows without their lengths, the identity not shown, a title
// typed for one track landing on another (or lost when the choice moves
// on), a double-byte character from the IME split, and OK that hands over
// the titles it was given.
TEST_F(TitleEditorTest, TypedTitlesFollowTheChosenTrackAndOkHandsThemOver) {
  std::string section, first, row2, shownForThird;
  EXPECT_EQ(Run([&](HWND dialog) {
              section = ItemText(dialog, IDC_TITLES_SECTION);
              first = Row(dialog, 0);
              Choose(dialog, 1);
              SetDlgItemTextA(dialog, IDC_TITLES_TRACK_TITLE, "");
              // What the IME hands an ANSI window: one double-byte character,
              // which comes back as two queued WM_CHARs.
              SendDlgItemMessageA(dialog, IDC_TITLES_TRACK_TITLE, WM_IME_CHAR, 0x92a9, 1);
              for (MSG msg; PeekMessageA(&msg, nullptr, WM_CHAR, WM_CHAR, PM_REMOVE);) {
                DispatchMessageA(&msg);
              }
              row2 = Row(dialog, 1);
              Choose(dialog, 2);
              shownForThird = ItemText(dialog, IDC_TITLES_TRACK_TITLE);
              SetDlgItemTextA(dialog, IDC_TITLES_DISC_ARTIST, "Band");
              Press(dialog, IDOK);
            }),
            IDOK);
  EXPECT_EQ(section, "CD.ini\x82\xcc\x83\x5a\x83\x4e\x83\x56\x83\x87\x83\x93 : [C0FFEE]");
  EXPECT_EQ(first, "01\t04:05\tFirst");
  EXPECT_EQ(row2, "02\t00:00\t\x92\xa9") << "the list follows the typing";
  EXPECT_EQ(shownForThird, "Third");
  ASSERT_EQ(host.saves, 1);
  EXPECT_EQ(host.saved->identity, 0xC0FFEE);
  EXPECT_STREQ(host.saved->artist, "Band");
  EXPECT_STREQ(host.saved->tracks[0], "First");
  EXPECT_STREQ(host.saved->tracks[1], "\x92\xa9");
  EXPECT_STREQ(host.saved->tracks[2], "Third");
}

// Catches: Cancel or the close box that saves, a failed save that closes
// the editor and loses what was typed, and a disc without tracks that
// leaves the title edit pointing nowhere.
TEST_F(TitleEditorTest, CancelHandsNothingOverAndAFailedSaveKeepsTheEditorOpen) {
  for (UINT end : {static_cast<UINT>(WM_COMMAND), static_cast<UINT>(WM_CLOSE)}) {
    EXPECT_EQ(Run([&](HWND dialog) {
                SetDlgItemTextA(dialog, IDC_TITLES_TRACK_TITLE, "Typed");
                PostMessageA(dialog, end, end == WM_COMMAND ? IDCANCEL : 0, 0);
              }),
              IDCANCEL);
  }
  EXPECT_EQ(host.saves, 0);

  host.accept = false;
  sheet->titles.trackCount = 0;
  bool stayed = false, titleEditOn = true;
  std::string kept;
  EXPECT_EQ(Run([&](HWND dialog) {
              titleEditOn = IsEnabledItem(dialog, IDC_TITLES_TRACK_TITLE);
              SetDlgItemTextA(dialog, IDC_TITLES_DISC_TITLE, "Typed");
              SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
              stayed = IsWindowVisible(dialog) != FALSE;
              kept = ItemText(dialog, IDC_TITLES_DISC_TITLE);
              Press(dialog, IDCANCEL);
            }),
            IDCANCEL);
  EXPECT_EQ(host.saves, 1);
  EXPECT_TRUE(stayed);
  EXPECT_EQ(kept, "Typed");
  EXPECT_FALSE(titleEditOn);
}

}  // namespace
