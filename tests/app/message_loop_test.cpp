// Keys pressed in the program's message loop reach the window as commands.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "app/application.h"
#include "resources/resource.h"

namespace {

std::vector<int> commands;

LRESULT CALLBACK RecordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND) commands.push_back(LOWORD(wParam));
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

class MessageLoop : public ::testing::Test {
 protected:
  void SetUp() override {
    appInstance = GetModuleHandleA(nullptr);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = RecordingProc;
    wc.hInstance = appInstance;
    wc.lpszClassName = "AcceleratorTarget";
    RegisterClassA(&wc);
    hwnd = CreateWindowExA(0, "AcceleratorTarget", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                           appInstance, nullptr);
    ASSERT_NE(hwnd, nullptr);
    commands.clear();
  }
  void TearDown() override { DestroyWindow(hwnd); }

  void SetControl(bool down) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = down ? 0x80 : 0;
    keys[VK_LCONTROL] = down ? 0x80 : 0;
    SetKeyboardState(keys);
  }

  HWND hwnd = nullptr;
};

TEST_F(MessageLoop, PlainKeysBecomeTheirCommands) {
  SetControl(false);
  const UINT keys[] = {'B', 'C', 'M', 'N', 'R', 'V', 'X', 'Z', 'P', 'D', 'Q'};
  for (UINT key : keys) PostMessageA(hwnd, WM_KEYDOWN, key, 1);
  PostQuitMessage(3);
  EXPECT_EQ(RunMessageLoop(hwnd), 3);
  // P and D without Ctrl and Q (no accelerator) give nothing.
  std::vector<int> expected = {IDM_NEXT, IDM_PAUSE, IDM_MUTE, IDM_REPEAT, IDM_CHANGE_RESOURCE,
                               IDM_STOP, IDM_PLAY, IDM_PREVIOUS};
  EXPECT_EQ(commands, expected);
}

TEST_F(MessageLoop, CtrlPOpensThePreferencesAndCtrlDDoublesTheSize) {
  SetControl(true);
  PostMessageA(hwnd, WM_KEYDOWN, 'P', 1);
  PostMessageA(hwnd, WM_KEYDOWN, 'D', 1);
  PostQuitMessage(0);
  RunMessageLoop(hwnd);
  SetControl(false);
  EXPECT_EQ(commands, (std::vector<int>{IDM_PREFERENCES, IDM_DOUBLE_SIZE}));
}

}  // namespace
