// Turning a resource file into the skin window's pictures, shape and first
// look: the SkinWindow members LoadSkinImages and ApplySkin.
#include <windows.h>

#include "common/fixed_text.h"
#include "common/handles.h"
#include "common/path_text.h"
#include "skin/skin_pictures.h"
#include "skin/skin_region.h"
#include "window/skin_window.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255);

// A picture path: any folder the window keeps plus any file name the model keeps.
constexpr size_t kPicturePathSize = kPathSize + kPathSize;

}  // namespace

void SkinWindow::PicturePath(const char* fileName, char* path, size_t capacity) const {
  CopyText(path, capacity, resourceFolder);
  AppendText(path, capacity, fileName);
}

void SkinWindow::NamePicture(const char* key, const char* path) {
  // Paths may be longer than errorText: the text is cut, never overrun.
  FormatText(errorText, sizeof(errorText), "%s ( %s )", key, path);
}

LoadedImage& SkinWindow::PictureSlot(SkinPicture picture) {
  switch (picture) {
    case BackgroundPicture: return backgroundPicture;
    case InactivePicture: return inactivePicture;
    case PressedPicture1: return pressedPicture[0];
    case PressedPicture2: return pressedPicture[1];
    case PressedPicture3: return pressedPicture[2];
    case TimeFontPicture: return timeFontPicture;
    case VolumePicture: return volumePicture;
    case VolumeMapPicture: return volumePositionPicture;
    case ShuffleLampPicture:
    case RepeatLampPicture:
    case RepeatTrackLampPicture:
    case IntroLampPicture:
    case MuteLampPicture: return lampPicture[picture - ShuffleLampPicture];
    case TimeRemainingPicture: return timeRemainingPicture;
    case SeekPicture:
    case kSkinPictureCount: break;
  }
  return seekPicture;
}

bool SkinWindow::LoadSkinPicture(const SkinPictureRule& rule, PluginList* pluginList) {
  LoadedImage& slot = PictureSlot(rule.picture);
  // A feature the new skin does not name must not keep showing the previous
  // skin's picture: its slot is emptied.
  if (!SkinLoadsPicture(model, rule)) {
    slot.Release();
    return true;
  }
  char path[kPicturePathSize];
  PicturePath(rule.file(model), path, sizeof(path));
  pictureStatus = slot.LoadPicture(pluginList, path);
  if (pictureStatus == ImageOk) return true;
  refusedPictureSize = slot.refusedSize;
  NamePicture(rule.key, path);
  status = SkinImageFailed;
  return false;
}

bool SkinWindow::LoadSkinImages(PluginList* pluginList, const char* resourceFilePath) {
  FolderOf(resourceFilePath, resourceFolder, sizeof(resourceFolder));
  if (!model.LoadResourceFile(resourceFilePath)) {
    status = SkinResourceFailed;
    return false;
  }

  // The backgrounds first, in table order; the first failure stops the load.
  for (const SkinPictureRule& rule : kSkinPictures) {
    if (rule.need == PictureAlways && !LoadSkinPicture(rule, pluginList)) return false;
  }
  if (!HasOpaquePixel(backgroundPicture)) {
    char path[kPicturePathSize];
    PicturePath(model.backgroundImageFile, path, sizeof(path));
    NamePicture(PictureKey(BackgroundPicture), path);
    status = SkinEmptyShape;
    return false;
  }

  int width = backgroundPicture.Width();
  int height = backgroundPicture.Height();
  if (!scratchImage.CreateBlank(width, height) || !frameImage.CreateBlank(width, height)) {
    status = SkinWorkImageFailed;
    return false;
  }

  for (const SkinPictureRule& rule : kSkinPictures) {
    if (rule.need != PictureAlways && !LoadSkinPicture(rule, pluginList)) return false;
  }
  // At 100 % nothing more is done at all; a skin too large to scale stays usable.
  if (!scale.IsUnit() && !ScaleSkin()) scale = SkinScale{};
  return true;
}

bool SkinWindow::BuildRegion() {
  // A region the window never took over (an earlier apply failed) is still ours.
  ownedRegion_.reset(CreateRectRgn(0, 0, 0, 0));
  windowRegion = ownedRegion_.get();
  if (!ownedRegion_ || !AddPictureShape(backgroundPicture, windowRegion)) {
    status = SkinRegionFailed;
    return false;
  }
  return true;
}

bool SkinWindow::ApplySkin() {
  int width = backgroundPicture.Width();
  int height = backgroundPicture.Height();

  // The window system frees the region it held.
  SetWindowRgn(hwnd, nullptr, TRUE);
  windowRegion = nullptr;
  if (!BuildRegion()) return false;
  if (!SetWindowRgn(hwnd, windowRegion, TRUE)) {
    status = SkinSetRegionFailed;
    return false;
  }
  ownedRegion_.release();  // the window system's from now on

  // White wherever the background is not drawn. The buffer has the
  // background's size, so as a rule the blit covers it all and a white fill
  // first would be one more pass over every pixel for nothing.
  const bool covered = bufferWidth <= width && bufferHeight <= height;
  if (!covered) Fill(kWhite);
  if (HDC dc = BeginDraw()) {
    int drawn = backgroundPicture.Blit(dc, 0, 0, width, height, 0, 0, width, height, SRCCOPY);
    if (covered && drawn <= 0) {
      unique_hbrush white(CreateSolidBrush(kWhite));
      RECT all = {0, 0, bufferWidth, bufferHeight};
      if (white) FillRect(dc, &all, white.get());
    }
    frameImage.CopyRect(backgroundPicture, 0, 0, width, height, 0, 0);
    EndDraw();
  }
  InvalidateRect(hwnd, nullptr, TRUE);

  if (!RegisterTooltips()) return false;
  RefreshToggleButtons();
  PaintVolumeControl();
  PaintSeekBar();
  PaintTimeWindow();
  PaintTextWindow();
  for (int lamp = 0; lamp < kLampCount; ++lamp) PaintLamp(lamp);
  PaintTimeSign();
  return true;
}
