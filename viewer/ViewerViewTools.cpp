// CViewerView's window tools: panning a large picture, the magnifier, full
// screen, the context menu with the shell's commands for the current file,
// and starting the browser and the red-eye editor.
#include "ViewerView.h"
#include <shellapi.h>
#include <shlobj.h>
#include "CPaintDC.h"
#include "CFrameWnd.h"
#include "CControlBar.h"
#include "RgbBuffer.h"
#include "BaseFrameWindow.h"
#include "FileInfo.h"
#include "FileInfoList.h"
#include "resource.h"

// ---- Panning ---------------------------------------------------------------

void CViewerView::OnLButtonDown(UINT nFlags, CPoint point)
{
    CSize client = ClientSize();
    CSize total = GetTotalSize();
    if (client.cx < total.cx || client.cy < total.cy)
    {
        SetCapture();
        CRect clip(0, 0, client.cx, client.cy);
        ClientToScreen(&clip);
        ClipCursor(&clip);
        SetCursor(LoadCursor(NULL, IDC_SIZEALL));
        m_DragPoint = point;
    }
    CScrollView::OnLButtonDown(nFlags, point);
}

void CViewerView::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_DragPoint.x != -1 || m_DragPoint.y != -1)
    {
        ReleaseCapture();
        ClipCursor(NULL);
        SetCursor(LoadCursor(NULL, IDC_ARROW));
        m_DragPoint = CPoint(-1, -1);
    }
    CScrollView::OnLButtonUp(nFlags, point);
}

void CViewerView::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_DragPoint.x != -1 || m_DragPoint.y != -1)
    {
        CPoint position = GetScrollPosition();
        position.x += m_DragPoint.x - point.x;
        position.y += m_DragPoint.y - point.y;
        if (position.x < 0)
            position.x = 0;
        if (position.y < 0)
            position.y = 0;
        ScrollToPosition(position);
        m_DragPoint = point;
        SetTimer(ViewerRules::TitleTimer, 10);
    }
    else if (m_MagnifierPower >= 2 && !m_bSlideShow && m_pDisplay && m_pDisplay->IsImage())
    {
        if (HCURSOR cursor = AfxGetApp()->LoadCursor(IDC_MAGNIFIER))
            SetCursor(cursor);
        SetTimer(ViewerRules::MagnifierTimer, 1);
    }
    CScrollView::OnMouseMove(nFlags, point);
}

// ---- Magnifier ---------------------------------------------------------------

CRgbBuffer* CViewerView::CreateMagnifiedPiece(CPoint client) const
{
    if (!m_pDisplay || !m_pDisplay->IsImage())
        return NULL;
    int size = m_MagnifierSize;
    CSize piece = ViewerRules::MagnifierPiece(size, m_MagnifierPower);
    if (piece.cx < 1 || piece.cy < 1)
        return NULL;
    CPoint centre = ViewerRules::ClientToPicture(client, GetScrollPosition(), ClientSize(), m_pDisplay->GetImageSize());
    int left = centre.x - piece.cx / 2;
    int top = centre.y - piece.cy / 2;

    CRgbBuffer sample(piece.cx, piece.cy); // black where the piece leaves the picture
    if (!sample.IsImage())
        return NULL;
    int width = m_pDisplay->GetWidth();
    int height = m_pDisplay->GetHeight();
    for (int y = 0; y < piece.cy; ++y)
    {
        int sy = top + y;
        if (sy < 0 || sy >= height)
            continue;
        int x0 = left < 0 ? -left : 0;
        int x1 = left + piece.cx > width ? width - left : piece.cx;
        if (x1 <= x0)
            continue;
        memcpy(sample.m_Buffer + 3 * (y * piece.cx + x0), m_pDisplay->m_Buffer + 3 * (sy * width + left + x0),
               3 * (x1 - x0));
    }
    sample.m_GrayScale = 0;
    CRgbBuffer* enlarged = sample.CreateRectFitRGB(CRect(0, 0, size, (size * 3) / 4));
    if (enlarged)
        enlarged->m_BackgroundColor = RGB(0, 0, 0);
    return enlarged;
}

void CViewerView::DrawMagnifier()
{
    if (m_MagnifierPower < 2 || m_bSlideShow)
        return;
    CPoint cursor;
    GetCursorPos(&cursor);
    ScreenToClient(&cursor);
    CRgbBuffer* piece = CreateMagnifiedPiece(cursor);
    if (!piece)
        return;
    // Remove the previous magnifier before drawing the new one.
    if (!m_MagnifierRect.IsRectEmpty())
    {
        InvalidateRect(&m_MagnifierRect, FALSE);
        UpdateWindow();
    }
    delete m_pMagnified;
    m_pMagnified = piece;
    m_MagnifierRect = ViewerRules::MagnifierRect(cursor, m_MagnifierSize);
    CClientDC dc(this);
    m_pMagnified->Draw(&dc, m_MagnifierRect, NULL);
    dc.Draw3dRect(&m_MagnifierRect, RGB(255, 255, 255), RGB(64, 64, 64));
}

// ---- Full screen -------------------------------------------------------------

void CViewerView::OnFullScreen()
{
    if (!IsCommandEnabled(ID_FULL_SCREEN))
        return;
    if (m_bFullScreen)
        LeaveFullScreen();
    else
        EnterFullScreen();
}

void CViewerView::EnterFullScreen()
{
    CFrameWnd* frame = GetParentFrame();
    if (m_bFullScreen || !frame)
        return;
    m_SavedStyle = frame->GetStyle();
    m_SavedExStyle = frame->GetExStyle();
    if (frame->IsZoomed())
        frame->ShowWindow(SW_RESTORE);
    SetWindowLongA(frame->m_hWnd, GWL_STYLE, WS_VISIBLE);
    SetWindowLongA(frame->m_hWnd, GWL_EXSTYLE, 0);
    if (CControlBar* bar = frame->GetControlBar(AFX_IDW_TOOLBAR))
        frame->ShowControlBar(bar, FALSE, FALSE);
    m_SavedMenu = ::GetMenu(frame->m_hWnd);
    ::SetMenu(frame->m_hWnd, NULL);
    int edgeX = GetSystemMetrics(SM_CXEDGE);
    int edgeY = GetSystemMetrics(SM_CYEDGE);
    frame->SetWindowPos(NULL, -edgeX, -edgeY, GetSystemMetrics(SM_CXSCREEN) + 2 * edgeX,
                        GetSystemMetrics(SM_CYSCREEN) + 2 * edgeY, SWP_NOZORDER | SWP_FRAMECHANGED);
    m_bFullScreen = true;
    SetFocus();
}

void CViewerView::LeaveFullScreen()
{
    CFrameWnd* frame = GetParentFrame();
    if (!m_bFullScreen || !frame)
        return;
    m_bFullScreen = false;
    SetWindowLongA(frame->m_hWnd, GWL_STYLE, m_SavedStyle);
    SetWindowLongA(frame->m_hWnd, GWL_EXSTYLE, m_SavedExStyle);
    frame->SetWindowPos(NULL, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                        SWP_NOZORDER | SWP_FRAMECHANGED);
    ::SetMenu(frame->m_hWnd, m_SavedMenu);
    m_SavedMenu = NULL;
    if (CControlBar* bar = frame->GetControlBar(AFX_IDW_TOOLBAR))
        frame->ShowControlBar(bar, TRUE, FALSE);
    frame->ShowWindow(SW_MAXIMIZE);
    SetFocus();
}

void CViewerView::OnExit()
{
    if (m_bFullScreen)
        LeaveFullScreen();
    if (CWnd* frame = GetParentFrame())
        frame->PostMessage(WM_CLOSE);
}

// ---- Context menu --------------------------------------------------------------

void CViewerView::BuildContextMenu(CMenu& popup) const
{
    CMenu bar;
    if (!bar.LoadMenu(IDR_MAINFRAME))
        return;
    // The bar's pop-ups by title; each is taken out of the bar and handed
    // to the context menu, which then owns (and destroys) it.
    const char* const subMenus[] = {"&File", "&View", "&Magnifier", "&Help"};
    HMENU slideshow = NULL;
    HMENU taken[4] = {NULL, NULL, NULL, NULL};
    for (int i = (int)bar.GetMenuItemCount() - 1; i >= 0; --i)
    {
        CString title;
        bar.GetMenuString(i, title, MF_BYPOSITION);
        HMENU sub = ::GetSubMenu(bar.m_hMenu, i);
        if (!sub)
            continue;
        if (title == "&Slideshow")
            slideshow = sub;
        for (int k = 0; k < 4; ++k)
            if (title == subMenus[k])
                taken[k] = sub;
        if (sub == slideshow || title == "&File" || title == "&View" || title == "&Magnifier" || title == "&Help")
            bar.RemoveMenu(i, MF_BYPOSITION);
    }
    if (slideshow)
    {
        // The slide show's items come first, at the top level.
        int count = GetMenuItemCount(slideshow);
        for (int i = 0; i < count; ++i)
        {
            char text[256] = "";
            MENUITEMINFOA info = {sizeof(info)};
            info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STRING | MIIM_SUBMENU;
            info.dwTypeData = text;
            info.cch = sizeof(text);
            if (!GetMenuItemInfoA(slideshow, i, TRUE, &info))
                continue;
            if (info.fType & MFT_SEPARATOR)
                popup.AppendMenu(MF_SEPARATOR);
            else if (!info.hSubMenu)
                popup.AppendMenu(MF_STRING, info.wID, text);
        }
        DestroyMenu(slideshow);
        popup.AppendMenu(MF_SEPARATOR);
    }
    for (int k = 0; k < 4; ++k)
        if (taken[k])
            popup.AppendMenu(MF_POPUP, (UINT_PTR)taken[k], subMenus[k]);
}

void CViewerView::OnRButtonDown(UINT nFlags, CPoint point)
{
    CMenu popup;
    if (!popup.CreatePopupMenu())
        return;
    BuildContextMenu(popup);
    CFrameWnd* frame = GetParentFrame();

    IMalloc* allocator = NULL;
    IShellFolder* folder = NULL;
    LPITEMIDLIST item = NULL;
    CMenu shellPopup;
    bool shellPart = false;
    CString current = GetCurrentFileName();
    if (!current.IsEmpty() && CBaseFrameWindow::GetShellVarsForFile(current, &allocator, &folder, &item))
    {
        if (m_ShellMenu.Create(folder, item) && shellPopup.CreatePopupMenu() &&
            m_ShellMenu.FillMenu(&shellPopup, 0, ID_SHELL_FIRST, ID_SHELL_LAST, 0x24))
        {
            m_ShellMenu.SetOwner(frame);
            popup.InsertMenu(0, MF_BYPOSITION | MF_POPUP, (UINT_PTR)shellPopup.m_hMenu, "Windows explorer menu");
            popup.InsertMenu(1, MF_BYPOSITION | MF_SEPARATOR);
            shellPart = true;
        }
    }

    CPoint screen = point;
    ClientToScreen(&screen);
    popup.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, frame);

    if (shellPart)
    {
        m_ShellMenu.SetOwner(NULL);
        popup.RemoveMenu(1, MF_BYPOSITION);
        popup.RemoveMenu(0, MF_BYPOSITION); // shellPopup destroys its own menu
    }
    if (allocator)
    {
        if (item)
            allocator->Free(item);
        if (folder)
            folder->Release();
        allocator->Release();
    }
    CScrollView::OnRButtonDown(nFlags, point);
}

void CViewerView::OnShellCommand(UINT nID)
{
    m_ShellMenu.InvokeCommand(nID);
    ReopenAfterShellCommand();
}

void CViewerView::ReopenAfterShellCommand()
{
    CString current = GetCurrentFileName();
    if (current.IsEmpty())
        return;
    if (CFileInfo::FileExist(current))
        OpenFile(current);
    else
        Step(true); // the command removed or moved the file
}

// ---- The other programs ----------------------------------------------------------

void CViewerView::StartProgram(const char* name, bool needsFile)
{
    CString current = GetCurrentFileName();
    if (needsFile && current.IsEmpty())
        return;
    CString program = ViewerRules::ProgramBesideThisOne(name);
    CString parameter = ViewerRules::QuotedParameter(current);
    // A missing program fails without a word.
    ShellExecuteA(NULL, "open", program, parameter.IsEmpty() ? NULL : (LPCSTR)parameter, NULL, SW_SHOWNORMAL);
}

void CViewerView::OnBrowser()
{
    if (IsCommandEnabled(ID_BROWSER))
        StartProgram("Pixmere", false);
}

void CViewerView::OnGlintfix()
{
    if (IsCommandEnabled(ID_GLINTFIX))
        StartProgram("Glintfix", true);
}
