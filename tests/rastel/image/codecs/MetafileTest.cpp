// CWmfFile on metafiles recorded through GDI (enhanced, plain Windows and
// placeable Windows), and CTTFFile's fixed type sample.
#include <gtest/gtest.h>

#include "CodecTestKit.h"
#include "ImageBytes.h"
#include "TTFFile.h"
#include "WmfFile.h"

using namespace image_bytes;

namespace
{
// Records a red rectangle (10, 10)-(60, 40) over a white 0..100 x 0..50
// area: the white background fixes the bounds.
void Draw(HDC dc)
{
    HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    HGDIOBJ oldBrush = SelectObject(dc, white);
    Rectangle(dc, 0, 0, 101, 51);
    SelectObject(dc, red);
    Rectangle(dc, 10, 10, 61, 41);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(white);
    DeleteObject(red);
}

bool RecordWmf(const std::string& path, bool placeable)
{
    HDC dc = CreateMetaFileA(NULL);
    if (dc == NULL)
        return false;
    SetWindowOrgEx(dc, 0, 0, NULL);
    SetWindowExtEx(dc, 100, 50, NULL);
    Draw(dc);
    HMETAFILE metafile = CloseMetaFile(dc);
    UINT size = GetMetaFileBitsEx(metafile, 0, NULL);
    Bytes bits(size);
    GetMetaFileBitsEx(metafile, size, bits.data());
    DeleteMetaFile(metafile);
    Bytes file;
    if (placeable)
    {
        Bytes header;
        Put32LE(header, 0x9AC6CDD7);
        Put16LE(header, 0);
        Put16LE(header, 0);
        Put16LE(header, 0);
        Put16LE(header, 100);
        Put16LE(header, 50);
        Put16LE(header, 96); // units per inch
        Put32LE(header, 0);
        unsigned checksum = 0;
        for (size_t i = 0; i < 20; i += 2)
            checksum ^= header[i] | (header[i + 1] << 8);
        Put16LE(header, checksum);
        Append(file, header);
    }
    Append(file, bits);
    return WriteFile(path, file);
}

// Counts red pixels and checks the white ones around them.
int RedPixels(const CRgbBuffer& buffer)
{
    int red = 0;
    for (int i = 0; i < buffer.NumberOfPixels(); ++i)
    {
        const BYTE* p = buffer.GetBuffer() + 3 * i;
        red += p[0] > 200 && p[1] < 50 && p[2] < 50;
    }
    return red;
}
}

TEST(MetafileDecoding, EnhancedMetafilePlaysIntoItsBounds)
{
    test_support::TempFolder folder("wmftest");
    std::string path = folder.File("picture.emf");
    HDC dc = CreateEnhMetaFileA(NULL, path.c_str(), NULL, "test\0picture\0");
    ASSERT_TRUE(dc != NULL);
    Draw(dc);
    DeleteEnhMetaFile(CloseEnhMetaFile(dc));

    CRgbBuffer buffer;
    EXPECT_EQ(LoadWith<CWmfFile>(path, buffer), 1);
    ASSERT_TRUE(buffer.IsImage());
    EXPECT_NEAR(buffer.GetWidth(), 100, 1);
    EXPECT_NEAR(buffer.GetHeight(), 50, 1);
    EXPECT_EQ(ColorAt(buffer, 3, 3), RGB(255, 255, 255));
    EXPECT_EQ(ColorAt(buffer, 30, 25), RGB(255, 0, 0));
    EXPECT_EQ(ColorAt(buffer, 80, 25), RGB(255, 255, 255));
    EXPECT_NEAR(RedPixels(buffer), 51 * 31, 51 + 31 + 1);
}

TEST(MetafileDecoding, PlainAndPlaceableWindowsMetafiles)
{
    test_support::TempFolder folder("wmftest");
    for (bool placeable : { false, true })
    {
        std::string path = folder.File(placeable ? "placeable.wmf" : "plain.wmf");
        ASSERT_TRUE(RecordWmf(path, placeable));
        CRgbBuffer buffer;
        EXPECT_EQ(LoadWith<CWmfFile>(path, buffer), 1) << placeable;
        ASSERT_TRUE(buffer.IsImage()) << placeable;
        // Played onto the reference device: the picture keeps its proportions
        // and holds the red rectangle at the same relative place.
        int w = buffer.GetWidth(), h = buffer.GetHeight();
        EXPECT_GT(w, 10);
        EXPECT_GT(h, 5);
        EXPECT_EQ(ColorAt(buffer, w * 30 / 100, h / 2), RGB(255, 0, 0)) << placeable;
        EXPECT_EQ(ColorAt(buffer, w * 85 / 100, h / 2), RGB(255, 255, 255)) << placeable;
    }
}

TEST(MetafileDecoding, OtherFilesAreRefused)
{
    test_support::TempFolder folder("wmftest");
    std::string path = folder.File("garbage.wmf");
    ASSERT_TRUE(WriteFile(path, Bytes(100, 0x41)));
    CRgbBuffer buffer;
    EXPECT_EQ(LoadWith<CWmfFile>(path, buffer), 0);
    EXPECT_FALSE(buffer.IsImage());
    ASSERT_TRUE(WriteFile(path, Bytes()));
    EXPECT_EQ(LoadWith<CWmfFile>(path, buffer), 0);
    EXPECT_EQ(LoadWith<CWmfFile>(folder.File("missing.emf"), buffer), 0);
    EXPECT_FALSE(buffer.IsImage());
}

TEST(TypeSample, EveryFontFileGivesTheSameSample)
{
    test_support::TempFolder folder("ttftest");
    std::string fake = folder.File("fake.ttf");
    ASSERT_TRUE(WriteFile(fake, Bytes(64, 0x00)));
    std::string real = "Z:\\usr\\share\\fonts\\truetype\\dejavu\\DejaVuSans.ttf";
    if (GetFileAttributesA(real.c_str()) == INVALID_FILE_ATTRIBUTES)
    {
        real = folder.File("other.ttf");
        ASSERT_TRUE(WriteFile(real, Bytes(3000, 0x7F)));
    }
    CRgbBuffer a, b;
    EXPECT_EQ(LoadWith<CTTFFile>(fake, a), 1);
    EXPECT_EQ(LoadWith<CTTFFile>(real, b), 1);
    ASSERT_TRUE(a.IsImage() && b.IsImage());
    EXPECT_EQ(a.GetWidth(), 640);
    EXPECT_EQ(a.GetHeight(), 480);
    EXPECT_EQ(0, memcmp(a.GetBuffer(), b.GetBuffer(), 640 * 480 * 3));
}

TEST(TypeSample, OneBlackLineCentredAtTheTop)
{
    test_support::TempFolder folder("ttftest");
    std::string path = folder.File("font.ttf");
    ASSERT_TRUE(WriteFile(path, Bytes(10, 1)));
    CRgbBuffer sample;
    ASSERT_EQ(LoadWith<CTTFFile>(path, sample), 1);
    int top = 480, bottom = -1, left = 640, right = -1;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
        {
            const BYTE* p = PixelAt(sample, x, y);
            EXPECT_TRUE(p[0] == p[1] && p[1] == p[2]) << "grey only at " << x << "," << y;
            if (p[0] < 128)
            {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    // A 60-point line (80 pixels at 96 dpi) at the top; too wide for 640
    // pixels, so it is cut with an ellipsis and fills the width.
    EXPECT_LT(top, 30);
    EXPECT_GT(bottom, 40);
    EXPECT_LT(bottom, 110);
    EXPECT_LT(left, 40);
    EXPECT_GT(right, 600);
    EXPECT_EQ(ColorAt(sample, 320, 300), RGB(255, 255, 255));
}

TEST(TypeSample, MissingFileIsNoPicture)
{
    CRgbBuffer buffer;
    EXPECT_EQ(LoadWith<CTTFFile>("Z:\\no\\such\\folder\\font.ttf", buffer), 0);
    EXPECT_FALSE(buffer.IsImage());
}
