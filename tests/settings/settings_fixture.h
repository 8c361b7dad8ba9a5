// Settings records that keep their INI files in a scratch folder and read a
// test-only registry key, so no test touches the program's folder or a real
// user's plug-in key.
#ifndef ZANTO_TESTS_SETTINGS_SETTINGS_FIXTURE_H
#define ZANTO_TESTS_SETTINGS_SETTINGS_FIXTURE_H

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/application.h"
#include "common/fixed_text.h"
#include "common/path_text.h"
#include "settings/settings.h"
#include "support/test_support.h"

// HKEY_CURRENT_USER\Software\ZantoPlayerTests\<unique name>, deleted with the object.
class TestRegistryKey {
 public:
  TestRegistryKey() : path_("Software\\ZantoPlayerTests\\" + std::to_string(GetCurrentProcessId())) {}
  ~TestRegistryKey() {
    RegDeleteKeyA(HKEY_CURRENT_USER, path_.c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\ZantoPlayerTests");
  }
  const char* path() const { return path_.c_str(); }
  // Stores value "path" as exactly these bytes.
  void SetValue(const std::string& bytes, DWORD type = REG_SZ) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path(), 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                              nullptr), ERROR_SUCCESS);
    RegSetValueExA(key, "path", 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                   static_cast<DWORD>(bytes.size()));
    RegCloseKey(key);
  }

 private:
  std::string path_;
};

class SettingsTest : public ::testing::Test {
 protected:
  SettingsTest() {
    appInstance = GetModuleHandleA(nullptr);
    PointAtScratch(settings);
  }
  void PointAtScratch(Settings& s) const {
    CopyText(s.iniFolder, folder.path().c_str());
    AppendBackslash(s.iniFolder, sizeof(s.iniFolder));
    s.pluginRegistryKey = registry.path();
  }
  std::string IniFile() const { return folder.File("ZantoPlay.ini"); }
  std::string CdFile() const { return folder.File("CD.ini"); }

  ScratchFolder folder;
  TestRegistryKey registry;  // holds no value until a test sets one
  Settings settings;
};

// The non-empty lines of an INI file, without their line ends.
inline std::vector<std::string> IniLines(const std::string& path) {
  std::vector<std::string> lines;
  std::string text = ReadFileBytes(path), line;
  for (char c : text + "\n") {
    if (c != '\r' && c != '\n') {
      line += c;
    } else if (!line.empty()) {
      lines.push_back(line);
      line.clear();
    }
  }
  return lines;
}

inline bool HasLine(const std::string& path, const std::string& line) {
  std::vector<std::string> lines = IniLines(path);
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

#endif
