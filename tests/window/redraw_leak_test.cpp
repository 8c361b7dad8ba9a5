// Five hundred calls of every redraw entry point leave no GDI or USER object
// behind. A program of its own: it runs for tens of seconds under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include "common/handles.h"
#include "window/gui_objects.h"
#include "window/painting_skin.h"

namespace {

TEST(RedrawLeak, HundredsOfRedrawsLeakNoGdiOrUserObjects) {
  ScratchFolder folder;
  SkinWindow window;
  ASSERT_TRUE(CreateTestSkinWindow(window, WritePaintingSkin(folder)));
  TextFont fonts[2] = {GothicFont(1), GothicFont(0)};
  fonts[1].fontStyle = kFontBold | kFontItalic | kFontUnderline;
  // One round of every entry point first, so lazily made objects exist.
  window.SetTextFont(fonts[0], kTextFontAll);
  window.SetText("warm-up");
  DWORD gdiBefore = GdiObjectCount();
  DWORD userBefore = UserObjectCount();
  {
    // The counter sees a leaked object.
    unique_hbrush probe(CreateSolidBrush(RGB(1, 2, 3)));
    ASSERT_EQ(GdiObjectCount(), gdiBefore + 1);
  }
  // Hundreds of calls are enough for a leak per call to show in the counts.
  const int calls = 500;
  bool allDrawn = true;
  for (int i = 0; i < calls; ++i) allDrawn &= window.SetTime(i / 60, i % 60, i & 1);
  for (int i = 0; i < calls; ++i) allDrawn &= window.SetText(i & 1 ? kBlackSquare : "3. track");
  for (int i = 0; i < calls; ++i) allDrawn &= window.SetTextFont(fonts[i & 1], kTextFontAll);
  for (int i = 0; i < calls; ++i) allDrawn &= window.SetVolumePosition(i % 256);
  for (int i = 0; i < calls; ++i) allDrawn &= window.SetSeekPosition(i % 257 - 1);
  for (int i = 0; i < calls; ++i) allDrawn &= window.SetToggleState(RepeatButton, i & 1);
  EXPECT_TRUE(allDrawn);
  EXPECT_EQ(GdiObjectCount(), gdiBefore);
  EXPECT_EQ(UserObjectCount(), userBefore);
  EXPECT_FALSE(window.drawDC);  // no pass left open
}

}  // namespace
