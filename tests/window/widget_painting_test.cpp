// What each widget routine puts into the back buffer and frameImage, on a
// generated skin whose pictures have known colours.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "common/fixed_text.h"
#include "images/picture_test_util.h"
#include "window/painting_skin.h"

namespace {

bool Inside(const RECT& r, int x, int y) {
  return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

COLORREF Max(COLORREF a, COLORREF b) {
  return RGB(std::max(GetRValue(a), GetRValue(b)), std::max(GetGValue(a), GetGValue(b)),
             std::max(GetBValue(a), GetBValue(b)));
}

COLORREF Halved(COLORREF c) { return RGB(GetRValue(c) >> 1, GetGValue(c) >> 1, GetBValue(c) >> 1); }

class WidgetPainting : public ::testing::Test {
 protected:
  void Create(const SkinOptions& options = {}) {
    ASSERT_TRUE(CreateTestSkinWindow(window, WritePaintingSkin(folder, options)))
        << window.status << " " << window.errorText;
  }

  // Every pixel of `area` shows expected(x, y) in the back buffer and in frameImage.
  template <typename Expected>
  void ExpectArea(const RECT& area, Expected expected, const char* what) {
    BufferSnapshot shot(window);
    int wrong = 0;
    for (int y = area.top; y < area.bottom; ++y) {
      for (int x = area.left; x < area.right; ++x) {
        COLORREF want = expected(x, y);
        if (shot.At(x, y) != want || window.frameImage.GetPixel(x, y) != want) {
          if (++wrong <= 3) {
            ADD_FAILURE() << what << " at " << x << "," << y << ": buffer " << std::hex
                          << shot.At(x, y) << " frame " << window.frameImage.GetPixel(x, y)
                          << " expected " << want;
          }
        }
      }
    }
    EXPECT_EQ(wrong, 0) << what;
  }

  ScratchFolder folder;
  SkinWindow window;
};

// Seek pixels after ApplySkin: the non-grey column keeps the active face the
// background was drawn with; grey ones show `empty` above the position.
auto SeekLook(int position, COLORREF (*empty)(int, int)) {
  return [position, empty](int x, int y) {
    if (x == kSeekNotGreyColumn) return ActiveFace(x, y);
    return SeekLevel(x) <= position ? kPressed1 : empty(x, y);
  };
}

TEST_F(WidgetPainting, TheSeekBarFillsGreyLevelsUpToThePosition) {
  Create();
  // The window is not the active one, so the unfilled part is the inactive face.
  ExpectArea(kSeekRegion, SeekLook(0, InactiveFace), "initial fill 0: level 0 is filled");
  for (int position : {-1, 100, 255, 3}) {
    ASSERT_TRUE(window.SetSeekPosition(position));
    ExpectArea(kSeekRegion, SeekLook(position, InactiveFace),
               ("position " + std::to_string(position)).c_str());
  }
  // Around the bar nothing changed.
  RECT ring = {kSeekRegion.left - 2, kSeekRegion.top - 2, kSeekRegion.right + 2,
               kSeekRegion.bottom + 2};
  ExpectArea(ring, [](int x, int y) {
    return Inside(kSeekRegion, x, y) ? SeekLook(3, InactiveFace)(x, y) : ActiveFace(x, y);
  }, "ring");
}

TEST_F(WidgetPainting, TimeGlyphsAreLightenedOntoTheFaceAtTheirPositions) {
  Create();
  ExpectArea(kTimeWindow, InactiveFace, "no time yet");
  struct Case {
    int first, second, separator;
    int cells[5];  // -1: background
  } cases[] = {
      {5, 7, 1, {0, 5, 10, 0, 7}},
      {5, 7, 0, {0, 5, 11, 0, 7}},
      {123, 4, 1, {2, 3, 10, 0, 4}},
      {1, -7, 0, {0, 1, 11, 0, 7}},
      {-1, 0, 1, {-1, -1, -1, -1, -1}},  // nothing but the face
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(window.SetTime(c.first, c.second, c.separator));
    ExpectArea(kTimeWindow, [&c](int x, int y) {
      int offset = x - kTimeWindow.left;
      int position = offset / (kGlyphWidth + kGlyphSpacing);
      int column = offset % (kGlyphWidth + kGlyphSpacing);
      COLORREF face = InactiveFace(x, y);
      // The glyph's first column is black and the spacing column is not glyph.
      if (position >= 5 || column == 0 || column >= kGlyphWidth || c.cells[position] < 0) {
        return face;
      }
      return Max(face, GlyphColour(c.cells[position]));
    }, ("time " + std::to_string(c.first) + ":" + std::to_string(c.second)).c_str());
  }
}

TEST_F(WidgetPainting, AnElevenCellFontHasNoSeparatorOffLookAndAnOpaqueFontHidesTheFace) {
  SkinOptions options;
  options.timeFontCells = 11;
  options.timeFontTransparent = 0;
  Create(options);
  ASSERT_TRUE(window.SetTime(5, 7, 0));
  const int pitch = kGlyphWidth + kGlyphSpacing;
  ExpectArea(kTimeWindow, [pitch](int x, int y) {
    int position = (x - kTimeWindow.left) / pitch;
    int column = (x - kTimeWindow.left) % pitch;
    const int cells[5] = {0, 5, -1, 0, 7};
    if (position >= 5 || column >= kGlyphWidth || cells[position] < 0) return InactiveFace(x, y);
    return column == 0 ? RGB(0, 0, 0) : GlyphColour(cells[position]);
  }, "opaque 05 07, no separator");
}

TEST_F(WidgetPainting, ButtonFacesFollowTheirPressStyle) {
  Create();
  auto face = [](int x, int y) { return ActiveFace(x, y); };
  // DARKEN halves the active face; BMP1 and BMP3 copy their pictures.
  ASSERT_TRUE(window.PaintButton(CloseButton, 0, true));
  ExpectArea(kCloseRect, [](int x, int y) { return Halved(ActiveFace(x, y)); }, "darkened");
  ASSERT_TRUE(window.PaintButton(MinimizeButton, 0, true));
  ExpectArea(kMinimizeRect, [](int, int) { return kPressed1; }, "BMP1");
  ASSERT_TRUE(window.PaintButton(PlayButton, 0, true));
  ExpectArea(kPlayRect, [](int, int) { return kPressed3; }, "BMP3");
  ASSERT_TRUE(window.PaintButton(CloseButton, 0, false));
  ExpectArea(kCloseRect, face, "released");

  // No style, a missing pressed picture or a missing placement: no change.
  ASSERT_TRUE(window.PaintButton(StopButton, 0, true));
  ASSERT_TRUE(window.PaintButton(AboutButton, 0, true));
  ASSERT_TRUE(window.PaintButton(PlayButton, 1, true));
  ASSERT_TRUE(window.PaintButton(RewindButton, 0, true));
  ASSERT_TRUE(window.PaintButton(kButtonCount, 0, true));
  ExpectArea(kStopRect, face, "style 0");
  ExpectArea(kAboutRect, face, "BMP2 without its picture");
}

TEST_F(WidgetPainting, VolumeFramesFollowThePositionAndABarDrawsNothing) {
  Create();
  ExpectArea(kVolumeButton, [](int, int) { return VolumeFrameColour(0); }, "initial");
  // Ten frames: position p shows frame p * 10 / 256.
  const struct { int position, frame; } volumes[] = {{0, 0}, {25, 0}, {26, 1}, {128, 5}, {255, 9}};
  for (const auto& v : volumes) {
    ASSERT_TRUE(window.SetVolumePosition(v.position));
    ExpectArea(kVolumeButton, [&v](int, int) { return VolumeFrameColour(v.frame); },
               ("volume " + std::to_string(v.position)).c_str());
  }

  // No frame count (0, or the key missing): position x 0 / 256 is frame 0,
  // which must show rather than nothing.
  SkinWindow uncounted;
  SkinOptions noCount;
  noCount.extraLines = "VolumeControlImageNb 0\r\n";
  ScratchFolder noCountFolder;
  ASSERT_TRUE(CreateTestSkinWindow(uncounted, WritePaintingSkin(noCountFolder, noCount)));
  ASSERT_TRUE(uncounted.SetVolumePosition(200));
  BufferSnapshot frameZero(uncounted);
  EXPECT_EQ(frameZero.At(kVolumeButton.left, kVolumeButton.top), VolumeFrameColour(0));

  SkinWindow bar;
  SkinOptions options;
  options.volumeType = "BAR";
  ScratchFolder barFolder;
  ASSERT_TRUE(CreateTestSkinWindow(bar, WritePaintingSkin(barFolder, options)));
  ASSERT_TRUE(bar.SetVolumePosition(200));
  BufferSnapshot shot(bar);
  EXPECT_EQ(shot.At(kVolumeButton.left, kVolumeButton.top),
            ActiveFace(kVolumeButton.left, kVolumeButton.top));
  EXPECT_EQ(shot.At(kVolumeButton.right - 1, kVolumeButton.bottom - 1),
            ActiveFace(kVolumeButton.right - 1, kVolumeButton.bottom - 1));
}

TEST_F(WidgetPainting, DeactivationShowsTheInactiveFaceButLaterButtonFacesTheActiveOne) {
  Create();
  ASSERT_TRUE(window.SetSeekPosition(100));
  SendMessageA(window.hwnd, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), 0);
  ExpectArea(kSeekRegion, SeekLook(100, ActiveFace), "seek bar, active");
  ExpectArea(kTimeWindow, ActiveFace, "time window, active");

  // The frame repaint is skipped, not the answer: false would refuse the deactivation.
  EXPECT_TRUE(SendMessageA(window.hwnd, WM_NCACTIVATE, FALSE, 0));
  SendMessageA(window.hwnd, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), 0);
  ExpectArea(kSeekRegion, [](int x, int y) {
    return x == kSeekNotGreyColumn ? InactiveFace(x, y) : SeekLook(100, InactiveFace)(x, y);
  }, "seek bar, inactive");
  ExpectArea(kTimeWindow, InactiveFace, "time window, inactive");
  ExpectArea(RECT{0, 50, 90, kSkinHeight}, InactiveFace, "plain face");
  // The repeat button was repainted from the active face.
  for (const RECT& r : kRepeatRects) ExpectArea(r, ActiveFace, "repeat button, off");
  ASSERT_TRUE(window.PaintButton(CloseButton, 0, false));
  ExpectArea(kCloseRect, ActiveFace, "a button face drawn later");
  ExpectArea(kMinimizeRect, InactiveFace, "a button face not drawn since");
}

TEST_F(WidgetPainting, RepeatOnShowsPressedAfterEveryFullRepaint) {
  Create();
  ASSERT_TRUE(window.SetToggleState(RepeatButton, 1));
  for (const RECT& r : kRepeatRects) ExpectArea(r, [](int, int) { return kPressed1; }, "on");
  SendMessageA(window.hwnd, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), 0);
  for (const RECT& r : kRepeatRects) {
    ExpectArea(r, [](int, int) { return kPressed1; }, "on, deactivated");
  }
  // A press-and-release draws "not pressed", which for an on toggle is still pressed.
  ASSERT_TRUE(window.PaintButton(RepeatButton, 1, false));
  ExpectArea(kRepeatRects[1], [](int, int) { return kPressed1; }, "on, released");
  ASSERT_TRUE(window.ChangeSkin(nullptr, folder.File("paint.rc").c_str()));
  for (const RECT& r : kRepeatRects) {
    ExpectArea(r, [](int, int) { return kPressed1; }, "on, after a skin change");
  }
  ASSERT_TRUE(window.SetToggleState(RepeatButton, 0));
  for (const RECT& r : kRepeatRects) ExpectArea(r, ActiveFace, "off");
}

TEST_F(WidgetPainting, WithoutADrawingPassNothingChanges) {
  Create();
  ASSERT_NE(window.BeginDraw(), nullptr);  // passes never nest
  EXPECT_FALSE(window.SetTime(5, 7, 1));
  EXPECT_FALSE(window.SetSeekPosition(255));
  EXPECT_FALSE(window.PaintButton(MinimizeButton, 0, true));
  EXPECT_FALSE(window.SetTextFont(GothicFont(1), kTextFontAll));
  window.EndDraw();
  ExpectArea(kTimeWindow, InactiveFace, "time window");
  ExpectArea(kMinimizeRect, ActiveFace, "button");
  ExpectArea(kSeekRegion, SeekLook(0, InactiveFace), "seek bar");
}

// Placements that reach past the window and pictures smaller than it.
TEST_F(WidgetPainting, AreasOutsideThePicturesAreSkipped) {
  // Quarter-size pressed and inactive pictures; glyphs, volume frame and
  // rectangles running off the window.
  ASSERT_TRUE(WriteSolidPicture(folder.File("small.bmp"), 20, 12, kPressed3));
  SkinOptions options;
  options.extraLines =
      "BackgroundImagePressed1 small.bmp\r\n"
      "BackgroundImageInactive small.bmp\r\n"
      "SeekRegion -5 36 200 50\r\n"
      "MP3TimeWindow 90 -3 140 5\r\n"
      "TimeFontSpacing 2000000000\r\n"
      "VolumeControlButton 115 60 123 70\r\n"
      "VolumeControlImageXSize 2147483647\r\n"
      "FilenameWindow -10 24 300 35\r\n"
      "EqualizerButton -20 -20 10 5 eq BMP1\r\n"
      "EqualizerOnButton 110 56 400 400 on DARKEN\r\n";
  Create(options);
  ASSERT_EQ(window.pressedPicture[0].Width(), 20);
  ASSERT_EQ(window.inactivePicture.Width(), 20);
  // Any read or write past a picture's memory faults.
  GuardedPicture guards[] = {
      GuardedPicture(window.backgroundPicture), GuardedPicture(window.inactivePicture),
      GuardedPicture(window.pressedPicture[0]), GuardedPicture(window.timeFontPicture),
      GuardedPicture(window.volumePicture),     GuardedPicture(window.seekPicture),
      GuardedPicture(window.scratchImage),      GuardedPicture(window.frameImage)};
  (void)guards;

  TextFont font = {};
  CopyText(font.faceName, "Tahoma");
  font.textColour = RGB(255, 255, 0);
  font.shadowOn = 1;
  ASSERT_TRUE(window.SetTextFont(font, kTextFontAll));
  ASSERT_TRUE(window.SetText("a long enough line of text to run past the right edge"));
  ASSERT_TRUE(window.SetTime(12, 34, 1));
  ASSERT_TRUE(window.SetVolumePosition(255));
  ASSERT_TRUE(window.SetSeekPosition(255));
  ASSERT_TRUE(window.PaintButton(EqualizerButton, 0, true));
  ASSERT_TRUE(window.PaintButton(EqualizerOnButton, 0, true));

  // The pressed picture covers (0, 0)-(20, 12) only: the BMP1 button shows it,
  // while the seek bar, wholly below it, keeps the face.
  ExpectArea(RECT{0, 0, 10, 5}, [](int, int) { return kPressed3; }, "pressed part");
  ExpectArea(RECT{0, 36, 120, 50}, ActiveFace, "seek bar beyond the pressed picture");
  // The first glyph (1) shows; the inactive face does not reach it, so it
  // lies on what the window showed. The second is two billion pixels away.
  ExpectArea(RECT{90, 0, 120, 5}, [](int x, int y) {
    return x > 90 && x < 96 ? Max(ActiveFace(x, y), GlyphColour(1)) : ActiveFace(x, y);
  }, "time glyphs");
  // The volume strip's frame lies past the strip: the area keeps its look,
  // here the darkened button face drawn over it.
  ExpectArea(RECT{110, 56, kSkinWidth, kSkinHeight},
             [](int x, int y) { return Halved(ActiveFace(x, y)); }, "darkened to the corner");

  SendMessageA(window.hwnd, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), 0);
  ExpectArea(RECT{0, 0, 20, 12}, [](int, int) { return kPressed3; }, "small inactive face");
  ExpectArea(RECT{20, 0, 90, 12}, ActiveFace, "beyond the inactive face");
  ExpectArea(RECT{0, 12, 120, 24}, ActiveFace, "below the inactive face");
}

}  // namespace
