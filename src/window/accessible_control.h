// What a screen reader is told about the controls of a window: a plain
// description the window's accessible object reads, so that object needs to
// know nothing of what the controls do.
#ifndef ZANTO_WINDOW_ACCESSIBLE_CONTROL_H
#define ZANTO_WINDOW_ACCESSIBLE_CONTROL_H

#include <windows.h>

constexpr int kAccessibleTextSize = 260;

enum class AccessibleKind { kPushButton, kCheckButton, kSlider, kStaticText };

struct AccessibleControl {
  AccessibleKind kind;
  RECT rect;  // client coordinates
  wchar_t name[kAccessibleTextSize];
  wchar_t value[kAccessibleTextSize];          // empty: none
  wchar_t defaultAction[kAccessibleTextSize];  // empty: none
  bool unavailable;  // it would do nothing now
  bool checked;      // a check button that is on, a toggle push button held in
};

// Buttons of either kind take the keyboard focus; the rest only show.
inline bool IsFocusableKind(AccessibleKind kind) {
  return kind == AccessibleKind::kPushButton || kind == AccessibleKind::kCheckButton;
}

// The window's side of the accessible object. Controls are numbered from 0;
// screen readers see them as children 1..ControlCount().
class AccessibleSource {
 public:
  virtual int ControlCount() const = 0;
  // False for an index out of range.
  virtual bool DescribeControl(int index, AccessibleControl* control) const = 0;
  // The control's default action, done later from the window's own message
  // loop, as a click would be; false when it has none.
  virtual bool PressControl(int index) = 0;
  // The control with the keyboard focus, -1 for none.
  virtual int FocusedControl() const = 0;
  // Moves the keyboard focus there; false when it cannot take it.
  virtual bool FocusControl(int index) = 0;

 protected:
  ~AccessibleSource() = default;
};

#endif
