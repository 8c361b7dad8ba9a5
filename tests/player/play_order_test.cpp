// The play-mode rules over values: shuffle draws, what follows a track's
// end, where each play ends, rewind/forward across boundaries, the time modes.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "app/play_order.h"

namespace {

constexpr int kSecond = 75;

// Tracks of these lengths in seconds; a negative length is a data track.
TrackTable Disc(std::initializer_list<int> seconds) {
  TrackTable table;
  for (int length : seconds) {
    ++table.count;
    table.lengthFrames[table.count] = (length < 0 ? -length : length) * kSecond;
    table.audio[table.count] = length >= 0;
  }
  return table;
}

std::vector<int> Tracks(const PlayOrder& order) {
  return std::vector<int>(order.tracks, order.tracks + order.count);
}

TEST(PlayOrderRules, ShuffleDrawsEveryAudioTrackOnceAndVaries) {
  const TrackTable disc = Disc({60, -30, 60, 60, 60, 60, 60, 60, 60, -10});
  const std::vector<int> audio = {1, 3, 4, 5, 6, 7, 8, 9};
  struct Case {
    unsigned seed;
    int first;  // the track the user chose, or 0
  } cases[] = {{1, 0}, {12345, 0}, {0, 0}, {7, 5}, {99, 9}, {3, 2 /* data: ignored */}};
  std::set<std::vector<int>> seen;
  for (const Case& c : cases) {
    unsigned state = c.seed;
    PlayOrder order = DrawShuffle(disc, &state, c.first);
    std::vector<int> drawn = Tracks(order);
    EXPECT_EQ(order.index, 0);
    if (c.first == 5 || c.first == 9) {
      EXPECT_EQ(drawn[0], c.first) << "the chosen track first";
    }
    std::vector<int> sorted = drawn;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, audio) << "seed " << c.seed << ": a track missing, doubled, or a data track";
    seen.insert(drawn);
  }
  EXPECT_GE(seen.size(), 5u) << "different seeds should give different orders";
  EXPECT_EQ(seen.count(audio), 0u) << "none of these seeds should give the disc order";

  // The same seed draws the same order: the draw is the seed's alone.
  unsigned a = 42, b = 42;
  EXPECT_EQ(Tracks(DrawShuffle(disc, &a, 0)), Tracks(DrawShuffle(disc, &b, 0)));
  unsigned none = 5;
  EXPECT_EQ(DrawShuffle(Disc({-30, -30}), &none, 1).count, 0) << "a data-only disc";
}

TEST(PlayOrderRules, WhatFollowsATracksEndAndTheOrderSteps) {
  PlayOrder order;
  order.count = 3;
  order.tracks[0] = 4;
  order.tracks[1] = 2;
  order.tracks[2] = 7;
  struct Case {
    PlayModes modes;
    int index;
    int track;
    bool redraw;
  } cases[] = {
      {{false, false, false, false}, 0, 2, false},  // on in the order
      {{false, false, false, false}, 2, 0, false},  // the last: stop
      {{false, true, false, false}, 1, 2, false},   // repeat one: the same again
      {{false, true, false, false}, 2, 7, false},   // ... also at the last
      {{false, false, false, true}, 2, 4, false},   // repeat: from the top
      {{true, false, false, true}, 2, 4, true},     // shuffled, repeat: a new order
      {{true, false, true, false}, 0, 2, false},    // intro: the next track's intro
      {{false, false, false, false}, 5, 0, false},  // a place outside the order
  };
  for (const Case& c : cases) {
    order.index = c.index;
    AfterTrackEnd next = DecideAfterTrackEnd(c.modes, order);
    EXPECT_EQ(next.track, c.track) << "index " << c.index;
    EXPECT_EQ(next.redraw, c.redraw) << "index " << c.index;
  }
  // Next and Previous wrap at both ends, as the plain steps do.
  order.index = 2;
  EXPECT_EQ(OrderStepForward(&order), 4);
  EXPECT_EQ(OrderStepBack(&order), 7);
  EXPECT_EQ(OrderStepBack(&order), 2);
  EXPECT_EQ(OrderIndexOf(order, 9), -1);
  PlayOrder empty;
  EXPECT_EQ(OrderStepForward(&empty), 0);
}

TEST(PlayOrderRules, EachPlayEndsAtItsTracksEndOrItsIntro) {
  const TrackTable disc = Disc({240, 8, -60});
  const PlayModes plain = {false, false, false, true};
  const PlayModes shuffle = {true, false, false, false};
  const PlayModes one = {false, true, false, false};
  const PlayModes intro = {false, false, true, false};
  struct Case {
    PlayModes modes;
    TrackPosition from;
    TrackPosition end;
  } cases[] = {
      {plain, {1, 0}, {0, 0}},                     // runs on as it always did
      {shuffle, {1, 0}, {1, 240 * kSecond}},       // one track
      {one, {1, 100}, {1, 240 * kSecond}},
      {intro, {1, 0}, {1, 10 * kSecond}},          // the first ten seconds
      {intro, {1, 9 * kSecond}, {1, 10 * kSecond}},
      {intro, {1, 15 * kSecond}, {1, 240 * kSecond}},  // stepped past the intro
      {intro, {2, 0}, {2, 8 * kSecond}},           // shorter than an intro
      {shuffle, {3, 0}, {0, 0}},                   // a data track is never played
  };
  for (const Case& c : cases) {
    TrackPosition end = PlayEnd(disc, c.modes, c.from);
    EXPECT_EQ(end.track, c.end.track) << c.from.track << "/" << c.from.frames;
    EXPECT_EQ(end.frames, c.end.frames) << c.from.track << "/" << c.from.frames;
  }
}

TEST(PlayOrderRules, RewindAndForwardCrossBoundariesSkipDataAndClamp) {
  // Audio 1 (20 s), data 2, audio 3 (3 s), audio 4 (30 s), data 5.
  const TrackTable disc = Disc({20, -600, 3, 30, -100});
  const int step = kSeekStepFrames;
  struct Case {
    TrackPosition at;
    int delta;
    TrackPosition to;
  } cases[] = {
      {{1, 75}, step, {1, 6 * kSecond}},            // within a track
      {{1, 18 * kSecond}, step, {4, 0}},            // over the data track and all of 3
      {{1, 18 * kSecond}, 2 * step, {4, 5 * kSecond}},  // over a short track too
      {{3, 1 * kSecond}, -step, {1, 16 * kSecond}},  // back over the data track
      {{1, 2 * kSecond}, -step, {1, 0}},             // clamped at the first audio start
      {{4, 28 * kSecond}, step, {4, 30 * kSecond - 1}},  // clamped before the end
      {{2, 40 * kSecond}, step, {4, 2 * kSecond}},  // from a data track: its next audio
      {{1, 999 * kSecond}, 0, {3, 0}},               // a position past its track's end
  };
  for (const Case& c : cases) {
    TrackPosition to = StepPosition(disc, c.at, c.delta);
    EXPECT_EQ(to.track, c.to.track) << c.at.track << "/" << c.at.frames << " by " << c.delta;
    EXPECT_EQ(to.frames, c.to.frames) << c.at.track << "/" << c.at.frames << " by " << c.delta;
  }
  TrackPosition none = StepPosition(Disc({-60}), {1, 5}, step);
  EXPECT_EQ(none.track, 1) << "no audio: unchanged";
  EXPECT_EQ(none.frames, 5);
}

TEST(PlayOrderRules, HeldKeysStepAtMostEveryQuarterSecond) {
  struct Case {
    bool autoRepeat;
    DWORD now;
    DWORD last;
    bool steps;
  } cases[] = {
      {false, 1000, 990, true},     // a fresh press always
      {true, 1000, 990, false},     // the keyboard's repeat, too soon
      {true, 1249, 1000, false},
      {true, 1250, 1000, true},
      {true, 5, 0xFFFFFF00u, true},  // across the tick counter's wrap: 261 ms
  };
  for (const Case& c : cases) {
    EXPECT_EQ(KeyMayStep(c.autoRepeat, c.now, c.last), c.steps) << c.now << " after " << c.last;
  }
}

TEST(PlayOrderRules, TimeModesShowElapsedTrackRemainingAndDiscRemaining) {
  const TrackTable disc = Disc({240, -60, 100, 30});
  PlayOrder shuffled;
  shuffled.count = 3;
  shuffled.tracks[0] = 3;
  shuffled.tracks[1] = 1;
  shuffled.tracks[2] = 4;
  struct Case {
    int mode;
    const PlayOrder* order;
    int track;
    int elapsed;
    int minutes, seconds;
    bool remaining;
  } cases[] = {
      {kTimeElapsed, nullptr, 1, 90 * kSecond + 74, 1, 30, false},
      {kTimeTrackRemaining, nullptr, 1, 2 * kSecond + 37, 3, 57, true},  // 3:57.38 left
      {kTimeTrackRemaining, nullptr, 1, 300 * kSecond, 0, 0, true},   // past the end
      {kTimeDiscRemaining, nullptr, 1, 40 * kSecond, 5, 30, true},    // 200 + 100 + 30 s
      {kTimeDiscRemaining, &shuffled, 1, 40 * kSecond, 3, 50, true},  // only 4 still comes
      {kTimeDiscRemaining, &shuffled, 3, 0, 6, 10, true},
      {7, nullptr, 3, 61 * kSecond, 1, 1, false},                     // unknown: elapsed
  };
  for (const Case& c : cases) {
    ShownTime shown = TimeForMode(c.mode, disc, c.order, c.track, c.elapsed);
    EXPECT_EQ(shown.minutes, c.minutes) << "mode " << c.mode << " track " << c.track;
    EXPECT_EQ(shown.seconds, c.seconds) << "mode " << c.mode << " track " << c.track;
    EXPECT_EQ(shown.remaining, c.remaining) << "mode " << c.mode;
  }
  EXPECT_EQ(NextTimeMode(kTimeElapsed), kTimeTrackRemaining);
  EXPECT_EQ(NextTimeMode(kTimeDiscRemaining), kTimeElapsed);
  EXPECT_EQ(NextTimeMode(-4), kTimeElapsed);
}

}  // namespace
