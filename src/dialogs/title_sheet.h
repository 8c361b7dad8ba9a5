// The title editor's functional core: the record it edits - the disc's
// titles and, to show beside them, each track's length - and the rows of its
// track list.
#ifndef ZANTO_DIALOGS_TITLE_SHEET_H
#define ZANTO_DIALOGS_TITLE_SHEET_H

#include <windows.h>

#include <cstddef>

#include "settings/disc_titles.h"

struct TitleSheet {
  DiscTitles titles;
  DWORD lengths[kTitledTrackLimit];  // MSF of track t at t - 1; 0 when the drive gave none
};

// The list row of track t (1-based): "01\t04:05\ttitle", the tabs lining up
// number, length and title. Empty for a track the disc does not have.
void FormatTrackRow(const TitleSheet& sheet, int track, char* out, size_t capacity);
// Keeps `text` as track t's title, cut to its array; a track the disc does
// not have changes nothing. False then.
bool SetTrackTitle(TitleSheet* sheet, int track, const char* text);

#endif
