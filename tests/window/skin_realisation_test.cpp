#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "app/application.h"
#include "common/handles.h"
#include "support/test_support.h"
#include "window/gui_objects.h"
#include "window/reference_region.h"
#include "window/skin_window.h"
#include "window/skin_window_fixture.h"

namespace {

class SkinRealisation : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    appInstance = GetModuleHandleA(nullptr);
    InitCommonControls();
    RegisterPlayerClass(appInstance);
  }

  // Writes name.rc with `lines` into the scratch folder; returns its path.
  std::string WriteSkin(const std::string& name, const std::string& lines) {
    std::string path = folder.File(name);
    EXPECT_TRUE(WriteFileBytes(path, lines));
    return path;
  }

  // A skin of two backgrounds drawn by `colour`, plus whatever `extra` names.
  std::string WriteBasicSkin(const std::string& name, int width, int height,
                             const PixelColour& colour, const std::string& extra = "") {
    return ::WriteSkin(folder, name, width, height, colour, extra, RGB(9, 9, 9));
  }

  bool Create(SkinWindow& window, const std::string& rcPath) {
    return window.CreateSkinWindow(nullptr, rcPath.c_str(), 0, "test", WS_POPUP, 30, 40, nullptr,
                                   nullptr, appInstance);
  }

  ScratchFolder folder;
};

// The window's region against the one-run-at-a-time build of the same shape.
void ExpectRegionOf(HWND hwnd, int width, int height, const PixelColour& colour) {
  unique_hrgn actual(CreateRectRgn(0, 0, 0, 0));
  ASSERT_NE(GetWindowRgn(hwnd, actual.get()), ERROR);
  unique_hrgn expected = BuildRegionOneRunAtATime(
      width, height, [&](int x, int y) { return colour(x, y) != kMagenta; });
  ASSERT_TRUE(expected);
  EXPECT_TRUE(EqualRgn(actual.get(), expected.get()));
}

TEST_F(SkinRealisation, TheWindowIsCutToTheNonMagentaPixels) {
  // A transparent left strip, a hole, and a nearly-magenta pixel that is opaque.
  auto colour = [](int x, int y) -> COLORREF {
    if (x < 5) return kMagenta;
    if (x >= 20 && x < 26 && y >= 10 && y < 14) return kMagenta;
    if (x == 30 && y == 3) return RGB(255, 0, 254);
    if (y == 3 && x > 25) return kMagenta;
    return TestPattern(x, y);
  };
  SkinWindow window;
  ASSERT_TRUE(Create(window, WriteBasicSkin("shape", 40, 30, colour)));
  RECT outer;
  GetWindowRect(window.hwnd, &outer);
  EXPECT_EQ(outer.right - outer.left, 40);
  EXPECT_EQ(outer.bottom - outer.top, 30);
  ExpectRegionOf(window.hwnd, 40, 30, colour);
  unique_hrgn shape(CreateRectRgn(0, 0, 0, 0));
  GetWindowRgn(window.hwnd, shape.get());
  EXPECT_TRUE(PtInRegion(shape.get(), 30, 3));
  EXPECT_FALSE(PtInRegion(shape.get(), 31, 3));
  EXPECT_FALSE(PtInRegion(shape.get(), 22, 12));
  EXPECT_TRUE(PtInRegion(shape.get(), 22, 14));
}

// A window of no pixels could be neither seen, clicked nor closed: such a
// background is refused (the pixel rule itself: skin_region_test).
TEST_F(SkinRealisation, AnEmptyShapeIsRefusedAndNoMagentaIsTheWholeRectangle) {
  ASSERT_TRUE(WriteBmp(folder.File("one_back.bmp"), 1, 1, kMagenta));
  const std::pair<const char*, std::string> empty[] = {
      {"all magenta", WriteBasicSkin("none", 12, 9, [](int, int) { return kMagenta; })},
      {"1 x 1 magenta", WriteSkin("one.rc", "BackgroundImage one_back.bmp\r\n"
                                            "BackgroundImageInactive one_back.bmp\r\n")},
  };
  for (const auto& skin : empty) {
    SCOPED_TRACE(skin.first);
    SkinWindow refused;
    EXPECT_FALSE(Create(refused, skin.second));
    EXPECT_EQ(refused.status, SkinEmptyShape);
    EXPECT_EQ(refused.hwnd, nullptr);
    EXPECT_EQ(std::string(refused.errorText).rfind("BackgroundImage ( " + folder.path(), 0), 0u)
        << refused.errorText;
  }

  SkinWindow single;
  EXPECT_TRUE(Create(single, WriteBasicSkin("dot", 3, 3, [](int x, int y) {
    return x == 2 && y == 2 ? RGB(0, 0, 0) : kMagenta;
  })));
  SkinWindow full;
  ASSERT_TRUE(Create(full, WriteBasicSkin("full", 12, 9, TestPattern)));
  unique_hrgn shape(CreateRectRgn(0, 0, 0, 0));
  unique_hrgn whole(CreateRectRgn(0, 0, 12, 9));
  ASSERT_NE(GetWindowRgn(full.hwnd, shape.get()), ERROR);
  EXPECT_TRUE(EqualRgn(shape.get(), whole.get()));
}

// 100,000 placements (each with a tooltip text) once took minutes: the list
// grew three at a time and the tooltip control slows with every tool.
TEST_F(SkinRealisation, ManyPlacementsLoadPromptlyAndKeepEveryOne) {
  std::string lines;
  for (int i = 0; i < 100000; ++i) lines += "CloseButton 0 0 10 10 c" + std::to_string(i) + "\r\n";
  std::string rc = WriteBasicSkin("many", 40, 30, TestPattern, lines + "PlayButton 20 0 30 10 p\r\n");
  DWORD start = GetTickCount();
  SkinWindow window;
  ASSERT_TRUE(Create(window, rc));
  EXPECT_LT(GetTickCount() - start, 10000u);
  ASSERT_EQ(window.GetButtonSpecList(CloseButton).count, 100000);
  EXPECT_STREQ(window.GetButtonSpec(CloseButton, 99999).toolTip, "c99999");
  int entry = -1;
  EXPECT_EQ(window.HitTest(25, 5, &entry), PlayButton);
  EXPECT_EQ(SendMessageA(window.tooltip, TTM_GETTOOLCOUNT, 0, 0),
            static_cast<LRESULT>(kMaxTooltipTools));
}

TEST_F(SkinRealisation, TheBackgroundGoesIntoTheBackBufferAndTheFrameImage) {
  auto colour = [](int x, int y) { return x == 2 ? kMagenta : TestPattern(x, y); };
  SkinWindow window;
  ASSERT_TRUE(Create(window, WriteBasicSkin("look", 17, 11, colour)));
  EXPECT_EQ(window.bufferWidth, 17);
  EXPECT_EQ(window.bufferHeight, 11);
  EXPECT_EQ(window.frameImage.Width(), 17);
  EXPECT_EQ(window.scratchImage.Height(), 11);
  for (int y = 0; y < 11; y += 2) {
    for (int x = 0; x < 17; x += 3) {
      EXPECT_EQ(BufferPixel(window, x, y), colour(x, y)) << x << "," << y;
      EXPECT_EQ(window.frameImage.GetPixel(x, y), colour(x, y)) << x << "," << y;
    }
  }
  EXPECT_NE(window.tooltip, nullptr);
  EXPECT_EQ(window.status, SkinOk);
}

// Writes every picture a full skin names; returns the resource-file text.
std::string FullSkinLines() {
  return "BackgroundImage back.bmp\r\n"
         "BackgroundImageInactive inactive.bmp\r\n"
         "BackgroundImagePressed1 pressed1.bmp\r\n"
         "BackgroundImagePressed2 pressed2.bmp\r\n"
         "BackgroundImagePressed3 pressed3.bmp\r\n"
         "TimeFontImage time.bmp\r\n"
         "VolumeControlType BMP\r\n"
         "VolumeControlImage volume.bmp\r\n"
         "VolumeControlImagePosition volume_position.bmp\r\n"
         "SeekImage seek.bmp\r\n";
}

const char* const kFullSkinFiles[] = {"back.bmp",     "inactive.bmp", "pressed1.bmp",
                                      "pressed2.bmp", "pressed3.bmp", "time.bmp",
                                      "volume.bmp",   "volume_position.bmp", "seek.bmp"};
const char* const kFullSkinKeys[] = {
    "BackgroundImage",         "BackgroundImageInactive", "BackgroundImagePressed1",
    "BackgroundImagePressed2", "BackgroundImagePressed3", "TimeFontImage",
    "VolumeControlImage",      "VolumeControlImagePosition", "SeekImage"};

TEST_F(SkinRealisation, TheFirstMissingPictureIsNamedWithItsKeyAndPath) {
  std::string rc = WriteSkin("full.rc", FullSkinLines());
  for (size_t missing = 0; missing < 9; ++missing) {
    SCOPED_TRACE(kFullSkinKeys[missing]);
    for (size_t i = 0; i < 9; ++i) {
      std::string path = folder.File(kFullSkinFiles[i]);
      if (i == missing) {
        DeleteFileA(path.c_str());
      } else {
        ASSERT_TRUE(WriteBmp(path, 8, 6, TestPattern));
      }
    }
    SkinWindow window;
    EXPECT_FALSE(window.LoadSkinImages(nullptr, rc.c_str()));
    EXPECT_EQ(window.status, SkinImageFailed);
    EXPECT_EQ(std::string(window.errorText),
              std::string(kFullSkinKeys[missing]) + " ( " + folder.File(kFullSkinFiles[missing]) +
                  " )");
    // The pictures before the failing one are loaded, the ones after are not.
    if (missing == 3) {
      EXPECT_FALSE(window.pressedPicture[0].IsEmpty());
      EXPECT_TRUE(window.pressedPicture[1].IsEmpty());
      EXPECT_TRUE(window.pressedPicture[2].IsEmpty());
    }
  }
  ASSERT_TRUE(WriteBmp(folder.File("seek.bmp"), 8, 6, TestPattern));
  SkinWindow complete;
  EXPECT_TRUE(complete.LoadSkinImages(nullptr, rc.c_str()));
  EXPECT_FALSE(complete.seekPicture.IsEmpty());
}

TEST_F(SkinRealisation, ABackgroundOrVolumeImageThatIsNotNamedFailsWithTheBareFolder) {
  ASSERT_TRUE(WriteBmp(folder.File("back.bmp"), 8, 6, TestPattern));
  std::string folderPart = folder.path() + "\\";
  {
    SkinWindow window;
    std::string rc = WriteSkin("noinactive.rc", "BackgroundImage back.bmp\r\n");
    EXPECT_FALSE(window.LoadSkinImages(nullptr, rc.c_str()));
    EXPECT_EQ(window.status, SkinImageFailed);
    EXPECT_EQ(std::string(window.errorText), "BackgroundImageInactive ( " + folderPart + " )");
    EXPECT_EQ(std::string(window.resourceFolder), folderPart);
  }
  {
    SkinWindow window;
    std::string rc = WriteSkin("bar.rc",
                               "BackgroundImage back.bmp\r\nBackgroundImageInactive back.bmp\r\n"
                               "VolumeControlType BAR\r\n");
    EXPECT_FALSE(window.LoadSkinImages(nullptr, rc.c_str()));
    EXPECT_EQ(std::string(window.errorText), "VolumeControlImage ( " + folderPart + " )");
  }
  {
    // Without a volume control type the volume pictures are never loaded.
    SkinWindow window;
    std::string rc = WriteSkin("novolume.rc",
                               "BackgroundImage back.bmp\r\nBackgroundImageInactive back.bmp\r\n"
                               "VolumeControlImage missing.bmp\r\n"
                               "VolumeControlImagePosition missing.bmp\r\n");
    EXPECT_TRUE(window.LoadSkinImages(nullptr, rc.c_str()));
    EXPECT_TRUE(window.volumePicture.IsEmpty());
  }
}

TEST_F(SkinRealisation, AnOverlongPicturePathIsCutInsideErrorText) {
  // A deep folder and a long file name make a path of more than 360 bytes.
  std::string deep = folder.path();
  while (deep.size() < 190) {
    deep += "\\" + std::string(40, 'd');
    ASSERT_TRUE(CreateDirectoryA(deep.c_str(), nullptr));
  }
  std::string longName = std::string(225, 'n') + ".bmp";  // the line stays within 255 bytes
  std::string rc = deep + "\\s.rc";
  ASSERT_TRUE(WriteFileBytes(rc, "BackgroundImage " + longName + "\r\n"));
  std::string expected = "BackgroundImage ( " + deep + "\\" + longName + " )";
  ASSERT_GT(expected.size(), 360u);

  SkinWindow window;
  EXPECT_FALSE(window.LoadSkinImages(nullptr, rc.c_str()));
  EXPECT_EQ(window.status, SkinImageFailed);
  EXPECT_EQ(std::string(window.errorText), expected.substr(0, kErrorTextSize - 1));
  // The member after errorText is intact.
  EXPECT_EQ(std::string(window.resourceFolder), deep + "\\");
}

TEST_F(SkinRealisation, AResourceFileThatCannotBeReadLeavesThePicturesAlone) {
  SkinWindow window;
  std::string good = WriteBasicSkin("good", 8, 6, TestPattern);
  ASSERT_TRUE(window.LoadSkinImages(nullptr, good.c_str()));
  EXPECT_FALSE(window.LoadSkinImages(nullptr, folder.File("absent.rc").c_str()));
  EXPECT_EQ(window.status, SkinResourceFailed);
  EXPECT_EQ(window.model.status, ParseCannotOpen);
  EXPECT_EQ(window.backgroundPicture.Width(), 8);

  std::string tooLong = WriteSkin("long.rc", "BackgroundImage b.bmp\r\nAbout " +
                                                 std::string(300, 'x') + "\r\n");
  EXPECT_FALSE(window.LoadSkinImages(nullptr, tooLong.c_str()));
  EXPECT_EQ(window.status, SkinResourceFailed);
  EXPECT_EQ(window.model.status, ParseLineTooLong);
  EXPECT_EQ(window.model.lineNumber, 2);
}

TEST_F(SkinRealisation, ABareResourceFileNameResolvesPicturesInTheCurrentFolder) {
  WriteBasicSkin("here", 8, 6, TestPattern);
  char previous[MAX_PATH];
  GetCurrentDirectoryA(sizeof(previous), previous);
  ASSERT_TRUE(SetCurrentDirectoryA(folder.path().c_str()));
  SkinWindow window;
  bool loaded = window.LoadSkinImages(nullptr, "here.rc");
  SetCurrentDirectoryA(previous);
  EXPECT_TRUE(loaded);
  EXPECT_EQ(std::string(window.resourceFolder), "");
  EXPECT_EQ(window.backgroundPicture.Width(), 8);
}

TEST_F(SkinRealisation, ADoubleByteFileNameDoesNotSplitTheFolder) {
  if (GetACP() != 932) GTEST_SKIP() << "needs the Japanese code page";
  // The second byte of this character is a backslash.
  const std::string hyou = "\x95\x5c";
  WriteBasicSkin("plain", 8, 6, TestPattern);
  std::string rc = folder.File(hyou + ".rc");
  ASSERT_TRUE(CopyFileA(folder.File("plain.rc").c_str(), rc.c_str(), FALSE));
  SkinWindow window;
  EXPECT_TRUE(window.LoadSkinImages(nullptr, rc.c_str())) << window.errorText;
  EXPECT_EQ(std::string(window.resourceFolder), folder.path() + "\\");
}

TEST_F(SkinRealisation, ChangingToASmallerSkinKeepsTheCornerAndShrinksEverything) {
  auto bigShape = [](int x, int y) { return (x + y) % 9 == 0 ? kMagenta : TestPattern(x, y); };
  auto smallShape = [](int x, int y) { return y == 4 ? kMagenta : RGB(1, 2, x); };
  std::string big = WriteBasicSkin("big", 50, 40, bigShape, "SeekImage seek.bmp\r\n");
  ASSERT_TRUE(WriteBmp(folder.File("seek.bmp"), 50, 40, RGB(3, 3, 3)));
  std::string small = WriteBasicSkin("small", 20, 10, smallShape);
  SkinWindow window;
  ASSERT_TRUE(Create(window, big));
  window.timeFirst = 12;  // widget state survives a skin change
  RECT before;
  GetWindowRect(window.hwnd, &before);

  ASSERT_TRUE(window.ChangeSkin(nullptr, small.c_str()));
  RECT after;
  GetWindowRect(window.hwnd, &after);
  EXPECT_EQ(after.left, before.left);
  EXPECT_EQ(after.top, before.top);
  EXPECT_EQ(after.right - after.left, 20);
  EXPECT_EQ(after.bottom - after.top, 10);
  EXPECT_EQ(window.bufferWidth, 20);
  EXPECT_EQ(window.bufferHeight, 10);
  BITMAP bitmap = {};
  GetObjectA(window.backBuffer.get(), sizeof(bitmap), &bitmap);
  EXPECT_EQ(bitmap.bmWidth, 20);
  EXPECT_EQ(bitmap.bmHeight, 10);
  EXPECT_EQ(window.frameImage.Width(), 20);
  EXPECT_EQ(BufferPixel(window, 19, 9), smallShape(19, 9));
  ExpectRegionOf(window.hwnd, 20, 10, smallShape);
  EXPECT_EQ(window.timeFirst, 12);
  // The new skin names no seek picture, so the old one is not kept.
  EXPECT_TRUE(window.seekPicture.IsEmpty());
}

TEST_F(SkinRealisation, SkinChangesLeakNoGdiOrUserObjects) {
  std::string first = WriteBasicSkin("first", 30, 20, [](int x, int y) {
    return (x / 3 + y / 2) % 2 ? kMagenta : TestPattern(x, y);
  }, "BackgroundImagePressed1 first.bmp\r\nSeekImage first.bmp\r\n");
  std::string second = WriteBasicSkin("second", 24, 26, TestPattern);
  SkinWindow window;
  ASSERT_TRUE(Create(window, first));
  ASSERT_TRUE(window.ChangeSkin(nullptr, second.c_str()));
  ASSERT_TRUE(window.ChangeSkin(nullptr, first.c_str()));
  DWORD gdiBefore = GdiObjectCount();
  DWORD userBefore = UserObjectCount();
  for (int i = 0; i < 50; ++i) {
    ASSERT_TRUE(window.ChangeSkin(nullptr, second.c_str()));
    ASSERT_TRUE(window.ChangeSkin(nullptr, first.c_str()));
  }
  EXPECT_EQ(GdiObjectCount(), gdiBefore);
  EXPECT_EQ(UserObjectCount(), userBefore);
}

// A skin realised at 100, 150 and 200 %: what shows, what is hit and what is
// named all agree at the scale.
COLORREF ScaledShape(int x, int y) { return x < 5 || (x == 21 && y == 7) ? kMagenta : TestPattern(x, y); }
// The seek map: level (x - 10) * 8 over the bar, not grey elsewhere.
COLORREF SeekMap(int x, int y) {
  const int level = (x - 10) * 8;
  return x >= 10 && x < 30 && y >= 20 && y < 26 ? RGB(level, level, level) : RGB(255, 0, 0);
}

// Catches: a picture scaled but not its rectangles (or the other way round),
// a smoothed shape or grey map (pink edges, levels a map never had), tooltips
// left at the skin's own rectangles, the time font's cells or the perch base
// line left unscaled, and 100 % doing anything at all.
TEST_F(SkinRealisation, WindowShapeRectanglesMapsAndTooltipsFollowTheScale) {
  ASSERT_TRUE(WriteBmp(folder.File("seek_map.bmp"), 40, 30, SeekMap));
  ASSERT_TRUE(WriteBmp(folder.File("digits.bmp"), 36, 4, [](int x, int) { return RGB(x * 7, 0, 0); }));
  const std::string rc = WriteBasicSkin("scaled", 40, 30, ScaledShape,
                                   "PlayButton 10 4 20 12 play\r\n"
                                   "SeekImage seek_map.bmp\r\nSeekRegion 10 20 30 26\r\n"
                                   "TimeFontImage digits.bmp\r\nTimeFontSize 3 4\r\n"
                                   "#OsuwariBaseLine 8\r\n");
  for (int percent : {100, 150, 200}) {
    SCOPED_TRACE(percent);
    const SkinScale scale{percent};
    SkinWindow window;
    window.scale = scale;
    ASSERT_TRUE(Create(window, rc));
    const int width = scale.Scaled(40), height = scale.Scaled(30);
    RECT outer = {};
    GetWindowRect(window.hwnd, &outer);
    EXPECT_EQ(outer.right - outer.left, width);
    EXPECT_EQ(outer.bottom - outer.top, height);

    // The shape is the nearest-neighbour one, pixel for pixel.
    unique_hrgn region(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(window.hwnd, region.get()), ERROR);
    unique_hrgn expected = BuildRegionOneRunAtATime(width, height, [&](int x, int y) {
      return ScaledShape(scale.Unscaled(x), scale.Unscaled(y)) != kMagenta;
    });
    EXPECT_TRUE(EqualRgn(region.get(), expected.get()));

    // The button's rectangle, its hit test and its tooltip.
    const RECT play = scale.Scaled(RECT{10, 4, 20, 12});
    const RECT placed = window.GetButtonSpec(PlayButton, 0).rect;
    EXPECT_TRUE(EqualRect(&placed, &play));
    int entry = -1;
    EXPECT_EQ(window.HitTest(play.left, play.top, &entry), PlayButton);
    EXPECT_EQ(window.HitTest(play.right, play.bottom - 1, &entry), kHitBody);
    TOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.hwnd = window.hwnd;  // tool 0
    ASSERT_TRUE(SendMessageA(window.tooltip, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&tool)));
    EXPECT_TRUE(EqualRect(&tool.rect, &play));

    // Every scaled pixel of the seek map gives its skin pixel's exact level.
    const int y = scale.Scaled(22);
    for (int x = 0; x < width; ++x) {
      const COLORREF map = SeekMap(scale.Unscaled(x), scale.Unscaled(y));
      const int level = GetRValue(map) == GetGValue(map) ? GetRValue(map) : -1;
      ASSERT_EQ(window.SeekMapPosition(x, y), level) << x;
    }
    EXPECT_EQ(window.HitTest(scale.Scaled(10), y, &entry), kHitSeek);

    EXPECT_EQ(window.model.timeFontWidth, scale.Scaled(3));
    EXPECT_EQ(window.timeFontPicture.Width(), 12 * scale.Scaled(3));
    EXPECT_EQ(window.model.osuwariBaseLine, scale.Scaled(8));
  }
}

}  // namespace
