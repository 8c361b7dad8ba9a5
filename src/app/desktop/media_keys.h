// The keyboard's media keys: as WM_APPCOMMAND while the player has the
// keyboard, and, when the user asks for it, as global hot keys that work
// while another program is in front.
#ifndef ZANTO_APP_MEDIA_KEYS_H
#define ZANTO_APP_MEDIA_KEYS_H

#include <windows.h>

// What a media key asks of the player.
enum class MediaAction { None, PlayPause, Stop, Next, Previous, Play, Pause };

// The action of a WM_APPCOMMAND's command (GET_APPCOMMAND_LPARAM); None for
// commands that are not the player's, which go on to the system.
MediaAction AppCommandAction(int appCommand);

// Hot key ids of the four media keys (WM_HOTKEY's wParam).
constexpr int kHotKeyPlayPause = 1;
constexpr int kHotKeyStop = 2;
constexpr int kHotKeyNext = 3;
constexpr int kHotKeyPrevious = 4;
MediaAction HotKeyAction(int hotKeyId);

// The four media keys registered as hot keys of one window, unregistered
// when it goes. A key another program already holds is left to it.
class MediaHotKeys {
 public:
  MediaHotKeys() = default;
  ~MediaHotKeys() { Unregister(); }
  MediaHotKeys(const MediaHotKeys&) = delete;
  MediaHotKeys& operator=(const MediaHotKeys&) = delete;

  // Registers what it can; returns how many keys it got.
  int Register(HWND window);
  void Unregister();
  // Register or Unregister as `on` says.
  void Apply(HWND window, bool on);
  int registeredCount() const;

 private:
  HWND window_ = nullptr;
  bool held_[4] = {};
};

#endif
