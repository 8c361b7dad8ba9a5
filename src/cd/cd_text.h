// Titles a disc carries itself (CD-Text), decoded from the raw packs a drive
// returns for a CD-Text table-of-contents read: a 4-byte header (length
// big-endian, 2 reserved) and 18-byte packs. The decoder is a pure function
// over bytes; the drive is hostile input, so nothing is read past the buffer
// and every string is cut to its fixed array.
#ifndef ZANTO_CD_CD_TEXT_H
#define ZANTO_CD_CD_TEXT_H

#include <windows.h>

#include <cstddef>

constexpr int kCdTextLastTrack = 99;
constexpr size_t kCdTextLength = 260;  // a title's fixed array
constexpr size_t kCdTextPackSize = 18;
constexpr size_t kCdTextHeaderSize = 4;

// CD-Text numbers the disc itself as track 0, so item[0] is the album and
// item[t] track t. Every string is code page 932 text, empty when absent.
struct CdTextItem {
  char title[kCdTextLength];
  char performer[kCdTextLength];
};

struct CdText {
  CdTextItem item[kCdTextLastTrack + 1];
};

// Decodes `size` bytes from the drive into *out (always cleared first).
// Returns true when at least one title or performer was found.
bool DecodeCdText(const BYTE* data, size_t size, CdText* out);

// The pack check: CRC-16/CCITT (polynomial 0x1021, initial 0) over `size`
// bytes. A pack stores it inverted and big-endian after its 16 bytes.
WORD CdTextCrc(const BYTE* data, size_t size);

#endif
