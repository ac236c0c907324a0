// The folder panes: the explorer's way down to a path, hiding folders in
// the tree and the flat view of the indexed folders, bringing a hidden
// folder back, and "My Computer" emptying the thumbnail view.
#include <gtest/gtest.h>

#include "PaneTestKit.h"
#include "BaseFrameWindow.h"
#include "BrowserView.h"
#include "CatalogueTestKit.h"
#include "TempFolder.h"
#include "panes/AnimatedCursorFrames.h"
#include "panes/DialogExplorer.h"
#include "panes/DialogHiddenFolders.h"
#include "panes/IndexedFoldersDialog.h"

using namespace pane_test;
using test_support::TempFolder;

namespace
{
// The indexer over a registry file of the test's own; nothing is scanned.
class TestIndexer : public CPaneFolderIndexer
{
public:
    TestIndexer(const std::string& registry, const std::vector<std::string>& folders)
        : CPaneFolderIndexer(registry.c_str())
    {
        for (const std::string& folder : folders)
            RegisterFile(folder.c_str());
        Save();
    }
};

// Folders p, p\q, p\q\s and r of a temporary folder, all in the registry.
class IndexedFolders : public ::testing::Test
{
protected:
    TempFolder root{"indexedpane"};
    std::string p = root / "p", q = p + "\\q", s = q + "\\s", r = root / "r";
    std::unique_ptr<HostWindow> host;
    std::unique_ptr<CIndexedFoldersDialog> pane;

    void SetUp() override
    {
        for (const std::string& folder : {p, q, s, r})
            CreateDirectoryA(folder.c_str(), NULL);
        host.reset(new HostWindow(600, 400));
    }
    void TearDown() override
    {
        pane.reset();
        host.reset();
        for (const std::string& folder : {p, q, s, r})
            CBaseFrameWindow::m_DisabledFolders -= folder.c_str();
    }
    void Open(int flat)
    {
        WriteSetting("m_bFlatView", flat);
        pane.reset(new CIndexedFoldersDialog(new TestIndexer(root / "files.db", {p, q, s, r})));
        ASSERT_TRUE(pane->Create(CIndexedFoldersDialog::IDD, host.get()));
    }
    bool Shown(const std::string& folder) { return pane->GetItemOf(folder.c_str()) != NULL; }
    void Select(const std::string& folder) { pane->GetTree().SelectItem(pane->GetItemOf(folder.c_str())); }
};
}

TEST(ExplorerPane, ExpandsThroughEveryLevelToAFolderThreeLevelsDown)
{
    TempFolder root("explorerpane");
    std::string deepest = root / "one\\two\\three";
    CreateDirectoryA((root / "one").c_str(), NULL);
    CreateDirectoryA((root / "one\\two").c_str(), NULL);
    CreateDirectoryA(deepest.c_str(), NULL);
    // A sibling whose name starts like the way down must not be taken.
    CreateDirectoryA((root / "one\\tw").c_str(), NULL);
    HostWindow host(500, 600);
    CDialogExplorer explorer;
    ASSERT_TRUE(explorer.Create(CDialogExplorer::IDD, &host));
    ASSERT_TRUE(explorer.ExpandToPath(deepest.c_str()));
    CFolderPaneTree& tree = explorer.GetTree();
    HTREEITEM selected = tree.GetSelectedItem();
    ASSERT_NE(nullptr, selected);
    EXPECT_STRCASEEQ(deepest.c_str(), tree.GetItemPath(selected));
    HTREEITEM two = tree.GetParentItem(selected), one = tree.GetParentItem(two);
    EXPECT_STRCASEEQ((root / "one\\two").c_str(), tree.GetItemPath(two));
    EXPECT_STRCASEEQ((root / "one").c_str(), tree.GetItemPath(one));
    EXPECT_TRUE(tree.SendMessage(TVM_GETITEMSTATE, (WPARAM)two, TVIS_EXPANDED) & TVIS_EXPANDED);
}

TEST_F(IndexedFolders, HidingInTreeViewHidesEverythingBelow)
{
    Open(0);
    ASSERT_TRUE(Shown(p) && Shown(q) && Shown(s) && Shown(r));
    EXPECT_EQ(pane->GetItemOf(p.c_str()), pane->GetTree().GetParentItem(pane->GetItemOf(q.c_str())));
    Select(p);
    pane->HideSelected();
    EXPECT_FALSE(Shown(p) || Shown(q) || Shown(s));
    pane->Rebuild();
    EXPECT_FALSE(Shown(p) || Shown(q) || Shown(s));
    EXPECT_TRUE(Shown(r));
}

TEST_F(IndexedFolders, HidingInFlatViewHidesOneEntry)
{
    Open(1);
    EXPECT_EQ(pane->GetRootItem(), pane->GetTree().GetParentItem(pane->GetItemOf(q.c_str())));
    Select(p);
    pane->HideSelected();
    EXPECT_FALSE(Shown(p));
    EXPECT_TRUE(Shown(q) && Shown(s) && Shown(r));
    pane->Rebuild();
    EXPECT_FALSE(Shown(p));
    EXPECT_TRUE(Shown(q) && Shown(s) && Shown(r));
}

TEST_F(IndexedFolders, RemovingAHiddenFolderBringsItBack)
{
    Open(0);
    Select(q);
    pane->HideSelected();
    pane->Rebuild();
    ASSERT_FALSE(Shown(q));
    CDialogHiddenFolders hidden(pane.get());
    ASSERT_TRUE(hidden.Create(CDialogHiddenFolders::IDD, pane.get()));
    int index = (int)hidden.SendDlgItemMessage(IDC_HIDDEN_LIST, LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)q.c_str());
    ASSERT_NE(LB_ERR, index);
    hidden.SendDlgItemMessage(IDC_HIDDEN_LIST, LB_SETCURSEL, index);
    hidden.RemoveSelected();
    EXPECT_EQ(LB_ERR, (int)hidden.SendDlgItemMessage(IDC_HIDDEN_LIST, LB_FINDSTRINGEXACT, (WPARAM)-1,
                                                     (LPARAM)q.c_str()));
    hidden.DestroyWindow();
    pane->Rebuild();
    EXPECT_TRUE(Shown(q) && Shown(s));
}

TEST(FolderPanes, ChoosingMyComputerEmptiesTheView)
{
    TempFolder folder("mycomputer");
    catalogue_test::MakePicture(folder / "a.jpg");
    BrowserWindow window;
    ASSERT_NE(nullptr, window.Left());
    CBrowserView* view = window.Frame()->GetBrowserView();
    ASSERT_NE(nullptr, view);
    CIndexedFoldersDialog& pane = window.Left()->m_IndexedFoldersDialog;
    HTREEITEM item = pane.AddFolder(folder.Path().c_str());
    ASSERT_NE(nullptr, item);
    pane.GetTree().SelectItem(item);
    EXPECT_STRCASEEQ(folder.Path().c_str(), view->GetFolder());
    pane.GetTree().SelectItem(pane.GetRootItem());
    EXPECT_STREQ("", view->GetFolder());
    EXPECT_EQ(nullptr, view->GetFileList());
}

TEST(IndexedFolderRoots, ADriveRootKeptAsLetterAndColonIsListed)
{
    TempFolder root("indexedroot");
    HostWindow host(600, 400);
    WriteSetting("m_bFlatView", 0);
    CIndexedFoldersDialog pane(new TestIndexer(root / "files.db", {"C:"}));
    ASSERT_TRUE(pane.Create(CIndexedFoldersDialog::IDD, &host));
    HTREEITEM drive = pane.GetItemOf("C:");
    ASSERT_NE(nullptr, drive);
    EXPECT_EQ(pane.GetRootItem(), pane.GetTree().GetParentItem(drive));
}

TEST(ExplorerPane, TheFillingCursorHasTenFramesToStepThrough)
{
    CAnimatedCursorFrames cursor(IDR_FILLING_CURSOR);
    EXPECT_EQ(10, cursor.GetFrameCount());
    // Not an animated cursor at all: no frames, and drawing does nothing.
    const BYTE junk[16] = {'R', 'I', 'F', 'F', 200, 0, 0, 0, 'A', 'V', 'I', ' '};
    EXPECT_TRUE(CAnimatedCursorFrames::ParseFrames(junk, sizeof(junk)).empty());
}
