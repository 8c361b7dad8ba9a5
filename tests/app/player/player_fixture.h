// Fixture of the in-process player tests: a real PlayerWindow on a small test
// skin, its settings in a scratch folder, and the virtual drive with a disc.
// Timer ticks are sent by the test, so the timing is the test's own.
#ifndef ZANTO_TESTS_PLAYER_PLAYER_FIXTURE_H
#define ZANTO_TESTS_PLAYER_PLAYER_FIXTURE_H

#include <windows.h>
#include <mmsystem.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/player/player_window.h"
#include "skin/plugin_list.h"
#include "support/virtual_disc.h"
#include "support/test_support.h"

// n tracks of `length` (mm:ss:ff) each.
DiscContents TracksOf(int n, const char* length = "04:12:30");

// A drop of files as the shell delivers it.
HGLOBAL DropOf(const std::string& path);

// MCI commands a second, by kind, from the drive's timed log.
struct Traffic {
  double total = 0;
  double modes = 0;
  double positions = 0;
  double identities = 0;
  double timeFormats = 0;
};

class PlayerTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  void SetUp() override;
  void TearDown() override;

  // A skin of width x height in the scratch folder; returns its path.
  std::string WriteSkin(const std::string& name, int width, int height);
  // Creates the player on the skin "main" (80 x 40) with `disc` in the drive;
  // speed as VirtualDisc's.
  void Open(const DiscContents& disc, double speed = 1.0, const DriveSettling& settling = {});
  // One whole poll period: five PollTimer ticks.
  void Poll();
  void Tick(UINT_PTR timer);
  void Command(WORD id);
  std::string Title() const;
  // The drive's mode as MCI reports it, asked past the player.
  DWORD Mode();
  MCIDEVICEID DeviceId() const;
  bool DiscPresent() const { return player->View().state != PlayerState::kNoDisc; }
  // Another disc as a user puts it in: the tray opens, then closes on `disc`.
  void ChangeDisc(const DiscContents& disc);
  // Log lines of PLAY commands since the last call (older lines are dropped).
  std::vector<std::string> Plays();
  std::string PlayFrom(int track, int minutes, int seconds, int frames) const;
  // What the player on its own timers (keepTimers) sends over `slices` of
  // 50 ms of pumping its messages; `everySlice` runs after each.
  Traffic MeasureTraffic(int slices, const std::function<void()>& everySlice = [] {});

  // Open leaves the player's own timers running instead of the test's ticks.
  bool keepTimers = false;
  // What Open sets the drive to do wrong, and which system driver it acts like.
  DriveFaults faults;
  DriveProfile profile = DriveProfile::kModern;
  ScratchFolder folder;
  std::unique_ptr<VirtualDisc> drive;
  // The player's plug-ins: none until a test scans a folder. Declared
  // before the player, so no picture of a plug-in outlives its library.
  PluginList plugins;
  std::unique_ptr<PlayerWindow> player;
};

#endif
