// The settings live beside the program, so its folder must leave room for
// their longest name.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/application.h"

namespace {

TEST(ProgramFolder, SettingsAreKeptOnlyBesideTheProgram) {
  appInstance = GetModuleHandleA(nullptr);
  EXPECT_TRUE(ProgramFolderFits("C:\\Program Files\\Zanto\\ZantoPlay.exe"));
  std::string deep = "C:\\" + std::string(250, 'd') + "\\ZantoPlay.exe";
  EXPECT_FALSE(ProgramFolderFits(deep.c_str())) << "ZantoPlay.ini would not fit beside it";
  // The save's copy, "ZantoPlay.ini.new", is the longest name: 242 + 17 = 259.
  std::string edge = "C:\\" + std::string(238, 'e') + "\\ZantoPlay.exe";
  EXPECT_TRUE(ProgramFolderFits(edge.c_str()));
  std::string over = "C:\\" + std::string(239, 'e') + "\\ZantoPlay.exe";
  EXPECT_FALSE(ProgramFolderFits(over.c_str())) << "the save's copy would not fit beside it";
  EXPECT_FALSE(ProgramFolderFits(""));
}

}  // namespace
