// UTF-8 into the ANSI code page the tests run in (932).
#include <gtest/gtest.h>

#include "common/utf8_text.h"

namespace {

// Catches: a cut that splits a double-byte character, and malformed UTF-8
// copied through. Japanese and the '?' for what code page 932 lacks are the
// lookup table's first row, through the service's answer into CD.ini.
TEST(Utf8TextTest, CutsBetweenCharactersAndMarksWhatItCannotRead) {
  char out[64] = "junk";
  Utf8ToAnsi("\xe6\x9c\x9d\xe3\x81\xae\xe6\xad\x8c", out, 4);  // 朝の歌
  EXPECT_STREQ("\x92\xa9", out);
  Utf8ToAnsi("a\xff" "b", out, sizeof(out));
  EXPECT_STREQ("a?b", out);
}

}  // namespace
