// A Susie image plug-in for PNG files: the four exports of the convention,
// __stdcall with plain names, pictures handed back as LMEM_MOVEABLE blocks of
// 32-bit BI_RGB rows, bottom-up, bytes B, G, R, A (straight alpha).
#include <windows.h>

#include <cstring>
#include <memory>
#include <new>

#include "stb_image.h"

namespace {

// Result codes of the convention.
constexpr int kSuccess = 0;
constexpr int kCancelled = 1;
constexpr int kUnknownFormat = 2;
constexpr int kBrokenData = 3;
constexpr int kOutOfMemory = 4;
constexpr int kMemoryError = 5;
constexpr int kReadError = 6;

// The source argument: a file path with the picture at an offset, or the
// file's bytes in memory.
constexpr unsigned int kSourceMask = 7;
constexpr unsigned int kSourceInMemory = 1;

constexpr BYTE kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// A second argument of IsSupported above this is the address of the file's
// first bytes; below it, a file handle.
constexpr ULONG_PTR kLargestHandle = 0xFFFF;
// No picture this plug-in is asked for comes near this.
constexpr DWORD kLargestFile = 256u * 1024u * 1024u;

#pragma pack(push, 1)
struct PictureInfo {
  long left, top;
  long width, height;
  WORD xDensity, yDensity;
  short colorDepth;
  HLOCAL text;
};
#pragma pack(pop)

using ProgressProc = int(WINAPI*)(int done, int total, LONG_PTR data);

bool HasSignature(const BYTE* bytes, size_t size) {
  return size >= sizeof(kSignature) && std::memcmp(bytes, kSignature, sizeof(kSignature)) == 0;
}

// The file (from offset on) or the memory block the host named.
struct Source {
  std::unique_ptr<BYTE[]> owned;
  const BYTE* bytes = nullptr;
  size_t size = 0;
};

int ReadSource(LPCSTR buf, LONG_PTR len, unsigned int flag, Source* source) {
  if ((flag & kSourceMask) == kSourceInMemory) {
    if (buf == nullptr || len < 0) return kReadError;
    source->bytes = reinterpret_cast<const BYTE*>(buf);
    source->size = static_cast<size_t>(len);
    return kSuccess;
  }
  HANDLE file = CreateFileA(buf, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return kReadError;
  int result = kSuccess;
  DWORD high = 0;
  DWORD size = GetFileSize(file, &high);
  if (high != 0 || size > kLargestFile || len < 0 || static_cast<DWORD>(len) > size ||
      SetFilePointer(file, static_cast<LONG>(len), nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER) {
    result = kReadError;
  } else {
    size -= static_cast<DWORD>(len);
    source->owned.reset(new (std::nothrow) BYTE[size == 0 ? 1 : size]);
    DWORD got = 0;
    if (!source->owned) {
      result = kOutOfMemory;
    } else if (!ReadFile(file, source->owned.get(), size, &got, nullptr)) {
      result = kReadError;
    }
    source->bytes = source->owned.get();
    source->size = got;
  }
  CloseHandle(file);
  return result;
}

// Copies text into the host's buffer; the length copied.
int CopyInfo(const char* text, LPSTR buf, int buflen) {
  if (buf == nullptr || buflen <= 0) return 0;
  int length = static_cast<int>(std::strlen(text));
  if (length >= buflen) length = buflen - 1;
  std::memcpy(buf, text, static_cast<size_t>(length));
  buf[length] = '\0';
  return length;
}

HLOCAL AllocateBlock(size_t size, void** locked) {
  HLOCAL block = LocalAlloc(LMEM_MOVEABLE | LMEM_ZEROINIT, size);
  *locked = block != nullptr ? LocalLock(block) : nullptr;
  return block;
}

}  // namespace

extern "C" {

__declspec(dllexport) int WINAPI GetPluginInfo(int infono, LPSTR buf, int buflen) {
  static const char* const kInfo[] = {"00IN", "PNG decoder (stb_image) for Zanto Player tests",
                                      "*.png", "PNG pictures"};
  if (infono < 0 || infono >= static_cast<int>(sizeof(kInfo) / sizeof(kInfo[0]))) return 0;
  return CopyInfo(kInfo[infono], buf, buflen);
}

__declspec(dllexport) int WINAPI IsSupported(LPCSTR, ULONG_PTR dw) {
  if (dw > kLargestHandle) return HasSignature(reinterpret_cast<const BYTE*>(dw), 2048);
  BYTE head[sizeof(kSignature)];
  DWORD got = 0;
  HANDLE file = reinterpret_cast<HANDLE>(dw);
  return ReadFile(file, head, sizeof(head), &got, nullptr) && HasSignature(head, got);
}

__declspec(dllexport) int WINAPI GetPictureInfo(LPCSTR buf, LONG_PTR len, unsigned int flag,
                                                PictureInfo* info) {
  if (info == nullptr) return kMemoryError;
  Source source;
  int result = ReadSource(buf, len, flag, &source);
  if (result != kSuccess) return result;
  if (!HasSignature(source.bytes, source.size)) return kUnknownFormat;
  int width = 0, height = 0, channels = 0;
  if (!stbi_info_from_memory(source.bytes, static_cast<int>(source.size), &width, &height,
                             &channels)) {
    return kBrokenData;
  }
  *info = PictureInfo{};
  info->width = width;
  info->height = height;
  info->colorDepth = 32;
  return kSuccess;
}

__declspec(dllexport) int WINAPI GetPicture(LPCSTR buf, LONG_PTR len, unsigned int flag,
                                            HLOCAL* pHBInfo, HLOCAL* pHBm, FARPROC progress,
                                            LONG_PTR lData) {
  if (pHBInfo == nullptr || pHBm == nullptr) return kMemoryError;
  auto report = reinterpret_cast<ProgressProc>(reinterpret_cast<void*>(progress));
  if (report != nullptr && report(0, 1, lData) != 0) return kCancelled;
  Source source;
  int result = ReadSource(buf, len, flag, &source);
  if (result != kSuccess) return result;
  if (!HasSignature(source.bytes, source.size)) return kUnknownFormat;

  int width = 0, height = 0, channels = 0;
  stbi_uc* rgba = stbi_load_from_memory(source.bytes, static_cast<int>(source.size), &width,
                                        &height, &channels, 4);
  if (rgba == nullptr) return kBrokenData;
  const size_t stride = static_cast<size_t>(width) * 4;
  void* header = nullptr;
  void* pixels = nullptr;
  HLOCAL infoBlock = AllocateBlock(sizeof(BITMAPINFOHEADER), &header);
  HLOCAL bitsBlock = AllocateBlock(stride * static_cast<size_t>(height), &pixels);
  if (header == nullptr || pixels == nullptr) {
    if (infoBlock) LocalFree(infoBlock);
    if (bitsBlock) LocalFree(bitsBlock);
    stbi_image_free(rgba);
    return kOutOfMemory;
  }
  BITMAPINFOHEADER bih = {};
  bih.biSize = sizeof(bih);
  bih.biWidth = width;
  bih.biHeight = height;  // bottom-up
  bih.biPlanes = 1;
  bih.biBitCount = 32;
  bih.biCompression = BI_RGB;
  std::memcpy(header, &bih, sizeof(bih));
  for (int y = 0; y < height; ++y) {
    const stbi_uc* in = rgba + static_cast<size_t>(y) * stride;
    BYTE* out = static_cast<BYTE*>(pixels) + static_cast<size_t>(height - 1 - y) * stride;
    for (int x = 0; x < width; ++x, in += 4, out += 4) {
      out[0] = in[2];
      out[1] = in[1];
      out[2] = in[0];
      out[3] = in[3];
    }
  }
  stbi_image_free(rgba);
  LocalUnlock(infoBlock);
  LocalUnlock(bitsBlock);
  *pHBInfo = infoBlock;
  *pHBm = bitsBlock;
  if (report != nullptr) report(1, 1, lData);
  return kSuccess;
}

}  // extern "C"
