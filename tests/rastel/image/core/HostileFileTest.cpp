// Truncated, empty and hostile BMP, ICO and CUR files load as an empty buffer
// with result 0: never a crash, a hang or a read outside the file.
#include <gtest/gtest.h>
#include <limits.h>
#include "RgbBuffer.h"
#include "TestImages.h"

namespace
{
class HostileFileTest : public ::testing::Test
{
protected:
    HostileFileTest() : m_Folder("pixmere_hostile_tests") {}

    // Loads the bytes as the named file into a buffer that held a picture.
    void ExpectRefused(const char* name, const Bytes& bytes)
    {
        std::string path = m_Folder.Write(name, bytes);
        CRgbBuffer picture(CRect(0, 0, 3, 3), 0x55);
        picture.m_BackgroundColor = RGB(1, 2, 3);
        EXPECT_FALSE(picture.LoadRgbBuffer(path.c_str(), false)) << name;
        EXPECT_FALSE(picture.IsImage()) << name;
        EXPECT_EQ(NULL, picture.m_Bitmap) << name;
        EXPECT_EQ(CSize(0, 0), picture.GetImageSize()) << name;
        EXPECT_EQ(0u, picture.m_BackgroundColor) << name;
    }
    TempFolder m_Folder;
};

Bytes ValidBmp(int width = 8, int height = 6, int bits = 24)
{
    BmpDescription d;
    d.width = width;
    d.height = height;
    d.bits = bits;
    if (bits <= 8)
        for (int i = 0; i < (1 << bits); ++i)
            d.palette.push_back(Quad(i, i, i));
    d.pixel = [](int x, int y) -> DWORD { return (DWORD)(x * 31 + y * 17) & 0xF; };
    return MakeBmp(d);
}

IconImage Square(int size)
{
    IconImage im;
    im.width = im.height = size;
    im.pixel = [](int x, int y) -> DWORD { return (DWORD)(x * 8) << 16 | (DWORD)(y * 8); };
    return im;
}
} // namespace

TEST_F(HostileFileTest, ValidFilesOfTheSameShapesLoad)
{
    // The baseline that the corruptions below start from.
    CRgbBuffer picture;
    EXPECT_TRUE(picture.LoadRgbBuffer(m_Folder.Write("ok.bmp", ValidBmp()).c_str(), false));
    EXPECT_TRUE(picture.LoadRgbBuffer(m_Folder.Write("ok8.bmp", ValidBmp(8, 6, 8)).c_str(), false));
    EXPECT_TRUE(picture.LoadRgbBuffer(
        m_Folder.Write("ok.ico", MakeIconFile({ Square(16), Square(32) })).c_str(), false));
    EXPECT_TRUE(picture.LoadRgbBuffer(m_Folder.Write("ok.cur", MakeIconFile({ Square(32) }, 2)).c_str(),
                                      false));
}

TEST_F(HostileFileTest, EmptyFilesAreRefused)
{
    ExpectRefused("zero.bmp", Bytes());
    ExpectRefused("zero.dib", Bytes());
    ExpectRefused("zero.ico", Bytes());
    ExpectRefused("zero.cur", Bytes());
}

TEST_F(HostileFileTest, MissingFileIsRefused)
{
    CRgbBuffer picture(2, 2);
    EXPECT_FALSE(picture.LoadRgbBuffer(m_Folder.File("absent.bmp").c_str(), false));
    EXPECT_FALSE(picture.IsImage());
    EXPECT_FALSE(picture.LoadRgbBuffer(m_Folder.File("absent.ico").c_str(), false));
    EXPECT_FALSE(picture.LoadRgbBuffer(m_Folder.File("absent.cur").c_str(), false));
}

TEST_F(HostileFileTest, TruncatedBmpIsRefusedAtEveryLength)
{
    Bytes whole = ValidBmp(8, 6, 8);
    for (size_t length = 1; length < whole.size(); length += 7)
    {
        Bytes cut(whole.begin(), whole.begin() + length);
        ExpectRefused("cut.bmp", cut);
    }
    Bytes oneShort(whole.begin(), whole.end() - 1);
    ExpectRefused("cut.bmp", oneShort);
}

TEST_F(HostileFileTest, DimensionsThatWrapInThirtyTwoBitsAreRefused)
{
    // 32768 x 32769 x 4 bytes = 0x1'0002'0000, which wraps to 0x20000: give
    // the file exactly that many bytes of "pixels" so only a 64-bit size check
    // can tell.
    Bytes b = ValidBmp(1, 1, 32);
    b.resize(BmpHeaderEnd);
    PutU32(b, BmpWidth, 32768);
    PutU32(b, BmpHeight, 32769);
    PutU32(b, BmpSizeImage, 0x20000);
    b.resize(BmpHeaderEnd + 0x20000, 0x7F);
    PutU32(b, 2, (unsigned)b.size());
    ExpectRefused("wrap.bmp", b);
    PutU32(b, BmpHeight, (unsigned)-32769);
    ExpectRefused("wrap.bmp", b);
}

TEST_F(HostileFileTest, DimensionsTooLargeToAllocateAreRefused)
{
    Bytes b = ValidBmp(1, 1, 24);
    PutU32(b, BmpWidth, 30000);
    PutU32(b, BmpHeight, 30000); // 2.7 GB of RGB
    PutU32(b, BmpSizeImage, 0);
    ExpectRefused("huge.bmp", b);
    PutU32(b, BmpWidth, 0x7FFFFFFF);
    PutU32(b, BmpHeight, 0x7FFFFFFF);
    ExpectRefused("huge.bmp", b);
}

TEST_F(HostileFileTest, ZeroAndNegativeSizesAreRefused)
{
    Bytes b = ValidBmp(4, 4, 24);
    PutU32(b, BmpHeight, (unsigned)INT_MIN);
    ExpectRefused("intmin.bmp", b);
    PutU32(b, BmpHeight, 0);
    ExpectRefused("zeroheight.bmp", b);
    b = ValidBmp(4, 4, 24);
    PutU32(b, BmpWidth, 0);
    ExpectRefused("zerowidth.bmp", b);
    PutU32(b, BmpWidth, (unsigned)-4);
    ExpectRefused("negwidth.bmp", b);
}

TEST_F(HostileFileTest, SizeImageThatDisagreesIsRefused)
{
    Bytes b = ValidBmp(8, 6, 24);
    PutU32(b, BmpSizeImage, 24); // far less than 6 rows of 24 bytes
    ExpectRefused("small.bmp", b);
    PutU32(b, BmpSizeImage, 0x10000000); // beyond the end of the file
    ExpectRefused("large.bmp", b);
    PutU32(b, BmpSizeImage, 0); // allowed: uncompressed files may leave it 0
    CRgbBuffer picture;
    EXPECT_TRUE(picture.LoadRgbBuffer(m_Folder.Write("zero.bmp", b).c_str(), false));
}

TEST_F(HostileFileTest, PaletteLargerThanTheBitDepthIsRefused)
{
    Bytes b = ValidBmp(8, 6, 4);
    PutU32(b, BmpClrUsed, 17);
    ExpectRefused("pal4.bmp", b);
    b = ValidBmp(8, 6, 8);
    PutU32(b, BmpClrUsed, 300);
    ExpectRefused("pal8.bmp", b);
    b = ValidBmp(8, 6, 1);
    PutU32(b, BmpClrUsed, 3);
    ExpectRefused("pal1.bmp", b);
    b = ValidBmp(8, 6, 8);
    PutU32(b, BmpClrUsed, 0xFFFFFFFF);
    ExpectRefused("palmax.bmp", b);
}

TEST_F(HostileFileTest, BadHeaderFieldsAreRefused)
{
    Bytes b = ValidBmp();
    b[0] = 'X';
    ExpectRefused("magic.bmp", b);
    b = ValidBmp();
    PutU16(b, BmpBitCount, 7);
    ExpectRefused("bits.bmp", b);
    b = ValidBmp();
    PutU32(b, 14, 0xFFFFFFF0); // header size
    ExpectRefused("headersize.bmp", b);
    b = ValidBmp();
    PutU32(b, BmpOffBits, 0xFFFFFF00);
    ExpectRefused("offbits.bmp", b);
    b = ValidBmp();
    PutU32(b, BmpCompression, BI_BITFIELDS); // masks for 24 bits do not exist
    ExpectRefused("fields.bmp", b);
    b = ValidBmp();
    PutU32(b, BmpCompression, 4); // embedded JPEG
    ExpectRefused("jpeg.bmp", b);
    b = ValidBmp(8, 6, 8);
    PutU32(b, BmpCompression, BI_RLE8);
    PutU32(b, BmpSizeImage, 0x100000); // run-length data past the end
    ExpectRefused("rle.bmp", b);
}

TEST_F(HostileFileTest, IconCountLargerThanTheFileIsRefused)
{
    Bytes b = MakeIconFile({ Square(16) });
    PutU16(b, 4, 1000);
    ExpectRefused("count.ico", b);
    PutU16(b, 4, 0);
    ExpectRefused("none.ico", b);
    Bytes header(b.begin(), b.begin() + 6);
    PutU16(header, 4, 1);
    ExpectRefused("header.ico", header);
}

TEST_F(HostileFileTest, IconEntryOutsideTheFileIsRefused)
{
    Bytes b = MakeIconFile({ Square(16), Square(32) });
    Bytes distant = b;
    PutU32(distant, 6 + 16 + 12, 0x7FFFFFF0); // second image's offset
    ExpectRefused("offset.ico", distant);
    Bytes longer = b;
    PutU32(longer, 6 + 16 + 8, 0xFFFFFFF0); // second image's byte count
    ExpectRefused("size.ico", longer);
    Bytes inDirectory = b;
    PutU32(inDirectory, 6 + 12, 2); // first image inside the directory
    ExpectRefused("overlap.ico", inDirectory);
    Bytes cut(b.begin(), b.end() - 1);
    ExpectRefused("cut.ico", cut);
    ExpectRefused("cut.cur", Bytes(cut.begin(), cut.begin() + 30));
}

TEST_F(HostileFileTest, IconWhoseDirectoryDisagreesWithItsImageIsRefused)
{
    Bytes b = MakeIconFile({ Square(16) });
    b[6] = 48; // directory says 48 x 48, the image is 16 x 16
    b[7] = 48;
    ExpectRefused("dims.ico", b);
    b = MakeIconFile({ Square(16) });
    PutU32(b, 6 + 8, 60); // bytes in resource: less than the image needs
    ExpectRefused("bytes.ico", b);
    b = MakeIconFile({ Square(32) }, 2);
    PutU32(b, 6 + 16 + 4, 320); // DIB width disagrees
    ExpectRefused("wide.cur", b);
    b = MakeIconFile({ Square(16) });
    PutU32(b, 6 + 16 + 32, 300); // a palette a 32-bit image cannot have
    ExpectRefused("palette.ico", b);
}

TEST_F(HostileFileTest, RandomlyDamagedHeadersNeverCrash)
{
    // Deterministic damage to the first bytes of valid files: any result is
    // fine as long as a refused file leaves the buffer empty and a loaded one
    // is consistent.
    const Bytes sources[] = { ValidBmp(8, 6, 8), ValidBmp(5, -3, 32), ValidBmp(9, 4, 4),
                              MakeIconFile({ Square(16), Square(32) }) };
    const char* names[] = { "fuzz.bmp", "fuzz.bmp", "fuzz.bmp", "fuzz.ico" };
    unsigned seed = 12345;
    for (int round = 0; round < 240; ++round)
    {
        int which = round % 4;
        Bytes b = sources[which];
        size_t span = which == 3 ? 6 + 32 + 40 : BmpHeaderEnd + 16;
        for (int k = 0; k < 3; ++k)
        {
            seed = seed * 1103515245 + 12345;
            size_t at = (seed >> 8) % span;
            seed = seed * 1103515245 + 12345;
            b[at] = (unsigned char)(seed >> 16);
        }
        CRgbBuffer picture;
        BOOL loaded = picture.LoadRgbBuffer(m_Folder.Write(names[which], b).c_str(), false);
        EXPECT_EQ(loaded, picture.IsImage());
        if (loaded)
        {
            EXPECT_GT(picture.GetWidth(), 0);
            EXPECT_GT(picture.GetHeight(), 0);
        }
        else
            EXPECT_EQ(CSize(0, 0), picture.GetImageSize());
    }
}
