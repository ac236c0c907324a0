// CBmpFile through LoadRgbBuffer: golden row order, the 1-bit rule, short
// palettes, bit-field masks, the OS/2 header, and that the buffer is drawn
// from the file's own bitmap (every depth and row order against an
// independent decoder: BmpOracleTest).
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

namespace
{
// An 8-bit run-length BMP with the given palette and RLE stream.
Bytes MakeRle8Bmp(int width, int height, const std::vector<RGBQUAD>& palette, const Bytes& stream)
{
    BmpDescription d;
    d.width = width;
    d.height = height;
    d.bits = 8;
    d.palette = palette;
    Bytes b = MakeBmp(d);
    b.resize(b.size() - (size_t)BmpStride(width, 8) * height);
    b.insert(b.end(), stream.begin(), stream.end());
    PutU32(b, BmpCompression, BI_RLE8);
    PutU32(b, BmpSizeImage, (unsigned)stream.size());
    PutU32(b, 2, (unsigned)b.size());
    return b;
}
} // namespace

TEST_F(BmpFileTest, RunLengthEightBitDecodes)
{
    // Bottom row: 3 x index 1, then 1 x index 2; top row: 4 x index 2.
    Bytes stream = { 3, 1, 1, 2, 0, 0, 4, 2, 0, 1 };
    std::string path =
        m_Folder.Write("rle.bmp", MakeRle8Bmp(4, 2, { Quad(0, 0, 0), Quad(255, 0, 0), Quad(0, 0, 255) }, stream));
    CRgbBuffer picture;
    ASSERT_TRUE(picture.LoadRgbBuffer(path.c_str(), false));
    ASSERT_EQ(CSize(4, 2), picture.GetImageSize());
    EXPECT_EQ(0x0000FFu, RgbAt(picture, 0, 0));
    EXPECT_EQ(0x0000FFu, RgbAt(picture, 3, 0));
    EXPECT_EQ(0xFF0000u, RgbAt(picture, 0, 1));
    EXPECT_EQ(0xFF0000u, RgbAt(picture, 2, 1));
    EXPECT_EQ(0x0000FFu, RgbAt(picture, 3, 1));
}

TEST_F(BmpFileTest, HostileRunLengthDataStaysInsideThePicture)
{
    // Runs longer than the row, deltas past the picture, literal runs that
    // claim more bytes than the stream holds, and no end-of-bitmap code.
    const Bytes streams[] = { { 255, 1, 255, 1, 255, 1, 255, 1 },
                              { 0, 2, 200, 200, 5, 1 },
                              { 0, 255, 1, 2 },
                              { 4, 1 } };
    for (const Bytes& stream : streams)
    {
        std::string path = m_Folder.Write("bad.bmp", MakeRle8Bmp(4, 3, { Quad(0, 0, 0), Quad(9, 9, 9) }, stream));
        CRgbBuffer picture;
        BOOL loaded = picture.LoadRgbBuffer(path.c_str(), false);
        EXPECT_EQ(loaded, picture.IsImage());
        if (loaded)
        {
            EXPECT_EQ(CSize(4, 3), picture.GetImageSize());
        }
    }
}
