// The thumbnail view with real windows: clicks with and without Ctrl, the
// rubber band, re-inserting a dragged cell, and what Cut and Remove do while
// a folder or an album is shown.
#include "ViewTestKit.h"
#include "Album.h"
#include "CCmdUI.h"
#include "ThumbnailWindow.h"

using namespace view_test;

BrowserWindow* ViewWindowTest::s_window = NULL;

namespace
{
std::string Order(CBrowserView* view)
{
    std::string order;
    for (CFileInfo* entry : view->GetEntries())
        order += (LPCSTR)NameOf(entry).Mid(5, 1); // p0000N.bmp -> N
    return order;
}

class StateProbe : public CCmdUI
{
public:
    explicit StateProbe(UINT id) { m_nID = id; }
    bool enabled = true;
    void Enable(BOOL bOn = TRUE) override { enabled = bOn != FALSE; }
};

bool Enabled(CBrowserView* view, UINT id)
{
    StateProbe probe(id);
    view->OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &probe, NULL);
    return probe.enabled;
}
}

TEST_F(ViewWindow, CtrlClickTogglesOnlyThatCellAndAPlainClickSelectsOnlyItsOwn)
{
    TempFolder folder("ViewClicks");
    MakePictures(folder.Path(), 6);
    CBrowserView* view = View();
    view->ShowFolder(folder.Path().c_str());
    ASSERT_EQ(6u, view->GetEntries().size());
    const std::vector<CFileInfo*>& e = view->GetEntries();

    view->ClickSelect(view->GetCellWindow(1)); // no key is held
    view->ClickSelectIndex(3, FALSE, true);
    EXPECT_TRUE(e[1]->Selected() && e[3]->Selected());
    EXPECT_EQ(e[3], view->GetFileList()->GetCurrentFile());
    view->ClickSelectIndex(1, FALSE, true); // Ctrl on a selected cell
    EXPECT_FALSE(e[1]->Selected());
    EXPECT_TRUE(e[3]->Selected());
    view->ClickSelectIndex(4, FALSE, false);
    EXPECT_EQ(1, SelectedCount(view));
    EXPECT_TRUE(e[4]->Selected());

    // The rubber band over the first two cells of the first row.
    CRect first = view->GetGrid().CellRect(0), second = view->GetGrid().CellRect(1);
    view->ClickSelectIndex(-1, FALSE, false);
    view->SelectInBand(CRect(first.left + 5, first.top + 5, second.left + 5, second.bottom - 5));
    EXPECT_TRUE(e[0]->Selected() && e[1]->Selected());
    EXPECT_EQ(2, SelectedCount(view));
    EXPECT_EQ(e[1], view->GetFileList()->GetCurrentFile());

    view->InvertSelection();
    EXPECT_EQ(4, SelectedCount(view));
    view->SelectAll();
    EXPECT_EQ(6, SelectedCount(view));
}

TEST_F(ViewWindow, ADroppedCellGoesBeforeTheCellUnderItsLeftHalfOrAtTheEnd)
{
    TempFolder folder("ViewDrop");
    MakePictures(folder.Path(), 6);
    CBrowserView* view = View();
    view->ShowFolder(folder.Path().c_str());
    ASSERT_EQ("012345", Order(view));
    ASSERT_GE(view->GetGrid().columns, 3);

    // Cell 0 dragged onto the left half of cell 2 (same row).
    CThumbnailWindow* cell = view->GetCellWindow(0);
    ASSERT_TRUE(cell != NULL);
    CRect target = view->GetGrid().CellRect(2);
    cell->SetWindowPos(NULL, target.left - 10, target.top + 4, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    view->DropCell(cell);
    EXPECT_EQ("102345", Order(view));
    // The cell snapped to its new place.
    CRect placed;
    cell->GetWindowRect(&placed);
    view->ScreenToClient(&placed);
    EXPECT_EQ(view->GetGrid().CellRect(1), placed);

    // Below the last row: the end.
    CRect last = view->GetGrid().CellRect(5);
    view->DropIndexAt(1, CPoint(last.left, last.bottom + 200));
    EXPECT_EQ("123450", Order(view));

    // The new order is what the catalogue keeps.
    view->ClearView();
    view->ShowFolder(folder.Path().c_str());
    EXPECT_EQ("123450", Order(view));
}

TEST_F(ViewWindow, CutAndRemoveDoNothingWhileAFolderIsShown)
{
    TempFolder folder("ViewCut");
    MakePictures(folder.Path(), 4);
    CBrowserView* view = View();
    view->ShowFolder(folder.Path().c_str());
    view->SelectAll();
    EXPECT_FALSE(Enabled(view, ID_EDIT_CUT));
    EXPECT_FALSE(Enabled(view, ID_REMOVE));
    EXPECT_TRUE(Enabled(view, ID_EDIT_COPY));
    view->CutSelection();
    view->RemoveSelection();
    EXPECT_EQ(4u, view->GetEntries().size());
    EXPECT_TRUE(CFileInfo::FileExist((folder / "p00000.bmp").c_str()));

    // In an album they remove the selected pictures (and only from the album).
    unsigned number = CAlbum::CreateNewAlbum(0);
    {
        CAlbum album(number);
        album.InsertFile((folder / "p00001.bmp").c_str());
        album.InsertFile((folder / "p00002.bmp").c_str());
        album.InsertFile((folder / "p00003.bmp").c_str());
        album.Save();
    }
    view->ShowAlbum(number);
    ASSERT_EQ(3u, view->GetEntries().size());
    view->ClickSelectIndex(1, FALSE, false);
    EXPECT_TRUE(Enabled(view, ID_REMOVE));
    int windows = view->GetCellWindowCount();
    CString before;
    s_window->Frame()->GetWindowText(before);
    view->CutSelection();
    EXPECT_EQ(2u, view->GetEntries().size());
    // The title keeps the album's place and counts what is left.
    CString after;
    s_window->Frame()->GetWindowText(after);
    ASSERT_EQ(before.Right(7), CString("3 files"));
    EXPECT_STREQ((LPCSTR)(before.Left(before.GetLength() - 7) + "2 files"), (LPCSTR)after);
    EXPECT_EQ(windows - 1, view->GetCellWindowCount());
    EXPECT_TRUE(CFileInfo::FileExist((folder / "p00002.bmp").c_str()));
    view->ClearView();
    {
        CAlbum album(number);
        album.Load();
        EXPECT_EQ(2, album.GetCount());
    }
    CAlbum::DeleteAlbum(number);
}

// Cells make their description edit only once descriptions are shown; what
// is typed into it becomes the picture's description.
TEST_F(ViewWindow, TheDescriptionEditComesWithDescriptionsAndTakesTheText)
{
    TempFolder folder("ViewDescriptions");
    MakePictures(folder.Path(), 3);
    CBrowserView* view = View();
    view->ShowFolder(folder.Path().c_str());
    Pump(50);
    ASSERT_EQ(3, view->GetCellWindowCount());
    EXPECT_EQ(3, CountDescendants(view->m_hWnd)) << "names shown: cells without edits";

    CBrowserFrame* frame = s_window->Frame();
    frame->m_bPropShowFileName = 0;
    frame->m_bPropShowFileDescription = 1;
    frame->ApplyLook();
    Pump(50);
    EXPECT_EQ(6, CountDescendants(view->m_hWnd));
    CThumbnailWindow* cell = view->GetCellWindow(1);
    ASSERT_TRUE(cell && cell->m_Caption.m_hWnd);
    EXPECT_TRUE(cell->m_Caption.IsWindowVisible());
    cell->m_Caption.SetWindowText("harbour at dusk");
    EXPECT_STREQ("harbour at dusk", (LPCSTR)view->GetEntries()[1]->GetDescription());

    frame->m_bPropShowFileName = 1;
    frame->m_bPropShowFileDescription = 0;
    frame->ApplyLook();
    Pump(50);
    EXPECT_FALSE(cell->m_Caption.IsWindowVisible());
}
