// Which CD drive the player plays, and the change of it.
#include "app/messages.h"
#include "app/player/player_window.h"
#include "cd/cd_drives.h"
#include "resources/resource.h"
#include "settings/settings.h"

DriveOpenResult PlayerWindow::OpenChosenDrive() {
  char letter = settings_.drive;
  chosenDrive_ = letter;
  if (letter && IsCdDrive(letter)) {
    DriveOpenResult opened = drive_->Open(letter, hwnd, this);
    // Held by another program is not gone: the user hears why.
    if (opened != DriveOpenResult::kFailed) return opened;
  }
  return drive_->Open(0, hwnd, this);
}

void PlayerWindow::ChangeDrive() {
  if (state_.HasDisc()) StopPlayback();
  OnDiscGone();
  drive_->Close();
  DriveOpenResult opened = OpenChosenDrive();
  // Still running without a drive: the user may choose another one.
  if (opened != DriveOpenResult::kOpened) {
    ShowMessageId(hwnd, opened == DriveOpenResult::kInUse ? IDS_CD_IN_USE : IDS_CD_INIT_FAILED,
                  kMessageStyle);
  }
  RefreshDisplays();
}
