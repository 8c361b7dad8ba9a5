// A disc image's identity against the virtual drive's for the same track
// table, read through MCI as the player reads a drive's: titles and skins in
// CD.ini must be shared between a disc and its image.
#include "cd/disc_identity.h"

#include <gtest/gtest.h>

#include "cd/cd_audio_device.h"
#include "cd/image_sector_source.h"
#include "support/disc_image.h"
#include "support/virtual_disc.h"

namespace {

struct IdentityCase {
  const char* name;
  std::string sheet;
  ImageFiles files;
  const char* driveStart;                // the same table as the virtual drive's start
  std::vector<std::string> driveTracks;  // and track lengths
  unsigned long identity;                // worked out by hand from the driver's rule
};

TEST(DiscIdentity, AnImageIsTheDiscTheDriveReports) {
  const IdentityCase cases[] = {
      // Starts 00:02:07 and 00:04:12: 0x207 + 0x40C, plus for so few tracks
      // track 1's frame digit 7 and the 255 frames from its start to the lead-out.
      {"two tracks, PREGAPs",
       "FILE a.bin BINARY\nTRACK 01 AUDIO\nPREGAP 00:00:07\nINDEX 01 00:00:00\nFILE b.bin BINARY\nTRACK 02 AUDIO\n"
       "PREGAP 00:00:05\nINDEX 01 00:00:00\n",
       {{"a.bin", TaggedSectors(1, 150)}, {"b.bin", TaggedSectors(2, 100)}}, "00:02:07", {"00:02:05", "00:01:25"},
       1817},
      // Starts 00:02:00, 00:02:30, 00:02:70, 00:03:45: 0x200 + 0x21E + 0x246 + 0x32D, nothing more.
      {"four tracks, the last data",
       "FILE a.bin BINARY\nTRACK 01 AUDIO\nINDEX 01 00:00:00\nTRACK 02 AUDIO\nINDEX 01 00:00:30\n"
       "TRACK 03 AUDIO\nINDEX 01 00:00:70\nFILE d.bin BINARY\nTRACK 04 MODE1/2048\nINDEX 01 00:00:00\n",
       {{"a.bin", TaggedSectors(1, 120)}, {"d.bin", DataSectors(20)}}, "", {"00:00:30", "00:00:40", "00:00:50", "00:00:20 data"},
       2449},
  };
  for (const IdentityCase& c : cases) {
    SCOPED_TRACE(c.name);
    ScratchFolder folder;
    ImageSectorSource image;
    ASSERT_EQ(image.Open(WriteDiscImage(folder.path(), c.sheet, c.files).c_str()).status, CueStatus::kOk);
    DiscToc toc;
    ASSERT_TRUE(image.ReadToc(&toc));
    EXPECT_EQ(DiscIdentity(toc), c.identity);

    DiscContents disc;
    disc.start = c.driveStart;
    disc.tracks = c.driveTracks;
    disc.identity = "";  // no identity line: the drive computes it
    VirtualDisc drive(disc);
    CdAudioDevice device;
    ASSERT_EQ(device.Open(), 0u) << "is the virtual drive registered as cdaudio? (scripts/wine-env.sh)";
    int reported = 0;
    ASSERT_EQ(device.GetMediaIdentity(reported), 0u);
    EXPECT_EQ(static_cast<unsigned long>(reported), DiscIdentity(toc));
  }
}

}  // namespace
