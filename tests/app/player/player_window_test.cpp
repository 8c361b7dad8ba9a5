// The player window in-process on the virtual drive: the poll and the
// displays, the playback commands, the context menu and skin changes.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "app/application.h"
#include "cd/msf.h"
#include "common/fixed_text.h"
#include "app/player/player_fixture.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "skin/plugin_list.h"
#include "support/test_support.h"

namespace {

using Lines = std::vector<std::string>;

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

LONG WindowCornerLeft(HWND hwnd) {
  RECT rect = {};
  GetWindowRect(hwnd, &rect);
  return rect.left;
}

void WriteCdIni(const std::string& path, const std::string& body) {
  ASSERT_TRUE(WriteFileBytes(path, "[1234]\r\n" + body));
}

TEST_F(PlayerTest, ThePollFindsTheDiscAndFillsTitleTextAndSeekBar) {
  WriteCdIni(folder.File("CD.ini"), "0=Morning\r\n");
  Open(TracksOf(3));
  EXPECT_EQ(Title(), "Zanto Player") << "before the first poll";
  for (int i = 0; i < 4; ++i) Tick(kPollTimer);
  EXPECT_FALSE(DiscPresent()) << "the disc is polled every fifth tick";
  Tick(kPollTimer);
  EXPECT_TRUE(DiscPresent());
  EXPECT_EQ(player->Disc().trackCount, 3);
  EXPECT_EQ(Title(), "[01] 00:00 Morning - Zanto Player") << "the track's title in the title";
  EXPECT_STREQ(player->text, "1. Morning");
  EXPECT_EQ(player->seekPosition, -1);

  Command(IDM_NEXT);  // stopped: selects without playing
  EXPECT_EQ(Title(), "[02] 00:00 - Zanto Player");
  EXPECT_STREQ(player->text, "Track 2") << "no title in CD.ini";
  EXPECT_TRUE(Plays().empty());

  // The tray opens: the disc is gone at the next poll and, with per-disc
  // skins on, the current skin is remembered for it.
  appSettings->chgResByCd = 1;
  DiscContents open = TracksOf(3);
  open.trayOpen = true;
  drive->Write(open);
  Poll();
  EXPECT_FALSE(DiscPresent());
  EXPECT_EQ(Title(), "Zanto Player");
  char said[64] = "";
  LoadText(appInstance, IDS_TEXT_TRAY_OPEN, said);
  EXPECT_STREQ(player->text, said) << "the text window went blank";
  EXPECT_EQ(player->timeFirst, -1);
  char remembered[MAX_PATH] = "";
  GetPrivateProfileStringA("1234", "ResourceFile", "", remembered, sizeof(remembered),
                           folder.File("CD.ini").c_str());
  EXPECT_STREQ(remembered, appSettings->lastFile);
}

TEST_F(PlayerTest, ADiscIsTakenOnlyOnceItsTracksCanBeRead) {
  // A real drive: not ready, then stopped while its contents cannot be read.
  Open(TracksOf(3), 1.0, kRealisticSettling);
  DWORD start = GetTickCount();
  bool sawUnreadable = false;
  char noDisc[64] = "";
  LoadText(appInstance, IDS_TEXT_NO_DISC, noDisc);
  for (int polls = 0; !DiscPresent() && GetTickCount() - start < 6000; ++polls) {
    EXPECT_EQ(Title(), "Zanto Player");
    EXPECT_TRUE(polls == 0 || strcmp(player->text, noDisc) == 0) << "no disc, and the text window blank";
    sawUnreadable = sawUnreadable || Mode() == MCI_MODE_STOP;
    Sleep(400);
    Poll();
  }
  EXPECT_TRUE(sawUnreadable) << "the drive never showed its unreadable phase";
  ASSERT_TRUE(DiscPresent());
  EXPECT_EQ(player->Disc().trackCount, 3) << "a disc taken before its tracks could be read";
  EXPECT_EQ(Title(), "[01] 00:00 - Zanto Player");
  EXPECT_STREQ(player->text, "Track 1");
}

TEST_F(PlayerTest, PlaybackCommandsFollowTheStateMachine) {
  // The position barely moves during the test; a stopped drive reports a
  // position off where it stopped, as real ones do.
  DriveSettling drift;
  drift.stopDriftFrames = kRealisticSettling.stopDriftFrames;
  Open(TracksOf(3), 0.01, drift);
  Poll();
  Command(IDM_PLAY);
  EXPECT_EQ(Mode(), static_cast<DWORD>(MCI_MODE_PLAY));
  Lines plays = Plays();
  ASSERT_EQ(plays.size(), 1u);
  EXPECT_TRUE(Contains(plays[0], PlayFrom(1, 0, 0, 0)));
  Command(IDM_PLAY);
  EXPECT_TRUE(Plays().empty()) << "play while playing does nothing";

  // Pause stops and remembers; pause again and play both resume there.
  player->PlayTrackAt(1, 1, 30, 0);
  Command(IDM_PAUSE);
  EXPECT_EQ(player->View().state, PlayerState::kPaused);
  EXPECT_EQ(Mode(), static_cast<DWORD>(MCI_MODE_STOP));
  EXPECT_EQ(TmsfTrack(player->View().pausePosition), 1);
  EXPECT_EQ(TmsfMinutes(player->View().pausePosition), 1);
  EXPECT_EQ(TmsfSeconds(player->View().pausePosition), 30);
  EXPECT_EQ(TmsfFrames(player->View().pausePosition), 0) << "taken from the drifted position after the stop";
  Plays();
  DWORD remembered = player->View().pausePosition;
  Command(IDM_PAUSE);
  plays = Plays();
  ASSERT_EQ(plays.size(), 1u);
  EXPECT_TRUE(Contains(plays[0], Line("from=0x%08lX", remembered)));
  Command(IDM_PAUSE);
  Command(IDM_PLAY);
  plays = Plays();
  ASSERT_EQ(plays.size(), 1u);
  EXPECT_TRUE(Contains(plays[0], Line("from=0x%08lX", remembered)));

  // Stop forgets the pause: the next play starts the track afresh.
  Command(IDM_PAUSE);
  Command(IDM_STOP);
  EXPECT_NE(player->View().state, PlayerState::kPaused);
  Command(IDM_PLAY);
  plays = Plays();
  ASSERT_EQ(plays.size(), 1u);
  EXPECT_TRUE(Contains(plays[0], PlayFrom(1, 0, 0, 0)));

  // Previous: 0:01.74 into track 1 goes to the last track, 0:02 restarts it.
  player->PlayTrackAt(1, 0, 1, 74);
  Plays();
  Command(IDM_PREVIOUS);
  EXPECT_EQ(player->View().currentTrack, 3);
  plays = Plays();
  ASSERT_EQ(plays.size(), 1u);
  EXPECT_TRUE(Contains(plays[0], PlayFrom(3, 0, 0, 0)));
  player->PlayTrackAt(1, 0, 2, 0);
  Plays();
  Command(IDM_PREVIOUS);
  EXPECT_EQ(player->View().currentTrack, 1);
  plays = Plays();
  ASSERT_EQ(plays.size(), 1u);
  EXPECT_TRUE(Contains(plays[0], PlayFrom(1, 0, 0, 0)));

  // Next on the last track: track 1, played only when the drive played.
  player->PlayTrackAt(3, 0, 0, 0);
  Plays();
  Command(IDM_NEXT);
  EXPECT_EQ(player->View().currentTrack, 1);
  EXPECT_EQ(Plays().size(), 1u);
  Command(IDM_STOP);
  Command(IDM_PREVIOUS);  // stopped: back to track 3, nothing played
  EXPECT_EQ(player->View().currentTrack, 3);
  Command(IDM_NEXT);
  EXPECT_EQ(player->View().currentTrack, 1);
  EXPECT_TRUE(Plays().empty());

  // Seeking from a stop plays from (p + 1)/256 of the selected track.
  Command(IDM_NEXT);  // stopped: on to track 2, nothing played
  Plays();
  player->OnSeekRegion(127);
  plays = Plays();
  ASSERT_EQ(plays.size(), 1u);
  int half = MsfToFrames(MakeMsf(4, 12, 30)) / 2;
  EXPECT_TRUE(Contains(plays[0], PlayFrom(2, half / 4500, half % 4500 / 75, half % 75)));
  Command(IDM_STOP);
  player->OnSeekRegion(255);
  plays = Plays();
  ASSERT_EQ(plays.size(), 1u);
  EXPECT_TRUE(Contains(plays[0], PlayFrom(2, 4, 12, 30))) << "255 is the very end";

  // A track-menu id above the last track plays the last track.
  Command(IDM_TRACK_BASE + 7);
  EXPECT_EQ(player->View().currentTrack, 3);
  plays = Plays();
  ASSERT_EQ(plays.size(), 1u);
  EXPECT_TRUE(Contains(plays[0], PlayFrom(3, 0, 0, 0)));
}

// Catches the drive asked more than the displays need: each query is a
// request to its hardware. Stopped, a refresh every 500 ms reads the mode or,
// once a second, the disc's identity; playing, the mode and one position.
TEST_F(PlayerTest, TheDriveIsAskedAtMostThreeTimesASecondStoppedAndEightPlaying) {
  keepTimers = true;
  Open(TracksOf(3));
  ASSERT_TRUE(PumpUntil(3000, [this] { return DiscPresent(); }));
  struct Phase { const char* name; WORD command; double budget; double positions; double identities; } phases[] = {
      {"stopped", IDM_STOP, 3.0, 0.0, 1.0},
      {"playing", IDM_PLAY, 8.0, 2.0, 0.0},
  };
  for (const Phase& phase : phases) {
    Command(phase.command);
    PumpMessages(300);
    Traffic t = MeasureTraffic(60);
    EXPECT_LE(t.total, phase.budget) << phase.name;
    EXPECT_NEAR(t.modes + t.identities, 2.0, 0.5) << phase.name << ": a refresh every 500 ms";
    EXPECT_NEAR(t.identities, phase.identities, 0.4) << phase.name;
    EXPECT_NEAR(t.positions, phase.positions, 0.5) << phase.name;
    EXPECT_EQ(t.timeFormats, 0.0) << phase.name << ": the format is set once";
  }
  EXPECT_TRUE(Contains(Title(), "[01] 00:0")) << Title();
  EXPECT_FALSE(Contains(Title(), "00:00")) << "the time moved on: " << Title();
  EXPECT_GE(player->seekPosition, 0) << "3 s into 4:12 fills the first cell";
}

// Catches the identity read that stands in for the mode hiding a disc that
// went: at either turn of a stopped refresh the open tray is seen at once,
// and a disc swapped without a gap is told at the identity's turn.
TEST_F(PlayerTest, AStoppedRefreshSeesTheDiscGoWhicheverItReads) {
  Open(TracksOf(3));
  struct Case { const char* name; int pollsBefore; bool swap; int modeQueries; } cases[] = {
      {"the mode's turn", 0, false, 1},
      {"the identity's turn", 1, false, 1},  // refused: then the mode says open
      {"the identity's turn, another disc", 1, true, 0},
  };
  for (const Case& c : cases) {
    drive->Write(TracksOf(3));
    Poll();
    ASSERT_TRUE(DiscPresent()) << c.name;
    for (int i = 0; i < c.pollsBefore; ++i) Poll();
    DiscContents next = TracksOf(c.swap ? 5 : 3);
    next.trayOpen = !c.swap;
    next.identity = "999";
    next.gapless = c.swap;
    drive->Write(next);
    drive->TakeLog();
    Poll();
    Lines log = drive->TakeLog();
    EXPECT_EQ(DiscPresent(), c.swap) << c.name;
    EXPECT_EQ(player->Disc().trackCount, c.swap ? 5 : 0) << c.name;
    EXPECT_EQ(std::count_if(log.begin(), log.end(),
                            [](const std::string& line) { return Contains(line, Line("item=%d ", int(MCI_STATUS_MODE))); }),
              c.modeQueries)
        << c.name;
  }
}

TEST_F(PlayerTest, TheContextMenuListsTracksAndMarksRepeat) {
  std::vector<int> breaks;  // positions of the items that start a column
  auto trackItems = [this, &breaks](int tracks, int repeat, std::vector<std::string>* texts) {
    breaks.clear();
    ChangeDisc(TracksOf(tracks));
    appSettings->repeat = repeat;
    unique_hmenu menu = player->BuildContextMenu();
    HMENU popup = GetSubMenu(menu.get(), 0);
    EXPECT_EQ(GetMenuState(popup, IDM_REPEAT, MF_BYCOMMAND) & MF_CHECKED,
              repeat ? static_cast<UINT>(MF_CHECKED) : 0u);
    HMENU sub = GetSubMenu(popup, 2);
    int count = GetMenuItemCount(sub);
    for (int i = 0; i < count; ++i) {
      char text[64] = "";
      GetMenuStringA(sub, static_cast<UINT>(i), text, sizeof(text), MF_BYPOSITION);
      texts->push_back(text);
      EXPECT_EQ(GetMenuItemID(sub, i), static_cast<UINT>(IDM_TRACK_BASE + i + 1));
      MENUITEMINFOA info = {};
      info.cbSize = sizeof(info);
      info.fMask = MIIM_FTYPE;
      GetMenuItemInfoA(sub, static_cast<UINT>(i), TRUE, &info);
      if (info.fType & (MFT_MENUBARBREAK | MFT_MENUBREAK)) breaks.push_back(i);
    }
  };
  Open(TracksOf(0));
  std::vector<std::string> texts;

  // No disc in the drive: the grayed "(none)" alone.
  DiscContents empty;
  empty.present = false;
  drive->Write(empty);
  Poll();
  unique_hmenu menu = player->BuildContextMenu();
  HMENU none = GetSubMenu(GetSubMenu(menu.get(), 0), 2);
  ASSERT_EQ(GetMenuItemCount(none), 1);
  EXPECT_EQ(GetMenuItemID(none, 0), static_cast<UINT>(IDM_NO_TRACKS));
  EXPECT_TRUE(GetMenuState(none, 0, MF_BYPOSITION) & MF_GRAYED);

  trackItems(12, 1, &texts);
  ASSERT_EQ(texts.size(), 12u);
  EXPECT_EQ(texts[0], "01 (04:12)");
  EXPECT_EQ(texts[11], "12 (04:12)");
  texts.clear();
  EXPECT_TRUE(breaks.empty()) << "a short disc needs one column";
  texts.clear();
  // A full disc: every track, in columns of 25, and the last one plays.
  trackItems(99, 0, &texts);
  ASSERT_EQ(texts.size(), 99u) << "a menu cut short of the disc's last tracks";
  EXPECT_EQ(texts[98], "99 (04:12)");
  EXPECT_EQ(breaks, (std::vector<int>{25, 50, 75}));
  Plays();
  Command(IDM_TRACK_LAST);
  EXPECT_EQ(player->View().currentTrack, 99) << "the dispatch stops short of the last track id";
  std::vector<std::string> plays = Plays();
  ASSERT_EQ(plays.size(), 1u);
  EXPECT_TRUE(Contains(plays[0], PlayFrom(99, 0, 0, 0)));
  Command(IDM_STOP);
  texts.clear();
  trackItems(120, 0, &texts);
  EXPECT_EQ(texts.size(), 99u) << "a drive claiming more tracks than a disc holds";
  texts.clear();
  trackItems(0, 0, &texts);
  EXPECT_TRUE(texts.empty()) << "a disc without tracks: an empty submenu";
}

TEST_F(PlayerTest, TimeDisplayBlinksWhilePausedAndAnimatesTheMouth) {
  Open(TracksOf(3), 0.01);
  Poll();
  player->PlayTrackAt(1, 0, 7, 0);
  Command(IDM_PAUSE);

  // Paused with blinking on: the time's digits come and go, the title
  // holds still (screen readers and the taskbar read it).
  appSettings->blinkWhenPausing = 1;
  std::string titles[2];
  int firsts[2];
  for (int i = 0; i < 2; ++i) {
    Poll();
    titles[i] = Title();
    firsts[i] = player->timeFirst;
  }
  EXPECT_EQ(titles[0], "[01] 00:07 - Zanto Player");
  EXPECT_EQ(titles[1], titles[0]);
  EXPECT_NE(firsts[0], firsts[1]);
  EXPECT_EQ(std::min(firsts[0], firsts[1]), -1);
  // Blinking off: the title holds still, the separator still blinks.
  appSettings->blinkWhenPausing = 0;
  Poll();
  std::string held = Title();
  int separator = player->timeSeparatorOn;
  Poll();
  EXPECT_EQ(Title(), held);
  EXPECT_EQ(held, "[01] 00:07 - Zanto Player");
  EXPECT_NE(player->timeSeparatorOn, separator);

  // Mouth animation: held while paused, frames 0..9 round while playing,
  // empty when stopped.
  appSettings->timeWindow = kTimeWindowMouth;
  const int stillFrame = player->View().mouthFrame;
  Tick(kAnimationTimer);
  EXPECT_EQ(player->View().mouthFrame, stillFrame);
  EXPECT_EQ(player->timeFirst, 0);
  EXPECT_EQ(player->timeSecond, stillFrame);
  Command(IDM_PAUSE);  // resumes
  std::vector<int> frames;
  for (int i = 0; i < 10; ++i) {
    Tick(kAnimationTimer);
    frames.push_back(player->timeSecond);
    EXPECT_EQ(player->timeSeparatorOn, 0);
  }
  std::vector<int> round;
  for (int i = 1; i <= 10; ++i) round.push_back((stillFrame + i) % 10);
  EXPECT_EQ(frames, round);
  Command(IDM_STOP);
  Tick(kAnimationTimer);
  EXPECT_EQ(player->timeFirst, -1);
}

TEST_F(PlayerTest, ClockModeShowsTheTimeOfDayWithoutADisc) {
  appSettings->timeWindow = kTimeWindowClock;
  DiscContents empty;
  empty.present = false;
  Open(empty);
  int separators[2];
  for (int i = 0; i < 2; ++i) {
    Poll();
    SYSTEMTIME now;
    GetLocalTime(&now);
    EXPECT_EQ(player->timeFirst, now.wHour);
    EXPECT_LE(std::abs(player->timeSecond - now.wMinute) % 58, 1);
    separators[i] = player->timeSeparatorOn;
  }
  EXPECT_NE(separators[0], separators[1]);
  EXPECT_EQ(Title(), "Zanto Player");
}

TEST_F(PlayerTest, DroppedResourceFilesChangeTheSkinOthersAreIgnored) {
  Open(TracksOf(1));
  std::string big = WriteSkin("big", 120, 60);
  std::string upper = folder.File("X.RC");
  ASSERT_TRUE(CopyFileA(big.c_str(), upper.c_str(), FALSE));
  ASSERT_TRUE(WriteFileBytes(folder.File("a.txt"), "BackgroundImage big.bmp\r\n"));

  SendMessageA(player->hwnd, WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf(folder.File("a.txt"))),
               0);
  EXPECT_EQ(WindowSize(player->hwnd).cx, 80);
  SendMessageA(player->hwnd, WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf(upper)), 0);
  EXPECT_EQ(WindowSize(player->hwnd).cx, 120);
  EXPECT_EQ(WindowSize(player->hwnd).cy, 60);
  EXPECT_STREQ(appSettings->lastFile, upper.c_str());

  // 40 px of the large skin on the screen; at the same corner none of the small one.
  SetWindowPos(player->hwnd, nullptr, -80, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  player->ChangeResourceFile(folder.File("main.rc").c_str());
  EXPECT_EQ(WindowCornerLeft(player->hwnd), 0) << "a smaller skin left out of reach";
}

TEST_F(PlayerTest, ASkinChangedWhileMinimisedShowsAfterRestore) {
  Open(TracksOf(1));
  ShowWindow(player->hwnd, SW_SHOWNOACTIVATE);
  ShowWindow(player->hwnd, SW_MINIMIZE);
  ASSERT_TRUE(IsIconic(player->hwnd));
  player->ChangeResourceFile(WriteSkin("big", 120, 60).c_str());
  EXPECT_EQ(player->bufferWidth, 120) << "the back buffer took the icon's size";
  EXPECT_EQ(player->bufferHeight, 60);
  ShowWindow(player->hwnd, SW_RESTORE);
  EXPECT_EQ(WindowSize(player->hwnd).cx, 120);
  EXPECT_EQ(WindowSize(player->hwnd).cy, 60);
  EXPECT_EQ(WindowCornerLeft(player->hwnd), 30) << "the restored window keeps its place";
}

// Catches: a skin that takes seconds to decode replacing the shown skin's
// model or pictures before the new ones exist (a repaint would draw a mix),
// resizing the window before it is ready, loading it twice (once to try it,
// once for real: twice the wait), and no wait cursor meanwhile.
TEST_F(PlayerTest, ASlowSkinLoadsOnceUnderTheWaitCursorWhileTheOldOneStaysShown) {
  Open(TracksOf(1));
  ASSERT_TRUE(CopyFileA(BinaryPath(std::string("plugins/wait") + kPluginExtension).c_str(),
                        folder.File(std::string("wait") + kPluginExtension).c_str(), FALSE));
  ASSERT_TRUE(plugins.Scan(folder.path().c_str()));
  appSettings->usePlugin = 1;
  ASSERT_TRUE(WriteBmp(folder.File("new.bmp"), 120, 60, TestPattern));
  ASSERT_TRUE(WriteFileBytes(folder.File("dim.wait"), "decoded slowly"));
  std::string slow = folder.File("slow.rc");
  ASSERT_TRUE(WriteFileBytes(slow, "BackgroundImage new.bmp\r\nBackgroundImageInactive dim.wait\r\n"));
  std::string pid = std::to_string(GetCurrentProcessId());
  HANDLE entered = CreateEventA(nullptr, FALSE, FALSE, ("ZantoWaitPlugin.entered." + pid).c_str());
  HANDLE go = CreateEventA(nullptr, FALSE, FALSE, ("ZantoWaitPlugin.go." + pid).c_str());
  ASSERT_TRUE(entered && go);
  const std::string oldFile = player->model.backgroundImageFile;
  const HCURSOR wait = LoadCursorA(nullptr, IDC_WAIT);
  const DWORD playerThread = GetCurrentThreadId();
  int entries = 0;
  std::string faults;  // what was wrong at each entry, the player's thread held in the plug-in
  std::atomic<bool> switched(false);
  std::thread observer([&] {
    // Sharing the player's input state, this thread sees its cursor.
    AttachThreadInput(GetCurrentThreadId(), playerThread, TRUE);
    while (!switched) {
      if (WaitForSingleObject(entered, 20) != WAIT_OBJECT_0) continue;
      ++entries;
      if (oldFile != player->model.backgroundImageFile) faults += "model replaced; ";
      if (player->backgroundPicture.Width() != 80) faults += "background replaced; ";
      if (WindowSize(player->hwnd).cx != 80) faults += "window resized; ";
      if (GetCursor() != wait) faults += "no wait cursor; ";
      SetEvent(go);
    }
    AttachThreadInput(GetCurrentThreadId(), playerThread, FALSE);
  });
  player->ChangeResourceFile(slow.c_str());
  switched = true;
  observer.join();
  CloseHandle(entered);
  CloseHandle(go);
  EXPECT_EQ(entries, 1) << "the slow picture was not decoded exactly once";
  EXPECT_EQ(faults, "") << "while the new skin was loading";
}

TEST_F(PlayerTest, ADiscsBrokenSkinIsForgottenAndTheCurrentOneKept) {
  appSettings->chgResByCd = 1;
  WriteCdIni(folder.File("CD.ini"), "ResourceFile=" + folder.File("deleted.rc") + "\r\n");
  std::string current = appSettings->lastFile;
  Open(TracksOf(2));
  Poll();
  ASSERT_TRUE(IsWindow(player->hwnd)) << "a broken per-disc skin ended the program";
  EXPECT_TRUE(DiscPresent());
  EXPECT_EQ(std::string(appSettings->lastFile), current);
  EXPECT_EQ(WindowSize(player->hwnd).cx, 80);
  char entry[MAX_PATH] = "";
  GetPrivateProfileStringA("1234", "ResourceFile", "", entry, sizeof(entry),
                           folder.File("CD.ini").c_str());
  EXPECT_STREQ(entry, "") << "the broken entry is forgotten";

  // A working remembered skin is switched to.
  DiscContents empty;
  empty.present = false;
  drive->Write(empty);
  Poll();
  std::string other = WriteSkin("other", 100, 50);
  WriteCdIni(folder.File("CD.ini"), "ResourceFile=" + other + "\r\n");
  drive->Write(TracksOf(2));
  Poll();
  EXPECT_EQ(WindowSize(player->hwnd).cx, 100);
  EXPECT_EQ(std::string(appSettings->lastFile), other);
}

TEST_F(PlayerTest, ClosingStoresTheRestoredPositionInScreenCoordinates) {
  Open(TracksOf(1));
  SetWindowPos(player->hwnd, nullptr, 210, 170, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  DestroyWindow(player->hwnd);
  EXPECT_EQ(appSettings->positionX, 210);
  EXPECT_EQ(appSettings->positionY, 170);
}

// Closes the first message box this process shows and hands back its text.
std::string AnswerMessageBox() {
  for (int i = 0; i < 1000; ++i) {
    HWND box = FindWindowA("#32770", nullptr);
    DWORD process = 0;
    if (box) GetWindowThreadProcessId(box, &process);
    if (box && process == GetCurrentProcessId()) {
      char text[512] = "";
      // The box may be found before its text control exists.
      if (GetDlgItemTextA(box, 0xFFFF, text, sizeof(text)) > 0) {
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        return text;
      }
    }
    Sleep(10);
  }
  return "(no message box)";
}

TEST_F(PlayerTest, AProgramFolderTooDeepForTheSettingsRefusesToStart) {
  std::string deep = folder.path() + "\\" + std::string(250, 'd') + "\\ZantoPlay.exe";
  // Start-up registers the window class itself.
  UnregisterClassA("LuloWnd", appInstance);
  std::string shown;
  std::thread answer([&shown] { shown = AnswerMessageBox(); });
  int exitCode = RunApplication(appInstance, SW_SHOWNOACTIVATE, deep.c_str());
  answer.join();
  char expected[512];
  LoadText(appInstance, IDS_FOLDER_TOO_LONG, expected);
  EXPECT_EQ(shown, expected);
  EXPECT_EQ(exitCode, 0);
  EXPECT_FALSE(FileExists(folder.File("ZantoPlay.ini")));
  RegisterPlayerClass(appInstance);
}

}  // namespace
