// A drive's answer to IOCTL_CDROM_READ_TOC (MSF addresses) as a DiscToc.
// The drive is hostile input: an answer cut short, out of order or without
// its lead-out holds no table.
#ifndef ZANTO_CD_CDROM_TOC_H
#define ZANTO_CD_CDROM_TOC_H

#include <windows.h>
#include <winioctl.h>
#include <ntddcdrm.h>

#include "cd/disc_toc.h"

// `size`: the bytes of `toc` the drive filled. False for an answer that
// holds no usable table; *out is then left as it was.
bool TocFromCdromToc(const CDROM_TOC& toc, DWORD size, DiscToc* out);

#endif
