#include "app/desktop/media_keys.h"

// Older headers lack it: without it a held key sends a hot key per repeat.
#ifndef MOD_NOREPEAT
#define MOD_NOREPEAT 0x4000
#endif

namespace {

struct HotKey {
  int id;
  UINT virtualKey;
};

constexpr HotKey kHotKeys[4] = {
    {kHotKeyPlayPause, VK_MEDIA_PLAY_PAUSE},
    {kHotKeyStop, VK_MEDIA_STOP},
    {kHotKeyNext, VK_MEDIA_NEXT_TRACK},
    {kHotKeyPrevious, VK_MEDIA_PREV_TRACK},
};

}  // namespace

MediaAction AppCommandAction(int appCommand) {
  switch (appCommand) {
    case APPCOMMAND_MEDIA_PLAY_PAUSE: return MediaAction::PlayPause;
    case APPCOMMAND_MEDIA_STOP: return MediaAction::Stop;
    case APPCOMMAND_MEDIA_NEXTTRACK: return MediaAction::Next;
    case APPCOMMAND_MEDIA_PREVIOUSTRACK: return MediaAction::Previous;
    case APPCOMMAND_MEDIA_PLAY: return MediaAction::Play;
    case APPCOMMAND_MEDIA_PAUSE: return MediaAction::Pause;
    default: return MediaAction::None;
  }
}

MediaAction HotKeyAction(int hotKeyId) {
  switch (hotKeyId) {
    case kHotKeyPlayPause: return MediaAction::PlayPause;
    case kHotKeyStop: return MediaAction::Stop;
    case kHotKeyNext: return MediaAction::Next;
    case kHotKeyPrevious: return MediaAction::Previous;
    default: return MediaAction::None;
  }
}

int MediaHotKeys::Register(HWND window) {
  if (window_ && window_ != window) Unregister();
  window_ = window;
  for (int i = 0; i < 4; ++i) {
    // A key another program holds fails here and stays that program's.
    if (!held_[i]) held_[i] = RegisterHotKey(window, kHotKeys[i].id, MOD_NOREPEAT,
                                             kHotKeys[i].virtualKey) != FALSE;
  }
  return registeredCount();
}

void MediaHotKeys::Unregister() {
  for (int i = 0; i < 4; ++i) {
    if (held_[i]) UnregisterHotKey(window_, kHotKeys[i].id);
    held_[i] = false;
  }
  window_ = nullptr;
}

void MediaHotKeys::Apply(HWND window, bool on) {
  if (on) {
    Register(window);
  } else {
    Unregister();
  }
}

int MediaHotKeys::registeredCount() const {
  int count = 0;
  for (bool held : held_) count += held ? 1 : 0;
  return count;
}
