// Where the player's window may be: screen coordinates in ZantoPlay.ini, and
// one rule that keeps the window within reach of the mouse wherever it is
// placed (start-up, a drag, a perch, a skin change, a monitor change, a save).
#ifndef ZANTO_APP_WINDOW_POSITION_H
#define ZANTO_APP_WINDOW_POSITION_H

#include <windows.h>

// The least of the window, across and down, that must lie on one work area
// for the mouse to take hold of it again (all of it when it is smaller).
constexpr int kReachGrip = 32;

// The start of a span of `size` moved the least distance that leaves `need`
// of it inside [low, high); when that cannot be, the span starts at `low`.
// 64-bit, so that user-written extremes cannot overflow.
long long StartWithin(long long start, long long size, long long low, long long high, long long need);

// The top-left corner for a window of `size` wanted at `topLeft` (screen
// coordinates), so that it keeps a grip on a work area:
// - a window with a grip on one of the areas stays where it is;
// - one that meets an area with less than a grip (at or past an edge) is
//   pulled back the least distance that leaves one;
// - one that meets none (a monitor since removed, a position made up in the
//   INI file) is brought wholly onto the nearest area, its top-left corner on
//   it when it is larger than the area.
// Without areas the position is kept.
POINT ReachablePosition(POINT topLeft, SIZE size, const RECT* workAreas, int count);
// ReachablePosition over the work areas of the monitors attached now.
POINT PositionWithinReach(POINT topLeft, SIZE size);

// A rectangle of GetWindowPlacement (workspace coordinates of the monitor
// with `workArea` and `monitor`) in screen coordinates: workspace
// coordinates leave out a taskbar at the top or left.
RECT WorkspaceToScreen(const RECT& rect, const RECT& workArea, const RECT& monitor);

// The window's restored position in screen coordinates, also while it is
// minimised, kept within reach: the place worth saving. False when the
// system cannot tell.
bool GetNormalPosition(HWND window, POINT* topLeft);
// Moves the window (its restored place while minimised) within reach.
void KeepWithinReach(HWND window);
// Moves the window to `wanted`, or as near it as it is within reach.
void PlaceWithinReach(HWND window, POINT wanted);

#endif
