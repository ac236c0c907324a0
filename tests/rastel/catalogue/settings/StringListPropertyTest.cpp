// CStringListProperty: numbered values, the prefix membership rule, removal.
#include "SettingsFixture.h"
#include "Property.h"

using catalogue_test::RegString;
using catalogue_test::SetRegString;

namespace
{
std::vector<std::string> Entries(CStringListProperty& property)
{
    CStringList list;
    list.AddTail("stale entry that GetList must drop");
    property.GetList(list);
    std::vector<std::string> out;
    POSITION pos = list.GetHeadPosition();
    while (pos)
        out.push_back((LPCSTR)list.GetNext(pos));
    return out;
}
}

TEST_F(Settings, ListAddAddRemoveLeavesOneEntryAndAnEmptyValue)
{
    {
        CStringListProperty list("m_DisabledFolders");
        list += "A";
        list += "B";
        list -= "A";
        EXPECT_EQ(1, list.GetCount());
    }
    std::string v0, v1;
    ASSERT_TRUE(RegString(Key(), "m_DisabledFolders_0", v0));
    ASSERT_TRUE(RegString(Key(), "m_DisabledFolders_1", v1));
    EXPECT_EQ("B", v0);
    EXPECT_EQ("", v1);
    CStringListProperty fresh("m_DisabledFolders");
    fresh.Initialize();
    EXPECT_EQ(std::vector<std::string>{ "B" }, Entries(fresh));
}

TEST_F(Settings, InitializeStopsAtTheFirstEmptyValue)
{
    SetRegString(Key(), "m_List_0", "p");
    SetRegString(Key(), "m_List_1", "");
    SetRegString(Key(), "m_List_2", "q");
    CStringListProperty list("m_List");
    EXPECT_EQ(0, list.GetCount()) << "nothing is read before Initialize";
    list.Initialize();
    EXPECT_EQ(std::vector<std::string>{ "p" }, Entries(list));
}

TEST_F(Settings, InitializeStopsAtAMissingValueAndAppends)
{
    SetRegString(Key(), "m_L_0", "x");
    SetRegString(Key(), "m_L_1", "y");
    SetRegString(Key(), "m_L_3", "z");
    CStringListProperty list("m_L");
    list.Initialize();
    list.Initialize(); // not emptied first
    EXPECT_EQ((std::vector<std::string>{ "x", "y", "x", "y" }), Entries(list));
}

TEST_F(Settings, RemovingRemovesEveryEqualEntryCaseSensitively)
{
    CStringListProperty list("m_R");
    list += "C:\\a";
    list += "C:\\A";
    list += "C:\\a";
    list += "C:\\b";
    list -= "C:\\a";
    EXPECT_EQ((std::vector<std::string>{ "C:\\A", "C:\\b" }), Entries(list));
    std::string v0, v1, v2, v3;
    ASSERT_TRUE(RegString(Key(), "m_R_0", v0));
    ASSERT_TRUE(RegString(Key(), "m_R_1", v1));
    ASSERT_TRUE(RegString(Key(), "m_R_2", v2));
    ASSERT_TRUE(RegString(Key(), "m_R_3", v3));
    EXPECT_EQ("C:\\A", v0);
    EXPECT_EQ("C:\\b", v1);
    EXPECT_EQ("", v2);
    EXPECT_EQ("C:\\b", v3) << "values past the empty one stay, unread";
}

TEST_F(Settings, MembershipIsAPlainCaseSensitivePrefixTest)
{
    CStringListProperty list("m_Hidden");
    EXPECT_EQ(0, list == "anything") << "empty list";
    EXPECT_EQ(1, list != "anything");
    list += "D:\\Scans";
    EXPECT_EQ(1, list == "D:\\Scans");
    EXPECT_EQ(1, list == "D:\\Scans\\2004");
    EXPECT_EQ(1, list == "D:\\Scans2");
    EXPECT_EQ(0, list == "d:\\scans\\2004");
    EXPECT_EQ(0, list == "D:\\Scan");
    EXPECT_EQ(0, list == "X:\\D:\\Scans");
    EXPECT_EQ(1, list != "D:\\Scan");
}

TEST_F(Settings, AnEmptyEntryMatchesEveryString)
{
    CStringListProperty list("m_E");
    list += "";
    EXPECT_EQ(1, list == "whatever");
    EXPECT_EQ(1, list == "");
}
