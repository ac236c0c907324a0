// True-colour image lists and tool bars from bitmap resources.
#include <gtest/gtest.h>
#include "TCImageList.h"
#include "TCToolBar.h"
#include "CFrameWnd.h"
#include "UiTestRes.h"

TEST(TCImageList, SizesFollowTheOverloads)
{
    CTCImageList squares;
    ASSERT_EQ(squares.CreateTC(IDB_TEST_TC), 1); // squares of the bitmap's height
    EXPECT_EQ(squares.GetImageCount(), 3);
    int cx = 0, cy = 0;
    ImageList_GetIconSize(squares.m_hImageList, &cx, &cy);
    EXPECT_EQ(cx, 16);
    EXPECT_EQ(cy, 16);
    CTCImageList eights;
    ASSERT_EQ(eights.CreateTC(IDB_TEST_TC, 8), 1);
    EXPECT_EQ(eights.GetImageCount(), 6);
    CTCImageList wide;
    ASSERT_EQ(wide.CreateTC(IDB_TEST_TC, 24, 16, RGB(255, 255, 255)), 1);
    EXPECT_EQ(wide.GetImageCount(), 2);
}

TEST(TCImageList, MissingBitmapOrBadSizeFails)
{
    CTCImageList list;
    EXPECT_EQ(list.CreateTC(7777), 0);
    EXPECT_EQ(list.m_hImageList, nullptr);
    EXPECT_EQ(list.CreateTC(IDB_TEST_TC, 0), 0);
}

TEST(TCToolBar, DisabledIdZeroSetsOnlyNormalAndHotLists)
{
    CFrameWnd* frame = new CFrameWnd;
    ASSERT_TRUE(frame->Create(NULL, "bar host", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)));
    CTCToolBar bar;
    ASSERT_TRUE(bar.CreateEx(frame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP));
    ASSERT_TRUE(bar.LoadToolBar(IDR_TEST_TC_BAR));
    EXPECT_EQ(bar.LoadTCToolBar(16, IDB_TEST_TC, IDB_TEST_TC, 0), 1);
    HIMAGELIST normal = (HIMAGELIST)bar.SendMessage(TB_GETIMAGELIST);
    EXPECT_NE(normal, nullptr);
    EXPECT_EQ(ImageList_GetImageCount(normal), 3);
    // The same artwork for hot buttons is a list of its own (each is
    // destroyed with the bar), with the same images.
    HIMAGELIST hot = (HIMAGELIST)bar.SendMessage(TB_GETHOTIMAGELIST);
    EXPECT_NE(hot, nullptr);
    EXPECT_NE(hot, normal);
    EXPECT_EQ(ImageList_GetImageCount(hot), 3);
    EXPECT_EQ(bar.SendMessage(TB_GETDISABLEDIMAGELIST), 0);
    EXPECT_EQ(bar.LoadTCToolBar(16, IDB_TEST_TC, IDB_TEST_TC, IDB_TEST_TC), 1);
    EXPECT_NE(bar.SendMessage(TB_GETDISABLEDIMAGELIST), 0);
    frame->DestroyWindow();
}
