// The skin's lamps and remaining-time sign on a real player: what the skin
// places, what it draws for each mode, and what a click on a lamp changes.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "app/application.h"
#include "app/player/player_fixture.h"
#include "common/fixed_text.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "window/hit_test.h"
#include "window/painting_skin.h"
#include "window/skin_window_fixture.h"

namespace {

constexpr COLORREF kFace = RGB(10, 10, 10);
constexpr COLORREF kSign = RGB(0, 200, 0);

// Lamp i sits at (4 + 14i, 26)-(14 + 14i, 32); its strip's left half is
// the off frame, the right half the on frame, in colours of its own.
RECT LampAt(int lamp) { return RECT{4 + 14 * lamp, 26, 14 + 14 * lamp, 32}; }
COLORREF LampColour(int lamp, bool on) { return RGB(on ? 250 : 60, 40 * lamp, 100); }

class PlayerLamps : public PlayerTest {
 protected:
  // The "lamps" skin: every lamp with its strip, a sign left of the time.
  std::string WriteLampSkin() {
    std::string lines = "MP3TimeWindow 30 4 60 12\r\nTimeRemainingImage sign.bmp\r\n";
    for (int lamp = 0; lamp < kLampCount; ++lamp) {
      const RECT r = LampAt(lamp);
      const std::string file = Line("lamp%d.bmp", lamp);
      EXPECT_TRUE(WriteBmp(folder.File(file), 20, 6, [lamp](int x, int) { return LampColour(lamp, x >= 10); }));
      lines += Line("%s %ld %ld %ld %ld tip%d\r\n", kLampKeys[lamp], r.left, r.top, r.right, r.bottom, lamp);
      lines += Line("%sImage %s\r\n", kLampKeys[lamp], file.c_str());
    }
    EXPECT_TRUE(WriteBmp(folder.File("sign.bmp"), 6, 8, kSign));
    return ::WriteSkin(folder, "lamps", 80, 40, Solid(kFace), lines);
  }
  int& ModeOf(int lamp) {
    Settings& s = *appSettings;
    int* fields[kLampCount] = {&s.shuffle, &s.repeat, &s.repeatTrack, &s.introScan, &s.mute};
    return *fields[lamp];
  }
  COLORREF Shown(int x, int y) { return BufferSnapshot(*player).At(x, y); }
};

// Catches a lamp key not read, a lamp not showing its mode (at start, after
// a click, after the menu changed it), a click that misses the mode or acts
// when released off the lamp, and a sign missing or stuck.
TEST_F(PlayerLamps, EachLampShowsItsModeAndAClickFlipsItAsTheMenuDoes) {
  CopyText(appSettings->lastFile, WriteLampSkin().c_str());
  appSettings->repeat = 1;  // one lamp lit from the start
  Open(TracksOf(3));
  Poll();
  const struct { int lamp; UINT command; } rows[] = {
      {ShuffleLamp, IDM_SHUFFLE}, {RepeatLamp, IDM_REPEAT}, {RepeatTrackLamp, IDM_REPEAT_TRACK},
      {IntroLamp, IDM_INTRO_SCAN}, {MuteLamp, IDM_MUTE},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(kLampKeys[row.lamp]);
    const RECT r = LampAt(row.lamp);
    const int x = r.left + 2, y = r.top + 2;
    const bool before = ModeOf(row.lamp) != 0;
    EXPECT_EQ(Shown(x, y), LampColour(row.lamp, before)) << "the start's state";

    Click(player->hwnd, x, y);
    EXPECT_EQ(ModeOf(row.lamp) != 0, !before) << "the click did not flip the mode";
    EXPECT_EQ(Shown(x, y), LampColour(row.lamp, !before));

    Press(player->hwnd, x, y);
    Release(player->hwnd, 70, 38);  // off the lamp: cancelled
    EXPECT_EQ(ModeOf(row.lamp) != 0, !before) << "a cancelled click acted";

    Command(static_cast<WORD>(row.command));  // the menu, or its key
    EXPECT_EQ(ModeOf(row.lamp) != 0, before);
    EXPECT_EQ(Shown(x, y), LampColour(row.lamp, before)) << "the lamp missed the menu's change";
  }

  // The sign shows exactly in the two remaining-time modes; its right edge
  // is the time window's left (the spacing is 0), its top the window's.
  const COLORREF lit = RGB(10, 200, 10);  // laid on the face, keeping the brighter
  for (COLORREF sign : {lit, lit, kFace}) {
    Command(IDM_NEXT_TIME_MODE);
    EXPECT_EQ(Shown(24, 4), sign);
    EXPECT_EQ(Shown(29, 11), sign);
    EXPECT_EQ(Shown(23, 4), kFace) << "the sign is wider than its picture";
  }
}

// Catches a skin without the new keys that draws, hit-tests or adds a
// tooltip for anything new while the modes change.
TEST_F(PlayerLamps, ASkinWithoutLampsStaysAsItWas) {
  Open(TracksOf(3));  // the fixture's plain skin
  Poll();
  const LRESULT tools = SendMessageA(player->tooltip, TTM_GETTOOLCOUNT, 0, 0);
  const BufferSnapshot before(*player);
  for (WORD id : {IDM_SHUFFLE, IDM_REPEAT, IDM_REPEAT_TRACK, IDM_INTRO_SCAN, IDM_MUTE, IDM_NEXT_TIME_MODE}) Command(id);
  const BufferSnapshot after(*player);
  for (int y = 0; y < 40; y += 2) {
    for (int x = 0; x < 80; x += 2) ASSERT_EQ(after.At(x, y), before.At(x, y)) << x << "," << y;
  }
  EXPECT_EQ(player->HitTest(5, 27, nullptr), kHitBody);
  EXPECT_EQ(SendMessageA(player->tooltip, TTM_GETTOOLCOUNT, 0, 0), tools);
}

}  // namespace
