// A disc's titles written into its CD.ini section by the title editor's OK,
// read back, and filled from the disc's CD-Text.
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
  // The titles of the known disc, on the heap as the player keeps them.
  std::unique_ptr<DiscTitles> Known() {
    std::unique_ptr<DiscTitles> titles(new DiscTitles());
    settings.GetCdTitles(titles.get());
    return titles;
  }
};

// Catches: Title or Artist read as a track title (or a track key read as
// them), a key off by one, data tracks skipped, and a save that rewrites the
// section and loses ResourceFile, foreign keys or other discs.
TEST_F(CdTitlesTest, OkWritesTitleArtistAndOneKeyPerTrackLeavingTheRestOfTheFile) {
  ASSERT_TRUE(WriteFileBytes(CdFile(), "; kept\r\n[ABC]\r\nResourceFile=C:\\a.rc\r\nTitle=Old album\r\n"
                                       "Artist=Old band\r\n0=Old one\r\n2=Old three\r\n"
                                       "Comment=someone else's\r\n[FF]\r\n0=Other disc\r\n"));
  settings.LoadCd(0xABC, 3);
  EXPECT_STREQ(settings.cdTitle, "Old album");
  EXPECT_STREQ(settings.cdArtist, "Old band");
  EXPECT_EQ(Title(1), "Old one");
  EXPECT_EQ(Title(2), "") << "Title and Artist are no track's title";
  EXPECT_EQ(Title(3), "Old three");

  std::unique_ptr<DiscTitles> titles = Known();
  EXPECT_EQ(titles->identity, 0xABC);
  ASSERT_EQ(titles->trackCount, 3);
  EXPECT_STREQ(titles->tracks[2], "Old three");
  CopyText(titles->title, "\x8d\x60\x82\xcc\x92\xa9");  // "港の朝", code page 932
  titles->artist[0] = '\0';                              // emptied: the key goes
  CopyText(titles->tracks[0], "One");
  CopyText(titles->tracks[1], "Two (data)");
  titles->tracks[2][0] = '\0';
  ASSERT_TRUE(settings.SaveCdTitles(*titles));

  EXPECT_EQ(ReadFileBytes(CdFile()),
            "; kept\r\n[ABC]\r\nResourceFile=C:\\a.rc\r\nTitle=\x8d\x60\x82\xcc\x92\xa9\r\n0=One\r\n"
            "Comment=someone else's\r\n1=Two (data)\r\n[FF]\r\n0=Other disc\r\n");
  EXPECT_EQ(Title(1), "One") << "shown at once, without reading the disc again";
  EXPECT_EQ(Title(2), "Two (data)");
  EXPECT_EQ(Title(3), "");
  EXPECT_STREQ(settings.cdArtist, "");

  Settings reread;
  PointAtScratch(reread);
  reread.LoadCd(0xABC, 3);
  EXPECT_STREQ(reread.cdTitle, "\x8d\x60\x82\xcc\x92\xa9");
  char two[64] = "";
  reread.GetTrackTitle(2, two, sizeof(two));
  EXPECT_STREQ(two, "Two (data)");
}

// Catches: OK that writes under whatever disc is in the drive now, and
// titles of the editor's disc shown for the one that replaced it.
TEST_F(CdTitlesTest, TitlesGoUnderTheDiscTheEditorWasOpenedForAfterItLeft) {
  ASSERT_TRUE(WriteFileBytes(CdFile(), "[BEEF]\r\n0=Second disc\r\n"));
  settings.LoadCd(0xABC, 2);
  std::unique_ptr<DiscTitles> opened = Known();
  settings.ForgetCd();
  settings.LoadCd(0xBEEF, 2);  // another disc went in meanwhile
  CopyText(opened->tracks[1], "Mine");
  ASSERT_TRUE(settings.SaveCdTitles(*opened));

  EXPECT_TRUE(HasLine(CdFile(), "[ABC]"));
  EXPECT_TRUE(HasLine(CdFile(), "1=Mine"));
  EXPECT_EQ(Title(1), "Second disc");
  EXPECT_EQ(Title(2), "") << "the other disc's titles shown for this one";
  settings.ForgetCd();
  settings.LoadCd(0xABC, 2);
  EXPECT_EQ(Title(2), "Mine");
}

// Catches: a failed save of the editor swallowed by the once-only report of
// an earlier CD.ini failure, and titles shown that were never written.
TEST_F(CdTitlesTest, AFailedSaveIsAlwaysReportedAndShowsNothing) {
  const std::string kOld = "[ABC]\r\n0=Old\r\n";
  ASSERT_TRUE(WriteFileBytes(CdFile(), kOld));
  ASSERT_TRUE(SetFileAttributesA(CdFile().c_str(), FILE_ATTRIBUTE_READONLY));
  settings.LoadCd(0xABC, 1);
  settings.cdFailureShown = true;  // an earlier save of CD.ini failed already
  std::unique_ptr<DiscTitles> titles = Known();
  CopyText(titles->tracks[0], "New");
  bool boxShown = false;
  ScheduleScript([&](HWND box) {
    boxShown = true;
    Press(box, IDOK);
  });
  EXPECT_FALSE(settings.SaveCdTitles(*titles));
  CancelScript();
  SetFileAttributesA(CdFile().c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_TRUE(boxShown) << "the user pressed OK and was told nothing";
  EXPECT_EQ(ReadFileBytes(CdFile()), kOld);
  EXPECT_EQ(Title(1), "Old");
}

// Catches: CD-Text overwriting titles already there, the album's fields
// mixed up with track 1's, and CD-Text tracks the disc does not have.
TEST(DiscTitlesFromCdText, FillOnlyTheEmptyFieldsOfTheDiscsTracks) {
  std::unique_ptr<CdText> text(new CdText());
  CopyText(text->item[0].title, "Album");
  CopyText(text->item[0].performer, "Band");
  CopyText(text->item[1].title, "Text one");
  CopyText(text->item[1].performer, "Singer");
  CopyText(text->item[2].title, "Text two");
  CopyText(text->item[3].title, "Not on the disc");
  std::unique_ptr<DiscTitles> titles(new DiscTitles());
  titles->trackCount = 2;
  EXPECT_FALSE(HasAnyTitle(*titles));
  CopyText(titles->tracks[1], "Typed two");
  EXPECT_TRUE(HasAnyTitle(*titles));

  FillFromCdText(*text, titles.get());
  EXPECT_STREQ(titles->title, "Album");
  EXPECT_STREQ(titles->artist, "Band");
  EXPECT_STREQ(titles->tracks[0], "Text one");
  EXPECT_STREQ(titles->tracks[1], "Typed two");
  EXPECT_STREQ(titles->tracks[2], "");
}

}  // namespace
