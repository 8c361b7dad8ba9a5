// The track menu's item text, in the ANSI code page the tests run in (932).
#include <gtest/gtest.h>

#include <string>

#include "app/rules/track_item_text.h"
#include "cd/msf.h"

namespace {

const char kMorningSong[] = "\x92\xa9\x82\xcc\x89\xcc";  // 朝の歌

std::string Item(size_t capacity, int track, const char* title, DWORD length) {
  char text[kTrackItemSize + 8];
  FormatTrackItem(text, capacity, track, title, length);
  return text;
}

// Catches: a cut that splits a double-byte character or a doubled '&' or
// drops the length. Titled and untitled items whole, '&' doubled, are the
// track menu's test (track_titles_test.cpp), which reads them off the menu.
TEST(TrackItemTextTest, TitlesShowWithTheirLengthCutAtCharacterBoundaries) {
  const DWORD fourMinutes = MakeMsf(4, 0, 10);
  struct Case {
    const char* what;
    size_t capacity;
    const char* title;
    std::string expected;
  } cases[] = {
      // "1. " and " (4:00)" with the terminator take 11 bytes: 14 leave 3 for the title.
      {"cut before a split character", 14, kMorningSong, std::string("1. \x92\xa9 (4:00)")},
      {"cut before a split '&&'", 14, "ab&c", "1. ab (4:00)"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.expected, Item(c.capacity, 1, c.title, fourMinutes)) << c.what;
  // The longest title CD.ini holds, all '&': the item still ends with its length.
  std::string amps(259, '&');
  std::string item = Item(kTrackItemSize, 99, amps.c_str(), fourMinutes);
  EXPECT_EQ(kTrackItemSize - 1, item.size());
  EXPECT_EQ(" (4:00)", item.substr(item.size() - 7));
  EXPECT_EQ(0u, (item.size() - 4 - 7) % 2) << "an '&' left single";
}

}  // namespace
