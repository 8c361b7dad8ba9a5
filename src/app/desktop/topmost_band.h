// The player's place in or out of the topmost band of the z-order.
#ifndef ZANTO_APP_TOPMOST_BAND_H
#define ZANTO_APP_TOPMOST_BAND_H

#include <windows.h>

// Puts the window into the topmost band (HWND_TOPMOST) or takes it out
// (HWND_NOTOPMOST), without moving, sizing or activating it.
void PlaceInTopmostBand(HWND hwnd, bool topmost);

#endif
