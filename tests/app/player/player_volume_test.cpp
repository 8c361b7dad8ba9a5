// The volume by hand (the wheel, the keys, the keyboard's volume keys, mute)
// and the seek bar's drag, in-process on the virtual drive.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "app/application.h"
#include "app/rules/volume_steps.h"
#include "cd/msf.h"
#include "common/fixed_text.h"
#include "app/player/player_fixture.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "window/painting_skin.h"
#include "window/skin_window_fixture.h"

namespace {

// The painting tests' skin: ten volume frames at 80,2..88,8 and a seek bar
// on rows 40..47 whose level at x is (x - 10) * 4.
class PlayerHand : public PlayerTest {
 protected:
  void SetUp() override {
    PlayerTest::SetUp();
    CopyText(appSettings->lastFile, WritePaintingSkin(folder).c_str());
  }
  LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam) { return SendMessageA(player->hwnd, message, wParam, lParam); }
  LRESULT App(int command) { return Send(WM_APPCOMMAND, 0, MAKELPARAM(0, command)); }
  // The pointer at a screen point; the window spans 30,40..150,104.
  LRESULT Wheel(int delta, int x = 50, int y = 60) { return Send(WM_MOUSEWHEEL, MAKEWPARAM(0, delta), MAKELPARAM(x, y)); }
  std::string Ini() { return Line("%d %d", Saved("Volume"), Saved("Mute")); }
  int Saved(const char* key) { return GetPrivateProfileIntA("General", key, -1, folder.File("ZantoPlay.ini").c_str()); }
};

// Catches a step off the sixteenths, stuck between two levels or past an end; a wheel that loses part
// notches or sums them across a turn back; the system-wide drive level left changed at the exit,
// written back untouched, or jumping to the player's volume at an unmute when none was chosen.
TEST(VolumeRules, SixteenthsWheelNotchesAndTheDrivesLevelPutBack) {
  const int steps[][3] = {{255, 1, 255}, {255, -2, 223}, {0, -1, 0}, {0, 1, 16}, {255, -16, 0}, {100, 1, 112}, {100, -1, 96}};
  for (const auto& s : steps) EXPECT_EQ(SteppedVolume(s[0], s[1]), s[2]) << s[0] << " " << s[1];
  int remainder = 0;
  const int wheel[][3] = {{40, 0, 40}, {40, 0, 80}, {40, 1, 0}, {360, 3, 0}, {90, 0, 90}, {-60, 0, -60}, {-60, -1, 0}, {-250, -2, -10}};
  for (const auto& w : wheel) {
    int taken = TakeWheelSteps(&remainder, w[0]);
    EXPECT_EQ(Line("%d %d", taken, remainder), Line("%d %d", w[1], w[2])) << w[0];
  }

  // The system's level known, a volume chosen, muted; then what unmute and the exit write (0: nothing).
  const DWORD system = 0x40004000, chosen = AuxVolumeValue(128);
  const struct { bool known, chose, mute; DWORD unmute, exit; } drive[] = {
      {true, false, false, 0, 0}, {true, false, true, system, system}, {true, true, true, chosen, system}, {false, false, true, chosen, 0}};
  for (const auto& d : drive) {
    DriveLevelMemory level;
    level.RememberSystemLevel(d.known, system);
    if (d.chose) level.ForVolume(128);
    if (d.mute) { EXPECT_EQ(level.ForMute(), 0u); }
    DWORD unmute = 0, exit = 0;
    EXPECT_EQ(Line("%lx %lx", level.ForUnmute(128, &unmute) ? unmute : 0, level.ForExit(&exit) ? exit : 0),
              Line("%lx %lx", d.unmute, d.exit)) << d.known << d.chose << d.mute;
  }
}

// Catches a way of setting the volume ignored or passed on to the system, a wheel that steps away
// from the player, a mute that forgets the volume, shows the control where it was, lacks its check
// mark or is not saved at once, a volume change that leaves the mute on, a saved mute forgotten at
// the start, and fast forward or rewind that do nothing.
TEST_F(PlayerHand, WheelKeysVolumeCommandsAndMuteShareOneVolume) {
  appSettings->mute = 1;  // saved by the last run
  Open(TracksOf(3), 0.01);
  auto rest = [&] { return LRESULT{PumpUntil(3000, [&] { return Ini() == "223 0"; })}; };
  const struct { const char* what; std::function<LRESULT()> act; LRESULT result; int volume, mute, shown; bool saved; } steps[] = {
      {"started muted", [] { return LRESULT{0}; }, 0, 255, 1, 0, false},
      {"the menu's ミュート", [&] { return Send(WM_COMMAND, IDM_MUTE, 0); }, 0, 255, 0, 255, true},
      {"VOLUME_DOWN", [&] { return App(APPCOMMAND_VOLUME_DOWN); }, TRUE, 239, 0, 239, false},
      {"VOLUME_DOWN again", [&] { return App(APPCOMMAND_VOLUME_DOWN); }, TRUE, 223, 0, 223, false},
      {"a second's rest saves", rest, TRUE, 223, 0, 223, true},
      {"two notches down", [&] { return Wheel(-240); }, 0, 191, 0, 191, false},
      {"a notch beside the player", [&] { return Wheel(-120, 5, 5); }, 0, 191, 0, 191, false},
      {"down key", [&] { return Send(WM_KEYDOWN, VK_DOWN, 1); }, 0, 175, 0, 175, false},
      {"VOLUME_UP", [&] { return App(APPCOMMAND_VOLUME_UP); }, TRUE, 191, 0, 191, false},
      {"VOLUME_MUTE", [&] { return App(APPCOMMAND_VOLUME_MUTE); }, TRUE, 191, 1, 0, true},
      {"a part notch keeps the mute", [&] { return Wheel(60); }, 0, 191, 1, 0, false},
      {"up while muted", [&] { return Send(WM_KEYDOWN, VK_UP, 1); }, 0, 207, 0, 207, true},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.what);
    EXPECT_EQ(step.act(), step.result);
    EXPECT_EQ(appSettings->volume * 10 + appSettings->mute, step.volume * 10 + step.mute);
    unique_hmenu menu = player->BuildContextMenu();
    EXPECT_EQ(GetMenuState(GetSubMenu(menu.get(), 0), IDM_MUTE, MF_BYCOMMAND) & MF_CHECKED, step.mute ? MF_CHECKED : 0u);
    EXPECT_EQ(BufferPixel(*player, 84, 5), VolumeFrameColour(step.shown * kVolumeFrames / 256)) << "the control's frame";
    if (step.saved) { EXPECT_EQ(Ini(), Line("%d %d", step.volume, step.mute)); }
  }
  Poll();
  player->PlayTrackAt(2, 0, 2, 0);
  Command(IDM_PAUSE);
  EXPECT_EQ(App(APPCOMMAND_MEDIA_FAST_FORWARD), TRUE);
  EXPECT_EQ(TmsfSeconds(player->View().pausePosition), 7);
  Sleep(270);  // a quarter second apart, as a held arrow key steps
  EXPECT_EQ(App(APPCOMMAND_MEDIA_REWIND), TRUE);
  EXPECT_EQ(TmsfSeconds(player->View().pausePosition), 2);
}

// Catches a seek at the press or at every move (each a PLAY in the drive's log), a time or bar that
// does not follow the drag or that the poll overwrites while the bar is held, and a release off the
// bar that seeks anywhere but the place shown.
TEST_F(PlayerHand, ADragShowsThePlaceAndSeeksOnceAtTheRelease) {
  Open(TracksOf(3), 0.01);  // 4:12.30 a track: 18930 frames
  Poll();
  player->PlayTrackAt(1, 0, 0, 0);
  Plays();
  // Levels 124 and 188: 18930 * 125 / 256 and 18930 * 189 / 256 frames; off the bar the place stays.
  const struct { int x, y, time, seek; } drag[] = {{41, 44, 203, 124}, {57, 44, 306, 188}, {57, 50, 306, 188}};
  Press(player->hwnd, drag[0].x, drag[0].y);
  for (const auto& at : drag) {
    Move(player->hwnd, at.x, at.y);
    Poll();
    EXPECT_EQ(player->timeFirst * 100 + player->timeSecond, at.time);
    EXPECT_EQ(player->seekPosition, at.seek);
    EXPECT_TRUE(Plays().empty()) << "a seek before the release";
  }
  Release(player->hwnd, 57, 50);
  std::vector<std::string> plays = Plays();
  EXPECT_TRUE(plays.size() == 1 && plays[0].find(PlayFrom(1, 3, 6, 25)) != std::string::npos) << plays.size();
}

}  // namespace
