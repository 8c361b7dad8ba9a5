// The settings dialog run in this process, driven from inside its own loop.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "common/fixed_text.h"
#include "dialogs/dialog_script.h"
#include "resources/resource.h"
#include "dialogs/settings_dialog.h"
#include "support/test_support.h"

namespace {

using SettingsPages = DialogTest;

int RunWith(Settings& settings, DialogScript script) {
  ScheduleScript(std::move(script));
  int result = SettingsDialog(GetModuleHandleA(nullptr), settings, nullptr).Run(nullptr);
  EXPECT_TRUE(ScriptRan()) << "the dialog never showed";
  return result;
}

bool Shown(HWND dialog, int id) { return IsWindowVisible(PageWith(dialog, id)) != FALSE; }

// Catches: a page that writes only once shown, values kept out of range, and
// style bits other than bold, italic and underline surviving OK.
TEST_F(SettingsPages, OkWritesEveryPageInRangeThoughNoneWasOpened) {
  Settings& s = settings();
  s.timeWindow = 5;
  s.osuwariXPer = 150;
  s.doOsuwari = 1;
  s.fontStyle = 0xFF;
  s.chgResByCd = 7;
  s.textColor = RGB(1, 2, 3);
  s.autoPlay = 3;
  s.mediaHotKeys = 0;
  CopyText(s.gnudbUser, "old@example.org");
  std::string percent, user;
  bool playTime = false, intervalOn = true;
  EXPECT_EQ(RunWith(settings(), [&](HWND dialog) {
              HWND time = PageWith(dialog, IDC_TIME_PLAYTIME);
              playTime = IsDlgButtonChecked(time, IDC_TIME_PLAYTIME) == BST_CHECKED;
              intervalOn = IsEnabledItem(time, IDC_TIME_INTERVAL);
              percent = ItemText(PageWith(dialog, IDC_OSUWARI_POSITION), IDC_OSUWARI_PERCENT);
              ClickItem(PageWith(dialog, IDC_MEDIA_HOT_KEYS), IDC_MEDIA_HOT_KEYS);
              user = ItemText(PageWith(dialog, IDC_GNUDB_USER), IDC_GNUDB_USER);
              SetDlgItemTextA(PageWith(dialog, IDC_GNUDB_USER), IDC_GNUDB_USER, "me@example.org");
              Press(dialog, IDOK);
            }),
            IDOK);
  EXPECT_TRUE(playTime);
  EXPECT_FALSE(intervalOn);
  EXPECT_EQ(percent, "150%");
  EXPECT_EQ(s.timeWindow, 0);
  EXPECT_EQ(s.osuwariXPer, 100);
  EXPECT_EQ(s.doOsuwari, 1);
  EXPECT_EQ(s.fontStyle, 7);
  EXPECT_EQ(s.chgResByCd, 1);
  EXPECT_EQ(s.textColor, RGB(1, 2, 3));
  EXPECT_EQ(s.autoPlay, 1);
  EXPECT_EQ(s.mediaHotKeys, 1) << "the general page's new box";
  EXPECT_EQ("old@example.org", user);
  EXPECT_STREQ("me@example.org", s.gnudbUser) << "the address typed on the general page";
}

// Catches: a signed or unchecked parse of the interval, and an emptied field
// that keeps its old value.
TEST_F(SettingsPages, IntervalIsReadAsUnsigned32BitWithEmptyOrTooLargeGivingZero) {
  const struct {
    const char* typed;
    int stored;
  } cases[] = {{"", 0}, {"250", 250}, {"4294967295", -1}, {"4294967296", 0}};
  for (const auto& c : cases) {
    settings().timeWindow = 0;
    bool enabled = false;
    RunWith(settings(), [&](HWND dialog) {
      HWND time = PageWith(dialog, IDC_TIME_PLAYTIME);
      ClickItem(time, IDC_TIME_MOUTH);
      enabled = IsEnabledItem(time, IDC_TIME_INTERVAL) && IsEnabledItem(time, IDC_TIME_INTERVAL_LABEL);
      SetDlgItemTextA(time, IDC_TIME_INTERVAL, c.typed);
      Press(dialog, IDOK);
    });
    EXPECT_TRUE(enabled);
    EXPECT_EQ(settings().timeWindow, 2);
    EXPECT_EQ(settings().mouseAnime, c.stored) << "typed \"" << c.typed << "\"";
  }
}

// Catches: switches that do not disable their controls, a cleared plug-in box
// that drops the folder, and a percent label that misses a scroll code or
// follows one it should ignore.
TEST_F(SettingsPages, SwitchesDisableTheirControlsAndTheLabelFollowsTheTrackbar) {
  Settings& s = settings();
  s.usePlugin = s.doOsuwari = s.enableShadow = 1;
  CopyText(s.pluginFolder, "D:\\plugins");
  bool allOff = true;
  std::string seen;
  RunWith(settings(), [&](HWND dialog) {
    HWND susie = PageWith(dialog, IDC_USE_PLUGIN), osuwari = PageWith(dialog, IDC_OSUWARI_POSITION),
         title = PageWith(dialog, IDC_TITLE_FONT);
    ClickItem(susie, IDC_USE_PLUGIN);
    ClickItem(osuwari, IDC_DO_OSUWARI);
    ClickItem(title, IDC_TITLE_SHADOW);
    for (int id : {IDC_PLUGIN_FOLDER, IDC_PLUGIN_FOLDER_LABEL, IDC_PLUGIN_BROWSE}) allOff &= !IsEnabledItem(susie, id);
    for (int id : {IDC_OSUWARI_PERCENT, IDC_OSUWARI_POSITION, IDC_OSUWARI_LEFT_LABEL,
                   IDC_OSUWARI_RIGHT_LABEL, IDC_OSUWARI_LABEL}) {
      allOff &= !IsEnabledItem(osuwari, id);
    }
    for (int id : {IDC_TITLE_SHADOW_COLOR, IDC_TITLE_SHADOW_LABEL}) allOff &= !IsEnabledItem(title, id);

    HWND bar = GetDlgItem(osuwari, IDC_OSUWARI_POSITION);
    SendMessageA(bar, TBM_SETPOS, TRUE, 30);
    const WPARAM codes[] = {MAKEWPARAM(TB_ENDTRACK, 0), MAKEWPARAM(TB_THUMBTRACK, 42),
                            MAKEWPARAM(TB_PAGEDOWN, 0), MAKEWPARAM(TB_ENDTRACK + 1, 77)};
    for (WPARAM code : codes) {
      SendMessageA(osuwari, WM_HSCROLL, code, reinterpret_cast<LPARAM>(bar));
      seen += ItemText(osuwari, IDC_OSUWARI_PERCENT) + " ";
    }
    Press(dialog, IDOK);
  });
  EXPECT_TRUE(allOff);
  EXPECT_EQ(seen, "30% 42% 30% 30% ");
  EXPECT_EQ(s.usePlugin, 0);
  EXPECT_STREQ(s.pluginFolder, "D:\\plugins");
  EXPECT_EQ(s.doOsuwari, 0);
  EXPECT_EQ(s.osuwariXPer, 30);
  EXPECT_EQ(s.enableShadow, 0);
}

// Catches: Cancel or the close box writing anything, and a reopened dialog
// that starts on the page shown last.
TEST_F(SettingsPages, CancelWritesNothingAndTheNextOpeningStartsOnGeneral) {
  bool switched = false, startsOnGeneral = false;
  EXPECT_EQ(RunWith(settings(), [&](HWND dialog) {
              ClickItem(PageWith(dialog, IDC_ALWAYS_ON_TOP), IDC_ALWAYS_ON_TOP);
              HWND list = GetDlgItem(dialog, IDC_SETTINGS_PAGES);
              SendMessageA(list, LB_SETCURSEL, 4, 0);
              SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_SETTINGS_PAGES, LBN_SELCHANGE),
                           reinterpret_cast<LPARAM>(list));
              switched = Shown(dialog, IDC_OSUWARI_POSITION) && !Shown(dialog, IDC_ALWAYS_ON_TOP);
              Press(dialog, IDCANCEL);
            }),
            IDCANCEL);
  EXPECT_TRUE(switched);
  EXPECT_EQ(settings().alwaysOnTop, 0);
  RunWith(settings(), [&](HWND dialog) {
    startsOnGeneral = Shown(dialog, IDC_ALWAYS_ON_TOP) && !Shown(dialog, IDC_OSUWARI_POSITION) &&
                      SendDlgItemMessageA(dialog, IDC_SETTINGS_PAGES, LB_GETCURSEL, 0, 0) == 0;
    ClickItem(PageWith(dialog, IDC_ALWAYS_ON_TOP), IDC_ALWAYS_ON_TOP);
    PostMessageA(dialog, WM_CLOSE, 0, 0);
  });
  EXPECT_TRUE(startsOnGeneral);
  EXPECT_EQ(settings().alwaysOnTop, 0);
}

// Catches: a list that misses the prefix's CD-ROM letters (D: and E:) or
// lists others, a saved drive not selected, a pick that OK does not write,
// and a drive that is unplugged for now forgotten by an OK for something else.
TEST_F(SettingsPages, TheDriveListOffersTheDefaultAndEveryCdRomLetter) {
  const struct {
    char saved;
    int pick;  // item chosen before OK; -1 none
    const char* shown;  // every item, "|" after each; the selected one in []
    char written;
  } cases[] = {{0, -1, "[*]|D:|E:|", 0}, {'E', -1, "*|D:|[E:]|", 'E'}, {0, 2, "[*]|D:|E:|", 'E'},
               {'E', 0, "*|D:|[E:]|", 0}, {'Q', -1, "*|D:|E:|[Q:]|", 'Q'}};
  const std::string defaultText = ResourceText(IDS_DEFAULT_DRIVE);
  for (const auto& c : cases) {
    settings().drive = c.saved;
    std::string shown;
    RunWith(settings(), [&](HWND dialog) {
      HWND list = GetDlgItem(PageWith(dialog, IDC_CD_DRIVE), IDC_CD_DRIVE);
      LRESULT selected = SendMessageA(list, CB_GETCURSEL, 0, 0);
      for (LRESULT i = 0; i < SendMessageA(list, CB_GETCOUNT, 0, 0); ++i) {
        char text[64] = "";
        SendMessageA(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        std::string item = text == defaultText ? "*" : text;
        shown += (i == selected ? "[" + item + "]" : item) + "|";
      }
      if (c.pick >= 0) SendMessageA(list, CB_SETCURSEL, c.pick, 0);
      Press(dialog, IDOK);
    });
    EXPECT_EQ(shown, c.shown) << "saved " << c.saved;
    EXPECT_EQ(settings().drive, c.written) << "saved " << c.saved << ", picked " << c.pick;
  }
}

// Opens the text colour's picker, picks red 10, green 20, blue 30 in its
// fields (ids 706..708), then ends the settings dialog with `button`.
DialogScript PickColourThen(int button) {
  return [button](HWND dialog) {
    ScheduleScript([](HWND picker) {
      const char* parts[] = {"10", "20", "30"};
      for (int i = 0; i < 3; ++i) SetDlgItemTextA(picker, 706 + i, parts[i]);
      Press(picker, IDOK);
    });
    ClickItem(PageWith(dialog, IDC_TITLE_FONT), IDC_TITLE_TEXT_COLOR);
    Press(dialog, button);
  };
}

// Catches: a picked colour written on Cancel, and a working colour that
// outlives the dialog instead of being reloaded from the settings.
TEST_F(SettingsPages, PickedColourReachesTheSettingsOnlyThroughOk) {
  settings().textColor = RGB(255, 255, 255);
  RunWith(settings(), PickColourThen(IDCANCEL));
  EXPECT_EQ(settings().textColor, RGB(255, 255, 255));
  RunWith(settings(), [](HWND dialog) { Press(dialog, IDOK); });
  EXPECT_EQ(settings().textColor, RGB(255, 255, 255)) << "the next opening shows the stored colour";
  RunWith(settings(), PickColourThen(IDOK));
  EXPECT_EQ(settings().textColor, RGB(10, 20, 30));
}

// Catches: a cancelled picker that changes the folder, and a chosen folder
// that does not replace the text. (Which folder the picker starts on is the
// picker's own test.)
TEST_F(SettingsPages, FolderPickerReplacesTheTextOnlyWhenAFolderIsChosen) {
  settings().usePlugin = 1;
  std::string typed = folder.path() + "\\";  // the picker answers without the backslash
  std::string afterCancel, afterOk;
  RunWith(settings(), [&](HWND dialog) {
    HWND page = PageWith(dialog, IDC_PLUGIN_BROWSE);
    SetDlgItemTextA(page, IDC_PLUGIN_FOLDER, typed.c_str());
    ScheduleScript([](HWND picker) { Press(picker, IDCANCEL); });
    ClickItem(page, IDC_PLUGIN_BROWSE);
    afterCancel = ItemText(page, IDC_PLUGIN_FOLDER);
    ScheduleScript([](HWND picker) { Press(picker, IDOK); });
    ClickItem(page, IDC_PLUGIN_BROWSE);
    afterOk = ItemText(page, IDC_PLUGIN_FOLDER);
    Press(dialog, IDCANCEL);
  });
  EXPECT_EQ(afterCancel, typed);
  EXPECT_NE(afterOk, typed);
  DWORD attributes = GetFileAttributesA(afterOk.c_str());
  EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) << afterOk;
}

}  // namespace
