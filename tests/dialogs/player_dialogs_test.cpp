// The player's side of the dialogs: what it re-applies around the settings
// dialog, Ctrl+P, and the about box.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/application.h"
#include "app/player/player_window.h"
#include "app/desktop/topmost_band.h"
#include "common/handles.h"
#include "dialogs/dialog_script.h"
#include "resources/resource.h"
#include "dialogs/about_dialog.h"
#include "support/test_support.h"

namespace {

void CALLBACK GiveUp(HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(1); }

class PlayerDialogs : public DialogTest {
 protected:
  void Open(const std::string& skinLines) {
    const std::string skin = WriteSkin(folder, "skin", 40, 30, Solid(RGB(40, 80, 120)), skinLines);
    appPlayer.reset(new PlayerWindow(settings(), nullptr));
    ASSERT_TRUE(appPlayer->CreateSkinWindow(nullptr, skin.c_str(), 0, "test", WS_POPUP,
                                            10, 10, nullptr, nullptr, appInstance));
    hwnd = appPlayer->hwnd;
  }
  ~PlayerDialogs() override {
    if (appPlayer && appPlayer->hwnd) DestroyWindow(appPlayer->hwnd);
    appPlayer.reset();
    MSG quit;  // the player's end posts the quit meant for the program's loop
    while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
  }
  bool Topmost() const { return (GetWindowLongPtrA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }
  int AnimationTicksWithin(DWORD ms) const {
    int ticks = 0;
    for (DWORD start = GetTickCount(); GetTickCount() - start < ms; Sleep(5)) {
      MSG msg;
      while (PeekMessageA(&msg, hwnd, WM_TIMER, WM_TIMER, PM_REMOVE)) ticks += msg.wParam == kAnimationTimer;
    }
    return ticks;
  }

  HWND hwnd = nullptr;
};

// True when `upper` lies above `lower` in the z-order of top-level windows.
bool Above(HWND upper, HWND lower) {
  for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
    if (w == upper) return true;
    if (w == lower) return false;
  }
  return false;
}

// Catches: a dialog hidden behind a topmost player, and a player that stays
// topmost (or loses it) against its settings afterwards, on OK and on Cancel;
// also the player with its own tooltip, a topmost window it owns, left
// outside the topmost band (as Wine's reordering of owned windows did).
TEST_F(PlayerDialogs, PreferencesLeavesTheTopmostBandWhileOpenAndReturnsOnlyWhenSettingsSaySo) {
  Open("");
  ASSERT_NE(appPlayer->tooltip, nullptr);
  ShowWindow(hwnd, SW_SHOWNA);  // a hidden window has no place in the z-order
  unique_hwnd other(CreateWindowExA(0, "STATIC", "other", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                    appInstance, nullptr));
  const struct {
    int alwaysOnTop, doOsuwari, button;
    bool topmostAfter;
  } cases[] = {{0, 0, IDOK, false}, {1, 0, IDOK, true}, {0, 1, IDCANCEL, true}, {0, 0, IDCANCEL, false},
               {0, 1, IDOK, true}, {1, 0, IDCANCEL, true}};
  for (const auto& c : cases) {
    settings().alwaysOnTop = c.alwaysOnTop;
    settings().doOsuwari = c.doOsuwari;
    PlaceInTopmostBand(hwnd, true);
    ASSERT_TRUE(Topmost());
    bool topmostWhileOpen = true;
    ScheduleScript([&](HWND dialog) {
      topmostWhileOpen = Topmost();
      Press(dialog, c.button);
    });
    appPlayer->OnPreferencesButton();
    // Another program's window comes to the front.
    SetWindowPos(other.get(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    EXPECT_FALSE(topmostWhileOpen);
    EXPECT_EQ(Topmost(), c.topmostAfter) << c.alwaysOnTop << c.doOsuwari << " " << c.button;
    EXPECT_EQ(Above(hwnd, other.get()), c.topmostAfter) << c.alwaysOnTop << c.doOsuwari << " " << c.button;
    EXPECT_EQ(GetWindow(appPlayer->tooltip, GW_OWNER), hwnd) << "the tooltip lost its owner";
  }
}

// Catches: the timer left at its old interval or running outside mouth mode,
// the text font not re-applied, and settings that reach the file only at exit.
TEST_F(PlayerDialogs, OkRestartsTheAnimationTimerInMouthModeAppliesTheFontAndSaves) {
  Open("");
  settings().timeWindow = 2;
  SetTimer(hwnd, kAnimationTimer, 60000, nullptr);
  ScheduleScript([](HWND dialog) { Press(dialog, IDCANCEL); });
  appPlayer->OnPreferencesButton();
  EXPECT_EQ(AnimationTicksWithin(150), 0) << "Cancel keeps the running timer";
  EXPECT_FALSE(FileExists(folder.File("ZantoPlay.ini"))) << "Cancel writes nothing";

  settings().textColor = RGB(1, 2, 3);
  settings().fontStyle = kFontItalic;
  ScheduleScript([](HWND dialog) {
    SetDlgItemTextA(PageWith(dialog, IDC_TIME_INTERVAL), IDC_TIME_INTERVAL, "");
    Press(dialog, IDOK);
  });
  appPlayer->OnPreferencesButton();
  EXPECT_GT(AnimationTicksWithin(150), 0) << "restarted with the emptied interval, 0 ms";
  EXPECT_EQ(appPlayer->textFont.textColour, RGB(1, 2, 3));
  EXPECT_EQ(appPlayer->textFont.fontStyle, kFontItalic);
  EXPECT_STREQ(appPlayer->textFont.faceName, settings().fontName);
  EXPECT_NE(ReadFileBytes(folder.File("ZantoPlay.ini")).find("MouseAnime=0"), std::string::npos);

  ScheduleScript([](HWND dialog) {
    ClickItem(PageWith(dialog, IDC_TIME_CLOCK), IDC_TIME_CLOCK);
    Press(dialog, IDOK);
  });
  appPlayer->OnPreferencesButton();
  EXPECT_FALSE(KillTimer(hwnd, kAnimationTimer)) << "outside mouth mode the timer stays stopped";
}

// Catches: Ctrl+P not reaching the preferences slot through the program's loop.
TEST_F(PlayerDialogs, CtrlPOpensTheSettingsThroughTheAcceleratorTable) {
  Open("");
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_CONTROL] = 0x80;
  SetKeyboardState(keys);
  PostMessageA(hwnd, WM_KEYDOWN, 'P', 1);
  ScheduleScript([](HWND dialog) {
    Press(dialog, IDCANCEL);
    PostQuitMessage(0);
  });
  UINT_PTR guard = SetTimer(nullptr, 0, 6000, GiveUp);  // ends the loop when no dialog came
  int exitCode = RunMessageLoop(hwnd);
  KillTimer(nullptr, guard);
  keys[VK_CONTROL] = 0;
  SetKeyboardState(keys);
  EXPECT_TRUE(ScriptRan());
  EXPECT_EQ(exitCode, 0);
}

// Catches: ampersands turned into underlines, lost line breaks, a version line
// not read from the version resource, and one spoilt when there is none.
TEST_F(PlayerDialogs, AboutShowsTheVersionAndTheSkinsOwnWords) {
  Open("About Tom & Jerry\r\nAbout second line\r\n");
  std::string version, about;
  LONG_PTR style = 0;
  ScheduleScript([&](HWND dialog) {
    version = ItemText(dialog, IDC_ABOUT_VERSION);
    about = ItemText(dialog, IDC_ABOUT_TEXT);
    style = GetWindowLongPtrA(GetDlgItem(dialog, IDC_ABOUT_TEXT), GWL_STYLE);
    Press(dialog, IDOK);
  });
  appPlayer->OnAboutButton();
  EXPECT_EQ(version, "Version 1.0.0");
  EXPECT_EQ(about, "Tom & Jerry\nsecond line\n");
  EXPECT_TRUE(style & SS_NOPREFIX);
  EXPECT_EQ(style & SS_TYPEMASK, SS_CENTER);

  char line[64] = "Version";
  ASSERT_TRUE(WriteFileBytes(folder.File("plain.exe"), "MZ not really a program"));
  EXPECT_FALSE(FormatVersionLine(folder.File("plain.exe").c_str(), line, sizeof(line)));
  EXPECT_STREQ(line, "Version");
}

}  // namespace
