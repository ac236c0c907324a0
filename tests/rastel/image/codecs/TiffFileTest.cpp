// CTiffFile on hand-made files: row order, strips, and hostile directories.
#include <gtest/gtest.h>

#include "CodecTestKit.h"
#include "ImageBytes.h"
#include "TiffFile.h"

using namespace image_bytes;

namespace
{
// width x height, row y of colour rowColor(y), column x tinted by x.
Bytes Pixels(uint32_t width, uint32_t height)
{
    Bytes rgb;
    for (uint32_t y = 0; y < height; ++y)
        for (uint32_t x = 0; x < width; ++x)
        {
            rgb.push_back((uint8_t)(y == 0 ? 255 : 10 * y));
            rgb.push_back((uint8_t)(x * 20));
            rgb.push_back((uint8_t)(y == height - 1 ? 255 : 0));
        }
    return rgb;
}

const auto LoadTiff = WriteAndLoad<CTiffFile>;
}

TEST(TiffDecoding, TopRowComesFirst)
{
    test_support::TempFolder folder("tifftest");
    CRgbBuffer buffer;
    EXPECT_EQ(LoadTiff(folder, "rows.tif", MakeTiffRgb(3, 4, Pixels(3, 4)), buffer), 1);
    ASSERT_TRUE(buffer.IsImage());
    EXPECT_EQ(buffer.GetWidth(), 3);
    EXPECT_EQ(buffer.GetHeight(), 4);
    EXPECT_EQ(ColorAt(buffer, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(ColorAt(buffer, 2, 0), RGB(255, 40, 0));
    EXPECT_EQ(ColorAt(buffer, 1, 3), RGB(30, 20, 255));
    EXPECT_EQ(ColorAt(buffer, 1, 2), RGB(20, 20, 0));
}

TEST(TiffDecoding, SeveralStripsJoin)
{
    test_support::TempFolder folder("tifftest");
    Bytes rgb = Pixels(5, 7);
    CRgbBuffer buffer;
    LoadTiff(folder, "strips.tif", MakeTiffRgb(5, 7, rgb, 2), buffer);
    ASSERT_TRUE(buffer.IsImage());
    EXPECT_EQ(0, memcmp(buffer.GetBuffer(), rgb.data(), rgb.size()));
}

TEST(TiffHostile, NotATiffLeavesTheBufferEmpty)
{
    test_support::TempFolder folder("tifftest");
    CRgbBuffer buffer;
    EXPECT_EQ(LoadTiff(folder, "text.tif", Bytes{ 'I', 'I', 42, 0, 'x', 'y' }, buffer), 1);
    EXPECT_FALSE(buffer.IsImage());
    EXPECT_EQ(LoadWith<CTiffFile>(folder.File("missing.tif"), buffer), 1);
    EXPECT_FALSE(buffer.IsImage());
}

TEST(TiffHostile, DirectoryCycleLoadsTheFirstImage)
{
    test_support::TempFolder folder("tifftest");
    uint32_t ifd = 0;
    Bytes tif = MakeTiffRgb(2, 2, Pixels(2, 2), 0, &ifd);
    Set32LE(tif, tif.size() - 4, ifd); // the next directory is this one
    CRgbBuffer buffer;
    LoadTiff(folder, "cycle.tif", tif, buffer);
    ASSERT_TRUE(buffer.IsImage());
    EXPECT_EQ(ColorAt(buffer, 0, 0), RGB(255, 0, 0));
}

TEST(TiffHostile, StripCountsThatDisagreeWithOffsets)
{
    test_support::TempFolder folder("tifftest");
    uint32_t ifd = 0;
    Bytes tif = MakeTiffRgb(4, 6, Pixels(4, 6), 2, &ifd);
    size_t counts = TiffEntryValueAt(tif, ifd, 279);
    ASSERT_NE(counts, 0u);
    Set32LE(tif, counts - 4, 1); // one byte count for three strips
    CRgbBuffer buffer;
    LoadTiff(folder, "stripcounts.tif", tif, buffer);
    if (buffer.IsImage())
    {
        EXPECT_EQ(buffer.GetWidth(), 4);
    }

    Bytes huge = MakeTiffRgb(4, 6, Pixels(4, 6), 2, &ifd);
    uint32_t countsOffset = huge[counts] | (huge[counts + 1] << 8) | (huge[counts + 2] << 16);
    Set32LE(huge, countsOffset, 0x7FFFFFF0); // a strip far longer than the file
    CRgbBuffer other;
    LoadTiff(folder, "striplength.tif", huge, other);
    if (other.IsImage())
    {
        EXPECT_EQ(other.GetHeight(), 6);
    }
}

TEST(TiffHostile, BrokenDirectoriesAreRefused)
{
    test_support::TempFolder folder("tifftest");
    uint32_t ifd = 0;
    Bytes base = MakeTiffRgb(2, 2, Pixels(2, 2), 0, &ifd);

    Bytes beyond = base;
    Set32LE(beyond, 4, 0x10000000); // directory offset past the end
    CRgbBuffer a;
    LoadTiff(folder, "beyond.tif", beyond, a);
    EXPECT_FALSE(a.IsImage());

    Bytes manyEntries = base;
    manyEntries[ifd] = 0xFF;
    manyEntries[ifd + 1] = 0xFF; // 65535 entries in a file of a few hundred bytes
    CRgbBuffer b;
    LoadTiff(folder, "entries.tif", manyEntries, b);
    EXPECT_FALSE(b.IsImage());

    Bytes noWidth = base;
    size_t width = TiffEntryValueAt(noWidth, ifd, 256);
    ASSERT_NE(width, 0u);
    Set32LE(noWidth, width, 0);
    CRgbBuffer c;
    LoadTiff(folder, "nowidth.tif", noWidth, c);
    EXPECT_FALSE(c.IsImage());
}

TEST(TiffHostile, HugeDimensionsAreRefused)
{
    test_support::TempFolder folder("tifftest");
    const uint32_t sizes[][2] = { { 100000, 100000 }, { 0xFFFFFFFF, 2 }, { 30000, 30000 } };
    for (auto& size : sizes)
    {
        uint32_t ifd = 0;
        Bytes tif = MakeTiffRgb(2, 2, Pixels(2, 2), 0, &ifd);
        size_t width = TiffEntryValueAt(tif, ifd, 256), height = TiffEntryValueAt(tif, ifd, 257),
               rows = TiffEntryValueAt(tif, ifd, 278);
        ASSERT_TRUE(width && height && rows);
        Set32LE(tif, width, size[0]);
        Set32LE(tif, height, size[1]);
        Set32LE(tif, rows, size[1]);
        CRgbBuffer buffer;
        EXPECT_EQ(LoadTiff(folder, "huge.tif", tif, buffer), 1);
        EXPECT_FALSE(buffer.IsImage()) << size[0];
    }
}

TEST(TiffHostile, TruncatedFilesNeverFault)
{
    test_support::TempFolder folder("tifftest");
    uint32_t ifd = 0;
    Bytes whole = MakeTiffRgb(6, 6, Pixels(6, 6), 2, &ifd);
    for (size_t length = 0; length < whole.size(); length += 3)
    {
        Bytes cut(whole.begin(), whole.begin() + length);
        CRgbBuffer buffer;
        EXPECT_EQ(LoadTiff(folder, "cut.tif", cut, buffer), 1);
        // The directory sits after the pixels: without it there is no picture.
        if (length <= ifd)
        {
            EXPECT_FALSE(buffer.IsImage()) << length;
        }
        else if (buffer.IsImage())
        {
            EXPECT_EQ(buffer.GetWidth(), 6) << length;
        }
    }
    // Pixel data cut short under a whole directory: what is there shows.
    ASSERT_GT(whole.size(), 80u);
    Bytes shortStrips(whole.begin(), whole.begin() + 44);
    shortStrips.insert(shortStrips.end(), whole.begin() + 80, whole.end());
    CRgbBuffer partial;
    LoadTiff(folder, "short.tif", shortStrips, partial);
}
