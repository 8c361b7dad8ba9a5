#include "dialogs/about_dialog.h"

#include <memory>
#include <new>

#include "common/fixed_text.h"
#include "resources/resource.h"

namespace {

constexpr size_t kVersionLineSize = 256;
constexpr size_t kSubBlockSize = 64;

}  // namespace

AboutDialog::AboutDialog(HINSTANCE instance, const char* aboutText)
    : instance_(instance), aboutText_(aboutText) {}

void AboutDialog::OnInitDialog(HWND dialog) const {
  SetDlgItemTextA(dialog, IDC_ABOUT_TEXT, aboutText_ ? aboutText_ : "");
  char exePath[MAX_PATH] = "";
  DWORD length = GetModuleFileNameA(nullptr, exePath, sizeof(exePath));
  if (length == 0 || length >= sizeof(exePath)) return;
  char line[kVersionLineSize];
  if (FormatVersionLine(exePath, line, sizeof(line))) SetDlgItemTextA(dialog, IDC_ABOUT_VERSION, line);
}

INT_PTR CALLBACK AboutDialog::AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      reinterpret_cast<const AboutDialog*>(lParam)->OnInitDialog(dialog);
      return TRUE;  // the system gives the focus to OK
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndDialog(dialog, LOWORD(wParam));
      return TRUE;
  }
  return FALSE;
}

bool FormatVersionLine(const char* modulePath, char* out, size_t capacity) {
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeA(modulePath, &ignored);
  if (size == 0) return false;
  // Sized from the resource itself, so a large one cannot overrun it.
  std::unique_ptr<char[]> block(new (std::nothrow) char[size]);
  if (!block || !GetFileVersionInfoA(modulePath, 0, size, block.get())) return false;

  void* value = nullptr;
  UINT valueLength = 0;
  if (!VerQueryValueA(block.get(), "\\VarFileInfo\\Translation", &value, &valueLength) ||
      valueLength < sizeof(DWORD)) {
    return false;
  }
  const WORD* translation = static_cast<const WORD*>(value);
  char subBlock[kSubBlockSize];
  FormatText(subBlock, sizeof(subBlock), "\\StringFileInfo\\%04x%04x\\FileVersion", translation[0],
             translation[1]);
  if (!VerQueryValueA(block.get(), subBlock, &value, &valueLength) || valueLength == 0) return false;
  FormatText(out, capacity, "Version %s", static_cast<const char*>(value));
  return true;
}

int AboutDialog::Run(HWND owner) {
  INT_PTR result = DialogBoxParamA(instance_, MAKEINTRESOURCEA(IDD_ABOUT), owner, AboutProc,
                                   reinterpret_cast<LPARAM>(this));
  return result == IDOK ? IDOK : IDCANCEL;
}
