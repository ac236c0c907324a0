// Loading catalogue files: update rules, the end of the records, and damaged
// or hostile content, which loads what it can and never crashes.
#include "ListFixture.h"

using catalogue_test::ArchiveString;
using catalogue_test::Int32;
using catalogue_test::Record;
using catalogue_test::WriteFileBytes;

TEST_F(ListTest, DuplicateRecordsGiveOneEntryWithTheLastFields)
{
    std::string a = Picture("a.jpg"), b = Picture("b.jpg");
    std::string upperA = a.substr(0, a.size() - 5) + "A.JPG";
    WriteFileBytes(Catalogue(), Record(a, "first", 1, 10) + Record(b, "bee", 2, 20) + Record(upperA, "second", 3, 30));
    CTestList list(Catalogue());
    list.Load();
    ASSERT_EQ((std::vector<std::string>{ a, b }), list.Names());
    CFileInfo* entry = list.GetFile(a.c_str());
    EXPECT_STREQ("second", (LPCSTR)entry->GetDescription());
    EXPECT_EQ(3, entry->GetTransition());
    EXPECT_EQ(30, entry->GetShowTime());
}

TEST_F(ListTest, LoadAddsToTheListAndKeepsTheCurrentEntry)
{
    std::string a = Picture("a.jpg"), b = Picture("b.jpg"), c = Picture("c.jpg");
    WriteFileBytes(Catalogue(), Record(a, "from file", 4, 300) + Record(c, "", 0, 0));
    CTestList list(Catalogue());
    list.InsertFile(c.c_str());
    list.InsertFile(b.c_str());
    list.SetCurrentFile(CString(b.c_str()));
    list.Load();
    EXPECT_EQ((std::vector<std::string>{ c, b, a }), list.Names());
    EXPECT_EQ(b, std::string((LPCSTR)list.GetCurrentFile()->GetName()));
    EXPECT_EQ(44, list.GetFile(a.c_str())->GetShowTime()) << "show time from the file keeps 8 bits";
}

TEST_F(ListTest, MissingAndEmptyFilesLoadNothing)
{
    CTestList missing(m_folder / "none.db");
    missing.Load();
    EXPECT_EQ(0, missing.GetCount());
    WriteFileBytes(Catalogue(), "");
    CTestList empty(Catalogue());
    empty.Load();
    EXPECT_EQ(0, empty.GetCount());
}

TEST_F(ListTest, LastRecordWithoutItsFinalIntegerIsDropped)
{
    std::string a = Picture("a.jpg"), b = Picture("b.jpg");
    std::string bytes = Record(a, "x", 1, 2) + Record(b, "y", 3, 4);
    for (size_t cut = 1; cut <= 4; cut++)
    {
        WriteFileBytes(Catalogue(), bytes.substr(0, bytes.size() - cut));
        CTestList list(Catalogue());
        list.Load();
        EXPECT_EQ((std::vector<std::string>{ a }), list.Names()) << "cut " << cut;
    }
}

TEST_F(ListTest, RecordsOfMissingOrNonPictureFilesAreDropped)
{
    std::string a = Picture("a.jpg");
    std::string text = m_folder / "readme.txt";
    WriteFileBytes(text, "hello");
    WriteFileBytes(Catalogue(), Record(m_folder / "gone.jpg", "", 0, 0) + Record(text, "", 0, 0) +
                                    Record(std::string(400, 'q') + ".jpg", "", 0, 0) + Record(a, "kept", 0, 0));
    CTestList list(Catalogue());
    list.Load();
    EXPECT_EQ((std::vector<std::string>{ a }), list.Names());
}

TEST_F(ListTest, PrefixClaimingGigabytesEndsReadingWithoutAllocating)
{
    std::string a = Picture("a.jpg");
    std::string good = Record(a, "ok", 0, 0);
    const std::string hostile[] = {
        std::string("\xFF\xFF\xFF\x00\x00\x00\xC0", 7) + "tiny",     // 3 GiB name
        std::string("\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 7) + "tiny",     // 4 GiB - 1
        std::string("\xFF\xFF\xFF\xFF\xFF\xFF\x7F", 7) + "tiny",     // 2 GiB - 1
        std::string("\xFF\xFE\xFF", 3) + "wide marker",               // never written here
        ArchiveString(a) + std::string("\xFF\xFF\xFF\x00\x00\x00\x40", 7), // 1 GiB description
        std::string("\xFF\x34", 2),                                    // cut inside the prefix
    };
    for (const std::string& tail : hostile)
    {
        WriteFileBytes(Catalogue(), good + tail);
        CTestList list(Catalogue());
        list.Load();
        EXPECT_EQ((std::vector<std::string>{ a }), list.Names());
        EXPECT_STREQ("ok", (LPCSTR)list.GetFile(a.c_str())->GetDescription());
    }
}

TEST_F(ListTest, RandomAndMutatedBytesLoadOnlyRealPictures)
{
    std::string a = Picture("a.jpg"), b = Picture("b.png"), c = Picture("c.gif");
    std::string valid = Record(a, "one", 1, 1) + Record(b, std::string(300, 'd'), 2, 2) + Record(c, "three", 3, 3);
    unsigned seed = 12345;
    auto next = [&seed]() {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) & 0x7FFF;
    };
    for (int round = 0; round < 300; round++)
    {
        std::string bytes;
        if (round % 3 == 0)
        {
            size_t length = next() % 3000;
            for (size_t i = 0; i < length; i++)
                bytes += (char)next();
        }
        else
        {
            bytes = valid;
            int flips = 1 + next() % 6;
            for (int i = 0; i < flips; i++)
                bytes[next() % bytes.size()] = (char)next();
            if (round % 3 == 2)
                bytes.resize(next() % bytes.size());
        }
        WriteFileBytes(Catalogue(), bytes);
        CTestList list(Catalogue());
        list.Load();
        ASSERT_LE(list.GetCount(), 3);
        for (const std::string& name : list.Names())
            ASSERT_TRUE(name == a || name == b || name == c) << name;
    }
}
