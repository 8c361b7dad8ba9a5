// Saves of ZantoPlay.ini and CD.ini as a slow disk, a killed process, a
// read-only file or a missing folder meet them.
#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <string>
#include <thread>

#include "dialogs/dialog_script.h"
#include "resources/resource.h"
#include "settings_fixture.h"

namespace {

// What a reader sees of the file now: its bytes, or "(missing)".
std::string Snapshot(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "(missing)";
  std::string bytes;
  char chunk[65536];
  DWORD got = 0;
  while (ReadFile(file, chunk, sizeof(chunk), &got, nullptr) && got > 0) bytes.append(chunk, got);
  CloseHandle(file);
  return bytes;
}

std::string SaveFailedMessage(const std::string& path) {
  return ResourceText(IDS_SAVE_FAILED) + "\n" + path;
}

class AtomicSaveTest : public SettingsTest {
 protected:
  ~AtomicSaveTest() override { CancelScript(); }

  // Runs `save` and reports its failures as the player does; the texts of
  // the message boxes shown (at most one is answered, a second one would be
  // left for the next script to find).
  template <typename Save>
  std::string MessageDuring(Save save, Settings* saved = nullptr) {
    std::string text = "(no message)";
    ScheduleScript([&](HWND box) {
      char buffer[1024] = "";
      GetDlgItemTextA(box, 0xFFFF, buffer, sizeof(buffer));
      text = buffer;
      Press(box, IDOK);
    });
    save();
    (saved ? *saved : settings).ReportSaveFailure(nullptr);
    CancelScript();
    return text;
  }
};

// Catches: a save that rewrites the file in place, key by key, so that a
// reader - or a power cut - in the middle of it finds a truncated or
// half-updated file.
TEST_F(AtomicSaveTest, ReadersDuringASaveSeeTheOldFileOrTheNewOneNothingBetween) {
  std::string before = "[MainWindow]\r\nPositionX=10\r\nPositionY=20\r\n[Notes]\r\n";
  // Lines the program does not know make every rewrite of the file slow.
  for (int i = 0; i < 3000; ++i) before += "Line" + std::to_string(i) + "=kept as it was\r\n";
  ASSERT_TRUE(WriteFileBytes(IniFile(), before));
  settings.Load();
  settings.positionX = 300;

  std::atomic<bool> saving(true);
  std::set<std::string> seen;
  int reads = 0;
  std::thread reader([&] {
    while (saving) {
      seen.insert(Snapshot(IniFile()));
      ++reads;
      Sleep(1);  // an open file cannot be replaced: leave the save its moments
    }
  });
  settings.Save();
  saving = false;
  reader.join();

  std::string after = Snapshot(IniFile());
  EXPECT_GT(reads, 0);
  for (const std::string& s : seen) {
    EXPECT_TRUE(s == before || s == after) << "a reader saw " << s.size() << " bytes of a save in progress: "
                                           << s.substr(0, 120);
  }
  EXPECT_TRUE(HasLine(IniFile(), "PositionX=300"));
  EXPECT_TRUE(HasLine(IniFile(), "Line2999=kept as it was"));
  EXPECT_FALSE(FileExists(IniFile() + ".new")) << "the copy stays behind";
}

// Catches: comments and keys of other programs (or of a newer version) lost
// by a save, and a copy left by a save that was cut short being read at the
// next start or blocking the next save - read-only, as a kill under Wine as
// root leaves it, rewritten in place and renamed over the file, which then
// refuses every later save.
TEST_F(AtomicSaveTest, UnknownLinesSurviveAndAStaleCopyIsNeitherReadNorKept) {
  ASSERT_TRUE(WriteFileBytes(IniFile(), "; kept by hand\r\n[MainWindow]\r\nPositionX=7\r\nFutureKey=1\r\n"
                                        "[Other]\r\nMine=yes\r\n"));
  ASSERT_TRUE(WriteFileBytes(IniFile() + ".new", "[MainWindow]\r\nPositionX=999\r\n[Half"));
  ASSERT_TRUE(SetFileAttributesA((IniFile() + ".new").c_str(), FILE_ATTRIBUTE_READONLY));
  ASSERT_TRUE(WriteFileBytes(CdFile(), "[ABC]\r\n0=First\r\n1=Second\r\n[DEF]\r\n0=Other disc\r\n"));
  settings.Load();
  EXPECT_EQ(settings.positionX, 7) << "the stale copy was read";
  settings.chgResByCd = 1;
  settings.LoadCd(0xABC, 2);
  CopyText(settings.lastFile, "C:\\skins\\disc.rc");
  settings.Save();

  for (const char* line : {"; kept by hand", "FutureKey=1", "[Other]", "Mine=yes", "PositionX=7"}) {
    EXPECT_TRUE(HasLine(IniFile(), line)) << line;
  }
  EXPECT_EQ(ReadFileBytes(IniFile()).find("999"), std::string::npos);
  EXPECT_FALSE(FileExists(IniFile() + ".new"));
  EXPECT_FALSE(GetFileAttributesA(IniFile().c_str()) & FILE_ATTRIBUTE_READONLY) << "made read-only";
  for (const char* line : {"0=First", "1=Second", "ResourceFile=C:\\skins\\disc.rc", "0=Other disc"}) {
    EXPECT_TRUE(HasLine(CdFile(), line)) << line;
  }
}

// Catches: a save that cannot write being lost without a word, a message
// for every key or at every save, and a failed save that damages the file.
TEST_F(AtomicSaveTest, ASaveThatCannotWriteIsReportedOnceAndLeavesTheFileAsItWas) {
  const std::string kOld = "[MainWindow]\r\nPositionX=1\r\n";
  ASSERT_TRUE(WriteFileBytes(IniFile(), kOld));
  ASSERT_TRUE(SetFileAttributesA(IniFile().c_str(), FILE_ATTRIBUTE_READONLY));
  settings.positionX = 2;
  EXPECT_EQ(MessageDuring([&] { settings.Save(); }), SaveFailedMessage(IniFile())) << "read-only file";
  EXPECT_EQ(MessageDuring([&] { settings.Save(); }), "(no message)") << "reported a second time";
  EXPECT_EQ(ReadFileBytes(IniFile()), kOld);
  EXPECT_TRUE(GetFileAttributesA(IniFile().c_str()) & FILE_ATTRIBUTE_READONLY) << "read-only bit cleared";
  EXPECT_FALSE(FileExists(IniFile() + ".new"));

  // Written again once it can be; a later failure is news again.
  SetFileAttributesA(IniFile().c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(MessageDuring([&] { settings.Save(); }), "(no message)");
  EXPECT_TRUE(HasLine(IniFile(), "PositionX=2"));
  SetFileAttributesA(IniFile().c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(MessageDuring([&] { settings.Save(); }), SaveFailedMessage(IniFile()));
  SetFileAttributesA(IniFile().c_str(), FILE_ATTRIBUTE_NORMAL);

  // CD.ini is reported on its own.
  ASSERT_TRUE(WriteFileBytes(CdFile(), "[ABC]\r\n0=First\r\n"));
  SetFileAttributesA(CdFile().c_str(), FILE_ATTRIBUTE_READONLY);
  settings.chgResByCd = 1;
  settings.LoadCd(0xABC, 1);
  EXPECT_EQ(MessageDuring([&] { settings.ForgetCd(); }), SaveFailedMessage(CdFile()));
  EXPECT_EQ(ReadFileBytes(CdFile()), "[ABC]\r\n0=First\r\n");
  SetFileAttributesA(CdFile().c_str(), FILE_ATTRIBUTE_NORMAL);

  // A folder nothing can be written into (here: one that is gone).
  Settings nowhere;
  PointAtScratch(nowhere);
  AppendText(nowhere.iniFolder, "gone\\");
  EXPECT_EQ(MessageDuring([&] { nowhere.Save(); }, &nowhere), SaveFailedMessage(folder.File("gone\\ZantoPlay.ini")));
}

}  // namespace
