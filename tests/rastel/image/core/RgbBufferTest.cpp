// CRgbBuffer: construction and copy semantics, the cached DIB's memory layout,
// and where DrawByBitBlt puts background, tiles and image (read back from a
// memory device context).
#include <algorithm>
#include <gtest/gtest.h>
#include <string.h>
#include "RgbBuffer.h"
#include "TestImages.h"

namespace
{
// A device-independent bitmap of the given size, every pixel `color` except
// the top-left one, which is `corner` (0xRRGGBB both).
HBITMAP MakeMarkedBitmap(int width, int height, DWORD color, DWORD corner)
{
    CRgbBuffer picture(width, height);
    BYTE* p = picture.GetBuffer();
    for (int i = 0; i < width * height; ++i)
    {
        DWORD c = i == 0 ? corner : color;
        p[3 * i] = (BYTE)(c >> 16);
        p[3 * i + 1] = (BYTE)(c >> 8);
        p[3 * i + 2] = (BYTE)c;
    }
    return picture.CreateBitmapFromRGB();
}

void FillRgb(CRgbBuffer& picture, BYTE r, BYTE g, BYTE b)
{
    BYTE* p = picture.GetBuffer();
    for (int i = 0; i < picture.NumberOfPixels(); ++i)
    {
        p[3 * i] = r;
        p[3 * i + 1] = g;
        p[3 * i + 2] = b;
    }
}
} // namespace

TEST(RgbBufferConstruction, DefaultIsEmpty)
{
    CRgbBuffer empty;
    EXPECT_FALSE(empty.IsImage());
    EXPECT_EQ(0, empty.GetWidth());
    EXPECT_EQ(0, empty.GetHeight());
    EXPECT_EQ(0, empty.NumberOfPixels());
    EXPECT_EQ(0, empty.m_GrayScale);
    EXPECT_EQ(NULL, empty.GetBitmap());
    EXPECT_EQ(NULL, empty.CreateBitmapFromRGB());
}

TEST(RgbBufferConstruction, SizedConstructorIsBlackAndGray)
{
    CRgbBuffer picture(3, 2);
    ASSERT_TRUE(picture.IsImage());
    EXPECT_EQ(6, picture.NumberOfPixels());
    EXPECT_EQ(1, picture.m_GrayScale);
    EXPECT_EQ(NULL, picture.m_Bitmap);
    for (int i = 0; i < 18; ++i)
        EXPECT_EQ(0, picture.GetBuffer()[i]);
}

TEST(RgbBufferConstruction, RectConstructorFillsEveryByte)
{
    CRgbBuffer picture(CRect(0, 0, 2, 2), 0x80);
    ASSERT_EQ(2, picture.GetWidth());
    ASSERT_EQ(2, picture.GetHeight());
    EXPECT_EQ(1, picture.m_GrayScale);
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(0x80, picture.GetBuffer()[i]);
    CRgbBuffer offset(CRect(10, 20, 15, 23), 7);
    EXPECT_EQ(CSize(5, 3), offset.GetImageSize());
}

TEST(RgbBufferConstruction, ImpossibleSizesGiveEmptyBuffers)
{
    CRgbBuffer negative(-4, 10);
    EXPECT_FALSE(negative.IsImage());
    EXPECT_EQ(0, negative.GetWidth());
    // 3 * 100000 * 100000 bytes wraps a 32-bit size and is refused whole.
    CRgbBuffer huge(100000, 100000);
    EXPECT_FALSE(huge.IsImage());
    EXPECT_EQ(0, huge.NumberOfPixels());
    EXPECT_EQ(NULL, CRgbBuffer::AllocatePixelArray(65536, 65536));
    EXPECT_EQ(NULL, CRgbBuffer::AllocatePixelArray(0, 10));
}

TEST(RgbBufferConstruction, PixelArraysComeZeroFilledWhenTheirMemoryIsReused)
{
    // Freed arrays' memory is kept for the next ones, small and large.
    for (int side : {100, 300, 1200})
        for (int round = 0; round < 3; ++round)
        {
            BYTE* pixels = CRgbBuffer::AllocatePixelArray(side, side);
            ASSERT_TRUE(pixels != NULL);
            size_t bytes = (size_t)side * side * 3;
            EXPECT_EQ(bytes, (size_t)std::count(pixels, pixels + bytes, 0)) << side << " round " << round;
            memset(pixels, 0xA5, bytes);
            CRgbBuffer::FreePixelArray(pixels);
        }
    CRgbBuffer::FreePixelArray(NULL);
}

TEST(RgbBufferCopy, AssignmentDropsGrayScaleAndKeepsBackground)
{
    CRgbBuffer source(2, 1);
    source.GetBuffer()[4] = 99;
    source.m_BackgroundColor = RGB(1, 2, 3);
    ASSERT_EQ(1, source.m_GrayScale);
    CRgbBuffer target;
    target.m_GrayScale = 1;
    target = source;
    EXPECT_EQ(0, target.m_GrayScale);
    EXPECT_EQ(RGB(1, 2, 3), target.m_BackgroundColor);
    ASSERT_EQ(2, target.GetWidth());
    EXPECT_NE(source.GetBuffer(), target.GetBuffer());
    EXPECT_EQ(99, target.GetBuffer()[4]);
}

TEST(RgbBufferCopy, CopyConstructorKeepsGrayScale)
{
    CRgbBuffer source(2, 2);
    source.m_BackgroundColor = RGB(9, 8, 7);
    source.GetBitmap();
    CRgbBuffer copy(source);
    EXPECT_EQ(1, copy.m_GrayScale);
    EXPECT_EQ(RGB(9, 8, 7), copy.m_BackgroundColor);
    EXPECT_EQ(NULL, copy.m_Bitmap);
    EXPECT_EQ(0, memcmp(source.GetBuffer(), copy.GetBuffer(), 12));
}

TEST(RgbBufferCopy, AssigningEmptyEmptiesTargetAndBackground)
{
    CRgbBuffer target(4, 4);
    target.m_BackgroundColor = RGB(200, 100, 50);
    target.GetBitmap();
    CRgbBuffer empty;
    target = empty;
    EXPECT_FALSE(target.IsImage());
    EXPECT_EQ(0u, target.m_BackgroundColor);
    EXPECT_EQ(NULL, target.m_Bitmap);
    EXPECT_EQ(CSize(0, 0), target.GetImageSize());
}

TEST(RgbBufferCopy, SelfAssignmentKeepsPixels)
{
    CRgbBuffer picture(2, 2);
    picture.GetBuffer()[0] = 5;
    CRgbBuffer& alias = picture;
    picture = alias;
    ASSERT_TRUE(picture.IsImage());
    EXPECT_EQ(5, picture.GetBuffer()[0]);
}

TEST(RgbBufferBitmap, OnePixelIsBgrWithStrideFour)
{
    CRgbBuffer picture(1, 1);
    picture.GetBuffer()[0] = 10;
    picture.GetBuffer()[1] = 20;
    picture.GetBuffer()[2] = 30;
    HBITMAP bitmap = picture.CreateBitmapFromRGB();
    ASSERT_TRUE(bitmap != NULL);
    DIBSECTION section;
    ASSERT_EQ((int)sizeof(section), GetObject(bitmap, sizeof(section), &section));
    EXPECT_EQ(24, section.dsBm.bmBitsPixel);
    EXPECT_EQ(4, section.dsBm.bmWidthBytes);
    EXPECT_GT(section.dsBmih.biHeight, 0);
    const BYTE* bits = (const BYTE*)section.dsBm.bmBits;
    EXPECT_EQ(30, bits[0]);
    EXPECT_EQ(20, bits[1]);
    EXPECT_EQ(10, bits[2]);
    DeleteObject(bitmap);
}

TEST(RgbBufferBitmap, FirstRowInMemoryIsBottomRow)
{
    CRgbBuffer picture(2, 2);
    FillRgb(picture, 0, 0, 0);
    BYTE* p = picture.GetBuffer();
    p[6] = 1, p[7] = 2, p[8] = 3;     // row 1, column 0
    p[9] = 4, p[10] = 5, p[11] = 6;   // row 1, column 1
    p[0] = 7;                         // row 0, column 0
    HBITMAP bitmap = picture.CreateBitmapFromRGB();
    ASSERT_TRUE(bitmap != NULL);
    DIBSECTION section;
    ASSERT_EQ((int)sizeof(section), GetObject(bitmap, sizeof(section), &section));
    const BYTE* bits = (const BYTE*)section.dsBm.bmBits;
    ASSERT_EQ(8, section.dsBm.bmWidthBytes);
    const BYTE expected[] = { 3, 2, 1, 6, 5, 4 };
    EXPECT_EQ(0, memcmp(expected, bits, 6));
    EXPECT_EQ(7, bits[8 + 2]);
    DeleteObject(bitmap);
}

TEST(RgbBufferBitmap, GetBitmapCachesUntilDeleted)
{
    CRgbBuffer picture(2, 2);
    HBITMAP first = picture.GetBitmap();
    ASSERT_TRUE(first != NULL);
    EXPECT_EQ(first, picture.GetBitmap());
    EXPECT_EQ(first, picture.m_Bitmap);
    picture.DeleteInternalBitmap();
    EXPECT_EQ(NULL, picture.m_Bitmap);
    BITMAP info;
    EXPECT_EQ(0, GetObject(first, sizeof(info), &info)); // the old one was deleted
    picture.CleanUp();
    EXPECT_EQ(NULL, picture.GetBitmap());
}

TEST(RgbBufferDraw, EmptyBufferPaintsOnlyBackground)
{
    MemoryCanvas canvas(20, 20, RGB(1, 1, 1));
    CRgbBuffer empty;
    empty.m_BackgroundColor = RGB(0x12, 0x34, 0x56);
    empty.Draw(canvas.Dc(), CRect(2, 3, 12, 8), NULL);
    EXPECT_EQ(0x123456u, canvas.At(2, 3));
    EXPECT_EQ(0x123456u, canvas.At(11, 7));
    EXPECT_EQ(0x010101u, canvas.At(1, 3));
    EXPECT_EQ(0x010101u, canvas.At(12, 7));
    EXPECT_EQ(0x010101u, canvas.At(2, 8));
}

TEST(RgbBufferDraw, ImageIsCentredInRectangle)
{
    MemoryCanvas canvas(120, 70, RGB(1, 1, 1));
    HBITMAP image = MakeMarkedBitmap(40, 40, 0x00FF00, 0xFF0000);
    // Rectangle 100 x 50 at (10, 10): the image goes to (30, 5) inside it.
    CRgbBuffer::DrawByBitBlt(canvas.Dc(), CRect(10, 10, 110, 60), image, NULL, RGB(0, 0, 255));
    EXPECT_EQ(0xFF0000u, canvas.At(40, 15)); // the image's top-left pixel
    EXPECT_EQ(0x00FF00u, canvas.At(79, 54)); // its bottom-right pixel
    EXPECT_EQ(0x0000FFu, canvas.At(39, 15));
    EXPECT_EQ(0x0000FFu, canvas.At(40, 14));
    EXPECT_EQ(0x0000FFu, canvas.At(80, 54));
    EXPECT_EQ(0x0000FFu, canvas.At(79, 55));
    EXPECT_EQ(0x0000FFu, canvas.At(10, 10));
    EXPECT_EQ(0x0000FFu, canvas.At(109, 59));
    EXPECT_EQ(0x010101u, canvas.At(9, 10));
    EXPECT_EQ(0x010101u, canvas.At(110, 59));
    EXPECT_EQ(0x010101u, canvas.At(50, 60));
    DeleteObject(image);
}

TEST(RgbBufferDraw, LargerImageIsCroppedOnAllSides)
{
    MemoryCanvas canvas(40, 20, RGB(1, 1, 1));
    CRgbBuffer picture(60, 60);
    BYTE* p = picture.GetBuffer();
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 60; ++x)
        {
            p[3 * (y * 60 + x)] = (BYTE)x;
            p[3 * (y * 60 + x) + 1] = (BYTE)y;
        }
    // x = 20 - 30 = -10, y = 10 - 30 = -20.
    picture.Draw(canvas.Dc(), CRect(0, 0, 40, 20), NULL);
    EXPECT_EQ(0x0A1400u, canvas.At(0, 0));
    EXPECT_EQ((DWORD)((49 << 16) | (39 << 8)), canvas.At(39, 19));
}

TEST(RgbBufferDraw, OddSizesTruncateTowardZero)
{
    MemoryCanvas canvas(5, 4, RGB(1, 1, 1));
    HBITMAP image = MakeMarkedBitmap(2, 3, 0x00FF00, 0xFF0000);
    // x = 5 / 2 - 2 / 2 = 1, y = 4 / 2 - 3 / 2 = 1.
    CRgbBuffer::DrawByBitBlt(canvas.Dc(), CRect(0, 0, 5, 4), image, NULL, RGB(0, 0, 255));
    EXPECT_EQ(0x0000FFu, canvas.At(0, 1));
    EXPECT_EQ(0xFF0000u, canvas.At(1, 1));
    EXPECT_EQ(0x00FF00u, canvas.At(2, 3));
    EXPECT_EQ(0x0000FFu, canvas.At(3, 1));
    DeleteObject(image);
}

TEST(RgbBufferDraw, TilesCoverFromTopLeftCorner)
{
    MemoryCanvas canvas(110, 60, RGB(1, 1, 1));
    HBITMAP tile = MakeMarkedBitmap(30, 30, 0x00FF00, 0xFF0000);
    CRgbBuffer::DrawByBitBlt(canvas.Dc(), CRect(5, 5, 105, 55), NULL, tile, RGB(0, 0, 255));
    // Tiles start at x = 0, 30, 60, 90 and y = 0, 30 of the rectangle.
    int marks = 0;
    for (int y = 5; y < 55; ++y)
        for (int x = 5; x < 105; ++x)
        {
            DWORD c = canvas.At(x, y);
            if (c == 0xFF0000u)
            {
                ++marks;
                EXPECT_EQ(0, (x - 5) % 30) << x << "," << y;
                EXPECT_EQ(0, (y - 5) % 30) << x << "," << y;
            }
            else
                EXPECT_EQ(0x00FF00u, c) << x << "," << y;
        }
    EXPECT_EQ(8, marks);
    EXPECT_EQ(0x010101u, canvas.At(105, 5));
    EXPECT_EQ(0x010101u, canvas.At(5, 55));
    DeleteObject(tile);
}

TEST(RgbBufferDraw, ImageDrawnOverTiles)
{
    MemoryCanvas canvas(100, 50, RGB(1, 1, 1));
    HBITMAP tile = MakeMarkedBitmap(30, 30, 0x00FF00, 0xFF0000);
    CRgbBuffer picture(CRect(0, 0, 40, 40), 0x40);
    picture.m_BackgroundColor = RGB(0, 0, 255);
    picture.Draw(canvas.Dc(), CRect(0, 0, 100, 50), tile);
    EXPECT_EQ(0x404040u, canvas.At(30, 5));
    EXPECT_EQ(0x404040u, canvas.At(60, 30)); // a tile corner hidden by the image
    EXPECT_EQ(0xFF0000u, canvas.At(0, 30));
    EXPECT_EQ(0x00FF00u, canvas.At(29, 5));
    DeleteObject(tile);
}

TEST(RgbBufferDraw, InPlaceChangesShowOnlyAfterDeleteInternalBitmap)
{
    MemoryCanvas canvas(4, 4, RGB(1, 1, 1));
    CRgbBuffer picture(CRect(0, 0, 4, 4), 0x20);
    picture.Draw(canvas.Dc(), CRect(0, 0, 4, 4), NULL);
    EXPECT_EQ(0x202020u, canvas.At(1, 1));
    FillRgb(picture, 0xC0, 0x10, 0x10);
    picture.Draw(canvas.Dc(), CRect(0, 0, 4, 4), NULL);
    EXPECT_EQ(0x202020u, canvas.At(1, 1));
    picture.DeleteInternalBitmap();
    picture.Draw(canvas.Dc(), CRect(0, 0, 4, 4), NULL);
    EXPECT_EQ(0xC01010u, canvas.At(1, 1));
}
