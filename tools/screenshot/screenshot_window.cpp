// Shows the skin window with a sample time, track line, seek fill and volume,
// set through the redraw entry points, for a few seconds: the subject of the
// project's screenshot (see take.sh).
//
// Usage: zanto_screenshot.exe RESOURCE_FILE [SECONDS]
#include <windows.h>

#include <commctrl.h>

#include <cstdlib>

#include "app/application.h"
#include "common/fixed_text.h"
#include "window/skin_window.h"

namespace {

// Text in the program's code page (Shift-JIS).
// "ＭＳ Ｐゴシック", the settings' default face for the track line.
const char kDefaultFace[] = "\x82\x6c\x82\x72 \x82\x6f\x83\x53\x83\x56\x83\x62\x83\x4e";
// "3. 星降る夜の散歩道" (a stroll on a starry night).
const char kTrackLine[] = "3. \x90\xaf\x8d\x7e\x82\xe9\x96\xe9\x82\xcc\x8e\x55\x95\xe0\x93\xb9";

const char kTitle[] = "Zanto Player screenshot";
constexpr UINT_PTR kQuitTimer = 1;
constexpr int kDefaultSeconds = 5;
constexpr int kWindowX = 40;
constexpr int kWindowY = 40;

// The look the player gives the window while a disc plays: 03:27 with the
// separator lit, the track line in the default font and colours, the seek bar
// half filled, the volume at two thirds.
void ShowPlayingState(SkinWindow& window) {
  TextFont font = {};
  CopyText(font.faceName, kDefaultFace);
  font.fontStyle = 0;
  font.textColour = RGB(255, 255, 255);
  font.shadowColour = RGB(0, 0, 0);
  font.shadowOn = 1;
  window.SetTextFont(font, kTextFontAll);
  window.SetText(kTrackLine);
  window.SetTime(3, 27, 1);
  window.SetSeekPosition(128);
  window.SetVolumePosition(170);
}

VOID CALLBACK Quit(HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(0); }

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    MessageBoxA(nullptr, "usage: zanto_screenshot RESOURCE_FILE [SECONDS]", kTitle, MB_OK);
    return 2;
  }
  int seconds = argc > 2 ? std::atoi(argv[2]) : kDefaultSeconds;
  appInstance = GetModuleHandleA(nullptr);
  InitCommonControls();
  if (!RegisterPlayerClass(appInstance)) return 1;
  SkinWindow window;
  if (!window.CreateSkinWindow(nullptr, argv[1], 0, kTitle, WS_POPUP, kWindowX, kWindowY,
                               nullptr, nullptr, appInstance)) {
    return 1;
  }
  ShowPlayingState(window);
  ShowWindow(window.hwnd, SW_SHOW);
  UpdateWindow(window.hwnd);
  SetTimer(nullptr, kQuitTimer, static_cast<UINT>(seconds) * 1000, Quit);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  return 0;
}
