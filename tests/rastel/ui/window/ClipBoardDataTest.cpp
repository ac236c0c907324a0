// Drop-files objects: exact bytes, registration order without duplicates,
// and the same object read back from the clipboard by the shell.
#include <gtest/gtest.h>
#include <shlobj.h>
#include <string>
#include "ClipBoardData.h"

namespace
{
std::string Bytes(HGLOBAL block)
{
    SIZE_T size = GlobalSize(block);
    const char* data = (const char*)GlobalLock(block);
    std::string bytes(data, size);
    GlobalUnlock(block);
    return bytes;
}
}

TEST(ClipBoardData, TwoShortPathsMakeA26ByteObject)
{
    CClipBoardData data;
    data.RegisterFile("a");
    data.RegisterFile("bc");
    HGLOBAL block = data.CreateGlobalObject();
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(GlobalFlags(block) & GMEM_DDESHARE, (UINT)GMEM_DDESHARE);
    std::string expected("\x14\0\0\0" "\0\0\0\0" "\0\0\0\0" "\0\0\0\0" "\0\0\0\0" "a\0bc\0\0", 26);
    EXPECT_EQ(Bytes(block), expected);
    GlobalFree(block);
}

TEST(ClipBoardData, EmptyListMakesA21ByteObject)
{
    CClipBoardData data;
    HGLOBAL block = data.CreateGlobalObject();
    ASSERT_NE(block, nullptr);
    std::string expected("\x14\0\0\0" "\0\0\0\0" "\0\0\0\0" "\0\0\0\0" "\0\0\0\0" "\0", 21);
    EXPECT_EQ(Bytes(block), expected);
    GlobalFree(block);
}

TEST(ClipBoardData, KeepsRegistrationOrderAndDropsCaseInsensitiveDuplicates)
{
    CClipBoardData data;
    data.RegisterFile("C:\\Zeta\\z.jpg");
    data.RegisterFile("C:\\alpha\\a.jpg");
    data.RegisterFile("c:\\ZETA\\Z.JPG");
    EXPECT_EQ(data.GetFileCount(), 2);
    HGLOBAL block = data.CreateGlobalObject();
    std::string bytes = Bytes(block);
    EXPECT_EQ(bytes.size(), 20u + 14 + 15 + 1);
    EXPECT_EQ(bytes.substr(20), std::string("C:\\Zeta\\z.jpg\0C:\\alpha\\a.jpg\0\0", 30));
    GlobalFree(block);
}

TEST(ClipBoardData, ShellReadsTheObjectBackFromTheClipboard)
{
    CClipBoardData data;
    data.RegisterFile("C:\\pictures\\one.jpg");
    data.RegisterFile("D:\\two words\\two.png");
    HWND owner = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    ASSERT_NE(SetClipboardData(CF_HDROP, data.CreateGlobalObject()), nullptr);
    CloseClipboard();

    ASSERT_TRUE(OpenClipboard(owner));
    HDROP drop = (HDROP)GetClipboardData(CF_HDROP);
    ASSERT_NE(drop, nullptr);
    ASSERT_EQ(DragQueryFileA(drop, 0xFFFFFFFF, NULL, 0), 2u);
    char name[MAX_PATH];
    DragQueryFileA(drop, 0, name, MAX_PATH);
    EXPECT_STREQ(name, "C:\\pictures\\one.jpg");
    DragQueryFileA(drop, 1, name, MAX_PATH);
    EXPECT_STREQ(name, "D:\\two words\\two.png");
    POINT pt = {5, 5};
    EXPECT_TRUE(DragQueryPoint(drop, &pt)); // in the client area (non-client flag 0), at 0,0
    EXPECT_EQ(pt.x, 0);
    EmptyClipboard();
    CloseClipboard();
    DestroyWindow(owner);
}

TEST(ClipBoardData, RefusesOverlongPathsAndKeepsTheRest)
{
    CClipBoardData data;
    std::string longPath(300, 'x');
    EXPECT_EQ(data.RegisterFile(longPath.c_str()), 0);
    EXPECT_EQ(data.RegisterFile(NULL), 0);
    data.RegisterFile("k");
    HGLOBAL block = data.CreateGlobalObject();
    EXPECT_EQ(GlobalSize(block), 23u);
    GlobalFree(block);
}
