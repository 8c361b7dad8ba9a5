// A test plug-in for a slow decoder. It takes only files whose name ends in
// ".wait". GetPicture sets the event "ZantoWaitPlugin.entered.<process id>",
// then waits (at most 30 s) until the test sets "ZantoWaitPlugin.go.<process
// id>", and gives a 2 x 1 blue picture. Without the events it answers at
// once. (The extension is .sph in the 64-bit build.)
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "local_block.h"

namespace {

constexpr DWORD kLongestWait = 30000;  // ms: a test that never lets go still ends

HANDLE OpenNamedEvent(const char* role) {
  char name[64];
  std::snprintf(name, sizeof(name), "ZantoWaitPlugin.%s.%lu", role, GetCurrentProcessId());
  return OpenEventA(EVENT_MODIFY_STATE | SYNCHRONIZE, FALSE, name);
}

bool EndsWith(const char* text, const char* end) {
  size_t n = std::strlen(text);
  size_t m = std::strlen(end);
  return n >= m && _stricmp(text + n - m, end) == 0;
}

}  // namespace

extern "C" {

__declspec(dllexport) int WINAPI GetPluginInfo(int infono, LPSTR buf, int buflen) {
  const char* text = infono == 0 ? "00IN" : infono == 1 ? "slow test plug-in" : infono == 2 ? "*.wait"
                   : infono == 3 ? "slow pictures" : nullptr;
  if (text == nullptr || buf == nullptr || buflen <= 0) return 0;
  lstrcpynA(buf, text, buflen);
  return lstrlenA(buf);
}

__declspec(dllexport) int WINAPI IsSupported(LPCSTR filename, ULONG_PTR) {
  return filename != nullptr && EndsWith(filename, ".wait") ? 1 : 0;
}

__declspec(dllexport) int WINAPI GetPicture(LPCSTR, LONG_PTR, unsigned int, HLOCAL* pInfo,
                                            HLOCAL* pBits, FARPROC, LONG_PTR) {
  HANDLE entered = OpenNamedEvent("entered");
  HANDLE go = OpenNamedEvent("go");
  if (entered && go) {
    SetEvent(entered);
    WaitForSingleObject(go, kLongestWait);
  }
  if (entered) CloseHandle(entered);
  if (go) CloseHandle(go);

  BITMAPINFOHEADER h = {};
  h.biSize = sizeof(h);
  h.biWidth = 2;
  h.biHeight = 1;
  h.biPlanes = 1;
  h.biBitCount = 24;
  h.biCompression = BI_RGB;
  const BYTE row[8] = {255, 0, 0, 255, 0, 0, 0, 0};
  *pInfo = Block(&h, sizeof(h));
  *pBits = Block(row, sizeof(row));
  return *pInfo != nullptr && *pBits != nullptr ? 0 : 4;
}

}  // extern "C"
