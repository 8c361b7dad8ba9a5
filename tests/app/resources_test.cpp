// The program's resources as the running program sees them.
#include <windows.h>

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <string>

#include "common/handles.h"
#include "resources/resource.h"
#include "support/test_support.h"

namespace {

TEST(Resources, StringsComeOutInCodePage932) {
  // "メモリが足りません。" in Shift-JIS, as under the users' Japanese code page.
  EXPECT_EQ(ResourceText(IDS_NO_MEMORY),
            "\x83\x81\x83\x82\x83\x8a\x82\xaa\x91\xab\x82\xe8\x82\xdc\x82\xb9\x82\xf1\x81\x42");
  EXPECT_EQ(ResourceText(IDS_APP_NAME), "Zanto Player");
  EXPECT_EQ(ResourceText(IDS_DEFAULT_RESOURCE), "ZantoPlay1.rc");
  EXPECT_EQ(ResourceText(IDS_KEY_TRACK_FORMAT), "%d");
  EXPECT_EQ(ResourceText(IDS_TRACK_FORMAT), "Track %d");
  // The skin dialog names this product, not an older one.
  EXPECT_EQ(ResourceText(IDS_OPEN_RESOURCE_TITLE).find("Zanto Player"), 0u);
  EXPECT_EQ(ResourceText(IDS_RESOURCE_FILTER).find("Zanto Player"), 0u);
}

TEST(Resources, EveryStringIdHasText) {
  const UINT ids[] = {
      IDS_APP_NAME, IDS_DEFAULT_RESOURCE, IDS_RESOURCE_FILTER, IDS_RESOURCE_DEFEXT,
      IDS_OPEN_RESOURCE_TITLE, IDS_SETTINGS_FILE, IDS_CD_FILE, IDS_PLUGIN_FOLDER_TITLE,
      IDS_TRACK_FORMAT, IDS_NO_MEMORY, IDS_IMAGE_FAILED, IDS_RESOURCE_OPEN_FAILED,
      IDS_RESOURCE_READ_FAILED, IDS_RESOURCE_LINE_TOO_LONG, IDS_WINDOW_FAILED,
      IDS_COMMON_DIALOG_ERROR, IDS_CD_IN_USE, IDS_CD_INIT_FAILED, IDS_DIALOG_FAILED,
      IDS_SECTION_RESOURCES, IDS_SECTION_GENERAL, IDS_SECTION_MAINWINDOW, IDS_SECTION_SUSIEPLUGIN,
      IDS_SECTION_OSUWARI, IDS_SECTION_FILENAMEWINDOW, IDS_KEY_LASTFILE, IDS_KEY_TIMEWINDOW,
      IDS_KEY_MOUSEANIME, IDS_KEY_ALWAYSONTOP, IDS_KEY_CHGRESBYCD, IDS_KEY_RESOURCEFILE,
      IDS_KEY_POSITIONX, IDS_KEY_POSITIONY, IDS_KEY_REPEAT, IDS_KEY_USEPLUGIN,
      IDS_KEY_PLUGINFOLDER, IDS_KEY_BLINKWHENPAUSING, IDS_KEY_DOOSUWARI, IDS_KEY_OSUWARIXPER,
      IDS_KEY_TRACK_FORMAT, IDS_KEY_FONTNAME, IDS_KEY_FONTSTYLE, IDS_KEY_TEXTCOLOR,
      IDS_KEY_SHADOWCOLOR, IDS_KEY_ENABLESHADOW, IDS_PAGE_TIMEWINDOW, IDS_PAGE_SUSIE,
      IDS_PAGE_OSUWARI, IDS_PAGE_GENERAL, IDS_PAGE_TITLE, IDS_TEXT_NO_DISC, IDS_TEXT_TRAY_OPEN,
  };
  for (UINT id : ids) EXPECT_FALSE(ResourceText(id).empty()) << id;
  // The two-line messages keep their line feed.
  EXPECT_NE(ResourceText(IDS_RESOURCE_LINE_TOO_LONG).find("%d"), std::string::npos);
  EXPECT_NE(ResourceText(IDS_RESOURCE_LINE_TOO_LONG).find('\n'), std::string::npos);
  EXPECT_NE(ResourceText(IDS_CD_IN_USE).find('\n'), std::string::npos);
}

TEST(Resources, ContextMenuHoldsTheCommandsInOrder) {
  unique_hmenu menu(LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_CONTEXT_MENU)));
  ASSERT_TRUE(menu);
  HMENU popup = GetSubMenu(menu.get(), 0);
  ASSERT_NE(popup, nullptr);
  const int expected[] = {IDM_PREFERENCES, IDM_CHANGE_RESOURCE, -1, IDM_OPEN_DISC_IMAGE, IDM_EDIT_TITLES,
                          IDM_LOOKUP_TITLES, 0,
                          IDM_PREVIOUS, IDM_PLAY,
                          IDM_PAUSE, IDM_STOP, IDM_NEXT, IDM_REPEAT, IDM_SHUFFLE,
                          IDM_REPEAT_TRACK, IDM_INTRO_SCAN, IDM_NEXT_TIME_MODE, IDM_MUTE,
                          IDM_TRAY, 0, IDM_DOUBLE_SIZE, 0, IDM_ABOUT, IDM_QUIT};
  ASSERT_EQ(GetMenuItemCount(popup), 24);
  for (int i = 0; i < 24; ++i) EXPECT_EQ(static_cast<int>(GetMenuItemID(popup, i)), expected[i]) << i;

  HMENU tracks = GetSubMenu(popup, 2);
  ASSERT_NE(tracks, nullptr);
  ASSERT_EQ(GetMenuItemCount(tracks), 1);
  EXPECT_EQ(GetMenuItemID(tracks, 0), static_cast<UINT>(IDM_NO_TRACKS));
  EXPECT_TRUE(GetMenuState(tracks, IDM_NO_TRACKS, MF_BYCOMMAND) & MF_GRAYED);

  char text[64];
  GetMenuStringA(popup, IDM_PLAY, text, sizeof(text), MF_BYCOMMAND);
  EXPECT_STREQ(text, "\x8d\xc4\x90\xb6(&L)\tX");  // "再生(&L)\tX"

  // Every item has a mnemonic of its own: a letter without its "&", or one
  // two items share, picks the wrong command from the keyboard.
  std::string letters;
  for (int i = 0; i < GetMenuItemCount(popup); ++i) {
    if (GetMenuItemID(popup, i) == 0) continue;  // a separator
    GetMenuStringA(popup, static_cast<UINT>(i), text, sizeof(text), MF_BYPOSITION);
    const char* amp = strchr(text, '&');
    ASSERT_TRUE(amp && isalpha(static_cast<unsigned char>(amp[1]))) << "item " << i;
    EXPECT_EQ(letters.find(static_cast<char>(toupper(amp[1]))), std::string::npos) << "item " << i;
    letters += static_cast<char>(toupper(amp[1]));
  }
}

TEST(Resources, IconHasBothSizes) {
  HINSTANCE self = GetModuleHandleA(nullptr);
  for (int size : {32, 16}) {
    HICON icon = static_cast<HICON>(
        LoadImageA(self, MAKEINTRESOURCEA(IDI_PLAYER), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
    ASSERT_NE(icon, nullptr) << size;
    ICONINFO info;
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP bm;
    GetObjectA(info.hbmMask, sizeof(bm), &bm);
    EXPECT_EQ(bm.bmWidth, size);
    DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    DestroyIcon(icon);
  }
}

TEST(Resources, VersionBlockIsJapaneseUnicodeWithAFileVersion) {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, sizeof(path));
  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeA(path, &handle);
  ASSERT_GT(size, 0u);
  std::string block(size, '\0');
  ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, &block[0]));
  DWORD* translation = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation",
                             reinterpret_cast<void**>(&translation), &length));
  ASSERT_GE(length, 4u);
  EXPECT_EQ(LOWORD(*translation), 0x0411);
  EXPECT_EQ(HIWORD(*translation), 1200);
  char* version = nullptr;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\StringFileInfo\\041104b0\\FileVersion",
                             reinterpret_cast<void**>(&version), &length));
  EXPECT_GT(length, 0u);
}

}  // namespace
