#include "app/player/player_accessibility.h"

#include <windows.h>
#include <oleacc.h>

#include <cstring>
#include <new>

#include "app/player/player_window.h"
#include "cd/disc_info.h"
#include "common/fixed_text.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "window/accessible_object.h"

namespace {

int LampOf(PlayerAccessibility::Widget widget) {
  return static_cast<int>(widget) - static_cast<int>(PlayerAccessibility::Widget::kShuffleLamp);
}

template <size_t N> void Widen(wchar_t (&dst)[N], const char* src) {
  // Skin and title texts are in the system's code page, as the tooltips show them.
  if (MultiByteToWideChar(CP_ACP, 0, src, -1, dst, static_cast<int>(N)) == 0) dst[0] = L'\0';
}

template <size_t N> void LoadWide(HINSTANCE instance, UINT id, wchar_t (&dst)[N]) {
  if (LoadStringW(instance, id, dst, static_cast<int>(N)) <= 0) dst[0] = L'\0';
}

void FormatMinutes(char* dst, size_t capacity, int frames) {
  int seconds = frames / 75;
  FormatText(dst, capacity, "%02d:%02d", seconds / 60, seconds % 60);
}

// Buttons that act only on a disc with audio on it.
bool NeedsAudio(int button) {
  switch (button) {
    case StopButton:
    case PlayButton:
    case RewindButton:
    case ForwardButton:
    case PreviousSongButton:
    case NextSongButton:
    case PauseButton:
      return true;
    default:
      return false;
  }
}

}  // namespace

PlayerAccessibility::PlayerAccessibility(PlayerWindow& player, const Settings& settings)
    : player_(player), settings_(settings) {}

PlayerAccessibility::~PlayerAccessibility() {
  if (!object_) return;
  object_->Disconnect();
  object_->Release();
}

int PlayerAccessibility::ButtonElementCount() const {
  int count = 0;
  for (int button = 0; button < kButtonCount; ++button) {
    const ButtonSpecList& list = player_.GetButtonSpecList(button);
    for (int j = 0; j < list.count && count < kMaxAccessibleButtons; ++j) {
      if (!IsRectEmpty(&list[j].rect)) ++count;
    }
  }
  return count;
}

bool PlayerAccessibility::WidgetPresent(Widget widget) const {
  const SkinModel& model = player_.model;
  switch (widget) {
    case Widget::kSeekBar: return !IsRectEmpty(&model.seekRegion);
    case Widget::kVolume:
      return model.volumeControlType != VolumeControlNone && !IsRectEmpty(&model.volumeControlButton);
    case Widget::kTime: return !IsRectEmpty(&model.mp3TimeWindow);
    case Widget::kText: return !IsRectEmpty(&model.filenameWindow);
    default: return player_.HasLamp(LampOf(widget));
  }
}

// Child order after the buttons.
constexpr PlayerAccessibility::Widget kWidgetOrder[] = {
    PlayerAccessibility::Widget::kSeekBar,     PlayerAccessibility::Widget::kVolume,
    PlayerAccessibility::Widget::kTime,        PlayerAccessibility::Widget::kText,
    PlayerAccessibility::Widget::kShuffleLamp, PlayerAccessibility::Widget::kRepeatLamp,
    PlayerAccessibility::Widget::kRepeatTrackLamp, PlayerAccessibility::Widget::kIntroLamp,
    PlayerAccessibility::Widget::kMuteLamp};

int PlayerAccessibility::ControlCount() const {
  int count = ButtonElementCount();
  for (Widget widget : kWidgetOrder) count += WidgetPresent(widget) ? 1 : 0;
  return count;
}

bool PlayerAccessibility::ElementAt(int index, Element* element) const {
  if (index < 0) return false;
  int seen = 0;
  for (int button = 0; button < kButtonCount; ++button) {
    const ButtonSpecList& list = player_.GetButtonSpecList(button);
    for (int j = 0; j < list.count && seen < kMaxAccessibleButtons; ++j) {
      if (IsRectEmpty(&list[j].rect)) continue;
      if (seen++ == index) {
        *element = Element{true, button, j, Widget::kSeekBar};
        return true;
      }
    }
  }
  for (Widget widget : kWidgetOrder) {
    if (!WidgetPresent(widget)) continue;
    if (seen++ == index) {
      *element = Element{false, -1, -1, widget};
      return true;
    }
  }
  return false;
}

int PlayerAccessibility::IndexOf(Widget widget) const {
  int index = ButtonElementCount();
  for (Widget each : kWidgetOrder) {
    if (!WidgetPresent(each)) continue;
    if (each == widget) return index;
    ++index;
  }
  return -1;
}

bool PlayerAccessibility::DescribeControl(int index, AccessibleControl* control) const {
  Element element = {};
  if (!ElementAt(index, &element)) return false;
  *control = AccessibleControl{};
  if (element.isButton) {
    DescribeButton(element.button, element.entry, control);
  } else {
    DescribeWidget(element.widget, control);
  }
  return true;
}

bool PlayerAccessibility::ButtonUnavailable(int button) const {
  PlayerView view = player_.View();
  bool hasAudio = view.state != PlayerState::kNoDisc && view.currentTrack != 0;
  if (NeedsAudio(button) && !hasAudio) return true;
  if (button == PauseButton) {
    // Pause only pauses a play, or goes on from the pause.
    return view.state == PlayerState::kStopped || view.state == PlayerState::kNoDisc;
  }
  // The player has no equalizer.
  return button >= EqualizerButton && button <= EqualizerOffButton;
}

void PlayerAccessibility::DescribeButton(int button, int entry, AccessibleControl* control) const {
  const ButtonSpec& spec = player_.GetButtonSpecList(button)[entry];
  control->kind = AccessibleKind::kPushButton;
  control->rect = spec.rect;
  Widen(control->name, spec.toolTip);
  LoadWide(player_.instance, IDS_ACCESSIBLE_PRESS, control->defaultAction);
  control->unavailable = ButtonUnavailable(button);
  control->checked = button == RepeatButton && player_.repeatOn;
}

void PlayerAccessibility::DescribeWidget(Widget widget, AccessibleControl* control) const {
  const SkinModel& model = player_.model;
  char text[kAccessibleTextSize] = "";
  switch (widget) {
    case Widget::kSeekBar: {
      control->kind = AccessibleKind::kSlider;
      control->rect = model.seekRegion;
      LoadWide(player_.instance, IDS_ACCESSIBLE_SEEK_BAR, control->name);
      int track = player_.View().currentTrack;
      int frames = player_.SeekFrames();
      const DiscInfo& disc = player_.Disc();
      if (frames >= 0 && track >= 1 && track <= KnownTracks(disc)) {
        char at[16], length[16];
        FormatMinutes(at, sizeof(at), frames);
        FormatMinutes(length, sizeof(length), disc.tracks[track].lengthFrames);
        FormatText(text, sizeof(text), "%s / %s", at, length);
        Widen(control->value, text);
      }
      break;
    }
    case Widget::kVolume:
      control->kind = AccessibleKind::kSlider;
      control->rect = model.volumeControlButton;
      LoadWide(player_.instance, IDS_ACCESSIBLE_VOLUME, control->name);
      FormatText(text, sizeof(text), "%d%%", (player_.volumePosition * 100 + 127) / 255);
      Widen(control->value, text);
      break;
    case Widget::kTime:
      control->kind = AccessibleKind::kStaticText;
      control->rect = model.mp3TimeWindow;
      if (player_.timeFirst >= 0) {
        // A remaining time reads as one, as the window title writes it.
        bool remaining = settings_.timeWindow == kTimeWindowPlayTime && settings_.timeMode != 0;
        FormatText(text, sizeof(text), "%s%02d:%02d", remaining ? "-" : "", player_.timeFirst,
                   player_.timeSecond);
        Widen(control->name, text);
      }
      break;
    case Widget::kText:
      control->kind = AccessibleKind::kStaticText;
      control->rect = model.filenameWindow;
      Widen(control->name, player_.text);
      break;
    default: {
      // A lamp: its tooltip names it, else the mode's own name.
      const int lamp = LampOf(widget);
      control->kind = AccessibleKind::kCheckButton;
      control->rect = player_.LampRect(lamp);
      if (model.lamps[lamp].toolTip[0] != '\0') {
        Widen(control->name, model.lamps[lamp].toolTip);
      } else {
        LoadWide(player_.instance, IDS_ACCESSIBLE_SHUFFLE_LAMP + static_cast<UINT>(lamp), control->name);
      }
      LoadWide(player_.instance, IDS_ACCESSIBLE_PRESS, control->defaultAction);
      control->checked = player_.LampOn(lamp);
      break;
    }
  }
}

bool PlayerAccessibility::PressControl(int index) {
  Element element = {};
  if (!ElementAt(index, &element)) return false;
  if (!element.isButton && element.widget >= Widget::kShuffleLamp) {
    // As a click on the lamp: its mode's own command, from the loop.
    return PostMessageA(player_.hwnd, WM_COMMAND, SkinWindow::LampCommand(LampOf(element.widget)), 0) != 0;
  }
  if (!element.isButton) return false;
  // Later, from the loop: a reader's call must not wait on what the press
  // opens (the about box, the settings), nor run inside another message.
  return PostMessageA(player_.hwnd, kAccessiblePressMessage, static_cast<WPARAM>(element.button),
                      static_cast<LPARAM>(element.entry)) != 0;
}

bool PlayerAccessibility::PressButton(int button, int entry) {
  // The skin may have changed since the press was posted.
  if (entry < 0 || entry >= player_.GetButtonSpecList(button).count) return false;
  player_.FireButton(button);
  return true;
}

int PlayerAccessibility::FocusedControl() const {
  AccessibleControl control = {};
  if (focus_ < 0 || !DescribeControl(focus_, &control) || !IsFocusableKind(control.kind)) return -1;
  return focus_;
}

bool PlayerAccessibility::FocusControl(int index) {
  AccessibleControl control = {};
  if (!DescribeControl(index, &control) || !IsFocusableKind(control.kind)) return false;
  SetFocusTo(index);
  return true;
}

RECT PlayerAccessibility::FocusRect(int index) const {
  AccessibleControl control = {};
  if (!DescribeControl(index, &control)) return RECT{0, 0, 0, 0};
  return control.rect;
}

void PlayerAccessibility::SetFocusTo(int index) {
  HWND hwnd = player_.hwnd;
  int before = FocusedControl();
  if (focusShown_ && before >= 0) {
    RECT old = FocusRect(before);
    InvalidateRect(hwnd, &old, FALSE);
  }
  focus_ = index;
  focusShown_ = true;
  RECT now = FocusRect(index);
  InvalidateRect(hwnd, &now, FALSE);
  Notify(EVENT_OBJECT_FOCUS, index);
}

void PlayerAccessibility::MoveFocus(bool backwards) {
  int count = ControlCount();
  if (count == 0) return;
  int from = FocusedControl();
  if (from < 0) from = backwards ? 0 : count - 1;  // the first step lands on an end
  for (int step = 1; step <= count; ++step) {
    int index = ((from + (backwards ? -step : step)) % count + count) % count;
    AccessibleControl control = {};
    if (DescribeControl(index, &control) && IsFocusableKind(control.kind)) {
      SetFocusTo(index);
      return;
    }
  }
}

bool PlayerAccessibility::BeforeMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                        LRESULT* answer) {
  switch (message) {
    case WM_GETOBJECT:
      // OBJID_CLIENT is negative: in the 64-bit build lParam may carry it
      // sign-extended or not, so only its low 32 bits count.
      if (static_cast<DWORD>(lParam) != static_cast<DWORD>(OBJID_CLIENT) || windowGone_) return false;
      if (!object_) {
        const AccessibilityLibrary* library = LoadAccessibilityLibrary();
        if (!library) return false;
        object_ = new (std::nothrow) AccessibleObject(hwnd, this, *library);
        library_ = library;
      }
      if (!object_) return false;
      // The GUID itself (__uuidof): the 64-bit import library names a thunk IID_IAccessible.
      *answer = library_->lresultFromObject(__uuidof(IAccessible), wParam, object_);
      return true;
    case WM_KEYDOWN:
      if (wParam == VK_TAB) {
        MoveFocus(GetKeyState(VK_SHIFT) < 0);
        *answer = 0;
        return true;
      }
      if ((wParam == VK_SPACE || wParam == VK_RETURN) && focusShown_ && FocusedControl() >= 0) {
        Element element = {};
        if (ElementAt(FocusedControl(), &element) && element.isButton) {
          PressButton(element.button, element.entry);
        } else if (ElementAt(FocusedControl(), &element)) {
          PressControl(FocusedControl());  // a lamp: its command, as a click sends it
        }
        *answer = 0;
        return true;
      }
      return false;
    case kAccessiblePressMessage:
      PressButton(static_cast<int>(wParam), static_cast<int>(lParam));
      *answer = 0;
      return true;
    case WM_PAINT:
      paintRegion_.reset();
      if (focusShown_ && FocusedControl() >= 0) {
        paintRegion_.reset(CreateRectRgn(0, 0, 0, 0));
        if (paintRegion_ && GetUpdateRgn(hwnd, paintRegion_.get(), FALSE) == ERROR) paintRegion_.reset();
      }
      return false;
    default:
      return false;
  }
}

void PlayerAccessibility::DrawFocus(HWND hwnd) {
  if (!paintRegion_) return;
  unique_hrgn region(paintRegion_.release());
  int index = FocusedControl();
  if (index < 0) return;
  // Drawn on the screen over the fresh paint and only where it painted:
  // the rectangle inverts, so pixels the paint left alone keep theirs.
  HDC dc = GetDC(hwnd);
  if (!dc) return;
  SelectClipRgn(dc, region.get());
  RECT rect = FocusRect(index);
  DrawFocusRect(dc, &rect);
  ReleaseDC(hwnd, dc);
}

void PlayerAccessibility::Notify(DWORD event, int index) const {
  if (index < 0 || !player_.hwnd) return;
  NotifyWinEvent(event, player_.hwnd, OBJID_CLIENT, index + 1);
}

void PlayerAccessibility::RaiseEvents(HWND hwnd) {
  int track = player_.View().currentTrack;
  int modes = (settings_.shuffle ? 1 : 0) | (settings_.repeat ? 2 : 0) |
              (settings_.repeatTrack ? 4 : 0) | (settings_.introScan ? 8 : 0) |
              (settings_.mute ? 16 : 0) | (settings_.timeMode << 8) | (settings_.timeWindow << 12);
  int volume = player_.volumePosition;
  int frames = player_.SeekFrames();
  int seekSecond = frames < 0 ? -1 : frames / 75;
  if (!told_) {
    // Readers learn the start from the tree itself.
    told_ = true;
  } else {
    if (track != toldTrack_ || strcmp(toldText_, player_.text) != 0) {
      NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, hwnd, OBJID_CLIENT, CHILDID_SELF);
      Notify(EVENT_OBJECT_NAMECHANGE, IndexOf(Widget::kText));
    }
    if (modes != toldModes_) {
      NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, hwnd, OBJID_CLIENT, CHILDID_SELF);
      Notify(EVENT_OBJECT_NAMECHANGE, IndexOf(Widget::kTime));
      for (Widget lamp : {Widget::kShuffleLamp, Widget::kRepeatLamp, Widget::kRepeatTrackLamp, Widget::kIntroLamp,
                          Widget::kMuteLamp}) {
        Notify(EVENT_OBJECT_STATECHANGE, IndexOf(lamp));
      }
    }
    if (volume != toldVolume_) Notify(EVENT_OBJECT_VALUECHANGE, IndexOf(Widget::kVolume));
    // The play moves every second: readers hear of it at most that often.
    if (seekSecond != toldSeekSecond_) {
      DWORD now = GetTickCount();
      if (now - toldSeekAt_ < 1000) seekSecond = toldSeekSecond_;  // told at a later message
      else {
        toldSeekAt_ = now;
        Notify(EVENT_OBJECT_VALUECHANGE, IndexOf(Widget::kSeekBar));
      }
    }
  }
  toldTrack_ = track;
  CopyText(toldText_, player_.text);
  toldModes_ = modes;
  toldVolume_ = volume;
  toldSeekSecond_ = seekSecond;
}

void PlayerAccessibility::AfterMessage(HWND hwnd, UINT message) {
  switch (message) {
    case WM_PAINT:
      DrawFocus(hwnd);
      break;
    case WM_SETFOCUS:
      if (focusShown_) Notify(EVENT_OBJECT_FOCUS, FocusedControl());
      break;
    case WM_DESTROY:
      windowGone_ = true;
      if (object_) {
        object_->Disconnect();
        object_->Release();
        object_ = nullptr;
      }
      return;
    default:
      break;
  }
  if (!windowGone_ && hwnd) RaiseEvents(hwnd);
}
