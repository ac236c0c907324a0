// Scroll views and static splitters inside a frame: scroll ranges follow the
// window, scrolling shifts the drawing origin, the splitter lays out its
// panes and its bar can be dragged.
#include <gtest/gtest.h>
#include "CFrameWnd.h"
#include "CScrollView.h"
#include "CSplitterWnd.h"
#include "CDC.h"
#include "WindowTestKit.h"

namespace
{
class CBigView : public CScrollView
{
    DECLARE_DYNCREATE(CBigView)
public:
    POINT m_lastOrigin = {1, 1};
    void OnInitialUpdate() override { SetScrollSizes(MM_TEXT, CSize(1000, 2000), CSize(100, 150), CSize(10, 15)); }
    void OnDraw(CDC* pDC) override { ::GetViewportOrgEx(pDC->m_hDC, &m_lastOrigin); }
};
IMPLEMENT_DYNCREATE(CBigView, CScrollView)

class CSplitFrame : public CFrameWnd
{
public:
    CSplitterWnd m_splitter;
    BOOL OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) override
    {
        if (!m_splitter.CreateStatic(this, 1, 2))
            return FALSE;
        if (!m_splitter.CreateView(0, 0, RUNTIME_CLASS(CBigView), CSize(150, 100), pContext) ||
            !m_splitter.CreateView(0, 1, RUNTIME_CLASS(CBigView), CSize(100, 100), pContext))
            return FALSE;
        SetActiveView((CView*)m_splitter.GetPane(0, 1));
        return TRUE;
    }
};
}

TEST(ScrollAndSplit, PanesShareTheFrameAndTheBarDrags)
{
    wintest::ScopedThread thread;
    CSplitFrame* frame = new CSplitFrame;
    CCreateContext context;
    ASSERT_TRUE(frame->Create(NULL, "split", WS_OVERLAPPEDWINDOW, CRect(0, 0, 500, 400), NULL, NULL, 0, &context));
    thread->m_pMainWnd = frame;
    frame->InitialUpdateFrame(NULL, TRUE);
    wintest::Pump(*thread, 100);
    CRect client;
    frame->m_splitter.GetClientRect(&client);
    CWnd* left = frame->m_splitter.GetPane(0, 0);
    CWnd* right = frame->m_splitter.GetPane(0, 1);
    ASSERT_TRUE(left && right);
    EXPECT_EQ(frame->GetActiveView(), (CView*)right);
    CRect l, r;
    left->GetWindowRect(&l);
    right->GetWindowRect(&r);
    EXPECT_EQ(l.Width(), 150);
    EXPECT_EQ(r.left - l.right, frame->m_splitter.m_cxSplitter);
    EXPECT_EQ(l.Width() + r.Width() + frame->m_splitter.m_cxSplitter, client.Width()); // the last takes the rest

    // Drag the bar 40 pixels to the right with posted messages.
    int x = 150 + 2, y = 50;
    frame->m_splitter.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, wintest::Pack(x, y));
    frame->m_splitter.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, wintest::Pack(x + 40, y));
    frame->m_splitter.PostMessage(WM_LBUTTONUP, 0, wintest::Pack(x + 40, y));
    wintest::Pump(*thread, 100);
    int cur = 0, minimum = 0;
    frame->m_splitter.GetColumnInfo(0, cur, minimum);
    EXPECT_EQ(cur, 190);
    left->GetWindowRect(&l);
    EXPECT_EQ(l.Width(), 190);

    // Scrolling: a page down moves the origin by the page size.
    CBigView* view = (CBigView*)right;
    EXPECT_EQ(view->GetTotalSize(), CSize(1000, 2000));
    EXPECT_EQ(view->GetScrollPosition(), CPoint(0, 0));
    view->SendMessage(WM_VSCROLL, SB_PAGEDOWN, 0);
    view->SendMessage(WM_HSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(view->GetScrollPosition(), CPoint(10, 150));
    view->Invalidate();
    view->UpdateWindow();
    EXPECT_EQ(view->m_lastOrigin.x, -10);
    EXPECT_EQ(view->m_lastOrigin.y, -150);
    view->SendMessage(WM_VSCROLL, SB_BOTTOM, 0);
    CRect viewClient;
    view->GetClientRect(&viewClient);
    EXPECT_EQ(view->GetScrollPosition().y, 2000 - viewClient.Height()); // never past the end
    view->SendMessage(WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(view->GetScrollPosition().y, 0);

    frame->DestroyWindow();
    wintest::Pump(*thread, 50);
}
