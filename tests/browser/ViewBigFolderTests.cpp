// A folder of 20,000 pictures: the view keeps windows only for the cells in
// or near sight, whatever is scrolled to, and selection and order work for
// pictures whose cells have no window.
#include "ViewTestKit.h"
#include "ThumbnailWindow.h"

using namespace view_test;

namespace
{
const int kPictures = 20000;

// One folder for the suite: writing and removing 20,000 files takes a while.
class ViewBigFolder : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_folder = new TempFolder("ViewBigFolder");
        s_window = new BrowserWindow(800, 600);
        // Written natively (Wine takes minutes for 20,000 files), once the
        // window is up.
        MakePicturesNatively(s_folder->Path(), kPictures);
    }
    static void TearDownTestSuite()
    {
        delete s_window;
        s_window = NULL;
        delete s_folder;
        s_folder = NULL;
    }
    void SetUp() override
    {
        ASSERT_TRUE(s_window->View() != NULL);
        s_window->SetClientSize(800, 600);
    }
    void TearDown() override { s_window->View()->ClearView(); }
    static TempFolder* s_folder;
    static BrowserWindow* s_window;
};
TempFolder* ViewBigFolder::s_folder = NULL;
BrowserWindow* ViewBigFolder::s_window = NULL;

// Cells of the grid that lie in `area` (client coordinates) and have no window.
int WindowlessIn(CBrowserView* view, CRect area)
{
    area.OffsetRect(view->GetScrollPosition());
    int n = 0;
    for (int k : view->GetGrid().CellsIn(area))
        n += view->GetCellWindow(k) == NULL;
    return n;
}
}

TEST_F(ViewBigFolder, WindowsStayBoundedWhileScrollingToTheEndAndBack)
{
    CBrowserView* view = s_window->View();
    view->ShowFolder(s_folder->Path().c_str());
    ASSERT_EQ((size_t)kPictures, view->GetEntries().size());
    const BrowserViewRules::CellGrid& grid = view->GetGrid();
    EXPECT_LE((long long)grid.pitchY * grid.rows, BrowserViewRules::MaxExtent);

    // A window (and its caption edit) per cell within a screen or so of the
    // visible part; nothing like one per picture.
    CRect client;
    view->GetClientRect(&client);
    int seen = (client.Width() / grid.pitchX + 2) * (client.Height() / grid.pitchY + 2);
    int bound = 2 * 3 * seen * 2;
    int peak = CountDescendants(view->m_hWnd);
    EXPECT_GT(peak, 0);
    EXPECT_LE(peak, bound);
    EXPECT_EQ(0, WindowlessIn(view, client));

    // To the end by pages, then at once to the bottom-right and back home.
    for (int i = 0; i < 40; ++i)
    {
        view->SendMessage(WM_KEYDOWN, VK_NEXT, 0);
        peak = std::max(peak, CountDescendants(view->m_hWnd));
    }
    view->SendMessage(WM_KEYDOWN, VK_END, 0);
    view->SendMessage(WM_HSCROLL, SB_BOTTOM, 0);
    Pump(20);
    peak = std::max(peak, CountDescendants(view->m_hWnd));
    // The bottom-right corner shows the last cell of the last full row.
    EXPECT_TRUE(view->GetCellWindow(grid.columns * (grid.rows - 1) - 1) != NULL);
    EXPECT_TRUE(view->GetCellWindow(0) == NULL);
    EXPECT_EQ(0, WindowlessIn(view, client));
    view->SendMessage(WM_KEYDOWN, VK_HOME, 0);
    Pump(20);
    peak = std::max(peak, CountDescendants(view->m_hWnd));
    EXPECT_TRUE(view->GetCellWindow(0) != NULL);
    EXPECT_TRUE(view->GetCellWindow(kPictures - 1) == NULL);
    EXPECT_LE(peak, bound);

    // Every window is placed where its picture's cell is.
    CPoint scroll = view->GetScrollPosition();
    for (int k = 0; k < 3; ++k)
    {
        CRect placed;
        view->GetCellWindow(k)->GetWindowRect(&placed);
        view->ScreenToClient(&placed);
        EXPECT_EQ(grid.CellRect(k) - scroll, placed);
    }
}

TEST_F(ViewBigFolder, SelectionAndOrderReachPicturesWithoutWindows)
{
    CBrowserView* view = s_window->View();
    view->ShowFolder(s_folder->Path().c_str());
    ASSERT_EQ((size_t)kPictures, view->GetEntries().size());
    CFileInfoList* list = view->GetFileList();
    int distant = kPictures - 10;
    ASSERT_TRUE(view->GetCellWindow(distant) == NULL);

    view->SelectAll();
    EXPECT_EQ(kPictures, list->GetSelectedFileCount());
    view->InvertSelection();
    EXPECT_EQ(0, list->GetSelectedFileCount());
    view->ClickSelectIndex(distant, FALSE, false);
    view->ClickSelectIndex(2, FALSE, true);
    EXPECT_EQ(2, list->GetSelectedFileCount());
    EXPECT_TRUE(view->GetEntries()[distant]->Selected());
    // A plain click clears the distant one too, and selecting shows on the cell.
    view->ClickSelectIndex(1, FALSE, false);
    EXPECT_EQ(1, list->GetSelectedFileCount());
    EXPECT_FALSE(view->GetEntries()[distant]->Selected());

    // The distant picture dropped onto the start of the first row becomes first.
    CFileInfo* moved = view->GetEntries()[distant];
    CRect first = view->GetGrid().CellRect(0) - view->GetScrollPosition();
    view->DropIndexAt(distant, CPoint(first.left - 5, first.top));
    EXPECT_EQ(moved, view->GetEntries()[0]);
    EXPECT_EQ(moved, list->GetHead());
    EXPECT_TRUE(view->GetCellWindow(0) != NULL);
    EXPECT_EQ(moved, view->GetCellWindow(0)->GetFileInfo());

    // Scrolling it away and back hands its window around and finds it again.
    view->SendMessage(WM_KEYDOWN, VK_END, 0);
    view->SendMessage(WM_KEYDOWN, VK_HOME, 0);
    EXPECT_EQ(moved, view->GetCellWindow(0)->GetFileInfo());
}
