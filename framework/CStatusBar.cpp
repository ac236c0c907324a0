// CStatusBar: panes, their widths and texts, and idle updates.
#include "CStatusBar.h"
#include "CCmdUI.h"
#include "CFrameWnd.h"

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
    ON_WM_SIZE()
END_MESSAGE_MAP()

namespace
{
class CStatusCmdUI : public CCmdUI
{
public:
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        CStatusBar* bar = (CStatusBar*)m_pOther;
        UINT id, style;
        int width;
        bar->GetPaneInfo(m_nIndex, id, style, width);
        UINT newStyle = bOn ? (style & ~SBPS_DISABLED) : (style | SBPS_DISABLED);
        if (newStyle != style)
        {
            bar->SetPaneInfo(m_nIndex, id, newStyle, width);
            CString text;
            if (bOn)
                text.LoadString(id);
            bar->SetPaneText(m_nIndex, text);
        }
    }
    void SetCheck(int nCheck) override
    {
        CStatusBar* bar = (CStatusBar*)m_pOther;
        UINT id, style;
        int width;
        bar->GetPaneInfo(m_nIndex, id, style, width);
        bar->SetPaneInfo(m_nIndex, id, nCheck ? (style | SBPS_POPOUT) : (style & ~SBPS_POPOUT), width);
    }
    void SetText(LPCSTR text) override { ((CStatusBar*)m_pOther)->SetPaneText(m_nIndex, text); }
};
}

CStatusBar::CStatusBar() : m_pPanes(NULL), m_nCount(0), m_nHeight(20) {}

CStatusBar::~CStatusBar() { delete[] m_pPanes; }

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    m_dwStyle = dwStyle & (CBRS_ALIGN_ANY | 0x0F00);
    if (!(m_dwStyle & CBRS_ALIGN_ANY))
        m_dwStyle |= CBRS_ALIGN_BOTTOM;
    DWORD windowStyle = (dwStyle & (WS_VISIBLE | WS_DISABLED)) | WS_CHILD | CCS_NOPARENTALIGN | CCS_NORESIZE |
                        CCS_NODIVIDER;
    if (pParentWnd && (pParentWnd->GetStyle() & WS_THICKFRAME))
        windowStyle |= SBARS_SIZEGRIP;
    if (!CWnd::CreateEx(0, STATUSCLASSNAMEA, NULL, windowStyle, CRect(0, 0, 100, 20), pParentWnd, nID))
        return FALSE;
    // The bar's height follows its font.
    HDC hdc = ::GetDC(m_hWnd);
    HFONT font = (HFONT)SendMessage(WM_GETFONT, 0, 0);
    HGDIOBJ old = ::SelectObject(hdc, font ? (HGDIOBJ)font : ::GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICA tm;
    ::GetTextMetricsA(hdc, &tm);
    ::SelectObject(hdc, old);
    ::ReleaseDC(m_hWnd, hdc);
    m_nHeight = tm.tmHeight + 8 > 20 ? tm.tmHeight + 8 : 20;
    return TRUE;
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
    if (nIDCount < 0 || nIDCount > 255)
        return FALSE;
    delete[] m_pPanes;
    m_pPanes = nIDCount ? new Pane[nIDCount] : NULL;
    m_nCount = nIDCount;
    HDC hdc = ::GetDC(m_hWnd);
    HGDIOBJ old = ::SelectObject(hdc, (HGDIOBJ)SendMessage(WM_GETFONT, 0, 0));
    BOOL ok = TRUE;
    for (int i = 0; i < nIDCount; ++i)
    {
        Pane& pane = m_pPanes[i];
        pane.nID = lpIDArray ? lpIDArray[i] : 0;
        pane.nStyle = i == 0 ? SBPS_STRETCH | SBPS_NOBORDERS : SBPS_NORMAL;
        pane.cxText = 0;
        if (pane.nID != ID_SEPARATOR)
        {
            CString text;
            if (text.LoadString(pane.nID))
            {
                SIZE size = {0, 0};
                ::GetTextExtentPoint32A(hdc, text, text.GetLength(), &size);
                pane.cxText = size.cx;
            }
            else
                ok = FALSE;
        }
    }
    ::SelectObject(hdc, old);
    ::ReleaseDC(m_hWnd, hdc);
    UpdateParts();
    for (int i = 0; i < nIDCount; ++i)
    {
        CString text;
        if (m_pPanes[i].nID != ID_SEPARATOR)
            text.LoadString(m_pPanes[i].nID);
        SetPaneText(i, text, FALSE);
    }
    return ok;
}

void CStatusBar::UpdateParts()
{
    if (!m_hWnd || m_nCount == 0)
        return;
    CRect client;
    GetClientRect(&client);
    int fixed = 0;
    int stretch = -1;
    for (int i = 0; i < m_nCount; ++i)
    {
        if ((m_pPanes[i].nStyle & SBPS_STRETCH) && stretch < 0)
            stretch = i;
        else
            fixed += m_pPanes[i].cxText + 8;
    }
    int grip = (GetStyle() & SBARS_SIZEGRIP) ? ::GetSystemMetrics(SM_CXVSCROLL) : 0;
    int* edges = new int[m_nCount];
    int x = 0;
    for (int i = 0; i < m_nCount; ++i)
    {
        int width = i == stretch ? client.Width() - grip - fixed : m_pPanes[i].cxText + 8;
        x += width > 0 ? width : 0;
        edges[i] = x;
    }
    edges[m_nCount - 1] = -1; // the last pane runs to the end
    SendMessage(SB_SETPARTS, m_nCount, (LPARAM)edges);
    delete[] edges;
}

void CStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth)
{
    if (nIndex < 0 || nIndex >= m_nCount)
        return;
    m_pPanes[nIndex].nID = nID;
    m_pPanes[nIndex].nStyle = nStyle;
    m_pPanes[nIndex].cxText = cxWidth;
    UpdateParts();
}

void CStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const
{
    if (nIndex < 0 || nIndex >= m_nCount)
    {
        nID = nStyle = 0;
        cxWidth = 0;
        return;
    }
    nID = m_pPanes[nIndex].nID;
    nStyle = m_pPanes[nIndex].nStyle;
    cxWidth = m_pPanes[nIndex].cxText;
}

BOOL CStatusBar::SetPaneText(int nIndex, LPCSTR lpszNewText, BOOL)
{
    if (nIndex < 0 || nIndex >= (m_nCount ? m_nCount : 1))
        return FALSE;
    UINT type = 0;
    if (nIndex < m_nCount)
        type = (m_pPanes[nIndex].nStyle & SBPS_NOBORDERS) ? SBT_NOBORDERS
               : (m_pPanes[nIndex].nStyle & SBPS_POPOUT)  ? SBT_POPOUT
                                                           : 0;
    return (BOOL)SendMessage(SB_SETTEXTA, nIndex | type, (LPARAM)(lpszNewText ? lpszNewText : ""));
}

CString CStatusBar::GetPaneText(int nIndex) const
{
    CString text;
    int length = LOWORD(SendMessage(SB_GETTEXTLENGTHA, nIndex, 0));
    SendMessage(SB_GETTEXTA, nIndex, (LPARAM)text.GetBuffer(length));
    text.ReleaseBuffer();
    return text;
}

void CStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const { SendMessage(SB_GETRECT, nIndex, (LPARAM)lpRect); }

int CStatusBar::CommandToIndex(UINT nIDFind) const
{
    for (int i = 0; i < m_nCount; ++i)
        if (m_pPanes[i].nID == nIDFind)
            return i;
    return -1;
}

UINT CStatusBar::GetItemID(int nIndex) const
{
    return nIndex >= 0 && nIndex < m_nCount ? m_pPanes[nIndex].nID : 0;
}

CSize CStatusBar::CalcFixedLayout(BOOL, BOOL bHorz)
{
    return bHorz ? CSize(32767, m_nHeight) : CSize(m_nHeight, 32767);
}

void CStatusBar::OnSize(UINT nType, int cx, int cy)
{
    CControlBar::OnSize(nType, cx, cy);
    UpdateParts();
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CStatusCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = (UINT)m_nCount;
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++)
    {
        state.m_nID = m_pPanes[state.m_nIndex].nID;
        if (state.m_nID == ID_SEPARATOR)
            continue;
        // Indicators without a handler keep their text.
        state.DoUpdate(pTarget, FALSE);
    }
}
