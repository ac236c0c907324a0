// GetShellVarsForFile on the real shell: found in any letter case, with an
// item the folder describes; missing files and folders hold nothing.
#include <gtest/gtest.h>
#include <shlobj.h>
#include <shlwapi.h>
#include "BaseFrameWindow.h"

namespace
{
class ShellVars : public ::testing::Test
{
protected:
    void SetUp() override
    {
        OleInitialize(NULL);
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        m_folder = CString(temp) + "PixmereShellVarsTest";
        CreateDirectoryA(m_folder, NULL);
        m_file = m_folder + "\\Sample File.TXT";
        HANDLE h = CreateFileA(m_file, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
        DWORD written;
        WriteFile(h, "x", 1, &written, NULL);
        CloseHandle(h);
    }
    void TearDown() override
    {
        DeleteFileA(m_file);
        RemoveDirectoryA(m_folder);
        OleUninitialize();
    }
    CString m_folder, m_file;
};
}

TEST_F(ShellVars, ExistingFileInAnyLetterCaseIsFound)
{
    for (LPCSTR name : {"\\Sample File.TXT", "\\sample file.txt", "\\SAMPLE FILE.TXT"})
    {
        IMalloc* malloc = NULL;
        IShellFolder* folder = NULL;
        LPITEMIDLIST item = NULL;
        ASSERT_EQ(CBaseFrameWindow::GetShellVarsForFile(m_folder + name, &malloc, &folder, &item), 1) << name;
        ASSERT_TRUE(malloc && folder && item);
        WIN32_FIND_DATAA data = {};
        ASSERT_TRUE(SUCCEEDED(SHGetDataFromIDListA(folder, item, SHGDFIL_FINDDATA, &data, sizeof(data))));
        EXPECT_STRCASEEQ(data.cFileName, "Sample File.TXT");
        // The item is relative to the folder: the folder names it by its file name.
        STRRET ret = {};
        char display[MAX_PATH] = "";
        ASSERT_TRUE(SUCCEEDED(folder->GetDisplayNameOf(item, SHGDN_FORPARSING, &ret)));
        StrRetToBufA(&ret, item, display, MAX_PATH);
        EXPECT_STRCASEEQ(display, m_file);
        malloc->Free(item);
        folder->Release();
        malloc->Release();
    }
}

TEST_F(ShellVars, MissingFileGivesZeroAndHoldsNothing)
{
    IMalloc* malloc = (IMalloc*)1;
    IShellFolder* folder = (IShellFolder*)1;
    LPITEMIDLIST item = (LPITEMIDLIST)1;
    EXPECT_EQ(CBaseFrameWindow::GetShellVarsForFile(m_folder + "\\absent.jpg", &malloc, &folder, &item), 0);
    EXPECT_EQ(malloc, nullptr);
    EXPECT_EQ(folder, nullptr);
    EXPECT_EQ(item, nullptr);
}

TEST_F(ShellVars, MissingFolderGivesZeroAndHoldsNothing)
{
    IMalloc* malloc = NULL;
    IShellFolder* folder = NULL;
    LPITEMIDLIST item = NULL;
    EXPECT_EQ(CBaseFrameWindow::GetShellVarsForFile(m_folder + "\\no such folder\\Sample File.TXT", &malloc,
                                                     &folder, &item),
              0);
    EXPECT_EQ(malloc, nullptr);
    EXPECT_EQ(folder, nullptr);
    EXPECT_EQ(item, nullptr);
    EXPECT_EQ(CBaseFrameWindow::GetShellVarsForFile("", &malloc, &folder, &item), 0);
    EXPECT_EQ(CBaseFrameWindow::GetShellVarsForFile("noseparator", &malloc, &folder, &item), 0);
    EXPECT_EQ(folder, nullptr);
}
