// Pasting files into the shown folder: the overwrite question per existing
// file, Cancel stopping the rest, and the drop-files block read safely; a
// Cut removes from the album only what reached the clipboard.
#include "ViewTestKit.h"
#include "PaneTestKit.h"
#include "Album.h"
#include "ClipBoardData.h"

using namespace view_test;
using catalogue_test::WriteFileBytes;

namespace
{
std::vector<CString> Sources(const TempFolder& from)
{
    std::vector<CString> files;
    for (const char* name : {"a.bmp", "b.bmp", "c.bmp"})
    {
        WriteFileBytes(from / name, std::string("new ") + name);
        files.push_back((from / name).c_str());
    }
    return files;
}
}

TEST(ViewPaste, CancelAtTheFirstExistingFileStopsTheRest)
{
    TempFolder from("PasteFrom"), to("PasteTo");
    std::vector<CString> files = Sources(from);
    WriteFileBytes(to / "a.bmp", "old a");
    WriteFileBytes(to / "b.bmp", "old b");

    std::vector<std::string> asked;
    auto cancel = [&](const CString& target) { asked.push_back((LPCSTR)target); return IDCANCEL; };
    EXPECT_EQ(CBrowserView::PasteCancelled, CBrowserView::CopyFilesInto(files, to.Path().c_str(), cancel));
    EXPECT_EQ(std::vector<std::string>{to / "a.bmp"}, asked);
    EXPECT_EQ("old a", catalogue_test::FileBytes(to / "a.bmp"));
    EXPECT_FALSE(catalogue_test::Exists(to / "c.bmp"));

    // No skips a file, Yes overwrites it, and the others are copied.
    asked.clear();
    int answer = IDNO;
    auto noThenYes = [&](const CString& target) {
        asked.push_back((LPCSTR)target);
        int given = answer;
        answer = IDYES;
        return given;
    };
    EXPECT_EQ(CBrowserView::PasteDone, CBrowserView::CopyFilesInto(files, to.Path().c_str(), noThenYes));
    EXPECT_EQ(2u, asked.size());
    EXPECT_EQ("old a", catalogue_test::FileBytes(to / "a.bmp"));
    EXPECT_EQ("new b.bmp", catalogue_test::FileBytes(to / "b.bmp"));
    EXPECT_EQ("new c.bmp", catalogue_test::FileBytes(to / "c.bmp"));

    // A source that cannot be read stops the paste as a failure.
    std::vector<CString> missing = {(from / "gone.bmp").c_str()};
    EXPECT_EQ(CBrowserView::PasteFailed, CBrowserView::CopyFilesInto(missing, to.Path().c_str(), cancel));
}

TEST_F(ViewWindow, PastedFilesJoinTheShownFolder)
{
    TempFolder from("PasteSource"), to("PasteTarget");
    std::vector<CString> files = Sources(from);
    MakePictures(to.Path(), 2);
    CClipBoardData data;
    for (const CString& file : files)
        data.RegisterFile(file);
    HGLOBAL drop = data.CreateGlobalObject();
    ASSERT_TRUE(drop != NULL);
    EXPECT_EQ(files.size(), CBrowserView::DropFileNames(drop).size());

    CBrowserView* view = View();
    view->ShowFolder(to.Path().c_str());
    view->PasteFiles(drop);
    view->Refresh();
    EXPECT_EQ(5u, view->GetEntries().size());
    EXPECT_EQ("new c.bmp", catalogue_test::FileBytes(to / "c.bmp"));
    GlobalFree(drop);

    // A block whose last name runs past its end yields the whole names only.
    HGLOBAL cut = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 20 + 6);
    BYTE* bytes = (BYTE*)GlobalLock(cut);
    *(DWORD*)bytes = 20;
    memcpy(bytes + 20, "a\0bcde", 6);
    GlobalUnlock(cut);
    EXPECT_EQ(1u, CBrowserView::DropFileNames(cut).size());
    GlobalFree(cut);
}

TEST_F(ViewWindow, ACutThatCannotReachTheClipboardKeepsThePictures)
{
    TempFolder folder("CutKeeps");
    MakePictures(folder.Path(), 3);
    unsigned number = CAlbum::CreateNewAlbum(0);
    {
        CAlbum album(number);
        for (int i = 0; i < 3; ++i)
            album.InsertFile((folder / ("p0000" + std::to_string(i) + ".bmp")).c_str());
        album.Save();
    }
    CBrowserView* view = View();
    view->ShowAlbum(number);
    ASSERT_EQ(3u, view->GetEntries().size());
    view->ClickSelectIndex(1, FALSE, false);

    // Another program holds the clipboard open.
    std::atomic<bool> opened{false}, release{false};
    std::thread holder([&] {
        opened = OpenClipboard(NULL) != FALSE;
        while (!release)
            Sleep(5);
        if (opened)
            CloseClipboard();
    });
    for (int i = 0; i < 400 && !opened; ++i)
        Sleep(5);
    {
        pane_test::Questions told;
        if (opened)
            view->CutSelection();
        release = true;
        holder.join();
        ASSERT_TRUE(opened) << "the clipboard could not be held open";
        EXPECT_EQ(1u, told.asked.size());
    }
    EXPECT_EQ(3u, view->GetEntries().size());
    {
        CAlbum album(number);
        album.Load();
        EXPECT_EQ(3, album.GetCount());
    }

    // With the clipboard free the picture is cut.
    view->CutSelection();
    EXPECT_EQ(2u, view->GetEntries().size());
    view->ClearView();
    {
        CAlbum album(number);
        album.Load();
        EXPECT_EQ(2, album.GetCount());
    }
    CAlbum::DeleteAlbum(number);
}
