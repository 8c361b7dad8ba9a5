#include "dialogs/settings_dialog.h"

#include "common/fixed_text.h"
#include "common/message_box.h"
#include "resources/resource.h"

namespace {

struct PageKind {
  UINT titleId;
  int templateId;
  DLGPROC procedure;
};

constexpr size_t kPageTitleSize = 64;

// Rows in list order; OK writes the pages in this order too.
const PageKind kPages[] = {
    {IDS_PAGE_GENERAL, IDD_PAGE_GENERAL, GeneralPage},
    {IDS_PAGE_TIMEWINDOW, IDD_PAGE_TIMEWINDOW, TimeWindowPage},
    {IDS_PAGE_TITLE, IDD_PAGE_TITLE, TitleDisplayPage},
    {IDS_PAGE_SUSIE, IDD_PAGE_SUSIE, SusiePluginPage},
    {IDS_PAGE_OSUWARI, IDD_PAGE_OSUWARI, OsuwariPage},
};

// The hidden frame marks where pages go, in the container's client coordinates.
RECT PageArea(HWND dialog) {
  RECT area = {};
  GetWindowRect(GetDlgItem(dialog, IDC_SETTINGS_PAGE_AREA), &area);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&area), 2);
  return area;
}

}  // namespace

SettingsDialog::SettingsDialog(HINSTANCE instance, Settings& settings, SettingsHost* host)
    : context_{instance, &settings, nullptr}, host_(host), pages_{}, currentPage_(0) {
  static_assert(sizeof(kPages) / sizeof(kPages[0]) == kPageCount, "one window per page");
}

bool SettingsDialog::CreatePages(HWND dialog) {
  const RECT area = PageArea(dialog);
  HWND list = GetDlgItem(dialog, IDC_SETTINGS_PAGES);
  for (int row = 0; row < kPageCount; ++row) {
    const PageKind& kind = kPages[row];
    pages_[row] = CreateDialogParamA(context_.instance, MAKEINTRESOURCEA(kind.templateId), dialog,
                                     kind.procedure, reinterpret_cast<LPARAM>(&context_));
    if (pages_[row] == nullptr) return false;
    MoveWindow(pages_[row], area.left, area.top, area.right - area.left, area.bottom - area.top,
               TRUE);
    char title[kPageTitleSize];
    LoadText(context_.instance, kind.titleId, title);
    SendMessageA(list, LB_INSERTSTRING, row, reinterpret_cast<LPARAM>(title));
  }
  return true;
}

INT_PTR SettingsDialog::OnInitDialog(HWND dialog) {
  if (!CreatePages(dialog)) {
    ShowMessageId(dialog, IDS_DIALOG_FAILED, kMessageStyle);
    EndDialog(dialog, IDCANCEL);  // the pages made so far go with the container
    return TRUE;
  }
  currentPage_ = 0;
  HWND list = GetDlgItem(dialog, IDC_SETTINGS_PAGES);
  SendMessageA(list, LB_SETCURSEL, 0, 0);
  ShowWindow(pages_[0], SW_SHOW);
  SetFocus(list);
  return FALSE;  // the focus is set
}

void SettingsDialog::OnPageSelected(HWND dialog) {
  int selected = static_cast<int>(SendDlgItemMessageA(dialog, IDC_SETTINGS_PAGES, LB_GETCURSEL, 0, 0));
  if (selected == currentPage_ || selected < 0 || selected >= kPageCount) return;
  if (currentPage_ != -1) ShowWindow(pages_[currentPage_], SW_HIDE);
  ShowWindow(pages_[selected], SW_SHOW);
  currentPage_ = selected;
}

void SettingsDialog::OnOk(HWND dialog) {
  for (HWND page : pages_) SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);
  EndDialog(dialog, IDOK);
}

INT_PTR SettingsDialog::OnCommand(HWND dialog, WPARAM wParam) {
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

INT_PTR CALLBACK SettingsDialog::ContainerProc(HWND dialog, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
  if (message == WM_INITDIALOG) SetWindowLongPtrA(dialog, DWLP_USER, lParam);
  auto* self = reinterpret_cast<SettingsDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
  if (self == nullptr) return FALSE;
  switch (message) {
    case WM_INITDIALOG:
      return self->OnInitDialog(dialog);
    case WM_COMMAND:
      return self->OnCommand(dialog, wParam);
  }
  return FALSE;
}

int SettingsDialog::Run(HWND owner) {
  context_.fontWindow = owner;
  INT_PTR result = DialogBoxParamA(context_.instance, MAKEINTRESOURCEA(IDD_SETTINGS), owner,
                                   ContainerProc, reinterpret_cast<LPARAM>(this));
  if (result != IDOK) return IDCANCEL;
  if (host_) host_->ApplySettings();
  return IDOK;
}
