// The list's name index: look-ups stay right through removals, moves and
// renamed entries, and agree with a walk of the list.
#include "ListFixture.h"

#include <algorithm>
#include <cctype>

namespace
{
std::string Upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return (char)toupper(c); });
    return text;
}
}

class IndexedList : public ListTest
{
protected:
    void SetUp() override
    {
        for (int i = 0; i < 40; i++)
            paths.push_back(Picture("p" + std::to_string(i) + ".jpg"));
    }
    std::vector<std::string> paths;
};

TEST_F(IndexedList, RemovedEntriesAreGoneAndTheOthersStayFound)
{
    CTestList list(Catalogue());
    for (const std::string& p : paths)
        ASSERT_TRUE(list.InsertFile(p.c_str()));
    EXPECT_EQ(list.GetFile(paths[7].c_str()), list.InsertFile(Upper(paths[7]).c_str())) << "a case variant is no new entry";
    for (int i = 0; i < 40; i += 2)
        list.GetFile(paths[i].c_str())->Select(true);
    list.UnregisterSelectedFiles();
    ASSERT_EQ(20, list.GetCount());
    for (int i = 0; i < 40; i++)
    {
        CFileInfo* entry = list.GetFile(Upper(paths[i]).c_str());
        if (i % 2 == 0)
            EXPECT_EQ(nullptr, entry) << i;
        else
            ASSERT_TRUE(entry && paths[i] == (LPCSTR)entry->GetName()) << i;
    }
    // A removed picture comes back as a new entry at the tail.
    CFileInfo* back = list.InsertFile(paths[0].c_str());
    ASSERT_TRUE(back);
    EXPECT_EQ(back, list.GetTail());
    EXPECT_EQ(21, list.GetCount());
}

TEST_F(IndexedList, MovedEntriesAreFoundAndWalkedInTheirNewOrder)
{
    CTestList list(Catalogue());
    for (int i = 0; i < 4; i++)
        list.InsertFile(paths[i].c_str());
    CFileInfo* e0 = list.GetFile(paths[0].c_str());
    CFileInfo* e3 = list.GetFile(paths[3].c_str());
    list.MoveBefore(e3, e0); // 3 0 1 2
    list.MoveToTail(e0);     // 3 1 2 0
    EXPECT_EQ((std::vector<std::string>{ paths[3], paths[1], paths[2], paths[0] }), list.Names());
    EXPECT_EQ(e0, list.SetCurrentFile(CString(paths[0].c_str())));
    EXPECT_EQ(e3, list.SelectTheNextFile()) << "from the tail to the head";
    EXPECT_EQ(e0, list.SelectThePrevFile());
    EXPECT_EQ(nullptr, list.SetCurrentFile(CString(Upper(paths[1]).c_str()))) << "exact names only";
    EXPECT_EQ(e3, list.GetFile(paths[3].c_str()));
}

TEST_F(IndexedList, RenamedEntriesAreFoundByTheirNewName)
{
    CTestList list(Catalogue()), other(Catalogue());
    CFileInfo* e0 = list.InsertFile(paths[0].c_str());
    CFileInfo* e1 = list.InsertFile(paths[1].c_str());
    CFileInfo* source = other.InsertFile(paths[5].c_str());
    *e0 = *source; // e0 now names paths[5]
    EXPECT_EQ(e0, list.GetFile(paths[5].c_str()));
    EXPECT_EQ(nullptr, list.GetFile(paths[0].c_str()));
    EXPECT_EQ(list.InsertFile(Upper(paths[5]).c_str()), e0);

    // Renamed onto another entry's name: the first in list order is found,
    // also after it is moved behind the other.
    *e1 = *e0;
    EXPECT_EQ(e0, list.GetFile(paths[5].c_str()));
    list.MoveToTail(e0);
    EXPECT_EQ(e1, list.GetFile(paths[5].c_str()));
    e1->Select(true);
    list.UnregisterSelectedFiles();
    EXPECT_EQ(e0, list.GetFile(paths[5].c_str()));
    EXPECT_EQ(1, list.GetCount());
}
