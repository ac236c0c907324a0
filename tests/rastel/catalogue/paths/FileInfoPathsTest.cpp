// CFileInfo's static helpers: picture types by extension, file and folder
// tests, MakeDir, and splitting and building paths.
#include <gtest/gtest.h>
#include <string>
#include <time.h>
#include "FileBytes.h"
#include "FileInfo.h"
#include "PictureTypes.h"
#include "TempFolder.h"

namespace
{
void WriteFile(const std::string& path, int bytes)
{
    ASSERT_TRUE(test_support::WriteFileBytes(path, std::string(bytes, 'p'))) << path;
}
} // namespace

TEST(FileInfoTypes, OpenFilterListsEveryPictureTypeButFonts)
{
    EXPECT_STREQ("JPG(*.jpg;*.jpeg;*.jpe;*.jfif)|*.jpg;*.jpeg;*.jpe;*.jfif|GIF(*.gif)|*.gif|"
                 "Tagged image files(*.tif;*.tiff)|*.tif;*.tiff|Bitmaps(*.bmp;*.dib)|*.bmp;*.dib|PNG(*.png)|*.png|"
                 "Metafiles(*.emf;*.wmf)|*.emf;*.wmf|Cursors(*.cur)|*.cur|Icons(*.ico)|*.ico|"
                 "WebP(*.webp)|*.webp|HEIF(*.heic;*.heif)|*.heic;*.heif|"
                 "JPEG XL(*.jxl)|*.jxl|AVIF(*.avif)|*.avif||",
                 (LPCSTR)CPictureTypes::GetOpenFilter());
}

TEST(FileInfoTypes, JpegExtensionsInAnyCase)
{
    EXPECT_TRUE(CFileInfo::IsJPGFile("C:\\Pictures\\IMG.JpEg"));
    EXPECT_TRUE(CFileInfo::IsJPGFile("a.jfif"));
    EXPECT_TRUE(CFileInfo::IsJPGFile("a.jpg"));
    EXPECT_TRUE(CFileInfo::IsJPGFile("X.JPE"));
    EXPECT_FALSE(CFileInfo::IsJPGFile("jpg"));
    EXPECT_FALSE(CFileInfo::IsJPGFile("a.jp"));
    EXPECT_FALSE(CFileInfo::IsJPGFile("a.jpgx"));
    EXPECT_FALSE(CFileInfo::IsJPGFile("ajpeg"));
    EXPECT_FALSE(CFileInfo::IsJPGFile(""));
}

TEST(FileInfoTypes, EveryFamily)
{
    EXPECT_TRUE(CFileInfo::IsTiffFile("scan.tiff"));
    EXPECT_TRUE(CFileInfo::IsTiffFile("scan.TIF"));
    EXPECT_FALSE(CFileInfo::IsTiffFile("scan.tifff"));
    EXPECT_TRUE(CFileInfo::IsWmfFile("logo.EMF"));
    EXPECT_TRUE(CFileInfo::IsWmfFile("logo.wmf"));
    EXPECT_TRUE(CFileInfo::IsBMPFile("a.Dib"));
    EXPECT_TRUE(CFileInfo::IsBMPFile("a.bmp"));
    EXPECT_TRUE(CFileInfo::IsICOFile("a.ico"));
    EXPECT_TRUE(CFileInfo::IsCURFile("a.CuR"));
    EXPECT_TRUE(CFileInfo::IsGifFile("a.gif"));
    EXPECT_TRUE(CFileInfo::IsPngFile("a.PNG"));
    EXPECT_FALSE(CFileInfo::IsPngFile("a.png.txt"));
    EXPECT_FALSE(CFileInfo::IsBMPFile(".bm"));
}

TEST(FileInfoTypes, FontIsNoImageFile)
{
    EXPECT_TRUE(CFileInfo::IsTTFFile("font.ttf"));
    EXPECT_TRUE(CFileInfo::IsTTFFile("FONT.TTF"));
    EXPECT_FALSE(CFileInfo::IsImageFile("font.ttf"));
}

TEST(FileInfoTypes, ImageFileCoversEveryPictureType)
{
    const char* pictures[] = { "a.jpg", "a.jpeg", "a.jpe", "a.jfif", "a.ico", "a.bmp", "a.dib",
                               "a.tif", "a.tiff", "a.gif", "a.png", "a.wmf", "a.emf", "a.cur",
                               "a.webp", "C:\\Pictures\\IMG_1.WebP", "IMG_2.HEIC", "a.heif", "a.JXL", "IMG_3.AVIF" };
    for (const char* p : pictures)
        EXPECT_TRUE(CFileInfo::IsImageFile(p)) << p;
    const char* others[] = { "a.txt", "a.db", "a.alb", "a.avi", "a", "", ".jp", "a.ttf", "a.web", "a.webpx", "a.hei", "a.heics", "a.jx", "a.avi", "a.avifs" };
    for (const char* p : others)
        EXPECT_FALSE(CFileInfo::IsImageFile(p)) << p;
}

TEST(FileInfoPaths, SplitsAtTheLastBackslash)
{
    EXPECT_STREQ("C:\\a", CFileInfo::GetPathFromFullPath("C:\\a\\b.jpg"));
    EXPECT_STREQ("b.jpg", CFileInfo::GetFileFromFullPath("C:\\a\\b.jpg"));
    EXPECT_STREQ("", CFileInfo::GetPathFromFullPath("b.jpg"));
    EXPECT_STREQ("b.jpg", CFileInfo::GetFileFromFullPath("b.jpg"));
    EXPECT_STREQ("C:", CFileInfo::GetPathFromFullPath("C:\\"));
    EXPECT_STREQ("", CFileInfo::GetFileFromFullPath("C:\\"));
    EXPECT_STREQ("C:\\a\\b", CFileInfo::GetPathFromFullPath("C:\\a\\b\\c"));
}

TEST(FileInfoPaths, AssureExtensionReplacesTheLastOne)
{
    EXPECT_STREQ("C:\\a\\b.jpg", CFileInfo::AssureExtension("C:\\a\\b", "jpg"));
    EXPECT_STREQ("C:\\a\\b.x.jpg", CFileInfo::AssureExtension("C:\\a\\b.x.png", "jpg"));
    EXPECT_STREQ("photo.jpg", CFileInfo::AssureExtension("photo.jpeg", "jpg"));
    EXPECT_STREQ("photo.jpg", CFileInfo::AssureExtension("photo.JPG", "jpg"));
    EXPECT_STREQ("photo.jpg", CFileInfo::AssureExtension("photo.", "jpg"));
    // A dot in a folder name is not the file's extension.
    EXPECT_STREQ("C:\\my.photos\\pic.jpg", CFileInfo::AssureExtension("C:\\my.photos\\pic", "jpg"));
}

TEST(FileInfoFiles, FilesFoldersAndSizes)
{
    test_support::TempFolder temp("pixmere_paths_files");
    const std::string& folder = temp.Path();
    std::string file = folder + "\\seven.bin";
    WriteFile(file, 7);
    std::string empty = folder + "\\empty.bin";
    WriteFile(empty, 0);

    EXPECT_TRUE(CFileInfo::FileExist(file.c_str()));
    EXPECT_FALSE(CFileInfo::FolderExist(file.c_str()));
    EXPECT_EQ(7, CFileInfo::GetFileSize(file.c_str()));
    EXPECT_TRUE(CFileInfo::FileExist(empty.c_str()));
    EXPECT_EQ(0, CFileInfo::GetFileSize(empty.c_str()));
    EXPECT_FALSE(CFileInfo::FileExist(folder.c_str()));
    EXPECT_TRUE(CFileInfo::FolderExist(folder.c_str()));
    EXPECT_EQ(0, CFileInfo::GetFileSize(folder.c_str()));
    std::string missing = folder + "\\missing.jpg";
    EXPECT_FALSE(CFileInfo::FileExist(missing.c_str()));
    EXPECT_FALSE(CFileInfo::FolderExist(missing.c_str()));
    EXPECT_EQ(0, CFileInfo::GetFileSize(missing.c_str()));
}

TEST(FileInfoFiles, ModifyTimeOfFileAndOfMissingPath)
{
    test_support::TempFolder temp("pixmere_paths_time");
    const std::string& folder = temp.Path();
    std::string file = folder + "\\dated.bin";
    WriteFile(file, 3);
    // 2001-02-03 04:05:06 UTC.
    SYSTEMTIME when = { 2001, 2, 0, 3, 4, 5, 6, 0 };
    FILETIME stamp;
    SystemTimeToFileTime(&when, &stamp);
    HANDLE h = CreateFileA(file.c_str(), FILE_WRITE_ATTRIBUTES, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    SetFileTime(h, NULL, NULL, &stamp);
    CloseHandle(h);
    EXPECT_EQ(981173106, (long long)CFileInfo::GetModifyTime(file.c_str()).GetTime());

    time_t before = time(NULL);
    long long missing = CFileInfo::GetModifyTime((folder + "\\none.jpg").c_str()).GetTime();
    EXPECT_GE(missing, (long long)before);
    EXPECT_LE(missing, (long long)time(NULL) + 1);
}

TEST(FileInfoFolders, MakeDirCreatesEveryLevel)
{
    test_support::TempFolder temp("pixmere_paths_mkdir");
    std::string root = temp.File("root"); // not made yet
    std::string deep = root + "\\x\\y\\z";
    EXPECT_FALSE(CFileInfo::FolderExist(root.c_str()));
    EXPECT_TRUE(CFileInfo::MakeDir(deep.c_str()));
    EXPECT_TRUE(CFileInfo::FolderExist((root + "\\x").c_str()));
    EXPECT_TRUE(CFileInfo::FolderExist((root + "\\x\\y").c_str()));
    EXPECT_TRUE(CFileInfo::FolderExist(deep.c_str()));
    EXPECT_TRUE(CFileInfo::MakeDir(deep.c_str()));

    // Beneath a file nothing can be made.
    std::string file = root + "\\x\\plain";
    WriteFile(file, 1);
    EXPECT_FALSE(CFileInfo::MakeDir((file + "\\sub").c_str()));

    // UTF-8 folder names (the manifest's code page).
    std::string unicode = root + "\\\xC3\xA9t\xC3\xA9\\\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0";
    EXPECT_TRUE(CFileInfo::MakeDir(unicode.c_str()));
    EXPECT_TRUE(CFileInfo::FolderExist(unicode.c_str()));
    std::wstring wide;
    for (char c : root)
        wide += (wchar_t)(unsigned char)c;
    EXPECT_NE(INVALID_FILE_ATTRIBUTES,
              GetFileAttributesW((wide + L"\\\x00E9t\x00E9\\\x041C\x043E\x0441\x043A\x0432\x0430").c_str()));
}
