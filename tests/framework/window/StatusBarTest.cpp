// The frame's message pane and tool tips: texts come from the command's
// string ("status text\ntool tip"); the idle text returns when a menu closes.
#include <gtest/gtest.h>
#include "CFrameWnd.h"
#include "CStatusBar.h"
#include "WindowTestKit.h"
#include "WindowTestRes.h"

namespace
{
class StatusTexts : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_frame = new CFrameWnd;
        ASSERT_TRUE(m_frame->LoadFrame(IDR_TESTFRAME, WS_OVERLAPPEDWINDOW));
        m_thread->m_pMainWnd = m_frame;
        m_bar = new CStatusBar;
        m_bar->m_bAutoDelete = TRUE;
        ASSERT_TRUE(m_bar->Create(m_frame));
        const UINT panes[] = {ID_SEPARATOR, ID_SEPARATOR};
        ASSERT_TRUE(m_bar->SetIndicators(panes, 2));
        m_frame->ShowWindow(SW_SHOW);
        m_frame->RecalcLayout();
        wintest::Pump(*m_thread, 50);
    }
    void TearDown() override
    {
        m_frame->DestroyWindow();
        m_thread->m_pMainWnd = NULL;
    }
    wintest::ScopedThread m_thread;
    CFrameWnd* m_frame = nullptr;
    CStatusBar* m_bar = nullptr;
};
}

TEST_F(StatusTexts, BarLiesAtTheBottomWithTwoPanes)
{
    EXPECT_EQ(m_bar->GetDlgCtrlID(), AFX_IDW_STATUS_BAR);
    EXPECT_EQ(m_bar->SendMessage(SB_GETPARTS, 0, 0), 2);
    CRect bar, client;
    m_bar->GetWindowRect(&bar);
    m_frame->GetClientRect(&client);
    m_frame->ClientToScreen(&client);
    EXPECT_EQ(bar.bottom, client.bottom);
    EXPECT_EQ(bar.Width(), client.Width());
    EXPECT_STREQ(m_bar->GetPaneText(0), "Ready"); // the framework's idle text
}

TEST_F(StatusTexts, MenuSelectionShowsTheCommandsStatusText)
{
    m_frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_TEST_ENABLED, MF_HILITE), (LPARAM)GetMenu(m_frame->m_hWnd));
    EXPECT_STREQ(m_bar->GetPaneText(0), "Runs the enabled command");
    m_frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0); // menu closed
    EXPECT_STREQ(m_bar->GetPaneText(0), "Ready");
    m_frame->SetMessageText("Counting files");
    EXPECT_STREQ(m_bar->GetPaneText(0), "Counting files");
    m_bar->SetPaneText(1, "second");
    EXPECT_STREQ(m_bar->GetPaneText(1), "second");
}

TEST_F(StatusTexts, ToolTipIsThePartAfterTheLineBreak)
{
    NMTTDISPINFOA info = {};
    info.hdr.code = TTN_GETDISPINFOA;
    info.hdr.idFrom = ID_TEST_ENABLED;
    m_frame->SendMessage(WM_NOTIFY, ID_TEST_ENABLED, (LPARAM)&info);
    EXPECT_STREQ(info.lpszText, "Enabled");
    info.hdr.idFrom = ID_TEST_DISABLED; // no string: no tip
    info.lpszText = NULL;
    m_frame->SendMessage(WM_NOTIFY, ID_TEST_DISABLED, (LPARAM)&info);
    EXPECT_STREQ(info.lpszText, "");
}
