// Pictures held as device-independent bitmaps: a BITMAPINFO block (header and
// palette) plus the pixel rows, exactly what StretchDIBits draws.
#ifndef ZANTO_SKIN_IMAGE_BUFFER_H
#define ZANTO_SKIN_IMAGE_BUFFER_H

#include <windows.h>

#include <cstddef>

class PluginList;

enum ImageStatus : int {
  ImageOk = 0,
  ImageCannotOpen = 1,   // the file cannot be opened
  ImageReadFailed = 2,   // reading or seeking failed, or a plug-in read error
  ImageBadData = 3,      // not a BMP file, or a plug-in reported broken data
  ImageOutOfMemory = 4,  // out of memory, or a plug-in memory error
};

// Bytes of an info block the program allocates: the 40-byte header and room
// for 256 palette entries.
constexpr size_t kInfoBlockSize = sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD);

class ImageBuffer {
 public:
  ImageBuffer();
  ~ImageBuffer();
  ImageBuffer(const ImageBuffer&) = delete;
  ImageBuffer& operator=(const ImageBuffer&) = delete;

  void Release();
  // A blank (black) 24-bit bottom-up picture; false when allocation failed.
  bool CreateBlank(int width, int height);
  // The program's own BMP reader. On failure the previous picture stays.
  ImageStatus LoadBmp(const char* path);

  // Colour (0x00BBGGRR) of column x, row y counted from the top.
  COLORREF GetPixel(int x, int y) const;
  // Copies source rows y0..y1-1, columns x0..x1-1 into this 24-bit picture.
  void CopyRect(const ImageBuffer& source, int x0, int y0, int x1, int y1, int dstX, int dstY);
  // Draws a source rectangle (rows counted from the top) with StretchDIBits.
  int Blit(HDC hdc, int xDest, int yDest, int wDest, int hDest, int xSrc, int ySrc, int wSrc,
           int hSrc, DWORD rop) const;

  bool IsEmpty() const { return info == nullptr || bits == nullptr; }
  int Width() const;   // 0 when empty
  int Height() const;  // absolute height; 0 when empty

  BITMAPINFO* info;
  BYTE* bits;
  // Bytes in `bits`: every pixel access stays inside them.
  size_t bitsSize;
};

class LoadedImage : public ImageBuffer {
 public:
  LoadedImage();
  ~LoadedImage();

  // Loads through the Susie plug-ins when a list is given, else (or when no
  // plug-in takes the file) through the BMP reader. On failure the previous
  // picture stays.
  ImageStatus LoadPicture(PluginList* pluginList, const char* path);

  HLOCAL infoHandle;
  HLOCAL bitsHandle;
};

#endif
