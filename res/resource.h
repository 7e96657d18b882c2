// Resource ids of stel7.exe, grouped by the window that uses them.
// Plain #defines only: read by the C++ sources and by stel7.rc.
#ifndef STEL7_RES_RESOURCE_H
#define STEL7_RES_RESOURCE_H

#ifndef IDC_STATIC
#define IDC_STATIC                  (-1)
#endif

// Program icon, shared by every window and the tray.
#define IDI_MAIN                    128

// Main window.
#define IDD_MAIN                    102
#define IDC_LIST_VIDEO              1000
#define IDC_EDIT_SEARCH             1001
#define IDC_BTN_SEARCH              1002
#define IDC_LIST_TWEET              1005
#define IDC_BTN_SECTION_CHANNEL     1010
#define IDC_BTN_SECTION_MUSIC       1011
#define IDC_BTN_SECTION_HUMOR       1012
#define IDC_BTN_SECTION_SEARCH      1013
#define IDC_LIST_MUSIC              1015
#define IDC_BROWSER                 1016
#define IDC_BTN_PLAY                1017
#define IDC_BTN_STOP                1018
#define IDC_BTN_PREV                1019
#define IDC_BTN_NEXT                1020
#define IDC_TAB                     1025
#define IDC_LIST_CHANNEL            1026
#define IDC_LIST_HUMOR              1028

// Main window menu bar.
#define IDR_MAINMENU                129
#define ID_FILE_EXIT                32771
#define ID_TOOLS_SETTINGS           32772
#define ID_HELP_HOWTO               32773
#define ID_HELP_SUPPORT             32774
#define ID_HELP_ABOUT               32775
#define ID_HELP_UPDATE              32776
#define ID_FILE_TRAY                32783

// Tray icon menu.
#define IDR_TRAYMENU                189
#define ID_TRAY_OPEN                32777
#define ID_TRAY_EXIT                32778
#define ID_TRAY_UPDATE              32779
#define ID_TRAY_ABOUT               32781
#define ID_TRAY_SETTINGS            32782

// Main window skin: list icons (magenta is transparent).
#define IDB_LIST_VIDEO              133
#define IDB_LIST_TWEET              134
#define IDB_LIST_MUSIC              137
#define IDB_LIST_HUMOR              181

// Main window skin: background bands.
#define IDB_HEADER_FILL             154
#define IDB_HEADER_LOGO             155
#define IDB_TOOLBAR_LEFT            156
#define IDB_TOOLBAR_RIGHT           157
#define IDB_TOOLBAR_FILL            158
#define IDB_BODY_LEFT               159
#define IDB_BODY_RIGHT              160
#define IDB_FOOTER_LEFT             161
#define IDB_FOOTER_FILL             162
#define IDB_FOOTER_RIGHT            163

// Main window skin: section buttons, not shown and shown.
#define IDB_SECTION_SEARCH          164
#define IDB_SECTION_HUMOR           165
#define IDB_SECTION_CHANNEL         166
#define IDB_SECTION_MUSIC           167
#define IDB_SECTION_SEARCH_ON       174
#define IDB_SECTION_CHANNEL_ON      175
#define IDB_SECTION_MUSIC_ON        176
#define IDB_SECTION_HUMOR_ON        177

// Main window skin: search button and search-box frame.
#define IDB_SEARCH_NORMAL           182
#define IDB_SEARCH_HOVER            183
#define IDB_SEARCH_PRESSED          184
#define IDB_SEARCHBOX_LEFT          185
#define IDB_SEARCHBOX_FILL          186
#define IDB_SEARCHBOX_RIGHT         187

// Video window.
#define IDD_VIDEO                   131
#define IDC_VIDEO_BROWSER           1003

// Update download window.
#define IDD_UPDATE                  188
#define IDC_PROGRESS_UPDATE         1029

// Settings dialog.
#define IDD_SETTINGS                190
#define IDC_BTN_APPLY               1031
#define IDC_BTN_CANCEL              1032
#define IDC_CHK_RUN                 1034
#define IDC_CHK_TOPMOST             1035
#define IDC_COMBO_MUSIC             1036

// Promotion pop-up and toast.
#define IDD_POPUP                   192
#define IDC_POPUP_BROWSER           1037
#define IDD_TOAST                   193
#define IDC_TOAST_BROWSER           1038

#endif
