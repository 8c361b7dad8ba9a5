// The player's side of the settings dialog and the about box.
#include "app/player_window.h"

void PlayerWindow::OnAboutButton() {}
void PlayerWindow::OnPreferencesButton() {}
