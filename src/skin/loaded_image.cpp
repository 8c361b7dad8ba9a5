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
      return ImageBadData;
    case 8:  // internal error
      return ImagePluginFailed;
    case 4:  // out of memory
    case 5:  // memory error
      return ImageOutOfMemory;
    case 6:  // read error
      return ImageReadFailed;
    default:  // -1 not implemented, 1 cancelled, 2 unknown format, anything else
      return kTryNextPlugin;
  }
}

// Up to `size` bytes of the file's start, zero-filled past its end; `got`
// says how many came.
ImageStatus ReadFileStart(const char* path, BYTE* header, DWORD size, DWORD* got) {
  *got = 0;
  unique_hfile file = OpenPictureFile(path);
  if (!file) return ImageCannotOpen;
  DWORD total = 0;
  while (total < size) {
    DWORD chunk = 0;
    if (!ReadFile(file.get(), header + total, size - total, &chunk, nullptr)) {
      return ImageReadFailed;
    }
    if (chunk == 0) break;
    total += chunk;
  }
  *got = total;
  return ImageOk;
}

// A file that begins with something other than a BMP's signature is in a
// format nobody here read, rather than a broken BMP.
bool BeginsUnlikeBmp(const BYTE* start, DWORD got) {
  return got >= 2 && (start[0] != 'B' || start[1] != 'M');
}

// Why the BMP reader's refusal of a file that no plug-in took stands.
ImageStatus BmpRouteStatus(ImageStatus status, const BYTE* start, DWORD got, bool pluginFaulted) {
  if (status != ImageBadData || !BeginsUnlikeBmp(start, got)) return status;
  return pluginFaulted ? ImagePluginFailed : ImageUnknownFormat;
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
  if (pluginList == nullptr || pluginList->count == 0) {
    ImageStatus status = LoadBmp(path);
    if (status != ImageBadData) return status;
    BYTE start[2] = {};
    DWORD got = 0;
    ReadFileStart(path, start, sizeof(start), &got);
    return BmpRouteStatus(status, start, got, false);
  }

  std::unique_ptr<BYTE[]> header(new (std::nothrow) BYTE[kPluginHeaderSize]());
  if (!header) return ImageOutOfMemory;
  DWORD got = 0;
  ImageStatus status = ReadFileStart(path, header.get(), kPluginHeaderSize, &got);
  if (status != ImageOk) return status;

  // Only a fault on this file says the plug-in failed it; one faulted before
  // is simply not asked.
  bool faulted = false;
  for (int i = 0; i < pluginList->count; ++i) {
    const bool faultedBefore = pluginList->Faulted(i);
    int result = TryPlugin(pluginList, i, path, header.get());
    faulted = faulted || (!faultedBefore && pluginList->Faulted(i));
    if (result != kTryNextPlugin) return static_cast<ImageStatus>(result);
  }
  return BmpRouteStatus(LoadBmp(path), header.get(), got, faulted);
}

int LoadedImage::TryPlugin(PluginList* pluginList, int index, const char* path,
                           const BYTE* header) {
  // A missing IsSupported (-1) counts as a yes: GetPicture's answer decides.
  if (pluginList->CallIsSupported(index, path, header) == 0) return kTryNextPlugin;
  // The size first, where the plug-in tells it: a decode of a picture that is
  // refused anyway can take many seconds. A failed or missing answer, or no
  // size in it, leaves the decision to the decoded picture, as before.
  PictureInfo told;
  if (pluginList->CallGetPictureInfo(index, path, &told) == 0 &&
      IsBeyondLimits(JudgePictureSize(told.width, told.height, told.colorDepth))) {
    refusedSize = PictureSize{static_cast<int>(told.width), static_cast<int>(told.height)};
    return ImageTooLarge;
  }
  HLOCAL infoBlock = nullptr, bitsBlock = nullptr;
  int result = StatusOfPluginResult(pluginList->CallGetPicture(index, path, &infoBlock, &bitsBlock));
  // Handles a failing plug-in may have written are not trusted, not freed.
  if (result != ImageOk) return result;
  ImageStatus adopted = AdoptPluginBlocks(infoBlock, bitsBlock);
  // Blocks that hold no picture are the plug-in's failure, not the file's.
  return adopted == ImageBadData ? ImagePluginFailed : adopted;
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
    const bool headerThere = LocalSize(infoBlock) >= sizeof(BITMAPINFOHEADER);
    status = headerThere && DibBeyondLimits(lockedInfo->bmiHeader, &refusedSize) ? ImageTooLarge
                                                                                 : ImageBadData;
  } else {
    DecodedBmp converted;
    status = MakeReadable(lockedInfo, lockedBits, format, &converted);
    if (status == ImageTooLarge) refusedSize = PictureSize{format.width, format.height};
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
