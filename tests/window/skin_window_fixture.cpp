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
  return ::WriteSkin(folder, name, width, height, colour, lines, RGB(9, 9, 9));
}

bool SkinWindowTest::Open(SkinWindow& window, const std::string& rcPath) {
  return window.CreateSkinWindow(nullptr, rcPath.c_str(), 0, "test", WS_POPUP, kLeft, kTop,
                                 nullptr, nullptr, appInstance);
}

void SendMouse(HWND hwnd, UINT message, int x, int y) {
  WPARAM keys = message == WM_LBUTTONUP ? 0 : MK_LBUTTON;
  SendMessageA(hwnd, message, keys,
               MAKELPARAM(static_cast<WORD>(static_cast<short>(x)),
                          static_cast<WORD>(static_cast<short>(y))));
}

POINT WindowCorner(HWND hwnd) {
  RECT rect = {};
  GetWindowRect(hwnd, &rect);
  return POINT{rect.left, rect.top};
}

COLORREF BufferPixel(BackBufferWindow& window, int x, int y) {
  HDC dc = window.BeginDraw();
  if (!dc) return CLR_INVALID;
  COLORREF colour = GetPixel(dc, x, y);
  window.EndDraw();
  return colour;
}

COLORREF Darkened(COLORREF face) {
  return RGB(GetRValue(face) >> 1, GetGValue(face) >> 1, GetBValue(face) >> 1);
}
