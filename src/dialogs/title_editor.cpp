#include "dialogs/title_editor.h"

#include <initializer_list>
#include <new>

#include "common/fixed_text.h"
#include "resources/resource.h"

namespace {

constexpr size_t kSectionLineSize = 128;
constexpr size_t kRowSize = 16 + kTrackTitleSize;
// Dialog units from the list's left edge to the length and the title.
const INT kRowTabStops[] = {20, 52};

void LimitEdit(HWND dialog, int id) {
  SendDlgItemMessageA(dialog, id, EM_LIMITTEXT, kTrackTitleSize - 1, 0);
}

}  // namespace

TitleEditor::TitleEditor(HINSTANCE instance, const TitleSheet& sheet, TitleEditorHost& host)
    : instance_(instance),
      host_(host),
      sheet_(new (std::nothrow) TitleSheet(sheet)),
      chosenTrack_(0),
      fillingTitleEdit_(false) {}

void TitleEditor::OnInitDialog(HWND dialog) {
  const DiscTitles& titles = sheet_->titles;
  char format[kSectionLineSize];
  LoadText(instance_, IDS_TITLES_SECTION, format);
  char line[kSectionLineSize];
  FormatText(line, sizeof(line), format, static_cast<unsigned int>(titles.identity));
  SetDlgItemTextA(dialog, IDC_TITLES_SECTION, line);

  for (int id : {IDC_TITLES_DISC_TITLE, IDC_TITLES_DISC_ARTIST, IDC_TITLES_TRACK_TITLE}) {
    LimitEdit(dialog, id);
  }
  SetDlgItemTextA(dialog, IDC_TITLES_DISC_TITLE, titles.title);
  SetDlgItemTextA(dialog, IDC_TITLES_DISC_ARTIST, titles.artist);

  HWND list = GetDlgItem(dialog, IDC_TITLES_TRACKS);
  SendMessageA(list, LB_SETTABSTOPS, sizeof(kRowTabStops) / sizeof(kRowTabStops[0]),
               reinterpret_cast<LPARAM>(kRowTabStops));
  for (int track = 1; track <= titles.trackCount; ++track) {
    char row[kRowSize];
    FormatTrackRow(*sheet_, track, row, sizeof(row));
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row));
  }
  if (titles.trackCount > 0) {
    SendMessageA(list, LB_SETCURSEL, 0, 0);
    OnTrackChosen(dialog);
  } else {
    EnableWindow(GetDlgItem(dialog, IDC_TITLES_TRACK_TITLE), FALSE);
  }
}

void TitleEditor::OnTrackChosen(HWND dialog) {
  LRESULT row = SendDlgItemMessageA(dialog, IDC_TITLES_TRACKS, LB_GETCURSEL, 0, 0);
  if (row == LB_ERR) return;
  chosenTrack_ = static_cast<int>(row) + 1;
  fillingTitleEdit_ = true;
  SetDlgItemTextA(dialog, IDC_TITLES_TRACK_TITLE, sheet_->titles.tracks[chosenTrack_ - 1]);
  fillingTitleEdit_ = false;
}

void TitleEditor::OnTrackTitleTyped(HWND dialog) {
  if (fillingTitleEdit_ || chosenTrack_ == 0) return;
  char text[kTrackTitleSize] = "";
  GetDlgItemTextA(dialog, IDC_TITLES_TRACK_TITLE, text, sizeof(text));
  if (SetTrackTitle(sheet_.get(), chosenTrack_, text)) ShowRow(dialog, chosenTrack_);
}

// The list follows the typing, keeping the row chosen.
void TitleEditor::ShowRow(HWND dialog, int track) {
  HWND list = GetDlgItem(dialog, IDC_TITLES_TRACKS);
  char row[kRowSize];
  FormatTrackRow(*sheet_, track, row, sizeof(row));
  SendMessageA(list, LB_DELETESTRING, track - 1, 0);
  SendMessageA(list, LB_INSERTSTRING, track - 1, reinterpret_cast<LPARAM>(row));
  SendMessageA(list, LB_SETCURSEL, track - 1, 0);
}

void TitleEditor::OnOk(HWND dialog) {
  DiscTitles& titles = sheet_->titles;
  GetDlgItemTextA(dialog, IDC_TITLES_DISC_TITLE, titles.title, sizeof(titles.title));
  GetDlgItemTextA(dialog, IDC_TITLES_DISC_ARTIST, titles.artist, sizeof(titles.artist));
  if (host_.SaveTitles(titles)) EndDialog(dialog, IDOK);
}

INT_PTR TitleEditor::OnCommand(HWND dialog, WPARAM wParam) {
  switch (LOWORD(wParam)) {
    case IDOK:
      if (HIWORD(wParam) == BN_CLICKED) OnOk(dialog);
      return TRUE;
    case IDCANCEL:
      EndDialog(dialog, IDCANCEL);
      return TRUE;
    case IDC_TITLES_TRACKS:
      if (HIWORD(wParam) == LBN_SELCHANGE) OnTrackChosen(dialog);
      return TRUE;
    case IDC_TITLES_TRACK_TITLE:
      if (HIWORD(wParam) == EN_CHANGE) OnTrackTitleTyped(dialog);
      return TRUE;
  }
  return FALSE;
}

INT_PTR CALLBACK TitleEditor::Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) SetWindowLongPtrA(dialog, DWLP_USER, lParam);
  auto* self = reinterpret_cast<TitleEditor*>(GetWindowLongPtrA(dialog, DWLP_USER));
  if (self == nullptr) return FALSE;
  switch (message) {
    case WM_INITDIALOG:
      self->OnInitDialog(dialog);
      return TRUE;  // the system gives the focus to the first control
    case WM_COMMAND:
      return self->OnCommand(dialog, wParam);
  }
  return FALSE;
}

int TitleEditor::Run(HWND owner) {
  if (!sheet_) return IDCANCEL;
  INT_PTR result = DialogBoxParamA(instance_, MAKEINTRESOURCEA(IDD_TITLE_EDITOR), owner, Proc,
                                   reinterpret_cast<LPARAM>(this));
  return result == IDOK ? IDOK : IDCANCEL;
}
