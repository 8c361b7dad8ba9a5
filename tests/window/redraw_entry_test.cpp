// The redraw entry points: what each stores, what it invalidates, and the
// text window's drawing.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/fixed_text.h"
#include "window/painting_skin.h"

namespace {

// Text and shadow pixels, told apart from the test faces by their channels
// whatever the edge smoothing.
bool IsText(COLORREF c) { return GetRValue(c) > 200 && GetGValue(c) > 200 && GetBValue(c) < 60; }
bool IsShadow(COLORREF c) { return GetRValue(c) < 60 && GetGValue(c) < 60 && GetBValue(c) > 200; }

struct Ink {
  int text = 0, shadow = 0;
  int firstTextRow = -1, firstShadowRow = -1;
};

Ink InkIn(const SkinWindow& window, const RECT& area) {
  BufferSnapshot shot(window);
  Ink ink;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      COLORREF c = shot.At(x, y);
      if (IsText(c)) {
        ++ink.text;
        if (ink.firstTextRow < 0) ink.firstTextRow = y;
      }
      if (IsShadow(c)) {
        ++ink.shadow;
        if (ink.firstShadowRow < 0) ink.firstShadowRow = y;
      }
    }
  }
  return ink;
}

// frameImage never holds text: it shows the face all over the text window.
void ExpectFrameIsFace(const SkinWindow& window, const RECT& area) {
  int differing = 0;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      differing += window.frameImage.GetPixel(x, y) != ActiveFace(x, y);
    }
  }
  EXPECT_EQ(differing, 0);
}

class RedrawEntry : public ::testing::Test {
 protected:
  void Create(const SkinOptions& options = {}) {
    ASSERT_TRUE(CreateTestSkinWindow(window, WritePaintingSkin(folder, options)))
        << window.status << " " << window.errorText;
  }
  ScratchFolder folder;
  SkinWindow window;
};

TEST_F(RedrawEntry, EachChangeInvalidatesOnlyItsWidget) {
  Create();
  ShowWithoutActivation(window);
  HWND hwnd = window.hwnd;
  auto expectInvalidated = [hwnd](const std::vector<RECT>& areas, const char* what) {
    EXPECT_TRUE(UpdateRegionEquals(hwnd, areas)) << what;
    ClearUpdateRegion(hwnd);
  };
  ASSERT_TRUE(window.SetTime(1, 2, 1));
  expectInvalidated({kTimeWindow}, "SetTime");
  ASSERT_TRUE(window.SetTextFont(GothicFont(1), kTextFontAll));
  expectInvalidated({kTextWindow}, "SetTextFont");
  ASSERT_TRUE(window.SetText("abc"));
  expectInvalidated({kTextWindow}, "SetText");
  ASSERT_TRUE(window.SetVolumePosition(100));
  expectInvalidated({kVolumeButton}, "SetVolumePosition");
  ASSERT_TRUE(window.SetSeekPosition(50));
  expectInvalidated({kSeekRegion, kTextWindow}, "SetSeekPosition");
  ASSERT_TRUE(window.SetSeekPosition(50));
  expectInvalidated({}, "SetSeekPosition with the shown value");
  ASSERT_TRUE(window.SetToggleState(RepeatButton, 1));
  expectInvalidated({kRepeatRects[0], kRepeatRects[1]}, "SetToggleState");
  ASSERT_TRUE(window.SetToggleState(PlayButton, 0));
  expectInvalidated({}, "SetToggleState of a button that is no toggle");
  EXPECT_EQ(window.repeatOn, 1);
  ASSERT_TRUE(window.PaintButton(CloseButton, 0, true));
  expectInvalidated({kCloseRect}, "PaintButton");
  SendMessageA(hwnd, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), 0);
  expectInvalidated({RECT{0, 0, kSkinWidth, kSkinHeight}}, "deactivation");
}

TEST_F(RedrawEntry, StoredTextsAreCutToTheirArrays) {
  Create();
  std::string longText(400, 't');
  ASSERT_TRUE(window.SetText(longText.c_str()));
  EXPECT_EQ(std::string(window.text), longText.substr(0, 259));
  ASSERT_TRUE(window.SetText(nullptr));
  EXPECT_EQ(std::string(window.text), "");

  // A face name as long as the whole record's array, without terminator.
  TextFont font = GothicFont(1);
  std::string longFace(kFaceNameSize, 'f');
  std::copy(longFace.begin(), longFace.end(), font.faceName);
  font.fontStyle = kFontBold | kFontItalic;
  ASSERT_TRUE(window.SetTextFont(font, kTextFontFace));
  EXPECT_EQ(std::string(window.textFont.faceName), longFace.substr(0, 31));
  EXPECT_EQ(window.textFont.fontStyle, 0);  // not selected by the mask
  EXPECT_EQ(window.textFont.textColour, 0u);

  ASSERT_TRUE(window.SetTextFont(font, kTextFontStyle | kTextFontShadow));
  EXPECT_EQ(window.textFont.fontStyle, kFontBold | kFontItalic);
  EXPECT_EQ(window.textFont.shadowColour, kBlueShadow);
  EXPECT_EQ(window.textFont.shadowOn, 1);
  EXPECT_EQ(window.textFont.textColour, 0u);
  ASSERT_TRUE(window.SetTextFont(font, kTextFontColour));
  EXPECT_EQ(window.textFont.textColour, kYellowText);
}

TEST_F(RedrawEntry, TextIsDrawnWithItsShadowOnlyIntoTheBackBuffer) {
  Create();
  // Until a face is set the text window draws nothing.
  ASSERT_TRUE(window.SetText(kBlackSquare));
  Ink none = InkIn(window, kTextWindow);
  EXPECT_EQ(none.text + none.shadow, 0);

  ASSERT_TRUE(window.SetTextFont(GothicFont(1), kTextFontAll));
  Ink shadowed = InkIn(window, kTextWindow);
  EXPECT_GT(shadowed.text, 40);
  EXPECT_GT(shadowed.shadow, 5);
  EXPECT_GT(shadowed.firstShadowRow, shadowed.firstTextRow);  // one pixel lower
  ExpectFrameIsFace(window, kTextWindow);

  ASSERT_TRUE(window.SetTextFont(GothicFont(0), kTextFontAll));
  Ink plain = InkIn(window, kTextWindow);
  EXPECT_EQ(plain.shadow, 0);  // the shadow of the previous drawing is gone
  EXPECT_GT(plain.text, 40);
}

TEST_F(RedrawEntry, EachTextReplacesThePreviousOne) {
  Create();
  ASSERT_TRUE(window.SetTextFont(GothicFont(1), kTextFontAll));
  std::string squares;
  for (int i = 0; i < 5; ++i) squares += kBlackSquare;
  ASSERT_TRUE(window.SetText(squares.c_str()));
  RECT right = kTextWindow;
  right.left += 30;  // past the first square
  EXPECT_GT(InkIn(window, right).text, 40);
  ASSERT_TRUE(window.SetText(kBlackSquare));
  Ink after = InkIn(window, right);
  EXPECT_EQ(after.text + after.shadow, 0);
  EXPECT_GT(InkIn(window, kTextWindow).text, 40);
  ASSERT_TRUE(window.SetText(""));
  Ink empty = InkIn(window, kTextWindow);
  EXPECT_EQ(empty.text + empty.shadow, 0);
  ExpectFrameIsFace(window, kTextWindow);
}

TEST_F(RedrawEntry, TextOverTheSeekBarIsDrawnAgainAfterTheBar) {
  SkinOptions options;
  options.extraLines = "FilenameWindow 10 30 74 50\r\n";  // covers the bar
  Create(options);
  ASSERT_TRUE(window.SetTextFont(GothicFont(0), kTextFontAll));
  ASSERT_TRUE(window.SetText(kBlackSquare));
  RECT overBar = {10, 40, 30, 48};
  int before = InkIn(window, overBar).text;
  ASSERT_GT(before, 20);
  ASSERT_TRUE(window.SetSeekPosition(255));
  EXPECT_EQ(InkIn(window, overBar).text, before);
}

TEST_F(RedrawEntry, AnEmptyTextWindowDrawsNothing) {
  SkinOptions options;
  options.extraLines = "FilenameWindow 0 0 0 0\r\n";
  Create(options);
  ASSERT_TRUE(window.SetTextFont(GothicFont(1), kTextFontAll));
  ASSERT_TRUE(window.SetText(kBlackSquare));
  Ink ink = InkIn(window, RECT{0, 0, kSkinWidth, kSkinHeight});
  EXPECT_EQ(ink.text + ink.shadow, 0);
}

}  // namespace
