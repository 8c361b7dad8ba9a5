#include "app/player_window.h"

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

void PlayerWindow::OnCloseButton() { DestroyWindow(hwnd); }

// The player's window is the program's life: its end ends the message loop.
void PlayerWindow::OnDestroy() { PostQuitMessage(0); }
