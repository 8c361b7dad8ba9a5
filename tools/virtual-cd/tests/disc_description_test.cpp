#include "disc_description.h"

#include <gtest/gtest.h>

namespace {

TEST(DiscDescription, ReadsEveryKeyAndSkipsWhatItDoesNotKnow) {
  DiscDescription disc = ParseDiscDescription(
      "# demo\r\n"
      "  Present = YES \r\n"
      "gapless = yes\n"
      "tray=open\n"
      "identity =  12345 \n"
      "colour = blue\n"
      "start = 00:00:00\n"
      "track = 04:12:30\n"
      "track = 4:60:00\n"     // seconds out of range
      "track = 00:03:75\n"    // frames out of range
      "track = 1:2\n"         // not MSF
      "track = 255:59:74\n"
      "track = 10:00:00 data   # the enhanced part\n"
      "track = 00:30:00 video\n"  // no such kind
      "track = 00:40:00 audio\n");
  EXPECT_TRUE(disc.present);
  EXPECT_TRUE(disc.gapless);
  EXPECT_TRUE(disc.trayOpen);
  EXPECT_EQ(disc.identity, "12345");
  EXPECT_EQ(disc.firstTrackStart, 0u);
  ASSERT_EQ(disc.trackFrames.size(), 4u);
  EXPECT_EQ(disc.trackFrames[0], (4u * 60 + 12) * 75 + 30);
  EXPECT_EQ(disc.trackFrames[1], (255u * 60 + 59) * 75 + 74);
  EXPECT_EQ(disc.trackFrames[2], 10u * 60 * 75) << "a comment after the value";
  EXPECT_EQ(disc.dataTracks, (std::vector<bool>{false, false, true, false}));
  EXPECT_TRUE(ParseDiscDescription("present = yes   # in the drive\n").present)
      << "the README's own example did not parse";
}

TEST(DiscDescription, EmptyTextIsAnEmptyDriveWithTheUsualLeadIn) {
  DiscDescription disc = ParseDiscDescription("");
  EXPECT_FALSE(disc.present);
  EXPECT_FALSE(disc.trayOpen);
  EXPECT_TRUE(disc.trackFrames.empty());
  EXPECT_EQ(disc.firstTrackStart, 150u);
}

TEST(DiscDescription, TrayStateIsRewrittenInPlaceOrAppended) {
  std::string text = "# keep me\npresent = yes\nTRAY = closed\ntrack = 00:01:00\ntray = closed\n";
  std::string opened = WithTrayState(text, true);
  EXPECT_EQ(opened, "# keep me\npresent = yes\ntray = open\ntrack = 00:01:00\n");
  EXPECT_TRUE(ParseDiscDescription(opened).trayOpen);
  EXPECT_EQ(WithTrayState("present = no", false), "present = no\ntray = closed\n");
}

}  // namespace
