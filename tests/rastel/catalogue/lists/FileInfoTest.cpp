// CFileInfo: the stored show time keeps 8 bits; names compare case-sensitively.
#include "ListFixture.h"

TEST_F(ListTest, ShowTimeKeepsTheLowEightBits)
{
    CTestList list(Catalogue());
    CFileInfo* entry = list.InsertFile(Picture("a.jpg").c_str());
    ASSERT_NE(nullptr, entry);
    EXPECT_EQ(0, entry->GetShowTime()) << "a new entry starts at 0";
    EXPECT_EQ(0, entry->GetTransition());
    entry->SetShowTime(300);
    EXPECT_EQ(44, entry->GetShowTime());
    entry->SetShowTime(-1);
    EXPECT_EQ(255, entry->GetShowTime());
    entry->SetShowTime(255);
    EXPECT_EQ(255, entry->GetShowTime());
    entry->SetShowTime(256);
    EXPECT_EQ(0, entry->GetShowTime());
    entry->SetTransition(-123456);
    EXPECT_EQ(-123456, entry->GetTransition());
}



TEST_F(ListTest, NamesCompareCaseSensitively)
{
    CTestList list(Catalogue());
    CFileInfo* upper = list.InsertFile(Picture("B.jpg").c_str());
    CFileInfo* lower = list.InsertFile(Picture("a2.jpg").c_str());
    ASSERT_TRUE(upper && lower);
    // 'B' (0x42) sorts before 'a' (0x61) in a case-sensitive comparison.
    EXPECT_TRUE(*upper < *lower);
    EXPECT_TRUE(*lower > *upper);
    EXPECT_FALSE(*upper > *lower);
    EXPECT_FALSE(*upper < *upper);
}
