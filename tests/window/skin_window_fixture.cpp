#include "window/skin_window_fixture.h"

#include <commctrl.h>

#include "app/application.h"

void SkinWindowTest::SetUpTestSuite() {
  appInstance = GetModuleHandleA(nullptr);
  InitCommonControls();
  RegisterPlayerClass(appInstance);
}

std::string SkinWindowTest::WriteSkin(const std::string& name, int width, int height,
                                      const PixelColour& colour, const std::string& lines) {
  WritePicture(name + "_back.bmp", width, height, colour);
  WritePicture(name + "_inactive.bmp", width, height, [](int, int) { return RGB(9, 9, 9); });
  std::string path = folder.File(name + ".rc");
  EXPECT_TRUE(WriteFileBytes(path, "BackgroundImage " + name + "_back.bmp\r\n" +
                                       "BackgroundImageInactive " + name + "_inactive.bmp\r\n" +
                                       lines));
  return path;
}

void SkinWindowTest::WritePicture(const std::string& file, int width, int height,
                                  const PixelColour& colour) {
  EXPECT_TRUE(WriteBmp(folder.File(file), width, height, colour));
}

bool SkinWindowTest::Open(SkinWindow& window, const std::string& rcPath) {
  // Not shown: Wine grants the capture to hidden windows too, and showing
  // one under Xvfb takes seconds.
  return window.CreateSkinWindow(nullptr, rcPath.c_str(), 0, "test", WS_POPUP, kLeft, kTop,
                                 nullptr, nullptr, appInstance);
}

LPARAM PointParam(int x, int y) {
  return MAKELPARAM(static_cast<WORD>(static_cast<short>(x)), static_cast<WORD>(static_cast<short>(y)));
}

void Press(HWND hwnd, int x, int y) { SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, PointParam(x, y)); }
void DoubleClick(HWND hwnd, int x, int y) {
  SendMessageA(hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON, PointParam(x, y));
}
void Move(HWND hwnd, int x, int y) { SendMessageA(hwnd, WM_MOUSEMOVE, MK_LBUTTON, PointParam(x, y)); }
void Release(HWND hwnd, int x, int y) { SendMessageA(hwnd, WM_LBUTTONUP, 0, PointParam(x, y)); }
void Click(HWND hwnd, int x, int y) {
  Press(hwnd, x, y);
  Release(hwnd, x, y);
}

POINT WindowCorner(HWND hwnd) {
  RECT rect = {};
  GetWindowRect(hwnd, &rect);
  return POINT{rect.left, rect.top};
}
