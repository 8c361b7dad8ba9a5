#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/color_text.h"
#include "settings_fixture.h"

namespace {

TEST_F(SettingsTest, NoFilesGiveEveryDefaultAndSaveWritesThemInOrder) {
  settings.Load();
  EXPECT_FALSE(FileExists(IniFile())) << "Load never writes";
  EXPECT_EQ(settings.positionX, CW_USEDEFAULT);
  settings.Save();

  char exeFolder[MAX_PATH];
  BuildPathBesideExecutable("", exeFolder, sizeof(exeFolder));
  char font[64] = "";
  WideCharToMultiByte(932, 0, L"ＭＳ Ｐゴシック", -1, font, sizeof(font), nullptr, nullptr);
  std::vector<std::string> expected = {
      "[MainWindow]", "PositionX=-2147483648", "PositionY=-2147483648", "AlwaysOnTop=0",
      "[Resources]", std::string("LastFile=") + exeFolder + "ZantoPlay1.rc",
      "[SusiePlugin]", "UsePlugin=0", "PluginFolder=",
      "[Osuwari]", "DoOsuwari=0", "OsuwariXPer=90",
      "[FileNameWindow]", std::string("FontName=") + font, "FontStyle=0",
      "TextColor=255 255 255", "ShadowColor=0 0 0", "EnableShadow=1",
      "[General]", "TimeWindow=0", "MouseAnime=500", "ChgResByCD=0", "Repeat=0",
      "BlinkWhenPausing=1", "Volume=255", "Mute=0", "Shuffle=0", "RepeatTrack=0", "IntroScan=0",
      "TimeMode=0", "MediaHotKeys=0", "AutoPlay=0", "Drive=", "Playback=auto", "Deemphasis=1", "DigitalDevice=",
      "Scale=100", "[Lookup]", "Server=https://musicbrainz.org", "Online=1", "GnudbUser=",
      "GnudbServer=https://gnudb.gnudb.org"};
  EXPECT_EQ(IniLines(IniFile()), expected);
  EXPECT_FALSE(FileExists(CdFile()));
}

TEST_F(SettingsTest, SavedValuesReadBackUnchangedWithoutRangeLimits) {
  settings.positionX = -32000;  // left of and above the screen's origin
  settings.positionY = -1;
  settings.timeWindow = 7;
  settings.mouseAnime = -3;
  settings.fontStyle = 0x7fffffff;
  CopyText(settings.lastFile, "D:\\\x83\x58\x83\x4c\x83\x93\\a.rc");  // Japanese folder name
  CopyText(settings.pluginFolder, "D:\\Plugins");
  settings.textColor = RGB(1, 2, 3);
  settings.volume = 300;
  settings.timeMode = -2;
  settings.shuffle = settings.repeatTrack = settings.introScan = 1;
  settings.mediaHotKeys = settings.autoPlay = settings.mute = 1;
  settings.drive = 'E';
  settings.playback = PlaybackChoice::kAnalog;
  CopyText(settings.digitalDevice, "\\\\.\\ZantoCd0");
  settings.scale = 0;
  settings.Save();

  Settings again;
  PointAtScratch(again);
  again.Load();
  EXPECT_EQ(again.positionX, -32000);
  EXPECT_EQ(again.positionY, -1);
  EXPECT_EQ(again.timeWindow, 7);
  EXPECT_EQ(again.mouseAnime, -3);
  EXPECT_EQ(again.fontStyle, 0x7fffffff);
  EXPECT_STREQ(again.lastFile, settings.lastFile);
  EXPECT_EQ(again.textColor, RGB(1, 2, 3));
  EXPECT_EQ(again.volume, 300);
  EXPECT_EQ(again.timeMode, -2);
  EXPECT_EQ(again.shuffle + again.repeatTrack + again.introScan, 3) << "a play mode not kept";
  EXPECT_EQ(again.mediaHotKeys + again.autoPlay + again.mute, 3);
  EXPECT_EQ(again.drive, 'E');
  EXPECT_EQ(again.playback, PlaybackChoice::kAnalog);
  EXPECT_STREQ(again.digitalDevice, settings.digitalDevice);
  EXPECT_EQ(again.scale, 0) << "Scale=0 (follow the monitor) read as the default";
}

// Catches a drive or playback text misread (so another drive, or the silent
// analogue path, is used) and a de-emphasis flag other than 0 or 1.
TEST_F(SettingsTest, DriveAndPlaybackKeysThatNameNothingKnownTakeTheirDefault) {
  const struct {
    const char* text;
    char drive;
  } cases[] = {{"e", 'E'}, {"E:", 'E'}, {"", 0}, {"5", 0}, {"EF", 0}, {"E:\\", 0}, {":", 0}};
  for (const auto& c : cases) {
    WriteFileBytes(IniFile(), std::string("[General]\r\nDrive=") + c.text + "\r\n");
    settings.drive = 'X';
    settings.Load();
    EXPECT_EQ(settings.drive, c.drive) << "Drive=" << c.text;
  }
  const struct {
    const char* lines;
    PlaybackChoice playback;
    int deemphasis;
  } playbacks[] = {{"Playback=digital", PlaybackChoice::kDigital, 1},
                   {"Playback=ANALOG\r\nDeemphasis=0", PlaybackChoice::kAnalog, 0},
                   {"Playback=analogue\r\nDeemphasis=7", PlaybackChoice::kAuto, 1},
                   {"Playback=", PlaybackChoice::kAuto, 1}};
  for (const auto& c : playbacks) {
    WriteFileBytes(IniFile(), std::string("[General]\r\n") + c.lines + "\r\n");
    settings.Load();
    EXPECT_EQ(settings.playback, c.playback) << c.lines;
    EXPECT_EQ(settings.deemphasis, c.deemphasis) << c.lines;
  }
}

TEST_F(SettingsTest, ColoursKeepTheLowEightBitsAndAreWrittenBackThatWay) {
  WriteFileBytes(IniFile(), "[FileNameWindow]\r\nTextColor=300 20 -1\r\nShadowColor= 16\t32 \r\n");
  settings.Load();
  EXPECT_EQ(settings.textColor, RGB(44, 20, 255));
  EXPECT_EQ(settings.shadowColor, RGB(16, 32, 0));
  settings.Save();
  EXPECT_TRUE(HasLine(IniFile(), "TextColor=44 20 255"));

  // Components the text does not supply keep the default colour's.
  EXPECT_EQ(ParseColorText("10", RGB(255, 255, 255)), RGB(10, 255, 255));
  EXPECT_EQ(ParseColorText("12 x 5", RGB(1, 2, 3)), RGB(12, 2, 3));
  EXPECT_EQ(ParseColorText("", RGB(1, 2, 3)), RGB(1, 2, 3));
  // 32-bit wrap-around first: 99999999999 wraps to 0x4876E7FF.
  EXPECT_EQ(ParseColorText("4294967296 257 99999999999", 0), RGB(0, 1, 255));
}

TEST_F(SettingsTest, RegistryNamesThePluginFolderOnlyWhenTheFileDoesNot) {
  registry.SetValue(std::string("C:\\FromRegistry", 16));  // with its terminator
  settings.Load();
  EXPECT_STREQ(settings.pluginFolder, "C:\\FromRegistry");
  EXPECT_EQ(settings.usePlugin, 1);

  WriteFileBytes(IniFile(), "[SusiePlugin]\r\nUsePlugin=0\r\n");
  settings.Load();
  EXPECT_STREQ(settings.pluginFolder, "C:\\FromRegistry");
  EXPECT_EQ(settings.usePlugin, 0) << "the file's choice stays";

  WriteFileBytes(IniFile(), "[SusiePlugin]\r\nPluginFolder=E:\\Mine\r\n");
  settings.Load();
  EXPECT_STREQ(settings.pluginFolder, "E:\\Mine");
}

TEST_F(SettingsTest, NoPluginFolderAnywhereSwitchesPluginsOff) {
  for (bool dwordValue : {false, true}) {
    if (dwordValue) registry.SetValue("4321", REG_DWORD);  // not a text value
    WriteFileBytes(IniFile(), "[SusiePlugin]\r\nUsePlugin=1\r\n");
    settings.Load();
    EXPECT_EQ(settings.usePlugin, 0) << dwordValue;
    EXPECT_STREQ(settings.pluginFolder, "");
  }
}

}  // namespace
