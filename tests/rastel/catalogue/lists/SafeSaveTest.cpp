// Saving catalogue files: the hidden attribute alone, and saves that fail
// (locked file, read-only folder, full disk) keep the previous file intact and
// leave no temporary file behind.
#include "ListFixture.h"
#include "NativeTool.h"

using catalogue_test::FileBytes;
using catalogue_test::FilesMatching;
using catalogue_test::Record;

namespace
{
std::string WithoutTrailingSlash(std::string path)
{
    while (!path.empty() && path.back() == '/')
        path.pop_back();
    return path;
}
}

TEST_F(ListTest, SavedCatalogueCarriesOnlyTheHiddenAttribute)
{
    std::string a = Picture("a.jpg");
    CTestList list(Catalogue());
    list.InsertFile(a.c_str());
    ASSERT_TRUE(list.Save());
    EXPECT_TRUE(catalogue_test::HasOnlyHiddenAttribute(Catalogue()));
    // A second save replaces a hidden file and marks the new one hidden too.
    list.GetFile(a.c_str())->SetDescription("again");
    ASSERT_TRUE(list.Save());
    EXPECT_TRUE(catalogue_test::HasOnlyHiddenAttribute(Catalogue()));
    EXPECT_EQ(Record(a, "again", 0, 0), FileBytes(Catalogue()));
    EXPECT_EQ(std::vector<std::string>{ "catalogue.db" }, FilesMatching(m_folder.Path(), "*.d*"));
    EXPECT_TRUE(FilesMatching(m_folder.Path(), "*.tmp").empty());
}

TEST_F(ListTest, EmptyListSavesAZeroByteFile)
{
    CTestList list(Catalogue());
    ASSERT_TRUE(list.Save());
    ASSERT_TRUE(catalogue_test::Exists(Catalogue()));
    EXPECT_EQ("", FileBytes(Catalogue()));
    EXPECT_TRUE(catalogue_test::HasOnlyHiddenAttribute(Catalogue()));
}

TEST_F(ListTest, SaveAfterPictureDeletedDropsItsRecord)
{
    std::string a = Picture("a.jpg"), b = Picture("b.jpg");
    CTestList list(Catalogue());
    list.InsertFile(a.c_str());
    list.InsertFile(b.c_str());
    ASSERT_TRUE(list.Save());
    DeleteFileA(a.c_str());
    CTestList reloaded(Catalogue());
    reloaded.Load();
    ASSERT_TRUE(reloaded.Save());
    EXPECT_EQ(Record(b, "", 0, 0), FileBytes(Catalogue()));
}

TEST_F(ListTest, SaveIntoAMissingFolderFailsQuietly)
{
    std::string target = m_folder / "no such folder\\catalogue.db";
    CTestList list(target);
    list.InsertFile(Picture("a.jpg").c_str());
    EXPECT_FALSE(list.Save());
    EXPECT_FALSE(catalogue_test::Exists(target));
}

TEST_F(ListTest, FileHeldOpenWithoutSharingKeepsItsOldContent)
{
    std::string a = Picture("a.jpg"), b = Picture("b.jpg");
    CTestList list(Catalogue());
    list.InsertFile(a.c_str());
    ASSERT_TRUE(list.Save());
    const std::string before = FileBytes(Catalogue());

    HANDLE holder = CreateFileA(Catalogue().c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, holder);
    list.InsertFile(b.c_str());
    EXPECT_FALSE(list.Save());
    CloseHandle(holder);

    EXPECT_EQ(before, FileBytes(Catalogue()));
    EXPECT_TRUE(FilesMatching(m_folder.Path(), "*.tmp").empty());
    EXPECT_TRUE(catalogue_test::HasOnlyHiddenAttribute(Catalogue()));
    // Once the file is free again, the next save stores the new list.
    ASSERT_TRUE(list.Save());
    EXPECT_EQ(Record(a, "", 0, 0) + Record(b, "", 0, 0), FileBytes(Catalogue()));
}

TEST_F(ListTest, ReadOnlyFolderKeepsTheOldCatalogue)
{
    std::string a = Picture("a.jpg"), b = Picture("b.jpg");
    CTestList list(Catalogue());
    list.InsertFile(a.c_str());
    ASSERT_TRUE(list.Save());
    const std::string before = FileBytes(Catalogue());

    // As root, permission bits do not stop writes: make the folder immutable.
    std::string unixFolder = WithoutTrailingSlash(native_tool::UnixPath(m_folder.Path()));
    if (unixFolder.empty() || native_tool::RunShell("chattr +i " + native_tool::ShellQuote(unixFolder)) != 0)
        GTEST_SKIP() << "cannot make a folder read-only here";
    list.InsertFile(b.c_str());
    BOOL saved = list.Save();
    std::vector<std::string> temporaries = FilesMatching(m_folder.Path(), "*.tmp");
    native_tool::RunShell("chattr -i " + native_tool::ShellQuote(unixFolder));

    EXPECT_FALSE(saved);
    EXPECT_EQ(before, FileBytes(Catalogue()));
    EXPECT_TRUE(temporaries.empty());
}

TEST_F(ListTest, FullDiskKeepsTheOldCatalogue)
{
    // A tiny file system of its own: 64 KiB of room.
    std::string mount = WithoutTrailingSlash(native_tool::UnixPath(m_folder.Path())) + "/small";
    std::string folder = m_folder / "small";
    CreateDirectoryA(folder.c_str(), NULL);
    if (native_tool::RunShell("mount -t tmpfs -o size=64k pixmere-test " + native_tool::ShellQuote(mount)) != 0)
        GTEST_SKIP() << "cannot mount a small file system here";

    std::string target = folder + "\\catalogue.db";
    std::string a = Picture("a.jpg");
    CTestList list(target);
    list.InsertFile(a.c_str());
    BOOL first = list.Save();
    std::string before = FileBytes(target);
    list.GetFile(a.c_str())->SetDescription(std::string(200000, 'd').c_str());
    BOOL second = list.Save();
    std::string after = FileBytes(target);
    std::vector<std::string> temporaries = FilesMatching(folder, "*.tmp");
    native_tool::RunShell("umount " + native_tool::ShellQuote(mount));

    EXPECT_TRUE(first);
    EXPECT_EQ(Record(a, "", 0, 0), before);
    EXPECT_FALSE(second);
    EXPECT_EQ(before, after);
    EXPECT_TRUE(temporaries.empty());
}
