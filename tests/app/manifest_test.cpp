// The application manifest as the running program sees it: the test programs
// carry the product's resources, manifest included, so Windows (and Wine)
// start them with the same activation context as ZantoPlay.exe.
#include <windows.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

namespace {

// Catches a manifest that is missing, malformed or names a fixed architecture
// that is not this one: the loader then hands out the version 5 common
// controls from system32 (or refuses to start a 64-bit program), and the
// dialogs draw in the old style.
TEST(Manifest, CommonControlsComeFromTheirVersion6Assembly) {
  ASSERT_NE(FindResourceA(nullptr, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24)), nullptr)
      << "this test program carries no manifest, so it cannot stand for the player";
  HMODULE comctl = LoadLibraryA("comctl32.dll");
  ASSERT_NE(comctl, nullptr);
  char path[MAX_PATH] = {};
  GetModuleFileNameA(comctl, path, MAX_PATH);
  // Windows and Wine both keep the version 6 library in its side-by-side
  // assembly folder, e.g. winsxs\x86_microsoft.windows.common-controls_<key>_6.0.*;
  // version 5 lives in system32.
  EXPECT_NE(StrStrIA(path, "microsoft.windows.common-controls_6595b64144ccf1df_6."), nullptr)
      << path;
  FreeLibrary(comctl);
}

}  // namespace
