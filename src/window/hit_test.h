// What lies under a point of the skinned window: a plain function of the skin
// model and its two grey maps, so it can be checked without any window.
#ifndef ZANTO_WINDOW_HIT_TEST_H
#define ZANTO_WINDOW_HIT_TEST_H

#include <windows.h>

#include "skin/image_buffer.h"
#include "skin/skin_model.h"

// Hit codes of a mouse press: 0..16 are button indices.
constexpr int kHitNone = -1;
constexpr int kHitBody = 17;
constexpr int kHitVolume = 18;
constexpr int kHitSeek = 19;
// kHitLamp + i for lamp i.
constexpr int kHitLamp = 20;

inline bool IsButtonHit(int hit) { return hit >= 0 && hit < kButtonCount; }
inline bool IsLampHit(int hit) { return hit >= kHitLamp && hit < kHitLamp + kLampCount; }

// Left and top inclusive, right and bottom exclusive; empty or inverted
// rectangles contain nothing.
inline bool RectContains(const RECT& rect, int x, int y) {
  return x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
}

// Grey level 0..255 of the map's pixel at window point (x, y); -1 outside the
// map, over a pixel that is not grey, or when the map cannot be read.
int GreyMapLevel(const ImageBuffer& map, int x, int y);

// The volume control's position under (x, y): only a BMP volume control has a
// map. -1 where there is none.
int VolumeMapLevel(const SkinModel& model, const ImageBuffer& volumeMap, int x, int y);

// Hit code under (x, y): the volume control over a grey pixel inside its
// rectangle, then the seek bar the same way, then the first button placement
// containing the point (lower button index, then earlier placement), then a
// lamp, else the body. For a button, *entry receives the placement's index;
// otherwise it is left alone.
int HitTestSkin(const SkinModel& model, const ImageBuffer& volumeMap, const ImageBuffer& seekMap,
                int x, int y, int* entry);

#endif
