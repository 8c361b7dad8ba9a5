// The skin's lamps and the remaining-time sign: pictures that show a state
// of the player the buttons cannot (a play mode on or off, a time counting
// down). A lamp picture is two frames side by side, off then on, each the
// size of the lamp's rectangle.
#include <windows.h>

#include <cstdint>

#include "resources/resource.h"
#include "window/pixel_blend.h"
#include "window/skin_window.h"

namespace {

bool IsLamp(int lamp) { return lamp >= 0 && lamp < kLampCount; }

// The menu's own command for each lamp's mode, so that a click goes the
// way of the menu item and of its key.
constexpr WORD kLampCommands[kLampCount] = {IDM_SHUFFLE, IDM_REPEAT, IDM_REPEAT_TRACK,
                                            IDM_INTRO_SCAN, IDM_MUTE};

}  // namespace

RECT SkinWindow::LampRect(int lamp) const { return IsLamp(lamp) ? model.lamps[lamp].rect : RECT{}; }

bool SkinWindow::HasLamp(int lamp) const {
  const RECT rect = LampRect(lamp);
  return !IsRectEmpty(&rect);
}

bool SkinWindow::LampOn(int lamp) const { return IsLamp(lamp) && lampOn[lamp] != 0; }

WORD SkinWindow::LampCommand(int lamp) { return IsLamp(lamp) ? kLampCommands[lamp] : 0; }

bool SkinWindow::SetLampState(int lamp, int on) {
  if (!IsLamp(lamp)) return true;
  const int state = on ? 1 : 0;
  if (lampOn[lamp] == state) return true;
  lampOn[lamp] = state;
  return PaintLamp(lamp);
}

bool SkinWindow::PaintLamp(int lamp) {
  if (!HasLamp(lamp) || !hwnd) return true;
  const RECT& area = model.lamps[lamp].rect;
  const ImageBuffer& picture = lampPicture[lamp];
  ComposeFromFrame(area);
  // The face first: a strip without the frame asked for shows none.
  scratchImage.CopyRect(CurrentBackground(), area.left, area.top, area.right, area.bottom,
                        area.left, area.top);
  if (!picture.IsEmpty()) {
    const int64_t width = int64_t{area.right} - area.left;
    const int64_t left = lampOn[lamp] ? width : 0;
    if (left < picture.Width()) {
      const int64_t right = left + width < picture.Width() ? left + width : picture.Width();
      scratchImage.CopyRect(picture, static_cast<int>(left), 0, static_cast<int>(right),
                            area.bottom - area.top, area.left, area.top);
    }
  }
  return ShowComposed(area);
}

RECT SkinWindow::TimeSignArea() const {
  if (timeRemainingPicture.IsEmpty()) return RECT{};
  const RECT& time = model.mp3TimeWindow;
  const LONG right = time.left - model.timeFontSpacing;
  return RECT{right - timeRemainingPicture.Width(), time.top, right,
              time.top + timeRemainingPicture.Height()};
}

bool SkinWindow::SetTimeRemaining(int on) {
  const int state = on ? 1 : 0;
  if (timeRemainingOn == state) return true;
  timeRemainingOn = state;
  return PaintTimeSign();
}

bool SkinWindow::PaintTimeSign() {
  const RECT area = TimeSignArea();
  if (IsRectEmpty(&area) || !hwnd) return true;
  ComposeFromFrame(area);
  scratchImage.CopyRect(CurrentBackground(), area.left, area.top, area.right, area.bottom,
                        area.left, area.top);
  if (timeRemainingOn) {
    // Laid on the face the way the time font's cells are.
    const RECT whole = {0, 0, timeRemainingPicture.Width(), timeRemainingPicture.Height()};
    if (model.timeFontTransparent == 1) {
      BlendRect(timeRemainingPicture, whole, scratchImage, area.left, area.top, BlendMode::Lighten);
    } else {
      scratchImage.CopyRect(timeRemainingPicture, 0, 0, whole.right, whole.bottom, area.left,
                            area.top);
    }
  }
  return ShowComposed(area);
}

void SkinWindow::FireLamp(int lamp) {
  if (!HasLamp(lamp)) return;
  SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(LampCommand(lamp), 0), 0);
}
