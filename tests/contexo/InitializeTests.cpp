// IShellExtInit::Initialize: how the selection is asked for and which of its
// names are kept as pictures.
#include "ContexoCopy.h"
#include "ExtensionHelpers.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

namespace {

class InitializeTest : public testing::Test
{
protected:
    CTempFolder m_Folder{"initialize"};
    CContexoCopy m_Contexo{m_Folder.Path()};
    IShellExtInit* m_pInit = NULL;
    IContextMenu* m_pMenu = NULL;

    void SetUp() override
    {
        ASSERT_TRUE(m_Contexo.IsLoaded());
        m_pInit = m_Contexo.Create<IShellExtInit>(IID_IShellExtInit);
        ASSERT_NE(nullptr, m_pInit);
        ASSERT_EQ(S_OK, m_pInit->QueryInterface(IID_IContextMenu, reinterpret_cast<void**>(&m_pMenu)));
    }
    void TearDown() override
    {
        if (m_pMenu)
            m_pMenu->Release();
        if (m_pInit)
            m_pInit->Release();
        EXPECT_EQ(S_OK, m_Contexo.CanUnloadNow());
    }

    // Whether the selection brings the sub-menu.
    bool ShowsSubMenu(const std::vector<std::string>& names, bool bWide = false)
    {
        CTestDataObject data(names, bWide);
        EXPECT_EQ(S_OK, m_pInit->Initialize(NULL, &data, NULL));
        bool bShown = CountAddedCommands(m_pMenu, CMF_NORMAL) == 3;
        m_pInit->Initialize(NULL, NULL, NULL);
        return bShown;
    }
};

TEST_F(InitializeTest, AsksForFileDropInGlobalMemory)
{
    CTestDataObject data({"C:\\photos\\b.JPG"});
    ASSERT_EQ(S_OK, m_pInit->Initialize(NULL, &data, NULL));
    EXPECT_EQ(1, data.m_nGetDataCalls);
    EXPECT_EQ(CF_HDROP, data.m_LastFormat.cfFormat);
    EXPECT_EQ(nullptr, data.m_LastFormat.ptd);
    EXPECT_EQ(static_cast<DWORD>(DVASPECT_CONTENT), data.m_LastFormat.dwAspect);
    EXPECT_EQ(-1, data.m_LastFormat.lindex);
    EXPECT_EQ(static_cast<DWORD>(TYMED_HGLOBAL), data.m_LastFormat.tymed);
    EXPECT_EQ(1, data.m_nMediaReleased);
}

TEST_F(InitializeTest, DataObjectWithoutFileDropFails)
{
    CTestDataObject data({"C:\\photos\\b.JPG"});
    data.m_bRefuseData = true;
    EXPECT_EQ(E_FAIL, m_pInit->Initialize(NULL, &data, NULL));
    EXPECT_EQ(0, CountAddedCommands(m_pMenu, CMF_NORMAL));
}

TEST_F(InitializeTest, FailedInitializeForgetsTheEarlierSelection)
{
    CTestDataObject pictures({"C:\\photos\\b.JPG"});
    CTestDataObject refusing({"C:\\photos\\c.JPG"});
    refusing.m_bRefuseData = true;
    ASSERT_EQ(S_OK, m_pInit->Initialize(NULL, &pictures, NULL));
    ASSERT_EQ(3, CountAddedCommands(m_pMenu, CMF_NORMAL));
    EXPECT_EQ(E_FAIL, m_pInit->Initialize(NULL, &refusing, NULL));
    EXPECT_EQ(0, CountAddedCommands(m_pMenu, CMF_NORMAL));
    ASSERT_EQ(S_OK, m_pInit->Initialize(NULL, &pictures, NULL));
    EXPECT_EQ(E_FAIL, m_pInit->Initialize(NULL, NULL, NULL));
    EXPECT_EQ(0, CountAddedCommands(m_pMenu, CMF_NORMAL));
}

TEST_F(InitializeTest, MixedSelectionWithOnePicture)
{
    EXPECT_TRUE(ShowsSubMenu({"C:\\docs\\a.txt", "C:\\docs\\b.JPG"}));
    EXPECT_TRUE(ShowsSubMenu({"C:\\docs\\a.txt", "C:\\docs\\b.JPG"}, true));
}

TEST_F(InitializeTest, TextFilesOnlyAddNothing)
{
    EXPECT_FALSE(ShowsSubMenu({"C:\\docs\\a.txt", "C:\\docs\\b.doc", "C:\\docs\\jpg"}));
    EXPECT_FALSE(ShowsSubMenu({"C:\\docs\\a.txt"}, true));
}

TEST_F(InitializeTest, EmptyDropListAddsNothing)
{
    EXPECT_FALSE(ShowsSubMenu({}));
}

TEST_F(InitializeTest, NameTooLongForThePathBufferIsSkipped)
{
    // 300 characters ending in ".jpg": it could only be passed on cut short.
    std::string longPicture = "C:\\" + std::string(293, 'p') + ".jpg";
    ASSERT_EQ(300u, longPicture.size());
    EXPECT_FALSE(ShowsSubMenu({longPicture}));
    EXPECT_FALSE(ShowsSubMenu({longPicture}, true));
    // Cut to 259 characters this name would end in ".jpg", naming another file.
    std::string cutToPicture = "C:\\" + std::string(252, 'q') + ".jpg" + std::string(41, 'r');
    ASSERT_EQ(259u, cutToPicture.find_last_of('g') + 1);
    EXPECT_FALSE(ShowsSubMenu({cutToPicture}));
    // The longest name that fits (259 characters and its terminator) is kept.
    std::string longest = "C:\\" + std::string(252, 's') + ".jpg";
    ASSERT_EQ(259u, longest.size());
    EXPECT_TRUE(ShowsSubMenu({longest}));
    EXPECT_TRUE(ShowsSubMenu({cutToPicture, longest, longPicture}));
}

} // namespace
