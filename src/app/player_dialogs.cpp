// The player's side of the settings dialog and the about box.
#include "app/application.h"
#include "app/player_window.h"
#include "common/fixed_text.h"
#include "settings/about_dialog.h"
#include "settings/settings.h"
#include "settings/settings_dialog.h"

namespace {

constexpr int kMouthAnimationMode = 2;

void PlaceInTopmostBand(HWND hwnd, bool topmost) {
  SetWindowPos(hwnd, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

}  // namespace

void PlayerWindow::OnAboutButton() { AboutDialog().Run(hwnd); }

void PlayerWindow::OnPreferencesButton() {
  Settings& settings = *appSettings;
  // Out of the topmost band, so that the dialog is not hidden behind the player.
  PlaceInTopmostBand(hwnd, false);
  if (SettingsDialog().Run(hwnd) == IDOK) {
    KillTimer(hwnd, kAnimationTimer);
    if (settings.timeWindow == kMouthAnimationMode) {
      SetTimer(hwnd, kAnimationTimer, static_cast<UINT>(settings.mouseAnime), nullptr);
    }
    TextFont font = {};
    CopyText(font.faceName, settings.fontName);
    font.fontStyle = settings.fontStyle;
    font.textColour = settings.textColor;
    font.shadowColour = settings.shadowColor;
    font.shadowOn = settings.enableShadow;
    SetTextFont(font, kTextFontAll);
    // Written at once, not only at shutdown: a crash must not lose what the
    // user has just accepted.
    settings.Save();
  }
  PlaceInTopmostBand(hwnd, settings.alwaysOnTop || settings.doOsuwari);
}
