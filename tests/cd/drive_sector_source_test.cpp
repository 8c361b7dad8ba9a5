// A drive's raw face where no drive can read audio: every way in fails
// cleanly and at once, so the player falls back to MCI.
#include "cd/drive_sector_source.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

char FirstLetterOfType(UINT type) {
  for (char letter = 'C'; letter <= 'Z'; ++letter) {
    char root[] = {letter, ':', '\\', '\0'};
    if (GetDriveTypeA(root) == type) return letter;
  }
  return 0;
}

// Catches a table or a read taken from a device that answered nothing, a
// refused read counted as silence (the player would play it), and a retry
// loop that never ends.
TEST(DriveSectorSource, LettersThatAreNoAudioDriveFailCleanly) {
  char folderCd = FirstLetterOfType(DRIVE_CDROM);  // the test prefix maps D: to a folder
  char disk = FirstLetterOfType(DRIVE_FIXED);
  char none = FirstLetterOfType(DRIVE_NO_ROOT_DIR);
  ASSERT_NE(folderCd, 0) << "no CD-ROM letter: scripts/wine-env.sh maps one";
  std::vector<unsigned char> raw(kMaxSectorsPerDriveRead * 2 * kRawSectorBytes, 0xAA);
  for (char letter : {folderCd, disk, none}) {
    if (!letter) continue;
    SCOPED_TRACE(std::string(1, letter));
    DriveSectorSource drive;
    bool opened = drive.Open(letter);
    EXPECT_EQ(opened, letter != none);
    DiscToc toc;
    toc.firstTrack = 7;
    EXPECT_FALSE(drive.ReadToc(&toc));
    EXPECT_EQ(toc.firstTrack, 7);
    EXPECT_EQ(drive.ReadSectors(0, kMaxSectorsPerDriveRead * 2, raw.data()), 0);
    EXPECT_EQ(drive.UnreadableSectors(), 0);
    drive.SetQuiet(true);
    EXPECT_EQ(drive.ReadSectors(100, 1, raw.data()), 0);
  }
}

}  // namespace
