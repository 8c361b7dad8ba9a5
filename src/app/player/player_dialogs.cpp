// The player's side of the settings dialog and the about box.
#include "app/application.h"
#include "app/rules/playback_rules.h"
#include "app/player/player_window.h"
#include "app/desktop/topmost_band.h"
#include "dialogs/about_dialog.h"
#include "dialogs/settings_dialog.h"
#include "settings/settings.h"

namespace {

// What OK in the settings dialog asks of the player.
class PlayerSettingsHost final : public SettingsHost {
 public:
  explicit PlayerSettingsHost(PlayerWindow& player) : player_(player), drive_(appSettings->drive) {}

  void ApplySettings() override {
    Settings& settings = *appSettings;
    if (settings.drive != drive_) player_.ChangeDrive();
    drive_ = settings.drive;
    // Outside mouth mode the timer stays stopped: only that mode uses it.
    KillTimer(player_.hwnd, kAnimationTimer);
    if (settings.timeWindow == kTimeWindowMouth) {
      SetTimer(player_.hwnd, kAnimationTimer, AnimationInterval(settings.mouseAnime), nullptr);
    }
    player_.ApplyTextFont();
    player_.ApplyMediaHotKeys();
    // Written at once, not only at shutdown: a crash must not lose what the
    // user has just accepted.
    settings.Save();
  }

 private:
  PlayerWindow& player_;
  char drive_;  // the drive before the dialog
};

}  // namespace

void PlayerWindow::OnAboutButton() { AboutDialog(appInstance, model.aboutText).Run(hwnd); }

void PlayerWindow::OnPreferencesButton() {
  Settings& settings = *appSettings;
  // Out of the topmost band, so that the dialog is not hidden behind the player.
  PlaceInTopmostBand(hwnd, false);
  PlayerSettingsHost host(*this);
  SettingsDialog(appInstance, settings, &host).Run(hwnd);
  PlaceInTopmostBand(hwnd, settings.alwaysOnTop || settings.doOsuwari);
}
