#include "common/path_text.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// "表" in code page 932: its second byte is the code of a backslash.
const char kHyou[] = "\x95\x5c";

TEST(PathText, FileNameFolderAndExtension) {
  EXPECT_STREQ(FileNamePart("C:\\skins\\blue\\a.rc"), "a.rc");
  EXPECT_STREQ(FileNamePart("C:a.rc"), "a.rc");
  EXPECT_STREQ(FileNamePart("a.rc"), "a.rc");
  EXPECT_STREQ(ExtensionPart("C:\\x.y\\skin.RC"), ".RC");
  EXPECT_STREQ(ExtensionPart("C:\\x.y\\skin"), "");
  char folder[32];
  FolderOf("C:\\skins\\a.rc", folder, sizeof(folder));
  EXPECT_STREQ(folder, "C:\\skins\\");
  FolderOf("a.rc", folder, sizeof(folder));
  EXPECT_STREQ(folder, "");
}

TEST(PathText, TrailBytesThatLookLikeBackslashesAreNotSeparators) {
  std::string path = std::string("C:\\") + kHyou + "\\" + kHyou + ".rc";
  EXPECT_EQ(std::string(FileNamePart(path.c_str())), std::string(kHyou) + ".rc");
  char folder[32];
  FolderOf(path.c_str(), folder, sizeof(folder));
  EXPECT_EQ(std::string(folder), std::string("C:\\") + kHyou + "\\");
}

TEST(PathText, AppendBackslashOnlyWhenTheLastCharacterIsNotOne) {
  char path[16] = "C:\\spi";
  AppendBackslash(path, sizeof(path));
  EXPECT_STREQ(path, "C:\\spi\\");
  AppendBackslash(path, sizeof(path));
  EXPECT_STREQ(path, "C:\\spi\\");
  char empty[4] = "";
  AppendBackslash(empty, sizeof(empty));
  EXPECT_STREQ(empty, "\\");
  char kanji[16];
  strcpy(kanji, "C:\\");
  strcat(kanji, kHyou);
  AppendBackslash(kanji, sizeof(kanji));
  EXPECT_EQ(std::string(kanji), std::string("C:\\") + kHyou + "\\");
}

TEST(PathText, FolderTooLongForTheBufferIsNotCutIntoAnotherFolder) {
  char folder[8];
  FolderOf("C:\\a-long-folder\\x.rc", folder, sizeof(folder));
  EXPECT_STREQ(folder, "");
}

TEST(PathText, SamePathIgnoresLetterCaseButNeverFoldsTrailBytes) {
  EXPECT_TRUE(SamePathIgnoringCase("C:\\Skins\\Blue.RC", "c:\\skins\\blue.rc"));
  // "ア" (83 41) and "ヂ" (83 61): trail bytes that read as 'A' and 'a'.
  EXPECT_FALSE(SamePathIgnoringCase("C:\\\x83\x41\\x.rc", "C:\\\x83\x61\\x.rc"));
  EXPECT_TRUE(SamePathIgnoringCase("C:\\\x83\x41\\X.rc", "c:\\\x83\x41\\x.RC"));
  EXPECT_FALSE(SamePathIgnoringCase("C:\\a.rc", "C:\\a.rc2"));
}

}  // namespace
