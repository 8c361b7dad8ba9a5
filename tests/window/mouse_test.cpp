#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "window/skin_window_fixture.h"

namespace {

using Events = std::vector<std::string>;

// A skin window that records the event slots fired, in order.
class RecordingWindow : public SkinWindow {
 public:
  void OnVolumeControl(int position) override {
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
  void OnRepeatButton() override {
    // Flipped and redrawn before the slot: on shows the pressed look.
    bool pressedLook = BufferPixel(*this, repeatProbe.x, repeatProbe.y) ==
                       Darkened(TestPattern(repeatProbe.x, repeatProbe.y));
    Record("slot 20 repeat " + std::to_string(repeatOn) + (pressedLook ? " pressed" : ""));
  }
  void OnTimeWindowClick() override { Record("time window"); }

  POINT repeatProbe = {100, 20};

  Events Take() {
    Events taken;
    taken.swap(events_);
    return taken;
  }

 private:
  void Slot(int slot) { Record("slot " + std::to_string(slot)); }
  void Record(const std::string& event) { events_.push_back(event); }
  Events events_;
};

COLORREF Grey(int level) { return RGB(level, level, level); }
const COLORREF kNoLevel = RGB(255, 0, 0);

// 120 x 80: Play, Pause and Repeat on top; below them the volume control
// (level = x, grey also on rows 60..64 below its rectangle, with a hole over
// the Next button) and the seek bar (level (x - 70) * 6, not grey at its right end).
class Mouse : public SkinWindowTest {
 protected:
  void SetUp() override {
    WriteBmp(folder.File("volume_map.bmp"), 120, 80, [](int x, int y) {
      bool hole = x >= 30 && x < 35 && y < 60;
      return (x >= 10 && x < 60 && y >= 50 && y < 65 && !hole) ? Grey(x) : kNoLevel;
    });
    WriteBmp(folder.File("seek_map.bmp"), 120, 80, [](int x, int y) {
      return (x >= 70 && x < 100 && y >= 50 && y < 60) ? Grey((x - 70) * 6) : kNoLevel;
    });
    WriteBmp(folder.File("volume.bmp"), 50, 10, RGB(0, 200, 0));
    rc = WriteSkin("mouse", 120, 80, TestPattern,
                   "VolumeControlType BMP\r\nVolumeControlImage volume.bmp\r\n"
                   "VolumeControlImageXSize 50\r\nVolumeControlImageNb 1\r\n"
                   "VolumeControlImagePosition volume_map.bmp\r\n"
                   "VolumeControlButton 10 50 60 60\r\n"
                   "SeekImage seek_map.bmp\r\nSeekRegion 70 50 110 60\r\n"
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
  // Play's and Pause's faces: pressed (darkened) or not.
  auto faces = [&] {
    std::string look;
    for (int x : {20, 50}) {
      COLORREF shown = BufferPixel(window, x, 20);
      look += shown == TestPattern(x, 20) ? "-" : shown == Darkened(TestPattern(x, 20)) ? "P" : "?";
    }
    return look;
  };
  Press(hwnd, 15, 15);
  EXPECT_EQ(GetCapture(), hwnd);
  EXPECT_EQ(faces(), "P-");
  Move(hwnd, 35, 15);  // off
  EXPECT_EQ(faces(), "--");
  Move(hwnd, 45, 15);  // over Pause, which stays unpressed
  EXPECT_EQ(faces(), "--");
  Move(hwnd, 16, 16);  // back on
  EXPECT_EQ(faces(), "P-");
  EXPECT_TRUE(window.Take().empty());
  Release(hwnd, 16, 16);
  EXPECT_EQ(faces(), "--");
  EXPECT_EQ(window.Take(), Events{"slot 9"});
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(window.capturedHit, PlayButton);  // kept after the release

  // Released outside (over another button, or with no move before): cancelled.
  Press(hwnd, 15, 15);
  Release(hwnd, 45, 15);
  EXPECT_EQ(faces(), "--");
  // The release point decides, not the last move.
  Press(hwnd, 15, 15);
  Move(hwnd, 45, 15);
  Release(hwnd, 29, 29);
  EXPECT_EQ(window.Take(), Events{"slot 9"});
  EXPECT_EQ(faces(), "--");
  EXPECT_EQ(WindowCorner(hwnd).x, kLeft);

  // A capture lost mid-press leaves the face as it was and fires nothing.
  Press(hwnd, 15, 15);
  ReleaseCapture();
  Release(hwnd, 15, 15);
  EXPECT_EQ(faces(), "P-");
  EXPECT_TRUE(window.Take().empty());
}

TEST_F(Mouse, ADoubleClickFiresTwiceAndFlipsTheRepeatStateTwice) {
  for (POINT at : {POINT{20, 20}, POINT{100, 20}}) {
    Click(hwnd, at.x, at.y);
    SendMouse(hwnd, WM_LBUTTONDBLCLK, at.x, at.y);
    Release(hwnd, at.x, at.y);
  }
  EXPECT_EQ(window.Take(), (Events{"slot 9", "slot 9", "slot 20 repeat 1 pressed",
                                   "slot 20 repeat 0"}));
  Click(hwnd, 100, 20);
  EXPECT_EQ(window.repeatOn, 1);
  Press(hwnd, 100, 20);
  Release(hwnd, 0, 0);  // a cancelled press leaves it alone
  EXPECT_EQ(window.repeatOn, 1);
}

TEST_F(Mouse, RewindAndForwardActAtThePressAndWhileHeldOverTheirRectangle) {
  RecordingWindow held;
  ASSERT_TRUE(Open(held, WriteSkin("held", 80, 30, TestPattern,
                                   "RewindButton 0 0 20 20\r\nForwardButton 20 0 40 20\r\n"
                                   "MP3TimeWindow 50 0 80 20\r\n")));
  HWND h = held.hwnd;
  auto holdTick = [&] { SendMessageA(h, WM_TIMER, kButtonHoldTimer, 0); };
  Press(h, 25, 5);
  EXPECT_EQ(held.Take(), Events{"slot 11"}) << "at the press, not the release";
  holdTick();
  holdTick();
  EXPECT_EQ(held.Take(), (Events{"slot 11", "slot 11"}));
  Move(h, 5, 5);  // over Rewind, which was not pressed
  holdTick();
  EXPECT_TRUE(held.Take().empty()) << "off the pressed rectangle it waits";
  Move(h, 30, 5);
  holdTick();
  Release(h, 30, 5);
  EXPECT_EQ(held.Take(), Events{"slot 11"}) << "the release adds nothing";
  holdTick();  // a tick already queued when the hold ended
  EXPECT_TRUE(held.Take().empty());

  // Losing the capture ends the hold as a release does.
  Press(h, 5, 5);
  ReleaseCapture();
  holdTick();
  Release(h, 5, 5);
  EXPECT_EQ(held.Take(), Events{"slot 10"});

  // A click on the time window cycles the time; a drag that starts there does not.
  Click(h, 60, 10);
  EXPECT_EQ(held.Take(), Events{"time window"});
  Press(h, 60, 10);
  Move(h, 70, 12);
  Release(h, 70, 12);
  EXPECT_TRUE(held.Take().empty());
}

TEST_F(Mouse, EachButtonFiresItsOwnSlot) {
  std::string lines;
  for (int i = 0; i < kButtonCount; ++i) {
    lines += std::string(kButtonKeys[i]) + " " + std::to_string(i * 6) + " 0 " +
             std::to_string(i * 6 + 5) + " 10\r\n";
  }
  RecordingWindow row;
  ASSERT_TRUE(Open(row, WriteSkin("row", 17 * 6, 10, TestPattern, lines)));
  for (int i = 0; i < kButtonCount; ++i) {
    Click(row.hwnd, i * 6 + 2, 5);
    std::string expected = "slot " + std::to_string(i + 4) + (i == RepeatButton ? " repeat 1" : "");
    EXPECT_EQ(row.Take(), Events{expected}) << kButtonKeys[i];
  }
  Click(row.hwnd, 5, 5);  // the gaps are body
  EXPECT_TRUE(row.Take().empty());
}

TEST_F(Mouse, TheVolumeControlReportsEveryGreyLevelPassed) {
  Press(hwnd, 12, 55);
  Move(hwnd, 13, 55);
  Move(hwnd, 13, 55);  // unchanged, reported again
  Move(hwnd, 70, 55);  // not grey
  Move(hwnd, 32, 55);  // the hole over Next: nothing, and Next stays unpressed
  Move(hwnd, 40, 62);  // grey below the control's rectangle counts once pressed
  Move(hwnd, -20, 55);
  Release(hwnd, 59, 64);
  EXPECT_EQ(window.Take(), (Events{"volume 12 shown 12", "volume 13 shown 13", "volume 13 shown 13",
                                   "volume 40 shown 40", "volume 59 shown 59"}));
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(WindowCorner(hwnd).x, kLeft);

  // Pressed outside the rectangle, or on the hole, it is no volume press.
  Click(hwnd, 40, 62);
  EXPECT_EQ(window.capturedHit, kHitBody);
  Click(hwnd, 32, 55);
  EXPECT_EQ(window.Take(), Events{"slot 13"});
}

// Catches a seek before the release, or after the capture was taken away.
TEST_F(Mouse, TheSeekBarFollowsADragAndSeeksOnceAtTheRelease) {
  Press(hwnd, 80, 52);
  Move(hwnd, 90, 52);
  Move(hwnd, 95, 70);
  Release(hwnd, 96, 52);
  EXPECT_EQ(window.Take(), Events{"seek 156"});
  EXPECT_EQ(WindowCorner(hwnd).x, kLeft);
  EXPECT_EQ(WindowCorner(hwnd).y, kTop);
  Press(hwnd, 80, 52);
  ReleaseCapture();  // another window took the mouse
  Release(hwnd, 90, 52);
  EXPECT_TRUE(window.Take().empty());
}

TEST_F(Mouse, TheBodyDragsTheWindowKeepingThePointersOffset) {
  // A non-grey pixel of the seek bar's rectangle over no button is body.
  Press(hwnd, 105, 55);
  Move(hwnd, 112, 60);
  EXPECT_EQ(WindowCorner(hwnd).x, kLeft + 7);
  EXPECT_EQ(WindowCorner(hwnd).y, kTop + 5);
  // Client points count from the moved corner, so each move shifts the window
  // by the point's distance from the press point; left of and above the
  // corner they are negative. Passing over a button changes nothing.
  Move(hwnd, 15, 15);
  Move(hwnd, -5, -3);
  EXPECT_EQ(WindowCorner(hwnd).x, kLeft + 7 + (15 - 105) + (-5 - 105));
  EXPECT_EQ(WindowCorner(hwnd).y, kTop + 5 + (15 - 55) + (-3 - 55));
  RECT outer = {};
  GetWindowRect(hwnd, &outer);
  EXPECT_EQ(outer.right - outer.left, 120);
  EXPECT_EQ(outer.bottom - outer.top, 80);
  Release(hwnd, 15, 15);
  EXPECT_TRUE(window.Take().empty());
  POINT after = WindowCorner(hwnd);
  Move(hwnd, 50, 50);  // no capture, no drag
  EXPECT_EQ(WindowCorner(hwnd).x, after.x);

  // A button reaching past the corner takes a release at negative points.
  RecordingWindow corner;
  ASSERT_TRUE(Open(corner, WriteSkin("corner", 20, 20, TestPattern, "StopButton -10 -10 8 8\r\n")));
  Press(corner.hwnd, 2, 2);
  Release(corner.hwnd, -4, -6);
  Press(corner.hwnd, 2, 2);
  Release(corner.hwnd, -11, 2);
  EXPECT_EQ(corner.Take(), Events{"slot 8"});
}

TEST_F(Mouse, WithoutTheCaptureOnlyTheLeftButtonsPressCounts) {
  // Capture taken by another window: moves and the release are ignored here.
  RecordingWindow other;
  ASSERT_TRUE(Open(other, rc));
  Press(hwnd, 100, 20);
  SetCapture(other.hwnd);
  Release(hwnd, 100, 20);
  Press(hwnd, 115, 75);  // body
  SetCapture(other.hwnd);
  Move(hwnd, 0, 0);
  EXPECT_EQ(WindowCorner(hwnd).x, kLeft);
  ReleaseCapture();
  EXPECT_EQ(window.repeatOn, 0);
  EXPECT_TRUE(window.Take().empty());

  // Right and middle buttons neither press nor capture.
  for (UINT message : {WM_RBUTTONDOWN, WM_RBUTTONUP, WM_MBUTTONDOWN, WM_MBUTTONUP}) {
    SendMouse(other.hwnd, message, 15, 15);
  }
  EXPECT_TRUE(other.Take().empty());
  EXPECT_EQ(other.capturedHit, kHitNone);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(Mouse, TheDefaultSkinsPlayButtonFiresPlay) {
  RecordingWindow player;
  ASSERT_TRUE(Open(player, SourcePath("skins/default/ZantoPlay1.rc")));
  Press(player.hwnd, 62, 62);
  Move(player.hwnd, 70, 70);
  Release(player.hwnd, 70, 70);
  EXPECT_EQ(player.Take(), Events{"slot 9"});
}

}  // namespace
