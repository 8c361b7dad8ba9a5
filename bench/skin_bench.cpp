// Times the skin region build (one run at a time against the pairwise merge)
// and whole skin loads. Prints one line per case.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "app/application.h"
#include "common/handles.h"
#include "skin/image_buffer.h"
#include "skin/pixel_view.h"
#include "skin/skin_model.h"
#include "skin/skin_region.h"
#include "support/test_support.h"
#include "window/reference_region.h"
#include "window/skin_files.h"
#include "window/skin_window.h"

namespace {

double NowMs() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Best of `repeats` runs of work(), in milliseconds.
template <typename Work>
double BestMs(int repeats, Work work) {
  double best = 1e30;
  for (int i = 0; i < repeats; ++i) {
    double start = NowMs();
    work();
    best = std::min(best, NowMs() - start);
  }
  return best;
}

int CountRuns(const ImageBuffer& picture) {
  int runs = 0;
  PixelView pixels(picture);
  ForEachOpaqueRun(
      pixels.Width(), pixels.Height(),
      [&pixels](int x, int y) { return pixels.At(x, y) != kTransparentColour; },
      [&runs](int, int, int) { return ++runs, true; });
  return runs;
}

void BenchRegion(const char* name, const ImageBuffer& picture) {
  PixelView pixels(picture);
  auto opaque = [&pixels](int x, int y) { return pixels.At(x, y) != kTransparentColour; };
  unique_hrgn reference;
  double referenceMs = BestMs(picture.Width() * picture.Height() > 1000000 ? 1 : 3, [&] {
    reference = BuildRegionOneRunAtATime(picture.Width(), picture.Height(), opaque);
  });
  unique_hrgn ours;
  double oursMs = BestMs(5, [&] {
    ours.reset(CreateRectRgn(0, 0, 0, 0));
    AddPictureShape(picture, ours.get());
  });
  double runsMs = BestMs(5, [&] { CountRuns(picture); });
  bool equal = reference && ours && EqualRgn(reference.get(), ours.get());
  printf("region %-34s %4dx%-4d runs=%6d  one-at-a-time %7.1f ms  merged %5.1f ms "
         "(finding the runs %4.1f ms)  %5.1fx  %s\n",
         name, picture.Width(), picture.Height(), CountRuns(picture), referenceMs, oursMs, runsMs,
         referenceMs / oursMs, equal ? "equal" : "DIFFERENT");
}

// A picture of 8x8 cells, each magenta or not at random: tens of thousands of runs.
COLORREF Checkerboard(int x, int y) {
  static std::vector<char> cells = [] {
    std::mt19937 random(1234);
    std::vector<char> c(240 * 135);
    for (char& cell : c) cell = random() % 2;
    return c;
  }();
  return cells[(y / 8) * 240 + x / 8] ? kMagenta : TestPattern(x, y);
}

// A rounded player shape with a few holes, standing in for a skin background.
COLORREF ShapedPlayer(int x, int y) {
  int dx = x < 20 ? 20 - x : (x >= 340 ? x - 339 : 0);
  int dy = y < 20 ? 20 - y : (y >= 100 ? y - 99 : 0);
  if (dx * dx + dy * dy > 400) return kMagenta;
  if (y > 50 && y < 70 && x % 40 < 10) return kMagenta;
  return TestPattern(x, y);
}

bool LoadPictureFile(const std::string& path, LoadedImage& picture) {
  return picture.LoadPicture(nullptr, path.c_str()) == ImageOk;
}

// Parse, decode, region and first paint of a skin, the window shown and painted.
void BenchSkinLoad(const char* name, const std::string& rcPath) {
  double created = 0, shown = 0;
  bool ok = true;
  for (int i = 0; i < 3 && ok; ++i) {
    SkinWindow window;
    double start = NowMs();
    ok = window.CreateSkinWindow(nullptr, rcPath.c_str(), 0, "bench", WS_POPUP, 0, 0, nullptr,
                                 nullptr, GetModuleHandleA(nullptr));
    double afterCreate = NowMs();
    if (!ok) {
      printf("load   %-34s failed: status %d %s\n", name, window.status, window.errorText);
      return;
    }
    // Shown without activation: closing an activated window makes Wine wait
    // for a window manager that Xvfb does not have.
    SetWindowPos(window.hwnd, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    UpdateWindow(window.hwnd);
    double afterShow = NowMs();
    if (i == 0 || afterShow - start < shown) {
      created = afterCreate - start;
      shown = afterShow - start;
    }
  }
  printf("load   %-34s created %7.1f ms  shown and painted %7.1f ms (best of 3)\n", name, created,
         shown);
}

struct Search {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK FindPlayer(HWND hwnd, LPARAM lParam) {
  auto* search = reinterpret_cast<Search*>(lParam);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  char className[32] = "";
  GetClassNameA(hwnd, className, sizeof(className));
  if (pid == search->processId && IsWindowVisible(hwnd) &&
      lstrcmpA(className, kSkinWindowClassName) == 0) {
    search->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

// Starts the real program with `folder`'s default resource file and times
// until its window is visible.
void BenchProgramStart(const char* name, const std::string& folder) {
  std::string exe = folder + "\\ZantoPlay.exe";
  if (!CopyFileA(BinaryPath("out/ZantoPlay.exe").c_str(), exe.c_str(), FALSE)) {
    printf("start  %-34s skipped: no ZantoPlay.exe\n", name);
    return;
  }
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process = {};
  std::string commandLine = "\"" + exe + "\"";
  double start = NowMs();
  if (!CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                      folder.c_str(), &startup, &process)) {
    printf("start  %-34s could not start the program\n", name);
    return;
  }
  Search search = {process.dwProcessId, nullptr};
  while (!search.found && NowMs() - start < 10000) {
    EnumWindows(FindPlayer, reinterpret_cast<LPARAM>(&search));
    if (!search.found) Sleep(2);
  }
  double visible = NowMs() - start;
  if (search.found) {
    printf("start  %-34s window visible %7.1f ms after the process started\n", name, visible);
    PostMessageA(search.found, WM_CLOSE, 0, 0);
  } else {
    printf("start  %-34s no window within 10 s\n", name);
  }
  if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
    TerminateProcess(process.hProcess, 1);
  }
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
}

std::string WriteShapedSkin(const ScratchFolder& folder, int width, int height,
                            const PixelColour& colour) {
  WriteBmp(folder.File("back.bmp"), width, height, colour);
  WriteBmp(folder.File("inactive.bmp"), width, height, colour);
  std::string rc = folder.File("ZantoPlay1.rc");
  WriteFileBytes(rc, "BackgroundImage back.bmp\r\nBackgroundImageInactive inactive.bmp\r\n");
  return rc;
}

}  // namespace

int main() {
  appInstance = GetModuleHandleA(nullptr);
  InitCommonControls();
  RegisterPlayerClass(appInstance);

  // (a) the default skin's background, when its pictures are there.
  std::string defaultRc = SourcePath("skins/default/ZantoPlay1.rc");
  SkinModel defaultModel;
  LoadedImage defaultBackground;
  bool haveDefault =
      defaultModel.LoadResourceFile(defaultRc.c_str()) &&
      LoadPictureFile(SourcePath("skins/default/") + defaultModel.backgroundImageFile,
                      defaultBackground);
  ScratchFolder shaped;
  if (haveDefault) {
    BenchRegion("default skin background", defaultBackground);
  } else {
    printf("note   the default skin's pictures are not here; a 360x120 shaped picture stands in\n");
    WriteShapedSkin(shaped, 360, 120, ShapedPlayer);
    LoadedImage picture;
    LoadPictureFile(shaped.File("back.bmp"), picture);
    BenchRegion("360x120 shaped test picture", picture);
  }

  // (b) a large background whose shape has tens of thousands of runs.
  ScratchFolder large;
  std::string largeRc = WriteShapedSkin(large, 1920, 1080, Checkerboard);
  LoadedImage largePicture;
  LoadPictureFile(large.File("back.bmp"), largePicture);
  BenchRegion("1920x1080 random 8x8 magenta cells", largePicture);

  // Whole loads: parse, decode, region, first paint.
  if (haveDefault) {
    BenchSkinLoad("default skin", defaultRc);
  } else {
    BenchSkinLoad("360x120 shaped test skin", shaped.File("ZantoPlay1.rc"));
  }
  BenchSkinLoad("1920x1080 shaped skin", largeRc);
  BenchProgramStart("ZantoPlay.exe, 1920x1080 shaped skin", large.path());
  return 0;
}
