// Turning a resource file into the skin window's pictures, shape and first
// look: the SkinWindow members LoadSkinImages and ApplySkin.
#include <windows.h>

#include "common/fixed_text.h"
#include "common/handles.h"
#include "common/path_text.h"
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

void SkinWindow::NamePicture(const char* key, int number, const char* path) {
  // Paths may be longer than errorText: the text is cut, never overrun.
  if (number > 0) {
    FormatText(errorText, sizeof(errorText), "%s%d ( %s )", key, number, path);
  } else {
    FormatText(errorText, sizeof(errorText), "%s ( %s )", key, path);
  }
}

bool SkinWindow::LoadSkinPicture(LoadedImage& slot, PluginList* pluginList, const char* fileName,
                                 const char* key, int number) {
  char path[kPicturePathSize];
  PicturePath(fileName, path, sizeof(path));
  pictureStatus = slot.LoadPicture(pluginList, path);
  if (pictureStatus == ImageOk) return true;
  refusedPictureSize = slot.refusedSize;
  NamePicture(key, number, path);
  status = SkinImageFailed;
  return false;
}

bool SkinWindow::LoadSkinImages(PluginList* pluginList, const char* resourceFilePath) {
  FolderOf(resourceFilePath, resourceFolder, sizeof(resourceFolder));
  if (!model.LoadResourceFile(resourceFilePath)) {
    status = SkinResourceFailed;
    return false;
  }

  // Both backgrounds are always loaded: an empty name leaves the bare folder
  // as the path, which fails and is reported as such.
  if (!LoadSkinPicture(backgroundPicture, pluginList, model.backgroundImageFile,
                       "BackgroundImage", 0) ||
      !LoadSkinPicture(inactivePicture, pluginList, model.backgroundImageInactiveFile,
                       "BackgroundImageInactive", 0)) {
    return false;
  }
  if (!HasOpaquePixel(backgroundPicture)) {
    char path[kPicturePathSize];
    PicturePath(model.backgroundImageFile, path, sizeof(path));
    NamePicture("BackgroundImage", 0, path);
    status = SkinEmptyShape;
    return false;
  }

  int width = backgroundPicture.Width();
  int height = backgroundPicture.Height();
  if (!scratchImage.CreateBlank(width, height) || !frameImage.CreateBlank(width, height)) {
    status = SkinWorkImageFailed;
    return false;
  }

  // A feature the new skin does not name must not keep showing the previous
  // skin's picture: its slot is emptied.
  for (int i = 0; i < 3; ++i) {
    if (model.backgroundImagePressedFile[i][0] == '\0') {
      pressedPicture[i].Release();
    } else if (!LoadSkinPicture(pressedPicture[i], pluginList, model.backgroundImagePressedFile[i],
                                "BackgroundImagePressed", i + 1)) {
      return false;
    }
  }
  if (model.timeFontImageFile[0] == '\0') {
    timeFontPicture.Release();
  } else if (!LoadSkinPicture(timeFontPicture, pluginList, model.timeFontImageFile,
                              "TimeFontImage", 0)) {
    return false;
  }
  bool hasVolume = model.volumeControlType == VolumeControlBar ||
                   model.volumeControlType == VolumeControlBmp;
  if (!hasVolume) {
    volumePicture.Release();
  } else if (!LoadSkinPicture(volumePicture, pluginList, model.volumeControlImageFile,
                              "VolumeControlImage", 0)) {
    return false;
  }
  if (model.volumeControlType != VolumeControlBmp) {
    volumePositionPicture.Release();
  } else if (!LoadSkinPicture(volumePositionPicture, pluginList,
                              model.volumeControlImagePositionFile, "VolumeControlImagePosition",
                              0)) {
    return false;
  }
  if (model.seekImageFile[0] == '\0') {
    seekPicture.Release();
  } else if (!LoadSkinPicture(seekPicture, pluginList, model.seekImageFile, "SeekImage", 0)) {
    return false;
  }
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
  return true;
}
