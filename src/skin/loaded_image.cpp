#include "skin/image_buffer.h"

#include <initializer_list>

#include "skin/dib_format.h"

LoadedImage::LoadedImage() : infoHandle(nullptr), bitsHandle(nullptr) {}

LoadedImage::~LoadedImage() { Release(); }

void LoadedImage::Release() {
  FreePluginBlocks();
  ImageBuffer::Release();
}

void LoadedImage::FreePluginBlocks() {
  for (HLOCAL* handle : {&infoHandle, &bitsHandle}) {
    if (*handle == nullptr) continue;
    LocalUnlock(*handle);
    LocalFree(*handle);
    *handle = nullptr;
  }
}

ImageStatus LoadedImage::LoadPicture(PluginList* pluginList, const char* path) {
  // The plug-in route goes here: with a list, read the file's first 2048 bytes,
  // ask each plug-in in turn and hand a decoded picture to AdoptPluginBlocks,
  // falling through to the BMP reader when none takes the file. Until the
  // plug-in host exists every picture takes the BMP route.
  (void)pluginList;
  return LoadBmpRoute(path);
}

ImageStatus LoadedImage::LoadBmpRoute(const char* path) {
  // Plug-in blocks are not the program allocator's: LoadBmp only drops the
  // addresses (Adopt marked them not owned), so on failure they are still
  // the picture, and on success they are freed here through their handles.
  ImageStatus status = LoadBmp(path);
  if (status == ImageOk) FreePluginBlocks();
  return status;
}

ImageStatus LoadedImage::AdoptPluginBlocks(HLOCAL infoBlock, HLOCAL bitsBlock) {
  if (infoBlock == nullptr || bitsBlock == nullptr || infoBlock == bitsBlock) {
    if (infoBlock != nullptr) LocalFree(infoBlock);
    if (bitsBlock != nullptr && bitsBlock != infoBlock) LocalFree(bitsBlock);
    return ImageBadData;
  }
  void* lockedInfo = LocalLock(infoBlock);
  void* lockedBits = LocalLock(bitsBlock);
  ImageStatus status = ImageOk;
  if (lockedInfo == nullptr || lockedBits == nullptr) {
    status = ImageOutOfMemory;
  } else {
    // The blocks are used as they are, but only when they hold everything
    // their header makes GetPixel, CopyRect or StretchDIBits read.
    DibFormat format;
    if (!DescribeDibBlocks(static_cast<BITMAPINFO*>(lockedInfo), LocalSize(infoBlock),
                           static_cast<BYTE*>(lockedBits), LocalSize(bitsBlock), &format)) {
      status = ImageBadData;
    }
  }
  if (status != ImageOk) {
    if (lockedInfo != nullptr) LocalUnlock(infoBlock);
    if (lockedBits != nullptr) LocalUnlock(bitsBlock);
    LocalFree(infoBlock);
    LocalFree(bitsBlock);
    return status;
  }
  Release();
  Adopt(static_cast<BITMAPINFO*>(lockedInfo), LocalSize(infoBlock),
        static_cast<BYTE*>(lockedBits), LocalSize(bitsBlock), false);
  infoHandle = infoBlock;
  bitsHandle = bitsBlock;
  return ImageOk;
}
