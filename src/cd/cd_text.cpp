#include "cd/cd_text.h"

#include <cstring>

namespace {

constexpr BYTE kPackTitle = 0x80;
constexpr BYTE kPackPerformer = 0x81;
constexpr BYTE kPackSizeInfo = 0x8F;
constexpr int kBlockCount = 8;
constexpr size_t kPackTextSize = 12;
constexpr size_t kPackCrcOffset = 16;

// Character codes named by a block's size information.
constexpr BYTE kCodeLatin1 = 0x00;
constexpr BYTE kCodeAscii = 0x01;
constexpr BYTE kCodeMsJis = 0x80;

// A string of only this mark (two of it in a double-byte block) repeats the
// previous track's string.
constexpr BYTE kRepeatMark = 0x09;

struct Pack {
  BYTE type;
  int track;
  bool extension;
  int sequence;
  int block;
  int charPosition;  // characters of a string begun in an earlier pack
  const BYTE* text;
};

Pack ReadPack(const BYTE* p) {
  Pack pack;
  pack.type = p[0];
  pack.track = p[1] & 0x7F;
  pack.extension = (p[1] & 0x80) != 0;
  pack.sequence = p[2];
  pack.block = (p[3] >> 4) & 0x07;
  pack.charPosition = p[3] & 0x0F;
  pack.text = p + 4;
  return pack;
}

bool PackIntact(const BYTE* p) {
  WORD stored = static_cast<WORD>((p[kPackCrcOffset] << 8) | p[kPackCrcOffset + 1]);
  return static_cast<WORD>(~CdTextCrc(p, kPackCrcOffset)) == stored;
}

bool UsableCode(BYTE code) { return code == kCodeLatin1 || code == kCodeAscii || code == kCodeMsJis; }

// Code page 932 has no accented Latin letters: each Latin-1 character from
// 0xA0 on becomes the double-byte sign code page 932 does have (×, °, §, ...)
// or its closest ASCII spelling.
const char* const kLatin1Spelling[96] = {
    " ", "!", "\x81\x91", "\x81\x92", "?", "\x81\x8F", "|", "\x81\x98",  // A0-A7
    "\x81\x4E", "(C)", "a", "<<", "\x81\xCA", "-", "(R)", "-",         // A8-AF
    "\x81\x8B", "\x81\x7D", "2", "3", "\x81\x4C", "u", "\x81\xF7", ".",  // B0-B7
    ",", "1", "o", ">>", "1/4", "1/2", "3/4", "?",                     // B8-BF
    "A", "A", "A", "A", "A", "A", "AE", "C",                           // C0-C7
    "E", "E", "E", "E", "I", "I", "I", "I",                            // C8-CF
    "D", "N", "O", "O", "O", "O", "O", "\x81\x7E",                     // D0-D7
    "O", "U", "U", "U", "U", "Y", "Th", "ss",                          // D8-DF
    "a", "a", "a", "a", "a", "a", "ae", "c",                           // E0-E7
    "e", "e", "e", "e", "i", "i", "i", "i",                            // E8-EF
    "d", "n", "o", "o", "o", "o", "o", "\x81\x80",                     // F0-F7
    "o", "u", "u", "u", "u", "y", "th", "y",                           // F8-FF
};

bool IsLeadByte932(BYTE b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
bool IsTrailByte932(BYTE b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }

// The strings of one pack type in the chosen block, read pack by pack: each
// string is converted as it arrives and cut at the fixed array's end.
class TextStream {
 public:
  TextStream(bool performer, BYTE code, CdText* out)
      : performer_(performer), code_(code), doubleByte_(code == kCodeMsJis), out_(out) {}

  void Feed(const Pack& pack) {
    bool continues = lastSequence_ >= 0 && pack.sequence == ((lastSequence_ + 1) & 0xFF) && pack.track == track_;
    if (!continues) {
      // First pack, or one went missing: start again at the string this pack
      // names; a string whose head was lost is skipped to its end.
      BeginString();
      track_ = pack.track;
      afterNul_ = false;
      valid_ = pack.charPosition == 0;
    }
    lastSequence_ = pack.sequence;
    for (size_t i = 0; i < kPackTextSize; ++i) FeedByte(pack.text[i]);
  }

 private:
  char* Field(int track) { return performer_ ? out_->item[track].performer : out_->item[track].title; }

  void BeginString() {
    valid_ = true;
    lead_ = 0;
    marks_ = 0;
    other_ = false;
    length_ = 0;
    full_ = false;
  }

  void FeedByte(BYTE b) {
    if (afterNul_) {
      // A double-byte block ends its strings with two NULs.
      afterNul_ = false;
      if (b == 0) return;
    }
    if (b == 0) {
      EndString();
      afterNul_ = doubleByte_;
      return;
    }
    if (!valid_) return;
    if (lead_ != 0) {
      BYTE lead = lead_;
      lead_ = 0;
      other_ = true;
      if (IsTrailByte932(b)) {
        const char pair[2] = {static_cast<char>(lead), static_cast<char>(b)};
        Put(pair, 2);
        return;
      }
      Put("?", 1);
    }
    if (b == kRepeatMark) {
      ++marks_;
      Put(" ", 1);
      return;
    }
    other_ = true;
    if (b < 0x20 || b == 0x7F) {
      Put(" ", 1);
    } else if (b < 0x80) {
      const char c = static_cast<char>(b);
      Put(&c, 1);
    } else if (doubleByte_) {
      PutMsJis(b);
    } else if (code_ == kCodeLatin1 && b >= 0xA0) {
      const char* spelling = kLatin1Spelling[b - 0xA0];
      Put(spelling, strlen(spelling));
    } else {
      Put("?", 1);
    }
  }

  // MS-JIS text is code page 932 already; only broken characters are replaced.
  void PutMsJis(BYTE b) {
    if (IsLeadByte932(b)) {
      lead_ = b;
    } else if (b >= 0xA1 && b <= 0xDF) {  // half-width katakana
      const char c = static_cast<char>(b);
      Put(&c, 1);
    } else {
      Put("?", 1);
    }
  }

  // A character goes in whole or not at all, and nothing after the first
  // that did not fit: the text is cut, never holed.
  void Put(const char* bytes, size_t count) {
    if (full_) return;
    if (length_ + count > kCdTextLength - 1) {
      full_ = true;
      return;
    }
    memcpy(text_ + length_, bytes, count);
    length_ += count;
  }

  void EndString() {
    if (lead_ != 0) {
      lead_ = 0;
      other_ = true;
      Put("?", 1);
    }
    if (valid_ && track_ <= kCdTextLastTrack) {
      bool repeat = marks_ > 0 && !other_ && marks_ <= (doubleByte_ ? 2 : 1);
      char* field = Field(track_);
      if (repeat) {
        if (track_ > 0) memcpy(field, Field(track_ - 1), kCdTextLength);
      } else if (length_ > 0) {
        memcpy(field, text_, length_);
        field[length_] = '\0';
      }
    }
    if (track_ <= kCdTextLastTrack) ++track_;
    BeginString();
  }

  const bool performer_;
  const BYTE code_;
  const bool doubleByte_;
  CdText* const out_;
  int track_ = 0;
  int lastSequence_ = -1;
  bool valid_ = false;
  bool afterNul_ = false;
  BYTE lead_ = 0;  // first byte of a double-byte character, its second still to come
  int marks_ = 0;
  bool other_ = false;
  char text_[kCdTextLength] = {};
  size_t length_ = 0;
  bool full_ = false;
};

struct BlockInfo {
  bool sized = false;
  BYTE code = 0;
  bool hasText = false;
  bool doubleByte = false;
};

// Block 0, or the first block whose size information names a code we can
// show. A block whose size information was lost is still read as Latin-1
// (a superset of ASCII) when its packs are single-byte.
int ChooseBlock(const BlockInfo (&blocks)[kBlockCount], BYTE* code) {
  for (int b = 0; b < kBlockCount; ++b) {
    if (blocks[b].sized && UsableCode(blocks[b].code)) {
      *code = blocks[b].code;
      return b;
    }
  }
  for (int b = 0; b < kBlockCount; ++b) {
    if (blocks[b].hasText && !blocks[b].sized && !blocks[b].doubleByte) {
      *code = kCodeLatin1;
      return b;
    }
  }
  return -1;
}

}  // namespace

WORD CdTextCrc(const BYTE* data, size_t size) {
  WORD crc = 0;
  for (size_t i = 0; i < size; ++i) {
    crc = static_cast<WORD>(crc ^ (data[i] << 8));
    for (int bit = 0; bit < 8; ++bit)
      crc = static_cast<WORD>((crc & 0x8000) ? (crc << 1) ^ 0x1021 : crc << 1);
  }
  return crc;
}

bool DecodeCdText(const BYTE* data, size_t size, CdText* out) {
  if (out == nullptr) return false;
  memset(out, 0, sizeof(*out));
  if (data == nullptr || size < kCdTextHeaderSize) return false;

  // The length counts the bytes after itself: the reserved pair and the packs.
  size_t length = static_cast<size_t>((data[0] << 8) | data[1]);
  if (length < 2) return false;
  size_t packBytes = length - 2;
  if (packBytes > size - kCdTextHeaderSize) packBytes = size - kCdTextHeaderSize;
  const BYTE* packs = data + kCdTextHeaderSize;
  size_t count = packBytes / kCdTextPackSize;

  BlockInfo blocks[kBlockCount];
  for (size_t i = 0; i < count; ++i) {
    const BYTE* p = packs + i * kCdTextPackSize;
    if (!PackIntact(p)) continue;
    Pack pack = ReadPack(p);
    BlockInfo& block = blocks[pack.block];
    if (pack.type == kPackSizeInfo && pack.track == 0) {
      // The first of the block's three size packs; its first byte is the code.
      block.sized = true;
      block.code = pack.text[0];
    } else if (pack.type == kPackTitle || pack.type == kPackPerformer) {
      block.hasText = true;
      if (p[3] & 0x80) block.doubleByte = true;
    }
  }
  BYTE code = 0;
  int chosen = ChooseBlock(blocks, &code);
  if (chosen < 0) return false;

  TextStream titles(false, code, out);
  TextStream performers(true, code, out);
  for (size_t i = 0; i < count; ++i) {
    const BYTE* p = packs + i * kCdTextPackSize;
    if (!PackIntact(p)) continue;
    Pack pack = ReadPack(p);
    if (pack.block != chosen || pack.extension) continue;
    if (pack.type == kPackTitle) titles.Feed(pack);
    if (pack.type == kPackPerformer) performers.Feed(pack);
  }

  for (const CdTextItem& item : out->item) {
    if (item.title[0] != '\0' || item.performer[0] != '\0') return true;
  }
  return false;
}
