#include "cd/drive_sector_source.h"

#include <cstring>

#include "cd/cdrom_toc.h"

namespace {

// RAW_READ_INFO's offset counts 2048-byte sectors whatever is read.
constexpr LONGLONG kCookedSectorBytes = 2048;
constexpr USHORT kFastestSpeed = 0xFFFF;

// Errors that say the drive, not one sector, is the trouble: no disc, a disc
// changed, or a device that cannot read audio sectors at all.
bool IsDriveError(DWORD error) {
  switch (error) {
    case ERROR_NOT_READY:
    case ERROR_NO_MEDIA_IN_DRIVE:
    case ERROR_MEDIA_CHANGED:
    case ERROR_INVALID_HANDLE:
    case ERROR_INVALID_FUNCTION:
    case ERROR_NOT_SUPPORTED:
    case ERROR_DEV_NOT_EXIST:
    case ERROR_BAD_COMMAND:
    case ERROR_ACCESS_DENIED:
      return true;
    default:
      return false;
  }
}

}  // namespace

bool DriveSectorSource::Open(char letter) {
  char path[] = {'\\', '\\', '.', '\\', letter, ':', '\0'};
  return OpenDevice(path);
}

bool DriveSectorSource::OpenDevice(const char* path) {
  Close();
  device_.reset(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
  return static_cast<bool>(device_);
}

void DriveSectorSource::Close() {
  device_.reset();
  leadOutLba_ = -1;
  quiet_ = false;
  nextLba_ = -1;
  unreadable_ = 0;
}

bool DriveSectorSource::ReadToc(DiscToc* toc) {
  if (!device_) return false;
  CDROM_TOC raw = {};
  DWORD got = 0;
  if (!DeviceIoControl(device_.get(), IOCTL_CDROM_READ_TOC, nullptr, 0, &raw, sizeof(raw), &got, nullptr)) {
    return false;
  }
  DiscToc result;
  if (!TocFromCdromToc(raw, got, &result)) return false;
  *toc = result;
  leadOutLba_ = result.leadOutLba;
  return true;
}

DriveSectorSource::ReadResult DriveSectorSource::RawRead(int lba, int count, unsigned char* out) {
  RAW_READ_INFO info = {};
  info.DiskOffset.QuadPart = static_cast<LONGLONG>(lba) * kCookedSectorBytes;
  info.SectorCount = static_cast<ULONG>(count);
  info.TrackMode = CDDA;
  DWORD bytes = static_cast<DWORD>(count) * kRawSectorBytes;
  DWORD got = 0;
  if (DeviceIoControl(device_.get(), IOCTL_CDROM_RAW_READ, &info, sizeof(info), out, bytes, &got, nullptr) &&
      got == bytes) {
    return ReadResult::kRead;
  }
  return IsDriveError(GetLastError()) ? ReadResult::kDriveGone : ReadResult::kBadSector;
}

bool DriveSectorSource::ReadWithRetries(int lba, int count, unsigned char* out) {
  ReadResult result = RawRead(lba, count, out);
  if (result == ReadResult::kRead) return true;
  if (result == ReadResult::kDriveGone) return false;
  if (count == 1) {
    std::memset(out, 0, kRawSectorBytes);
    ++unreadable_;
    return true;
  }
  int half = count / 2;
  return ReadWithRetries(lba, half, out) &&
         ReadWithRetries(lba + half, count - half, out + static_cast<size_t>(half) * kRawSectorBytes);
}

int DriveSectorSource::ReadSectors(int lba, int count, unsigned char* out) {
  if (!device_ || lba < 0 || count <= 0) return 0;
  if (leadOutLba_ >= 0 && count > leadOutLba_ - lba) count = leadOutLba_ - lba;
  if (quiet_ && lba != nextLba_) ApplySpeed();
  int done = 0;
  while (done < count) {
    int piece = count - done < kMaxSectorsPerDriveRead ? count - done : kMaxSectorsPerDriveRead;
    if (!ReadWithRetries(lba + done, piece, out + static_cast<size_t>(done) * kRawSectorBytes)) break;
    done += piece;
  }
  nextLba_ = lba + done;
  return done;
}

bool DriveSectorSource::SetQuiet(bool quiet) {
  quiet_ = quiet;
  return ApplySpeed();
}

bool DriveSectorSource::ApplySpeed() {
  if (!device_) return false;
  CDROM_SET_SPEED speed = {};
  speed.RequestType = CdromSetSpeed;
  speed.ReadSpeed = quiet_ ? kQuietReadKbPerSecond : kFastestSpeed;
  speed.WriteSpeed = kFastestSpeed;
  speed.RotationControl = CdromDefaultRotation;
  DWORD got = 0;
  return DeviceIoControl(device_.get(), IOCTL_CDROM_SET_SPEED, &speed, sizeof(speed), nullptr, 0, &got, nullptr) != 0;
}

bool DriveSectorSource::MoveTray(bool open) {
  if (!device_) return false;
  DWORD got = 0;
  nextLba_ = -1;  // a disc that comes back is read afresh, at its own speed
  return DeviceIoControl(device_.get(), open ? IOCTL_STORAGE_EJECT_MEDIA : IOCTL_STORAGE_LOAD_MEDIA, nullptr,
                         0, nullptr, 0, &got, nullptr) != 0;
}
