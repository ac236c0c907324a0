// CMemoryMappedDB: sorted case-insensitive set, its flat file of strings with
// zero filler that never shrinks, and damaged files.
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "CatalogueTestKit.h"
#include "MemoryMappedDB.h"

using catalogue_test::FileBytes;
using catalogue_test::WriteFileBytes;

namespace
{
// Exposes the protected searches and the construction parameters.
class CTestDB : public CMemoryMappedDB
{
public:
    CTestDB(const std::string& path, int growth) : CMemoryMappedDB(path.c_str(), growth) {}
    using CMemoryMappedDB::GetFileIndex;
    using CMemoryMappedDB::UnregisterDeadFiles;

    std::vector<std::string> Entries()
    {
        std::vector<std::string> out;
        for (int i = 0; i < GetFileCount(); i++)
            out.push_back(GetFile(i));
        return out;
    }
};

std::string Zeros(size_t n) { return std::string(n, '\0'); }

class Registry : public ::testing::Test
{
protected:
    Registry() : m_folder("pixmere_registry") {}
    std::string File() const { return m_folder / "files.db"; }
    catalogue_test::TempFolder m_folder;
};
}

TEST_F(Registry, SmallGrowthIsRaisedTo2048)
{
    CTestDB db(File(), 100);
    db.RegisterFile("C:\\x");
    db.Save();
    EXPECT_EQ(2048u, FileBytes(File()).size());
}

TEST_F(Registry, FirstRegistrationAndSaveWriteOneGrowthStep)
{
    CTestDB db(File(), 262144);
    db.Load();
    ASSERT_TRUE(catalogue_test::Exists(File())) << "loading a missing file creates it";
    EXPECT_EQ(0u, FileBytes(File()).size());
    db.RegisterFile("C:\\Pictures");
    db.Save();
    std::string expected = std::string("C:\\Pictures") + '\0';
    expected += Zeros(262144 - expected.size());
    EXPECT_EQ(expected, FileBytes(File()));
}

TEST_F(Registry, OtherLetterCaseIsTheSameEntry)
{
    CTestDB db("", 2048);
    EXPECT_EQ(1, db.RegisterFile("C:\\Photos\\Trip"));
    EXPECT_EQ(1, db.RegisterFile("c:\\PHOTOS\\trip"));
    EXPECT_EQ((std::vector<std::string>{ "C:\\Photos\\Trip" }), db.Entries());
    EXPECT_EQ(0, db.GetFileIndex("C:\\PHOTOS\\TRIP"));
}

TEST_F(Registry, RegistrationKeepsTheSortedOrder)
{
    CTestDB db("", 2048);
    db.RegisterFile("B");
    db.RegisterFile("A");
    db.RegisterFile("C");
    EXPECT_EQ((std::vector<std::string>{ "A", "B", "C" }), db.Entries());
    db.RegisterFile("D");
    db.RegisterFile("a0");
    db.RegisterFile("0");
    EXPECT_EQ((std::vector<std::string>{ "0", "A", "a0", "B", "C", "D" }), db.Entries());
}

TEST_F(Registry, ManyRegistrationsStaySortedAndFindable)
{
    CTestDB db("", 2048); // grows buffer and index array many times
    std::vector<std::string> names;
    unsigned seed = 7;
    for (int i = 0; i < 3000; i++)
    {
        seed = seed * 1103515245u + 12345u;
        char name[64];
        snprintf(name, sizeof(name), "C:\\Folder%05u\\Sub%c", (seed >> 8) % 20000, 'a' + (char)(seed % 26));
        names.push_back(name);
        db.RegisterFile(name);
    }
    std::vector<std::string> entries = db.Entries();
    for (size_t i = 1; i < entries.size(); i++)
        ASSERT_LT(_stricmp(entries[i - 1].c_str(), entries[i].c_str()), 0) << i;
    for (const std::string& name : names)
        ASSERT_GE(db.GetFileIndex(name.c_str()), 0) << name;
    EXPECT_EQ(-1, db.GetFileIndex("C:\\not there"));
    EXPECT_EQ(-1, db.GetFileIndex("0"));
    EXPECT_EQ(-1, db.GetFileIndex("zzz"));
}


TEST_F(Registry, RemovedEntryBecomesFillerAndTheFileKeepsItsLength)
{
    CTestDB db(File(), 2048);
    db.Load();
    db.RegisterFile("one");
    db.RegisterFile("three");
    db.RegisterFile("two");
    db.Save();
    // Each insertion first makes sure of 2048 free bytes: three small paths
    // take two growth steps.
    const size_t length = FileBytes(File()).size();
    ASSERT_EQ(4096u, length);
    db.UnRegisterFile("THREE");
    db.Save();
    std::string expected = std::string("one") + '\0' + "two" + '\0';
    EXPECT_EQ(expected + Zeros(length - expected.size()), FileBytes(File()));
}

TEST_F(Registry, LoadSortsAndRewritesTheFile)
{
    WriteFileBytes(File(), std::string("b\0A\0", 4) + Zeros(100));
    CTestDB db(File(), 2048);
    db.Load();
    EXPECT_EQ((std::vector<std::string>{ "A", "b" }), db.Entries());
    EXPECT_EQ(std::string("A\0b\0", 4) + Zeros(100), FileBytes(File()));
}

TEST_F(Registry, FileGrowsByWholeStepsFromItsLoadedLength)
{
    WriteFileBytes(File(), std::string("x\0", 2) + Zeros(8));
    CTestDB db(File(), 2048);
    db.Load();
    db.RegisterFile("y");
    db.Save();
    std::string expected = std::string("x\0y\0", 4);
    EXPECT_EQ(expected + Zeros(10 + 2048 - expected.size()), FileBytes(File()));
}

TEST_F(Registry, EmptyPathNeverTouchesAFile)
{
    CTestDB db("", 2048);
    db.Load();
    db.RegisterFile("C:\\a");
    db.Save();
    EXPECT_TRUE(catalogue_test::FilesMatching(m_folder.Path(), "*").empty());
    EXPECT_EQ(1, db.GetFileCount());
}

TEST_F(Registry, PathsOverTheLimitAreRefused)
{
    CTestDB db(File(), 2048);
    std::string limit(260, 'p'), over(261, 'p');
    EXPECT_EQ(1, db.RegisterFile(limit.c_str()));
    EXPECT_EQ(0, db.RegisterFile(over.c_str()));
    EXPECT_EQ(0, db.RegisterFile(nullptr));
    EXPECT_EQ((std::vector<std::string>{ limit }), db.Entries());
    db.Save();
    CTestDB reloaded(File(), 2048);
    reloaded.Load();
    EXPECT_EQ((std::vector<std::string>{ limit }), reloaded.Entries());
}

TEST_F(Registry, DamagedFilesLoadWhatTheRulesAllow)
{
    struct Case
    {
        std::string bytes;
        std::vector<std::string> entries;
    };
    const std::string longString(261, 'L');
    const Case cases[] = {
        { "no terminator at all", {} },
        { std::string("ok\0unterminated", 15), { "ok" } },
        { std::string("z\0", 2) + longString + '\0' + "after", { "z" } },
        { std::string("b\0\0c\0", 5), { "b" } },
        { std::string("\0hidden\0", 8), {} },
    };
    for (const Case& c : cases)
    {
        WriteFileBytes(File(), c.bytes);
        CTestDB db(File(), 2048);
        db.Load();
        EXPECT_EQ(c.entries, db.Entries()) << "case of " << c.bytes.size() << " bytes";
        std::string rewritten = FileBytes(File());
        EXPECT_EQ(c.bytes.size(), rewritten.size()) << "the file keeps its length";
        std::string expected;
        for (const std::string& e : c.entries)
            expected += e + '\0';
        if (!c.entries.empty())
        {
            EXPECT_EQ(expected + Zeros(c.bytes.size() - expected.size()), rewritten);
        }
        // A later registration still works and lands in the file.
        db.RegisterFile("new entry");
        db.Save();
        CTestDB again(File(), 2048);
        again.Load();
        EXPECT_GE(again.GetFileIndex("new entry"), 0);
    }
}

TEST_F(Registry, EqualEntriesInAFileLoadAsOne)
{
    WriteFileBytes(File(), std::string("a\0B\0A\0b\0a\0", 10));
    CTestDB db(File(), 2048);
    db.Load();
    std::vector<std::string> entries = db.Entries();
    ASSERT_EQ(2u, entries.size());
    EXPECT_EQ(0, _stricmp("a", entries[0].c_str()));
    EXPECT_EQ(0, _stricmp("b", entries[1].c_str()));
    db.RegisterFile("A");
    EXPECT_EQ(2, db.GetFileCount());
}

TEST_F(Registry, RandomBytesNeverCrashTheLoad)
{
    unsigned seed = 99;
    for (int round = 0; round < 200; round++)
    {
        std::string bytes;
        size_t length = 1 + (seed % 1500);
        for (size_t i = 0; i < length; i++)
        {
            seed = seed * 1103515245u + 12345u;
            unsigned v = (seed >> 16) & 0xFF;
            bytes += (char)(v < 8 ? 0 : v); // some terminators among them
        }
        WriteFileBytes(File(), bytes);
        CTestDB db(File(), 2048);
        db.Load();
        std::vector<std::string> entries = db.Entries();
        for (size_t i = 0; i < entries.size(); i++)
        {
            ASSERT_LE(entries[i].size(), 260u);
            ASSERT_FALSE(entries[i].empty());
            if (i > 0)
            {
                ASSERT_LT(_stricmp(entries[i - 1].c_str(), entries[i].c_str()), 0);
            }
        }
        ASSERT_EQ(bytes.size(), FileBytes(File()).size()) << "the load's save keeps the length";
    }
}

TEST_F(Registry, FileLockedByAnotherOpenerLoadsEmpty)
{
    WriteFileBytes(File(), std::string("kept\0", 5) + Zeros(20));
    HANDLE other = CreateFileA(File().c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, other);
    CTestDB db(File(), 2048);
    db.Load();
    EXPECT_EQ(0, db.GetFileCount());
    db.RegisterFile("lost");
    db.Save();
    CloseHandle(other);
    EXPECT_EQ(std::string("kept\0", 5) + Zeros(20), FileBytes(File()));
}

TEST_F(Registry, DeadFilesAreAllRemovedInOnePass)
{
    std::string a = catalogue_test::MakePicture(m_folder / "a.jpg");
    CTestDB db("", 2048);
    db.RegisterFile((m_folder / "dead1").c_str());
    db.RegisterFile((m_folder / "dead2").c_str());
    db.RegisterFile(a.c_str());
    db.RegisterFile((m_folder / "dead3").c_str());
    db.UnregisterDeadFiles();
    EXPECT_EQ((std::vector<std::string>{ a }), db.Entries());
}


TEST_F(Registry, SortSetsTheModifiedFlagEvenWhenInOrder)
{
    CTestDB db(File(), 2048);
    db.RegisterFile("a");
    db.Save();
    WriteFileBytes(File(), std::string("a\0", 2) + "garbage after filler");
    // Unmodified registry: Save writes nothing.
    db.Save();
    EXPECT_EQ(std::string("a\0", 2) + "garbage after filler", FileBytes(File()));
    db.Sort();
    db.Save();
    std::string rewritten = FileBytes(File());
    EXPECT_EQ(std::string("a\0", 2) + Zeros(2046), rewritten.substr(0, 2048));
}

TEST(RegistryFolder, AlbumsFolderLiesBesideTheProgram)
{
    char module[MAX_PATH];
    GetModuleFileNameA(NULL, module, MAX_PATH);
    std::string expected = module;
    expected = expected.substr(0, expected.rfind('\\')) + "\\Albums";
    CString folder = CMemoryMappedDB::GetDbFolderName();
    EXPECT_EQ(expected, std::string((LPCSTR)folder));
    DWORD attributes = GetFileAttributesA(folder);
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, attributes);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
}
