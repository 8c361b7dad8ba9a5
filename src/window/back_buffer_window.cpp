#include "window/back_buffer_window.h"

#include <utility>

namespace {

const COLORREF kWhite = RGB(255, 255, 255);

// BeginPaint/EndPaint for one WM_PAINT.
class PaintContext {
 public:
  explicit PaintContext(HWND hwnd) : hwnd_(hwnd), dc_(BeginPaint(hwnd, &paint_)) {}
  ~PaintContext() { EndPaint(hwnd_, &paint_); }
  PaintContext(const PaintContext&) = delete;
  PaintContext& operator=(const PaintContext&) = delete;
  HDC dc() const { return dc_; }
  const RECT& area() const { return paint_.rcPaint; }

 private:
  HWND hwnd_;
  PAINTSTRUCT paint_ = {};
  HDC dc_;
};

}  // namespace

BackBufferWindow::BackBufferWindow()
    : savedBitmap(nullptr), bufferWidth(0), bufferHeight(0) {}

BackBufferWindow::~BackBufferWindow() { EndDraw(); }

LRESULT BackBufferWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      if (!OnCreate()) return -1;  // fails the window's creation
      break;
    case WM_DESTROY:
      OnDestroy();
      break;
    case WM_PAINT:
      OnPaint(hwnd);
      break;
    default:
      return BaseWindow::WindowProc(hwnd, message, wParam, lParam);
  }
  MarkHandled(0);
  return BaseWindow::WindowProc(hwnd, message, wParam, lParam);
}

bool BackBufferWindow::Create(DWORD exStyle, const char* className, const char* title,
                              DWORD style, int x, int y, int width, int height, HWND parent,
                              HMENU menu, HINSTANCE instance) {
  bufferWidth = width;
  bufferHeight = height;
  return BaseWindow::Create(exStyle, className, title, style, x, y, width, height, parent, menu,
                            instance);
}

HDC BackBufferWindow::BeginDraw() {
  if (drawDC) return nullptr;  // passes never nest
  if (!backBuffer) return nullptr;
  // Compatible with the screen, as the window's own context is. Asking for
  // the window's context instead costs Wine its whole visible region each
  // time that changed: tens of milliseconds for a large shaped skin.
  unique_hdc memory(CreateCompatibleDC(nullptr));
  if (!memory) return nullptr;
  HGDIOBJ previous = SelectObject(memory.get(), backBuffer.get());
  if (!previous || previous == HGDI_ERROR) return nullptr;
  savedBitmap = previous;
  drawDC = std::move(memory);
  return drawDC.get();
}

bool BackBufferWindow::EndDraw() {
  if (!drawDC) return false;
  SelectObject(drawDC.get(), savedBitmap);
  savedBitmap = nullptr;
  return DeleteDC(drawDC.release()) != FALSE;
}

bool BackBufferWindow::Fill(COLORREF colour) {
  HDC dc = BeginDraw();
  if (!dc) return false;
  unique_hbrush brush(CreateSolidBrush(colour));
  RECT all = {0, 0, bufferWidth, bufferHeight};
  bool filled = brush && FillRect(dc, &all, brush.get()) != 0;
  EndDraw();
  return filled;
}

bool BackBufferWindow::ResizeBackBuffer() {
  if (drawDC) return false;  // the old buffer is selected in an open pass
  RECT outer;
  if (IsIconic(hwnd)) {
    // Minimised, the window rectangle is the icon's: draw at the restored size.
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    if (!GetWindowPlacement(hwnd, &placement)) return false;
    outer = placement.rcNormalPosition;
  } else if (!GetWindowRect(hwnd, &outer)) {
    return false;
  }
  backBuffer.reset();
  bufferWidth = outer.right - outer.left;
  bufferHeight = outer.bottom - outer.top;
  return CreateBackBuffer() && Fill(kWhite);
}

bool BackBufferWindow::CreateBackBuffer() {
  // The screen's context, not the window's (see BeginDraw): same format.
  WindowDc screen(nullptr);
  if (!screen) return false;
  backBuffer.reset(CreateCompatibleBitmap(screen.get(), bufferWidth, bufferHeight));
  return static_cast<bool>(backBuffer);
}

bool BackBufferWindow::OnCreate() {
  if (backBuffer) return false;  // one window, one creation
  return CreateBackBuffer() && Fill(kWhite);
}

void BackBufferWindow::OnDestroy() {
  EndDraw();
  backBuffer.reset();
}

void BackBufferWindow::OnPaint(HWND hwnd) {
  PaintContext paint(hwnd);
  if (!paint.dc() || !backBuffer) return;
  unique_hdc memory(CreateCompatibleDC(paint.dc()));
  if (!memory) return;
  SelectedObject selected(memory.get(), backBuffer.get());
  const RECT& area = paint.area();
  BitBlt(paint.dc(), area.left, area.top, area.right - area.left, area.bottom - area.top,
         memory.get(), area.left, area.top, SRCCOPY);
}
