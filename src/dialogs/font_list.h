// The face names offered for the title display: chosen from the font families
// the system enumerates, and the entry that matches the current setting.
#ifndef ZANTO_DIALOGS_FONT_LIST_H
#define ZANTO_DIALOGS_FONT_LIST_H

#include <windows.h>

#include "skin/growable_array.h"

constexpr int kFontListGrowth = 12;

// One family as the enumeration reports it.
struct FontFace {
  char faceName[LF_FACESIZE];
  DWORD fontType;
  BYTE charSet;
};

// True for a TrueType face in the ANSI or Shift-JIS character set that is not
// a vertical-writing ("@") variant.
bool KeepFontFace(const FontFace& face);
// Appends face's name to names (entries of LF_FACESIZE bytes) when it is kept
// and not already there: a family enumerated once per character set is
// offered once.
void AddFontFace(const FontFace& face, GrowableArray& names);
// Every kept face of the family enumeration on dc, once each.
void EnumerateFontNames(HDC dc, GrowableArray& names);
// Sorts names as a sorted combo box does (case-insensitive, user locale).
void SortFontNames(GrowableArray& names);
// Index of the first entry of sorted names that begins with fontName (case
// ignored); 0 when none does; -1 when names is empty.
int FindFontEntry(const GrowableArray& names, const char* fontName);

#endif
