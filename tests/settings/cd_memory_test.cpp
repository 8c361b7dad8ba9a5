#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "settings_fixture.h"

namespace {

class CdMemoryTest : public SettingsTest {
 protected:
  // The title of a track, checking that nothing is written past `capacity`.
  std::string Title(int track, int capacity = 260) {
    char buffer[300];
    memset(buffer, '#', sizeof(buffer));
    found = settings.GetTrackTitle(track, buffer, capacity);
    EXPECT_EQ(buffer[capacity], '#');
    return std::string(buffer, strnlen(buffer, capacity));
  }
  bool found = false;
};

TEST_F(CdMemoryTest, TitlesAreReadPerTrackFromKeyZeroOn) {
  std::string longTitle(300, 'L');
  WriteFileBytes(CdFile(), "[1A2B]\r\nResourceFile=C:\\disc.rc\r\n0=First\r\n1=\r\n2=" + longTitle +
                               "\r\n[FF]\r\n0=Other disc\r\n");
  settings.LoadCd(0x1A2B, 5);
  EXPECT_STREQ(settings.cdResourceFile, "C:\\disc.rc");
  EXPECT_EQ(Title(1), "First");
  EXPECT_TRUE(found);
  EXPECT_EQ(Title(3), longTitle.substr(0, 259));
  EXPECT_EQ(Title(3, 4), "LLL");
  for (int emptyTrack : {2, 5, 6}) {  // present but empty, missing, above the count
    EXPECT_EQ(Title(emptyTrack), "");
    EXPECT_FALSE(found) << emptyTrack;
  }

  settings.LoadCd(0xFF, 1);  // another disc replaces the titles
  EXPECT_EQ(Title(1), "Other disc");
  EXPECT_EQ(Title(2), "");
  EXPECT_STREQ(settings.cdResourceFile, "");
}

TEST_F(CdMemoryTest, WithoutAKnownDiscTheBufferIsLeftAlone) {
  WriteFileBytes(CdFile(), "[5]\r\n0=Title\r\n");
  char buffer[16] = "untouched";
  EXPECT_FALSE(settings.GetTrackTitle(1, buffer, sizeof(buffer)));
  settings.LoadCd(5, 1);
  settings.ForgetCd();
  EXPECT_EQ(settings.cdIdentity, 0);
  EXPECT_FALSE(settings.GetTrackTitle(1, buffer, sizeof(buffer)));
  EXPECT_STREQ(buffer, "untouched");
}

TEST_F(CdMemoryTest, SaveAndForgetStoreLastFileUnderTheKnownDiscInHexadecimal) {
  settings.chgResByCd = 1;
  settings.Save();
  EXPECT_FALSE(FileExists(CdFile())) << "no disc known";

  CopyText(settings.lastFile, "C:\\a.rc");
  settings.LoadCd(255, 0);
  settings.Save();
  CopyText(settings.lastFile, "C:\\b.rc");
  settings.LoadCd(-1, 0);
  settings.ForgetCd();
  EXPECT_EQ(settings.cdKnown, 0);
  CopyText(settings.lastFile, "C:\\c.rc");
  settings.Save();  // the forgotten disc gets nothing
  std::vector<std::string> expected = {"[FF]", "ResourceFile=C:\\a.rc", "[FFFFFFFF]",
                                       "ResourceFile=C:\\b.rc"};
  EXPECT_EQ(IniLines(CdFile()), expected);
}

TEST_F(CdMemoryTest, WithChgResByCdOffCdIniIsReadButNeverWritten) {
  settings.LoadCd(7, 1);
  settings.Save();
  settings.ForgetCd();
  EXPECT_FALSE(FileExists(CdFile()));

  const std::string content = "[7]\r\nResourceFile=C:\\old.rc\r\n0=Song\r\n";
  WriteFileBytes(CdFile(), content);
  settings.LoadCd(7, 1);
  EXPECT_EQ(Title(1), "Song");
  settings.Save();
  settings.ForgetCd();
  EXPECT_EQ(ReadFileBytes(CdFile()), content);
}

}  // namespace
