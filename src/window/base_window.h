// The root of the window class chain: one Win32 window per object, every
// message routed to the virtual WindowProc, and the handled protocol through
// which each level of the chain does its share of one message.
#ifndef ZANTO_WINDOW_BASE_WINDOW_H
#define ZANTO_WINDOW_BASE_WINDOW_H

#include <windows.h>

class BaseWindow {
 public:
  BaseWindow();
  // Not virtual: objects are destroyed through their own type. A window still
  // alive at this point is detached from the object first, then destroyed.
  ~BaseWindow();
  BaseWindow(const BaseWindow&) = delete;
  BaseWindow& operator=(const BaseWindow&) = delete;

  // Slot 0. The base level is DefaultProc.
  virtual LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  // The window procedure of every class whose windows are these objects
  // (cbWndExtra = one pointer, holding the object).
  static LRESULT CALLBACK StaticWindowProc(HWND hwnd, UINT message, WPARAM wParam,
                                           LPARAM lParam);

  // CreateWindowExA with this object as the creation parameter.
  bool Create(DWORD exStyle, const char* className, const char* title, DWORD style, int x, int y,
              int width, int height, HWND parent, HMENU menu, HINSTANCE instance);
  // `result` when a level marked the message handled, else DefWindowProcA.
  LRESULT DefaultProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  HWND hwnd;
  int handled;  // 0 or 1, cleared before every dispatch to the object
  int result;   // returned instead of DefWindowProcA's answer when handled

 protected:
  // Called by a level after its own work, right before it chains to its base:
  // nested dispatches during the work clear `handled`.
  void MarkHandled(int value) {
    handled = 1;
    result = value;
  }
};

#endif
