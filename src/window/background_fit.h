// Whether a skin's background makes a window a user can work with: large
// enough to see and take hold of, small enough for a screen. The player still
// shows a skin that is neither, and says so; the skin checker warns of it.
#ifndef ZANTO_WINDOW_BACKGROUND_FIT_H
#define ZANTO_WINDOW_BACKGROUND_FIT_H

#include <windows.h>

// A side shorter than this is too small to see or drag.
constexpr int kMinUsableSide = 8;
// Monitors looked at; more than any desk has.
constexpr int kMaxMonitors = 16;

enum BackgroundFit : int {
  BackgroundFits = 0,
  BackgroundTooSmall,       // under kMinUsableSide wide or high
  BackgroundBeyondScreens,  // wider or taller than every monitor's work area
};

// The rule, over the work-area sizes of `count` monitors (none known: only
// the small side counts). `largest`, when given, receives the largest work
// area by surface, which a message names.
BackgroundFit JudgeBackgroundFit(int width, int height, const SIZE* workAreas, int count,
                                 SIZE* largest);

// The work-area sizes of the monitors attached now, at most `capacity` of
// them; how many were written.
int MonitorWorkAreas(SIZE* out, int capacity);

#endif
