#include "window/skin_window.h"

#include <commctrl.h>

#include <cstring>
#include <memory>
#include <new>
#include <utility>

#include "common/fixed_text.h"

SkinWindow::SkinWindow()
    : tooltip(nullptr),
      status(SkinOk),
      pictureStatus(ImageOk),
      windowRegion(nullptr),
      capturedHit(-1),
      capturedEntry(-1),
      lastMouse{0, 0},
      pressPoint{0, 0},
      pressWindowRect{0, 0, 0, 0},
      repeatOn(0),
      instance(nullptr),
      volumePosition(0),
      seekPosition(0),
      seekDragPosition(0),
      timeFirst(-1),
      timeSecond(0),
      timeSeparatorOn(0),
      textFont{},
      lampOn{},
      timeRemainingOn(0) {
  errorText[0] = '\0';
  resourceFolder[0] = '\0';
  text[0] = '\0';
}

SkinWindow::~SkinWindow() = default;

LRESULT SkinWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  RelayToTooltip(hwnd, message, wParam, lParam);
  switch (message) {
    case WM_ACTIVATE:
      OnActivate(wParam);
      break;
    case WM_MOUSEMOVE:
      OnMouseMove(lParam);
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      OnLButtonDown(lParam);
      break;
    case WM_LBUTTONUP:
      OnLButtonUp(lParam);
      break;
    case WM_CAPTURECHANGED:
      OnCaptureChanged();
      break;
    case WM_TIMER:
      if (wParam != kButtonHoldTimer) return BackBufferWindow::WindowProc(hwnd, message, wParam, lParam);
      OnButtonHoldTimer();
      break;
    case WM_NCPAINT:
      break;  // the skin has no frame to draw
    case WM_NCACTIVATE:
      MarkHandled(static_cast<int>(OnNcActivate(hwnd, wParam)));
      return BackBufferWindow::WindowProc(hwnd, message, wParam, lParam);
    default:
      return BackBufferWindow::WindowProc(hwnd, message, wParam, lParam);
  }
  MarkHandled(0);
  return BackBufferWindow::WindowProc(hwnd, message, wParam, lParam);
}

LRESULT SkinWindow::OnNcActivate(HWND hwnd, WPARAM wParam) {
  // The default work without its frame repaint (lParam -1): there is no
  // frame, and the repaint takes a window context, which for a large shaped
  // skin costs Wine tens of milliseconds at every activation.
  return DefWindowProcA(hwnd, WM_NCACTIVATE, wParam, -1);
}

// The plain skin window reacts to no event; a derived window gives them meaning.
void SkinWindow::OnWindowCreated() {}
void SkinWindow::OnVolumeControl(int) {}
void SkinWindow::OnSeekRegion(int) {}
void SkinWindow::OnCloseButton() {}
void SkinWindow::OnMinimizeButton() {}
void SkinWindow::OnAboutButton() {}
void SkinWindow::OnOpenFileButton() {}
void SkinWindow::OnStopButton() {}
void SkinWindow::OnPlayButton() {}
void SkinWindow::OnRewindButton() {}
void SkinWindow::OnForwardButton() {}
void SkinWindow::OnPreviousSongButton() {}
void SkinWindow::OnNextSongButton() {}
void SkinWindow::OnPauseButton() {}
void SkinWindow::OnPreferencesButton() {}
void SkinWindow::OnEqualizerButton() {}
void SkinWindow::OnEqualizerResetButton() {}
void SkinWindow::OnEqualizerOnButton() {}
void SkinWindow::OnEqualizerOffButton() {}
void SkinWindow::OnRepeatButton() {}
void SkinWindow::OnTimeWindowClick() {}
void SkinWindow::OnSeekDrag(int) {}

bool SkinWindow::CreateSkinWindow(PluginList* pluginList, const char* resourceFilePath,
                                  DWORD exStyle, const char* title, DWORD style, int x, int y,
                                  HWND parent, HMENU menu, HINSTANCE moduleInstance) {
  instance = moduleInstance;
  if (!LoadSkinImages(pluginList, resourceFilePath)) return false;
  if (!BackBufferWindow::Create(exStyle, kSkinWindowClassName, title, style, x, y,
                                backgroundPicture.Width(), backgroundPicture.Height(), parent,
                                menu, instance)) {
    status = SkinWindowFailed;
    return false;
  }
  tooltip = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, TTS_ALWAYSTIP, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd, nullptr, instance,
                            nullptr);
  if (!tooltip) {
    status = SkinWindowFailed;
    return false;
  }
  if (!ApplySkin()) return false;
  OnWindowCreated();
  return true;
}

bool SkinWindow::ChangeSkin(PluginList* pluginList, const char* resourceFilePath) {
  std::unique_ptr<SkinWindow> loaded(new (std::nothrow) SkinWindow);
  if (!loaded) {
    status = SkinResourceFailed;
    model.status = ParseOutOfMemory;
    return false;
  }
  loaded->scale = scale;
  if (!loaded->LoadSkinImages(pluginList, resourceFilePath)) {
    // Reported as this window's failure; its skin is untouched.
    status = loaded->status;
    model.status = loaded->model.status;
    model.lineNumber = loaded->model.lineNumber;
    CopyText(errorText, loaded->errorText);
    return false;
  }
  return ChangeSkin(*loaded);
}

void SkinWindow::ExchangeSkin(SkinWindow& other) {
  std::swap(model, other.model);
  backgroundPicture.Swap(other.backgroundPicture);
  inactivePicture.Swap(other.inactivePicture);
  for (int i = 0; i < 3; ++i) pressedPicture[i].Swap(other.pressedPicture[i]);
  timeFontPicture.Swap(other.timeFontPicture);
  volumePicture.Swap(other.volumePicture);
  volumePositionPicture.Swap(other.volumePositionPicture);
  seekPicture.Swap(other.seekPicture);
  for (int i = 0; i < kLampCount; ++i) lampPicture[i].Swap(other.lampPicture[i]);
  timeRemainingPicture.Swap(other.timeRemainingPicture);
  scratchImage.Swap(other.scratchImage);
  frameImage.Swap(other.frameImage);
  std::swap(resourceFolder, other.resourceFolder);
  std::swap(scale, other.scale);
}

bool SkinWindow::ChangeSkin(SkinWindow& loaded) {
  ExchangeSkin(loaded);
  int width = backgroundPicture.Width();
  int height = backgroundPicture.Height();
  if (IsIconic(hwnd)) {
    // A minimised window has the size of its icon: the new size goes to the
    // restored window, which keeps its place and stays minimised.
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    GetWindowPlacement(hwnd, &placement);
    RECT& normal = placement.rcNormalPosition;
    normal.right = normal.left + width;
    normal.bottom = normal.top + height;
    placement.showCmd = SW_SHOWMINNOACTIVE;
    SetWindowPlacement(hwnd, &placement);
  } else {
    RECT outer = {};
    GetWindowRect(hwnd, &outer);
    MoveWindow(hwnd, outer.left, outer.top, width, height, TRUE);
  }
  if (!ResizeBackBuffer()) {
    status = SkinBackBufferFailed;
    return false;
  }
  return ApplySkin();
}

const ButtonSpecList& SkinWindow::GetButtonSpecList(int button) const {
  static const ButtonSpecList noPlacements;
  if (button < 0 || button >= kButtonCount) return noPlacements;
  return model.buttons[button];
}

ButtonSpec SkinWindow::GetButtonSpec(int button, int entry) const {
  const ButtonSpecList& list = GetButtonSpecList(button);
  if (entry < 0 || entry >= list.count) return ButtonSpec{};
  return list[entry];
}

void SkinWindow::RelayToTooltip(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!tooltip) return;
  switch (message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
      break;
    default:
      return;  // double clicks and everything else are not relayed
  }
  // The tools are plain rectangles of this window, so the control sees the
  // pointer only through this relay.
  DWORD position = GetMessagePos();
  MSG relayed = {};
  relayed.hwnd = hwnd;
  relayed.message = message;
  relayed.wParam = wParam;
  relayed.lParam = lParam;
  relayed.time = static_cast<DWORD>(GetMessageTime());
  relayed.pt.x = static_cast<short>(LOWORD(position));
  relayed.pt.y = static_cast<short>(HIWORD(position));
  SendMessageA(tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}
