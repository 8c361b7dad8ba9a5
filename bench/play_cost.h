// What a play costs, measured the same way for the program's engine and for
// the minimal WASAPI player it is held against: this process's CPU time
// (GetProcessTimes: every thread, Wine's own audio threads included) over
// the play, and the CPU time of helper processes on the Linux side over the
// same span, read from /proc/<pid>/stat through Wine's Z: drive. The bench
// script names them: the prefix's wineserver, which serves every event and
// wait, and the sound server.
#ifndef ZANTO_BENCH_PLAY_COST_H
#define ZANTO_BENCH_PLAY_COST_H

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common/handles.h"

namespace play_cost {

inline double NowMs() {
  LARGE_INTEGER frequency, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&now);
  return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

inline double FileTimeMs(const FILETIME& time) {
  ULARGE_INTEGER value;
  value.LowPart = time.dwLowDateTime;
  value.HighPart = time.dwHighDateTime;
  return static_cast<double>(value.QuadPart) / 10000.0;
}

inline double ProcessCpuMs(HANDLE process) {
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return -1;
  return FileTimeMs(kernel) + FileTimeMs(user);
}

// User plus system time of a Linux process in ms, or -1 when the variable
// names none or its stat cannot be read. Linux counts in 10 ms ticks.
inline double LinuxCpuMs(const char* pidVariable) {
  const char* pid = getenv(pidVariable);
  if (!pid || !*pid) return -1;
  char path[64];
  snprintf(path, sizeof path, "Z:\\proc\\%s\\stat", pid);
  unique_hfile file(
      CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
  char text[1024] = {};
  DWORD got = 0;
  if (!file || !ReadFile(file.get(), text, sizeof text - 1, &got, nullptr)) return -1;
  text[got] = 0;
  // The name in parentheses may hold spaces: count fields after its end.
  const char* at = strrchr(text, ')');
  if (!at) return -1;
  long long ticks[2] = {-1, -1};
  for (int field = 2; field <= 15 && *at; ++field) {
    at = strchr(at + 1, ' ');
    if (!at) return -1;
    if (field == 14) ticks[0] = atoll(at + 1);
    if (field == 15) ticks[1] = atoll(at + 1);
  }
  return ticks[0] < 0 || ticks[1] < 0 ? -1 : 10.0 * static_cast<double>(ticks[0] + ticks[1]);
}

constexpr const char* kServerPid = "ZANTO_BENCH_WINESERVER_PID";
constexpr const char* kPulsePid = "ZANTO_BENCH_PULSE_PID";

struct Reading {
  double wallMs, processMs, serverMs, pulseMs;
};

inline Reading Now() {
  return {NowMs(), ProcessCpuMs(GetCurrentProcess()), LinuxCpuMs(kServerPid), LinuxCpuMs(kPulsePid)};
}

inline double Since(double before, double after) { return before < 0 || after < 0 ? -1 : after - before; }

// The one line a player prints for the bench to read.
inline void Print(const Reading& from, const Reading& to, unsigned long long frames) {
  printf("cost wall=%.1f process=%.1f server=%.1f pulse=%.1f frames=%llu\n", to.wallMs - from.wallMs,
         to.processMs - from.processMs, Since(from.serverMs, to.serverMs), Since(from.pulseMs, to.pulseMs), frames);
  fflush(stdout);
}

}  // namespace play_cost

#endif
