// The thumbnail generator's disk cache and passes: cache names, which
// pictures are cached, freshness by modification time, and the JPEG shown
// first from its EXIF thumbnail, then at full quality.
#include "ThumbnailTestKit.h"

using namespace thumbnail_test;
using test_support::TempFolder;

TEST(ThumbnailCache, NameIsLowerHexSha1OfTheUpperCasedPathBesideTheProgram)
{
    char module[MAX_PATH];
    GetModuleFileNameA(NULL, module, MAX_PATH);
    *strrchr(module, '\\') = 0;
    // printf '%s' 'C:\PICTURES\IMG_0001.JPG' | sha1sum
    std::string expected =
        std::string(module) + "\\cache\\b587b0bc0d641ee3b5e0546d90eed008bf15444b.jpg";
    EXPECT_EQ(expected, (LPCSTR)ThumbnailCache::FileName("C:\\PICTURES\\IMG_0001.JPG"));
    DWORD attributes = GetFileAttributesA((std::string(module) + "\\cache").c_str());
    EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY));
}

TEST(ThumbnailCache, PathsDifferingInCaseShareOneEntryAndOneFile)
{
    TempFolder folder("thumb_case");
    std::string path = WriteJpeg(folder, "Photo.jpg", 800, 600, 0x2040C0);
    std::string cache = CacheFileOf(path);
    DeleteFileA(cache.c_str());
    CellWindows cells(2);
    CThumbnailManager manager;

    CString lower(path.c_str());
    lower.MakeLower();
    EXPECT_EQ(NULL, manager.GetThumbnail(lower, Area(), cells[0], FALSE));
    EXPECT_EQ(CThumbnailManager::Served, manager.ServeNextTask());
    CString upper(path.c_str());
    upper.MakeUpper();
    HBITMAP shown = manager.GetThumbnail(upper, Area(), cells[1], FALSE);
    EXPECT_TRUE(shown != NULL);
    EXPECT_EQ(shown, manager.GetThumbnail(path.c_str(), Area(), cells[0], FALSE));
    EXPECT_EQ(1, manager.Thumbnails().GetCount());
    EXPECT_EQ(0, manager.GetTaskCount());
    EXPECT_TRUE(FileExists(cache));
    EXPECT_EQ(cache, CacheFileOf((LPCSTR)lower));
    DeleteFileA(cache.c_str());
}

TEST(ThumbnailCache, OnlyPicturesLargerThan360By480AreCached)
{
    TempFolder folder("thumb_box");
    std::string fits = WriteJpeg(folder, "fits.jpg", 360, 480, 0xC04020);
    std::string wider = WriteJpeg(folder, "wider.jpg", 361, 10, 0x20C040);
    DeleteFileA(CacheFileOf(fits).c_str());
    DeleteFileA(CacheFileOf(wider).c_str());
    CellWindows cells(2);
    CThumbnailManager manager;

    manager.GetThumbnail(fits.c_str(), Area(), cells[0], FALSE);
    manager.GetThumbnail(wider.c_str(), Area(), cells[1], FALSE);
    manager.ServeNextTask();
    manager.ServeNextTask();
    EXPECT_FALSE(FileExists(CacheFileOf(fits)));
    ASSERT_TRUE(FileExists(CacheFileOf(wider)));
    CRgbBuffer cached;
    ASSERT_TRUE(cached.LoadRgbBuffer(CacheFileOf(wider).c_str()));
    EXPECT_EQ(360, cached.GetWidth()); // best fit of 361 x 10 into 360 x 480
    EXPECT_EQ(9, cached.GetHeight());
    EXPECT_EQ(2, manager.Thumbnails().GetCount());
    DeleteFileA(CacheFileOf(wider).c_str());
}

TEST(ThumbnailCache, FreshCopyIsUsedAndTouchingThePictureRewritesIt)
{
    TempFolder folder("thumb_touch");
    std::string path = WriteJpeg(folder, "touched.jpg", 720, 540, 0x2040C0);
    std::string cache = CacheFileOf(path);
    DeleteFileA(cache.c_str());
    CellWindows cells(1);
    CThumbnailManager manager;
    Queue(manager, path, cells[0]);
    manager.ServeNextTask();
    ASSERT_TRUE(FileExists(cache));
    BitmapLook cold = Look(manager.GetThumbnail(path.c_str(), Area(), cells[0], FALSE));

    // A cache file as new as its picture is used as it is: make it green.
    // It is decoded at a reduced scale, and the thumbnail keeps its size.
    WriteJpeg(folder, "green.jpg", 360, 270, 0x30C030);
    ASSERT_TRUE(CopyFileA((folder / "green.jpg").c_str(), cache.c_str(), FALSE));
    SetModifyTime(cache, ModifyTime(path));
    Queue(manager, path, cells[0]);
    manager.ServeNextTask();
    BitmapLook warm = Look(manager.GetThumbnail(path.c_str(), Area(), cells[0], FALSE));
    EXPECT_TRUE(Near(0x30C030, warm.centre));
    EXPECT_EQ(cold.width, warm.width);
    EXPECT_EQ(cold.height, warm.height);
    EXPECT_EQ(0, manager.GetTaskCount()); // a cached JPEG needs no second pass

    // Touching the picture makes the copy stale: it is rewritten from the picture.
    SetModifyTime(path, Later(ModifyTime(cache), 60));
    Queue(manager, path, cells[0]);
    manager.ServeNextTask();
    EXPECT_TRUE(Near(0x2040C0, Look(manager.GetThumbnail(path.c_str(), Area(), cells[0], FALSE)).centre));
    CRgbBuffer cached;
    ASSERT_TRUE(cached.LoadRgbBuffer(cache.c_str()));
    EXPECT_TRUE(Near(0x2040C0, test_support::RgbAt(cached, 180, 135)));
    DeleteFileA(cache.c_str());
}

TEST(ThumbnailPasses, JpegShowsItsExifThumbnailFirstThenTheFullPicture)
{
    TempFolder folder("thumb_exif");
    std::string path = WriteJpeg(folder, "camera.jpg", 800, 600, 0x2040C0, 0xD02020);
    std::string cache = CacheFileOf(path);
    DeleteFileA(cache.c_str());
    CellWindows cells(1);
    CThumbnailManager manager;
    // Two repaints of the cell queued two tasks.
    EXPECT_EQ(NULL, manager.GetThumbnail(path.c_str(), Area(100, 100), cells[0], FALSE));
    EXPECT_EQ(NULL, manager.GetThumbnail(path.c_str(), Area(100, 100), cells[0], FALSE));

    // The preview, enlarged to fill the area (160 x 120 -> 100 x 75); the
    // duplicate gave way to one full pass at the tail.
    EXPECT_EQ(CThumbnailManager::Served, manager.ServeNextTask());
    BitmapLook preview = Look(manager.GetThumbnail(path.c_str(), Area(100, 100), cells[0], FALSE));
    EXPECT_EQ(100, preview.width);
    EXPECT_EQ(75, preview.height);
    EXPECT_TRUE(Near(0xD02020, preview.centre));
    EXPECT_FALSE(FileExists(cache));
    ASSERT_EQ(1, manager.GetTaskCount());
    CThumbnailTask* fullPass = manager.PopTask();
    EXPECT_FALSE(fullPass->m_bJpegPreview);
    manager.AddTask(fullPass);

    // The full picture, best fit (never enlarged: 800 x 600 -> 100 x 75).
    EXPECT_EQ(CThumbnailManager::Served, manager.ServeNextTask());
    BitmapLook full = Look(manager.GetThumbnail(path.c_str(), Area(100, 100), cells[0], FALSE));
    EXPECT_EQ(100, full.width);
    EXPECT_EQ(75, full.height);
    EXPECT_TRUE(Near(0x2040C0, full.centre));
    EXPECT_TRUE(FileExists(cache));
    EXPECT_EQ(0, manager.GetTaskCount());
    DeleteFileA(cache.c_str());
}

TEST(ThumbnailPasses, StaleCopyGivesWayToThePreviewAndTheFullPassRewritesIt)
{
    TempFolder folder("thumb_stale_exif");
    std::string path = WriteJpeg(folder, "retouched.jpg", 800, 600, 0x2040C0, 0xD02020);
    std::string cache = CacheFileOf(path);
    // A green copy from before the picture was last changed.
    WriteJpeg(folder, "green.jpg", 360, 270, 0x30C030);
    ASSERT_TRUE(CopyFileA((folder / "green.jpg").c_str(), cache.c_str(), FALSE));
    SetModifyTime(cache, ModifyTime(path));
    SetModifyTime(path, Later(ModifyTime(cache), 60));
    CellWindows cells(1);
    CThumbnailManager manager;
    manager.GetThumbnail(path.c_str(), Area(100, 100), cells[0], FALSE);

    // The stale copy is removed and the EXIF preview shown, not the copy.
    EXPECT_EQ(CThumbnailManager::Served, manager.ServeNextTask());
    EXPECT_TRUE(Near(0xD02020, Look(manager.GetThumbnail(path.c_str(), Area(100, 100), cells[0], FALSE)).centre));
    EXPECT_FALSE(FileExists(cache));

    // The full pass makes the picture and a fresh copy of it.
    ASSERT_EQ(1, manager.GetTaskCount());
    EXPECT_EQ(CThumbnailManager::Served, manager.ServeNextTask());
    EXPECT_TRUE(Near(0x2040C0, Look(manager.GetThumbnail(path.c_str(), Area(100, 100), cells[0], FALSE)).centre));
    CRgbBuffer cached;
    ASSERT_TRUE(cached.LoadRgbBuffer(cache.c_str()));
    EXPECT_TRUE(Near(0x2040C0, test_support::RgbAt(cached, 180, 135)));
    DeleteFileA(cache.c_str());
}

TEST(ThumbnailCache, OnlyOldTemporariesOfCopiesAreRemovedAtStartUp)
{
    TempFolder folder("thumb_temporaries");
    std::string left = WriteJpeg(folder, "pxm1A2B.tmp", 8, 8, 0x808080);
    std::string writing = WriteJpeg(folder, "pxm3C4D.tmp", 8, 8, 0x808080);
    std::string copy = WriteJpeg(folder, "0123456789abcdef0123456789abcdef01234567.jpg", 8, 8, 0x808080);
    std::string other = WriteJpeg(folder, "notes.tmp", 8, 8, 0x808080);
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    FILETIME hourAgo = Later(now, -3600);
    for (const std::string& path : {left, copy, other})
        SetModifyTime(path, hourAgo);

    EXPECT_EQ(1, ThumbnailCache::RemoveStaleTemporaries(folder.Path().c_str(), 600));
    EXPECT_FALSE(FileExists(left));
    EXPECT_TRUE(FileExists(writing)); // another browser may be writing it
    EXPECT_TRUE(FileExists(copy));
    EXPECT_TRUE(FileExists(other));
    EXPECT_EQ(0, ThumbnailCache::RemoveStaleTemporaries((folder / "missing").c_str(), 600));
}
