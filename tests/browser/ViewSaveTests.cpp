// Leaving a folder: a catalogue the user did not change is not written
// (nor made), and a read-only folder stays silent then; a changed one that
// cannot be saved is told once, naming the folder.
#include "ViewTestKit.h"
#include "PaneTestKit.h"

using namespace view_test;

namespace
{
FILETIME WriteTime(const std::string& path)
{
    FILETIME time = {0, 0};
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        time = data.ftLastWriteTime;
    return time;
}

bool SameTime(const FILETIME& a, const FILETIME& b)
{
    return a.dwLowDateTime == b.dwLowDateTime && a.dwHighDateTime == b.dwHighDateTime;
}

std::string Unix(const TempFolder& folder)
{
    std::string path = native_tool::UnixPath(folder.Path());
    while (!path.empty() && path.back() == '/')
        path.pop_back();
    return path;
}
}

TEST_F(ViewWindow, AFolderLeftUnchangedIsNotWritten)
{
    TempFolder folder("SaveUnchanged");
    MakePictures(folder.Path(), 3);
    std::string catalogue = folder / "pixmere.db";
    CBrowserView* view = View();

    // A folder without a catalogue gets none from being looked at.
    view->ShowFolder(folder.Path().c_str());
    view->ClearView();
    EXPECT_FALSE(catalogue_test::Exists(catalogue));

    // A changed one is saved; looked at again, it is left as it is.
    view->ShowFolder(folder.Path().c_str());
    view->DropIndexAt(0, CPoint(10000, 10000)); // the first picture goes last
    view->ClearView();
    ASSERT_TRUE(catalogue_test::Exists(catalogue));
    std::string bytes = catalogue_test::FileBytes(catalogue);
    FILETIME time = WriteTime(catalogue);
    Sleep(50);
    view->ShowFolder(folder.Path().c_str());
    EXPECT_STREQ("p00000.bmp", NameOf(view->GetEntries().back()));
    view->ClearView();
    EXPECT_EQ(bytes, catalogue_test::FileBytes(catalogue));
    EXPECT_TRUE(SameTime(time, WriteTime(catalogue)));
}

TEST_F(ViewWindow, AReadOnlyFolderIsSilentUntilItsChangeCannotBeSavedAndThenToldOnce)
{
    TempFolder folder("SaveReadOnly");
    MakePictures(folder.Path(), 3);
    std::string unixFolder = Unix(folder);
    // As root, permission bits do not stop writes: make the folder immutable.
    if (unixFolder.empty() || native_tool::RunShell("chattr +i " + native_tool::ShellQuote(unixFolder)) != 0)
        GTEST_SKIP() << "cannot make a folder read-only here";
    struct Writable
    {
        std::string folder;
        ~Writable() { native_tool::RunShell("chattr -i " + native_tool::ShellQuote(folder)); }
    } writable{unixFolder};

    pane_test::Questions told;
    CBrowserView* view = View();
    view->ShowFolder(folder.Path().c_str());
    view->ClearView();
    Pump(100);
    EXPECT_TRUE(told.asked.empty());

    // Changed twice, left twice: one message, naming the folder.
    for (int round = 0; round < 2; ++round)
    {
        view->ShowFolder(folder.Path().c_str());
        view->DropIndexAt(0, CPoint(10000, 10000));
        view->ClearView();
        Pump(100);
    }
    ASSERT_EQ(1u, told.asked.size());
    EXPECT_NE(std::string::npos, told.asked[0].find(folder.Path())) << told.asked[0];
    EXPECT_FALSE(catalogue_test::Exists(folder / "pixmere.db"));
}
