#include "settings/settings_dialog.h"

#include "app/application.h"
#include "app/messages.h"
#include "common/fixed_text.h"
#include "resources/resource.h"
#include "settings/settings_pages.h"

namespace {

struct SettingsPage {
  UINT titleId;
  int templateId;
  DLGPROC procedure;
  HWND window;  // valid while the dialog is open
};

constexpr int kPageCount = 5;
constexpr size_t kPageTitleSize = 64;

// Rows in list order; OK writes the pages in this order too.
SettingsPage pages[kPageCount] = {
    {IDS_PAGE_GENERAL, IDD_PAGE_GENERAL, GeneralPage, nullptr},
    {IDS_PAGE_TIMEWINDOW, IDD_PAGE_TIMEWINDOW, TimeWindowPage, nullptr},
    {IDS_PAGE_TITLE, IDD_PAGE_TITLE, TitleDisplayPage, nullptr},
    {IDS_PAGE_SUSIE, IDD_PAGE_SUSIE, SusiePluginPage, nullptr},
    {IDS_PAGE_OSUWARI, IDD_PAGE_OSUWARI, OsuwariPage, nullptr},
};

int currentPage = 0;

// The hidden frame marks where pages go, in the container's client coordinates.
RECT PageArea(HWND dialog) {
  RECT area = {};
  GetWindowRect(GetDlgItem(dialog, IDC_SETTINGS_PAGE_AREA), &area);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&area), 2);
  return area;
}

bool CreatePages(HWND dialog) {
  const RECT area = PageArea(dialog);
  HWND list = GetDlgItem(dialog, IDC_SETTINGS_PAGES);
  for (int row = 0; row < kPageCount; ++row) {
    SettingsPage& page = pages[row];
    page.window = CreateDialogParamA(appInstance, MAKEINTRESOURCEA(page.templateId), dialog,
                                     page.procedure, 0);
    if (page.window == nullptr) return false;
    MoveWindow(page.window, area.left, area.top, area.right - area.left, area.bottom - area.top,
               TRUE);
    char title[kPageTitleSize];
    LoadText(appInstance, page.titleId, title);
    SendMessageA(list, LB_INSERTSTRING, row, reinterpret_cast<LPARAM>(title));
  }
  return true;
}

INT_PTR OnInitDialog(HWND dialog) {
  if (!CreatePages(dialog)) {
    ShowMessageId(dialog, IDS_DIALOG_FAILED, kMessageStyle);
    EndDialog(dialog, IDCANCEL);  // the pages made so far go with the container
    return TRUE;
  }
  currentPage = 0;
  HWND list = GetDlgItem(dialog, IDC_SETTINGS_PAGES);
  SendMessageA(list, LB_SETCURSEL, 0, 0);
  ShowWindow(pages[0].window, SW_SHOW);
  SetFocus(list);
  return FALSE;  // the focus is set
}

void OnPageSelected(HWND dialog) {
  int selected = static_cast<int>(SendDlgItemMessageA(dialog, IDC_SETTINGS_PAGES, LB_GETCURSEL, 0, 0));
  if (selected == currentPage || selected < 0 || selected >= kPageCount) return;
  if (currentPage != -1) ShowWindow(pages[currentPage].window, SW_HIDE);
  ShowWindow(pages[selected].window, SW_SHOW);
  currentPage = selected;
}

void OnOk(HWND dialog) {
  for (const SettingsPage& page : pages) SendMessageA(page.window, WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);
  EndDialog(dialog, IDOK);
}

INT_PTR OnCommand(HWND dialog, WPARAM wParam) {
  switch (LOWORD(wParam)) {
    case IDOK:
      if (HIWORD(wParam) == 0) OnOk(dialog);
      return TRUE;
    case IDCANCEL:
      EndDialog(dialog, IDCANCEL);
      return TRUE;
    case IDC_SETTINGS_PAGES:
      if (HIWORD(wParam) == LBN_SELCHANGE) OnPageSelected(dialog);
      return TRUE;
  }
  return FALSE;
}

INT_PTR CALLBACK ContainerProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog(dialog);
    case WM_COMMAND:
      return OnCommand(dialog, wParam);
  }
  return FALSE;
}

}  // namespace

int SettingsDialog::Run(HWND owner) {
  INT_PTR result = DialogBoxParamA(appInstance, MAKEINTRESOURCEA(IDD_SETTINGS), owner, ContainerProc, 0);
  return result == IDOK ? IDOK : IDCANCEL;
}
