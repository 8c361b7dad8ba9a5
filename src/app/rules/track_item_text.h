// The text of one track's item in the track menu: "1. 朝の歌 (4:00)" for a
// track with a title, "01 (04:00)" for one without. Text of the ANSI code page.
#ifndef ZANTO_APP_RULES_TRACK_ITEM_TEXT_H
#define ZANTO_APP_RULES_TRACK_ITEM_TEXT_H

#include <windows.h>

#include <cstddef>

// Room for a whole title of CD.ini (259 bytes), its number and its length.
constexpr size_t kTrackItemSize = 288;

// `title` may be null or empty. Every '&' of the title is doubled, so the
// menu shows it rather than underlining the next character; a title too long
// for `capacity` is cut at a character boundary (never between the two '&'),
// and the length always shows.
void FormatTrackItem(char* out, size_t capacity, int track, const char* title, DWORD lengthMsf);

#endif
