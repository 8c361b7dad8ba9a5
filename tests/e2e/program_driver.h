// Runs the real ZantoPlay.exe from a scratch folder and watches it from outside.
#ifndef ZANTO_TESTS_E2E_PROGRAM_DRIVER_H
#define ZANTO_TESTS_E2E_PROGRAM_DRIVER_H

#include <windows.h>

#include <string>
#include <vector>

#include "support/virtual_disc.h"

// ZantoPlay.ini as Start gives it to a program whose folder has none: what
// it still reads when the program has saved nothing.
constexpr char kGivenSettings[] = "[Lookup]\r\nServer=http://127.0.0.1:1\r\n";

class ProgramDriver {
 public:
  // Copies the built program into `folder`.
  explicit ProgramDriver(const std::string& folder);
  ~ProgramDriver();  // kills the program if it still runs
  ProgramDriver(const ProgramDriver&) = delete;
  ProgramDriver& operator=(const ProgramDriver&) = delete;

  // `arguments` follow the program's path on its command line.
  bool Start(const std::string& arguments = "");
  // A visible top-level window of the program with this class, or null after the timeout.
  HWND WaitForWindow(const char* className, DWORD timeoutMs);
  // Ends the program from outside, as Windows does at the end of a session.
  void Kill();
  // Waits for the program to end; false on timeout.
  bool WaitForExit(DWORD timeoutMs, DWORD* exitCode);

  // Waits for the program's message box, presses OK on it and waits for the
  // program to end. The box's text, or "(no message box)"; exitCode stays
  // untouched when the program did not end.
  std::string AnswerMessageBox(DWORD* exitCode);
  // Waits until the program has handled what was posted to `window` so far:
  // the about box its command opens comes after it, and is closed again.
  bool WaitForPostedMessages(HWND window);

  const std::string& exePath() const { return exePath_; }

 private:
  std::string folder_;
  std::string exePath_;
  PROCESS_INFORMATION process_ = {};
};

// Waits for the window to go; false on timeout.
bool WaitUntilGone(HWND window, DWORD milliseconds = 5000);
// Waits for the drive's log to show commands containing each of `texts`, in
// that order; how many of them it showed. What came with them is gone.
size_t WaitForCommands(VirtualDisc& drive, const std::vector<std::string>& texts,
                       DWORD milliseconds = 5000);
inline bool WaitForCommand(VirtualDisc& drive, const std::string& text, DWORD milliseconds = 5000) {
  return WaitForCommands(drive, {text}, milliseconds) == 1;
}
// Waits for the drive's log to show a command received at `seconds` of its
// clock (this machine's performance counter) or later: the program's polls
// ask the drive twice a second, so that time has come for the program too.
// The lines logged meanwhile go into `lines`.
bool WaitForDriveClock(VirtualDisc& drive, double seconds, DWORD milliseconds,
                       std::vector<std::string>* lines);
// Waits for the window's title to be `title`, or to begin with it when
// `prefix`.
bool WaitForTitle(HWND window, const std::string& title, DWORD milliseconds, bool prefix = false);
// A disc of these tracks whose identity is `identity` written in decimal.
DiscContents DiscOf(const std::vector<std::string>& tracks, int identity, bool gapless = false);
// A key pressed and let go, as the keyboard delivers it to the focused window.
void PostKey(HWND window, WPARAM key);

// Caption and message text of a standard message box.
std::string WindowText(HWND hwnd);
std::string MessageBoxText(HWND box);
// A value of an INI file, or "".
std::string IniValue(const std::string& path, const char* section, const char* key);
// The start-up message of a picture that failed: IDS_IMAGE_FAILED, the line
// saying why, then the resource-file key and the path.
std::string ImageFailedMessage(const std::string& key, const std::string& path,
                               const std::string& reason);

#endif
