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

// The from and to of one logged PLAY (0 when absent).
struct Play {
  DWORD from = 0;
  DWORD to = 0;
};

DWORD Field(const std::string& line, const char* name) {
  size_t at = line.find(name);
  return at == std::string::npos ? 0 : std::stoul(line.substr(at + strlen(name), 8), nullptr, 16);
}

std::vector<Play> Parse(const std::vector<std::string>& lines) {
  std::vector<Play> plays;
  for (const std::string& line : lines) plays.push_back({Field(line, "from=0x"), Field(line, "to=0x")});
  return plays;
}

// Track, minutes and seconds of a TMSF, frames left out.
std::string Tms(DWORD tmsf) {
  return Line("%d/%02d:%02d", TmsfTrack(tmsf), TmsfMinutes(tmsf), TmsfSeconds(tmsf));
}

DiscContents Tracks(int n, const char* length) {
  DiscContents disc;
  disc.tracks.assign(static_cast<size_t>(n), length);
  disc.identity = "4660";
  return disc;
}

LRESULT AppCommand(HWND hwnd, int command) {
  return SendMessageA(hwnd, WM_APPCOMMAND, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(0, command));
}

class PlayerModes : public PlayerTest {
 protected:
  std::vector<Play> TakePlays() { return Parse(Plays()); }
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
};

TEST_F(PlayerModes, RewindAndForwardStepWhilePlayingOrPausedAndNotWhenStopped) {
  appSettings->blinkWhenPausing = 0;
  Open(TracksOf(3), 0.01);  // the position barely moves during the test
  Poll();
  player->OnForwardButton();
  EXPECT_TRUE(Plays().empty()) << "stopped: nothing to step from";

  player->PlayTrackAt(2, 0, 2, 0);
  Plays();
  player->OnForwardButton();
  std::vector<Play> plays = TakePlays();
  ASSERT_EQ(plays.size(), 1u);
  EXPECT_EQ(Tms(plays[0].from), "2/00:07");
  player->OnRewindButton();
  player->OnRewindButton();  // 2 s into track 2, back 5 s: 3 s before track 1's end
  plays = TakePlays();
  ASSERT_EQ(plays.size(), 2u);
  EXPECT_EQ(Tms(plays[1].from), "1/04:09");
  EXPECT_EQ(Tms(plays[1].to), "3/04:12") << "without a play mode the play runs on";
  EXPECT_EQ(player->currentTrack, 1);

  Command(IDM_PAUSE);
  DWORD paused = player->pausePosition;
  player->OnForwardButton();
  EXPECT_TRUE(Plays().empty()) << "paused: the pause position moves, nothing plays";
  EXPECT_EQ(Tms(player->pausePosition), "2/00:02") << "from " << Tms(paused);
  EXPECT_EQ(Title(), "[02] 00:02 - Zanto Player");

  // Arrow keys: every fresh press steps; the keyboard's repeat only every 250 ms.
  Command(IDM_PAUSE);  // resume
  Plays();
  const LPARAM fresh = 1;
  const LPARAM repeat = 1 | (1 << 30);
  SendMessageA(player->hwnd, WM_KEYDOWN, VK_RIGHT, fresh);
  SendMessageA(player->hwnd, WM_KEYDOWN, VK_RIGHT, repeat);
  SendMessageA(player->hwnd, WM_KEYDOWN, VK_RIGHT, repeat);
  EXPECT_EQ(TakePlays().size(), 1u) << "auto-repeat within 250 ms";
  Sleep(270);
  SendMessageA(player->hwnd, WM_KEYDOWN, VK_LEFT, repeat);
  SendMessageA(player->hwnd, WM_KEYDOWN, VK_LEFT, fresh);
  plays = TakePlays();
  ASSERT_EQ(plays.size(), 2u);
  EXPECT_EQ(Tms(plays[0].from), "2/00:02") << "the repeat after 250 ms steps";
  EXPECT_EQ(Tms(plays[1].from), "1/04:09");

  // A data track between two audio ones is stepped over, both ways.
  DiscContents mixed;
  mixed.tracks = {"00:20:00", "01:00:00 data", "04:00:00"};
  mixed.identity = "99";
  drive->Write(mixed);
  Command(IDM_STOP);
  ASSERT_TRUE(PumpUntil(4000, [&] {
    Poll();
    return player->audioTracks.dataTrack[2];
  })) << "the swapped disc was never read";
  player->PlayTrackAt(1, 0, 18, 0);
  player->OnForwardButton();
  player->OnRewindButton();
  player->OnRewindButton();
  plays = TakePlays();
  ASSERT_EQ(plays.size(), 4u);
  EXPECT_EQ(Tms(plays[1].from), "3/00:03");
  EXPECT_EQ(Tms(plays[2].from), "1/00:18");
  EXPECT_EQ(Tms(plays[3].from), "1/00:13");
}

TEST_F(PlayerModes, RepeatOneAndIntroEndEachPlayAtItsTrackAndChainTheRestarts) {
  // Shuffle's own session is the real program's (e2e); here the other two.
  Open(Tracks(5, "00:02:00"), 8.0);  // a quarter second a track
  Poll();
  {
    SCOPED_TRACE("repeat one: the same track again until stopped");
    Command(IDM_REPEAT_TRACK);
    Command(IDM_TRACK_BASE + 3);
    PumpMessages(1400);  // the guard: one automatic restart a second
    Command(IDM_STOP);
    std::vector<Play> plays = TakePlays();
    ASSERT_GE(plays.size(), 2u);
    for (const Play& play : plays) {
      EXPECT_EQ(Tms(play.from), "3/00:00");
      EXPECT_EQ(Tms(play.to), "3/00:02") << "ends at its track's end";
    }
    Command(IDM_REPEAT_TRACK);
  }
  {
    SCOPED_TRACE("intro scan: ten seconds of each, then the next");
    drive.reset();
    player.reset();
    Open(Tracks(3, "00:30:00"), 20.0);
    Poll();
    Command(IDM_INTRO_SCAN);
    Command(IDM_PLAY);
    PlayOut(6000);
    std::vector<Play> plays = TakePlays();
    ASSERT_EQ(plays.size(), 3u);
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(Tms(plays[i].from), Line("%d/00:00", i + 1));
      EXPECT_EQ(Tms(plays[i].to), Line("%d/00:10", i + 1));
    }
  }
}

TEST_F(PlayerModes, TheTimeModesCycleAndOnlyTheTitleShowsTheMinus) {
  Open(TracksOf(3));  // 4:12.30 each
  Poll();
  struct Step {
    const char* title;
    int first, second;
  } steps[] = {
      {"[01] -04:12 - Zanto Player", 4, 12},  // remaining in the track
      {"[01] -12:37 - Zanto Player", 12, 37},  // remaining on the disc
      {"[01] 00:00 - Zanto Player", 0, 0},     // elapsed again
  };
  for (const Step& step : steps) {
    Command(IDM_NEXT_TIME_MODE);
    EXPECT_EQ(Title(), step.title);
    EXPECT_EQ(player->timeFirst, step.first) << "the time window's digits are unsigned";
    EXPECT_EQ(player->timeSecond, step.second);
  }
  Command(IDM_NEXT_TIME_MODE);
  EXPECT_EQ(Ini("TimeMode"), "1");
  // Each play mode carries its check mark in the context menu.
  for (UINT id : {IDM_SHUFFLE, IDM_REPEAT_TRACK, IDM_INTRO_SCAN}) {
    Command(static_cast<WORD>(id));
    unique_hmenu menu = player->BuildContextMenu();
    HMENU popup = GetSubMenu(menu.get(), 0);
    EXPECT_TRUE(GetMenuState(popup, id, MF_BYCOMMAND) & MF_CHECKED) << id;
    Command(static_cast<WORD>(id));
    menu = player->BuildContextMenu();
    EXPECT_FALSE(GetMenuState(GetSubMenu(menu.get(), 0), id, MF_BYCOMMAND) & MF_CHECKED) << id;
  }
  player->OnTimeWindowClick();
  EXPECT_EQ(appSettings->timeMode, 2);
}

TEST_F(PlayerModes, MediaKeysActAndAreNotPassedOn) {
  Open(TracksOf(3), 0.01);
  Poll();
  HWND hwnd = player->hwnd;
  EXPECT_EQ(AppCommand(hwnd, APPCOMMAND_MEDIA_PLAY_PAUSE), TRUE);
  EXPECT_EQ(Mode(), static_cast<DWORD>(MCI_MODE_PLAY)) << "stopped: play";
  EXPECT_EQ(AppCommand(hwnd, APPCOMMAND_MEDIA_PLAY_PAUSE), TRUE);
  EXPECT_EQ(player->paused, 1) << "playing: pause";
  EXPECT_EQ(AppCommand(hwnd, APPCOMMAND_MEDIA_PLAY), TRUE);
  EXPECT_EQ(Mode(), static_cast<DWORD>(MCI_MODE_PLAY)) << "paused: resume";
  EXPECT_EQ(AppCommand(hwnd, APPCOMMAND_MEDIA_NEXTTRACK), TRUE);
  EXPECT_EQ(player->currentTrack, 2);
  EXPECT_EQ(AppCommand(hwnd, APPCOMMAND_MEDIA_PREVIOUSTRACK), TRUE);
  EXPECT_EQ(player->currentTrack, 1);
  EXPECT_EQ(AppCommand(hwnd, APPCOMMAND_MEDIA_PAUSE), TRUE);
  EXPECT_EQ(player->paused, 1);
  EXPECT_EQ(AppCommand(hwnd, APPCOMMAND_MEDIA_STOP), TRUE);
  EXPECT_EQ(player->paused, 0);
  Plays();
  AppCommand(hwnd, APPCOMMAND_VOLUME_UP);  // not the player's: passed on
  EXPECT_TRUE(Plays().empty());
}

TEST_F(PlayerModes, HotKeysOnlyWhenAskedForLeavingKeysOthersHold) {
  // Another program holds the stop key already.
  HWND other = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                               appInstance, nullptr);
  ASSERT_TRUE(RegisterHotKey(other, 7, MOD_NOREPEAT, VK_MEDIA_STOP));
  Open(TracksOf(3), 0.01);
  EXPECT_EQ(player->mediaHotKeys.registeredCount(), 0) << "MediaHotKeys=0 registers none";
  player.reset();
  drive.reset();

  appSettings->mediaHotKeys = 1;
  Open(TracksOf(3), 0.01);
  Poll();
  EXPECT_EQ(player->mediaHotKeys.registeredCount(), 3) << "all but the held stop key";
  SendMessageA(player->hwnd, WM_HOTKEY, kHotKeyPlayPause, 0);
  EXPECT_EQ(Mode(), static_cast<DWORD>(MCI_MODE_PLAY));
  SendMessageA(player->hwnd, WM_HOTKEY, kHotKeyNext, 0);
  EXPECT_EQ(player->currentTrack, 2);
  SendMessageA(player->hwnd, WM_HOTKEY, kHotKeyStop, 0);
  EXPECT_EQ(Mode(), static_cast<DWORD>(MCI_MODE_STOP));

  // Switched off in the settings, then the window's end: the keys are free again.
  appSettings->mediaHotKeys = 0;
  player->ApplyMediaHotKeys();
  EXPECT_EQ(player->mediaHotKeys.registeredCount(), 0);
  appSettings->mediaHotKeys = 1;
  player->ApplyMediaHotKeys();
  player.reset();
  EXPECT_TRUE(RegisterHotKey(other, 8, MOD_NOREPEAT, VK_MEDIA_PLAY_PAUSE)) << "still held";
  UnregisterHotKey(other, 8);
  UnregisterHotKey(other, 7);
  DestroyWindow(other);
}

TEST_F(PlayerModes, PlayOnInsertAndTheVolumeStartsAtItsSetting) {
  appSettings->autoPlay = 1;
  appSettings->volume = 100;
  Open(TracksOf(3), 0.01);
  EXPECT_EQ(player->volumePosition, 100) << "the control starts at the saved volume";
  Poll();
  std::vector<Play> plays = TakePlays();
  ASSERT_EQ(plays.size(), 1u) << "a disc found at start-up counts as arriving";
  EXPECT_EQ(Tms(plays[0].from), "1/00:00");
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
  PumpUntil(3000, [&] { return Ini("Volume") == "40"; });
  EXPECT_EQ(Ini("Volume"), "40") << "saved once the control rested";
}

// Catches: one channel left out of the aux value, a position past the ends
// wrapping instead of holding, and a session level that never reaches 1.
TEST(VolumeLevels, PositionsMapOntoBothMechanisms) {
  const struct {
    int position;
    DWORD aux;
    float session;
  } cases[] = {{0, 0, 0.0f},
               {128, 0x80808080u, 128 / 255.0f},
               {255, 0xFFFFFFFFu, 1.0f},
               {300, 0xFFFFFFFFu, 1.0f},
               {-4, 0, 0.0f}};
  for (const auto& c : cases) {
    EXPECT_EQ(AuxVolumeValue(c.position), c.aux) << c.position;
    EXPECT_FLOAT_EQ(SessionLevel(c.position), c.session) << c.position;
  }
}

TEST_F(PlayerModes, TheVolumeReachesTheProgramsAudioSession) {
  Open(TracksOf(1), 0.01);
  player->OnVolumeControl(40);
  if (!player->volumeOutput.OpenSession()) {
    GTEST_SKIP() << "no audio session on this system: the volume moves the control only";
  }
  EXPECT_NEAR(player->volumeOutput.SessionVolume(), 40 / 255.0f, 0.01f);
}

}  // namespace
