// The folder indexer on test folders mapped as drive letters: which folders it
// registers, which it never enters, which drive types it searches, what the
// registry file holds afterwards and the progress text it shows.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "CatalogueTestKit.h"
#include "CStatic.h"
#include "CWnd.h"
#include "FolderListManager.h"
#include "MappedDrive.h"

using catalogue_test::MakePicture;
using catalogue_test::TempFolder;
using indexing_test::MappedDrive;

namespace
{
const char* Title = "IndexingTest";
const char* Company = "PixmereTest_Indexing";

const UINT AskSystem = 0xFFFFFFFF;

// The indexer with its drive list replaced by the test's letters and types
// (AskSystem asks GetDriveType), recording every folder it enters.
class TestIndexer : public CFolderListManager
{
public:
    explicit TestIndexer(const std::string& registry) : CFolderListManager(registry.c_str()) {}

    std::map<char, UINT> drives;
    std::vector<std::string> visited;

    std::vector<std::string> Entries()
    {
        std::vector<std::string> entries;
        for (int i = 0; i < GetFileCount(); i++)
            entries.push_back(GetFile(i));
        return entries;
    }

protected:
    DWORD GetDriveMask() override
    {
        DWORD mask = 0;
        for (const auto& drive : drives)
            mask |= 1u << (drive.first - 'A');
        return mask;
    }
    UINT GetDriveKind(const char* root) override
    {
        auto drive = drives.find(root[0]);
        if (drive == drives.end() || drive->second == AskSystem)
            return CFolderListManager::GetDriveKind(root);
        return drive->second;
    }
    int RegisterFolder(const char* folder) override
    {
        visited.push_back(folder);
        return CFolderListManager::RegisterFolder(folder);
    }
};

class Indexing : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_app.reset(new catalogue_test::TestApp(Title, Company));
        m_root.reset(new TempFolder("indexdrive"));
        m_drive.reset(new MappedDrive(m_root->Path()));
        ASSERT_NE(0, m_drive->Letter()) << "no spare drive letter could be mapped";
        m_indexer.reset(new TestIndexer(Registry()));
        m_indexer->drives[m_drive->Letter()] = DRIVE_FIXED;
    }
    void TearDown() override
    {
        m_indexer.reset();
        m_drive.reset();
        m_root.reset();
        m_store.reset();
        m_app.reset();
    }

    std::string Registry()
    {
        if (!m_store)
            m_store.reset(new TempFolder("indexstore"));
        return *m_store / "files.db";
    }
    // A folder below the mapped drive, made with its parents.
    std::string Folder(const std::string& relative)
    {
        std::string path = m_root->Path();
        size_t start = 0;
        while (start <= relative.size())
        {
            size_t end = relative.find('\\', start);
            if (end == std::string::npos)
                end = relative.size();
            path += "\\" + relative.substr(start, end - start);
            CreateDirectoryA(path.c_str(), NULL);
            start = end + 1;
        }
        return path;
    }
    std::string OnDrive(const std::string& relative) const
    {
        return m_drive->Name() + (relative.empty() ? "" : "\\" + relative);
    }

    std::unique_ptr<catalogue_test::TestApp> m_app;
    std::unique_ptr<TempFolder> m_store;
    std::unique_ptr<TempFolder> m_root;
    std::unique_ptr<MappedDrive> m_drive;
    std::unique_ptr<TestIndexer> m_indexer;
};

bool Contains(const std::vector<std::string>& list, const std::string& item)
{
    for (const std::string& entry : list)
        if (entry == item)
            return true;
    return false;
}
}

TEST_F(Indexing, PicturesInTheDriveRootRegisterLetterAndColon)
{
    MakePicture(*m_root / "scan.bmp");
    EXPECT_EQ(1, m_indexer->RefreshFolderList(NULL));
    EXPECT_EQ(std::vector<std::string>{OnDrive("")}, m_indexer->Entries());
}

TEST_F(Indexing, FolderWithTwoPicturesIsRegisteredOnce)
{
    std::string holiday = Folder("Holiday");
    MakePicture(holiday + "\\a.JPG");
    MakePicture(holiday + "\\b.png");
    MakePicture(Folder("Zoo") + "\\lion.TIFF");
    m_indexer->RefreshFolderList(NULL);
    EXPECT_EQ((std::vector<std::string>{OnDrive("Holiday"), OnDrive("Zoo")}), m_indexer->Entries());
}

TEST_F(Indexing, EveryPictureExtensionCountsAndNoOtherDoes)
{
    const char* pictures[] = {"a.jpg", "a.JPE", "a.jpeg", "a.jfif", "a.bmp", "a.DIB", "a.ico",
                              "a.tif", "a.tiff", "a.gif", "a.png", "a.EMF", "a.wmf", "a.cur"};
    for (const char* name : pictures)
        MakePicture(Folder(std::string("has_") + name) + "\\" + name);
    const char* others[] = {"photo.jpeg.txt", "font.ttf", "jpg", "a.jp", "a.pngx", "a.avi", "pixmere.db"};
    for (const char* name : others)
        MakePicture(Folder(std::string("not_") + name) + "\\" + name);
    m_indexer->RefreshFolderList(NULL);
    std::vector<std::string> entries = m_indexer->Entries();
    for (const char* name : pictures)
        EXPECT_TRUE(Contains(entries, OnDrive(std::string("has_") + name))) << name;
    EXPECT_EQ(sizeof(pictures) / sizeof(pictures[0]), entries.size());
}

TEST_F(Indexing, DotFoldersAreNeverEntered)
{
    MakePicture(Folder(".cache") + "\\thumb.jpg");
    MakePicture(Folder(".cache\\deeper") + "\\thumb.png");
    MakePicture(Folder("Photos\\.git") + "\\icon.png");
    MakePicture(Folder("Photos") + "\\beach.gif");
    m_indexer->RefreshFolderList(NULL);
    EXPECT_EQ(std::vector<std::string>{OnDrive("Photos")}, m_indexer->Entries());
    for (const std::string& folder : m_indexer->visited)
        EXPECT_EQ(std::string::npos, folder.find("\\.")) << folder;
}

TEST_F(Indexing, FoldersHoldingPicturesOnlyBelowAreNotRegistered)
{
    MakePicture(Folder("2023\\June\\Party") + "\\cake.jpg");
    MakePicture(Folder("2023\\June") + "\\notes.txt");
    m_indexer->RefreshFolderList(NULL);
    EXPECT_EQ(std::vector<std::string>{OnDrive("2023\\June\\Party")}, m_indexer->Entries());
    EXPECT_TRUE(Contains(m_indexer->visited, OnDrive("2023\\June")));
}

TEST_F(Indexing, WalkIsDepthFirstFromTheDriveName)
{
    Folder("A\\A1");
    Folder("B");
    m_indexer->RefreshFolderList(NULL);
    std::vector<std::string>& visited = m_indexer->visited;
    ASSERT_EQ(4u, visited.size());
    EXPECT_EQ(OnDrive(""), visited[0]);
    // A's sub-folder is entered before A's sibling, whichever comes first.
    auto at = [&](const std::string& f) { return std::find(visited.begin(), visited.end(), f) - visited.begin(); };
    if (at(OnDrive("A")) < at(OnDrive("B")))
        EXPECT_EQ(at(OnDrive("A")) + 1, at(OnDrive("A\\A1")));
    else
        EXPECT_EQ(3, at(OnDrive("A\\A1")));
}

TEST_F(Indexing, RebuildForgetsFoldersWhosePicturesWereDeleted)
{
    std::string kept = Folder("Kept");
    std::string emptied = Folder("Emptied");
    MakePicture(kept + "\\k.jpg");
    MakePicture(emptied + "\\e1.jpg");
    MakePicture(emptied + "\\e2.png");
    m_indexer->RefreshFolderList(NULL);
    ASSERT_EQ((std::vector<std::string>{OnDrive("Emptied"), OnDrive("Kept")}), m_indexer->Entries());

    DeleteFileA((emptied + "\\e1.jpg").c_str());
    DeleteFileA((emptied + "\\e2.png").c_str());
    m_indexer->RefreshFolderList(NULL);
    EXPECT_EQ(std::vector<std::string>{OnDrive("Kept")}, m_indexer->Entries());

    // The saved file agrees: one entry, then zero filler of one growth step.
    std::string bytes = catalogue_test::FileBytes(Registry());
    EXPECT_EQ(262144u, bytes.size());
    EXPECT_EQ(OnDrive("Kept") + std::string(1, '\0'), bytes.substr(0, OnDrive("Kept").size() + 1));
    EXPECT_EQ(std::string::npos, bytes.find_first_not_of('\0', OnDrive("Kept").size() + 1));
    TestIndexer reader(Registry());
    reader.Load();
    EXPECT_EQ(std::vector<std::string>{OnDrive("Kept")}, reader.Entries());
}

TEST_F(Indexing, RebuildWithoutAnyPictureLeavesTheFileAsItWas)
{
    MakePicture(Folder("Old") + "\\old.jpg");
    m_indexer->RefreshFolderList(NULL);
    std::string before = catalogue_test::FileBytes(Registry());
    ASSERT_FALSE(before.empty());
    DeleteFileA((*m_root / "Old\\old.jpg").c_str());
    EXPECT_EQ(1, m_indexer->RefreshFolderList(NULL));
    EXPECT_EQ(0, m_indexer->GetFileCount());
    EXPECT_EQ(before, catalogue_test::FileBytes(Registry()));
}

TEST_F(Indexing, SettingsChooseTheDriveTypesSearched)
{
    // One folder seen through six letters, each reported as another drive type.
    MakePicture(*m_root / "root.jpg");
    const UINT kinds[] = {DRIVE_CDROM, DRIVE_REMOVABLE, DRIVE_RAMDISK, DRIVE_REMOTE, DRIVE_UNKNOWN, DRIVE_NO_ROOT_DIR};
    std::vector<std::unique_ptr<MappedDrive>> more;
    std::map<UINT, std::string> nameOf;
    nameOf[DRIVE_FIXED] = m_drive->Name();
    for (UINT kind : kinds)
    {
        more.emplace_back(new MappedDrive(m_root->Path()));
        ASSERT_NE(0, more.back()->Letter());
        m_indexer->drives[more.back()->Letter()] = kind;
        nameOf[kind] = more.back()->Name();
    }
    auto searched = [&](int removable, int network, int cd) {
        m_indexer->m_bIncludeRemovable = removable;
        m_indexer->m_bIncludeNetwork = network;
        m_indexer->m_bIncludeCD = cd;
        m_indexer->RefreshFolderList(NULL);
        std::vector<UINT> found;
        std::vector<std::string> entries = m_indexer->Entries();
        for (const auto& kind : nameOf)
            if (Contains(entries, kind.second))
                found.push_back(kind.first);
        return found;
    };
    EXPECT_EQ(std::vector<UINT>{DRIVE_FIXED}, searched(0, 0, 0));
    EXPECT_EQ((std::vector<UINT>{DRIVE_REMOVABLE, DRIVE_FIXED, DRIVE_RAMDISK}), searched(1, 0, 0));
    EXPECT_EQ((std::vector<UINT>{DRIVE_FIXED, DRIVE_REMOTE}), searched(0, 1, 0));
    EXPECT_EQ((std::vector<UINT>{DRIVE_FIXED, DRIVE_CDROM}), searched(0, 0, 1));
    EXPECT_EQ((std::vector<UINT>{DRIVE_REMOVABLE, DRIVE_FIXED, DRIVE_REMOTE, DRIVE_CDROM, DRIVE_RAMDISK}),
              searched(1, 1, 1));
}

TEST_F(Indexing, ResultIsZeroOnlyWhenNoDriveWasSearched)
{
    MakePicture(*m_root / "root.jpg");
    m_indexer->drives[m_drive->Letter()] = DRIVE_CDROM;
    EXPECT_EQ(0, m_indexer->RefreshFolderList(NULL));
    EXPECT_TRUE(m_indexer->visited.empty());
    EXPECT_FALSE(catalogue_test::Exists(Registry()));
    m_indexer->m_bIncludeCD = 1;
    EXPECT_EQ(1, m_indexer->RefreshFolderList(NULL));
}

TEST_F(Indexing, MappedFolderIsAFixedDriveToTheSystem)
{
    // No type override: the prefix's own answer for a folder on a local disk.
    MakePicture(*m_root / "root.jpg");
    m_indexer->drives[m_drive->Letter()] = AskSystem;
    EXPECT_EQ(1, m_indexer->RefreshFolderList(NULL));
    EXPECT_EQ(std::vector<std::string>{OnDrive("")}, m_indexer->Entries());
}

TEST_F(Indexing, DriveThatCannotBeEnumeratedContributesNothing)
{
    MakePicture(*m_root / "root.jpg");
    // A letter that maps nowhere, reported as a fixed disk.
    char unused = 0;
    DWORD existing = GetLogicalDrives();
    for (char letter = 'Y'; letter > 'D' && !unused; letter--)
        if (letter != m_drive->Letter() && !(existing & (1u << (letter - 'A'))) &&
            GetFileAttributesA((std::string(1, letter) + ":\\").c_str()) == INVALID_FILE_ATTRIBUTES)
            unused = letter;
    ASSERT_NE(0, unused);
    m_indexer->drives[unused] = DRIVE_FIXED;
    EXPECT_EQ(1, m_indexer->RefreshFolderList(NULL));
    EXPECT_EQ(std::vector<std::string>{OnDrive("")}, m_indexer->Entries());
}

TEST_F(Indexing, LinkLoopEndsAtThePathLimit)
{
    std::string album = Folder("Album");
    MakePicture(album + "\\p.jpg");
    ASSERT_TRUE(indexing_test::StartNative("/bin/ln -s . \"" + indexing_test::UnixPath(album) + "/again\""));
    ASSERT_TRUE(indexing_test::WaitFor(true, album + "\\again\\p.jpg", 15000));
    m_indexer->RefreshFolderList(NULL);
    std::vector<std::string> entries = m_indexer->Entries();
    EXPECT_TRUE(Contains(entries, OnDrive("Album")));
    EXPECT_TRUE(Contains(entries, OnDrive("Album\\again")));
    for (const std::string& folder : m_indexer->visited)
        EXPECT_LE(folder.size(), 260u);
    // Remove the loop before the folder is deleted.
    indexing_test::StartNative("/bin/rm -f \"" + indexing_test::UnixPath(album) + "/again\"");
    EXPECT_TRUE(indexing_test::WaitFor(false, album + "\\again", 15000));
}

TEST_F(Indexing, SettingsAreStoredUnderTheirMemberNames)
{
    std::string key = m_app->SettingsKey(Title);
    DWORD value = 7;
    for (const char* name : {"m_bIncludeRemovable", "m_bIncludeNetwork", "m_bIncludeCD"})
    {
        ASSERT_TRUE(catalogue_test::RegDword(key, name, value)) << name;
        EXPECT_EQ(0u, value) << name;
    }
    m_indexer->m_bIncludeNetwork = 5;
    ASSERT_TRUE(catalogue_test::RegDword(key, "m_bIncludeNetwork", value));
    EXPECT_EQ(1u, value);
    catalogue_test::SetRegDword(key, "m_bIncludeCD", 3);
    TestIndexer second(Registry());
    EXPECT_EQ(1, (int)second.m_bIncludeCD);
    EXPECT_EQ(1, (int)second.m_bIncludeNetwork);
    EXPECT_EQ(0, (int)second.m_bIncludeRemovable);
}

namespace
{
// The progress control's text at each WM_SETTEXT and at each WM_PAINT.
struct ProgressLog
{
    std::vector<std::string> set;
    std::vector<std::string> painted;
    WNDPROC previous;
};
ProgressLog* g_log;

LRESULT CALLBACK RecordingProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SETTEXT && lParam)
        g_log->set.push_back((const char*)lParam);
    if (message == WM_PAINT)
    {
        char text[1024] = "";
        GetWindowTextA(hWnd, text, sizeof(text));
        g_log->painted.push_back(text);
    }
    return CallWindowProcA(g_log->previous, hWnd, message, wParam, lParam);
}
}

TEST_F(Indexing, ProgressTextIsPaintedOncePerFolderDuringTheWalk)
{
    MakePicture(Folder("One") + "\\1.jpg");
    MakePicture(Folder("Two") + "\\2.jpg");
    // A desktop that another program of the shared Wine prefix started
    // without a display has no screen, and nothing on it is ever painted.
    if (GetSystemMetrics(SM_CXSCREEN) == 0)
        GTEST_SKIP() << "this Wine desktop has no display";
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(WS_EX_TOPMOST, AfxRegisterWndClass(0, NULL, (HBRUSH)(COLOR_WINDOW + 1)), "Indexing",
                                WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 500, 200, NULL, NULL));
    // The pane hands the indexer its dialog's static control the usual way.
    ASSERT_TRUE(CreateWindowA("STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 480, 150, parent.m_hWnd, (HMENU)1228,
                              NULL, NULL));
    CStatic* progress = (CStatic*)parent.GetDlgItem(1228);
    // Windows of other programs on the same desktop may hide ours, and a
    // hidden control is rightly not painted: find a place where it is seen.
    bool seen = false;
    for (int place = 0; place < 24 && !seen; place++)
    {
        parent.SetWindowPos(&CWnd::wndTopMost, 10 + (place % 4) * 300, 10 + (place / 4) * 160, 0, 0,
                            SWP_NOSIZE | SWP_SHOWWINDOW);
        HDC dc = GetDC(progress->m_hWnd);
        RECT clip;
        seen = GetClipBox(dc, &clip) != NULLREGION;
        ReleaseDC(progress->m_hWnd, dc);
    }
    ASSERT_TRUE(seen) << "the screen is covered by other windows";
    parent.UpdateWindow();
    ProgressLog log;
    g_log = &log;
    log.previous = (WNDPROC)SetWindowLongPtrA(progress->m_hWnd, GWLP_WNDPROC, (LONG_PTR)RecordingProc);

    m_indexer->RefreshFolderList(progress);

    SetWindowLongPtrA(progress->m_hWnd, GWLP_WNDPROC, (LONG_PTR)log.previous);
    g_log = NULL;
    ASSERT_EQ(m_indexer->visited.size(), log.set.size());
    ASSERT_EQ(3u, log.set.size());
    // The count is that of the folders registered before the folder is entered.
    int registeredBefore = 0;
    for (size_t i = 0; i < log.set.size(); i++)
    {
        const std::string& folder = m_indexer->visited[i];
        char expected[400];
        snprintf(expected, sizeof(expected), "%d Image folders indexed\nScanning the folder\n\"%s\" ",
                 registeredBefore, folder.c_str());
        EXPECT_EQ(expected, log.set[i]);
        if (folder != OnDrive(""))
            registeredBefore++;
    }
    // Every text was painted while the walk still ran (no message loop ran).
    EXPECT_EQ(log.set, log.painted);
    parent.DestroyWindow();
}
