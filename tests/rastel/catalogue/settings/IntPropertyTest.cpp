// CIntProperty: clamping in the value type, written back at construction.
#include "SettingsFixture.h"
#include "Property.h"

using catalogue_test::RegDword;
using catalogue_test::SetRegDword;

TEST_F(Settings, IntPropertyClampsAStoredValueAndRewritesIt)
{
    SetRegDword(Key(), "m_bIncludeCD", 7);
    CIntProperty<int> property("m_bIncludeCD", 0, 0, 1);
    EXPECT_EQ(1, (int)property);
    DWORD stored = 0;
    ASSERT_TRUE(RegDword(Key(), "m_bIncludeCD", stored));
    EXPECT_EQ(1u, stored);
}


TEST_F(Settings, UnsignedFormReadsMinusOneAsLargest)
{
    SetRegDword(Key(), "m_Unsigned", 0xFFFFFFFF);
    SetRegDword(Key(), "m_Signed", 0xFFFFFFFF);
    CIntProperty<unsigned> asUnsigned("m_Unsigned", 0u, 0u, 100u);
    CIntProperty<int> asSigned("m_Signed", 0, 0, 100);
    EXPECT_EQ(100u, (unsigned)asUnsigned);
    EXPECT_EQ(0, (int)asSigned);
}

TEST_F(Settings, UnsignedFullRangeKeepsEveryValue)
{
    CIntProperty<unsigned> parent("Parent_Album_7", 0u, 0u, 0xFFFFFFFFu);
    const unsigned values[] = { 0u, 1u, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFEu, 0xFFFFFFFFu };
    for (unsigned v : values)
    {
        parent = v;
        EXPECT_EQ(v, (unsigned)parent);
        DWORD stored = 0;
        ASSERT_TRUE(RegDword(Key(), "Parent_Album_7", stored));
        EXPECT_EQ(v, stored);
        CIntProperty<unsigned> again("Parent_Album_7", 0u, 0u, 0xFFFFFFFFu);
        EXPECT_EQ(v, (unsigned)again);
    }
}

TEST_F(Settings, AssignmentClampsAndWrites)
{
    CIntProperty<int> property("m_Quality", 70, 10, 100);
    property = 250;
    EXPECT_EQ(100, (int)property);
    property = -5;
    EXPECT_EQ(10, (int)property);
    DWORD stored = 0;
    ASSERT_TRUE(RegDword(Key(), "m_Quality", stored));
    EXPECT_EQ(10u, stored);
}

TEST_F(Settings, CrossedBoundsGiveTheMinimum)
{
    CIntProperty<int> property("m_Crossed", 50, 10, 5);
    EXPECT_EQ(10, (int)property);
    property = 0;
    EXPECT_EQ(10, (int)property);
}

