#include "skin/skin_scale.h"

#include <climits>
#include <cstdint>
#include <initializer_list>

#include "skin/skin_model.h"

namespace {

int Clamped(int64_t value) {
  if (value < INT_MIN) return INT_MIN;
  if (value > INT_MAX) return INT_MAX;
  return static_cast<int>(value);
}

// Rounds towards minus infinity, for either sign.
int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

// The skin's value when it names no perch base line.
constexpr int kNoBaseLine = -1;

void ScaleButtons(ButtonSpecList& list, SkinScale scale) {
  for (int i = 0; i < list.count; ++i) {
    ButtonSpec spec = list[i];
    spec.rect = scale.Scaled(spec.rect);
    list.SetAt(i, &spec);
  }
}

}  // namespace

int SkinScale::Scaled(int value) const {
  // ceil(value * percent / 100)
  return Clamped(-FloorDiv(-static_cast<int64_t>(value) * percent, 100));
}

RECT SkinScale::Scaled(const RECT& rect) const {
  return RECT{Scaled(rect.left), Scaled(rect.top), Scaled(rect.right), Scaled(rect.bottom)};
}

int SkinScale::Unscaled(int value) const {
  if (percent <= 0) return value;
  return Clamped(FloorDiv(static_cast<int64_t>(value) * 100, percent));
}

int ValidScaleSetting(int setting) {
  switch (setting) {
    case kScaleNormal:
    case kScaleMiddle:
    case kScaleDouble:
    case kScaleFollowDpi:
      return setting;
    default:
      return kScaleNormal;
  }
}

int ScaleForDpi(int dpi) {
  // 125 % (120 dpi) and 175 % (168 dpi) are the ties.
  if (dpi < kNormalDpi * 125 / 100) return kScaleNormal;
  if (dpi < kNormalDpi * 175 / 100) return kScaleMiddle;
  return kScaleDouble;
}

SkinScale ResolveSkinScale(int setting, int dpi) {
  const int valid = ValidScaleSetting(setting);
  return SkinScale{valid == kScaleFollowDpi ? ScaleForDpi(dpi) : valid};
}

int ToggledDoubleSize(int setting) {
  return ValidScaleSetting(setting) == kScaleDouble ? kScaleNormal : kScaleDouble;
}

void ScaleSkinModel(SkinModel& model, SkinScale scale) {
  if (scale.IsUnit()) return;
  for (ButtonSpecList& list : model.buttons) ScaleButtons(list, scale);
  for (LampSpec& lamp : model.lamps) lamp.rect = scale.Scaled(lamp.rect);
  for (RECT* rect : {&model.volumeControlButton, &model.seekRegion, &model.filenameWindow,
                     &model.mp3KbpsWindow, &model.mp3KhzWindow, &model.mp3TimeWindow,
                     &model.currentTrackWindow, &model.analyzerWindow, &model.equalizerWindow}) {
    *rect = scale.Scaled(*rect);
  }
  // Cell sizes of the strips, which are scaled cell by cell.
  model.timeFontWidth = scale.Scaled(model.timeFontWidth);
  model.timeFontHeight = scale.Scaled(model.timeFontHeight);
  model.timeFontSpacing = scale.Scaled(model.timeFontSpacing);
  model.volumeControlImageXSize = scale.Scaled(model.volumeControlImageXSize);
  if (model.osuwariBaseLine != kNoBaseLine) model.osuwariBaseLine = scale.Scaled(model.osuwariBaseLine);
}
