#include "app/rules/playback_rules.h"

#include <cstring>

#include "cd/msf.h"
#include "common/fixed_text.h"
#include "resources/resource.h"

bool IsUnderTwoSeconds(DWORD elapsedMsf) {
  return MsfMinutes(elapsedMsf) == 0 && MsfSeconds(elapsedMsf) <= 1;
}

int SeekTargetFrames(int lengthFrames, int position) {
  // 64 bits: a long track times 256 stays far inside, whatever the disc says.
  return static_cast<int>(static_cast<long long>(lengthFrames) * (position + 1) / 256);
}

int SeekBarPosition(int elapsedFrames, int lengthFrames) {
  if (lengthFrames <= 0) return -1;
  long long position = static_cast<long long>(elapsedFrames) * 256 / lengthFrames - 1;
  // A drive may report a position past the track's end for a moment.
  return position > 255 ? 255 : static_cast<int>(position);
}

int MenuCommandTrack(int commandId, int trackCount) {
  int track = commandId - IDM_TRACK_BASE;
  return track > trackCount ? trackCount : track;
}

UINT AnimationInterval(int mouseAnime) {
  return static_cast<UINT>(mouseAnime < kMinAnimationInterval ? kMinAnimationInterval : mouseAnime);
}

POINT ContextMenuPoint(LPARAM lParam, const RECT& window) {
  if (lParam == -1) return POINT{window.left, window.top};
  return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

void FormatPlayTitle(char* title, size_t size, int track, const ShownTime& shown, const char* appName,
                     const char* trackTitle) {
  char time[24];
  FormatText(time, sizeof(time), "[%02d] %s%02d:%02d", track, shown.remaining ? "-" : "", shown.minutes,
             shown.seconds);
  // The name stays whole: the track's title (with the terminator) gets the
  // room the time, the name and the joins between them (" ", " - ") leave.
  char cut[256] = "";
  const size_t used = strlen(time) + strlen(appName) + 4;
  if (trackTitle && size > used) CopyText(cut, size - used < sizeof(cut) ? size - used : sizeof(cut), trackTitle);
  if (cut[0] == '\0') {
    FormatText(title, size, "%s - %s", time, appName);
  } else {
    FormatText(title, size, "%s %s - %s", time, cut, appName);
  }
}
