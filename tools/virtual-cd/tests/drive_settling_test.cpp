// The virtual drive, set to settle like a real one, must not flatter the
// player: a disc that has just gone in is first not ready, then stopped with
// its contents unreadable; a stopped play reports a position off where it
// stopped; and every logged command carries the time it came.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "cd/cd_audio_device.h"
#include "cd/msf.h"
#include "support/virtual_disc.h"

namespace {

DiscContents FiveTracks() {
  DiscContents disc;
  disc.tracks = {"04:12:30", "03:05:00", "00:59:74", "05:00:01", "02:30:45"};
  return disc;
}

// What a poll of the drive sees at one moment: the mode, the ready flag, then
// the results of asking for the track count, track 1's length and the media
// identity, and of seeking to the start.
using Observation = std::array<DWORD_PTR, 6>;

MCIERROR RawStatus(MCIDEVICEID id, DWORD flags, DWORD item, DWORD_PTR& value) {
  MCI_STATUS_PARMS parms = {};
  parms.dwItem = item;
  parms.dwTrack = 1;
  MCIERROR error = mciSendCommandA(id, MCI_STATUS, MCI_STATUS_ITEM | flags, reinterpret_cast<DWORD_PTR>(&parms));
  value = parms.dwReturn;
  return error;
}

Observation Observe(CdAudioDevice& device) {
  DWORD mode = 0;
  device.GetMode(mode);
  DWORD_PTR ready = 0, length = 0;
  RawStatus(device.deviceId, 0, MCI_STATUS_READY, ready);
  int count = 0, identity = 0;
  MCIERROR countError = device.GetTrackCount(count);
  MCIERROR lengthError = RawStatus(device.deviceId, MCI_TRACK, MCI_STATUS_LENGTH, length);
  MCIERROR identityError = device.GetMediaIdentity(identity);
  MCI_SEEK_PARMS seek = {};
  MCIERROR seekError = mciSendCommandA(device.deviceId, MCI_SEEK, MCI_SEEK_TO_START, reinterpret_cast<DWORD_PTR>(&seek));
  return {mode, ready, countError, lengthError, identityError, seekError};
}

const Observation kSpinningUp{MCI_MODE_NOT_READY,      FALSE, MCIERR_DEVICE_NOT_READY, MCIERR_DEVICE_NOT_READY,
                              MCIERR_DEVICE_NOT_READY, MCIERR_DEVICE_NOT_READY};
const Observation kContentsUnreadable{MCI_MODE_STOP,   TRUE, MCIERR_HARDWARE, MCIERR_HARDWARE, MCIERR_HARDWARE,
                                      MCIERR_HARDWARE};
const Observation kReadable{MCI_MODE_STOP, TRUE, 0, 0, 0, 0};

// One poll's commands take a moment, so a poll may begin in one phase and end
// in the next: its first answers are the old phase's, the rest the new one's.
bool Straddles(const Observation& seen, const Observation& before, const Observation& after) {
  if (seen == before || seen == after) return false;
  for (size_t split = 1; split < seen.size(); ++split) {
    if (std::equal(seen.begin(), seen.begin() + split, before.begin()) &&
        std::equal(seen.begin() + split, seen.end(), after.begin() + split)) {
      return true;
    }
  }
  return false;
}

DiscContents OtherDisc() {
  DiscContents disc;
  disc.tracks = {"10:00:00", "20:00:00"};
  disc.identity = "777";
  return disc;
}

// Catches a drive that is readable at once, skips a phase, or ends one early.
TEST(DriveSettlingTest, ADiscThatGoesInIsNotReadyThenUnreadableThenReadable) {
  constexpr DWORD kNotReadyMs = 400, kTocSettleMs = 400;
  constexpr DWORD kSlackMs = 30;  // the test's clock and the drive's differ by a tick or so
  VirtualDisc drive{FiveTracks()};
  drive.SetSettling({kNotReadyMs, kTocSettleMs, 0});
  CdAudioDevice device;
  ASSERT_EQ(device.Open(), 0u);

  using Step = void (*)(VirtualDisc&, CdAudioDevice&);
  struct Case {
    const char* how;
    Step before;  // a state the drive notices first
    Step trigger;
  } cases[] = {
      {"a disc is put into the empty drive",
       [](VirtualDisc& d, CdAudioDevice&) {
         DiscContents empty = FiveTracks();
         empty.present = false;
         d.Write(empty);
       },
       [](VirtualDisc& d, CdAudioDevice&) { d.Write(FiveTracks()); }},
      {"the tray is closed on the disc through MCI", [](VirtualDisc&, CdAudioDevice& c) { c.OpenDoor(); },
       [](VirtualDisc&, CdAudioDevice& c) { c.CloseDoor(); }},
      {"another disc replaces the one in the drive", [](VirtualDisc&, CdAudioDevice&) {},
       [](VirtualDisc& d, CdAudioDevice&) { d.Write(OtherDisc()); }},
      // The settle clock must not start at the moved file's old time.
      {"a disc moved in with a file a day old", [](VirtualDisc&, CdAudioDevice&) {},
       [](VirtualDisc& d, CdAudioDevice&) { d.Write(FiveTracks(), true); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    c.before(drive, device);
    Observe(device);
    DWORD start = GetTickCount();
    c.trigger(drive, device);
    std::vector<Observation> seen;
    std::vector<DWORD> firstSeenMs;
    PumpUntil(kNotReadyMs + kTocSettleMs + 3000, [&] {
      Observation now = Observe(device);
      if (Straddles(now, kSpinningUp, kContentsUnreadable) || Straddles(now, kContentsUnreadable, kReadable)) {
        return false;
      }
      if (seen.empty() || seen.back() != now) {
        seen.push_back(now);
        firstSeenMs.push_back(GetTickCount() - start);
      }
      return now == kReadable;
    });
    ASSERT_EQ(seen, (std::vector<Observation>{kSpinningUp, kContentsUnreadable, kReadable}));
    EXPECT_GE(firstSeenMs[1] + kSlackMs, kNotReadyMs);
    EXPECT_GE(firstSeenMs[2] + kSlackMs, kNotReadyMs + kTocSettleMs);
  }
}

// Catches a drift that is missing, goes the wrong way, leaves the disc, or
// piles up with every stop the player sends.
TEST(DriveSettlingTest, AStoppedPlayReportsAPositionThatDriftedFromWhereItStopped) {
  // Slow enough that the position stands still while the test runs.
  VirtualDisc drive{FiveTracks(), 0.0001};
  struct Case {
    int drift;
    DWORD from;      // TMSF
    DWORD expected;  // MSF on the disc; track 2 starts at 04:14:30, the disc ends at 15:50:00
  } cases[] = {
      {30, MakeTmsf(2, 0, 0, 0), MakeMsf(4, 14, 60)},
      {-40, MakeTmsf(2, 0, 0, 0), MakeMsf(4, 13, 65)},
      {-75, MakeTmsf(1, 0, 0, 30), MakeMsf(0, 2, 0)},      // not before the first track
      {100, MakeTmsf(5, 2, 30, 0), MakeMsf(15, 50, 0)},    // not past the end
      {0, MakeTmsf(3, 0, 10, 0), MakeMsf(7, 29, 30)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.drift);
    drive.SetSettling({0, 0, c.drift});
    CdAudioDevice device;
    ASSERT_EQ(device.Open(), 0u);
    NotifyWindow window;
    ASSERT_EQ(device.PlayFrom(window.hwnd(), c.from), 0u);
    ASSERT_EQ(device.Stop(), 0u);
    DWORD position = 0;
    EXPECT_EQ(device.GetPosition(position, 0, FALSE), 0u);
    EXPECT_EQ(position, c.expected);
    // Stopping a stopped drive moves nothing.
    ASSERT_EQ(device.Stop(), 0u);
    EXPECT_EQ(device.GetPosition(position, 0, FALSE), 0u);
    EXPECT_EQ(position, c.expected);
  }
}

// Catches a log without times, with times that do not follow the clock, or
// with times a parser cannot read.
TEST(DriveSettlingTest, EveryLoggedCommandCarriesTheTimeItCame) {
  VirtualDisc drive{FiveTracks()};
  CdAudioDevice device;
  ASSERT_EQ(device.Open(), 0u);
  DWORD mode = 0;
  device.GetMode(mode);
  Sleep(300);
  device.GetMode(mode);
  std::vector<LoggedCommand> log = drive.TakeTimedLog();
  ASSERT_EQ(log.size(), 3u);
  EXPECT_EQ(log[0].text.substr(0, 12), "OPEN_DRIVER ");
  EXPECT_EQ(log[2].text, Line("STATUS flags=0x%08X item=%u => 0", unsigned(MCI_STATUS_ITEM),
                              unsigned(MCI_STATUS_MODE)));
  for (const LoggedCommand& line : log) EXPECT_GT(line.seconds, 0.0) << line.text;
  EXPECT_LE(log[0].seconds, log[1].seconds);
  double gap = log[2].seconds - log[1].seconds;
  EXPECT_GE(gap, 0.29);
  EXPECT_LT(gap, 1.5);
}

}  // namespace
