// The albums pane: parents before children whatever the list order, a parent
// chain that loops, the path of an album, new, rename and delete in every
// pane of the process, the questions of Delete, and a new album or a
// deletion that the disk refused leaving every pane as the disk is.
#include <gtest/gtest.h>
#include <stdio.h>
#include <thread>
#include <atomic>

#include "PaneTestKit.h"
#include "FileInfo.h"
#include "MemoryMappedDB.h"
#include "NativeTool.h"
#include "panes/AlbumDialog.h"

using namespace pane_test;

namespace
{
// A pane whose album list is given by the test.
class ListedPane : public CAlbumDialog
{
public:
    explicit ListedPane(std::vector<std::string> list) : m_list(list) {}

protected:
    void GetAlbumList(CStringList& list) override
    {
        list.RemoveAll();
        for (const std::string& n : m_list)
            list.AddTail(n.c_str());
    }

private:
    std::vector<std::string> m_list;
};

void SetAlbumProfile(unsigned number, const char* name, unsigned parent)
{
    char entry[64];
    snprintf(entry, sizeof(entry), "Album_%u", number);
    AfxGetApp()->WriteProfileString("Settings", entry, name);
    snprintf(entry, sizeof(entry), "Parent_Album_%u", number);
    WriteSetting(entry, (int)parent);
}

int CountItems(CTreeCtrl& tree, HTREEITEM parent = TVI_ROOT)
{
    int n = 0;
    for (HTREEITEM item = tree.GetChildItem(parent); item; item = tree.GetNextSiblingItem(item))
        n += 1 + CountItems(tree, item);
    return n;
}

CString AlbumFile(unsigned number)
{
    CString path;
    path.Format("%s\\Album_%u.alb", (LPCSTR)CMemoryMappedDB::GetDbFolderName(), number);
    return path;
}
}

TEST(AlbumsPane, AChildListedBeforeItsParentStillHangsUnderIt)
{
    SetAlbumProfile(9101, "Trips", 0);
    SetAlbumProfile(9102, "Alps", 9101);
    HostWindow host;
    ListedPane pane({"9102", "9101"});
    ASSERT_TRUE(pane.Create(CAlbumDialog::IDD, &host));
    CTreeCtrl& tree = pane.GetTree();
    EXPECT_EQ(3, CountItems(tree)); // the root and each album once
    HTREEITEM trips = pane.GetItemOf(9101), alps = pane.GetItemOf(9102);
    ASSERT_TRUE(trips && alps);
    EXPECT_EQ(pane.GetRootItem(), tree.GetParentItem(trips));
    EXPECT_EQ(trips, tree.GetParentItem(alps));
    EXPECT_STREQ("My Albums", tree.GetItemText(pane.GetRootItem()));
    EXPECT_STREQ("My Albums/Trips/Alps", pane.GetAlbumPath(alps));
    EXPECT_STREQ("My Albums/Trips", pane.GetAlbumPath(trips));
    EXPECT_STREQ("", pane.GetAlbumPath((HTREEITEM)NULL));
}

TEST(AlbumsPane, AParentChainThatLoopsEndsAtTheRoot)
{
    SetAlbumProfile(9201, "First", 9202);
    SetAlbumProfile(9202, "Second", 9203);
    SetAlbumProfile(9203, "Third", 9201);
    SetAlbumProfile(9204, "Self", 9204);
    HostWindow host;
    ListedPane pane({"9201", "9202", "9203", "9204"});
    ASSERT_TRUE(pane.Create(CAlbumDialog::IDD, &host));
    CTreeCtrl& tree = pane.GetTree();
    EXPECT_EQ(5, CountItems(tree));
    for (unsigned n = 9201; n <= 9204; n++)
        EXPECT_NE(nullptr, pane.GetItemOf(n)) << n;
    EXPECT_EQ(pane.GetRootItem(), tree.GetParentItem(pane.GetItemOf(9204)));
}

TEST(AlbumsPane, NewAndRenamedAlbumsShowInEveryPane)
{
    AlbumCleanup cleanup;
    Questions questions;
    HostWindow host1, host2;
    CAlbumDialog first, second;
    ASSERT_TRUE(first.Create(CAlbumDialog::IDD, &host1));
    ASSERT_TRUE(second.Create(CAlbumDialog::IDD, &host2));
    first.GetTree().SelectItem(first.GetRootItem());

    first.NewAlbum();
    unsigned number = cleanup.Add(first.GetSelectedAlbum());
    ASSERT_NE(0u, number);
    EXPECT_TRUE(CFileInfo::FileExist(AlbumFile(number)));
    CString name;
    name.Format("Album_%u", number);
    HTREEITEM inFirst = first.GetItemOf(number), inSecond = second.GetItemOf(number);
    ASSERT_TRUE(inFirst && inSecond);
    EXPECT_EQ(first.GetRootItem(), first.GetTree().GetParentItem(inFirst));
    EXPECT_EQ(second.GetRootItem(), second.GetTree().GetParentItem(inSecond));
    EXPECT_STREQ(name, second.GetTree().GetItemText(inSecond));
    // The pane that made it opens the label for the name.
    EXPECT_NE(0, (int)first.GetTree().SendMessage(TVM_GETEDITCONTROL));
    EXPECT_EQ(0, (int)second.GetTree().SendMessage(TVM_GETEDITCONTROL));

    // The user types a name and presses Enter.
    HWND edit = (HWND)first.GetTree().SendMessage(TVM_GETEDITCONTROL);
    ::SetWindowTextA(edit, "Holidays");
    first.GetTree().SendMessage(TVM_ENDEDITLABELNOW, FALSE);
    EXPECT_STREQ("Holidays", first.GetTree().GetItemText(inFirst));
    EXPECT_STREQ("Holidays", second.GetTree().GetItemText(inSecond));
    EXPECT_STREQ("Holidays", CAlbum(number).m_DisplayName.operator CString());

    // A renaming in the second pane reaches the first.
    second.RenameItem(inSecond, "Summer");
    EXPECT_STREQ("Summer", first.GetTree().GetItemText(inFirst));

    // The root keeps its name.
    EXPECT_FALSE(first.GetTree().SendMessage(TVM_EDITLABELA, 0, (LPARAM)first.GetRootItem()));
}

TEST(AlbumsPane, ANewAlbumReachesThePaneOfAnotherThread)
{
    AlbumCleanup cleanup;
    std::atomic<HWND> otherTree{NULL};
    std::atomic<bool> stop{false};
    std::atomic<unsigned> seen{0};
    std::atomic<unsigned> wanted{0};
    std::thread other([&] {
        wintest::ScopedThread thread;
        HostWindow host;
        CAlbumDialog pane;
        pane.Create(CAlbumDialog::IDD, &host);
        otherTree = pane.GetTree().GetSafeHwnd();
        PumpUntil(20000, [&] {
            if (wanted && pane.GetItemOf(wanted))
                seen = wanted.load();
            return stop.load();
        });
    });
    ASSERT_TRUE(PumpUntil(10000, [&] { return otherTree.load() != NULL; }));
    HostWindow host;
    CAlbumDialog pane;
    ASSERT_TRUE(pane.Create(CAlbumDialog::IDD, &host));
    pane.GetTree().SelectItem(pane.GetRootItem());
    pane.NewAlbum();
    wanted = cleanup.Add(pane.GetSelectedAlbum());
    pane.GetTree().SendMessage(TVM_ENDEDITLABELNOW, TRUE);
    EXPECT_TRUE(PumpUntil(10000, [&] { return seen.load() == wanted.load(); }));
    stop = true;
    other.join();
}

TEST(AlbumsPane, DeleteRefusesAnAlbumWithSubAlbumsAndAsksBeforeDeleting)
{
    AlbumCleanup cleanup;
    unsigned parent = cleanup.Add(CAlbum::CreateNewAlbum(0));
    unsigned child = cleanup.Add(CAlbum::CreateNewAlbum(parent));
    Questions questions;
    HostWindow host;
    CAlbumDialog pane;
    ASSERT_TRUE(pane.Create(CAlbumDialog::IDD, &host));
    ASSERT_TRUE(pane.GetItemOf(parent) && pane.GetItemOf(child));

    pane.GetTree().SelectItem(pane.GetItemOf(parent));
    pane.DeleteAlbum();
    ASSERT_EQ(1u, questions.asked.size());
    EXPECT_EQ("The album contains other albums. Delete them first", questions.asked[0]);
    EXPECT_TRUE(CFileInfo::FileExist(AlbumFile(parent)));
    EXPECT_TRUE(CFileInfo::FileExist(AlbumFile(child)));

    pane.GetTree().SelectItem(pane.GetItemOf(child));
    questions.answers.push_back(IDNO);
    pane.DeleteAlbum();
    ASSERT_EQ(2u, questions.asked.size());
    EXPECT_EQ("Do you really want to delete the album?", questions.asked[1]);
    EXPECT_TRUE(CFileInfo::FileExist(AlbumFile(child)));

    questions.answers.push_back(IDYES);
    pane.DeleteAlbum();
    EXPECT_FALSE(CFileInfo::FileExist(AlbumFile(child)));
    EXPECT_EQ(nullptr, pane.GetItemOf(child));
    EXPECT_TRUE(CFileInfo::FileExist(AlbumFile(parent)));
}

TEST(AlbumsPane, ANewAlbumOrADeletionThatTheDiskRefusedChangesNoPane)
{
    AlbumCleanup cleanup;
    unsigned kept = cleanup.Add(CAlbum::CreateNewAlbum(0));
    Questions questions;
    HostWindow host1, host2;
    CAlbumDialog first, second;
    ASSERT_TRUE(first.Create(CAlbumDialog::IDD, &host1));
    ASSERT_TRUE(second.Create(CAlbumDialog::IDD, &host2));
    int items = CountItems(first.GetTree());

    // The album file is held open by another program: it cannot be removed.
    HANDLE holder = CreateFileA(AlbumFile(kept), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, holder);
    first.GetTree().SelectItem(first.GetItemOf(kept));
    first.DeleteAlbum();
    CloseHandle(holder);
    EXPECT_TRUE(CFileInfo::FileExist(AlbumFile(kept)));
    EXPECT_TRUE(first.GetItemOf(kept) && second.GetItemOf(kept));
    ASSERT_EQ(2u, questions.asked.size());
    EXPECT_EQ("The album could not be deleted: its file cannot be removed.", questions.asked[1]);

    // The albums folder cannot be written: no new album in any pane.
    std::string folder = native_tool::UnixPath((LPCSTR)CMemoryMappedDB::GetDbFolderName());
    while (!folder.empty() && folder.back() == '/')
        folder.pop_back();
    if (folder.empty() || native_tool::RunShell("chattr +i " + native_tool::ShellQuote(folder)) != 0)
        GTEST_SKIP() << "cannot make a folder read-only here";
    first.GetTree().SelectItem(first.GetRootItem());
    first.NewAlbum();
    native_tool::RunShell("chattr -i " + native_tool::ShellQuote(folder));
    Pump(50);
    EXPECT_EQ(items, CountItems(first.GetTree()));
    EXPECT_EQ(items, CountItems(second.GetTree()));
    EXPECT_EQ(0, (int)first.GetTree().SendMessage(TVM_GETEDITCONTROL));
    ASSERT_EQ(3u, questions.asked.size());
    EXPECT_EQ(0u, questions.asked[2].find("The new album could not be created")) << questions.asked[2];
}
