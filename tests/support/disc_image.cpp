#include "support/disc_image.h"

#include <windows.h>

#include "cd/sector_source.h"
#include "support/test_support.h"

std::string TaggedSectors(int tag, int count, bool bigEndian) {
  std::string bytes;
  bytes.reserve(static_cast<size_t>(count) * kRawSectorBytes);
  for (int sector = 0; sector < count; ++sector) {
    for (int frame = 0; frame < kSamplesPerSector; ++frame) {
      for (int value : {sector, tag}) {
        char low = static_cast<char>(value & 0xFF), high = static_cast<char>((value >> 8) & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
      }
    }
  }
  return bytes;
}

std::string DataSectors(int count) { return std::string(static_cast<size_t>(count) * 2048, '\x55'); }

bool SectorIs(const unsigned char* raw, int tag, int sector) {
  int left = tag ? sector : 0;
  for (int frame = 0; frame < kSamplesPerSector; ++frame) {
    const unsigned char* p = raw + frame * 4;
    if ((p[0] | p[1] << 8) != left || (p[2] | p[3] << 8) != tag) return false;
  }
  return true;
}

std::string WriteDiscImage(const std::string& folder, const std::string& sheet, const ImageFiles& files) {
  for (const auto& file : files) {
    size_t slash = file.first.find('\\');
    if (slash != std::string::npos) CreateDirectoryA((folder + "\\" + file.first.substr(0, slash)).c_str(), nullptr);
    WriteFileBytes(folder + "\\" + file.first, file.second);
  }
  std::string path = folder + "\\image.cue";
  WriteFileBytes(path, sheet);
  return path;
}
