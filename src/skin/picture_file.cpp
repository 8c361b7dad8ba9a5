#include "skin/picture_file.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

// No 32-bit process holds a file of 2 GiB or more; the 64-bit build keeps the
// same limit so both read the same files.
constexpr DWORD kMaxPictureFileBytes = 0x7FFFFFFF;

// The start of a BMP file read before its pixels: far more than any header
// and colour table, and the pixel rows of most small pictures.
constexpr size_t kBmpHeadBytes = 64 * 1024;

// Reads up to `wanted` bytes; fewer only at the end of the file.
bool ReadUpTo(HANDLE file, BYTE* buffer, size_t wanted, size_t* got) {
  size_t total = 0;
  while (total < wanted) {
    DWORD chunk = 0;
    DWORD ask = static_cast<DWORD>(wanted - total);
    if (!ReadFile(file, buffer + total, ask, &chunk, nullptr)) return false;
    if (chunk == 0) break;
    total += chunk;
  }
  *got = total;
  return true;
}

}  // namespace

unique_hfile OpenPictureFile(const char* path) {
  if (path == nullptr) return unique_hfile();
  return unique_hfile(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
}

ImageStatus ReadBmpFile(HANDLE file, DecodedBmp* out) {
  DWORD high = 0;
  DWORD low = GetFileSize(file, &high);
  if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return ImageReadFailed;
  if (high != 0 || low > kMaxPictureFileBytes) return ImageOutOfMemory;
  const size_t fileSize = low;

  const size_t headSize = fileSize < kBmpHeadBytes ? fileSize : kBmpHeadBytes;
  std::unique_ptr<BYTE[]> head(new (std::nothrow) BYTE[headSize == 0 ? 1 : headSize]);
  if (!head) return ImageOutOfMemory;
  size_t got = 0;
  if (!ReadUpTo(file, head.get(), headSize, &got)) return ImageReadFailed;
  // The file shrank meanwhile: what came is the whole file.
  if (got < headSize) return DecodeBmp(head.get(), got, out);

  BmpLayout layout;
  ImageStatus status = DecodeBmpLayout(head.get(), got, fileSize, &layout);
  out->refusedSize = layout.refusedSize;
  if (status != ImageOk) return status;
  std::unique_ptr<BYTE[]> bits(new (std::nothrow) BYTE[layout.bitsSize]);
  if (!bits) return ImageOutOfMemory;
  size_t copied = 0;
  if (layout.pixelOffset < got) {
    copied = std::min(got - layout.pixelOffset, layout.pixelBytesInFile);
    std::memcpy(bits.get(), head.get() + layout.pixelOffset, copied);
  } else if (layout.pixelOffset > got) {
    LARGE_INTEGER offset;
    offset.QuadPart = static_cast<LONGLONG>(layout.pixelOffset);
    if (!SetFilePointerEx(file, offset, nullptr, FILE_BEGIN)) return ImageReadFailed;
  }
  size_t more = 0;
  if (!ReadUpTo(file, bits.get() + copied, layout.pixelBytesInFile - copied, &more)) {
    return ImageReadFailed;
  }
  std::memset(bits.get() + copied + more, 0, layout.bitsSize - copied - more);

  out->info = std::move(layout.info);
  out->bits = std::move(bits);
  out->bitsSize = layout.bitsSize;
  return ImageOk;
}
