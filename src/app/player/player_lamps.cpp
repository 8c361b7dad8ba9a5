// The skin's lamps show the play modes and mute; a click on one sends the
// menu's command for its mode, which ends here again.
#include "app/player/player_window.h"
#include "settings/settings.h"

void PlayerWindow::ShowModes() {
  const int on[kLampCount] = {settings_.shuffle, settings_.repeat, settings_.repeatTrack,
                              settings_.introScan, settings_.mute};
  for (int lamp = 0; lamp < kLampCount; ++lamp) SetLampState(lamp, on[lamp]);
}
