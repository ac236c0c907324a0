// CPngFile on hand-made files: colour types, depths, gamma, and hostile input.
#include <gtest/gtest.h>
#include <math.h>

#include "CodecTestKit.h"
#include "ImageBytes.h"
#include "PngFile.h"

using namespace image_bytes;

namespace
{
const auto LoadPng = WriteAndLoad<CPngFile>;
}

TEST(PngDecoding, PaletteWithTransparencyGivesPaletteColours)
{
    test_support::TempFolder folder("pngtest");
    PngContent content;
    content.width = 2;
    content.height = 2;
    content.colorType = 3;
    content.bitDepth = 8;
    content.palette = { 255, 0, 0, 0, 255, 0, 0, 0, 255, 10, 20, 30 };
    content.transparency = { 0, 128 }; // alpha has no effect on the pixels
    content.scanlines = { 0, 0, 1, 0, 2, 3 };
    CRgbBuffer buffer;
    EXPECT_EQ(LoadPng(folder, "palette.png", MakePng(content), buffer), 1);
    ASSERT_TRUE(buffer.IsImage());
    EXPECT_EQ(buffer.GetWidth(), 2);
    EXPECT_EQ(ColorAt(buffer, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(ColorAt(buffer, 1, 0), RGB(0, 255, 0));
    EXPECT_EQ(ColorAt(buffer, 0, 1), RGB(0, 0, 255));
    EXPECT_EQ(ColorAt(buffer, 1, 1), RGB(10, 20, 30));
}

TEST(PngDecoding, TwoBitGreyExpandsToFullLevels)
{
    test_support::TempFolder folder("pngtest");
    PngContent content;
    content.width = 5;
    content.colorType = 0;
    content.bitDepth = 2;
    content.scanlines = { 0, 0x1B, 0xC0 }; // levels 0, 1, 2, 3, then 3
    CRgbBuffer buffer;
    EXPECT_EQ(LoadPng(folder, "grey2.png", MakePng(content), buffer), 1);
    ASSERT_TRUE(buffer.IsImage());
    const int levels[5] = { 0, 85, 170, 255, 255 };
    for (int x = 0; x < 5; ++x)
        EXPECT_EQ(ColorAt(buffer, x, 0), RGB(levels[x], levels[x], levels[x])) << x;
}

TEST(PngDecoding, SixteenBitRgbKeepsTheHighBytes)
{
    test_support::TempFolder folder("pngtest");
    PngContent content;
    content.width = 2;
    content.colorType = 2;
    content.bitDepth = 16;
    content.scanlines = { 0, 0x12, 0x34, 0xAB, 0xFF, 0x00, 0x80, 0xFF, 0xFF, 0x7F, 0x01, 0x01, 0x02 };
    CRgbBuffer buffer;
    EXPECT_EQ(LoadPng(folder, "rgb16.png", MakePng(content), buffer), 1);
    ASSERT_TRUE(buffer.IsImage());
    EXPECT_EQ(ColorAt(buffer, 0, 0), RGB(0x12, 0xAB, 0x00));
    EXPECT_EQ(ColorAt(buffer, 1, 0), RGB(0xFF, 0x7F, 0x01));
}

TEST(PngDecoding, GreyAlphaDropsTheAlpha)
{
    test_support::TempFolder folder("pngtest");
    PngContent content;
    content.width = 3;
    content.colorType = 4;
    content.bitDepth = 8;
    content.scanlines = { 0, 10, 0, 128, 128, 250, 255 };
    CRgbBuffer buffer;
    EXPECT_EQ(LoadPng(folder, "greyalpha.png", MakePng(content), buffer), 1);
    ASSERT_TRUE(buffer.IsImage());
    EXPECT_EQ(ColorAt(buffer, 0, 0), RGB(10, 10, 10));
    EXPECT_EQ(ColorAt(buffer, 1, 0), RGB(128, 128, 128));
    EXPECT_EQ(ColorAt(buffer, 2, 0), RGB(250, 250, 250));
}

TEST(PngDecoding, GammaOfOneOverTwoPointTwoLeavesLevels)
{
    test_support::TempFolder folder("pngtest");
    PngContent content;
    content.width = 4;
    content.colorType = 0;
    content.bitDepth = 8;
    content.gamma = 45455;
    content.scanlines = { 0, 0, 64, 128, 255 };
    CRgbBuffer buffer;
    EXPECT_EQ(LoadPng(folder, "gamma.png", MakePng(content), buffer), 1);
    ASSERT_TRUE(buffer.IsImage());
    EXPECT_EQ(PixelAt(buffer, 1, 0)[0], 64);
    EXPECT_EQ(PixelAt(buffer, 2, 0)[0], 128);
    EXPECT_EQ(PixelAt(buffer, 3, 0)[0], 255);
}

TEST(PngDecoding, LinearGammaIsCorrectedForTheScreen)
{
    test_support::TempFolder folder("pngtest");
    PngContent content;
    content.width = 3;
    content.colorType = 2;
    content.gamma = 100000; // linear samples
    content.scanlines = { 0, 64, 64, 64, 128, 0, 255, 16, 200, 32 };
    CRgbBuffer buffer;
    EXPECT_EQ(LoadPng(folder, "linear.png", MakePng(content), buffer), 1);
    ASSERT_TRUE(buffer.IsImage());
    auto corrected = [](int level) { return 255 * pow(level / 255.0, 1 / 2.2); };
    const int levels[9] = { 64, 64, 64, 128, 0, 255, 16, 200, 32 };
    for (int i = 0; i < 9; ++i)
        EXPECT_NEAR(buffer.GetBuffer()[i], corrected(levels[i]), 1.0) << i;
}

TEST(PngHostile, NotAPngIsRefused)
{
    test_support::TempFolder folder("pngtest");
    CRgbBuffer buffer;
    EXPECT_EQ(LoadPng(folder, "text.png", Bytes{ 'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l' },
                      buffer),
              0);
    EXPECT_FALSE(buffer.IsImage());
    EXPECT_EQ(LoadPng(folder, "empty.png", Bytes(), buffer), 0);
    EXPECT_EQ(LoadWith<CPngFile>(folder.File("missing.png"), buffer), 0);
    EXPECT_FALSE(buffer.IsImage());
}

TEST(PngHostile, TruncatedFilesAreRefusedAtEveryLength)
{
    test_support::TempFolder folder("pngtest");
    PngContent content;
    content.width = 8;
    content.height = 8;
    content.colorType = 2;
    for (int y = 0; y < 8; ++y)
    {
        content.scanlines.push_back(0);
        for (int x = 0; x < 24; ++x)
            content.scanlines.push_back((uint8_t)(x * 10 + y));
    }
    Bytes whole = MakePng(content);
    size_t idatEnd = whole.size() - 12; // IEND is the last 12 bytes
    for (size_t length = 0; length < idatEnd; length += 7)
    {
        Bytes cut(whole.begin(), whole.begin() + length);
        CRgbBuffer buffer;
        EXPECT_EQ(LoadPng(folder, "cut.png", cut, buffer), 0) << length;
        EXPECT_FALSE(buffer.IsImage()) << length;
    }
    // Broken off after the image data: the picture is complete and shows.
    Bytes noEnd(whole.begin(), whole.begin() + idatEnd);
    CRgbBuffer buffer;
    EXPECT_EQ(LoadPng(folder, "noend.png", noEnd, buffer), 1);
    ASSERT_TRUE(buffer.IsImage());
    EXPECT_EQ(ColorAt(buffer, 1, 2), RGB(32, 42, 52));
}

TEST(PngHostile, CorruptCrcOfACriticalChunkIsRefused)
{
    test_support::TempFolder folder("pngtest");
    PngContent content;
    content.scanlines = { 0, 1, 2, 3 };
    Bytes png = MakePng(content);
    png[8 + 8 + 13] ^= 0xFF; // the IHDR's CRC
    CRgbBuffer buffer;
    EXPECT_EQ(LoadPng(folder, "crc.png", png, buffer), 0);
    EXPECT_FALSE(buffer.IsImage());
}

TEST(PngHostile, ImageDataBombStopsAtTheImageSize)
{
    test_support::TempFolder folder("pngtest");
    PngContent content;
    content.width = 1;
    content.height = 1;
    content.colorType = 2;
    content.idat = ZlibZeros(300u * 1000 * 1000); // 300 MB of zeros for a 4-byte image
    CRgbBuffer buffer;
    EXPECT_EQ(LoadPng(folder, "idatbomb.png", MakePng(content), buffer), 1);
    ASSERT_TRUE(buffer.IsImage());
    EXPECT_EQ(ColorAt(buffer, 0, 0), RGB(0, 0, 0));
}

TEST(PngHostile, CompressedTextBombIsNotInflated)
{
    test_support::TempFolder folder("pngtest");
    PngContent content;
    content.scanlines = { 0, 7, 8, 9 };
    Bytes text = { 'C', 'o', 'm', 'm', 'e', 'n', 't', 0, 0 };
    Append(text, ZlibZeros(500u * 1000 * 1000));
    content.extraChunks.push_back({ "zTXt", text });
    Bytes itxt = { 'X', 0, 1, 0, 0, 0 };
    Append(itxt, ZlibZeros(200u * 1000 * 1000));
    content.extraChunks.push_back({ "iTXt", itxt });
    CRgbBuffer buffer;
    EXPECT_EQ(LoadPng(folder, "textbomb.png", MakePng(content), buffer), 1);
    ASSERT_TRUE(buffer.IsImage());
    EXPECT_EQ(ColorAt(buffer, 0, 0), RGB(7, 8, 9));
}

TEST(PngHostile, TransparencyLongerThanThePaletteIsIgnored)
{
    test_support::TempFolder folder("pngtest");
    PngContent content;
    content.width = 2;
    content.colorType = 3;
    content.palette = { 1, 2, 3, 4, 5, 6 };
    content.transparency = Bytes(40, 0x55);
    content.scanlines = { 0, 1, 0 };
    CRgbBuffer buffer;
    LoadPng(folder, "trns.png", MakePng(content), buffer);
    ASSERT_TRUE(buffer.IsImage());
    EXPECT_EQ(ColorAt(buffer, 0, 0), RGB(4, 5, 6));
    EXPECT_EQ(ColorAt(buffer, 1, 0), RGB(1, 2, 3));
}

TEST(PngHostile, PaletteIndexBeyondThePaletteDoesNotReadOutside)
{
    test_support::TempFolder folder("pngtest");
    PngContent content;
    content.width = 2;
    content.colorType = 3;
    content.palette = { 1, 2, 3 };
    content.scanlines = { 0, 0, 200 };
    CRgbBuffer buffer;
    LoadPng(folder, "index.png", MakePng(content), buffer);
    if (buffer.IsImage())
    {
        EXPECT_EQ(ColorAt(buffer, 0, 0), RGB(1, 2, 3));
    }
}

TEST(PngHostile, HeadersDeclaringTooManyPixelsAreRefused)
{
    test_support::TempFolder folder("pngtest");
    const uint32_t sizes[][2] = { { 1000000, 1000000 }, { 50000, 50000 }, { 0x7FFFFFFF, 1 }, { 20000, 20000 },
                                  { 0, 5 } };
    for (auto& size : sizes)
    {
        PngContent content;
        content.width = size[0];
        content.height = size[1];
        content.colorType = 2;
        content.scanlines = { 0, 1, 2, 3 };
        CRgbBuffer buffer;
        EXPECT_EQ(LoadPng(folder, "huge.png", MakePng(content), buffer), 0) << size[0];
        EXPECT_FALSE(buffer.IsImage());
    }
}
