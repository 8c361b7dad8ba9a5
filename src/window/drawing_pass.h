// One drawing pass on a back buffer for one scope: BeginDraw on entry,
// EndDraw on every way out.
#ifndef ZANTO_WINDOW_DRAWING_PASS_H
#define ZANTO_WINDOW_DRAWING_PASS_H

#include <windows.h>

#include "window/back_buffer_window.h"

class DrawingPass {
 public:
  explicit DrawingPass(BackBufferWindow& window) : window_(window), dc_(window.BeginDraw()) {}
  ~DrawingPass() {
    if (dc_) window_.EndDraw();
  }
  DrawingPass(const DrawingPass&) = delete;
  DrawingPass& operator=(const DrawingPass&) = delete;

  // Null when no pass could be opened (one is already open, or GDI failed).
  HDC dc() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  BackBufferWindow& window_;
  HDC dc_;
};

#endif
