#include "window/painting_skin.h"

#include <commctrl.h>

#include "app/application.h"
#include "common/fixed_text.h"
#include "common/handles.h"
#include "support/test_support.h"

const char kGothicFace[] = "\x82\x6c\x82\x72 \x82\x6f\x83\x53\x83\x56\x83\x62\x83\x4e";
const char kBlackSquare[] = "\x81\xa1";

TextFont GothicFont(int shadowOn) {
  TextFont font = {};
  CopyText(font.faceName, kGothicFace);
  font.textColour = kYellowText;
  font.shadowColour = kBlueShadow;
  font.shadowOn = shadowOn;
  return font;
}

COLORREF ActiveFace(int x, int y) { return RGB(100 + x % 50, 60 + y % 40, 140); }
COLORREF InactiveFace(int x, int y) { return RGB(30, 30 + x % 20, 40 + y % 10); }

int SeekLevel(int x) { return (x - kSeekRegion.left) * 4; }

COLORREF GlyphColour(int cell) { return RGB(20 + 16 * cell, 0, 200); }

COLORREF VolumeFrameColour(int frame) { return RGB(25 * frame, 255, 0); }

namespace {

std::string RectText(const RECT& r) {
  return std::to_string(r.left) + " " + std::to_string(r.top) + " " + std::to_string(r.right) +
         " " + std::to_string(r.bottom);
}

COLORREF SeekMap(int x, int y) {
  bool inBar = x >= kSeekRegion.left && x < kSeekRegion.right && y >= kSeekRegion.top &&
               y < kSeekRegion.bottom;
  if (!inBar || x == kSeekNotGreyColumn) return RGB(255, 0, 0);
  int level = SeekLevel(x);
  return RGB(level, level, level);
}

}  // namespace

bool WriteSolidPicture(const std::string& path, int width, int height, COLORREF colour) {
  return WriteBmp(path, width, height, colour);
}

std::string WritePaintingSkin(const ScratchFolder& folder, const SkinOptions& options) {
  WriteBmp(folder.File("back.bmp"), kSkinWidth, kSkinHeight, ActiveFace);
  WriteBmp(folder.File("inactive.bmp"), kSkinWidth, kSkinHeight, InactiveFace);
  WriteBmp(folder.File("pressed1.bmp"), kSkinWidth, kSkinHeight, kPressed1);
  WriteBmp(folder.File("pressed2.bmp"), kSkinWidth, kSkinHeight, kPressed2);
  WriteBmp(folder.File("pressed3.bmp"), kSkinWidth, kSkinHeight, kPressed3);
  WriteBmp(folder.File("seek.bmp"), kSkinWidth, kSkinHeight, SeekMap);
  WriteBmp(folder.File("time.bmp"), options.timeFontCells * kGlyphWidth, kGlyphHeight,
           [](int x, int) { return x % kGlyphWidth == 0 ? RGB(0, 0, 0) : GlyphColour(x / kGlyphWidth); });
  WriteBmp(folder.File("volume.bmp"), kVolumeFrames * 8, 6,
           [](int x, int) { return VolumeFrameColour(x / 8); });
  WriteBmp(folder.File("volume_map.bmp"), kSkinWidth, kSkinHeight, RGB(7, 7, 7));

  std::string lines =
      "BackgroundImage back.bmp\r\n"
      "BackgroundImageInactive inactive.bmp\r\n"
      "BackgroundImagePressed1 pressed1.bmp\r\n"
      "BackgroundImagePressed3 pressed3.bmp\r\n"
      "SeekImage seek.bmp\r\n"
      "SeekRegion " + RectText(kSeekRegion) + "\r\n"
      "TimeFontImage time.bmp\r\n"
      "TimeFontSize " + std::to_string(kGlyphWidth) + " " + std::to_string(kGlyphHeight) + "\r\n"
      "TimeFontSpacing " + std::to_string(kGlyphSpacing) + "\r\n"
      "TimeFontTransparent " + std::to_string(options.timeFontTransparent) + "\r\n"
      "MP3TimeWindow " + RectText(kTimeWindow) + "\r\n"
      "VolumeControlType " + options.volumeType + "\r\n"
      "VolumeControlImage volume.bmp\r\n"
      "VolumeControlImagePosition volume_map.bmp\r\n"
      "VolumeControlImageXSize 8\r\n"
      "VolumeControlImageNb " + std::to_string(kVolumeFrames) + "\r\n"
      "VolumeControlButton " + RectText(kVolumeButton) + "\r\n"
      "FilenameWindow " + RectText(kTextWindow) + "\r\n"
      "CloseButton " + RectText(kCloseRect) + " close DARKEN\r\n"
      "MinimizeButton " + RectText(kMinimizeRect) + " minimise BMP1\r\n"
      "AboutButton " + RectText(kAboutRect) + " about BMP2\r\n"
      "StopButton " + RectText(kStopRect) + " stop\r\n"
      "PlayButton " + RectText(kPlayRect) + " play BMP3\r\n"
      "RepeatButton " + RectText(kRepeatRects[0]) + " repeat BMP1\r\n"
      "RepeatButton " + RectText(kRepeatRects[1]) + " repeat BMP1\r\n";
  if (options.pressed2) lines += "BackgroundImagePressed2 pressed2.bmp\r\n";
  lines += options.extraLines;
  std::string path = folder.File("paint.rc");
  WriteFileBytes(path, lines);
  return path;
}

bool CreateTestSkinWindow(SkinWindow& window, const std::string& rcPath) {
  static const bool registered = [] {
    appInstance = GetModuleHandleA(nullptr);
    InitCommonControls();
    return RegisterPlayerClass(appInstance);
  }();
  return registered && window.CreateSkinWindow(nullptr, rcPath.c_str(), 0, "paint", WS_POPUP, 20,
                                               20, nullptr, nullptr, appInstance);
}

void ShowWithoutActivation(SkinWindow& window) {
  SetWindowPos(window.hwnd, nullptr, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  UpdateWindow(window.hwnd);
  ClearUpdateRegion(window.hwnd);
}

BufferSnapshot::BufferSnapshot(const BackBufferWindow& window) {
  BITMAP bitmap = {};
  if (!window.backBuffer || !GetObjectA(window.backBuffer.get(), sizeof(bitmap), &bitmap)) return;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = bitmap.bmWidth;
  info.bmiHeader.biHeight = -bitmap.bmHeight;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<DWORD> pixels(static_cast<size_t>(bitmap.bmWidth) * bitmap.bmHeight);
  WindowDc screen(nullptr);
  if (GetDIBits(screen.get(), window.backBuffer.get(), 0, bitmap.bmHeight, pixels.data(), &info,
                DIB_RGB_COLORS) != bitmap.bmHeight) {
    return;
  }
  width_ = bitmap.bmWidth;
  height_ = bitmap.bmHeight;
  pixels_ = std::move(pixels);
}

COLORREF BufferSnapshot::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
  DWORD p = pixels_[static_cast<size_t>(y) * width_ + x];  // 0x00RRGGBB
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

int CountColour(const BufferSnapshot& shot, const RECT& area, COLORREF colour) {
  int count = 0;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) count += shot.At(x, y) == colour;
  }
  return count;
}

bool UpdateRegionEquals(HWND hwnd, const std::vector<RECT>& expected) {
  unique_hrgn actual(CreateRectRgn(0, 0, 0, 0));
  unique_hrgn wanted(CreateRectRgn(0, 0, 0, 0));
  if (GetUpdateRgn(hwnd, actual.get(), FALSE) == ERROR) return false;
  for (const RECT& r : expected) {
    unique_hrgn part(CreateRectRgnIndirect(&r));
    CombineRgn(wanted.get(), wanted.get(), part.get(), RGN_OR);
  }
  return EqualRgn(actual.get(), wanted.get()) != FALSE;
}

void ClearUpdateRegion(HWND hwnd) { ValidateRect(hwnd, nullptr); }
