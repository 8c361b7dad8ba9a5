// The real program loads the default skin converted to PNG through the PNG
// plug-in, and it looks as the BMP skin does, even with plug-ins that fault
// on every picture found before it; without a plug-in that reads PNG it
// reports the first picture it cannot read.
#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <string>
#include <vector>

#include "common/fixed_text.h"
#include "common/handles.h"
#include "plugins/png_file.h"
#include "skin/plugin_list.h"
#include "program_driver.h"
#include "resources/resource.h"
#include "support/test_support.h"

namespace {

constexpr int kLeft = 40, kTop = 40;

// The test plug-ins that fault in IsSupported or GetPicture; the folder search
// finds them all before png.
const char* const kFaultingPlugins[] = {"minus1get", "minus1is", "nullget", "nullis"};

bool InstallPlugin(const std::string& built, const std::string& folder, const std::string& name) {
  return CopyFileA(BinaryPath("plugins/" + built + kPluginExtension).c_str(),
                   (folder + "\\" + name + kPluginExtension).c_str(), FALSE) != FALSE;
}

std::string Settings(int usePlugin, const std::string& pluginFolder) {
  return "[MainWindow]\r\nPositionX=" + std::to_string(kLeft) +
         "\r\nPositionY=" + std::to_string(kTop) + "\r\n[SusiePlugin]\r\nUsePlugin=" +
         std::to_string(usePlugin) + "\r\nPluginFolder=" + pluginFolder + "\r\n";
}

// What the screen shows inside the window now.
std::vector<COLORREF> Capture(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  WindowDc screen(nullptr);
  unique_hdc memory(CreateCompatibleDC(screen.get()));
  unique_hbitmap bitmap(CreateCompatibleBitmap(screen.get(), r.right - r.left, r.bottom - r.top));
  SelectedObject selected(memory.get(), bitmap.get());
  BitBlt(memory.get(), 0, 0, r.right - r.left, r.bottom - r.top, screen.get(), r.left, r.top, SRCCOPY);
  std::vector<COLORREF> pixels;
  for (int y = 0; y < r.bottom - r.top; ++y) {
    for (int x = 0; x < r.right - r.left; ++x) pixels.push_back(GetPixel(memory.get(), x, y));
  }
  return pixels;
}

bool ShowsASkin(const std::vector<COLORREF>& pixels) {
  return std::set<COLORREF>(pixels.begin(), pixels.end()).size() > 50;
}

// What the screen shows inside the program's window once it shows `expected`
// or, without it, once it shows a skin that stays the same over a whole poll
// period (the poll redraws the displays); the last capture when that does
// not come, empty when no window came.
std::vector<COLORREF> RunAndCapture(const std::string& folder,
                                    const std::vector<COLORREF>* expected = nullptr) {
  ProgramDriver program(folder);
  std::vector<COLORREF> pixels;
  if (!program.Start()) return pixels;
  HWND window = program.WaitForWindow("LuloWnd", 15000);
  if (window == nullptr) return pixels;
  std::vector<COLORREF> before;
  DWORD shownAt = 0;
  WaitFor(10000, [&] {
    pixels = Capture(window);
    if (expected) return pixels == *expected;
    if (!ShowsASkin(pixels) || pixels != before) {
      before = pixels;
      shownAt = GetTickCount();
      return false;
    }
    return GetTickCount() - shownAt > 600;
  });
  PostMessageA(window, WM_CLOSE, 0, 0);
  DWORD exitCode = 1234;
  EXPECT_TRUE(program.WaitForExit(15000, &exitCode));
  return pixels;
}

}  // namespace

// Faults caught: plug-ins not scanned at start-up or not handed to the skin
// window, PNG pictures drawn differently from the BMP ones (rows, channels,
// alpha), the plug-in list used although the settings switch it off, a
// plug-in's fault ending the program or stopping the picture before the next
// plug-in or the BMP reader, the 64-bit program looking for 32-bit plug-ins,
// a faulting plug-in's failure reported as an unknown format.
TEST(PluginSkin, ThePngDefaultSkinLooksLikeTheBmpOneAndNeedsThePlugin) {
  const std::string skin = SourcePath("skins/default");
  ScratchFolder bmpFolder, pngFolder;
  ASSERT_TRUE(CopySkin(skin, bmpFolder.path(), "ZantoPlay1.rc"));
  ASSERT_TRUE(WriteFileBytes(bmpFolder.File("ZantoPlay.ini"), Settings(0, "")));
  ASSERT_TRUE(ConvertSkinToPng(skin, pngFolder.path(), "ZantoPlay1.rc"));
  const std::string plugins = pngFolder.File("plugins");
  ASSERT_TRUE(CreateDirectoryA(plugins.c_str(), nullptr));
  for (const char* faulting : kFaultingPlugins) {
    ASSERT_TRUE(InstallPlugin("odd", plugins, faulting));
  }
  ASSERT_TRUE(InstallPlugin("png", plugins, "png"));
  ASSERT_TRUE(WriteFileBytes(pngFolder.File("ZantoPlay.ini"), Settings(1, plugins)));

  std::vector<COLORREF> bmpLook = RunAndCapture(bmpFolder.path());
  ASSERT_FALSE(bmpLook.empty());
  ASSERT_TRUE(ShowsASkin(bmpLook)) << "the screen capture shows no skin";
  std::vector<COLORREF> pngLook = RunAndCapture(pngFolder.path(), &bmpLook);
  ASSERT_EQ(pngLook.size(), bmpLook.size()) << "the PNG skin did not start at the same size";
  size_t different = 0;
  for (size_t i = 0; i < bmpLook.size(); ++i) different += bmpLook[i] != pngLook[i];
  EXPECT_EQ(different, 0u) << "of " << bmpLook.size() << " pixels";

  // Plug-ins off, and then only the faulting ones: either way the BMP reader
  // meets the first PNG picture.
  const std::string faultingOnly = pngFolder.File("faulting");
  ASSERT_TRUE(CreateDirectoryA(faultingOnly.c_str(), nullptr));
  for (const char* faulting : kFaultingPlugins) {
    ASSERT_TRUE(InstallPlugin("odd", faultingOnly, faulting));
  }
  // The reason: no plug-in for PNG, or the plug-ins that took it failed.
  const std::pair<std::string, UINT> runs[] = {{Settings(0, plugins), IDS_REASON_NO_PLUGIN},
                                               {Settings(1, faultingOnly), IDS_REASON_PLUGIN_FAILED}};
  for (const auto& run : runs) {
    SCOPED_TRACE(run.first);
    ASSERT_TRUE(WriteFileBytes(pngFolder.File("ZantoPlay.ini"), run.first));
    ProgramDriver program(pngFolder.path());
    ASSERT_TRUE(program.Start());
    DWORD exitCode = 1234;
    EXPECT_EQ(program.AnswerMessageBox(&exitCode),
              ImageFailedMessage("BackgroundImage", pngFolder.File("main.png"),
                                 ResourceText(run.second)));
    EXPECT_EQ(exitCode, 0u);
  }
}
