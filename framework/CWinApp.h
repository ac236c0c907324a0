// CWinApp: the program's one application object. Its constructor makes it
// the process's application (AfxGetApp), which gives every module — the
// program, rastel, FolderPane — the same name, wait cursor and profile.
//
// Profile: after SetRegistryKey("Company") the values live under
// HKEY_CURRENT_USER\Software\Company\<m_pszAppName>\<section>; without a
// registry key they go to the INI file <m_pszAppName>.INI, as in the class
// library.
#pragma once

#include <windows.h>
#include "CString.h"
#include "FrameworkApi.h"

class FRAMEWORK_API CWinApp
{
public:
    // appName: the program's title, used for the profile; NULL takes the
    // executable's base name.
    explicit CWinApp(LPCSTR appName = NULL);
    virtual ~CWinApp();

    virtual BOOL InitInstance();
    virtual int ExitInstance();

    LPCSTR m_pszAppName;
    LPCSTR m_pszRegistryKey;
    LPCSTR m_pszProfileName;
    HINSTANCE m_hInstance;

    void SetRegistryKey(LPCSTR company);
    UINT GetProfileInt(LPCSTR section, LPCSTR entry, int defaultValue);
    BOOL WriteProfileInt(LPCSTR section, LPCSTR entry, int value);
    CString GetProfileString(LPCSTR section, LPCSTR entry, LPCSTR defaultValue = NULL);
    // A NULL entry removes the whole section; a NULL value removes the entry.
    BOOL WriteProfileString(LPCSTR section, LPCSTR entry, LPCSTR value);
    // HKCU\Software\<company>\<app>\<section>, opened for reading and writing
    // and created when missing; NULL without a registry key. Caller closes it.
    HKEY GetSectionKey(LPCSTR section);

    // Shows the hourglass until the matching EndWaitCursor; calls nest.
    void BeginWaitCursor() { DoWaitCursor(1); }
    void EndWaitCursor() { DoWaitCursor(-1); }
    void RestoreWaitCursor() { DoWaitCursor(0); }
    virtual void DoWaitCursor(int code);
    int m_nWaitCursorCount;

private:
    HKEY GetAppKey();
    CString m_appName;
    CString m_registryKey;
    CString m_profileName;
    HCURSOR m_hcurWaitCursorRestore;
};

FRAMEWORK_API CWinApp* AfxGetApp();
FRAMEWORK_API LPCSTR AfxGetAppName();
FRAMEWORK_API HINSTANCE AfxGetInstanceHandle();
