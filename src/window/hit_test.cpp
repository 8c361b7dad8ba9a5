#include "window/hit_test.h"

#include "skin/pixel_view.h"

int GreyMapLevel(const ImageBuffer& map, int x, int y) {
  if (map.IsEmpty()) return -1;
  PixelView view(map);
  // A map in a format we cannot read would otherwise read as all black,
  // which is grey level 0 everywhere: such a map marks nothing.
  if (view.BytesPerPixel() == 0 || !view.Contains(x, y)) return -1;
  return GreyLevel(view.At(x, y));
}

int VolumeMapLevel(const SkinModel& model, const ImageBuffer& volumeMap, int x, int y) {
  if (model.volumeControlType != VolumeControlBmp) return -1;
  return GreyMapLevel(volumeMap, x, y);
}

int HitTestSkin(const SkinModel& model, const ImageBuffer& volumeMap, const ImageBuffer& seekMap,
                int x, int y, int* entry) {
  if (RectContains(model.volumeControlButton, x, y) && VolumeMapLevel(model, volumeMap, x, y) >= 0)
    return kHitVolume;
  if (RectContains(model.seekRegion, x, y) && GreyMapLevel(seekMap, x, y) >= 0) return kHitSeek;
  for (int button = 0; button < kButtonCount; ++button) {
    const ButtonSpecList& list = model.buttons[button];
    for (int j = 0; j < list.count; ++j) {
      if (RectContains(list[j].rect, x, y)) {
        if (entry) *entry = j;
        return button;
      }
    }
  }
  for (int lamp = 0; lamp < kLampCount; ++lamp) {
    if (RectContains(model.lamps[lamp].rect, x, y)) return kHitLamp + lamp;
  }
  return kHitBody;
}
