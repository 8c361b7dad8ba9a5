// A disc's titles written into its CD.ini section by the title editor's OK,
// and filled from the disc's CD-Text.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "cd/cd_text.h"
#include "dialogs/dialog_script.h"
#include "settings/disc_titles.h"
#include "settings_fixture.h"

namespace {

class CdTitlesTest : public SettingsTest {
 protected:
  ~CdTitlesTest() override { CancelScript(); }
  std::string Title(int track) {
    char buffer[300] = "";
    settings.GetTrackTitle(track, buffer, sizeof(buffer));
    return buffer;
  }
  std::unique_ptr<DiscTitles> titles{new DiscTitles()};
};

// Catches: Title or Artist read as a track title, a key off by one, data
// tracks skipped, titles shown only after the disc is read again, and a save
// that rewrites the section and loses ResourceFile, foreign keys or other discs.
TEST_F(CdTitlesTest, OkWritesTitleArtistAndOneKeyPerTrackLeavingTheRestOfTheFile) {
  ASSERT_TRUE(WriteFileBytes(CdFile(), "[ABC]\r\nResourceFile=C:\\a.rc\r\nTitle=Album\r\n"
                                       "Artist=Band\r\n0=Old one\r\n2=Old three\r\nComment=x\r\n"
                                       "[FF]\r\n0=Other\r\n"));
  settings.LoadCd(0xABC, 3);
  EXPECT_EQ(Title(2), "") << "Title and Artist are no track's title";
  settings.GetCdTitles(titles.get());
  EXPECT_STREQ(titles->tracks[2], "Old three");
  titles->artist[0] = '\0';  // emptied: the key goes
  CopyText(titles->tracks[0], "One");
  CopyText(titles->tracks[1], "Two (data)");
  titles->tracks[2][0] = '\0';
  ASSERT_TRUE(settings.SaveCdTitles(*titles));

  EXPECT_EQ(ReadFileBytes(CdFile()), "[ABC]\r\nResourceFile=C:\\a.rc\r\nTitle=Album\r\n0=One\r\n"
                                     "Comment=x\r\n1=Two (data)\r\n[FF]\r\n0=Other\r\n");
  EXPECT_EQ(Title(1), "One");
  EXPECT_EQ(Title(2), "Two (data)");
  EXPECT_EQ(Title(3), "");
}

// Catches: a failed save of the editor swallowed by the once-only report of
// an earlier CD.ini failure, and titles shown that were never written.
TEST_F(CdTitlesTest, AFailedSaveIsAlwaysReportedAndShowsNothing) {
  ASSERT_TRUE(WriteFileBytes(CdFile(), "[ABC]\r\n0=Old\r\n"));
  ASSERT_TRUE(SetFileAttributesA(CdFile().c_str(), FILE_ATTRIBUTE_READONLY));
  settings.LoadCd(0xABC, 1);
  settings.cdFailureShown = true;  // an earlier save of CD.ini failed already
  settings.GetCdTitles(titles.get());
  CopyText(titles->tracks[0], "New");
  bool boxShown = false;
  ScheduleScript([&](HWND box) {
    boxShown = true;
    Press(box, IDOK);
  });
  EXPECT_FALSE(settings.SaveCdTitles(*titles));
  settings.ReportSaveFailure(nullptr);
  SetFileAttributesA(CdFile().c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_TRUE(boxShown) << "the user pressed OK and was told nothing";
  EXPECT_EQ(ReadFileBytes(CdFile()), "[ABC]\r\n0=Old\r\n");
  EXPECT_EQ(Title(1), "Old");
}

// Catches: CD-Text overwriting titles already there, the album's fields
// mixed up with track 1's, and CD-Text tracks the disc does not have.
TEST_F(CdTitlesTest, CdTextFillsOnlyTheEmptyFieldsOfTheDiscsTracks) {
  std::unique_ptr<CdText> text(new CdText());
  CopyText(text->item[0].title, "Album");
  CopyText(text->item[0].performer, "Band");
  CopyText(text->item[1].title, "Text one");
  CopyText(text->item[2].title, "Text two");
  CopyText(text->item[3].title, "Not on the disc");
  titles->trackCount = 2;
  CopyText(titles->tracks[1], "Typed two");
  FillFromCdText(*text, titles.get());
  EXPECT_STREQ(titles->title, "Album");
  EXPECT_STREQ(titles->artist, "Band");
  EXPECT_STREQ(titles->tracks[0], "Text one");
  EXPECT_STREQ(titles->tracks[1], "Typed two");
  EXPECT_STREQ(titles->tracks[2], "");
}

}  // namespace
