// The real program, started in a folder of its own: it keeps its settings
// there, and writes nothing when start-up fails.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "support/test_support.h"

namespace {

struct ProgramRun {
  DWORD processId = 0;
  bool exited = false;
  int messageBoxes = 0;
  std::string lastMessage;
};

// Answers the program's message boxes and closes its player window.
BOOL CALLBACK NudgeWindow(HWND hwnd, LPARAM data) {
  ProgramRun* run = reinterpret_cast<ProgramRun*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  char className[64] = "";
  if (owner != run->processId || !IsWindowVisible(hwnd)) return TRUE;
  GetClassNameA(hwnd, className, sizeof(className));
  if (std::string(className) == "#32770") {
    char text[512] = "";
    GetDlgItemTextA(hwnd, 0xFFFF, text, sizeof(text));  // a message box's text control
    run->lastMessage = text;
    ++run->messageBoxes;
    PostMessageA(hwnd, WM_COMMAND, IDOK, 0);
  } else if (std::string(className) == "LuloWnd") {
    PostMessageA(hwnd, WM_CLOSE, 0, 0);
  }
  return TRUE;
}

ProgramRun StartAndClose(const ScratchFolder& folder) {
  ProgramRun run;
  std::string program = folder.File("ZantoPlay.exe");
  std::string built = "Z:" ZANTO_BINARY_DIR "\\out\\ZantoPlay.exe";
  for (char& c : built) c = (c == '/') ? '\\' : c;
  CopyFileA(built.c_str(), program.c_str(), FALSE);
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(program.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr,
                      folder.path().c_str(), &startup, &process)) {
    ADD_FAILURE() << "cannot start " << program;
    return run;
  }
  run.processId = process.dwProcessId;
  for (int i = 0; i < 100 && !run.exited; ++i) {
    run.exited = WaitForSingleObject(process.hProcess, 100) == WAIT_OBJECT_0;
    if (!run.exited) EnumWindows(NudgeWindow, reinterpret_cast<LPARAM>(&run));
  }
  if (!run.exited) TerminateProcess(process.hProcess, 1);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return run;
}

TEST(Startup, NormalShutdownWritesTheSettingsBesideTheProgram) {
  ScratchFolder folder;
  CopyFileA(SourcePath("skins/default/ZantoPlay1.rc").c_str(), folder.File("ZantoPlay1.rc").c_str(),
            FALSE);
  ASSERT_TRUE(StartAndClose(folder).exited);
  std::string ini = ReadFileBytes(folder.File("ZantoPlay.ini"));
  EXPECT_NE(ini.find("LastFile=" + folder.File("ZantoPlay1.rc") + "\r\n"), std::string::npos) << ini;
}

TEST(Startup, FailedStartUpUsesLastFileAndWritesNothing) {
  ScratchFolder folder;
  const std::string missing = folder.File("missing.rc");
  const std::string before = "[Resources]\r\nLastFile=" + missing + "\r\n";
  WriteFileBytes(folder.File("ZantoPlay.ini"), before);
  ProgramRun run = StartAndClose(folder);
  ASSERT_TRUE(run.exited);
  EXPECT_EQ(run.messageBoxes, 1);
  EXPECT_NE(run.lastMessage.find(missing), std::string::npos) << run.lastMessage;
  EXPECT_EQ(ReadFileBytes(folder.File("ZantoPlay.ini")), before);
}

}  // namespace
