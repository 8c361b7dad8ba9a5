#include "driver_settings.h"

#include <windows.h>

#include <cwchar>

namespace {

const wchar_t kRegistryKey[] = L"Software\\Zanto\\VirtualCD";

std::wstring ReadOneSetting(const wchar_t* variable, const wchar_t* value) {
  wchar_t text[MAX_PATH * 2];
  DWORD length = GetEnvironmentVariableW(variable, text, MAX_PATH * 2);
  if (length > 0 && length < MAX_PATH * 2) return text;

  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kRegistryKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
    return std::wstring();
  }
  DWORD type = 0;
  DWORD size = sizeof(text) - sizeof(wchar_t);
  LONG result = RegQueryValueExW(key, value, nullptr, &type, reinterpret_cast<BYTE*>(text), &size);
  RegCloseKey(key);
  if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return std::wstring();
  text[size / sizeof(wchar_t)] = L'\0';
  return text;
}

// The drive's own setting, else the one every drive shares.
std::wstring ReadSetting(const wchar_t* variable, const wchar_t* value, wchar_t letter) {
  if (letter) {
    std::wstring text = ReadOneSetting((std::wstring(variable) + L"_" + letter).c_str(),
                                       (std::wstring(value) + letter).c_str());
    if (!text.empty()) return text;
  }
  return ReadOneSetting(variable, value);
}

// A whole number within [low, high]; anything else keeps the default.
template <typename Number>
void ReadWholeNumber(const wchar_t* variable, const wchar_t* value, wchar_t letter, long low, long high,
                     Number& result) {
  std::wstring text = ReadSetting(variable, value, letter);
  if (text.empty()) return;
  wchar_t* end = nullptr;
  long number = wcstol(text.c_str(), &end, 10);
  if (*end != L'\0' || number < low || number > high) return;
  result = static_cast<Number>(number);
}

// An hour of settling or of drift is no drive at all, and stays far from overflow.
constexpr long kLongestSettleMs = 3600L * 1000L;
constexpr long kLargestDriftFrames = 3600L * 75L;
// A drive that takes longer than ten seconds to answer is a hung drive.
constexpr long kLongestLatencyMs = 10L * 1000L;

}  // namespace

DriverSettings ReadDriverSettings(wchar_t letter, bool defaultDrive) {
  DriverSettings settings;
  if (letter) {
    settings.discFile = ReadOneSetting((std::wstring(L"ZANTO_VIRTUAL_CD_DISC_") + letter).c_str(),
                                       (std::wstring(L"DiscFile") + letter).c_str());
  }
  if (settings.discFile.empty() && defaultDrive) {
    settings.discFile = ReadOneSetting(L"ZANTO_VIRTUAL_CD_DISC", L"DiscFile");
  }
  settings.logFile = ReadSetting(L"ZANTO_VIRTUAL_CD_LOG", L"LogFile", letter);
  std::wstring speed = ReadSetting(L"ZANTO_VIRTUAL_CD_SPEED", L"Speed", letter);
  if (!speed.empty()) {
    double value = wcstod(speed.c_str(), nullptr);
    if (value > 0 && value <= 100000) settings.speed = value;
  }
  ReadWholeNumber(L"ZANTO_VIRTUAL_CD_NOT_READY_MS", L"NotReadyMs", letter, 0, kLongestSettleMs,
                  settings.notReadyMs);
  ReadWholeNumber(L"ZANTO_VIRTUAL_CD_TOC_SETTLE_MS", L"TocSettleMs", letter, 0, kLongestSettleMs,
                  settings.tocSettleMs);
  ReadWholeNumber(L"ZANTO_VIRTUAL_CD_STOP_DRIFT_FRAMES", L"StopDriftFrames", letter, -kLargestDriftFrames,
                  kLargestDriftFrames, settings.stopDriftFrames);
  ReadWholeNumber(L"ZANTO_VIRTUAL_CD_SEEK_MS", L"SeekMs", letter, 0, kLongestSettleMs, settings.seekMs);
  ReadWholeNumber(L"ZANTO_VIRTUAL_CD_LATENCY_MS", L"LatencyMs", letter, 0, kLongestLatencyMs,
                  settings.latencyMs);
  ReadWholeNumber(L"ZANTO_VIRTUAL_CD_PLAY_LATENCY_MS", L"PlayLatencyMs", letter, 0, kLongestLatencyMs,
                  settings.playLatencyMs);
  ReadWholeNumber(L"ZANTO_VIRTUAL_CD_FAIL_EVERY_NTH_STATUS", L"FailEveryNthStatus", letter, 0, 1000000L,
                  settings.failEveryNthStatus);
  unsigned endWithFailure = 0;
  ReadWholeNumber(L"ZANTO_VIRTUAL_CD_END_WITH_FAILURE", L"EndWithFailure", letter, 0, 1, endWithFailure);
  settings.endPlaysWithFailure = endWithFailure != 0;
  std::wstring profile = ReadSetting(L"ZANTO_VIRTUAL_CD_PROFILE", L"Profile", letter);
  if (_wcsicmp(profile.c_str(), L"classic") == 0) settings.profile = DriverProfile::kClassic;
  ReadWholeNumber(L"ZANTO_VIRTUAL_CD_LOG_LIMIT_KB", L"LogLimitKb", letter, 1, 1024L * 1024L,
                  settings.logLimitKb);
  return settings;
}
