// CGlintfixApp: start-up of the red-eye editor, opening files, recent
// files, and the About box and web site.
#include "GlintfixApp.h"
#include <ole2.h>
#include "AboutDlg.h"
#include "AfxMessageBox.h"
#include "CCmdUI.h"
#include "CCommandLineInfo.h"
#include "CDocTemplate.h"
#include "CFileDialog.h"
#include "CRecentFileList.h"
#include "PictureTypes.h"
#include "ThreadBase.h"
#include "ChildFrm.h"
#include "GlintfixDoc.h"
#include "GlintfixRules.h"
#include "GlintfixView.h"
#include "MainFrm.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(CGlintfixApp, CWinApp)
    ON_COMMAND(ID_FILE_OPEN, OnFileOpen)
    ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
    ON_COMMAND(ID_WEB_SITE, OnWebSite)
    ON_COMMAND_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE16, OnOpenRecentFile)
    ON_UPDATE_COMMAND_UI(ID_FILE_MRU_FILE1, OnUpdateRecentFileMenu)
END_MESSAGE_MAP()

namespace
{
const int kRecentFiles = 16;
}

CGlintfixApp::CGlintfixApp() : CWinApp("Glintfix"), m_pRecentFileList(NULL), m_bOleInitialized(false)
{
    CThreadBase::InitializeLock();
}

CGlintfixApp::~CGlintfixApp() { delete m_pRecentFileList; }

CGlintfixApp* GetGlintfixApp() { return dynamic_cast<CGlintfixApp*>(AfxGetApp()); }

BOOL CGlintfixApp::InitInstance()
{
    // The About box's web-site link goes through the shell, which wants COM.
    m_bOleInitialized = SUCCEEDED(OleInitialize(NULL));
    return StartGlintfix(GetCommandLineA());
}

BOOL CGlintfixApp::StartGlintfix(const char* commandLine)
{
    SetRegistryKey("Quenwick");
    if (!m_pRecentFileList)
    {
        m_pRecentFileList = new CRecentFileList(ID_FILE_MRU_FILE1, "Recent File List", "File%d", kRecentFiles);
        m_pRecentFileList->ReadList();
    }
    if (m_templateList.IsEmpty())
        AddDocTemplate(new CMultiDocTemplate(IDR_GLINTFTYPE, RUNTIME_CLASS(CGlintfixDoc), RUNTIME_CLASS(CChildFrame),
                                             RUNTIME_CLASS(CGlintfixView)));
    CMainFrame* frame = new CMainFrame;
    if (!frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE))
        return FALSE; // a frame that fails to load deletes itself
    m_pMainWnd = frame;

    CCommandLineInfo info;
    info.ParseCommandLine(commandLine ? commandLine : "");
    frame->ShowWindow(m_nCmdShow > 0 ? m_nCmdShow : SW_SHOW);
    frame->UpdateWindow();
    // A picture that does not open has been reported; the editor stays open.
    ProcessShellCommand(info);
    return TRUE;
}

int CGlintfixApp::ExitInstance()
{
    if (m_pRecentFileList)
        m_pRecentFileList->WriteList();
    int code = CWinApp::ExitInstance();
    if (m_bOleInitialized)
        OleUninitialize();
    m_bOleInitialized = false;
    return code;
}

CDocument* CGlintfixApp::OpenDocumentFile(LPCSTR lpszFileName)
{
    CDocument* doc = CWinApp::OpenDocumentFile(lpszFileName);
    if (doc && lpszFileName && *lpszFileName)
        AddToRecentFileList(lpszFileName);
    return doc;
}

void CGlintfixApp::AddToRecentFileList(LPCSTR lpszPathName)
{
    if (!m_pRecentFileList)
        return;
    m_pRecentFileList->Add(lpszPathName);
    m_pRecentFileList->WriteList();
}

void CGlintfixApp::OnFileOpen()
{
    CFileDialog dialog(TRUE, "jpg", "*.jpg", OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_ALLOWMULTISELECT | OFN_EXPLORER,
                       CPictureTypes::GetOpenFilter(), m_pMainWnd);
    if (dialog.DoModal() != IDOK)
        return;
    CStringList paths;
    GlintfixRules::SplitSelection(dialog.m_ofn.lpstrFile, paths);
    for (POSITION pos = paths.GetHeadPosition(); pos;)
        OpenDocumentFile(paths.GetNext(pos));
}

void CGlintfixApp::OnAppAbout()
{
    CAboutDlg dialog("Glintfix", m_pMainWnd);
    dialog.DoModal();
}

void CGlintfixApp::OnWebSite() { CAboutDlg::VisitWebSite(); }

void CGlintfixApp::OnOpenRecentFile(UINT nID)
{
    if (!m_pRecentFileList)
        return;
    int index = (int)(nID - ID_FILE_MRU_FILE1);
    CString path = m_pRecentFileList->GetEntry(index);
    if (path.IsEmpty())
        return;
    if (!OpenDocumentFile(path))
    {
        // A file that no longer opens leaves the list.
        m_pRecentFileList->Remove(index);
        m_pRecentFileList->WriteList();
    }
}

void CGlintfixApp::OnUpdateRecentFileMenu(CCmdUI* pCmdUI)
{
    if (m_pRecentFileList)
        m_pRecentFileList->UpdateMenu(pCmdUI);
    else
        pCmdUI->Enable(FALSE);
}
