#include "skin/skin_model.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/handles.h"
#include "support/test_support.h"

namespace {

// Parses crafted bytes the way LoadResourceFile parses a file's content.
bool Parse(SkinModel& model, const std::string& bytes) {
  std::vector<char> buffer(bytes.begin(), bytes.end());
  buffer.push_back('\x7f');  // must be overwritten by the terminator
  return model.ParseText(buffer.data(), bytes.size());
}

bool RectIs(const RECT& r, int l, int t, int rr, int b) {
  return r.left == l && r.top == t && r.right == rr && r.bottom == b;
}

const ButtonSpec& Spec(const SkinModel& m, int button, int j) { return m.buttons[button][j]; }

TEST(SkinModelParse, EmptyTextLoadsWithEveryDefault) {
  SkinModel m;
  ASSERT_TRUE(Parse(m, ""));
  EXPECT_EQ(m.status, ParseOk);
  EXPECT_STREQ(m.aboutText, "");
  EXPECT_STREQ(m.backgroundImageFile, "");
  EXPECT_EQ(m.fontTransparent, 1);
  EXPECT_EQ(m.timeFontTransparent, 1);
  EXPECT_EQ(m.volumeControlType, VolumeControlNone);
  EXPECT_EQ(m.osuwariBaseLine, -1);
  EXPECT_TRUE(RectIs(m.seekRegion, 0, 0, 0, 0));
  for (const auto& list : m.buttons) EXPECT_EQ(list.count, 0);
  EXPECT_EQ(m.cursor, nullptr);
}

TEST(SkinModelParse, TokensAreSplitOnSpacesAndTabsOnly) {
  SkinModel m;
  ASSERT_TRUE(Parse(m,
                    "BackgroundImage  \t back.bmp\n"
                    "BackgroundImageInactive my file.bmp\n"
                    "SeekImage\tseek\xe3\x80\x80map.bmp trailing words\n"));
  EXPECT_STREQ(m.backgroundImageFile, "back.bmp");
  EXPECT_STREQ(m.backgroundImageInactiveFile, "my");
  // Bytes other than space and tab, Japanese ones included, belong to the token.
  EXPECT_STREQ(m.seekImageFile, "seek\xe3\x80\x80map.bmp");
}

TEST(SkinModelParse, KeysMatchInAnyLetterCaseAndUnknownKeysAreIgnored) {
  SkinModel m;
  ASSERT_TRUE(Parse(m,
                    "backgroundimage a.bmp\n"
                    "BACKGROUNDIMAGEINACTIVE b.bmp\n"
                    "playbutton 1 2 3 4 tip\n"
                    "NoSuchKey 1 2 3\n"
                    "   \t\n"
                    "\n"));
  EXPECT_STREQ(m.backgroundImageFile, "a.bmp");
  EXPECT_STREQ(m.backgroundImageInactiveFile, "b.bmp");
  EXPECT_EQ(m.buttons[PlayButton].count, 1);
}

TEST(SkinModelParse, EveryPlainKeySetsItsField) {
  SkinModel m;
  ASSERT_TRUE(Parse(m,
                    "BackgroundImagePressed1 p1.bmp\nBackgroundImagePressed2 p2.bmp\n"
                    "BackgroundImagePressed3 p3.bmp\nFontImage f.bmp\nFontSize 7 9\nFontSpacing 2\n"
                    "FontTransparent 0\nTimeFontImage t.bmp\nTimeFontSize 11 13\nTimeFontSpacing -1\n"
                    "TimeFontTransparent 1\nVolumeControlType bmp\nVolumeControlImage v.bmp\n"
                    "VolumeControlImagePosition vp.bmp\nVolumeControlImageXSize 20\n"
                    "VolumeControlImageNb 10\nVolumeControlButton 1 2 3 4\nSeekRegion 5 6 7 8\n"
                    "FilenameWindow 9 10 11 12\nMP3KbpsWindow 1 1 2 2\nMP3KbpsString kbps\n"
                    "MP3KhzWindow 3 3 4 4\nMP3KhzString khz\nMP3TimeWindow 20 30 90 50\n"
                    "CurrentTrackWindow 6 6 7 7\nAnalyzerWindow 1 2 3 4 analyzer\n"
                    "EqualizerWindow 5 6 7 8 eq 11 -12\nEqualizerBmp 3 4 eq.bmp\n"));
  EXPECT_STREQ(m.backgroundImagePressedFile[0], "p1.bmp");
  EXPECT_STREQ(m.backgroundImagePressedFile[1], "p2.bmp");
  EXPECT_STREQ(m.backgroundImagePressedFile[2], "p3.bmp");
  EXPECT_STREQ(m.fontImageFile, "f.bmp");
  EXPECT_EQ(m.fontWidth, 7);
  EXPECT_EQ(m.fontHeight, 9);
  EXPECT_EQ(m.fontSpacing, 2);
  EXPECT_EQ(m.fontTransparent, 0);
  EXPECT_STREQ(m.timeFontImageFile, "t.bmp");
  EXPECT_EQ(m.timeFontWidth, 11);
  EXPECT_EQ(m.timeFontHeight, 13);
  EXPECT_EQ(m.timeFontSpacing, -1);
  EXPECT_EQ(m.timeFontTransparent, 1);
  EXPECT_EQ(m.volumeControlType, VolumeControlBmp);
  EXPECT_STREQ(m.volumeControlImageFile, "v.bmp");
  EXPECT_STREQ(m.volumeControlImagePositionFile, "vp.bmp");
  EXPECT_EQ(m.volumeControlImageXSize, 20);
  EXPECT_EQ(m.volumeControlImageNb, 10);
  EXPECT_TRUE(RectIs(m.volumeControlButton, 1, 2, 3, 4));
  EXPECT_TRUE(RectIs(m.seekRegion, 5, 6, 7, 8));
  EXPECT_TRUE(RectIs(m.filenameWindow, 9, 10, 11, 12));
  EXPECT_TRUE(RectIs(m.mp3KbpsWindow, 1, 1, 2, 2));
  EXPECT_STREQ(m.mp3KbpsString, "kbps");
  EXPECT_TRUE(RectIs(m.mp3KhzWindow, 3, 3, 4, 4));
  EXPECT_STREQ(m.mp3KhzString, "khz");
  EXPECT_TRUE(RectIs(m.mp3TimeWindow, 20, 30, 90, 50));
  EXPECT_TRUE(RectIs(m.currentTrackWindow, 6, 6, 7, 7));
  EXPECT_TRUE(RectIs(m.analyzerWindow, 1, 2, 3, 4));
  EXPECT_STREQ(m.analyzerText, "analyzer");
  EXPECT_TRUE(RectIs(m.equalizerWindow, 5, 6, 7, 8));
  EXPECT_STREQ(m.equalizerText, "eq");
  EXPECT_EQ(m.equalizerWindowValue1, 11);
  EXPECT_EQ(m.equalizerWindowValue2, -12);
  EXPECT_EQ(m.equalizerBmpValue1, 3);
  EXPECT_EQ(m.equalizerBmpValue2, 4);
  EXPECT_STREQ(m.equalizerBmpFile, "eq.bmp");
}

TEST(SkinModelParse, PlainKeysKeepTheLastLineAndFlagsNeedExactlyOne) {
  SkinModel m;
  ASSERT_TRUE(Parse(m,
                    "BackgroundImage first.bmp\nBackgroundImage second.bmp\n"
                    "FontTransparent 2\nTimeFontTransparent 01\n"
                    "VolumeControlType BMP\nVolumeControlType KNOB\n"));
  EXPECT_STREQ(m.backgroundImageFile, "second.bmp");
  EXPECT_EQ(m.fontTransparent, 0);
  EXPECT_EQ(m.timeFontTransparent, 1);  // "01" reads as 1
  EXPECT_EQ(m.volumeControlType, VolumeControlBmp);

  ASSERT_TRUE(Parse(m, "VolumeControlType Bar\n"));
  EXPECT_EQ(m.volumeControlType, VolumeControlBar);
  ASSERT_TRUE(Parse(m, "FontTransparent\n"));
  EXPECT_EQ(m.fontTransparent, 0);  // missing value reads as 0
}

TEST(SkinModelParse, NumbersStopAtTheFirstNonDigit) {
  SkinModel m;
  ASSERT_TRUE(Parse(m,
                    "SeekRegion +12 -7 3x5 abc\n"
                    "VolumeControlButton 4294967297 -2147483648 2147483647\n"
                    "FontSize - +\n"));
  EXPECT_TRUE(RectIs(m.seekRegion, 12, -7, 3, 0));
  // Wraps around in 32 bits; a missing fourth number reads as 0.
  EXPECT_TRUE(RectIs(m.volumeControlButton, 1, INT_MIN, INT_MAX, 0));
  EXPECT_EQ(m.fontWidth, 0);
  EXPECT_EQ(m.fontHeight, 0);
}

TEST(SkinModelParse, ButtonLinesAppendPlacementsWithTooltipAndStyle) {
  SkinModel m;
  ASSERT_TRUE(Parse(m,
                    "PlayButton 1 2 30 40 \x8d\xc4\x90\xb6 DARKEN\n"
                    "PlayButton 50 60 70 80 again bmp2\n"
                    "CloseButton 1 1 9 9\n"
                    "StopButton 0 0 5 5 DARKEN\n"
                    "RepeatButton 1 2 3 4 rep Bmp3 extra\n"
                    "PauseButton 1 2 3 4 p BMP1\n"
                    "NextSongButton 1 2 3 4 n sparkle\n"));
  ASSERT_EQ(m.buttons[PlayButton].count, 2);
  EXPECT_TRUE(RectIs(Spec(m, PlayButton, 0).rect, 1, 2, 30, 40));
  EXPECT_STREQ(Spec(m, PlayButton, 0).toolTip, "\x8d\xc4\x90\xb6");
  EXPECT_EQ(Spec(m, PlayButton, 0).pressStyle, PressStyleDarken);
  EXPECT_TRUE(RectIs(Spec(m, PlayButton, 1).rect, 50, 60, 70, 80));
  EXPECT_EQ(Spec(m, PlayButton, 1).pressStyle, PressStyleBmp2);
  // Four numbers only: empty tooltip, no style.
  EXPECT_STREQ(Spec(m, CloseButton, 0).toolTip, "");
  EXPECT_EQ(Spec(m, CloseButton, 0).pressStyle, PressStyleNone);
  // The fifth token is always the tooltip, whatever it says.
  EXPECT_STREQ(Spec(m, StopButton, 0).toolTip, "DARKEN");
  EXPECT_EQ(Spec(m, StopButton, 0).pressStyle, PressStyleNone);
  EXPECT_EQ(Spec(m, RepeatButton, 0).pressStyle, PressStyleBmp3);
  EXPECT_EQ(Spec(m, PauseButton, 0).pressStyle, PressStyleBmp1);
  EXPECT_EQ(Spec(m, NextSongButton, 0).pressStyle, PressStyleNone);
}

TEST(SkinModelParse, EveryButtonKeyFillsItsOwnList) {
  std::string text;
  for (int i = 0; i < kButtonCount; ++i) text += std::string(kButtonKeys[i]) + " " + std::to_string(i) + " 0 1 1 t\n";
  SkinModel m;
  ASSERT_TRUE(Parse(m, text));
  for (int i = 0; i < kButtonCount; ++i) {
    ASSERT_EQ(m.buttons[i].count, 1) << kButtonKeys[i];
    EXPECT_EQ(Spec(m, i, 0).rect.left, i);
  }
}

TEST(SkinModelParse, AboutLinesAccumulateWithLineFeeds) {
  SkinModel m;
  ASSERT_TRUE(Parse(m,
                    "About First line\r\n"
                    "About\r\n"
                    "About   indented\ttext # not a comment\n"
                    "about\tlast"));
  EXPECT_STREQ(m.aboutText, "First line\n\n  indented\ttext # not a comment\nlast\n");
}

TEST(SkinModelParse, AboutTextThatWouldOverflowKeepsOnlyWholeLines) {
  std::string line(200, 'a');
  std::string text;
  for (int i = 0; i < 10; ++i) text += "About " + line + "\n";
  text += "About end\n";
  SkinModel m;
  ASSERT_TRUE(Parse(m, text));
  size_t length = strlen(m.aboutText);
  EXPECT_LT(length, sizeof(m.aboutText));
  // Six lines of 201 bytes fit in 1279; the seventh and later long ones do not.
  EXPECT_EQ(std::string(m.aboutText).substr(0, 201 * 6),
            [&] { std::string s; for (int i = 0; i < 6; ++i) s += line + "\n"; return s; }());
  EXPECT_EQ(std::string(m.aboutText).substr(201 * 6), "end\n");
}

TEST(SkinModelParse, OsuwariBaseLineComesOnlyFromComments) {
  SkinModel m;
  ASSERT_TRUE(Parse(m, "# OsuwariBaseLine 30\n"));
  EXPECT_EQ(m.osuwariBaseLine, 30);
  ASSERT_TRUE(Parse(m, "#osuwaribaseline -4\n"));
  EXPECT_EQ(m.osuwariBaseLine, -4);
  ASSERT_TRUE(Parse(m, "\t#\tOSUWARIBASELINE 12\n"));
  EXPECT_EQ(m.osuwariBaseLine, 12);
  ASSERT_TRUE(Parse(m, "OsuwariBaseLine 30\n# any other comment 5\n## OsuwariBaseLine 9\n"));
  EXPECT_EQ(m.osuwariBaseLine, -1);
}

TEST(SkinModelParse, LineEndsLfCrLfAndLoneCr) {
  SkinModel m;
  ASSERT_TRUE(Parse(m, "BackgroundImage a.bmp\r\nSeekImage s.bmp\nFontImage f.bmp"));
  EXPECT_STREQ(m.backgroundImageFile, "a.bmp");
  EXPECT_STREQ(m.seekImageFile, "s.bmp");
  EXPECT_STREQ(m.fontImageFile, "f.bmp");
  // A lone CR is ordinary text: it stays in the token.
  ASSERT_TRUE(Parse(m, "BackgroundImage a.bmp\rSeekImage s.bmp\n"));
  EXPECT_STREQ(m.backgroundImageFile, "a.bmp\rSeekImage");
  EXPECT_STREQ(m.seekImageFile, "");
}

TEST(SkinModelParse, NulByteEndsTheText) {
  SkinModel m;
  ASSERT_TRUE(Parse(m, std::string("BackgroundImage a.bmp\nSeekImage s.b\0mp\nFontImage f.bmp\n", 52)));
  EXPECT_STREQ(m.backgroundImageFile, "a.bmp");
  EXPECT_STREQ(m.seekImageFile, "s.b");
  EXPECT_STREQ(m.fontImageFile, "");
  // A line longer than allowed after the NUL is never looked at.
  ASSERT_TRUE(Parse(m, std::string("\0", 1) + std::string(400, 'x')));
}

TEST(SkinModelParse, LineLengthLimitIs255BytesWithoutTheLineEnd) {
  SkinModel m;
  std::string ok = "About " + std::string(249, 'x');  // 255 bytes
  ASSERT_EQ(ok.size(), 255u);
  EXPECT_TRUE(Parse(m, "SeekImage a\r\n" + ok + "\r\nSeekImage b\r\n"));
  EXPECT_STREQ(m.seekImageFile, "b");

  std::string tooLong = ok + "y";  // 256 bytes
  EXPECT_FALSE(Parse(m, "SeekImage a\n\n" + tooLong + "\nSeekImage b\n"));
  EXPECT_EQ(m.status, ParseLineTooLong);
  EXPECT_EQ(m.lineNumber, 3);
  // Lines before the failing one keep their values, later ones never run.
  EXPECT_STREQ(m.seekImageFile, "a");

  EXPECT_FALSE(Parse(m, tooLong));
  EXPECT_EQ(m.lineNumber, 1);
}

TEST(SkinModelParse, CrOnlyFileIsOneLongLine) {
  std::string text;
  for (int i = 0; i < 20; ++i) text += "SeekImage s.bmp\r";
  SkinModel m;
  EXPECT_FALSE(Parse(m, text));
  EXPECT_EQ(m.status, ParseLineTooLong);
  EXPECT_EQ(m.lineNumber, 1);
}

TEST(SkinModelParse, LineNumbersCountTheLastEmptyLine) {
  SkinModel m;
  ASSERT_TRUE(Parse(m, "a\nb\n"));
  EXPECT_EQ(m.lineNumber, 4);  // two lines, the empty one after the last LF, then one past
  ASSERT_TRUE(Parse(m, "a\nb"));
  EXPECT_EQ(m.lineNumber, 3);
}

TEST(SkinModelParse, ReloadStartsFromAClearModel) {
  SkinModel m;
  ASSERT_TRUE(Parse(m, "PlayButton 1 2 3 4 t\nAbout x\n# OsuwariBaseLine 7\nFontTransparent 0\n"));
  ASSERT_TRUE(Parse(m, "BackgroundImage b.bmp\n"));
  EXPECT_EQ(m.buttons[PlayButton].count, 0);
  EXPECT_STREQ(m.aboutText, "");
  EXPECT_EQ(m.osuwariBaseLine, -1);
  EXPECT_EQ(m.fontTransparent, 1);
}

TEST(SkinModelTokens, NextTokenWalksTheLineAndThenGivesEmptyStrings) {
  SkinModel m;
  char line[] = "  key\tone  two";
  EXPECT_STREQ(m.NextToken(line), "key");
  EXPECT_STREQ(m.NextToken(nullptr), "one");
  EXPECT_STREQ(m.NextToken(nullptr), "two");
  EXPECT_STREQ(m.NextToken(nullptr), "");
  EXPECT_STREQ(m.NextToken(nullptr), "");
}

TEST(SkinModelFile, LoadsFromDiskAndReportsOpenFailures) {
  ScratchFolder folder;
  std::string path = folder.File("skin.rc");
  ASSERT_TRUE(WriteFileBytes(path, "BackgroundImage back.bmp\r\nPlayButton 1 2 3 4 go DARKEN\r\n"));
  SkinModel m;
  ASSERT_TRUE(m.LoadResourceFile(path.c_str()));
  EXPECT_EQ(m.status, ParseOk);
  EXPECT_STREQ(m.backgroundImageFile, "back.bmp");
  EXPECT_EQ(m.buttons[PlayButton].count, 1);
  EXPECT_EQ(m.cursor, nullptr);

  EXPECT_FALSE(m.LoadResourceFile(folder.File("missing.rc").c_str()));
  EXPECT_EQ(m.status, ParseCannotOpen);
  EXPECT_STREQ(m.backgroundImageFile, "");  // the failed load still cleared the model

  // A folder cannot be read as a resource file.
  EXPECT_FALSE(m.LoadResourceFile(folder.path().c_str()));
  EXPECT_NE(m.status, ParseOk);
}

// A file of `size` bytes (sparse: nothing is written but its first line).
bool WriteSizedFile(const std::string& path, long long size, const std::string& start) {
  unique_hfile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  DWORD written = 0;
  LARGE_INTEGER end;
  end.QuadPart = size;
  return file && WriteFile(file.get(), start.data(), static_cast<DWORD>(start.size()), &written,
                           nullptr) &&
         SetFilePointerEx(file.get(), end, nullptr, FILE_BEGIN) && SetEndOfFile(file.get());
}

// Hostile sizes are refused before a byte is read: a file just over 4 GiB
// once passed for its low 32 bits (a few bytes). Up to the limit a file is
// read whole.
TEST(SkinModelFile, FilesOverFourMegabytesAreRefusedUnreadWhateverTheirSize) {
  ScratchFolder folder;
  const std::string path = folder.File("big.rc");
  const std::string line = "BackgroundImage back.bmp\n";
  const struct {
    long long size;
    bool loads;
  } cases[] = {{static_cast<long long>(kMaxResourceFileBytes), true},
               {static_cast<long long>(kMaxResourceFileBytes) + 1, false},
               {0x100000000LL + 40, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.size);
    ASSERT_TRUE(WriteSizedFile(path, c.size, line));
    SkinModel m;
    EXPECT_EQ(m.LoadResourceFile(path.c_str()), c.loads);
    EXPECT_EQ(m.status, c.loads ? ParseOk : ParseTooLarge);
    EXPECT_STREQ(m.backgroundImageFile, c.loads ? "back.bmp" : "");
  }
}

}  // namespace
