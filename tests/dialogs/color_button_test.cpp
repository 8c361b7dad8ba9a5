// The owner-drawn colour button, drawn into a memory picture and read back.
#include <windows.h>

#include <gtest/gtest.h>

#include "common/handles.h"
#include "dialogs/color_button.h"

namespace {

// Catches: a bevel the wrong way round for a press, a swatch that does not
// move with the press or shows while disabled, and a focus mark painted over.
TEST(ColorButton, BevelSwatchAndFocusFollowTheState) {
  constexpr int kWidth = 40, kHeight = 24;
  constexpr COLORREF kSwatch = RGB(10, 200, 30), kBlack = RGB(0, 0, 0);
  unique_hdc dc(CreateCompatibleDC(nullptr));
  unique_hbitmap bitmap(CreateBitmap(kWidth, kHeight, 1, 32, nullptr));
  SelectedObject selected(dc.get(), bitmap.get());
  const COLORREF face = GetSysColor(COLOR_BTNFACE), light = GetSysColor(COLOR_BTNHIGHLIGHT),
                 shade = GetSysColor(COLOR_BTNSHADOW), dark = GetSysColor(COLOR_3DDKSHADOW);
  // The bevel sits 3 pixels in, the swatch's black frame 5 further in; a
  // press moves the bevel by one pixel and the swatch by two.
  const struct {
    UINT state;
    int x, y;
    COLORREF expected;
  } pixels[] = {
      {0, 1, 1, face},         {0, 3, 3, light},         {0, 36, 20, dark},
      {0, 35, 10, shade},      {0, 8, 8, kBlack},        {0, 9, 9, kSwatch},
      {0, 30, 14, kSwatch},    {0, 6, 10, face},         {ODS_SELECTED, 4, 4, shade},
      {ODS_SELECTED, 5, 10, dark}, {ODS_SELECTED, 37, 21, light}, {ODS_SELECTED, 9, 9, face},
      {ODS_SELECTED, 10, 10, kBlack}, {ODS_SELECTED, 11, 11, kSwatch},
      {ODS_DISABLED, 3, 3, light}, {ODS_DISABLED, 8, 8, face}, {ODS_DISABLED, 20, 12, face},
  };
  const RECT item = {0, 0, kWidth, kHeight};
  for (const auto& p : pixels) {
    DrawColorButton(dc.get(), item, p.state, kSwatch);
    EXPECT_EQ(GetPixel(dc.get(), p.x, p.y), p.expected) << p.state << " at " << p.x << "," << p.y;
  }
  // Focused: a dotted mark between the bevel and the swatch.
  DrawColorButton(dc.get(), item, ODS_FOCUS, kSwatch);
  int marked = 0;
  for (int x = 6; x < kWidth - 6; ++x) marked += GetPixel(dc.get(), x, 6) != face;
  EXPECT_GT(marked, 0);
}

}  // namespace
