// The CD-Text decoder against pack sequences built the way a disc carries
// them, and the drive shell as far as Wine lets it run.
#include "cd/cd_text.h"
#include "cd/cd_text_drive.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

using Pack = std::array<BYTE, kCdTextPackSize>;
using Packs = std::vector<Pack>;
using Strings = std::vector<std::string>;
constexpr BYTE kLatin1 = 0x00, kAscii = 0x01, kMsJis = 0x80;

void Seal(Pack& p) {
  WORD crc = static_cast<WORD>(~CdTextCrc(p.data(), 16));
  p[16] = static_cast<BYTE>(crc >> 8);
  p[17] = static_cast<BYTE>(crc);
}

// One block as a disc's authoring lays it out: one string per track from 0,
// NUL-terminated (two NULs in a double-byte block), cut into 12-byte payloads,
// each pack naming the track and character position of its first byte;
// sequence numbers run on through the block, the size packs come last.
Packs Block(BYTE code, int block, const Strings& titles, const Strings& performers = {}) {
  Packs packs;
  bool db = code == kMsJis;
  auto add = [&](BYTE type, int track, int position, const void* text) {
    Pack p = {type, static_cast<BYTE>(track), static_cast<BYTE>(packs.size()),
              static_cast<BYTE>((db ? 0x80 : 0) | block << 4 | (position > 15 ? 15 : position))};
    memcpy(p.data() + 4, text, 12);
    Seal(p);
    packs.push_back(p);
  };
  for (BYTE type : {0x80, 0x81}) {
    std::string bytes;
    std::vector<int> track, offset;  // of each byte
    int t = 0;
    for (const std::string& s : type == 0x80 ? titles : performers) {
      std::string terminated = s + std::string(db ? 2 : 1, '\0');
      for (size_t i = 0; i < terminated.size(); ++i) track.push_back(t), offset.push_back(static_cast<int>(i));
      bytes += terminated, ++t;
    }
    bytes.resize((bytes.size() + 11) / 12 * 12, '\0');
    for (size_t at = 0; at < bytes.size(); at += 12) add(type, track[at], offset[at] / (db ? 2 : 1), &bytes[at]);
  }
  BYTE info[36] = {code, 1, 99};  // code, first and last track, ...
  for (int i = 0; i < 3; ++i) add(0x8F, i, 0, info + 12 * i);
  return packs;
}

std::vector<BYTE> Bytes(const Packs& packs, size_t headerPacks = SIZE_MAX) {
  size_t length = 2 + std::min(headerPacks, packs.size()) * kCdTextPackSize;
  std::vector<BYTE> out = {static_cast<BYTE>(length >> 8), static_cast<BYTE>(length), 0, 0};
  for (const Pack& p : packs) out.insert(out.end(), p.begin(), p.end());
  return out;
}

Packs Join(Packs a, const Packs& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

std::string Hiragana(int count) {
  std::string s;
  while (count-- > 0) s += "\x82\xA0";  // あ
  return s;
}

struct Case {
  const char* name;
  std::function<Packs()> make;
  std::vector<std::array<std::string, 3>> expect;  // track, title, performer; every other track stays empty
  size_t headerPacks = SIZE_MAX;
};

TEST(DecodeCdText, CraftedPackSequences) {
  const std::string kAsahi = "\x92\xA9\x82\xCC\x8C\xF5", kYoake = "\x96\xE9\x96\xBE\x82\xAF";
  const std::string kPerformer = "\xB1" "\x8E\x52\x93\x63\x89\xD4\x8E\x71\x8E\x52\x93\x63";  // ｱ山田花子山田
  const Case cases[] = {
      // Letters code page 932 lacks are spelt in ASCII, its own signs (×) become
      // double-byte; strings longer than a pack continue across packs.
      {"latin1",
       [] { return Block(kLatin1, 0, {"Caf\xE9 M\xFCller", "Stra\xDF" "e", "\xD7" "2 \xBD"}, {"\xC6r\xF8 Band"}); },
       {{"0", "Cafe Muller", "AEro Band"}, {"1", "Strasse", ""}, {"2", "\x81\x7E" "2 1/2", ""}}},
      // ASCII marks high bytes unknown; a TAB repeats the track before, also one itself repeated.
      {"ascii, tab repeat", [] { return Block(kAscii, 0, {"Blue\xE9", "One", "\t"}, {"Trio", "\t", "\t"}); },
       {{"0", "Blue?", "Trio"}, {"1", "One", "Trio"}, {"2", "One", "Trio"}}},
      // MS-JIS passes through, half-width katakana too; two TABs repeat; the
      // two-NUL terminator keeps tracks in step; the 田 after ｱ is split across
      // two packs; a lone lead byte becomes '?'; a double-byte cut stays whole.
      {"ms-jis",
       [&] {
         return Block(kMsJis, 0, {kAsahi, kYoake, "\t\t", "\xB6\xDE\xAF\xC2", "x\x82", Hiragana(200)}, {kPerformer});
       },
       {{"0", kAsahi, kPerformer}, {"1", kYoake, ""}, {"2", kYoake, ""}, {"3", "\xB6\xDE\xAF\xC2", ""}, {"4", "x?", ""},
        {"5", Hiragana(129), ""}}},
      // Cut at 259 bytes: a two-byte spelling (ß) that does not fit ends the
      // text, nothing after it slips in.
      {"cut", [] { return Block(kLatin1, 0, {"", std::string(258, 'a') + "\xDF" "b", std::string(400, 'x')}); },
       {{"1", std::string(258, 'a'), ""}, {"2", std::string(259, 'x'), ""}}},
      // A bad CRC drops the pack "o-Two-Two-Tw": the title whose head it held goes, its neighbours stay.
      {"bad crc",
       [] {
         Packs p = Block(kLatin1, 0, {"Album", "One", "Two-Two-Two-Two", "Three"});
         p[1][17] ^= 1;
         return p;
       },
       {{"0", "Album", ""}, {"1", "One", ""}, {"3", "Three", ""}}},
      // Size packs lost: a double-byte block's code is unknown, a single-byte one reads as Latin-1.
      {"size info lost",
       [] {
         Packs p = Join(Block(kMsJis, 0, {"\x92\xA9"}), Block(kLatin1, 1, {"Caf\xE9"}));
         p[1][16] ^= 0xFF, p[5][16] ^= 0xFF;
         return p;
       },
       {{"0", "Cafe", ""}}},
      // Block 0 in a code we cannot show (Korean): the first usable block is read.
      {"first usable block",
       [] {
         return Join(Join(Block(0x81, 0, {"\xB0\xA1"}), Block(kAscii, 1, {"English"})),
                     Block(kLatin1, 2, {"Fran\xE7" "ais"}));
       },
       {{"0", "English", ""}}},
      // The header's length bounds the packs (here the title only) even when more bytes follow.
      {"header length", [] { return Block(kAscii, 0, {"Album"}, {"Band"}); }, {{"0", "Album", ""}}, 1},
  };
  static CdText text;  // 52 KB: not on the stack
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<BYTE> bytes = Bytes(c.make(), c.headerPacks);
    EXPECT_EQ(DecodeCdText(bytes.data(), bytes.size(), &text), !c.expect.empty());
    for (int t = 0; t <= kCdTextLastTrack; ++t) {
      std::array<std::string, 3> want = {"", "", ""};
      for (const auto& e : c.expect) {
        if (std::stoi(e[0]) == t) want = e;
      }
      EXPECT_EQ(text.item[t].title, want[1]) << "track " << t;
      EXPECT_EQ(text.item[t].performer, want[2]) << "track " << t;
    }
  }
}

// The builder seals packs with the decoder's own CRC: check it against the
// catalogued value of CRC-16 with polynomial 0x1021 and initial 0.
TEST(DecodeCdText, CrcIsTheXmodemCheck) {
  EXPECT_EQ(CdTextCrc(reinterpret_cast<const BYTE*>("123456789"), 9), 0x31C3);
}

// A wrong entry in the Latin-1 spelling table would give text code page 932 cannot convert.
TEST(DecodeCdText, EveryLatin1CharacterBecomesCodePage932) {
  std::string high;
  for (int b = 0xA0; b <= 0xFF; ++b) high += static_cast<char>(b);
  static CdText text;
  std::vector<BYTE> bytes = Bytes(Block(kLatin1, 0, {high}));
  ASSERT_TRUE(DecodeCdText(bytes.data(), bytes.size(), &text));
  WCHAR wide[kCdTextLength];
  EXPECT_GT(MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, text.item[0].title, -1, wide, kCdTextLength), 96);
}

void ExpectWholeCharacters(const CdText& text) {
  for (const CdTextItem& item : text.item) {
    for (const char* s : {item.title, item.performer}) {
      size_t length = strnlen(s, kCdTextLength);
      ASSERT_LT(length, kCdTextLength);
      for (size_t i = 0; i < length; ++i) ASSERT_FALSE(IsDBCSLeadByteEx(932, BYTE(s[i])) && ++i == length) << s;
    }
  }
}

// Input from a drive is hostile: every prefix of a sequence whose header
// claims far more, and random packs with valid CRCs (so that the string
// logic, not the CRC, meets the garbage) decode to terminated whole characters.
TEST(DecodeCdText, TruncatedAndGarbageInputStaysInBounds) {
  static CdText text;
  std::vector<BYTE> bytes = Bytes(Block(kMsJis, 0, {Hiragana(40), "\t\t", "\x8D\x60"}, {Hiragana(3)}));
  bytes[0] = 0xFF;
  for (size_t size = 0; size <= bytes.size(); ++size) {
    std::vector<BYTE> exact(bytes.begin(), bytes.begin() + size);
    DecodeCdText(exact.data(), size, &text);
    ExpectWholeCharacters(text);
  }
  EXPECT_FALSE(DecodeCdText(nullptr, 100, &text));

  unsigned seed = 12345;
  auto next = [&seed] { return static_cast<BYTE>((seed = seed * 1103515245u + 12345u) >> 16); };
  for (int round = 0; round < 300; ++round) {
    Packs packs(1 + next() % 40);
    for (Pack& p : packs) {
      for (BYTE& b : p) b = next() % 4 ? next() : 0;
      p[0] = static_cast<BYTE>(0x80 | (next() % 3 == 2 ? 0x0F : next() % 2));
      if (p[0] == 0x8F) p[4] = next() % 2 ? kMsJis : kLatin1;
      Seal(p);
    }
    std::vector<BYTE> g = Bytes(packs);
    DecodeCdText(g.data(), g.size(), &text);
    ExpectWholeCharacters(text);
  }
}

// Wine gives no CD-Text, so the shell is tested up to the drive's refusal:
// every way of not getting packs is a clean "none" with the record cleared.
TEST(ReadCdText, EveryFailureIsACleanNone) {
  static CdText text;
  auto read = [](char letter) {
    memset(&text, 0x5A, sizeof(text));
    CdTextReadStatus status = ReadCdText(letter, &text);
    EXPECT_EQ(text.item[0].title[0] | text.item[kCdTextLastTrack].performer[0], 0) << "not cleared";
    return status;
  };
  EXPECT_EQ(read('1'), CdTextReadStatus::NoDrive);
  // Wine opens the volume of the prefix's C: folder and refuses the read.
  EXPECT_EQ(read('c'), CdTextReadStatus::QueryFailed);
  // The test prefix maps D: and E: as CD-ROM drives on plain folders; the
  // default, D:, cannot answer a CD-Text read.
  CdTextReadStatus none = read(0);
  EXPECT_TRUE(none == CdTextReadStatus::OpenFailed || none == CdTextReadStatus::QueryFailed)
      << static_cast<int>(none);
  EXPECT_EQ(read('e'), none) << "a chosen CD-ROM letter is read like the default one";
  EXPECT_EQ(read('Q'), CdTextReadStatus::OpenFailed) << "a letter with no drive at all";

  // Wine counts no process handles, but it hands out the lowest free slot:
  // a drive handle left open would move the next handle up.
  auto nextHandle = [] {
    HANDLE h = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    CloseHandle(h);
    return h;
  };
  HANDLE before = nextHandle();
  for (int i = 0; i < 200; ++i) {
    ReadCdText('C', &text);
    ReadCdText('D', &text);
  }
  EXPECT_EQ(nextHandle(), before);
}

}  // namespace
