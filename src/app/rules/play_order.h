// The rules of the play modes: which track comes next (in disc order or in a
// shuffled one, once or again and again), where each play ends, where a
// rewind or forward step lands across track boundaries, and what the time
// display shows in each time mode. Plain functions over values.
#ifndef ZANTO_APP_PLAY_ORDER_H
#define ZANTO_APP_PLAY_ORDER_H

#include <windows.h>

#include "app/rules/audio_tracks.h"  // kMaxDiscTracks

// How far a rewind or forward step moves, and how often a held control repeats.
constexpr int kSeekStepFrames = 5 * 75;
constexpr DWORD kSeekRepeatMs = 250;
// How much of each track intro scan plays.
constexpr int kIntroFrames = 10 * 75;

// The disc as the rules see it: each track's length and whether it is audio.
struct TrackTable {
  int count = 0;                              // tracks on the disc
  int lengthFrames[kMaxDiscTracks + 1] = {};  // [t] for track t (1-based)
  bool audio[kMaxDiscTracks + 1] = {};
};

// A place on the disc: a track and the frames into it.
struct TrackPosition {
  int track;
  int frames;
};

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

bool IsAudioTrack(const TrackTable& table, int track);
// The first and the last audio track; 0 when the disc has none.
int FirstAudioTrack(const TrackTable& table);
int LastAudioTrack(const TrackTable& table);

// The next number of a small, repeatable random sequence (xorshift); a zero
// state is taken as a fixed non-zero one.
unsigned NextRandom(unsigned* state);
// Every audio track once, in disc order.
PlayOrder DiscOrder(const TrackTable& table);
// Every audio track once, in a random order; `first`, when it is an audio
// track, plays first (a track the user chose), otherwise the order is free
// but for `notFirst`, the track that ended the pass before, which never
// starts the new one unless it is the disc's only audio track.
PlayOrder DrawShuffle(const TrackTable& table, unsigned* randomState, int first, int notFirst = 0);
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
TrackPosition PlayEnd(const TrackTable& table, const PlayModes& modes, TrackPosition from);

// Frames from the start of track 1 to `at`, counting every track's length.
int DiscFrames(const TrackTable& table, TrackPosition at);

// `deltaFrames` on from `at` within the audio tracks: boundaries crossed, data
// tracks skipped, held between the start of the first audio track and the
// last frame of the last one. `at` unchanged when the disc has no audio.
TrackPosition StepPosition(const TrackTable& table, TrackPosition at, int deltaFrames);

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
ShownTime TimeForMode(int mode, const TrackTable& table, const PlayOrder* order, int track,
                      int elapsedFrames);

#endif
