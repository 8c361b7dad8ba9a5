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
#include "common/handles.h"
#include "player/player_fixture.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "window/skin_files.h"
#include "window/skin_window_fixture.h"

namespace {

// The skin's volume strip: four frames of 10 x 10, each its own green.
COLORREF VolumeFrame(int frame) { return RGB(0, 40 + 60 * frame, 0); }
constexpr int kVolumeFrames = 4;

class PlayerHand : public PlayerTest {
 protected:
  // An 80 x 40 skin with a volume control at 0,0..10,10 (frames of the
  // strip above) and a seek bar on rows 20..29 whose level at x is (x - 20) * 4 + 3.
  void UseHandSkin() {
    ASSERT_TRUE(WriteBmp(folder.File("hand.bmp"), 80, 40, TestPattern));
    ASSERT_TRUE(WriteBmp(folder.File("strip.bmp"), 10 * kVolumeFrames, 10,
                         [](int x, int) { return VolumeFrame(x / 10); }));
    auto grey = [](int level) { return RGB(level, level, level); };
    ASSERT_TRUE(WriteBmp(folder.File("volume_map.bmp"), 80, 40, [&](int x, int y) {
      return x < 10 && y < 10 ? grey(x * 25) : RGB(255, 0, 0);
    }));
    ASSERT_TRUE(WriteBmp(folder.File("seek_map.bmp"), 80, 40, [&](int x, int y) {
      return x >= 20 && y >= 20 && y < 30 ? grey((x - 20) * 4 + 3) : RGB(255, 0, 0);
    }));
    std::string rc = folder.File("hand.rc");
    ASSERT_TRUE(WriteFileBytes(rc, "BackgroundImage hand.bmp\r\nBackgroundImageInactive hand.bmp\r\n"
                                   "VolumeControlType BMP\r\nVolumeControlImage strip.bmp\r\n"
                                   "VolumeControlImagePosition volume_map.bmp\r\n"
                                   "VolumeControlImageXSize 10\r\nVolumeControlImageNb 4\r\n"
                                   "VolumeControlButton 0 0 10 10\r\n"
                                   "SeekImage seek_map.bmp\r\nSeekRegion 20 20 80 30\r\n"));
    CopyText(appSettings->lastFile, rc.c_str());
  }
  LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam) {
    return SendMessageA(player->hwnd, message, wParam, lParam);
  }
  LRESULT App(int command) {
    return Send(WM_APPCOMMAND, reinterpret_cast<WPARAM>(player->hwnd), MAKELPARAM(0, command));
  }
  // A wheel turn with the pointer at a screen point; the window's corner is 30,40.
  LRESULT Wheel(int delta, int x = 50, int y = 60) {
    return Send(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(static_cast<short>(delta))),
                MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
  }
  std::string Ini(const char* key) {
    char value[32] = "";
    GetPrivateProfileStringA("General", key, "", value, sizeof(value), folder.File("ZantoPlay.ini").c_str());
    return value;
  }
  // "track/mm:ss" a PLAY line starts from, frames left out.
  static std::string From(const std::string& line) {
    size_t at = line.find("from=0x");
    if (at == std::string::npos) return "?";
    DWORD tmsf = std::stoul(line.substr(at + 7, 8), nullptr, 16);
    return Line("%d/%02d:%02d", TmsfTrack(tmsf), TmsfMinutes(tmsf), TmsfSeconds(tmsf));
  }
  bool MuteChecked() {
    unique_hmenu menu = player->BuildContextMenu();
    return (GetMenuState(GetSubMenu(menu.get(), 0), IDM_MUTE, MF_BYCOMMAND) & MF_CHECKED) != 0;
  }
};

// Catches a step off the sixteenths (or one that sticks between two levels
// or passes an end), a wheel that loses its part notches or sums them across
// a change of direction.
TEST(VolumeSteps, SixteenthsHoldAtTheEndsAndTheWheelGathersPartNotches) {
  const struct { int volume, steps, after; } steps[] = {
      {255, 1, 255}, {255, -1, 239}, {255, -2, 223}, {0, -1, 0}, {0, 1, 16}, {0, 16, 255},
      {255, -16, 0}, {100, 1, 112}, {100, -1, 96}, {112, 1, 128}, {300, -1, 239}, {-5, 1, 16}};
  for (const auto& s : steps) EXPECT_EQ(SteppedVolume(s.volume, s.steps), s.after) << s.volume << " " << s.steps;

  int remainder = 0;
  const struct { int delta, steps, remainder; } wheel[] = {
      {120, 1, 0}, {40, 0, 40}, {40, 0, 80}, {40, 1, 0}, {360, 3, 0},
      {90, 0, 90}, {-60, 0, -60}, {-60, -1, 0},  // the turn back forgot the 90
      {-250, -2, -10}};
  for (const auto& w : wheel) {
    EXPECT_EQ(TakeWheelSteps(&remainder, w.delta), w.steps) << w.delta;
    EXPECT_EQ(remainder, w.remainder) << w.delta;
  }
}

// Catches the system-wide drive level left changed at the exit, an unmute
// that jumps the drive to the player's full volume when the user never chose
// one, and a level written back that the player never touched.
TEST(DriveLevels, UnmuteGivesBackWhatPlayedAndTheExitTheSystemsOwn) {
  const DWORD system = 0x40004000;
  DWORD level = 0;
  DriveLevelMemory untouched;
  EXPECT_FALSE(untouched.ForExit(&level)) << "never changed: nothing to put back";
  EXPECT_FALSE(untouched.ForUnmute(100, &level));

  DriveLevelMemory mutedOnly;
  mutedOnly.RememberSystemLevel(true, system);
  EXPECT_EQ(mutedOnly.ForMute(), 0u);
  ASSERT_TRUE(mutedOnly.ForUnmute(255, &level));
  EXPECT_EQ(level, system) << "no volume chosen: the system's level played before the mute";

  DriveLevelMemory chosen;
  chosen.RememberSystemLevel(true, system);
  EXPECT_EQ(chosen.ForVolume(128), AuxVolumeValue(128));
  chosen.ForMute();
  ASSERT_TRUE(chosen.ForUnmute(128, &level));
  EXPECT_EQ(level, AuxVolumeValue(128));
  ASSERT_TRUE(chosen.ForExit(&level));
  EXPECT_EQ(level, system);

  DriveLevelMemory unknown;
  unknown.RememberSystemLevel(false, 0);
  unknown.ForMute();
  ASSERT_TRUE(unknown.ForUnmute(64, &level));
  EXPECT_EQ(level, AuxVolumeValue(64)) << "the system's level unknown: the player's";
  EXPECT_FALSE(unknown.ForExit(&level));
}

// Catches each way of setting the volume: a wheel that steps at every part
// notch or away from the player, keys or volume commands ignored or passed
// on to the system, a mute that forgets the volume, shows the control where
// it was or lacks its check mark, a mute not saved at once, a volume change
// that leaves the mute on, and a start-up that forgets the saved mute.
TEST_F(PlayerHand, WheelKeysVolumeCommandsAndMuteShareOneVolume) {
  UseHandSkin();
  appSettings->mute = 1;  // saved by the last run
  Open(TracksOf(3), 0.01);
  const bool session = player->volumeOutput.OpenSession();
  if (session) {
    EXPECT_NEAR(player->volumeOutput.SessionVolume(), 0.0f, 0.01f) << "muted from the start";
  }

  const struct {
    const char* what;
    std::function<LRESULT()> act;
    LRESULT result;
    int volume, mute, shown;
    bool savedAtOnce;
  } steps[] = {
      {"started muted", [] { return LRESULT{0}; }, 0, 255, 1, 0, false},
      {"the menu's ミュート", [&] { return Send(WM_COMMAND, IDM_MUTE, 0); }, 0, 255, 0, 255, true},
      {"a notch up at the top", [&] { return Wheel(120); }, 0, 255, 0, 255, false},
      {"half a notch down", [&] { return Wheel(-60); }, 0, 255, 0, 255, false},
      {"the other half", [&] { return Wheel(-60); }, 0, 239, 0, 239, false},
      {"two notches at once", [&] { return Wheel(-240); }, 0, 207, 0, 207, false},
      {"a notch beside the player", [&] { return Wheel(-120, 5, 5); }, 0, 207, 0, 207, false},
      {"down key", [&] { return Send(WM_KEYDOWN, VK_DOWN, 1); }, 0, 191, 0, 191, false},
      {"up key", [&] { return Send(WM_KEYDOWN, VK_UP, 1); }, 0, 207, 0, 207, false},
      {"VOLUME_DOWN", [&] { return App(APPCOMMAND_VOLUME_DOWN); }, TRUE, 191, 0, 191, false},
      {"VOLUME_UP", [&] { return App(APPCOMMAND_VOLUME_UP); }, TRUE, 207, 0, 207, false},
      {"VOLUME_MUTE", [&] { return App(APPCOMMAND_VOLUME_MUTE); }, TRUE, 207, 1, 0, true},
      {"a part notch keeps the mute", [&] { return Wheel(60); }, 0, 207, 1, 0, false},
      {"up while muted", [&] { return Send(WM_KEYDOWN, VK_UP, 1); }, 0, 223, 0, 223, true},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.what);
    EXPECT_EQ(step.act(), step.result);
    EXPECT_EQ(appSettings->volume, step.volume);
    EXPECT_EQ(appSettings->mute, step.mute);
    EXPECT_EQ(MuteChecked(), step.mute != 0);
    EXPECT_EQ(player->volumePosition, step.shown);
    EXPECT_EQ(BufferPixel(*player, 5, 5), VolumeFrame(step.shown * kVolumeFrames / 256)) << "the frame shown";
    if (step.savedAtOnce) {
      EXPECT_EQ(Ini("Mute"), std::to_string(step.mute));
      EXPECT_EQ(Ini("Volume"), std::to_string(step.volume));
    }
    if (session) {
      EXPECT_NEAR(player->volumeOutput.SessionVolume(), step.mute ? 0.0f : step.volume / 255.0f, 0.01f);
    }
  }
  App(APPCOMMAND_VOLUME_DOWN);
  EXPECT_EQ(Ini("Volume"), "223") << "a step is saved once the volume rests";
  EXPECT_TRUE(PumpUntil(3000, [&] { return Ini("Volume") == "207"; }));

  // Fast forward and rewind step as the arrow keys do, a quarter second apart.
  Poll();
  player->PlayTrackAt(2, 0, 2, 0);
  Plays();
  EXPECT_EQ(App(APPCOMMAND_MEDIA_FAST_FORWARD), TRUE);
  Sleep(270);
  EXPECT_EQ(App(APPCOMMAND_MEDIA_REWIND), TRUE);
  std::vector<std::string> plays = Plays();
  ASSERT_EQ(plays.size(), 2u);
  EXPECT_EQ(From(plays[0]), "2/00:07");
  EXPECT_EQ(From(plays[1]), "2/00:02");
}

// Catches a seek at the press or at every move (the drive's log shows each
// PLAY), a time that does not follow the drag or that the poll overwrites
// while the bar is held, and a release off the bar that seeks nowhere or
// somewhere the display never showed.
TEST_F(PlayerHand, ADragShowsThePlaceAndSeeksOnceAtTheRelease) {
  UseHandSkin();
  Open(TracksOf(3), 0.01);  // 4:12.30 a track: 18930 frames
  Poll();
  player->PlayTrackAt(1, 0, 0, 0);
  Poll();
  Plays();
  HWND hwnd = player->hwnd;
  const struct { int x, y; const char* title; int seek; } drag[] = {
      {51, 25, "[01] 02:06 - Zanto Player", 127},  // 18930 * 128 / 256 frames
      {67, 25, "[01] 03:09 - Zanto Player", 191},  // 14197 frames
      {67, 35, "[01] 03:09 - Zanto Player", 191},  // off the bar: it keeps the place
  };
  Press(hwnd, drag[0].x, drag[0].y);
  for (const auto& at : drag) {
    Move(hwnd, at.x, at.y);
    Poll();  // the drive's own reading must not take over
    EXPECT_EQ(Title(), at.title);
    EXPECT_EQ(player->timeFirst * 100 + player->timeSecond, std::stoi(at.title + 5) * 100 + std::stoi(at.title + 8));
    EXPECT_EQ(player->seekPosition, at.seek);
    EXPECT_TRUE(Plays().empty()) << "no seek before the release";
  }
  Release(hwnd, 67, 35);
  std::vector<std::string> plays = Plays();
  ASSERT_EQ(plays.size(), 1u);
  EXPECT_NE(plays[0].find(PlayFrom(1, 3, 9, 22)), std::string::npos) << plays[0];
  EXPECT_EQ(Title(), "[01] 03:09 - Zanto Player");
}

}  // namespace
