#include "cd/cd_text_drive.h"

#include <winioctl.h>
#include <ntddcdrm.h>

#include <cstring>
#include <memory>
#include <new>

#include "cd/cd_drives.h"
#include "common/ascii_text.h"
#include "common/fixed_text.h"
#include "common/handles.h"

namespace {

// Eight blocks of at most 256 packs each, after the 4-byte header.
constexpr size_t kCdTextBufferSize = kCdTextHeaderSize + 8 * 256 * kCdTextPackSize;

}  // namespace

CdTextReadStatus ReadCdText(char letter, CdText* out) {
  if (out == nullptr) return CdTextReadStatus::NoDrive;
  memset(out, 0, sizeof(*out));
  char drive = letter == 0 ? FirstCdDrive() : DriveLetterOf(letter);
  if (drive == 0) return CdTextReadStatus::NoDrive;

  char path[8];
  FormatText(path, sizeof(path), "\\\\.\\%c:", drive);
  unique_hfile device(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                  0, nullptr));
  if (!device) return CdTextReadStatus::OpenFailed;

  std::unique_ptr<BYTE[]> buffer(new (std::nothrow) BYTE[kCdTextBufferSize]);
  if (!buffer) return CdTextReadStatus::QueryFailed;
  CDROM_READ_TOC_EX request;
  memset(&request, 0, sizeof(request));
  request.Format = CDROM_READ_TOC_EX_FORMAT_CDTEXT;  // SessionTrack 0, Msf 0
  DWORD returned = 0;
  if (!DeviceIoControl(device.get(), IOCTL_CDROM_READ_TOC_EX, &request, sizeof(request), buffer.get(),
                       static_cast<DWORD>(kCdTextBufferSize), &returned, nullptr))
    return CdTextReadStatus::QueryFailed;
  // The count the driver reports bounds what the decoder may look at.
  if (returned > kCdTextBufferSize) returned = static_cast<DWORD>(kCdTextBufferSize);
  return DecodeCdText(buffer.get(), returned, out) ? CdTextReadStatus::Read : CdTextReadStatus::NoText;
}
