// Dragging moveable windows and splitters with posted mouse messages and a
// cursor placed by SetCursorPos: movement, locked axes, cursor confinement,
// capture, and the parent's layout call.
#include <gtest/gtest.h>
#include "MoveableWindow.h"
#include "SimpleSplitter.h"
#include "WindowTestKit.h"

namespace
{
class CParentWnd : public CWnd
{
public:
    int m_layoutCalls = 0;
    UINT m_lastSizeType = 0;

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy)
    {
        if (nType == 9 && cx == 0 && cy == 0)
            ++m_layoutCalls;
        m_lastSizeType = nType;
        CWnd::OnSize(nType, cx, cy);
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CParentWnd, CWnd)
    ON_WM_SIZE()
END_MESSAGE_MAP()

class Dragging : public ::testing::Test
{
protected:
    void SetUp() override
    {
        LPCSTR cls = AfxRegisterWndClass(0, LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_WINDOW + 1));
        ASSERT_TRUE(m_parent.CreateEx(0, cls, "parent", WS_POPUP | WS_VISIBLE, 100, 100, 400, 300, NULL, NULL));
        SetForegroundWindow(m_parent.m_hWnd);
        m_parent.GetClientRect(&m_client);
        m_parent.ClientToScreen(&m_client);
    }
    void TearDown() override
    {
        ClipCursor(NULL);
        m_parent.DestroyWindow();
    }
    CRect PlaceInParent(CWnd& wnd)
    {
        CRect rect;
        wnd.GetWindowRect(&rect);
        m_parent.ScreenToClient(&rect);
        return rect;
    }
    // Moves the cursor to a point of the parent's client area and posts the message.
    void Post(CWnd& wnd, UINT message, WPARAM wParam, int x, int y)
    {
        SetCursorPos(m_client.left + x, m_client.top + y);
        POINT pt = {m_client.left + x, m_client.top + y};
        if (message < WM_MOUSEFIRST) // non-client: screen coordinates
            wnd.PostMessage(message, wParam, wintest::Pack(pt.x, pt.y));
        else
        {
            ScreenToClient(wnd.m_hWnd, &pt);
            wnd.PostMessage(message, wParam, wintest::Pack(pt.x, pt.y));
        }
        wintest::Pump(*m_thread, 30);
    }

    wintest::ScopedThread m_thread;
    CParentWnd m_parent;
    CRect m_client;
};
}

TEST_F(Dragging, CellFollowsTheCursorAndStaysConfinedWhileDragged)
{
    CMoveableWindow cell;
    ASSERT_TRUE(cell.Create(CRect(20, 20, 80, 70), &m_parent, 0));
    char cls[64] = "";
    GetClassNameA(cell.m_hWnd, cls, sizeof(cls));
    EXPECT_STREQ(cls, "Pixmere_MoveableWindowClass");
    EXPECT_TRUE(cell.GetStyle() & WS_CLIPSIBLINGS);

    Post(cell, WM_LBUTTONDOWN, MK_LBUTTON, 30, 30);
    EXPECT_TRUE(cell.IsDragging());
    EXPECT_EQ(GetCapture(), cell.m_hWnd);
    CRect clip;
    GetClipCursor(&clip);
    EXPECT_EQ(clip, m_client);

    Post(cell, WM_MOUSEMOVE, MK_LBUTTON, 70, 50);
    EXPECT_EQ(PlaceInParent(cell), CRect(60, 40, 120, 90));

    // The cursor cannot leave the parent while the cell is dragged.
    SetCursorPos(m_client.right + 200, m_client.bottom + 200);
    POINT pos;
    GetCursorPos(&pos);
    EXPECT_LT(pos.x, m_client.right);
    EXPECT_LT(pos.y, m_client.bottom);

    Post(cell, WM_LBUTTONUP, 0, 70, 50);
    EXPECT_FALSE(cell.IsDragging());
    EXPECT_NE(GetCapture(), cell.m_hWnd);
    GetClipCursor(&clip);
    EXPECT_NE(clip, m_client);

    // Moves without a drag, or without the button, move nothing.
    Post(cell, WM_MOUSEMOVE, MK_LBUTTON, 150, 150);
    EXPECT_EQ(PlaceInParent(cell), CRect(60, 40, 120, 90));
    Post(cell, WM_LBUTTONDOWN, MK_LBUTTON, 70, 50);
    Post(cell, WM_MOUSEMOVE, 0, 150, 150);
    EXPECT_EQ(PlaceInParent(cell), CRect(60, 40, 120, 90));
    Post(cell, WM_LBUTTONUP, 0, 150, 150);
}

TEST_F(Dragging, DestroyingADraggedCellReleasesCaptureAndCursor)
{
    CMoveableWindow* cell = new CMoveableWindow;
    ASSERT_TRUE(cell->Create(CRect(20, 20, 80, 70), &m_parent, 0));
    Post(*cell, WM_LBUTTONDOWN, MK_LBUTTON, 30, 30);
    ASSERT_EQ(GetCapture(), cell->m_hWnd);
    delete cell;
    EXPECT_EQ(GetCapture(), nullptr);
    CRect clip;
    GetClipCursor(&clip);
    EXPECT_NE(clip, m_client);
}

TEST_F(Dragging, VerticalSplitterKeepsItsXAndStaysInsideItsBounds)
{
    CSimpleSplitter bar(TRUE);
    ASSERT_TRUE(bar.Create(CRect(0, 100, 400, 106), &m_parent));
    EXPECT_TRUE(bar.GetStyle() & WS_DLGFRAME);
    CRect inner;
    bar.GetClientRect(&inner);
    EXPECT_TRUE(inner.IsRectEmpty()); // input arrives as non-client messages
    bar.SetBounds(50, 250);
    EXPECT_FALSE(bar.Moved());

    Post(bar, WM_NCLBUTTONDOWN, HTBORDER, 200, 103);
    EXPECT_TRUE(bar.Moved());
    EXPECT_EQ(GetCapture(), bar.m_hWnd);
    CRect clip;
    GetClipCursor(&clip);
    EXPECT_EQ(clip, CRect(m_client.left + 12, m_client.top + 50 + 12, m_client.right - 12, m_client.top + 250 - 12));

    // Captured, the moves come as client messages.
    Post(bar, WM_MOUSEMOVE, MK_LBUTTON, 260, 163);
    EXPECT_EQ(PlaceInParent(bar), CRect(0, 160, 400, 166));
    // Beyond the bounds the cursor stops 12 pixels inside them.
    Post(bar, WM_MOUSEMOVE, MK_LBUTTON, 10, 290);
    POINT pos;
    GetCursorPos(&pos);
    EXPECT_EQ(pos.y, m_client.top + 250 - 12 - 1);
    EXPECT_EQ(PlaceInParent(bar).left, 0);
    EXPECT_EQ(PlaceInParent(bar).top, 160 + (250 - 12 - 1) - 163);

    int layouts = m_parent.m_layoutCalls;
    Post(bar, WM_LBUTTONUP, 0, 10, 200);
    EXPECT_EQ(m_parent.m_layoutCalls, layouts + 1);
    EXPECT_NE(GetCapture(), bar.m_hWnd);
    bar.SetMoved(FALSE);
    EXPECT_FALSE(bar.Moved());
}

TEST_F(Dragging, HorizontalSplitterKeepsItsY)
{
    CSimpleSplitter bar(FALSE);
    ASSERT_TRUE(bar.Create(CRect(150, 0, 156, 300), &m_parent));
    Post(bar, WM_NCLBUTTONDOWN, HTBORDER, 153, 100);
    CRect clip;
    GetClipCursor(&clip);
    EXPECT_EQ(clip, CRect(m_client.left + 12, m_client.top + 12, m_client.right - 12, m_client.bottom - 12));
    Post(bar, WM_MOUSEMOVE, MK_LBUTTON, 193, 180);
    EXPECT_EQ(PlaceInParent(bar), CRect(190, 0, 196, 300));
    Post(bar, WM_LBUTTONUP, 0, 193, 180);
}
