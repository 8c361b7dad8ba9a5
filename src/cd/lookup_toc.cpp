#include "cd/lookup_toc.h"

#include <cstddef>

#include "cd/cd_drives.h"
#include "common/ascii_text.h"
#include "common/fixed_text.h"
#include "common/handles.h"

namespace {

constexpr BYTE kDataTrackControl = 0x04;  // AUDIO_DATA_TRACK in the control nibble
constexpr BYTE kPreEmphasisControl = 0x01;
constexpr BYTE kLeadOutTrack = 0xAA;

int FramesOfMsf(const UCHAR (&address)[4]) { return (address[1] * 60 + address[2]) * 75 + address[3]; }

}  // namespace

bool TocFromDeviceFigures(const DiscInfo& disc, int firstStartFrames, DiscToc* out) {
  int count = KnownTracks(disc);
  if (count < 1 || count > kMaxTocTracks || firstStartFrames < kLeadInFrames) return false;
  DiscToc toc;
  toc.firstTrack = 1;
  toc.lastTrack = count;
  for (int t = 1; t <= count; ++t) {
    if (!disc.tracks[t].lengthKnown) return false;
    toc.tracks[t].startLba = firstStartFrames - kLeadInFrames + disc.tracks[t].startFrames;
    toc.tracks[t].data = disc.tracks[t].data;
  }
  toc.leadOutLba = toc.tracks[count].startLba + disc.tracks[count].lengthFrames + kDeviceShortFrames;
  *out = toc;
  return true;
}

bool TocFromCdromToc(const CDROM_TOC& toc, DWORD size, DiscToc* out) {
  constexpr DWORD kHeader = offsetof(CDROM_TOC, TrackData);
  if (size < kHeader || toc.FirstTrack < 1 || toc.LastTrack < toc.FirstTrack || toc.LastTrack > kMaxTocTracks) {
    return false;
  }
  int entries = toc.LastTrack - toc.FirstTrack + 2;  // the lead-out too
  if (size < kHeader + entries * sizeof(TRACK_DATA)) return false;
  DiscToc read;
  read.firstTrack = toc.FirstTrack;
  read.lastTrack = toc.LastTrack;
  for (int i = 0; i < entries; ++i) {
    const TRACK_DATA& entry = toc.TrackData[i];
    int lba = FramesOfMsf(entry.Address) - kLeadInFrames;
    if (lba < 0) return false;
    if (i == entries - 1) {
      if (entry.TrackNumber != kLeadOutTrack) return false;
      read.leadOutLba = lba;
    } else {
      if (entry.TrackNumber != toc.FirstTrack + i) return false;
      read.tracks[entry.TrackNumber].startLba = lba;
      read.tracks[entry.TrackNumber].data = (entry.Control & kDataTrackControl) != 0;
      read.tracks[entry.TrackNumber].preEmphasis = (entry.Control & kPreEmphasisControl) != 0;
    }
  }
  *out = read;
  return true;
}

bool ReadDriveToc(char letter, DiscToc* out) {
  char drive = letter == 0 ? FirstCdDrive() : DriveLetterOf(letter);
  if (drive == 0) return false;
  char path[8];
  FormatText(path, sizeof(path), "\\\\.\\%c:", drive);
  unique_hfile device(
      CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!device) return false;
  CDROM_TOC toc = {};
  DWORD returned = 0;
  if (!DeviceIoControl(device.get(), IOCTL_CDROM_READ_TOC, nullptr, 0, &toc, sizeof(toc), &returned, nullptr)) {
    return false;
  }
  return TocFromCdromToc(toc, returned, out);
}
