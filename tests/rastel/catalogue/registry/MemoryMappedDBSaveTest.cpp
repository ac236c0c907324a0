// CMemoryMappedDB's save: a registry that is already in its saved form is
// not rewritten by a load, a failed save keeps the old file and the modified
// flag, and a save killed part-way leaves the old or the new file whole.
#include <gtest/gtest.h>
#include <stdio.h>
#include <stdlib.h>
#include <string>

#include "CatalogueTestKit.h"
#include "KilledChild.h"
#include "MemoryMappedDB.h"

using catalogue_test::FileBytes;
using catalogue_test::FilesMatching;
using catalogue_test::WriteFileBytes;

namespace
{
const char kChildVariable[] = "PIXMERE_REGISTRY_SAVE_CHILD";

class RegistrySave : public ::testing::Test
{
protected:
    RegistrySave() : m_folder("pixmere_registry_save") {}
    std::string File() const { return m_folder / "files.db"; }
    catalogue_test::TempFolder m_folder;
};

FILETIME LastWrite(const std::string& path)
{
    FILETIME time = {};
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        time = data.ftLastWriteTime;
    return time;
}

void SetLastWrite(const std::string& path, FILETIME time)
{
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    SetFileTime(file, NULL, NULL, &time);
    CloseHandle(file);
}

// One of the two contents the child saves in turn: `count` entries under
// the folder `letter`, in a registry that grows in large steps (a file of
// several hundred kilobytes, so that a save takes a while).
void Fill(CMemoryMappedDB& db, char letter, int count)
{
    for (int i = 0; i < count; i++)
    {
        char name[64];
        snprintf(name, sizeof(name), "C:\\%c\\Folder %05d", letter, i);
        db.RegisterFile(name);
    }
}
} // namespace

TEST_F(RegistrySave, LoadDoesNotRewriteARegistryInItsSavedForm)
{
    std::string bytes = std::string("C:\\A\0C:\\b\0", 10) + std::string(200, '\0');
    WriteFileBytes(File(), bytes);
    FILETIME old = { 0x12345678, 0x01D00000 }; // a day in 2014
    SetLastWrite(File(), old);
    CMemoryMappedDB db(File().c_str(), 2048);
    db.Load();
    EXPECT_EQ(2, db.GetFileCount());
    EXPECT_FALSE(db.IsModified());
    FILETIME now = LastWrite(File());
    EXPECT_EQ(0, CompareFileTime(&old, &now)) << "the file was written again";
    EXPECT_EQ(bytes, FileBytes(File()));

    // An unsorted file is still put in order.
    WriteFileBytes(File(), std::string("C:\\b\0C:\\A\0", 10) + std::string(200, '\0'));
    CMemoryMappedDB unsorted(File().c_str(), 2048);
    unsorted.Load();
    EXPECT_FALSE(unsorted.IsModified());
    EXPECT_EQ(bytes, FileBytes(File()));
}

TEST_F(RegistrySave, FailedSaveKeepsTheOldFileAndTheModifiedFlag)
{
    std::string bytes = std::string("C:\\A\0", 5) + std::string(100, '\0');
    WriteFileBytes(File(), bytes);
    CMemoryMappedDB db(File().c_str(), 2048);
    db.Load();
    db.RegisterFile("C:\\B");
    ASSERT_TRUE(db.IsModified());

    // While another process has the registry open (as its load does), the
    // file cannot be replaced.
    HANDLE other = CreateFileA(File().c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, other);
    db.Save();
    CloseHandle(other);
    EXPECT_TRUE(db.IsModified());
    EXPECT_EQ(bytes, FileBytes(File()));
    EXPECT_EQ((std::vector<std::string>{ "files.db" }), FilesMatching(m_folder.Path(), "*"))
        << "no temporary file is left behind";

    // The next save, once possible, writes the change.
    db.Save();
    EXPECT_FALSE(db.IsModified());
    std::string expected = std::string("C:\\A\0C:\\B\0", 10);
    EXPECT_EQ(expected + std::string(bytes.size() + 2048 - expected.size(), '\0'), FileBytes(File()));
}

TEST_F(RegistrySave, KilledSaveLeavesTheOldOrTheNewFileWhole)
{
    // The two contents, saved whole for comparison.
    CMemoryMappedDB a((m_folder / "a.db").c_str(), 262144), b((m_folder / "b.db").c_str(), 262144);
    Fill(a, 'A', 2000);
    Fill(b, 'B', 3000);
    a.Save();
    b.Save();
    const std::string bytesA = FileBytes(m_folder / "a.db"), bytesB = FileBytes(m_folder / "b.db");
    ASSERT_FALSE(bytesA.empty());
    ASSERT_NE(bytesA, bytesB);

    for (int round = 0; round < 5; round++)
    {
        // Each round stops the child somewhere else in the middle of a save.
        ASSERT_TRUE(killed_child::RunAndKill("RegistrySaveChild.*", kChildVariable, File(), File() + ".ready",
                                             40 + 53 * round))
            << "the child never started saving";
        std::string now = FileBytes(File());
        EXPECT_TRUE(now == bytesA || now == bytesB)
            << "round " << round << ": a file of " << now.size() << " bytes is neither content";
    }
}

// Run by the test above in a process of its own: saves the two contents in
// turn until it is killed.
TEST(RegistrySaveChild, SavesUntilKilled)
{
    const char* path = getenv(kChildVariable);
    if (!path || !*path)
        GTEST_SKIP() << "runs only as the child of KilledSaveLeavesTheOldOrTheNewFileWhole";
    CMemoryMappedDB a(path, 262144), b(path, 262144);
    Fill(a, 'A', 2000);
    Fill(b, 'B', 3000);
    a.Save();
    WriteFileBytes(std::string(path) + ".ready", "saving");
    for (;;)
    {
        b.SetModified(true);
        b.Save();
        a.SetModified(true);
        a.Save();
    }
}
