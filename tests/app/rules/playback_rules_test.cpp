// The arithmetic of the buttons and displays, as plain functions.
#include "app/rules/playback_rules.h"

#include <gtest/gtest.h>

#include <string>

#include "app/rules/audio_tracks.h"
#include "app/rules/player_state.h"
#include "app/rules/restart_guard.h"
#include "cd/msf.h"
#include "resources/resource.h"

namespace {

// A disc as a string, one letter a track: 'a' audio, 'd' data.
DiscInfo Disc(const char* kinds) {
  DiscInfo disc;
  while (kinds[disc.trackCount]) ++disc.trackCount;
  for (int t = 1; t <= disc.trackCount; ++t) disc.tracks[t].data = kinds[t - 1] == 'd';
  return disc;
}

// Catches steps, ends or runs that land on a data track: a mixed-mode disc
// (data first), an enhanced one (data last), data in the middle, no audio.
TEST(AudioTracks, StepsRunsAndEndsSkipDataTracks) {
  struct Case {
    const char* disc;
    int track;
    int first, last, next, previous, runEnd, nextRun;
  } cases[] = {
      {"daaa", 2, 2, 4, 3, 4, 4, 0},   // mixed mode: track 1 is never reached
      {"daaa", 1, 2, 4, 2, 4, 0, 0},   // from the data track itself
      {"aaad", 3, 1, 3, 1, 2, 3, 0},   // enhanced: the run stops before the data, next wraps
      {"aaad", 1, 1, 3, 2, 3, 3, 0},
      {"aadaa", 2, 1, 5, 4, 1, 2, 4},  // data inside: the next run goes on at 4
      {"aadaa", 4, 1, 5, 5, 2, 5, 0},
      {"dd", 1, 0, 0, 0, 0, 0, 0},     // no audio at all: nothing to play
      {"", 0, 0, 0, 0, 0, 0, 0},
      {"aaa", 0, 1, 3, 1, 3, 0, 0},    // no track selected
  };
  for (const Case& c : cases) {
    const DiscInfo list = Disc(c.disc);
    EXPECT_EQ(FirstAudioTrack(list), c.first) << c.disc;
    EXPECT_EQ(LastAudioTrack(list), c.last) << c.disc;
    EXPECT_EQ(NextAudioTrack(list, c.track), c.next) << c.disc << " next of " << c.track;
    EXPECT_EQ(PreviousAudioTrack(list, c.track), c.previous) << c.disc << " previous of " << c.track;
    EXPECT_EQ(RunEndTrack(list, c.track), c.runEnd) << c.disc << " run of " << c.track;
    EXPECT_EQ(NextRunStart(list, RunEndTrack(list, c.track)), c.nextRun) << c.disc << " after " << c.track;
  }
  DiscInfo huge;
  huge.trackCount = 1000;
  EXPECT_EQ(LastAudioTrack(huge), kMaxDiscTracks) << "a TMSF time names at most track 255";
  EXPECT_EQ(NextAudioTrack(huge, 5000), 1) << "a track past the entries is not read";
  EXPECT_EQ(FirstAudioTrack(huge), 1);
}

// Catches a repeat loop of instant ends: restarts come at most once a second
// after the last play began.
TEST(RestartGuard, RestartsWaitOutTheSecond) {
  RestartGuard guard;
  EXPECT_EQ(guard.RestartDelay(5000), 0u) << "no play yet: nothing to wait for";
  struct Case { DWORD started, now, delay; } cases[] = {
      {1000, 1000, 1000},      // ended at once: wait the whole second
      {1000, 1300, 700},
      {1000, 2000, 0},         // it really ran
      {0xFFFFFF00u, 0x100u, 488},  // across the wrap of the tick count
  };
  for (const Case& c : cases) {
    guard.PlayStarted(c.started);
    EXPECT_EQ(guard.RestartDelay(c.now), c.delay) << c.started << " -> " << c.now;
  }
}

// Catches an end told after a Stop restarting the disc, an end stepping
// twice, Play during a play's start-up restarting it (or a play that never
// came locking Play out), and a pause kept over a track step.
TEST(PlayerState, EachEventMovesTheMachineAndStopVoidsLaterEnds) {
  PlayerStateMachine machine;
  EXPECT_FALSE(machine.PlayInForce()) << "no play yet: an end stands for nothing";
  machine.DiscArrived();
  EXPECT_EQ(machine.state(), PlayerState::kStopped);
  machine.PlayStarted(7000);
  EXPECT_TRUE(machine.PlayInForce());
  machine.Stopped();
  EXPECT_FALSE(machine.PlayInForce()) << "an end queued before Stop restarted the disc";
  machine.PlayStarted(7000);
  machine.PlayEnded();
  EXPECT_EQ(machine.state(), PlayerState::kStopped);
  machine.PlayEnded();
  EXPECT_FALSE(machine.PlayInForce()) << "an end after the drive showed the end stepped twice";

  machine.PlayStarted(10000);
  EXPECT_TRUE(machine.StartingUp(10000 + kPlayStartupMs - 1));
  EXPECT_FALSE(machine.StartingUp(10000 + kPlayStartupMs)) << "a play that never came locks Play out";
  DriveReading seeking;
  seeking.mode = DriveMode::kSeeking;
  machine.Refreshed(seeking);
  EXPECT_EQ(machine.state(), PlayerState::kSeeking);
  DriveReading playing;
  playing.mode = DriveMode::kPlaying;
  playing.positionKnown = true;
  machine.Refreshed(playing);
  EXPECT_FALSE(machine.StartingUp(10600)) << "seen playing: Play acts again";
  EXPECT_EQ(machine.state(), PlayerState::kPlaying);

  machine.Paused();
  EXPECT_TRUE(machine.IsPaused());
  EXPECT_TRUE(machine.DriveStopped());
  machine.PauseDropped();
  EXPECT_EQ(machine.state(), PlayerState::kStopped) << "a step kept the paused place";
  machine.Refreshed(playing);
  EXPECT_EQ(machine.state(), PlayerState::kStopped) << "another program's play taken for ours";
  machine.DiscGone();
  machine.Paused();
  EXPECT_EQ(machine.state(), PlayerState::kNoDisc);
}

TEST(PlaybackRules, AnEmptiedAnimationIntervalGetsAFloor) {
  struct Case { int setting; UINT interval; } cases[] = {{0, 100}, {-5, 100}, {99, 100}, {100, 100}, {500, 500}};
  for (const Case& c : cases) EXPECT_EQ(AnimationInterval(c.setting), c.interval) << c.setting;
}

TEST(PlaybackRules, PreviousGoesBackOnlyInTheFirstTwoSeconds) {
  EXPECT_TRUE(IsUnderTwoSeconds(MakeMsf(0, 0, 0)));
  EXPECT_TRUE(IsUnderTwoSeconds(MakeMsf(0, 1, 74)));
  EXPECT_FALSE(IsUnderTwoSeconds(MakeMsf(0, 2, 0)));
  EXPECT_FALSE(IsUnderTwoSeconds(MakeMsf(1, 0, 0)));  // a minute in, seconds 0
}

TEST(PlaybackRules, SeekMapAndSeekBarAreInverses) {
  const int length = MsfToFrames(MakeMsf(4, 12, 30));
  EXPECT_EQ(SeekTargetFrames(length, 255), length);  // the very end
  EXPECT_EQ(SeekTargetFrames(length, 0), length / 256);
  EXPECT_EQ(SeekTargetFrames(445500, 254), 445500LL * 255 / 256);  // a 99-minute track
  EXPECT_EQ(SeekBarPosition(128, 256), 127);
  EXPECT_EQ(SeekBarPosition(0, 256), -1);
  EXPECT_EQ(SeekBarPosition(256, 256), 255);
  EXPECT_EQ(SeekBarPosition(300, 256), 255) << "a position past the end stays on the bar";
  EXPECT_EQ(SeekBarPosition(10, 0), -1) << "a track without a length shows no fill";
  for (int p = 0; p < 256; ++p) {
    EXPECT_EQ(SeekBarPosition(SeekTargetFrames(256 * 75, p), 256 * 75), p);
  }
}

TEST(PlaybackRules, TrackMenuCommandsAndMenuPosition) {
  EXPECT_EQ(MenuCommandTrack(IDM_TRACK_BASE + 3, 12), 3);
  EXPECT_EQ(MenuCommandTrack(IDM_TRACK_LAST, 12), 12) << "above the last track plays the last";
  RECT window = {100, 200, 180, 240};
  EXPECT_EQ(ContextMenuPoint(-1, window).x, 100);
  EXPECT_EQ(ContextMenuPoint(-1, window).y, 200);
  POINT left = ContextMenuPoint(MAKELPARAM(static_cast<WORD>(-300), 50), window);
  EXPECT_EQ(left.x, -300) << "a monitor left of the primary one";
  EXPECT_EQ(left.y, 50);
  EXPECT_EQ(ContextMenuPoint(MAKELPARAM(20, static_cast<WORD>(-8)), window).y, -8);
}

// Catches the track's title missing or doubled spaces without one, a long
// title cutting the product name off, and a cut that splits a double-byte
// character (朝 is 0x92 0xA9 in Shift-JIS).
TEST(PlaybackRules, TheTitleCarriesTheTracksTitleCutWhole) {
  const std::string morning = "\x92\xa9\x82\xcc\x89\xcc";  // 朝の歌
  const struct { const char* trackTitle; size_t size; bool remaining; std::string title; } cases[] = {
      {nullptr, 64, false, "[01] 03:57 - Zanto Player"},
      {"", 64, true, "[01] -03:57 - Zanto Player"},
      {morning.c_str(), 64, false, "[01] 03:57 " + morning + " - Zanto Player"},
      // The time, the name, their joins and the terminator take 27 bytes:
      // 30 leave 3 for the title, which is 朝 and half of の; 28 leave half of 朝.
      {morning.c_str(), 30, false, "[01] 03:57 \x92\xa9 - Zanto Player"},
      {morning.c_str(), 28, false, "[01] 03:57 - Zanto Player"},
  };
  for (const auto& c : cases) {
    char title[128] = "";
    FormatPlayTitle(title, c.size, 1, ShownTime{3, 57, c.remaining}, "Zanto Player", c.trackTitle);
    EXPECT_EQ(title, c.title) << c.size;
  }
}

}  // namespace
