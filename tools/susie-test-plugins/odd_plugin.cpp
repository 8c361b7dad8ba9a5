// A test plug-in whose behaviour its own file name selects:
//   never.spi    IsSupported answers 0; GetPicture (never to be called) gives green
//   green.spi    takes every file and gives a 1 x 1 green picture
//   codeN.spi    takes every file; GetPicture fails with result N (codeM1: -1)
//   pal4.spi     the 3 x 2 sample picture, 4 bits per pixel with a palette
//   topdown.spi  the same picture, 24 bits per pixel, rows top-down
//   short.spi    an 8-bit header whose palette the block is too short to hold
//   v5pal.spi    the sample, 8 bits per pixel, BITMAPV5HEADER, palette after it
//   v5bits.spi   the sample, 32-bit BI_BITFIELDS, BITMAPV5HEADER (masks inside it)
//   nullis.spi, nullget.spi      write through a null pointer in IsSupported /
//                                in GetPicture (after allocating the blocks)
//   minus1is.spi, minus1get.spi  read from address -1 there
//   nullmain.spi                 writes through a null pointer in DllMain
//   nullfree.spi                 the same when it is unloaded; otherwise green
//   nullseh.spi                  IsSupported chains a frame handler of its own
//                                (32-bit only) and writes through a null pointer
//   faultonce.spi                IsSupported faults on its first call only;
//                                then it takes every file and gives green
//   huge.spi     takes files that begin with "HUGE"; GetPictureInfo reports
//                30000 x 30000 at 24 bits (with a text block for the host to
//                free), and GetPicture takes 20 s, as a real decoder of such a
//                picture would, before it gives green
//   nullinfo.spi writes through a null pointer in GetPictureInfo; otherwise green
// Every other name answers GetPictureInfo with -1 (not implemented), so the
// host decodes as it would without the export.
// (The extension is .sph in the 64-bit build.)
// The sample: top row red, green, blue; bottom row magenta, grey (90, 100,
// 110), red.
#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "local_block.h"

namespace {

HMODULE self = nullptr;

enum class Behaviour {
  Never, Green, Code, Pal4, TopDown, Short, V5Palette, V5Bitfields,
  NullInIsSupported, NullInGetPicture, Minus1InIsSupported, Minus1InGetPicture, NullInDllMain,
  NullWhenFreed, NullUnderOwnHandler, FaultOnce, Huge, NullInGetPictureInfo, Unknown
};

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
  if (_strnicmp(name, "v5pal.", 6) == 0) s.behaviour = Behaviour::V5Palette;
  if (_strnicmp(name, "v5bits.", 7) == 0) s.behaviour = Behaviour::V5Bitfields;
  if (_strnicmp(name, "nullis.", 7) == 0) s.behaviour = Behaviour::NullInIsSupported;
  if (_strnicmp(name, "nullget.", 8) == 0) s.behaviour = Behaviour::NullInGetPicture;
  if (_strnicmp(name, "minus1is.", 9) == 0) s.behaviour = Behaviour::Minus1InIsSupported;
  if (_strnicmp(name, "minus1get.", 10) == 0) s.behaviour = Behaviour::Minus1InGetPicture;
  if (_strnicmp(name, "nullmain.", 9) == 0) s.behaviour = Behaviour::NullInDllMain;
  if (_strnicmp(name, "nullfree.", 9) == 0) s.behaviour = Behaviour::NullWhenFreed;
  if (_strnicmp(name, "nullseh.", 8) == 0) s.behaviour = Behaviour::NullUnderOwnHandler;
  if (_strnicmp(name, "faultonce.", 10) == 0) s.behaviour = Behaviour::FaultOnce;
  if (_strnicmp(name, "huge.", 5) == 0) s.behaviour = Behaviour::Huge;
  if (_strnicmp(name, "nullinfo.", 9) == 0) s.behaviour = Behaviour::NullInGetPictureInfo;
  if (_strnicmp(name, "code", 4) == 0) {
    s.behaviour = Behaviour::Code;
    s.code = (name[4] == 'M' || name[4] == 'm') ? -std::atoi(name + 5) : std::atoi(name + 4);
  }
  return s;
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

// The sample behind a BITMAPV5HEADER, as alpha-aware decoders return it.
BITMAPV5HEADER V5Header(int bitCount, DWORD compression, DWORD colours) {
  BITMAPV5HEADER h = {};
  h.bV5Size = sizeof(h);
  h.bV5Width = 3;
  h.bV5Height = 2;
  h.bV5Planes = 1;
  h.bV5BitCount = static_cast<WORD>(bitCount);
  h.bV5Compression = compression;
  h.bV5ClrUsed = colours;
  h.bV5CSType = 0x73524742;  // LCS_sRGB, spelt as a number (a four-letter constant warns)
  h.bV5Intent = LCS_GM_IMAGES;
  return h;
}

int GiveV5Palette(HLOCAL* pInfo, HLOCAL* pBits) {
  // Palette order unlike pal4's, so a table read from offset 40 shows.
  struct {
    BITMAPV5HEADER h;
    RGBQUAD palette[5];
  } info = {V5Header(8, BI_RGB, 5),
            {{110, 100, 90, 0}, {255, 0, 255, 0}, {0, 0, 255, 0}, {255, 0, 0, 0}, {0, 255, 0, 0}}};
  // Bottom row first: magenta, grey, red | red, green, blue; 3 bytes each, padded to 4.
  const BYTE rows[8] = {1, 0, 2, 0, 2, 4, 3, 0};
  return Give(&info, sizeof(info), rows, sizeof(rows), pInfo, pBits);
}

int GiveV5Bitfields(HLOCAL* pInfo, HLOCAL* pBits) {
  BITMAPV5HEADER h = V5Header(32, BI_BITFIELDS, 0);
  h.bV5RedMask = 0x00FF0000;
  h.bV5GreenMask = 0x0000FF00;
  h.bV5BlueMask = 0x000000FF;
  h.bV5AlphaMask = 0xFF000000;
  const BYTE rows[24] = {255, 0, 255, 255, 110, 100, 90, 255, 0, 0, 255, 255,
                         0, 0, 255, 255, 0, 255, 0, 255, 255, 0, 0, 255};
  return Give(&h, sizeof(h), rows, sizeof(rows), pInfo, pBits);
}

// Faults the compiler cannot see coming: the addresses are read at run time,
// so no store or load is folded into a trap instruction.
int* volatile nullTarget = nullptr;
const char* volatile minus1Source = reinterpret_cast<const char*>(static_cast<intptr_t>(-1));

int WriteThroughNull() {
  *nullTarget = 1;
  return 1;
}
int ReadFromMinus1() { return *minus1Source == 0 ? 2 : 1; }
int isSupportedCalls = 0;

// As code from compilers with frame-based handlers does on i686: a record on
// this frame's stack, linked at the head of the thread's chain, is still
// there when the fault comes.
#if defined(__i386__)
struct HandlerRecord {
  HandlerRecord* next;
  void* handler;
};
EXCEPTION_DISPOSITION __cdecl PassOn(EXCEPTION_RECORD*, void*, CONTEXT*, void*) {
  return ExceptionContinueSearch;
}
int NullUnderOwnHandler() {
  HandlerRecord record;
  __asm__ __volatile__("movl %%fs:0, %0" : "=r"(record.next));
  record.handler = reinterpret_cast<void*>(&PassOn);
  HandlerRecord* head = &record;
  __asm__ __volatile__("movl %0, %%fs:0" : : "r"(head) : "memory");
  int result = WriteThroughNull();
  __asm__ __volatile__("movl %0, %%fs:0" : : "r"(record.next) : "memory");
  return result;
}
#else
int NullUnderOwnHandler() { return WriteThroughNull(); }
#endif

constexpr char kHugeSignature[] = "HUGE";
constexpr LONG kHugeSide = 30000;
constexpr DWORD kHugeDecodeMs = 20000;

#pragma pack(push, 1)
struct PictureInfo {
  LONG left, top;
  LONG width, height;
  WORD xDensity, yDensity;
  SHORT colorDepth;
  HLOCAL text;
};
#pragma pack(pop)

}  // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    self = instance;
    if (SelectByName().behaviour == Behaviour::NullInDllMain) WriteThroughNull();
  }
  if (reason == DLL_PROCESS_DETACH && SelectByName().behaviour == Behaviour::NullWhenFreed) {
    WriteThroughNull();
  }
  return TRUE;
}

extern "C" {

__declspec(dllexport) int WINAPI GetPluginInfo(int infono, LPSTR buf, int buflen) {
  const char* text = infono == 0 ? "00IN" : infono == 1 ? "misbehaving test plug-in" : nullptr;
  if (text == nullptr || buf == nullptr || buflen <= 0) return 0;
  lstrcpynA(buf, text, buflen);
  return lstrlenA(buf);
}

__declspec(dllexport) int WINAPI IsSupported(LPCSTR, ULONG_PTR header) {
  switch (SelectByName().behaviour) {
    case Behaviour::Never:
      return 0;
    case Behaviour::NullInIsSupported:
      return WriteThroughNull();
    case Behaviour::Minus1InIsSupported:
      return ReadFromMinus1();
    case Behaviour::NullUnderOwnHandler:
      return NullUnderOwnHandler();
    case Behaviour::FaultOnce:
      return ++isSupportedCalls == 1 ? WriteThroughNull() : 1;
    case Behaviour::Huge:
      // The host always passes the file's first bytes.
      return header > 0xFFFF &&
             std::memcmp(reinterpret_cast<const char*>(header), kHugeSignature, 4) == 0;
    default:
      return 1;
  }
}

__declspec(dllexport) int WINAPI GetPicture(LPCSTR, LONG_PTR, unsigned int, HLOCAL* pInfo,
                                            HLOCAL* pBits, FARPROC, LONG_PTR) {
  Selected s = SelectByName();
  switch (s.behaviour) {
    case Behaviour::Never:
    case Behaviour::Green:
    case Behaviour::NullWhenFreed:
    case Behaviour::FaultOnce:
    case Behaviour::NullInGetPictureInfo:
      return GiveGreen(pInfo, pBits);
    case Behaviour::Huge:
      Sleep(kHugeDecodeMs);
      return GiveGreen(pInfo, pBits);
    case Behaviour::Code:
      return s.code;
    case Behaviour::Pal4:
      return GivePal4(pInfo, pBits);
    case Behaviour::TopDown:
      return GiveTopDown(pInfo, pBits);
    case Behaviour::Short:
      return GiveShort(pInfo, pBits);
    case Behaviour::V5Palette:
      return GiveV5Palette(pInfo, pBits);
    case Behaviour::V5Bitfields:
      return GiveV5Bitfields(pInfo, pBits);
    case Behaviour::NullInGetPicture:
    case Behaviour::Minus1InGetPicture:
      // Half-way through, as a decoder overrunning its buffer would be.
      GiveGreen(pInfo, pBits);
      return s.behaviour == Behaviour::NullInGetPicture ? WriteThroughNull() : ReadFromMinus1();
    case Behaviour::NullInIsSupported:
    case Behaviour::Minus1InIsSupported:
    case Behaviour::NullUnderOwnHandler:
    case Behaviour::NullInDllMain:
    case Behaviour::Unknown:
      break;
  }
  return 2;  // unknown format
}

__declspec(dllexport) int WINAPI GetPictureInfo(LPCSTR, LONG_PTR, unsigned int,
                                                PictureInfo* info) {
  switch (SelectByName().behaviour) {
    case Behaviour::Huge: {
      *info = PictureInfo{};
      info->width = kHugeSide;
      info->height = kHugeSide;
      info->colorDepth = 24;
      info->text = Block("a huge test picture", 20);
      return 0;
    }
    case Behaviour::NullInGetPictureInfo:
      return WriteThroughNull();
    default:
      return -1;
  }
}

}  // extern "C"
