#include "command_log.h"

#include <mmsystem.h>
#include <mmddk.h>

#include <cstdio>

namespace {

const char* CommandName(UINT message) {
  switch (message) {
    case MCI_OPEN_DRIVER: return "OPEN_DRIVER";
    case MCI_CLOSE_DRIVER: return "CLOSE_DRIVER";
    case MCI_STATUS: return "STATUS";
    case MCI_SET: return "SET";
    case MCI_INFO: return "INFO";
    case MCI_PLAY: return "PLAY";
    case MCI_STOP: return "STOP";
    case MCI_SEEK: return "SEEK";
    case MCI_PAUSE: return "PAUSE";
    case MCI_RESUME: return "RESUME";
    case MCI_GETDEVCAPS: return "GETDEVCAPS";
    default: return nullptr;
  }
}

std::string Format(const char* format, unsigned long value) {
  char text[64];
  snprintf(text, sizeof(text), format, value);
  return text;
}

std::string Narrow(LPCWSTR text) {
  int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return std::string();
  std::string result(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, &result[0], size, nullptr, nullptr);
  result.resize(static_cast<size_t>(size - 1));
  return result;
}

std::string DescribeParameters(UINT message, DWORD_PTR flags, DWORD_PTR parameters) {
  std::string text;
  if (flags & MCI_NOTIFY) {
    text += Format(" callback=0x%08lX", static_cast<unsigned long>(reinterpret_cast<MCI_GENERIC_PARMS*>(parameters)->dwCallback));
  }
  switch (message) {
    case MCI_OPEN_DRIVER: {
      auto* p = reinterpret_cast<MCI_OPEN_PARMSW*>(parameters);
      if (flags & MCI_OPEN_TYPE) {
        DWORD_PTR type = reinterpret_cast<DWORD_PTR>(p->lpstrDeviceType);
        text += (flags & MCI_OPEN_TYPE_ID) || HIWORD(type) == 0
                    ? Format(" type=%lu", static_cast<unsigned long>(type))
                    : " type=" + Narrow(p->lpstrDeviceType);
      }
      if ((flags & MCI_OPEN_ELEMENT) && p->lpstrElementName) {
        text += " element=" + Narrow(p->lpstrElementName);
      }
      break;
    }
    case MCI_STATUS: {
      auto* p = reinterpret_cast<MCI_STATUS_PARMS*>(parameters);
      if (flags & MCI_STATUS_ITEM) text += Format(" item=%lu", p->dwItem);
      if (flags & MCI_TRACK) text += Format(" track=%lu", p->dwTrack);
      break;
    }
    case MCI_SET: {
      auto* p = reinterpret_cast<MCI_SET_PARMS*>(parameters);
      if (flags & MCI_SET_TIME_FORMAT) text += Format(" timeformat=%lu", p->dwTimeFormat);
      break;
    }
    case MCI_INFO: {
      auto* p = reinterpret_cast<MCI_INFO_PARMSW*>(parameters);
      text += Format(" retsize=%lu", p->dwRetSize);
      break;
    }
    case MCI_PLAY: {
      auto* p = reinterpret_cast<MCI_PLAY_PARMS*>(parameters);
      if (flags & MCI_FROM) text += Format(" from=0x%08lX", p->dwFrom);
      if (flags & MCI_TO) text += Format(" to=0x%08lX", p->dwTo);
      break;
    }
    case MCI_SEEK: {
      auto* p = reinterpret_cast<MCI_SEEK_PARMS*>(parameters);
      if (flags & MCI_TO) text += Format(" to=0x%08lX", p->dwTo);
      break;
    }
    case MCI_GETDEVCAPS: {
      auto* p = reinterpret_cast<MCI_GETDEVCAPS_PARMS*>(parameters);
      if (flags & MCI_GETDEVCAPS_ITEM) text += Format(" item=%lu", p->dwItem);
      break;
    }
    default:
      break;
  }
  return text;
}

}  // namespace

std::string LogTime() {
  LARGE_INTEGER counter, frequency;
  if (!QueryPerformanceCounter(&counter) || !QueryPerformanceFrequency(&frequency) || frequency.QuadPart <= 0) {
    return "0.000 ";
  }
  auto ticks = static_cast<unsigned long long>(counter.QuadPart);
  auto perSecond = static_cast<unsigned long long>(frequency.QuadPart);
  unsigned long long seconds = ticks / perSecond;
  unsigned long long milliseconds = ticks % perSecond * 1000u / perSecond;
  char text[32];
  snprintf(text, sizeof(text), "%llu.%03llu ", seconds, milliseconds);
  return text;
}

std::string DescribeCommand(UINT message, DWORD_PTR flags, DWORD_PTR parameters) {
  const char* name = CommandName(message);
  std::string text = name ? name : Format("MESSAGE_0x%04lX", message);
  text += Format(" flags=0x%08lX", static_cast<unsigned long>(flags));
  if (parameters) text += DescribeParameters(message, flags, parameters);
  return text;
}

void CommandLog::Append(const std::string& line) const {
  if (path_.empty()) return;
  // Opened for each line, so several programs can share one log file.
  for (int attempt = 0; attempt < 20; ++attempt) {
    HANDLE file = CreateFileW(path_.c_str(), FILE_APPEND_DATA,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      std::string text = line + "\r\n";
      LARGE_INTEGER size = {};
      if (GetFileSizeEx(file, &size)) {
        auto used = static_cast<unsigned long long>(size.QuadPart);
        // The line that would cross the limit becomes the one saying so;
        // after it nothing more is written until someone empties the log.
        if (used >= limit_) text.clear();
        else if (used + text.size() > limit_) text = LogTime() + "LOG_FULL\r\n";
      }
      DWORD written = 0;
      WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
      CloseHandle(file);
      return;
    }
    Sleep(5);
  }
}
