// The virtual drive's sector face end to end: a disc description rendered,
// its kernel-mode driver loaded by Wine's device host, and the player's own
// drive source reading it through the device stack.
#include <windows.h>
#include <mmsystem.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "cd/drive_sector_source.h"
#include "cd/image_sector_source.h"
#include "face_file.h"
#include "face_service.h"
#include "support/disc_image.h"
#include "support/test_support.h"
#include "support/tone_source.h"
#include "support/virtual_disc.h"

namespace {

constexpr char kServiceName[] = "ZantoCdTest";

// The face installed for the test's life, removed even when it fails.
class InstalledFace {
 public:
  explicit InstalledFace(const std::string& discFile) {
    std::string problem;
    auto audio = OpenDescribedAudio(discFile, &problem);
    installed_ = audio && WriteFaceFile(*audio, discFile + ".face", &problem) &&
                 InstallFace(kServiceName, BinaryPath("tools/virtual-cd/sector_face/zanto_cd.sys"),
                             discFile + ".face", &problem);
    problem_ = problem;
  }
  ~InstalledFace() { RemoveFace(kServiceName); }
  bool installed() const { return installed_; }
  const std::string& problem() const { return problem_; }

 private:
  bool installed_ = false;
  std::string problem_;
};

struct FaceCase {
  const char* name;
  const char* description;  // the disc file's lines
  bool image;               // the disc is image.cue (below); else tones as the track lines say
};

// A pregap before track 1, a boundary with no gap, a pre-emphasised track and
// a data track last: every flag and address form the table carries.
const char kSheet[] =
    "FILE a.bin BINARY\nTRACK 01 AUDIO\nINDEX 00 00:00:00\nINDEX 01 00:00:20\n"
    "TRACK 02 AUDIO\nFLAGS PRE\nINDEX 01 00:01:10\n"
    "FILE d.bin BINARY\nTRACK 03 MODE1/2048\nINDEX 01 00:00:00\n";

// Catches a table in the wrong form (MSF misread, lead-out or flags lost, a
// later start ignored), a read at the wrong DiskOffset or out of order, a
// piece of the 27-sector reads dropped, a driver that did not load (which
// fails the test, never skips it: the device host is part of Wine), and an
// MCI face that describes another disc than the sector face.
TEST(SectorFace, DriveSourceReadsTheFaceByteIdenticalToItsDisc) {
  const FaceCase cases[] = {
      {"an image", "present = yes\nimage = image.cue\n", true},
      {"tones", "present = yes\nstart = 00:02:30\ntrack = 00:01:50\ntrack = 00:00:52\ntrack = 00:01:00 data\n",
       false},
  };
  for (const FaceCase& c : cases) {
    SCOPED_TRACE(c.name);
    ScratchFolder folder;
    std::unique_ptr<SectorSource> expected;
    if (c.image) {
      std::string cue = WriteDiscImage(folder.path(), kSheet,
                                       {{"a.bin", TaggedSectors(1, 160)}, {"d.bin", DataSectors(30)}});
      auto image = std::make_unique<ImageSectorSource>();
      ASSERT_EQ(image->Open(cue.c_str()).status, CueStatus::kOk);
      expected = std::move(image);
    } else {
      expected = std::make_unique<ToneSectorSource>(std::vector<ToneTrack>{{125}, {52}, {75, true}}, 30);
    }
    std::string discFile = folder.File("disc.txt");
    ASSERT_TRUE(WriteFileBytes(discFile, c.description));
    InstalledFace face(discFile);
    ASSERT_TRUE(face.installed()) << face.problem();

    DriveSectorSource drive;
    ASSERT_TRUE(drive.OpenDevice("\\\\.\\ZantoCdTest"));
    DiscToc want, got;
    ASSERT_TRUE(expected->ReadToc(&want));
    ASSERT_TRUE(drive.ReadToc(&got));
    ASSERT_EQ(got.lastTrack, 3);
    EXPECT_EQ(got.firstTrack, 1);
    EXPECT_EQ(got.leadOutLba, want.leadOutLba);
    for (int t = 1; t <= 3; ++t) {
      EXPECT_EQ(got.tracks[t].startLba, want.tracks[t].startLba) << t;
      EXPECT_EQ(got.tracks[t].data, want.tracks[t].data) << t;
      EXPECT_EQ(got.tracks[t].preEmphasis, want.tracks[t].preEmphasis) << t;
    }

    // Every audio sector, in reads longer than one drive transfer.
    int audioEnd = want.tracks[3].startLba;
    constexpr int kRead = 40;
    std::vector<unsigned char> read(kRead * kRawSectorBytes), truth(kRead * kRawSectorBytes);
    int differing = 0;
    for (int lba = 0; lba < audioEnd; lba += kRead) {
      int count = audioEnd - lba < kRead ? audioEnd - lba : kRead;
      ASSERT_EQ(drive.ReadSectors(lba, count, read.data()), count) << lba;
      ASSERT_EQ(expected->ReadSectors(lba, count, truth.data()), count) << lba;
      differing += std::memcmp(read.data(), truth.data(), static_cast<size_t>(count) * kRawSectorBytes) != 0;
    }
    EXPECT_EQ(differing, 0);
    EXPECT_EQ(drive.UnreadableSectors(), 0);

    // The drive's MCI face describes the same disc (no ASSERT until the
    // variable is gone again: the other tests here use the drive too).
    SetEnvironmentVariableA("ZANTO_VIRTUAL_CD_DISC", discFile.c_str());
    char answer[64] = {};
    bool opened = mciSendStringA("open cdaudio alias face wait", nullptr, 0, nullptr) == 0;
    EXPECT_TRUE(opened);
    mciSendStringA("set face time format msf wait", nullptr, 0, nullptr);
    for (int t = 1; opened && t <= 3; ++t) {
      int frames = want.tracks[t].startLba + kLeadInFrames;
      mciSendStringA(Line("status face position track %d wait", t).c_str(), answer, sizeof(answer), nullptr);
      // The driver answers MSF packed as MCI_MAKE_MSF does.
      EXPECT_EQ(std::string(answer), std::to_string(MCI_MAKE_MSF(frames / 4500, frames / 75 % 60, frames % 75))) << t;
    }
    mciSendStringA("status face number of tracks wait", answer, sizeof(answer), nullptr);
    if (opened) {
      EXPECT_STREQ(answer, "3");
    }
    mciSendStringA("close face wait", nullptr, 0, nullptr);
    SetEnvironmentVariableA("ZANTO_VIRTUAL_CD_DISC", nullptr);
  }
}

}  // namespace
