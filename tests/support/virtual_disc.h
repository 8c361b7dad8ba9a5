// Test side of the virtual CD drive: a disc description file and a command
// log in a scratch folder, handed to the drive through the environment of
// this process (and of the programs it starts).
#ifndef ZANTO_TESTS_CD_VIRTUAL_DISC_H
#define ZANTO_TESTS_CD_VIRTUAL_DISC_H

#include <windows.h>

#include <string>
#include <vector>

#include "support/test_support.h"

struct DiscContents {
  std::vector<std::string> tracks;  // "MM:SS:FF" each, "MM:SS:FF data" for a data track
  std::string identity = "255";  // "": no identity line, the drive computes it
  std::string start;             // where track 1 begins, "MM:SS:FF"; "": 00:02:00
  bool present = true;
  bool trayOpen = false;
  bool gapless = false;  // swapped in as a changer does: no settling at all
};

// How slowly the drive settles, as a real one does (all 0: at once).
struct DriveSettling {
  unsigned notReadyMs = 0;   // after a disc goes in: not ready at all
  unsigned tocSettleMs = 0;  // then: stopped, its contents unreadable
  int stopDriftFrames = 0;   // a stopped play reports this far from where it stopped
};
// The drive's other ways of being a real one (all 0: none).
struct DriveFaults {
  unsigned seekMs = 0;              // mode "seeking" this long after a play or seek
  unsigned latencyMs = 0;           // every command takes this long
  unsigned failEveryNthStatus = 0;  // every Nth status query fails
  bool endWithFailure = false;      // plays end with MCI_NOTIFY_FAILURE
};

// Which system CD-audio driver the drive acts like: today's, whose plays end
// without a notice, held "playing" at their end, or the one before Vista.
enum class DriveProfile { kModern, kClassic };

// What scripts/run.sh sets: for the tests that the player copes with a real drive.
constexpr DriveSettling kRealisticSettling{1500, 1500, 30};

// One line of the command log: when the drive received it (seconds; -1 when
// the line has no readable time) and the rest of the line.
struct LoggedCommand {
  double seconds;
  std::string text;
};

class VirtualDisc {
 public:
  // Speed: disc seconds that pass in one real second. With a `letter` the
  // disc is in that drive only (the drive's own settings), else in the
  // default drive.
  explicit VirtualDisc(const DiscContents& disc, double speed = 1.0, char letter = 0);
  ~VirtualDisc();
  VirtualDisc(const VirtualDisc&) = delete;
  VirtualDisc& operator=(const VirtualDisc&) = delete;

  // Takes effect for devices opened afterwards.
  void SetSpeed(double speed);
  // Takes effect for devices opened afterwards.
  void SetSettling(const DriveSettling& settling);
  // Takes effect for devices opened afterwards.
  void SetFaults(const DriveFaults& faults);
  // Takes effect for devices opened afterwards; kModern until set.
  void SetProfile(DriveProfile profile);
  const std::string& discPath() const { return discPath_; }
  // Replaces the description in one step, as a user swapping discs would;
  // `backdated` gives the new file a time a day old (mv, cp -p).
  void Write(const DiscContents& disc, bool backdated = false);
  std::string Text() const;
  // The command lines logged since the last call, then forgets them.
  std::vector<LoggedCommand> TakeTimedLog();
  // The same without the times.
  std::vector<std::string> TakeLog();

 private:
  // The environment variable `name` for this disc's drive.
  std::string Variable(const char* name) const;
  void SetNumber(const char* name, long long value) const;

  std::string suffix_;  // "" or "_E"
  ScratchFolder folder_;
  std::string discPath_;
  std::string logPath_;
};

// A hidden window that records the MM_MCINOTIFY statuses posted to it.
class NotifyWindow {
 public:
  NotifyWindow();
  ~NotifyWindow();
  NotifyWindow(const NotifyWindow&) = delete;
  NotifyWindow& operator=(const NotifyWindow&) = delete;

  HWND hwnd() const { return hwnd_; }
  const std::vector<WPARAM>& statuses() const { return statuses_; }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  HWND hwnd_ = nullptr;
  std::vector<WPARAM> statuses_;
};

// Dispatches messages until `done` holds or the time is up; true when it held.
template <typename Done>
bool PumpUntil(DWORD milliseconds, Done done) {
  DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > milliseconds) return false;
    PumpMessages(5);
  }
  return true;
}

std::string Line(const char* format, ...) __attribute__((format(printf, 1, 2)));

#endif
