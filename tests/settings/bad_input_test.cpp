// INI files and registry values as a damaged disk or a careless editor may leave them.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "settings_fixture.h"
#include "skin/plugin_list.h"

namespace {

TEST_F(SettingsTest, DamagedSettingsFileLoadsWithBoundedTexts) {
  std::string huge(10000, 'x');
  WriteFileBytes(IniFile(), "\xEF\xBB\xBFjunk\r\n[MainWindow]\r\nPositionX=abc\r\n"
                            "PositionY=99999999999999999999\r\nAlwaysOnTop\r\n[Resources]\r\n"
                            "LastFile=" + huge + "\r\n[FileNameWindow]\r\nFontName=" + huge +
                            "\r\nTextColor=" + huge + "\r\n" + huge + "\r\n"
                            "[General\r\nMouseAnime\r\n=5\r\n\x01\x02\xff\xfe\r\n");
  settings.Load();
  EXPECT_EQ(strlen(settings.lastFile), 259u);
  EXPECT_EQ(strlen(settings.fontName), 31u);
  EXPECT_EQ(settings.alwaysOnTop, 0) << "a key without '=' has no value";
  EXPECT_EQ(settings.mouseAnime, 500);
  settings.Save();  // and the damaged file can be written over
  EXPECT_TRUE(HasLine(IniFile(), "FontName=" + std::string(31, 'x')));
}

TEST_F(SettingsTest, ManyLongTitlesAreCutAndCopiedWithinBounds) {
  std::string text = "[ABC]\r\nResourceFile=" + std::string(10000, 'r') + "\r\n";
  for (int i = 0; i < 99; ++i) text += std::to_string(i) + "=" + std::string(1000, 'a' + i % 26) + "\r\n";
  WriteFileBytes(CdFile(), text);
  settings.LoadCd(0xABC, 99);
  EXPECT_EQ(strlen(settings.cdResourceFile), 259u);
  for (int track = 1; track <= 99; ++track) {
    char buffer[270];
    memset(buffer, '#', sizeof(buffer));
    ASSERT_TRUE(settings.GetTrackTitle(track, buffer, 260));
    ASSERT_EQ(std::string(buffer), std::string(259, 'a' + (track - 1) % 26));
    ASSERT_EQ(buffer[260], '#');
  }
}

TEST_F(SettingsTest, RegistryFolderMustFitTheBufferWithItsTerminator) {
  char buffer[12];
  auto read = [&](DWORD size) {
    memset(buffer, '#', sizeof(buffer));
    return ReadRegistryPluginFolder(buffer, size, registry.path());
  };
  registry.SetValue(std::string("ABCDEFG", 8));  // 7 bytes and the terminator
  EXPECT_TRUE(read(8));
  EXPECT_STREQ(buffer, "ABCDEFG");
  registry.SetValue(std::string("ABCDEFGH", 9));  // one byte more than fits
  EXPECT_FALSE(read(8));
  EXPECT_EQ(buffer[0], '\0');
  EXPECT_EQ(buffer[8], '#');
}

}  // namespace
