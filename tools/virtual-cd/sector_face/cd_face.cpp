// Puts a disc description's audio on the sector face, or takes it off:
//   cd_face install NAME DISC_FILE   renders DISC_FILE.face and serves it as \\.\NAME
//   cd_face remove NAME
// The driver, zanto_cd.sys, is the one beside this program.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "face_file.h"
#include "face_service.h"

namespace {

std::string DriverBesideProgram() {
  char path[MAX_PATH] = {};
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string self(path, n < MAX_PATH ? n : 0);
  return self.substr(0, self.find_last_of('\\') + 1) + "zanto_cd.sys";
}

int Install(const char* name, const std::string& discFile) {
  std::string problem;
  std::string face = discFile + ".face";
  auto audio = OpenDescribedAudio(discFile, &problem);
  if (!audio || !WriteFaceFile(*audio, face, &problem) || !InstallFace(name, DriverBesideProgram(), face, &problem)) {
    std::fprintf(stderr, "cd_face: %s\n", problem.c_str());
    return 1;
  }
  std::printf("\\\\.\\%s\n", name);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::strcmp(argv[1], "install") == 0) return Install(argv[2], argv[3]);
  if (argc == 3 && std::strcmp(argv[1], "remove") == 0) return RemoveFace(argv[2]) ? 0 : 1;
  std::fprintf(stderr, "usage: cd_face install NAME DISC_FILE | cd_face remove NAME\n");
  return 2;
}
