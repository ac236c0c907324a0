// Resource ids of the window-support tests (none in rastel's range).
#pragma once
#define IDB_TEST_TC 700
#define IDR_TEST_TC_BAR 701
#define ID_TC_ONE 41001
#define ID_TC_TWO 41002
#define ID_TC_THREE 41003
