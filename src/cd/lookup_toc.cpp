#include "cd/lookup_toc.h"

#include "cd/cd_drives.h"
#include "cd/drive_sector_source.h"
#include "common/ascii_text.h"

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

bool ReadDriveToc(char letter, DiscToc* out) {
  char drive = letter == 0 ? FirstCdDrive() : DriveLetterOf(letter);
  DriveSectorSource source;
  return drive != 0 && source.Open(drive) && source.ReadToc(out);
}
