// Resource ids of rastel.dll's own resources (the About box).
#pragma once

#define IDD_ABOUTBOX 100
#define IDC_ABOUT_VERSION 5008
#define IDC_ABOUT_VISIT 5009
#define IDC_ABOUT_ICON 5010
#define IDC_ABOUT_MAKER1 5011
#define IDC_ABOUT_MAKER2 5012
