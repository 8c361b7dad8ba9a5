// Fixture of the tests that drive a real skin window: skins written into a
// scratch folder, windows of the player's class, and mouse messages.
#ifndef ZANTO_TESTS_WINDOW_SKIN_WINDOW_FIXTURE_H
#define ZANTO_TESTS_WINDOW_SKIN_WINDOW_FIXTURE_H

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "support/test_support.h"
#include "window/skin_files.h"
#include "window/skin_window.h"

class SkinWindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite();

  // Writes `name`.rc naming a background `name`_back.bmp drawn by `colour`
  // and a plain inactive one, followed by `lines`; returns its path.
  std::string WriteSkin(const std::string& name, int width, int height, const PixelColour& colour,
                        const std::string& lines);
  // Writes a picture beside the skins.
  void WritePicture(const std::string& file, int width, int height, const PixelColour& colour);
  // Creates the window at (kLeft, kTop), not shown.
  bool Open(SkinWindow& window, const std::string& rcPath);

  static constexpr int kLeft = 30;
  static constexpr int kTop = 40;
  ScratchFolder folder;
};

// Mouse messages with client coordinates, as the system sends them.
LPARAM PointParam(int x, int y);
void Press(HWND hwnd, int x, int y);
void DoubleClick(HWND hwnd, int x, int y);
void Move(HWND hwnd, int x, int y);
void Release(HWND hwnd, int x, int y);
void Click(HWND hwnd, int x, int y);  // press and release at one point

// The window's top-left corner on the screen.
POINT WindowCorner(HWND hwnd);

#endif
