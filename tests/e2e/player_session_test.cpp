// One scripted session of the real program on the virtual drive, driven from
// outside: keys through its message loop, menu commands, its window title,
// the drive's command log and the INI files it writes.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "cd/msf.h"
#include "support/virtual_disc.h"
#include "program_driver.h"
#include "resources/resource.h"
#include "support/test_support.h"

namespace {

constexpr int kDiscIdentity = 0x1234;

void Command(HWND window, WORD id) { PostMessageA(window, WM_COMMAND, id, 0); }

class PlayerSession : public ::testing::Test {
 protected:
  PlayerSession() : program(folder.path()) {
    WriteSkin(folder, "ZantoPlay1", 70, 50);
    WriteSkin(folder, "other", 90, 60);
    WriteSkin(folder, "third", 110, 40);
    WriteFileBytes(folder.File("broken.rc"), "BackgroundImage gone.bmp\r\n");
  }

  // The PLAY commands the drive received since the last call.
  std::vector<std::string> Plays() {
    std::vector<std::string> plays;
    for (const std::string& line : drive.TakeLog()) {
      if (line.find("PLAY ") != std::string::npos) plays.push_back(line);
    }
    return plays;
  }
  bool WaitForPlayFrom(DWORD tmsf, DWORD milliseconds) {
    std::string from = Line("from=0x%08lX", tmsf);
    return WaitFor(milliseconds, [&] {
      for (const std::string& play : Plays()) {
        if (play.find(from) != std::string::npos) return true;
      }
      return false;
    });
  }

  ScratchFolder folder;
  ProgramDriver program;
  DiscContents disc = [] {
    DiscContents d;
    d.tracks.assign(12, "00:03:00");
    d.identity = std::to_string(kDiscIdentity);
    return d;
  }();
  VirtualDisc drive{disc};
};

TEST_F(PlayerSession, PlaysPausesStepsRepeatsSwitchesSkinsAndRemembersThem) {
  ASSERT_TRUE(WriteFileBytes(folder.File("CD.ini"), "[1234]\r\n0=First light\r\n1=Second\r\n"));
  ASSERT_TRUE(WriteFileBytes(folder.File("ZantoPlay.ini"), "[General]\r\nChgResByCD=1\r\n"));
  // The disc went in as the test began; the drive settles as real ones do.
  DWORD inserted = GetTickCount();
  drive.Write(disc);
  drive.SetSettling(kRealisticSettling);
  ASSERT_TRUE(program.Start());
  HWND window = program.WaitForWindow("LuloWnd", 15000);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(WaitForTitle(window, "[01] 00:00 First light - Zanto Player", 6000)) << WindowText(window);
  DWORD readable = kRealisticSettling.notReadyMs + kRealisticSettling.tocSettleMs;
  EXPECT_LE(GetTickCount() - inserted, readable + 1000) << "more than a second after it could be read";

  {
    SCOPED_TRACE("a second instance while the first holds the drive");
    ScratchFolder second;
    ProgramDriver other(second.path());
    WriteSkin(second, "ZantoPlay1", 70, 50);
    ASSERT_TRUE(other.Start());
    HWND box = other.WaitForWindow("#32770", 15000);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), ResourceText(IDS_CD_IN_USE));
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    DWORD exitCode = 1234;
    ASSERT_TRUE(other.WaitForExit(15000, &exitCode));
    EXPECT_EQ(exitCode, 0u);
  }

  {
    SCOPED_TRACE("play, pause, resume, stop");
    Plays();
    PostKey(window, 'X');
    ASSERT_TRUE(WaitForPlayFrom(MakeTmsf(1, 0, 0, 0), 5000));
    EXPECT_TRUE(WaitForTitle(window, "[01] 00:01 First light - Zanto Player", 2500)) << WindowText(window);
    PostKey(window, 'C');
    ASSERT_TRUE(WaitForCommand(drive, "STOP "));
    EXPECT_FALSE(WaitForTitle(window, "", 1500)) << "paused, the title blinked: screen readers read it";
    PostKey(window, 'C');
    // Resumed from where it stopped: a second or more into track 1.
    bool resumed = WaitFor(5000, [&] {
      for (const std::string& play : Plays()) {
        size_t at = play.find("from=0x");
        DWORD from = at == std::string::npos ? 0 : std::stoul(play.substr(at + 7, 8), nullptr, 16);
        if (TmsfTrack(from) == 1 && TmsfSeconds(from) >= 1) return true;
      }
      return false;
    });
    EXPECT_TRUE(resumed);
    PostKey(window, 'V');
    ASSERT_TRUE(WaitForCommand(drive, "STOP "));
    Plays();
    PostKey(window, 'X');
    EXPECT_TRUE(WaitForPlayFrom(MakeTmsf(1, 0, 0, 0), 5000)) << "play after stop starts afresh";
  }

  {
    SCOPED_TRACE("next and previous");
    PostKey(window, 'B');
    PostKey(window, 'B');
    ASSERT_TRUE(WaitForPlayFrom(MakeTmsf(3, 0, 0, 0), 5000));
    PostKey(window, 'Z');  // under two seconds in: the track before
    ASSERT_TRUE(WaitForPlayFrom(MakeTmsf(2, 0, 0, 0), 5000));
    EXPECT_TRUE(WaitForTitle(window, "[02] 00:01 Second - Zanto Player", 2500)) << WindowText(window);
    EXPECT_TRUE(WaitForTitle(window, "[02] 00:02 Second - Zanto Player", 2500)) << WindowText(window);
    PostKey(window, 'Z');  // two seconds in or more: the same track again
    EXPECT_TRUE(WaitForPlayFrom(MakeTmsf(2, 0, 0, 0), 5000));
    EXPECT_TRUE(WaitForTitle(window, "[02] 00:00 Second - Zanto Player", 1500)) << WindowText(window);
  }

  {
    SCOPED_TRACE("the end of the disc, with and without repeat");
    PostKey(window, 'N');  // repeat on
    Command(window, IDM_TRACK_BASE + 12);
    ASSERT_TRUE(WaitForPlayFrom(MakeTmsf(12, 0, 0, 0), 5000));
    EXPECT_TRUE(WaitForPlayFrom(MakeTmsf(1, 0, 0, 0), 5000)) << "repeat plays track 1 again";
    PostKey(window, 'N');  // repeat off
    Command(window, IDM_TRACK_BASE + 12);
    ASSERT_TRUE(WaitForPlayFrom(MakeTmsf(12, 0, 0, 0), 5000));
    EXPECT_TRUE(WaitForTitle(window, "[01] 00:00 First light - Zanto Player", 5000)) << WindowText(window);
    EXPECT_TRUE(Plays().empty()) << "without repeat the player stops on track 1";
  }

  {
    SCOPED_TRACE("the tray, and a disc that comes back with its own skin");
    Command(window, IDM_TRAY);
    EXPECT_TRUE(WaitForTitle(window, "Zanto Player", 1000)) << WindowText(window);
    EXPECT_EQ(IniValue(folder.File("CD.ini"), "1234", "ResourceFile"), folder.File("ZantoPlay1.rc"));
    WritePrivateProfileStringA("1234", "ResourceFile", folder.File("other.rc").c_str(),
                               folder.File("CD.ini").c_str());
    Command(window, IDM_TRAY);
    // Closing the tray settles the drive again before the disc can be read.
    EXPECT_TRUE(WaitFor(5500, [&] { return WindowSize(window).cx == 90; }));
    EXPECT_EQ(WindowSize(window).cy, 60);
  }

  {
    SCOPED_TRACE("choosing a skin in the open-file dialog");
    PostKey(window, 'R');
    HWND dialog = program.WaitForWindow("#32770", 5000);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(WindowText(dialog), ResourceText(IDS_OPEN_RESOURCE_TITLE));
    HWND name = GetDlgItem(dialog, 0x480);  // the file-name box
    if (!name) name = GetDlgItem(dialog, 0x47C);
    ASSERT_NE(name, nullptr);
    SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(folder.File("third.rc").c_str()));
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitFor(3000, [&] { return WindowSize(window).cx == 110; }));
  }

  {
    SCOPED_TRACE("a broken skin is refused and the working one stays");
    PostKey(window, 'R');
    HWND dialog = program.WaitForWindow("#32770", 5000);
    ASSERT_NE(dialog, nullptr);
    HWND name = GetDlgItem(dialog, 0x480);
    if (!name) name = GetDlgItem(dialog, 0x47C);
    ASSERT_NE(name, nullptr);
    SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(folder.File("broken.rc").c_str()));
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    HWND box = nullptr;
    ASSERT_TRUE(WaitFor(5000, [&] {
      box = program.WaitForWindow("#32770", 50);
      return box && MessageBoxText(box).find(ResourceText(IDS_IMAGE_FAILED)) == 0;
    }));
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntilGone(box, 3000));
    EXPECT_EQ(WindowSize(window).cx, 110);
    PostMessageA(window, WM_CLOSE, 0, 0);
    DWORD exitCode = 1234;
    ASSERT_TRUE(program.WaitForExit(10000, &exitCode));
    EXPECT_EQ(exitCode, 0u);
    EXPECT_EQ(IniValue(folder.File("ZantoPlay.ini"), "Resources", "LastFile"), folder.File("third.rc"));
  }
}

// PLAY commands from `from` among the drive's log lines.
int CountPlays(const std::vector<std::string>& lines, DWORD from) {
  int count = 0;
  for (const std::string& line : lines) {
    count += line.find("PLAY ") != std::string::npos && line.find(Line("from=0x%08lX", from)) != std::string::npos;
  }
  return count;
}

// Discs as real drives present them, on a drive that settles like one: a
// mixed-mode disc, an enhanced disc a changer swaps in without the mode ever
// changing, and a disc of no length with repeat on.
TEST_F(PlayerSession, DataTracksGaplessSwapsAndInstantEndsOnARealisticDrive) {
  ASSERT_TRUE(WriteFileBytes(folder.File("ZantoPlay.ini"), "[General]\r\nChgResByCD=1\r\nRepeat=1\r\n"));
  drive.SetSettling(kRealisticSettling);
  drive.Write(DiscOf({"10:00:00 data", "00:01:00", "00:01:00"}, 0x1234, false));
  ASSERT_TRUE(program.Start());
  HWND window = program.WaitForWindow("LuloWnd", 15000);
  ASSERT_NE(window, nullptr);

  {
    SCOPED_TRACE("a mixed-mode disc plays from track 2 and repeats from there");
    EXPECT_TRUE(WaitForTitle(window, "[02] 00:00 - Zanto Player", 6000)) << WindowText(window);
    Plays();
    PostKey(window, 'X');
    std::vector<std::string> plays;
    ASSERT_TRUE(WaitFor(3000, [&] {
      for (const std::string& play : Plays()) plays.push_back(play);
      return !plays.empty();
    }));
    // The driver gives the disc's last track a frame short.
    EXPECT_NE(plays[0].find(Line("from=0x%08lX to=0x%08lX", MakeTmsf(2, 0, 0, 0), MakeTmsf(3, 0, 0, 74))),
              std::string::npos) << plays[0];
    EXPECT_TRUE(WaitForPlayFrom(MakeTmsf(2, 0, 0, 0), 5000)) << "repeat restarts the first audio track";
    PostKey(window, 'V');
    ASSERT_TRUE(WaitForCommand(drive, "STOP "));
  }

  {
    SCOPED_TRACE("a changer swaps in an enhanced disc: no open, no not ready");
    drive.Write(DiscOf({"00:01:00", "00:01:00", "10:00:00 data"}, 0x5678, true));
    DWORD swapped = GetTickCount();
    ASSERT_TRUE(WaitFor(3000, [&] { return IniValue(folder.File("CD.ini"), "1234", "ResourceFile") != ""; }))
        << "the first disc's skin was not stored under it";
    EXPECT_TRUE(WaitForTitle(window, "[01] 00:00 - Zanto Player", 2000)) << WindowText(window);
    EXPECT_LE(GetTickCount() - swapped, 2000u) << "the swap took more than about a second to see";
    EXPECT_EQ(IniValue(folder.File("CD.ini"), "1234", "ResourceFile"), folder.File("ZantoPlay1.rc"));
    Plays();
    PostKey(window, 'X');
    ASSERT_TRUE(WaitForPlayFrom(MakeTmsf(1, 0, 0, 0), 3000));
    EXPECT_TRUE(WaitForPlayFrom(MakeTmsf(1, 0, 0, 0), 5000)) << "repeat did not start track 1 again after the last audio track";
    PostKey(window, 'V');
    ASSERT_TRUE(WaitForCommand(drive, "STOP "));
  }

  {
    SCOPED_TRACE("a disc of no length with repeat on");
    drive.Write(DiscOf({"00:00:00"}, 0x9abc, true));
    // The poll that stored the last disc's skin reads the new one before
    // the key below is handled.
    ASSERT_TRUE(WaitFor(3000, [&] { return IniValue(folder.File("CD.ini"), "5678", "ResourceFile") != ""; }));
    Plays();
    PostKey(window, 'X');
    // Each play ends at once: repeat restarts it, a second after the last began.
    std::vector<double> starts;
    auto collect = [&] {
      for (const LoggedCommand& command : drive.TakeTimedLog()) {
        if (CountPlays({command.text}, MakeTmsf(1, 0, 0, 0))) starts.push_back(command.seconds);
      }
    };
    EXPECT_TRUE(WaitFor(6000, [&] {
      collect();
      return starts.size() >= 3;
    })) << "repeat never restarted";
    for (size_t i = 1; i < starts.size(); ++i) {
      EXPECT_GE(starts[i] - starts[i - 1], 0.9) << "more than one PLAY a second";
    }
    PostKey(window, 'V');
    ASSERT_TRUE(program.WaitForPostedMessages(window));
    collect();
    ASSERT_FALSE(starts.empty());
    // A restart the stop left pending would come a second after the last play began.
    std::vector<std::string> later;
    ASSERT_TRUE(WaitForDriveClock(drive, starts.back() + 1.5, 5000, &later));
    EXPECT_EQ(CountPlays(later, MakeTmsf(1, 0, 0, 0)), 0) << "V did not stop the restarts";
  }
  PostMessageA(window, WM_CLOSE, 0, 0);
  DWORD exitCode = 1234;
  EXPECT_TRUE(program.WaitForExit(10000, &exitCode));
}

TEST_F(PlayerSession, TheWindowComesBackWhereItWasAfterACloseAndAnEndOfSession) {
  ASSERT_TRUE(program.Start());
  HWND window = program.WaitForWindow("LuloWnd", 15000);
  ASSERT_NE(window, nullptr);
  // Dragged by its body: pressed at (5, 5), moved by (+60, +35).
  RECT start = {};
  GetWindowRect(window, &start);
  PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PostMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(65, 40));
  PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(65, 40));
  ASSERT_TRUE(WaitFor(5000, [&] {
    RECT now = {};
    GetWindowRect(window, &now);
    return now.left == start.left + 60 && now.top == start.top + 35;
  }));
  PostMessageA(window, WM_CLOSE, 0, 0);
  DWORD exitCode = 1234;
  ASSERT_TRUE(program.WaitForExit(10000, &exitCode));

  ProgramDriver again(folder.path());
  ASSERT_TRUE(again.Start());
  window = again.WaitForWindow("LuloWnd", 15000);
  ASSERT_NE(window, nullptr);
  RECT restored = {};
  GetWindowRect(window, &restored);
  EXPECT_EQ(restored.left, start.left + 60);
  EXPECT_EQ(restored.top, start.top + 35);

  // Windows ends the session: the program is ended from outside right after
  // WM_ENDSESSION, so that is when everything must reach the disk.
  SetWindowPos(window, nullptr, 140, 90, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  PostKey(window, 'N');
  ASSERT_TRUE(again.WaitForPostedMessages(window));
  EXPECT_TRUE(SendMessageA(window, WM_QUERYENDSESSION, 0, 0));
  SendMessageA(window, WM_ENDSESSION, TRUE, 0);
  again.Kill();
  std::string ini = folder.File("ZantoPlay.ini");
  EXPECT_EQ(IniValue(ini, "MainWindow", "PositionX"), "140");
  EXPECT_EQ(IniValue(ini, "MainWindow", "PositionY"), "90");
  EXPECT_EQ(IniValue(ini, "General", "Repeat"), "1");
}

}  // namespace
