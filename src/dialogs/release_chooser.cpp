#include "dialogs/release_chooser.h"

#include "common/fixed_text.h"
#include "common/utf8_text.h"
#include "resources/resource.h"

namespace {

constexpr size_t kFieldSize = 128;
constexpr size_t kRowSize = 5 * kFieldSize;

struct ChooserState {
  const std::vector<ReleaseChoice>* releases;
  int chosen;
};

void AppendField(char (&row)[kRowSize], const std::string& utf8, bool first) {
  char field[kFieldSize];
  Utf8ToAnsi(utf8.c_str(), field, sizeof(field));
  if (!first) AppendText(row, "\t");
  AppendText(row, field[0] ? field : "-");
}

void Fill(HWND dialog, const std::vector<ReleaseChoice>& releases) {
  HWND list = GetDlgItem(dialog, IDC_RELEASE_LIST);
  for (const ReleaseChoice& release : releases) {
    char row[kRowSize] = "";
    AppendField(row, release.title, true);
    AppendField(row, release.artist, false);
    AppendField(row, release.date, false);
    AppendField(row, release.country, false);
    AppendField(row, release.format, false);
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row));
  }
  SendMessageA(list, LB_SETCURSEL, 0, 0);
}

INT_PTR CALLBACK ChooserProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    Fill(dialog, *reinterpret_cast<ChooserState*>(lParam)->releases);
    return TRUE;
  }
  if (message != WM_COMMAND) return FALSE;
  ChooserState* state = reinterpret_cast<ChooserState*>(GetWindowLongPtrA(dialog, DWLP_USER));
  WORD id = LOWORD(wParam);
  bool doubleClick = id == IDC_RELEASE_LIST && HIWORD(wParam) == LBN_DBLCLK;
  if (id == IDOK || doubleClick) {
    LRESULT index = SendDlgItemMessageA(dialog, IDC_RELEASE_LIST, LB_GETCURSEL, 0, 0);
    state->chosen = index == LB_ERR ? -1 : static_cast<int>(index);
    EndDialog(dialog, IDOK);
    return TRUE;
  }
  if (id == IDCANCEL) {
    state->chosen = -1;
    EndDialog(dialog, IDCANCEL);
    return TRUE;
  }
  return FALSE;
}

}  // namespace

int ChooseRelease(HINSTANCE instance, HWND owner, const std::vector<ReleaseChoice>& releases) {
  ChooserState state{&releases, -1};
  INT_PTR result = DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_RELEASE_CHOOSER), owner, ChooserProc,
                                   reinterpret_cast<LPARAM>(&state));
  return result == IDOK ? state.chosen : -1;
}
