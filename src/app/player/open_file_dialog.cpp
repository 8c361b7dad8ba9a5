#include "app/player/open_file_dialog.h"

#include <commdlg.h>

#include "common/fixed_text.h"
#include "common/message_box.h"
#include "resources/resource.h"

namespace {

constexpr size_t kFilterSize = 260;
constexpr size_t kDialogTitleSize = 360;

}  // namespace

bool AskForFile(HWND owner, HINSTANCE instance, const OpenFileChoice& choice, char* file, size_t capacity) {
  char filter[kFilterSize];
  LoadText(instance, choice.filterId, filter);
  // The dialog's filter is NUL-separated pairs. Double-byte characters are
  // stepped over whole: a trail byte may be 0x7C, the code of '|'.
  for (char* p = filter; *p; ++p) {
    if (IsDBCSLeadByte(static_cast<BYTE>(*p)) && p[1] != '\0') {
      ++p;
    } else if (*p == '|') {
      *p = '\0';
    }
  }
  char title[kDialogTitleSize];
  LoadText(instance, choice.titleId, title);
  if (capacity == 0) return false;
  file[0] = '\0';

  OPENFILENAMEA ofn = {};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = owner;
  ofn.hInstance = instance;
  ofn.lpstrFilter = filter;
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file;
  ofn.nMaxFile = static_cast<DWORD>(capacity);
  ofn.lpstrTitle = title;
  ofn.lpstrDefExt = choice.extension;
  ofn.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
  if (GetOpenFileNameA(&ofn)) return true;
  if (CommDlgExtendedError() != 0) ShowMessageId(nullptr, IDS_COMMON_DIALOG_ERROR, kMessageStyle);
  return false;
}
