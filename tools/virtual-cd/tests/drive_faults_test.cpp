// The virtual drive's ways of being as awkward as real hardware: data
// tracks, seeking and paused modes, slow answers, failing queries, plays
// that end with a failure, and a log that stops growing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cd/cd_audio_device.h"
#include "cd/msf.h"
#include "support/test_support.h"
#include "support/virtual_disc.h"

namespace {

// Track 2 is data; each track lasts a second.
DiscContents EnhancedAndMixed() {
  DiscContents disc;
  disc.tracks = {"00:01:00", "00:01:00 data", "00:01:00"};
  return disc;
}

// Catches a drive that calls data tracks audio, plays them, or lets a play
// run on through one.
TEST(DriveFaultsTest, DataTracksAreToldApartRefusedAndStopAPlay) {
  VirtualDisc drive{EnhancedAndMixed()};
  drive.SetProfile(DriveProfile::kClassic);  // its notices tell how each play ended
  CdAudioDevice device;
  ASSERT_EQ(device.Open(), 0u);
  std::vector<DWORD> types(3);
  for (int t = 1; t <= 3; ++t) ASSERT_EQ(device.GetTrackType(t, types[t - 1]), 0u);
  EXPECT_EQ(types, (std::vector<DWORD>{MCI_CDA_TRACK_AUDIO, MCI_CDA_TRACK_OTHER, MCI_CDA_TRACK_AUDIO}));
  NotifyWindow window;
  EXPECT_EQ(device.PlayFrom(window.hwnd(), MakeTmsf(2, 0, 0, 0)), static_cast<MCIERROR>(MCIERR_HARDWARE));
  // Track 1 to the end of the disc: it stops, failing, where the data begins.
  ASSERT_EQ(device.PlayFrom(window.hwnd(), MakeTmsf(1, 0, 0, 60)), 0u);
  PumpUntil(3000, [&] { return !window.statuses().empty(); });
  EXPECT_EQ(window.statuses(), (std::vector<WPARAM>{MCI_NOTIFY_FAILURE}));
  DWORD position = 0;
  ASSERT_EQ(device.GetPosition(position, 0, FALSE), 0u);
  EXPECT_EQ(position, MakeMsf(0, 3, 0)) << "the start of the data track";
  // Up to the end of track 1 only: a clean end.
  ASSERT_EQ(device.PlayRange(window.hwnd(), MakeTmsf(1, 0, 0, 60), MakeTmsf(1, 0, 1, 0)), 0u);
  PumpUntil(3000, [&] { return window.statuses().size() == 2; });
  EXPECT_EQ(window.statuses(), (std::vector<WPARAM>{MCI_NOTIFY_FAILURE, MCI_NOTIFY_SUCCESSFUL}));
}

// Catches a drive that plays the instant it is asked, pauses like a stop,
// or answers at once however slow it was set to be.
TEST(DriveFaultsTest, SeekingPausedAndSlowDrivesReportSo) {
  VirtualDisc drive{EnhancedAndMixed(), 0.01};
  DriveFaults faults;
  faults.seekMs = 300;
  faults.latencyMs = 40;
  drive.SetFaults(faults);
  CdAudioDevice device;
  ASSERT_EQ(device.Open(), 0u);
  auto mode = [&device] {
    DWORD value = 0;
    device.GetMode(value);
    return value;
  };
  NotifyWindow window;
  DWORD start = GetTickCount();
  ASSERT_EQ(device.PlayFrom(window.hwnd(), MakeTmsf(3, 0, 0, 0)), 0u);
  EXPECT_GE(GetTickCount() - start, 70u) << "two commands of 40 ms each";
  EXPECT_EQ(mode(), static_cast<DWORD>(MCI_MODE_SEEK));
  Sleep(300);
  EXPECT_EQ(mode(), static_cast<DWORD>(MCI_MODE_PLAY));
  MCI_GENERIC_PARMS generic = {};
  ASSERT_EQ(mciSendCommandA(device.deviceId, MCI_PAUSE, 0, reinterpret_cast<DWORD_PTR>(&generic)), 0u);
  EXPECT_EQ(mode(), static_cast<DWORD>(MCI_MODE_PAUSE));
  DWORD held = 0;
  ASSERT_EQ(device.GetPosition(held, 0, FALSE), 0u);
  EXPECT_EQ(held, MakeMsf(0, 4, 0)) << "paused where it played (track 3 starts at 0:04)";
  PumpUntil(1000, [&] { return !window.statuses().empty(); });
  EXPECT_EQ(window.statuses(), (std::vector<WPARAM>{MCI_NOTIFY_SUPERSEDED}));
  MCI_PLAY_PARMS onward = {};
  ASSERT_EQ(mciSendCommandA(device.deviceId, MCI_PLAY, 0, reinterpret_cast<DWORD_PTR>(&onward)), 0u);
  Sleep(350);
  EXPECT_EQ(mode(), static_cast<DWORD>(MCI_MODE_PLAY)) << "a play without MCI_FROM goes on from the pause";
}

// Catches injected failures that are random (flaky tests) or never come,
// and a play end that ignores the failure setting.
TEST(DriveFaultsTest, InjectedFailuresComeEveryNthQueryAndPlaysCanEndFailing) {
  VirtualDisc drive{EnhancedAndMixed()};
  DriveFaults faults;
  faults.failEveryNthStatus = 3;
  faults.endWithFailure = true;
  drive.SetFaults(faults);
  drive.SetProfile(DriveProfile::kClassic);  // today's driver sends no end notice at all
  CdAudioDevice device;
  ASSERT_EQ(device.Open(), 0u);
  std::vector<MCIERROR> results;
  int count = 0;
  for (int i = 0; i < 7; ++i) results.push_back(device.GetTrackCount(count));
  EXPECT_EQ(results, (std::vector<MCIERROR>{0, 0, MCIERR_HARDWARE, 0, 0, MCIERR_HARDWARE, 0}));
  NotifyWindow window;
  ASSERT_EQ(device.PlayRange(window.hwnd(), MakeTmsf(1, 0, 0, 70), MakeTmsf(1, 0, 1, 0)), 0u);
  PumpUntil(2000, [&] { return !window.statuses().empty(); });
  EXPECT_EQ(window.statuses(), (std::vector<WPARAM>{MCI_NOTIFY_FAILURE}));
}

// Catches a log that grows without bound under a runaway caller.
TEST(DriveFaultsTest, TheCommandLogStopsAtItsLimitAndSaysSo) {
  VirtualDisc drive{EnhancedAndMixed()};
  SetEnvironmentVariableA("ZANTO_VIRTUAL_CD_LOG_LIMIT_KB", "1");
  CdAudioDevice device;
  ASSERT_EQ(device.Open(), 0u);
  SetEnvironmentVariableA("ZANTO_VIRTUAL_CD_LOG_LIMIT_KB", nullptr);
  DWORD mode = 0;
  for (int i = 0; i < 60; ++i) device.GetMode(mode);  // some 3 KB of lines
  std::vector<std::string> log = drive.TakeLog();
  size_t bytes = 0;
  for (const std::string& line : log) bytes += line.size() + 2;
  EXPECT_LE(bytes, 1024u + 64u);
  EXPECT_EQ(log.empty() ? "" : log.back(), "LOG_FULL");
  // Emptied, it logs again.
  device.GetMode(mode);
  EXPECT_EQ(drive.TakeLog().size(), 1u);
}

}  // namespace
