// Test side of disc images: data files whose every sector says where it came
// from, written with their CUE sheet into a scratch folder.
#ifndef ZANTO_TESTS_SUPPORT_DISC_IMAGE_H
#define ZANTO_TESTS_SUPPORT_DISC_IMAGE_H

#include <string>
#include <utility>
#include <vector>

// `count` raw audio sectors whose every stereo frame is (left = the sector's
// number in this run, right = tag): a sector read back names its source.
// bigEndian: stored high byte first, as a MOTOROLA file.
std::string TaggedSectors(int tag, int count, bool bigEndian = false);
// `count` 2048-byte data sectors.
std::string DataSectors(int count);
// True when a raw sector read back is sector `sector` of the run tagged `tag`
// (tag 0: silence, all zero).
bool SectorIs(const unsigned char* raw, int tag, int sector);

using ImageFiles = std::vector<std::pair<std::string, std::string>>;  // name, bytes
// Writes "image.cue" and the files (names may hold a sub-folder) into
// `folder`; the sheet's path.
std::string WriteDiscImage(const std::string& folder, const std::string& sheet, const ImageFiles& files);

#endif
