// The context menu: IDR_CONTEXT_MENU with the repeat check mark and one item per
// track of the present disc (data tracks greyed), loaded afresh for every
// showing.
#include "app/rules/playback_rules.h"
#include "app/rules/track_item_text.h"
#include "app/player/player_window.h"
#include "cd/msf.h"
#include "common/fixed_text.h"
#include "common/handles.h"
#include "resources/resource.h"
#include "settings/settings.h"

namespace {

constexpr int kMaxMenuTracks = IDM_TRACK_LAST - IDM_TRACK_BASE;
// 99 items in one column run off the screen: a new column every 25.
constexpr int kTracksPerColumn = 25;

// The submenu of `popup` whose first item is the "(none)" placeholder.
HMENU FindTrackSubmenu(HMENU popup) {
  int count = GetMenuItemCount(popup);
  for (int i = 0; i < count; ++i) {
    if (GetMenuItemID(popup, i) != static_cast<UINT>(-1)) continue;  // not a submenu
    HMENU submenu = GetSubMenu(popup, i);
    if (submenu && GetMenuItemID(submenu, 0) == IDM_NO_TRACKS) return submenu;
  }
  return nullptr;
}

}  // namespace

void PlayerWindow::FillTrackSubmenu(HMENU popup) {
  HMENU tracks = FindTrackSubmenu(popup);
  if (!tracks) return;
  DeleteMenu(tracks, IDM_NO_TRACKS, MF_BYCOMMAND);
  int n = KnownTracks(disc) > kMaxMenuTracks ? kMaxMenuTracks : KnownTracks(disc);
  for (int i = 1; i <= n; ++i) {
    char title[kTrackTitleSize] = "";
    settings_.GetTrackTitle(i, title, sizeof(title));
    char text[kTrackItemSize];
    FormatTrackItem(text, sizeof(text), i, title, disc.tracks[i].length);
    MENUITEMINFOA item = {};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_CHECKMARKS | MIIM_TYPE | MIIM_DATA;
    item.fType = MFT_STRING;
    if (i > 1 && (i - 1) % kTracksPerColumn == 0) item.fType |= MFT_MENUBARBREAK;
    // A data track shows with its length but cannot be chosen.
    item.fState = IsAudioTrack(disc, i) ? 0 : MFS_GRAYED;
    if (i == currentTrack && (state_.Sounding() || state_.IsPaused())) item.fState |= MFS_CHECKED;
    item.wID = static_cast<UINT>(IDM_TRACK_BASE + i);
    item.dwTypeData = text;
    InsertMenuItemA(tracks, static_cast<UINT>(i - 1), TRUE, &item);
  }
}

unique_hmenu PlayerWindow::BuildContextMenu() {
  unique_hmenu menu(LoadMenuA(instance, MAKEINTRESOURCEA(IDR_CONTEXT_MENU)));
  HMENU popup = menu ? GetSubMenu(menu.get(), 0) : nullptr;
  if (!popup) return unique_hmenu();
  const Settings& settings = settings_;
  const struct {
    UINT id;
    int on;
  } checks[] = {{IDM_REPEAT, settings.repeat},
                {IDM_SHUFFLE, settings.shuffle},
                {IDM_REPEAT_TRACK, settings.repeatTrack},
                {IDM_INTRO_SCAN, settings.introScan},
                {IDM_MUTE, settings.mute},
                {IDM_DOUBLE_SIZE, settings.scale == kScaleDouble}};
  for (const auto& check : checks) {
    if (check.on) CheckMenuItem(popup, check.id, MF_BYCOMMAND | MF_CHECKED);
  }
  if (state_.HasDisc()) FillTrackSubmenu(popup);
  if (!state_.HasDisc()) {
    EnableMenuItem(popup, IDM_EDIT_TITLES, MF_BYCOMMAND | MF_GRAYED);
    EnableMenuItem(popup, IDM_LOOKUP_TITLES, MF_BYCOMMAND | MF_GRAYED);
  }
  return menu;
}

void PlayerWindow::OnContextMenu(LPARAM lParam) {
  RECT window = {};
  GetWindowRect(hwnd, &window);
  POINT at = ContextMenuPoint(lParam, window);
  unique_hmenu menu = BuildContextMenu();
  if (!menu) return;
  // Destroying the loaded menu afterwards takes its submenus with it.
  TrackPopupMenu(GetSubMenu(menu.get(), 0), TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd, nullptr);
}
