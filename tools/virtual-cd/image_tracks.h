// A disc description that names a disc image: the image's own table of
// contents stands for the track lines, so the drive's MCI face and its
// sector face describe one disc.
#ifndef ZANTO_VIRTUAL_CD_IMAGE_TRACKS_H
#define ZANTO_VIRTUAL_CD_IMAGE_TRACKS_H

#include <string>

#include "disc_description.h"

// `image` as written in the description at `discFile`: relative to the
// description's folder, or absolute.
std::string ImagePathFor(const std::string& discFile, const std::string& image);

// Replaces the description's tracks and start with the image's; false, the
// description left as it was, when the image cannot be read.
bool TakeTracksFromImage(const std::string& cuePath, DiscDescription* disc);

#endif
