// One session with the real program: its settings dialog, about box and
// title editor, opened by menu commands and read from outside the process.
#include <windows.h>
#include <mmsystem.h>

#include <gtest/gtest.h>

#include <string>

#include "support/virtual_disc.h"
#include "dialogs/dialog_script.h"
#include "program_driver.h"
#include "resources/resource.h"
#include "support/test_support.h"

namespace {

// Asked of the control itself: GetWindowText does not ask windows of another
// process, and an edit control keeps its text to itself.
std::wstring WideText(HWND hwnd) {
  wchar_t text[512] = L"";
  SendMessageW(hwnd, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
  return text;
}

// The program's dialog with this caption, or null after a few seconds.
HWND WaitForDialog(ProgramDriver& program, const wchar_t* caption) {
  HWND dialog = nullptr;
  bool found = WaitFor(15000, [&] {
    dialog = program.WaitForWindow("#32770", 0);
    return dialog && WideText(dialog) == caption;
  });
  return found ? dialog : nullptr;
}

// The player writes its settings once the dialog has ended, a moment after
// its window went away.
bool WaitForIniLine(const std::string& path, const std::string& line) {
  return WaitFor(5000, [&] { return ReadFileBytes(path).find(line) != std::string::npos; });
}

struct Item {
  int page;  // a control that only this page holds
  int id;
  const wchar_t* text;
};

// Every control the code addresses, with its text as the settings give it.
const Item kItems[] = {
    {IDC_ALWAYS_ON_TOP, IDC_ALWAYS_ON_TOP, L"常に手前に表示(&T)"},
    {IDC_ALWAYS_ON_TOP, IDC_CHG_RES_BY_CD, L"CD毎にリソースを憶える(&R)"},
    {IDC_ALWAYS_ON_TOP, IDC_BLINK_WHEN_PAUSING, L"ポーズ中に点滅する(&B)"},
    {IDC_TIME_PLAYTIME, IDC_TIME_PLAYTIME, L"演奏時間(&P)"},
    {IDC_TIME_PLAYTIME, IDC_TIME_CLOCK, L"とけい(&C)"},
    {IDC_TIME_PLAYTIME, IDC_TIME_MOUTH, L"口パク(&A)"},
    {IDC_TIME_PLAYTIME, IDC_TIME_INTERVAL, L"500"},
    {IDC_TIME_PLAYTIME, IDC_TIME_INTERVAL_LABEL, L"ミリ秒ごと(&M)"},
    {IDC_TITLE_FONT, IDC_TITLE_BOLD, L"太字(&B)"},
    {IDC_TITLE_FONT, IDC_TITLE_ITALIC, L"斜体(&I)"},
    {IDC_TITLE_FONT, IDC_TITLE_UNDERLINE, L"下線(&U)"},
    {IDC_TITLE_FONT, IDC_TITLE_TEXT_COLOR, L""},
    {IDC_TITLE_FONT, IDC_TITLE_SHADOW, L"影付きで表示する(&H)"},
    {IDC_TITLE_FONT, IDC_TITLE_SHADOW_LABEL, L"影の色(&O) :"},
    {IDC_TITLE_FONT, IDC_TITLE_SHADOW_COLOR, L""},
    {IDC_USE_PLUGIN, IDC_USE_PLUGIN, L"Susieのプラグインを使用する(&U)"},
    {IDC_USE_PLUGIN, IDC_PLUGIN_FOLDER_LABEL, L"プラグインのあるフォルダ(&F) :"},
    {IDC_USE_PLUGIN, IDC_PLUGIN_FOLDER, L""},
    {IDC_USE_PLUGIN, IDC_PLUGIN_BROWSE, L"参照(&B)..."},
    {IDC_OSUWARI_POSITION, IDC_DO_OSUWARI, L"おすわりする(&O)"},
    {IDC_OSUWARI_POSITION, IDC_OSUWARI_LABEL, L"おすわり位置(&L)"},
    {IDC_OSUWARI_POSITION, IDC_OSUWARI_LEFT_LABEL, L"左端"},
    {IDC_OSUWARI_POSITION, IDC_OSUWARI_RIGHT_LABEL, L"右端"},
    {IDC_OSUWARI_POSITION, IDC_OSUWARI_POSITION, L""},
    {IDC_OSUWARI_POSITION, IDC_OSUWARI_PERCENT, L"90%"},
};

// Catches: commands that open nothing, pages missing, out of order or with
// wrong ids, OK that leaves the setting in memory only, Cancel that writes,
// an about box without the version or the skin's words, and a title editor
// whose OK leaves the typed title anywhere but under the disc's section. And
// for the CD drive: a saved drive that is gone stopping the start or showing
// a box, a chosen drive not opened by its letter, not saved, or not the one
// played.
TEST(DialogsSession, SettingsAboutAndTitleEditorOpenedByMenuCommands) {
  ScratchFolder folder;
  // D: (the default) and E: of the test prefix, each with its own disc.
  VirtualDisc driveD(DiscOf({"00:30:00", "00:30:00"}, 0xABC));
  VirtualDisc driveE(DiscOf({"01:00:00", "05:00:00"}, 4242), 1.0, 'E');
  ASSERT_TRUE(WriteFileBytes(folder.File("ZantoPlay.ini"), "[General]\r\nDrive=Q\r\n"));
  ProgramDriver program(folder.path());
  WriteSkin(folder, "ZantoPlay1", 60, 40, Solid(RGB(30, 60, 90)),
            "About A test skin & friends\r\nAbout line two\r\n");
  ASSERT_TRUE(program.Start());
  HWND player = program.WaitForWindow("LuloWnd", 15000);
  ASSERT_NE(player, nullptr);
  const std::string defaultOpen = Line("OPEN_DRIVER flags=0x%08X type=%u => 0", unsigned(MCI_OPEN_TYPE | MCI_OPEN_TYPE_ID),
                                       unsigned(MCI_DEVTYPE_CD_AUDIO));
  EXPECT_TRUE(WaitForCommand(driveD, defaultOpen))
      << "a saved drive Q: that is gone: the default drive is not opened";
  EXPECT_EQ(program.WaitForWindow("#32770", 300), nullptr) << "a gone drive must fall back without a word";

  PostMessageA(player, WM_COMMAND, IDM_PREFERENCES, 0);
  HWND dialog = WaitForDialog(program, L"Zanto Playerの設定");
  ASSERT_NE(dialog, nullptr) << "command 40002 opened no settings dialog";
  HWND list = GetDlgItem(dialog, IDC_SETTINGS_PAGES);
  const wchar_t* titles[] = {L"一般設定", L"TimeWindowの表示", L"曲名表示", L"Susieのプラグイン", L"おすわり"};
  ASSERT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 5);
  for (int row = 0; row < 5; ++row) {
    wchar_t text[64] = L"";  // the wide call: an ANSI one comes back garbled across processes
    SendMessageW(list, LB_GETTEXT, row, reinterpret_cast<LPARAM>(text));
    EXPECT_EQ(std::wstring(text), titles[row]) << "row " << row;
  }
  EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 0);
  EXPECT_TRUE(IsWindowVisible(PageWith(dialog, IDC_ALWAYS_ON_TOP)));
  for (int page : {IDC_TIME_PLAYTIME, IDC_TITLE_FONT, IDC_USE_PLUGIN, IDC_OSUWARI_POSITION}) {
    EXPECT_FALSE(IsWindowVisible(PageWith(dialog, page))) << "page of " << page;
  }
  EXPECT_EQ(WideText(GetDlgItem(dialog, IDOK)), L"OK");
  EXPECT_EQ(WideText(GetDlgItem(dialog, IDCANCEL)), L"キャンセル");
  for (const Item& item : kItems) {
    HWND control = GetDlgItem(PageWith(dialog, item.page), item.id);
    ASSERT_NE(control, nullptr) << "control " << item.id;
    EXPECT_EQ(WideText(control), item.text) << "control " << item.id;
  }

  HWND general = PageWith(dialog, IDC_ALWAYS_ON_TOP);
  SendDlgItemMessageA(general, IDC_ALWAYS_ON_TOP, BM_SETCHECK, BST_CHECKED, 0);
  // The saved drive Q:, gone, is still the choice.
  HWND drives = GetDlgItem(general, IDC_CD_DRIVE);
  EXPECT_EQ(WideText(drives), L"Q:");
  PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitUntilGone(dialog));
  EXPECT_TRUE(WaitForIniLine(folder.File("ZantoPlay.ini"), "AlwaysOnTop=1"))
      << "OK leaves the setting in the file at once";
  EXPECT_TRUE(WaitForIniLine(folder.File("ZantoPlay.ini"), "Drive=Q\r\n")) << "an unplugged drive forgotten";

  PostMessageA(player, WM_COMMAND, IDM_PREFERENCES, 0);
  dialog = WaitForDialog(program, L"Zanto Playerの設定");
  ASSERT_NE(dialog, nullptr);
  general = PageWith(dialog, IDC_ALWAYS_ON_TOP);
  EXPECT_EQ(SendDlgItemMessageA(general, IDC_ALWAYS_ON_TOP, BM_GETCHECK, 0, 0), BST_CHECKED);
  SendDlgItemMessageA(general, IDC_ALWAYS_ON_TOP, BM_SETCHECK, BST_UNCHECKED, 0);
  PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(WaitUntilGone(dialog));

  PostMessageA(player, WM_COMMAND, IDM_ABOUT, 0);
  HWND about = WaitForDialog(program, L"Zanto Playerのバージョン情報");
  ASSERT_NE(about, nullptr) << "command 40010 opened no about box";
  // The about box shows only once the settings command has returned.
  EXPECT_NE(ReadFileBytes(folder.File("ZantoPlay.ini")).find("AlwaysOnTop=1"), std::string::npos)
      << "Cancel changes nothing";
  EXPECT_EQ(WindowText(GetDlgItem(about, IDC_ABOUT_VERSION)), "Version 1.0.0");
  EXPECT_EQ(WindowText(GetDlgItem(about, IDC_ABOUT_TEXT)), "A test skin & friends\nline two\n");
  PostMessageA(about, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitUntilGone(about));

  ASSERT_TRUE(WaitForTitle(player, "[01] 00:00 - Zanto Player", 5000)) << "the disc was never seen";
  PostMessageA(player, WM_COMMAND, IDM_EDIT_TITLES, 0);
  HWND editor = WaitForDialog(program, L"曲名の編集");
  ASSERT_NE(editor, nullptr) << "command 40020 opened no editor";
  EXPECT_EQ(WideText(GetDlgItem(editor, IDC_TITLES_SECTION)), L"CD.iniのセクション : [ABC]");
  // Typed as the IME would leave it: Japanese text, stored in code page 932.
  SendMessageW(GetDlgItem(editor, IDC_TITLES_TRACK_TITLE), WM_SETTEXT, 0,
               reinterpret_cast<LPARAM>(L"朝の光"));
  PostMessageA(editor, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitUntilGone(editor));
  EXPECT_TRUE(WaitForIniLine(folder.File("CD.ini"), "[ABC]\r\n0=\x92\xa9\x82\xcc\x8c\xf5\r\n"))
      << ReadFileBytes(folder.File("CD.ini"));

  // The second drive chosen: the old one closed, E: opened by its letter, and played.
  PostMessageA(player, WM_COMMAND, IDM_PREFERENCES, 0);
  dialog = WaitForDialog(program, L"Zanto Playerの設定");
  ASSERT_NE(dialog, nullptr);
  drives = GetDlgItem(PageWith(dialog, IDC_ALWAYS_ON_TOP), IDC_CD_DRIVE);
  SendMessageW(drives, CB_SETCURSEL, 2, 0);
  EXPECT_EQ(WideText(drives), L"E:");
  PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitUntilGone(dialog));
  EXPECT_TRUE(WaitForIniLine(folder.File("ZantoPlay.ini"), "Drive=E\r\n"));
  // Track 2 of E: plays once the player has read E:'s disc, which it does in
  // one go: the command is handled after it.
  size_t seen = WaitForCommands(driveE, {"element=E: => 0", Line("item=%lu track=", DWORD(MCI_CDA_STATUS_TYPE_TRACK))});
  EXPECT_GE(seen, 1u) << "E: was not opened by its letter";
  ASSERT_EQ(seen, 2u) << "E:'s disc was never read";
  EXPECT_TRUE(WaitForCommand(driveD, "CLOSE_DRIVER")) << "the old drive was kept open";
  PostMessageA(player, WM_COMMAND, IDM_TRACK_BASE + 2, 0);
  EXPECT_TRUE(WaitForCommand(driveE, "PLAY ")) << "the chosen drive's disc was not played";
  for (const std::string& line : driveD.TakeLog()) {
    EXPECT_EQ(line.find("PLAY "), std::string::npos) << "the old drive played: " << line;
  }

  PostMessageA(player, WM_CLOSE, 0, 0);
  DWORD exitCode = 1234;
  ASSERT_TRUE(program.WaitForExit(15000, &exitCode));
  EXPECT_EQ(exitCode, 0u);
}

}  // namespace
