#include <cstring>
#include <new>

#include "skin/dib_format.h"
#include "skin/image_buffer.h"
#include "skin/picture_conversion.h"
#include "skin/picture_file.h"
#include "skin/plugin_list.h"

namespace {

// What a plug-in's GetPicture result means for the load: a final status, or
// kTryNextPlugin for a plug-in that cannot do it after all.
constexpr int kTryNextPlugin = -1;
int StatusOfPluginResult(int result) {
  switch (result) {
    case 0:
      return ImageOk;
    case 3:  // broken data
    case 8:  // internal error
      return ImageBadData;
    case 4:  // out of memory
    case 5:  // memory error
      return ImageOutOfMemory;
    case 6:  // read error
      return ImageReadFailed;
    default:  // -1 not implemented, 1 cancelled, 2 unknown format, anything else
      return kTryNextPlugin;
  }
}

// The first kPluginHeaderSize bytes of the file, zero-filled past its end.
ImageStatus ReadPluginHeader(const char* path, BYTE* header) {
  unique_hfile file = OpenPictureFile(path);
  if (!file) return ImageCannotOpen;
  DWORD total = 0;
  while (total < static_cast<DWORD>(kPluginHeaderSize)) {
    DWORD got = 0;
    if (!ReadFile(file.get(), header + total, kPluginHeaderSize - total, &got, nullptr)) {
      return ImageReadFailed;
    }
    if (got == 0) break;
    total += got;
  }
  return ImageOk;
}

void FreeLocalBlock(HLOCAL block, bool locked) {
  if (block == nullptr) return;
  if (locked) LocalUnlock(block);
  LocalFree(block);
}

}  // namespace

LoadedImage::LoadedImage() : infoHandle(nullptr), bitsHandle(nullptr) {}

LoadedImage::~LoadedImage() { LoadedImage::Release(); }

void LoadedImage::Release() {
  // Plug-in blocks are never the program allocator's: hand them back through
  // their handles and leave ImageBuffer only what the program made.
  if (infoHandle != nullptr || bitsHandle != nullptr) {
    FreeLocalBlock(infoHandle, true);
    FreeLocalBlock(bitsHandle, true);
    infoHandle = nullptr;
    bitsHandle = nullptr;
    info = nullptr;
    bits = nullptr;
  }
  ImageBuffer::Release();
}

ImageStatus LoadedImage::LoadPicture(PluginList* pluginList, const char* path) {
  if (pluginList == nullptr || pluginList->count == 0) return LoadBmp(path);

  std::unique_ptr<BYTE[]> header(new (std::nothrow) BYTE[kPluginHeaderSize]());
  if (!header) return ImageOutOfMemory;
  ImageStatus status = ReadPluginHeader(path, header.get());
  if (status != ImageOk) return status;

  for (int i = 0; i < pluginList->count; ++i) {
    // A missing IsSupported (-1) counts as a yes: GetPicture's answer decides.
    if (pluginList->CallIsSupported(i, path, header.get()) == 0) continue;
    HLOCAL infoBlock = nullptr, bitsBlock = nullptr;
    int result = StatusOfPluginResult(pluginList->CallGetPicture(i, path, &infoBlock, &bitsBlock));
    // Handles a failing plug-in may have written are not trusted, not freed.
    if (result == kTryNextPlugin) continue;
    if (result != ImageOk) return static_cast<ImageStatus>(result);
    return AdoptPluginBlocks(infoBlock, bitsBlock);
  }
  return LoadBmp(path);
}

ImageStatus LoadedImage::AdoptPluginBlocks(HLOCAL infoBlock, HLOCAL bitsBlock) {
  if (infoBlock == nullptr || bitsBlock == nullptr || infoBlock == bitsBlock) {
    FreeLocalBlock(infoBlock, false);
    if (bitsBlock != infoBlock) FreeLocalBlock(bitsBlock, false);
    return ImageBadData;
  }
  auto* lockedInfo = static_cast<BITMAPINFO*>(LocalLock(infoBlock));
  auto* lockedBits = static_cast<BYTE*>(LocalLock(bitsBlock));
  ImageStatus status = ImageOk;
  DibFormat format;
  if (lockedInfo == nullptr || lockedBits == nullptr) {
    status = ImageOutOfMemory;
  } else if (!DescribeDibBlocks(lockedInfo, LocalSize(infoBlock), lockedBits,
                                LocalSize(bitsBlock), &format)) {
    // Only blocks holding everything their header makes a reader touch.
    status = ImageBadData;
  } else {
    DecodedBmp converted;
    status = MakeReadable(lockedInfo, lockedBits, format, &converted);
    if (status == ImageOk && !converted.info) {
      // Used in place, locked, until the picture is released.
      Release();
      info = lockedInfo;
      infoSize = LocalSize(infoBlock);
      bits = lockedBits;
      bitsSize = LocalSize(bitsBlock);
      infoHandle = infoBlock;
      bitsHandle = bitsBlock;
      return ImageOk;
    }
    if (status == ImageOk) {
      Adopt(reinterpret_cast<BITMAPINFO*>(converted.info.release()), kInfoBlockSize,
            converted.bits.release(), converted.bitsSize);
    }
  }
  FreeLocalBlock(infoBlock, lockedInfo != nullptr);
  FreeLocalBlock(bitsBlock, lockedBits != nullptr);
  return status;
}
