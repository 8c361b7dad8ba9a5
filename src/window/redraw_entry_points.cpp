// The redraw entry points of the skin window: the only way the rest of the
// program changes what the window shows. Each stores the widget's new state
// and repaints that widget alone.
#include <algorithm>

#include "common/fixed_text.h"
#include "window/skin_window.h"

namespace {

constexpr int kVolumeMin = 0;
constexpr int kVolumeMax = 255;

}  // namespace

bool SkinWindow::SetTime(int first, int second, int separatorOn) {
  timeFirst = first;
  timeSecond = second;
  timeSeparatorOn = separatorOn;
  return PaintTimeWindow();
}

bool SkinWindow::SetText(const char* newText) {
  CopyText(text, newText);
  return PaintTextWindow();
}

bool SkinWindow::SetTextFont(const TextFont& font, int mask) {
  if (mask & kTextFontFace) CopyText(textFont.faceName, font.faceName);
  if (mask & kTextFontStyle) textFont.fontStyle = font.fontStyle;
  if (mask & kTextFontColour) textFont.textColour = font.textColour;
  if (mask & kTextFontShadow) {
    textFont.shadowColour = font.shadowColour;
    textFont.shadowOn = font.shadowOn;
  }
  return PaintTextWindow();
}

bool SkinWindow::SetVolumePosition(int position) {
  // Kept within the strip: a frame past the last one would show nothing.
  volumePosition = std::min(std::max(position, kVolumeMin), kVolumeMax);
  return PaintVolumeControl();
}

bool SkinWindow::SetSeekPosition(int position) {
  // The poll sets the same fill most of the time; only a change is drawn.
  if (position == seekPosition) return true;
  seekPosition = position;
  return PaintSeekBar();
}

bool SkinWindow::SetToggleState(int button, int on) {
  if (button != RepeatButton) return true;  // the only toggle button
  repeatOn = on ? 1 : 0;
  bool painted = true;
  const ButtonSpecList& list = GetButtonSpecList(button);
  for (int entry = 0; entry < list.count; ++entry) {
    painted = PaintButton(button, entry, false) && painted;
  }
  return painted;
}
