#include "app/player_window.h"

PlayerWindow::PlayerWindow()
    : discPresent(0),
      currentTrack(0),
      trackCount(0),
      mouthFrame(0),
      blinkPhase(0),
      paused(0),
      pausePosition(0),
      perchTarget(nullptr),
      perchTargetRect{0, 0, 0, 0} {}

PlayerWindow::~PlayerWindow() = default;

LRESULT PlayerWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DESTROY:
      OnDestroy();
      break;
    default:
      return SkinWindow::WindowProc(hwnd, message, wParam, lParam);
  }
  MarkHandled(0);
  return SkinWindow::WindowProc(hwnd, message, wParam, lParam);
}

// Work in progress: the player's logic lands here next.
void PlayerWindow::OnWindowCreated() {}
void PlayerWindow::OnSeekRegion(int) {}
void PlayerWindow::OnCloseButton() { DestroyWindow(hwnd); }
void PlayerWindow::OnMinimizeButton() {}
void PlayerWindow::OnOpenFileButton() {}
void PlayerWindow::OnStopButton() {}
void PlayerWindow::OnPlayButton() {}
void PlayerWindow::OnPreviousSongButton() {}
void PlayerWindow::OnNextSongButton() {}
void PlayerWindow::OnPauseButton() {}
void PlayerWindow::OnRepeatButton() {}
MCIERROR PlayerWindow::PlayTrackAt(int, int, int, int) { return 0; }
MCIERROR PlayerWindow::PausePlayback() { return 0; }
MCIERROR PlayerWindow::ResumePlayback() { return 0; }
void PlayerWindow::ChangeResourceFile(const char*) {}
void PlayerWindow::ChooseResourceFile() {}
void PlayerWindow::UpdateTimeAndTitle() {}
void PlayerWindow::UpdateTrackText() {}
void PlayerWindow::UpdateSeekPosition() {}

// The player's window is the program's life: its end ends the message loop.
void PlayerWindow::OnDestroy() { PostQuitMessage(0); }
