// Osuwari: the player perched on the foreground window's title bar
// (PlayerWindow::Perch, in osuwari.cpp).
#ifndef ZANTO_APP_OSUWARI_H
#define ZANTO_APP_OSUWARI_H

#include <windows.h>

// Where Perch asks for the foreground window: GetForegroundWindow, unless a
// test supplies its own.
extern HWND(WINAPI* perchForegroundWindow)();

#endif
