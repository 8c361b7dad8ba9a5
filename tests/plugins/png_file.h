// PNG copies of pictures, for skins the tests load through the PNG plug-in.
#ifndef ZANTO_TESTS_PLUGINS_PNG_FILE_H
#define ZANTO_TESTS_PLUGINS_PNG_FILE_H

#include <string>

#include "skin/image_buffer.h"

// A PNG file (8-bit RGB) with the picture's pixels as GetPixel reads them;
// empty when the picture is empty.
std::string PngBytes(const ImageBuffer& picture);
// Every picture the resource file `rcName` in `fromFolder` names goes to
// `toFolder` as PNG under its BMP name with ".png" in place of ".bmp", and
// the resource file is written there with the names changed. False when
// anything failed.
bool ConvertSkinToPng(const std::string& fromFolder, const std::string& toFolder,
                      const std::string& rcName);
// The same skin copied as it is.
bool CopySkin(const std::string& fromFolder, const std::string& toFolder,
              const std::string& rcName);

#endif
