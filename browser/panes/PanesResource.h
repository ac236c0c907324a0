// Resource ids of the left pane: the caption bars, the tool windows, their
// menus and artwork.
#pragma once

// Dialog templates.
#define IDD_ZTOOLCAPTION 133
#define IDD_HIDDEN_FOLDERS 204
#define IDD_INDEXED_FOLDERS 230
#define IDD_ALBUMS 232
#define IDD_EXPLORER 242
#define IDD_COLORS 243

// Menus: the albums pane's "ALBUM" and the indexed-folders pane's "FOLDER".
#define IDR_ALBUM_MENU 231
#define IDR_FOLDER_MENU 232

// Caption button bitmaps: open (normal, pressed), closed (normal, pressed).
#define IDB_CAPTION_OPEN 233
#define IDB_CAPTION_CLOSED 234
#define IDB_CAPTION_CLOSED_DOWN 235
#define IDB_CAPTION_OPEN_DOWN 236

// Tree icons.
#define IDI_PANE_FOLDER 135 // network drive
#define IDI_PANE_CDROM 136
#define IDI_PANE_REMOVABLE 137
#define IDI_PANE_ALBUM 138
#define IDI_PANE_FIXED 185
#define IDI_PANE_ALBUM_SELECTED 186
#define IDI_PANE_COMPUTER 188
#define IDI_PANE_ALBUMS_ROOT 215

// The animated cursor drawn over a tree item that is filling.
#define IDR_FILLING_CURSOR 245

// Controls.
#define IDC_CAPTION_BUTTON 1218
#define IDC_PANE_TREE 1214
#define IDC_HIDDEN_LIST 1043
#define IDC_HIDDEN_REMOVE 1077
#define IDC_FLAT_VIEW 1219
#define IDC_HIDE_SELECTED 1220
#define IDC_REFRESH_FOLDERS 1221
#define IDC_REINDEX 1222
#define IDC_INCLUDE_CD 1223
#define IDC_INCLUDE_NETWORK 1224
#define IDC_TREE_VIEW 1225
#define IDC_INCLUDE_REMOVABLE 1226
#define IDC_HIDDEN_FOLDERS 1227
#define IDC_INDEX_PROGRESS 1228
#define IDC_COLOR1_RED 1238
#define IDC_COLOR1_GREEN 1239
#define IDC_COLOR1_BLUE 1240
#define IDC_COLOR2_RED 1241
#define IDC_COLOR2_GREEN 1242
#define IDC_COLOR2_BLUE 1243
#define IDC_FOLDER_SQUARE 1244
#define IDC_FOLDER_CIRCLE 1245
#define IDC_STYLE_SQUARE 1246
#define IDC_STYLE_CIRCLE 1247
#define IDC_ALBUM_SQUARE 1248
#define IDC_ALBUM_CIRCLE 1249
#define IDC_FOLDER_LINEAR 1250
#define IDC_FOLDER_PLAIN 1251
#define IDC_STYLE_LINEAR 1252
#define IDC_STYLE_PLAIN 1253
#define IDC_ALBUM_LINEAR 1254
#define IDC_ALBUM_PLAIN 1255

// Commands of the albums pane (its buttons and its menu).
#define ID_ALBUM_RENAME 2971
#define ID_ALBUM_NEW 33147
#define ID_ALBUM_DELETE 33148
#define ID_ALBUM_PASTE 33150

// Commands of the shell's menu on the explorer pane.
#define ID_PANE_SHELL_FIRST 20000
#define ID_PANE_SHELL_LAST 21000
