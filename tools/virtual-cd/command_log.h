// One line per MCI command the drive receives: when it came, the command, its
// flags, the parameter fields those flags make meaningful, and the result, so
// tests can check exactly what a caller sent, and how often.
#ifndef ZANTO_VIRTUAL_CD_COMMAND_LOG_H
#define ZANTO_VIRTUAL_CD_COMMAND_LOG_H

#include <windows.h>

#include <string>

// "12345.678 ": the seconds, with milliseconds, on the machine's performance
// counter, which every program reads alike, so lines several programs wrote
// into one log compare.
std::string LogTime();

// "STATUS flags=0x00000100 item=4" and the like; parameters may be null.
std::string DescribeCommand(UINT message, DWORD_PTR flags, DWORD_PTR parameters);

class CommandLog {
 public:
  // An empty path logs nothing. The file stops growing at `limitBytes`: a
  // runaway caller (thousands of commands a second) must not fill the disk.
  CommandLog(std::wstring path, unsigned long long limitBytes) : path_(std::move(path)), limit_(limitBytes) {}
  void Append(const std::string& line) const;

 private:
  std::wstring path_;
  unsigned long long limit_;
};

#endif
