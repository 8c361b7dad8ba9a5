// Which enumerated faces the title page offers, and which one it selects.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogs/font_list.h"
#include "settings/settings.h"

namespace {

FontFace Face(const char* name, BYTE charSet = SHIFTJIS_CHARSET, DWORD type = TRUETYPE_FONTTYPE) {
  FontFace face = {};
  lstrcpynA(face.faceName, name, LF_FACESIZE);
  face.fontType = type;
  face.charSet = charSet;
  return face;
}

// The names offered, then the index selected for fontName.
std::vector<std::string> Offer(const std::vector<FontFace>& faces, const char* fontName) {
  GrowableArray names(kFontNameSize, kFontListGrowth);
  for (const FontFace& face : faces) AddFontFace(face, names);
  SortFontNames(names);
  std::vector<std::string> offered;
  for (int i = 0; i < names.count; ++i) offered.push_back(static_cast<const char*>(names.At(i)));
  offered.push_back(std::to_string(FindFontEntry(names, fontName)));
  return offered;
}

// Catches: vertical "@" faces, bitmap fonts or other character sets offered; a
// family listed once per character set; selection other than the first sorted
// prefix match, or no fallback to the first entry.
TEST(FontList, KeepsTrueTypeAnsiAndShiftJisFacesOnceSortedAndSelectsByPrefix) {
  std::vector<FontFace> faces = {
      Face("Tahoma", ANSI_CHARSET), Face("Gothic B"), Face("@Gothic B"), Face("Gothic A"),
      Face("Gothic A", ANSI_CHARSET), Face("Greek Only", GREEK_CHARSET),
      Face("Bitmap", ANSI_CHARSET, RASTER_FONTTYPE), Face("Arial", ANSI_CHARSET),
  };
  using Names = std::vector<std::string>;
  EXPECT_EQ(Offer(faces, "gothic"), (Names{"Arial", "Gothic A", "Gothic B", "Tahoma", "1"}));
  EXPECT_EQ(Offer(faces, "Tahoma").back(), "3");
  EXPECT_EQ(Offer(faces, "Courier").back(), "0");
  EXPECT_EQ(Offer(faces, "Tahoma Bold").back(), "0");
  EXPECT_EQ(Offer({Face("@Only")}, "x"), Names{"-1"});
}

}  // namespace
