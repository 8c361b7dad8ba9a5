// The DPI a window is shown at, on any Windows the program runs on.
#ifndef ZANTO_APP_DESKTOP_WINDOW_DPI_H
#define ZANTO_APP_DESKTOP_WINDOW_DPI_H

#include <windows.h>

// The DPI of the monitor `window` is on (Windows 10 1607 and later), else
// the system's: older Windows have no DPI per window. Null asks the system's.
int WindowDpi(HWND window);

#endif
