// The Susie plug-in host against real libraries: the PNG plug-in and the
// misbehaving one (tools/susie-test-plugins), copied into scratch folders
// under the names that select their behaviour. Names are given without the
// extension, which is the build's own (.spi, or .sph in 64-bit).
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "images/picture_test_util.h"
#include "png_file.h"
#include "skin/image_buffer.h"
#include "skin/plugin_list.h"
#include "support/test_support.h"

namespace {

bool Install(const std::string& built, const std::string& folder, const std::string& name) {
  return CopyFileA(BinaryPath("plugins/" + built + kPluginExtension).c_str(),
                   (folder + "\\" + name + kPluginExtension).c_str(), FALSE) != FALSE;
}
bool InstallOdd(const std::string& folder, const std::string& name) {
  return Install("odd", folder, name);
}

// The order the folder search returns the plug-in files in (their names
// without the extension): the order of the list.
std::vector<std::string> SearchOrder(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*" + kPluginExtension).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    std::string name = found.cFileName;
    names.push_back(name.substr(0, name.size() - std::strlen(kPluginExtension)));
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

const COLORREF kPluginGreen = RGB(0, 255, 0);
const COLORREF kBmpBlue = RGB(10, 20, 200);

DWORD WINAPI ReturnAtOnce(void*) { return 0; }

// Whether every record of this thread's frame-handler chain lies in a frame
// that is still live: above `deepest`, a local of the caller. Frame handlers
// exist on i686 only.
bool FrameHandlersAllLive(const void* deepest) {
#if defined(__i386__)
  struct Record {
    Record* next;
    void* handler;
  }* record;
  __asm__ __volatile__("movl %%fs:0, %0" : "=r"(record));
  for (; record != reinterpret_cast<Record*>(~static_cast<uintptr_t>(0)); record = record->next) {
    if (reinterpret_cast<uintptr_t>(record) < reinterpret_cast<uintptr_t>(deepest)) return false;
  }
#endif
  (void)deepest;
  return true;
}

// A 1 x 1 BMP of one colour.
std::string OnePixelBmp(COLORREF colour) {
  BmpRecipe recipe;
  recipe.width = 1;
  recipe.rows = {Rgb24Row({colour})};
  return EncodeBmp(recipe);
}

}  // namespace

// Faults caught: a trailing backslash doubled or missing, a Shift-JIS trail
// byte 0x5C taken for a separator, a broken library stopping the scan, paths
// built past MAX_PATH.
TEST(PluginScan, FindsTheSameLibrariesWithOrWithoutTheBackslashAndSkipsNonLibraries) {
  ScratchFolder scratch;
  const std::string& folder = scratch.path();
  ASSERT_TRUE(Install("png", folder, "png"));
  ASSERT_TRUE(Install("no_exports", folder, "no_exports"));
  // Not a library; whatever the search order, the others still load.
  ASSERT_TRUE(WriteFileBytes(folder + "\\broken" + kPluginExtension, "MZ but nothing more"));
  ASSERT_TRUE(WriteFileBytes(folder + "\\readme.txt", "not a plug-in"));
  // The other architecture's plug-ins are not this program's to load.
  const char* otherKind = std::strcmp(kPluginExtension, ".spi") == 0 ? ".sph" : ".spi";
  ASSERT_TRUE(CopyFileA(BinaryPath(std::string("plugins/png") + kPluginExtension).c_str(),
                        (folder + "\\other" + otherKind).c_str(), FALSE));

  PluginList list;
  for (const std::string& given : {folder, folder + "\\"}) {
    SCOPED_TRACE(given);
    EXPECT_TRUE(list.Scan(given.c_str()));
    EXPECT_EQ(list.count, 2);
  }
  list.UnloadAll();
  EXPECT_EQ(list.count, 0);
  EXPECT_TRUE(list.Scan((folder + "\\missing").c_str()));
  EXPECT_EQ(list.count, 0);

  if (GetACP() == 932) {
    // "表" is 0x95 0x5C: its trail byte is the backslash code.
    std::string kanji = folder + "\\\x95\x5C";
    ASSERT_TRUE(CreateDirectoryA(kanji.c_str(), nullptr));
    ASSERT_TRUE(Install("png", kanji, "png"));
    EXPECT_TRUE(list.Scan(kanji.c_str()));
    EXPECT_EQ(list.count, 1) << "the folder name's trail byte was taken for a backslash";
  }

  // A file whose full path would pass MAX_PATH is skipped; a folder whose
  // pattern would, is not searched. Neither is written past a buffer.
  std::string deep = folder + "\\" + std::string(MAX_PATH - 30 - folder.size(), 'd');
  ASSERT_TRUE(CreateDirectoryA(deep.c_str(), nullptr));
  ASSERT_TRUE(Install("png", deep, "png"));
  ASSERT_TRUE(Install("png", deep, std::string(40, 'p')));
  EXPECT_TRUE(list.Scan(deep.c_str()));
  EXPECT_EQ(list.count, 1);
  EXPECT_TRUE(list.Scan(std::string(MAX_PATH - 3, 'x').c_str()));
  EXPECT_EQ(list.count, 0);
}

// Faults caught: a result code mapped to the wrong status, a failing plug-in
// followed by the BMP reader, a refusing one asked for the picture anyway, a
// 4-bit or top-down picture read as black, blocks too short taken over, the
// previous picture lost on failure, a BITMAPV5HEADER refused or its palette
// read from inside the header.
TEST(PluginLoad, EachPluginAnswerGivesItsStatusAndPicture) {
  const COLORREF kBefore = RGB(1, 2, 3), kSampleTopLeft = kRed;
  const struct {
    const char* plugin;
    ImageStatus status;
    COLORREF topLeft;  // kBefore: the previous picture stays
  } cases[] = {
      {"code3", ImageBadData, kBefore},   {"code8", ImagePluginFailed, kBefore},
      {"code4", ImageOutOfMemory, kBefore}, {"code5", ImageOutOfMemory, kBefore},
      // Blocks that hold no picture are the plug-in's failure, not the file's.
      {"code6", ImageReadFailed, kBefore}, {"short", ImagePluginFailed, kBefore},
      // Codes that mean "not this plug-in": the BMP reader takes over.
      {"codeM1", ImageOk, kBmpBlue}, {"code1", ImageOk, kBmpBlue},
      {"code2", ImageOk, kBmpBlue},  {"code7", ImageOk, kBmpBlue},
      {"code99", ImageOk, kBmpBlue}, {"never", ImageOk, kBmpBlue},
      {"no_exports", ImageOk, kBmpBlue},
      {"png", ImageOk, kBmpBlue},  // its IsSupported refuses a BMP
      {"green", ImageOk, kPluginGreen},
      {"pal4", ImageOk, kSampleTopLeft}, {"topdown", ImageOk, kSampleTopLeft},
      // Longer headers: the palette after 124 bytes, the masks inside them.
      {"v5pal", ImageOk, kSampleTopLeft}, {"v5bits", ImageOk, kSampleTopLeft},
  };
  ScratchFolder pictures;
  const std::string bmp = pictures.File("picture.bmp"), previous = OnePixelBmp(kBefore);
  ASSERT_TRUE(WriteFileBytes(bmp, OnePixelBmp(kBmpBlue)));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.plugin);
    ScratchFolder pluginFolder;
    std::string name = c.plugin;
    bool own = name == "png" || name == "no_exports";
    ASSERT_TRUE(own ? Install(c.plugin, pluginFolder.path(), name)
                    : InstallOdd(pluginFolder.path(), name));
    PluginList list;
    list.Scan(pluginFolder.path().c_str());
    ASSERT_EQ(list.count, 1);

    LoadedImage image;
    ASSERT_EQ(LoadBytes(&image, previous), ImageOk);
    EXPECT_EQ(image.LoadPicture(&list, bmp.c_str()), c.status);
    EXPECT_EQ(image.GetPixel(0, 0), c.topLeft);
    if (c.topLeft == kSampleTopLeft) ExpectSampleColors(image);
    // Whatever is held is read as stored: converted pictures are 24-bit,
    // the top-down one bottom-up.
    EXPECT_GT(image.info->bmiHeader.biHeight, 0);
  }
}

// Faults caught: a picture lost or leaked on the way from the plug-in (by
// LoadPicture or by ImageBuffer's own loaders called on a LoadedImage), rows
// or channels swapped, a missing file reported otherwise, the list consulted
// in the wrong order.
TEST(PluginLoad, PngPicturesComeThroughThePluginAndTheFirstPluginFoundWins) {
  ScratchFolder pluginFolder, pictures;
  ASSERT_TRUE(Install("png", pluginFolder.path(), "png"));
  PluginList list;
  list.Scan(pluginFolder.path().c_str());
  ASSERT_EQ(list.count, 1);
  ImageBuffer sample;
  ASSERT_EQ(LoadBytes(&sample, EncodeBmp(SampleRecipe())), ImageOk);
  const std::string png = pictures.File("sample.png"), bmp = pictures.File("blue.bmp");
  ASSERT_TRUE(WriteFileBytes(png, PngBytes(sample)));
  ASSERT_TRUE(WriteFileBytes(bmp, OnePixelBmp(kBmpBlue)));

  LoadedImage image;
  ImageBuffer& asBuffer = image;
  for (int route = 0; route < 3; ++route) {
    SCOPED_TRACE(route);
    ASSERT_EQ(image.LoadPicture(&list, png.c_str()), ImageOk);
    ExpectSampleColors(image);
    HLOCAL held = image.infoHandle;
    ASSERT_NE(held, nullptr) << "a 32-bit bottom-up picture is used in place";
    bool replaced = route == 0   ? asBuffer.CreateBlank(2, 2)
                    : route == 1 ? asBuffer.LoadBmp(bmp.c_str()) == ImageOk
                                 : image.LoadPicture(&list, bmp.c_str()) == ImageOk;
    ASSERT_TRUE(replaced);
    EXPECT_EQ(image.infoHandle, nullptr);
    EXPECT_EQ(image.bitsHandle, nullptr);
    EXPECT_EQ(LocalFlags(held), LMEM_INVALID_HANDLE) << "the plug-in's block was not freed";
  }
  EXPECT_EQ(image.LoadPicture(&list, pictures.File("gone.png").c_str()), ImageCannotOpen);
  EXPECT_EQ(image.GetPixel(0, 0), kBmpBlue);

  // Two plug-ins that both take every file: the one the search finds first.
  ScratchFolder twoFolder;
  ASSERT_TRUE(InstallOdd(twoFolder.path(), "green"));
  ASSERT_TRUE(InstallOdd(twoFolder.path(), "pal4"));
  list.Scan(twoFolder.path().c_str());
  ASSERT_EQ(list.count, 2);
  std::vector<std::string> order = SearchOrder(twoFolder.path());
  ASSERT_EQ(order.size(), 2u);
  ASSERT_EQ(image.LoadPicture(&list, png.c_str()), ImageOk);
  EXPECT_EQ(image.GetPixel(0, 0), order[0] == "green" ? kPluginGreen : kRed);
  list.UnloadAll();  // so the scratch folders can go
}

// Faults caught: a plug-in's access violation ending the program, a faulted
// plug-in called again, the picture stopping at it instead of going on to
// the next plug-in and then the BMP reader, a fault while loading taken for
// a plug-in, the thread left unable to start threads after a fault, (i686)
// the plug-in's frame handlers left chained after its frames are given up.
TEST(PluginFault, AFaultingPluginRefusesFromThenOnAndThePictureGoesOn) {
  ScratchFolder pictures;
  const std::string bmp = pictures.File("picture.bmp");
  ASSERT_TRUE(WriteFileBytes(bmp, OnePixelBmp(kBmpBlue)));
  for (const char* faulting :
       {"nullis", "nullget", "minus1is", "minus1get", "nullseh", "faultonce", "nullinfo"}) {
    SCOPED_TRACE(faulting);
    for (bool withNext : {false, true}) {
      ScratchFolder folder;
      ASSERT_TRUE(InstallOdd(folder.path(), faulting));
      ASSERT_TRUE(!withNext || InstallOdd(folder.path(), "pal4"));
      ASSERT_EQ(SearchOrder(folder.path())[0], faulting) << "the faulting plug-in must be asked first";
      PluginList list;
      list.Scan(folder.path().c_str());
      ASSERT_EQ(list.count, withNext ? 2 : 1);
      // Twice: faultonce would give green if it were asked again.
      for (int load = 0; load < 2; ++load) {
        LoadedImage image;
        ASSERT_EQ(image.LoadPicture(&list, bmp.c_str()), ImageOk);
        if (withNext) {
          ExpectSampleColors(image);
        } else {
          EXPECT_EQ(image.GetPixel(0, 0), kBmpBlue);
        }
        EXPECT_TRUE(list.Faulted(0));
        EXPECT_FALSE(withNext && list.Faulted(1)) << "the plug-in after it taken for faulted";
        EXPECT_TRUE(FrameHandlersAllLive(&image)) << "the chain leads into abandoned frames";
      }
    }
  }

  // DllMain faults inside LoadLibrary: that library is skipped, the next one
  // kept; one faulting when unloaded is survived; and the loader is still
  // usable (threads start).
  ScratchFolder folder;
  ASSERT_TRUE(InstallOdd(folder.path(), "nullfree"));
  ASSERT_TRUE(InstallOdd(folder.path(), "nullmain"));
  ASSERT_TRUE(InstallOdd(folder.path(), "pal4"));
  PluginList list;
  list.Scan(folder.path().c_str());
  ASSERT_EQ(list.count, 2);
  list.Scan(folder.path().c_str());  // unloads nullfree on the way
  ASSERT_EQ(list.count, 2);
  LoadedImage image;
  ASSERT_EQ(image.LoadPicture(&list, bmp.c_str()), ImageOk);
  EXPECT_EQ(image.GetPixel(0, 0), kPluginGreen) << "nullfree, found first, was not kept";
  HANDLE thread = CreateThread(nullptr, 0, ReturnAtOnce, nullptr, 0, nullptr);
  ASSERT_NE(thread, nullptr);
  EXPECT_EQ(WaitForSingleObject(thread, 5000), WAIT_OBJECT_0) << "a thread could not start";
  CloseHandle(thread);
  list.UnloadAll();
}

// Faults caught: a picture decoded although its plug-in told a size beyond
// the limits (that decode takes 20 s and then gives a picture), the refusal
// without its size or losing the previous picture, a file nothing reads
// called broken data, and a plug-in's fault on it called an unknown format.
TEST(PluginLoad, APictureBeyondTheLimitsIsRefusedFromItsSizeAndARefusalSaysWhy) {
  ScratchFolder hugeFolder, faultFolder, pictures;
  ASSERT_TRUE(InstallOdd(hugeFolder.path(), "huge"));
  ASSERT_TRUE(InstallOdd(faultFolder.path(), "nullis"));
  PluginList huge, faulting;
  huge.Scan(hugeFolder.path().c_str());
  faulting.Scan(faultFolder.path().c_str());
  ASSERT_EQ(huge.count + faulting.count, 2);
  const std::string hugePicture = pictures.File("huge.pic"), text = pictures.File("text.pic");
  ASSERT_TRUE(WriteFileBytes(hugePicture, "HUGE"));
  ASSERT_TRUE(WriteFileBytes(text, "not a picture"));

  LoadedImage image;
  ASSERT_EQ(LoadBytes(&image, OnePixelBmp(kBmpBlue)), ImageOk);
  const DWORD start = GetTickCount();
  EXPECT_EQ(image.LoadPicture(&huge, hugePicture.c_str()), ImageTooLarge);
  EXPECT_LT(GetTickCount() - start, 5000u) << "GetPicture was called";
  EXPECT_EQ(image.refusedSize.width, 30000);
  EXPECT_EQ(image.refusedSize.height, 30000);
  EXPECT_EQ(image.GetPixel(0, 0), kBmpBlue);

  EXPECT_EQ(image.LoadPicture(&huge, text.c_str()), ImageUnknownFormat);
  EXPECT_EQ(image.LoadPicture(nullptr, text.c_str()), ImageUnknownFormat);
  EXPECT_EQ(image.LoadPicture(&faulting, text.c_str()), ImagePluginFailed);
  huge.UnloadAll();
  faulting.UnloadAll();
}

namespace {

struct PickerRun {
  std::string initial;
  char outPath[MAX_PATH];
  int result = 0;
};

DWORD WINAPI RunPicker(void* data) {
  auto* run = static_cast<PickerRun*>(data);
  run->result = BrowseForFolder(nullptr, run->initial.c_str(), "plug-in folder", run->outPath);
  return 0;
}

// Runs the picker on a thread of its own, answers it with `command` once it
// is up, and returns what BrowseForFolder gave.
PickerRun AnswerPicker(const std::string& initial, WPARAM command) {
  PickerRun run;
  run.initial = initial;
  lstrcpynA(run.outPath, "untouched", sizeof(run.outPath));
  HANDLE thread = CreateThread(nullptr, 0, RunPicker, &run, 0, nullptr);
  HWND picker = nullptr;
  for (int i = 0; i < 200 && picker == nullptr; ++i) {
    Sleep(50);
    picker = FindWindowA("#32770", nullptr);
  }
  // The selection moves to the initial folder once the dialog is initialised:
  // wait until the tree's selected item is named like it.
  std::string leaf = initial.substr(initial.find_last_of('\\') + 1);
  HWND tree = picker ? FindWindowExA(picker, nullptr, "SysTreeView32", nullptr) : nullptr;
  for (int i = 0; i < 100 && tree != nullptr; ++i) {
    char text[MAX_PATH] = "";
    TVITEMA item = {};
    item.mask = TVIF_TEXT;
    item.hItem = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    if (item.hItem != nullptr && SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)) &&
        lstrcmpiA(text, leaf.c_str()) == 0) {
      break;
    }
    Sleep(50);
  }
  if (picker != nullptr) PostMessageA(picker, WM_COMMAND, command, 0);
  if (WaitForSingleObject(thread, 10000) != WAIT_OBJECT_0) TerminateThread(thread, 1);
  CloseHandle(thread);
  return run;
}

}  // namespace

// Faults caught: the initial folder not preselected (OK would then answer
// another folder), a cancel that writes the path anyway.
TEST(FolderPicker, OkAnswersThePreselectedFolderAndCancelLeavesThePathAlone) {
  ScratchFolder folder;
  // Wine's picker now and then (about one run in eight here) leaves the
  // selection on the desktop whatever it is told; a picker that never
  // preselects fails every attempt.
  PickerRun chosen;
  for (int attempt = 0; attempt < 3; ++attempt) {
    chosen = AnswerPicker(folder.path(), IDOK);
    if (lstrcmpiA(chosen.outPath, folder.path().c_str()) == 0) break;
  }
  EXPECT_EQ(chosen.result, kFolderChosen);
  EXPECT_EQ(lstrcmpiA(chosen.outPath, folder.path().c_str()), 0) << chosen.outPath;
  PickerRun cancelled = AnswerPicker(folder.path(), IDCANCEL);
  EXPECT_EQ(cancelled.result, kFolderCancelled);
  EXPECT_STREQ(cancelled.outPath, "untouched");
}
