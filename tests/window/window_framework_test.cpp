#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "window/back_buffer_window.h"
#include "window/skin_window_fixture.h"

namespace {

const char kTestClass[] = "ZantoFrameworkTestWnd";

void RegisterTestClass() {
  static bool registered = false;
  if (registered) return;
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof(wc);
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = BaseWindow::StaticWindowProc;
  wc.cbWndExtra = sizeof(void*);
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.lpszClassName = kTestClass;
  registered = RegisterClassExA(&wc) != 0;
  ASSERT_TRUE(registered);
}

// A derived level that records what reaches it and can claim some messages.
class RecordingWindow : public BackBufferWindow {
 public:
  LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override {
    seen.push_back(message);
    switch (message) {
      case WM_CREATE:
        createdHere = true;
        break;
      case WM_CLOSE:
        if (!claimClose) return BackBufferWindow::WindowProc(hwnd, message, wParam, lParam);
        // Work that dispatches another message before this one is claimed.
        SetWindowTextA(hwnd, "renamed while closing");
        break;
      case WM_SETTEXT:
        if (!claimSetText) return BackBufferWindow::WindowProc(hwnd, message, wParam, lParam);
        break;
      default:
        return BackBufferWindow::WindowProc(hwnd, message, wParam, lParam);
    }
    MarkHandled(0);
    return BackBufferWindow::WindowProc(hwnd, message, wParam, lParam);
  }

  bool Open(DWORD style = WS_POPUP, int width = 64, int height = 48) {
    RegisterTestClass();
    return Create(0, kTestClass, "start", style, 10, 10, width, height, nullptr, nullptr,
                  GetModuleHandleA(nullptr));
  }

  std::vector<UINT> seen;
  bool createdHere = false;
  bool claimClose = false;
  bool claimSetText = false;
};

std::string TextOf(HWND hwnd) {
  char text[64] = "";
  GetWindowTextA(hwnd, text, sizeof(text));
  return text;
}

TEST(HandledProtocol, AClaimedMessageNeverReachesDefaultProcessing) {
  RecordingWindow window;
  ASSERT_TRUE(window.Open());

  // Unclaimed, WM_SETTEXT and WM_CLOSE get their default processing.
  EXPECT_EQ(SendMessageA(window.hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("one")), TRUE);
  EXPECT_EQ(TextOf(window.hwnd), "one");

  window.claimSetText = true;
  EXPECT_EQ(SendMessageA(window.hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("two")), 0);
  EXPECT_EQ(TextOf(window.hwnd), "one");

  // A claim made after nested work still counts, and the nested message got
  // its own default processing.
  window.claimSetText = false;
  window.claimClose = true;
  EXPECT_EQ(SendMessageA(window.hwnd, WM_CLOSE, 0, 0), 0);
  ASSERT_TRUE(IsWindow(window.hwnd));
  EXPECT_EQ(TextOf(window.hwnd), "renamed while closing");

  window.claimClose = false;
  HWND handle = window.hwnd;
  SendMessageA(handle, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(handle));
  EXPECT_EQ(window.hwnd, nullptr);  // the object forgets a dead handle
}

TEST(HandledProtocol, BaseLevelsStillDoTheirShareOfAClaimedMessage) {
  RecordingWindow window;
  ASSERT_TRUE(window.Open(WS_POPUP, 30, 20));
  EXPECT_TRUE(window.createdHere);
  // The back-buffer level created its buffer although WM_CREATE was claimed above it.
  ASSERT_TRUE(window.backBuffer);
  BITMAP bitmap = {};
  GetObjectA(window.backBuffer.get(), sizeof(bitmap), &bitmap);
  EXPECT_EQ(bitmap.bmWidth, 30);
  EXPECT_EQ(bitmap.bmHeight, 20);
}

// Messages sent to windows of the test class, seen before any window procedure.
std::vector<UINT>* hookLog = nullptr;
LRESULT CALLBACK LogSentMessages(int code, WPARAM wParam, LPARAM lParam) {
  const CWPSTRUCT* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
  char className[64] = "";
  if (code == HC_ACTION && hookLog && GetClassNameA(sent->hwnd, className, sizeof(className)) &&
      std::string(className) == kTestClass) {
    hookLog->push_back(sent->message);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(StaticWindowProcTest, MessagesUpToWmNcCreateNeverReachTheObject) {
  std::vector<UINT> sent;
  hookLog = &sent;
  HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, LogSentMessages, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  RecordingWindow window;
  // A sizeable overlapped window is asked for its size limits before WM_NCCREATE.
  bool created = window.Open(WS_OVERLAPPEDWINDOW);
  UnhookWindowsHookEx(hook);
  hookLog = nullptr;
  ASSERT_TRUE(created);

  auto nccreate = std::find(sent.begin(), sent.end(), static_cast<UINT>(WM_NCCREATE));
  ASSERT_NE(nccreate, sent.end());
  ASSERT_NE(std::find(sent.begin(), nccreate, static_cast<UINT>(WM_GETMINMAXINFO)), nccreate)
      << "expected WM_GETMINMAXINFO before WM_NCCREATE";
  EXPECT_EQ(std::count(window.seen.begin(), window.seen.end(), static_cast<UINT>(WM_NCCREATE)),
            0);
  // Everything after WM_NCCREATE reached the object, in order.
  std::vector<UINT> after(nccreate + 1, sent.end());
  ASSERT_GE(window.seen.size(), after.size());
  EXPECT_TRUE(std::equal(after.begin(), after.end(), window.seen.begin()));
}

TEST(StaticWindowProcTest, AWindowWithoutObjectGetsDefaultProcessing) {
  RegisterTestClass();
  HWND plain = CreateWindowExA(0, kTestClass, "plain", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(plain, nullptr);
  EXPECT_EQ(TextOf(plain), "plain");
  SendMessageA(plain, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(plain));
}

TEST(StaticWindowProcTest, DestroyingTheObjectDestroysItsWindow) {
  HWND handle;
  {
    RecordingWindow window;
    ASSERT_TRUE(window.Open());
    handle = window.hwnd;
    EXPECT_FALSE(window.Open());  // one object, one window
    EXPECT_EQ(window.hwnd, handle);
  }
  EXPECT_FALSE(IsWindow(handle));
}

TEST(DrawingPass, PassesNeverNest) {
  RecordingWindow window;
  ASSERT_TRUE(window.Open());
  EXPECT_FALSE(window.EndDraw());  // nothing open
  HDC first = window.BeginDraw();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(window.BeginDraw(), nullptr);
  EXPECT_FALSE(window.Fill(RGB(0, 0, 255)));  // needs a pass of its own
  EXPECT_FALSE(window.ResizeBackBuffer());    // the buffer is in use
  EXPECT_TRUE(window.EndDraw());
  EXPECT_FALSE(window.EndDraw());
  // The refused fill left the buffer as it was: white from creation.
  EXPECT_EQ(BufferPixel(window, 3, 3), RGB(255, 255, 255));
  EXPECT_TRUE(window.Fill(RGB(0, 0, 255)));
  EXPECT_EQ(BufferPixel(window, 63, 47), RGB(0, 0, 255));
}

TEST(DrawingPass, AnOpenPassIsClosedWhenTheWindowGoes) {
  RecordingWindow window;
  ASSERT_TRUE(window.Open());
  ASSERT_NE(window.BeginDraw(), nullptr);
  DestroyWindow(window.hwnd);
  EXPECT_FALSE(window.drawDC);
  EXPECT_FALSE(window.backBuffer);
}

// Lets pending messages (WM_PAINT among them) run.
void PumpMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

TEST(BackBuffer, PaintCopiesTheBufferToTheScreen) {
  RecordingWindow window;
  ASSERT_TRUE(window.Open(WS_POPUP, 64, 48));
  // Shown without activation: Wine treats an active window as managed and
  // waits seconds for a window manager when it goes away.
  SetWindowPos(window.hwnd, nullptr, 20, 20, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  PumpMessages();

  window.Fill(RGB(255, 0, 0));
  HDC dc = window.BeginDraw();
  ASSERT_NE(dc, nullptr);
  RECT square = {40, 30, 50, 40};
  unique_hbrush blue(CreateSolidBrush(RGB(0, 0, 255)));
  FillRect(dc, &square, blue.get());
  window.EndDraw();
  InvalidateRect(window.hwnd, nullptr, TRUE);
  UpdateWindow(window.hwnd);

  WindowDc screen(window.hwnd);
  EXPECT_EQ(GetPixel(screen.get(), 5, 5), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(screen.get(), 45, 35), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(screen.get(), 50, 40), RGB(255, 0, 0));

  // Only the invalid part is copied: a change elsewhere waits for its own paint.
  window.Fill(RGB(0, 255, 0));
  RECT corner = {0, 0, 8, 8};
  InvalidateRect(window.hwnd, &corner, TRUE);
  UpdateWindow(window.hwnd);
  EXPECT_EQ(GetPixel(screen.get(), 2, 2), RGB(0, 255, 0));
  EXPECT_EQ(GetPixel(screen.get(), 20, 20), RGB(255, 0, 0));
}

}  // namespace
