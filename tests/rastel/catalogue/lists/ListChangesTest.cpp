// Two lists of one catalogue file (two windows on one album or folder): a
// list merged before it saves never undoes what the other saved; and the
// modified state that decides whether a list needs saving at all.
#include "ListFixture.h"

using catalogue_test::FileBytes;
using catalogue_test::Record;

TEST_F(ListTest, ModifiedFollowsTheUsersChangesAndEndsWithLoadOrSave)
{
    std::string a = Picture("a.jpg"), b = Picture("b.jpg");
    CTestList list(Catalogue());
    list.InsertFile(a.c_str());
    list.InsertFile(b.c_str());
    EXPECT_TRUE(list.IsModified());
    ASSERT_TRUE(list.Save());
    EXPECT_FALSE(list.IsModified());

    CTestList shown(Catalogue());
    shown.Load();
    EXPECT_FALSE(shown.IsModified());
    CFileInfo* first = shown.GetFile(a.c_str());
    CFileInfo* second = shown.GetFile(b.c_str());
    // Moves that leave the order as it is, and fields set to what they hold,
    // change nothing.
    shown.MoveBefore(first, second);
    shown.MoveToTail(second);
    shown.ChangeDescription(first, "");
    shown.ChangeShowTime(first, 256); // stored as 0
    shown.ChangeTransition(first, 0);
    shown.UnregisterSelectedFiles(); // nothing selected
    EXPECT_FALSE(shown.IsModified());

    shown.ChangeDescription(first, "harbour");
    EXPECT_TRUE(shown.IsModified());
    ASSERT_TRUE(shown.Save());
    EXPECT_FALSE(shown.IsModified());
    shown.MoveToTail(first);
    EXPECT_TRUE(shown.IsModified());
}

TEST_F(ListTest, AMergeBeforeSavingTakesInWhatAnotherListOfTheFileSaved)
{
    std::string a = Picture("a.jpg"), b = Picture("b.jpg"), c = Picture("c.jpg"), d = Picture("d.jpg");
    CTestList start(Catalogue());
    start.InsertFile(a.c_str());
    start.InsertFile(b.c_str());
    start.InsertFile(c.c_str());
    ASSERT_TRUE(start.Save());

    // Two windows show the file.
    CTestList first(Catalogue()), second(Catalogue());
    first.Load();
    second.Load();
    EXPECT_FALSE(second.IsStale());

    // The first adds d and removes b.
    first.InsertFile(d.c_str())->SetDescription("new");
    first.GetFile(b.c_str())->Select(true);
    first.UnregisterSelectedFiles();
    ASSERT_TRUE(first.Save());
    EXPECT_TRUE(second.IsStale());
    EXPECT_FALSE(first.IsStale());

    // The second, on its stale list, moves c to the front and describes a.
    second.MoveBefore(second.GetFile(c.c_str()), second.GetFile(a.c_str()));
    second.ChangeDescription(second.GetFile(a.c_str()), "mine");
    EXPECT_TRUE(second.MergeSavedChanges());
    ASSERT_TRUE(second.Save());

    // d stays and b does not come back; the second's order and text stay.
    EXPECT_EQ(Record(c, "", 0, 0) + Record(a, "mine", 0, 0) + Record(d, "new", 0, 0), FileBytes(Catalogue()));
    EXPECT_EQ((std::vector<std::string>{c, a, d}), second.Names());
    EXPECT_TRUE(first.IsStale());
}

TEST_F(ListTest, MergingKeepsWhatThisListAddedAndRemoved)
{
    std::string a = Picture("a.jpg"), b = Picture("b.jpg"), c = Picture("c.jpg");
    CTestList start(Catalogue());
    start.InsertFile(a.c_str());
    start.InsertFile(b.c_str());
    ASSERT_TRUE(start.Save());

    CTestList first(Catalogue()), second(Catalogue());
    first.Load();
    second.Load();
    // The second removes b and adds c without saving yet; the first saves
    // its list unchanged (b still in it).
    second.GetFile(b.c_str())->Select(true);
    second.UnregisterSelectedFiles();
    second.InsertFile(c.c_str());
    first.ChangeDescription(first.GetFile(a.c_str()), "x");
    ASSERT_TRUE(first.Save());

    // Nothing came or went: b was removed here, c added here.
    EXPECT_FALSE(second.MergeSavedChanges());
    EXPECT_EQ((std::vector<std::string>{a, c}), second.Names());
    EXPECT_FALSE(second.IsStale());
    EXPECT_TRUE(second.IsModified());
}
