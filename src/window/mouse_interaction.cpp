// Mouse interaction of the skin window (hit tests, presses, drags) and the
// tooltip tools of the current skin.
#include <windows.h>

#include <commctrl.h>
#include <windowsx.h>

#include "window/hit_test.h"
#include "window/skin_window.h"

namespace {

// Signed, so that points left of or above the window stay negative under capture.
POINT PointOf(LPARAM lParam) { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

bool Contains(const RECT& rect, POINT point) { return RectContains(rect, point.x, point.y); }

using ButtonSlot = void (SkinWindow::*)();

// The event slot of each button, by button index.
constexpr ButtonSlot kButtonSlots[kButtonCount] = {
    &SkinWindow::OnCloseButton,        &SkinWindow::OnMinimizeButton,
    &SkinWindow::OnAboutButton,        &SkinWindow::OnOpenFileButton,
    &SkinWindow::OnStopButton,         &SkinWindow::OnPlayButton,
    &SkinWindow::OnRewindButton,       &SkinWindow::OnForwardButton,
    &SkinWindow::OnPreviousSongButton, &SkinWindow::OnNextSongButton,
    &SkinWindow::OnPauseButton,        &SkinWindow::OnPreferencesButton,
    &SkinWindow::OnEqualizerButton,    &SkinWindow::OnEqualizerResetButton,
    &SkinWindow::OnEqualizerOnButton,  &SkinWindow::OnEqualizerOffButton,
    &SkinWindow::OnRepeatButton,
};

// A tool of the control: a plain rectangle of the window with a fixed text.
bool AddTool(HWND tooltip, HWND owner, HINSTANCE instance, UINT_PTR id, const RECT& rect,
             const char* text) {
  TOOLINFOA tool = {};
  tool.cbSize = TTTOOLINFOA_V1_SIZE;
  tool.uFlags = 0;
  tool.hwnd = owner;
  tool.uId = id;
  tool.rect = rect;
  tool.hinst = instance;
  tool.lpszText = const_cast<char*>(text);  // the control only reads it
  return SendMessageA(tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool)) != 0;
}

}  // namespace

int SkinWindow::HitTest(int x, int y, int* entry) const {
  return HitTestSkin(model, volumePositionPicture, seekPicture, x, y, entry);
}

int SkinWindow::VolumeMapPosition(int x, int y) const {
  return VolumeMapLevel(model, volumePositionPicture, x, y);
}

int SkinWindow::SeekMapPosition(int x, int y) const { return GreyMapLevel(seekPicture, x, y); }

void SkinWindow::OnLButtonDown(LPARAM lParam) {
  POINT point = PointOf(lParam);
  capturedHit = HitTest(point.x, point.y, &capturedEntry);
  lastMouse = point;
  pressPoint = point;
  ClientToScreen(hwnd, &pressPoint);
  GetWindowRect(hwnd, &pressWindowRect);
  if (IsButtonHit(capturedHit)) {
    PaintButton(capturedHit, capturedEntry, true);
  } else if (capturedHit == kHitVolume) {
    ReportVolumeAt(point);
  } else if (capturedHit == kHitSeek) {
    ReportSeekDragAt(point);
  }
  SetCapture(hwnd);
  if (IsHeldButton(capturedHit)) {
    FireButton(capturedHit);
    SetTimer(hwnd, kButtonHoldTimer, kButtonHoldInterval, nullptr);
  }
}

void SkinWindow::OnMouseMove(LPARAM lParam) {
  if (GetCapture() != hwnd) return;
  POINT point = PointOf(lParam);
  if (IsButtonHit(capturedHit)) {
    // The face looks pressed exactly while the pointer is over the pressed placement.
    RECT pressed = GetButtonSpec(capturedHit, capturedEntry).rect;
    bool insideNow = Contains(pressed, point);
    bool insideBefore = Contains(pressed, lastMouse);
    if (insideNow != insideBefore) PaintButton(capturedHit, capturedEntry, insideNow);
  } else if (capturedHit == kHitVolume) {
    ReportVolumeAt(point);
  } else if (capturedHit == kHitSeek) {
    ReportSeekDragAt(point);
  } else if (capturedHit == kHitBody) {
    DragWindowTo(point);
  }
  lastMouse = point;
}

void SkinWindow::OnLButtonUp(LPARAM lParam) {
  if (GetCapture() != hwnd) return;
  POINT point = PointOf(lParam);
  bool button = IsButtonHit(capturedHit);
  RECT pressed = GetButtonSpec(capturedHit, capturedEntry).rect;
  if (button && Contains(pressed, lastMouse)) PaintButton(capturedHit, capturedEntry, false);
  ReleaseCapture();
  if (IsHeldButton(capturedHit)) {
    // It acted at the press and while held; the release adds nothing.
  } else if (button) {
    if (Contains(pressed, point)) FireButton(capturedHit);  // outside cancels
  } else if (capturedHit == kHitVolume) {
    ReportVolumeAt(point);
  } else if (capturedHit == kHitSeek) {
    // One seek, where the drag ended; the player repaints the bar once the
    // disc has moved. A capture lost before the release seeks nowhere.
    int position = SeekMapPosition(point.x, point.y);
    OnSeekRegion(position >= 0 ? position : seekDragPosition);
  } else if (IsLampHit(capturedHit)) {
    // Like a button: released off the lamp, the click is cancelled.
    if (Contains(LampRect(capturedHit - kHitLamp), point)) FireLamp(capturedHit - kHitLamp);
  } else if (capturedHit == kHitBody && IsTimeWindowClick(point)) {
    OnTimeWindowClick();
  }
}

bool SkinWindow::IsTimeWindowClick(POINT release) const {
  // Not a drag: released where it was pressed, so the window has not moved.
  POINT screen = release;
  ClientToScreen(hwnd, &screen);
  if (screen.x != pressPoint.x || screen.y != pressPoint.y) return false;
  return Contains(model.mp3TimeWindow, release);
}

void SkinWindow::OnButtonHoldTimer() {
  // Acts only while the pointer stays over the pressed placement.
  if (GetCapture() != hwnd || !IsHeldButton(capturedHit)) {
    KillTimer(hwnd, kButtonHoldTimer);
    return;
  }
  if (Contains(GetButtonSpec(capturedHit, capturedEntry).rect, lastMouse)) FireButton(capturedHit);
}

// A release or the system taking the capture away ends the hold.
void SkinWindow::OnCaptureChanged() { KillTimer(hwnd, kButtonHoldTimer); }

void SkinWindow::ReportVolumeAt(POINT point) {
  // After the press any grey pixel of the map counts, inside the control's
  // rectangle or not; repeated positions are reported all the same.
  int position = VolumeMapPosition(point.x, point.y);
  if (position < 0) return;
  SetVolumePosition(position);
  OnVolumeControl(position);
}

bool SkinWindow::IsSeekDragging() const { return capturedHit == kHitSeek && GetCapture() == hwnd; }

void SkinWindow::ReportSeekDragAt(POINT point) {
  // Off the map the bar keeps the last place it showed.
  int position = SeekMapPosition(point.x, point.y);
  if (position < 0) return;
  seekDragPosition = position;
  SetSeekPosition(position);
  OnSeekDrag(position);
}

void SkinWindow::DragWindowTo(POINT point) {
  POINT screen = point;
  ClientToScreen(hwnd, &screen);
  MoveWindow(hwnd, pressWindowRect.left + screen.x - pressPoint.x,
             pressWindowRect.top + screen.y - pressPoint.y,
             pressWindowRect.right - pressWindowRect.left,
             pressWindowRect.bottom - pressWindowRect.top, TRUE);
}

void SkinWindow::FireButton(int button) {
  if (!IsButtonHit(button)) return;
  if (button == RepeatButton) {
    repeatOn = repeatOn ? 0 : 1;
    SetToggleState(RepeatButton, repeatOn);
  }
  (this->*kButtonSlots[button])();
}

bool SkinWindow::RegisterTooltips() {
  // Tools are always numbered from 0, so this removes the previous skin's.
  int count = static_cast<int>(SendMessageA(tooltip, TTM_GETTOOLCOUNT, 0, 0));
  for (int id = 0; id < count; ++id) {
    TOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.hwnd = hwnd;
    tool.uId = static_cast<UINT_PTR>(id);
    SendMessageA(tooltip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  }

  // Only places with a text and an area get a tool; ids stay consecutive.
  // The control adds and removes each tool in time proportional to the tools
  // it has: past kMaxTooltipTools a hostile skin would take minutes to show.
  UINT_PTR nextId = 0;
  bool added = true;  // the first refusal stops the registration
  auto add = [&](const RECT& rect, const char* text) {
    if (!added || nextId >= kMaxTooltipTools || text[0] == '\0' || IsRectEmpty(&rect)) return;
    added = AddTool(tooltip, hwnd, instance, nextId++, rect, text);
  };
  for (int button = 0; button < kButtonCount; ++button) {
    const ButtonSpecList& list = GetButtonSpecList(button);
    for (int j = 0; j < list.count; ++j) add(list[j].rect, list[j].toolTip);
  }
  add(model.analyzerWindow, model.analyzerText);
  add(model.equalizerWindow, model.equalizerText);
  for (const LampSpec& lamp : model.lamps) add(lamp.rect, lamp.toolTip);
  if (!added) {
    status = SkinTooltipFailed;
    return false;
  }
  return true;
}
