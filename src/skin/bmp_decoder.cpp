#include "skin/bmp_decoder.h"

#include <cstring>
#include <new>

#include "skin/dib_format.h"

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kCoreHeaderSize = 12;
constexpr size_t kInfoHeaderSize = sizeof(BITMAPINFOHEADER);
constexpr size_t kMaskBytes = 3 * sizeof(DWORD);
constexpr size_t kTableRoom = kInfoBlockSize - kInfoHeaderSize;

uint16_t ReadU16(const BYTE* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t ReadU32(const BYTE* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
         static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

// Header sizes read as a 40-byte header, fields past the stored size being
// zero: OS/2 2.x (16 to 64 bytes) and the later Windows headers (52, 56, 108,
// 124), which modern editors write and whose first 40 bytes keep the layout.
bool IsInfoHeaderSize(uint32_t size) {
  return (size >= 16 && size <= 64) || size == 108 || size == 124;
}

// Where the colour table comes from in the file.
struct TableSource {
  size_t offset = 0;
  size_t coreEntries = 0;          // 3-byte entries of a core header; 0 = 4-byte table
  const BYTE* headerMasks = nullptr;  // masks kept inside a long Windows header
};

// Reads the info header into its 40-byte form; false when the file ends
// inside it or its size is none we know.
bool ReadInfoHeader(const BYTE* file, size_t fileSize, BITMAPINFOHEADER* header,
                    TableSource* table) {
  uint32_t headerSize = ReadU32(file + kFileHeaderSize);
  const BYTE* p = file + kFileHeaderSize;
  *header = BITMAPINFOHEADER{};
  if (headerSize == kCoreHeaderSize) {
    if (fileSize < kFileHeaderSize + kCoreHeaderSize) return false;
    header->biWidth = ReadU16(p + 4);
    header->biHeight = ReadU16(p + 6);
    header->biPlanes = ReadU16(p + 8);
    header->biBitCount = ReadU16(p + 10);
    table->offset = kFileHeaderSize + kCoreHeaderSize;
    int bits = header->biBitCount;
    table->coreEntries = bits == 1 ? 2 : bits == 4 ? 16 : bits == 8 ? 256 : 0;
  } else if (IsInfoHeaderSize(headerSize)) {
    if (fileSize - kFileHeaderSize < headerSize) return false;
    std::memcpy(header, p, headerSize < kInfoHeaderSize ? headerSize : kInfoHeaderSize);
    table->offset = kFileHeaderSize + headerSize;
    bool masksInHeader = headerSize == 52 || headerSize == 56 || headerSize >= 108;
    if (masksInHeader && header->biCompression == BI_BITFIELDS) {
      table->headerMasks = p + kInfoHeaderSize;
    }
  } else {
    return false;
  }
  header->biSize = kInfoHeaderSize;
  return true;
}

// Keeps the header from promising GDI more than the blocks will hold: at most
// the colour entries the info block has room for ...
void ClampColorCounts(BITMAPINFOHEADER* header) {
  DWORD room = static_cast<DWORD>(
      (kTableRoom - (header->biCompression == BI_BITFIELDS ? kMaskBytes : 0)) / sizeof(RGBQUAD));
  if (header->biClrUsed > room) header->biClrUsed = room;
  if (header->biClrImportant > room) header->biClrImportant = room;
}

// ... and an image size within the pixel block (GDI takes the length of
// compressed data from it).
void ClampImageSize(BITMAPINFOHEADER* header, size_t blockSize) {
  bool compressed = header->biCompression == BI_RLE8 || header->biCompression == BI_RLE4;
  if (compressed && (header->biSizeImage == 0 || header->biSizeImage > blockSize)) {
    header->biSizeImage = static_cast<DWORD>(blockSize);
  } else if (!compressed && header->biSizeImage > blockSize) {
    header->biSizeImage = 0;  // GDI works the size out from the dimensions
  }
}

// Fills the colour-table area with what the file has; anything the file ends
// before stays zero.
void CopyColorTable(const BYTE* file, size_t fileSize, const TableSource& source, BYTE* table) {
  size_t room = kTableRoom;
  if (source.headerMasks != nullptr) {
    std::memcpy(table, source.headerMasks, kMaskBytes);
    table += kMaskBytes;
    room -= kMaskBytes;
  }
  if (source.offset >= fileSize) return;
  size_t available = fileSize - source.offset;
  const BYTE* src = file + source.offset;
  if (source.coreEntries > 0) {
    for (size_t i = 0; i < source.coreEntries && 3 * i + 3 <= available; ++i) {
      RGBQUAD entry = {src[3 * i], src[3 * i + 1], src[3 * i + 2], 0};
      std::memcpy(table + i * sizeof(RGBQUAD), &entry, sizeof(entry));
    }
    return;
  }
  std::memcpy(table, src, available < room ? available : room);
}

}  // namespace

ImageStatus DecodeBmpLayout(const BYTE* file, size_t available, size_t fileSize,
                            BmpLayout* out) {
  // A file that ends inside its headers is broken data (3), like one that is
  // not a BMP at all: every read of it succeeded.
  if (file == nullptr || available > fileSize) return ImageBadData;
  if (available < 2 || file[0] != 'B' || file[1] != 'M') return ImageBadData;
  if (available < kFileHeaderSize + sizeof(DWORD)) return ImageBadData;
  uint32_t pixelOffset = ReadU32(file + 10);

  BITMAPINFOHEADER header;
  TableSource table;
  if (!ReadInfoHeader(file, available, &header, &table)) return ImageBadData;
  ClampColorCounts(&header);
  DibFormat format;
  if (!DescribeDib(header, &format)) {
    return DibBeyondLimits(header, &out->refusedSize) ? ImageTooLarge : ImageBadData;
  }
  if (pixelOffset > fileSize) return ImageBadData;

  // The pixel block is the file from the pixel offset on. When the header
  // describes more rows than that holds (a cut download, a writer that drops
  // the last row's padding) the missing bytes read as zero rather than the
  // picture being refused.
  size_t inFile = fileSize - pixelOffset;
  size_t blockSize = inFile;
  if (!format.compressed && format.imageBytes > inFile) {
    blockSize = static_cast<size_t>(format.imageBytes);
  }
  if (blockSize == 0) return ImageBadData;  // compressed data with no bytes
  ClampImageSize(&header, blockSize);
  if (!DibFitsBlocks(format, header, kInfoBlockSize, blockSize)) return ImageBadData;

  std::unique_ptr<BYTE[]> info(new (std::nothrow) BYTE[kInfoBlockSize]());
  if (!info) return ImageOutOfMemory;
  std::memcpy(info.get(), &header, sizeof(header));
  CopyColorTable(file, available, table, info.get() + kInfoHeaderSize);

  out->info = std::move(info);
  out->pixelOffset = pixelOffset;
  out->pixelBytesInFile = inFile;
  out->bitsSize = blockSize;
  return ImageOk;
}

ImageStatus DecodeBmp(const BYTE* file, size_t fileSize, DecodedBmp* out) {
  BmpLayout layout;
  ImageStatus status = DecodeBmpLayout(file, fileSize, fileSize, &layout);
  out->refusedSize = layout.refusedSize;
  if (status != ImageOk) return status;
  std::unique_ptr<BYTE[]> bits(new (std::nothrow) BYTE[layout.bitsSize]);
  if (!bits) return ImageOutOfMemory;
  std::memcpy(bits.get(), file + layout.pixelOffset, layout.pixelBytesInFile);
  std::memset(bits.get() + layout.pixelBytesInFile, 0, layout.bitsSize - layout.pixelBytesInFile);

  out->info = std::move(layout.info);
  out->bits = std::move(bits);
  out->bitsSize = layout.bitsSize;
  return ImageOk;
}
