// Opening and reading picture files, shared by the BMP reader and the
// plug-in route.
#ifndef ZANTO_SKIN_PICTURE_FILE_H
#define ZANTO_SKIN_PICTURE_FILE_H

#include <windows.h>

#include <cstddef>
#include <memory>

#include "common/handles.h"
#include "skin/bmp_decoder.h"
#include "skin/image_buffer.h"

// Opens a picture for reading (shared with other readers, sequential scan);
// an invalid holder when it cannot be opened.
unique_hfile OpenPictureFile(const char* path);

// Reads an open BMP file into the two blocks of a picture: its headers
// first, then its pixel rows straight into the pixel block, so that the
// pixels are copied once, from the file. Statuses as DecodeBmp's, and
// ImageReadFailed for a failing size query, seek or read, ImageOutOfMemory
// for a file too large to hold. A short read at the end of the file is fine:
// the bytes that did not come read as zero.
ImageStatus ReadBmpFile(HANDLE file, DecodedBmp* out);

#endif
