// CWinApp: the program's one application object. Its constructor makes it
// the process's application (AfxGetApp), which gives every module — the
// program, rastel, FolderPane — the same name, wait cursor and profile.
//
// Profile: after SetRegistryKey("Company") the values live under
// HKEY_CURRENT_USER\Software\Company\<m_pszAppName>\<section>; without a
// registry key they go to the INI file <m_pszAppName>.INI, as in the class
// library.
//
// The application object is the main thread's CWinThread: AfxWinMain (which
// a program's WinMain calls) runs InitInstance, then the message loop unless
// InitInstance returned FALSE. It keeps the document templates and handles
// the standard application commands (File New/Open, Exit).
#pragma once

#include <windows.h>
#include "CString.h"
#include "CPtrList.h"
#include "CWinThread.h"
#include "FrameworkApi.h"

class CDocTemplate;
class CDocument;
class CCommandLineInfo;
class CWnd;

class FRAMEWORK_API CWinApp : public CWinThread
{
    DECLARE_DYNAMIC(CWinApp)
public:
    // appName: the program's title, used for the profile; NULL takes the
    // executable's base name.
    explicit CWinApp(LPCSTR appName = NULL);
    ~CWinApp() override;

    BOOL InitInstance() override;
    int ExitInstance() override;
    int Run() override;

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

    // ---- Start-up ----
    LPSTR m_lpCmdLine;
    int m_nCmdShow;          // for the first frame shown; -1 once used
    HINSTANCE m_hPrevInstance;
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);
    BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);
    void Enable3dControls() {}
    void LoadStdProfileSettings(UINT = 4) {}

    // ---- Documents ----
    void AddDocTemplate(CDocTemplate* pTemplate);
    POSITION GetFirstDocTemplatePosition() const { return m_templateList.GetHeadPosition(); }
    CDocTemplate* GetNextDocTemplate(POSITION& pos) const { return (CDocTemplate*)m_templateList.GetNext(pos); }
    virtual CDocument* OpenDocumentFile(LPCSTR lpszFileName);
    BOOL SaveAllModified();
    void CloseAllDocuments(BOOL bEndSession);

    // ---- Resources (through the resource chain) ----
    HICON LoadIcon(UINT nIDResource) const;
    HICON LoadStandardIcon(LPCSTR lpszIconName) const { return ::LoadIconA(NULL, lpszIconName); }
    HCURSOR LoadCursor(UINT nIDResource) const;
    HCURSOR LoadStandardCursor(LPCSTR lpszCursorName) const { return ::LoadCursorA(NULL, lpszCursorName); }

    afx_msg void OnFileNew();
    afx_msg void OnFileOpen();
    afx_msg void OnAppExit();

protected:
    CPtrList m_templateList;
    DECLARE_MESSAGE_MAP()

private:
    HKEY GetAppKey();
    CString m_appName;
    CString m_registryKey;
    CString m_profileName;
    HCURSOR m_hcurWaitCursorRestore;
};

FRAMEWORK_API CWinApp* AfxGetApp();
// The calling thread's main window (the application's on threads of its own).
FRAMEWORK_API CWnd* AfxGetMainWnd();
// The body of a program's WinMain: starts the application object.
FRAMEWORK_API int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);
FRAMEWORK_API void AfxEnableControlContainer();
FRAMEWORK_API LPCSTR AfxGetAppName();
FRAMEWORK_API HINSTANCE AfxGetInstanceHandle();
