#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "window/skin_window_fixture.h"

namespace {

// One tool as "left,top,right,bottom text".
using Tools = std::vector<std::string>;

// The tools by id 0, 1, ... for as long as the control knows the id. Each must
// be a plain rectangle of the window.
Tools ToolsById(const SkinWindow& window) {
  Tools tools;
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
    const RECT& r = info.rect;
    tools.push_back(std::to_string(r.left) + "," + std::to_string(r.top) + "," +
                    std::to_string(r.right) + "," + std::to_string(r.bottom) + " " + text);
  }
  EXPECT_EQ(SendMessageA(window.tooltip, TTM_GETTOOLCOUNT, 0, 0),
            static_cast<LRESULT>(tools.size()));
  return tools;
}

class Tooltips : public SkinWindowTest {};

// "Play" in Japanese, as a Shift-JIS skin file holds it.
const std::string kPlayText = "\x8d\xc4\x90\xb6";

TEST_F(Tooltips, OneToolPerTextAndRectangleInButtonOrderThenTheTwoAreas) {
  std::string rc = WriteSkin("tips", 80, 40, TestPattern,
                             "AnalyzerWindow 40 0 60 10 analyzer\r\n"
                             "PlayButton 0 10 10 20 " + kPlayText + "\r\n"
                             "CloseButton 0 0 10 10 close\r\n"
                             "MinimizeButton 10 0 20 10\r\n"     // no text
                             "AboutButton 20 0 20 10 about\r\n"  // no width
                             "RepeatButton 30 30 25 40 inverted\r\n"
                             "PlayButton 10 10 20 20 play2\r\n"
                             "StopButton 0 20 10 30 stop\r\n"
                             "EqualizerWindow 40 10 60 10 equalizer 0 0\r\n");  // no height
  std::string areas = WriteSkin("areas", 80, 40, TestPattern,
                                "EqualizerWindow 0 20 30 30 eq 1 2\r\n"
                                "AnalyzerWindow 0 0 30 10 an\r\n"
                                "CloseButton 0 0 10 10\r\n");
  std::string none = WriteSkin("none", 40, 30, TestPattern, "");
  SkinWindow window;
  ASSERT_TRUE(Open(window, rc));
  EXPECT_EQ(ToolsById(window), (Tools{"0,0,10,10 close", "0,20,10,30 stop",
                                      "0,10,10,20 " + kPlayText, "10,10,20,20 play2",
                                      "40,0,60,10 analyzer"}));
  // A skin change replaces every tool.
  ASSERT_TRUE(window.ChangeSkin(nullptr, areas.c_str()));
  EXPECT_EQ(ToolsById(window), (Tools{"0,0,30,10 an", "0,20,30,30 eq"}));
  ASSERT_TRUE(window.ChangeSkin(nullptr, none.c_str()));
  EXPECT_EQ(ToolsById(window), Tools{});
  ASSERT_TRUE(window.ChangeSkin(nullptr, rc.c_str()));
  EXPECT_EQ(ToolsById(window).size(), 5u);
}

TEST_F(Tooltips, AToolTheControlRefusesFailsTheSkin) {
  std::string rc = WriteSkin("tip", 40, 30, TestPattern, "CloseButton 0 0 10 10 close\r\n");
  std::string bare = WriteSkin("bare", 40, 30, TestPattern, "");
  SkinWindow window;
  ASSERT_TRUE(Open(window, rc));
  // Without its control no tool can be added; a skin without tools needs none.
  DestroyWindow(window.tooltip);
  EXPECT_TRUE(window.ChangeSkin(nullptr, bare.c_str()));
  EXPECT_FALSE(window.ChangeSkin(nullptr, rc.c_str()));
  EXPECT_EQ(window.status, SkinTooltipFailed);
}

}  // namespace
