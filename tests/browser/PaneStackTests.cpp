// The left pane's stack of tool windows: what a fresh profile opens, how
// folding moves the captions up, the 50-pixel floor of a dragged splitter,
// and the settings written at every layout.
#include <gtest/gtest.h>

#include "PaneTestKit.h"
#include "SimpleSplitter.h"
#include "panes/ZToolCaptionDialog.h"

using namespace pane_test;

namespace
{
const char* const OpenSettings[9] = {"m_bShowExplorer",  "m_bShowAlbums",    "m_bShowIndexedFolders",
                                     "m_bShowResize",    "m_bShowRotate",    "m_bShowWatermark",
                                     "m_bShowGrayScale", "m_bShowAviCreator", "m_bShowColors"};
const char* const HeightSettings[9] = {"m_HeightExplorer",  "m_HeightAlbums",    "m_HeightIndexedFolders",
                                       "m_HeightResize",    "m_HeightRotate",    "m_HeightWatermark",
                                       "m_HeightGrayScale", "m_HeightAviCreator", "m_HeightColors"};
const char* const Captions[9] = {"Windows explorer",
                                 "Virtual albums",
                                 "Indexed folders",
                                 "Resize selected images",
                                 "Rotate/flip selected images",
                                 "Watermark selected images",
                                 "Grayscale selected images",
                                 "Create video using selected images",
                                 "Background"};

CRect InView(CLeftView* view, CWnd* child)
{
    CRect rc;
    child->GetWindowRect(&rc);
    view->ScreenToClient(&rc);
    return rc;
}

void FreshProfile()
{
    for (int i = 0; i < 9; i++)
    {
        RemoveSetting(OpenSettings[i]);
        RemoveSetting(HeightSettings[i]);
    }
}
}

TEST(LeftPane, FreshProfileOpensOnlyTheExplorerWithTheOthersFoldedBelow)
{
    FreshProfile();
    // A fixed tool window keeps its template height whatever is stored.
    WriteSetting("m_HeightResize", 999);
    BrowserWindow window;
    CLeftView* left = window.Left();
    ASSERT_NE(nullptr, left);
    Pump(200);
    ASSERT_EQ(9, left->GetToolWindowCount());

    TOOL_WINDOW_ITEM* explorer = left->GetToolWindowItem(0);
    EXPECT_TRUE(explorer->m_pToolWindow->IsWindowVisible());
    ASSERT_NE(nullptr, explorer->m_pSplitter);
    CRect explorerRect = InView(left, explorer->m_pToolWindow);
    EXPECT_EQ(0, InView(left, explorer->m_pCaption).top);
    EXPECT_EQ(26, InView(left, explorer->m_pCaption).Height());
    EXPECT_EQ(26, explorerRect.top);
    EXPECT_EQ(explorerRect.bottom, InView(left, explorer->m_pSplitter).top);
    EXPECT_EQ(6, InView(left, explorer->m_pSplitter).Height());
    int below = explorerRect.bottom + 6;
    for (int i = 0; i < 9; i++)
    {
        TOOL_WINDOW_ITEM* item = left->GetToolWindowItem(i);
        EXPECT_STREQ(Captions[i], item->m_pCaption->GetCaption()) << i;
        EXPECT_EQ(i == 0 ? 1 : 0, ReadSetting(OpenSettings[i])) << OpenSettings[i];
        EXPECT_EQ(i < 3, item->m_pSplitter != NULL) << i;
        if (i == 0)
            continue;
        EXPECT_FALSE(item->m_pToolWindow->IsWindowVisible()) << Captions[i];
        if (item->m_pSplitter)
        {
            EXPECT_FALSE(item->m_pSplitter->IsWindowVisible()) << Captions[i];
        }
        EXPECT_EQ(below + 26 * (i - 1), InView(left, item->m_pCaption).top) << Captions[i];
    }
    EXPECT_EQ(explorerRect.Height(), ReadSetting("m_HeightExplorer"));
    int resizeHeight = InView(left, left->GetToolWindowItem(3)->m_pToolWindow).Height();
    EXPECT_NE(999, resizeHeight);
    EXPECT_EQ(resizeHeight, ReadSetting("m_HeightResize"));
}

TEST(LeftPane, FoldingMovesTheCaptionsBelowUpAndWritesZero)
{
    FreshProfile();
    BrowserWindow window;
    CLeftView* left = window.Left();
    ASSERT_NE(nullptr, left);
    Pump(100);
    TOOL_WINDOW_ITEM* explorer = left->GetToolWindowItem(0);
    int height = InView(left, explorer->m_pToolWindow).Height();
    int before = InView(left, left->GetToolWindowItem(4)->m_pCaption).top;

    explorer->m_pCaption->ToggleToolWindow();
    EXPECT_FALSE(explorer->m_pToolWindow->IsWindowVisible());
    EXPECT_FALSE(explorer->m_pSplitter->IsWindowVisible());
    EXPECT_EQ(26, InView(left, left->GetToolWindowItem(1)->m_pCaption).top);
    EXPECT_EQ(before - height - 6, InView(left, left->GetToolWindowItem(4)->m_pCaption).top);
    EXPECT_EQ(0, ReadSetting("m_bShowExplorer"));

    // A double click on a folded caption opens its window again.
    explorer->m_pCaption->SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(100, 10));
    EXPECT_TRUE(explorer->m_pToolWindow->IsWindowVisible());
    EXPECT_EQ(before, InView(left, left->GetToolWindowItem(4)->m_pCaption).top);
    EXPECT_EQ(1, ReadSetting("m_bShowExplorer"));
}

TEST(LeftPane, ASplitterDraggedAboveTheFloorLeavesFiftyPixels)
{
    FreshProfile();
    BrowserWindow window;
    CLeftView* left = window.Left();
    ASSERT_NE(nullptr, left);
    Pump(100);
    TOOL_WINDOW_ITEM* albums = left->GetToolWindowItem(1);
    albums->m_pCaption->ToggleToolWindow();
    ASSERT_TRUE(albums->m_pToolWindow->IsWindowVisible());
    EXPECT_EQ(1, ReadSetting("m_bShowAlbums"));
    int captionTop = InView(left, albums->m_pCaption).top;
    CRect bar = InView(left, albums->m_pSplitter);

    // The user lets the bar go just below the caption.
    albums->m_pSplitter->MoveWindow(0, captionTop + 30, bar.Width(), 6);
    albums->m_pSplitter->SetMoved(TRUE);
    left->SendMessage(WM_SIZE, 9, 0);
    EXPECT_EQ(50, InView(left, albums->m_pToolWindow).Height());
    EXPECT_EQ(captionTop + 76, InView(left, albums->m_pSplitter).top);
    EXPECT_EQ(50, ReadSetting("m_HeightAlbums"));
    EXPECT_EQ(captionTop + 82, InView(left, left->GetToolWindowItem(2)->m_pCaption).top);

    // Further down it takes the height the user gave it.
    albums->m_pSplitter->MoveWindow(0, captionTop + 26 + 140, bar.Width(), 6);
    albums->m_pSplitter->SetMoved(TRUE);
    left->SendMessage(WM_SIZE, 9, 0);
    EXPECT_EQ(140, InView(left, albums->m_pToolWindow).Height());
    EXPECT_EQ(140, ReadSetting("m_HeightAlbums"));
    FreshProfile();
}
