// CGlintfixApp: the red-eye editor's application object. It initialises the
// suite-wide lock when it is made, keeps the settings under the "Quenwick"
// key, the sixteen most recent files, and opens the pictures chosen with
// "Open..." or named on the command line, each in its own window.
#pragma once

#include "Framework.h"

class CRecentFileList;

class CGlintfixApp : public CWinApp
{
public:
    CGlintfixApp();
    ~CGlintfixApp() override;

    BOOL InitInstance() override;
    int ExitInstance() override;

    // Everything of InitInstance after OLE: registry key, recent files,
    // template, main frame, command line. Tests call it with a command
    // line of their own (program name first).
    BOOL StartGlintfix(const char* commandLine);

    // Opens the picture in a new window; adds it to the recent files.
    CDocument* OpenDocumentFile(LPCSTR lpszFileName) override;
    void AddToRecentFileList(LPCSTR lpszPathName);
    CRecentFileList* m_pRecentFileList;

protected:
    afx_msg void OnFileOpen();
    afx_msg void OnAppAbout();
    afx_msg void OnWebSite();
    afx_msg void OnOpenRecentFile(UINT nID);
    afx_msg void OnUpdateRecentFileMenu(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

private:
    bool m_bOleInitialized;
};

// The running editor's application object (null outside the editor).
CGlintfixApp* GetGlintfixApp();
