// A generated skin whose every picture has known colours, a skin window made
// from it, and readers of what the window shows (back buffer, update region).
#ifndef ZANTO_TESTS_WINDOW_PAINTING_SKIN_H
#define ZANTO_TESTS_WINDOW_PAINTING_SKIN_H

#include <windows.h>

#include <string>
#include <vector>

#include "support/test_support.h"
#include "window/skin_window.h"

// Window size of the test skin.
constexpr int kSkinWidth = 120;
constexpr int kSkinHeight = 64;

// Colours of the test pictures.
COLORREF ActiveFace(int x, int y);    // BackgroundImage: varies with the place
COLORREF InactiveFace(int x, int y);  // BackgroundImageInactive
constexpr COLORREF kPressed1 = RGB(250, 10, 10);
constexpr COLORREF kPressed2 = RGB(10, 250, 10);
constexpr COLORREF kPressed3 = RGB(10, 10, 250);

// Seek bar: SeekRegion (10, 40)-(74, 48); column x has grey level (x - 10) * 4,
// except column 30, which is not grey.
constexpr RECT kSeekRegion = {10, 40, 74, 48};
constexpr int kSeekNotGreyColumn = 30;
int SeekLevel(int x);

// Time font: cells of 6 x 8; cell c is RGB(20 + 16c, 0, 200) except its left
// column, which is black. MP3TimeWindow (4, 2)-(40, 10), spacing 1.
constexpr int kGlyphWidth = 6;
constexpr int kGlyphHeight = 8;
constexpr int kGlyphSpacing = 1;
constexpr RECT kTimeWindow = {4, 2, 40, 10};
COLORREF GlyphColour(int cell);

// Volume: 10 frames of 8 x 6, frame k is RGB(25k, 255, 0); VolumeControlButton
// (80, 2)-(88, 8).
constexpr int kVolumeFrames = 10;
constexpr RECT kVolumeButton = {80, 2, 88, 8};
COLORREF VolumeFrameColour(int frame);

// Text window.
constexpr RECT kTextWindow = {4, 14, 100, 34};

// Buttons: Close DARKEN, Minimize BMP1, About BMP2, Stop with no style,
// Play BMP3, and Repeat BMP1 in two rectangles.
constexpr RECT kCloseRect = {100, 2, 108, 10};
constexpr RECT kMinimizeRect = {108, 2, 116, 10};
constexpr RECT kAboutRect = {100, 12, 108, 20};
constexpr RECT kStopRect = {108, 12, 116, 20};
constexpr RECT kPlayRect = {100, 22, 108, 30};
constexpr RECT kRepeatRects[2] = {{100, 50, 110, 58}, {110, 50, 118, 58}};

// The settings' default face "ＭＳ Ｐゴシック" and a black square, in Shift-JIS.
extern const char kGothicFace[];
extern const char kBlackSquare[];
constexpr COLORREF kYellowText = RGB(255, 255, 0);
constexpr COLORREF kBlueShadow = RGB(0, 0, 255);
// The default face with yellow text and, when shadowOn, a blue shadow.
TextFont GothicFont(int shadowOn);

// Which optional pieces a test skin has, and extra resource-file lines.
struct SkinOptions {
  bool pressed2 = false;
  int timeFontCells = 12;
  int timeFontTransparent = 1;
  std::string volumeType = "BMP";
  std::string extraLines;
};

// A one-colour 24-bit BMP file.
bool WriteSolidPicture(const std::string& path, int width, int height, COLORREF colour);

// Writes the skin into `folder`; returns the resource file's path.
std::string WritePaintingSkin(const ScratchFolder& folder, const SkinOptions& options = {});

// Registers the window class once and creates the window from `rcPath`,
// hidden: painting needs no visible window.
bool CreateTestSkinWindow(SkinWindow& window, const std::string& rcPath);
// Shows the window without activating it, with no paint pending, so that its
// update region tells what was invalidated. Costs two seconds when the window
// goes away: Wine manages a window that owns a popup (the tooltip control)
// and waits for a window manager that Xvfb does not have.
void ShowWithoutActivation(SkinWindow& window);

// The whole back buffer, read when no drawing pass is open.
class BufferSnapshot {
 public:
  explicit BufferSnapshot(const BackBufferWindow& window);
  COLORREF At(int x, int y) const;
  int width() const { return width_; }
  int height() const { return height_; }

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<DWORD> pixels_;
};

// Counts the pixels in `area` of the snapshot that equal `colour`.
int CountColour(const BufferSnapshot& shot, const RECT& area, COLORREF colour);

// The window's pending update region as a list of rectangles' union, and the
// call that empties it.
bool UpdateRegionEquals(HWND hwnd, const std::vector<RECT>& expected);
void ClearUpdateRegion(HWND hwnd);

#endif
