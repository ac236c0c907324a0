// Message maps: window messages reach their handlers with the message's
// values unpacked, derived entries win over base ones, unhandled messages go
// to the default procedure, notifications reach the parent's handler after
// the control's reflected one had its chance.
#include <gtest/gtest.h>
#include "CWnd.h"
#include "CButton.h"
#include "WindowTestKit.h"

namespace
{
UINT g_registered = RegisterWindowMessageA("PixmereMessageMapTest");

class CBaseWnd : public CWnd
{
public:
    int m_baseSize = 0;

protected:
    afx_msg void OnSize(UINT, int, int) { ++m_baseSize; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CBaseWnd, CWnd)
    ON_WM_SIZE()
END_MESSAGE_MAP()

class CMapWnd : public CBaseWnd
{
public:
    UINT m_sizeType = 99;
    int m_cx = -1, m_cy = -1;
    CPoint m_click;
    UINT m_clickFlags = 0;
    LPARAM m_appParam = 0;
    int m_registeredCalls = 0;
    UINT m_rangeId = 0;
    int m_notifies = 0;
    UINT m_notifyId = 0;

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy)
    {
        m_sizeType = nType;
        m_cx = cx;
        m_cy = cy;
    }
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point)
    {
        m_clickFlags = nFlags;
        m_click = point;
    }
    afx_msg LRESULT OnApp(WPARAM wParam, LPARAM lParam)
    {
        m_appParam = lParam;
        return (LRESULT)wParam * 2;
    }
    afx_msg LRESULT OnRegistered(WPARAM, LPARAM)
    {
        ++m_registeredCalls;
        return 5;
    }
    afx_msg void OnRange(UINT nID) { m_rangeId = nID; }
    afx_msg void OnClickNotify(NMHDR* header, LRESULT* result)
    {
        ++m_notifies;
        m_notifyId = (UINT)header->idFrom;
        *result = 77;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CMapWnd, CBaseWnd)
    ON_WM_SIZE()
    ON_WM_LBUTTONDOWN()
    ON_MESSAGE(WM_APP + 1, OnApp)
    ON_REGISTERED_MESSAGE(g_registered, OnRegistered)
    ON_COMMAND_RANGE(500, 510, OnRange)
    ON_NOTIFY(NM_CLICK, 300, OnClickNotify)
END_MESSAGE_MAP()

// A button that takes its own clicks (reflected) when asked to.
class CSelfButton : public CButton
{
public:
    bool m_takeClicks = false;
    int m_reflected = 0;

protected:
    afx_msg void OnReflectedClick()
    {
        ++m_reflected;
    }
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        if (!m_takeClicks)
            return FALSE;
        return CButton::OnChildNotify(message, wParam, lParam, pResult);
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CSelfButton, CButton)
    ON_CONTROL_REFLECT(BN_CLICKED, OnReflectedClick)
END_MESSAGE_MAP()

class MessageMap : public ::testing::Test
{
protected:
    void SetUp() override
    {
        LPCSTR cls = AfxRegisterWndClass(0, LoadCursor(NULL, IDC_ARROW));
        ASSERT_TRUE(m_wnd.CreateEx(0, cls, "map", WS_POPUP, 0, 0, 200, 100, NULL, NULL));
    }
    void TearDown() override { m_wnd.DestroyWindow(); }
    CMapWnd m_wnd;
};
}

TEST_F(MessageMap, WindowMessagesArriveUnpackedAndDerivedEntriesWin)
{
    m_wnd.SendMessage(WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(321, 123));
    EXPECT_EQ(m_wnd.m_sizeType, (UINT)SIZE_MAXIMIZED);
    EXPECT_EQ(m_wnd.m_cx, 321);
    EXPECT_EQ(m_wnd.m_cy, 123);
    EXPECT_EQ(m_wnd.m_baseSize, 0);
    m_wnd.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM((WORD)-5, 40));
    EXPECT_EQ(m_wnd.m_click, CPoint(-5, 40)); // coordinates are signed
    EXPECT_EQ(m_wnd.m_clickFlags, (UINT)(MK_LBUTTON | MK_SHIFT));
}

TEST_F(MessageMap, MessageEntriesReturnTheirResult)
{
    EXPECT_EQ(m_wnd.SendMessage(WM_APP + 1, 21, 9), 42);
    EXPECT_EQ(m_wnd.m_appParam, 9);
    EXPECT_EQ(m_wnd.SendMessage(g_registered, 0, 0), 5);
    EXPECT_EQ(m_wnd.m_registeredCalls, 1);
}

TEST_F(MessageMap, UnhandledMessagesGetTheDefaultProcedure)
{
    m_wnd.SendMessage(WM_SETTEXT, 0, (LPARAM) "default text");
    char text[32] = "";
    GetWindowTextA(m_wnd.m_hWnd, text, sizeof(text));
    EXPECT_STREQ(text, "default text");
}

TEST_F(MessageMap, CommandRangesGiveTheCommandId)
{
    m_wnd.SendMessage(WM_COMMAND, 505, 0);
    EXPECT_EQ(m_wnd.m_rangeId, 505u);
    m_wnd.SendMessage(WM_COMMAND, 511, 0);
    EXPECT_EQ(m_wnd.m_rangeId, 505u);
}

TEST_F(MessageMap, NotificationsReachTheParentWithTheirResult)
{
    NMHDR header = {(HWND)0, 300, (UINT)NM_CLICK};
    EXPECT_EQ(m_wnd.SendMessage(WM_NOTIFY, 300, (LPARAM)&header), 77);
    EXPECT_EQ(m_wnd.m_notifies, 1);
    header.idFrom = 301;
    EXPECT_EQ(m_wnd.SendMessage(WM_NOTIFY, 301, (LPARAM)&header), 0);
    EXPECT_EQ(m_wnd.m_notifies, 1);
}

TEST_F(MessageMap, ReflectedControlNotificationComesFirst)
{
    CSelfButton button;
    ASSERT_TRUE(button.Create("b", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 50, 20), &m_wnd, 505));
    EXPECT_EQ(CWnd::FromHandlePermanent(button.m_hWnd), &button);
    // Not taken by the button: the parent's command range gets it.
    m_wnd.m_rangeId = 0;
    button.SendMessage(BM_CLICK);
    EXPECT_EQ(m_wnd.m_rangeId, 505u);
    EXPECT_EQ(button.m_reflected, 0);
    // Taken by the button: the parent never sees it.
    button.m_takeClicks = true;
    m_wnd.m_rangeId = 0;
    button.SendMessage(BM_CLICK);
    EXPECT_EQ(button.m_reflected, 1);
    EXPECT_EQ(m_wnd.m_rangeId, 0u);
}

TEST_F(MessageMap, TemporaryWrappersServeForeignWindows)
{
    HWND foreign = CreateWindowA("STATIC", "x", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    CWnd* temp = CWnd::FromHandle(foreign);
    ASSERT_NE(temp, nullptr);
    EXPECT_EQ(temp->m_hWnd, foreign);
    EXPECT_EQ(CWnd::FromHandlePermanent(foreign), nullptr);
    EXPECT_EQ(CWnd::FromHandle(foreign), temp); // the same wrapper until idle
    EXPECT_EQ(CWnd::FromHandlePermanent(m_wnd.m_hWnd), &m_wnd);
    DestroyWindow(foreign);
    EXPECT_EQ(CWnd::FromHandle(NULL), nullptr);
}
