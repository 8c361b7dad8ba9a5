// The player as screen readers see it: its skin's buttons, the seek bar,
// the volume control, the time and the text window as accessible controls,
// the keyboard focus that Tab moves between the buttons, and the events that
// tell readers what changed.
#ifndef ZANTO_APP_PLAYER_ACCESSIBILITY_H
#define ZANTO_APP_PLAYER_ACCESSIBILITY_H

#include <windows.h>

#include "common/handles.h"
#include "skin/skin_model.h"
#include "window/accessible_control.h"

class AccessibleObject;
struct AccessibilityLibrary;
class PlayerWindow;
class Settings;

// A reader's press, done from the message loop: wParam the button, lParam
// its placement.
constexpr UINT kAccessiblePressMessage = WM_APP + 40;
// Buttons shown to readers at most; a skin may place thousands.
constexpr int kMaxAccessibleButtons = 64;

class PlayerAccessibility final : public AccessibleSource {
 public:
  PlayerAccessibility(PlayerWindow& player, const Settings& settings);
  ~PlayerAccessibility();
  PlayerAccessibility(const PlayerAccessibility&) = delete;
  PlayerAccessibility& operator=(const PlayerAccessibility&) = delete;

  // Before the player's own handling: the object for WM_GETOBJECT, the focus
  // keys and the readers' presses. True when `answer` is the message's answer.
  bool BeforeMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* answer);
  // After it: the focus rectangle over what was painted, the events for what
  // changed, and at WM_DESTROY the object cut off from its readers.
  void AfterMessage(HWND hwnd, UINT message);
  // A focus rectangle shows: Tab was pressed, or a reader moved the focus.
  bool FocusShown() const { return focusShown_; }

  int ControlCount() const override;
  bool DescribeControl(int index, AccessibleControl* control) const override;
  bool PressControl(int index) override;
  int FocusedControl() const override;
  bool FocusControl(int index) override;

  // The controls besides the buttons, in child order; each is there only
  // when the skin places it.
  // The lamps, in LampIndex order, are check buttons.
  enum class Widget { kSeekBar, kVolume, kTime, kText, kShuffleLamp, kRepeatLamp, kRepeatTrackLamp, kIntroLamp,
                      kMuteLamp };

 private:
  // What control `index` is: a button placement, or a widget.
  struct Element {
    bool isButton;
    int button;
    int entry;
    Widget widget;
  };
  bool ElementAt(int index, Element* element) const;
  int ButtonElementCount() const;
  bool WidgetPresent(Widget widget) const;
  // The child index of a widget, -1 when the skin has none.
  int IndexOf(Widget widget) const;
  void DescribeButton(int button, int entry, AccessibleControl* control) const;
  void DescribeWidget(Widget widget, AccessibleControl* control) const;
  bool ButtonUnavailable(int button) const;
  // Presses now; false without such a placement.
  bool PressButton(int button, int entry);

  // Tab and Shift+Tab: the next or previous button, round.
  void MoveFocus(bool backwards);
  void SetFocusTo(int index);
  RECT FocusRect(int index) const;
  void DrawFocus(HWND hwnd);
  // Readers are told what changed since they were last told.
  void RaiseEvents(HWND hwnd);
  void Notify(DWORD event, int index) const;

  PlayerWindow& player_;
  const Settings& settings_;
  AccessibleObject* object_ = nullptr;  // one reference, ours
  const AccessibilityLibrary* library_ = nullptr;  // loaded with object_
  bool windowGone_ = false;
  int focus_ = -1;
  bool focusShown_ = false;
  // The update region of the paint under way, for the focus rectangle.
  unique_hrgn paintRegion_;

  // What readers were last told about.
  bool told_ = false;
  int toldTrack_ = 0;
  char toldText_[kPathSize] = "";
  int toldModes_ = 0;
  int toldVolume_ = 0;
  int toldSeekSecond_ = -1;
  DWORD toldSeekAt_ = 0;
};

#endif
