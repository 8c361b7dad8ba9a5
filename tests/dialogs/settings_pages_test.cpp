// The settings dialog run in this process, driven from inside its own loop.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "app/application.h"
#include "common/fixed_text.h"
#include "dialogs/dialog_fixture.h"
#include "dialogs/dialog_script.h"
#include "resources/resource.h"
#include "settings/settings_dialog.h"

namespace {

using SettingsPages = DialogTest;

int RunWith(DialogScript script) {
  ScheduleScript(std::move(script));
  int result = SettingsDialog().Run(nullptr);
  EXPECT_TRUE(ScriptRan()) << "the dialog never showed";
  return result;
}

std::string ListText(HWND dialog, int row) {
  char text[64] = "";
  SendDlgItemMessageA(dialog, IDC_SETTINGS_PAGES, LB_GETTEXT, row, reinterpret_cast<LPARAM>(text));
  return text;
}

std::string Text(UINT id) {
  char text[64];
  LoadText(appInstance, id, text);
  return text;
}

void SelectPage(HWND dialog, int row) {
  HWND list = GetDlgItem(dialog, IDC_SETTINGS_PAGES);
  SendMessageA(list, LB_SETCURSEL, row, 0);
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_SETTINGS_PAGES, LBN_SELCHANGE),
               reinterpret_cast<LPARAM>(list));
}

// Catches: a page that only writes once shown, values kept out of range, and
// style bits other than bold, italic and underline surviving OK.
TEST_F(SettingsPages, OkWritesEveryPageInRangeThoughNoneWasOpened) {
  Settings& s = settings();
  s.timeWindow = 5;
  s.mouseAnime = 123;
  s.osuwariXPer = 150;
  s.doOsuwari = 1;
  s.fontStyle = 0xFF;
  s.chgResByCd = 7;
  s.blinkWhenPausing = 0;
  s.textColor = RGB(1, 2, 3);
  CopyText(s.pluginFolder, "C:\\spi");
  s.usePlugin = 1;
  std::string percent, rows[5];
  bool mouthInterval = true, playTime = false, generalShown = false;
  EXPECT_EQ(RunWith([&](HWND dialog) {
              for (int row = 0; row < 5; ++row) rows[row] = ListText(dialog, row);
              generalShown = IsWindowVisible(PageWith(dialog, IDC_ALWAYS_ON_TOP)) != FALSE;
              HWND time = PageWith(dialog, IDC_TIME_PLAYTIME);
              playTime = IsDlgButtonChecked(time, IDC_TIME_PLAYTIME) == BST_CHECKED;
              mouthInterval = IsEnabledItem(time, IDC_TIME_INTERVAL);
              percent = ItemText(PageWith(dialog, IDC_OSUWARI_POSITION), IDC_OSUWARI_PERCENT);
              Press(dialog, IDOK);
            }),
            IDOK);
  const UINT order[] = {IDS_PAGE_GENERAL, IDS_PAGE_TIMEWINDOW, IDS_PAGE_TITLE, IDS_PAGE_SUSIE,
                        IDS_PAGE_OSUWARI};
  for (int row = 0; row < 5; ++row) EXPECT_EQ(rows[row], Text(order[row])) << "row " << row;
  EXPECT_TRUE(generalShown);
  EXPECT_TRUE(playTime);
  EXPECT_FALSE(mouthInterval);
  EXPECT_EQ(percent, "150%");
  EXPECT_EQ(s.timeWindow, 0);
  EXPECT_EQ(s.mouseAnime, 123);
  EXPECT_EQ(s.osuwariXPer, 100);
  EXPECT_EQ(s.doOsuwari, 1);
  EXPECT_EQ(s.fontStyle, 7);
  EXPECT_EQ(s.chgResByCd, 1);
  EXPECT_EQ(s.blinkWhenPausing, 0);
  EXPECT_EQ(s.textColor, RGB(1, 2, 3));
  EXPECT_STREQ(s.pluginFolder, "C:\\spi");
  EXPECT_EQ(s.usePlugin, 1);
}

// Catches: a signed or unchecked parse of the interval, and a field that keeps
// its old value when emptied.
TEST_F(SettingsPages, IntervalIsReadAsUnsigned32BitWithEmptyOrTooLargeGivingZero) {
  const struct {
    const char* typed;
    int stored;
  } cases[] = {{"", 0}, {"250", 250}, {"4294967295", -1}, {"4294967296", 0}, {"99999999999999", 0}};
  for (const auto& c : cases) {
    settings().timeWindow = 0;
    settings().mouseAnime = 500;
    bool enabledByClick = false;
    RunWith([&](HWND dialog) {
      HWND time = PageWith(dialog, IDC_TIME_PLAYTIME);
      ClickItem(time, IDC_TIME_MOUTH);
      enabledByClick = IsEnabledItem(time, IDC_TIME_INTERVAL) && IsEnabledItem(time, IDC_TIME_INTERVAL_LABEL);
      SetDlgItemTextA(time, IDC_TIME_INTERVAL, c.typed);
      Press(dialog, IDOK);
    });
    EXPECT_TRUE(enabledByClick);
    EXPECT_EQ(settings().timeWindow, 2);
    EXPECT_EQ(settings().mouseAnime, c.stored) << "typed \"" << c.typed << "\"";
  }
}

// Catches: switches that do not enable or disable their controls, and a
// cleared plug-in box that throws the folder away.
TEST_F(SettingsPages, SwitchesEnableTheirControlsAndKeepTheirValues) {
  Settings& s = settings();
  s.usePlugin = 1;
  CopyText(s.pluginFolder, "D:\\plugins");
  s.doOsuwari = 1;
  s.enableShadow = 1;
  bool folderOff = false, osuwariOff = false, shadowOff = false, shadowOn = false;
  RunWith([&](HWND dialog) {
    HWND susie = PageWith(dialog, IDC_USE_PLUGIN);
    ClickItem(susie, IDC_USE_PLUGIN);
    folderOff = !IsEnabledItem(susie, IDC_PLUGIN_FOLDER) && !IsEnabledItem(susie, IDC_PLUGIN_FOLDER_LABEL) &&
                !IsEnabledItem(susie, IDC_PLUGIN_BROWSE);
    HWND osuwari = PageWith(dialog, IDC_OSUWARI_POSITION);
    ClickItem(osuwari, IDC_DO_OSUWARI);
    osuwariOff = true;
    for (int id : {IDC_OSUWARI_PERCENT, IDC_OSUWARI_POSITION, IDC_OSUWARI_LEFT_LABEL,
                   IDC_OSUWARI_RIGHT_LABEL, IDC_OSUWARI_LABEL}) {
      osuwariOff = osuwariOff && !IsEnabledItem(osuwari, id);
    }
    HWND title = PageWith(dialog, IDC_TITLE_FONT);
    ClickItem(title, IDC_TITLE_SHADOW);
    shadowOff = !IsEnabledItem(title, IDC_TITLE_SHADOW_COLOR) && !IsEnabledItem(title, IDC_TITLE_SHADOW_LABEL);
    ClickItem(title, IDC_TITLE_SHADOW);
    shadowOn = IsEnabledItem(title, IDC_TITLE_SHADOW_COLOR) && IsEnabledItem(title, IDC_TITLE_SHADOW_LABEL);
    ClickItem(title, IDC_TITLE_SHADOW);
    Press(dialog, IDOK);
  });
  EXPECT_TRUE(folderOff);
  EXPECT_TRUE(osuwariOff);
  EXPECT_TRUE(shadowOff);
  EXPECT_TRUE(shadowOn);
  EXPECT_EQ(s.usePlugin, 0);
  EXPECT_STREQ(s.pluginFolder, "D:\\plugins");
  EXPECT_EQ(s.doOsuwari, 0);
  EXPECT_EQ(s.enableShadow, 0);
}

// Catches: a label that misses a scroll code, or moves on codes it should ignore.
TEST_F(SettingsPages, PercentLabelFollowsTheTrackbarsScrollCodes) {
  settings().osuwariXPer = 90;
  std::string seen[4];
  RunWith([&](HWND dialog) {
    HWND page = PageWith(dialog, IDC_OSUWARI_POSITION);
    HWND bar = GetDlgItem(page, IDC_OSUWARI_POSITION);
    SendMessageA(bar, TBM_SETPOS, TRUE, 30);
    SendMessageA(page, WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), reinterpret_cast<LPARAM>(bar));
    seen[0] = ItemText(page, IDC_OSUWARI_PERCENT);
    SendMessageA(page, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, 42), reinterpret_cast<LPARAM>(bar));
    seen[1] = ItemText(page, IDC_OSUWARI_PERCENT);
    SendMessageA(page, WM_HSCROLL, MAKEWPARAM(TB_PAGEDOWN, 0), reinterpret_cast<LPARAM>(bar));
    seen[2] = ItemText(page, IDC_OSUWARI_PERCENT);
    SendMessageA(page, WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK + 1, 77), reinterpret_cast<LPARAM>(bar));
    seen[3] = ItemText(page, IDC_OSUWARI_PERCENT);
    Press(dialog, IDOK);
  });
  EXPECT_EQ(seen[0], "30%");
  EXPECT_EQ(seen[1], "42%");
  EXPECT_EQ(seen[2], "30%");
  EXPECT_EQ(seen[3], "30%");
  EXPECT_EQ(settings().osuwariXPer, 30);
}

// Catches: Cancel writing anything, and a reopened dialog that starts on the
// page shown last.
TEST_F(SettingsPages, CancelWritesNothingAndTheNextOpeningStartsOnGeneral) {
  settings().alwaysOnTop = 0;
  bool osuwariShown = false, generalHidden = false;
  EXPECT_EQ(RunWith([&](HWND dialog) {
              ClickItem(PageWith(dialog, IDC_ALWAYS_ON_TOP), IDC_ALWAYS_ON_TOP);
              SelectPage(dialog, 4);
              osuwariShown = IsWindowVisible(PageWith(dialog, IDC_OSUWARI_POSITION)) != FALSE;
              generalHidden = !IsWindowVisible(PageWith(dialog, IDC_ALWAYS_ON_TOP));
              Press(dialog, IDCANCEL);
            }),
            IDCANCEL);
  EXPECT_TRUE(osuwariShown);
  EXPECT_TRUE(generalHidden);
  EXPECT_EQ(settings().alwaysOnTop, 0);

  bool generalShown = false, osuwariHidden = false;
  LRESULT row = -1;
  RunWith([&](HWND dialog) {
    generalShown = IsWindowVisible(PageWith(dialog, IDC_ALWAYS_ON_TOP)) != FALSE;
    osuwariHidden = !IsWindowVisible(PageWith(dialog, IDC_OSUWARI_POSITION));
    row = SendDlgItemMessageA(dialog, IDC_SETTINGS_PAGES, LB_GETCURSEL, 0, 0);
    // The close box ends it like Cancel.
    PostMessageA(dialog, WM_CLOSE, 0, 0);
  });
  EXPECT_TRUE(generalShown);
  EXPECT_TRUE(osuwariHidden);
  EXPECT_EQ(row, 0);
}

// The picker's red, green and blue fields.
constexpr int kPickerRed = 706;

// Opens the colour picker of the text colour, picks red 10, green 20, blue 30,
// then ends the settings dialog with `button`.
DialogScript PickColourThen(int button) {
  return [button](HWND dialog) {
    ScheduleScript([](HWND picker) {
      const char* parts[] = {"10", "20", "30"};
      for (int i = 0; i < 3; ++i) SetDlgItemTextA(picker, kPickerRed + i, parts[i]);
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
  RunWith(PickColourThen(IDCANCEL));
  EXPECT_EQ(settings().textColor, RGB(255, 255, 255));
  RunWith([](HWND dialog) { Press(dialog, IDOK); });
  EXPECT_EQ(settings().textColor, RGB(255, 255, 255)) << "the next opening shows the stored colour";
  RunWith(PickColourThen(IDOK));
  EXPECT_EQ(settings().textColor, RGB(10, 20, 30));
}

// Catches: a cancelled picker that changes the folder, and a picker that does
// not start on the folder already typed (OK would then bring back another).
TEST_F(SettingsPages, FolderPickerStartsOnTheTypedFolderAndCancelKeepsTheText) {
  std::string plugins = folder.File("plugins");
  ASSERT_TRUE(CreateDirectoryA(plugins.c_str(), nullptr));
  settings().usePlugin = 1;
  CopyText(settings().pluginFolder, plugins.c_str());
  std::string afterCancel, afterOk;
  RunWith([&](HWND dialog) {
    HWND page = PageWith(dialog, IDC_PLUGIN_BROWSE);
    SetDlgItemTextA(page, IDC_PLUGIN_FOLDER, folder.path().c_str());
    ScheduleScript([](HWND picker) { Press(picker, IDCANCEL); });
    ClickItem(page, IDC_PLUGIN_BROWSE);
    afterCancel = ItemText(page, IDC_PLUGIN_FOLDER);
    SetDlgItemTextA(page, IDC_PLUGIN_FOLDER, plugins.c_str());
    ScheduleScript([](HWND picker) { Press(picker, IDOK); });
    ClickItem(page, IDC_PLUGIN_BROWSE);
    afterOk = ItemText(page, IDC_PLUGIN_FOLDER);
    Press(dialog, IDCANCEL);
  });
  EXPECT_EQ(afterCancel, folder.path());
  EXPECT_EQ(lstrcmpiA(afterOk.c_str(), plugins.c_str()), 0) << afterOk;
}

}  // namespace
