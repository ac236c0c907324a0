// Rotations by quarter turns and mirrors: where every pixel goes, how the
// angle is reduced, and the rotate-then-fit combination.
#include <gtest/gtest.h>
#include <memory>
#include "PixelKit.h"

typedef std::unique_ptr<CRgbBuffer> Owned;

namespace
{
// 3 x 2 picture with six distinct pixels, named by their letters:
//   a b c
//   d e f
CRgbBuffer* Letters()
{
    CRgbBuffer* picture = new CRgbBuffer(3, 2);
    Fill(*picture, [](int x, int y) { return Rgb{ 'a' + y * 3 + x, 0, 0 }; });
    picture->m_BackgroundColor = RGB(10, 20, 30);
    return picture;
}

std::string Rows(const CRgbBuffer& picture)
{
    std::string text;
    for (int y = 0; y < picture.GetHeight(); ++y)
    {
        if (y)
            text += '/';
        for (int x = 0; x < picture.GetWidth(); ++x)
            text += (char)At(picture, x, y).r;
    }
    return text;
}
} // namespace

TEST(Geometry, QuarterTurnOfTwoPixelsPutsTheFirstOnTop)
{
    CRgbBuffer pair(2, 1);
    Fill(pair, [](int x, int) { return x == 0 ? Rgb{ 1, 2, 3 } : Rgb{ 4, 5, 6 }; });
    Owned turned(pair.Rotate90RGB());
    ASSERT_EQ(1, turned->GetWidth());
    ASSERT_EQ(2, turned->GetHeight());
    EXPECT_EQ((Rgb{ 1, 2, 3 }), At(*turned, 0, 0));
    EXPECT_EQ((Rgb{ 4, 5, 6 }), At(*turned, 0, 1));
}

TEST(Geometry, EveryPixelLandsWhereTheTurnOrMirrorPutsIt)
{
    Owned letters(Letters());
    EXPECT_EQ("abc/def", Rows(*letters));
    EXPECT_EQ("da/eb/fc", Rows(*Owned(letters->Rotate90RGB())));
    EXPECT_EQ("fed/cba", Rows(*Owned(letters->Rotate180RGB())));
    EXPECT_EQ("cf/be/ad", Rows(*Owned(letters->Rotate270RGB())));
    EXPECT_EQ("cba/fed", Rows(*Owned(letters->FlipHorzRGB())));
    EXPECT_EQ("def/abc", Rows(*Owned(letters->FlipVertRGB())));
}

TEST(Geometry, TurnsKeepAllThreeChannels)
{
    CRgbBuffer picture(5, 4);
    Fill(picture, Distinct);
    Owned turned(picture.Rotate270RGB());
    Owned back(turned->Rotate90RGB());
    EXPECT_EQ(0, memcmp(picture.GetBuffer(), back->GetBuffer(), 5 * 4 * 3));
}

TEST(Geometry, AnglesAreReducedKeepingTheirSign)
{
    Owned letters(Letters());
    EXPECT_EQ("da/eb/fc", Rows(*Owned(letters->CreateRotatedRGB(450))));
    EXPECT_EQ("abc/def", Rows(*Owned(letters->CreateRotatedRGB(-90))));
    EXPECT_EQ("fed/cba", Rows(*Owned(letters->CreateRotatedRGB(540))));
    EXPECT_EQ("cf/be/ad", Rows(*Owned(letters->CreateRotatedRGB(270))));
    EXPECT_EQ("abc/def", Rows(*Owned(letters->CreateRotatedRGB(360))));
    EXPECT_EQ("abc/def", Rows(*Owned(letters->CreateRotatedRGB(45))));
}

TEST(Geometry, ResultsAreNewBuffersWithBackgroundAndNoGrayFlag)
{
    Owned letters(Letters()); // sized constructor: m_GrayScale 1
    Owned turned(letters->Rotate90RGB());
    Owned mirrored(letters->FlipVertRGB());
    Owned copy(letters->CreateRotatedRGB(0));
    EXPECT_EQ(0, turned->m_GrayScale);
    EXPECT_EQ(0, mirrored->m_GrayScale);
    EXPECT_EQ(1, copy->m_GrayScale);
    EXPECT_EQ(RGB(10, 20, 30), turned->m_BackgroundColor);
    EXPECT_EQ(RGB(10, 20, 30), mirrored->m_BackgroundColor);
    EXPECT_NE(letters->GetBuffer(), copy->GetBuffer());
    EXPECT_EQ("abc/def", Rows(*letters));
}

TEST(Geometry, RotateThenFitUsesTheTurnedSize)
{
    CRgbBuffer picture(400, 200);
    Owned best(picture.CreateRotatedRGB(CRect(0, 0, 100, 100), 90, 1));
    EXPECT_EQ(50, best->GetWidth());
    EXPECT_EQ(100, best->GetHeight());
    Owned small(picture.CreateRotatedRGB(CRect(0, 0, 1000, 1000), 270, 1));
    EXPECT_EQ(200, small->GetWidth()); // best fit never enlarges
    EXPECT_EQ(400, small->GetHeight());
    Owned grown(picture.CreateRotatedRGB(CRect(0, 0, 1000, 1000), 270, 0));
    EXPECT_EQ(500, grown->GetWidth());
    EXPECT_EQ(1000, grown->GetHeight());
}

TEST(Geometry, EmptyPictureTurnsIntoAnEmptyCopy)
{
    CRgbBuffer empty;
    for (CRgbBuffer* result : { empty.CreateRotatedRGB(90), empty.Rotate90RGB(),
                                empty.Rotate180RGB(), empty.Rotate270RGB(), empty.FlipHorzRGB(),
                                empty.FlipVertRGB() })
    {
        ASSERT_NE(nullptr, result);
        EXPECT_FALSE(result->IsImage());
        delete result;
    }
}
