#include "app/disc_image_hand_over.h"

#include <cstring>

#include "app/player/player_window.h"
#include "cd/cue_sheet.h"
#include "common/fixed_text.h"
#include "common/path_text.h"
#include "window/skin_window.h"

namespace {

// Long enough for a sleeping player to wake, short enough that a hung one
// does not hold the start for long.
constexpr UINT kHandOverTimeoutMs = 5000;

struct PlayerSearch {
  const char* modulePath;
  HWND found;
};

// The process image of `window`'s owner is this program's own file: two
// copies in two folders are two players with settings of their own.
bool SameProgram(HWND window, const char* modulePath) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  unique_handle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
  if (!process) return false;
  char image[2 * MAX_PATH];
  DWORD length = sizeof(image);
  return QueryFullProcessImageNameA(process.get(), 0, image, &length) && SamePathIgnoringCase(image, modulePath);
}

BOOL CALLBACK FindPlayer(HWND window, LPARAM lParam) {
  auto* search = reinterpret_cast<PlayerSearch*>(lParam);
  char className[64];
  if (!GetClassNameA(window, className, sizeof(className)) || strcmp(className, kSkinWindowClassName) != 0) {
    return TRUE;
  }
  if (!SameProgram(window, search->modulePath)) return TRUE;
  search->found = window;
  return FALSE;
}

}  // namespace

bool DiscImageArgument(const char* arguments, char* out, size_t capacity) {
  CopyText(out, capacity, "");
  if (!arguments) return false;
  while (*arguments == ' ' || *arguments == '\t') ++arguments;
  // Quoted: up to the closing quote (or the end); else the rest, less trailing blanks.
  const char* start = arguments;
  size_t length;
  if (*start == '"') {
    const char* end = strchr(++start, '"');
    length = end ? static_cast<size_t>(end - start) : strlen(start);
  } else {
    length = strlen(start);
    while (length > 0 && (start[length - 1] == ' ' || start[length - 1] == '\t')) --length;
  }
  char given[kPathSize];
  if (length >= sizeof(given)) return false;
  memcpy(given, start, length);
  given[length] = '\0';
  if (given[0] == '\0' || !IsDiscImagePath(given)) return false;
  // Relative to the folder the user started in, which the running player
  // receiving it does not share.
  DWORD full = GetFullPathNameA(given, static_cast<DWORD>(capacity), out, nullptr);
  if (full == 0 || full >= capacity) {
    CopyText(out, capacity, "");
    return false;
  }
  return true;
}

bool HandOverDiscImage(const char* modulePath, const char* path) {
  PlayerSearch search = {modulePath, nullptr};
  EnumWindows(FindPlayer, reinterpret_cast<LPARAM>(&search));
  if (!search.found) return false;
  DWORD processId = 0;
  GetWindowThreadProcessId(search.found, &processId);
  AllowSetForegroundWindow(processId);  // it comes to the front to play
  COPYDATASTRUCT data = {};
  data.dwData = kOpenDiscImageCopy;
  data.cbData = static_cast<DWORD>(strlen(path) + 1);
  data.lpData = const_cast<char*>(path);
  DWORD_PTR taken = 0;
  return SendMessageTimeoutA(search.found, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG,
                             kHandOverTimeoutMs, &taken) != 0 &&
         taken == TRUE;
}
