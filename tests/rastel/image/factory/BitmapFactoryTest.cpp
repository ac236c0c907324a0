// Gradients, DIB sections, rendered text and caption bars of CBitmapFactory.
#include <gtest/gtest.h>
#include <memory>

#include "BitmapFactory.h"
#include "CGdiObject.h"
#include "RgbBuffer.h"

namespace
{
std::unique_ptr<CRgbBuffer> Pixels(HBITMAP bitmap)
{
    std::unique_ptr<CRgbBuffer> buffer(CBitmapFactory::CreateRgbFromDIBitmap(bitmap));
    return buffer;
}

const BYTE* At(const CRgbBuffer& buffer, int x, int y)
{
    return buffer.GetBuffer() + 3 * (y * buffer.GetWidth() + x);
}

void ExpectNear(const BYTE* p, COLORREF color, const char* where)
{
    const int expected[3] = { GetRValue(color), GetGValue(color), GetBValue(color) };
    for (int c = 0; c < 3; ++c)
    {
        int offset = p[c] - expected[c];
        EXPECT_GE(offset, -4) << where << " channel " << c;
        EXPECT_LE(offset, 5) << where << " channel " << c;
    }
}
}

TEST(DIBitmap, SolidRedRoundTripsAsRedPixels)
{
    HBITMAP bitmap = CBitmapFactory::CreateDIBitmap(3, 2, 0x0000FF);
    ASSERT_TRUE(bitmap != NULL);
    auto buffer = Pixels(bitmap);
    DeleteObject(bitmap);
    ASSERT_TRUE(buffer && buffer->IsImage());
    EXPECT_EQ(buffer->GetWidth(), 3);
    EXPECT_EQ(buffer->GetHeight(), 2);
    for (int i = 0; i < 6; ++i)
    {
        EXPECT_EQ(buffer->GetBuffer()[3 * i], 255);
        EXPECT_EQ(buffer->GetBuffer()[3 * i + 1], 0);
        EXPECT_EQ(buffer->GetBuffer()[3 * i + 2], 0);
    }
}

TEST(DIBitmap, RefusesEmptyAndOversizedBitmaps)
{
    EXPECT_TRUE(CBitmapFactory::CreateDIBitmap(0, 5, 0) == NULL);
    EXPECT_TRUE(CBitmapFactory::CreateDIBitmap(5, -1, 0) == NULL);
    EXPECT_TRUE(CBitmapFactory::CreateDIBitmap(100000, 100000, 0) == NULL);
}

TEST(RgbFromDIBitmap, DeviceDependentBitmapsAndNullGiveNull)
{
    HDC screen = GetDC(NULL);
    HBITMAP ddb = CreateCompatibleBitmap(screen, 4, 4);
    ReleaseDC(NULL, screen);
    ASSERT_TRUE(ddb != NULL);
    EXPECT_TRUE(CBitmapFactory::CreateRgbFromDIBitmap(ddb) == NULL);
    DeleteObject(ddb);
    EXPECT_TRUE(CBitmapFactory::CreateRgbFromDIBitmap(NULL) == NULL);
}

TEST(RgbFromDIBitmap, BottomUpAndTopDownRowOrders)
{
    for (int direction : { 1, -1 })
    {
        BITMAPINFOHEADER header = {};
        header.biSize = sizeof(header);
        header.biWidth = 1;
        header.biHeight = 2 * direction;
        header.biPlanes = 1;
        header.biBitCount = 24;
        void* bits = NULL;
        HBITMAP bitmap = CreateDIBSection(NULL, (BITMAPINFO*)&header, DIB_RGB_COLORS, &bits, NULL, 0);
        ASSERT_TRUE(bitmap != NULL);
        BYTE* rows = (BYTE*)bits; // stride 4
        rows[0] = 30, rows[1] = 20, rows[2] = 10; // first row in memory: B, G, R
        rows[4] = 3, rows[5] = 2, rows[6] = 1;
        auto buffer = Pixels(bitmap);
        DeleteObject(bitmap);
        ASSERT_TRUE(buffer != nullptr);
        int firstRowInMemory = direction > 0 ? 1 : 0; // bottom-up: memory row 0 is the bottom
        EXPECT_EQ(At(*buffer, 0, firstRowInMemory)[0], 10);
        EXPECT_EQ(At(*buffer, 0, firstRowInMemory)[2], 30);
        EXPECT_EQ(At(*buffer, 0, 1 - firstRowInMemory)[0], 1);
    }
}

TEST(RgbFromDIBitmap, RefusesOtherDepths)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = 4;
    info.bmiHeader.biHeight = 4;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = NULL;
    HBITMAP bitmap = CreateDIBSection(NULL, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    ASSERT_TRUE(bitmap != NULL);
    EXPECT_TRUE(CBitmapFactory::CreateRgbFromDIBitmap(bitmap) == NULL);
    DeleteObject(bitmap);
}

TEST(Gradients, RadialCentreIsInnerAndCornerIsOuter)
{
    const COLORREF inner = RGB(200, 100, 50), outer = RGB(20, 180, 240);
    HBITMAP bitmap = CBitmapFactory::CreateGradientCircleFromCenterBitmap(101, 61, inner, outer);
    ASSERT_TRUE(bitmap != NULL);
    auto buffer = Pixels(bitmap);
    DeleteObject(bitmap);
    ASSERT_TRUE(buffer && buffer->GetWidth() == 101 && buffer->GetHeight() == 61);
    ExpectNear(At(*buffer, 50, 30), inner, "centre");
    ExpectNear(At(*buffer, 0, 0), outer, "top-left corner");
    ExpectNear(At(*buffer, 100, 60), outer, "bottom-right corner");
    // Half-way along the diagonal: half-way between the colours.
    ExpectNear(At(*buffer, 25, 15), RGB(110, 140, 145), "half-way");
    // The middle of the top edge is nearer than a corner: not yet outer.
    EXPECT_GT(At(*buffer, 50, 0)[0], 20 + 5 + 20);
}

TEST(Gradients, SquareBorderIsOuterEverywhere)
{
    const COLORREF inner = RGB(250, 250, 250), outer = RGB(0, 0, 0);
    HBITMAP bitmap = CBitmapFactory::CreateGradientSquareFromCenterBitmap(80, 40, inner, outer);
    ASSERT_TRUE(bitmap != NULL);
    auto buffer = Pixels(bitmap);
    DeleteObject(bitmap);
    ASSERT_TRUE(buffer != nullptr);
    ExpectNear(At(*buffer, 40, 20), inner, "centre");
    // f = max(|x - 40|, |y - 20|) / 40: the left edge is outer; the top edge at
    // y = 0 is only half-way (|y - cy| = 20).
    for (int y = 0; y < 40; ++y)
        ExpectNear(At(*buffer, 0, y), outer, "left edge");
    ExpectNear(At(*buffer, 40, 0), RGB(125, 125, 125), "top middle");
}

TEST(Gradients, NoiseIsClampedNotWrapped)
{
    // Channels at 0 and 255 with noise: every level must stay near its end.
    HBITMAP bitmap = CBitmapFactory::CreateGradientCircleFromCenterBitmap(64, 64, RGB(0, 255, 0),
                                                                          RGB(0, 255, 0));
    auto buffer = Pixels(bitmap);
    DeleteObject(bitmap);
    ASSERT_TRUE(buffer != nullptr);
    bool sawNoise = false;
    for (int i = 0; i < 64 * 64; ++i)
    {
        const BYTE* p = buffer->GetBuffer() + 3 * i;
        EXPECT_LE(p[0], 5);
        EXPECT_GE(p[1], 251);
        sawNoise = sawNoise || p[0] != 0;
    }
    EXPECT_TRUE(sawNoise);
}

TEST(Gradients, OnePixelAndEmptySizes)
{
    HBITMAP one = CBitmapFactory::CreateGradientCircleFromCenterBitmap(1, 1, RGB(100, 100, 100), 0);
    ASSERT_TRUE(one != NULL);
    auto buffer = Pixels(one);
    DeleteObject(one);
    ExpectNear(At(*buffer, 0, 0), RGB(100, 100, 100), "single pixel");
    EXPECT_TRUE(CBitmapFactory::CreateGradientSquareFromCenterBitmap(0, 10, 0, 0) == NULL);
}

TEST(RgbText, ExactColourOnBlackWithAOnePixelMargin)
{
    CFont font;
    LOGFONTA face = {};
    face.lfHeight = -24;
    face.lfWeight = FW_BOLD;
    face.lfQuality = NONANTIALIASED_QUALITY;
    lstrcpyA(face.lfFaceName, "Arial");
    ASSERT_TRUE(font.CreateFontIndirect(&face));
    const COLORREF color = RGB(12, 200, 99);
    std::unique_ptr<CRgbBuffer> text(CBitmapFactory::CreateRgbText("Hi Wg", &font, color, 0));
    ASSERT_TRUE(text && text->IsImage());

    HDC dc = CreateCompatibleDC(NULL);
    HGDIOBJ old = SelectObject(dc, font.GetSafeHandle());
    SIZE extent;
    GetTextExtentPoint32A(dc, "Hi Wg", 5, &extent);
    SelectObject(dc, old);
    DeleteDC(dc);
    EXPECT_EQ(text->GetWidth(), extent.cx + 2);
    EXPECT_EQ(text->GetHeight(), extent.cy + 2);

    int lit = 0;
    for (int y = 0; y < text->GetHeight(); ++y)
    {
        for (int x = 0; x < text->GetWidth(); ++x)
        {
            const BYTE* p = At(*text, x, y);
            bool black = p[0] == 0 && p[1] == 0 && p[2] == 0;
            bool exact = p[0] == 12 && p[1] == 200 && p[2] == 99;
            EXPECT_TRUE(black || exact) << x << "," << y;
            if (x == 0 || y == 0 || x == text->GetWidth() - 1 || y == text->GetHeight() - 1)
            {
                EXPECT_TRUE(black) << "margin " << x << "," << y;
            }
            lit += exact;
        }
    }
    EXPECT_GT(lit, 50);
}

TEST(RgbText, NoiseMovesAllThreeChannelsOfLitPixelsAlike)
{
    CFont font;
    LOGFONTA face = {};
    face.lfHeight = -30;
    face.lfQuality = NONANTIALIASED_QUALITY;
    lstrcpyA(face.lfFaceName, "Arial");
    ASSERT_TRUE(font.CreateFontIndirect(&face));
    std::unique_ptr<CRgbBuffer> text(
        CBitmapFactory::CreateRgbText("MMMM", &font, RGB(100, 150, 200), 20));
    ASSERT_TRUE(text && text->IsImage());
    int changed = 0, lit = 0;
    for (int i = 0; i < text->NumberOfPixels(); ++i)
    {
        const BYTE* p = text->GetBuffer() + 3 * i;
        if (p[0] == 0 && p[1] == 0 && p[2] == 0)
            continue;
        ++lit;
        int offset = p[0] - 100;
        EXPECT_GE(offset, -19);
        EXPECT_LE(offset, 19);
        EXPECT_EQ(p[1] - 150, offset);
        EXPECT_EQ(p[2] - 200, offset);
        changed += offset != 0;
    }
    EXPECT_GT(lit, 50);
    EXPECT_GT(changed, lit / 2);
}

TEST(CaptionBitmap, BezierLevelsAndCopiedRows)
{
    HBITMAP bitmap = CBitmapFactory::CreateCaptionBitmap("", CRect(0, 0, 200, 20), RGB(0, 0, 0),
                                                         RGB(255, 255, 255));
    ASSERT_TRUE(bitmap != NULL);
    auto bar = Pixels(bitmap);
    DeleteObject(bitmap);
    ASSERT_TRUE(bar && bar->GetWidth() == 200 && bar->GetHeight() == 20);
    for (int y : { 0, 7, 19 })
    {
        EXPECT_EQ(At(*bar, 0, y)[0], 0);
        EXPECT_EQ(At(*bar, 100, y)[1], 129);
        EXPECT_EQ(At(*bar, 199, y)[2], 254);
    }
    // Flat at both ends of the S curve, monotonic in between.
    for (int x = 1; x < 200; ++x)
        EXPECT_GE(At(*bar, x, 5)[0], At(*bar, x - 1, 5)[0]) << x;
}

TEST(CaptionBitmap, WideBarsLeaveUnsampledColumnsBlack)
{
    HBITMAP bitmap = CBitmapFactory::CreateCaptionBitmap("", CRect(10, 10, 1510, 14),
                                                         RGB(40, 40, 40), RGB(200, 200, 200));
    ASSERT_TRUE(bitmap != NULL);
    auto bar = Pixels(bitmap);
    DeleteObject(bitmap);
    ASSERT_TRUE(bar && bar->GetWidth() == 1500 && bar->GetHeight() == 4);
    int black = 0;
    for (int x = 0; x < 1500; ++x)
        black += At(*bar, x, 3)[0] == 0;
    EXPECT_EQ(black, 500);
}

TEST(CaptionBitmap, YellowCaptionStartsAtColumnTwentyEight)
{
    HBITMAP bitmap = CBitmapFactory::CreateCaptionBitmap(
        "Albums and a rather long caption that will not fit", CRect(0, 0, 160, 22), RGB(0, 0, 128),
        RGB(0, 0, 128));
    ASSERT_TRUE(bitmap != NULL);
    auto bar = Pixels(bitmap);
    DeleteObject(bitmap);
    ASSERT_TRUE(bar != nullptr);
    int yellow = 0;
    for (int y = 0; y < bar->GetHeight(); ++y)
    {
        for (int x = 0; x < bar->GetWidth(); ++x)
        {
            const BYTE* p = At(*bar, x, y);
            // The blend of two equal levels may truncate to one less.
            bool background = p[0] == 0 && p[1] == 0 && (p[2] == 128 || p[2] == 127);
            if (background)
                continue;
            // Text (possibly smoothed into the blue) lies inside (28, 2, W - 8, H).
            EXPECT_GE(x, 28) << y;
            EXPECT_LT(x, 160 - 8) << y;
            EXPECT_GE(y, 2) << x;
            EXPECT_GE(p[0], p[2] > 128 ? 0 : 1) << x << "," << y;
            yellow += p[0] > 200 && p[1] > 200 && p[2] < 60;
        }
    }
    EXPECT_GT(yellow, 10);
}
