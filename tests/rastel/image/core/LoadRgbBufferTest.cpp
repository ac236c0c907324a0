// The codec front end: dispatch by extension, emptying before a load, the
// balanced wait cursor, and a picture whose name is not in any legacy code
// page (UTF-8 through the ANSI API, as the manifest sets it).
#include <gtest/gtest.h>
#include "RgbBuffer.h"
#include "FileInfo.h"
#include "JpgFile.h"
#include "TestImages.h"

namespace
{
// Counts the wait-cursor calls of the front end.
class CountingApp : public CWinApp
{
public:
    CountingApp() : CWinApp("PixmereCoreTests") {}
    virtual void DoWaitCursor(int code)
    {
        if (code > 0)
            ++begun;
        else if (code < 0)
            ++ended;
    }
    int begun = 0, ended = 0;
};

Bytes SmallBmp()
{
    BmpDescription d;
    d.width = 3;
    d.height = 2;
    d.pixel = [](int x, int y) -> DWORD { return (DWORD)(x * 80) << 16 | (DWORD)(y * 120); };
    return MakeBmp(d);
}

// Fails when two threads change the wait-cursor count at the same time: each
// change lingers a moment, as a lost update would need.
class OverlapApp : public CWinApp
{
public:
    OverlapApp() : CWinApp("PixmereCoreTests") {}
    virtual void DoWaitCursor(int code)
    {
        if (InterlockedIncrement(&inside) > 1)
            overlapped = 1;
        int count = m_nWaitCursorCount;
        Sleep(1);
        m_nWaitCursorCount = count + code;
        InterlockedDecrement(&inside);
    }
    volatile LONG inside = 0, overlapped = 0;
};

struct LoadJob
{
    std::string path;
    int loaded = 0;
};

DWORD WINAPI LoadTwentyTimes(void* arg)
{
    LoadJob* job = static_cast<LoadJob*>(arg);
    for (int i = 0; i < 20; ++i)
    {
        CRgbBuffer picture;
        job->loaded += picture.LoadRgbBuffer(job->path.c_str(), false) ? 1 : 0;
    }
    return 0;
}

class LoadRgbBufferTest : public ::testing::Test
{
protected:
    LoadRgbBufferTest() : m_Folder("pixmere_load_tests") {}
    TempFolder m_Folder;
};
} // namespace

TEST_F(LoadRgbBufferTest, UnknownExtensionReturnsZeroAndEmpties)
{
    // A valid BMP under a .txt name is not looked at.
    std::string path = m_Folder.Write("picture.txt", SmallBmp());
    CRgbBuffer picture(4, 4);
    picture.m_BackgroundColor = RGB(9, 9, 9);
    EXPECT_FALSE(picture.LoadRgbBuffer(path.c_str(), false));
    EXPECT_FALSE(picture.IsImage());
    EXPECT_EQ(0u, picture.m_BackgroundColor);
    EXPECT_EQ(0, picture.m_GrayScale);
}

TEST_F(LoadRgbBufferTest, UnreadableFileEmptiesAPreviousPicture)
{
    std::string bmp = m_Folder.Write("good.bmp", SmallBmp());
    std::string gif = m_Folder.Write("broken.gif", Bytes(40, 'x'));
    CRgbBuffer picture;
    ASSERT_TRUE(picture.LoadRgbBuffer(bmp.c_str(), false));
    ASSERT_TRUE(picture.m_Bitmap != NULL);
    EXPECT_FALSE(picture.LoadRgbBuffer(gif.c_str(), false));
    EXPECT_FALSE(picture.IsImage());
    EXPECT_EQ(NULL, picture.m_Bitmap);
}

TEST_F(LoadRgbBufferTest, ExtensionIsMatchedWithoutRegardToCase)
{
    std::string path = m_Folder.Write("UPPER.BmP", SmallBmp());
    CRgbBuffer picture;
    ASSERT_TRUE(picture.LoadRgbBuffer(path.c_str(), true));
    EXPECT_EQ(CSize(3, 2), picture.GetImageSize());
}

TEST_F(LoadRgbBufferTest, WaitCursorIsBalancedOnEveryWayOut)
{
    CountingApp app;
    ASSERT_EQ(&app, AfxGetApp());
    std::string good = m_Folder.Write("good.bmp", SmallBmp());
    std::string bad = m_Folder.Write("bad.bmp", Bytes(10, 0));
    CRgbBuffer picture;
    EXPECT_TRUE(picture.LoadRgbBuffer(good.c_str(), false));
    EXPECT_FALSE(picture.LoadRgbBuffer(bad.c_str(), false));
    EXPECT_FALSE(picture.LoadRgbBuffer(m_Folder.File("x.txt").c_str(), false));
    EXPECT_EQ(3, app.begun);
    EXPECT_EQ(3, app.ended);
}

TEST_F(LoadRgbBufferTest, WaitCursorCountStaysBalancedWhenThreadsLoadAtOnce)
{
    OverlapApp app;
    LoadJob jobs[4];
    HANDLE threads[4];
    for (int i = 0; i < 4; ++i)
    {
        jobs[i].path = m_Folder.Write("thread" + std::to_string(i) + ".bmp", SmallBmp());
        threads[i] = CreateThread(NULL, 0, LoadTwentyTimes, &jobs[i], 0, NULL);
        ASSERT_TRUE(threads[i] != NULL);
    }
    WaitForMultipleObjects(4, threads, TRUE, INFINITE);
    for (int i = 0; i < 4; ++i)
    {
        CloseHandle(threads[i]);
        EXPECT_EQ(20, jobs[i].loaded);
    }
    EXPECT_EQ(0, app.overlapped) << "two threads changed the count at once";
    EXPECT_EQ(0, app.m_nWaitCursorCount);
}

TEST_F(LoadRgbBufferTest, UnicodeNameLoadsAndRoundTrips)
{
    // The manifest makes the ANSI code page UTF-8.
    ASSERT_EQ(65001u, GetACP());
    const char* name = "\xC3\xA9t\xC3\xA9_\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0.bmp"; // été_Москва.bmp
    std::string path = m_Folder.Write(name, SmallBmp());

    // The name on disk is the intended Unicode one, not a reading of the
    // bytes in some other code page.
    WIN32_FIND_DATAW found;
    std::wstring pattern(m_Folder.Path().begin(), m_Folder.Path().end());
    HANDLE h = FindFirstFileW((pattern + L"\\*.bmp").c_str(), &found);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    FindClose(h);
    EXPECT_STREQ(L"\x00E9t\x00E9_\x041C\x043E\x0441\x043A\x0432\x0430.bmp", found.cFileName);

    CString full(path.c_str());
    EXPECT_TRUE(CFileInfo::IsImageFile(full));
    EXPECT_TRUE(CFileInfo::IsBMPFile(full));
    EXPECT_TRUE(CFileInfo::FileExist(full));
    EXPECT_EQ((int)SmallBmp().size(), CFileInfo::GetFileSize(full));
    EXPECT_STREQ(name, CFileInfo::GetFileFromFullPath(full));
    EXPECT_STREQ(m_Folder.Path().c_str(), CFileInfo::GetPathFromFullPath(full));
    EXPECT_STREQ(path.c_str(),
                 CFileInfo::GetPathFromFullPath(full) + "\\" + CFileInfo::GetFileFromFullPath(full));
    CString renamed = CFileInfo::AssureExtension(full, "jpg");
    EXPECT_STREQ((m_Folder.Path() + "\\\xC3\xA9t\xC3\xA9_\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0.jpg").c_str(),
                 renamed);

    CRgbBuffer picture;
    ASSERT_TRUE(picture.LoadRgbBuffer(full, false));
    EXPECT_EQ(CSize(3, 2), picture.GetImageSize());
    EXPECT_EQ(160, picture.GetBuffer()[6]); // pixel (2, 0): red 2 * 80

    // The icon codec reads the directory with the C runtime's fopen.
    IconImage small, large;
    small.width = small.height = 16;
    large.width = large.height = 256;
    large.pixel = [](int, int) -> DWORD { return 0x102030; };
    std::string icon = m_Folder.Write("\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0.ico", MakeIconFile({ small, large }));
    ASSERT_TRUE(picture.LoadRgbBuffer(icon.c_str(), false));
    EXPECT_EQ(CSize(256, 256), picture.GetImageSize());
    EXPECT_EQ(0x10, picture.GetBuffer()[0]);
}

TEST_F(LoadRgbBufferTest, JpegFilesGoToTheJpegCodecWithTheThumbnailFlag)
{
    // A JPEG without EXIF data: full mode decodes it, thumbnail mode finds
    // no embedded picture and leaves the buffer empty.
    CRgbBuffer source(CRect(0, 0, 24, 16), 0x90);
    std::string path = m_Folder.File("plain.jpeg");
    ASSERT_EQ(1, CJpgFile(path.c_str(), 90, false).Save(&source));
    std::string written = m_Folder.File("plain.jpg");
    CRgbBuffer picture;
    ASSERT_TRUE(picture.LoadRgbBuffer(written.c_str(), false));
    EXPECT_EQ(CSize(24, 16), picture.GetImageSize());
    EXPECT_NEAR(0x90, picture.GetBuffer()[0], 2);
    EXPECT_FALSE(picture.LoadRgbBuffer(written.c_str(), true));
    EXPECT_FALSE(picture.IsImage());
}
