// The player's window: the skin window whose event slots drive the program.
// For now it only ends the program when its window goes.
#ifndef ZANTO_APP_PLAYER_WINDOW_H
#define ZANTO_APP_PLAYER_WINDOW_H

#include <windows.h>

#include "window/skin_window.h"

class PlayerWindow final : public SkinWindow {
 public:
  LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnCloseButton() override;

 private:
  void OnDestroy();
};

#endif
