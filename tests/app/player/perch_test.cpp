// Perch on a real player window: which foreground windows it sits on, and
// when it leaves the player where it is. The test supplies the foreground
// window, so no other window has to be activated.
#include <gtest/gtest.h>

#include <memory>

#include "app/application.h"
#include "app/player/osuwari.h"
#include "app/player/player_window.h"
#include "app/desktop/window_position.h"
#include "common/handles.h"
#include "settings/settings.h"
#include "window/skin_window_fixture.h"

namespace {

HWND testForeground = nullptr;
HWND WINAPI TestForeground() { return testForeground; }

// A plain top-level window with a title bar, to be perched on.
unique_hwnd TargetAt(const RECT& r) {
  return unique_hwnd(CreateWindowExA(0, "STATIC", "target", WS_OVERLAPPEDWINDOW, r.left, r.top, r.right - r.left,
                                     r.bottom - r.top, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr));
}

class PerchTest : public SkinWindowTest {
 protected:
  void SetUp() override {
    perchForegroundWindow = TestForeground;
  }
  void TearDown() override {
    perchForegroundWindow = GetForegroundWindow;
    testForeground = nullptr;
  }

  // An 80 x 60 player with the given skin lines.
  void OpenPlayer(const std::string& lines) {
    ASSERT_TRUE(Open(player, WriteSkin("perch", 80, 60, TestPattern, lines)));
  }
  void PlacePlayer(int x, int y) { SetWindowPos(player.hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER); }
  // Perches with `foreground` in front and tells where the player went.
  POINT PerchOn(HWND foreground) {
    testForeground = foreground;
    player.Perch();
    return WindowCorner(player.hwnd);
  }

  Settings settings;
  PlayerWindow player{settings, nullptr};
};

::testing::AssertionResult At(POINT corner, LONG x, LONG y) {
  if (corner.x == x && corner.y == y) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "player at (" << corner.x << ", " << corner.y << "), expected (" << x
                                       << ", " << y << ")";
}

TEST_F(PerchTest, SitsOnTheTargetAndFollowsItOnlyWhenItChangesOrMoves) {
  OpenPlayer("");
  unique_hwnd first = TargetAt({100, 200, 500, 500});
  unique_hwnd second = TargetAt({300, 400, 500, 600});

  EXPECT_TRUE(At(PerchOn(first.get()), 420, 150));
  EXPECT_EQ(player.View().perchTarget, first.get());
  RECT remembered{100, 200, 500, 500};
  const RECT target = player.View().perchTargetRect;
  EXPECT_TRUE(EqualRect(&target, &remembered));

  // Dragged away by hand: it stays while the target stays put.
  PlacePlayer(5, 6);
  EXPECT_TRUE(At(PerchOn(first.get()), 5, 6)) << "moved although the target neither changed nor moved";

  MoveWindow(first.get(), 150, 250, 400, 300, FALSE);
  EXPECT_TRUE(At(PerchOn(first.get()), 470, 200)) << "did not follow the moved target";

  EXPECT_TRUE(At(PerchOn(second.get()), 300 + 180 - 40, 350)) << "did not move to the new foreground window";

  // The settings are read at every perch.
  settings.osuwariXPer = 0;
  MoveWindow(second.get(), 310, 400, 200, 200, FALSE);
  EXPECT_TRUE(At(PerchOn(second.get()), 270, 350));
}

TEST_F(PerchTest, TheSkinsBaseLineSetsTheDepth) {
  OpenPlayer("# OsuwariBaseLine 30\r\n");
  unique_hwnd target = TargetAt({100, 200, 500, 500});
  EXPECT_TRUE(At(PerchOn(target.get()), 420, 170));
}

TEST_F(PerchTest, StaysPutForTargetsItMustNotSitOn) {
  OpenPlayer("");
  unique_hwnd parked = TargetAt({-32000, -32000, -31840, -31970});
  unique_hwnd minimised = TargetAt({100, 200, 500, 500});
  ShowWindow(minimised.get(), SW_SHOWMINNOACTIVE);
  ASSERT_TRUE(IsIconic(minimised.get()));
  struct Case {
    const char* target;
    HWND hwnd;
  } cases[] = {
      {"no foreground window", nullptr},
      {"the player itself", player.hwnd},
      {"a minimised window", minimised.get()},
      {"a window parked where minimised windows go", parked.get()},
      {"the desktop", GetDesktopWindow()},
      {"the shell's window", GetShellWindow()},
  };
  for (const Case& c : cases) {
    PlacePlayer(7, 8);
    EXPECT_TRUE(At(PerchOn(c.hwnd), 7, 8)) << c.target;
    EXPECT_EQ(player.View().perchTarget, nullptr) << c.target << " was taken as the target";
  }

  // Restored, the window is a target like any other.
  ShowWindow(minimised.get(), SW_SHOWNOACTIVATE);
  MoveWindow(minimised.get(), 100, 200, 400, 300, FALSE);
  EXPECT_TRUE(At(PerchOn(minimised.get()), 420, 150));
}

// Catches: a player left where no monitor shows it once its target has
// closed, and that place saved for the next start.
TEST_F(PerchTest, ComesBackOntoAMonitorWhenThereIsNothingToPerchOn) {
  OpenPlayer("");
  unique_hwnd target = TargetAt({100, 200, 500, 500});
  EXPECT_TRUE(At(PerchOn(target.get()), 420, 150));
  PlacePlayer(-650, 288);  // where a target far off the screen had taken it
  POINT saved;
  ASSERT_TRUE(GetNormalPosition(player.hwnd, &saved));
  EXPECT_TRUE(At(saved, 0, 288)) << "an unreachable place would be saved";

  target.reset();
  EXPECT_TRUE(At(PerchOn(player.hwnd), 0, 288)) << "the player itself in front";
  EXPECT_EQ(player.View().perchTarget, nullptr) << "the closed target is still remembered";
  PlacePlayer(-650, 288);
  EXPECT_TRUE(At(PerchOn(nullptr), 0, 288)) << "no foreground window";
  PlacePlayer(-48, 288);  // 32 px on the screen: within reach
  EXPECT_TRUE(At(PerchOn(nullptr), -48, 288));
}

// Catches: a drag that takes the player past the edge of the screen until
// nothing of it is left to take hold of, and a player left off the screen
// when a monitor goes or the work area shrinks, minimised or not.
TEST_F(PerchTest, ADragOrAMonitorChangeKeepsTheWindowWithinReach) {
  OpenPlayer("");
  // Pressed at its bottom-right corner, dragged to the screen's top-left
  // corner: only 5 x 5 of it would be left on the screen.
  Press(player.hwnd, 75, 55);
  Move(player.hwnd, 0 - kLeft, 0 - kTop);
  EXPECT_TRUE(At(WindowCorner(player.hwnd), kReachGrip - 80, kReachGrip - 60));
  POINT corner = WindowCorner(player.hwnd);
  Move(player.hwnd, 500 - corner.x, 300 - corner.y);  // back on the screen it follows the pointer
  EXPECT_TRUE(At(WindowCorner(player.hwnd), kLeft + 500 - (kLeft + 75), kTop + 300 - (kTop + 55)));
  Release(player.hwnd, 500 - corner.x, 300 - corner.y);

  PlacePlayer(-650, 288);
  SendMessageA(player.hwnd, WM_DISPLAYCHANGE, 24, 0);
  EXPECT_TRUE(At(WindowCorner(player.hwnd), 0, 288)) << "a monitor changed";
  // Minimised, the place it restores to is brought back.
  PlacePlayer(-650, 288);
  ShowWindow(player.hwnd, SW_SHOWMINNOACTIVE);
  SendMessageA(player.hwnd, WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
  ShowWindow(player.hwnd, SW_SHOWNOACTIVATE);
  EXPECT_TRUE(At(WindowCorner(player.hwnd), 0, 288)) << "the work area changed while minimised";
}

}  // namespace
