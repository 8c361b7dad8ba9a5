// The plug-in page: whether Susie plug-ins decode skin pictures, and their folder.
#include "common/fixed_text.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "dialogs/settings_pages.h"
#include "skin/plugin_list.h"

namespace {

constexpr size_t kTitleSize = 256;

void EnableFolder(HWND page, bool on) {
  EnableItems(page, {IDC_PLUGIN_FOLDER, IDC_PLUGIN_FOLDER_LABEL, IDC_PLUGIN_BROWSE}, on);
}

void Browse(HWND page, HINSTANCE instance) {
  char title[kTitleSize];
  LoadText(instance, IDS_PLUGIN_FOLDER_TITLE, title);
  char folder[MAX_PATH];
  GetDlgItemTextA(page, IDC_PLUGIN_FOLDER, folder, sizeof(folder));
  if (BrowseForFolder(page, folder, title, folder) == kFolderChosen) {
    SetDlgItemTextA(page, IDC_PLUGIN_FOLDER, folder);
  }
}

}  // namespace

INT_PTR CALLBACK SusiePluginPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  const PageContext* context = PageContextOf(page, message, lParam);
  if (context == nullptr) return FALSE;
  Settings& settings = *context->settings;
  if (message == WM_INITDIALOG) {
    Tick(page, IDC_USE_PLUGIN, settings.usePlugin != 0);
    SetDlgItemTextA(page, IDC_PLUGIN_FOLDER, settings.pluginFolder);
    EnableFolder(page, settings.usePlugin != 0);
    return TRUE;
  }
  if (IsWriteCommand(message, wParam, lParam)) {
    settings.usePlugin = Ticked(page, IDC_USE_PLUGIN);
    GetDlgItemTextA(page, IDC_PLUGIN_FOLDER, settings.pluginFolder, sizeof(settings.pluginFolder));
    return TRUE;
  }
  if (message == WM_COMMAND) {
    if (IsClickOf(wParam, IDC_USE_PLUGIN)) EnableFolder(page, Ticked(page, IDC_USE_PLUGIN) != 0);
    if (IsClickOf(wParam, IDC_PLUGIN_BROWSE)) Browse(page, context->instance);
    return TRUE;
  }
  return FALSE;
}
