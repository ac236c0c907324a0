// Two browser windows, each on its own thread, showing one album: what one
// adds stays when the other leaves the album (and reaches it at once), and
// an album deleted in one is not made again when the other leaves it.
#include "ViewTestKit.h"
#include "PaneTestKit.h"
#include "ClipBoardData.h"
#include "Album.h"

using namespace view_test;

namespace
{
unsigned MakeAlbum(const std::vector<std::string>& pictures)
{
    unsigned number = CAlbum::CreateNewAlbum(0);
    CAlbum album(number);
    for (const std::string& picture : pictures)
        album.InsertFile(picture.c_str());
    album.Save();
    return number;
}

int StoredCount(unsigned number)
{
    CAlbum album(number);
    album.Load();
    return album.GetCount();
}

HGLOBAL DropOf(const std::vector<std::string>& files)
{
    CClipBoardData data;
    for (const std::string& file : files)
        data.RegisterFile(file.c_str());
    return data.CreateGlobalObject();
}

struct AlbumGone
{
    unsigned number;
    ~AlbumGone() { CAlbum::DeleteAlbum(number); }
};
}

TEST_F(ViewWindow, PicturesPastedInOneWindowStayWhenTheOtherLeavesTheAlbum)
{
    TempFolder folder("SyncPaste");
    MakePictures(folder.Path(), 3);
    std::string p0 = folder / "p00000.bmp", p1 = folder / "p00001.bmp", p2 = folder / "p00002.bmp";
    AlbumGone album{MakeAlbum({p0})};
    WindowOnItsThread other;
    ASSERT_TRUE(other.Ready());
    other.Run([&](CBrowserView* view) { view->ShowAlbum(album.number); });

    // This window pastes two pictures into the album, as the frame does.
    CBrowserView* view = View();
    view->ShowAlbum(album.number);
    HGLOBAL drop = DropOf({p1, p2});
    view->PasteFiles(drop);
    GlobalFree(drop);
    view->Refresh();
    EXPECT_EQ(3, StoredCount(album.number));

    // The other window shows them too, and leaving the album keeps them.
    EXPECT_TRUE(other.WaitFor(5000, [](CBrowserView* v) { return v->GetEntries().size() == 3; }));
    other.Run([](CBrowserView* v) { v->ClearView(); });
    EXPECT_EQ(3, StoredCount(album.number));
}

TEST_F(ViewWindow, AnAlbumDeletedInOneWindowDoesNotComeBackWhenTheOtherLeavesIt)
{
    TempFolder folder("SyncDelete");
    MakePictures(folder.Path(), 2);
    AlbumGone album{MakeAlbum({folder / "p00000.bmp", folder / "p00001.bmp"})};
    WindowOnItsThread other;
    ASSERT_TRUE(other.Ready());
    // The other window shows the album and changes its order.
    other.Run([&](CBrowserView* v) {
        v->ShowAlbum(album.number);
        CFileInfoList* list = v->GetFileList();
        list->MoveToTail(list->GetFile((folder / "p00000.bmp").c_str()));
    });

    // This window's albums pane deletes it.
    pane_test::Questions told;
    CAlbumDialog& pane = s_window->Frame()->GetLeftView()->GetAlbums();
    pane.RebuildTree();
    ASSERT_TRUE(pane.GetItemOf(album.number) != NULL);
    pane.GetTree().SelectItem(pane.GetItemOf(album.number));
    pane.DeleteAlbum();
    EXPECT_FALSE(CAlbum::AlbumExists(album.number));

    // The other window lets it go; leaving makes no file again.
    EXPECT_TRUE(other.WaitFor(5000, [](CBrowserView* v) { return v->GetFileList() == NULL; }));
    other.Run([](CBrowserView* v) { v->ClearView(); });
    EXPECT_FALSE(CAlbum::AlbumExists(album.number));
    EXPECT_EQ(std::vector<std::string>{"Do you really want to delete the album?"}, told.asked);
}
