// Resource and command identifiers of Glintfix.exe.
#pragma once

#include "AfxRes.h"

#define IDR_MAINFRAME 128
#define IDR_GLINTFTYPE 129
#define IDB_TOOLBAR_DISABLED 133
#define IDB_TOOLBAR 134
#define IDD_TRACKER_BAR 128
#define IDD_ADJUST_COLORS 212

// The tracker bar's controls
#define IDC_GLINTFIX 1000
#define IDC_TRACKER_SIZE 1001
#define IDC_QUALITY 1002
#define IDC_QUALITY_SPIN 1003

// The colour dialog's controls: sliders, their value labels, the reset button
#define IDC_BRIGHTNESS 1010
#define IDC_CONTRAST 1011
#define IDC_COLOR 1012
#define IDC_RED 1013
#define IDC_GREEN 1014
#define IDC_BLUE 1015
#define IDC_BRIGHTNESS_VALUE 1020
#define IDC_CONTRAST_VALUE 1021
#define IDC_COLOR_VALUE 1022
#define IDC_RED_VALUE 1023
#define IDC_GREEN_VALUE 1024
#define IDC_BLUE_VALUE 1025
#define IDC_ORIGINAL_VALUES 1030

// Edit (Undo is the framework's ID_EDIT_UNDO; Redo sits next to it)
#ifndef ID_EDIT_REDO
#define ID_EDIT_REDO 0xE12C
#endif
#define ID_RESTORE_COLORS 32772
#define ID_ROTATE_CLOCKWISE 32773
#define ID_ROTATE_COUNTER_CLOCKWISE 32774
#define ID_FLIP_HORIZONTAL 32775
#define ID_FLIP_VERTICAL 32776
#define ID_ADJUST_COLORS 32777
#define ID_TRACKER_LEFT 32778
#define ID_TRACKER_BIGGER 32779
#define ID_TRACKER_SMALLER 32780
#define ID_TRACKER_RIGHT 32781
#define ID_TRACKER_UP 32782
#define ID_TRACKER_DOWN 32783

// Help
#define ID_WEB_SITE 33205

// Status-bar panes
#define ID_INDICATOR_PICTURE 32800
#define ID_INDICATOR_TRACKER 32801
#define ID_INDICATOR_MODIFIED 32802
