// The BMP Suite files under tests/data/bmpsuite (see its README.md).
#include <gtest/gtest.h>

#include <map>

#include "common/handles.h"
#include "picture_test_util.h"
#include "skin/image_buffer.h"
#include "support/test_support.h"

namespace {

std::string SuitePath(const std::string& name) { return SourcePath("tests/data/bmpsuite/" + name); }

// "g/pal8.bmp"-style names of every file of the suite.
std::vector<std::string> SuiteFiles() {
  std::vector<std::string> names;
  for (const char* folder : {"g", "q", "b", "x"}) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(SuitePath(std::string(folder) + "\\*.bmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) continue;
    do {
      names.push_back(std::string(folder) + "/" + found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  return names;
}

// Draws the whole picture into a throwaway memory bitmap, so GDI reads
// whatever the header makes it read.
void DrawWhole(const ImageBuffer& image) {
  unique_hdc dc(CreateCompatibleDC(nullptr));
  unique_hbitmap bitmap(CreateBitmap(64, 64, 1, 32, nullptr));
  SelectedObject selected(dc.get(), bitmap.get());
  image.Blit(dc.get(), 0, 0, image.Width(), image.Height(), 0, 0, image.Width(), image.Height(),
             SRCCOPY);
  GdiFlush();
}

void ExpectSamePixels(const ImageBuffer& reference, const std::string& name) {
  SCOPED_TRACE(name);
  ImageBuffer image;
  ASSERT_EQ(image.LoadBmp(SuitePath(name).c_str()), ImageOk);
  int mismatches = 0;
  for (int y = 0; y < image.Height(); ++y) {
    for (int x = 0; x < image.Width(); ++x) {
      if (image.GetPixel(x, y) != reference.GetPixel(x, y)) ++mismatches;
    }
  }
  EXPECT_EQ(mismatches, 0);
}

}  // namespace

TEST(BmpSuite, EveryFileLoadsOrIsRefusedWithoutStrayReads) {
  // Files this reader refuses on purpose: formats GDI cannot draw on a
  // desktop, headers of no known size, impossible sizes.
  const std::map<std::string, ImageStatus> refused = {
      {"b/badbitcount.bmp", ImageBadData},   {"b/badheadersize.bmp", ImageBadData},
      {"b/badwidth.bmp", ImageBadData},      {"b/reallybig.bmp", ImageTooLarge},
      {"b/rletopdown.bmp", ImageBadData},    {"q/pal2.bmp", ImageBadData},
      {"q/rgba64.bmp", ImageBadData},        {"q/rgb24png.bmp", ImageBadData},
      {"q/rgb24jpeg.bmp", ImageBadData},     {"q/rgb24rle24.bmp", ImageBadData},
      {"q/pal1huffmsb.bmp", ImageBadData},   {"q/rgba32abf.bmp", ImageBadData},
      {"x/ba-bm.bmp", ImageBadData},
  };
  std::vector<std::string> files = SuiteFiles();
  EXPECT_EQ(files.size(), 91u);
  for (const std::string& name : files) {
    SCOPED_TRACE(name);
    std::string bytes = ReadFileBytes(SuitePath(name));
    ASSERT_FALSE(bytes.empty());
    SetFaultReportBytes(&bytes);
    GuardedBytes file(bytes.data(), bytes.size());
    ImageBuffer image;
    ImageStatus status = image.LoadBmpFromMemory(file.data(), file.size());
    EXPECT_EQ(image.LoadBmp(SuitePath(name).c_str()), status);
    auto expected = refused.find(name);
    if (expected != refused.end()) {
      EXPECT_EQ(status, expected->second);
      continue;
    }
    if (name[0] == 'g') {
      EXPECT_EQ(status, ImageOk);
    }
    EXPECT_TRUE(status == ImageOk || status == ImageBadData) << status;
    if (status != ImageOk) continue;
    GuardedPicture guarded(image);
    SweepPixelOperations(image);
    DrawWhole(image);
  }
  SetFaultReportBytes(nullptr);
}

TEST(BmpSuite, GoodPicturesGiveTheReferenceColours) {
  ImageBuffer rgb24, pal8;
  ASSERT_EQ(rgb24.LoadBmp(SuitePath("g/rgb24.bmp").c_str()), ImageOk);
  ASSERT_EQ(pal8.LoadBmp(SuitePath("g/pal8.bmp").c_str()), ImageOk);
  // Corners and centre of the reference picture.
  EXPECT_EQ(rgb24.GetPixel(0, 0), RGB(255, 0, 0));
  EXPECT_EQ(rgb24.GetPixel(126, 0), RGB(159, 159, 189));
  EXPECT_EQ(rgb24.GetPixel(0, 63), RGB(0, 0, 0));
  EXPECT_EQ(rgb24.GetPixel(63, 32), RGB(255, 255, 255));
  EXPECT_EQ(pal8.GetPixel(0, 0), RGB(255, 0, 0));
  EXPECT_EQ(pal8.GetPixel(126, 0), RGB(153, 170, 204));
  EXPECT_EQ(pal8.GetPixel(0, 63), RGB(0, 0, 0));
  EXPECT_EQ(pal8.GetPixel(63, 32), RGB(255, 255, 255));

  for (const char* name : {"g/rgb24pal.bmp", "g/rgb32.bmp", "g/rgb32bfdef.bmp", "q/rgb24largepal.bmp",
                           "q/rgb24lprof.bmp", "q/rgb24prof.bmp", "q/rgb32fakealpha.bmp"}) {
    ExpectSamePixels(rgb24, name);
  }
  // Every header kind, row order, palette size and row padding of the 8-bit
  // picture; the narrower ones are its top-left corner.
  for (const char* name :
       {"g/pal8-0.bmp", "g/pal8os2.bmp", "g/pal8topdown.bmp", "g/pal8v4.bmp", "g/pal8v5.bmp",
        "g/pal8w124.bmp", "g/pal8w125.bmp", "g/pal8w126.bmp", "q/pal8offs.bmp",
        "q/pal8os2-hs.bmp", "q/pal8os2-sz.bmp", "q/pal8os2sp.bmp", "q/pal8os2v2-16.bmp",
        "q/pal8os2v2-40sz.bmp", "q/pal8os2v2-sz.bmp", "q/pal8os2v2.bmp",
        "q/pal8oversizepal.bmp", "b/badpalettesize.bmp"}) {
    ExpectSamePixels(pal8, name);
  }
}
