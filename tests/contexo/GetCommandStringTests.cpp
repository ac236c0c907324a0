// IContextMenu::GetCommandString: verbs and help texts of the commands, and
// that it never writes past the caller's buffer or into a Unicode request.
#include "ContexoCopy.h"
#include "TempFolder.h"

#include <gtest/gtest.h>
#include <string.h>

namespace {

class GetCommandStringTest : public testing::Test
{
protected:
    CTempFolder m_Folder{"strings"};
    CContexoCopy m_Contexo{m_Folder.Path()};
    IContextMenu* m_pMenu = NULL;

    void SetUp() override
    {
        ASSERT_TRUE(m_Contexo.IsLoaded());
        m_pMenu = m_Contexo.Create<IContextMenu>(IID_IContextMenu);
        ASSERT_NE(nullptr, m_pMenu);
    }
    void TearDown() override
    {
        if (m_pMenu)
            m_pMenu->Release();
    }

    std::string Text(UINT_PTR nCommand, UINT nType)
    {
        char szBuffer[128];
        memset(szBuffer, 'x', sizeof(szBuffer));
        EXPECT_EQ(S_OK, m_pMenu->GetCommandString(nCommand, nType, NULL, szBuffer, sizeof(szBuffer)));
        EXPECT_NE(nullptr, memchr(szBuffer, '\0', sizeof(szBuffer)));
        return std::string(szBuffer, strnlen(szBuffer, sizeof(szBuffer)));
    }
};

TEST_F(GetCommandStringTest, VerbsAndHelpTexts)
{
    EXPECT_EQ("Pixmere Browser", Text(0, GCS_VERBA));
    EXPECT_EQ("Pixmere Viewer", Text(1, GCS_VERBA));
    EXPECT_EQ("Pixmere Glintfix", Text(2, GCS_VERBA));
    EXPECT_EQ("Opens Pixmere browser", Text(0, GCS_HELPTEXTA));
    EXPECT_EQ("Opens Pixmere Viewer/SlideShow", Text(1, GCS_HELPTEXTA));
    EXPECT_EQ("Opens Pixmere Glintfix", Text(2, GCS_HELPTEXTA));
}

TEST_F(GetCommandStringTest, OtherNumbersGiveTheSuiteName)
{
    EXPECT_EQ("Pixmere", Text(3, GCS_VERBA));
    EXPECT_EQ("Pixmere", Text(3, GCS_HELPTEXTA));
    EXPECT_EQ("Pixmere", Text(0x10000, GCS_HELPTEXTA));
    EXPECT_EQ("Pixmere", Text(static_cast<UINT_PTR>(-1), GCS_VERBA));
}

TEST_F(GetCommandStringTest, OtherTypesLeaveTheBufferUntouched)
{
    for (UINT nType : { (UINT)GCS_VERBW, (UINT)GCS_HELPTEXTW, (UINT)GCS_VALIDATEA, (UINT)GCS_VALIDATEW,
                        (UINT)GCS_VERBICONW, 7u, 100u })
    {
        char szBuffer[64];
        memset(szBuffer, 'x', sizeof(szBuffer));
        EXPECT_EQ(S_OK, m_pMenu->GetCommandString(1, nType, NULL, szBuffer, sizeof(szBuffer))) << nType;
        for (char c : szBuffer)
            ASSERT_EQ('x', c) << "type " << nType;
    }
}

TEST_F(GetCommandStringTest, ShortBufferIsCutAndTerminatedInside)
{
    // "Opens Pixmere Viewer/SlideShow" is 30 characters.
    char szBuffer[40];
    for (UINT nSize : { 30u, 5u, 1u })
    {
        memset(szBuffer, 'x', sizeof(szBuffer));
        EXPECT_EQ(S_OK, m_pMenu->GetCommandString(1, GCS_HELPTEXTA, NULL, szBuffer, nSize));
        EXPECT_EQ(std::string("Opens Pixmere Viewer/SlideShow").substr(0, nSize - 1), szBuffer);
        for (UINT i = nSize; i < sizeof(szBuffer); i++)
            ASSERT_EQ('x', szBuffer[i]) << "size " << nSize << ", byte " << i;
    }
    // Exactly one more than the text: the whole text fits.
    memset(szBuffer, 'x', sizeof(szBuffer));
    EXPECT_EQ(S_OK, m_pMenu->GetCommandString(1, GCS_HELPTEXTA, NULL, szBuffer, 31));
    EXPECT_STREQ("Opens Pixmere Viewer/SlideShow", szBuffer);
    EXPECT_EQ('x', szBuffer[31]);
}

TEST_F(GetCommandStringTest, EmptyOrMissingBufferIsNotWritten)
{
    char szBuffer[8];
    memset(szBuffer, 'x', sizeof(szBuffer));
    EXPECT_EQ(S_OK, m_pMenu->GetCommandString(0, GCS_VERBA, NULL, szBuffer, 0));
    EXPECT_EQ('x', szBuffer[0]);
    EXPECT_EQ(S_OK, m_pMenu->GetCommandString(0, GCS_VERBA, NULL, NULL, 64));
}

} // namespace
