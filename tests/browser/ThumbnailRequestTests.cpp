// What the bitmap map answers a cell's request with: only a bitmap made for
// the same area, fit and file as it is now; an EXIF preview always leads to
// its full pass, even when the task that would have made it was dropped; and
// a reused cell keeps its request for its new picture.
#include "ThumbnailTestKit.h"

using namespace thumbnail_test;
using test_support::TempFolder;

namespace
{
// Serves every queued task.
void ServeAll(CThumbnailManager& manager)
{
    for (int i = 0; i < 20 && manager.ServeNextTask() != CThumbnailManager::NoTask; ++i)
    {
    }
}

bool IsPreview(CThumbnailManager& manager, const std::string& path)
{
    CThumbnailInfo info = manager.Thumbnails().Take(path.c_str());
    bool preview = info.m_bPreview != FALSE;
    if (info.m_hBitmap)
        manager.Thumbnails().Set(path.c_str(), info);
    return preview;
}
} // namespace

TEST(ThumbnailRequest, PreviewWhoseFullPassWasDroppedAsksForItAgain)
{
    TempFolder folder("thumb_lost_full");
    std::string path = WriteJpeg(folder, "camera.jpg", 800, 600, 0x2040C0, 0xD02020);
    DeleteFileA(CacheFileOf(path).c_str());
    CellWindows cells(2);
    CThumbnailManager manager;
    manager.GetThumbnail(path.c_str(), Area(100, 100), cells[0], FALSE);
    EXPECT_EQ(CThumbnailManager::Served, manager.ServeNextTask()); // the preview
    ASSERT_EQ(1, manager.GetTaskCount());
    // The cell's window goes to another picture: its full pass goes with it.
    manager.RemoveTasksFor(cells[0]);
    ASSERT_EQ(0, manager.GetTaskCount());

    // Another cell shows the picture later: the preview is drawn, and the
    // full pass is queued once however often the cell paints.
    HBITMAP shown = manager.GetThumbnail(path.c_str(), Area(100, 100), cells[1], FALSE);
    EXPECT_TRUE(Near(0xD02020, Look(shown).centre));
    manager.GetThumbnail(path.c_str(), Area(100, 100), cells[1], FALSE);
    EXPECT_EQ(1, manager.GetTaskCount());
    ServeAll(manager);
    EXPECT_TRUE(Near(0x2040C0, Look(manager.GetThumbnail(path.c_str(), Area(100, 100), cells[1], FALSE)).centre));
    EXPECT_FALSE(IsPreview(manager, path));
    EXPECT_EQ(0, manager.GetTaskCount());
    DeleteFileA(CacheFileOf(path).c_str());
}

TEST(ThumbnailRequest, LatePreviewDoesNotReplaceTheFullPictureOfTheSameRequest)
{
    TempFolder folder("thumb_late_preview");
    std::string path = WriteJpeg(folder, "camera.jpg", 800, 600, 0x2040C0, 0xD02020);
    DeleteFileA(CacheFileOf(path).c_str());
    CellWindows cells(1);
    CThumbnailManager manager;
    manager.GetThumbnail(path.c_str(), Area(100, 100), cells[0], FALSE);
    ServeAll(manager);
    HBITMAP full = manager.GetThumbnail(path.c_str(), Area(100, 100), cells[0], FALSE);
    ASSERT_TRUE(Near(0x2040C0, Look(full).centre));

    // A second worker's preview of the same request arrives after it.
    CThumbnailInfo late;
    late.m_hBitmap = CreateBitmap(100, 75, 1, 32, NULL);
    late.m_Rect = Area(100, 100);
    late.m_bPreview = TRUE;
    late.m_Modified = CThumbnailManager::LastWriteTime(path.c_str());
    manager.Thumbnails().Set(path.c_str(), late);
    EXPECT_EQ(full, manager.GetThumbnail(path.c_str(), Area(100, 100), cells[0], FALSE));
    EXPECT_EQ(0, manager.GetTaskCount());
    DeleteFileA(CacheFileOf(path).c_str());
}

TEST(ThumbnailRequest, BitmapMadeForAnotherFitOrAnOlderFileIsMadeAgain)
{
    TempFolder folder("thumb_made_for");
    // Smaller than the area: "Fit" enlarges it, plain best fit does not.
    std::string path = WriteJpeg(folder, "small.jpg", 64, 48, 0x2040C0);
    CellWindows cells(1);
    CThumbnailManager manager;
    manager.GetThumbnail(path.c_str(), Area(128, 96), cells[0], FALSE);
    ServeAll(manager);
    EXPECT_EQ(64, Look(manager.GetThumbnail(path.c_str(), Area(128, 96), cells[0], FALSE)).width);

    EXPECT_EQ(NULL, manager.GetThumbnail(path.c_str(), Area(128, 96), cells[0], TRUE));
    ServeAll(manager);
    EXPECT_EQ(128, Look(manager.GetThumbnail(path.c_str(), Area(128, 96), cells[0], TRUE)).width);

    // The picture is overwritten (a paste, another program): its new
    // colour shows, though the area and the fit stay.
    WriteJpeg(folder, "small.jpg", 64, 48, 0x30C030);
    SetModifyTime(path, Later(ModifyTime(path), 5));
    EXPECT_EQ(NULL, manager.GetThumbnail(path.c_str(), Area(128, 96), cells[0], TRUE));
    ServeAll(manager);
    EXPECT_TRUE(Near(0x30C030, Look(manager.GetThumbnail(path.c_str(), Area(128, 96), cells[0], TRUE)).centre));
    EXPECT_EQ(0, manager.GetTaskCount());
}

TEST(ThumbnailRequest, ReusedCellKeepsItsRequestForItsNewPicture)
{
    TempFolder folder("thumb_reused_cell");
    std::string before = WriteJpeg(folder, "before.jpg", 64, 48, 0x2040C0);
    std::string after = WriteJpeg(folder, "after.jpg", 64, 48, 0x30C030);
    CellWindows cells(1);
    CThumbnailManager manager;
    // The cell asked for its old picture, was given the new one and asked
    // again; a worker serves the old request first.
    Queue(manager, after, cells[0]);
    Queue(manager, before, cells[0]);
    EXPECT_EQ(CThumbnailManager::Served, manager.ServeNextTask());
    ASSERT_EQ(1, manager.GetTaskCount());
    ServeAll(manager);
    EXPECT_TRUE(Near(0x30C030, Look(manager.GetThumbnail(after.c_str(), Area(), cells[0], FALSE)).centre));
}

TEST(ThumbnailRequest, PictureWrittenWhileItWasDecodedLeavesNoCacheCopy)
{
    TempFolder folder("thumb_written_meanwhile");
    std::string path = WriteJpeg(folder, "turned.jpg", 800, 600, 0x2040C0);
    DeleteFileA(CacheFileOf(path).c_str());
    CellWindows cells(1);
    CThumbnailManager manager;
    // The worker looked at the file, then it was written again (turned in
    // place) before the decode ended.
    CThumbnailTask task;
    task.m_hTargetWnd = cells[0];
    task.m_Rect = Area();
    task.m_bFitToRect = FALSE;
    task.m_strPath = path.c_str();
    task.m_strPath.MakeUpper();
    task.m_strFile = path.c_str();
    task.m_bJpegPreview = FALSE;
    task.m_Modified = CThumbnailManager::LastWriteTime(path.c_str());
    SetModifyTime(path, Later(ModifyTime(path), 5));
    manager.MakeThumbnail(&task);
    EXPECT_FALSE(FileExists(CacheFileOf(path)));
    // What the worker made does not pass for the file as it is now.
    EXPECT_EQ(NULL, manager.GetThumbnail(path.c_str(), Area(), cells[0], FALSE));
    DeleteFileA(CacheFileOf(path).c_str());
}
