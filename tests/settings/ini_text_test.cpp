// Edits of INI text in memory, against what the profile services read back.
#include "settings/ini_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Text(const IniText& text) { return std::string(text.data() ? text.data() : "", text.size()); }

// Catches: a key set in the wrong section or twice, names compared with
// case or blanks, comments, blank lines and other programs' keys disturbed,
// a key added after the next section's header, a file without a final line
// end joined to the new line, a key matched by its prefix, and removal that
// takes the wrong lines.
TEST(IniText, SetValueTouchesOnlyTheFirstMatchingLine) {
  struct Case {
    const char* fault;
    const char* before;
    const char* section;
    const char* key;
    const char* value;
    const char* after;
  } cases[] = {
      {"value not replaced in place", "; note\r\n[A]\r\nK=1\r\n\r\nOther=x\r\n", "A", "K", "2",
       "; note\r\n[A]\r\nK=2\r\n\r\nOther=x\r\n"},
      {"names compared with case or blanks", "[mainwindow]\r\n  positionx = 5\r\n", "MainWindow", "PositionX", "-7",
       "[mainwindow]\r\nPositionX=-7\r\n"},
      {"new key not after the section's last line", "[A]\r\nX=1\r\n\r\n[B]\r\nK=9\r\n", "A", "K", "2",
       "[A]\r\nX=1\r\nK=2\r\n\r\n[B]\r\nK=9\r\n"},
      {"key matched by its prefix", "[A]\r\nKey2=1\r\n", "A", "Key", "3", "[A]\r\nKey2=1\r\nKey=3\r\n"},
      {"section matched by its prefix", "[AB]\r\nK=1\r\n", "A", "K", "2", "[AB]\r\nK=1\r\n[A]\r\nK=2\r\n"},
      {"missing section not appended", "[A]\r\nK=1", "B", "K", "2", "[A]\r\nK=1\r\n[B]\r\nK=2\r\n"},
      {"empty text", "", "A", "K", "v", "[A]\r\nK=v\r\n"},
      {"second section of a name edited", "[A]\r\nK=1\r\n[A]\r\nK=5\r\n", "A", "K", "2",
       "[A]\r\nK=2\r\n[A]\r\nK=5\r\n"},
      {"a line break in a value splits the line", "[A]\r\n", "A", "K", "one\r\n[B]", "[A]\r\nK=one\r\n"},
      {"a header with a note after it not found", "[A] ; note\nK=1\n", "A", "K", "2", "[A] ; note\nK=2\r\n"},
      {"a double-byte value taken for a header", "[A]\r\nT=\x83\x5b\x83\x5d\r\n", "A", "T", "\x83\x5d",
       "[A]\r\nT=\x83\x5d\r\n"},
      {"removed key leaves its line", "[A]\r\nJ=0\r\nK=1\r\nL=2\r\n", "A", "K", nullptr, "[A]\r\nJ=0\r\nL=2\r\n"},
      {"removing a missing key changes the text", "[A]\r\nJ=0", "A", "K", nullptr, "[A]\r\nJ=0"},
      {"removed section takes the next one along", "[A]\r\nK=1\r\n[B]\r\nL=2\r\n", "A", nullptr, nullptr,
       "[B]\r\nL=2\r\n"},
  };
  for (const Case& c : cases) {
    IniText text;
    ASSERT_TRUE(text.Assign(c.before, strlen(c.before)));
    ASSERT_TRUE(text.SetValue(c.section, c.key, c.value)) << c.fault;
    EXPECT_EQ(Text(text), c.after) << c.fault;
  }
}

// Catches: a section's lines not replaced as a whole, or its neighbours
// touched, when one disc's titles are written in one go.
TEST(IniText, SetSectionReplacesTheLinesOfOneSection) {
  IniText text;
  const std::string before = "[1A]\r\n0=Old\r\n1=Older\r\n[2B]\r\n0=Kept\r\n";
  ASSERT_TRUE(text.Assign(before.data(), before.size()));
  ASSERT_TRUE(text.SetSection("1a", "0=New\0ResourceFile=C:\\a.rc\0"));
  EXPECT_EQ(Text(text), "[1A]\r\n0=New\r\nResourceFile=C:\\a.rc\r\n[2B]\r\n0=Kept\r\n");
  ASSERT_TRUE(text.SetSection("3C", "0=Third\0"));
  EXPECT_EQ(Text(text), "[1A]\r\n0=New\r\nResourceFile=C:\\a.rc\r\n[2B]\r\n0=Kept\r\n[3C]\r\n0=Third\r\n");
}

}  // namespace
