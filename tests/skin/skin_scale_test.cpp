// The scale rules and the picture scaling, as plain functions.
#include <gtest/gtest.h>

#include <string>

#include "skin/picture_scale.h"
#include "skin/skin_model.h"
#include "skin/skin_scale.h"
#include "support/test_support.h"

namespace {

// Catches: the ties rounded down (125 % to 100, 175 % to 150), a value
// outside the four kept, Ctrl+D from 150 or 0 going back to 100, a rectangle
// edge one pixel off the pixels its picture was scaled into, and the absent
// perch base line (-1) scaled into a real one.
TEST(SkinScaleRules, DpiRoundsTiesUpOddSettingsReadAs100AndEdgesFollowThePixels) {
  const struct {
    int dpi, percent;
  } dpis[] = {{0, 100}, {119, 100}, {120, 150}, {167, 150}, {168, 200}, {288, 200}};
  for (const auto& c : dpis) EXPECT_EQ(ScaleForDpi(c.dpi), c.percent) << c.dpi << " dpi";
  const struct {
    int setting, dpi, percent, afterCtrlD;
  } settings[] = {{100, 192, 100, 200}, {150, 96, 150, 200}, {200, 96, 200, 100}, {0, 120, 150, 200},
                  {125, 192, 100, 200}, {-1, 96, 100, 200},  {300, 96, 100, 200}};
  for (const auto& c : settings) {
    EXPECT_EQ(ResolveSkinScale(c.setting, c.dpi).percent, c.percent) << "Scale=" << c.setting;
    EXPECT_EQ(ToggledDoubleSize(c.setting), c.afterCtrlD) << "Scale=" << c.setting;
  }
  // Scaled pixel x shows skin pixel Unscaled(x); an edge at skin pixel v lies
  // at the first scaled pixel that shows v.
  const SkinScale middle{150};
  for (int x = -9; x < 30; ++x) {
    EXPECT_LE(middle.Scaled(middle.Unscaled(x)), x) << x;
    EXPECT_GT(middle.Scaled(middle.Unscaled(x) + 1), x) << x;
  }
  SkinModel model;
  ScaleSkinModel(model, SkinScale{200});
  EXPECT_EQ(model.osuwariBaseLine, -1);
}

void Picture(int width, int height, const PixelColour& colour, ImageBuffer* picture) {
  std::string bytes = BmpBytes(width, height, colour);
  ASSERT_EQ(picture->LoadBmpFromMemory(reinterpret_cast<const BYTE*>(bytes.data()), bytes.size()), ImageOk);
}

// Catches: smoothing at whole multiples or in the grey maps (levels a map
// never had), magenta blended into an edge (a pink fringe, or a shape that is
// no longer the nearest-neighbour one), and a strip's odd-width cells
// bleeding into each other or drifting from i * Scaled(width).
TEST(PictureScaling, SmoothOnlyBetweenWholeMultiplesNeverWithMagentaAndCellByCell) {
  const COLORREF black = RGB(0, 0, 0), white = RGB(255, 255, 255);
  const COLORREF columns[] = {black, kMagenta, white, black};
  ImageBuffer source, out;
  Picture(4, 2, [&](int x, int) { return columns[x]; }, &source);
  ASSERT_TRUE(ScalePicture(source, SkinScale{150}, PictureScaling::Smooth, 0, &out));
  ASSERT_EQ(out.Width(), 6);
  ASSERT_EQ(out.Height(), 3);
  // Scaled pixels 0..5 cover skin pixels 0, 0|1, 1, 2, 2|3, 3.
  const COLORREF smooth[] = {black, black, kMagenta, white, RGB(128, 128, 128), black};
  for (int x = 0; x < 6; ++x) EXPECT_EQ(out.GetPixel(x, 1), smooth[x]) << "smooth " << x;
  ASSERT_TRUE(ScalePicture(source, SkinScale{150}, PictureScaling::Nearest, 0, &out));
  EXPECT_EQ(out.GetPixel(4, 2), white);
  ASSERT_TRUE(ScalePicture(source, SkinScale{200}, PictureScaling::Smooth, 0, &out));
  for (int x = 0; x < 8; ++x) EXPECT_EQ(out.GetPixel(x, 3), columns[x / 2]) << "double " << x;

  // Three one-colour cells of 3 and a part cell of 1: at 150 %, cells of 5 and 2.
  const COLORREF cells[] = {RGB(10, 10, 10), RGB(90, 90, 90), RGB(200, 200, 200), RGB(250, 0, 0)};
  ImageBuffer strip;
  Picture(10, 1, [&](int x, int) { return cells[x / 3]; }, &strip);
  ASSERT_TRUE(ScalePicture(strip, SkinScale{150}, PictureScaling::Smooth, 3, &out));
  ASSERT_EQ(out.Width(), 17);
  for (int x = 0; x < 17; ++x) EXPECT_EQ(out.GetPixel(x, 0), cells[x / 5]) << "cell column " << x;
  EXPECT_FALSE(ScalePicture(ImageBuffer(), SkinScale{200}, PictureScaling::Smooth, 0, &out));
  EXPECT_EQ(out.Width(), 17) << "a failed scaling leaves the picture";
}

}  // namespace
