// CThumbnailWindow: creation, entry and selection, the cell size, and the
// mouse: click selection, dragging to reorder, Shift/Ctrl drag out, double
// click to the Viewer, description editing.
#include "ThumbnailWindow.h"
#include "CellHost.h"
#include "FileInfo.h"
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

CThumbnailWindow::CThumbnailWindow(CWnd* parent, CCellHost* host, CFileInfo* entry)
    : m_pParent(parent), m_pHost(host), m_pFileInfo(entry), m_bSettingCaption(FALSE), m_hBackground(NULL)
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

BOOL CThumbnailWindow::CreateCell(const CRect& place, const CCellLook& look, HBITMAP background)
{
    if (!CMoveableWindow::Create(place, m_pParent, WS_CLIPCHILDREN))
        return FALSE;
    SetLook(look, background);
    return TRUE;
}

void CThumbnailWindow::SetLook(const CCellLook& look, HBITMAP background)
{
    m_Look = look;
    m_hBackground = background;
    if (!m_hWnd)
        return;
    // The caption's edit comes when descriptions are first shown: windows
    // are slow to make, and with names shown no cell needs one.
    ShowCaptionEdit(m_Look.showDescription);
    if (m_Caption.m_hWnd && m_Look.showDescription)
        SetCaptionText(m_pFileInfo ? m_pFileInfo->GetDescription() : CString());
    Invalidate(FALSE);
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
            if (m_pParent && m_pParent->m_hWnd)
                m_pParent->SetFocus();
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
    if (m_pHost)
        m_pHost->CellDescribed(m_pFileInfo, text);
    else
        m_pFileInfo->SetDescription(text);
}

void CThumbnailWindow::MouseButtonDown()
{
    if (!m_pHost)
        return;
    BOOL modifier = (GetKeyState(VK_SHIFT) & 0x8000) || (GetKeyState(VK_CONTROL) & 0x8000);
    // The arrow and page keys scroll the grid after a click on a cell.
    if (m_pParent && m_pParent->m_hWnd && ::GetFocus() != m_pParent->m_hWnd)
        m_pParent->SetFocus();
    m_pHost->CellClicked(this, FALSE);
    if (modifier)
        SetTimer(DragTimer, DragDelayMs, NULL); // held down: drag the selection out
    else
        CMoveableWindow::MouseButtonDown();     // drag the cell within the view
}

void CThumbnailWindow::MouseButtonUp()
{
    // Only a cell that the mouse has been moving goes back into the grid.
    if (m_pHost && IsDragging())
        m_pHost->CellDropped(this);
    CMoveableWindow::MouseButtonUp();
}

void CThumbnailWindow::OnTimer(UINT_PTR nIDEvent)
{
    KillTimer(DragTimer);
    if (!m_pHost || !(GetAsyncKeyState(VK_LBUTTON) & 0x8000))
        return;
    m_pHost->CellClicked(this, TRUE);
    m_pHost->CellDraggedOut();
}

void CThumbnailWindow::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (!m_pHost)
        return;
    m_pHost->CellOpened(m_pFileInfo);
    m_pHost->CellClicked(this, FALSE);
}

void CThumbnailWindow::OnRButtonDown(UINT nFlags, CPoint point)
{
    ShowContextMenu();
    Default();
}
