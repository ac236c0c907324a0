// IContextMenu::QueryContextMenu on real menus: the "Pixmere" sub-menu, its
// place, its identifiers and the flags that suppress it.
#include "ContexoCopy.h"
#include "ExtensionHelpers.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

namespace {

class QueryContextMenuTest : public testing::Test
{
protected:
    CTempFolder m_Folder{"menu"};
    CContexoCopy m_Contexo{m_Folder.Path()};
    CTestDataObject m_Data{{"C:\\docs\\a.txt", "C:\\docs\\b.JPG"}};
    IContextMenu* m_pMenu = NULL;

    void SetUp() override
    {
        ASSERT_TRUE(m_Contexo.IsLoaded());
        m_pMenu = CreateInitializedMenu(m_Contexo, m_Data);
        ASSERT_NE(nullptr, m_pMenu);
    }
    void TearDown() override
    {
        if (m_pMenu)
            m_pMenu->Release();
    }
};

TEST_F(QueryContextMenuTest, AddsSubMenuWithThreeCommands)
{
    HMENU hMenu = CreatePopupMenu();
    HRESULT hr = m_pMenu->QueryContextMenu(hMenu, 0, 1000, 0x7FFF, CMF_NORMAL);
    EXPECT_EQ(MAKE_HRESULT(SEVERITY_SUCCESS, 0, 3), hr);
    ASSERT_EQ(1, GetMenuItemCount(hMenu));
    EXPECT_EQ("Pixmere", MenuItemText(hMenu, 0));
    HMENU hPopup = GetSubMenu(hMenu, 0);
    ASSERT_NE(nullptr, hPopup);
    ASSERT_EQ(3, GetMenuItemCount(hPopup));
    EXPECT_EQ("Browser", MenuItemText(hPopup, 0));
    EXPECT_EQ("Viewer", MenuItemText(hPopup, 1));
    EXPECT_EQ("Glintfix", MenuItemText(hPopup, 2));
    EXPECT_EQ(1000u, GetMenuItemID(hPopup, 0));
    EXPECT_EQ(1001u, GetMenuItemID(hPopup, 1));
    EXPECT_EQ(1002u, GetMenuItemID(hPopup, 2));
    DestroyMenu(hMenu);
}

TEST_F(QueryContextMenuTest, InsertsAtTheGivenPosition)
{
    HMENU hMenu = CreatePopupMenu();
    AppendMenuA(hMenu, MF_STRING, 1, "Open");
    AppendMenuA(hMenu, MF_STRING, 2, "Print");
    AppendMenuA(hMenu, MF_STRING, 3, "Delete");
    EXPECT_EQ(3, HRESULT_CODE(m_pMenu->QueryContextMenu(hMenu, 1, 40, 0x7FFF, CMF_NORMAL)));
    ASSERT_EQ(4, GetMenuItemCount(hMenu));
    EXPECT_EQ("Open", MenuItemText(hMenu, 0));
    EXPECT_EQ("Pixmere", MenuItemText(hMenu, 1));
    EXPECT_EQ("Print", MenuItemText(hMenu, 2));
    EXPECT_EQ("Delete", MenuItemText(hMenu, 3));
    HMENU hPopup = GetSubMenu(hMenu, 1);
    ASSERT_NE(nullptr, hPopup);
    EXPECT_EQ(40u, GetMenuItemID(hPopup, 0));
    EXPECT_EQ(42u, GetMenuItemID(hPopup, 2));
    DestroyMenu(hMenu);
}

TEST_F(QueryContextMenuTest, DefaultOnlyAddsNothing)
{
    HMENU hMenu = NULL;
    EXPECT_EQ(0, CountAddedCommands(m_pMenu, CMF_DEFAULTONLY, &hMenu));
    EXPECT_EQ(0, GetMenuItemCount(hMenu));
    DestroyMenu(hMenu);
}

TEST_F(QueryContextMenuTest, ExploreAddsTheSubMenu)
{
    HMENU hMenu = NULL;
    EXPECT_EQ(3, CountAddedCommands(m_pMenu, CMF_EXPLORE, &hMenu));
    ASSERT_EQ(1, GetMenuItemCount(hMenu));
    EXPECT_EQ("Pixmere", MenuItemText(hMenu, 0));
    DestroyMenu(hMenu);
}

TEST_F(QueryContextMenuTest, FlagRule)
{
    EXPECT_EQ(0, CountAddedCommands(m_pMenu, CMF_NOVERBS));
    EXPECT_EQ(0, CountAddedCommands(m_pMenu, CMF_DEFAULTONLY | CMF_NOVERBS));
    EXPECT_EQ(3, CountAddedCommands(m_pMenu, CMF_VERBSONLY));
    EXPECT_EQ(3, CountAddedCommands(m_pMenu, CMF_VERBSONLY | CMF_DEFAULTONLY));
    EXPECT_EQ(3, CountAddedCommands(m_pMenu, CMF_EXPLORE | CMF_NOVERBS));
    // Flags above the four lowest bits do not suppress the sub-menu.
    EXPECT_EQ(3, CountAddedCommands(m_pMenu, CMF_CANRENAME | CMF_EXTENDEDVERBS | CMF_ITEMMENU));
    EXPECT_EQ(0, CountAddedCommands(m_pMenu, CMF_DEFAULTONLY | CMF_CANRENAME));
}

TEST_F(QueryContextMenuTest, NeedsThreeIdentifiersFromTheShell)
{
    HMENU hMenu = CreatePopupMenu();
    EXPECT_EQ(0, HRESULT_CODE(m_pMenu->QueryContextMenu(hMenu, 0, 100, 101, CMF_NORMAL)));
    EXPECT_EQ(0, GetMenuItemCount(hMenu));
    EXPECT_EQ(0, HRESULT_CODE(m_pMenu->QueryContextMenu(hMenu, 0, 0xFFFFFFFE, 0xFFFFFFFF, CMF_NORMAL)));
    EXPECT_EQ(0, GetMenuItemCount(hMenu));
    EXPECT_EQ(3, HRESULT_CODE(m_pMenu->QueryContextMenu(hMenu, 0, 100, 102, CMF_NORMAL)));
    EXPECT_EQ(1, GetMenuItemCount(hMenu));
    DestroyMenu(hMenu);
}

TEST(QueryContextMenuWithoutSelection, AddsNothing)
{
    CTempFolder folder("nomenu");
    CContexoCopy contexo(folder.Path());
    ASSERT_TRUE(contexo.IsLoaded());
    IContextMenu* pMenu = contexo.Create<IContextMenu>(IID_IContextMenu);
    ASSERT_NE(nullptr, pMenu);
    HMENU hMenu = NULL;
    EXPECT_EQ(0, CountAddedCommands(pMenu, CMF_NORMAL, &hMenu));
    EXPECT_EQ(0, GetMenuItemCount(hMenu));
    DestroyMenu(hMenu);
    pMenu->Release();
}

} // namespace
