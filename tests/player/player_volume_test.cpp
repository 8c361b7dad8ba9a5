// The volume by hand (the wheel, the keys, the keyboard's volume keys, mute)
// and the seek bar's drag, in-process on the virtual drive.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "app/application.h"
#include "app/volume_steps.h"
#include "cd/msf.h"
#include "common/fixed_text.h"
#include "player/player_fixture.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "window/skin_window_fixture.h"

namespace {

// The volume strip's four frames of 10 x 10, each its own green.
COLORREF Frame(int frame) { return RGB(0, 40 + 60 * frame, 0); }
COLORREF Grey(int level) { return RGB(level, level, level); }

// An 80 x 40 skin with a volume control at 0,0..10,10 and a seek bar on rows
// 20..29 whose level at x is (x - 20) * 4 + 3.
class PlayerHand : public PlayerTest {
 protected:
  void SetUp() override {
    PlayerTest::SetUp();
    std::string rc = WriteSkin("hand", 80, 40);
    WriteBmp(folder.File("strip.bmp"), 40, 10, [](int x, int) { return Frame(x / 10); });
    WriteBmp(folder.File("volume.bmp"), 80, 40, [](int x, int y) { return x < 10 && y < 10 ? Grey(x * 25) : kMagenta; });
    WriteBmp(folder.File("seek.bmp"), 80, 40, [](int x, int y) { return x >= 20 && y >= 20 && y < 30 ? Grey((x - 20) * 4 + 3) : kMagenta; });
    WriteFileBytes(rc, ReadFileBytes(rc) + "VolumeControlType BMP\r\nVolumeControlImage strip.bmp\r\n"
                       "VolumeControlImagePosition volume.bmp\r\nVolumeControlImageXSize 10\r\n"
                       "VolumeControlImageNb 4\r\nVolumeControlButton 0 0 10 10\r\n"
                       "SeekImage seek.bmp\r\nSeekRegion 20 20 80 30\r\n");
    CopyText(appSettings->lastFile, rc.c_str());
  }
  LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam) { return SendMessageA(player->hwnd, message, wParam, lParam); }
  LRESULT App(int command) { return Send(WM_APPCOMMAND, 0, MAKELPARAM(0, command)); }
  // The pointer at a screen point; the window spans 30,40..110,80.
  LRESULT Wheel(int delta, int x = 50, int y = 60) { return Send(WM_MOUSEWHEEL, MAKEWPARAM(0, delta), MAKELPARAM(x, y)); }
  std::string Ini() {
    std::string ini = folder.File("ZantoPlay.ini");
    return Line("%d %d", GetPrivateProfileIntA("General", "Volume", -1, ini.c_str()),
                GetPrivateProfileIntA("General", "Mute", -1, ini.c_str()));
  }
};

// Catches a step off the sixteenths, one that sticks between two levels or
// passes an end, and a wheel that loses part notches or sums them across a
// change of direction.
TEST(VolumeSteps, SixteenthsHoldAtTheEndsAndTheWheelGathersPartNotches) {
  const int steps[][3] = {{255, 1, 255}, {255, -2, 223}, {0, -1, 0}, {0, 1, 16}, {255, -16, 0}, {100, 1, 112}, {100, -1, 96}};
  for (const auto& s : steps) EXPECT_EQ(SteppedVolume(s[0], s[1]), s[2]) << s[0] << " " << s[1];
  int remainder = 0;
  const int wheel[][3] = {{40, 0, 40}, {40, 0, 80}, {40, 1, 0}, {360, 3, 0}, {90, 0, 90}, {-60, 0, -60}, {-60, -1, 0}, {-250, -2, -10}};
  for (const auto& w : wheel) {
    EXPECT_EQ(TakeWheelSteps(&remainder, w[0]), w[1]) << w[0];
    EXPECT_EQ(remainder, w[2]) << w[0];
  }
}

// Catches the system-wide drive level left changed at the exit or written
// back untouched, and an unmute that jumps it to the player's volume when
// the user never chose one.
TEST(DriveLevels, UnmuteGivesBackWhatPlayedAndTheExitTheSystemsOwn) {
  const DWORD system = 0x40004000;
  DWORD unmute = 1, exit = 1;
  DriveLevelMemory untouched, mutedOnly, chosen, unknown;
  EXPECT_FALSE(untouched.ForUnmute(100, &unmute) || untouched.ForExit(&exit));
  mutedOnly.RememberSystemLevel(true, system);
  EXPECT_EQ(mutedOnly.ForMute(), 0u);
  EXPECT_TRUE(mutedOnly.ForUnmute(255, &unmute) && unmute == system);
  chosen.RememberSystemLevel(true, system);
  EXPECT_EQ(chosen.ForVolume(128), AuxVolumeValue(128));
  EXPECT_TRUE(chosen.ForUnmute(128, &unmute) && unmute == AuxVolumeValue(128));
  EXPECT_TRUE(chosen.ForExit(&exit) && exit == system);
  unknown.RememberSystemLevel(false, 0);
  unknown.ForMute();
  EXPECT_TRUE(unknown.ForUnmute(64, &unmute) && unmute == AuxVolumeValue(64));
  EXPECT_FALSE(unknown.ForExit(&exit));
}

// Catches a way of setting the volume ignored or passed on to the system, a
// wheel that steps away from the player, a mute that forgets the volume,
// shows the control where it was, lacks its check mark or is not saved at
// once, a volume change that leaves the mute on, a saved mute forgotten at
// the start, and fast forward or rewind that do nothing.
TEST_F(PlayerHand, WheelKeysVolumeCommandsAndMuteShareOneVolume) {
  appSettings->mute = 1;  // saved by the last run
  Open(TracksOf(3), 0.01);
  const bool session = player->volumeOutput.OpenSession();
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
    EXPECT_EQ(BufferPixel(*player, 5, 5), Frame(step.shown * 4 / 256)) << "the control's frame";
    if (step.saved) { EXPECT_EQ(Ini(), Line("%d %d", step.volume, step.mute)); }
    if (session) { EXPECT_NEAR(player->volumeOutput.SessionVolume(), step.mute ? 0.0f : step.volume / 255.0f, 0.01f); }
  }
  Poll();
  player->PlayTrackAt(2, 0, 2, 0);
  Command(IDM_PAUSE);
  EXPECT_EQ(App(APPCOMMAND_MEDIA_FAST_FORWARD), TRUE);
  EXPECT_EQ(TmsfSeconds(player->pausePosition), 7);
  Sleep(270);  // a quarter second apart, as a held arrow key steps
  EXPECT_EQ(App(APPCOMMAND_MEDIA_REWIND), TRUE);
  EXPECT_EQ(TmsfSeconds(player->pausePosition), 2);
}

// Catches a seek at the press or at every move (each is a PLAY in the
// drive's log), a time or bar that does not follow the drag or that the poll
// overwrites while the bar is held, and a release off the bar that seeks
// anywhere but the place shown.
TEST_F(PlayerHand, ADragShowsThePlaceAndSeeksOnceAtTheRelease) {
  Open(TracksOf(3), 0.01);  // 4:12.30 a track: 18930 frames
  Poll();
  player->PlayTrackAt(1, 0, 0, 0);
  Plays();
  // Levels 127 and 191: 18930 * 128 / 256 and 18930 * 192 / 256 frames; off the bar the place stays.
  const struct { int x, y, time, seek; } drag[] = {{51, 25, 206, 127}, {67, 25, 309, 191}, {67, 35, 309, 191}};
  Press(player->hwnd, drag[0].x, drag[0].y);
  for (const auto& at : drag) {
    Move(player->hwnd, at.x, at.y);
    Poll();
    EXPECT_EQ(Title(), Line("[01] %02d:%02d - Zanto Player", at.time / 100, at.time % 100));
    EXPECT_EQ(player->timeFirst * 100 + player->timeSecond, at.time);
    EXPECT_EQ(player->seekPosition, at.seek);
    EXPECT_TRUE(Plays().empty()) << "a seek before the release";
  }
  Release(player->hwnd, 67, 35);
  std::vector<std::string> plays = Plays();
  ASSERT_EQ(plays.size(), 1u);
  EXPECT_NE(plays[0].find(PlayFrom(1, 3, 9, 22)), std::string::npos) << plays[0];
}

}  // namespace
