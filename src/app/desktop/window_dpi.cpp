#include "app/desktop/window_dpi.h"

namespace {

// What a screen without a scale of its own reports.
constexpr int kDefaultDpi = 96;

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);

// Looked up once: importing it would keep the program from starting on
// the Windows versions that lack it.
GetDpiForWindowFunction DpiForWindow() {
  static const GetDpiForWindowFunction function = [] {
    HMODULE user = GetModuleHandleA("user32.dll");
    FARPROC found = user ? GetProcAddress(user, "GetDpiForWindow") : nullptr;
    return reinterpret_cast<GetDpiForWindowFunction>(reinterpret_cast<void*>(found));
  }();
  return function;
}

int SystemDpi() {
  HDC screen = GetDC(nullptr);
  if (!screen) return kDefaultDpi;
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kDefaultDpi;
}

}  // namespace

int WindowDpi(HWND window) {
  if (window) {
    if (GetDpiForWindowFunction function = DpiForWindow()) {
      const UINT dpi = function(window);
      if (dpi > 0) return static_cast<int>(dpi);
    }
  }
  return SystemDpi();
}
