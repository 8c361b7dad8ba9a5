// Every resource id of the program, shared by the C++ code and ZantoPlay.rc.
// Plain macros because the resource compiler reads this file too.
#ifndef ZANTO_RESOURCE_H
#define ZANTO_RESOURCE_H

// Resources
#define IDD_ABOUT                 105
#define IDR_CONTEXT_MENU          110
#define IDD_SETTINGS              111
#define IDR_ACCELERATORS          112
#define IDD_PAGE_TIMEWINDOW       117
#define IDD_PAGE_SUSIE            118
#define IDD_PAGE_OSUWARI          119
#define IDD_PAGE_GENERAL          120
#define IDD_PAGE_TITLE            121
#define IDD_TITLE_EDITOR          122
#define IDD_RELEASE_CHOOSER       123
#define IDI_PLAYER                128

// Strings: texts of the user interface
#define IDS_APP_NAME              28672
#define IDS_DEFAULT_RESOURCE      28673
#define IDS_RESOURCE_FILTER       28674
#define IDS_RESOURCE_DEFEXT       28675
#define IDS_OPEN_RESOURCE_TITLE   28676
#define IDS_SETTINGS_FILE         28677
#define IDS_CD_FILE               28678
#define IDS_PLUGIN_FOLDER_TITLE   28680
#define IDS_TRACK_FORMAT          28681
#define IDS_TITLES_SECTION        28690   // the editor's line naming the disc's section
// The project's address, which the disc databases want in the User-Agent.
#define IDS_PROJECT_URL           28691

// Strings: messages
#define IDS_NO_MEMORY             28800
#define IDS_IMAGE_FAILED          28801
#define IDS_RESOURCE_OPEN_FAILED  28802
#define IDS_RESOURCE_READ_FAILED  28803
#define IDS_RESOURCE_LINE_TOO_LONG 28804
#define IDS_WINDOW_FAILED         28805
#define IDS_COMMON_DIALOG_ERROR   28806
#define IDS_CD_IN_USE             28807
#define IDS_CD_INIT_FAILED        28808
#define IDS_DIALOG_FAILED         28809
#define IDS_SAVE_FAILED           28830
#define IDS_DEFAULT_DRIVE         28850
#define IDS_FOLDER_TOO_LONG       28810
#define IDS_SKIN_NO_SHAPE         28816
// Why a picture or resource file was refused: the line after the message.
#define IDS_REASON_CANNOT_OPEN    28860
#define IDS_REASON_READ_FAILED    28861
#define IDS_REASON_BROKEN         28862
#define IDS_REASON_SIDE_TOO_LONG  28863
#define IDS_REASON_TOO_MANY_BYTES 28864
#define IDS_REASON_NO_PLUGIN      28865
#define IDS_REASON_PLUGIN_FAILED  28866
#define IDS_REASON_FILE_TOO_LARGE 28867
#define IDS_DEFAULT_SKIN_USED     28868
// A skin that loads but makes a window hard to use.
#define IDS_SKIN_TOO_SMALL        28869
#define IDS_SKIN_BEYOND_SCREEN    28870
// Why a disc image (a CUE sheet and its data files) cannot be played.
#define IDS_DISC_IMAGE_UNREADABLE     28880
#define IDS_DISC_IMAGE_BAD_LINE       28881
#define IDS_DISC_IMAGE_UNSUPPORTED    28882
#define IDS_DISC_IMAGE_NO_TRACKS      28883
#define IDS_DISC_IMAGE_DATA_MISSING   28884
#define IDS_DISC_IMAGE_DATA_TOO_SHORT 28885
#define IDS_DISC_IMAGE_TOO_LONG       28886
#define IDS_DISC_IMAGE_FILTER         28940
#define IDS_OPEN_DISC_IMAGE_TITLE     28941
#define IDS_NO_AUDIO_OUTPUT           28942
#define IDS_PLAYBACK_AUTO             28943
#define IDS_PLAYBACK_DIGITAL          28944
#define IDS_PLAYBACK_ANALOG           28945
// Why a lookup by hand found no titles.
#define IDS_LOOKUP_NOT_FOUND      28890
#define IDS_LOOKUP_OFFLINE        28891
#define IDS_LOOKUP_MALFORMED      28892
#define IDS_LOOKUP_NO_ID          28893
#define IDS_LOOKUP_NOT_FOUND_ASK_GNUDB 28894
// The text window while there is no disc to show.
#define IDS_TEXT_NO_DISC          28950
#define IDS_TEXT_TRAY_OPEN        28951
#define IDS_TEXT_LOOKING_UP       28952
#define IDS_TEXT_UNREADABLE       28953
// What screen readers are told of the player's controls.
#define IDS_ACCESSIBLE_PRESS      28970
#define IDS_ACCESSIBLE_SEEK_BAR   28971
#define IDS_ACCESSIBLE_VOLUME     28972
// The lamps' names where the skin gives them no tooltip, in lamp order.
#define IDS_ACCESSIBLE_SHUFFLE_LAMP 28973
#define IDS_ACCESSIBLE_REPEAT_LAMP  28974
#define IDS_ACCESSIBLE_REPEAT_TRACK_LAMP 28975
#define IDS_ACCESSIBLE_INTRO_LAMP   28976
#define IDS_ACCESSIBLE_MUTE_LAMP    28977

// Strings: INI sections
#define IDS_SECTION_RESOURCES     28928
#define IDS_SECTION_GENERAL       28929
#define IDS_SECTION_MAINWINDOW    28930
#define IDS_SECTION_SUSIEPLUGIN   28931
#define IDS_SECTION_OSUWARI       28932
#define IDS_SECTION_FILENAMEWINDOW 28933
#define IDS_SECTION_LOOKUP        28934

// Strings: INI keys
#define IDS_KEY_LASTFILE          29056
#define IDS_KEY_TIMEWINDOW        29057
#define IDS_KEY_MOUSEANIME        29058
#define IDS_KEY_ALWAYSONTOP       29059
#define IDS_KEY_CHGRESBYCD        29060
#define IDS_KEY_RESOURCEFILE      29061
#define IDS_KEY_POSITIONX         29062
#define IDS_KEY_POSITIONY         29063
#define IDS_KEY_REPEAT            29064
#define IDS_KEY_USEPLUGIN         29065
#define IDS_KEY_PLUGINFOLDER      29066
#define IDS_KEY_BLINKWHENPAUSING  29067
#define IDS_KEY_DOOSUWARI         29068
#define IDS_KEY_OSUWARIXPER       29069
#define IDS_KEY_TRACK_FORMAT      29070
#define IDS_KEY_FONTNAME          29071
#define IDS_KEY_FONTSTYLE         29072
#define IDS_KEY_TEXTCOLOR         29073
#define IDS_KEY_SHADOWCOLOR       29074
#define IDS_KEY_ENABLESHADOW      29075
#define IDS_KEY_VOLUME            29076
#define IDS_KEY_SHUFFLE           29077
#define IDS_KEY_REPEATTRACK       29078
#define IDS_KEY_INTROSCAN         29079
#define IDS_KEY_TIMEMODE          29080
#define IDS_KEY_MEDIAHOTKEYS      29081
#define IDS_KEY_AUTOPLAY          29082
#define IDS_KEY_MUTE              29083
#define IDS_KEY_DRIVE             29090
// The disc's own title and artist in its CD.ini section (the title editor).
#define IDS_KEY_DISC_TITLE        29100
#define IDS_KEY_DISC_ARTIST       29101
// [Lookup]: the disc databases.
#define IDS_KEY_LOOKUP_SERVER     29102
#define IDS_KEY_LOOKUP_ONLINE     29103
#define IDS_KEY_GNUDB_USER        29104
#define IDS_KEY_PLAYBACK          29110
#define IDS_KEY_DEEMPHASIS        29111
#define IDS_KEY_DIGITAL_DEVICE    29112
#define IDS_KEY_GNUDB_SERVER      29105
// [General] Scale: the size the skin is shown at.
#define IDS_KEY_SCALE             29115

// Strings: settings page titles
#define IDS_PAGE_TIMEWINDOW       29184
#define IDS_PAGE_SUSIE            29185
#define IDS_PAGE_OSUWARI          29186
#define IDS_PAGE_GENERAL          29187
#define IDS_PAGE_TITLE            29188

// Commands of the context menu and the accelerators
#define IDM_CHANGE_RESOURCE       40001
#define IDM_PREFERENCES           40002
#define IDM_PREVIOUS              40003
#define IDM_PLAY                  40004
#define IDM_PAUSE                 40005
#define IDM_STOP                  40006
#define IDM_NEXT                  40007
#define IDM_ABOUT                 40010
#define IDM_QUIT                  40011
#define IDM_TRAY                  40012
#define IDM_NO_TRACKS             40015
#define IDM_REPEAT                40017
#define IDM_SHUFFLE               40021
#define IDM_REPEAT_TRACK          40022
#define IDM_INTRO_SCAN            40023
#define IDM_NEXT_TIME_MODE        40024
#define IDM_MUTE                  40025
#define IDM_EDIT_TITLES           40020
#define IDM_OPEN_DISC_IMAGE       40026
#define IDM_LOOKUP_TITLES         40027
#define IDM_DOUBLE_SIZE           40028
#define IDM_TRACK_BASE            41000   // track t is IDM_TRACK_BASE + t
#define IDM_TRACK_LAST            41099   // a disc holds at most 99 tracks

// Controls that the code never addresses
#define IDC_STATIC                (-1)

// About dialog controls
#define IDC_ABOUT_VERSION         1000
#define IDC_ABOUT_TEXT            1001

// Settings dialog controls
#define IDC_TIME_PLAYTIME         1002
#define IDC_TIME_CLOCK            1003
#define IDC_TIME_MOUTH            1004
#define IDC_TIME_INTERVAL         1005
#define IDC_TIME_INTERVAL_LABEL   1006
#define IDC_ALWAYS_ON_TOP         1007
#define IDC_CHG_RES_BY_CD         1010
#define IDC_BLINK_WHEN_PAUSING    1011
// Page controls share ids across pages (1013, 1026): each page is a dialog of its own.
#define IDC_DO_OSUWARI            1013
#define IDC_TITLE_BOLD            1013
#define IDC_TITLE_ITALIC          1014
#define IDC_TITLE_UNDERLINE       1015
#define IDC_USE_PLUGIN            1018
#define IDC_PLUGIN_FOLDER         1019
#define IDC_PLUGIN_BROWSE         1020
#define IDC_PLUGIN_FOLDER_LABEL   1021
#define IDC_OSUWARI_POSITION      1022
#define IDC_OSUWARI_PERCENT       1023
#define IDC_SETTINGS_PAGES        1025
#define IDC_SETTINGS_PAGE_AREA    1026
#define IDC_OSUWARI_LEFT_LABEL    1026
#define IDC_OSUWARI_RIGHT_LABEL   1027
#define IDC_OSUWARI_LABEL         1028
#define IDC_TITLE_FONT            1029
#define IDC_TITLE_TEXT_COLOR      1030
#define IDC_TITLE_SHADOW          1031
#define IDC_TITLE_SHADOW_COLOR    1032
#define IDC_TITLE_SHADOW_LABEL    1033
#define IDC_MEDIA_HOT_KEYS        1034
#define IDC_AUTO_PLAY             1035
#define IDC_CD_DRIVE              1050
#define IDC_LOOKUP_ONLINE         1051
#define IDC_PLAYBACK              1052
#define IDC_GNUDB_USER            1056

// Title editor controls
#define IDC_TITLES_SECTION        1100
#define IDC_TITLES_DISC_TITLE     1101
#define IDC_TITLES_DISC_ARTIST    1102
#define IDC_TITLES_TRACKS         1103
#define IDC_TITLES_TRACK_TITLE    1104

// Release chooser controls
#define IDC_RELEASE_LIST          1120

#endif
