// The player on a drive that behaves like real hardware: discs with data
// tracks, a disc swapped without the mode ever saying so, plays that end at
// once, playback rolling over a track boundary between polls, failing
// queries, and an emptied animation interval.
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

using Lines = std::vector<std::string>;

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

std::string Range(DWORD from, DWORD to) { return Line("from=0x%08lX to=0x%08lX", from, to); }

// Catches a player that plays, steps or lists data tracks as audio: Play
// starting on the data track 1 of a mixed-mode disc, a play running into the
// data track of an enhanced disc, steps landing on data, a data-only disc
// that claims a track.
TEST_F(PlayerTest, DiscsWithDataTracksPlayAndStepOverTheirAudioOnly) {
  struct Case {
    const char* name;
    std::vector<std::string> tracks;
    const char* identity;
    const char* title;
    int first, last;  // the first Play's range, audio tracks only; 0: nothing to play
    WORD step;        // a step while stopped, from the first audio track
    int stepped;
    int greyedItem;         // 0-based menu position of a data track
  } cases[] = {
      {"mixed mode", {"10:00:00 data", "00:03:00", "00:03:00"}, "11", "[02] 00:00 - Zanto Player", 2, 3,
       IDM_PREVIOUS, 3, 0},
      {"enhanced", {"00:03:00", "00:03:00", "10:00:00 data"}, "12", "[01] 00:00 - Zanto Player", 1, 2,
       IDM_PREVIOUS, 2, 2},
      {"no audio", {"10:00:00 data", "20:00:00 data"}, "13", "Zanto Player", 0, 0, IDM_NEXT, 0, 1},
  };
  Open(TracksOf(1), 0.01);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Command(IDM_STOP);
    DiscContents disc;
    disc.tracks = c.tracks;
    disc.identity = c.identity;
    drive->Write(disc);
    player->discPresent = 0;
    Poll();
    ASSERT_EQ(player->discPresent, 1);
    EXPECT_EQ(Title(), c.title);
    Plays();
    Command(IDM_PLAY);
    Lines plays = Plays();
    if (!c.first) {
      EXPECT_TRUE(plays.empty()) << "a disc without audio played";
      EXPECT_EQ(Title(), "Zanto Player");
    } else {
      // Up to the end of the last audio track: never into the data.
      ASSERT_EQ(plays.size(), 1u);
      EXPECT_TRUE(Contains(plays[0], Range(MakeTmsf(c.first, 0, 0, 0), MakeTmsf(c.last, 0, 3, 0)))) << plays[0];
      EXPECT_TRUE(Contains(plays[0], "=> 0")) << plays[0];
      Command(IDM_STOP);
    }
    Command(c.step);
    EXPECT_EQ(player->currentTrack, c.stepped);
    unique_hmenu menu = player->BuildContextMenu();
    HMENU tracks = GetSubMenu(GetSubMenu(menu.get(), 0), 2);
    ASSERT_EQ(GetMenuItemCount(tracks), static_cast<int>(c.tracks.size()));
    for (int i = 0; i < GetMenuItemCount(tracks); ++i) {
      bool data = Contains(c.tracks[i], "data");
      EXPECT_EQ((GetMenuState(tracks, i, MF_BYPOSITION) & MF_GRAYED) != 0, data) << "item " << i;
    }
    char text[64] = "";
    GetMenuStringA(tracks, c.greyedItem, text, sizeof(text), MF_BYPOSITION);
    EXPECT_TRUE(Contains(text, "(10:00)") || Contains(text, "(20:00)")) << "a data track keeps its length: " << text;
    Command(IDM_TRACK_BASE + c.greyedItem + 1);
    EXPECT_TRUE(Plays().empty()) << "a data track chosen by its id played";
  }
}

// Catches an end of the disc that is missed or runs into data: on an
// enhanced disc, repeat starts track 1 again after the last audio track,
// also when the drive ends the play at its MCI_TO with a failure.
TEST_F(PlayerTest, RepeatOnAnEnhancedDiscStartsAgainAfterTheLastAudioTrack) {
  for (bool endWithFailure : {false, true}) {
    SCOPED_TRACE(endWithFailure ? "ends with a failure" : "ends successfully");
    faults.endWithFailure = endWithFailure;
    DiscContents disc;
    disc.tracks = {"00:00:40", "00:00:40", "10:00:00 data"};
    Open(disc);
    Poll();
    appSettings->repeat = 1;
    Command(IDM_PLAY);
    Plays();
    std::string again = PlayFrom(1, 0, 0, 0);
    bool repeated = PumpUntil(4000, [&] {
      for (const std::string& play : Plays()) {
        if (Contains(play, again)) return true;
      }
      return false;
    });
    EXPECT_TRUE(repeated);
    player.reset();
    drive.reset();
  }
}

int CountPlays(const Lines& log) {
  int plays = 0;
  for (const std::string& line : log) plays += Contains(line, "PLAY ") ? 1 : 0;
  return plays;
}

// Catches the runaway repeat loop: a disc of no length with repeat on sends
// at most one PLAY a second, and Stop wins even when the end notice of the
// play it stops is already queued.
TEST_F(PlayerTest, APlayThatEndsAtOnceRestartsAtMostOnceASecondAndStopEndsIt) {
  DiscContents disc;
  disc.tracks = {"00:00:00"};
  Open(disc);
  Poll();
  appSettings->repeat = 1;
  drive->TakeLog();
  Command(IDM_PLAY);
  PumpMessages(3200);
  int plays = CountPlays(drive->TakeLog());
  EXPECT_GE(plays, 2) << "repeat never restarted";
  EXPECT_LE(plays, 5) << "more than one PLAY a second";
  Command(IDM_STOP);
  PumpMessages(1500);
  EXPECT_EQ(CountPlays(drive->TakeLog()), 0) << "a pending restart outlived Stop";

  // The notice of this play is posted before Stop runs and read after it.
  Command(IDM_PLAY);
  Command(IDM_STOP);
  drive->TakeLog();
  PumpMessages(1500);
  EXPECT_EQ(CountPlays(drive->TakeLog()), 0) << "a notice queued before Stop restarted the disc";
}

// Catches a disc swapped without "open" or "not ready" in between: the old
// disc's tracks stay and Next walks past the new disc's end; the old disc's
// skin must be stored under the old disc.
TEST_F(PlayerTest, ADiscSwappedWithoutAGapIsRecognisedWithinASecond) {
  appSettings->chgResByCd = 1;
  Open(TracksOf(12));
  Poll();
  for (int i = 0; i < 5; ++i) Command(IDM_NEXT);
  ASSERT_EQ(player->currentTrack, 6);
  DiscContents other = TracksOf(3);
  other.identity = "22136";  // 0x5678
  drive->Write(other);
  Poll();
  Poll();  // a second of polls
  EXPECT_EQ(player->trackCount, 3);
  EXPECT_EQ(Title(), "[01] 00:00 - Zanto Player");
  char stored[MAX_PATH] = "";
  GetPrivateProfileStringA("1234", "ResourceFile", "", stored, sizeof(stored), folder.File("CD.ini").c_str());
  EXPECT_STREQ(stored, appSettings->lastFile) << "the old disc's skin was not stored under it";
  Command(IDM_PLAY);
  Lines plays = Plays();
  ASSERT_FALSE(plays.empty());
  EXPECT_TRUE(Contains(plays.back(), PlayFrom(1, 0, 0, 0) + " ")) << plays.back();
  EXPECT_TRUE(Contains(plays.back(), "=> 0")) << plays.back();
}

// Catches commands that act on the track the last poll saw: within half a
// second of playback rolling into track 2, Next, Previous and Pause must
// act on track 2.
TEST_F(PlayerTest, CommandsRightAfterATrackBoundaryActOnTheTrackNowPlaying) {
  Open(TracksOf(3), 10.0);
  Poll();
  struct Case { WORD command; int track; } cases[] = {
      {IDM_NEXT, 3},      // not a restart of track 2
      {IDM_PREVIOUS, 2},  // 3 s into track 2: restarts it, not track 1
      {IDM_PAUSE, 2},
  };
  for (const Case& c : cases) {
    Poll();
    player->currentTrack = 1;
    player->PlayTrackAt(1, 4, 12, 20);
    Sleep(350);  // at ten times the speed: 3 s into track 2, and no poll since
    Plays();
    Command(c.command);
    if (c.command == IDM_PAUSE) {
      EXPECT_EQ(TmsfTrack(player->pausePosition), c.track);
      EXPECT_LE(TmsfMinutes(player->pausePosition) * 60 + TmsfSeconds(player->pausePosition), 10)
          << "a pause time past the end of its track";
    } else {
      Lines plays = Plays();
      ASSERT_EQ(plays.size(), 1u) << c.command;
      EXPECT_TRUE(Contains(plays[0], PlayFrom(c.track, 0, 0, 0))) << c.command << ": " << plays[0];
    }
    Command(IDM_STOP);
  }
}

// Catches a title that shows made-up times when the drive refuses a query:
// a failed start-of-track or position query read as 0 shows the time on the
// disc as the time in the track.
TEST_F(PlayerTest, RefusedQueriesNeverShowATimeTheDriveDidNotReport) {
  // Every 12th: a poll while playing asks 13 times, so the failure moves one
  // query on at every poll and meets each of them in turn. (Reading a disc
  // asks six times in a row after five mode queries: a shorter cycle would
  // keep any player from ever reading it.)
  faults.failEveryNthStatus = 12;
  Open(TracksOf(3), 0.01);
  for (int i = 0; i < 20 && !player->discPresent; ++i) Poll();
  ASSERT_EQ(player->discPresent, 1);
  ASSERT_EQ(player->PlayTrackAt(2, 0, 0, 0), 0u);
  player->currentTrack = 2;
  for (int i = 0; i < 26; ++i) {
    Poll();
    std::string title = Title();
    EXPECT_TRUE(title == "[02] 00:00 - Zanto Player" || title == "[01] 00:00 - Zanto Player") << title;
    EXPECT_LE(player->seekPosition, 1) << "poll " << i;
  }
}

// Catches the 10 ms timer an emptied MouseAnime field gave.
TEST_F(PlayerTest, AnEmptiedMouthIntervalKeepsTheDriveTrafficLow) {
  appSettings->timeWindow = kTimeWindowMouth;
  appSettings->mouseAnime = 0;
  keepTimers = true;
  Open(TracksOf(3));
  PumpMessages(600);
  drive->TakeTimedLog();
  PumpMessages(2000);
  std::vector<LoggedCommand> log = drive->TakeTimedLog();
  ASSERT_GT(log.size(), 2u);
  double seconds = log.back().seconds - log.front().seconds;
  EXPECT_LT(log.size() / seconds, 25.0);
  EXPECT_EQ(appSettings->mouseAnime, 0) << "the stored value stays";
}

}  // namespace
