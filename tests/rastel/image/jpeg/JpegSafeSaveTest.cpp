// Saves that cannot finish (a folder that refuses new files, a full disk, a
// writer killed part-way) leave the target as it was or whole as written,
// never broken or missing, no temporary file beside it, and Save says 0.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <memory>
#include "CatalogueTestKit.h"
#include "JpegTestKit.h"
#include "KilledChild.h"

using catalogue_test::FilesMatching;

namespace
{
const char kChildVariable[] = "PIXMERE_JPEG_SAVE_CHILD";

// Noise compresses badly: a picture of this kind makes a large file, so its
// save takes a while and overflows a small disk.
CRgbBuffer* MakeNoise(int width, int height, unsigned seed)
{
    CRgbBuffer* picture = new CRgbBuffer(width, height);
    picture->m_GrayScale = 0;
    BYTE* p = picture->GetBuffer();
    for (int i = 0; i < width * height * 3; ++i)
    {
        seed = seed * 1103515245u + 12345u;
        p[i] = (BYTE)(seed >> 16);
    }
    return picture;
}

std::string WithoutTrailingSlash(std::string path)
{
    while (!path.empty() && path.back() == '/')
        path.pop_back();
    return path;
}

class JpegSafeSave : public ::testing::Test
{
protected:
    JpegSafeSave() : m_Dir("pixmere_jpeg_safe") {}
    std::string Photo() const { return m_Dir / "photo.jpg"; }
    // The old photo, saved through the codec; returns its bytes.
    Bytes SaveOld(const std::string& path, int quality = 80)
    {
        std::unique_ptr<CRgbBuffer> old(MakePicture(40, 30, 1));
        if (!CJpgFile(path.c_str(), quality, false).Save(old.get()))
            return Bytes();
        return FileBytes(path);
    }
    test_support::TempFolder m_Dir;
};
} // namespace

TEST_F(JpegSafeSave, TargetThatCannotBeReplacedKeepsItsBytes)
{
    const Bytes before = SaveOld(Photo());
    ASSERT_FALSE(before.empty());
    std::unique_ptr<CRgbBuffer> picture(MakePicture(64, 48, 2));

    // Held open by another program without sharing.
    HANDLE holder = CreateFileA(Photo().c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, holder);
    EXPECT_EQ(0, CJpgFile(Photo().c_str(), 90, false).Save(picture.get()));
    CloseHandle(holder);
    EXPECT_TRUE(before == FileBytes(Photo())) << "the photo changed";
    EXPECT_EQ(std::vector<std::string>{ "photo.jpg" }, FilesMatching(m_Dir.Path(), "*"));

    // In a folder that takes no new file (as root, permission bits do not
    // stop writes: make it immutable). The file itself could be rewritten
    // in place, which is what must not happen.
    std::string unixFolder = WithoutTrailingSlash(native_tool::UnixPath(m_Dir.Path()));
    if (unixFolder.empty() || native_tool::RunShell("chattr +i " + native_tool::ShellQuote(unixFolder)) != 0)
        GTEST_SKIP() << "cannot make a folder read-only here";
    int saved = CJpgFile(Photo().c_str(), 90, false).Save(picture.get());
    Bytes after = FileBytes(Photo());
    std::vector<std::string> files = FilesMatching(m_Dir.Path(), "*");
    native_tool::RunShell("chattr -i " + native_tool::ShellQuote(unixFolder));
    EXPECT_EQ(0, saved);
    EXPECT_TRUE(before == after) << "the photo changed";
    EXPECT_EQ(std::vector<std::string>{ "photo.jpg" }, files);

    // Once free, the save replaces the photo, which does not end hidden.
    ASSERT_EQ(1, CJpgFile(Photo().c_str(), 90, false).Save(picture.get()));
    EXPECT_TRUE(before != FileBytes(Photo()));
    EXPECT_FALSE(GetFileAttributesA(Photo().c_str()) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(std::vector<std::string>{ "photo.jpg" }, FilesMatching(m_Dir.Path(), "*"));
}

TEST_F(JpegSafeSave, FullDiskKeepsTheOldPhoto)
{
    // A tiny file system of its own: 64 KiB of room.
    std::string mount = WithoutTrailingSlash(native_tool::UnixPath(m_Dir.Path())) + "/small";
    std::string folder = m_Dir / "small";
    CreateDirectoryA(folder.c_str(), NULL);
    if (native_tool::RunShell("mount -t tmpfs -o size=64k pixmere-test " + native_tool::ShellQuote(mount)) != 0)
        GTEST_SKIP() << "cannot mount a small file system here";

    std::string target = folder + "\\photo.jpg";
    Bytes before = SaveOld(target);
    std::unique_ptr<CRgbBuffer> big(MakeNoise(400, 300, 7)); // far more than 64 KiB
    int saved = CJpgFile(target.c_str(), 100, false).Save(big.get());
    Bytes after = FileBytes(target);
    std::vector<std::string> files = FilesMatching(folder, "*");
    native_tool::RunShell("umount " + native_tool::ShellQuote(mount));

    ASSERT_FALSE(before.empty());
    EXPECT_EQ(0, saved);
    EXPECT_TRUE(before == after) << "the photo was lost or broken: " << after.size() << " bytes";
    EXPECT_EQ(std::vector<std::string>{ "photo.jpg" }, files);
}

TEST_F(JpegSafeSave, KilledSaveLeavesTheOldOrTheNewPhotoWhole)
{
    // The two contents the child saves in turn, saved whole for comparison.
    std::unique_ptr<CRgbBuffer> a(MakeNoise(1600, 1200, 1)), b(MakeNoise(1200, 1600, 2));
    ASSERT_EQ(1, CJpgFile((m_Dir / "a.jpg").c_str(), 100, false).Save(a.get()));
    ASSERT_EQ(1, CJpgFile((m_Dir / "b.jpg").c_str(), 100, false).Save(b.get()));
    const Bytes bytesA = FileBytes(m_Dir / "a.jpg"), bytesB = FileBytes(m_Dir / "b.jpg");
    ASSERT_TRUE(bytesA != bytesB);

    std::string ready = Photo() + ".ready";
    for (int round = 0; round < 5; round++)
    {
        // Each round stops the child somewhere else in the middle of a save.
        ASSERT_TRUE(killed_child::RunAndKill("JpegSafeSaveChild.*", kChildVariable, Photo(), ready,
                                             30 + 47 * round))
            << "the child never started saving";
        Bytes now = FileBytes(Photo());
        EXPECT_TRUE(now == bytesA || now == bytesB)
            << "round " << round << ": a file of " << now.size() << " bytes is neither photo";
    }
}

// Run by the test above in a process of its own: saves the two photos over
// one another until it is killed.
TEST(JpegSafeSaveChild, SavesUntilKilled)
{
    const char* path = getenv(kChildVariable);
    if (!path || !*path)
        GTEST_SKIP() << "runs only as the child of KilledSaveLeavesTheOldOrTheNewPhotoWhole";
    std::unique_ptr<CRgbBuffer> a(MakeNoise(1600, 1200, 1)), b(MakeNoise(1200, 1600, 2));
    CJpgFile(path, 100, false).Save(a.get());
    WriteFileBytes(std::string(path) + ".ready", "saving");
    for (;;)
    {
        CJpgFile(path, 100, false).Save(b.get());
        CJpgFile(path, 100, false).Save(a.get());
    }
}
