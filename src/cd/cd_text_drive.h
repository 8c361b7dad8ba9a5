// Reads a disc's CD-Text from the drive and decodes it: the thin shell around
// DecodeCdText. Wine gives no CD-Text (its CD-ROM layer answers no CD-Text
// read), so there every call ends in a "none" status; only real Windows
// drives deliver packs.
#ifndef ZANTO_CD_CD_TEXT_DRIVE_H
#define ZANTO_CD_CD_TEXT_DRIVE_H

#include "cd/cd_drives.h"  // FirstCdDrive
#include "cd/cd_text.h"

enum class CdTextReadStatus {
  Read,         // *out holds at least one title or performer
  NoDrive,      // no CD-ROM drive, or not a drive letter
  OpenFailed,   // the drive could not be opened
  QueryFailed,  // the drive answered no CD-Text (no disc, no CD-Text, not a CD drive)
  NoText,       // packs came, but no usable title or performer
};


// Reads the CD-Text of the disc in drive `letter` ('D', 'd'), or of the
// system's default drive when `letter` is 0. *out is cleared on every path.
CdTextReadStatus ReadCdText(char letter, CdText* out);

#endif
