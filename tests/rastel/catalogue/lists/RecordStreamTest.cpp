// The record stream of catalogue files: archive-string prefixes, little-endian
// integers, the list order, byte-exact against an independent encoder.
#include "ListFixture.h"
#include "ArchiveStream.h"

using catalogue_test::ArchiveString;
using catalogue_test::FileBytes;
using catalogue_test::Int32;
using catalogue_test::Record;

namespace
{
std::string Prefix(DWORD length)
{
    BYTE bytes[7];
    int n = CArchiveStream::EncodeLengthPrefix(length, bytes);
    return std::string((const char*)bytes, n);
}
}

TEST(RecordStream, LengthPrefixesHaveOneThreeOrSevenBytes)
{
    EXPECT_EQ(std::string("\x00", 1), Prefix(0));
    EXPECT_EQ(std::string("\xFE", 1), Prefix(254));
    EXPECT_EQ(std::string("\xFF\xFF\x00", 3), Prefix(255));
    EXPECT_EQ(std::string("\xFF\x2C\x01", 3), Prefix(300));
    EXPECT_EQ(std::string("\xFF\xFD\xFF", 3), Prefix(0xFFFD));
    EXPECT_EQ(std::string("\xFF\xFF\xFF\xFE\xFF\x00\x00", 7), Prefix(0xFFFE));
    EXPECT_EQ(std::string("\xFF\xFF\xFF\xFF\xFF\x00\x00", 7), Prefix(0xFFFF));
    EXPECT_EQ(std::string("\xFF\xFF\xFF\x70\x11\x01\x00", 7), Prefix(70000));
}

TEST_F(ListTest, SavedRecordsMatchTheIndependentEncoding)
{
    std::string a = Picture("a.jpg"), b = Picture("b.jpg");
    CTestList list(Catalogue());
    CFileInfo* eb = list.InsertFile(b.c_str());
    CFileInfo* ea = list.InsertFile(a.c_str());
    eb->SetDescription("Beach, 2004");
    eb->SetTransition(-2);
    eb->SetShowTime(300);
    ea->SetTransition(0x01020304);
    ASSERT_TRUE(list.Save());
    std::string expected = Record(b, "Beach, 2004", -2, 44) + Record(a, "", 0x01020304, 0);
    EXPECT_EQ(expected, FileBytes(Catalogue()));
    // The empty description is the single byte 0x00 and integers are little-endian.
    std::string tail = FileBytes(Catalogue()).substr(expected.size() - 9);
    EXPECT_EQ(std::string("\x00\x04\x03\x02\x01\x00\x00\x00\x00", 9), tail);
}

TEST_F(ListTest, DescriptionsAtThePrefixBoundariesRoundTrip)
{
    const size_t lengths[] = { 0, 1, 254, 255, 256, 4095, 4096, 4097, 0xFFFD, 0xFFFE, 0xFFFF, 70000 };
    std::vector<std::string> pictures;
    CTestList list(Catalogue());
    std::string expected;
    for (size_t i = 0; i < sizeof(lengths) / sizeof(lengths[0]); i++)
    {
        std::string name = Picture("p" + std::to_string(i) + ".jpg");
        std::string description(lengths[i], 'a' + (char)(i % 26));
        if (!description.empty())
            description.back() = '!';
        CFileInfo* entry = list.InsertFile(name.c_str());
        ASSERT_NE(nullptr, entry);
        entry->SetDescription(description.c_str());
        entry->SetTransition((int)i);
        entry->SetShowTime((int)i * 20);
        expected += Record(name, description, (long)i, (long)((i * 20) & 0xFF));
    }
    ASSERT_TRUE(list.Save());
    ASSERT_EQ(expected, FileBytes(Catalogue()));

    CTestList again(Catalogue());
    again.Load();
    ASSERT_EQ(list.Names(), again.Names());
    POSITION p1 = list.GetHeadPosition(), p2 = again.GetHeadPosition();
    while (p1 && p2)
    {
        CFileInfo* x = static_cast<CFileInfo*>(list.GetNext(p1));
        CFileInfo* y = static_cast<CFileInfo*>(again.GetNext(p2));
        EXPECT_EQ(x->GetDescription(), y->GetDescription());
        EXPECT_EQ(x->GetTransition(), y->GetTransition());
        EXPECT_EQ(x->GetShowTime(), y->GetShowTime());
    }
}


TEST_F(ListTest, AbandonedWriteLeavesNoTraceAndNoTarget)
{
    std::string file = m_folder / "never.bin";
    {
        CArchiveStream out;
        ASSERT_TRUE(out.OpenForWriting(file.c_str()));
        out.WriteString("dropped");
    }
    EXPECT_FALSE(catalogue_test::Exists(file));
    EXPECT_TRUE(catalogue_test::FilesMatching(m_folder.Path(), "*").empty());
}
