// AfxMessageBox: a message box owned by the calling thread's main window (or
// the active window), captioned with the application's name.
#pragma once

#include <windows.h>
#include "FrameworkApi.h"

FRAMEWORK_API int AfxMessageBox(LPCSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
// The text is the string resource nIDPrompt (found through the resource chain).
FRAMEWORK_API int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);
