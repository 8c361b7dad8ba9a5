// Opening and reading picture files, shared by the BMP reader and the
// plug-in route.
#ifndef ZANTO_SKIN_PICTURE_FILE_H
#define ZANTO_SKIN_PICTURE_FILE_H

#include <windows.h>

#include <cstddef>
#include <memory>

#include "common/handles.h"
#include "skin/image_buffer.h"

// Opens a picture for reading (shared with other readers, sequential scan);
// an invalid holder when it cannot be opened.
unique_hfile OpenPictureFile(const char* path);

// Reads an open file whole into one program-allocated block. A short read at
// the end of the file is fine; a failing size query or read call gives
// ImageReadFailed, a file too large to hold ImageOutOfMemory.
ImageStatus ReadPictureFile(HANDLE file, std::unique_ptr<BYTE[]>* bytes, size_t* size);

#endif
