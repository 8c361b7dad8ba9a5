// The wait cursor for as long as the holder lives, for work that keeps the
// program from answering (a skin whose pictures take seconds to decode).
#ifndef ZANTO_COMMON_WAIT_CURSOR_H
#define ZANTO_COMMON_WAIT_CURSOR_H

#include <windows.h>

class WaitCursor {
 public:
  WaitCursor() : previous_(SetCursor(LoadCursorA(nullptr, IDC_WAIT))) {}
  // The cursor before it comes back; without one, the arrow (none would hide
  // the pointer until it moves).
  ~WaitCursor() { SetCursor(previous_ ? previous_ : LoadCursorA(nullptr, IDC_ARROW)); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  HCURSOR previous_;
};

#endif
