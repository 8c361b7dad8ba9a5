// A test plug-in whose behaviour its own file name selects:
//   never.spi    IsSupported answers 0; GetPicture (never to be called) gives green
//   green.spi    takes every file and gives a 1 x 1 green picture
//   codeN.spi    takes every file; GetPicture fails with result N (codeM1: -1)
//   pal4.spi     the 3 x 2 sample picture, 4 bits per pixel with a palette
//   topdown.spi  the same picture, 24 bits per pixel, rows top-down
//   short.spi    an 8-bit header whose palette the block is too short to hold
// The sample: top row red, green, blue; bottom row magenta, grey (90, 100,
// 110), red.
#include <windows.h>

#include <cstdlib>
#include <cstring>

namespace {

HMODULE self = nullptr;

enum class Behaviour { Never, Green, Code, Pal4, TopDown, Short, Unknown };

struct Selected {
  Behaviour behaviour = Behaviour::Unknown;
  int code = 0;
};

Selected SelectByName() {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(self, path, sizeof(path));
  const char* name = path;
  for (const char* p = path; *p; ++p) {
    if (*p == '\\' || *p == '/') name = p + 1;
  }
  Selected s;
  if (_strnicmp(name, "never.", 6) == 0) s.behaviour = Behaviour::Never;
  if (_strnicmp(name, "green.", 6) == 0) s.behaviour = Behaviour::Green;
  if (_strnicmp(name, "pal4.", 5) == 0) s.behaviour = Behaviour::Pal4;
  if (_strnicmp(name, "topdown.", 8) == 0) s.behaviour = Behaviour::TopDown;
  if (_strnicmp(name, "short.", 6) == 0) s.behaviour = Behaviour::Short;
  if (_strnicmp(name, "code", 4) == 0) {
    s.behaviour = Behaviour::Code;
    s.code = (name[4] == 'M' || name[4] == 'm') ? -std::atoi(name + 5) : std::atoi(name + 4);
  }
  return s;
}

HLOCAL Block(const void* bytes, size_t size) {
  HLOCAL block = LocalAlloc(LMEM_MOVEABLE, size);
  if (block == nullptr) return nullptr;
  std::memcpy(LocalLock(block), bytes, size);
  LocalUnlock(block);
  return block;
}

BITMAPINFOHEADER Header(int width, int height, int bitCount, DWORD colours) {
  BITMAPINFOHEADER h = {};
  h.biSize = sizeof(h);
  h.biWidth = width;
  h.biHeight = height;
  h.biPlanes = 1;
  h.biBitCount = static_cast<WORD>(bitCount);
  h.biCompression = BI_RGB;
  h.biClrUsed = colours;
  return h;
}

int Give(const void* info, size_t infoSize, const void* bits, size_t bitsSize, HLOCAL* pInfo,
         HLOCAL* pBits) {
  *pInfo = Block(info, infoSize);
  *pBits = Block(bits, bitsSize);
  return *pInfo != nullptr && *pBits != nullptr ? 0 : 4;
}

int GiveGreen(HLOCAL* pInfo, HLOCAL* pBits) {
  BITMAPINFOHEADER h = Header(1, 1, 24, 0);
  const BYTE pixel[4] = {0, 255, 0, 0};
  return Give(&h, sizeof(h), pixel, sizeof(pixel), pInfo, pBits);
}

int GivePal4(HLOCAL* pInfo, HLOCAL* pBits) {
  struct {
    BITMAPINFOHEADER h;
    RGBQUAD palette[5];
  } info = {Header(3, 2, 4, 5),
            {{0, 0, 255, 0}, {0, 255, 0, 0}, {255, 0, 0, 0}, {255, 0, 255, 0}, {110, 100, 90, 0}}};
  // Bottom row first: magenta, grey, red | red, green, blue; 2 bytes each, padded to 4.
  const BYTE rows[8] = {0x34, 0x00, 0, 0, 0x01, 0x20, 0, 0};
  return Give(&info, sizeof(info), rows, sizeof(rows), pInfo, pBits);
}

int GiveTopDown(HLOCAL* pInfo, HLOCAL* pBits) {
  BITMAPINFOHEADER h = Header(3, -2, 24, 0);
  const BYTE rows[24] = {0, 0, 255, 0, 255, 0, 255, 0, 0,   0, 0, 0,
                         255, 0, 255, 110, 100, 90, 0, 0, 255, 0, 0, 0};
  return Give(&h, sizeof(h), rows, sizeof(rows), pInfo, pBits);
}

int GiveShort(HLOCAL* pInfo, HLOCAL* pBits) {
  BITMAPINFOHEADER h = Header(3, 2, 8, 0);  // 256 palette entries, none in the block
  const BYTE rows[8] = {};
  return Give(&h, sizeof(h), rows, sizeof(rows), pInfo, pBits);
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) self = instance;
  return TRUE;
}

extern "C" {

__declspec(dllexport) int WINAPI GetPluginInfo(int infono, LPSTR buf, int buflen) {
  const char* text = infono == 0 ? "00IN" : infono == 1 ? "misbehaving test plug-in" : nullptr;
  if (text == nullptr || buf == nullptr || buflen <= 0) return 0;
  lstrcpynA(buf, text, buflen);
  return lstrlenA(buf);
}

__declspec(dllexport) int WINAPI IsSupported(LPCSTR, ULONG_PTR) {
  return SelectByName().behaviour == Behaviour::Never ? 0 : 1;
}

__declspec(dllexport) int WINAPI GetPicture(LPCSTR, LONG_PTR, unsigned int, HLOCAL* pInfo,
                                            HLOCAL* pBits, FARPROC, LONG_PTR) {
  Selected s = SelectByName();
  switch (s.behaviour) {
    case Behaviour::Never:
    case Behaviour::Green:
      return GiveGreen(pInfo, pBits);
    case Behaviour::Code:
      return s.code;
    case Behaviour::Pal4:
      return GivePal4(pInfo, pBits);
    case Behaviour::TopDown:
      return GiveTopDown(pInfo, pBits);
    case Behaviour::Short:
      return GiveShort(pInfo, pBits);
    case Behaviour::Unknown:
      break;
  }
  return 2;  // unknown format
}

}  // extern "C"
