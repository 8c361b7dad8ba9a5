// Where the player's window is remembered and restored: screen coordinates
// in ZantoPlay.ini, and a restored window always within reach of the mouse.
#ifndef ZANTO_APP_WINDOW_POSITION_H
#define ZANTO_APP_WINDOW_POSITION_H

#include <windows.h>

// A rectangle of GetWindowPlacement (workspace coordinates of the monitor
// with `workArea` and `monitor`) in screen coordinates: workspace
// coordinates leave out a taskbar at the top or left.
RECT WorkspaceToScreen(const RECT& rect, const RECT& workArea, const RECT& monitor);

// The top-left corner for `window` (screen coordinates): unchanged while it
// meets one of the work areas; otherwise moved into the nearest one, so a
// position saved on a monitor since removed, or made up in the INI file,
// never opens a window nobody can reach.
POINT ReachablePosition(const RECT& window, const RECT* workAreas, int count);

// The window's restored position in screen coordinates, also while it is
// minimised or maximised, moved onto the nearest work area when it meets
// none (ReachablePosition). False when the system cannot tell.
bool GetNormalPosition(HWND window, POINT* topLeft);
// Moves a window that meets no monitor's work area onto the nearest one.
void KeepWithinReach(HWND window);

#endif
