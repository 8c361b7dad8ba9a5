// The title editor run in this process, driven from inside its own loop.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

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
    CopyText(sheet->titles.title, "Album");
    CopyText(sheet->titles.tracks[0], "First");
    CopyText(sheet->titles.tracks[2], "Third");
    sheet->lengths[0] = MakeMsf(4, 5, 70);
    sheet->lengths[1] = MakeMsf(0, 59, 0);
    sheet->lengths[2] = MakeMsf(12, 0, 0);
  }
  int Run(DialogScript script) {
    ScheduleScript(std::move(script));
    int result = TitleEditor(GetModuleHandleA(nullptr), *sheet, host).Run(nullptr);
    EXPECT_TRUE(ScriptRan()) << "the editor never showed";
    return result;
  }
  static std::vector<std::string> Rows(HWND dialog) {
    std::vector<std::string> rows;
    HWND list = GetDlgItem(dialog, IDC_TITLES_TRACKS);
    for (LRESULT i = 0; i < SendMessageA(list, LB_GETCOUNT, 0, 0); ++i) {
      char row[512] = "";
      SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(row));
      rows.push_back(row);
    }
    return rows;
  }
  static void Choose(HWND dialog, int row) {
    SendDlgItemMessageA(dialog, IDC_TITLES_TRACKS, LB_SETCURSEL, row, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_TITLES_TRACKS, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_TITLES_TRACKS)));
  }
  // Typing replaces the edit's text; the edit itself tells the dialog.
  static void Type(HWND dialog, int id, const char* text) { SetDlgItemTextA(dialog, id, text); }

  std::unique_ptr<TitleSheet> sheet;
  RecordingHost host;
};

// Catches: rows out of order or without their lengths, the identity not
// shown, a title typed for one track landing on another (or lost when the
// choice moves on), and OK that hands over the titles it was given.
TEST_F(TitleEditorTest, TypedTitlesFollowTheChosenTrackAndOkHandsThemOver) {
  std::vector<std::string> before, after;
  std::string section, shownForThird;
  EXPECT_EQ(Run([&](HWND dialog) {
              section = ItemText(dialog, IDC_TITLES_SECTION);
              before = Rows(dialog);
              EXPECT_EQ(ItemText(dialog, IDC_TITLES_TRACK_TITLE), "First") << "the first track is chosen";
              Choose(dialog, 1);
              Type(dialog, IDC_TITLES_TRACK_TITLE, "Second");
              Choose(dialog, 2);
              shownForThird = ItemText(dialog, IDC_TITLES_TRACK_TITLE);
              Type(dialog, IDC_TITLES_TRACK_TITLE, "");
              Type(dialog, IDC_TITLES_DISC_ARTIST, "Band");
              after = Rows(dialog);
              Press(dialog, IDOK);
            }),
            IDOK);
  EXPECT_EQ(section, "CD.ini\x82\xcc\x83\x5a\x83\x4e\x83\x56\x83\x87\x83\x93 : [C0FFEE]");
  EXPECT_EQ(before, (std::vector<std::string>{"01\t04:05\tFirst", "02\t00:59\t", "03\t12:00\tThird"}));
  EXPECT_EQ(after, (std::vector<std::string>{"01\t04:05\tFirst", "02\t00:59\tSecond", "03\t12:00\t"}));
  EXPECT_EQ(shownForThird, "Third");
  ASSERT_EQ(host.saves, 1);
  EXPECT_EQ(host.saved->identity, 0xC0FFEE);
  EXPECT_EQ(host.saved->trackCount, 3);
  EXPECT_STREQ(host.saved->title, "Album");
  EXPECT_STREQ(host.saved->artist, "Band");
  EXPECT_STREQ(host.saved->tracks[0], "First");
  EXPECT_STREQ(host.saved->tracks[1], "Second");
  EXPECT_STREQ(host.saved->tracks[2], "");
}

// Catches: Cancel (or Esc, or the close box) that saves, and a failed save
// that closes the editor and loses what was typed.
TEST_F(TitleEditorTest, CancelHandsNothingOverAndAFailedSaveKeepsTheEditorOpen) {
  for (int end : {IDCANCEL, 0}) {
    EXPECT_EQ(Run([&](HWND dialog) {
                Type(dialog, IDC_TITLES_TRACK_TITLE, "Typed");
                if (end) Press(dialog, end);
                else PostMessageA(dialog, WM_CLOSE, 0, 0);
              }),
              IDCANCEL);
  }
  EXPECT_EQ(host.saves, 0);

  host.accept = false;
  bool stayed = false;
  std::string kept;
  EXPECT_EQ(Run([&](HWND dialog) {
              Type(dialog, IDC_TITLES_TRACK_TITLE, "Typed");
              SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
              stayed = IsWindow(dialog) && IsWindowVisible(dialog);
              kept = ItemText(dialog, IDC_TITLES_TRACK_TITLE);
              Press(dialog, IDCANCEL);
            }),
            IDCANCEL);
  EXPECT_EQ(host.saves, 1);
  EXPECT_TRUE(stayed);
  EXPECT_EQ(kept, "Typed");
}

// Catches: titles cut short of their 259 bytes (or longer ones taken), a
// double-byte title from the IME split, and a disc without tracks that
// leaves a title edit pointing nowhere.
TEST_F(TitleEditorTest, LongAndJapaneseTitlesAndADiscWithoutTracks) {
  const std::string kLong(300, 'L');
  const char kMorning[] = "\x92\xa9";  // "朝"
  EXPECT_EQ(Run([&](HWND dialog) {
              Type(dialog, IDC_TITLES_DISC_TITLE, kLong.c_str());
              HWND edit = GetDlgItem(dialog, IDC_TITLES_TRACK_TITLE);
              SetWindowTextA(edit, "");
              // What the IME hands an ANSI window: one double-byte character.
              SendMessageA(edit, WM_IME_CHAR, 0x92a9, 1);
              Press(dialog, IDOK);
            }),
            IDOK);
  ASSERT_EQ(host.saves, 1);
  EXPECT_EQ(std::string(host.saved->title), kLong.substr(0, 259));
  EXPECT_STREQ(host.saved->tracks[0], kMorning);

  sheet->titles.trackCount = 0;
  bool titleEditOn = true;
  size_t rows = 99;
  EXPECT_EQ(Run([&](HWND dialog) {
              titleEditOn = IsEnabledItem(dialog, IDC_TITLES_TRACK_TITLE);
              rows = Rows(dialog).size();
              Press(dialog, IDOK);
            }),
            IDOK);
  EXPECT_FALSE(titleEditOn);
  EXPECT_EQ(rows, 0u);
  EXPECT_EQ(host.saved->trackCount, 0);
}

}  // namespace
