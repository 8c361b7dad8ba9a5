// Disc images end to end: a sheet and its files written to disk, opened as
// a sector source, its table of contents and a sample of its sectors checked.
#include <gtest/gtest.h>

#include <vector>

#include "cd/image_sector_source.h"
#include "support/disc_image.h"
#include "support/test_support.h"

namespace {

// A sector the image must give at `lba`: sector `sector` of the run tagged
// `tag` (0: silence); `readable` false: the read must stop before it.
struct Sample {
  int lba, tag, sector;
  bool readable = true;
};

struct ImageCase {
  const char* name;
  std::string sheet;
  ImageFiles files;
  CueStatus status;
  int line;                // the line to blame, or for the data-file problems the file index
  std::vector<int> starts; // the first tracks' start LBAs
  std::string kinds;       // per track: 'a' audio, 'p' audio with pre-emphasis, 'd' data
  int leadOut;
  std::vector<Sample> samples;
  std::string text = "";   // the CD-Text items with strings: "item:title|performer;" each
};

std::string Tracks(int count) {
  std::string sheet = "FILE \"many.bin\" BINARY\n";
  for (int t = 1; t <= count; ++t) {
    char lines[64];
    snprintf(lines, sizeof(lines), "TRACK %02d AUDIO\nINDEX 01 00:%02d:%02d\n", t, (t - 1) / 75, (t - 1) % 75);
    sheet += lines;
  }
  return sheet;
}

std::string Repeat(const char* text, int count) {
  std::string repeated;
  for (int i = 0; i < count; ++i) repeated += text;
  return repeated;
}

const char kDawnSongAnsi[] = "\x92\xA9\x82\xCC\x89\xCC";  // 朝の歌 in code page 932, the tests' ANSI code page

const ImageCase kCases[] = {
    // Catches INDEX 00 taken for the start, a gapless boundary losing a
    // sector, or a UTF-8 sheet's name not found under its ANSI name.
    {"one file, gapless, INDEX 00 before 01",
     "\xEF\xBB\xBFREM a comment\r\nFILE \"\xE6\x9B\xB2.bin\" BINARY\r\n  TRACK 01 AUDIO\r\n    INDEX 01 00:00:00\r\n"
     "  TRACK 02 AUDIO\r\n    INDEX 00 00:00:10\r\n    INDEX 01 00:00:20\r\n",
     {{"\x8B\xC8.bin", TaggedSectors(1, 40)}}, CueStatus::kOk, 0, {0, 20}, "aa", 40,
     {{19, 1, 19}, {20, 1, 20}, {39, 1, 39}, {40, 0, 0, false}}},
    // Catches gaps read from the file, unswapped MOTOROLA samples, a lost
    // FLAGS PRE, paths not taken relative to the sheet, an unquoted name cut at its space.
    {"PREGAP, POSTGAP, MOTOROLA, PRE, two files",
     "FILE \"sub/b.bin\" MOTOROLA\nTRACK 01 AUDIO\nFLAGS DCP PRE\nPREGAP 00:00:05\nINDEX 01 00:00:00\n"
     "POSTGAP 00:00:03\nFILE c d.bin BINARY\nTRACK 02 AUDIO\nINDEX 01 00:00:00\n",
     {{"sub\\b.bin", TaggedSectors(2, 10, true)}, {"c d.bin", TaggedSectors(3, 10)}}, CueStatus::kOk, 0, {5, 18},
     "pa", 28, {{0, 0, 0}, {5, 2, 0}, {14, 2, 9}, {15, 0, 0}, {17, 0, 0}, {18, 3, 0}, {27, 3, 9}}},
    // Catches INDEX times turned into bytes with the wrong track's sector size.
    {"data tracks: MODE1/2048 then audio in one file, MODE1/2352 last",
     "FILE d.bin BINARY\nTRACK 01 MODE1/2048\nINDEX 01 00:00:00\nTRACK 02 AUDIO\nINDEX 00 00:00:08\n"
     "INDEX 01 00:00:10\nFILE e.bin BINARY\nTRACK 03 MODE1/2352\nINDEX 01 00:00:00\n",
     {{"d.bin", DataSectors(8) + TaggedSectors(4, 12)}, {"e.bin", TaggedSectors(5, 5)}}, CueStatus::kOk, 0,
     {0, 10, 20}, "dad", 25, {{0, 0, 0}, {7, 0, 0}, {8, 4, 0}, {10, 4, 2}, {19, 4, 11}, {20, 5, 0}}},
    // A gap appended to the previous file: it plays as that track's end.
    {"INDEX 00 in the file before",
     "FILE f.bin BINARY\nTRACK 01 AUDIO\nINDEX 01 00:00:00\nTRACK 02 AUDIO\nINDEX 00 00:00:06\n"
     "FILE g.bin BINARY\nINDEX 01 00:00:00\n",
     {{"f.bin", TaggedSectors(6, 8)}, {"g.bin", TaggedSectors(7, 4)}}, CueStatus::kOk, 0, {0, 8}, "aa", 12,
     {{7, 6, 7}, {8, 7, 0}}},
    // Catches a track's TITLE taken for the disc's, UTF-8 not converted, ANSI taken for UTF-8, long UTF-8 cut
    // inside a character (so read as ANSI), and a title line that cannot be read failing the sheet or clearing one.
    {"TITLE and PERFORMER as CD-Text",
     "PERFORMER Band\nTITLE \"\xE6\x9C\x9D\xE3\x81\xAE\xE6\xAD\x8C\"\nFILE t.bin BINARY\nTRACK 01 AUDIO\nTITLE \"Side One\"\n"
     "PERFORMER \"Solo Act\"\nINDEX 01 00:00:00\nTRACK 02 AUDIO\nTITLE \"" + std::string(kDawnSongAnsi) + "\"\n"
     "INDEX 01 00:00:10\nTRACK 03 AUDIO\nTITLE Kept\nTITLE \"unterminated\nTITLE two words\nTITLE\nINDEX 01 00:00:20\n"
     "TRACK 04 AUDIO\nINDEX 01 00:00:25\nTITLE \"" + Repeat("\xE6\x9C\x9D", 400) + "\"\n",
     {{"t.bin", TaggedSectors(1, 30)}}, CueStatus::kOk, 0, {0, 10, 20, 25}, "aaaa", 30, {},
     std::string("0:") + kDawnSongAnsi + "|Band;1:Side One|Solo Act;2:" + kDawnSongAnsi + "|;3:Kept|;4:" +
         Repeat("\x92\xA9", 129) + "|;"},  // 258 of the array's 259 bytes: whole characters
    {"99 tracks", Tracks(99), {{"many.bin", TaggedSectors(8, 100)}}, CueStatus::kOk, 0, {0, 1}, std::string(99, 'a'), 100,
     {{98, 8, 98}}},
    // Every malformed sheet names its line; none crashes or reads on.
    {"100 tracks", Tracks(100), {{"many.bin", TaggedSectors(8, 100)}}, CueStatus::kBadLine, 200, {}, "", 0, {}},
    {"empty", "", {}, CueStatus::kNoTracks, 0, {}, "", 0, {}},
    {"garbage", std::string("\x01\xFF\0binary\n\"unterminated\nTRACK", 29), {}, CueStatus::kBadLine, 4, {}, "", 0, {}},
    {"TRACK before any FILE", "TRACK 01 AUDIO\nINDEX 01 00:00:00\n", {}, CueStatus::kBadLine, 1, {}, "", 0, {}},
    {"a track without INDEX 01", "FILE a.bin BINARY\nTRACK 01 AUDIO\nINDEX 00 00:00:00\nTRACK 02 AUDIO\n", {},
     CueStatus::kBadLine, 2, {}, "", 0, {}},
    {"huge time", "FILE a.bin BINARY\nTRACK 01 AUDIO\nINDEX 01 99999999999:00:00\n", {}, CueStatus::kBadLine, 3,
     {}, "", 0, {}},
    {"frames past 74", "FILE a.bin BINARY\nTRACK 01 AUDIO\nINDEX 01 00:00:75\n", {}, CueStatus::kBadLine, 3, {},
     "", 0, {}},
    {"tracks out of order", "FILE a.bin BINARY\nTRACK 02 AUDIO\nINDEX 01 00:00:00\nTRACK 01 AUDIO\n", {},
     CueStatus::kBadLine, 4, {}, "", 0, {}},
    {"an INDEX before the last track's", "FILE a.bin BINARY\nTRACK 01 AUDIO\nINDEX 01 00:00:10\nTRACK 02 AUDIO\nINDEX 01 00:00:05\n",
     {}, CueStatus::kBadLine, 5, {}, "", 0, {}},
    {"a WAVE file", "FILE a.wav WAVE\nTRACK 01 AUDIO\nINDEX 01 00:00:00\n", {}, CueStatus::kUnsupported, 1, {}, "",
     0, {}},
    {"a data file missing", "FILE a.bin BINARY\nTRACK 01 AUDIO\nINDEX 01 00:00:00\nFILE none.bin BINARY\nTRACK 02 AUDIO\nINDEX 01 00:00:00\n",
     {{"a.bin", TaggedSectors(1, 4)}}, CueStatus::kDataFileMissing, 1, {}, "", 0, {}},
    // The sheet puts track 2 at sector 20 of a file of 20 sectors.
    {"a data file shorter than the sheet",
     "FILE a.bin BINARY\nTRACK 01 AUDIO\nINDEX 01 00:00:00\nTRACK 02 AUDIO\nINDEX 01 00:00:20\n",
     {{"a.bin", TaggedSectors(1, 20)}}, CueStatus::kDataFileTooShort, 0, {}, "", 0, {}},
    {"longer than a disc", "FILE a.bin BINARY\nTRACK 01 AUDIO\nPREGAP 99:59:74\nINDEX 01 00:00:00\n",
     {{"a.bin", TaggedSectors(1, 4)}}, CueStatus::kDiscTooLong, 2, {}, "", 0, {}},
};

TEST(DiscImage, SheetsGiveTheirTableSectorsOrAProblem) {
  for (const ImageCase& c : kCases) {
    SCOPED_TRACE(c.name);
    ScratchFolder folder;
    std::string cue = WriteDiscImage(folder.path(), c.sheet, c.files);
    ImageSectorSource image;
    CdText text{};
    CueProblem problem = image.Open(cue.c_str(), &text);
    EXPECT_EQ(problem.status, c.status);
    bool fileProblem = c.status == CueStatus::kDataFileMissing || c.status == CueStatus::kDataFileTooShort;
    EXPECT_EQ(fileProblem ? problem.file : problem.line, c.line);
    char message[256] = {};
    if (c.status != CueStatus::kOk) {
      EXPECT_GT(LoadStringA(GetModuleHandleA(nullptr), CueProblemMessage(c.status), message, sizeof(message)), 0);
    }
    DiscToc toc;
    ASSERT_EQ(image.ReadToc(&toc), c.status == CueStatus::kOk);
    if (c.status != CueStatus::kOk) continue;
    ASSERT_EQ(toc.lastTrack - toc.firstTrack + 1, static_cast<int>(c.kinds.size()));
    for (size_t i = 0; i < c.starts.size(); ++i) {
      const TocTrack& track = toc.tracks[toc.firstTrack + i];
      EXPECT_EQ(track.startLba, c.starts[i]) << "track " << i + 1;
      EXPECT_EQ(track.data, c.kinds[i] == 'd') << "track " << i + 1;
      EXPECT_EQ(track.preEmphasis, c.kinds[i] == 'p') << "track " << i + 1;
    }
    EXPECT_EQ(toc.leadOutLba, c.leadOut);
    std::string shown;
    for (int i = 0; i <= kCdTextLastTrack; ++i) {
      const CdTextItem& item = text.item[i];
      if (item.title[0] || item.performer[0]) shown += std::to_string(i) + ":" + item.title + "|" + item.performer + ";";
    }
    EXPECT_EQ(shown, c.text);
    std::vector<unsigned char> raw(kRawSectorBytes * 2, 0xAA);
    for (const Sample& s : c.samples) {
      ASSERT_EQ(image.ReadSectors(s.lba, 1, raw.data()), s.readable ? 1 : 0) << "LBA " << s.lba;
      if (s.readable) {
        EXPECT_TRUE(SectorIs(raw.data(), s.tag, s.sector)) << "LBA " << s.lba;
      }
    }
    // A read across the lead-out gives what lies before it.
    EXPECT_EQ(image.ReadSectors(c.leadOut - 1, 2, raw.data()), 1);
  }
  ImageSectorSource missing;
  EXPECT_EQ(missing.Open("C:\\no such folder\\image.cue").status, CueStatus::kSheetUnreadable);
  char message[256] = {};
  EXPECT_GT(LoadStringA(GetModuleHandleA(nullptr), CueProblemMessage(CueStatus::kSheetUnreadable), message,
                        sizeof(message)),
            0);
}

}  // namespace
