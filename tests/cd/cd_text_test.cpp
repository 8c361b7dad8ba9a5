// The CD-Text decoder against pack sequences built the way a disc carries
// them, and the drive shell as far as Wine lets it run.
#include "cd/cd_text.h"
#include "cd/cd_text_drive.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using Packs = std::vector<std::array<BYTE, kCdTextPackSize>>;

// Lays strings out in packs as a disc's authoring does: one NUL-terminated
// string per track from 0 (two NULs in a double-byte block), cut into 12-byte
// payloads, each pack naming the track and character position its first byte
// belongs to, sequence numbers running on through the block.
class PackWriter {
 public:
  void Text(BYTE type, int block, bool doubleByte, const std::vector<std::string>& strings) {
    std::string bytes;
    std::vector<int> owner;  // the track each byte belongs to
    std::vector<int> offset;
    for (size_t t = 0; t < strings.size(); ++t) {
      std::string s = strings[t] + std::string(doubleByte ? 2 : 1, '\0');
      for (size_t i = 0; i < s.size(); ++i) {
        owner.push_back(static_cast<int>(t));
        offset.push_back(static_cast<int>(i));
      }
      bytes += s;
    }
    for (size_t at = 0; at < bytes.size(); at += 12) {
      int position = offset[at] / (doubleByte ? 2 : 1);
      BYTE text[12] = {};
      memcpy(text, bytes.data() + at, std::min<size_t>(12, bytes.size() - at));
      Add(type, owner[at], block, doubleByte, position > 15 ? 15 : position, text);
    }
  }

  // The block's three size-information packs: code, first and last track, ...
  void SizeInfo(int block, BYTE code, bool doubleByte) {
    BYTE info[36] = {code, 1, 99};
    for (int i = 0; i < 3; ++i) Add(0x8F, i, block, doubleByte, 0, info + 12 * i);
  }

  std::vector<BYTE> Bytes() const {
    size_t length = 2 + packs.size() * kCdTextPackSize;
    std::vector<BYTE> out = {static_cast<BYTE>(length >> 8), static_cast<BYTE>(length), 0, 0};
    for (const auto& p : packs) out.insert(out.end(), p.begin(), p.end());
    return out;
  }

  Packs packs;

 private:
  void Add(BYTE type, int track, int block, bool doubleByte, int position, const BYTE* text) {
    std::array<BYTE, kCdTextPackSize> p = {type, static_cast<BYTE>(track), static_cast<BYTE>(sequence_[block]++),
                                           static_cast<BYTE>((doubleByte ? 0x80 : 0) | block << 4 | position)};
    memcpy(p.data() + 4, text, 12);
    WORD crc = static_cast<WORD>(~CdTextCrc(p.data(), 16));
    p[16] = static_cast<BYTE>(crc >> 8);
    p[17] = static_cast<BYTE>(crc);
    packs.push_back(p);
  }
  int sequence_[8] = {};
};

constexpr BYTE kLatin1 = 0x00, kAscii = 0x01, kMsJis = 0x80;

PackWriter Disc(BYTE code, const std::vector<std::string>& titles, const std::vector<std::string>& performers,
                int block = 0) {
  PackWriter w;
  bool db = code == kMsJis;
  w.Text(0x80, block, db, titles);
  if (!performers.empty()) w.Text(0x81, block, db, performers);
  w.SizeInfo(block, code, db);
  return w;
}

std::string CutAt259() { return std::string(258, 'a') + "\xDF" "b"; }  // ß spells "ss": two bytes, one left

std::string Hiragana(int count) {
  std::string s;
  for (int i = 0; i < count; ++i) s += "\x82\xA0";  // あ
  return s;
}

struct Expect {
  int track;
  std::string title;
  std::string performer;
};

struct Case {
  const char* name;
  std::function<std::vector<BYTE>()> make;
  std::vector<Expect> expect;  // every track not listed must stay empty
};

TEST(DecodeCdText, CraftedPackSequences) {
  const Case cases[] = {
      // Letters code page 932 lacks are spelt in ASCII, signs it has become its
      // double-byte form; strings longer than a pack continue across packs.
      {"latin1",
       [] { return Disc(kLatin1, {"Caf\xE9 M\xFCller", "Stra\xDF" "e", "\xD7" "2 \xBD"}, {"\xC6r\xF8 Band"}).Bytes(); },
       {{0, "Cafe Muller", "AEro Band"}, {1, "Strasse", ""}, {2, "\x81\x7E" "2 1/2", ""}}},
      // ASCII marks every high byte unknown; one TAB repeats the track before,
      // also a track that was itself repeated.
      {"ascii with tab repeat",
       [] { return Disc(kAscii, {"Blue\xE9", "One", "\t"}, {"Trio", "\t", "\t"}).Bytes(); },
       {{0, "Blue?", "Trio"}, {1, "One", "Trio"}, {2, "One", "Trio"}}},
      // MS-JIS is code page 932 already, half-width katakana included; two TABs
      // repeat, the two-NUL terminator keeps the tracks in step, and a
      // character split across two packs (after a half-width ｱ) is joined, a
      // lead byte the string ends on is marked unknown.
      {"ms-jis with double tab",
       [] {
         return Disc(kMsJis, {"\x92\xA9\x82\xCC\x8C\xF5", "\x96\xE9\x96\xBE\x82\xAF", "\t\t", "\xB6\xDE\xAF\xC2", "x\x82"},
                     {"\xB1" "\x8E\x52\x93\x63\x89\xD4\x8E\x71\x8E\x52\x93\x63"})
             .Bytes();
       },
       {{0, "\x92\xA9\x82\xCC\x8C\xF5", "\xB1" "\x8E\x52\x93\x63\x89\xD4\x8E\x71\x8E\x52\x93\x63"},
        {1, "\x96\xE9\x96\xBE\x82\xAF", ""},
        {2, "\x96\xE9\x96\xBE\x82\xAF", ""},
        {3, "\xB6\xDE\xAF\xC2", ""},
        {4, "x?", ""}}},
      // Long text is cut at 259 bytes: a two-byte spelling that does not fit
      // ends the text (nothing after it slips in), a double-byte character is
      // never split.
      {"cut at capacity",
       [] {
         PackWriter w = Disc(kLatin1, {"", CutAt259(), std::string(400, 'x')}, {});
         return w.Bytes();
       },
       {{1, std::string(258, 'a'), ""}, {2, std::string(259, 'x'), ""}}},
      {"double-byte cut", [] { return Disc(kMsJis, {Hiragana(200)}, {}).Bytes(); }, {{0, Hiragana(129), ""}}},
      // A pack with a bad CRC is dropped: the title whose head it held is lost,
      // the ones before and after it are not.
      {"bad crc",
       [] {
         PackWriter w = Disc(kLatin1, {"Album", "One", "Two-Two-Two-Two", "Three"}, {});
         w.packs[1][17] ^= 0x01;  // "o-Two-Two-Tw", the body of track 2
         return w.Bytes();
       },
       {{0, "Album", ""}, {1, "One", ""}, {3, "Three", ""}}},
      // A lost size pack leaves a single-byte block readable as Latin-1 ...
      {"size info lost",
       [] {
         PackWriter w = Disc(kLatin1, {"Caf\xE9"}, {});
         w.packs[1][16] ^= 0xFF;
         return w.Bytes();
       },
       {{0, "Cafe", ""}}},
      // ... a double-byte one, whose code is then unknown, not at all.
      {"double-byte size info lost",
       [] {
         PackWriter w = Disc(kMsJis, {"\x92\xA9"}, {});
         w.packs[1][16] ^= 0xFF;
         return w.Bytes();
       },
       {}},
      // Block 0 in a code we cannot show (Korean): the next usable block is read.
      {"first usable block",
       [] {
         PackWriter w = Disc(0x81, {"\xB0\xA1"}, {});
         PackWriter one = Disc(kAscii, {"English"}, {}, 1);
         PackWriter two = Disc(kLatin1, {"Fran\xE7" "ais"}, {}, 2);
         w.packs.insert(w.packs.end(), one.packs.begin(), one.packs.end());
         w.packs.insert(w.packs.end(), two.packs.begin(), two.packs.end());
         return w.Bytes();
       },
       {{0, "English", ""}}},
      // The header's length bounds the packs even when more bytes follow.
      {"header length",
       [] {
         std::vector<BYTE> bytes = Disc(kAscii, {"Album"}, {"Band"}).Bytes();
         bytes[1] = static_cast<BYTE>(2 + kCdTextPackSize);  // the title pack only
         return bytes;
       },
       {{0, "Album", ""}}},
  };
  static CdText text;  // 52 KB: not on the stack
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<BYTE> bytes = c.make();
    EXPECT_EQ(DecodeCdText(bytes.data(), bytes.size(), &text), !c.expect.empty());
    for (int t = 0; t <= kCdTextLastTrack; ++t) {
      std::string title, performer;
      for (const Expect& e : c.expect) {
        if (e.track == t) title = e.title, performer = e.performer;
      }
      EXPECT_EQ(text.item[t].title, title) << "track " << t;
      EXPECT_EQ(text.item[t].performer, performer) << "track " << t;
    }
  }
}

TEST(DecodeCdText, CrcIsTheXmodemCheck) {
  // The catalogued check value of CRC-16 with polynomial 0x1021 and initial 0.
  EXPECT_EQ(CdTextCrc(reinterpret_cast<const BYTE*>("123456789"), 9), 0x31C3);
}

bool WholeCharacters932(const char* text) {
  size_t length = strnlen(text, kCdTextLength);
  if (length >= kCdTextLength) return false;  // unterminated
  for (size_t i = 0; i < length; ++i) {
    if (IsDBCSLeadByteEx(932, static_cast<BYTE>(text[i])) && ++i == length) return false;
  }
  return true;
}

void ExpectWellFormed(const CdText& text) {
  for (const CdTextItem& item : text.item) {
    ASSERT_TRUE(WholeCharacters932(item.title));
    ASSERT_TRUE(WholeCharacters932(item.performer));
  }
}

// Every Latin-1 byte turns into text code page 932 can convert.
TEST(DecodeCdText, EveryLatin1CharacterBecomesCodePage932) {
  std::string all;
  for (int b = 0x20; b <= 0xFF; ++b) all += static_cast<char>(b);
  all.erase(all.find('\x7F'), 1);
  static CdText text;
  std::vector<BYTE> bytes = Disc(kLatin1, {all.substr(0, 96), all.substr(96)}, {}).Bytes();
  ASSERT_TRUE(DecodeCdText(bytes.data(), bytes.size(), &text));
  for (int t = 0; t < 2; ++t) {
    const char* s = text.item[t].title;
    WCHAR wide[kCdTextLength];
    EXPECT_GT(MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, s, -1, wide, kCdTextLength), 1) << s;
  }
}

// Input from a drive is hostile: every prefix of a real sequence, a header
// that claims more than was read, and random packs with valid CRCs (so the
// string logic, not the CRC, meets the garbage) all decode to terminated
// text of whole characters. Run it under a memory checker to see overreads.
TEST(DecodeCdText, TruncatedAndGarbageInputStaysInBounds) {
  static CdText text;
  PackWriter w = Disc(kMsJis, {Hiragana(40), "\t\t", "\x8D\x60\x82\xCC\x93\x94"}, {Hiragana(3)});
  std::vector<BYTE> bytes = w.Bytes();
  bytes[0] = 0xFF;  // claims far more than there is
  for (size_t size = 0; size <= bytes.size(); ++size) {
    std::unique_ptr<BYTE[]> exact(new BYTE[size + 1]);  // size 0 still needs a pointer
    memcpy(exact.get(), bytes.data(), size);
    DecodeCdText(exact.get(), size, &text);
    ExpectWellFormed(text);
  }
  EXPECT_FALSE(DecodeCdText(nullptr, 100, &text));

  unsigned seed = 12345;
  auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 16; };
  for (int round = 0; round < 300; ++round) {
    PackWriter garbage;
    int count = 1 + next() % 40;
    for (int i = 0; i < count; ++i) {
      BYTE text12[12];
      for (BYTE& b : text12) b = static_cast<BYTE>(next() % 4 == 0 ? 0 : next());
      BYTE types[] = {0x80, 0x81, 0x8F, 0x80};
      std::array<BYTE, kCdTextPackSize> p = {types[next() % 4], static_cast<BYTE>(next()), static_cast<BYTE>(next()),
                                             static_cast<BYTE>(next())};
      memcpy(p.data() + 4, text12, 12);
      if (p[0] == 0x8F && next() % 2) p[4] = (next() % 2) ? kMsJis : kLatin1;
      WORD crc = static_cast<WORD>(~CdTextCrc(p.data(), 16));
      p[16] = static_cast<BYTE>(crc >> 8);
      p[17] = static_cast<BYTE>(crc);
      garbage.packs.push_back(p);
    }
    std::vector<BYTE> g = garbage.Bytes();
    DecodeCdText(g.data(), g.size(), &text);
    ExpectWellFormed(text);
  }
}

// Wine gives no CD-Text, so the shell is tested up to the drive's refusal:
// each way of not getting packs ends in a clean "none" with the record cleared.
TEST(ReadCdText, EveryFailureIsACleanNone) {
  static CdText text;
  auto dirty = [] { memset(&text, 0x5A, sizeof(text)); };
  auto cleared = [] { return text.item[0].title[0] == 0 && text.item[kCdTextLastTrack].performer[0] == 0; };

  dirty();
  EXPECT_EQ(ReadCdText('1', &text), CdTextReadStatus::NoDrive);
  EXPECT_TRUE(cleared());

  // Wine opens the volume of the prefix's C: folder and refuses the read.
  dirty();
  EXPECT_EQ(ReadCdText('c', &text), CdTextReadStatus::QueryFailed);
  EXPECT_TRUE(cleared());

  dirty();
  CdTextReadStatus system = ReadCdText(0, &text);
  EXPECT_NE(system, CdTextReadStatus::Read);
  if (FirstCdDrive() == 0) {
    EXPECT_EQ(system, CdTextReadStatus::NoDrive);
  }
  EXPECT_TRUE(cleared());

  // Wine counts no process handles, but it hands out the lowest free slot:
  // a drive handle left open would move the next handle up.
  auto nextHandle = [] {
    HANDLE h = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    CloseHandle(h);
    return h;
  };
  HANDLE before = nextHandle();
  for (int i = 0; i < 200; ++i) ReadCdText('C', &text);
  EXPECT_EQ(nextHandle(), before);
}

}  // namespace
