// CReBar: bands, layout height and forwarding to the frame.
#include "CReBar.h"
#include <commctrl.h>
#include "CFrameWnd.h"
#include "AfxRes.h"

IMPLEMENT_DYNAMIC(CReBar, CControlBar)

CReBar::CReBar() {}

BOOL CReBar::Create(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID)
{
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_COOL_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    m_dwStyle = dwStyle & (CBRS_ALIGN_ANY | 0x0F00);
    if (!(m_dwStyle & CBRS_ALIGN_ANY))
        m_dwStyle |= CBRS_ALIGN_TOP;
    // The frame places and sizes the rebar; it must not align itself.
    DWORD windowStyle = (dwStyle & (WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN)) | WS_CHILD |
                        dwCtrlStyle | CCS_NODIVIDER | CCS_NOPARENTALIGN | CCS_NORESIZE;
    if (m_dwStyle & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT))
        windowStyle |= CCS_VERT;
    // As wide as the frame from the start, so bands added now share one row.
    CRect client(0, 0, 100, 30);
    if (pParentWnd && pParentWnd->m_hWnd)
        pParentWnd->GetClientRect(&client);
    client.bottom = client.top + 30;
    if (!CWnd::CreateEx(WS_EX_TOOLWINDOW, REBARCLASSNAMEA, NULL, windowStyle, client, pParentWnd, nID))
        return FALSE;
    REBARINFO info = {sizeof(info)};
    SendMessage(RB_SETBARINFO, 0, (LPARAM)&info);
    return TRUE;
}

BOOL CReBar::AddBar(CWnd* pBar, LPCSTR pszText, DWORD dwBandStyle)
{
    if (!m_hWnd || !pBar || !pBar->m_hWnd)
        return FALSE;
    // A tool bar knows the size of its buttons; any other bar is as large as its window.
    CSize size;
    char className[64] = "";
    ::GetClassNameA(pBar->m_hWnd, className, sizeof(className));
    SIZE maxSize = {0, 0};
    if (lstrcmpiA(className, TOOLBARCLASSNAMEA) == 0 && pBar->SendMessage(TB_GETMAXSIZE, 0, (LPARAM)&maxSize))
        size = CSize(maxSize.cx, maxSize.cy);
    else
    {
        CRect rect;
        pBar->GetWindowRect(&rect);
        size = rect.Size();
    }
    if (pBar->IsKindOf(RUNTIME_CLASS(CControlBar)))
    {
        // The band is as tall as the bar needs along a horizontal side, and as
        // wide as the bar itself, even when the frame stretched it meanwhile.
        CSize fixed = ((CControlBar*)pBar)->CalcFixedLayout(FALSE, TRUE);
        if (fixed.cy > 0 && fixed.cy < 32767)
            size.cy = fixed.cy;
        if (fixed.cx > 0 && fixed.cx < 32767)
            size.cx = fixed.cx;
    }
    REBARBANDINFOA band = {};
    band.cbSize = sizeof(band);
    band.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_STYLE | RBBIM_SIZE | RBBIM_IDEALSIZE | RBBIM_ID;
    band.fStyle = dwBandStyle;
    band.hwndChild = pBar->m_hWnd;
    band.cxMinChild = size.cx;
    band.cyMinChild = size.cy;
    band.cx = size.cx + 16;
    band.cxIdeal = size.cx;
    band.wID = ::GetDlgCtrlID(pBar->m_hWnd);
    if (pszText)
    {
        band.fMask |= RBBIM_TEXT;
        band.lpText = (LPSTR)pszText;
    }
    if (!SendMessage(RB_INSERTBANDA, (WPARAM)-1, (LPARAM)&band))
        return FALSE;
    if (CFrameWnd* frame = GetParentFrame())
        frame->RecalcLayout();
    return TRUE;
}

CSize CReBar::CalcFixedLayout(BOOL, BOOL bHorz)
{
    int extent = m_hWnd ? (int)SendMessage(RB_GETBARHEIGHT, 0, 0) : 0;
    if (m_hWnd)
    {
        // The window's borders come on top of the bands.
        CRect window, client;
        GetWindowRect(&window);
        GetClientRect(&client);
        extent += bHorz ? window.Height() - client.Height() : window.Width() - client.Width();
    }
    return bHorz ? CSize(32767, extent) : CSize(extent, 32767);
}

BOOL CReBar::OnCommand(WPARAM wParam, LPARAM lParam)
{
    CFrameWnd* frame = GetParentFrame();
    if (frame)
        frame->SendMessage(WM_COMMAND, wParam, lParam);
    return TRUE;
}

BOOL CReBar::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* header = (NMHDR*)lParam;
    CFrameWnd* frame = GetParentFrame();
    if (header->hwndFrom == m_hWnd)
    {
        if (header->code == RBN_HEIGHTCHANGE && frame)
            frame->RecalcLayout();
        *pResult = 0;
        return TRUE;
    }
    *pResult = frame ? frame->SendMessage(WM_NOTIFY, wParam, lParam) : 0;
    return TRUE;
}
