// CGlintfixView: drawing, the tracker, scrolling keys and the popup menu.
#include "GlintfixView.h"
#include "ColourTransform.h"
#include "DisplayProfile.h"
#include "CCmdUI.h"
#include "CMDIFrameWnd.h"
#include "RgbBuffer.h"
#include "AdjustColorsDialog.h"
#include "GlintfixDoc.h"
#include "AfxMessageBox.h"
#include "GlintfixRules.h"
#include "Tracker.h"
#include "TrackerBar.h"
#include "resource.h"

IMPLEMENT_DYNCREATE(CGlintfixView, CScrollView)

BEGIN_MESSAGE_MAP(CGlintfixView, CScrollView)
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_KEYDOWN()
    ON_WM_CONTEXTMENU()
    ON_WM_DESTROY()
    ON_COMMAND(ID_TRACKER_LEFT, OnTrackerLeft)
    ON_COMMAND(ID_TRACKER_RIGHT, OnTrackerRight)
    ON_COMMAND(ID_TRACKER_UP, OnTrackerUp)
    ON_COMMAND(ID_TRACKER_DOWN, OnTrackerDown)
    ON_COMMAND(ID_TRACKER_BIGGER, OnTrackerBigger)
    ON_COMMAND(ID_TRACKER_SMALLER, OnTrackerSmaller)
    ON_COMMAND(IDC_GLINTFIX, OnGlintfix)
    ON_COMMAND(ID_ADJUST_COLORS, OnAdjustColors)
    ON_COMMAND(ID_RESTORE_COLORS, OnRestoreColors)
    ON_UPDATE_COMMAND_UI(ID_TRACKER_LEFT, OnUpdateTrackerMove)
    ON_UPDATE_COMMAND_UI(ID_TRACKER_RIGHT, OnUpdateTrackerMove)
    ON_UPDATE_COMMAND_UI(ID_TRACKER_UP, OnUpdateTrackerMove)
    ON_UPDATE_COMMAND_UI(ID_TRACKER_DOWN, OnUpdateTrackerMove)
    ON_UPDATE_COMMAND_UI(ID_TRACKER_BIGGER, OnUpdateTrackerBigger)
    ON_UPDATE_COMMAND_UI(ID_TRACKER_SMALLER, OnUpdateTrackerSmaller)
    ON_UPDATE_COMMAND_UI(ID_ADJUST_COLORS, OnUpdateAdjustColors)
    ON_UPDATE_COMMAND_UI(ID_RESTORE_COLORS, OnUpdateRestoreColors)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_PICTURE, OnUpdatePictureIndicator)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_TRACKER, OnUpdateTrackerIndicator)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_MODIFIED, OnUpdateModifiedIndicator)
END_MESSAGE_MAP()

namespace
{
const SIZE kPage = {200, 150};
const SIZE kLine = {20, 15};
const COLORREF kNoPicture = RGB(192, 192, 192);
}

CGlintfixView::CGlintfixView()
    : m_bColorManagement("m_bColorManagement", 1, 0, 1), m_DisplayMonitor(NULL), m_pColorsDialog(NULL)
{
}

CGlintfixView::~CGlintfixView()
{
    CTracker::Remove(this);
    delete m_pColorsDialog;
}

CGlintfixDoc* CGlintfixView::GetDoc() const { return dynamic_cast<CGlintfixDoc*>(GetDocument()); }

int CGlintfixView::TrackerSize()
{
    if (CTrackerBar* bar = CTrackerBar::Instance())
        return bar->m_Size;
    return 8;
}

void CGlintfixView::OnInitialUpdate()
{
    if (!m_pColorsDialog)
        m_pColorsDialog = new CAdjustColorsDialog(GetDoc(), AfxGetMainWnd());
    CScrollView::OnInitialUpdate();
    FitFrameToPicture();
}

void CGlintfixView::FitFrameToPicture()
{
    CGlintfixDoc* doc = GetDoc();
    CFrameWnd* frame = GetParentFrame();
    HWND area = frame ? ::GetParent(frame->m_hWnd) : NULL;
    if (!doc || !doc->HasPicture() || !area || (frame->GetStyle() & (WS_MAXIMIZE | WS_MINIMIZE)))
        return;
    // The frame's edges and caption plus the view's border, around the picture.
    CRect frameRect, viewRect, areaRect;
    frame->GetWindowRect(&frameRect);
    GetWindowRect(&viewRect);
    ::GetClientRect(area, &areaRect);
    CSize picture = doc->GetPictureSize();
    int borderX = 2 * ::GetSystemMetrics(SM_CXBORDER), borderY = 2 * ::GetSystemMetrics(SM_CYBORDER);
    int cx = picture.cx + frameRect.Width() - viewRect.Width() + borderX;
    int cy = picture.cy + frameRect.Height() - viewRect.Height() + borderY;
    // A side cut short by the area needs a scroll bar, which takes room from the other side.
    if (cy > areaRect.Height())
        cx += ::GetSystemMetrics(SM_CXVSCROLL);
    if (cx > areaRect.Width())
        cy += ::GetSystemMetrics(SM_CYHSCROLL);
    cx = cx < areaRect.Width() ? cx : areaRect.Width();
    cy = cy < areaRect.Height() ? cy : areaRect.Height();
    POINT topLeft = {frameRect.left, frameRect.top};
    ::ScreenToClient(area, &topLeft);
    // Moved back inside the area when the larger window would stick out.
    if (topLeft.x + cx > areaRect.right)
        topLeft.x = areaRect.right - cx;
    if (topLeft.y + cy > areaRect.bottom)
        topLeft.y = areaRect.bottom - cy;
    frame->SetWindowPos(NULL, topLeft.x < 0 ? 0 : topLeft.x, topLeft.y < 0 ? 0 : topLeft.y, cx, cy,
                        SWP_NOZORDER | SWP_NOACTIVATE);
    // Borders and scroll bars may differ from the system's figures: grow by
    // what the picture still lacks, while the area has room.
    CRect client;
    GetClientRect(&client);
    int moreX = picture.cx - client.Width(), moreY = picture.cy - client.Height();
    moreX = moreX > 0 && cx + moreX <= areaRect.Width() ? moreX : 0;
    moreY = moreY > 0 && cy + moreY <= areaRect.Height() ? moreY : 0;
    if (moreX || moreY)
        frame->SetWindowPos(NULL, 0, 0, cx + moreX, cy + moreY, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
}

void CGlintfixView::OnUpdate(CView*, LPARAM lHint, CObject*)
{
    // The sliders show the colours the picture was made with: afresh after
    // a save (the file holds the changes), as they were after an undo.
    CGlintfixDoc* doc = GetDoc();
    if (doc && m_pColorsDialog)
        m_pColorsDialog->ShowColors(doc->m_Colors);
    CSize size = doc ? doc->GetPictureSize() : CSize(0, 0);
    SetScrollSizes(MM_TEXT, size, kPage, kLine);
    Invalidate(FALSE);
}

BOOL CGlintfixView::OnEraseBkgnd(CDC*)
{
    return TRUE; // OnDraw covers the whole client
}

void CGlintfixView::OnDraw(CDC* pDC)
{
    CGlintfixDoc* doc = GetDoc();
    CRect client;
    GetClientRect(&client);
    if (!doc || !doc->HasPicture())
    {
        client.OffsetRect(GetScrollPosition());
        pDC->FillSolidRect(client, kNoPicture);
    }
    else
    {
        CSize picture = doc->GetPictureSize();
        CRect area(0, 0, client.Width() > picture.cx ? client.Width() : picture.cx,
                   client.Height() > picture.cy ? client.Height() : picture.cy);
        // The bitmap Draw keeps is made here, in the screen's colours; an
        // edit drops it (DeleteInternalBitmap) and the next paint makes it anew.
        CRgbBuffer* working = doc->m_pWorking;
        // On another monitor, another profile: the bitmap is made anew.
        HMONITOR monitor = CDisplayProfile::MonitorOf(m_hWnd);
        if (m_bColorManagement && monitor != m_DisplayMonitor)
        {
            m_DisplayMonitor = monitor;
            std::string profile = CDisplayProfile::ForWindow(m_hWnd);
            if (profile != m_DisplayProfile)
                working->DeleteInternalBitmap();
            m_DisplayProfile = profile;
        }
        if (m_bColorManagement && !working->m_Bitmap && !working->m_IccProfile.empty())
            working->m_Bitmap = CColourTransform::CreateBitmapIn(*working, m_DisplayProfile);
        working->Draw(pDC, area, NULL);
    }
    if (CTracker* tracker = CTracker::Find(this))
        tracker->Draw(pDC, TrackerSize());
}

void CGlintfixView::OnLButtonDown(UINT nFlags, CPoint point)
{
    CScrollView::OnLButtonDown(nFlags, point);
    CTracker::Place(this, point + GetScrollPosition());
    Invalidate(FALSE);
}

void CGlintfixView::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    // With Ctrl the arrows are the tracker's (accelerators); here they scroll.
    if (::GetKeyState(VK_CONTROL) < 0)
    {
        CScrollView::OnKeyDown(nChar, nRepCnt, nFlags);
        return;
    }
    switch (nChar)
    {
    case VK_PRIOR: SendMessage(WM_VSCROLL, SB_PAGEUP); break;
    case VK_NEXT: SendMessage(WM_VSCROLL, SB_PAGEDOWN); break;
    case VK_END: SendMessage(WM_VSCROLL, SB_BOTTOM); break;
    case VK_HOME:
        SendMessage(WM_HSCROLL, SB_TOP);
        SendMessage(WM_VSCROLL, SB_TOP);
        break;
    case VK_UP: SendMessage(WM_VSCROLL, SB_LINEUP); break;
    case VK_DOWN: SendMessage(WM_VSCROLL, SB_LINEDOWN); break;
    case VK_LEFT: SendMessage(WM_HSCROLL, SB_LINELEFT); break;
    case VK_RIGHT: SendMessage(WM_HSCROLL, SB_LINERIGHT); break;
    default: CScrollView::OnKeyDown(nChar, nRepCnt, nFlags); break;
    }
}

void CGlintfixView::OnContextMenu(CWnd*, CPoint point)
{
    if (point.x == -1 && point.y == -1)
        ::GetCursorPos(&point);
    ShowContextMenu(point);
}

void CGlintfixView::ShowContextMenu(CPoint screenPoint)
{
    CMDIFrameWnd* frame = dynamic_cast<CMDIFrameWnd*>(AfxGetMainWnd());
    HMENU bar = frame ? ::GetMenu(frame->m_hWnd) : NULL;
    if (!bar)
        return;
    // A maximised child puts its system menu in front of the menus.
    BOOL maximized = FALSE;
    frame->MDIGetActive(&maximized);
    int first = maximized ? 1 : 0;
    HMENU file = ::GetSubMenu(bar, first);
    HMENU edit = ::GetSubMenu(bar, first + 1);
    HMENU window = ::GetSubMenu(bar, first + 2);
    HMENU help = ::GetSubMenu(bar, first + 3);
    if (!file || !edit || !window || !help)
        return;
    ::InsertMenuA(file, 0, MF_BYPOSITION | MF_POPUP, (UINT_PTR)edit, "&Edit");
    ::InsertMenuA(file, 1, MF_BYPOSITION | MF_POPUP, (UINT_PTR)window, "&Window");
    ::InsertMenuA(file, 2, MF_BYPOSITION | MF_POPUP, (UINT_PTR)help, "&Help");
    ::InsertMenuA(file, 3, MF_BYPOSITION | MF_SEPARATOR, 0, NULL);
    ::TrackPopupMenu(file, TPM_LEFTALIGN | TPM_RIGHTBUTTON, screenPoint.x, screenPoint.y, 0, frame->m_hWnd, NULL);
    // RemoveMenu, not DeleteMenu: the sub-menus still belong to the menu bar.
    for (int i = 0; i < 4; ++i)
        ::RemoveMenu(file, 0, MF_BYPOSITION);
}

void CGlintfixView::OnDestroy()
{
    CTracker::Remove(this);
    CScrollView::OnDestroy();
}

void CGlintfixView::MoveTracker(int dx, int dy)
{
    CTracker* tracker = CTracker::Find(this);
    if (!tracker)
        return;
    tracker->m_Point.Offset(dx, dy);
    Invalidate(FALSE);
}

void CGlintfixView::OnTrackerLeft() { MoveTracker(-1, 0); }
void CGlintfixView::OnTrackerRight() { MoveTracker(1, 0); }
void CGlintfixView::OnTrackerUp() { MoveTracker(0, -1); }
void CGlintfixView::OnTrackerDown() { MoveTracker(0, 1); }

void CGlintfixView::OnTrackerBigger()
{
    if (CTrackerBar* bar = CTrackerBar::Instance())
        if (GlintfixRules::CanGrow(CTracker::Find(this) != NULL, bar->m_Size))
            bar->SetTrackerSize(bar->m_Size + 1);
}

void CGlintfixView::OnTrackerSmaller()
{
    if (CTrackerBar* bar = CTrackerBar::Instance())
        if (GlintfixRules::CanShrink(CTracker::Find(this) != NULL, bar->m_Size))
            bar->SetTrackerSize(bar->m_Size - 1);
}

void CGlintfixView::OnGlintfix()
{
    CTracker* tracker = CTracker::Find(this);
    CGlintfixDoc* doc = GetDoc();
    if (!tracker || !doc || !doc->HasPicture())
        return;
    CRect client;
    GetClientRect(&client);
    CPoint center;
    // A point left of or above a centred picture is not on it: nothing changes.
    if (!GlintfixRules::MapToPicture(tracker->m_Point, client.Size(), doc->GetPictureSize(), center))
        return;
    doc->RemoveRedEye(center, TrackerSize());
}

void CGlintfixView::OnAdjustColors()
{
    CGlintfixDoc* doc = GetDoc();
    if (!m_pColorsDialog || !doc || doc->m_bRedEyeFixed || !doc->HasPicture())
        return;
    m_pColorsDialog->DoModal();
}

void CGlintfixView::OnRestoreColors()
{
    CGlintfixDoc* doc = GetDoc();
    if (!doc || !doc->IsModified())
        return;
    if (AfxMessageBox("All the changes you did on image will be lost. Continue?",
                          MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
        return;
    if (m_pColorsDialog)
        m_pColorsDialog->ResetValues();
    doc->RestoreWorking();
}

void CGlintfixView::OnUpdateTrackerMove(CCmdUI* pCmdUI) { pCmdUI->Enable(CTracker::Find(this) != NULL); }

void CGlintfixView::OnUpdateTrackerBigger(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(GlintfixRules::CanGrow(CTracker::Find(this) != NULL, TrackerSize()));
}

void CGlintfixView::OnUpdateTrackerSmaller(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(GlintfixRules::CanShrink(CTracker::Find(this) != NULL, TrackerSize()));
}

void CGlintfixView::OnUpdateAdjustColors(CCmdUI* pCmdUI)
{
    CGlintfixDoc* doc = GetDoc();
    pCmdUI->Enable(doc && doc->HasPicture() && !doc->m_bRedEyeFixed);
}

void CGlintfixView::OnUpdateRestoreColors(CCmdUI* pCmdUI)
{
    CGlintfixDoc* doc = GetDoc();
    pCmdUI->Enable(doc && doc->IsModified());
}

void CGlintfixView::OnUpdatePictureIndicator(CCmdUI* pCmdUI)
{
    CGlintfixDoc* doc = GetDoc();
    CString text;
    if (doc && doc->HasPicture())
        text.Format("%d x %d", doc->GetPictureSize().cx, doc->GetPictureSize().cy);
    pCmdUI->Enable(TRUE);
    pCmdUI->SetText(text);
}

void CGlintfixView::OnUpdateTrackerIndicator(CCmdUI* pCmdUI)
{
    CString text;
    CGlintfixDoc* doc = GetDoc();
    CTracker* tracker = CTracker::Find(this);
    if (tracker && doc && doc->HasPicture())
    {
        CRect client;
        GetClientRect(&client);
        CPoint center;
        if (GlintfixRules::MapToPicture(tracker->m_Point, client.Size(), doc->GetPictureSize(), center))
            text.Format("Tracker %d, %d", center.x, center.y);
    }
    pCmdUI->Enable(TRUE);
    pCmdUI->SetText(text);
}

void CGlintfixView::OnUpdateModifiedIndicator(CCmdUI* pCmdUI)
{
    CGlintfixDoc* doc = GetDoc();
    pCmdUI->Enable(TRUE);
    pCmdUI->SetText(doc && doc->IsModified() ? "Modified" : "");
}
