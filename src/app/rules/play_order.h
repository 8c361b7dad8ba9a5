// The rules of the play modes: which track comes next (in disc order or in a
// shuffled one, once or again and again), where each play ends, where a
// rewind or forward step lands across track boundaries, and what the time
// display shows in each time mode. Plain functions over values.
#ifndef ZANTO_APP_PLAY_ORDER_H
#define ZANTO_APP_PLAY_ORDER_H

#include <windows.h>

#include "app/rules/audio_tracks.h"
#include "cd/disc_info.h"
#include "cd/msf.h"  // TrackPosition

// How far a rewind or forward step moves, and how often a held control repeats.
constexpr int kSeekStepFrames = 5 * 75;
constexpr DWORD kSeekRepeatMs = 250;
// How much of each track intro scan plays.
constexpr int kIntroFrames = 10 * 75;

// The switches that decide the order and the end of each play.
struct PlayModes {
  bool shuffle;
  bool repeatTrack;
  bool intro;
  bool repeatDisc;
};

// The order the tracks play in, and where playback is in it.
struct PlayOrder {
  int count = 0;
  int tracks[kMaxDiscTracks] = {};
  int index = 0;
};

// The next number of a small, repeatable random sequence (xorshift); a zero
// state is taken as a fixed non-zero one.
unsigned NextRandom(unsigned* state);
// Every audio track once, in disc order.
PlayOrder DiscOrder(const DiscInfo& disc);
// Every audio track once, in a random order; `first`, when it is an audio
// track, plays first (a track the user chose), otherwise the order is free
// but for `notFirst`, the track that ended the pass before, which never
// starts the new one unless it is the disc's only audio track.
PlayOrder DrawShuffle(const DiscInfo& disc, unsigned* randomState, int first, int notFirst = 0);
// Where `track` stands in `order`; -1 when it is not in it.
int OrderIndexOf(const PlayOrder& order, int track);

// Next and Previous in an order: the neighbour of the current place,
// wrapping at both ends as the plain track steps do. They return the track.
int OrderStepForward(PlayOrder* order);
int OrderStepBack(PlayOrder* order);

// What follows when a play of one track ended by itself.
struct AfterTrackEnd {
  int track;    // the track to play now; 0: stop
  bool redraw;  // a shuffled order ran out under repeat: draw a new one first
};
AfterTrackEnd DecideAfterTrackEnd(const PlayModes& modes, const PlayOrder& order);

// True when each play covers one track (or its intro) instead of running
// on to the end of the disc.
bool PlaysTrackByTrack(const PlayModes& modes);
// Where a play from `from` ends with these modes: the end of its track, or
// the end of the intro while the play starts inside it. {0, 0} when the
// play runs on as usual.
TrackPosition PlayEnd(const DiscInfo& disc, const PlayModes& modes, TrackPosition from);

// `deltaFrames` on from `at` within the audio tracks: boundaries crossed, data
// tracks skipped, held between the start of the first audio track and the
// last frame of the last one. `at` unchanged when the disc has no audio.
TrackPosition StepPosition(const DiscInfo& disc, TrackPosition at, int deltaFrames);

// A held arrow key repeats at the keyboard's rate: a fresh press always
// steps, a repeat only once kSeekRepeatMs have passed since the last step.
bool KeyMayStep(bool autoRepeat, DWORD now, DWORD lastStep);

// What the time display shows (timeMode).
constexpr int kTimeElapsed = 0;
constexpr int kTimeTrackRemaining = 1;
constexpr int kTimeDiscRemaining = 2;
constexpr int kTimeModeCount = 3;
int NextTimeMode(int mode);

struct ShownTime {
  int minutes;
  int seconds;
  bool remaining;  // a time still to go: the window title shows a minus sign
};
// The time for `mode` at `elapsedFrames` into `track`. The disc's remaining
// time counts the audio tracks still to come in `order` (or, without one, in
// disc order). An unknown mode shows the elapsed time.
ShownTime TimeForMode(int mode, const DiscInfo& disc, const PlayOrder* order, int track,
                      int elapsedFrames);

#endif
