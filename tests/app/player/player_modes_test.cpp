// The player's own controls in-process on the virtual drive: rewind and
// forward, the play modes with the drive's real end notices, the time modes,
// media keys and hot keys, play on insert and the volume.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/application.h"
#include "cd/msf.h"
#include "app/player/player_fixture.h"
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
      bool idle = Mode() == MCI_MODE_STOP && player->View().pendingRestartTrack == 0;
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
    const char* doing = player->View().state == PlayerState::kPaused ? "paused" : Mode() == MCI_MODE_PLAY ? "playing" : "stopped";
    return Line("%s %d", doing, player->View().currentTrack);
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
  EXPECT_EQ(player->View().currentTrack, 1);

  Command(IDM_PAUSE);
  player->OnForwardButton();
  EXPECT_EQ(Spans(), Texts{}) << "paused: the pause position moves, nothing plays";
  EXPECT_EQ(Tms(player->View().pausePosition), "2/00:02");
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

// How plays end, on both system drivers: today's, which sends no notice and
// goes on saying "playing" at a play's end, and the older one, which notifies
// every end. The player runs on its own timers, as the end is seen by its poll.
class PlayEnds : public PlayerModes, public ::testing::WithParamInterface<DriveProfile> {
 protected:
  void SetUp() override {
    PlayerModes::SetUp();
    profile = GetParam();
    keepTimers = true;
  }
  // The spans played from now until `count` of them came or the time is up.
  Texts SpansUntil(size_t count, DWORD milliseconds) {
    Texts spans;
    PumpUntil(milliseconds, [&] {
      for (const std::string& span : Spans()) spans.push_back(span);
      return spans.size() >= count;
    });
    return spans;
  }
};

INSTANTIATE_TEST_SUITE_P(Drivers, PlayEnds, ::testing::Values(DriveProfile::kModern, DriveProfile::kClassic),
                         [](const ::testing::TestParamInfo<DriveProfile>& info) {
                           return std::string(info.param == DriveProfile::kModern ? "Modern" : "Classic");
                         });

// Catches a repeated track that runs on into the next or stops after one
// play, and an intro that plays on past ten seconds or stops the scan.
TEST_P(PlayEnds, RepeatOneAndIntroEndEachPlayAtItsTrackAndChainTheRestarts) {
  // Shuffle's own session is the real program's (e2e); here the other two.
  Open(TracksOf(5, "00:02:00"), 8.0);  // a quarter second a track
  Poll();
  Command(IDM_REPEAT_TRACK);
  Command(IDM_TRACK_BASE + 3);
  Texts plays = SpansUntil(2, 3000);  // the guard: one automatic restart a second
  Command(IDM_STOP);
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

// Catches the disc's end missed (today's driver would leave the player at
// the end for ever), an end that leaves the drive "playing", repeat not
// starting track 1 again, and a notice that steps again: one for a play
// that has ended, or one an older play left while a newer one runs.
TEST_P(PlayEnds, TheEndOfTheDiscReturnsToTrackOneAndRepeatPlaysItAgain) {
  Open(TracksOf(3, "00:02:00"), 4.0);  // half a second a track
  Poll();
  Command(IDM_TRACK_BASE + 3);
  EXPECT_TRUE(PumpUntil(4000, [&] { return Title() == "[01] 00:00 - Zanto Player" && Mode() == MCI_MODE_STOP; }))
      << Title();
  appSettings->repeat = 1;
  Plays();
  SendMessageA(player->hwnd, MM_MCINOTIFY, MCI_NOTIFY_SUCCESSFUL, DeviceId());
  EXPECT_EQ(Spans(), Texts{}) << "a notice of the ended play restarted the disc";

  Command(IDM_TRACK_BASE + 3);
  // The disc's last track comes a frame short from the driver: its end is 3/00:01:74.
  EXPECT_EQ(SpansUntil(2, 4000), (Texts{"3/00:00-3/00:01", "1/00:00-3/00:01"})) << "repeat";
  for (WPARAM status : {MCI_NOTIFY_SUCCESSFUL, MCI_NOTIFY_SUPERSEDED, MCI_NOTIFY_ABORTED}) {
    SendMessageA(player->hwnd, MM_MCINOTIFY, status, DeviceId());
    EXPECT_EQ(Spans(), Texts{}) << "status " << status << " while track 1 plays";
  }
  Command(IDM_STOP);
}

// Catches an end of the disc that is missed or runs into data: on an
// enhanced disc, repeat starts track 1 again after the last audio track,
// also when the older driver ends the play at its MCI_TO with a failure.
TEST_P(PlayEnds, RepeatOnAnEnhancedDiscStartsAgainAfterTheLastAudioTrack) {
  for (bool endWithFailure : {false, true}) {
    if (endWithFailure && profile == DriveProfile::kModern) continue;  // no notice to fail
    SCOPED_TRACE(endWithFailure ? "ends with a failure" : "ends successfully");
    faults.endWithFailure = endWithFailure;
    DiscContents disc;
    disc.tracks = {"00:00:40", "00:00:40", "10:00:00 data"};
    Open(disc);
    Poll();
    appSettings->repeat = 1;
    Command(IDM_PLAY);
    EXPECT_EQ(SpansUntil(2, 4000), (Texts{"1/00:00-2/00:00", "1/00:00-2/00:00"}))
        << "repeat never went back to track 1";
    player.reset();
    drive.reset();
  }
}

// Catches the runaway repeat loop: a disc of no length with repeat on sends
// at most one PLAY a second, and Stop wins even when the end notice of the
// play it stops is already queued.
TEST_P(PlayEnds, APlayThatEndsAtOnceRestartsAtMostOnceASecondAndStopEndsIt) {
  DiscContents disc;
  disc.tracks = {"00:00:00"};
  Open(disc);
  Poll();
  appSettings->repeat = 1;
  Plays();
  Command(IDM_PLAY);
  PumpMessages(3200);
  size_t plays = Plays().size();
  EXPECT_GE(plays, 2u) << "repeat never restarted";
  EXPECT_LE(plays, 5u) << "more than one PLAY a second";
  Command(IDM_STOP);
  PumpMessages(1500);
  EXPECT_EQ(Plays().size(), 0u) << "a pending restart outlived Stop";
  // With the older driver this play's notice is posted before Stop runs and read after it.
  Command(IDM_PLAY);
  Command(IDM_STOP);
  Plays();
  PumpMessages(1500);
  EXPECT_EQ(Plays().size(), 0u) << "a notice queued before Stop restarted the disc";
}

// Catches a new shuffled pass under repeat starting with the track that
// ended the pass before. The seed is one whose plain draw would do so.
TEST_P(PlayEnds, AShuffledPassNeverStartsWithTheTrackThatEndedTheLast) {
  Open(TracksOf(2, "00:00:30"), 2.0);  // a fifth of a second a track
  Poll();
  unsigned seed = 0;
  for (bool repeats = false; !repeats;) {
    unsigned state = ++seed;
    int last = DrawShuffle(player->Disc(), &state, 0).tracks[1];
    repeats = DrawShuffle(player->Disc(), &state, 0).tracks[0] == last;
  }
  player->SeedShuffle(seed);
  appSettings->repeat = 1;
  Command(IDM_SHUFFLE);
  Command(IDM_PLAY);
  Texts plays = SpansUntil(3, 5000);
  ASSERT_EQ(plays.size(), 3u);
  EXPECT_NE(plays[2], plays[1]) << "the new pass began with the track just played";
}

// Catches Play while the drive still seeks to a step's place (a real drive
// seeks a moment after every move) going back to the track's start, after a
// forward step as after a mode switch that replays from where it is.
TEST_F(PlayerModes, PlayWhileTheDriveSeeksKeepsThePlaceTheStepWentTo) {
  faults.seekMs = 300;
  faults.latencyMs = 50;
  Open(TracksOf(3));
  Poll();
  player->PlayTrackAt(1, 0, 3, 0);
  ASSERT_TRUE(PumpUntil(2000, [&] { return Mode() == MCI_MODE_PLAY; }));
  Plays();
  Key(VK_RIGHT, false);
  PumpMessages(150);
  Command(IDM_PLAY);
  EXPECT_EQ(Spans(), Texts{"1/00:08-3/04:12"}) << "Play sent a second PLAY";
  EXPECT_TRUE(PumpUntil(2000, [&] {
    Poll();
    return Title() >= "[01] 00:05" && Title() < "[01] 01";
  })) << Title();
  Command(IDM_SHUFFLE);  // replays from where it is, track by track
  Command(IDM_PLAY);
  EXPECT_EQ(Spans().size(), 1u) << "Play after S sent a PLAY of its own";
}

// Catches a minus sign in the time window (its digits are unsigned), the
// wrong remaining time shown, the mode not saved, a mode's check mark (double
// size's too) missing or stuck, and a click on the time window that does nothing.
TEST_F(PlayerModes, TheTimeModesCycleAndOnlyTheTitleShowsTheMinus) {
  Open(TracksOf(3));  // 4:12.30 each
  Poll();
  // The skin's remaining-time sign goes with the title's minus.
  const struct { const char* title; int first, second, sign; } steps[] = {
      {"[01] -04:12 - Zanto Player", 4, 12, 1},   // remaining in the track
      {"[01] -12:37 - Zanto Player", 12, 37, 1},  // remaining on the disc
      {"[01] 00:00 - Zanto Player", 0, 0, 0},     // elapsed again
  };
  for (const auto& step : steps) {
    Command(IDM_NEXT_TIME_MODE);
    EXPECT_EQ(Title(), step.title);
    EXPECT_EQ(player->timeFirst * 100 + player->timeSecond, step.first * 100 + step.second) << step.title;
    EXPECT_EQ(player->timeRemainingOn, step.sign) << step.title;
  }
  Command(IDM_NEXT_TIME_MODE);
  EXPECT_EQ(Ini("TimeMode"), "1");
  for (UINT id : {IDM_SHUFFLE, IDM_REPEAT_TRACK, IDM_INTRO_SCAN, IDM_DOUBLE_SIZE}) {
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
  EXPECT_EQ(player->View().mediaHotKeysRegistered, 0) << "MediaHotKeys=0 registers none";
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
  EXPECT_EQ(player->View().mediaHotKeysRegistered, 3) << "all but the held stop key";
  SendMessageA(player->hwnd, WM_HOTKEY, kHotKeyPlayPause, 0);
  SendMessageA(player->hwnd, WM_HOTKEY, kHotKeyNext, 0);
  EXPECT_EQ(State(), "playing 2");
  SendMessageA(player->hwnd, WM_HOTKEY, kHotKeyStop, 0);
  EXPECT_EQ(State(), "stopped 2");

  appSettings->mediaHotKeys = 0;
  player->ApplyMediaHotKeys();
  EXPECT_EQ(player->View().mediaHotKeysRegistered, 0) << "switched off, still held";
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
// drag (or none once it rested).
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
