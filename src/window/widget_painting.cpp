// Widget painting of the skin window: each routine composes one widget in
// scratchImage, copies its rectangle into the back buffer and frameImage, and
// invalidates that rectangle only. Pictures are read at window coordinates;
// a picture smaller than the area it is read from gives only the pixels it
// has, and the rest of the area keeps what the window showed.
#include <algorithm>
#include <climits>
#include <cstdint>

#include "common/font_style.h"
#include "common/handles.h"
#include "window/drawing_pass.h"
#include "window/grey_map_fill.h"
#include "window/pixel_blend.h"
#include "window/skin_window.h"
#include "window/time_glyphs.h"

namespace {

constexpr int kNormalWeight = 400;
constexpr int kBoldWeight = 700;
constexpr UINT kTextFormat = DT_END_ELLIPSIS | DT_NOPREFIX;

// The part of `area` that lies inside the picture.
RECT ClipToPicture(const RECT& area, const ImageBuffer& picture) {
  RECT clipped = {std::max<LONG>(area.left, 0), std::max<LONG>(area.top, 0),
                  std::min<LONG>(area.right, picture.Width()),
                  std::min<LONG>(area.bottom, picture.Height())};
  if (clipped.left >= clipped.right || clipped.top >= clipped.bottom) return RECT{};
  return clipped;
}

int Clamp(int64_t v) {
  return static_cast<int>(std::min<int64_t>(std::max<int64_t>(v, INT_MIN), INT_MAX));
}

// The same rectangle of `source` into `target`, one to one.
void CopySameRect(ImageBuffer& target, const ImageBuffer& source, const RECT& area) {
  target.CopyRect(source, area.left, area.top, area.right, area.bottom, area.left, area.top);
}

}  // namespace

const ImageBuffer& SkinWindow::CurrentBackground() const {
  switch (activationLook_) {
    case Look::Active:
      return backgroundPicture;
    case Look::Inactive:
      return inactivePicture;
    case Look::FollowActiveWindow:
      break;
  }
  return GetActiveWindow() == hwnd ? backgroundPicture : inactivePicture;
}

void SkinWindow::ComposeFromFrame(const RECT& area) { CopySameRect(scratchImage, frameImage, area); }

bool SkinWindow::ShowComposed(const RECT& area) {
  // Only what lies on the window (the work pictures have its size) is shown.
  const RECT shown = ClipToPicture(area, scratchImage);
  {
    DrawingPass pass(*this);
    if (!pass) return false;
    if (IsRectEmpty(&shown)) return true;
    const int width = shown.right - shown.left;
    const int height = shown.bottom - shown.top;
    scratchImage.Blit(pass.dc(), shown.left, shown.top, width, height, shown.left, shown.top,
                      width, height, SRCCOPY);
    CopySameRect(frameImage, scratchImage, shown);
  }
  InvalidateRect(hwnd, &shown, TRUE);
  return true;
}

bool SkinWindow::PaintButton(int button, int entry, bool pressed) {
  const ButtonSpecList& list = GetButtonSpecList(button);
  if (entry < 0 || entry >= list.count) return true;  // an all-zero spec: style 0
  const ButtonSpec& spec = list[entry];
  const int style = spec.pressStyle;
  if (style < PressStyleDarken || style > PressStyleBmp3) return true;  // never changes
  const ImageBuffer* pressedFace = nullptr;
  if (style != PressStyleDarken) {
    pressedFace = &pressedPicture[style - PressStyleBmp1];
    if (pressedFace->IsEmpty()) return true;
  }

  const RECT& area = spec.rect;
  const bool looksPressed = pressed || (button == RepeatButton && repeatOn != 0);
  ComposeFromFrame(area);
  if (!looksPressed) {
    // Normal and darkened looks come from the active face even while the
    // window is inactive.
    CopySameRect(scratchImage, backgroundPicture, area);
  } else if (pressedFace) {
    CopySameRect(scratchImage, *pressedFace, area);
  } else {
    BlendRect(backgroundPicture, area, scratchImage, area.left, area.top, BlendMode::Halve);
  }
  return ShowComposed(area);
}

bool SkinWindow::RefreshToggleButtons() { return SetToggleState(RepeatButton, repeatOn); }

bool SkinWindow::PaintVolumeControl() {
  const RECT& button = model.volumeControlButton;
  if (model.volumeControlType == VolumeControlBar) {
    // A bar is not drawn: its area keeps the background.
    {
      DrawingPass pass(*this);
      if (!pass) return false;
    }
    InvalidateRect(hwnd, &button, TRUE);
    return true;
  }
  if (model.volumeControlType != VolumeControlBmp || volumePicture.IsEmpty()) return true;
  const int64_t frames = model.volumeControlImageNb;
  const int64_t frameWidth = model.volumeControlImageXSize;
  if (frameWidth <= 0) return true;  // frames without width

  // Frame k of the strip, frame 0 at its left. A strip that gives no frame
  // count (0 or missing) shows frame 0, as the arithmetic says.
  const int64_t frame =
      std::max<int64_t>(0, static_cast<int64_t>(volumePosition) * frames / 256);
  const int64_t sourceLeft = std::min<int64_t>(frame * frameWidth, volumePicture.Width());
  const int64_t sourceRight = std::min<int64_t>(sourceLeft + frameWidth, volumePicture.Width());
  const RECT area = {button.left, button.top, Clamp(button.left + frameWidth), button.bottom};
  ComposeFromFrame(area);
  scratchImage.CopyRect(volumePicture, static_cast<int>(sourceLeft), 0,
                        static_cast<int>(sourceRight), Clamp(int64_t{button.bottom} - button.top),
                        area.left, area.top);
  return ShowComposed(area);
}

bool SkinWindow::PaintSeekBar() {
  if (pressedPicture[0].IsEmpty() || seekPicture.IsEmpty()) return true;
  const RECT& area = model.seekRegion;
  ComposeFromFrame(area);
  FillFromGreyMap(seekPicture, area, seekPosition, CurrentBackground(), pressedPicture[0],
                  scratchImage);
  if (!ShowComposed(area)) return false;
  // The text may lie over the bar.
  return PaintTextWindow();
}

bool SkinWindow::PaintTimeWindow() {
  const int glyphWidth = model.timeFontWidth;
  const int glyphHeight = model.timeFontHeight;
  if (model.timeFontImageFile[0] == '\0' || timeFontPicture.IsEmpty() || glyphWidth <= 0) {
    return true;
  }
  const RECT& area = model.mp3TimeWindow;
  ComposeFromFrame(area);
  CopySameRect(scratchImage, CurrentBackground(), area);
  if (timeFirst >= 0) {
    int cells[kTimeGlyphPositions];
    TimeGlyphCells(timeFirst, timeSecond, timeSeparatorOn != 0,
                   timeFontPicture.Width() / glyphWidth, cells);
    const int64_t step = static_cast<int64_t>(glyphWidth) + model.timeFontSpacing;
    int64_t x = area.left;
    for (int position = 0; position < kTimeGlyphPositions; ++position, x += step) {
      // Glyphs wholly off the work picture are skipped, which also keeps x
      // within int.
      if (cells[position] == kNoGlyph || x <= -glyphWidth || x >= scratchImage.Width()) continue;
      // A cell is whole: (cell + 1) * width is within the picture's width.
      const RECT glyph = {cells[position] * glyphWidth, 0, (cells[position] + 1) * glyphWidth,
                          glyphHeight};
      if (model.timeFontTransparent == 1) {
        BlendRect(timeFontPicture, glyph, scratchImage, static_cast<int>(x), area.top,
                  BlendMode::Lighten);
      } else {
        scratchImage.CopyRect(timeFontPicture, glyph.left, glyph.top, glyph.right, glyph.bottom,
                              static_cast<int>(x), area.top);
      }
    }
  }
  return ShowComposed(area);
}

bool SkinWindow::PaintTextWindow() {
  const RECT& area = model.filenameWindow;
  if (IsRectEmpty(&area) || textFont.faceName[0] == '\0') return true;
  unique_hfont font(CreateFontA(
      area.bottom - area.top - 1, 0, 0, 0,
      (textFont.fontStyle & kFontBold) ? kBoldWeight : kNormalWeight,
      (textFont.fontStyle & kFontItalic) ? TRUE : FALSE,
      (textFont.fontStyle & kFontUnderline) ? TRUE : FALSE, FALSE, SHIFTJIS_CHARSET,
      OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, textFont.faceName));
  if (!font) return false;
  {
    DrawingPass pass(*this);
    if (!pass) return false;
    HDC dc = pass.dc();
    // The text lives only in the back buffer: restoring the area from
    // frameImage removes the previous one.
    const RECT restored = ClipToPicture(area, frameImage);
    if (!IsRectEmpty(&restored)) {
      const int width = restored.right - restored.left;
      const int height = restored.bottom - restored.top;
      frameImage.Blit(dc, restored.left, restored.top, width, height, restored.left,
                      restored.top, width, height, SRCCOPY);
    }
    SelectedObject selected(dc, font.get());
    SetBkMode(dc, TRANSPARENT);
    if (textFont.shadowOn) {
      // One skin pixel down and right, a whole number of screen pixels.
      const int offset = std::max(1, scale.percent / 100);
      RECT shadow = {area.left + offset, area.top + offset, area.right, area.bottom};
      SetTextColor(dc, textFont.shadowColour);
      DrawTextA(dc, text, -1, &shadow, kTextFormat);
    }
    RECT face = {area.left, area.top, area.right - 1, area.bottom - 1};
    SetTextColor(dc, textFont.textColour);
    DrawTextA(dc, text, -1, &face, kTextFormat);
  }
  InvalidateRect(hwnd, &area, TRUE);
  return true;
}

void SkinWindow::RepaintWidgets() {
  RefreshToggleButtons();
  PaintVolumeControl();
  PaintSeekBar();
  PaintTimeWindow();
  PaintTextWindow();
  for (int lamp = 0; lamp < kLampCount; ++lamp) PaintLamp(lamp);
  PaintTimeSign();
}

void SkinWindow::OnActivate(WPARAM wParam) {
  if (backgroundPicture.IsEmpty()) return;
  const ImageBuffer* face = nullptr;
  Look look = Look::FollowActiveWindow;
  switch (LOWORD(wParam)) {
    case WA_INACTIVE:
      face = &inactivePicture;
      look = Look::Inactive;
      break;
    case WA_ACTIVE:
    case WA_CLICKACTIVE:
      face = &backgroundPicture;
      look = Look::Active;
      break;
    default:
      break;
  }
  {
    DrawingPass pass(*this);
    if (!pass) return;
    if (face) {
      // At the background's size; a smaller face leaves the rest as it was.
      const RECT whole = ClipToPicture(
          RECT{0, 0, backgroundPicture.Width(), backgroundPicture.Height()}, *face);
      const int width = whole.right - whole.left;
      const int height = whole.bottom - whole.top;
      if (width > 0 && height > 0) {
        face->Blit(pass.dc(), 0, 0, width, height, 0, 0, width, height, SRCCOPY);
        CopySameRect(frameImage, *face, whole);
      }
    }
    InvalidateRect(hwnd, nullptr, TRUE);
  }
  activationLook_ = look;
  RepaintWidgets();
  activationLook_ = Look::FollowActiveWindow;
}
