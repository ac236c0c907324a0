// The shell tree in a real window: the content of a root folder, filling on
// expansion, file-system paths of the items, the desktop's content down to a
// drive, and the shell menu of an item.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "CMenu.h"
#include "ShellContextMenu.h"
#include "ShellTestKit.h"
#include "ShellTreeCtrl.h"

using shell_test::TempFolder;
using shell_test::TestWindow;

namespace
{
const DWORD TreeStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                        TVS_SHOWSELALWAYS;

// Counts the fills, and can refill every expansion.
class TestShellTree : public CShellTreeCtrl
{
public:
    int populated = 0;
    int rootFills = 0;
    BOOL refresh = FALSE;

protected:
    BOOL PopulateItem(HTREEITEM hParent) override
    {
        if (hParent != TVI_ROOT)
            populated++;
        else
            rootFills++;
        return CShellTreeCtrl::PopulateItem(hParent);
    }
    BOOL WantsRefresh(HTREEITEM) override { return refresh; }
};

std::vector<HTREEITEM> Children(CTreeCtrl& tree, HTREEITEM parent)
{
    std::vector<HTREEITEM> items;
    for (HTREEITEM item = tree.GetChildItem(parent); item; item = tree.GetNextSiblingItem(item))
        items.push_back(item);
    return items;
}

std::vector<std::string> Texts(CTreeCtrl& tree, HTREEITEM parent)
{
    std::vector<std::string> texts;
    for (HTREEITEM item : Children(tree, parent))
        texts.push_back(std::string(tree.GetItemText(item)));
    return texts;
}

HTREEITEM FindChild(CTreeCtrl& tree, HTREEITEM parent, const std::string& text)
{
    for (HTREEITEM item : Children(tree, parent))
        if (std::string(tree.GetItemText(item)) == text)
            return item;
    return NULL;
}

std::string Upper(std::string text)
{
    for (char& c : text)
        c = (char)toupper((unsigned char)c);
    return text;
}

class ShellTree : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_window.reset(new TestWindow("Shell tree", 420, 560));
        ASSERT_TRUE(m_tree.Create(TreeStyle, CRect(5, 5, 395, 510), m_window.get(), 1214));
        m_folder.reset(new TempFolder("shelltree"));
        m_folder->Make("Beach");
        m_folder->Make("Alps");
        m_folder->Make("Alps\\Summit");
        m_folder->Make("Alps\\Valley");
        m_folder->Make("City");
        m_folder->Touch("readme.txt");
        m_folder->Touch("Alps\\photo.jpg");
    }
    void TearDown() override
    {
        m_tree.DestroyWindow();
        m_window.reset();
        m_folder.reset();
    }

    // The tree rooted at the test folder.
    void RootAtTestFolder(UINT flags = 0)
    {
        LPITEMIDLIST root = shell_test::ParsePath(m_folder->Path());
        ASSERT_TRUE(root != NULL);
        m_tree.AddRootFolderContent(root, flags);
        CoTaskMemFree(root);
    }

    std::unique_ptr<TestWindow> m_window;
    TestShellTree m_tree;
    std::unique_ptr<TempFolder> m_folder;
};
}

TEST_F(ShellTree, RootContentIsTheFolderListInTheShellsOrder)
{
    RootAtTestFolder();
    EXPECT_EQ((std::vector<std::string>{"Alps", "Beach", "City"}), Texts(m_tree, TVI_ROOT));
    for (HTREEITEM item : Children(m_tree, TVI_ROOT))
    {
        std::string expected = *m_folder / std::string(m_tree.GetItemText(item));
        EXPECT_STRCASEEQ(expected.c_str(), m_tree.GetItemPath(item)) << expected;
        ASSERT_TRUE(m_tree.GetItemPidl(item) != NULL);
        EXPECT_EQ(m_tree.GetItemPath(item), m_tree.GetItemPidl(item)->GetPath());
    }
}

TEST_F(ShellTree, RefreshingTheTopLevelListsTheRootAgain)
{
    RootAtTestFolder();
    EXPECT_EQ(1, m_tree.rootFills);
    m_folder->Make("Desert");
    RemoveDirectoryA((*m_folder / "City").c_str());
    EXPECT_TRUE(m_tree.RefreshItem(TVI_ROOT));
    EXPECT_EQ(2, m_tree.rootFills);
    EXPECT_EQ((std::vector<std::string>{"Alps", "Beach", "Desert"}), Texts(m_tree, TVI_ROOT));
}

TEST_F(ShellTree, FilesAreListedOnlyWhenAsked)
{
    RootAtTestFolder(SHCONTF_NONFOLDERS);
    std::vector<std::string> texts = Texts(m_tree, TVI_ROOT);
    ASSERT_EQ(4u, texts.size());
    HTREEITEM file = NULL;
    for (HTREEITEM item : Children(m_tree, TVI_ROOT))
        if (std::string(m_tree.GetItemText(item)).find("readme") == 0)
            file = item;
    ASSERT_TRUE(file != NULL);
    // A file is no folder: it has no path for the caller.
    EXPECT_TRUE(m_tree.GetItemPath(file).IsEmpty());
}

TEST_F(ShellTree, ExpandingAFolderListsItsSubFolders)
{
    RootAtTestFolder();
    HTREEITEM alps = FindChild(m_tree, TVI_ROOT, "Alps");
    ASSERT_TRUE(alps != NULL);
    EXPECT_EQ(0, m_tree.populated);
    m_tree.Expand(alps, TVE_EXPAND);
    EXPECT_EQ(1, m_tree.populated);
    EXPECT_EQ((std::vector<std::string>{"Summit", "Valley"}), Texts(m_tree, alps));
    HTREEITEM summit = FindChild(m_tree, alps, "Summit");
    EXPECT_STRCASEEQ((*m_folder / "Alps\\Summit").c_str(), m_tree.GetItemPath(summit));
    // An empty folder loses its expand button once it was opened.
    m_tree.Expand(summit, TVE_EXPAND);
    TVITEMA item = {};
    item.mask = TVIF_CHILDREN;
    item.hItem = summit;
    m_tree.GetItem(&item);
    EXPECT_EQ(0, item.cChildren);
}

TEST_F(ShellTree, ItemIsFilledOnceUnlessItWantsRefresh)
{
    RootAtTestFolder();
    HTREEITEM alps = FindChild(m_tree, TVI_ROOT, "Alps");
    m_tree.Expand(alps, TVE_EXPAND);
    m_tree.Expand(alps, TVE_COLLAPSE);
    m_folder->Make("Alps\\Glacier");
    m_tree.Expand(alps, TVE_EXPAND);
    EXPECT_EQ(1, m_tree.populated);
    EXPECT_EQ(2u, Children(m_tree, alps).size());

    m_tree.refresh = TRUE;
    m_tree.Expand(alps, TVE_COLLAPSE);
    m_tree.Expand(alps, TVE_EXPAND);
    EXPECT_EQ(2, m_tree.populated);
    EXPECT_EQ((std::vector<std::string>{"Glacier", "Summit", "Valley"}), Texts(m_tree, alps));
}

TEST_F(ShellTree, UserExpansionRefillsWhenItWantsRefresh)
{
    RootAtTestFolder();
    m_tree.refresh = TRUE;
    HTREEITEM alps = FindChild(m_tree, TVI_ROOT, "Alps");
    m_tree.SelectItem(alps);
    // Keyboard expansions, as a user makes them: right arrow opens, left closes.
    m_tree.SendMessage(WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(1, m_tree.populated);
    m_tree.SendMessage(WM_KEYDOWN, VK_LEFT, 0);
    m_folder->Make("Alps\\Lake");
    m_tree.SendMessage(WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(2, m_tree.populated);
    EXPECT_EQ((std::vector<std::string>{"Lake", "Summit", "Valley"}), Texts(m_tree, alps));
}

TEST_F(ShellTree, DesktopContentLeadsToTheDrivesAndTheirPaths)
{
    m_tree.AddRootFolderContent(NULL, 0);
    std::vector<HTREEITEM> top = Children(m_tree, TVI_ROOT);
    ASSERT_FALSE(top.empty());
    // The computer is a virtual folder: no path; its children are the drives.
    HTREEITEM drive = NULL;
    HTREEITEM computer = NULL;
    for (HTREEITEM item : top)
    {
        if (!m_tree.GetItemPath(item).IsEmpty())
            continue;
        m_tree.Expand(item, TVE_EXPAND);
        for (HTREEITEM child : Children(m_tree, item))
            if (Upper(std::string(m_tree.GetItemPath(child))) == "C:\\")
            {
                drive = child;
                computer = item;
            }
        if (drive)
            break;
    }
    ASSERT_TRUE(drive != NULL) << "no item of the desktop leads to drive C:";
    EXPECT_TRUE(m_tree.GetItemPath(computer).IsEmpty());
}

TEST_F(ShellTree, ItemMenuIsTheShellMenuOfTheFolder)
{
    RootAtTestFolder();
    HTREEITEM beach = FindChild(m_tree, TVI_ROOT, "Beach");
    CShellContextMenu menu;
    ASSERT_NE(0, m_tree.GetItemContextMenu(beach, menu));
    CMenu popup;
    popup.CreatePopupMenu();
    int used = menu.FillMenu(&popup, 0, 20000, 21000, 0x24);
    ASSERT_GT(used, 0);
    bool copy = false;
    for (UINT i = 0; i < popup.GetMenuItemCount(); i++)
    {
        UINT id = popup.GetMenuItemID(i);
        if (id == 0 || id == (UINT)-1)
            continue;
        EXPECT_GE(id, 20000u);
        EXPECT_LT(id, 20000u + used);
        copy = copy || menu.GetCommandVerb(id) == "copy";
    }
    EXPECT_TRUE(copy);
    EXPECT_EQ(0, m_tree.GetItemContextMenu(NULL, menu));
}

TEST_F(ShellTree, ItemsDeletedFromOutsideAndAtDestructionGiveBackTheirData)
{
    RootAtTestFolder();
    HTREEITEM alps = FindChild(m_tree, TVI_ROOT, "Alps");
    m_tree.Expand(alps, TVE_EXPAND);
    // The parent is a framework window, so the deletion reaches the tree.
    m_tree.DeleteItem(FindChild(m_tree, TVI_ROOT, "City"));
    EXPECT_EQ(2u, Children(m_tree, TVI_ROOT).size());
    m_tree.DeleteAllItems();
    EXPECT_EQ(0u, m_tree.GetCount());
    RootAtTestFolder();
    EXPECT_EQ(3u, Children(m_tree, TVI_ROOT).size());
}

TEST_F(ShellTree, ItemImageRectSitsLeftOfTheLabel)
{
    RootAtTestFolder();
    HTREEITEM beach = FindChild(m_tree, TVI_ROOT, "Beach");
    RECT image, label;
    ASSERT_TRUE(m_tree.GetItemImageRect(beach, &image));
    ASSERT_TRUE(m_tree.GetItemRect(beach, &label, TRUE));
    EXPECT_LE(image.right, label.left);
    EXPECT_EQ(GetSystemMetrics(SM_CXSMICON), image.right - image.left);
    EXPECT_EQ(GetSystemMetrics(SM_CYSMICON), image.bottom - image.top);
    EXPECT_GE(image.top, label.top - 2);
    EXPECT_LE(image.bottom, label.bottom + 2);
}

TEST_F(ShellTree, MissingRootLeavesTheTreeEmpty)
{
    RootAtTestFolder();
    std::string gone = m_folder->Make("Gone");
    LPITEMIDLIST root = shell_test::ParsePath(gone);
    ASSERT_TRUE(root != NULL);
    RemoveDirectoryA(gone.c_str());
    m_tree.AddRootFolderContent(root, 0);
    CoTaskMemFree(root);
    EXPECT_EQ(0u, m_tree.GetCount());
}

// Shows the tree expanded from the desktop down to a test folder, for a
// screenshot: run with --gtest_also_run_disabled_tests under Xvfb.
TEST_F(ShellTree, DISABLED_ShowTreeExpandedToATestFolder)
{
    m_tree.AddRootFolderContent(NULL, 0);
    std::string target = Upper(*m_folder / "Alps\\Summit");
    HTREEITEM parent = TVI_ROOT;
    for (bool found = true; found;)
    {
        found = false;
        for (HTREEITEM item : Children(m_tree, parent))
        {
            std::string path = Upper(std::string(m_tree.GetItemPath(item)));
            bool virtualFolder = path.empty() && parent == TVI_ROOT;
            if (virtualFolder)
            {
                m_tree.Expand(item, TVE_EXPAND);
                bool leads = false;
                for (HTREEITEM child : Children(m_tree, item))
                    leads = leads || Upper(std::string(m_tree.GetItemPath(child))) == target.substr(0, 3);
                if (!leads)
                {
                    m_tree.Expand(item, TVE_COLLAPSE);
                    continue;
                }
            }
            else if (path.empty() || target.compare(0, path.size(), path) != 0 ||
                     (target.size() > path.size() && path.back() != '\\' && target[path.size()] != '\\'))
                continue;
            m_tree.Expand(item, TVE_EXPAND);
            m_tree.SelectItem(item);
            m_tree.EnsureVisible(item);
            parent = item;
            found = path != target;
            break;
        }
    }
    EXPECT_STRCASEEQ(target.c_str(), m_tree.GetItemPath(m_tree.GetSelectedItem()));
    m_tree.SetFocus();
    shell_test::Pump(8000);
}
