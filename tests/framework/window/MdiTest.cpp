// Multiple documents: each file gets its own document and child frame, the
// active child's document takes the commands, and closing a child closes
// its document only.
#include <gtest/gtest.h>
#include "CMDIFrameWnd.h"
#include "CView.h"
#include "CDocument.h"
#include "CDocTemplate.h"
#include "WindowTestKit.h"
#include "WindowTestRes.h"

namespace
{
int g_mdiDocs = 0;
CString g_lastCommandDoc;

class CMdiDoc : public CDocument
{
    DECLARE_DYNCREATE(CMdiDoc)
public:
    CMdiDoc() { ++g_mdiDocs; }
    ~CMdiDoc() override { --g_mdiDocs; }
    afx_msg void OnCommand() { g_lastCommandDoc = GetTitle(); }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CMdiDoc, CDocument)
BEGIN_MESSAGE_MAP(CMdiDoc, CDocument)
    ON_COMMAND(ID_TEST_CHECKED, OnCommand)
END_MESSAGE_MAP()

class CMdiView : public CView
{
    DECLARE_DYNCREATE(CMdiView)
public:
    void OnDraw(CDC*) override {}
};
IMPLEMENT_DYNCREATE(CMdiView, CView)
}

TEST(MultipleDocuments, EachDocumentHasItsChildAndTakesCommandsWhenActive)
{
    wintest::ScopedThread thread;
    int before = g_mdiDocs;
    CMDIFrameWnd* mainFrame = new CMDIFrameWnd;
    ASSERT_TRUE(mainFrame->LoadFrame(IDR_TESTFRAME));
    thread->m_pMainWnd = mainFrame;
    mainFrame->ShowWindow(SW_SHOW);
    ASSERT_NE(mainFrame->m_hWndMDIClient, nullptr);
    CMultiDocTemplate* docTemplate = new CMultiDocTemplate(IDR_TESTFRAME, RUNTIME_CLASS(CMdiDoc),
                                                           RUNTIME_CLASS(CMDIChildWnd), RUNTIME_CLASS(CMdiView));
    CDocument* first = docTemplate->OpenDocumentFile(NULL);
    CDocument* second = docTemplate->OpenDocumentFile(NULL);
    ASSERT_TRUE(first && second);
    EXPECT_EQ(g_mdiDocs, before + 2);
    EXPECT_STREQ(first->GetTitle(), "TestDoc1");
    EXPECT_STREQ(second->GetTitle(), "TestDoc2");
    EXPECT_EQ(thread->m_pMainWnd, mainFrame); // children never become the main window

    CMDIChildWnd* active = mainFrame->MDIGetActive();
    ASSERT_NE(active, nullptr);
    EXPECT_EQ(active->GetActiveDocument(), second);
    char title[64] = "";
    GetWindowTextA(mainFrame->m_hWnd, title, sizeof(title));
    EXPECT_STREQ(title, "Test frame - TestDoc2");

    HWND hMain = mainFrame->m_hWnd;
    SendMessageA(hMain, WM_COMMAND, ID_TEST_CHECKED, 0);
    EXPECT_STREQ(g_lastCommandDoc, "TestDoc2");

    // Activate the first child: commands follow it.
    POSITION pos = first->GetFirstViewPosition();
    CMDIChildWnd* firstChild = (CMDIChildWnd*)first->GetNextView(pos)->GetParentFrame();
    firstChild->MDIActivate();
    EXPECT_EQ(mainFrame->MDIGetActive(), firstChild);
    SendMessageA(hMain, WM_COMMAND, ID_TEST_CHECKED, 0);
    EXPECT_STREQ(g_lastCommandDoc, "TestDoc1");

    // Closing a child closes its document only.
    SendMessageA(firstChild->m_hWnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(g_mdiDocs, before + 1);
    EXPECT_EQ(mainFrame->MDIGetActive()->GetActiveDocument(), second);

    SendMessageA(hMain, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(hMain));
    EXPECT_EQ(g_mdiDocs, before);
    wintest::Pump(*thread, 50);
    delete docTemplate;
}
