// The arithmetic behind the player's buttons and displays: track stepping,
// the seek bar in both directions and the "restart or go back" rule of
// Previous. Plain functions over values.
#ifndef ZANTO_APP_PLAYBACK_RULES_H
#define ZANTO_APP_PLAYBACK_RULES_H

#include <windows.h>

#include <cstddef>

#include "app/rules/play_order.h"  // ShownTime

// Previous goes to the track before only in the first two seconds of a
// track (0 minutes and at most 1 second elapsed); later it restarts the track.
bool IsUnderTwoSeconds(DWORD elapsedMsf);
// Frame within a track of `lengthFrames` that seek-map position p (0..255)
// stands for: (p + 1)/256 of the track, so 255 is the very end.
int SeekTargetFrames(int lengthFrames, int position);
// The seek bar position for `elapsedFrames` into a track: -1 (no fill) for
// the first 1/256 and for a track without a length, up to 255 at the end.
int SeekBarPosition(int elapsedFrames, int lengthFrames);
// The track a track-menu command stands for: its number, lowered to the
// disc's last track.
int MenuCommandTrack(int commandId, int trackCount);

// The window title while a track is shown: "[01] 03:57 - Zanto Player", with
// a minus sign before a remaining time (time fonts have none), and the
// track's title where it has one: "[01] 03:57 朝の歌 - Zanto Player". A title
// too long for `size` is cut, at a character boundary, before the name.
void FormatPlayTitle(char* title, size_t size, int track, const ShownTime& shown, const char* appName,
                     const char* trackTitle = nullptr);

// The mouth animation's timer interval: the setting, but never under 100 ms
// (an emptied field stores 0, which would query the drive a hundred times a
// second).
constexpr int kMinAnimationInterval = 100;
UINT AnimationInterval(int mouseAnime);

// Where the context menu opens: the click's screen position, or the
// window's top-left corner when the menu was asked for from the keyboard
// (lParam -1). The halves are signed: monitors left of or above the primary
// one have negative coordinates.
POINT ContextMenuPoint(LPARAM lParam, const RECT& window);

#endif
