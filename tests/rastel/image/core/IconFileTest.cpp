// CIconFile and CCurFile: choice of the largest image, size byte 0 as 256,
// pixels read back in RGB order, monochrome icons and the white background.
#include <gtest/gtest.h>
#include "RgbBuffer.h"
#include "IconFile.h"
#include "CurFile.h"
#include "TestImages.h"

namespace
{
// A square image whose colour tells its size apart, with a diagonal line.
IconImage Marked(int size, DWORD color)
{
    IconImage im;
    im.width = im.height = size;
    im.pixel = [color](int x, int y) -> DWORD { return x == y ? 0xFFFFFF : color; };
    return im;
}

class IconFileTest : public ::testing::Test
{
protected:
    IconFileTest() : m_Folder("pixmere_icon_tests") {}
    TempFolder m_Folder;
};
} // namespace

TEST_F(IconFileTest, LargestOfSeveralImagesIsLoaded)
{
    std::string path = m_Folder.Write(
        "three.ico", MakeIconFile({ Marked(16, 0xFF0000), Marked(48, 0x0000FF), Marked(32, 0x00FF00) }));
    CIconFile codec(path.c_str());
    EXPECT_EQ(CSize(48, 48), codec.GetMaximalIconSize());
    CRgbBuffer picture;
    ASSERT_TRUE(picture.LoadRgbBuffer(path.c_str(), false));
    ASSERT_EQ(48, picture.GetWidth());
    ASSERT_EQ(48, picture.GetHeight());
    EXPECT_EQ(0x0000FFu, RgbAt(picture, 10, 3));
    EXPECT_EQ(0xFFFFFFu, RgbAt(picture, 20, 20));
    EXPECT_EQ(RGB(255, 255, 255), picture.m_BackgroundColor);
}

TEST_F(IconFileTest, SingleImageLoadsAtItsOwnSize)
{
    std::string path = m_Folder.Write("one.ico", MakeIconFile({ Marked(32, 0x336699) }));
    CIconFile codec(path.c_str());
    EXPECT_EQ(CSize(0, 0), codec.GetMaximalIconSize());
    CRgbBuffer picture;
    ASSERT_TRUE(picture.LoadRgbBuffer(path.c_str(), false));
    EXPECT_EQ(32, picture.GetWidth());
    EXPECT_EQ(32, picture.GetHeight());
    EXPECT_EQ(0x336699u, RgbAt(picture, 5, 0));
    EXPECT_EQ(0xFFFFFFu, RgbAt(picture, 31, 31));
}

TEST_F(IconFileTest, FirstOfEqualEntriesWinsAndBothSidesMustGrow)
{
    IconImage wide = Marked(32, 0x111111);
    wide.width = 64;
    std::string path = m_Folder.Write(
        "mixed.ico", MakeIconFile({ Marked(32, 0xFF0000), Marked(32, 0x00FF00), wide }));
    CIconFile codec(path.c_str());
    // 64 x 32 is not larger than 32 x 32 in both directions.
    EXPECT_EQ(CSize(32, 32), codec.GetMaximalIconSize());
}

TEST_F(IconFileTest, SizeByteZeroMeans256)
{
    std::string path =
        m_Folder.Write("big.ico", MakeIconFile({ Marked(48, 0x00FF00), Marked(256, 0xC08000) }));
    CIconFile codec(path.c_str());
    EXPECT_EQ(CSize(256, 256), codec.GetMaximalIconSize());
    CRgbBuffer picture;
    ASSERT_TRUE(picture.LoadRgbBuffer(path.c_str(), false));
    EXPECT_EQ(256, picture.GetWidth());
    EXPECT_EQ(256, picture.GetHeight());
    EXPECT_EQ(0xC08000u, RgbAt(picture, 200, 10));
}

TEST_F(IconFileTest, MonochromeIconCombinesItsMasks)
{
    IconImage mono;
    mono.width = mono.height = 32;
    mono.bits = 1;
    mono.pixel = [](int x, int) -> DWORD { return x < 16; };       // XOR: white on the left
    mono.mask = [](int, int y) -> int { return y < 8; };           // AND: set on the top rows
    std::string path = m_Folder.Write("mono.ico", MakeIconFile({ mono }));
    CRgbBuffer picture;
    ASSERT_TRUE(picture.LoadRgbBuffer(path.c_str(), false));
    ASSERT_EQ(32, picture.GetWidth());
    ASSERT_EQ(32, picture.GetHeight());
    // AND xor XOR: top-left 1^1 = black, top-right 1^0 = white,
    // bottom-left 0^1 = white, bottom-right 0^0 = black.
    EXPECT_EQ(0x000000u, RgbAt(picture, 2, 2));
    EXPECT_EQ(0xFFFFFFu, RgbAt(picture, 20, 2));
    EXPECT_EQ(0xFFFFFFu, RgbAt(picture, 2, 20));
    EXPECT_EQ(0x000000u, RgbAt(picture, 20, 20));
}

TEST_F(IconFileTest, CursorLoadsOnWhite)
{
    std::string path = m_Folder.Write("arrow.cur", MakeIconFile({ Marked(32, 0x804020) }, 2));
    CRgbBuffer picture;
    ASSERT_TRUE(picture.LoadRgbBuffer(path.c_str(), false));
    EXPECT_EQ(32, picture.GetWidth());
    EXPECT_EQ(32, picture.GetHeight());
    EXPECT_EQ(0x804020u, RgbAt(picture, 9, 2));
    EXPECT_EQ(0xFFFFFFu, RgbAt(picture, 9, 9));
    EXPECT_EQ(RGB(255, 255, 255), picture.m_BackgroundColor);
}

TEST_F(IconFileTest, IconDrawsOnWhite)
{
    std::string path = m_Folder.Write("small.ico", MakeIconFile({ Marked(16, 0x0000FF) }));
    CRgbBuffer picture;
    ASSERT_TRUE(picture.LoadRgbBuffer(path.c_str(), false));
    HDC memory = CreateCompatibleDC(NULL);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = 40;
    info.bmiHeader.biHeight = -40;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    DWORD* bits = NULL;
    HBITMAP target = CreateDIBSection(NULL, &info, DIB_RGB_COLORS, (void**)&bits, NULL, 0);
    HGDIOBJ old = SelectObject(memory, target);
    CDC dc;
    dc.Attach(memory);
    picture.Draw(&dc, CRect(0, 0, 40, 40), NULL);
    GdiFlush();
    EXPECT_EQ(0xFFFFFFu, bits[0] & 0xFFFFFF);          // outside the icon
    EXPECT_EQ(0x0000FFu, bits[12 * 40 + 13] & 0xFFFFFF); // icon (1, 0) at (13, 12)
    dc.Detach();
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(target);
}

TEST_F(IconFileTest, CodecsWriteNothing)
{
    CRgbBuffer picture(4, 4);
    CIconFile icon(m_Folder.File("x.ico").c_str());
    CCurFile cursor(m_Folder.File("x.cur").c_str());
    EXPECT_EQ(0, icon.Save(&picture));
    EXPECT_EQ(0, cursor.Save(&picture));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(m_Folder.File("x.ico").c_str()));
}

TEST_F(IconFileTest, PngCompressedLargestImageLoads)
{
    Bytes png = MakePng(256, 256, [](int x, int y) -> DWORD {
        return x < 128 ? 0xFFC08000 : y < 128 ? 0xFF0000FF : 0xFF00FF00;
    });
    std::string path = m_Folder.Write("png.ico", MakeIconWithPng(Marked(32, 0xFF0000), 256, png));
    CRgbBuffer picture;
    ASSERT_TRUE(picture.LoadRgbBuffer(path.c_str(), false));
    ASSERT_EQ(CSize(256, 256), picture.GetImageSize());
    EXPECT_EQ(0xC08000u, RgbAt(picture, 10, 200));
    EXPECT_EQ(0x0000FFu, RgbAt(picture, 200, 10));
    EXPECT_EQ(0x00FF00u, RgbAt(picture, 200, 200));
}

TEST_F(IconFileTest, PngImageOfAnotherSizeThanItsEntryIsRefused)
{
    Bytes png = MakePng(64, 64, [](int, int) -> DWORD { return 0xFF123456; });
    std::string path = m_Folder.Write("pngbad.ico", MakeIconWithPng(Marked(32, 0xFF0000), 128, png));
    CRgbBuffer picture(2, 2);
    EXPECT_FALSE(picture.LoadRgbBuffer(path.c_str(), false));
    EXPECT_FALSE(picture.IsImage());
}
