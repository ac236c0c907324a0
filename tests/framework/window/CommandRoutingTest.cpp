// Command routing and command state: menu items updated through CCmdUI when
// their popup opens, commands without handlers disabled, disabled commands
// refused whether they come from an accelerator or a stale menu, and the
// frame -> view -> document -> frame -> application order.
#include <gtest/gtest.h>
#include "CFrameWnd.h"
#include "CView.h"
#include "CDocument.h"
#include "CDocTemplate.h"
#include "CCmdUI.h"
#include "CToolBar.h"
#include "CWinApp.h"
#include "WindowTestKit.h"
#include "WindowTestRes.h"

namespace
{
class CStateFrame : public CFrameWnd
{
public:
    int m_enabledRuns = 0;
    int m_disabledRuns = 0;
    int m_hiddenRuns = 0;
    int m_checkRuns = 0;
    BOOL m_checked = TRUE;

protected:
    afx_msg void OnEnabled() { ++m_enabledRuns; }
    afx_msg void OnDisabled() { ++m_disabledRuns; }
    afx_msg void OnHidden() { ++m_hiddenRuns; }
    afx_msg void OnChecked() { ++m_checkRuns; }
    afx_msg void OnUpdateDisabled(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    afx_msg void OnUpdateChecked(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_checked); }
    afx_msg void OnUpdateText(CCmdUI* pCmdUI) { pCmdUI->SetText("New text"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CStateFrame, CFrameWnd)
    ON_COMMAND(ID_TEST_ENABLED, OnEnabled)
    ON_COMMAND(ID_TEST_DISABLED, OnDisabled)
    ON_UPDATE_COMMAND_UI(ID_TEST_DISABLED, OnUpdateDisabled)
    ON_COMMAND(ID_TEST_HIDDEN_DISABLED, OnHidden)
    ON_UPDATE_COMMAND_UI(ID_TEST_HIDDEN_DISABLED, OnUpdateDisabled)
    ON_COMMAND(ID_TEST_CHECKED, OnChecked)
    ON_UPDATE_COMMAND_UI(ID_TEST_CHECKED, OnUpdateChecked)
    ON_UPDATE_COMMAND_UI(ID_TEST_TEXT, OnUpdateText)
END_MESSAGE_MAP()

UINT StateOf(HMENU popup, UINT id) { return GetMenuState(popup, id, MF_BYCOMMAND); }

class CommandState : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_frame = new CStateFrame;
        ASSERT_TRUE(m_frame->LoadFrame(IDR_TESTFRAME, WS_OVERLAPPEDWINDOW));
        m_thread->m_pMainWnd = m_frame;
        m_frame->ShowWindow(SW_SHOW);
        m_hFrame = m_frame->m_hWnd;
        m_popup = GetSubMenu(GetMenu(m_hFrame), 0);
    }
    void TearDown() override
    {
        if (IsWindow(m_hFrame))
            DestroyWindow(m_hFrame);
        m_thread->m_pMainWnd = NULL;
        wintest::Pump(*m_thread, 50);
    }
    void OpenPopup() { SendMessageA(m_hFrame, WM_INITMENUPOPUP, (WPARAM)m_popup, 0); }
    void PressKey(UINT vk)
    {
        SetForegroundWindow(m_hFrame);
        SetFocus(m_hFrame);
        PostMessageA(m_hFrame, WM_KEYDOWN, vk, 1);
        PostMessageA(m_hFrame, WM_KEYUP, vk, 0xC0000001);
        wintest::Pump(*m_thread, 150);
    }

    wintest::ScopedThread m_thread;
    CStateFrame* m_frame = nullptr;
    HWND m_hFrame = NULL;
    HMENU m_popup = NULL;
};
}

TEST_F(CommandState, LoadFrameTakesTitleMenuAndAcceleratorsFromTheResource)
{
    char title[64] = "";
    GetWindowTextA(m_hFrame, title, sizeof(title));
    EXPECT_STREQ(title, "Test frame");
    ASSERT_NE(m_popup, nullptr);
    EXPECT_NE(m_frame->m_hAccelTable, nullptr);
}

TEST_F(CommandState, PopupItemsAreEnabledCheckedAndRenamedByTheirHandlers)
{
    // Start from the opposite of what the handlers will set.
    EnableMenuItem(m_popup, ID_TEST_DISABLED, MF_BYCOMMAND | MF_ENABLED);
    EnableMenuItem(m_popup, ID_TEST_NOHANDLER, MF_BYCOMMAND | MF_ENABLED);
    CheckMenuItem(m_popup, ID_TEST_CHECKED, MF_BYCOMMAND | MF_UNCHECKED);
    OpenPopup();
    EXPECT_FALSE(StateOf(m_popup, ID_TEST_ENABLED) & MF_GRAYED);
    EXPECT_TRUE(StateOf(m_popup, ID_TEST_DISABLED) & MF_GRAYED);
    EXPECT_TRUE(StateOf(m_popup, ID_TEST_NOHANDLER) & MF_GRAYED); // no handler at all
    EXPECT_TRUE(StateOf(m_popup, ID_TEST_CHECKED) & MF_CHECKED);
    char text[32] = "";
    GetMenuStringA(m_popup, ID_TEST_TEXT, text, sizeof(text), MF_BYCOMMAND);
    EXPECT_STREQ(text, "New text");
    EXPECT_EQ(GetMenuItemID(m_popup, 5), (UINT)ID_TEST_TEXT); // renaming keeps the id and place

    m_frame->m_checked = FALSE;
    OpenPopup();
    EXPECT_FALSE(StateOf(m_popup, ID_TEST_CHECKED) & MF_CHECKED);
}

TEST_F(CommandState, WithoutAutoEnableItemsWithoutHandlersStayAsTheyAre)
{
    m_frame->m_bAutoMenuEnable = FALSE;
    EnableMenuItem(m_popup, ID_TEST_NOHANDLER, MF_BYCOMMAND | MF_ENABLED);
    OpenPopup();
    EXPECT_FALSE(StateOf(m_popup, ID_TEST_NOHANDLER) & MF_GRAYED);
}

TEST_F(CommandState, AcceleratorOfAnEnabledCommandRunsIt)
{
    PressKey(VK_F5);
    EXPECT_EQ(m_frame->m_enabledRuns, 1);
}

TEST_F(CommandState, AcceleratorOfADisabledCommandDoesNothing)
{
    OpenPopup(); // the menu item is greyed as a user would see it
    PressKey(VK_F6);
    PressKey(VK_F7); // not in the menu: refused by the command-state check alone
    EXPECT_EQ(m_frame->m_disabledRuns, 0);
    EXPECT_EQ(m_frame->m_hiddenRuns, 0);
    PressKey(VK_F5);
    EXPECT_EQ(m_frame->m_enabledRuns, 1); // the keys did reach the frame
}

TEST_F(CommandState, StaleMenuCommandOfADisabledCommandIsRefused)
{
    SendMessageA(m_hFrame, WM_COMMAND, MAKEWPARAM(ID_TEST_DISABLED, 0), 0);
    SendMessageA(m_hFrame, WM_COMMAND, MAKEWPARAM(ID_TEST_CHECKED, 0), 0);
    EXPECT_EQ(m_frame->m_disabledRuns, 0);
    EXPECT_EQ(m_frame->m_checkRuns, 1);
}

TEST_F(CommandState, ToolBarButtonsFollowTheCommandStateWhenIdle)
{
    CToolBar* bar = new CToolBar;
    bar->m_bAutoDelete = TRUE;
    ASSERT_TRUE(bar->CreateEx(m_frame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS));
    ASSERT_TRUE(bar->LoadToolBar(IDR_TESTFRAME));
    EXPECT_EQ(bar->GetCount(), 4);
    EXPECT_EQ(bar->GetItemID(1), (UINT)ID_SEPARATOR);
    m_frame->RecalcLayout();
    wintest::Pump(*m_thread, 100); // idle: bars update
    HWND hBar = bar->m_hWnd;
    EXPECT_TRUE(SendMessageA(hBar, TB_ISBUTTONENABLED, ID_TEST_ENABLED, 0));
    EXPECT_FALSE(SendMessageA(hBar, TB_ISBUTTONENABLED, ID_TEST_DISABLED, 0));
    EXPECT_TRUE(SendMessageA(hBar, TB_ISBUTTONCHECKED, ID_TEST_CHECKED, 0));
    m_frame->m_checked = FALSE;
    SendMessageA(m_hFrame, WM_NULL, 0, 0);
    PostMessageA(m_hFrame, WM_NULL, 0, 0);
    wintest::Pump(*m_thread, 100);
    EXPECT_FALSE(SendMessageA(hBar, TB_ISBUTTONCHECKED, ID_TEST_CHECKED, 0));
    // The bar lies along the top; the rest of the client area is left below it.
    CRect barRect;
    GetWindowRect(hBar, &barRect);
    POINT origin = {0, 0};
    ClientToScreen(m_hFrame, &origin);
    EXPECT_EQ(barRect.top, origin.y);
    EXPECT_GT(barRect.Height(), 15);
}

// ---- Routing through view and document ----
namespace
{
int g_docRuns, g_viewRuns, g_appRuns, g_docsAlive, g_initialUpdates;

class CRouteDoc : public CDocument
{
    DECLARE_DYNCREATE(CRouteDoc)
public:
    CRouteDoc() { ++g_docsAlive; }
    ~CRouteDoc() override { --g_docsAlive; }
    afx_msg void OnDocCommand() { ++g_docRuns; }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CRouteDoc, CDocument)
BEGIN_MESSAGE_MAP(CRouteDoc, CDocument)
    ON_COMMAND(ID_TEST_DISABLED, OnDocCommand)
    ON_COMMAND(ID_TEST_ENABLED, OnDocCommand)
END_MESSAGE_MAP()

class CRouteView : public CView
{
    DECLARE_DYNCREATE(CRouteView)
public:
    void OnDraw(CDC*) override {}
    void OnInitialUpdate() override { ++g_initialUpdates; }
    afx_msg void OnViewCommand() { ++g_viewRuns; }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CRouteView, CView)
BEGIN_MESSAGE_MAP(CRouteView, CView)
    ON_COMMAND(ID_TEST_ENABLED, OnViewCommand)
END_MESSAGE_MAP()

class CRouteApp : public CWinApp
{
public:
    CRouteApp() : CWinApp("FrameworkWindowTests") {}
    afx_msg void OnAppCommand() { ++g_appRuns; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CRouteApp, CWinApp)
    ON_COMMAND(ID_TEST_CHECKED, OnAppCommand)
    ON_COMMAND(ID_TEST_ENABLED, OnAppCommand)
END_MESSAGE_MAP()

CRouteApp theApp;
}

TEST(CommandRouting, ViewThenDocumentThenApplication)
{
    wintest::ScopedThread thread;
    g_docRuns = g_viewRuns = g_appRuns = g_initialUpdates = 0;
    int docsBefore = g_docsAlive;
    CSingleDocTemplate* docTemplate =
        new CSingleDocTemplate(IDR_TESTFRAME, RUNTIME_CLASS(CRouteDoc), RUNTIME_CLASS(CFrameWnd),
                               RUNTIME_CLASS(CRouteView));
    CDocument* doc = docTemplate->OpenDocumentFile(NULL);
    ASSERT_NE(doc, nullptr);
    CFrameWnd* frame = (CFrameWnd*)thread->m_pMainWnd;
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(g_docsAlive, docsBefore + 1);
    EXPECT_EQ(g_initialUpdates, 1);
    ASSERT_NE(frame->GetActiveView(), nullptr);
    EXPECT_EQ(frame->GetActiveDocument(), doc);
    char title[64] = "";
    GetWindowTextA(frame->m_hWnd, title, sizeof(title));
    EXPECT_STREQ(title, "Test frame - TestDoc");

    HWND hFrame = frame->m_hWnd;
    SendMessageA(hFrame, WM_COMMAND, ID_TEST_ENABLED, 0);  // the view has it first
    SendMessageA(hFrame, WM_COMMAND, ID_TEST_DISABLED, 0); // only the document has it
    SendMessageA(hFrame, WM_COMMAND, ID_TEST_CHECKED, 0);  // only the application has it
    EXPECT_EQ(g_viewRuns, 1);
    EXPECT_EQ(g_docRuns, 1);
    EXPECT_EQ(g_appRuns, 1);

    // Closing the only frame closes the document with it.
    SendMessageA(hFrame, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(hFrame));
    EXPECT_EQ(g_docsAlive, docsBefore);
    EXPECT_EQ(thread->m_pMainWnd, nullptr);
    wintest::Pump(*thread, 50);
    delete docTemplate;
}
