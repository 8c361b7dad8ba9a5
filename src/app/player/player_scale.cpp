// The size the player shows its skin at: double size (Ctrl+D), the
// [General] Scale setting, and the DPI of the monitor the window is on.

#include "app/desktop/window_dpi.h"
#include "app/messages.h"
#include "app/player/player_window.h"
#include "common/fixed_text.h"
#include "settings/settings.h"

SkinScale PlayerWindow::ScaleToRealise() const {
  // Only a scale that follows the monitor asks the system anything.
  const int setting = ValidScaleSetting(settings_.scale);
  return ResolveSkinScale(setting, setting == kScaleFollowDpi ? WindowDpi(hwnd) : kNormalDpi);
}

bool PlayerWindow::RealiseAtScaleSetting() {
  if (!hwnd || ScaleToRealise() == scale) return true;
  // The skin is scaled as it is realised: it is loaded again from its file.
  char file[kPathSize];
  CopyText(file, settings_.lastFile);
  return ReloadSkin(file);
}

void PlayerWindow::OnDoubleSizeCommand() {
  const int previous = settings_.scale;
  settings_.scale = ToggledDoubleSize(previous);
  if (!RealiseAtScaleSetting()) {
    settings_.scale = previous;
    return;
  }
  settings_.Save();
}

void PlayerWindow::OnDpiChanged(const RECT* suggested) {
  if (ValidScaleSetting(settings_.scale) != kScaleFollowDpi) return;
  // The system's place keeps the window on the new monitor; the size is the
  // skin's, at the new scale.
  if (suggested) {
    SetWindowPos(hwnd, nullptr, suggested->left, suggested->top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  RealiseAtScaleSetting();
}
