// CThumbnailWindow: creation, entry and selection, the cell size, and the
// mouse: click selection, dragging to reorder, Shift/Ctrl drag out, double
// click to the Viewer, description editing.
#include "ThumbnailWindow.h"
#include "BrowserFrame.h"
#include "BrowserView.h"
#include "FileInfo.h"
#include "FileInfoList.h"
#include "ThumbnailManager.h"

IMPLEMENT_DYNAMIC(CThumbnailWindow, CMoveableWindow)

BEGIN_MESSAGE_MAP(CThumbnailWindow, CMoveableWindow)
    ON_WM_PAINT()
    ON_WM_SIZE()
    ON_EN_CHANGE(CThumbnailWindow::IDC_CAPTION, OnCaptionChange)
    ON_WM_TIMER()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
END_MESSAGE_MAP()

HBITMAP CThumbnailWindow::m_CellBackground = NULL;

CThumbnailWindow::CThumbnailWindow(CBrowserView* view, CFileInfo* entry)
    : m_pView(view), m_pFileInfo(entry), m_bSettingCaption(FALSE)
{
}

CThumbnailWindow::~CThumbnailWindow()
{
    if (m_hWnd)
    {
        // Tasks for a handle that may soon name another window must go.
        HWND cell = m_hWnd;
        DestroyWindow();
        if (g_pThumbnailManager)
            g_pThumbnailManager->RemoveTasksFor(cell);
    }
}

BOOL CThumbnailWindow::CreateCell(const CRect& place)
{
    // The caption's edit comes when descriptions are first shown: windows
    // are slow to make, and with names shown no cell needs one.
    return CMoveableWindow::Create(place, m_pView, WS_CLIPCHILDREN);
}

CRect CThumbnailWindow::CaptionEditPlace() const
{
    CRect place;
    GetClientRect(&place);
    place.DeflateRect(5, 5);
    place.top = place.bottom - 15;
    return place;
}

void CThumbnailWindow::ShowCaptionEdit(BOOL show)
{
    if (!m_Caption.m_hWnd)
    {
        if (!show || !m_Caption.Create(WS_CHILD | ES_CENTER | ES_AUTOHSCROLL, CaptionEditPlace(), this,
                                       IDC_CAPTION))
            return;
    }
    m_Caption.ShowWindow(show ? SW_SHOW : SW_HIDE);
}

void CThumbnailWindow::SetFileInfo(CFileInfo* entry)
{
    if (entry == m_pFileInfo)
        return;
    if (m_Caption.m_hWnd)
    {
        // What was typed belongs to the old entry (each keystroke has gone
        // to it already); what is typed next must not go to the new one.
        if (::GetFocus() == m_Caption.m_hWnd)
        {
            OnCaptionChange();
            if (m_pView && m_pView->m_hWnd)
                m_pView->SetFocus();
            else
                ::SetFocus(NULL);
        }
        SetCaptionText(entry ? entry->GetDescription() : CString());
    }
    m_pFileInfo = entry;
    if (!m_hWnd)
        return;
    if (g_pThumbnailManager)
        g_pThumbnailManager->RemoveTasksFor(m_hWnd);
    Invalidate(FALSE);
}

void CThumbnailWindow::SetSelected(BOOL selected)
{
    if (m_pFileInfo)
        m_pFileInfo->Select(selected != FALSE);
    if (m_hWnd)
        RedrawWindow(NULL, NULL, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
}

CBaseFrameWindow* CThumbnailWindow::GetSettingsFrame() const
{
    CWinThread* thread = AfxGetThread();
    CWnd* main = thread ? thread->GetMainWnd() : NULL;
    CBaseFrameWindow* frame = DYNAMIC_DOWNCAST(CBaseFrameWindow, main);
    if (!frame && m_pView && m_pView->m_hWnd)
    {
        CFrameWnd* parent = m_pView->GetParentFrame();
        frame = DYNAMIC_DOWNCAST(CBaseFrameWindow, parent);
    }
    return frame;
}

void CThumbnailWindow::GetCellSize(int& width, int& height)
{
    CWinThread* thread = AfxGetThread();
    CWnd* main = thread ? thread->GetMainWnd() : NULL;
    CBrowserFrame* browser = DYNAMIC_DOWNCAST(CBrowserFrame, main);
    CBaseFrameWindow* frame = browser;
    int size = browser ? (int)browser->m_nThumbXSize : CThumbnailManager::m_MaxThumbSize / 3;
    int edgeX = GetSystemMetrics(SM_CXEDGE);
    int edgeY = GetSystemMetrics(SM_CYEDGE);
    width = size + 2 * edgeX;
    height = (3 * width - 6 * edgeX) / 4 + 2 * edgeY;
    BOOL captions = frame ? (frame->m_bPropShowFileName || frame->m_bPropShowFileDescription) : TRUE;
    if (captions)
        height += CaptionHeight;
}

void CThumbnailWindow::OnSize(UINT nType, int cx, int cy)
{
    Default();
    if (m_Caption.m_hWnd)
        m_Caption.MoveWindow(CaptionEditPlace());
}

void CThumbnailWindow::SetCaptionText(const CString& text)
{
    CString shown;
    m_Caption.GetWindowText(shown);
    if (shown == text)
        return;
    m_bSettingCaption = TRUE;
    m_Caption.SetWindowText(text);
    m_bSettingCaption = FALSE;
}

void CThumbnailWindow::OnCaptionChange()
{
    if (!m_pFileInfo || m_bSettingCaption)
        return;
    CString text;
    m_Caption.GetWindowText(text);
    // Through the list, which then knows it has a change to save.
    CFileInfoList* list = m_pView ? m_pView->GetFileList() : NULL;
    if (list)
        list->ChangeDescription(m_pFileInfo, text);
    else
        m_pFileInfo->SetDescription(text);
}

void CThumbnailWindow::MouseButtonDown()
{
    if (!m_pView)
        return;
    BOOL modifier = (GetKeyState(VK_SHIFT) & 0x8000) || (GetKeyState(VK_CONTROL) & 0x8000);
    // The arrow and page keys scroll the grid after a click on a cell.
    if (m_pView->m_hWnd && ::GetFocus() != m_pView->m_hWnd)
        m_pView->SetFocus();
    m_pView->ClickSelect(this);
    if (modifier)
        SetTimer(DragTimer, DragDelayMs, NULL); // held down: drag the selection out
    else
        CMoveableWindow::MouseButtonDown();     // drag the cell within the view
}

void CThumbnailWindow::MouseButtonUp()
{
    // Only a cell that the mouse has been moving goes back into the grid.
    if (m_pView && IsDragging())
        m_pView->DropCell(this);
    CMoveableWindow::MouseButtonUp();
}

void CThumbnailWindow::OnTimer(UINT_PTR nIDEvent)
{
    KillTimer(DragTimer);
    if (!m_pView || !(GetAsyncKeyState(VK_LBUTTON) & 0x8000))
        return;
    m_pView->ClickSelect(this, TRUE);
    m_pView->DragSelection();
}

void CThumbnailWindow::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (!m_pView)
        return;
    m_pView->OpenInViewer(m_pFileInfo);
    m_pView->ClickSelect(this);
}

void CThumbnailWindow::OnRButtonDown(UINT nFlags, CPoint point)
{
    ShowContextMenu();
    Default();
}
