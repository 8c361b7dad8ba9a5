// The pictures a resource file names, one row each: the key, the model field
// that holds its file name, and when a skin load reads it. The parser, the
// skin window and the skin checker all walk this one table.
#ifndef ZANTO_SKIN_SKIN_PICTURES_H
#define ZANTO_SKIN_SKIN_PICTURES_H

#include "skin/skin_model.h"

// Rows of kSkinPictures, in the order a skin load reads them.
enum SkinPicture : int {
  BackgroundPicture = 0,
  InactivePicture,
  PressedPicture1,
  PressedPicture2,
  PressedPicture3,
  TimeFontPicture,
  VolumePicture,
  VolumeMapPicture,
  SeekPicture,
  // Two frames side by side, off then on, each the lamp rectangle's size.
  ShuffleLampPicture,
  RepeatLampPicture,
  RepeatTrackLampPicture,
  IntroLampPicture,
  MuteLampPicture,
  TimeRemainingPicture,
  kSkinPictureCount
};

// When a skin load reads a picture.
enum PictureNeed : int {
  // Always, named or not: an empty name leaves the bare folder as the path,
  // which fails as such. These rows come first; the window's shape and work
  // pictures are made from them before the rest is read.
  PictureAlways = 0,
  PictureWhenNamed,      // an unnamed one is simply not there
  PictureWithVolume,     // while VolumeControlType is BAR or BMP, named or not
  PictureWithVolumeMap,  // while VolumeControlType is BMP, named or not
};

using PicturePathText = char[kPathSize];

struct SkinPictureRule {
  SkinPicture picture;
  const char* key;
  PicturePathText& (*file)(SkinModel& model);
  PictureNeed need;
  // Drawn over parts of the background, so one smaller than the background
  // leaves those parts without it.
  bool coversBackground;
};

extern const SkinPictureRule kSkinPictures[kSkinPictureCount];

inline SkinPicture LampPicture(int lamp) { return static_cast<SkinPicture>(ShuffleLampPicture + lamp); }

inline const char* PictureKey(SkinPicture picture) { return kSkinPictures[picture].key; }

// Whether a skin load of `model` reads the picture of `rule`.
bool SkinLoadsPicture(SkinModel& model, const SkinPictureRule& rule);

#endif
