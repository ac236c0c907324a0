// The description edit of a cell: what the user types goes to the cell's
// own picture, also when the cell's window is handed to another picture as
// the grid scrolls while the edit has the keyboard.
#include "ViewTestKit.h"
#include "CellWindowPool.h"
#include "Folder.h"
#include "ThumbnailWindow.h"

using namespace view_test;

namespace
{
void Type(HWND window, const char* text)
{
    for (const char* c = text; *c; ++c)
        SendMessageA(window, WM_CHAR, (WPARAM)(unsigned char)*c, 1);
}

bool IsLive(CBrowserView* view, CThumbnailWindow* cell)
{
    for (CThumbnailWindow* live : view->m_pCells->Windows())
        if (live == cell)
            return true;
    return false;
}
}

TEST_F(ViewWindow, ADescriptionTypedIntoAReusedCellStaysWithItsOwnPicture)
{
    TempFolder folder("CaptionReuse");
    MakePicturesNatively(folder.Path(), 200);
    DescriptionsShown shown(s_window->Frame());
    CBrowserView* view = View();
    view->ShowFolder(folder.Path().c_str());
    Pump(300); // the cells paint and make their edits

    CFileInfo* first = view->GetEntries()[0];
    CThumbnailWindow* cell = view->GetCellWindow(0);
    ASSERT_TRUE(cell && cell->m_Caption.m_hWnd);
    cell->m_Caption.SetFocus();
    ASSERT_EQ(cell->m_Caption.m_hWnd, GetFocus());
    Type(GetFocus(), "abc");

    // The grid scrolls far down: the cell's window shows another picture.
    view->ScrollToFile(view->GetEntries()[150]->GetName());
    Pump(100);
    ASSERT_TRUE(IsLive(view, cell)) << "the window was not handed on";
    CFileInfo* other = cell->GetFileInfo();
    ASSERT_NE(first, other);
    // Whatever has the keyboard now, typing does not describe the other picture.
    Type(GetFocus(), "xyz");
    EXPECT_STREQ("abc", first->GetDescription());
    EXPECT_STREQ("", other->GetDescription());
    CString otherName = other->GetName();
    view->ClearView();

    // Saved so: the typed text on its own picture alone.
    CFolder stored(folder.Path().c_str());
    stored.Load();
    int described = 0;
    for (POSITION pos = stored.GetHeadPosition(); pos;)
    {
        CFileInfo* entry = (CFileInfo*)stored.GetNext(pos);
        if (!entry->GetDescription().IsEmpty())
            ++described;
    }
    EXPECT_EQ(1, described);
    EXPECT_STREQ("abc", stored.GetFile((folder / "p00000.bmp").c_str())->GetDescription());
    EXPECT_STREQ("", stored.GetFile(otherName)->GetDescription());
}
