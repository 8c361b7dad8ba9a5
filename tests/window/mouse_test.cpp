#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "window/skin_window_fixture.h"

namespace {

// A skin window that records every event slot fired, in order.
class RecordingWindow : public SkinWindow {
 public:
  void OnVolumeControl(int position) override {
    // The control is redrawn before the slot runs.
    Record("volume " + std::to_string(position) + " shown " + std::to_string(volumePosition));
  }
  void OnSeekRegion(int position) override { Record("seek " + std::to_string(position)); }
  void OnCloseButton() override { Slot(4); }
  void OnMinimizeButton() override { Slot(5); }
  void OnAboutButton() override { Slot(6); }
  void OnOpenFileButton() override { Slot(7); }
  void OnStopButton() override { Slot(8); }
  void OnPlayButton() override { Slot(9); }
  void OnRewindButton() override { Slot(10); }
  void OnForwardButton() override { Slot(11); }
  void OnPreviousSongButton() override { Slot(12); }
  void OnNextSongButton() override { Slot(13); }
  void OnPauseButton() override { Slot(14); }
  void OnPreferencesButton() override { Slot(15); }
  void OnEqualizerButton() override { Slot(16); }
  void OnEqualizerResetButton() override { Slot(17); }
  void OnEqualizerOnButton() override { Slot(18); }
  void OnEqualizerOffButton() override { Slot(19); }
  void OnRepeatButton() override { Record("slot 20 repeat " + std::to_string(repeatOn)); }

  std::vector<std::string> TakeEvents() {
    std::vector<std::string> taken;
    taken.swap(events);
    return taken;
  }

 private:
  void Slot(int slot) { Record("slot " + std::to_string(slot)); }
  void Record(const std::string& event) { events.push_back(event); }

  std::vector<std::string> events;
};

using Events = std::vector<std::string>;

// Map colours: a grey level, or a colour that is no level.
COLORREF Grey(int level) { return RGB(level, level, level); }
const COLORREF kNoLevel = RGB(255, 0, 0);

// 120 x 80: three buttons on top; below them the volume control (grey level
// = x, also on rows 60..64 below its rectangle, with a hole over a button)
// and the seek bar (level (x - 70) * 6, with a non-grey strip at its right end).
class Mouse : public SkinWindowTest {
 protected:
  void SetUp() override {
    WritePicture("volume_map.bmp", 120, 80, [](int x, int y) {
      bool hole = x >= 30 && x < 35 && y < 60;
      return (x >= 10 && x < 60 && y >= 50 && y < 65 && !hole) ? Grey(x) : kNoLevel;
    });
    WritePicture("seek_map.bmp", 120, 80, [](int x, int y) {
      return (x >= 70 && x < 100 && y >= 50 && y < 60) ? Grey((x - 70) * 6) : kNoLevel;
    });
    WritePicture("volume.bmp", 50, 10, [](int x, int) { return RGB(x, 200, 0); });
    rc = WriteSkin("mouse", 120, 80, TestPattern,
                   "VolumeControlType BMP\r\n"
                   "VolumeControlImage volume.bmp\r\n"
                   "VolumeControlImageXSize 50\r\n"
                   "VolumeControlImageNb 1\r\n"
                   "VolumeControlImagePosition volume_map.bmp\r\n"
                   "VolumeControlButton 10 50 60 60\r\n"
                   "SeekImage seek_map.bmp\r\n"
                   "SeekRegion 70 50 110 60\r\n"
                   "PlayButton 10 10 30 30 play DARKEN\r\n"
                   "PauseButton 40 10 60 30 pause DARKEN\r\n"
                   "RepeatButton 90 10 110 30 repeat DARKEN\r\n"
                   "NextSongButton 30 50 35 60 next DARKEN\r\n");
    ASSERT_TRUE(Open(window, rc));
    hwnd = window.hwnd;
  }

  std::string rc;
  RecordingWindow window;
  HWND hwnd = nullptr;
};

TEST_F(Mouse, AButtonFiresOnceWhenReleasedInsideThePressedRectangle) {
  Press(hwnd, 15, 15);
  EXPECT_EQ(GetCapture(), hwnd);
  EXPECT_EQ(window.capturedHit, PlayButton);
  Move(hwnd, 35, 15);  // off
  Move(hwnd, 45, 15);  // over another button: it is not pressed
  Move(hwnd, 16, 16);  // back on
  EXPECT_TRUE(window.TakeEvents().empty());
  Release(hwnd, 16, 16);
  EXPECT_EQ(window.TakeEvents(), Events{"slot 9"});
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(window.capturedHit, PlayButton);  // kept after the release

  // A release outside cancels, also over another button, and with no move first.
  Press(hwnd, 15, 15);
  Release(hwnd, 45, 15);
  Press(hwnd, 15, 15);
  Move(hwnd, 45, 15);
  Release(hwnd, 29, 29);  // inside, but the last move left the rectangle: still fires
  EXPECT_EQ(window.TakeEvents(), Events{"slot 9"});
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(WindowCorner(hwnd).x, kLeft);
}

TEST_F(Mouse, ADoubleClickFiresTwiceAndFlipsTheRepeatStateTwice) {
  Press(hwnd, 20, 20);
  Release(hwnd, 20, 20);
  DoubleClick(hwnd, 20, 20);
  Release(hwnd, 20, 20);
  EXPECT_EQ(window.TakeEvents(), (Events{"slot 9", "slot 9"}));

  Press(hwnd, 100, 20);
  Release(hwnd, 100, 20);
  DoubleClick(hwnd, 100, 20);
  Release(hwnd, 100, 20);
  EXPECT_EQ(window.TakeEvents(), (Events{"slot 20 repeat 1", "slot 20 repeat 0"}));
  EXPECT_EQ(window.repeatOn, 0);
  Click(hwnd, 100, 20);
  EXPECT_EQ(window.repeatOn, 1);
  // A cancelled press leaves it alone.
  Press(hwnd, 100, 20);
  Release(hwnd, 0, 0);
  EXPECT_EQ(window.repeatOn, 1);
}

TEST_F(Mouse, EachButtonFiresItsOwnSlot) {
  // Seventeen buttons side by side, with a gap between them.
  std::string lines;
  for (int i = 0; i < kButtonCount; ++i) {
    lines += std::string(kButtonKeys[i]) + " " + std::to_string(i * 6) + " 0 " +
             std::to_string(i * 6 + 5) + " 10 tip\r\n";
  }
  RecordingWindow row;
  ASSERT_TRUE(Open(row, WriteSkin("row", 17 * 6, 10, TestPattern, lines)));
  for (int i = 0; i < kButtonCount; ++i) {
    Click(row.hwnd, i * 6 + 2, 5);
    std::string expected = "slot " + std::to_string(i + 4);
    if (i == RepeatButton) expected += " repeat 1";
    EXPECT_EQ(row.TakeEvents(), Events{expected}) << kButtonKeys[i];
  }
  Click(row.hwnd, 5, 5);  // the gap is body
  EXPECT_TRUE(row.TakeEvents().empty());
}

TEST_F(Mouse, TheVolumeControlReportsEveryGreyLevelPassed) {
  Press(hwnd, 12, 55);
  Move(hwnd, 13, 55);
  Move(hwnd, 13, 55);  // unchanged, reported again
  Move(hwnd, 70, 55);  // off the map's grey: nothing
  Move(hwnd, 32, 55);  // the hole over Next: nothing, and Next is not pressed
  Move(hwnd, 40, 62);  // grey below the control's rectangle still counts
  Move(hwnd, -20, 55);
  Release(hwnd, 59, 64);
  EXPECT_EQ(window.TakeEvents(), (Events{"volume 12 shown 12", "volume 13 shown 13",
                                         "volume 13 shown 13", "volume 40 shown 40",
                                         "volume 59 shown 59"}));
  EXPECT_EQ(window.volumePosition, 59);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(WindowCorner(hwnd).x, kLeft);

  // A press on grey below the rectangle, or in the hole, is no volume press.
  Click(hwnd, 40, 62);
  EXPECT_TRUE(window.TakeEvents().empty());
  EXPECT_EQ(window.capturedHit, kHitBody);
  Click(hwnd, 32, 55);
  EXPECT_EQ(window.TakeEvents(), Events{"slot 13"});
}

TEST_F(Mouse, TheSeekBarReportsThePressAlone) {
  Press(hwnd, 80, 52);
  Move(hwnd, 90, 52);
  Move(hwnd, 95, 70);
  Release(hwnd, 96, 52);
  EXPECT_EQ(window.TakeEvents(), Events{"seek 60"});
  EXPECT_EQ(WindowCorner(hwnd).x, kLeft);
  EXPECT_EQ(WindowCorner(hwnd).y, kTop);
  EXPECT_EQ(window.seekPosition, 0);  // the player repaints the bar, not the press
}

TEST_F(Mouse, TheBodyDragsTheWindowKeepingThePointersOffset) {
  // A non-grey pixel of the seek bar's rectangle over no button is body.
  Press(hwnd, 105, 55);
  EXPECT_EQ(window.capturedHit, kHitBody);
  Move(hwnd, 112, 60);
  EXPECT_EQ(WindowCorner(hwnd).x, kLeft + 7);
  EXPECT_EQ(WindowCorner(hwnd).y, kTop + 5);
  // Client coordinates now count from the moved corner; over a button the drag goes on.
  Move(hwnd, 15, 15);
  EXPECT_EQ(WindowCorner(hwnd).x, kLeft + 7 + 15 - 105);
  EXPECT_EQ(WindowCorner(hwnd).y, kTop + 5 + 15 - 55);
  RECT outer = {};
  GetWindowRect(hwnd, &outer);
  EXPECT_EQ(outer.right - outer.left, 120);
  EXPECT_EQ(outer.bottom - outer.top, 80);
  Release(hwnd, 15, 15);
  EXPECT_TRUE(window.TakeEvents().empty());
  POINT after = WindowCorner(hwnd);
  Move(hwnd, 50, 50);  // no capture: no drag
  EXPECT_EQ(WindowCorner(hwnd).x, after.x);
}

TEST_F(Mouse, PointsLeftOfAndAboveTheWindowStayNegative) {
  Press(hwnd, 60, 70);
  Move(hwnd, -5, -3);
  EXPECT_EQ(WindowCorner(hwnd).x, kLeft - 65);
  EXPECT_EQ(WindowCorner(hwnd).y, kTop - 73);
  Release(hwnd, -5, -3);

  // A button reaching past the corner fires for a release there.
  RecordingWindow corner;
  ASSERT_TRUE(Open(corner, WriteSkin("corner", 20, 20, TestPattern,
                                     "StopButton -10 -10 8 8 stop\r\n")));
  Press(corner.hwnd, 2, 2);
  Release(corner.hwnd, -4, -6);
  EXPECT_EQ(corner.TakeEvents(), Events{"slot 8"});
  Press(corner.hwnd, 2, 2);
  Release(corner.hwnd, -11, 2);
  EXPECT_TRUE(corner.TakeEvents().empty());
}

TEST_F(Mouse, ALostCaptureIgnoresTheRelease) {
  Press(hwnd, 15, 15);
  ReleaseCapture();
  Release(hwnd, 15, 15);
  EXPECT_TRUE(window.TakeEvents().empty());

  // Taken by another window: moves and the release are ignored here.
  RecordingWindow other;
  ASSERT_TRUE(Open(other, rc));
  Press(hwnd, 100, 20);
  SetCapture(other.hwnd);
  Release(hwnd, 100, 20);
  EXPECT_EQ(window.repeatOn, 0);
  Press(hwnd, 115, 75);  // body
  SetCapture(other.hwnd);
  Move(hwnd, 0, 0);
  EXPECT_EQ(WindowCorner(hwnd).x, kLeft);
  EXPECT_EQ(GetCapture(), other.hwnd);
  ReleaseCapture();
  EXPECT_TRUE(window.TakeEvents().empty());
  EXPECT_TRUE(other.TakeEvents().empty());
}

TEST_F(Mouse, RightAndMiddleButtonsFireNothing) {
  const UINT messages[] = {WM_RBUTTONDOWN, WM_RBUTTONUP, WM_MBUTTONDOWN, WM_MBUTTONUP,
                           WM_RBUTTONDBLCLK, WM_MBUTTONDBLCLK};
  for (UINT message : messages) SendMessageA(hwnd, message, 0, PointParam(15, 15));
  EXPECT_TRUE(window.TakeEvents().empty());
  EXPECT_EQ(window.capturedHit, kHitNone);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(Mouse, TheDefaultSkinsPlayButtonFiresPlay) {
  RecordingWindow player;
  ASSERT_TRUE(Open(player, SourcePath("skins/default/ZantoPlay1.rc")));
  Press(player.hwnd, 62, 62);
  Move(player.hwnd, 70, 70);
  Release(player.hwnd, 70, 70);
  EXPECT_EQ(player.TakeEvents(), Events{"slot 9"});
}

}  // namespace
