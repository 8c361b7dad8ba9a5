// The table of contents the disc ids are computed from: the drive's own
// where it answers IOCTL_CDROM_READ_TOC, else rebuilt from what the CD-audio
// device reports. That device gives the last track one frame short (so did
// every Windows before; the disc databases' ids count that frame), so the
// rebuilt lead-out puts the frame back.
#ifndef ZANTO_CD_LOOKUP_TOC_H
#define ZANTO_CD_LOOKUP_TOC_H

#include <windows.h>

#include "cd/disc_info.h"
#include "cd/disc_toc.h"

// The frame the CD-audio device leaves off the last track's length.
constexpr int kDeviceShortFrames = 1;

// From the device's figures: `firstStartFrames` is track 1's start as it
// reported it (MSF frames from the disc's start, the lead-in counted), the
// tracks' starts and lengths from `disc`. False without a track, or with a
// length the device did not give.
bool TocFromDeviceFigures(const DiscInfo& disc, int firstStartFrames, DiscToc* out);
// Asks drive `letter` (0: the first CD drive) for its table. False when the
// drive cannot be opened or does not answer.
bool ReadDriveToc(char letter, DiscToc* out);

#endif
