// The disc ids and the table of contents they come from.
#include <gtest/gtest.h>

#include <cstring>

#include "cd/disc_ids.h"
#include "cd/lookup_toc.h"
#include "cd/mci_cd_drive.h"
#include "support/virtual_disc.h"

namespace {

// Tracks start at these offsets (LBA + 150); `dataFrom` on are data tracks.
DiscToc MakeToc(std::initializer_list<int> offsets, int leadOut, int dataFrom = 0) {
  DiscToc toc;
  toc.firstTrack = 1;
  int t = 0;
  for (int offset : offsets) {
    ++t;
    toc.tracks[t].startLba = offset - kLeadInFrames;
    toc.tracks[t].data = dataFrom != 0 && t >= dataFrom;
  }
  toc.lastTrack = t;
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
      {"an enhanced CD", MakeToc({150, 20150, 40150, 71550}, 300000, 4), "iAoQXo7zSQkzWa96adYtN3NEQPk-",
       0x310F9E04},
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

TEST(DiscIdsTest, EnhancedAndMixedDiscsKeepTheRightTracksInTheAudioSession) {
  AudioSession session;
  // Two trailing data tracks both leave; the gap comes off the first one's start.
  ASSERT_TRUE(AudioSessionOf(MakeToc({150, 20150, 60000, 70000}, 90000, 3), &session));
  EXPECT_EQ(2, session.lastTrack);
  EXPECT_EQ(60000 - kSessionGapFrames, session.leadOut);
  EXPECT_EQ(0, session.offsets[3]);
  // A data track first (mixed mode) stays, and so does the real lead-out.
  DiscToc mixed = MakeToc({150, 20150, 40150}, 60000);
  mixed.tracks[1].data = true;
  ASSERT_TRUE(AudioSessionOf(mixed, &session));
  EXPECT_EQ(3, session.lastTrack);
  EXPECT_EQ(60000, session.leadOut);
}

TEST(LookupTocTest, TheDevicesFiguresGetTheirLastFrameBack) {
  DiscInfo disc;
  disc.trackCount = 2;
  SetTrackLength(disc, 1, FramesToMsf(1000));
  SetTrackLength(disc, 2, FramesToMsf(499));  // one frame short, as reported
  disc.tracks[2].data = true;
  DiscToc toc;
  ASSERT_TRUE(TocFromDeviceFigures(disc, 150, &toc));
  EXPECT_EQ(0, toc.tracks[1].startLba);
  EXPECT_EQ(1000, toc.tracks[2].startLba);
  EXPECT_TRUE(toc.tracks[2].data);
  EXPECT_EQ(1500, toc.leadOutLba);
  // A length the device did not give leaves the lead-out unknown.
  disc.tracks[2].lengthKnown = false;
  EXPECT_FALSE(TocFromDeviceFigures(disc, 150, &toc));
}

TEST(LookupTocTest, TheDrivesAnswerIsTakenOnlyWhenWhole) {
  CDROM_TOC raw = {};
  raw.FirstTrack = 1;
  raw.LastTrack = 2;
  const BYTE entries[3][3] = {{0, 2, 0}, {3, 0, 0}, {5, 0, 10}};  // MSF
  for (int i = 0; i < 3; ++i) {
    raw.TrackData[i].TrackNumber = i == 2 ? 0xAA : static_cast<UCHAR>(i + 1);
    raw.TrackData[i].Control = i == 1 ? 4 : 0;
    memcpy(&raw.TrackData[i].Address[1], entries[i], 3);
  }
  const DWORD whole = 4 + 3 * sizeof(TRACK_DATA);
  DiscToc toc;
  ASSERT_TRUE(TocFromCdromToc(raw, whole, &toc));
  EXPECT_EQ(3 * 60 * 75 - 150, toc.tracks[2].startLba);
  EXPECT_TRUE(toc.tracks[2].data);
  EXPECT_EQ(5 * 60 * 75 + 10 - 150, toc.leadOutLba);
  // Cut short by the driver, or without its lead-out entry: no table.
  EXPECT_FALSE(TocFromCdromToc(raw, whole - 1, &toc));
  raw.TrackData[2].TrackNumber = 3;
  EXPECT_FALSE(TocFromCdromToc(raw, whole, &toc));
}

// Through the virtual drive, which reports the last track one frame short as
// the system's driver does: an id from the raw lengths would be off by it.
TEST(LookupTocTest, TheDriveGivesTheExactLeadOut) {
  DiscContents contents;
  contents.tracks = {"04:00:00", "03:00:10"};
  VirtualDisc drive{contents};
  MciCdDrive cd;
  ASSERT_EQ(DriveOpenResult::kOpened, cd.Open(0, nullptr, nullptr));
  DiscInfo disc;
  ASSERT_TRUE(cd.ReadDiscInfo(&disc));
  EXPECT_EQ(3 * 60 * 75 + 9, disc.tracks[2].lengthFrames);  // as the driver reports it
  DiscToc toc;
  ASSERT_TRUE(cd.ReadToc(&toc));
  EXPECT_EQ(7 * 60 * 75 + 10, toc.leadOutLba);
  EXPECT_EQ(4 * 60 * 75, toc.tracks[2].startLba);
  cd.Close();
}

}  // namespace
