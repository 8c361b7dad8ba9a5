// The player's side of the settings dialog and the about box.
#include "app/application.h"
#include "app/playback_rules.h"
#include "app/player_window.h"
#include "app/topmost_band.h"
#include "settings/about_dialog.h"
#include "settings/settings.h"
#include "settings/settings_dialog.h"

void PlayerWindow::OnAboutButton() { AboutDialog().Run(hwnd); }

void PlayerWindow::OnPreferencesButton() {
  Settings& settings = *appSettings;
  // Out of the topmost band, so that the dialog is not hidden behind the player.
  PlaceInTopmostBand(hwnd, false);
  if (SettingsDialog().Run(hwnd) == IDOK) {
    // Outside mouth mode the timer stays stopped: only that mode uses it.
    KillTimer(hwnd, kAnimationTimer);
    if (settings.timeWindow == kTimeWindowMouth) {
      SetTimer(hwnd, kAnimationTimer, AnimationInterval(settings.mouseAnime), nullptr);
    }
    ApplyTextFont();
    ApplyMediaHotKeys();
    // Written at once, not only at shutdown: a crash must not lose what the
    // user has just accepted.
    settings.Save();
  }
  PlaceInTopmostBand(hwnd, settings.alwaysOnTop || settings.doOsuwari);
}
