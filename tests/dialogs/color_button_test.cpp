// The owner-drawn colour button, drawn into a memory picture and read back.
#include <windows.h>

#include <gtest/gtest.h>

#include "common/handles.h"
#include "settings/color_button.h"

namespace {

constexpr int kWidth = 40;
constexpr int kHeight = 24;
constexpr COLORREF kSwatch = RGB(10, 200, 30);

class Canvas {
 public:
  Canvas() : dc_(CreateCompatibleDC(nullptr)) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = kWidth;
    info.bmiHeader.biHeight = -kHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    bitmap_.reset(CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    old_ = SelectObject(dc_.get(), bitmap_.get());
  }
  ~Canvas() { SelectObject(dc_.get(), old_); }
  COLORREF Draw(UINT state, int x, int y) {
    RECT item = {0, 0, kWidth, kHeight};
    DrawColorButton(dc_.get(), item, state, kSwatch);
    return GetPixel(dc_.get(), x, y);
  }
  COLORREF At(int x, int y) const { return GetPixel(dc_.get(), x, y); }

 private:
  unique_hdc dc_;
  unique_hbitmap bitmap_;
  HGDIOBJ old_;
};

// Catches: a bevel drawn the wrong way round for a press, a swatch that does
// not move with the press or shows while disabled, and a focus mark that the
// bevel paints over.
TEST(ColorButton, BevelSwatchAndFocusFollowTheState) {
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
  const COLORREF shade = GetSysColor(COLOR_BTNSHADOW);
  const COLORREF dark = GetSysColor(COLOR_3DDKSHADOW);
  Canvas canvas;

  // Normal: the bevel's rectangle is the item shrunk by 3.
  EXPECT_EQ(canvas.Draw(0, 1, 1), face);
  EXPECT_EQ(canvas.At(3, 3), light);                       // outer top-left
  EXPECT_EQ(canvas.At(kWidth - 4, kHeight - 4), dark);     // outer bottom-right
  EXPECT_EQ(canvas.At(kWidth - 5, 10), shade);             // inner right column
  EXPECT_EQ(canvas.At(8, 8), RGB(0, 0, 0));                // swatch frame at 3 + 5
  EXPECT_EQ(canvas.At(9, 9), kSwatch);
  EXPECT_EQ(canvas.At(kWidth - 10, kHeight - 10), kSwatch);
  EXPECT_EQ(canvas.At(6, 10), face);                       // where a focus mark would be

  // Pressed: everything one pixel down and right, the swatch twice.
  EXPECT_EQ(canvas.Draw(ODS_SELECTED, 4, 4), shade);
  EXPECT_EQ(canvas.At(5, 10), dark);                       // inner left column
  EXPECT_EQ(canvas.At(kWidth - 3, kHeight - 3), light);
  EXPECT_EQ(canvas.At(9, 9), face);
  EXPECT_EQ(canvas.At(10, 10), RGB(0, 0, 0));
  EXPECT_EQ(canvas.At(11, 11), kSwatch);

  // Focused: a dotted mark inside the bevel, around the swatch.
  canvas.Draw(ODS_FOCUS, 0, 0);
  int marked = 0;
  for (int x = 6; x < kWidth - 6; ++x) marked += canvas.At(x, 6) != face;
  EXPECT_GT(marked, 0);
  EXPECT_EQ(canvas.At(9, 9), kSwatch);

  // Disabled: the bevel alone.
  EXPECT_EQ(canvas.Draw(ODS_DISABLED, 3, 3), light);
  EXPECT_EQ(canvas.At(8, 8), face);
  EXPECT_EQ(canvas.At(kWidth / 2, kHeight / 2), face);
}

}  // namespace
