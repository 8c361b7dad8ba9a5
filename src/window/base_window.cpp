#include "window/base_window.h"

namespace {

// Window extra slot holding the object.
constexpr int kObjectSlot = 0;

BaseWindow* ObjectOf(HWND hwnd) {
  return reinterpret_cast<BaseWindow*>(GetWindowLongPtrA(hwnd, kObjectSlot));
}

}  // namespace

BaseWindow::BaseWindow() : hwnd(nullptr), handled(0), result(0) {}

BaseWindow::~BaseWindow() {
  if (hwnd && IsWindow(hwnd) && ObjectOf(hwnd) == this) {
    // The derived parts are gone already: let no message reach them.
    SetWindowLongPtrA(hwnd, kObjectSlot, 0);
    DestroyWindow(hwnd);
  }
}

LRESULT BaseWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefaultProc(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK BaseWindow::StaticWindowProc(HWND hwnd, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const CREATESTRUCTA* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    auto* object = static_cast<BaseWindow*>(create->lpCreateParams);
    SetWindowLongPtrA(hwnd, kObjectSlot, reinterpret_cast<LONG_PTR>(object));
    // Known from the first message on, so WM_CREATE work can use it.
    if (object) object->hwnd = hwnd;
    return DefWindowProcA(hwnd, message, wParam, lParam);
  }
  BaseWindow* object = ObjectOf(hwnd);
  if (!object) return DefWindowProcA(hwnd, message, wParam, lParam);
  object->handled = 0;
  LRESULT answer = object->WindowProc(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    // The handle dies with this message; never leave the object a stale one.
    SetWindowLongPtrA(hwnd, kObjectSlot, 0);
    if (object->hwnd == hwnd) object->hwnd = nullptr;
  }
  return answer;
}

bool BaseWindow::Create(DWORD exStyle, const char* className, const char* title, DWORD style,
                        int x, int y, int width, int height, HWND parent, HMENU menu,
                        HINSTANCE instance) {
  if (hwnd) return false;  // one object, one window
  hwnd = CreateWindowExA(exStyle, className, title, style, x, y, width, height, parent, menu,
                         instance, this);
  return hwnd != nullptr;
}

LRESULT BaseWindow::DefaultProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (handled == 1) return result;
  return DefWindowProcA(hwnd, message, wParam, lParam);
}
