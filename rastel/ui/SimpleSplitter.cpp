// CSimpleSplitter: one-axis dragging confined to its bounds.
#include "SimpleSplitter.h"
#include "AfxCursors.h"
#include "AfxRes.h"

IMPLEMENT_DYNAMIC(CSimpleSplitter, CMoveableWindow)

BEGIN_MESSAGE_MAP(CSimpleSplitter, CMoveableWindow)
    ON_WM_NCMOUSEMOVE()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_NCLBUTTONUP()
END_MESSAGE_MAP()

CSimpleSplitter::CSimpleSplitter(BOOL bVertical) : m_bMoved(FALSE), m_nLower(0), m_nUpper(65535)
{
    m_bLockX = bVertical ? TRUE : FALSE;
    m_bLockY = bVertical ? FALSE : TRUE;
}

BOOL CSimpleSplitter::Create(const RECT& rect, CWnd* pParentWnd, DWORD)
{
    return CMoveableWindow::Create(rect, pParentWnd, WS_DLGFRAME);
}

void CSimpleSplitter::SelectCursor()
{
    ::SetCursor(AfxLoadFrameworkCursor(m_bLockX ? AFX_IDC_VSPLITBAR : AFX_IDC_HSPLITBAR));
}

void CSimpleSplitter::SelectDragCursor() { SelectCursor(); }

void CSimpleSplitter::MouseButtonDown()
{
    CMoveableWindow::MouseButtonDown();
    HWND hParent = ::GetParent(m_hWnd);
    CRect area;
    ::GetClientRect(hParent, &area);
    // Cut to the bounds along the moving axis (the default bounds cut nothing).
    if (m_bLockX)
    {
        area.top = area.top > m_nLower ? area.top : m_nLower;
        area.bottom = area.bottom < m_nUpper ? area.bottom : m_nUpper;
    }
    else
    {
        area.left = area.left > m_nLower ? area.left : m_nLower;
        area.right = area.right < m_nUpper ? area.right : m_nUpper;
    }
    ::MapWindowPoints(hParent, NULL, (LPPOINT)&area, 2);
    area.DeflateRect(12, 12);
    ::ClipCursor(&area);
    m_bMoved = TRUE;
}

void CSimpleSplitter::MouseButtonUp()
{
    CMoveableWindow::MouseButtonUp();
    ::SendMessageA(::GetParent(m_hWnd), WM_SIZE, 9, 0);
}

void CSimpleSplitter::OnNcMouseMove(UINT nHitTest, CPoint point)
{
    MouseIsMoving();
    CMoveableWindow::OnNcMouseMove(nHitTest, point);
}

void CSimpleSplitter::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    MouseButtonDown();
    CMoveableWindow::OnNcLButtonDown(nHitTest, point);
}

void CSimpleSplitter::OnNcLButtonUp(UINT nHitTest, CPoint point)
{
    MouseButtonUp();
    CMoveableWindow::OnNcLButtonUp(nHitTest, point);
}
