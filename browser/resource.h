// Resource and command identifiers of Pixmere.exe. The standard edit and
// application commands (cut, copy, paste, select all, about, exit) keep the
// class library's ids from AfxRes.h.
#pragma once

#include "AfxRes.h"

// Main menu, accelerators, tool bar, document template and application title.
#define IDR_MAINFRAME 128
// Tool bar artwork: normal and hot images, disabled images.
#define IDB_TOOLBAR 250
#define IDB_TOOLBAR_DISABLED 251
// The slider bar at the right end of the status bar.
#define IDD_BROWSER_BAR 128
#define IDC_THUMB_SIZE_SLIDER 2803

// File
#define ID_NEW_WINDOW 32851
// Edit (ID_EDIT_SELECT_ALL, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE from AfxRes.h)
#define ID_INVERT_SELECTION 32870
#define ID_REMOVE 33153
// Edit and Thumbnail: turn the selected JPEG files in place
#define ID_ROTATE_LEFT 33210
#define ID_ROTATE_RIGHT 33211
// Thumbnail
#define ID_OPEN_VIEWER 32992
#define ID_OPEN_GLINTFIX 33203
#define ID_ENLARGE_THUMBS 32892
#define ID_REDUCE_THUMBS 32893
#define ID_MAXIMIZE_THUMBS 32896
#define ID_MINIMIZE_THUMBS 32897
#define ID_FIT_THUMBS 33065
#define ID_SHOW_FILE_NAME 33180
#define ID_SHOW_FILE_DESCRIPTION 33181
// Help (ID_APP_ABOUT from AfxRes.h)
#define ID_WEB_SITE 33205

// The shell's commands for one file, inserted into the cell's context menu.
#define ID_SHELL_FIRST 20000
#define ID_SHELL_LAST 21000

// Menu positions of the popups that the view and the cells show.
#define MENU_POS_EDIT 1
#define MENU_POS_THUMBNAIL 2
