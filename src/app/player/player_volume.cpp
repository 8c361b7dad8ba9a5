// The player's volume by hand: the skin's volume control, the mouse wheel,
// the up and down keys, the keyboard's volume keys and mute. Every way acts
// through the one VolumeOutput, and a digital drive's stream besides, never
// the drive's analogue output then; a change of the volume ends a mute, as
// the system's own volume keys do.
#include <windowsx.h>

#include "app/player/player_window.h"
#include "app/rules/volume_steps.h"
#include "settings/settings.h"

namespace {

int Clamp255(int value) { return value < 0 ? 0 : value > 255 ? 255 : value; }

// WM_KEYDOWN's bit 30: the key was down already (the keyboard's repeat).
constexpr LPARAM kKeyWasDown = 1 << 30;

}  // namespace

void PlayerWindow::ApplyStartVolume() {
  // 255, the default, leaves the session as loud as the system keeps it. The
  // drive's output is the whole system's: it waits for the user to act.
  int level = settings_.mute ? 0 : settings_.volume;
  SetVolumePosition(level);
  if (level != kFullVolume) volumeOutput.SetSessionVolume(level);
}

void PlayerWindow::OnVolumeControl(int position) { ChangeVolume(position); }

void PlayerWindow::ChangeVolume(int position) {
  bool wasMuted = settings_.mute != 0;
  settings_.mute = 0;
  settings_.volume = Clamp255(position);
  // The skin's control has moved itself; the keys and the wheel move it here.
  if (volumePosition != settings_.volume) SetVolumePosition(settings_.volume);
  ShowModes();  // a mute ends
  volumeOutput.SetSessionVolume(settings_.volume);
  if (!drive_->SetStreamVolume(settings_.volume, false)) volumeOutput.SetDriveVolume(settings_.volume);
  if (wasMuted) {
    OnVolumeSaveTimer();  // leaving mute is saved at once, like M
    return;
  }
  // Saved once the volume rests a moment, not at every pixel of a drag.
  SetTimer(hwnd, kVolumeSaveTimer, kVolumeSaveDelay, nullptr);
}

void PlayerWindow::StepVolume(int steps) {
  if (steps == 0) return;  // part of a wheel notch: a mute stays
  int volume = SteppedVolume(settings_.volume, steps);
  // Already at the end: the system-wide drive output is left alone.
  if (volume == settings_.volume && !settings_.mute) return;
  ChangeVolume(volume);
}

void PlayerWindow::OnMuteCommand() {
  settings_.mute = settings_.mute ? 0 : 1;
  if (settings_.mute) {
    SetVolumePosition(0);  // the control's lowest frame while silent
    volumeOutput.SetSessionVolume(0);
    if (!drive_->SetStreamVolume(settings_.volume, true)) volumeOutput.MuteDrive();
  } else {
    SetVolumePosition(settings_.volume);
    volumeOutput.SetSessionVolume(settings_.volume);
    if (!drive_->SetStreamVolume(settings_.volume, false)) volumeOutput.UnmuteDrive(settings_.volume);
  }
  ShowModes();
  OnVolumeSaveTimer();  // at once, with any volume change still waiting
}

void PlayerWindow::OnVolumeSaveTimer() {
  KillTimer(hwnd, kVolumeSaveTimer);
  settings_.Save();
}

bool PlayerWindow::OnVolumeKey(WPARAM key) {
  if (key != VK_UP && key != VK_DOWN) return false;
  // A held key repeats at the keyboard's rate, as the system's volume keys do.
  StepVolume(key == VK_UP ? 1 : -1);
  return true;
}

bool PlayerWindow::OnMouseWheel(WPARAM wParam, LPARAM lParam) {
  // The focused window gets the wheel wherever the pointer is: only over
  // the player does it set the volume.
  POINT at = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  RECT window = {};
  if (!GetWindowRect(hwnd, &window) || !PtInRect(&window, at)) return false;
  StepVolume(TakeWheelSteps(&wheelRemainder, GET_WHEEL_DELTA_WPARAM(wParam)));
  return true;
}

bool PlayerWindow::OnVolumeAppCommand(int command) {
  switch (command) {
    case APPCOMMAND_VOLUME_UP: StepVolume(1); return true;
    case APPCOMMAND_VOLUME_DOWN: StepVolume(-1); return true;
    case APPCOMMAND_VOLUME_MUTE: OnMuteCommand(); return true;
    // A command cannot tell a held key from a new press: each counts as the
    // arrow key's repeat, so a held key steps every quarter second.
    case APPCOMMAND_MEDIA_FAST_FORWARD: OnKeyDown(VK_RIGHT, kKeyWasDown); return true;
    case APPCOMMAND_MEDIA_REWIND: OnKeyDown(VK_LEFT, kKeyWasDown); return true;
    default: return false;
  }
}
