#include "dialogs/font_list.h"

#include <cstdlib>
#include <cstring>

#include "common/fixed_text.h"

bool KeepFontFace(const FontFace& face) {
  return (face.fontType & TRUETYPE_FONTTYPE) != 0 &&
         (face.charSet == ANSI_CHARSET || face.charSet == SHIFTJIS_CHARSET) &&
         face.faceName[0] != '@';
}

void AddFontFace(const FontFace& face, GrowableArray& names) {
  if (!KeepFontFace(face)) return;
  char name[LF_FACESIZE];
  CopyText(name, face.faceName);
  for (int i = 0; i < names.count; ++i) {
    if (strcmp(static_cast<const char*>(names.At(i)), name) == 0) return;
  }
  names.Add(name);  // out of memory: the face is not offered
}

namespace {

int CALLBACK CollectFace(const LOGFONTA* font, const TEXTMETRICA*, DWORD fontType, LPARAM names) {
  FontFace face = {};
  CopyText(face.faceName, font->lfFaceName);
  face.fontType = fontType;
  face.charSet = font->lfCharSet;
  AddFontFace(face, *reinterpret_cast<GrowableArray*>(names));
  return 1;
}

int CompareNames(const void* a, const void* b) {
  return lstrcmpiA(static_cast<const char*>(a), static_cast<const char*>(b));
}

}  // namespace

void EnumerateFontNames(HDC dc, GrowableArray& names) {
  if (dc == nullptr) return;
  LOGFONTA all = {};
  all.lfCharSet = DEFAULT_CHARSET;
  EnumFontFamiliesExA(dc, &all, CollectFace, reinterpret_cast<LPARAM>(&names), 0);
}

void SortFontNames(GrowableArray& names) {
  if (names.count > 1) qsort(names.data, names.count, names.elementSize, CompareNames);
}

int FindFontEntry(const GrowableArray& names, const char* fontName) {
  if (names.count == 0) return -1;
  int length = static_cast<int>(strlen(fontName));
  for (int i = 0; i < names.count; ++i) {
    const char* name = static_cast<const char*>(names.At(i));
    if (static_cast<int>(strlen(name)) >= length &&
        CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, name, length, fontName, length) ==
            CSTR_EQUAL) {
      return i;
    }
  }
  return 0;
}
