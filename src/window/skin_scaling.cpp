// A loaded skin at another scale than its own: the SkinWindow member ScaleSkin.
#include "skin/picture_scale.h"
#include "skin/skin_pictures.h"
#include "window/skin_window.h"

namespace {

// The grey maps mark positions by exact levels: smoothing would invent
// levels between two places, and blend the map's edges into its surround.
PictureScaling ScalingOf(SkinPicture picture) {
  return picture == VolumeMapPicture || picture == SeekPicture ? PictureScaling::Nearest
                                                               : PictureScaling::Smooth;
}

// Strips that the painter cuts into cells by a width the model gives.
int CellWidthOf(SkinPicture picture, const SkinModel& model) {
  if (picture == TimeFontPicture) return model.timeFontWidth;
  if (picture == VolumePicture) return model.volumeControlImageXSize;
  // A lamp's off and on frames side by side, each its rectangle's width.
  for (int lamp = 0; lamp < kLampCount; ++lamp) {
    if (picture == LampPicture(lamp)) return model.lamps[lamp].rect.right - model.lamps[lamp].rect.left;
  }
  return 0;
}

}  // namespace

bool SkinWindow::ScaleSkin() {
  // Scaled aside first: a picture that cannot be had leaves the skin whole.
  LoadedImage scaled[kSkinPictureCount];
  for (const SkinPictureRule& rule : kSkinPictures) {
    const LoadedImage& picture = PictureSlot(rule.picture);
    if (picture.IsEmpty()) continue;
    if (!ScalePicture(picture, scale, ScalingOf(rule.picture), CellWidthOf(rule.picture, model),
                      &scaled[rule.picture])) {
      return false;
    }
  }
  ImageBuffer scratch, frame;
  const int width = scaled[BackgroundPicture].Width();
  const int height = scaled[BackgroundPicture].Height();
  if (!scratch.CreateBlank(width, height) || !frame.CreateBlank(width, height)) return false;

  for (const SkinPictureRule& rule : kSkinPictures) {
    if (!scaled[rule.picture].IsEmpty()) PictureSlot(rule.picture).Swap(scaled[rule.picture]);
  }
  scratchImage.Swap(scratch);
  frameImage.Swap(frame);
  ScaleSkinModel(model, scale);
  return true;
}
