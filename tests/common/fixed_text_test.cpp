#include "common/fixed_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// "あい" in code page 932.
const char kTwoKana[] = "\x82\xa0\x82\xa2";

TEST(FixedText, CopyCutsAtCapacityAndNeverWritesPastIt) {
  char buffer[8];
  memset(buffer, 'z', sizeof(buffer));
  CopyText(buffer, 5, "abcdefgh");
  EXPECT_STREQ(buffer, "abcd");
  EXPECT_EQ(buffer[5], 'z');
  CopyText(buffer, 5, nullptr);
  EXPECT_STREQ(buffer, "");
  CopyText(buffer, 0, "abc");  // nothing at all may be written
  EXPECT_STREQ(buffer, "");
}

TEST(FixedText, CutsNeverSplitADoubleByteCharacter) {
  char buffer[8];
  CopyText(buffer, 4, kTwoKana);  // room for 3 bytes: one whole character
  EXPECT_STREQ(buffer, "\x82\xa0");
  CopyText(buffer, 6, std::string("a").append(kTwoKana).c_str());
  EXPECT_STREQ(buffer, "a\x82\xa0\x82\xa2");

  CopyText(buffer, 3, "ab");
  AppendText(buffer, 5, kTwoKana);  // "ab" + 2 of the 4 bytes
  EXPECT_STREQ(buffer, "ab\x82\xa0");
  AppendText(buffer, 5, "x");
  EXPECT_STREQ(buffer, "ab\x82\xa0");

  FormatText(buffer, 4, "%s%s", "x", kTwoKana);
  EXPECT_STREQ(buffer, "x\x82\xa0");
  FormatText(buffer, 3, "%s%s", "x", kTwoKana);
  EXPECT_STREQ(buffer, "x");
}

TEST(FixedText, FormatWritesWholeNumbersAndCutsLongOnes) {
  char buffer[6];
  FormatText(buffer, sizeof(buffer), "%d", -42);
  EXPECT_STREQ(buffer, "-42");
  FormatText(buffer, sizeof(buffer), "%d", 123456789);
  EXPECT_STREQ(buffer, "12345");
}

TEST(FixedText, LoadTextGivesEmptyTextForAMissingString) {
  char buffer[16];
  strcpy(buffer, "old");
  LoadText(GetModuleHandleA(nullptr), 1, buffer);
  EXPECT_STREQ(buffer, "");
}

}  // namespace
