// CSplitterWnd: pane creation, layout and dragging of the bars.
#include "CSplitterWnd.h"
#include "CFrameWnd.h"
#include "CView.h"
#include "CCreateContext.h"
#include "CPaintDC.h"
#include "AfxCursors.h"

IMPLEMENT_DYNAMIC(CSplitterWnd, CWnd)

BEGIN_MESSAGE_MAP(CSplitterWnd, CWnd)
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_SETCURSOR()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_CAPTURECHANGED()
END_MESSAGE_MAP()

CSplitterWnd::CSplitterWnd()
    : m_cxSplitter(6), m_cySplitter(6), m_nRows(0), m_nCols(0), m_pColInfo(NULL), m_pRowInfo(NULL), m_trackCol(-1),
      m_trackRow(-1), m_trackStartSize(0)
{
}

CSplitterWnd::~CSplitterWnd()
{
    delete[] m_pColInfo;
    delete[] m_pRowInfo;
}

BOOL CSplitterWnd::CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle, UINT nID)
{
    if (nRows < 1 || nCols < 1 || nRows > 16 || nCols > 16 || m_hWnd)
        return FALSE;
    m_nRows = nRows;
    m_nCols = nCols;
    delete[] m_pColInfo;
    delete[] m_pRowInfo;
    m_pColInfo = new Info[nCols];
    m_pRowInfo = new Info[nRows];
    for (int i = 0; i < nCols; ++i)
        m_pColInfo[i] = {0, 10, 0};
    for (int i = 0; i < nRows; ++i)
        m_pRowInfo[i] = {0, 10, 0};
    LPCSTR cls = AfxRegisterWndClass(CS_DBLCLKS, NULL, (HBRUSH)(COLOR_BTNFACE + 1));
    CRect rect;
    if (pParentWnd)
        pParentWnd->GetClientRect(&rect);
    return CWnd::CreateEx(0, cls, NULL, dwStyle | WS_CHILD | WS_CLIPCHILDREN, rect, pParentWnd, nID);
}

BOOL CSplitterWnd::CreateView(int row, int col, CRuntimeClass* pViewClass, SIZE sizeInit, CCreateContext* pContext)
{
    if (row < 0 || col < 0 || row >= m_nRows || col >= m_nCols || !pViewClass || GetPane(row, col))
        return FALSE;
    m_pColInfo[col].nIdealSize = sizeInit.cx;
    m_pRowInfo[row].nIdealSize = sizeInit.cy;
    CObject* object = pViewClass->CreateObject();
    if (!object)
        return FALSE;
    if (!object->IsKindOf(RUNTIME_CLASS(CWnd)))
    {
        delete object;
        return FALSE;
    }
    CWnd* pWnd = (CWnd*)object;
    CCreateContext context;
    if (pContext)
        context = *pContext;
    context.m_pNewViewClass = pViewClass;
    if (!pWnd->Create(NULL, NULL, AFX_WS_DEFAULT_VIEW, CRect(0, 0, sizeInit.cx, sizeInit.cy), this,
                      IdFromRowCol(row, col), &context))
        return FALSE; // the view deleted itself
    RecalcLayout();
    return TRUE;
}

CWnd* CSplitterWnd::GetPane(int row, int col) const
{
    if (!m_hWnd || row < 0 || col < 0 || row >= m_nRows || col >= m_nCols)
        return NULL;
    return FromHandlePermanent(::GetDlgItem(m_hWnd, IdFromRowCol(row, col)));
}

void CSplitterWnd::SetColumnInfo(int col, int cxIdeal, int cxMin)
{
    if (col < 0 || col >= m_nCols)
        return;
    m_pColInfo[col].nIdealSize = cxIdeal;
    m_pColInfo[col].nMinSize = cxMin;
}

void CSplitterWnd::GetColumnInfo(int col, int& cxCur, int& cxMin) const
{
    cxCur = cxMin = 0;
    if (col < 0 || col >= m_nCols)
        return;
    cxCur = m_pColInfo[col].nCurSize;
    cxMin = m_pColInfo[col].nMinSize;
}

void CSplitterWnd::SetRowInfo(int row, int cyIdeal, int cyMin)
{
    if (row < 0 || row >= m_nRows)
        return;
    m_pRowInfo[row].nIdealSize = cyIdeal;
    m_pRowInfo[row].nMinSize = cyMin;
}

void CSplitterWnd::GetRowInfo(int row, int& cyCur, int& cyMin) const
{
    cyCur = cyMin = 0;
    if (row < 0 || row >= m_nRows)
        return;
    cyCur = m_pRowInfo[row].nCurSize;
    cyMin = m_pRowInfo[row].nMinSize;
}

namespace
{
// Splits total among count parts: all but the last at their ideal size
// (cut so the rest fits), the last takes what is left.
void Distribute(int total, int bar, int count, void* infoArray)
{
    struct Info
    {
        int nIdealSize, nMinSize, nCurSize;
    };
    Info* info = (Info*)infoArray;
    int left = total - bar * (count - 1);
    for (int i = 0; i < count; ++i)
    {
        int size = i == count - 1 ? left : info[i].nIdealSize;
        if (size > left)
            size = left;
        if (size < 0)
            size = 0;
        info[i].nCurSize = size;
        left -= size;
    }
}
}

void CSplitterWnd::RecalcLayout()
{
    if (!m_hWnd || !m_nRows || !m_nCols)
        return;
    CRect client;
    GetClientRect(&client);
    Distribute(client.Width(), m_cxSplitter, m_nCols, m_pColInfo);
    Distribute(client.Height(), m_cySplitter, m_nRows, m_pRowInfo);
    int y = 0;
    for (int row = 0; row < m_nRows; ++row)
    {
        int x = 0;
        for (int col = 0; col < m_nCols; ++col)
        {
            if (CWnd* pane = GetPane(row, col))
                ::MoveWindow(pane->m_hWnd, x, y, m_pColInfo[col].nCurSize, m_pRowInfo[row].nCurSize, TRUE);
            x += m_pColInfo[col].nCurSize + m_cxSplitter;
        }
        y += m_pRowInfo[row].nCurSize + m_cySplitter;
    }
    Invalidate(TRUE);
}

void CSplitterWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    RecalcLayout();
}

void CSplitterWnd::OnPaint()
{
    CPaintDC dc(this); // the background brush paints the bars
}

BOOL CSplitterWnd::HitBar(CPoint point, int& col, int& row) const
{
    col = row = -1;
    int x = 0;
    for (int i = 0; i + 1 < m_nCols; ++i)
    {
        x += m_pColInfo[i].nCurSize;
        if (point.x >= x && point.x < x + m_cxSplitter)
        {
            col = i;
            return TRUE;
        }
        x += m_cxSplitter;
    }
    int y = 0;
    for (int i = 0; i + 1 < m_nRows; ++i)
    {
        y += m_pRowInfo[i].nCurSize;
        if (point.y >= y && point.y < y + m_cySplitter)
        {
            row = i;
            return TRUE;
        }
        y += m_cySplitter;
    }
    return FALSE;
}

BOOL CSplitterWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    int col, row;
    if (nHitTest == HTCLIENT && pWnd == this && HitBar(point, col, row))
    {
        ::SetCursor(AfxLoadFrameworkCursor(col >= 0 ? AFX_IDC_HSPLITBAR : AFX_IDC_VSPLITBAR));
        return TRUE;
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

void CSplitterWnd::OnLButtonDown(UINT, CPoint point)
{
    int col, row;
    if (!HitBar(point, col, row))
        return;
    m_trackCol = col;
    m_trackRow = row;
    m_trackStart = point;
    m_trackStartSize = col >= 0 ? m_pColInfo[col].nCurSize : m_pRowInfo[row].nCurSize;
    SetCapture();
}

void CSplitterWnd::OnMouseMove(UINT, CPoint point)
{
    if (::GetCapture() != m_hWnd || (m_trackCol < 0 && m_trackRow < 0))
        return;
    Info& info = m_trackCol >= 0 ? m_pColInfo[m_trackCol] : m_pRowInfo[m_trackRow];
    int delta = m_trackCol >= 0 ? point.x - m_trackStart.x : point.y - m_trackStart.y;
    int size = m_trackStartSize + delta;
    info.nIdealSize = size < info.nMinSize ? info.nMinSize : size;
    RecalcLayout();
}

void CSplitterWnd::OnLButtonUp(UINT, CPoint)
{
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    m_trackCol = m_trackRow = -1;
}

void CSplitterWnd::OnCaptureChanged(CWnd*)
{
    m_trackCol = m_trackRow = -1;
}

void CSplitterWnd::SetActivePane(int row, int col, CWnd* pWnd)
{
    CWnd* pane = pWnd ? pWnd : GetPane(row, col);
    if (!pane)
        return;
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame && pane->IsKindOf(RUNTIME_CLASS(CView)))
        pFrame->SetActiveView((CView*)pane);
    else
        pane->SetFocus();
}

CWnd* CSplitterWnd::GetActivePane(int* pRow, int* pCol)
{
    CFrameWnd* pFrame = GetParentFrame();
    CWnd* pView = pFrame ? (CWnd*)pFrame->GetActiveView() : NULL;
    for (int row = 0; row < m_nRows; ++row)
        for (int col = 0; col < m_nCols; ++col)
            if (pView && GetPane(row, col) == pView)
            {
                if (pRow)
                    *pRow = row;
                if (pCol)
                    *pCol = col;
                return pView;
            }
    return NULL;
}
