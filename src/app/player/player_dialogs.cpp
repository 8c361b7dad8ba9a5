// The player's side of the settings dialog and the about box.
#include "app/player/player_window.h"
#include "app/desktop/topmost_band.h"
#include "dialogs/about_dialog.h"
#include "dialogs/settings_dialog.h"
#include "settings/settings.h"

namespace {

// What OK in the settings dialog asks of the player.
class PlayerSettingsHost final : public SettingsHost {
 public:
  explicit PlayerSettingsHost(PlayerWindow& player) : player_(player) {}

  void ApplySettings() override { player_.ApplySettings(); }

 private:
  PlayerWindow& player_;
};

}  // namespace

void PlayerWindow::ApplySettings() {
  if (settings_.drive != chosenDrive_ || settings_.playback != chosenPlayback_) ChangeDrive();
  StartAnimationTimer();
  ApplyTopmost();
  ApplyTextFont();
  ApplyMediaHotKeys();
  RealiseAtScaleSetting();
  // Written at once, not only at shutdown: a crash must not lose what the
  // user has just accepted.
  settings_.Save();
}

void PlayerWindow::ApplyTopmost() { PlaceInTopmostBand(hwnd, settings_.alwaysOnTop || settings_.doOsuwari); }

void PlayerWindow::OnAboutButton() { AboutDialog(instance, model.aboutText).Run(hwnd); }

void PlayerWindow::OnPreferencesButton() {
  // Out of the topmost band, so that the dialog is not hidden behind the player.
  PlaceInTopmostBand(hwnd, false);
  PlayerSettingsHost host(*this);
  SettingsDialog(instance, settings_, &host).Run(hwnd);
  ApplyTopmost();  // also after Cancel
}
