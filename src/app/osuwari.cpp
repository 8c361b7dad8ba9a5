// Osuwari: the player perched on the foreground window's title bar.
#include "app/player_window.h"

void PlayerWindow::Perch() {}
