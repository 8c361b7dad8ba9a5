// The arithmetic of the buttons and displays, the window-position rules and
// the path comparison, as plain functions.
#include "app/playback_rules.h"

#include <gtest/gtest.h>

#include <climits>

#include "app/application.h"
#include "app/audio_tracks.h"
#include "app/play_end_watch.h"
#include "app/restart_guard.h"
#include "app/window_position.h"
#include "cd/msf.h"
#include "common/path_text.h"
#include "resources/resource.h"

namespace {

TEST(PlaybackRules, TrackStepsWrapAroundTheDisc) {
  struct Case { int track, count, back, forward; } cases[] = {
      {1, 12, 12, 2}, {12, 12, 11, 1}, {5, 12, 4, 6}, {1, 1, 1, 1},
      {0, 0, 0, 1},  // no disc: the steps still give something harmless
  };
  for (const Case& c : cases) {
    EXPECT_EQ(StepBack(c.track, c.count), c.back) << c.track << "/" << c.count;
    EXPECT_EQ(StepForward(c.track, c.count), c.forward) << c.track << "/" << c.count;
  }
}

// A disc as a string, one letter a track: 'a' audio, 'd' data.
AudioTrackList Disc(const char* kinds) {
  AudioTrackList list;
  int count = 0;
  while (kinds[count]) ++count;
  ResetAudioTracks(list, count);
  for (int t = 1; t <= count; ++t) {
    if (kinds[t - 1] == 'd') MarkDataTrack(list, t);
  }
  return list;
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
    AudioTrackList list = Disc(c.disc);
    EXPECT_EQ(FirstAudioTrack(list), c.first) << c.disc;
    EXPECT_EQ(LastAudioTrack(list), c.last) << c.disc;
    EXPECT_EQ(NextAudioTrack(list, c.track), c.next) << c.disc << " next of " << c.track;
    EXPECT_EQ(PreviousAudioTrack(list, c.track), c.previous) << c.disc << " previous of " << c.track;
    EXPECT_EQ(RunEndTrack(list, c.track), c.runEnd) << c.disc << " run of " << c.track;
    EXPECT_EQ(NextRunStart(list, RunEndTrack(list, c.track)), c.nextRun) << c.disc << " after " << c.track;
  }
  AudioTrackList huge;
  ResetAudioTracks(huge, 1000);
  EXPECT_EQ(LastAudioTrack(huge), kMaxDiscTracks) << "a TMSF time names at most track 255";
  MarkDataTrack(huge, 0);
  MarkDataTrack(huge, 5000);  // out of range: ignored, not written past the array
  EXPECT_EQ(FirstAudioTrack(huge), 1);
}

// Catches a repeat loop of instant ends: restarts come at most once a second
// after the last play began, and a Stop voids the notices queued before it.
TEST(RestartGuard, RestartsWaitOutTheSecondAndStopVoidsQueuedEnds) {
  RestartGuard guard;
  EXPECT_EQ(guard.RestartDelay(5000), 0u) << "no play yet: nothing to wait for";
  EXPECT_FALSE(guard.PlayInForce()) << "no play yet: a notice stands for nothing";
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
  guard.Stopped();
  EXPECT_FALSE(guard.PlayInForce()) << "an end queued before Stop restarted the disc";
  guard.PlayStarted(7000);
  EXPECT_TRUE(guard.PlayInForce());
  guard.PlayEnded();
  EXPECT_FALSE(guard.PlayInForce()) << "a notice after the drive showed the end stepped twice";
}

// Catches the end of a play that today's driver never notifies missed: at
// its end, or standing still just short of it; a slow or seeking drive
// taken for an ended one; a late notice of an older play not told apart;
// Play during a play's start-up restarting it; and a wrong due time.
TEST(PlayEndWatch, APlayEndsAtItsEndOrStandingStillJustShortOfIt) {
  constexpr int kNone = -1;  // a reading without a position
  const struct { const char* name; int end; std::vector<int> readings; int endsAt; } cases[] = {
      {"reaches its end", 1000, {400, 700, 1000}, 2},
      {"held past its end", 1000, {1010}, 0},
      {"stands still a frame short", 1000, {990, 999, 999}, 2},
      {"stands still a second short", 1000, {925, 925}, 1},
      {"slow, far from the end", 1000, {500, 500, 500}, kNone},
      {"seeking between two readings", 1000, {960, kNone, 960}, kNone},
      {"no end known", kUnknownPlayEnd, {5000, 5000, 99999}, kNone},
  };
  for (const auto& c : cases) {
    PlayEndWatch watch;
    watch.Started(c.end, 0);
    int endedAt = kNone;
    for (int i = 0; i < static_cast<int>(c.readings.size()) && endedAt == kNone; ++i) {
      if (c.readings[i] == kNone) watch.NoPosition();
      else if (watch.Playing(c.readings[i], 500 * static_cast<DWORD>(i + 1))) endedAt = i;
    }
    EXPECT_EQ(endedAt, c.endsAt) << c.name;
  }
  PlayEndWatch watch;
  watch.Started(1000, 10000);
  EXPECT_TRUE(watch.StartingUp(10000 + kPlayStartupMs - 1));
  EXPECT_FALSE(watch.StartingUp(10000 + kPlayStartupMs)) << "a play that never came locks Play out";
  EXPECT_EQ(watch.MsUntilEnd(), INFINITE) << "no pace yet";
  EXPECT_FALSE(watch.Playing(100, 10500));
  EXPECT_FALSE(watch.StartingUp(10600)) << "seen playing: Play acts again";
  EXPECT_FALSE(watch.Playing(137, 11000));
  EXPECT_EQ(watch.MsUntilEnd(), 11662u) << "863 frames at 37 a half second";
  EXPECT_TRUE(watch.WellBeforeEnd(924));
  EXPECT_FALSE(watch.WellBeforeEnd(925));
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

// One rule for every place the window is put: each row names the fault a
// wrong result would mean.
TEST(WindowPosition, EveryPlaceLeavesAGripOnAWorkArea) {
  const RECT kScreen[] = {{0, 0, 1600, 1200}};
  // A shorter, lower monitor left of the primary one; a taskbar along the primary's bottom.
  const RECT kDesk[] = {{-1280, 176, 0, 1200}, {0, 0, 1600, 1160}};
  const SIZE kPlayer{380, 124};
  const SIZE kHuge{2000, 1500};
  struct Case {
    const char* fault;
    const RECT* areas;
    int count;
    POINT wanted;
    SIZE size;
    POINT expected;
  } cases[] = {
      {"moved although wholly on the screen", kScreen, 1, {100, 100}, kPlayer, {100, 100}},
      {"moved with exactly a grip at the right", kScreen, 1, {1568, 100}, kPlayer, {1568, 100}},
      {"31 px at the right kept", kScreen, 1, {1569, 100}, kPlayer, {1568, 100}},
      {"31 px at the left kept", kScreen, 1, {-349, 100}, kPlayer, {-348, 100}},
      {"PositionX=1600, at the right edge, kept", kScreen, 1, {1600, 100}, kPlayer, {1220, 100}},
      {"PositionX=-380, at the left edge, kept", kScreen, 1, {-380, 100}, kPlayer, {0, 100}},
      {"PositionY=1200, at the bottom edge, kept", kScreen, 1, {100, 1200}, kPlayer, {100, 1076}},
      {"PositionY=-124, at the top edge, kept", kScreen, 1, {100, -124}, kPlayer, {100, 0}},
      {"1600,1200, at the corner, kept", kScreen, 1, {1600, 1200}, kPlayer, {1220, 1076}},
      {"INT_MAX overflowed", kScreen, 1, {INT_MAX, INT_MAX}, kPlayer, {1220, 1076}},
      {"2147483520 overflowed with the width", kScreen, 1, {2147483520, 2147483520}, kPlayer, {1220, 1076}},
      {"INT_MIN overflowed", kScreen, 1, {INT_MIN, INT_MIN}, kPlayer, {0, 0}},
      {"a larger window at a sliver not pulled back", kScreen, 1, {-1990, 0}, kHuge, {-1968, 0}},
      {"a larger window far off without its top-left on the screen", kScreen, 1, {5000, 5000}, kHuge, {0, 0}},
      {"a one-row skin at the bottom edge kept", kScreen, 1, {0, 1200}, {16384, 1}, {0, 1199}},
      {"moved on the monitor left of the primary", kDesk, 2, {-1000, 500}, kPlayer, {-1000, 500}},
      {"left of the left monitor not brought onto it", kDesk, 2, {-1700, 500}, kPlayer, {-1280, 500}},
      {"above the left monitor's top taken to the primary", kDesk, 2, {-1000, 0}, kPlayer, {-1000, 176}},
      {"under the taskbar (the work area's edge) kept", kDesk, 2, {100, 1160}, kPlayer, {100, 1036}},
      {"moved without work areas", kDesk, 0, {5000, 5000}, kPlayer, {5000, 5000}},
  };
  for (const Case& c : cases) {
    POINT p = ReachablePosition(c.wanted, c.size, c.areas, c.count);
    EXPECT_EQ(p.x, c.expected.x) << c.fault;
    EXPECT_EQ(p.y, c.expected.y) << c.fault;
  }
}

TEST(WindowPosition, WorkspaceCoordinatesBecomeScreenCoordinates) {
  const RECT monitor = {0, 0, 1280, 1024};
  RECT normal = {100, 50, 180, 90};
  RECT topTaskbar = WorkspaceToScreen(normal, {0, 40, 1280, 1024}, monitor);
  EXPECT_EQ(topTaskbar.top, 90) << "a taskbar at the top must not creep the window up";
  RECT leftTaskbar = WorkspaceToScreen(normal, {60, 0, 1280, 1024}, monitor);
  EXPECT_EQ(leftTaskbar.left, 160);
  RECT bottomTaskbar = WorkspaceToScreen(normal, {0, 0, 1280, 984}, monitor);
  EXPECT_EQ(bottomTaskbar.left, 100);
  EXPECT_EQ(bottomTaskbar.top, 50);
}

TEST(PathText, SamePathIgnoresLetterCaseButNeverFoldsTrailBytes) {
  EXPECT_TRUE(SamePathIgnoringCase("C:\\Skins\\Blue.RC", "c:\\skins\\blue.rc"));
  // "ア" (83 41) and "ヂ" (83 61): trail bytes that read as 'A' and 'a'.
  EXPECT_FALSE(SamePathIgnoringCase("C:\\\x83\x41\\x.rc", "C:\\\x83\x61\\x.rc"));
  EXPECT_TRUE(SamePathIgnoringCase("C:\\\x83\x41\\X.rc", "c:\\\x83\x41\\x.RC"));
  EXPECT_FALSE(SamePathIgnoringCase("C:\\a.rc", "C:\\a.rc2"));
}

TEST(ProgramFolder, SettingsAreKeptOnlyBesideTheProgram) {
  appInstance = GetModuleHandleA(nullptr);
  EXPECT_TRUE(ProgramFolderFits("C:\\Program Files\\Zanto\\ZantoPlay.exe"));
  std::string deep = "C:\\" + std::string(250, 'd') + "\\ZantoPlay.exe";
  EXPECT_FALSE(ProgramFolderFits(deep.c_str())) << "ZantoPlay.ini would not fit beside it";
  // The save's copy, "ZantoPlay.ini.new", is the longest name: 242 + 17 = 259.
  std::string edge = "C:\\" + std::string(238, 'e') + "\\ZantoPlay.exe";
  EXPECT_TRUE(ProgramFolderFits(edge.c_str()));
  std::string over = "C:\\" + std::string(239, 'e') + "\\ZantoPlay.exe";
  EXPECT_FALSE(ProgramFolderFits(over.c_str())) << "the save's copy would not fit beside it";
  EXPECT_FALSE(ProgramFolderFits(""));
}

}  // namespace
