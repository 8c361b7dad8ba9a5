// The player's view of a disc (DiscInfo) from a raw table of contents: each
// track lasts up to the next one's start, the last up to the lead-out.
#ifndef ZANTO_CD_TOC_DISC_INFO_H
#define ZANTO_CD_TOC_DISC_INFO_H

#include "cd/disc_info.h"
#include "cd/disc_toc.h"

// The identity comes from the caller: the table alone does not carry it.
DiscInfo DiscInfoFromToc(const DiscToc& toc, int identity);

// The track that `lba` lies in: the last one starting at or before it,
// clamped to the table's tracks; 0 for an empty table.
int TocTrackAt(const DiscToc& toc, int lba);
// Where a track ends: the next one's start, or the lead-out after the last.
int TocTrackEnd(const DiscToc& toc, int track);

#endif
