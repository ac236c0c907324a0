// CFileInfoList: insertion rules, the current-entry walks, reordering, removal.
#include "ListFixture.h"

namespace
{
std::string Name(CFileInfo* entry)
{
    return entry ? std::string((LPCSTR)entry->GetName()) : std::string("(null)");
}
}

class Walks : public ListTest
{
protected:
    void SetUp() override
    {
        a = Picture("a.jpg");
        b = Picture("b.png");
        c = Picture("c.gif");
    }
    std::string a, b, c;
};

TEST_F(Walks, EmptyListHasNothingCurrent)
{
    CTestList list(Catalogue());
    EXPECT_EQ(nullptr, list.GetCurrentFile());
    EXPECT_EQ(nullptr, list.SelectTheNextFile());
    EXPECT_EQ(nullptr, list.SelectThePrevFile());
    EXPECT_EQ(nullptr, list.SetCurrentFile((CFileInfo*)nullptr));
}

TEST_F(Walks, NextWithoutCurrentEntryStaysNull)
{
    CTestList list(Catalogue());
    list.InsertFile(a.c_str());
    list.InsertFile(b.c_str());
    EXPECT_EQ(nullptr, list.SelectTheNextFile());
    EXPECT_EQ(nullptr, list.SelectThePrevFile());
    EXPECT_EQ(a, Name(list.GetCurrentFile()));
    EXPECT_EQ(b, Name(list.SelectTheNextFile()));
}

TEST_F(Walks, NextAndPreviousWrapAround)
{
    CTestList list(Catalogue());
    list.InsertFile(a.c_str());
    list.InsertFile(b.c_str());
    list.InsertFile(c.c_str());
    list.SetCurrentFile(CString(c.c_str()));
    EXPECT_EQ(a, Name(list.SelectTheNextFile()));
    EXPECT_EQ(c, Name(list.SelectThePrevFile()));
    EXPECT_EQ(b, Name(list.SelectThePrevFile()));
    EXPECT_EQ(a, Name(list.SelectThePrevFile()));
    EXPECT_EQ(c, Name(list.SelectThePrevFile()));
}

TEST_F(Walks, SingleEntryIsItsOwnNeighbour)
{
    CTestList list(Catalogue());
    list.InsertFile(a.c_str());
    list.GetCurrentFile();
    EXPECT_EQ(a, Name(list.SelectTheNextFile()));
    EXPECT_EQ(a, Name(list.SelectThePrevFile()));
}

TEST_F(Walks, InsertIgnoresCaseButSetCurrentDoesNot)
{
    CTestList list(Catalogue());
    CFileInfo* entry = list.InsertFile(a.c_str());
    std::string upper = a;
    for (char& ch : upper)
        ch = (char)toupper((unsigned char)ch);
    EXPECT_EQ(entry, list.InsertFile(upper.c_str()));
    EXPECT_EQ(1, list.GetCount());
    EXPECT_EQ(entry, list.GetFile(upper.c_str()));
    EXPECT_EQ(nullptr, list.SetCurrentFile(CString(upper.c_str())));
    EXPECT_EQ(nullptr, list.SelectTheNextFile()) << "the failed match made nothing current";
}

TEST_F(Walks, SetCurrentByEntryOfAnotherListKeepsTheOldOne)
{
    CTestList list(Catalogue());
    CTestList other(Catalogue());
    list.InsertFile(a.c_str());
    list.InsertFile(b.c_str());
    CFileInfo* stranger = other.InsertFile(c.c_str());
    list.SetCurrentFile(CString(b.c_str()));
    EXPECT_EQ(b, Name(list.SetCurrentFile(stranger)));
    CFileInfo* twin = other.InsertFile(a.c_str()); // same name, other list
    EXPECT_EQ(a, Name(list.SetCurrentFile(twin)));
    EXPECT_NE(twin, list.GetCurrentFile());
    EXPECT_EQ(a, Name(list.SetCurrentFile((CFileInfo*)nullptr)));
}

TEST_F(Walks, OnlyExistingPicturesBecomeEntries)
{
    CTestList list(Catalogue());
    std::string text = m_folder / "notes.txt";
    catalogue_test::WriteFileBytes(text, "text");
    std::string font = m_folder / "font.ttf";
    catalogue_test::WriteFileBytes(font, "font");
    CreateDirectoryA((m_folder / "folder.jpg").c_str(), NULL);
    EXPECT_EQ(nullptr, list.InsertFile(text.c_str()));
    EXPECT_EQ(nullptr, list.InsertFile(font.c_str()));
    EXPECT_EQ(nullptr, list.InsertFile((m_folder / "missing.jpg").c_str()));
    EXPECT_EQ(nullptr, list.InsertFile((m_folder / "folder.jpg").c_str()));
    EXPECT_EQ(nullptr, list.InsertFile((std::string(300, 'x') + ".jpg").c_str()));
    EXPECT_EQ(0, list.GetCount());
}

TEST_F(Walks, InsertAppendsAndKeepsTheCurrentEntry)
{
    CTestList list(Catalogue());
    list.InsertFile(b.c_str());
    list.GetCurrentFile();
    list.InsertFile(a.c_str());
    EXPECT_EQ((std::vector<std::string>{ b, a }), list.Names());
    EXPECT_EQ(b, Name(list.GetCurrentFile()));
}

TEST_F(Walks, MoveBeforeAndMoveToTail)
{
    CTestList list(Catalogue());
    CFileInfo* ea = list.InsertFile(a.c_str());
    CFileInfo* eb = list.InsertFile(b.c_str());
    CFileInfo* ec = list.InsertFile(c.c_str());
    list.MoveBefore(ec, ea);
    EXPECT_EQ((std::vector<std::string>{ c, a, b }), list.Names());
    list.MoveBefore(ec, eb);
    EXPECT_EQ((std::vector<std::string>{ a, c, b }), list.Names());
    list.MoveToTail(ea);
    EXPECT_EQ((std::vector<std::string>{ c, b, a }), list.Names());
    list.MoveToTail(ea);
    EXPECT_EQ((std::vector<std::string>{ c, b, a }), list.Names());
    EXPECT_EQ(3, list.GetCount());
}

TEST_F(Walks, UnregisteringTheCurrentEntryClearsIt)
{
    CTestList list(Catalogue());
    CFileInfo* ea = list.InsertFile(a.c_str());
    CFileInfo* eb = list.InsertFile(b.c_str());
    CFileInfo* ec = list.InsertFile(c.c_str());
    list.SetCurrentFile(eb);
    eb->Select(true);
    ec->Select(true);
    EXPECT_EQ(2, list.GetSelectedFileCount());
    list.UnregisterSelectedFiles();
    EXPECT_EQ((std::vector<std::string>{ a }), list.Names());
    EXPECT_EQ(0, list.GetSelectedFileCount());
    EXPECT_EQ(nullptr, list.SelectTheNextFile()) << "no dangling current entry";
    EXPECT_EQ(ea, list.GetCurrentFile());
}

TEST_F(Walks, UnregisteringOthersKeepsTheCurrentEntryAndOrder)
{
    CTestList list(Catalogue());
    CFileInfo* ea = list.InsertFile(a.c_str());
    CFileInfo* eb = list.InsertFile(b.c_str());
    list.InsertFile(c.c_str());
    list.SetCurrentFile(CString(c.c_str()));
    ea->Select(true);
    eb->Select(true);
    list.UnregisterSelectedFiles();
    EXPECT_EQ((std::vector<std::string>{ c }), list.Names());
    EXPECT_EQ(c, Name(list.GetCurrentFile()));
    EXPECT_TRUE(catalogue_test::Exists(a)) << "nothing is deleted on disk";
}
