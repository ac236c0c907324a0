// CMoveableWindow: class registration, the drag states and their cursors.
#include "MoveableWindow.h"
#include "AfxCursors.h"
#include "AfxRes.h"

IMPLEMENT_DYNAMIC(CMoveableWindow, CWnd)

BEGIN_MESSAGE_MAP(CMoveableWindow, CWnd)
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

LPCSTR CMoveableWindow::m_lpszClass = "Pixmere_MoveableWindowClass";

namespace
{
volatile LONG g_nextId = 0;
}

CMoveableWindow::CMoveableWindow()
    : m_nLastX(-1), m_nLastY(-1), m_bLockX(FALSE), m_bLockY(FALSE), m_nMoveFlags(0), m_bMoveFlagsKnown(FALSE)
{
}

CMoveableWindow::~CMoveableWindow()
{
    // Only a window destroyed in the middle of a drag holds the cursor clip.
    // Releasing a clip that was never set is not harmless: under Wine it
    // leaves the pointer grab pointing at a window that is about to go.
    if (m_nLastX != -1)
        ClipCursor(NULL);
    if (m_hWnd && GetCapture() == this)
        ReleaseCapture();
}

BOOL CMoveableWindow::Create(const RECT& rect, CWnd* pParentWnd, DWORD dwExtraStyle)
{
    WNDCLASSA existing;
    HINSTANCE instance = AfxGetInstanceHandle();
    if (!GetClassInfoA(instance, m_lpszClass, &existing))
    {
        WNDCLASSA wc = {};
        wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = instance;
        wc.lpszClassName = m_lpszClass;
        // Another thread may register it at the same moment; either is fine.
        if (!RegisterClassA(&wc) && !GetClassInfoA(instance, m_lpszClass, &existing))
            return FALSE;
    }
    // Ids 0x5000..0x6FFF, different for every object made.
    UINT id = 0x5000 + (UINT)(InterlockedIncrement(&g_nextId) % 0x2000);
    return CWnd::CreateEx(0, m_lpszClass, NULL, dwExtraStyle | WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP,
                          rect, pParentWnd, id);
}

void CMoveableWindow::SelectCursor() { ::SetCursor(::LoadCursor(NULL, IDC_ARROW)); }

void CMoveableWindow::SelectDragCursor() { ::SetCursor(AfxLoadFrameworkCursor(AFX_IDC_TRACK4WAY)); }

CPoint CMoveableWindow::CursorInParent() const
{
    CPoint point;
    ::GetCursorPos(&point);
    ::ScreenToClient(::GetParent(m_hWnd), &point);
    return point;
}

BOOL CMoveableWindow::LeftButtonDown() const
{
    if (m_bMoveFlagsKnown)
        return (m_nMoveFlags & MK_LBUTTON) != 0;
    return (::GetKeyState(VK_LBUTTON) & 0x8000) || (::GetAsyncKeyState(VK_LBUTTON) & 0x8000);
}

void CMoveableWindow::MouseButtonDown()
{
    SelectDragCursor();
    HWND hParent = ::GetParent(m_hWnd);
    CRect area;
    ::GetClientRect(hParent, &area);
    ::MapWindowPoints(hParent, NULL, (LPPOINT)&area, 2);
    ::ClipCursor(&area);
    SetCapture();
    CPoint point = CursorInParent();
    m_nLastX = point.x;
    m_nLastY = point.y;
    ::SetWindowPos(m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void CMoveableWindow::MouseIsMoving()
{
    if (!LeftButtonDown() || !IsDragging())
    {
        SelectCursor();
        return;
    }
    SelectDragCursor();
    CPoint point = CursorInParent();
    HWND hParent = ::GetParent(m_hWnd);
    CRect rect;
    ::GetWindowRect(m_hWnd, &rect);
    ::MapWindowPoints(NULL, hParent, (LPPOINT)&rect, 2);
    rect.OffsetRect(m_bLockX ? 0 : point.x - m_nLastX, m_bLockY ? 0 : point.y - m_nLastY);
    ::MoveWindow(m_hWnd, rect.left, rect.top, rect.Width(), rect.Height(), TRUE);
    m_nLastX = point.x;
    m_nLastY = point.y;
}

void CMoveableWindow::MouseButtonUp()
{
    SelectCursor();
    m_nLastX = m_nLastY = -1;
    ::ClipCursor(NULL);
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

void CMoveableWindow::OnLButtonDown(UINT nFlags, CPoint point)
{
    MouseButtonDown();
    CWnd::OnLButtonDown(nFlags, point);
}

void CMoveableWindow::OnMouseMove(UINT nFlags, CPoint point)
{
    m_nMoveFlags = nFlags;
    m_bMoveFlagsKnown = TRUE;
    MouseIsMoving();
    m_bMoveFlagsKnown = FALSE;
    CWnd::OnMouseMove(nFlags, point);
}

void CMoveableWindow::OnLButtonUp(UINT nFlags, CPoint point)
{
    MouseButtonUp();
    CWnd::OnLButtonUp(nFlags, point);
}
