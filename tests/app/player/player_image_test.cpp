// Disc images in the player: opened, dropped, handed over and ejected, on
// the program's own playback, beside the virtual drive's MCI disc.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/application.h"
#include "app/disc_image_hand_over.h"
#include "cd/disc_identity.h"
#include "cd/image_sector_source.h"
#include "common/fixed_text.h"
#include "common/handles.h"
#include "dialogs/dialog_script.h"
#include "player_fixture.h"
#include "resources/resource.h"
#include "support/disc_image.h"

namespace {

// Two audio tracks of four seconds in one BIN, the first titled.
const char kSheet[] =
    "TITLE \"Album\"\r\nFILE \"disc.bin\" BINARY\r\n"
    "  TRACK 01 AUDIO\r\n    TITLE \"Dawn Song\"\r\n    INDEX 01 00:00:00\r\n"
    "  TRACK 02 AUDIO\r\n    INDEX 01 00:04:00\r\n";

std::string WriteImage(const ScratchFolder& folder) {
  return WriteDiscImage(folder.path(), kSheet, {{"disc.bin", TaggedSectors(1, 300) + TaggedSectors(2, 300)}});
}

// Closes the next message box this thread shows and keeps its text.
void AnswerNextBox(std::string* text) {
  ScheduleScript([text](HWND box) {
    *text = ItemText(box, 0xFFFF);
    Press(box, IDOK);
  });
}

LRESULT CopyData(HWND window, ULONG_PTR kind, const std::string& bytes) {
  COPYDATASTRUCT data = {kind, static_cast<DWORD>(bytes.size()), const_cast<char*>(bytes.data())};
  return SendMessageA(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
}

// Catches an image that does not play at once or plays through MCI, an
// identity not shared with the same disc in a drive, a broken image that
// disturbs what plays, an eject that does not return to the drive, a
// dropped or handed-over .cue taken for a skin or ignored, foreign
// WM_COPYDATA bytes read past their end, "no output" said twice, the
// sheet's titles not shown, written to CD.ini, or shown over CD.ini's own,
// and sectors lost to a file that shrank played on unsaid.
TEST_F(PlayerTest, DiscImagesPlayAtOnceBesideTheDriveAndEjectBackToIt) {
  Open(TracksOf(3));
  Poll();
  ASSERT_TRUE(DiscPresent());
  std::string sheet = WriteImage(folder);
  ImageSectorSource source;
  ASSERT_EQ(source.Open(sheet.c_str()).status, CueStatus::kOk);
  DiscToc toc;
  ASSERT_TRUE(source.ReadToc(&toc));

  std::string box;
  AnswerNextBox(&box);  // where the PC has no sound output
  ASSERT_TRUE(player->OpenDiscImage(sheet.c_str()));
  CancelScript();
  EXPECT_TRUE(box.empty() || box == ResourceText(IDS_NO_AUDIO_OUTPUT)) << box;
  EXPECT_TRUE(player->Drive().IsDigital());
  EXPECT_EQ(player->Disc().trackCount, 2);
  EXPECT_EQ(player->Disc().identity, static_cast<int>(DiscIdentity(toc)));
  EXPECT_EQ(player->View().state, PlayerState::kStarting);
  EXPECT_TRUE(Plays().empty()) << "the image was played through the MCI drive";
  EXPECT_STREQ(player->text, "1. Dawn Song");
  WaitFor(3000, [&] {
    Poll();
    return Title().rfind("[01] 00:01", 0) == 0;
  });
  EXPECT_EQ(Title().substr(0, 10), "[01] 00:01") << "the image's clock does not run";

  // A broken sheet says where, and what plays goes on.
  ASSERT_TRUE(WriteFileBytes(folder.File("bad.cue"), "FILE \"disc.bin\" BINARY\r\n  TRACK 01 AUDIO\r\n  INDEX\r\n"));
  std::string message;
  AnswerNextBox(&message);
  EXPECT_FALSE(player->OpenDiscImage(folder.File("bad.cue").c_str()));
  char expected[256];
  FormatText(expected, sizeof(expected), ResourceText(IDS_DISC_IMAGE_BAD_LINE).c_str(), 3);
  EXPECT_EQ(message, expected);
  EXPECT_EQ(player->Disc().trackCount, 2);
  EXPECT_EQ(player->View().state, PlayerState::kPlaying);

  // Eject takes the image out: the drive's own disc is back.
  Command(IDM_TRAY);
  EXPECT_FALSE(player->Drive().IsDigital());
  Poll();
  EXPECT_EQ(player->Disc().trackCount, 3);

  // Dropped, a .cue plays; foreign bytes in WM_COPYDATA are refused whole.
  EXPECT_EQ(ReadFileBytes(folder.File("CD.ini")), "") << "the sheet's titles were saved";
  char titles[64];
  FormatText(titles, sizeof(titles), "[%X]\r\n0=Mine\r\n", static_cast<unsigned int>(DiscIdentity(toc)));
  ASSERT_TRUE(WriteFileBytes(folder.File("CD.ini"), titles));
  SendMessageA(player->hwnd, WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf(sheet)), 0);
  EXPECT_EQ(player->Disc().trackCount, 2);
  EXPECT_STREQ(player->text, "1. Mine");
  Command(IDM_TRAY);
  std::string unterminated = sheet;  // no NUL within its length
  EXPECT_EQ(CopyData(player->hwnd, kOpenDiscImageCopy, unterminated), FALSE);
  EXPECT_EQ(CopyData(player->hwnd, 1, sheet + '\0'), FALSE);
  EXPECT_EQ(CopyData(player->hwnd, kOpenDiscImageCopy, sheet + '\0'), TRUE);
  PumpMessages(50);
  EXPECT_EQ(player->Disc().trackCount, 2) << "the handed-over image was not opened";
  EXPECT_TRUE(player->Drive().IsDigital());

  // Its file shrinks under the play (a stick pulled out): what can no longer
  // be read is heard as silence, and the text window says so.
  unique_hfile bin(CreateFileA(folder.File("disc.bin").c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(bin && SetFilePointer(bin.get(), kRawSectorBytes, nullptr, FILE_BEGIN) == kRawSectorBytes &&
              SetEndOfFile(bin.get()));
  FormatText(expected, sizeof(expected), ("1. Mine" + ResourceText(IDS_TEXT_UNREADABLE)).c_str(), 0);
  const std::string lost(expected, strlen(expected) - 2);  // its count to come
  EXPECT_TRUE(WaitFor(5000, [&] {
    Poll();
    return std::string(player->text).rfind(lost, 0) == 0 && player->text[lost.size()] > '0';
  })) << player->text;
}

// Catches a command-line file taken when it is no image, a quoted path cut
// at its spaces, an unquoted one cut at its first, and a relative path left
// relative for a player in another folder.
TEST(DiscImageArgument, TakesOneCueSheetPathQuotedOrNot) {
  char cwd[MAX_PATH];
  GetCurrentDirectoryA(sizeof(cwd), cwd);
  const std::string here = std::string(cwd) + (cwd[strlen(cwd) - 1] == '\\' ? "" : "\\");
  const struct {
    const char* arguments;
    std::string path;  // "" for none
  } cases[] = {
      {"\"C:\\My Discs\\a b.cue\"", "C:\\My Discs\\a b.cue"},
      {"  C:\\My Discs\\a b.CUE  ", "C:\\My Discs\\a b.CUE"},
      {"\"C:\\Open\\quote.cue", "C:\\Open\\quote.cue"},
      {"disc.cue", here + "disc.cue"},
      {"C:\\skins\\skin.rc", ""},
      {"\"C:\\x.cue\" more", "C:\\x.cue"},
      {"", ""},
      {"   ", ""},
      {nullptr, ""},
  };
  for (const auto& c : cases) {
    char out[MAX_PATH] = "unchanged";
    EXPECT_EQ(DiscImageArgument(c.arguments, out, sizeof(out)), !c.path.empty()) << (c.arguments ? c.arguments : "(null)");
    EXPECT_EQ(std::string(out), c.path);
  }
  std::string tooLong = std::string(300, 'a') + ".cue";
  char out[MAX_PATH];
  EXPECT_FALSE(DiscImageArgument(tooLong.c_str(), out, sizeof(out)));
  EXPECT_STREQ(out, "");
}

}  // namespace
