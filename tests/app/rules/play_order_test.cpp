// The play-mode rules over values: shuffle draws, what follows a track's
// end, where each play ends, rewind/forward across boundaries, the time modes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "app/rules/play_order.h"

namespace {

constexpr int kSecond = 75;

// Tracks of these lengths in seconds; a negative length is a data track.
DiscInfo Disc(std::initializer_list<int> seconds) {
  DiscInfo disc;
  disc.trackCount = static_cast<int>(seconds.size());
  int t = 0;
  for (int length : seconds) {
    ++t;
    SetTrackLength(disc, t, FramesToMsf((length < 0 ? -length : length) * kSecond));
    disc.tracks[t].data = length < 0;
  }
  return disc;
}

PlayOrder Order(std::initializer_list<int> tracks) {
  PlayOrder order;
  for (int track : tracks) order.tracks[order.count++] = track;
  return order;
}

std::vector<int> Tracks(const PlayOrder& order) { return std::vector<int>(order.tracks, order.tracks + order.count); }

// "track/frames", so that a wrong place shows both halves.
std::string At(TrackPosition p) { return std::to_string(p.track) + "/" + std::to_string(p.frames); }

// Catches a track missing, doubled or a data track drawn, the chosen track
// not first, a draw that ignores its seed, and a disc order passed off as a draw.
TEST(PlayOrderRules, ShuffleDrawsEveryAudioTrackOnceAndVaries) {
  const DiscInfo disc = Disc({60, -30, 60, 60, 60, 60, 60, 60, 60, -10});
  const std::vector<int> audio = {1, 3, 4, 5, 6, 7, 8, 9};
  // The track the user chose, or 0; track 2 is data and so ignored.
  const struct { unsigned seed; int first; } cases[] = {{1, 0}, {12345, 0}, {0, 0}, {7, 5}, {99, 9}, {3, 2}};
  std::set<std::vector<int>> seen;
  for (const auto& c : cases) {
    unsigned state = c.seed;
    PlayOrder order = DrawShuffle(disc, &state, c.first);
    std::vector<int> drawn = Tracks(order), sorted = drawn;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, audio) << "seed " << c.seed;
    if (c.first == 5 || c.first == 9) {
      EXPECT_EQ(drawn[0], c.first) << "the chosen track first";
    }
    seen.insert(drawn);
  }
  EXPECT_GE(seen.size(), 5u) << "different seeds should give different orders";
  EXPECT_EQ(seen.count(audio), 0u) << "none of these seeds should give the disc order";
  unsigned a = 42, b = 42;
  EXPECT_EQ(Tracks(DrawShuffle(disc, &a, 0)), Tracks(DrawShuffle(disc, &b, 0))) << "the draw is the seed's alone";
  unsigned none = 5;
  EXPECT_EQ(DrawShuffle(Disc({-30, -30}), &none, 1).count, 0) << "a data-only disc";

  // A new pass never starts with the track that ended the last, yet stays a
  // full draw; a disc with one audio track has no other to start with.
  for (unsigned seed = 1; seed <= 200; ++seed) {
    unsigned state = seed;
    std::vector<int> drawn = Tracks(DrawShuffle(disc, &state, 0, 4)), sorted = drawn;
    std::sort(sorted.begin(), sorted.end());
    ASSERT_EQ(sorted, audio) << "seed " << seed;
    EXPECT_NE(drawn[0], 4) << "seed " << seed;
  }
  unsigned one = 9;
  EXPECT_EQ(Tracks(DrawShuffle(Disc({-30, 60}), &one, 0, 2)), std::vector<int>{2});
}

// Catches the wrong track after an end in each mode, a stop missed at the
// last track, a repeat that does not redraw a shuffle, and steps that do
// not wrap.
TEST(PlayOrderRules, WhatFollowsATracksEndAndTheOrderSteps) {
  PlayOrder order = Order({4, 2, 7});
  const PlayModes plain = {false, false, false, false}, one = {false, true, false, false};
  const struct { PlayModes modes; int index, track; bool redraw; } cases[] = {
      {plain, 0, 2, false},                       // on in the order
      {plain, 2, 0, false},                       // the last: stop
      {one, 1, 2, false},                         // repeat one: the same again
      {one, 2, 7, false},                         // ... also at the last
      {{false, false, false, true}, 2, 4, false}, // repeat: from the top
      {{true, false, false, true}, 2, 4, true},   // shuffled, repeat: a new order
      {{true, false, true, false}, 0, 2, false},  // intro: the next track's intro
      {plain, 5, 0, false},                       // a place outside the order
  };
  for (const auto& c : cases) {
    order.index = c.index;
    AfterTrackEnd next = DecideAfterTrackEnd(c.modes, order);
    EXPECT_EQ(next.track * 10 + next.redraw, c.track * 10 + c.redraw) << "index " << c.index;
  }
  order.index = 2;
  EXPECT_EQ(OrderStepForward(&order), 4);
  EXPECT_EQ(OrderStepBack(&order), 7);
  EXPECT_EQ(OrderStepBack(&order), 2);
  EXPECT_EQ(OrderIndexOf(order, 9), -1);
  PlayOrder empty;
  EXPECT_EQ(OrderStepForward(&empty), 0);
}

// Catches a play that runs on in a one-track mode (or stops in the plain
// one), an intro longer than ten seconds or than its track, an intro end
// before the place it starts from, and a data track played.
TEST(PlayOrderRules, EachPlayEndsAtItsTracksEndOrItsIntro) {
  const DiscInfo disc = Disc({240, 8, -60});
  const PlayModes plain = {false, false, false, true}, shuffle = {true, false, false, false},
                  one = {false, true, false, false}, intro = {false, false, true, false};
  const struct { PlayModes modes; TrackPosition from, end; } cases[] = {
      {plain, {1, 0}, {0, 0}},                         // runs on as it always did
      {shuffle, {1, 0}, {1, 240 * kSecond}},           // one track
      {one, {1, 100}, {1, 240 * kSecond}},
      {intro, {1, 9 * kSecond}, {1, 10 * kSecond}},    // the first ten seconds
      {intro, {1, 15 * kSecond}, {1, 240 * kSecond}},  // stepped past the intro
      {intro, {2, 0}, {2, 8 * kSecond}},               // shorter than an intro
      {shuffle, {3, 0}, {0, 0}},                       // a data track is never played
  };
  for (const auto& c : cases) EXPECT_EQ(At(PlayEnd(disc, c.modes, c.from)), At(c.end)) << "from " << At(c.from);
}

// Catches a step that stops at a boundary, lands in a data track, passes
// the first audio start or the disc's last frame, or keeps a place past its
// track's end.
TEST(PlayOrderRules, RewindAndForwardCrossBoundariesSkipDataAndClamp) {
  // Audio 1 (20 s), data 2, audio 3 (3 s), audio 4 (30 s), data 5.
  const DiscInfo disc = Disc({20, -600, 3, 30, -100});
  const int step = kSeekStepFrames;
  const struct { TrackPosition at; int delta; TrackPosition to; } cases[] = {
      {{1, 18 * kSecond}, step, {4, 0}},                 // over the data track and all of 3
      {{1, 18 * kSecond}, 2 * step, {4, 5 * kSecond}},   // over a short track too
      {{3, 1 * kSecond}, -step, {1, 16 * kSecond}},      // back over the data track
      {{1, 2 * kSecond}, -step, {1, 0}},                 // clamped at the first audio start
      {{4, 28 * kSecond}, step, {4, 30 * kSecond - 1}},  // clamped before the end
      {{2, 40 * kSecond}, step, {4, 2 * kSecond}},       // from a data track: its next audio
      {{1, 999 * kSecond}, 0, {3, 0}},                   // a position past its track's end
  };
  for (const auto& c : cases) {
    EXPECT_EQ(At(StepPosition(disc, c.at, c.delta)), At(c.to)) << At(c.at) << " by " << c.delta;
  }
  EXPECT_EQ(At(StepPosition(Disc({-60}), {1, 5}, step)), "1/5") << "no audio: unchanged";
}

// Catches the keyboard's repeat stepping at every message, a fresh press
// held back, and the tick counter's wrap stopping the steps.
TEST(PlayOrderRules, HeldKeysStepAtMostEveryQuarterSecond) {
  const struct { bool autoRepeat; DWORD now, last; bool steps; } cases[] = {
      {false, 1000, 990, true}, {true, 1249, 1000, false}, {true, 1250, 1000, true},
      {true, 5, 0xFFFFFF00u, true},  // across the wrap: 261 ms
  };
  for (const auto& c : cases) {
    EXPECT_EQ(KeyMayStep(c.autoRepeat, c.now, c.last), c.steps) << c.now << " after " << c.last;
  }
}

// Catches a remaining time that counts data tracks, tracks a shuffle has
// played already, or goes below zero; a remaining time without its minus;
// an unknown mode shown as garbage; a cycle that does not wrap.
TEST(PlayOrderRules, TimeModesShowElapsedTrackRemainingAndDiscRemaining) {
  const DiscInfo disc = Disc({240, -60, 100, 30});
  const PlayOrder shuffled = Order({3, 1, 4});
  const struct { int mode; const PlayOrder* order; int track, elapsed; const char* shown; } cases[] = {
      {kTimeElapsed, nullptr, 1, 90 * kSecond + 74, "1:30"},
      {kTimeTrackRemaining, nullptr, 1, 2 * kSecond + 37, "-3:57"},  // 3:57.38 left
      {kTimeTrackRemaining, nullptr, 1, 300 * kSecond, "-0:00"},     // past the end
      {kTimeDiscRemaining, nullptr, 1, 40 * kSecond, "-5:30"},       // 200 + 100 + 30 s
      {kTimeDiscRemaining, &shuffled, 1, 40 * kSecond, "-3:50"},     // only 4 still comes
      {kTimeDiscRemaining, &shuffled, 3, 0, "-6:10"},
      {7, nullptr, 3, 61 * kSecond, "1:01"},                         // unknown: elapsed
  };
  for (const auto& c : cases) {
    ShownTime t = TimeForMode(c.mode, disc, c.order, c.track, c.elapsed);
    char shown[16];
    snprintf(shown, sizeof(shown), "%s%d:%02d", t.remaining ? "-" : "", t.minutes, t.seconds);
    EXPECT_STREQ(shown, c.shown) << "mode " << c.mode << " track " << c.track;
  }
  EXPECT_EQ(NextTimeMode(-4), kTimeElapsed);  // the cycle's wrap: PlayerModes' time-mode test
}

}  // namespace
