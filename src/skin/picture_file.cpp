#include "skin/picture_file.h"

#include <new>

namespace {

// No 32-bit process holds a file of 2 GiB or more; the 64-bit build keeps the
// same limit so both read the same files.
constexpr DWORD kMaxPictureFileBytes = 0x7FFFFFFF;

}  // namespace

unique_hfile OpenPictureFile(const char* path) {
  if (path == nullptr) return unique_hfile();
  return unique_hfile(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
}

ImageStatus ReadPictureFile(HANDLE file, std::unique_ptr<BYTE[]>* bytes, size_t* size) {
  DWORD high = 0;
  DWORD low = GetFileSize(file, &high);
  if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return ImageReadFailed;
  if (high != 0 || low > kMaxPictureFileBytes) return ImageOutOfMemory;
  std::unique_ptr<BYTE[]> buffer(new (std::nothrow) BYTE[low == 0 ? 1 : low]);
  if (!buffer) return ImageOutOfMemory;
  DWORD total = 0;
  while (total < low) {
    DWORD got = 0;
    if (!ReadFile(file, buffer.get() + total, low - total, &got, nullptr)) return ImageReadFailed;
    if (got == 0) break;  // the file shrank meanwhile
    total += got;
  }
  *bytes = std::move(buffer);
  *size = total;
  return ImageOk;
}
