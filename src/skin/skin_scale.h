// The size a skin is shown at. A skin is drawn for one screen pixel per skin
// pixel; at another scale its pictures, rectangles and offsets are all scaled
// once, when it is realised, and everything after works on the scaled skin.
#ifndef ZANTO_SKIN_SKIN_SCALE_H
#define ZANTO_SKIN_SKIN_SCALE_H

#include <windows.h>

class SkinModel;

// [General] Scale: these three, or kScaleFollowDpi for the monitor's own.
constexpr int kScaleNormal = 100;
constexpr int kScaleMiddle = 150;
constexpr int kScaleDouble = 200;
constexpr int kScaleFollowDpi = 0;
// The DPI at which a monitor shows things at their own size.
constexpr int kNormalDpi = 96;

struct SkinScale {
  int percent = kScaleNormal;

  bool IsUnit() const { return percent == kScaleNormal; }
  bool IsWholeMultiple() const { return percent % 100 == 0; }
  // Skin pixel `value` on the scaled skin: the first scaled pixel whose
  // nearest skin pixel is `value` or beyond, so that a rectangle covers
  // exactly the pixels its pictures were scaled into.
  int Scaled(int value) const;
  RECT Scaled(const RECT& rect) const;
  // The skin pixel nearest to scaled pixel `value`.
  int Unscaled(int value) const;
};

inline bool operator==(SkinScale a, SkinScale b) { return a.percent == b.percent; }
inline bool operator!=(SkinScale a, SkinScale b) { return a.percent != b.percent; }

// The setting as the program takes it: any value but the four reads as 100.
int ValidScaleSetting(int setting);
// A monitor's scale (dpi / 96) rounded to the nearest of 100, 150 and 200
// percent, ties going up.
int ScaleForDpi(int dpi);
// The scale the setting gives a window on a monitor of `dpi`.
SkinScale ResolveSkinScale(int setting, int dpi);
// The setting double size (Ctrl+D) leaves: back to 100 from 200, else 200.
int ToggledDoubleSize(int setting);

// Every rectangle and offset of the model at `scale`. The pictures are
// scaled apart (see picture_scale.h).
void ScaleSkinModel(SkinModel& model, SkinScale scale);

#endif
