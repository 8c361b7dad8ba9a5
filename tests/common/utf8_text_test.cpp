// UTF-8 into the ANSI code page the tests run in (932).
#include <gtest/gtest.h>

#include <string>

#include "common/utf8_text.h"

namespace {

// Catches: text passed through as UTF-8, a look-alike put in for a missing
// character instead of '?', and a cut that splits a double-byte character.
TEST(Utf8TextTest, ConvertsToTheCodePageWithQuestionMarksAndWholeCharacters) {
  struct Case {
    const char* what;
    const char* utf8;
    size_t capacity;
    std::string expected;
  } cases[] = {
      {"Japanese", "\xe6\x9c\x9d\xe3\x81\xae\xe6\xad\x8c", 64, "\x92\xa9\x82\xcc\x89\xcc"},
      {"a character code page 932 lacks", "Caf\xc3\xa9", 64, "Caf?"},
      {"cut within a character", "\xe6\x9c\x9d\xe3\x81\xae\xe6\xad\x8c", 4, "\x92\xa9"},
      {"malformed UTF-8", "a\xff" "b", 64, "a?b"},
  };
  for (const Case& c : cases) {
    char out[64] = "junk";
    Utf8ToAnsi(c.utf8, out, c.capacity);
    EXPECT_EQ(c.expected, out) << c.what;
  }
}

}  // namespace
