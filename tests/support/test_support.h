// Helpers shared by the test programs.
#ifndef ZANTO_TESTS_SUPPORT_TEST_SUPPORT_H
#define ZANTO_TESTS_SUPPORT_TEST_SUPPORT_H

#include <windows.h>

#include <string>

// A fresh, empty folder under the system's temporary folder, removed with its
// contents when the object goes away.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::string& path() const { return path_; }
  // path() + "\\" + name
  std::string File(const std::string& name) const;

 private:
  std::string path_;
};

// Writes bytes to a file, replacing it; false when it could not be written.
bool WriteFileBytes(const std::string& path, const std::string& bytes);
// The whole file, or an empty string when it cannot be read.
std::string ReadFileBytes(const std::string& path);
bool FileExists(const std::string& path);
// Deletes a folder and everything below it.
void RemoveTree(const std::string& path);
// The outer size of a window.
SIZE WindowSize(HWND window);
// A path below the source tree, as a Windows path.
std::string SourcePath(const std::string& relative);
// A path below the build tree, as a Windows path.
std::string BinaryPath(const std::string& relative);
// A file of the tested architecture's install folder (out/ or out64/ of the
// build tree), as a Windows path.
std::string InstallPath(const std::string& relative);

#endif
