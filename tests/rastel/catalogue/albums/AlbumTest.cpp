// CAlbum: numbering with reuse, the profile values of name and parent, the
// album list and the album file; an album's file decides whether it exists
// (creation, deletion and saves that fail leave it as the disk has it).
#include <gtest/gtest.h>
#include <algorithm>
#include <memory>
#include <set>

#include "Album.h"
#include "CatalogueTestKit.h"
#include "MemoryMappedDB.h"
#include "NativeTool.h"

using catalogue_test::RegDword;
using catalogue_test::RegString;

namespace
{
std::vector<std::string> AlbumList()
{
    CStringList list;
    CAlbum::GetAlbumList(list);
    std::vector<std::string> out;
    POSITION pos = list.GetHeadPosition();
    while (pos)
        out.push_back((LPCSTR)list.GetNext(pos));
    return out;
}

size_t Occurrences(const std::vector<std::string>& list, const std::string& value)
{
    return (size_t)std::count(list.begin(), list.end(), value);
}

std::string AlbumFile(unsigned n)
{
    return std::string((LPCSTR)CMemoryMappedDB::GetDbFolderName()) + "\\Album_" + std::to_string(n) + ".alb";
}

class Albums : public ::testing::Test
{
protected:
    static constexpr const char* Title = "AlbumsTest";

    void SetUp() override { m_app.reset(new catalogue_test::TestApp(Title, "PixmereTest_Albums")); }
    void TearDown() override
    {
        for (unsigned n : m_created)
            CAlbum::DeleteAlbum(n);
        m_app.reset();
    }
    unsigned Create(unsigned parent)
    {
        unsigned n = CAlbum::CreateNewAlbum(parent);
        m_created.insert(n);
        return n;
    }
    std::string Key() const { return m_app->SettingsKey(Title); }

    std::unique_ptr<catalogue_test::TestApp> m_app;
    std::set<unsigned> m_created;
};
}

TEST_F(Albums, ConstructingWritesDefaultNameAndParent)
{
    {
        CAlbum album(7);
        EXPECT_STREQ("Album_7", (LPCSTR)(CString)album.m_DisplayName);
        EXPECT_EQ(0u, (unsigned)album.m_Parent);
    }
    std::string name;
    DWORD parent = 99;
    ASSERT_TRUE(RegString(Key(), "Album_7", name));
    ASSERT_TRUE(RegDword(Key(), "Parent_Album_7", parent));
    EXPECT_EQ("Album_7", name);
    EXPECT_EQ(0u, parent);
}

TEST_F(Albums, DeletedNumberIsReusedWithFreshProfileValues)
{
    unsigned first = Create(0), second = Create(0), third = Create(0);
    EXPECT_LT(first, second);
    EXPECT_LT(second, third);
    {
        CAlbum renamed(second);
        renamed.m_DisplayName = CString("Holidays");
        renamed.m_Parent = first;
    }
    CAlbum::DeleteAlbum(second);
    EXPECT_FALSE(catalogue_test::Exists(AlbumFile(second)));
    unsigned again = Create(third);
    EXPECT_EQ(second, again);
    CAlbum album(again);
    EXPECT_EQ("Album_" + std::to_string(again), std::string((LPCSTR)(CString)album.m_DisplayName));
    EXPECT_EQ(third, (unsigned)album.m_Parent);
}

TEST_F(Albums, NewAlbumIsAnEmptyHiddenFileThatIsListed)
{
    unsigned n = Create(0xFFFFFFFFu);
    std::string file = AlbumFile(n);
    ASSERT_TRUE(catalogue_test::Exists(file));
    EXPECT_EQ("", catalogue_test::FileBytes(file));
    EXPECT_TRUE(catalogue_test::HasOnlyHiddenAttribute(file));
    EXPECT_EQ(1u, Occurrences(AlbumList(), std::to_string(n)));
    CAlbum album(n);
    EXPECT_EQ(0xFFFFFFFFu, (unsigned)album.m_Parent);
    CAlbum::DeleteAlbum(n);
    EXPECT_EQ(0u, Occurrences(AlbumList(), std::to_string(n)));
}

TEST_F(Albums, ListScansNumbersLikeSscanf)
{
    std::string folder = (LPCSTR)CMemoryMappedDB::GetDbFolderName();
    std::vector<std::string> before = AlbumList();
    std::string stray = folder + "\\Album_12abc.alb";
    std::string notANumber = folder + "\\Album_x.alb";
    std::string directory = folder + "\\Album_4321.alb";
    catalogue_test::WriteFileBytes(stray, "");
    catalogue_test::WriteFileBytes(notANumber, "");
    CreateDirectoryA(directory.c_str(), NULL);
    std::vector<std::string> after = AlbumList();
    DeleteFileA(stray.c_str());
    DeleteFileA(notANumber.c_str());
    RemoveDirectoryA(directory.c_str());

    EXPECT_EQ(Occurrences(before, "12") + 1, Occurrences(after, "12"));
    EXPECT_EQ(Occurrences(before, "4321"), Occurrences(after, "4321"));
    EXPECT_EQ(before.size() + 1, after.size());
}

TEST_F(Albums, PicturesRoundTripThroughTheAlbumFile)
{
    catalogue_test::TempFolder pictures("pixmere_album_pictures");
    std::string a = catalogue_test::MakePicture(pictures / "a.jpg");
    std::string b = catalogue_test::MakePicture(pictures / "b.tif");
    unsigned n = Create(0);
    {
        CAlbum album(n);
        album.Load();
        EXPECT_EQ(0, album.GetCount());
        album.InsertFile(b.c_str())->SetDescription("second picture first");
        album.InsertFile(a.c_str());
        album.Save();
    }
    EXPECT_EQ(catalogue_test::Record(b, "second picture first", 0, 0) + catalogue_test::Record(a, "", 0, 0),
              catalogue_test::FileBytes(AlbumFile(n)));
    CAlbum album(n);
    album.Load();
    ASSERT_EQ(2, album.GetCount());
    EXPECT_EQ(b, std::string((LPCSTR)album.GetCurrentFile()->GetName()));
    EXPECT_STREQ("second picture first", (LPCSTR)album.GetCurrentFile()->GetDescription());
}

TEST_F(Albums, DeletingAMissingAlbumDoesNothing)
{
    std::vector<std::string> before = AlbumList();
    CAlbum::DeleteAlbum(0x7FFFFFF0u);
    EXPECT_EQ(before.size(), AlbumList().size());
}

TEST_F(Albums, AnAlbumDeletedMeanwhileIsNotMadeAgainBySaving)
{
    catalogue_test::TempFolder pictures("pixmere_album_gone");
    std::string a = catalogue_test::MakePicture(pictures / "a.jpg");
    unsigned n = Create(0);
    CAlbum shown(n);
    shown.Load();
    shown.InsertFile(a.c_str());
    // Another window deletes the album.
    EXPECT_TRUE(CAlbum::DeleteAlbum(n));
    EXPECT_TRUE(shown.IsStale());
    EXPECT_FALSE(shown.Save());
    EXPECT_FALSE(CAlbum::AlbumExists(n));
    EXPECT_EQ(0u, Occurrences(AlbumList(), std::to_string(n)));
}

TEST_F(Albums, NoNumberWithoutAFileAndNoDeletionWhileTheFileStays)
{
    // As root, permission bits do not stop writes: make the folder immutable.
    std::string folder = native_tool::UnixPath((LPCSTR)CMemoryMappedDB::GetDbFolderName());
    while (!folder.empty() && folder.back() == '/')
        folder.pop_back();
    unsigned kept = Create(0);
    std::vector<std::string> before = AlbumList();
    if (folder.empty() || native_tool::RunShell("chattr +i " + native_tool::ShellQuote(folder)) != 0)
        GTEST_SKIP() << "cannot make a folder read-only here";
    unsigned made = CAlbum::CreateNewAlbum(0);
    BOOL deleted = CAlbum::DeleteAlbum(kept);
    std::vector<std::string> after = AlbumList();
    native_tool::RunShell("chattr -i " + native_tool::ShellQuote(folder));
    if (made)
        m_created.insert(made);

    EXPECT_EQ(0u, made);
    EXPECT_FALSE(deleted);
    EXPECT_TRUE(CAlbum::AlbumExists(kept));
    EXPECT_EQ(before, after);
}
