// The title-display page: the font of the track line, its style, its colour
// and its shadow.
#include <windows.h>
#include <commdlg.h>

#include "common/fixed_text.h"
#include "common/font_style.h"
#include "common/handles.h"
#include "resources/resource.h"
#include "dialogs/color_button.h"
#include "dialogs/font_list.h"
#include "settings/settings.h"
#include "dialogs/settings_pages.h"

namespace {

constexpr int kCustomColorCount = 16;

// The colours being edited, reloaded whenever the page is made, so that
// Cancel leaves no trace of them.
COLORREF workingTextColor = 0;
COLORREF workingShadowColor = 0;
// The picker's custom colours: kept for the run, never saved.
COLORREF customColors[kCustomColorCount] = {};

void FillFontList(HWND page, HWND fontWindow, const char* fontName) {
  GrowableArray names(kFontNameSize, kFontListGrowth);
  {
    WindowDc dc(fontWindow);
    EnumerateFontNames(dc.get(), names);
  }
  SortFontNames(names);
  HWND combo = GetDlgItem(page, IDC_TITLE_FONT);
  for (int i = 0; i < names.count; ++i) {
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(names.At(i)));
  }
  int chosen = FindFontEntry(names, fontName);
  if (chosen < 0) return;
  LRESULT entry = SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                               reinterpret_cast<LPARAM>(names.At(chosen)));
  SendMessageA(combo, CB_SETCURSEL, entry == CB_ERR ? 0 : entry, 0);
}

void EnableShadowColor(HWND page, bool on) {
  EnableItems(page, {IDC_TITLE_SHADOW_LABEL, IDC_TITLE_SHADOW_COLOR}, on);
}

void Initialise(HWND page, const PageContext& context) {
  const Settings& settings = *context.settings;
  FillFontList(page, context.fontWindow, settings.fontName);
  Tick(page, IDC_TITLE_BOLD, (settings.fontStyle & kFontBold) != 0);
  Tick(page, IDC_TITLE_ITALIC, (settings.fontStyle & kFontItalic) != 0);
  Tick(page, IDC_TITLE_UNDERLINE, (settings.fontStyle & kFontUnderline) != 0);
  Tick(page, IDC_TITLE_SHADOW, settings.enableShadow != 0);
  EnableShadowColor(page, settings.enableShadow != 0);
  workingTextColor = settings.textColor;
  workingShadowColor = settings.shadowColor;
}

COLORREF& WorkingColor(int button) {
  return button == IDC_TITLE_TEXT_COLOR ? workingTextColor : workingShadowColor;
}

void PickColor(HWND page, int button) {
  CHOOSECOLORA request = {};
  request.lStructSize = sizeof(request);
  request.hwndOwner = page;
  request.rgbResult = WorkingColor(button);
  request.lpCustColors = customColors;
  request.Flags = CC_RGBINIT | CC_ANYCOLOR;
  if (ChooseColorA(&request)) WorkingColor(button) = request.rgbResult;
  InvalidateRect(GetDlgItem(page, button), nullptr, TRUE);
}

void Write(HWND page, Settings& settings) {
  HWND combo = GetDlgItem(page, IDC_TITLE_FONT);
  LRESULT selected = SendMessageA(combo, CB_GETCURSEL, 0, 0);
  if (selected != CB_ERR) {
    LRESULT length = SendMessageA(combo, CB_GETLBTEXTLEN, selected, 0);
    char name[LF_FACESIZE];
    // Entries are face names, which fit; anything longer is left alone.
    if (length >= 0 && length < LF_FACESIZE &&
        SendMessageA(combo, CB_GETLBTEXT, selected, reinterpret_cast<LPARAM>(name)) != CB_ERR) {
      CopyText(settings.fontName, name);
    }
  }
  settings.fontStyle = (Ticked(page, IDC_TITLE_BOLD) ? kFontBold : 0) |
                       (Ticked(page, IDC_TITLE_ITALIC) ? kFontItalic : 0) |
                       (Ticked(page, IDC_TITLE_UNDERLINE) ? kFontUnderline : 0);
  settings.enableShadow = Ticked(page, IDC_TITLE_SHADOW);
  settings.textColor = workingTextColor;
  settings.shadowColor = workingShadowColor;
}

INT_PTR OnDrawItem(HWND page, const DRAWITEMSTRUCT& item) {
  if (item.CtlID != IDC_TITLE_TEXT_COLOR && item.CtlID != IDC_TITLE_SHADOW_COLOR) return FALSE;
  DrawColorButton(item.hDC, item.rcItem, item.itemState, WorkingColor(item.CtlID));
  SetWindowLongPtrA(page, DWLP_MSGRESULT, TRUE);
  return TRUE;
}

}  // namespace

INT_PTR CALLBACK TitleDisplayPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  const PageContext* context = PageContextOf(page, message, lParam);
  if (context == nullptr) return FALSE;
  Settings& settings = *context->settings;
  switch (message) {
    case WM_INITDIALOG:
      Initialise(page, *context);
      return TRUE;
    case WM_DRAWITEM:
      return OnDrawItem(page, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case WM_COMMAND:
      if (IsWriteCommand(message, wParam, lParam)) {
        Write(page, settings);
      } else if (IsClickOf(wParam, IDC_TITLE_SHADOW)) {
        EnableShadowColor(page, Ticked(page, IDC_TITLE_SHADOW) != 0);
      } else if (IsClickOf(wParam, IDC_TITLE_TEXT_COLOR) || IsClickOf(wParam, IDC_TITLE_SHADOW_COLOR)) {
        PickColor(page, LOWORD(wParam));
      }
      return TRUE;
  }
  return FALSE;
}
