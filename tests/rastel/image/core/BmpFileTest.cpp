// CBmpFile through LoadRgbBuffer: row order, every bit depth, the 1-bit rule,
// and that the buffer is drawn from the file's own bitmap.
#include <gtest/gtest.h>
#include "RgbBuffer.h"
#include "BmpFile.h"
#include "TestImages.h"

namespace
{
class BmpFileTest : public ::testing::Test
{
protected:
    BmpFileTest() : m_Folder("pixmere_bmp_tests") {}

    // Writes the file and loads it; the buffer is checked by the caller.
    BOOL Load(const BmpDescription& d, CRgbBuffer& picture, const char* name = "picture.bmp")
    {
        std::string path = m_Folder.Write(name, MakeBmp(d));
        return picture.LoadRgbBuffer(path.c_str(), false);
    }
    TempFolder m_Folder;
};

DWORD RgbAt(const CRgbBuffer& picture, int x, int y)
{
    const BYTE* p = picture.GetBuffer() + 3 * (y * picture.GetWidth() + x);
    return (p[0] << 16) | (p[1] << 8) | p[2];
}

// A picture with visible structure: channels vary with x and y.
DWORD Gradient(int x, int y)
{
    return ((x * 37) & 0xFF) << 16 | ((y * 53) & 0xFF) << 8 | (((x + y) * 11) & 0xFF);
}
} // namespace

TEST_F(BmpFileTest, BottomUpRowsLoadTopDown)
{
    // File rows: bottom blue, blue; top red, red.
    BmpDescription d;
    d.width = 2;
    d.height = 2;
    d.pixel = [](int, int y) -> DWORD { return y == 0 ? 0xFF0000 : 0x0000FF; };
    CRgbBuffer picture;
    ASSERT_TRUE(Load(d, picture));
    ASSERT_EQ(2, picture.GetWidth());
    ASSERT_EQ(2, picture.GetHeight());
    const BYTE expected[] = { 255, 0, 0, 255, 0, 0, 0, 0, 255, 0, 0, 255 };
    EXPECT_EQ(0, memcmp(expected, picture.GetBuffer(), 12));
    EXPECT_EQ(0, picture.m_GrayScale);
}

TEST_F(BmpFileTest, TopDownRowsKeepTheirOrder)
{
    BmpDescription d;
    d.width = 5;
    d.height = -3;
    d.pixel = Gradient;
    CRgbBuffer picture;
    ASSERT_TRUE(Load(d, picture));
    ASSERT_EQ(5, picture.GetWidth());
    ASSERT_EQ(3, picture.GetHeight());
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(Gradient(x, y), RgbAt(picture, x, y)) << x << "," << y;
}

TEST_F(BmpFileTest, TwentyFourBitOddWidthUsesPaddedRows)
{
    for (int height : { 7, -7 })
    {
        BmpDescription d;
        d.width = 13; // 39 bytes of pixels, 1 byte of padding a row
        d.height = height;
        d.pixel = Gradient;
        CRgbBuffer picture;
        ASSERT_TRUE(Load(d, picture)) << height;
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 13; ++x)
                ASSERT_EQ(Gradient(x, y), RgbAt(picture, x, y)) << x << "," << y << " h " << height;
    }
}

TEST_F(BmpFileTest, OneBitIsWhiteForSetBitsWhateverThePalette)
{
    BmpDescription d;
    d.width = 10;
    d.height = 2;
    d.bits = 1;
    d.palette = { Quad(0, 0, 200), Quad(200, 0, 0) };
    d.pixel = [](int x, int y) -> DWORD { return (x + y) % 3 == 0; };
    CRgbBuffer picture;
    ASSERT_TRUE(Load(d, picture));
    ASSERT_EQ(10, picture.GetWidth());
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 10; ++x)
            EXPECT_EQ((x + y) % 3 == 0 ? 0xFFFFFFu : 0u, RgbAt(picture, x, y)) << x << "," << y;
}

TEST_F(BmpFileTest, FourBitIndexesPaletteHighNibbleFirst)
{
    BmpDescription d;
    d.width = 5;
    d.height = 3;
    d.bits = 4;
    for (int i = 0; i < 16; ++i)
        d.palette.push_back(Quad(i * 16, 255 - i * 16, i * 3));
    d.pixel = [](int x, int y) -> DWORD { return (x * 3 + y * 5) % 16; };
    CRgbBuffer picture;
    ASSERT_TRUE(Load(d, picture));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
        {
            int i = (x * 3 + y * 5) % 16;
            EXPECT_EQ((DWORD)((i * 16) << 16 | (255 - i * 16) << 8 | i * 3), RgbAt(picture, x, y));
        }
}

TEST_F(BmpFileTest, EightBitIndexesPalette)
{
    for (int height : { 4, -4 })
    {
        BmpDescription d;
        d.width = 6;
        d.height = height;
        d.bits = 8;
        for (int i = 0; i < 256; ++i)
            d.palette.push_back(Quad(i, (i * 7) & 0xFF, 255 - i));
        d.pixel = [](int x, int y) -> DWORD { return (x * 40 + y * 9) & 0xFF; };
        CRgbBuffer picture;
        ASSERT_TRUE(Load(d, picture));
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 6; ++x)
            {
                int i = (x * 40 + y * 9) & 0xFF;
                EXPECT_EQ((DWORD)(i << 16 | ((i * 7) & 0xFF) << 8 | (255 - i)), RgbAt(picture, x, y));
            }
    }
}

TEST_F(BmpFileTest, EightBitWithShortPaletteUsesItsEntries)
{
    BmpDescription d;
    d.width = 3;
    d.height = 1;
    d.bits = 8;
    d.palette = { Quad(10, 20, 30), Quad(40, 50, 60), Quad(70, 80, 90) };
    d.pixel = [](int x, int) -> DWORD { return 2 - x; };
    CRgbBuffer picture;
    ASSERT_TRUE(Load(d, picture));
    EXPECT_EQ(0x46505Au, RgbAt(picture, 0, 0));
    EXPECT_EQ(0x28323Cu, RgbAt(picture, 1, 0));
    EXPECT_EQ(0x0A141Eu, RgbAt(picture, 2, 0));
}

TEST_F(BmpFileTest, SixteenBitDefaultsToFiveFiveFive)
{
    BmpDescription d;
    d.width = 3;
    d.height = 1;
    d.bits = 16;
    // Full red, full green, mid blue (16 of 31).
    d.pixel = [](int x, int) -> DWORD { return x == 0 ? 0x7C00 : x == 1 ? 0x03E0 : 0x0010; };
    CRgbBuffer picture;
    ASSERT_TRUE(Load(d, picture));
    EXPECT_EQ(0xFF0000u, RgbAt(picture, 0, 0));
    EXPECT_EQ(0x00FF00u, RgbAt(picture, 1, 0));
    EXPECT_EQ((DWORD)(16 * 255 / 31), RgbAt(picture, 2, 0));
}

TEST_F(BmpFileTest, SixteenBitFieldsFiveSixFive)
{
    BmpDescription d;
    d.width = 2;
    d.height = -2;
    d.bits = 16;
    d.masks = { 0xF800, 0x07E0, 0x001F };
    d.pixel = [](int x, int y) -> DWORD { return x == 0 ? (y ? 0x07E0 : 0xF800) : (y ? 0x0020 : 0xFFFF); };
    CRgbBuffer picture;
    ASSERT_TRUE(Load(d, picture));
    EXPECT_EQ(0xFF0000u, RgbAt(picture, 0, 0));
    EXPECT_EQ(0xFFFFFFu, RgbAt(picture, 1, 0));
    EXPECT_EQ(0x00FF00u, RgbAt(picture, 0, 1));
    // Green 1 of 63: the system may keep the section at 5 bits a channel.
    EXPECT_LE(RgbAt(picture, 1, 1), 0x000800u);
}

TEST_F(BmpFileTest, SixteenBitFieldsInBothRowOrdersAgree)
{
    CRgbBuffer pictures[2];
    for (int k = 0; k < 2; ++k)
    {
        BmpDescription d;
        d.width = 7;
        d.height = k ? -5 : 5;
        d.bits = 16;
        d.masks = { 0xF800, 0x07E0, 0x001F };
        d.pixel = [](int x, int y) -> DWORD { return (x * 4) << 11 | (y * 12) << 5 | (31 - x * 4); };
        ASSERT_TRUE(Load(d, pictures[k]));
        EXPECT_EQ(0xFF0000u & RgbAt(pictures[k], 0, 0), 0u);
        EXPECT_EQ(0xFFu, RgbAt(pictures[k], 0, 0) & 0xFF);
        EXPECT_GT(RgbAt(pictures[k], 0, 4) & 0xFF00, RgbAt(pictures[k], 0, 0) & 0xFF00);
    }
    EXPECT_EQ(0, memcmp(pictures[0].GetBuffer(), pictures[1].GetBuffer(), 7 * 5 * 3));
}

TEST_F(BmpFileTest, ThirtyTwoBitIsBgrx)
{
    for (int height : { 3, -3 })
    {
        BmpDescription d;
        d.width = 4;
        d.height = height;
        d.bits = 32;
        d.pixel = [](int x, int y) -> DWORD { return Gradient(x, y) | 0xAB000000; };
        CRgbBuffer picture;
        ASSERT_TRUE(Load(d, picture));
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 4; ++x)
                EXPECT_EQ(Gradient(x, y), RgbAt(picture, x, y));
    }
}

TEST_F(BmpFileTest, ThirtyTwoBitFieldsFollowTheMasks)
{
    BmpDescription d;
    d.width = 2;
    d.height = 1;
    d.bits = 32;
    d.masks = { 0x000000FF, 0x0000FF00, 0x00FF0000 }; // RGBX order in memory
    d.pixel = [](int x, int) -> DWORD { return x ? 0x00332211 : 0x00C08040; };
    CRgbBuffer picture;
    ASSERT_TRUE(Load(d, picture));
    EXPECT_EQ(0x4080C0u, RgbAt(picture, 0, 0));
    EXPECT_EQ(0x112233u, RgbAt(picture, 1, 0));
}

TEST_F(BmpFileTest, DibExtensionAndCoreHeaderLoad)
{
    // An OS/2-style file: 12-byte header, 3-byte palette entries.
    Bytes b(14 + 12 + 6, 0);
    b[0] = 'B', b[1] = 'M';
    PutU32(b, 10, 14 + 12 + 6);
    PutU32(b, 14, 12);
    PutU16(b, 18, 3);
    PutU16(b, 20, 1);
    PutU16(b, 22, 1);
    PutU16(b, 24, 1);
    b[26 + 3] = b[26 + 4] = b[26 + 5] = 255;
    b.push_back(0xA0); // bits 1 0 1
    b.resize(b.size() + 3, 0);
    PutU32(b, 2, (unsigned)b.size());
    CRgbBuffer picture;
    ASSERT_TRUE(picture.LoadRgbBuffer(m_Folder.Write("core.dib", b).c_str(), false));
    ASSERT_EQ(3, picture.GetWidth());
    EXPECT_EQ(0xFFFFFFu, RgbAt(picture, 0, 0));
    EXPECT_EQ(0u, RgbAt(picture, 1, 0));
    EXPECT_EQ(0xFFFFFFu, RgbAt(picture, 2, 0));
}

TEST_F(BmpFileTest, BufferKeepsTheFilesOwnBitmap)
{
    BmpDescription d;
    d.width = 4;
    d.height = 4;
    d.bits = 8;
    d.palette = { Quad(0, 0, 0), Quad(1, 2, 3) };
    d.pixel = [](int x, int) -> DWORD { return x & 1; };
    CRgbBuffer picture;
    ASSERT_TRUE(Load(d, picture));
    ASSERT_TRUE(picture.m_Bitmap != NULL);
    DIBSECTION section;
    ASSERT_EQ((int)sizeof(section), GetObject(picture.m_Bitmap, sizeof(section), &section));
    EXPECT_EQ(8, section.dsBmih.biBitCount);
    EXPECT_EQ(picture.m_Bitmap, picture.GetBitmap());
}

TEST_F(BmpFileTest, SaveWritesNothing)
{
    CRgbBuffer picture(2, 2);
    std::string path = m_Folder.File("never.bmp");
    CBmpFile codec(path.c_str());
    EXPECT_EQ(0, codec.Save(&picture));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(path.c_str()));
    CBmpFile copy(codec);
    EXPECT_STREQ(path.c_str(), copy.m_FileName);
}

TEST_F(BmpFileTest, FilesOwnBitmapDrawsTopRowOnTop)
{
    // Whatever the row order and format of the file, the cached bitmap that
    // Draw uses shows the picture upright, like the RGB pixels.
    struct Case
    {
        int bits;
        int height;
        std::vector<DWORD> masks;
    };
    const Case cases[] = { { 24, 4, {} }, { 24, -4, {} }, { 8, -4, {} }, { 32, -4, {} },
                           { 16, -4, { 0xF800, 0x07E0, 0x001F } }, { 32, -4, { 0xFF, 0xFF00, 0xFF0000 } } };
    for (const Case& c : cases)
    {
        BmpDescription d;
        d.width = 4;
        d.height = c.height;
        d.bits = c.bits;
        d.masks = c.masks;
        bool red = true; // top row red, the rest blue
        if (c.bits == 8)
            d.palette = { Quad(0, 0, 255), Quad(255, 0, 0) };
        d.pixel = [&](int, int y) -> DWORD {
            bool top = y == 0 && red;
            switch (c.bits)
            {
            case 8: return top ? 1 : 0;
            case 16: return top ? 0xF800 : 0x001F;
            case 32: return c.masks.empty() ? (top ? 0xFF0000 : 0xFF) : (top ? 0xFF : 0xFF0000);
            default: return top ? 0xFF0000 : 0x0000FF;
            }
        };
        CRgbBuffer picture;
        ASSERT_TRUE(Load(d, picture)) << c.bits << " " << c.height;
        EXPECT_EQ(0xFF0000u, RgbAt(picture, 1, 0)) << c.bits << " " << c.height;
        EXPECT_EQ(0x0000FFu, RgbAt(picture, 1, 3)) << c.bits << " " << c.height;
        MemoryCanvas canvas(4, 4, RGB(0, 0, 0));
        picture.Draw(canvas.Dc(), CRect(0, 0, 4, 4), NULL);
        EXPECT_EQ(0xFF0000u, canvas.At(1, 0)) << c.bits << " " << c.height;
        EXPECT_EQ(0x0000FFu, canvas.At(1, 3)) << c.bits << " " << c.height;
    }
}
