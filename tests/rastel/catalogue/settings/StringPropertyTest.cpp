// CStringProperty: read at construction, written back at once and at every assignment.
#include "SettingsFixture.h"
#include "Property.h"

using catalogue_test::RegString;
using catalogue_test::SetRegString;

TEST_F(Settings, StringPropertyCreatesAMissingValueWithItsDefault)
{
    {
        CStringProperty first("m_WMText", "(c) default");
        EXPECT_STREQ("(c) default", (LPCSTR)(CString)first);
    }
    std::string stored;
    ASSERT_TRUE(RegString(Key(), "m_WMText", stored));
    EXPECT_EQ("(c) default", stored);
    CStringProperty second("m_WMText", "another default");
    EXPECT_STREQ("(c) default", (LPCSTR)(CString)second);
}

TEST_F(Settings, StringPropertyReadsAStoredValue)
{
    SetRegString(Key(), "m_Caption", "stored text");
    CStringProperty property("m_Caption", "default");
    EXPECT_STREQ("stored text", (LPCSTR)(CString)property);
}

TEST_F(Settings, StringAssignmentWritesAtOnce)
{
    CStringProperty property("m_Name", "a");
    property = CString("b");
    std::string stored;
    ASSERT_TRUE(RegString(Key(), "m_Name", stored));
    EXPECT_EQ("b", stored);
    EXPECT_STREQ("b", (LPCSTR)(CString)property);
}

TEST_F(Settings, CopyingAStringPropertyWritesNothing)
{
    CStringProperty a("m_A", "one");
    CStringProperty b("m_B", "two");
    SetRegString(Key(), "m_A", "changed elsewhere");
    a = b; // takes name and value of b, writes nothing
    std::string stored;
    ASSERT_TRUE(RegString(Key(), "m_A", stored));
    EXPECT_EQ("changed elsewhere", stored);
    EXPECT_STREQ("two", (LPCSTR)(CString)a);
    EXPECT_STREQ("m_B", (LPCSTR)a.GetName());
}

TEST(SettingsWithoutApplication, PropertiesFallBackToTheirDefaults)
{
    ASSERT_EQ(nullptr, AfxGetApp());
    CStringProperty text("m_X", "fallback");
    CIntProperty<int> number("m_N", 5, 0, 3);
    EXPECT_STREQ("fallback", (LPCSTR)(CString)text);
    EXPECT_EQ(3, (int)number);
}
