#include "png_file.h"

#include <windows.h>

#include <vector>

#include "stb_image_write.h"
#include "support/test_support.h"

namespace {

void Append(void* context, void* data, int size) {
  static_cast<std::string*>(context)->append(static_cast<const char*>(data), size);
}

// Calls found(name) for every file in folder matching pattern.
template <typename F>
void ForEachFile(const std::string& folder, const char* pattern, F found) {
  WIN32_FIND_DATAA data;
  HANDLE search = FindFirstFileA((folder + "\\" + pattern).c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    found(std::string(data.cFileName));
  } while (FindNextFileA(search, &data));
  FindClose(search);
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

}  // namespace

std::string PngBytes(const ImageBuffer& picture) {
  int width = picture.Width(), height = picture.Height();
  if (width == 0 || height == 0) return std::string();
  std::vector<unsigned char> rgb(static_cast<size_t>(width) * height * 3);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      COLORREF c = picture.GetPixel(x, y);
      unsigned char* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
      p[0] = GetRValue(c);
      p[1] = GetGValue(c);
      p[2] = GetBValue(c);
    }
  }
  std::string png;
  stbi_write_png_to_func(Append, &png, width, height, 3, rgb.data(), width * 3);
  return png;
}

bool ConvertSkinToPng(const std::string& fromFolder, const std::string& toFolder,
                      const std::string& rcName) {
  bool ok = true;
  ForEachFile(fromFolder, "*.bmp", [&](const std::string& name) {
    ImageBuffer picture;
    std::string png;
    if (picture.LoadBmp((fromFolder + "\\" + name).c_str()) == ImageOk) png = PngBytes(picture);
    std::string pngName = name.substr(0, name.size() - 4) + ".png";
    ok = ok && !png.empty() && WriteFileBytes(toFolder + "\\" + pngName, png);
  });
  std::string rc = ReadFileBytes(fromFolder + "\\" + rcName);
  return ok && !rc.empty() && WriteFileBytes(toFolder + "\\" + rcName, Replace(rc, ".bmp", ".png"));
}

bool CopySkin(const std::string& fromFolder, const std::string& toFolder,
              const std::string& rcName) {
  bool ok = true;
  ForEachFile(fromFolder, "*.bmp", [&](const std::string& name) {
    ok = ok && CopyFileA((fromFolder + "\\" + name).c_str(), (toFolder + "\\" + name).c_str(), FALSE);
  });
  return ok && CopyFileA((fromFolder + "\\" + rcName).c_str(), (toFolder + "\\" + rcName).c_str(),
                         FALSE);
}
