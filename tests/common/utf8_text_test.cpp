// UTF-8 into the ANSI code page the tests run in (932).
#include <gtest/gtest.h>

#include "common/utf8_text.h"

namespace {

// Catches malformed UTF-8 copied through. Japanese and the '?' for what code
// page 932 lacks are the lookup table's first row, through the service's
// answer into CD.ini; the cut between characters is the disc image table's
// long sheet title.
TEST(Utf8TextTest, MarksWhatItCannotRead) {
  char out[64] = "junk";
  Utf8ToAnsi("a\xff" "b", out, sizeof(out));
  EXPECT_STREQ("a?b", out);
}

}  // namespace
