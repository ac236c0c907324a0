// PaneLinks: the panes' way to their browser window's thumbnail view, to the
// thread's start file and to the user.
#include "PaneLinks.h"
#include "BrowserFrame.h"
#include "BrowserView.h"
#include "CFrameWnd.h"
#include "ResourceChain.h"
#include "ThreadBase.h"

namespace
{
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
    // The panes' icons are kept as whole .ico files (raw data): icon
    // resources of several resource scripts would number their images alike.
    HMODULE module = AfxFindResourceHandle(MAKEINTRESOURCE(id), RT_RCDATA);
    HRSRC resource = module ? ::FindResourceA(module, MAKEINTRESOURCE(id), RT_RCDATA) : NULL;
    HGLOBAL loaded = resource ? ::LoadResource(module, resource) : NULL;
    const BYTE* data = loaded ? (const BYTE*)::LockResource(loaded) : NULL;
    DWORD size = resource ? ::SizeofResource(module, resource) : 0;
    if (!data || size < 6 + 16)
        return NULL;
    int count = data[4] | (data[5] << 8);
    for (int i = 0; i < count && 6 + 16 * (i + 1) <= (int)size; i++)
    {
        const BYTE* entry = data + 6 + 16 * i;
        DWORD bytes = entry[8] | (entry[9] << 8) | (entry[10] << 16) | ((DWORD)entry[11] << 24);
        DWORD offset = entry[12] | (entry[13] << 8) | (entry[14] << 16) | ((DWORD)entry[15] << 24);
        if ((entry[0] == 16 || i == count - 1) && offset <= size && bytes <= size - offset)
            return ::CreateIconFromResourceEx((PBYTE)data + offset, bytes, TRUE, 0x00030000, 16, 16, LR_DEFAULTCOLOR);
    }
    return NULL;
}
}
