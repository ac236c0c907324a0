// The fitting operations: target sizes, never/always enlarging, centring on
// a grey canvas, and the flags every derived buffer carries.
#include <gtest/gtest.h>
#include <memory>
#include "PixelKit.h"

typedef std::unique_ptr<CRgbBuffer> Owned;

TEST(Fitting, BestFitOfFourByThreeMegapixelsInto120x80Is106x80)
{
    CRgbBuffer picture(4000, 3000);
    Owned fitted(picture.CreateBestFitRGB(CRect(0, 0, 120, 80)));
    EXPECT_EQ(106, fitted->GetWidth());
    EXPECT_EQ(80, fitted->GetHeight());
}

TEST(Fitting, BestFitNeverEnlargesButRectFitDoes)
{
    CRgbBuffer picture(100, 50);
    Fill(picture, Distinct);
    Owned best(picture.CreateBestFitRGB(CRect(0, 0, 400, 400)));
    ASSERT_EQ(100, best->GetWidth());
    ASSERT_EQ(50, best->GetHeight());
    EXPECT_EQ(0, memcmp(picture.GetBuffer(), best->GetBuffer(), 100 * 50 * 3));
    EXPECT_NE(picture.GetBuffer(), best->GetBuffer());

    Owned rect(picture.CreateRectFitRGB(CRect(0, 0, 400, 400)));
    EXPECT_EQ(400, rect->GetWidth());
    EXPECT_EQ(200, rect->GetHeight());
}

TEST(Fitting, OffsetRectanglesCountOnlyTheirSize)
{
    CRgbBuffer picture(300, 200);
    Owned fitted(picture.CreateBestFitRGB(CRect(50, 70, 110, 170)));
    EXPECT_EQ(60, fitted->GetWidth());
    EXPECT_EQ(40, fitted->GetHeight());
}

TEST(Fitting, HeightTruncatedToZeroGivesOnePixel)
{
    CRgbBuffer picture(1000, 10);
    Owned fitted(picture.CreateBestFitRGB(CRect(0, 0, 1, 1)));
    EXPECT_EQ(1, fitted->GetWidth());
    EXPECT_EQ(1, fitted->GetHeight());
}

TEST(Fitting, EnlargeAndDecimateScaleBothSides)
{
    CRgbBuffer picture(40, 30);
    Owned larger(picture.CreateEnlargedRGB(2.5));
    EXPECT_EQ(100, larger->GetWidth());
    EXPECT_EQ(75, larger->GetHeight());
    // 40 / 4 x 30 / 4 truncates to 10 x 7, and fitting that keeps the
    // aspect ratio by the smaller scale: 7 / 30 of 40 is 9.33.
    Owned smaller(picture.CreateDecimatedRGB(4));
    EXPECT_EQ(9, smaller->GetWidth());
    EXPECT_EQ(7, smaller->GetHeight());
    Owned same(picture.CreateDecimatedRGB(0));
    EXPECT_EQ(40, same->GetWidth());
    EXPECT_EQ(30, same->GetHeight());
}

TEST(Fitting, DerivedBuffersCarryBackgroundAndNoGrayFlag)
{
    CRgbBuffer picture(64, 48); // the sized constructor sets m_GrayScale 1
    picture.m_BackgroundColor = RGB(1, 2, 3);
    ASSERT_EQ(1, picture.m_GrayScale);
    Owned smaller(picture.CreateBestFitRGB(CRect(0, 0, 32, 32)));
    Owned larger(picture.CreateRectFitRGB(CRect(0, 0, 128, 128)));
    Owned copy(picture.CreateBestFitRGB(CRect(0, 0, 640, 480)));
    EXPECT_EQ(0, smaller->m_GrayScale);
    EXPECT_EQ(0, larger->m_GrayScale);
    EXPECT_EQ(1, copy->m_GrayScale); // a straight copy keeps the flag
    EXPECT_EQ(RGB(1, 2, 3), smaller->m_BackgroundColor);
    EXPECT_EQ(RGB(1, 2, 3), larger->m_BackgroundColor);
    EXPECT_EQ(RGB(1, 2, 3), copy->m_BackgroundColor);
    EXPECT_EQ(NULL, smaller->m_Bitmap);
}

TEST(Fitting, EmptyPictureGivesEmptyCopies)
{
    CRgbBuffer empty;
    empty.m_BackgroundColor = RGB(9, 9, 9);
    Owned a(empty.CreateBestFitRGB(CRect(0, 0, 10, 10)));
    Owned b(empty.CreateRectFitRGB(CRect(0, 0, 10, 10)));
    Owned c(empty.CreateEnlargedRGB(3));
    Owned d(empty.CreateDecimatedRGB(3));
    for (CRgbBuffer* result : { a.get(), b.get(), c.get(), d.get() })
    {
        ASSERT_NE(nullptr, result);
        EXPECT_FALSE(result->IsImage());
        EXPECT_EQ(RGB(9, 9, 9), result->m_BackgroundColor);
    }
}

TEST(Fitting, AbsurdFactorsGiveEmptyBuffersNotCrashes)
{
    CRgbBuffer picture(400, 300);
    Owned huge(picture.CreateEnlargedRGB(1e6));
    ASSERT_NE(nullptr, huge);
    EXPECT_FALSE(huge->IsImage());
    Owned nan(picture.CreateEnlargedRGB(0.0 / 0.0));
    ASSERT_NE(nullptr, nan);
    EXPECT_EQ(1, nan->GetWidth()); // a NaN size counts as 0, raised to 1 pixel
}

TEST(RectAll, WidePictureIsReducedAndCentredVertically)
{
    CRgbBuffer picture(400, 200);
    Fill(picture, [](int, int) { return Rgb{ 200, 100, 50 }; });
    Owned all(picture.CreateRectAllRGB(CRect(0, 0, 100, 100), 0));
    ASSERT_EQ(100, all->GetWidth());
    ASSERT_EQ(100, all->GetHeight());
    EXPECT_EQ(1, all->m_GrayScale);
    for (int y = 0; y < 100; ++y)
    {
        Rgb expected = (y >= 25 && y <= 74) ? Rgb{ 200, 100, 50 } : Rgb{ 0, 0, 0 };
        EXPECT_EQ(expected, At(*all, 0, y)) << "row " << y;
        EXPECT_EQ(expected, At(*all, 99, y)) << "row " << y;
    }
}

TEST(RectAll, SmallPictureIsCentredUnscaledOnTheFillLevel)
{
    CRgbBuffer picture(50, 50);
    Fill(picture, Distinct);
    picture.m_BackgroundColor = RGB(4, 5, 6);
    Owned all(picture.CreateRectAllRGB(CRect(0, 0, 100, 100), 0x40));
    ASSERT_EQ(100, all->GetWidth());
    EXPECT_EQ(RGB(4, 5, 6), all->m_BackgroundColor);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x)
        {
            bool inside = x >= 25 && x < 75 && y >= 25 && y < 75;
            Rgb expected = inside ? Distinct(x - 25, y - 25) : Rgb{ 0x40, 0x40, 0x40 };
            ASSERT_EQ(expected, At(*all, x, y)) << x << ", " << y;
        }
}

TEST(RectAll, OddMarginGoesRightAndBelow)
{
    CRgbBuffer picture(3, 3);
    Fill(picture, [](int, int) { return Rgb{ 255, 255, 255 }; });
    Owned all(picture.CreateRectAllRGB(CRect(0, 0, 6, 6), 0));
    EXPECT_EQ((Rgb{ 0, 0, 0 }), At(*all, 0, 0));
    EXPECT_EQ((Rgb{ 255, 255, 255 }), At(*all, 1, 1));
    EXPECT_EQ((Rgb{ 255, 255, 255 }), At(*all, 3, 3));
    EXPECT_EQ((Rgb{ 0, 0, 0 }), At(*all, 4, 4));
}

TEST(RectAll, SameSizeIsAPlainCopyAndEmptyGivesTheCanvas)
{
    CRgbBuffer picture(20, 10);
    picture.m_GrayScale = 0;
    Owned same(picture.CreateRectAllRGB(CRect(0, 0, 20, 10), 7));
    EXPECT_EQ(0, same->m_GrayScale);
    EXPECT_EQ((Rgb{ 0, 0, 0 }), At(*same, 5, 5));

    CRgbBuffer empty;
    Owned canvas(empty.CreateRectAllRGB(CRect(0, 0, 4, 3), 7));
    ASSERT_EQ(4, canvas->GetWidth());
    ASSERT_EQ(3, canvas->GetHeight());
    EXPECT_EQ((Rgb{ 7, 7, 7 }), At(*canvas, 3, 2));
}

TEST(RectAll, ZeroHeightTargetDoesNotWriteOutsideTheCanvas)
{
    CRgbBuffer picture(30, 30);
    Owned all(picture.CreateRectAllRGB(CRect(0, 0, 30, 0), 9));
    ASSERT_NE(nullptr, all);
    EXPECT_FALSE(all->IsImage());
}
