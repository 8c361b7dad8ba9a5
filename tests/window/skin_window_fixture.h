// Fixture of the tests that drive a real skin window: skins written into a
// scratch folder, windows of the player's class, and mouse messages.
#ifndef ZANTO_TESTS_WINDOW_SKIN_WINDOW_FIXTURE_H
#define ZANTO_TESTS_WINDOW_SKIN_WINDOW_FIXTURE_H

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "support/test_support.h"
#include "window/skin_window.h"

class SkinWindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite();

  // Writes `name`.rc naming a background drawn by `colour` and a plain
  // inactive one, followed by `lines`; returns its path.
  std::string WriteSkin(const std::string& name, int width, int height, const PixelColour& colour,
                        const std::string& lines);
  // Creates the window at (kLeft, kTop), not shown: Wine grants the capture
  // to hidden windows too, and showing one under Xvfb takes seconds.
  bool Open(SkinWindow& window, const std::string& rcPath);

  static constexpr int kLeft = 30;
  static constexpr int kTop = 40;
  ScratchFolder folder;
};

// Sends a mouse message with client coordinates, packed as the system packs them.
void SendMouse(HWND hwnd, UINT message, int x, int y);
inline void Press(HWND hwnd, int x, int y) { SendMouse(hwnd, WM_LBUTTONDOWN, x, y); }
inline void Move(HWND hwnd, int x, int y) { SendMouse(hwnd, WM_MOUSEMOVE, x, y); }
inline void Release(HWND hwnd, int x, int y) { SendMouse(hwnd, WM_LBUTTONUP, x, y); }
inline void Click(HWND hwnd, int x, int y) {
  Press(hwnd, x, y);
  Release(hwnd, x, y);
}

// The window's top-left corner on the screen.
POINT WindowCorner(HWND hwnd);
// A pixel of the back buffer, read in a drawing pass of its own.
COLORREF BufferPixel(BackBufferWindow& window, int x, int y);
// The pressed look of a DARKEN button: the face at half brightness.
COLORREF Darkened(COLORREF face);

#endif
