// Which CD drive the player plays, and the change of it.
#include "app/messages.h"
#include "app/player/player_window.h"
#include "cd/cd_drives.h"
#include "resources/resource.h"
#include "settings/settings.h"

MCIERROR PlayerWindow::OpenChosenDrive() {
  char letter = settings_.drive;
  chosenDrive_ = letter;
  if (letter && IsCdDrive(letter)) {
    MCIERROR error = cdDevice.Open(letter);
    // Held by another program is not gone: the user hears why.
    if (error == 0 || error == MCIERR_MUST_USE_SHAREABLE) return error;
  }
  return cdDevice.Open(0);
}

void PlayerWindow::ChangeDrive() {
  if (discPresent) StopPlayback();
  OnDiscGone();
  cdDevice.Close();
  MCIERROR error = OpenChosenDrive();
  // Still running without a drive: the user may choose another one.
  if (error) {
    ShowMessageId(hwnd, error == MCIERR_MUST_USE_SHAREABLE ? IDS_CD_IN_USE : IDS_CD_INIT_FAILED,
                  kMessageStyle);
  }
  RefreshDisplays();
}
