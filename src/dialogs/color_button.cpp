#include "dialogs/color_button.h"

#include "common/handles.h"

namespace {

void FillColor(HDC dc, const RECT& r, COLORREF color) {
  unique_hbrush brush(CreateSolidBrush(color));
  if (brush) FillRect(dc, &r, brush.get());
}

// One-pixel lines just inside r: top row and left column in a, right column
// and bottom row in b.
void Frame(HDC dc, const RECT& r, COLORREF a, COLORREF b) {
  if (r.right - r.left < 1 || r.bottom - r.top < 1) return;
  FillColor(dc, {r.left, r.top, r.right - 1, r.top + 1}, a);
  FillColor(dc, {r.left, r.top, r.left + 1, r.bottom - 1}, a);
  FillColor(dc, {r.right - 1, r.top, r.right, r.bottom}, b);
  FillColor(dc, {r.left, r.bottom - 1, r.right, r.bottom}, b);
}

}  // namespace

void DrawColorButton(HDC dc, const RECT& item, UINT state, COLORREF color) {
  const bool pressed = (state & ODS_SELECTED) != 0;
  FillRect(dc, &item, GetSysColorBrush(COLOR_BTNFACE));
  RECT r = item;
  InflateRect(&r, -3, -3);
  if (pressed) OffsetRect(&r, 1, 1);

  const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  const COLORREF darkShadow = GetSysColor(COLOR_3DDKSHADOW);
  if (pressed) {
    Frame(dc, r, shadow, highlight);
    Frame(dc, {r.left + 1, r.top + 1, r.right, r.bottom}, darkShadow, highlight);
  } else {
    Frame(dc, r, highlight, darkShadow);
    Frame(dc, {r.left, r.top, r.right - 1, r.bottom - 1}, highlight, shadow);
  }
  // The focus mark goes inside the bevel, between it and the swatch: drawn on
  // the bevel's own rectangle it would be painted over and never seen.
  if (state & ODS_FOCUS) {
    RECT focus = r;
    InflateRect(&focus, -3, -3);
    DrawFocusRect(dc, &focus);
  }
  if (state & ODS_DISABLED) return;

  RECT swatch = r;
  InflateRect(&swatch, -5, -5);
  if (pressed) OffsetRect(&swatch, 1, 1);
  Frame(dc, swatch, RGB(0, 0, 0), RGB(0, 0, 0));
  InflateRect(&swatch, -1, -1);
  FillColor(dc, swatch, color);
}
