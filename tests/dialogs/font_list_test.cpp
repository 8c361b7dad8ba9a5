// Which enumerated faces the title page offers, and which one it selects.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/font_list.h"
#include "settings/settings.h"

namespace {

FontFace Face(const char* name, BYTE charSet = SHIFTJIS_CHARSET, DWORD type = TRUETYPE_FONTTYPE) {
  FontFace face = {};
  lstrcpynA(face.faceName, name, LF_FACESIZE);
  face.fontType = type;
  face.charSet = charSet;
  return face;
}

struct Offered {
  std::vector<std::string> names;
  int selected;
};

Offered Offer(const std::vector<FontFace>& faces, const char* fontName) {
  GrowableArray names(kFontNameSize, kFontListGrowth);
  for (const FontFace& face : faces) AddFontFace(face, names);
  SortFontNames(names);
  Offered offered{{}, FindFontEntry(names, fontName)};
  for (int i = 0; i < names.count; ++i) offered.names.push_back(static_cast<const char*>(names.At(i)));
  return offered;
}

// Catches: vertical "@" faces, bitmap fonts or foreign character sets in the
// list; a family listed once per character set; selection by anything but the
// first sorted prefix match.
TEST(FontList, KeepsTrueTypeAnsiAndShiftJisFacesOnceSortedAndSelectsByPrefix) {
  std::vector<FontFace> faces = {
      Face("Tahoma", ANSI_CHARSET),         Face("Gothic B"),
      Face("@Gothic B"),                    Face("Gothic A"),
      Face("Gothic A", ANSI_CHARSET),       Face("Greek Only", GREEK_CHARSET),
      Face("Bitmap", ANSI_CHARSET, RASTER_FONTTYPE),
      Face("Arial", ANSI_CHARSET),          Face("Gothic A", DEFAULT_CHARSET),
  };
  Offered offered = Offer(faces, "gothic");
  EXPECT_EQ(offered.names, (std::vector<std::string>{"Arial", "Gothic A", "Gothic B", "Tahoma"}));
  EXPECT_EQ(offered.selected, 1) << "a prefix of several: the first in sorted order";

  EXPECT_EQ(Offer(faces, "Tahoma").selected, 3);
  EXPECT_EQ(Offer(faces, "Courier").selected, 0) << "not offered: the first entry";
  EXPECT_EQ(Offer(faces, "Tahoma Bold").selected, 0) << "longer than every entry";
  EXPECT_EQ(Offer({Face("@Only")}, "x").selected, -1) << "nothing offered, nothing selected";
}

// Catches: the real enumeration handing over something the rule drops.
TEST(FontList, SystemEnumerationOffersEachKeptFaceOnce) {
  GrowableArray names(kFontNameSize, kFontListGrowth);
  HDC screen = GetDC(nullptr);
  EnumerateFontNames(screen, names);
  ReleaseDC(nullptr, screen);
  ASSERT_GT(names.count, 0);
  for (int i = 0; i < names.count; ++i) {
    const char* name = static_cast<const char*>(names.At(i));
    EXPECT_NE(name[0], '@');
    for (int j = 0; j < i; ++j) EXPECT_STRNE(name, static_cast<const char*>(names.At(j)));
  }
}

}  // namespace
