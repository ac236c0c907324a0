// How the cells look and whom they tell: the frame's look reaches every cell
// when it changes (not at the cells' next paint), and a cell's clicks and
// descriptions go to its host, whatever that host is.
#include "ViewTestKit.h"
#include "CellHost.h"
#include "CellWindowPool.h"
#include "FileInfo.h"
#include "ThumbnailWindow.h"
#include "resource.h"

using namespace view_test;

namespace
{
// An entry of no list (lists make them otherwise).
struct LoneEntry : CFileInfo
{
    explicit LoneEntry(const char* path) : CFileInfo(path) {}
};

struct RecordingHost : CCellHost
{
    std::vector<std::string> calls;
    CString described;
    void CellClicked(CThumbnailWindow*, BOOL keepOthers) override
    {
        calls.push_back(keepOthers ? "clicked+" : "clicked");
    }
    void CellDropped(CThumbnailWindow*) override { calls.push_back("dropped"); }
    void CellDraggedOut() override { calls.push_back("dragged out"); }
    void CellOpened(CFileInfo* entry) override { calls.push_back("opened " + std::string(entry->GetName())); }
    void CellDescribed(CFileInfo*, const CString& text) override
    {
        calls.push_back("described");
        described = text;
    }
    int SelectedCount() const override { return 0; }
};
} // namespace

TEST_F(ViewWindow, ANewLookReachesEveryCellBeforeItPaints)
{
    TempFolder folder("CellLook");
    MakePicturesNatively(folder.Path(), 12);
    CBrowserView* view = View();
    view->ShowFolder(folder.Path().c_str());
    Pump(300);
    std::vector<CThumbnailWindow*> cells = view->m_pCells->Windows();
    ASSERT_FALSE(cells.empty());
    {
        // No message is handled in between: the edits come with the look.
        DescriptionsShown shown(s_window->Frame());
        for (CThumbnailWindow* cell : cells)
        {
            EXPECT_TRUE(cell->GetLook().showDescription);
            ASSERT_TRUE(cell->m_Caption.m_hWnd != NULL);
            EXPECT_TRUE(cell->m_Caption.IsWindowVisible());
        }
    }
    for (CThumbnailWindow* cell : cells)
        EXPECT_FALSE(cell->m_Caption.IsWindowVisible());

    // Fit changes the look at once, and the width stays.
    CBrowserFrame* frame = s_window->Frame();
    int size = frame->m_nThumbXSize;
    BOOL fit = frame->m_ThumbsMaxFit;
    frame->SendMessage(WM_COMMAND, ID_FIT_THUMBS);
    EXPECT_EQ(size, (int)frame->m_nThumbXSize);
    for (CThumbnailWindow* cell : view->m_pCells->Windows())
        EXPECT_EQ(!fit, !!cell->GetLook().fit);
    frame->SendMessage(WM_COMMAND, ID_FIT_THUMBS);
    EXPECT_EQ(!!fit, !!view->GetLook().fit);
}

TEST_F(ViewWindow, ACellTellsItsHostWhatTheUserDid)
{
    LoneEntry entry("C:\\pictures\\harbour.jpg");
    RecordingHost host;
    CThumbnailWindow cell(View(), &host, &entry);
    CCellLook look;
    look.showName = FALSE;
    look.showDescription = TRUE;
    ASSERT_TRUE(cell.CreateCell(CRect(0, 0, 124, 112), look, NULL));

    cell.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 10));
    ASSERT_EQ(2u, host.calls.size());
    EXPECT_EQ("opened C:\\pictures\\harbour.jpg", host.calls[0]);
    EXPECT_EQ("clicked", host.calls[1]);

    ASSERT_TRUE(cell.m_Caption.m_hWnd != NULL);
    cell.m_Caption.SetWindowText("at dusk");
    EXPECT_EQ("described", host.calls.back());
    EXPECT_STREQ("at dusk", (LPCSTR)host.described);
    EXPECT_STREQ("", (LPCSTR)entry.GetDescription()); // the host decides where it goes
}
