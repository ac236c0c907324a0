// CZToolCaptionDialog: paints the caption bar and folds its tool window.
#include "ZToolCaptionDialog.h"
#include "LeftView.h"
#include "BitmapFactory.h"
#include "CDC.h"
#include "CPaintDC.h"

BEGIN_MESSAGE_MAP(CZToolCaptionDialog, CDialog)
    ON_WM_PAINT()
    ON_WM_SIZE()
    ON_WM_TIMER()
    ON_WM_LBUTTONDBLCLK()
    ON_BN_CLICKED(IDC_CAPTION_BUTTON, OnButton)
END_MESSAGE_MAP()

CZToolCaptionDialog::CZToolCaptionDialog(CWnd* pToolWindow, CLeftView* pLeftView, const char* caption)
    : m_hCaptionBitmap(NULL), m_bImagesOpen(-1), m_pToolWindow(pToolWindow), m_pLeftView(pLeftView),
      m_strCaption(caption)
{
}

CZToolCaptionDialog::~CZToolCaptionDialog()
{
    DropCaptionBitmap();
}

BOOL CZToolCaptionDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_Button.SubclassDlgItem(IDC_CAPTION_BUTTON, this);
    UpdateButtonImages();
    CRect rc;
    GetClientRect(&rc);
    rc.DeflateRect(8, 8);
    rc.OffsetRect(4, 1);
    m_Button.MoveWindow(rc.left, rc.top, 16, 14);
    // The bitmaps again once the bar has its place (the first set can be
    // drawn before the button has its final size).
    SetTimer(ButtonTimer, 100);
    return TRUE;
}

void CZToolCaptionDialog::UpdateButtonImages()
{
    if (!m_Button.GetSafeHwnd())
        return;
    BOOL open = m_pToolWindow && m_pToolWindow->IsWindowVisible();
    if (open)
        m_Button.LoadBitmaps(IDB_CAPTION_OPEN, IDB_CAPTION_OPEN_DOWN);
    else
        m_Button.LoadBitmaps(IDB_CAPTION_CLOSED, IDB_CAPTION_CLOSED_DOWN);
    m_bImagesOpen = open;
    m_Button.Invalidate();
}

void CZToolCaptionDialog::ToggleToolWindow()
{
    if (!m_pToolWindow)
        return;
    m_pToolWindow->ShowWindow(m_pToolWindow->IsWindowVisible() ? SW_HIDE : SW_SHOW);
    if (m_pLeftView)
        m_pLeftView->LayoutToolWindows();
    UpdateButtonImages();
}

void CZToolCaptionDialog::DropCaptionBitmap()
{
    if (m_hCaptionBitmap)
        ::DeleteObject(m_hCaptionBitmap);
    m_hCaptionBitmap = NULL;
}

void CZToolCaptionDialog::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    if (!m_hCaptionBitmap)
    {
        CRect bar = rc;
        bar.DeflateRect(6, 3);
        if (bar.Width() > 0 && bar.Height() > 0)
            m_hCaptionBitmap = CBitmapFactory::CreateCaptionBitmap(m_strCaption, bar, RGB(0, 0, 0), RGB(128, 128, 128));
    }
    if (m_hCaptionBitmap)
    {
        BITMAP info;
        ::GetObjectA(m_hCaptionBitmap, sizeof(info), &info);
        HDC memory = ::CreateCompatibleDC(dc.GetSafeHdc());
        HGDIOBJ old = ::SelectObject(memory, m_hCaptionBitmap);
        ::BitBlt(dc.GetSafeHdc(), 6, 6, info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
        ::SelectObject(memory, old);
        ::DeleteDC(memory);
    }
    if (m_Button.GetSafeHwnd())
        m_Button.RedrawWindow();
}

void CZToolCaptionDialog::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    DropCaptionBitmap();
    Invalidate();
}

void CZToolCaptionDialog::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == ButtonTimer)
    {
        KillTimer(ButtonTimer);
        UpdateButtonImages();
        return;
    }
    CDialog::OnTimer(nIDEvent);
}

void CZToolCaptionDialog::OnLButtonDblClk(UINT, CPoint)
{
    ToggleToolWindow();
}

void CZToolCaptionDialog::OnButton()
{
    ToggleToolWindow();
}
