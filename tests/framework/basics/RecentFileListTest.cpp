// CRecentFileList: newest first, no duplicates in any letter case, the
// oldest falls off, the profile keeps the list, and the menu shows it.
#include <gtest/gtest.h>
#include "Framework.h"
#include "AfxRes.h"
#include "CCmdUI.h"
#include "CMenu.h"
#include "CRecentFileList.h"

namespace
{
void DeleteCompanyKey() { RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\PixmereTests"); }

std::string MenuText(HMENU menu, int position)
{
    char text[300] = "";
    GetMenuStringA(menu, position, text, sizeof(text), MF_BYPOSITION);
    return text;
}
}

TEST(RecentFileList, NewestFirstWithoutDuplicatesAndTheOldestFallsOff)
{
    CRecentFileList list(ID_FILE_MRU_FILE1, "Recent File List", "File%d", 3);
    EXPECT_EQ(list.GetCount(), 0);
    list.Add("C:\\a.jpg");
    list.Add("C:\\b.jpg");
    list.Add("C:\\c.jpg");
    list.Add("c:\\A.JPG"); // the same file: moves to the top with the new spelling
    ASSERT_EQ(list.GetCount(), 3);
    EXPECT_STREQ(list.GetEntry(0), "c:\\A.JPG");
    EXPECT_STREQ(list.GetEntry(1), "C:\\c.jpg");
    EXPECT_STREQ(list.GetEntry(2), "C:\\b.jpg");
    list.Add("C:\\d.jpg");
    EXPECT_STREQ(list.GetEntry(0), "C:\\d.jpg");
    EXPECT_STREQ(list.GetEntry(2), "C:\\c.jpg"); // b.jpg fell off
    list.Remove(1);
    EXPECT_EQ(list.GetCount(), 2);
    EXPECT_STREQ(list.GetEntry(1), "C:\\c.jpg");
    list.Add("");
    EXPECT_EQ(list.GetCount(), 2);
}

TEST(RecentFileList, TheProfileKeepsTheList)
{
    DeleteCompanyKey();
    CWinApp app("RecentApp");
    app.SetRegistryKey("PixmereTests");
    {
        CRecentFileList list(ID_FILE_MRU_FILE1, "Recent File List", "File%d", 4);
        list.Add("C:\\one.jpg");
        list.Add("C:\\two.jpg");
        list.WriteList();
    }
    EXPECT_STREQ(app.GetProfileString("Recent File List", "File1"), "C:\\two.jpg");
    EXPECT_STREQ(app.GetProfileString("Recent File List", "File2"), "C:\\one.jpg");
    EXPECT_STREQ(app.GetProfileString("Recent File List", "File3", "none"), "none");

    CRecentFileList again(ID_FILE_MRU_FILE1, "Recent File List", "File%d", 4);
    again.ReadList();
    ASSERT_EQ(again.GetCount(), 2);
    EXPECT_STREQ(again.GetEntry(0), "C:\\two.jpg");
    EXPECT_STREQ(again.GetEntry(1), "C:\\one.jpg");
    DeleteCompanyKey();
}

TEST(RecentFileList, TheMenuShowsNumberedEntriesOrADisabledPlaceholder)
{
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, 100, "Open");
    AppendMenuA(menu, MF_STRING, ID_FILE_MRU_FILE1, "Recent File");
    AppendMenuA(menu, MF_STRING, 101, "Exit");
    CMenu wrapper;
    wrapper.Attach(menu);
    CRecentFileList list(ID_FILE_MRU_FILE1, "Recent File List", "File%d", 16, 20);

    CCmdUI state;
    state.m_pMenu = &wrapper;
    state.m_nID = ID_FILE_MRU_FILE1;
    state.m_nIndex = 1;
    list.UpdateMenu(&state);
    EXPECT_EQ(GetMenuItemCount(menu), 3);
    EXPECT_EQ(MenuText(menu, 1), "Recent File");
    EXPECT_TRUE(GetMenuState(menu, 1, MF_BYPOSITION) & MF_GRAYED);

    list.Add("C:\\Photos\\Holidays\\Summer 2006\\beach.jpg");
    list.Add("C:\\R&D.jpg");
    state.m_nIndex = 1;
    list.UpdateMenu(&state);
    ASSERT_EQ(GetMenuItemCount(menu), 4);
    EXPECT_EQ(MenuText(menu, 1), "&1 C:\\R&&D.jpg");
    EXPECT_EQ(MenuText(menu, 2), "&2 C:\\...\\beach.jpg"); // longer than 20 characters
    EXPECT_EQ(GetMenuItemID(menu, 2), (UINT)ID_FILE_MRU_FILE1 + 1);
    EXPECT_FALSE(GetMenuState(menu, 1, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_EQ(MenuText(menu, 3), "Exit");
    EXPECT_EQ(state.m_nIndex, 2u); // the updater goes on after the entries

    // Updated again from the first entry: the same items, not twice as many.
    state.m_nIndex = 1;
    list.UpdateMenu(&state);
    EXPECT_EQ(GetMenuItemCount(menu), 4);
    wrapper.Detach();
    DestroyMenu(menu);
}
