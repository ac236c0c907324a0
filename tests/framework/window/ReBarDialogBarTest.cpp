// A rebar holding a dialog bar and a tool bar: the bands' buttons reach the
// frame's commands, the dialog bar's push buttons follow their command
// state when the thread is idle, and the frame lays the rebar out on top.
#include <gtest/gtest.h>
#include "CFrameWnd.h"
#include "CCmdUI.h"
#include "CDialogBar.h"
#include "CReBar.h"
#include "CToolBar.h"
#include "WindowTestKit.h"
#include "WindowTestRes.h"

namespace
{
class CBarFrame : public CFrameWnd
{
public:
    int m_enabledRuns = 0;

protected:
    afx_msg void OnEnabled() { ++m_enabledRuns; }
    afx_msg void OnDisabled() {}
    afx_msg void OnUpdateDisabled(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBarFrame, CFrameWnd)
    ON_COMMAND(ID_TEST_ENABLED, OnEnabled)
    ON_COMMAND(ID_TEST_DISABLED, OnDisabled)
    ON_UPDATE_COMMAND_UI(ID_TEST_DISABLED, OnUpdateDisabled)
END_MESSAGE_MAP()

class ReBarWithBars : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_frame = new CBarFrame;
        ASSERT_TRUE(m_frame->LoadFrame(IDR_TESTFRAME, WS_OVERLAPPEDWINDOW));
        m_frame->SetWindowPos(NULL, 0, 0, 640, 400, SWP_NOMOVE | SWP_NOZORDER);
        m_thread->m_pMainWnd = m_frame;
        m_frame->ShowWindow(SW_SHOW);
        m_hFrame = m_frame->m_hWnd;
        ASSERT_TRUE(m_rebar.Create(m_frame));
    }
    void TearDown() override
    {
        if (IsWindow(m_hFrame))
            DestroyWindow(m_hFrame);
        m_thread->m_pMainWnd = NULL;
        wintest::Pump(*m_thread, 50);
    }

    wintest::ScopedThread m_thread;
    CBarFrame* m_frame = NULL;
    HWND m_hFrame = NULL;
    CReBar m_rebar;
    CDialogBar m_dialogBar;
    CToolBar m_toolBar;
};
}

TEST_F(ReBarWithBars, DialogBarButtonsFollowTheirCommandsAndReachTheFrame)
{
    ASSERT_TRUE(m_dialogBar.Create(m_frame, IDD_TESTBAR, WS_VISIBLE | CBRS_TOP, AFX_IDW_DIALOGBAR));
    EXPECT_GT(m_dialogBar.m_sizeDefault.cx, 200);
    ASSERT_TRUE(m_rebar.AddBar(&m_dialogBar));
    EXPECT_EQ(m_rebar.GetBandCount(), 1);
    EXPECT_EQ(GetParent(m_dialogBar.m_hWnd), m_rebar.m_hWnd);
    wintest::Pump(*m_thread, 150);

    HWND enabled = GetDlgItem(m_dialogBar.m_hWnd, ID_TEST_ENABLED);
    EXPECT_TRUE(IsWindowEnabled(enabled));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(m_dialogBar.m_hWnd, ID_TEST_DISABLED)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(m_dialogBar.m_hWnd, ID_TEST_NOHANDLER)));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(m_dialogBar.m_hWnd, IDC_NAME))); // not a command

    SendMessageA(enabled, BM_CLICK, 0, 0);
    EXPECT_EQ(m_frame->m_enabledRuns, 1);

    // The frame gives the rebar the top of its client area, as tall as the bar needs.
    CRect client, rebar;
    m_frame->GetClientRect(&client);
    GetWindowRect(m_rebar.m_hWnd, &rebar);
    m_frame->ScreenToClient(&rebar);
    EXPECT_EQ(rebar.top, 0);
    EXPECT_EQ(rebar.Width(), client.Width());
    EXPECT_GE(rebar.Height(), m_dialogBar.m_sizeDefault.cy);
}

TEST_F(ReBarWithBars, ToolBarButtonsPassThroughTheRebarToTheFrame)
{
    // The dialog bar is made first, so the frame stretches it before it joins the rebar.
    ASSERT_TRUE(m_dialogBar.Create(m_frame, IDD_TESTBAR, WS_VISIBLE | CBRS_TOP, AFX_IDW_DIALOGBAR));
    ASSERT_TRUE(m_toolBar.CreateEx(m_frame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP));
    const UINT ids[] = {ID_TEST_ENABLED, ID_TEST_DISABLED};
    ASSERT_TRUE(m_toolBar.SetButtons(ids, 2));
    m_frame->RecalcLayout();
    ASSERT_TRUE(m_rebar.AddBar(&m_toolBar));
    ASSERT_TRUE(m_rebar.AddBar(&m_dialogBar));
    EXPECT_EQ(m_rebar.GetBandCount(), 2);
    wintest::Pump(*m_thread, 150);

    // Both bands share one row of a frame this wide.
    RECT first, second;
    SendMessageA(m_rebar.m_hWnd, RB_GETRECT, 0, (LPARAM)&first);
    SendMessageA(m_rebar.m_hWnd, RB_GETRECT, 1, (LPARAM)&second);
    EXPECT_EQ(first.top, second.top);

    CRect button;
    m_toolBar.GetItemRect(0, &button);
    LPARAM at = wintest::Pack(button.CenterPoint().x, button.CenterPoint().y);
    SendMessageA(m_toolBar.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(m_toolBar.m_hWnd, WM_LBUTTONUP, 0, at);
    wintest::Pump(*m_thread, 50);
    EXPECT_EQ(m_frame->m_enabledRuns, 1);
    // The tool bar still updates its buttons through the frame.
    EXPECT_FALSE(SendMessageA(m_toolBar.m_hWnd, TB_ISBUTTONENABLED, ID_TEST_DISABLED, 0));
}
