// The default skin shipped beside the program: its resource file loads, and
// its pictures fit what the painting and the hit testing read from them.
#include "skin/skin_model.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "skin/image_buffer.h"
#include "support/test_support.h"

namespace {

const char kSkinFolder[] = "skins/default/";

// One of the skin's pictures, read with the program's own BMP reader.
class BmpFile {
 public:
  bool Load(const std::string& path) { return image_.LoadBmp(path.c_str()) == ImageOk; }
  int width() const { return image_.Width(); }
  int height() const { return image_.Height(); }
  COLORREF Pixel(int x, int y) const { return image_.GetPixel(x, y); }

 private:
  ImageBuffer image_;
};

bool IsGrey(COLORREF c) { return GetRValue(c) == GetGValue(c) && GetGValue(c) == GetBValue(c); }

bool Inside(const RECT& r, int x, int y) {
  return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

class DefaultSkin : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(model_.LoadResourceFile(SourcePath(std::string(kSkinFolder) + "ZantoPlay1.rc").c_str()));
    ASSERT_EQ(model_.status, ParseOk);
    ASSERT_TRUE(Load(model_.backgroundImageFile, &background_));
  }

  bool Load(const char* name, BmpFile* out) {
    return name[0] != '\0' && out->Load(SourcePath(std::string(kSkinFolder) + name));
  }

  // Every row of a grey map inside `area` rises strictly from left to right,
  // and no grey pixel lies outside `area`. Returns the lowest and highest level.
  void ExpectGreyMap(const BmpFile& map, const RECT& area, int* lowest, int* highest) {
    ASSERT_EQ(map.width(), background_.width());
    ASSERT_EQ(map.height(), background_.height());
    *lowest = 256;
    *highest = -1;
    for (int y = 0; y < map.height(); ++y) {
      int previous = -1;
      for (int x = 0; x < map.width(); ++x) {
        const COLORREF c = map.Pixel(x, y);
        if (!IsGrey(c)) continue;
        ASSERT_TRUE(Inside(area, x, y)) << "grey pixel outside the control at " << x << "," << y;
        const int level = GetRValue(c);
        ASSERT_GT(level, previous) << "levels do not rise at " << x << "," << y;
        previous = level;
        if (level < *lowest) *lowest = level;
        if (level > *highest) *highest = level;
      }
    }
  }

  SkinModel model_;
  BmpFile background_;
};

TEST_F(DefaultSkin, EveryNamedPictureLoadsAtTheSizeItIsReadAt) {
  EXPECT_GE(background_.width(), 300);
  EXPECT_GE(background_.height(), 100);
  // Read at window coordinates, so they must match the background.
  const char* const sameSize[] = {model_.backgroundImageInactiveFile, model_.backgroundImagePressedFile[0],
                                   model_.backgroundImagePressedFile[1], model_.seekImageFile,
                                   model_.volumeControlImagePositionFile};
  for (const char* name : sameSize) {
    BmpFile picture;
    ASSERT_TRUE(Load(name, &picture)) << name;
    EXPECT_EQ(picture.width(), background_.width()) << name;
    EXPECT_EQ(picture.height(), background_.height()) << name;
  }
  EXPECT_EQ(model_.backgroundImagePressedFile[2][0], '\0');

  BmpFile font;
  ASSERT_TRUE(Load(model_.timeFontImageFile, &font));
  EXPECT_EQ(font.width(), 12 * model_.timeFontWidth);
  EXPECT_EQ(font.height(), model_.timeFontHeight);

  ASSERT_EQ(model_.volumeControlType, VolumeControlBmp);
  BmpFile strip;
  ASSERT_TRUE(Load(model_.volumeControlImageFile, &strip));
  const RECT& v = model_.volumeControlButton;
  EXPECT_EQ(model_.volumeControlImageXSize, v.right - v.left);
  EXPECT_EQ(strip.width(), model_.volumeControlImageNb * model_.volumeControlImageXSize);
  EXPECT_EQ(strip.height(), v.bottom - v.top);
}

TEST_F(DefaultSkin, InactiveFaceHasTheSameShape) {
  BmpFile inactive;
  ASSERT_TRUE(Load(model_.backgroundImageInactiveFile, &inactive));
  int transparent = 0;
  for (int y = 0; y < background_.height(); ++y) {
    for (int x = 0; x < background_.width(); ++x) {
      const bool clear = background_.Pixel(x, y) == kMagenta;
      transparent += clear;
      ASSERT_EQ(inactive.Pixel(x, y) == kMagenta, clear) << x << "," << y;
    }
  }
  // The window is shaped: some pixels are cut away, most are not.
  EXPECT_GT(transparent, 0);
  EXPECT_LT(transparent, background_.width() * background_.height() / 4);
}

TEST_F(DefaultSkin, ButtonsSitOnTheFaceWithTooltipsAndAVisiblePressedLook) {
  BmpFile pressed[2];
  ASSERT_TRUE(Load(model_.backgroundImagePressedFile[0], &pressed[0]));
  ASSERT_TRUE(Load(model_.backgroundImagePressedFile[1], &pressed[1]));
  const ButtonIndex used[] = {CloseButton, MinimizeButton, AboutButton, OpenFileButton,
                              StopButton, PlayButton, PreviousSongButton, NextSongButton,
                              PauseButton, PreferencesButton, RepeatButton};
  for (ButtonIndex b : used) EXPECT_GE(model_.buttons[b].count, 1) << kButtonKeys[b];

  bool styles[5] = {};
  for (int b = 0; b < kButtonCount; ++b) {
    for (int j = 0; j < model_.buttons[b].count; ++j) {
      const ButtonSpec& spec = model_.buttons[b][j];
      const RECT& r = spec.rect;
      SCOPED_TRACE(kButtonKeys[b]);
      EXPECT_GT(std::strlen(spec.toolTip), 0u);
      ASSERT_TRUE(r.left >= 0 && r.top >= 0 && r.left < r.right && r.top < r.bottom &&
                  r.right <= background_.width() && r.bottom <= background_.height());
      styles[spec.pressStyle] = true;
      bool changes = spec.pressStyle == PressStyleDarken;
      for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left; x < r.right; ++x) {
          ASSERT_NE(background_.Pixel(x, y), kMagenta) << x << "," << y;
          if (spec.pressStyle >= PressStyleBmp1 &&
              pressed[spec.pressStyle - PressStyleBmp1].Pixel(x, y) != background_.Pixel(x, y)) {
            changes = true;
          }
        }
      }
      EXPECT_NE(spec.pressStyle, PressStyleNone);
      EXPECT_NE(spec.pressStyle, PressStyleBmp3);
      EXPECT_TRUE(changes) << "pressing shows nothing";
    }
  }
  EXPECT_TRUE(styles[PressStyleDarken] && styles[PressStyleBmp1] && styles[PressStyleBmp2]);
}

TEST_F(DefaultSkin, WidgetAreasLieOnTheOpaqueFace) {
  const RECT areas[] = {model_.seekRegion, model_.volumeControlButton, model_.mp3TimeWindow,
                        model_.filenameWindow};
  for (const RECT& r : areas) {
    ASSERT_TRUE(r.left >= 0 && r.left < r.right && r.right <= background_.width() && r.top >= 0 &&
                r.top < r.bottom && r.bottom <= background_.height());
    for (int y = r.top; y < r.bottom; ++y) {
      for (int x = r.left; x < r.right; ++x) ASSERT_NE(background_.Pixel(x, y), kMagenta);
    }
  }
  // Five glyph positions: tens, units, separator, tens, units.
  const RECT& t = model_.mp3TimeWindow;
  EXPECT_EQ(t.right - t.left, 5 * model_.timeFontWidth + 4 * model_.timeFontSpacing);
  EXPECT_EQ(t.bottom - t.top, model_.timeFontHeight);
  EXPECT_EQ(model_.timeFontTransparent, 1);
  // The title's font is one pixel less than the window is high.
  EXPECT_GE(model_.filenameWindow.bottom - model_.filenameWindow.top, 13);
  EXPECT_GT(model_.osuwariBaseLine, 0);
  EXPECT_LT(model_.osuwariBaseLine, background_.height());
  EXPECT_NE(model_.aboutText[0], '\0');
  // A lamp's off frame is the face (or the lamp would change at the first
  // repaint), and its on frame shows something.
  for (int lamp = 0; lamp < kLampCount; ++lamp) {
    const RECT& r = model_.lamps[lamp].rect;
    BmpFile strip;
    ASSERT_TRUE(Load(model_.lampImageFile[lamp], &strip)) << kLampKeys[lamp];
    bool lights = false;
    for (int y = r.top; y < r.bottom; ++y) {
      for (int x = r.left; x < r.right; ++x) {
        ASSERT_EQ(strip.Pixel(x - r.left, y - r.top), background_.Pixel(x, y)) << kLampKeys[lamp];
        lights = lights || strip.Pixel(x - 2 * r.left + r.right, y - r.top) != background_.Pixel(x, y);
      }
    }
    EXPECT_TRUE(lights) << kLampKeys[lamp];
  }
}

TEST_F(DefaultSkin, SeekMapRunsTheWholeScaleAlongTheBar) {
  BmpFile map;
  ASSERT_TRUE(Load(model_.seekImageFile, &map));
  int lowest = 0, highest = 0;
  ExpectGreyMap(map, model_.seekRegion, &lowest, &highest);
  // Position -1 leaves the bar empty, 255 fills it, 0 already shows a little.
  EXPECT_EQ(lowest, 0);
  EXPECT_EQ(highest, 255);

  // The filled look differs from the empty one where the map is grey.
  BmpFile filled;
  ASSERT_TRUE(Load(model_.backgroundImagePressedFile[0], &filled));
  int differing = 0;
  const RECT& s = model_.seekRegion;
  for (int y = s.top; y < s.bottom; ++y) {
    for (int x = s.left; x < s.right; ++x) {
      if (IsGrey(map.Pixel(x, y)) && filled.Pixel(x, y) != background_.Pixel(x, y)) ++differing;
    }
  }
  EXPECT_GT(differing, (s.right - s.left) * 2);
}

TEST_F(DefaultSkin, VolumeMapCoversItsRectangleFromSilentToLoudest) {
  BmpFile map;
  ASSERT_TRUE(Load(model_.volumeControlImagePositionFile, &map));
  const RECT& v = model_.volumeControlButton;
  int lowest = 0, highest = 0;
  ExpectGreyMap(map, v, &lowest, &highest);
  // The whole rectangle answers a press, and the ends reach the first and last frame.
  for (int y = v.top; y < v.bottom; ++y) {
    for (int x = v.left; x < v.right; ++x) {
      ASSERT_TRUE(IsGrey(map.Pixel(x, y))) << x << "," << y;
      ASSERT_EQ(map.Pixel(x, y), map.Pixel(x, v.top));
    }
  }
  const int nb = model_.volumeControlImageNb;
  EXPECT_EQ(lowest * nb / 256, 0);
  EXPECT_EQ(highest * nb / 256, nb - 1);
}

TEST_F(DefaultSkin, TimeFontIsBrightGlyphsOnBlack) {
  BmpFile font;
  ASSERT_TRUE(Load(model_.timeFontImageFile, &font));
  const int w = model_.timeFontWidth, h = model_.timeFontHeight;
  for (int cell = 0; cell < 12; ++cell) {
    SCOPED_TRACE(cell);
    // Corners stay black so the lighten blend shows the panel there.
    EXPECT_EQ(font.Pixel(cell * w, 0), RGB(0, 0, 0));
    EXPECT_EQ(font.Pixel(cell * w + w - 1, h - 1), RGB(0, 0, 0));
    int brightest = 0;
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        const COLORREF c = font.Pixel(cell * w + x, y);
        const int sum = GetRValue(c) + GetGValue(c) + GetBValue(c);
        if (sum > brightest) brightest = sum;
      }
    }
    // Lit glyphs are bright; the separator's off look is only a ghost.
    if (cell == 11) {
      EXPECT_LT(brightest, 200);
    } else {
      EXPECT_GT(brightest, 500);
    }
  }
}

}  // namespace
