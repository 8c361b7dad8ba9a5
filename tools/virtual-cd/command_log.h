// One line per MCI command the drive receives: the command, its flags, the
// parameter fields those flags make meaningful, and the result, so tests can
// check exactly what a caller sent.
#ifndef ZANTO_VIRTUAL_CD_COMMAND_LOG_H
#define ZANTO_VIRTUAL_CD_COMMAND_LOG_H

#include <windows.h>

#include <string>

// "STATUS flags=0x00000100 item=4" and the like; parameters may be null.
std::string DescribeCommand(UINT message, DWORD_PTR flags, DWORD_PTR parameters);

class CommandLog {
 public:
  // An empty path logs nothing.
  explicit CommandLog(std::wstring path) : path_(std::move(path)) {}
  void Append(const std::string& line) const;

 private:
  std::wstring path_;
};

#endif
