// The thumbnail view's rules without windows: grid pitch and the row-height
// limit, where a dragged cell goes back, the click rule, the Viewer's
// parameter and the command states.
#include <gtest/gtest.h>
#include "BrowserViewRules.h"
#include "resource.h"

using namespace BrowserViewRules;

TEST(ViewLayout, TwelveCellsSpreadTheirPitchOverTheClient)
{
    CellGrid g = ComputeGrid(12, 130, 100, 600, 400);
    EXPECT_EQ(4, g.columns);
    EXPECT_EQ(3, g.rows);
    EXPECT_EQ(150, g.pitchX); // 4 x 146 < 600
    EXPECT_EQ(133, g.pitchY); // 3 x 112 < 400
    EXPECT_EQ(CRect(10, 16, 140, 116), g.CellRect(0));
    EXPECT_EQ(CRect(460, 282, 590, 382), g.CellRect(11));
    EXPECT_EQ(CSize(600, 399), g.TotalSize());
}

TEST(ViewLayout, OneCellIsCentredInTheWholeClient)
{
    CellGrid g = ComputeGrid(1, 130, 100, 1000, 700);
    EXPECT_EQ(1, g.columns);
    EXPECT_EQ(1, g.rows);
    EXPECT_EQ(1000, g.pitchX);
    EXPECT_EQ(700, g.pitchY);
    EXPECT_EQ(CRect(435, 300, 565, 400), g.CellRect(0));
}

TEST(ViewLayout, RowsStayUnderTheExtentLimit)
{
    // One column would make 1000 rows of 112 pixels.
    CellGrid g = ComputeGrid(1000, 130, 100, 100, 300);
    EXPECT_LE((long long)g.pitchY * g.rows, MaxExtent);
    EXPECT_EQ(4, g.columns);
    EXPECT_EQ(250, g.rows);
    EXPECT_GT(112LL * ((1000 + 2) / 3), (long long)MaxExtent); // three columns were not enough
    // A grid of 20,000 keeps the same bound with many more columns.
    CellGrid big = ComputeGrid(20000, 130, 100, 1200, 900);
    EXPECT_LE((long long)big.pitchY * big.rows, MaxExtent);
    EXPECT_EQ(20000, big.CellsIn(CRect(CPoint(0, 0), big.TotalSize())).size());
}

TEST(ViewLayout, CellsInFindsOnlyTheCellsTouched)
{
    CellGrid g = ComputeGrid(12, 130, 100, 600, 400);
    std::vector<int> cells = g.CellsIn(CRect(100, 100, 200, 150)); // cells 0 and 1, 4 and 5
    EXPECT_EQ((std::vector<int>{0, 1, 4, 5}), cells);
    EXPECT_TRUE(g.CellsIn(CRect(0, 0, 9, 400)).empty()); // the margin left of the first column
    EXPECT_TRUE(g.CellsIn(CRect(50, 50, 50, 50)).empty());
}

TEST(ViewDrop, LeftHalfOfACellInTheSameRowGoesBeforeIt)
{
    CellGrid g = ComputeGrid(6, 100, 80, 400, 300); // 3 columns
    std::vector<CRect> others;
    for (int k = 1; k < 6; ++k) // cell 0 is being dragged
        others.push_back(g.CellRect(k));
    int half = (80 + GapY) / 2;
    CRect onCell4 = g.CellRect(4);
    onCell4.OffsetRect(-30, 10); // left part of cell 4, a little lower
    EXPECT_EQ(3, FindDropPosition(onCell4, others, half)); // before cell 4 (others[3])
    CRect rightOfCell4 = g.CellRect(4);
    rightOfCell4.OffsetRect(30, 0);
    EXPECT_EQ(4, FindDropPosition(rightOfCell4, others, half)); // before cell 5
    CRect belowAll = g.CellRect(5);
    belowAll.OffsetRect(0, 200);
    EXPECT_EQ(-1, FindDropPosition(belowAll, others, half));
}

TEST(ViewClick, CtrlTogglesOneCellAndAPlainClickSelectsOnlyIt)
{
    ClickOutcome plain = ClickSelect(false, false, true);
    EXPECT_TRUE(plain.clearOthers);
    EXPECT_TRUE(plain.selected);
    ClickOutcome ctrlOnSelected = ClickSelect(true, false, true);
    EXPECT_FALSE(ctrlOnSelected.clearOthers);
    EXPECT_FALSE(ctrlOnSelected.selected);
    EXPECT_TRUE(ClickSelect(true, false, false).selected);
    EXPECT_TRUE(ClickSelect(true, true, true).selected); // forced stays selected
    EXPECT_FALSE(ClickSelect(false, true, false).clearOthers);
}

TEST(ViewPrograms, ViewerGetsTheAlbumNumberInsideTheQuotes)
{
    EXPECT_STREQ("\"7 C:\\Photos\\a b.jpg\"", ViewerParameters(7, "C:\\Photos\\a b.jpg"));
    EXPECT_STREQ("\"C:\\Photos\\a b.jpg\"", ViewerParameters(0, "C:\\Photos\\a b.jpg"));
    EXPECT_STREQ("C:\\Suite\\Viewer", SiblingProgram("C:\\Suite\\Pixmere.exe", "Viewer"));
}

TEST(ViewCommands, CutAndRemoveNeedAnAlbum)
{
    ViewState folder;
    folder.hasList = true;
    folder.entryCount = 5;
    folder.selectedCount = 2;
    EXPECT_FALSE(IsCommandEnabled(ID_EDIT_CUT, folder));
    EXPECT_FALSE(IsCommandEnabled(ID_REMOVE, folder));
    EXPECT_TRUE(IsCommandEnabled(ID_EDIT_COPY, folder));
    ViewState album = folder;
    album.albumShown = true;
    EXPECT_TRUE(IsCommandEnabled(ID_EDIT_CUT, album));
    EXPECT_TRUE(IsCommandEnabled(ID_REMOVE, album));
    album.selectedCount = 0;
    EXPECT_FALSE(IsCommandEnabled(ID_REMOVE, album));
    EXPECT_FALSE(IsCommandEnabled(ID_EDIT_PASTE, folder));
    folder.clipboardHasFiles = true;
    EXPECT_TRUE(IsCommandEnabled(ID_EDIT_PASTE, folder));
    EXPECT_STREQ("C:\\Photos   ***   12 files", ListTitle("C:\\Photos", 12));
}
