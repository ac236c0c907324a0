// The viewer's command line: album number and path, quotes, trimming; and
// what a started viewer opens from it.
#include "ViewerTestKit.h"
#include "Album.h"
#include "Folder.h"
#include "ViewerRules.h"

using namespace viewer_test;

TEST(ViewerCommandLine, AlbumNumberThenPath)
{
    CString path;
    int album = -1;
    ViewerRules::ParseCommandLine("12 C:\\pics\\a.jpg", path, album);
    EXPECT_EQ(12, album);
    EXPECT_STREQ("C:\\pics\\a.jpg", path);
}

TEST(ViewerCommandLine, QuotedAlbumAndPathAsTheBrowserPassesThem)
{
    CString path;
    int album = -1;
    ViewerRules::ParseCommandLine("\"12 C:\\my pics\\a.jpg\"", path, album);
    EXPECT_EQ(12, album);
    EXPECT_STREQ("C:\\my pics\\a.jpg", path);
}

TEST(ViewerCommandLine, QuotedPathLosesItsQuotes)
{
    CString path;
    int album = -1;
    ViewerRules::ParseCommandLine("\"C:\\my pics\\a b.jpg\"", path, album);
    EXPECT_EQ(0, album);
    EXPECT_STREQ("C:\\my pics\\a b.jpg", path);
}

TEST(ViewerCommandLine, PathAloneIsTrimmed)
{
    CString path;
    int album = -1;
    ViewerRules::ParseCommandLine("   C:\\pics\\a.jpg  ", path, album);
    EXPECT_EQ(0, album);
    EXPECT_STREQ("C:\\pics\\a.jpg", path);
}

TEST(ViewerCommandLine, EmptyLeavesBothEmpty)
{
    CString path("x");
    int album = -1;
    ViewerRules::ParseCommandLine("", path, album);
    EXPECT_EQ(0, album);
    EXPECT_TRUE(path.IsEmpty());
    ViewerRules::ParseCommandLine(NULL, path, album);
    EXPECT_TRUE(path.IsEmpty());
}

TEST(ViewerCommandLine, NumberWithoutPathIsAPath)
{
    CString path;
    int album = -1;
    ViewerRules::ParseCommandLine("2024", path, album);
    EXPECT_EQ(0, album);
    EXPECT_STREQ("2024", path);
}

TEST(ViewerStart, PathAloneOpensItsFolderWithTheFileCurrent)
{
    ClearViewerSettings();
    TempFolder folder("viewer_start");
    WriteBmp(folder / "a.bmp", 64, 48, RGB(200, 0, 0));
    WriteBmp(folder / "b.bmp", 64, 48, RGB(0, 200, 0));
    WriteBmp(folder / "c.bmp", 64, 48, RGB(0, 0, 200));
    RunningViewer viewer(Quoted(folder / "b.bmp"));
    ASSERT_TRUE(viewer.View());
    CFolder* list = dynamic_cast<CFolder*>(viewer.View()->m_pFileList);
    ASSERT_TRUE(list);
    EXPECT_EQ(3, list->GetCount());
    EXPECT_EQ("b.bmp", FileName(viewer.CurrentFile()));
    ASSERT_TRUE(viewer.View()->m_pOriginal);
    EXPECT_EQ(64, viewer.View()->m_pOriginal->GetWidth());
    Pump(100); // the title timer
    CString title;
    viewer.Frame()->GetWindowText(title);
    EXPECT_STREQ(viewer.CurrentFile(), title);
}

TEST(ViewerStart, AlbumNumberOpensTheAlbumWithTheFileCurrent)
{
    ClearViewerSettings();
    TempFolder folder("viewer_album");
    WriteBmp(folder / "a.jpg.bmp", 40, 30, RGB(10, 20, 30));
    WriteBmp(folder / "z.bmp", 40, 30, RGB(30, 20, 10));
    unsigned number = CAlbum::CreateNewAlbum(0);
    {
        CAlbum album(number);
        album.InsertFile((folder / "z.bmp").c_str());
        album.InsertFile((folder / "a.jpg.bmp").c_str());
        album.Save();
    }
    {
        RunningViewer viewer(std::to_string(number) + " " + (folder / "a.jpg.bmp"));
        CAlbum* list = dynamic_cast<CAlbum*>(viewer.View()->m_pFileList);
        ASSERT_TRUE(list);
        EXPECT_EQ(number, list->GetNumber());
        EXPECT_EQ(2, list->GetCount());
        EXPECT_EQ("a.jpg.bmp", FileName(viewer.CurrentFile()));
    }
    CAlbum::DeleteAlbum(number);
}

TEST(ViewerStart, FolderWithoutPicturesIsBlackAndUntitled)
{
    ClearViewerSettings();
    TempFolder folder("viewer_empty");
    RunningViewer viewer(folder.Path());
    ASSERT_TRUE(viewer.View());
    EXPECT_EQ(0, viewer.View()->m_pFileList->GetCount());
    EXPECT_FALSE(viewer.View()->m_pDisplay && viewer.View()->m_pDisplay->IsImage());
    Pump(100);
    CString title;
    viewer.Frame()->GetWindowText(title);
    EXPECT_STREQ("Pixmere Viewer", title);
    EXPECT_FALSE(viewer.Probe(ID_FULL_SCREEN).enabled);
    EXPECT_FALSE(viewer.Probe(ID_GLINTFIX).enabled);
    EXPECT_TRUE(viewer.Probe(ID_BROWSER).enabled);
}
