// The skin checker against a table of broken skins, each checked both by the
// checker and by the player's own window creation; the shipped skins; the
// texts in both languages; the program's exit codes.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>

#include "app/application.h"
#include "plugins/png_file.h"
#include "skin/plugin_list.h"
#include "skincheck/skin_check.h"
#include "support/test_support.h"
#include "window/skin_window.h"

namespace {

constexpr int kWidth = 40;
constexpr int kHeight = 20;

// Columns 0..9 of the test background are transparent.
COLORREF Background(int x, int y) { return x < 10 ? kMagenta : TestPattern(x, y); }

struct BrokenSkin {
  const char* name;
  std::string lines;  // after the two background lines, from line 3
  ProblemKind kind;
  int line;         // 0: the problem names no line
  const char* key;  // "": not checked
};

const std::string kBase = "BackgroundImage back.bmp\r\nBackgroundImageInactive back.bmp\r\n";

class SkinCheckTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    InitCommonControls();
    RegisterPlayerClass(GetModuleHandleA(nullptr));
  }

  void SetUp() override {
    ASSERT_TRUE(WriteBmp(folder.File("back.bmp"), kWidth, kHeight, Background));
    ASSERT_TRUE(WriteBmp(folder.File("small.bmp"), kWidth - 1, kHeight, RGB(1, 2, 3)));
    ASSERT_TRUE(WriteBmp(folder.File("colour.bmp"), kWidth, kHeight, RGB(200, 10, 10)));
    ASSERT_TRUE(WriteBmp(folder.File("magenta.bmp"), kWidth, kHeight, kMagenta));
    ASSERT_TRUE(WriteBmp(folder.File("grey.bmp"), kWidth, kHeight, RGB(70, 70, 70)));
    ASSERT_TRUE(WriteBmp(folder.File("strip30.bmp"), 30, 10, RGB(9, 9, 9)));
    ASSERT_TRUE(WriteFileBytes(folder.File("text.bmp"), "not a picture"));
    // One-pixel checkerboard: one rectangle per opaque pixel, 145 x 140.
    ASSERT_TRUE(WriteBmp(folder.File("ragged.bmp"), 290, 140,
                         [](int x, int y) { return (x + y) % 2 ? kMagenta : RGB(0, 0, 0); }));
  }

  // Whether the player itself would take the skin: the real window creation.
  bool PlayerLoads(const std::string& rcPath) {
    SkinWindow window;
    return window.CreateSkinWindow(nullptr, rcPath.c_str(), 0, "check", WS_POPUP, 0, 0,
                                   nullptr, nullptr, GetModuleHandleA(nullptr));
  }

  ScratchFolder folder;
};

// Each rule fires on the skin made to break it, at the right line and key,
// and the checker's verdict is the player's.
TEST_F(SkinCheckTest, EachBrokenSkinNamesItsProblemAndAgreesWithThePlayer) {
  const std::string longLine = "About " + std::string(250, 'x') + "\r\n";
  const BrokenSkin table[] = {
      {"long line", longLine, ProblemLineTooLong, 3, ""},
      {"missing picture", "BackgroundImagePressed2 none.bmp\r\n", ProblemPictureFailed, 3,
       "BackgroundImagePressed2"},
      {"not a picture", "TimeFontImage text.bmp\r\n", ProblemPictureFailed, 3, "TimeFontImage"},
      {"volume bar without picture", "VolumeControlType BAR\r\n", ProblemPictureNotNamed, 0,
       "VolumeControlImage"},
      {"button outside", "PlayButton 30 0 41 10 t\r\n", ProblemButtonOutside, 3, "PlayButton"},
      {"button on magenta", "PlayButton 0 0 10 10 t\r\n", ProblemButtonTransparent, 3,
       "PlayButton"},
      {"overlap", "PlayButton 12 0 20 10 a\r\nStopButton 15 5 25 15 b\r\n",
       ProblemButtonsOverlap, 4, "StopButton"},
      {"small pressed picture", "BackgroundImagePressed1 small.bmp\r\n", ProblemPictureSmaller, 3,
       "BackgroundImagePressed1"},
      {"small seek map", "SeekImage small.bmp\r\n", ProblemPictureSmaller, 3, "SeekImage"},
      {"map without grey", "SeekImage colour.bmp\r\nSeekRegion 12 0 30 10\r\n", ProblemMapNoGrey,
       3, "SeekImage"},
      {"volume strip", "VolumeControlType BMP\r\nVolumeControlImage strip30.bmp\r\n"
                       "VolumeControlImagePosition grey.bmp\r\nVolumeControlImageXSize 10\r\n"
                       "VolumeControlImageNb 4\r\nVolumeControlButton 12 0 22 10\r\n",
       ProblemVolumeStrip, 7, "VolumeControlImageNb"},
      {"time font", "TimeFontImage strip30.bmp\r\nTimeFontSize 3 5\r\n", ProblemTimeFontCells, 4,
       "TimeFontSize"},
      {"text window", "FilenameWindow 10 0 60 10\r\n", ProblemTextWindowOutside, 3, ""},
      {"key twice", "SeekRegion 0 0 1 1\r\nseekregion 0 0 2 2\r\n", ProblemKeyTwice, 4,
       "SeekRegion"},
      {"too few numbers", "PlayButton 12 0 20 tip\r\n", ProblemFewNumbers, 3, "PlayButton"},
      {"inverted rectangle", "PlayButton 20 0 12 10 t\r\n", ProblemButtonNoArea, 3,
       "PlayButton"},
      {"unknown press style", "PlayButton 12 0 20 10 t DARK\r\n", ProblemUnknownPressStyle, 3,
       "PlayButton"},
      {"BMP3 without its picture", "BackgroundImagePressed1 back.bmp\r\n"
                                   "PlayButton 12 0 20 10 t BMP3\r\n",
       ProblemPressedNotGiven, 4, "PlayButton"},
      {"more tooltips than are shown", [] {
         std::string lines;
         for (UINT_PTR i = 0; i <= kMaxTooltipTools; ++i) lines += "PlayButton 12 0 20 10 t\r\n";
         return lines;
       }(), ProblemManyTooltips, 0, ""},
      {"lamp strip not two frames", "ShuffleLamp 12 0 22 10 s\r\nShuffleLampImage strip30.bmp\r\n",
       ProblemLampFrames, 4, "ShuffleLampImage"},
      {"lamp outside", "MuteLamp 35 0 45 10\r\n", ProblemButtonOutside, 3, "MuteLamp"},
      {"missing lamp picture", "IntroLampImage none.bmp\r\n", ProblemPictureFailed, 3,
       "IntroLampImage"},
      {"unknown key", "PlayButon 12 0 20 10 x\r\n", ProblemUnknownKey, 3, "PlayButon"},
  };
  for (const BrokenSkin& skin : table) {
    SCOPED_TRACE(skin.name);
    const std::string path = folder.File("broken.rc");
    ASSERT_TRUE(WriteFileBytes(path, kBase + skin.lines));
    SkinCheck check;
    check.Run(nullptr, path.c_str());
    bool found = false;
    for (int i = 0; i < check.ProblemCount(); ++i) {
      const SkinProblem& p = check.Problem(i);
      found = found || (p.kind == skin.kind && p.line == skin.line &&
                        (skin.key[0] == '\0' || std::string(p.key) == skin.key));
    }
    EXPECT_TRUE(found);
    EXPECT_EQ(check.WouldLoad(), !IsRefusal(skin.kind));
    EXPECT_EQ(check.WouldLoad(), PlayerLoads(path));
  }
  // The unknown key's hint is the key it misspells.
  SkinCheck check;
  check.Run(nullptr, folder.File("broken.rc").c_str());
  ASSERT_GE(check.ProblemCount(), 1);
  EXPECT_STREQ(check.Problem(0).detail, "PlayButton");
  // One-letter garbage misspells nothing: no hint.
  ASSERT_TRUE(WriteFileBytes(folder.File("garbage.rc"), kBase + "q 1 2\r\n"));
  SkinCheck garbage;
  garbage.Run(nullptr, folder.File("garbage.rc").c_str());
  ASSERT_EQ(garbage.ProblemCount(), 1);
  EXPECT_EQ(garbage.Problem(0).kind, ProblemUnknownKey);
  EXPECT_STREQ(garbage.Problem(0).detail, "");
}

// Problems the table cannot share a background with: the file itself, the
// backgrounds' own keys, and a shape too ragged for Wine.
TEST_F(SkinCheckTest, FileBackgroundAndShapeProblems) {
  struct Case {
    const char* name;
    std::string text;
    ProblemKind kind;
    const char* key;
  } cases[] = {
      {"no inactive background", "BackgroundImage back.bmp\r\n", ProblemPictureNotNamed,
       "BackgroundImageInactive"},
      {"empty shape", "BackgroundImage magenta.bmp\nBackgroundImageInactive back.bmp\n",
       ProblemEmptyShape, "BackgroundImage"},
      // Said for what it is, not as an unknown key; the line it spoils is a comment.
      {"byte-order mark", "\xEF\xBB\xBF# made in an editor\r\n" + kBase, ProblemByteOrderMark, ""},
      // Warnings: the player shows them, hard to use as they are.
      {"tiny", "BackgroundImage tiny.bmp\nBackgroundImageInactive tiny.bmp\n",
       ProblemBackgroundTooSmall, "BackgroundImage"},
      {"wider than any screen", "BackgroundImage wide.bmp\nBackgroundImageInactive wide.bmp\n",
       ProblemBackgroundBeyondScreens, "BackgroundImage"},
      {"ragged", "BackgroundImage ragged.bmp\nBackgroundImageInactive ragged.bmp\n",
       ProblemRaggedShape, "BackgroundImage"},  // last: looked at again below
  };
  // Wider than all monitors side by side: wider than each one's work area.
  ASSERT_TRUE(WriteBmp(folder.File("tiny.bmp"), 7, 30, RGB(9, 9, 9)));
  ASSERT_TRUE(WriteBmp(folder.File("wide.bmp"), GetSystemMetrics(SM_CXVIRTUALSCREEN) + 1, 10,
                       RGB(9, 9, 9)));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = folder.File("shape.rc");
    ASSERT_TRUE(WriteFileBytes(path, c.text));
    SkinCheck check;
    check.Run(nullptr, path.c_str());
    ASSERT_EQ(check.ProblemCount(), 1);
    EXPECT_EQ(check.Problem(0).kind, c.kind);
    EXPECT_STREQ(check.Problem(0).key, c.key);
    EXPECT_EQ(check.WouldLoad(), PlayerLoads(path));
  }
  SkinCheck ragged;
  ragged.Run(nullptr, folder.File("shape.rc").c_str());
  EXPECT_EQ(ragged.Problem(0).number, 145 * 140);

  ASSERT_TRUE(WriteFileBytes(folder.File("big.rc"), kBase + std::string(kMaxResourceFileBytes, ' ')));
  SkinCheck big;
  big.Run(nullptr, folder.File("big.rc").c_str());
  ASSERT_EQ(big.ProblemCount(), 1);
  EXPECT_EQ(big.Problem(0).kind, ProblemFileTooLarge);
  EXPECT_FALSE(big.WouldLoad());

  SkinCheck missing;
  missing.Run(nullptr, folder.File("nothing.rc").c_str());
  ASSERT_EQ(missing.ProblemCount(), 1);
  EXPECT_EQ(missing.Problem(0).kind, ProblemCannotOpen);
  EXPECT_FALSE(missing.WouldLoad());
}

// Faults caught: a picture beyond the limits named as unreadable (16385 x 1)
// or out of memory (8192 x 8192, which the plug-in would decode first), the
// size or the limit it broke left out of the text.
TEST_F(SkinCheckTest, PicturesBeyondTheLimitsAreNamedForTheirSize) {
  ScratchFolder pluginFolder;
  ASSERT_TRUE(CopyFileA(BinaryPath(std::string("plugins/png") + kPluginExtension).c_str(),
                        (pluginFolder.path() + "\\png" + kPluginExtension).c_str(), FALSE));
  PluginList plugins;
  plugins.Scan(pluginFolder.path().c_str());
  ImageBuffer strip;
  ASSERT_TRUE(strip.CreateBlank(16385, 1));
  ASSERT_TRUE(WriteFileBytes(folder.File("strip.png"), PngBytes(strip)));
  // Signature, header of 8192 x 8192 RGB, end: all a plug-in needs to tell the size.
  const std::string square("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\x20\0\0\0\x20\0\x08\x02\0\0\0"
                           "\xfd\xc8\x5d\x0e\0\0\0\0IEND\xae\x42\x60\x82", 45);
  ASSERT_TRUE(WriteFileBytes(folder.File("square.png"), square));
  const std::pair<const char*, const char*> cases[] = {
      {"strip.png", "16385 x 1, the limit is 16384 pixels a side"},
      {"square.png", "8192 x 8192, the limit is 64 MB of pixels"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.first);
    ASSERT_TRUE(WriteFileBytes(folder.File("large.rc"), std::string("BackgroundImage ") + c.first +
                                                            "\r\nBackgroundImageInactive back.bmp\r\n"));
    SkinCheck check;
    check.Run(&plugins, folder.File("large.rc").c_str());
    ASSERT_EQ(check.ProblemCount(), 1);
    char text[1536];
    FormatProblem(check.Problem(0), MessageLanguage::English, text, sizeof(text));
    EXPECT_EQ(std::string(text), "error line 1: BackgroundImage: " + folder.File(c.first) +
                                     " is too large: " + c.second);
    EXPECT_FALSE(check.WouldLoad());
  }
  plugins.UnloadAll();
}

// A checker that cried wolf on the shipped skins would teach authors to ignore it.
TEST_F(SkinCheckTest, ShippedSkinsHaveNoProblem) {
  const char* const skins[] = {"skins/default/ZantoPlay1.rc", "skins/perch/Perch.rc"};
  for (const char* skin : skins) {
    SCOPED_TRACE(skin);
    SkinCheck check;
    check.Run(nullptr, SourcePath(skin).c_str());
    for (int i = 0; i < check.ProblemCount(); ++i) {
      char text[1536];
      FormatProblem(check.Problem(i), MessageLanguage::English, text, sizeof(text));
      ADD_FAILURE() << text;
    }
    EXPECT_TRUE(PlayerLoads(SourcePath(skin)));
  }
}

// The texts name line and key in either language; Japanese comes out in the
// Japanese code page.
TEST(SkinProblemText, BothLanguagesNameLineAndKey) {
  SkinProblem problem{};
  problem.kind = ProblemKeyTwice;
  problem.line = 7;
  problem.otherLine = 2;
  strcpy(problem.key, "SeekRegion");
  char text[512];
  FormatProblem(problem, MessageLanguage::English, text, sizeof(text));
  EXPECT_STREQ(text, "warning line 7: SeekRegion is given again (first on line 2); this line wins");
  FormatProblem(problem, MessageLanguage::Japanese, text, sizeof(text));
  // "警告 7行目: SeekRegion が二度あります (最初は 2行目)..." in Shift_JIS.
  EXPECT_EQ(std::string(text).rfind("\x8c\x78\x8d\x90 7\x8d\x73\x96\xda: SeekRegion", 0), 0u)
      << text;
  problem.kind = ProblemUnknownKey;
  strcpy(problem.key, "q");
  problem.detail[0] = '\0';
  FormatProblem(problem, MessageLanguage::English, text, sizeof(text));
  EXPECT_STREQ(text, "warning line 7: unknown key q is ignored");
  FormatVerdict(false, 1, 2, MessageLanguage::English, text, sizeof(text));
  EXPECT_STREQ(text, "REFUSED: the player would refuse this skin (1 errors, 2 warnings)");
}

DWORD RunChecker(const std::string& arguments) {
  std::string command = "\"" + InstallPath("ZantoSkinCheck.exe") + "\" " + arguments;
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return 99;
  }
  DWORD code = 98;
  if (WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0) {
    GetExitCodeProcess(process.hProcess, &code);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return code;
}

// The shipped program's exit codes: loads, refused, bad usage.
TEST_F(SkinCheckTest, ProgramExitCodes) {
  ASSERT_TRUE(WriteFileBytes(folder.File("bad.rc"), "BackgroundImage back.bmp\r\n"));
  EXPECT_EQ(RunChecker("\"" + SourcePath("skins/default/ZantoPlay1.rc") + "\""), 0u);
  EXPECT_EQ(RunChecker("\"" + folder.File("bad.rc") + "\""), 1u);
  EXPECT_EQ(RunChecker(""), 2u);
}

}  // namespace
