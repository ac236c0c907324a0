// CFolder: the catalogue's order first, then new pictures in search order;
// the hidden "pixmere.db".
#include <gtest/gtest.h>

#include "CatalogueTestKit.h"
#include "Folder.h"

using catalogue_test::FileBytes;
using catalogue_test::MakePicture;
using catalogue_test::Record;
using catalogue_test::WriteFileBytes;

namespace
{
std::vector<std::string> Names(const CFileInfoList& list)
{
    std::vector<std::string> names;
    POSITION pos = list.GetHeadPosition();
    while (pos)
        names.push_back((LPCSTR) static_cast<CFileInfo*>(list.GetNext(pos))->GetName());
    return names;
}

class Folders : public ::testing::Test
{
protected:
    Folders() : m_folder("pixmere_folder") {}
    std::string Db() const { return m_folder / "pixmere.db"; }
    catalogue_test::TempFolder m_folder;
};
}

TEST_F(Folders, CatalogueOrderComesFirstThenNewPictures)
{
    std::string a = MakePicture(m_folder / "a.jpg");
    std::string b = MakePicture(m_folder / "b.jpg");
    WriteFileBytes(Db(), Record(b, "bee", 1, 2) + Record(a, "", 0, 0));
    std::string c = MakePicture(m_folder / "c.jpg");
    CFolder folder(m_folder.Path().c_str());
    folder.Load();
    EXPECT_EQ((std::vector<std::string>{ b, a, c }), Names(folder));
    ASSERT_NE(nullptr, folder.GetCurrentFile());
    EXPECT_EQ(b, std::string((LPCSTR)folder.GetCurrentFile()->GetName()));
    EXPECT_STREQ("bee", (LPCSTR)folder.GetFile(b.c_str())->GetDescription());
}

TEST_F(Folders, WithoutCatalogueThePicturesComeInSearchOrder)
{
    const char* names[] = { "m.png", "z.gif", "a.bmp", "k.JPG", "notes.txt", "font.ttf" };
    for (const char* n : names)
        MakePicture(m_folder / n);
    CreateDirectoryA((m_folder / "sub.jpg").c_str(), NULL);
    MakePicture(m_folder / "sub.jpg\\inner.jpg");

    std::vector<std::string> expected;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((m_folder / "*.*").c_str(), &found);
    ASSERT_NE(INVALID_HANDLE_VALUE, search);
    do
    {
        std::string name = found.cFileName;
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != "notes.txt" && name != "font.ttf")
            expected.push_back(m_folder / name);
    } while (FindNextFileA(search, &found));
    FindClose(search);

    CFolder folder(m_folder.Path().c_str());
    folder.Load();
    EXPECT_EQ(expected, Names(folder));
    EXPECT_EQ(4u, expected.size());
    EXPECT_FALSE(catalogue_test::Exists(Db())) << "loading never writes the catalogue";
}

TEST_F(Folders, DeletedPictureLeavesTheCatalogueAtTheNextSave)
{
    std::string a = MakePicture(m_folder / "a.jpg");
    std::string b = MakePicture(m_folder / "b.jpg");
    {
        CFolder folder(m_folder.Path().c_str());
        folder.Load();
        folder.Save();
    }
    EXPECT_TRUE(catalogue_test::HasOnlyHiddenAttribute(Db()));
    std::string saved = FileBytes(Db());
    EXPECT_EQ(2u * Record(a, "", 0, 0).size(), saved.size());
    DeleteFileA(a.c_str());
    CFolder folder(m_folder.Path().c_str());
    folder.Load();
    EXPECT_EQ((std::vector<std::string>{ b }), Names(folder));
    EXPECT_EQ(saved, FileBytes(Db())) << "load does not write";
    folder.Save();
    EXPECT_EQ(Record(b, "", 0, 0), FileBytes(Db()));
}

TEST_F(Folders, MissingFolderLoadsEmptyWithNothingCurrent)
{
    CFolder folder((m_folder / "does not exist").c_str());
    folder.Load();
    EXPECT_EQ(0, folder.GetCount());
    EXPECT_EQ(nullptr, folder.SelectTheNextFile());
    EXPECT_STREQ((m_folder / "does not exist").c_str(), (LPCSTR)folder.GetPath());
}
