// PaneLinks: the panes' way to their browser window's thumbnail view, to the
// thread's start file and to the user.
#include "PaneLinks.h"
#include "AfxMessageBox.h"
#include "BrowserFrame.h"
#include "BrowserView.h"
#include "CFrameWnd.h"
#include "ResourceChain.h"
#include "ThreadBase.h"

namespace
{
PaneLinks::ASKPROC g_askProc = NULL;

CBrowserView* ViewOf(CWnd* pane)
{
    CFrameWnd* frame = pane ? pane->GetParentFrame() : NULL;
    CBrowserFrame* browser = frame ? DYNAMIC_DOWNCAST(CBrowserFrame, frame) : NULL;
    return browser ? browser->GetBrowserView() : NULL;
}
}

namespace PaneLinks
{
CWnd* GetBrowserView(CWnd* pane)
{
    return ViewOf(pane);
}

void ShowFolder(CWnd* pane, const CString& path)
{
    if (CBrowserView* view = ViewOf(pane))
        view->ShowFolder(path);
}

void PostShowFolder(CWnd* pane, const CString& path)
{
    if (CBrowserView* view = ViewOf(pane))
        CBrowserView::PostShowFolder(view->GetSafeHwnd(), path);
}

void ShowAlbum(CWnd* pane, unsigned number)
{
    if (CBrowserView* view = ViewOf(pane))
        view->ShowAlbum(number);
}

void ClearView(CWnd* pane)
{
    if (CBrowserView* view = ViewOf(pane))
    {
        view->ClearView();
        view->Invalidate();
        view->UpdateWindow();
    }
}

void RefreshView(CWnd* pane)
{
    if (CBrowserView* view = ViewOf(pane))
        view->Refresh();
}

void PasteFiles(CWnd* pane, HGLOBAL hDrop)
{
    if (CBrowserView* view = ViewOf(pane))
        view->PasteFiles(hDrop);
}

void BackgroundChanged(CWnd* pane)
{
    if (CBrowserView* view = ViewOf(pane))
    {
        view->DeleteTiles();
        view->Invalidate();
    }
}

CString GetStartFile()
{
    CWinThread* thread = AfxGetThread();
    CThreadBase* base = thread ? DYNAMIC_DOWNCAST(CThreadBase, thread) : NULL;
    return base ? base->m_StartFile : CString();
}

HICON LoadSmallIcon(UINT id)
{
    HMODULE module = AfxFindResourceHandle(MAKEINTRESOURCE(id), RT_GROUP_ICON);
    return module ? (HICON)::LoadImageA(module, MAKEINTRESOURCE(id), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR) : NULL;
}

int Ask(CWnd* pane, const char* text, UINT type)
{
    if (g_askProc)
        return g_askProc(pane, text, type);
    return AfxMessageBox(text, type);
}

void SetAskProc(ASKPROC proc)
{
    g_askProc = proc;
}
}
