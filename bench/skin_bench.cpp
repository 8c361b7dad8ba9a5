// Times the skin region build (one run at a time against the pairwise merge)
// and whole skin loads. Prints one line per case.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "app/application.h"
#include "common/handles.h"
#include "skin/image_buffer.h"
#include "plugins/png_file.h"
#include "skin/pixel_view.h"
#include "skin/plugin_list.h"
#include "skin/skin_model.h"
#include "skin/skin_region.h"
#include "support/test_support.h"
#include "window/reference_region.h"
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
void BenchSkinLoad(const char* name, const std::string& rcPath, PluginList* plugins = nullptr) {
  double created = 0, shown = 0;
  bool ok = true;
  for (int i = 0; i < 3 && ok; ++i) {
    SkinWindow window;
    double start = NowMs();
    ok = window.CreateSkinWindow(plugins, rcPath.c_str(), 0, "bench", WS_POPUP, 0, 0, nullptr,
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

// Decoding every picture of a skin folder (*.bmp or *.png), best of 5.
double BestPictureLoadMs(const std::string& folder, const char* pattern, PluginList* plugins) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\" + pattern).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return -1;
  do {
    names.push_back(folder + "\\" + found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return BestMs(5, [&] {
    for (const std::string& name : names) {
      LoadedImage picture;
      picture.LoadPicture(plugins, name.c_str());
    }
  });
}

// The default skin in PNG through the PNG plug-in against the same skin in BMP.
void BenchPluginSkin(const std::string& bmpRc) {
  ScratchFolder pngSkin, pluginFolder;
  PluginList plugins;
  if (!ConvertSkinToPng(SourcePath("skins/default"), pngSkin.path(), "ZantoPlay1.rc") ||
      !CopyFileA(BinaryPath(std::string("plugins/png") + kPluginExtension).c_str(),
                 pluginFolder.File(std::string("png") + kPluginExtension).c_str(), FALSE) ||
      !plugins.Scan(pluginFolder.path().c_str()) || plugins.count != 1) {
    printf("plugin no PNG skin or plug-in to time\n");
    return;
  }
  BenchSkinLoad("default skin as PNG, PNG plug-in", pngSkin.File("ZantoPlay1.rc"), &plugins);
  BenchSkinLoad("default skin as BMP, BMP reader", bmpRc);
  printf("decode default skin's pictures              BMP reader %6.1f ms  PNG plug-in %6.1f ms "
         "(best of 5)\n",
         BestPictureLoadMs(SourcePath("skins/default"), "*.bmp", nullptr),
         BestPictureLoadMs(pngSkin.path(), "*.png", &plugins));
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

// One start of the real program in `folder` until its window is visible and
// until it has painted it, in milliseconds after the process was created;
// false when no window came.
bool StartProgramOnce(const std::string& exe, const std::string& folder, double* visible,
                      double* painted) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process = {};
  std::string commandLine = "\"" + exe + "\"";
  double start = NowMs();
  if (!CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                      folder.c_str(), &startup, &process)) {
    return false;
  }
  Search search = {process.dwProcessId, nullptr};
  while (!search.found && NowMs() - start < 10000) {
    EnumWindows(FindPlayer, reinterpret_cast<LPARAM>(&search));
    if (!search.found) Sleep(1);
  }
  *visible = NowMs() - start;
  // Idle once its first WM_PAINT is done and its loop waits for input: the
  // window is on the screen.
  if (search.found) WaitForInputIdle(process.hProcess, 10000);
  *painted = NowMs() - start;
  if (search.found) PostMessageA(search.found, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
    TerminateProcess(process.hProcess, 1);
  }
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  return search.found != nullptr;
}

struct ProgramStart {
  const char* name;
  std::string folder;
  double visible;  // best times so far, ms after the process was created
  double painted;
  bool failed;
};

// Starts the real program in each folder (its default resource file there),
// the folders in turns so that a burst of load on the machine does not fall
// on one skin only; the best of `rounds` starts each.
void BenchProgramStarts(std::vector<ProgramStart>& starts, int rounds) {
  for (ProgramStart& start : starts) {
    start.visible = start.painted = 1e30;
    start.failed = !CopyFileA(InstallPath("ZantoPlay.exe").c_str(),
                              (start.folder + "\\ZantoPlay.exe").c_str(), FALSE);
  }
  for (int round = 0; round < rounds; ++round) {
    for (ProgramStart& start : starts) {
      double visible = 0, painted = 0;
      if (start.failed) continue;
      if (!StartProgramOnce(start.folder + "\\ZantoPlay.exe", start.folder, &visible, &painted)) {
        start.failed = true;
        continue;
      }
      start.visible = std::min(start.visible, visible);
      start.painted = std::min(start.painted, painted);
    }
  }
  for (const ProgramStart& start : starts) {
    if (start.failed) {
      printf("start  %-34s no window within 10 s\n", start.name);
      continue;
    }
    printf("start  %-34s window visible %6.1f ms, painted %6.1f ms after the process started "
           "(best of %d)\n",
           start.name, start.visible, start.painted, rounds);
  }
}

// A folder with the default skin's files, for the program to start on.
bool CopyDefaultSkin(const ScratchFolder& folder) {
  WIN32_FIND_DATAA found;
  std::string source = SourcePath("skins/default");
  HANDLE search = FindFirstFileA((source + "\\*.*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  bool copied = true;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    copied = CopyFileA((source + "\\" + found.cFileName).c_str(),
                       folder.File(found.cFileName).c_str(), FALSE) &&
             copied;
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return copied;
}

std::string WriteShapedSkin(const ScratchFolder& folder, int width, int height,
                            const PixelColour& colour) {
  WriteBmp(folder.File("back.bmp"), width, height, colour);
  WriteBmp(folder.File("inactive.bmp"), width, height, colour);
  std::string rc = folder.File("ZantoPlay1.rc");
  WriteFileBytes(rc, "BackgroundImage back.bmp\r\nBackgroundImageInactive inactive.bmp\r\n");
  return rc;
}

// A 1920x1080 skin with every painted widget, placed far from the picture's
// first rows and columns, like the default skin's widgets on a large face.
std::string WriteLargeWidgetSkin(const ScratchFolder& folder) {
  const int width = 1920, height = 1080;
  const RECT seek = {1500, 1000, 1800, 1010};
  WriteBmp(folder.File("back.bmp"), width, height, TestPattern);
  WriteBmp(folder.File("inactive.bmp"), width, height, RGB(40, 40, 40));
  WriteBmp(folder.File("pressed.bmp"), width, height, RGB(200, 60, 60));
  WriteBmp(folder.File("seek.bmp"), width, height, [&seek](int x, int y) {
    if (x < seek.left || x >= seek.right || y < seek.top || y >= seek.bottom) {
      return RGB(255, 0, 0);
    }
    int level = (x - seek.left) * 256 / (seek.right - seek.left);
    return RGB(level, level, level);
  });
  WriteBmp(folder.File("time.bmp"), 12 * 14, 24,
           [](int x, int y) { return (x + y) % 3 ? RGB(0, 0, 0) : RGB(120, 255, 200); });
  std::string rc = folder.File("ZantoPlay1.rc");
  WriteFileBytes(rc,
                 "BackgroundImage back.bmp\r\nBackgroundImageInactive inactive.bmp\r\n"
                 "BackgroundImagePressed1 pressed.bmp\r\nSeekImage seek.bmp\r\n"
                 "SeekRegion 1500 1000 1800 1010\r\n"
                 "TimeFontImage time.bmp\r\nTimeFontSize 14 24\r\nTimeFontSpacing 2\r\n"
                 "MP3TimeWindow 1500 900 1578 924\r\nFilenameWindow 1600 900 1900 915\r\n"
                 "PlayButton 1400 900 1448 948 play BMP1\r\n");
  return rc;
}

// "ＭＳ Ｐゴシック" in Shift-JIS, the settings' default face.
const char kDefaultFace[] = "\x82\x6c\x82\x72 \x82\x6f\x83\x53\x83\x56\x83\x62\x83\x4e";
// "3. " and a Japanese title.
const char kTrackLine[] = "3. \x96\xe9\x96\xbe\x82\xaf\x82\xcc\x83\x58\x83\x4c\x83\x83\x83\x62\x83\x67";

// Lets pending messages (WM_PAINT among them) run.
void PumpMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

// Mean cost of one call in microseconds, best of three batches of `calls`.
// The window paints between calls, as the program's message loop would let
// it: a growing update region would make every call dearer.
template <typename Work>
double MicrosPerCall(int calls, Work work) {
  double best = 1e30;
  for (int batch = 0; batch < 3; ++batch) {
    double total = 0;
    for (int i = 0; i < calls; ++i) {
      double start = NowMs();
      work(i);
      total += NowMs() - start;
      PumpMessages();
    }
    best = std::min(best, total);
  }
  return 1000.0 * best / calls;
}

// The cost of one repaint through each redraw entry point, on a shown window.
void BenchWidgetRepaints(const char* name, const std::string& rcPath) {
  SkinWindow window;
  if (!window.CreateSkinWindow(nullptr, rcPath.c_str(), 0, "bench", WS_POPUP, 0, 0, nullptr,
                               nullptr, GetModuleHandleA(nullptr))) {
    printf("paint  %-34s failed: status %d %s\n", name, window.status, window.errorText);
    return;
  }
  SetWindowPos(window.hwnd, nullptr, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  UpdateWindow(window.hwnd);
  TextFont font = {};
  lstrcpynA(font.faceName, kDefaultFace, sizeof(font.faceName));
  font.textColour = RGB(255, 255, 255);
  font.shadowOn = 1;
  window.SetTextFont(font, kTextFontAll);
  const int calls = 300;
  double time = MicrosPerCall(calls, [&](int i) { window.SetTime(i % 60, 27, i & 1); });
  double text = MicrosPerCall(calls, [&](int i) { window.SetText(i & 1 ? kTrackLine : "4. x"); });
  double seek = MicrosPerCall(calls, [&](int i) { window.SetSeekPosition(i % 256); });
  double button = MicrosPerCall(calls, [&](int i) { window.PaintButton(PlayButton, 0, i & 1); });
  printf("paint  %-34s %4dx%-4d SetTime %6.1f us  SetText %6.1f us  SetSeekPosition %6.1f us  "
         "PaintButton %6.1f us\n",
         name, window.bufferWidth, window.bufferHeight, time, text, seek, button);
}

}  // namespace

int main(int argc, char** argv) {
  // Starts of the real program per skin; more settle the best on a loaded machine.
  const int starts = argc > 1 && atoi(argv[1]) > 0 ? atoi(argv[1]) : 3;
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
  if (haveDefault) BenchPluginSkin(defaultRc);
  // The real program, start to window, on both skins.
  ScratchFolder defaultInstall;
  std::vector<ProgramStart> programs;
  if (haveDefault && CopyDefaultSkin(defaultInstall)) {
    programs.push_back({"ZantoPlay.exe, default skin", defaultInstall.path(), 0, 0, false});
  }
  programs.push_back({"ZantoPlay.exe, 1920x1080 shaped skin", large.path(), 0, 0, false});
  BenchProgramStarts(programs, starts);

  // One widget repaint: must not grow with the window's size.
  if (haveDefault) BenchWidgetRepaints("default skin", defaultRc);
  ScratchFolder widgets;
  BenchWidgetRepaints("1920x1080 skin", WriteLargeWidgetSkin(widgets));
  return 0;
}
