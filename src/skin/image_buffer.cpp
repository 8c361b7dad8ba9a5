#include "skin/image_buffer.h"

#include <climits>
#include <cstdint>
#include <cstring>
#include <new>

#include "common/handles.h"
#include "skin/bmp_decoder.h"
#include "skin/dib_format.h"
#include "skin/picture_conversion.h"
#include "skin/picture_file.h"
#include "skin/pixel_view.h"

namespace {

// Clips the columns (or rows) [from, to) of a copy to those i that lie inside
// the source (0 <= i < sourceSize) and whose destination i - from +
// destination lies inside the target. 64-bit, so no argument can overflow.
void ClipRange(int from, int to, int sourceSize, int destination, int destinationSize,
               int64_t* first, int64_t* last) {
  int64_t shift = static_cast<int64_t>(destination) - from;
  int64_t lo = from, hi = to;
  if (lo < 0) lo = 0;
  if (hi > sourceSize) hi = sourceSize;
  if (lo < -shift) lo = -shift;
  if (hi > destinationSize - shift) hi = destinationSize - shift;
  *first = lo;
  *last = hi;
}

}  // namespace

ImageBuffer::ImageBuffer() : info(nullptr), bits(nullptr), bitsSize(0), infoSize(0) {}

// A derived buffer has released its own kind of blocks in its destructor.
ImageBuffer::~ImageBuffer() { ImageBuffer::Release(); }

void ImageBuffer::Release() {
  delete[] reinterpret_cast<BYTE*>(info);
  delete[] bits;
  info = nullptr;
  bits = nullptr;
  infoSize = 0;
  bitsSize = 0;
}

void ImageBuffer::Adopt(BITMAPINFO* newInfo, size_t newInfoSize, BYTE* newBits,
                        size_t newBitsSize) {
  Release();
  info = newInfo;
  infoSize = newInfoSize;
  bits = newBits;
  bitsSize = newBitsSize;
}

bool ImageBuffer::CreateBlank(int width, int height) {
  Release();
  if (width < 0 || height < 0) return false;
  uint64_t stride = (3 * static_cast<uint64_t>(width) + 3) / 4 * 4;
  uint64_t size = stride * static_cast<uint64_t>(height);
  if (size > kMaxPictureBytes) return false;
  std::unique_ptr<BYTE[]> newInfo(new (std::nothrow) BYTE[kInfoBlockSize]());
  // One byte at least, so that a 0 x 0 picture still has both blocks.
  std::unique_ptr<BYTE[]> newBits(new (std::nothrow) BYTE[size == 0 ? 1 : size]());
  if (!newInfo || !newBits) return false;
  BITMAPINFOHEADER header = {};
  header.biSize = sizeof(BITMAPINFOHEADER);
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  std::memcpy(newInfo.get(), &header, sizeof(header));
  Adopt(reinterpret_cast<BITMAPINFO*>(newInfo.release()), kInfoBlockSize, newBits.release(),
        static_cast<size_t>(size));
  return true;
}

ImageStatus ImageBuffer::LoadBmp(const char* path) {
  unique_hfile handle = OpenPictureFile(path);
  if (!handle) return ImageCannotOpen;
  DecodedBmp decoded;
  ImageStatus status = ReadBmpFile(handle.get(), &decoded);
  if (status == ImageTooLarge) refusedSize = decoded.refusedSize;
  if (status != ImageOk) return status;
  return AdoptDecoded(&decoded);
}

ImageStatus ImageBuffer::LoadBmpFromMemory(const BYTE* file, size_t fileSize) {
  DecodedBmp decoded;
  ImageStatus status = DecodeBmp(file, fileSize, &decoded);
  if (status == ImageTooLarge) refusedSize = decoded.refusedSize;
  if (status != ImageOk) return status;
  return AdoptDecoded(&decoded);
}

ImageStatus ImageBuffer::AdoptDecoded(DecodedBmp* decoded) {
  auto* decodedInfo = reinterpret_cast<BITMAPINFO*>(decoded->info.get());
  DibFormat format;
  if (!DescribeDibBlocks(decodedInfo, kInfoBlockSize, decoded->bits.get(), decoded->bitsSize,
                         &format)) {
    return ImageBadData;
  }
  DecodedBmp converted;
  ImageStatus status = MakeReadable(decodedInfo, decoded->bits.get(), format, &converted);
  if (status == ImageTooLarge) refusedSize = PictureSize{format.width, format.height};
  if (status != ImageOk) return status;
  if (converted.info) *decoded = std::move(converted);
  Adopt(reinterpret_cast<BITMAPINFO*>(decoded->info.release()), kInfoBlockSize,
        decoded->bits.release(), decoded->bitsSize);
  return ImageOk;
}

int ImageBuffer::Width() const {
  if (info == nullptr || infoSize < sizeof(BITMAPINFOHEADER)) return 0;
  LONG width = info->bmiHeader.biWidth;
  return width > 0 ? width : 0;
}

int ImageBuffer::Height() const {
  if (info == nullptr || infoSize < sizeof(BITMAPINFOHEADER)) return 0;
  LONG height = info->bmiHeader.biHeight;
  if (height == LONG_MIN) return 0;
  return height < 0 ? -height : height;
}

COLORREF ImageBuffer::GetPixel(int x, int y) const {
  PixelView view(*this);
  return view.Contains(x, y) ? view.At(x, y) : kUnreadablePixel;
}

void ImageBuffer::CopyRect(const ImageBuffer& source, int x0, int y0, int x1, int y1, int dstX,
                           int dstY) {
  PixelView target(*this);
  if (target.BytesPerPixel() < 3) return;  // only 24- and 32-bit pictures are written
  PixelView from(source);
  int64_t left, right, top, bottom;
  ClipRange(x0, x1, from.Width(), dstX, target.Width(), &left, &right);
  ClipRange(y0, y1, from.Height(), dstY, target.Height(), &top, &bottom);
  if (left >= right || top >= bottom) return;

  const int dx = static_cast<int>(dstX - static_cast<int64_t>(x0));
  const int dy = static_cast<int>(dstY - static_cast<int64_t>(y0));
  const int sourceBytes = from.BytesPerPixel();
  const int targetBytes = target.BytesPerPixel();
  for (int y = static_cast<int>(top); y < bottom; ++y) {
    BYTE* out = target.Address(static_cast<int>(left) + dx, y + dy);
    if (sourceBytes == 3 && targetBytes == 3) {
      std::memmove(out, from.Address(static_cast<int>(left), y), static_cast<size_t>(right - left) * 3);
      continue;
    }
    for (int x = static_cast<int>(left); x < right; ++x, out += targetBytes) {
      COLORREF color = from.At(x, y);
      out[0] = GetBValue(color);
      out[1] = GetGValue(color);
      out[2] = GetRValue(color);
    }
  }
}

int ImageBuffer::Blit(HDC hdc, int xDest, int yDest, int wDest, int hDest, int xSrc, int ySrc,
                      int wSrc, int hSrc, DWORD rop) const {
  DibFormat format;
  if (!DescribeDibBlocks(info, infoSize, bits, bitsSize, &format)) return 0;
  // StretchDIBits counts source rows from the bottom of the picture. Loaded
  // pictures are all bottom-up (top-down ones are converted when loaded).
  int64_t row = static_cast<int64_t>(format.height) - ySrc - hSrc;
  if (row < INT32_MIN || row > INT32_MAX) return 0;
  return StretchDIBits(hdc, xDest, yDest, wDest, hDest, xSrc, static_cast<int>(row), wSrc, hSrc,
                       bits, info, DIB_RGB_COLORS, rop);
}
