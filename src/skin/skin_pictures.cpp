#include "skin/skin_pictures.h"

constexpr SkinPictureRule kSkinPictures[kSkinPictureCount] = {
    {BackgroundPicture, "BackgroundImage",
     [](SkinModel& m) -> PicturePathText& { return m.backgroundImageFile; }, PictureAlways, false},
    {InactivePicture, "BackgroundImageInactive",
     [](SkinModel& m) -> PicturePathText& { return m.backgroundImageInactiveFile; }, PictureAlways,
     true},
    {PressedPicture1, "BackgroundImagePressed1",
     [](SkinModel& m) -> PicturePathText& { return m.backgroundImagePressedFile[0]; },
     PictureWhenNamed, true},
    {PressedPicture2, "BackgroundImagePressed2",
     [](SkinModel& m) -> PicturePathText& { return m.backgroundImagePressedFile[1]; },
     PictureWhenNamed, true},
    {PressedPicture3, "BackgroundImagePressed3",
     [](SkinModel& m) -> PicturePathText& { return m.backgroundImagePressedFile[2]; },
     PictureWhenNamed, true},
    {TimeFontPicture, "TimeFontImage",
     [](SkinModel& m) -> PicturePathText& { return m.timeFontImageFile; }, PictureWhenNamed, false},
    {VolumePicture, "VolumeControlImage",
     [](SkinModel& m) -> PicturePathText& { return m.volumeControlImageFile; }, PictureWithVolume,
     false},
    {VolumeMapPicture, "VolumeControlImagePosition",
     [](SkinModel& m) -> PicturePathText& { return m.volumeControlImagePositionFile; },
     PictureWithVolumeMap, true},
    {SeekPicture, "SeekImage", [](SkinModel& m) -> PicturePathText& { return m.seekImageFile; },
     PictureWhenNamed, true},
    {ShuffleLampPicture, "ShuffleLampImage",
     [](SkinModel& m) -> PicturePathText& { return m.lampImageFile[ShuffleLamp]; },
     PictureWhenNamed, false},
    {RepeatLampPicture, "RepeatLampImage",
     [](SkinModel& m) -> PicturePathText& { return m.lampImageFile[RepeatLamp]; },
     PictureWhenNamed, false},
    {RepeatTrackLampPicture, "RepeatOneLampImage",
     [](SkinModel& m) -> PicturePathText& { return m.lampImageFile[RepeatTrackLamp]; },
     PictureWhenNamed, false},
    {IntroLampPicture, "IntroLampImage",
     [](SkinModel& m) -> PicturePathText& { return m.lampImageFile[IntroLamp]; },
     PictureWhenNamed, false},
    {MuteLampPicture, "MuteLampImage",
     [](SkinModel& m) -> PicturePathText& { return m.lampImageFile[MuteLamp]; },
     PictureWhenNamed, false},
    {TimeRemainingPicture, "TimeRemainingImage",
     [](SkinModel& m) -> PicturePathText& { return m.timeRemainingImageFile; }, PictureWhenNamed,
     false},
};

namespace {

// Callers index the table by SkinPicture, and the always-read rows must lead.
constexpr bool RowsInOrder() {
  for (int i = 0; i < kSkinPictureCount; ++i) {
    if (kSkinPictures[i].picture != i) return false;
    if (i > 0 && kSkinPictures[i].need == PictureAlways &&
        kSkinPictures[i - 1].need != PictureAlways) {
      return false;
    }
  }
  return true;
}
static_assert(RowsInOrder(), "kSkinPictures rows out of order");

}  // namespace

bool SkinLoadsPicture(SkinModel& model, const SkinPictureRule& rule) {
  switch (rule.need) {
    case PictureAlways:
      return true;
    case PictureWhenNamed:
      return rule.file(model)[0] != '\0';
    case PictureWithVolume:
      return model.volumeControlType == VolumeControlBar ||
             model.volumeControlType == VolumeControlBmp;
    case PictureWithVolumeMap:
      return model.volumeControlType == VolumeControlBmp;
  }
  return false;
}
