// The player on a drive that behaves like real hardware: discs with data
// tracks, playback rolling over a track boundary between polls, refused
// queries, an emptied animation interval. (How plays end: player_modes_test.) (A disc
// swapped without a gap is the end-to-end session's.)
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "app/application.h"
#include "cd/msf.h"
#include "app/player/player_fixture.h"
#include "resources/resource.h"
#include "settings/settings.h"

namespace {

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// Catches data tracks taken for audio: Play starting on the data track 1 of
// a mixed-mode disc, a play running into the data track of an enhanced one,
// steps or menu items landing on data, a data-only disc claiming a track.
TEST_F(PlayerTest, DiscsWithDataTracksPlayAndStepOverTheirAudioOnly) {
  struct Case {
    const char* kinds;  // 'a' audio, 'd' data, each track 00:03:00
    const char* title;
    int first, last;    // the range of Play; 0: nothing to play
    int previous;       // Previous while stopped on the first audio track
  } cases[] = {
      {"daa", "[02] 00:00 - Zanto Player", 2, 3, 3},
      {"aad", "[01] 00:00 - Zanto Player", 1, 2, 2},
      {"dd", "Zanto Player", 0, 0, 0},
  };
  Open(TracksOf(1), 0.01);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kinds);
    DiscContents disc;
    for (const char* k = c.kinds; *k; ++k) disc.tracks.push_back(*k == 'd' ? "00:03:00 data" : "00:03:00");
    disc.identity = std::to_string(11 + (&c - cases));
    ChangeDisc(disc);
    EXPECT_EQ(Title(), c.title);
    Plays();
    Command(IDM_PLAY);
    std::vector<std::string> plays = Plays();
    ASSERT_EQ(plays.size(), c.first ? 1u : 0u);
    // Up to the end of the last audio track: never into the data.
    // The driver gives the disc's last track a frame short.
    const int count = static_cast<int>(strlen(c.kinds));
    if (c.first) {
      DWORD end = c.last == count ? MakeTmsf(c.last, 0, 2, 74) : MakeTmsf(c.last, 0, 3, 0);
      EXPECT_TRUE(Contains(plays[0], Line("from=0x%08lX to=0x%08lX => 0", MakeTmsf(c.first, 0, 0, 0), end)))
          << plays[0];
    }
    Command(IDM_STOP);
    Command(IDM_PREVIOUS);
    EXPECT_EQ(player->View().currentTrack, c.previous);
    unique_hmenu menu = player->BuildContextMenu();
    HMENU tracks = GetSubMenu(GetSubMenu(menu.get(), 0), 2);
    for (int i = 0; c.kinds[i]; ++i) {
      char text[32] = "";
      GetMenuStringA(tracks, i, text, sizeof(text), MF_BYPOSITION);
      EXPECT_TRUE(Contains(text, i + 1 == count ? "(00:02)" : "(00:03)")) << "every track keeps its length: " << text;
      EXPECT_EQ((GetMenuState(tracks, i, MF_BYPOSITION) & MF_GRAYED) != 0, c.kinds[i] == 'd') << i;
      Command(IDM_TRACK_BASE + i + 1);
      EXPECT_EQ(Plays().size(), c.kinds[i] == 'd' ? 0u : 1u) << "track " << i + 1 << " from the menu";
    }
  }
}

// Catches commands acting on the track the last poll saw: just after
// playback rolled into track 2, Next, Previous and Pause act on track 2.
TEST_F(PlayerTest, CommandsRightAfterATrackBoundaryActOnTheTrackNowPlaying) {
  Open(TracksOf(3), 10.0);
  Poll();
  struct Case { WORD command; int track; } cases[] = {
      {IDM_NEXT, 3},      // not a restart of track 2
      {IDM_PREVIOUS, 2},  // 3.5 s into track 2: restarts it, not track 1
      {IDM_PAUSE, 2},
  };
  for (const Case& c : cases) {
    Poll();
    player->PlayTrackAt(1, 4, 12, 20);
    Sleep(350);  // ten times the speed: 3.5 s into track 2, and no poll since
    Plays();
    Command(c.command);
    std::vector<std::string> plays = Plays();
    if (c.command == IDM_PAUSE) {
      EXPECT_EQ(TmsfTrack(player->View().pausePosition), c.track);
      EXPECT_EQ(TmsfMinutes(player->View().pausePosition), 0) << "a pause time past the end of its track";
    } else {
      ASSERT_EQ(plays.size(), 1u) << c.command;
      EXPECT_TRUE(Contains(plays[0], PlayFrom(c.track, 0, 0, 0))) << c.command << ": " << plays[0];
    }
    Command(IDM_STOP);
  }
}

// Catches made-up times when the drive refuses a query: a failed start or
// position read as 0 shows the time on the disc as the time in the track.
TEST_F(PlayerTest, RefusedQueriesNeverShowATimeTheDriveDidNotReport) {
  // A poll while playing asks twice, the mode and the position: every 9th
  // failing meets each in turn. (A cycle shorter than the reading of a new
  // disc would keep any player from reading it.)
  faults.failEveryNthStatus = 9;
  Open(TracksOf(3), 0.01);
  for (int i = 0; i < 20 && !DiscPresent(); ++i) Poll();
  ASSERT_TRUE(player->PlayTrackAt(2, 0, 0, 0));
  for (int i = 0; i < 26; ++i) {
    Poll();
    EXPECT_TRUE(Contains(Title(), "] 00:00 - ")) << Title();
    EXPECT_LE(player->seekPosition, 1) << "poll " << i;
  }
}

// Catches the 10 ms timer an emptied MouseAnime field gave, and a mouth that
// asks the drive for the mode at its every step.
TEST_F(PlayerTest, AnEmptiedMouthIntervalKeepsTheDriveTrafficLow) {
  appSettings->timeWindow = kTimeWindowMouth;
  appSettings->mouseAnime = 0;
  keepTimers = true;
  Open(TracksOf(3));
  ASSERT_TRUE(PumpUntil(3000, [this] { return DiscPresent(); }));
  EXPECT_LE(MeasureTraffic(40).total, 3.0) << "stopped";
  Command(IDM_PLAY);
  int steps = 0;
  int frame = player->View().mouthFrame;
  Traffic playing = MeasureTraffic(40, [&] {
    steps += (player->View().mouthFrame - frame + 10) % 10;
    frame = player->View().mouthFrame;
  });
  EXPECT_LE(playing.total, 8.0) << "playing";
  EXPECT_NEAR(steps, 20, 6) << "a step every 100 ms for 2 s";
  EXPECT_EQ(appSettings->mouseAnime, 0) << "the stored value stays";
}

}  // namespace
