// AfxMessageBox: a message box owned by the calling thread's main window (or
// the active window), captioned with the application's name.
#pragma once

#include <windows.h>
#include "FrameworkApi.h"

FRAMEWORK_API int AfxMessageBox(LPCSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
// The text is the string resource nIDPrompt (found through the resource chain).
FRAMEWORK_API int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);

// Answers every AfxMessageBox in place of the user (tests): the hook gets the
// text and the caller's type and returns the button. NULL restores the box.
// Returns the hook it replaces.
typedef int (*AFX_MESSAGEBOX_HOOK)(LPCSTR lpszText, UINT nType);
FRAMEWORK_API AFX_MESSAGEBOX_HOOK AfxSetMessageBoxHook(AFX_MESSAGEBOX_HOOK hook);
