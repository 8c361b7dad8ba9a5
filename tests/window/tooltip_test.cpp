#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "window/skin_window_fixture.h"

namespace {

struct Tool {
  RECT rect;
  std::string text;
};

bool operator==(const Tool& a, const Tool& b) {
  return EqualRect(&a.rect, &b.rect) && a.text == b.text;
}

std::ostream& operator<<(std::ostream& out, const Tool& tool) {
  return out << "(" << tool.rect.left << "," << tool.rect.top << "," << tool.rect.right << ","
             << tool.rect.bottom << " " << tool.text << ")";
}

int ToolCount(const SkinWindow& window) {
  return static_cast<int>(SendMessageA(window.tooltip, TTM_GETTOOLCOUNT, 0, 0));
}

// The tools by id 0, 1, ... as long as the control knows the id; each must be a
// plain rectangle of the window.
std::vector<Tool> ToolsById(const SkinWindow& window) {
  std::vector<Tool> tools;
  for (UINT_PTR id = 0;; ++id) {
    TOOLINFOA info = {};
    info.cbSize = TTTOOLINFOA_V1_SIZE;
    info.hwnd = window.hwnd;
    info.uId = id;
    if (!SendMessageA(window.tooltip, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&info))) break;
    EXPECT_EQ(info.uFlags, 0u) << id;
    char text[kShortTextSize] = "";
    info.lpszText = text;
    SendMessageA(window.tooltip, TTM_GETTEXTA, sizeof(text), reinterpret_cast<LPARAM>(&info));
    tools.push_back(Tool{info.rect, text});
  }
  return tools;
}

class Tooltips : public SkinWindowTest {};

// "Play" in Japanese, as a Shift-JIS skin file holds it.
const char kPlayText[] = "\x8d\xc4\x90\xb6";

TEST_F(Tooltips, OneToolPerTextAndRectangleInButtonOrderThenTheTwoAreas) {
  std::string rc = WriteSkin("tips", 80, 40, TestPattern,
                             "AnalyzerWindow 40 0 60 10 analyzer\r\n"
                             "PlayButton 0 10 10 20 " + std::string(kPlayText) + "\r\n"
                             "CloseButton 0 0 10 10 close\r\n"
                             "MinimizeButton 10 0 20 10\r\n"        // no text
                             "AboutButton 20 0 20 10 about\r\n"     // no width
                             "RepeatButton 30 30 25 40 inverted\r\n"
                             "PlayButton 10 10 20 20 play2\r\n"
                             "StopButton 0 20 10 30 stop\r\n"
                             "EqualizerWindow 40 10 60 10 equalizer 0 0\r\n");  // no height
  SkinWindow window;
  ASSERT_TRUE(Open(window, rc));
  std::vector<Tool> expected = {{{0, 0, 10, 10}, "close"},
                                {{0, 20, 10, 30}, "stop"},
                                {{0, 10, 10, 20}, kPlayText},
                                {{10, 10, 20, 20}, "play2"},
                                {{40, 0, 60, 10}, "analyzer"}};
  EXPECT_EQ(ToolCount(window), 5);
  EXPECT_EQ(ToolsById(window), expected);

  // Both areas, and nothing from the buttons.
  std::string areas = WriteSkin("areas", 80, 40, TestPattern,
                                "EqualizerWindow 0 20 30 30 eq 1 2\r\n"
                                "AnalyzerWindow 0 0 30 10 an\r\n"
                                "CloseButton 0 0 10 10\r\n");
  ASSERT_TRUE(window.ChangeSkin(nullptr, areas.c_str()));
  expected = {{{0, 0, 30, 10}, "an"}, {{0, 20, 30, 30}, "eq"}};
  EXPECT_EQ(ToolCount(window), 2);
  EXPECT_EQ(ToolsById(window), expected);
}

TEST_F(Tooltips, ASkinChangeReplacesTheTools) {
  std::string many = WriteSkin("many", 60, 20, TestPattern,
                               "CloseButton 0 0 10 10 a\r\nStopButton 10 0 20 10 b\r\n"
                               "PlayButton 20 0 30 10 c\r\nPauseButton 30 0 40 10 d\r\n");
  std::string one = WriteSkin("one", 40, 30, TestPattern, "RepeatButton 5 5 15 15 only\r\n");
  std::string none = WriteSkin("none", 40, 30, TestPattern, "");
  SkinWindow window;
  ASSERT_TRUE(Open(window, many));
  EXPECT_EQ(ToolCount(window), 4);
  ASSERT_TRUE(window.ChangeSkin(nullptr, one.c_str()));
  EXPECT_EQ(ToolCount(window), 1);
  EXPECT_EQ(ToolsById(window), (std::vector<Tool>{{{5, 5, 15, 15}, "only"}}));
  ASSERT_TRUE(window.ChangeSkin(nullptr, none.c_str()));
  EXPECT_EQ(ToolCount(window), 0);
  ASSERT_TRUE(window.ChangeSkin(nullptr, many.c_str()));
  EXPECT_EQ(ToolsById(window).size(), 4u);
}

TEST_F(Tooltips, AToolTheControlRefusesFailsTheSkin) {
  std::string rc = WriteSkin("tip", 40, 30, TestPattern, "CloseButton 0 0 10 10 close\r\n");
  std::string bare = WriteSkin("bare", 40, 30, TestPattern, "");
  SkinWindow window;
  ASSERT_TRUE(Open(window, rc));
  // Without its control no tool can be added; a skin without tools needs none.
  DestroyWindow(window.tooltip);
  EXPECT_TRUE(window.ChangeSkin(nullptr, bare.c_str()));
  EXPECT_EQ(window.status, SkinOk);
  EXPECT_FALSE(window.ChangeSkin(nullptr, rc.c_str()));
  EXPECT_EQ(window.status, SkinTooltipFailed);
}

}  // namespace
