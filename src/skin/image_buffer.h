// Pictures held as device-independent bitmaps: a BITMAPINFO block (header and
// palette) plus the pixel rows, exactly what StretchDIBits draws.
#ifndef ZANTO_SKIN_IMAGE_BUFFER_H
#define ZANTO_SKIN_IMAGE_BUFFER_H

#include <windows.h>

#include <cstddef>
#include <utility>

#include "skin/picture_limits.h"

class PluginList;
struct DecodedBmp;

enum ImageStatus : int {
  ImageOk = 0,
  ImageCannotOpen = 1,   // the file cannot be opened
  ImageReadFailed = 2,   // reading or seeking failed, or a plug-in read error
  ImageBadData = 3,      // a broken or undrawable BMP (for the BMP reader, any file that
                         // is no BMP), or a plug-in reported broken data
  ImageOutOfMemory = 4,  // out of memory, or a plug-in memory error
  ImageTooLarge = 5,      // beyond the picture limits (refusedSize holds its size)
  ImageUnknownFormat = 6, // not a BMP, and no plug-in took it
  ImagePluginFailed = 7,  // the plug-in that took it faulted, failed inside, or gave
                          // blocks that hold no picture
};

// Bytes of an info block the program allocates: the 40-byte header and room
// for 256 palette entries.
constexpr size_t kInfoBlockSize = sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD);

// Owns its two blocks. Every path that replaces or frees them goes through the
// virtual Release, so a LoadedImage holding a plug-in's blocks frees them
// through their handles whichever loader (ImageBuffer's included) replaces them.
class ImageBuffer {
 public:
  ImageBuffer();
  virtual ~ImageBuffer();
  ImageBuffer(const ImageBuffer&) = delete;
  ImageBuffer& operator=(const ImageBuffer&) = delete;

  virtual void Release();
  // A blank (black) 24-bit bottom-up picture; false when allocation failed.
  bool CreateBlank(int width, int height);
  // The program's own BMP reader. Pictures the pixel operations cannot read
  // as stored are converted on the way in (see picture_conversion.h). On
  // failure the previous picture stays.
  ImageStatus LoadBmp(const char* path);
  // The same reader over a whole file's bytes in memory.
  ImageStatus LoadBmpFromMemory(const BYTE* file, size_t fileSize);

  // Colour (0x00BBGGRR) of column x, row y counted from the top, for 8-, 24-
  // and 32-bit pictures in either row order. Black for a pixel outside the
  // picture or of another format (see PixelView for loops).
  COLORREF GetPixel(int x, int y) const;
  // Copies source rows y0..y1-1, columns x0..x1-1 into this 24-bit (or
  // 32-bit) picture at (dstX, dstY), converting through the source's palette.
  // Pixels outside either picture are skipped.
  void CopyRect(const ImageBuffer& source, int x0, int y0, int x1, int y1, int dstX, int dstY);
  // Draws a source rectangle (rows counted from the top) with StretchDIBits;
  // 0 without drawing when the blocks do not hold the picture.
  int Blit(HDC hdc, int xDest, int yDest, int wDest, int hDest, int xSrc, int ySrc, int wSrc,
           int hSrc, DWORD rop) const;

  // Exchanges two pictures, blocks and all: no copy, no failure. Between two
  // LoadedImages use theirs, which takes the handles along.
  void Swap(ImageBuffer& other) {
    std::swap(info, other.info);
    std::swap(bits, other.bits);
    std::swap(bitsSize, other.bitsSize);
    std::swap(infoSize, other.infoSize);
  }

  bool IsEmpty() const { return info == nullptr || bits == nullptr; }
  int Width() const;   // 0 when empty
  int Height() const;  // absolute height; 0 when empty

  BITMAPINFO* info;
  BYTE* bits;
  // Bytes in `bits`: every pixel access stays inside them.
  size_t bitsSize;
  // Bytes in `info` (kInfoBlockSize for blocks the program makes; a plug-in's
  // block may be shorter): palette look-ups stay inside them.
  size_t infoSize;
  // The size of the picture a load last refused with ImageTooLarge, for its
  // message; untouched by every other outcome.
  PictureSize refusedSize;

 protected:
  // Replaces the picture with blocks the program allocated (new[]).
  void Adopt(BITMAPINFO* newInfo, size_t newInfoSize, BYTE* newBits, size_t newBitsSize);

 private:
  // Takes over what the BMP reader decoded, converted as LoadBmp promises.
  ImageStatus AdoptDecoded(DecodedBmp* decoded);
};

// An ImageBuffer that can also hold the two local-memory blocks a Susie
// plug-in hands over; then `info` and `bits` are their locked addresses.
class LoadedImage : public ImageBuffer {
 public:
  LoadedImage();
  ~LoadedImage() override;

  // Loads through the Susie plug-ins when a list is given, else (or when no
  // plug-in takes the file) through the BMP reader. A plug-in that tells the
  // picture's size (GetPictureInfo) is asked first, and a picture beyond the
  // limits is refused before it is decoded. ImageUnknownFormat for a file
  // that no plug-in took and that is no BMP; ImagePluginFailed when, in
  // addition, a plug-in faulted on it. On failure the previous picture stays.
  ImageStatus LoadPicture(PluginList* pluginList, const char* path);

  // Takes over the two local-memory blocks a plug-in decoded (header with
  // palette, pixels). A picture the pixel operations read as stored is used
  // in place, locked; any other is converted into program blocks and the
  // plug-in's are freed at once. The handles are consumed either way; on
  // failure (4: a lock or allocation failed, 3: the blocks do not hold a
  // picture GDI can draw, 5: they hold one beyond the limits) the previous
  // picture stays.
  ImageStatus AdoptPluginBlocks(HLOCAL infoBlock, HLOCAL bitsBlock);

  // Frees the picture whichever way its blocks were obtained.
  void Release() override;
  void Swap(LoadedImage& other) {
    ImageBuffer::Swap(other);
    std::swap(infoHandle, other.infoHandle);
    std::swap(bitsHandle, other.bitsHandle);
  }

  HLOCAL infoHandle;
  HLOCAL bitsHandle;

 private:
  // One plug-in's go at the file: a final status, or kTryNextPlugin.
  int TryPlugin(PluginList* pluginList, int index, const char* path, const BYTE* header);
};

#endif
