// The player as a screen reader sees it, in-process on the default skin:
// its accessible tree, a reader's press, the keyboard focus and the events.
#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/application.h"
#include "app/player/player_fixture.h"
#include "common/fixed_text.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "support/test_support.h"

namespace {

VARIANT Child(long id) {
  VARIANT child;
  VariantInit(&child);
  child.vt = VT_I4;
  child.lVal = id;
  return child;
}

std::wstring Taken(BSTR text) {
  std::wstring taken = text ? text : L"";
  SysFreeString(text);
  return taken;
}

// The events the player raised, as (event, child id).
std::vector<std::pair<DWORD, LONG>>* events = nullptr;
void CALLBACK OnEvent(HWINEVENTHOOK, DWORD event, HWND, LONG object, LONG child, DWORD, DWORD) {
  if (events && object == OBJID_CLIENT) events->push_back({event, child});
}

class AccessibleTree : public PlayerTest {
 protected:
  void OpenDefaultSkin() {
    CopyText(appSettings->lastFile, SourcePath("skins/default/ZantoPlay1.rc").c_str());
    Open(TracksOf(3, "04:00:00"));
  }
  // The object the window hands out, as a reader asks for it.
  IAccessible* Object(LPARAM objectId = static_cast<LPARAM>(OBJID_CLIENT)) {
    LRESULT reference = SendMessageW(player->hwnd, WM_GETOBJECT, 0, objectId);
    if (reference <= 0) return nullptr;
    IAccessible* object = nullptr;
    if (FAILED(ObjectFromLresult(reference, __uuidof(IAccessible), 0, reinterpret_cast<void**>(&object)))) {
      return nullptr;
    }
    return object;
  }
  std::wstring Name(IAccessible* object, long id) {
    BSTR text = nullptr;
    object->get_accName(Child(id), &text);
    return Taken(text);
  }
  std::wstring Value(IAccessible* object, long id) {
    BSTR text = nullptr;
    object->get_accValue(Child(id), &text);
    return Taken(text);
  }
  std::wstring Action(IAccessible* object, long id) {
    BSTR text = nullptr;
    object->get_accDefaultAction(Child(id), &text);
    return Taken(text);
  }
  long Number(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT*), IAccessible* object, long id) {
    VARIANT answer;
    VariantInit(&answer);
    if ((object->*get)(Child(id), &answer) != S_OK || answer.vt != VT_I4) return -1;
    return answer.lVal;
  }
  long Role(IAccessible* object, long id) { return Number(&IAccessible::get_accRole, object, id); }
  long State(IAccessible* object, long id) { return Number(&IAccessible::get_accState, object, id); }
  void Key(WPARAM key) { SendMessageA(player->hwnd, WM_KEYDOWN, key, 1); }
};

constexpr long kPlay = 6, kPause = 9, kNext = 8, kRepeat = 11, kSeek = 12, kVolume = 13, kTime = 14, kText = 15,
               kShuffleLamp = 16;

// Catches unnamed, misplaced or missing children, a wrong role, a button
// that reads as usable without a disc, a lamp whose check state does not
// follow its mode or whose press does not switch it, and the window's
// answer to the 64-bit sign of OBJID_CLIENT.
TEST_F(AccessibleTree, TheDefaultSkinShowsEveryControlNamedWithItsRole) {
  OpenDefaultSkin();
  IAccessible* object = Object();
  ASSERT_NE(object, nullptr);
  IAccessible* again = Object(static_cast<LPARAM>(static_cast<DWORD>(OBJID_CLIENT)));
  EXPECT_NE(again, nullptr) << "OBJID_CLIENT without its sign extended";
  if (again) again->Release();
  EXPECT_EQ(SendMessageW(player->hwnd, WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_WINDOW)), 0)
      << "the frame is the system's to describe";

  long count = 0;
  EXPECT_EQ(object->get_accChildCount(&count), S_OK);
  EXPECT_EQ(count, 20);
  struct Row {
    long id;
    const wchar_t* name;
    long role;
    bool needsDisc;
  };
  const Row rows[] = {
      {1, L"閉じる", ROLE_SYSTEM_PUSHBUTTON, false},     {2, L"最小化", ROLE_SYSTEM_PUSHBUTTON, false},
      {3, L"バージョン情報", ROLE_SYSTEM_PUSHBUTTON, false}, {4, L"トレイの開閉", ROLE_SYSTEM_PUSHBUTTON, false},
      {5, L"停止", ROLE_SYSTEM_PUSHBUTTON, true},        {kPlay, L"再生", ROLE_SYSTEM_PUSHBUTTON, true},
      {7, L"前の曲", ROLE_SYSTEM_PUSHBUTTON, true},      {kNext, L"次の曲", ROLE_SYSTEM_PUSHBUTTON, true},
      {kPause, L"一時停止", ROLE_SYSTEM_PUSHBUTTON, true}, {10, L"設定", ROLE_SYSTEM_PUSHBUTTON, false},
      {kRepeat, L"リピート", ROLE_SYSTEM_PUSHBUTTON, false}, {kSeek, L"再生位置", ROLE_SYSTEM_SLIDER, false},
      {kVolume, L"音量", ROLE_SYSTEM_SLIDER, false},     {kShuffleLamp, L"シャッフル", ROLE_SYSTEM_CHECKBUTTON, false},
      {17, L"リピート", ROLE_SYSTEM_CHECKBUTTON, false},  {18, L"1曲リピート", ROLE_SYSTEM_CHECKBUTTON, false},
      {19, L"イントロスキャン", ROLE_SYSTEM_CHECKBUTTON, false}, {20, L"ミュート", ROLE_SYSTEM_CHECKBUTTON, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.id);
    EXPECT_EQ(Name(object, row.id), row.name);
    EXPECT_EQ(Role(object, row.id), row.role);
    EXPECT_EQ(Action(object, row.id), row.role == ROLE_SYSTEM_SLIDER ? L"" : L"押す");
    EXPECT_EQ((State(object, row.id) & STATE_SYSTEM_UNAVAILABLE) != 0, row.needsDisc) << "no disc yet";
  }
  EXPECT_EQ(Role(object, kTime), ROLE_SYSTEM_STATICTEXT);
  EXPECT_EQ(Role(object, kText), ROLE_SYSTEM_STATICTEXT);
  EXPECT_EQ(Role(object, CHILDID_SELF), ROLE_SYSTEM_CLIENT);
  EXPECT_EQ(Role(object, 21), -1) << "past the last child";
  EXPECT_EQ(State(object, kShuffleLamp) & STATE_SYSTEM_CHECKED, 0);
  Command(IDM_SHUFFLE);
  EXPECT_NE(State(object, kShuffleLamp) & STATE_SYSTEM_CHECKED, 0) << "shuffle on, its lamp unchecked";
  EXPECT_EQ(object->accDoDefaultAction(Child(kShuffleLamp)), S_OK);
  PumpMessages(50);
  EXPECT_EQ(appSettings->shuffle, 0) << "the lamp's press did not switch shuffle off";
  IDispatch* element = reinterpret_cast<IDispatch*>(1);
  EXPECT_EQ(object->get_accChild(Child(kPlay), &element), S_FALSE);
  EXPECT_EQ(element, nullptr);

  // Where a reader finds the play button, and what lies around it.
  long left = 0, top = 0, width = 0, height = 0;
  EXPECT_EQ(object->accLocation(&left, &top, &width, &height, Child(kPlay)), S_OK);
  EXPECT_EQ(std::vector<long>({left, top, width, height}), std::vector<long>({30 + 38, 40 + 38, 48, 48}));
  VARIANT hit;
  EXPECT_EQ(object->accHitTest(30 + 60, 40 + 60, &hit), S_OK);
  EXPECT_EQ(hit.lVal, kPlay);
  VARIANT next;
  EXPECT_EQ(object->accNavigate(NAVDIR_NEXT, Child(kPlay), &next), S_OK);
  EXPECT_EQ(next.lVal, kPlay + 1);
  EXPECT_EQ(object->accNavigate(NAVDIR_PREVIOUS, Child(1), &next), S_FALSE) << "before the first";

  Poll();
  ASSERT_TRUE(DiscPresent());
  EXPECT_EQ(State(object, kPlay) & STATE_SYSTEM_UNAVAILABLE, 0) << "a disc is in";
  EXPECT_NE(State(object, kPause) & STATE_SYSTEM_UNAVAILABLE, 0) << "stopped: nothing to pause";
  EXPECT_EQ(Name(object, kText), L"Track 1");
  EXPECT_EQ(Value(object, kVolume), std::to_wstring((player->volumePosition * 100 + 127) / 255) + L"%");
  Command(IDM_PLAY);
  Poll();
  std::wstring at = Value(object, kSeek);
  EXPECT_EQ(at.substr(0, 4), L"00:0") << std::string(at.begin(), at.end());
  EXPECT_EQ(at.substr(at.size() < 8 ? 0 : at.size() - 8), L" / 04:00");
  EXPECT_EQ(State(object, kPause) & STATE_SYSTEM_UNAVAILABLE, 0) << "playing";
  object->Release();
}

// Catches a press that skips the click's path, runs inside the reader's
// call, and an object that reaches into a window that is gone.
TEST_F(AccessibleTree, AReaderPressesLikeAClickAndALateCallerIsTurnedAway) {
  OpenDefaultSkin();
  Poll();
  IAccessible* object = Object();
  ASSERT_NE(object, nullptr);
  EXPECT_EQ(object->accDoDefaultAction(Child(kNext)), S_OK);
  EXPECT_EQ(player->View().currentTrack, 1) << "pressed only once the loop runs";
  PumpMessages(50);
  EXPECT_EQ(player->View().currentTrack, 2);
  EXPECT_EQ(object->accDoDefaultAction(Child(kRepeat)), S_OK);
  PumpMessages(50);
  EXPECT_EQ(appSettings->repeat, 1) << "the skin's repeat button, as clicked";
  EXPECT_NE(State(object, kRepeat) & STATE_SYSTEM_PRESSED, 0);
  EXPECT_EQ(object->accDoDefaultAction(Child(kSeek)), DISP_E_MEMBERNOTFOUND);

  DestroyWindow(player->hwnd);
  long count = 7;
  EXPECT_EQ(object->get_accChildCount(&count), RPC_E_DISCONNECTED);
  BSTR name = nullptr;
  EXPECT_EQ(object->get_accName(Child(CHILDID_SELF), &name), RPC_E_DISCONNECTED);
  EXPECT_EQ(object->accDoDefaultAction(Child(kNext)), RPC_E_DISCONNECTED);
  object->Release();
}

// Catches a focus rectangle drawn before the keyboard is used, Tab landing on
// what is not a button, Space pressing nothing, and readers left untold.
TEST_F(AccessibleTree, TabShowsAFocusThatSpacePressesAndReadersAreTold) {
  OpenDefaultSkin();
  Poll();
  std::vector<std::pair<DWORD, LONG>> raised;
  events = &raised;
  HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_VALUECHANGE, nullptr, OnEvent,
                                       GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  ASSERT_NE(hook, nullptr);
  ShowWindow(player->hwnd, SW_SHOW);
  SetFocus(player->hwnd);
  UpdateWindow(player->hwnd);
  IAccessible* object = Object();
  ASSERT_NE(object, nullptr);

  // The close button's top edge on the screen against the skin's own pixels.
  auto edgeDiffers = [&] {
    RedrawWindow(player->hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    HDC screen = GetDC(player->hwnd);
    HDC skin = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(skin, player->backBuffer.get());
    int differ = 0;
    for (int x = 346; x < 361; ++x) differ += GetPixel(screen, x, 12) != GetPixel(skin, x, 12);
    SelectObject(skin, old);
    DeleteDC(skin);
    ReleaseDC(player->hwnd, screen);
    return differ > 0;
  };
  EXPECT_FALSE(edgeDiffers()) << "a focus rectangle before Tab";
  VARIANT focus;
  EXPECT_EQ(object->get_accFocus(&focus), S_OK);
  EXPECT_EQ(focus.lVal, CHILDID_SELF);

  Key(VK_TAB);
  EXPECT_EQ(object->get_accFocus(&focus), S_OK);
  EXPECT_EQ(focus.lVal, 1);
  EXPECT_NE(State(object, 1) & STATE_SYSTEM_FOCUSED, 0);
  EXPECT_TRUE(edgeDiffers()) << "no focus rectangle on the close button";

  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_SHIFT] = 0x80;
  SetKeyboardState(keys);
  Key(VK_TAB);
  keys[VK_SHIFT] = 0;
  SetKeyboardState(keys);
  EXPECT_EQ(object->get_accFocus(&focus), S_OK);
  EXPECT_EQ(focus.lVal, 20) << "round to the last button (the mute lamp), past the sliders and texts";
  EXPECT_FALSE(edgeDiffers()) << "the close button keeps its focus rectangle";
  Key(VK_SPACE);
  PumpMessages(100);
  EXPECT_EQ(appSettings->mute, 1) << "Space on the mute lamp";

  raised.clear();
  Command(IDM_NEXT);
  Command(IDM_SHUFFLE);
  PumpMessages(100);
  auto has = [&](DWORD event, LONG child) {
    for (const auto& each : raised) {
      if (each.first == event && each.second == child) return true;
    }
    return false;
  };
  EXPECT_TRUE(has(EVENT_OBJECT_NAMECHANGE, kText)) << "the track changed";
  EXPECT_TRUE(has(EVENT_OBJECT_NAMECHANGE, CHILDID_SELF)) << "shuffle came on";
  raised.clear();
  Key(VK_TAB);
  PumpMessages(100);
  EXPECT_TRUE(has(EVENT_OBJECT_FOCUS, 1));

  events = nullptr;
  UnhookWinEvent(hook);
  object->Release();
}

}  // namespace
