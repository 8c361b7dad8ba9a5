// The user-mode step of the sector face: a disc description's audio
// rendered into a face file (face_format.h) that the kernel-mode driver
// serves as it is, so the driver parses nothing.
#ifndef ZANTO_VIRTUAL_CD_FACE_FILE_H
#define ZANTO_VIRTUAL_CD_FACE_FILE_H

#include <memory>
#include <string>

#include "cd/sector_source.h"

// The description's audio: its `image` (a CUE sheet, relative to the
// description's folder or absolute) or, without one, a tone per track laid
// out as its track lines say. Null, with the reason in `problem`, when the
// description has no disc or its image cannot be read.
std::unique_ptr<SectorSource> OpenDescribedAudio(const std::string& discFile, std::string* problem);

// Writes every sector of `audio` from LBA 0 to its lead-out, after its table,
// to `facePath`; false with the reason.
bool WriteFaceFile(SectorSource& audio, const std::string& facePath, std::string* problem);

#endif
