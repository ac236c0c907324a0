// The two resampling kernels, pixel by pixel: the enlarging blend with its
// squared weights and the reducing 2 x 2 block average. Golden values are
// the kernels' own arithmetic worked out by hand.
#include <gtest/gtest.h>
#include <memory>
#include "PixelKit.h"

typedef std::unique_ptr<CRgbBuffer> Owned;

TEST(DecimateKernel, HalvingAlternatingColumnsGives127ExceptColumnZero)
{
    CRgbBuffer picture(16, 8);
    Fill(picture, [](int x, int) { return x % 2 ? Rgb{ 255, 255, 255 } : Rgb{ 0, 0, 0 }; });
    Owned half(picture.CreateDecimatedRGB(2));
    ASSERT_EQ(8, half->GetWidth());
    ASSERT_EQ(4, half->GetHeight());
    for (int y = 0; y < 4; ++y)
    {
        EXPECT_EQ((Rgb{ 0, 0, 0 }), At(*half, 0, y));
        for (int x = 1; x < 8; ++x)
            EXPECT_EQ((Rgb{ 127, 127, 127 }), At(*half, x, y)) << x << ", " << y;
    }
}

TEST(DecimateKernel, NonIntegerRatioSamplesTruncatedPositions)
{
    // 10 -> 4 columns: r = 2.5, blocks start at columns 0, 2, 5 and 7.
    CRgbBuffer picture(10, 10);
    Fill(picture, [](int x, int y) { return Rgb{ x * 20, y * 20, 90 }; });
    Owned small(picture.CreateRectFitRGB(CRect(0, 0, 4, 4)));
    ASSERT_EQ(4, small->GetWidth());
    const int expected[4] = { 0, 30, 90, 130 };
    for (int i = 0; i < 4; ++i)
    {
        EXPECT_EQ(expected[i], At(*small, i, 0).r) << "column " << i;
        EXPECT_EQ(expected[i], At(*small, 0, i).g) << "row " << i;
        EXPECT_EQ(90, At(*small, i, i).b);
    }
}

TEST(DecimateKernel, StrongReductionSamplesOnlyFourPixels)
{
    // r = 10: only columns and rows 10j - 1 and 10j are read, so a bright
    // pixel at (55, 55) disappears.
    CRgbBuffer picture(100, 100);
    Fill(picture, [](int x, int y) { return x == 55 && y == 55 ? Rgb{ 255, 255, 255 } : Rgb{ 0, 0, 0 }; });
    Owned tiny(picture.CreateBestFitRGB(CRect(0, 0, 10, 10)));
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            EXPECT_EQ((Rgb{ 0, 0, 0 }), At(*tiny, x, y));
}

TEST(EnlargeKernel, DoublingRepeatsColumnZeroThenAverages)
{
    CRgbBuffer picture(4, 4);
    Fill(picture, [](int x, int y) { return Rgb{ x * 40, y * 40, 0 }; });
    Owned twice(picture.CreateEnlargedRGB(2));
    ASSERT_EQ(8, twice->GetWidth());
    ASSERT_EQ(8, twice->GetHeight());
    // Columns 0, 1, 2 (fx = 0, 0.5, 1) show source column 0; column 3
    // (fx = 1.5) is the mean of columns 0 and 1.
    EXPECT_EQ(0, At(*twice, 0, 0).r);
    EXPECT_EQ(0, At(*twice, 1, 0).r);
    EXPECT_EQ(0, At(*twice, 2, 0).r);
    EXPECT_EQ(20, At(*twice, 3, 0).r);
    // The same holds for rows.
    EXPECT_EQ(0, At(*twice, 0, 1).g);
    EXPECT_EQ(0, At(*twice, 0, 2).g);
    EXPECT_EQ(20, At(*twice, 0, 3).g);
}

TEST(EnlargeKernel, ThirdsUseSquaredWeights)
{
    const int columns[4] = { 10, 50, 90, 130 };
    const int rows[4] = { 20, 60, 100, 140 };
    CRgbBuffer picture(4, 4);
    Fill(picture, [&](int x, int y) { return Rgb{ columns[x], rows[y], 0 }; });
    Owned larger(picture.CreateEnlargedRGB(3));
    ASSERT_EQ(12, larger->GetWidth());
    const int red[12] = { 10, 10, 10, 10, 22, 35, 50, 62, 75, 90, 102, 115 };
    const int green[12] = { 20, 20, 20, 20, 32, 45, 60, 72, 85, 100, 112, 125 };
    for (int i = 0; i < 12; ++i)
    {
        EXPECT_EQ(red[i], At(*larger, i, 0).r) << "column " << i;
        EXPECT_EQ(green[i], At(*larger, 0, i).g) << "row " << i;
    }
}

TEST(EnlargeKernel, BlendsTheFourNeighboursInBothDirections)
{
    const int blue[2][2] = { { 0, 100 }, { 200, 40 } };
    CRgbBuffer picture(2, 2);
    Fill(picture, [&](int x, int y) { return Rgb{ 0, 0, blue[y][x] }; });
    Owned larger(picture.CreateRectFitRGB(CRect(0, 0, 5, 5)));
    ASSERT_EQ(5, larger->GetWidth());
    ASSERT_EQ(5, larger->GetHeight());
    const int expected[5][5] = { { 0, 0, 0, 13, 59 },
                                 { 0, 0, 0, 13, 59 },
                                 { 0, 0, 0, 13, 59 },
                                 { 27, 27, 27, 36, 65 },
                                 { 118, 118, 118, 110, 86 } };
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(expected[y][x], At(*larger, x, y).b) << x << ", " << y;
}

TEST(Kernels, SourceIsNeverChanged)
{
    CRgbBuffer picture(30, 20);
    Fill(picture, Distinct);
    CRgbBuffer before(picture);
    delete picture.CreateEnlargedRGB(2.7);
    delete picture.CreateDecimatedRGB(3.3);
    delete picture.CreateRectAllRGB(CRect(0, 0, 7, 90), 3);
    EXPECT_EQ(0, memcmp(before.GetBuffer(), picture.GetBuffer(), 30 * 20 * 3));
}

TEST(EnlargeKernel, FlatColourCanLoseOneLevelToTruncation)
{
    // The blend is computed in doubles and truncated: 77 blended with itself
    // at fractional weights comes out as 76.999... and is stored as 76.
    CRgbBuffer picture(4, 4);
    Fill(picture, [](int, int) { return Rgb{ 77, 77, 77 }; });
    Owned larger(picture.CreateEnlargedRGB(3));
    int lowest = 255, highest = 0;
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x)
        {
            lowest = std::min(lowest, At(*larger, x, y).b);
            highest = std::max(highest, At(*larger, x, y).b);
        }
    EXPECT_EQ(77, highest); // whole positions keep the value exactly
    EXPECT_EQ(76, lowest);
}
