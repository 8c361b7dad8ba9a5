// A window that draws everything into an off-screen bitmap of its own size;
// WM_PAINT only copies the invalid part of that bitmap to the screen.
#ifndef ZANTO_WINDOW_BACK_BUFFER_WINDOW_H
#define ZANTO_WINDOW_BACK_BUFFER_WINDOW_H

#include <windows.h>

#include "common/handles.h"
#include "window/base_window.h"

class BackBufferWindow : public BaseWindow {
 public:
  BackBufferWindow();
  // Closes a drawing pass that is still open, then frees the back buffer.
  ~BackBufferWindow();

  LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

  // As BaseWindow::Create; the back buffer gets the window's size.
  bool Create(DWORD exStyle, const char* className, const char* title, DWORD style, int x, int y,
              int width, int height, HWND parent, HMENU menu, HINSTANCE instance);

  // Opens the one drawing pass on the back buffer: a memory context with the
  // buffer selected. Null when a pass is already open or on failure.
  HDC BeginDraw();
  // Closes the open pass; false when none is open.
  bool EndDraw();
  // Fills the whole back buffer with a solid colour in a pass of its own.
  bool Fill(COLORREF colour);
  // A new back buffer of the window's outer size (its restored size while
  // minimised), filled white.
  bool ResizeBackBuffer();

  unique_hbitmap backBuffer;
  HGDIOBJ savedBitmap;  // what drawDC held before backBuffer; null outside a pass
  int bufferWidth;
  int bufferHeight;
  unique_hdc drawDC;  // open only during a drawing pass

 private:
  // A bitmap of bufferWidth x bufferHeight compatible with the window's screen.
  bool CreateBackBuffer();

  bool OnCreate();
  void OnDestroy();
  void OnPaint(HWND hwnd);
};

#endif
