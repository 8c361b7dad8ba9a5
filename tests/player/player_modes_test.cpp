// The player's own controls in-process on the virtual drive: rewind and
// forward, the play modes with the drive's real end notices, the time modes,
// media keys and hot keys, play on insert and the volume.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/application.h"
#include "cd/msf.h"
#include "player/player_fixture.h"
#include "resources/resource.h"
#include "settings/settings.h"

namespace {

using Texts = std::vector<std::string>;

// "track/mm:ss" of a TMSF, frames left out.
std::string Tms(DWORD tmsf) {
  return Line("%d/%02d:%02d", TmsfTrack(tmsf), TmsfMinutes(tmsf), TmsfSeconds(tmsf));
}

class PlayerModes : public PlayerTest {
 protected:
  // The PLAYs since the last call as "from-to" ("from" when it has no end).
  Texts Spans() {
    Texts spans;
    for (const std::string& line : Plays()) {
      size_t from = line.find("from=0x"), to = line.find("to=0x");
      std::string span = from == std::string::npos ? "?" : Tms(std::stoul(line.substr(from + 7, 8), nullptr, 16));
      if (to != std::string::npos) span += "-" + Tms(std::stoul(line.substr(to + 5, 8), nullptr, 16));
      spans.push_back(span);
    }
    return spans;
  }
  void Key(WPARAM key, bool autoRepeat) {
    SendMessageA(player->hwnd, WM_KEYDOWN, key, autoRepeat ? 1 | (1 << 30) : 1);
  }
  // Lets the drive's end notices arrive until it stays stopped with no
  // restart waiting (restarts come at most once a second, and a notice
  // arrives a moment after the drive stopped), or the time is up.
  void PlayOut(DWORD milliseconds) {
    DWORD idleSince = 0;
    PumpUntil(milliseconds, [&] {
      bool idle = Mode() == MCI_MODE_STOP && player->pendingRestartTrack == 0;
      if (!idle) idleSince = 0;
      if (idle && !idleSince) idleSince = GetTickCount();
      return idle && GetTickCount() - idleSince > 300;
    });
  }
  std::string Ini(const char* key) {
    char value[32] = "";
    GetPrivateProfileStringA("General", key, "", value, sizeof(value),
                             folder.File("ZantoPlay.ini").c_str());
    return value;
  }
  bool Checked(UINT id) {
    unique_hmenu menu = player->BuildContextMenu();
    return (GetMenuState(GetSubMenu(menu.get(), 0), id, MF_BYCOMMAND) & MF_CHECKED) != 0;
  }
  // "playing 2", "paused 1" or "stopped 1": what the player is doing, on which track.
  std::string State() {
    const char* doing = player->paused ? "paused" : Mode() == MCI_MODE_PLAY ? "playing" : "stopped";
    return Line("%s %d", doing, player->currentTrack);
  }
};

// Catches a step while stopped, a paused step that plays instead of moving
// the pause position, the keyboard's repeat stepping at every message, a
// step across a boundary landing on the wrong track. (Steps over data
// tracks: PlayOrderRules.RewindAndForwardCrossBoundariesSkipDataAndClamp.)
TEST_F(PlayerModes, RewindAndForwardStepWhilePlayingOrPausedAndNotWhenStopped) {
  appSettings->blinkWhenPausing = 0;
  Open(TracksOf(3), 0.01);  // the position barely moves during the test
  Poll();
  player->OnForwardButton();
  EXPECT_EQ(Spans(), Texts{}) << "stopped: nothing to step from";

  player->PlayTrackAt(2, 0, 2, 0);
  Plays();
  player->OnForwardButton();
  player->OnRewindButton();
  player->OnRewindButton();  // 2 s into track 2, back 5 s: 3 s before track 1's end
  // Without a play mode every play runs on to the disc's end.
  EXPECT_EQ(Spans(), (Texts{"2/00:07-3/04:12", "2/00:02-3/04:12", "1/04:09-3/04:12"}));
  EXPECT_EQ(player->currentTrack, 1);

  Command(IDM_PAUSE);
  player->OnForwardButton();
  EXPECT_EQ(Spans(), Texts{}) << "paused: the pause position moves, nothing plays";
  EXPECT_EQ(Tms(player->pausePosition), "2/00:02");
  EXPECT_EQ(Title(), "[02] 00:02 - Zanto Player");

  // Arrow keys: every fresh press steps; the keyboard's repeat only every 250 ms.
  Command(IDM_PAUSE);  // resume
  Plays();
  Key(VK_RIGHT, false);
  Key(VK_RIGHT, true);
  Key(VK_RIGHT, true);
  EXPECT_EQ(Spans().size(), 1u) << "auto-repeat within 250 ms";
  Sleep(270);
  Key(VK_LEFT, true);
  Key(VK_LEFT, false);
  EXPECT_EQ(Spans(), (Texts{"2/00:02-3/04:12", "1/04:09-3/04:12"})) << "the repeat after 250 ms steps";
}

// Catches a repeated track that runs on into the next or stops after one
// play, and an intro that plays on past ten seconds or stops the scan.
TEST_F(PlayerModes, RepeatOneAndIntroEndEachPlayAtItsTrackAndChainTheRestarts) {
  // Shuffle's own session is the real program's (e2e); here the other two.
  Open(TracksOf(5, "00:02:00"), 8.0);  // a quarter second a track
  Poll();
  Command(IDM_REPEAT_TRACK);
  Command(IDM_TRACK_BASE + 3);
  PumpMessages(1400);  // the guard: one automatic restart a second
  Command(IDM_STOP);
  Texts plays = Spans();
  EXPECT_GE(plays.size(), 2u) << "repeat one never restarted";
  for (const std::string& play : plays) EXPECT_EQ(play, "3/00:00-3/00:02");
  Command(IDM_REPEAT_TRACK);

  drive.reset();
  player.reset();
  Open(TracksOf(3, "00:30:00"), 20.0);
  Poll();
  Command(IDM_INTRO_SCAN);
  Command(IDM_PLAY);
  PlayOut(6000);
  EXPECT_EQ(Spans(), (Texts{"1/00:00-1/00:10", "2/00:00-2/00:10", "3/00:00-3/00:10"}));
}

// Catches a minus sign in the time window (its digits are unsigned), the
// wrong remaining time shown, the mode not saved, a play mode's check mark
// missing or stuck, and a click on the time window that does nothing.
TEST_F(PlayerModes, TheTimeModesCycleAndOnlyTheTitleShowsTheMinus) {
  Open(TracksOf(3));  // 4:12.30 each
  Poll();
  const struct { const char* title; int first, second; } steps[] = {
      {"[01] -04:12 - Zanto Player", 4, 12},   // remaining in the track
      {"[01] -12:37 - Zanto Player", 12, 37},  // remaining on the disc
      {"[01] 00:00 - Zanto Player", 0, 0},     // elapsed again
  };
  for (const auto& step : steps) {
    Command(IDM_NEXT_TIME_MODE);
    EXPECT_EQ(Title(), step.title);
    EXPECT_EQ(player->timeFirst * 100 + player->timeSecond, step.first * 100 + step.second) << step.title;
  }
  Command(IDM_NEXT_TIME_MODE);
  EXPECT_EQ(Ini("TimeMode"), "1");
  for (UINT id : {IDM_SHUFFLE, IDM_REPEAT_TRACK, IDM_INTRO_SCAN}) {
    Command(static_cast<WORD>(id));
    EXPECT_TRUE(Checked(id)) << id;
    Command(static_cast<WORD>(id));
    EXPECT_FALSE(Checked(id)) << id;
  }
  player->OnTimeWindowClick();
  EXPECT_EQ(appSettings->timeMode, 2);
}

// Catches a media key ignored, mapped to the wrong command, or left to the
// next window too; a key that is not the player's swallowed; hot keys taken
// without being asked for, a key another program holds making the others
// fail, and keys still held after they were switched off or the window went.
TEST_F(PlayerModes, MediaKeysActAndHotKeysOnlyWhenAskedForLeavingKeysOthersHold) {
  // Another program holds the stop key already.
  HWND other = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                               appInstance, nullptr);
  ASSERT_TRUE(RegisterHotKey(other, 7, MOD_NOREPEAT, VK_MEDIA_STOP));
  Open(TracksOf(3), 0.01);
  EXPECT_EQ(player->mediaHotKeys.registeredCount(), 0) << "MediaHotKeys=0 registers none";
  Poll();
  const struct { int command; const char* state; } keys[] = {
      {APPCOMMAND_MEDIA_PLAY_PAUSE, "playing 1"}, {APPCOMMAND_MEDIA_PLAY_PAUSE, "paused 1"},
      {APPCOMMAND_MEDIA_PLAY, "playing 1"},       {APPCOMMAND_MEDIA_NEXTTRACK, "playing 2"},
      {APPCOMMAND_MEDIA_PREVIOUSTRACK, "playing 1"}, {APPCOMMAND_MEDIA_PAUSE, "paused 1"},
      {APPCOMMAND_MEDIA_STOP, "stopped 1"},
  };
  HWND hwnd = player->hwnd;
  for (const auto& key : keys) {
    EXPECT_EQ(SendMessageA(hwnd, WM_APPCOMMAND, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(0, key.command)), TRUE)
        << key.command;
    EXPECT_EQ(State(), key.state) << key.command;
  }
  Plays();
  // The volume keys are the player's too (PlayerHand); a browser key is not.
  SendMessageA(hwnd, WM_APPCOMMAND, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(0, APPCOMMAND_BROWSER_BACKWARD));
  EXPECT_TRUE(Plays().empty()) << "not the player's: passed on";
  player.reset();
  drive.reset();

  appSettings->mediaHotKeys = 1;
  Open(TracksOf(3), 0.01);
  Poll();
  EXPECT_EQ(player->mediaHotKeys.registeredCount(), 3) << "all but the held stop key";
  SendMessageA(player->hwnd, WM_HOTKEY, kHotKeyPlayPause, 0);
  SendMessageA(player->hwnd, WM_HOTKEY, kHotKeyNext, 0);
  EXPECT_EQ(State(), "playing 2");
  SendMessageA(player->hwnd, WM_HOTKEY, kHotKeyStop, 0);
  EXPECT_EQ(State(), "stopped 2");

  appSettings->mediaHotKeys = 0;
  player->ApplyMediaHotKeys();
  EXPECT_EQ(player->mediaHotKeys.registeredCount(), 0) << "switched off, still held";
  appSettings->mediaHotKeys = 1;
  player->ApplyMediaHotKeys();
  player.reset();
  EXPECT_TRUE(RegisterHotKey(other, 8, MOD_NOREPEAT, VK_MEDIA_PLAY_PAUSE)) << "still held after the window";
  UnregisterHotKey(other, 8);
  UnregisterHotKey(other, 7);
  DestroyWindow(other);
}

// Catches a disc at start-up or a swapped one not played with AutoPlay, the
// control not starting at the saved volume, and a save at every move of a
// drag (or none once it rested), and the program's sound left unchanged.
TEST_F(PlayerModes, PlayOnInsertAndTheVolumeStartsAtItsSetting) {
  appSettings->autoPlay = 1;
  appSettings->volume = 100;
  Open(TracksOf(3), 0.01);
  EXPECT_EQ(player->volumePosition, 100);
  Poll();
  EXPECT_EQ(Spans(), Texts{"1/00:00-3/04:12"}) << "a disc found at start-up counts as arriving";
  Command(IDM_STOP);
  DiscContents swapped = TracksOf(2);
  swapped.identity = "77";
  drive->Write(swapped);
  EXPECT_TRUE(PumpUntil(4000, [&] {
    Poll();
    return !Plays().empty();
  })) << "a swapped disc counts as arriving";

  player->OnVolumeControl(40);
  EXPECT_EQ(appSettings->volume, 40);
  EXPECT_EQ(Ini("Volume"), "") << "not at every move of a drag";
  EXPECT_TRUE(PumpUntil(3000, [&] { return Ini("Volume") == "40"; })) << "saved once the control rested";
  // The program's own sound follows too, where the system has a session.
  if (player->volumeOutput.OpenSession()) {
    EXPECT_NEAR(player->volumeOutput.SessionVolume(), 40 / 255.0f, 0.01f);
  }
}

// Catches one channel left out of the aux value, a position past the ends
// wrapping instead of holding, and a session level that never reaches 1.
TEST(VolumeLevels, PositionsMapOntoBothMechanisms) {
  const struct { int position; DWORD aux; float session; } cases[] = {{0, 0, 0.0f}, {128, 0x80808080u, 128 / 255.0f}, {255, 0xFFFFFFFFu, 1.0f},
               {300, 0xFFFFFFFFu, 1.0f}, {-4, 0, 0.0f}};
  for (const auto& c : cases) {
    EXPECT_EQ(AuxVolumeValue(c.position), c.aux) << c.position;
    EXPECT_FLOAT_EQ(SessionLevel(c.position), c.session) << c.position;
  }
}

}  // namespace
