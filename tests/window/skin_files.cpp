#include "window/skin_files.h"

#include <cstdint>

#include "support/test_support.h"

namespace {

void Put16(std::string& out, uint16_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>(v >> 8));
}
void Put32(std::string& out, uint32_t v) {
  Put16(out, static_cast<uint16_t>(v & 0xFFFF));
  Put16(out, static_cast<uint16_t>(v >> 16));
}

}  // namespace

std::string BmpBytes(int width, int height, const PixelColour& colour) {
  const uint32_t stride = (3u * width + 3u) & ~3u;
  const uint32_t pixelBytes = stride * height;
  std::string out;
  out += "BM";
  Put32(out, 14 + 40 + pixelBytes);
  Put32(out, 0);
  Put32(out, 14 + 40);
  Put32(out, 40);
  Put32(out, static_cast<uint32_t>(width));
  Put32(out, static_cast<uint32_t>(height));
  Put16(out, 1);
  Put16(out, 24);
  for (int i = 0; i < 6; ++i) Put32(out, 0);
  for (int row = height - 1; row >= 0; --row) {  // bottom row first
    size_t start = out.size();
    for (int x = 0; x < width; ++x) {
      COLORREF c = colour(x, row);
      out.push_back(static_cast<char>(GetBValue(c)));
      out.push_back(static_cast<char>(GetGValue(c)));
      out.push_back(static_cast<char>(GetRValue(c)));
    }
    out.append(stride - (out.size() - start), '\0');
  }
  return out;
}

bool WriteBmp(const std::string& path, int width, int height, const PixelColour& colour) {
  return WriteFileBytes(path, BmpBytes(width, height, colour));
}

COLORREF TestPattern(int x, int y) { return RGB(x * 7 % 200, y * 11 % 200, 100); }
