// The disc ids and the drive's table of contents they come from.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "cd/cdrom_toc.h"
#include "cd/disc_ids.h"

namespace {

// Tracks start at these offsets (LBA + 150); kinds[t - 1] == 'd' makes track t data.
DiscToc MakeToc(std::initializer_list<int> offsets, int leadOut, const std::string& kinds = "") {
  DiscToc toc;
  toc.firstTrack = 1;
  for (int offset : offsets) {
    TocTrack& track = toc.tracks[++toc.lastTrack];
    track.startLba = offset - kLeadInFrames;
    track.data = kinds.size() >= static_cast<size_t>(toc.lastTrack) && kinds[toc.lastTrack - 1] == 'd';
  }
  toc.leadOutLba = leadOut - kLeadInFrames;
  return toc;
}

// The expected values come from an independent script (hashlib and base64).
TEST(DiscIdsTest, BothIdsOfTheTableOfContents) {
  struct Case {
    const char* what;
    DiscToc toc;
    const char* musicBrainz;
    DWORD cddb;
  } cases[] = {
      // Catches a wrong text layout, hash or alphabet.
      {"the published example", MakeToc({150, 15363, 32314, 46592, 63414, 80489}, 95462),
       "49HHV7Eb8UKF3aQiNmu1GR8vKTY-", 0x3404F606},
      // Catches an id over the data session: the audio ends before the gap,
      // while the CDDB id counts every track and the real lead-out.
      {"an enhanced CD", MakeToc({150, 20150, 40150, 71550}, 300000, "aaad"), "iAoQXo7zSQkzWa96adYtN3NEQPk-",
       0x310F9E04},
      // The gap comes off the first trailing data track's start.
      {"two data tracks at the end", MakeToc({150, 20150, 60000, 70000}, 90000, "aadd"), "sKp4lzXJjTnqB5l3fE9ER1n9fH0-",
       0x2904AE04},
      // A data track first (mixed mode) stays in, and so does the real lead-out.
      {"mixed mode", MakeToc({150, 20150, 40150}, 60000, "daa"), "Tl_F6v1s9pa8HMDg1_sS33H5xPs-", 0x1F031E03},
  };
  for (const Case& c : cases) {
    char id[kMusicBrainzIdSize] = "";
    EXPECT_TRUE(MusicBrainzDiscId(c.toc, id)) << c.what;
    EXPECT_STREQ(c.musicBrainz, id) << c.what;
    EXPECT_EQ(c.cddb, CddbDiscId(c.toc)) << c.what;
  }
  // A table with no track has no id.
  char id[kMusicBrainzIdSize] = "x";
  EXPECT_FALSE(MusicBrainzDiscId(DiscToc(), id));
  EXPECT_EQ(0u, CddbDiscId(DiscToc()));
}

// The drive's own answer: catches a wrong MSF reading or data flag, and an
// answer cut short, running backwards or without its lead-out taken whole.
TEST(CdromTocTest, TheDrivesAnswerIsTakenOnlyWhenWhole) {
  CDROM_TOC raw = {};
  raw.FirstTrack = 1;
  raw.LastTrack = 2;
  const UCHAR entries[3][5] = {{1, 0, 0, 2, 0}, {2, 4, 3, 0, 0}, {0xAA, 0, 5, 0, 10}};  // number, control, MSF
  for (int i = 0; i < 3; ++i) {
    raw.TrackData[i].TrackNumber = entries[i][0];
    raw.TrackData[i].Control = entries[i][1];
    memcpy(&raw.TrackData[i].Address[1], &entries[i][2], 3);
  }
  const DWORD whole = 4 + 3 * sizeof(TRACK_DATA);
  DiscToc toc;
  ASSERT_TRUE(TocFromCdromToc(raw, whole, &toc));
  EXPECT_EQ(3 * 60 * 75 - 150, toc.tracks[2].startLba);
  EXPECT_TRUE(toc.tracks[2].data);
  EXPECT_EQ(5 * 60 * 75 + 10 - 150, toc.leadOutLba);
  EXPECT_FALSE(TocFromCdromToc(raw, whole - 1, &toc));
  raw.TrackData[1].Address[1] = 6;
  EXPECT_FALSE(TocFromCdromToc(raw, whole, &toc));
  raw.TrackData[1].Address[1] = 3;
  raw.TrackData[2].TrackNumber = 3;
  EXPECT_FALSE(TocFromCdromToc(raw, whole, &toc));
}

}  // namespace
