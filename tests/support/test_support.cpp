#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "common/fixed_text.h"

ScratchFolder::ScratchFolder() {
  char temp[MAX_PATH];
  GetTempPathA(sizeof(temp), temp);
  static unsigned counter = 0;
  char name[MAX_PATH];
  for (;;) {
    snprintf(name, sizeof(name), "%szanto-test-%lu-%u", temp, GetCurrentProcessId(), ++counter);
    if (CreateDirectoryA(name, nullptr)) break;
    if (GetLastError() != ERROR_ALREADY_EXISTS) break;
  }
  path_ = name;
}

ScratchFolder::~ScratchFolder() { RemoveTree(path_); }

std::string ScratchFolder::File(const std::string& name) const { return path_ + "\\" + name; }

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

std::string ReadFileBytes(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::string();
  std::string bytes;
  char chunk[65536];
  DWORD read = 0;
  while (ReadFile(file, chunk, sizeof(chunk), &read, nullptr) && read > 0) bytes.append(chunk, read);
  CloseHandle(file);
  return bytes;
}

bool FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void RemoveTree(const std::string& path) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      std::string child = path + "\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(child);
      } else {
        SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(child.c_str());
      }
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(path.c_str());
}

namespace {

// Wine maps the Unix root to drive Z:.
std::string WindowsPath(const std::string& unixPath) {
  std::string path = "Z:" + unixPath;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

}  // namespace

std::string SourcePath(const std::string& relative) {
  return WindowsPath(std::string(ZANTO_SOURCE_DIR) + "/" + relative);
}

std::string BinaryPath(const std::string& relative) {
  return WindowsPath(std::string(ZANTO_BINARY_DIR) + "/" + relative);
}

std::string InstallPath(const std::string& relative) {
  return WindowsPath(std::string(ZANTO_INSTALL_DIR) + "/" + relative);
}

void PumpMessages(DWORD milliseconds) {
  DWORD start = GetTickCount();
  do {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 2, QS_ALLINPUT);
  } while (GetTickCount() - start < milliseconds);
}

bool WaitFor(DWORD milliseconds, const std::function<bool()>& done) {
  DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > milliseconds) return false;
    PumpMessages(20);
  }
  return true;
}

SIZE WindowSize(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

std::string ResourceText(UINT id) {
  char text[512];
  LoadText(GetModuleHandleA(nullptr), id, text);
  return text;
}

void PutU16(std::string* bytes, size_t at, uint16_t value) {
  (*bytes)[at] = static_cast<char>(value & 0xFF);
  (*bytes)[at + 1] = static_cast<char>(value >> 8);
}

void PutU32(std::string* bytes, size_t at, uint32_t value) {
  PutU16(bytes, at, static_cast<uint16_t>(value & 0xFFFF));
  PutU16(bytes, at + 2, static_cast<uint16_t>(value >> 16));
}

std::string EncodeBmp(const BmpRecipe& recipe) {
  bool core = recipe.headerSize == 12;
  size_t entryBytes = core ? 3 : 4;
  size_t stride = (static_cast<size_t>(recipe.width) * recipe.bitCount + 31) / 32 * 4;
  size_t pixelOffset = 14 + recipe.headerSize + recipe.palette.size() * entryBytes;
  std::string file(pixelOffset, '\0');
  file[0] = 'B';
  file[1] = 'M';
  PutU32(&file, kAtPixelOffset, static_cast<uint32_t>(pixelOffset));
  PutU32(&file, kAtHeaderSize, recipe.headerSize);
  int height = static_cast<int>(recipe.rows.size());
  if (core) {
    PutU16(&file, 18, static_cast<uint16_t>(recipe.width));
    PutU16(&file, 20, static_cast<uint16_t>(height));
    PutU16(&file, 22, 1);
    PutU16(&file, 24, static_cast<uint16_t>(recipe.bitCount));
  } else {
    PutU32(&file, kAtWidth, static_cast<uint32_t>(recipe.width));
    PutU32(&file, kAtHeight, static_cast<uint32_t>(recipe.topDown ? -height : height));
    PutU16(&file, kAtPlanes, 1);
    PutU16(&file, kAtBitCount, static_cast<uint16_t>(recipe.bitCount));
    PutU32(&file, kAtCompression, recipe.compression);
    PutU32(&file, kAtClrUsed, static_cast<uint32_t>(recipe.palette.size()));
  }
  size_t at = 14 + recipe.headerSize;
  for (COLORREF color : recipe.palette) {
    file[at] = static_cast<char>(GetBValue(color));
    file[at + 1] = static_cast<char>(GetGValue(color));
    file[at + 2] = static_cast<char>(GetRValue(color));
    at += entryBytes;
  }
  for (int i = 0; i < height; ++i) {
    const std::string& row = recipe.rows[recipe.topDown ? i : height - 1 - i];
    file += row;
    file.append(stride - row.size(), '\0');
  }
  PutU32(&file, 2, static_cast<uint32_t>(file.size()));
  return file;
}

std::string Rgb24Row(const std::vector<COLORREF>& colors) {
  std::string row;
  for (COLORREF c : colors) {
    row += static_cast<char>(GetBValue(c));
    row += static_cast<char>(GetGValue(c));
    row += static_cast<char>(GetRValue(c));
  }
  return row;
}

std::string Rgb32Row(const std::vector<COLORREF>& colors, BYTE fourth) {
  std::string row;
  for (COLORREF c : colors) row += Rgb24Row({c}) + static_cast<char>(fourth);
  return row;
}

std::string IndexRow(const std::vector<BYTE>& indices) {
  return std::string(indices.begin(), indices.end());
}

std::string BmpBytes(int width, int height, const PixelColour& colour, bool topDown) {
  BmpRecipe recipe;
  recipe.width = width;
  recipe.topDown = topDown;
  for (int y = 0; y < height; ++y) {
    std::vector<COLORREF> row;
    for (int x = 0; x < width; ++x) row.push_back(colour(x, y));
    recipe.rows.push_back(Rgb24Row(row));
  }
  return EncodeBmp(recipe);
}

bool WriteBmp(const std::string& path, int width, int height, const PixelColour& colour) {
  return WriteFileBytes(path, BmpBytes(width, height, colour));
}

COLORREF TestPattern(int x, int y) { return RGB(x * 7 % 200, y * 11 % 200, 100); }

std::string WriteSkin(const ScratchFolder& folder, const std::string& name, int width, int height,
                      const PixelColour& colour, const std::string& lines, COLORREF inactive) {
  const std::string back = name + ".bmp";
  const std::string dim = inactive == kSamePicture ? back : name + "_inactive.bmp";
  EXPECT_TRUE(WriteBmp(folder.File(back), width, height, colour)) << back;
  if (dim != back) {
    EXPECT_TRUE(WriteBmp(folder.File(dim), width, height, inactive)) << dim;
  }
  const std::string path = folder.File(name + ".rc");
  EXPECT_TRUE(WriteFileBytes(path, "BackgroundImage " + back + "\r\nBackgroundImageInactive " + dim +
                                       "\r\n" + lines))
      << path;
  return path;
}
