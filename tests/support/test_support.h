// Helpers shared by the test programs.
#ifndef ZANTO_TESTS_SUPPORT_TEST_SUPPORT_H
#define ZANTO_TESTS_SUPPORT_TEST_SUPPORT_H

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// A fresh, empty folder under the system's temporary folder, removed with its
// contents when the object goes away.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::string& path() const { return path_; }
  // path() + "\\" + name
  std::string File(const std::string& name) const;

 private:
  std::string path_;
};

// Writes bytes to a file, replacing it; false when it could not be written.
bool WriteFileBytes(const std::string& path, const std::string& bytes);
// The whole file, or an empty string when it cannot be read.
std::string ReadFileBytes(const std::string& path);
bool FileExists(const std::string& path);
// Deletes a folder and everything below it.
void RemoveTree(const std::string& path);
// Dispatches this thread's messages for the given time.
void PumpMessages(DWORD milliseconds);
// Checks `done` every 20 ms, dispatching this thread's messages meanwhile;
// false when it still does not hold after the time.
bool WaitFor(DWORD milliseconds, const std::function<bool()>& done);
// The outer size of a window.
SIZE WindowSize(HWND window);
// A path below the source tree, as a Windows path.
std::string SourcePath(const std::string& relative);
// A path below the build tree, as a Windows path.
std::string BinaryPath(const std::string& relative);
// A file of the tested architecture's install folder (out/ or out64/ of the
// build tree), as a Windows path.
std::string InstallPath(const std::string& relative);
// A string of the resources linked into the test program, or "".
std::string ResourceText(UINT id);

// BMP files made by the tests.
using PixelColour = std::function<COLORREF(int x, int y)>;
constexpr COLORREF kMagenta = RGB(255, 0, 255);

// Byte offsets of header fields in a BMP file with a 40-byte info header.
constexpr size_t kAtPixelOffset = 10, kAtHeaderSize = 14, kAtWidth = 18, kAtHeight = 22,
                 kAtPlanes = 26, kAtBitCount = 28, kAtCompression = 30, kAtSizeImage = 34,
                 kAtClrUsed = 46;
void PutU16(std::string* bytes, size_t at, uint16_t value);
void PutU32(std::string* bytes, size_t at, uint32_t value);

// A BMP file to encode; rows are unpadded pixel bytes, top row first.
struct BmpRecipe {
  int width = 0;
  int bitCount = 24;
  bool topDown = false;
  uint32_t headerSize = 40;  // 12: OS/2 core header with 3-byte palette entries
  DWORD compression = BI_RGB;
  std::vector<COLORREF> palette;
  std::vector<std::string> rows;
};
std::string EncodeBmp(const BmpRecipe& recipe);
std::string Rgb24Row(const std::vector<COLORREF>& colors);
std::string Rgb32Row(const std::vector<COLORREF>& colors, BYTE fourth = 0x7F);
std::string IndexRow(const std::vector<BYTE>& indices);

// A 24-bit BMP file whose pixel (x, y), y from the top, is colour(x, y).
std::string BmpBytes(int width, int height, const PixelColour& colour, bool topDown = false);
bool WriteBmp(const std::string& path, int width, int height, const PixelColour& colour);
inline PixelColour Solid(COLORREF colour) {
  return [colour](int, int) { return colour; };
}
inline bool WriteBmp(const std::string& path, int width, int height, COLORREF colour) {
  return WriteBmp(path, width, height, Solid(colour));
}
// Colour of a test background: opaque pixels vary with their place, so a
// picture drawn at the wrong offset shows.
COLORREF TestPattern(int x, int y);

// Writes the skin `name`.rc into the folder: its background `name`.bmp, width
// x height drawn by `colour`; its inactive background the same picture, or
// `name`_inactive.bmp of one colour when `inactive` is given; then `lines`.
// Returns the .rc's path; a file that could not be written fails the test.
constexpr COLORREF kSamePicture = CLR_INVALID;
std::string WriteSkin(const ScratchFolder& folder, const std::string& name, int width, int height,
                      const PixelColour& colour = TestPattern, const std::string& lines = "",
                      COLORREF inactive = kSamePicture);

#endif
