#include "app/rules/track_item_text.h"

#include <cstring>

#include "cd/msf.h"
#include "common/fixed_text.h"

void FormatTrackItem(char* out, size_t capacity, int track, const char* title, DWORD lengthMsf) {
  if (capacity == 0) return;
  int minutes = MsfMinutes(lengthMsf);
  int seconds = MsfSeconds(lengthMsf);
  if (title == nullptr || title[0] == '\0') {
    FormatText(out, capacity, "%02d (%02d:%02d)", track, minutes, seconds);
    return;
  }
  char prefix[16];
  FormatText(prefix, sizeof(prefix), "%d. ", track);
  char suffix[16];
  FormatText(suffix, sizeof(suffix), " (%d:%02d)", minutes, seconds);
  size_t fixed = strlen(prefix) + strlen(suffix);
  size_t room = capacity > fixed + 1 ? capacity - fixed - 1 : 0;  // bytes for the title
  CopyText(out, capacity, prefix);
  size_t used = strlen(out);
  for (const char* p = title; *p != '\0';) {
    const char* next = CharNextA(p);
    size_t bytes = static_cast<size_t>(next - p);
    if (bytes == 0) break;
    size_t need = *p == '&' ? 2 : bytes;
    if (need > room) break;  // whole characters only, and '&' only doubled
    if (*p == '&') out[used++] = '&';
    memcpy(out + used, p, bytes);
    used += bytes;
    room -= need;
    p = next;
  }
  out[used] = '\0';
  AppendText(out, capacity, suffix);
}
