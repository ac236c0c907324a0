// Brightness/contrast, saturation, gamma, red-eye and watermark arithmetic.
#include <gtest/gtest.h>
#include <math.h>
#include <memory>

#include "RgbBuffer.h"

namespace
{
// A width x height picture of one colour.
std::unique_ptr<CRgbBuffer> Solid(int width, int height, BYTE r, BYTE g, BYTE b)
{
    std::unique_ptr<CRgbBuffer> buffer(new CRgbBuffer(width, height));
    BYTE* p = buffer->GetBuffer();
    for (int i = 0; i < width * height; ++i, p += 3)
    {
        p[0] = r;
        p[1] = g;
        p[2] = b;
    }
    return buffer;
}

// A 256 x 1 picture whose pixel i is (i, i, i).
std::unique_ptr<CRgbBuffer> Ramp()
{
    std::unique_ptr<CRgbBuffer> buffer(new CRgbBuffer(256, 1));
    for (int i = 0; i < 256; ++i)
        buffer->GetBuffer()[3 * i] = buffer->GetBuffer()[3 * i + 1] = buffer->GetBuffer()[3 * i + 2] =
            (BYTE)i;
    return buffer;
}

const BYTE* Pixel(CRgbBuffer& buffer, int x, int y)
{
    return buffer.GetBuffer() + 3 * (y * buffer.GetWidth() + x);
}

#define EXPECT_PIXEL(buffer, x, y, r, g, b)                                                        \
    do                                                                                             \
    {                                                                                              \
        const BYTE* p_ = Pixel(buffer, x, y);                                                      \
        EXPECT_EQ(p_[0], r) << "(" << (x) << "," << (y) << ") red";                                \
        EXPECT_EQ(p_[1], g) << "(" << (x) << "," << (y) << ") green";                              \
        EXPECT_EQ(p_[2], b) << "(" << (x) << "," << (y) << ") blue";                               \
    } while (0)
}

TEST(AdjustLight, NeutralChangesNothing)
{
    auto ramp = Ramp();
    ramp->AdjustLight(0, 0);
    for (int i = 0; i < 256; ++i)
        EXPECT_PIXEL(*ramp, i, 0, i, i, i);
}

TEST(AdjustLight, DoubleContrastAroundMiddleGrey)
{
    auto ramp = Ramp();
    ramp->AdjustLight(0, 100);
    EXPECT_PIXEL(*ramp, 64, 0, 0, 0, 0);
    EXPECT_PIXEL(*ramp, 128, 0, 128, 128, 128);
    EXPECT_PIXEL(*ramp, 192, 0, 255, 255, 255);
    EXPECT_PIXEL(*ramp, 100, 0, 72, 72, 72); // (100 - 128) x 2 + 128
    EXPECT_PIXEL(*ramp, 10, 0, 0, 0, 0);     // clamped below
}

TEST(AdjustLight, BrightnessFiftyAddsSixtyFourAndSaturates)
{
    auto ramp = Ramp();
    ramp->AdjustLight(50, 0);
    for (int i = 0; i < 256; ++i)
    {
        int expected = std::min(i + 64, 255);
        EXPECT_PIXEL(*ramp, i, 0, expected, expected, expected);
    }
}

TEST(AdjustLight, TruncatesFractionalLevels)
{
    // contrast -50: (i - 128) x 0.5 + 128; i = 1 gives 64.5 -> 64.
    auto ramp = Ramp();
    ramp->AdjustLight(0, -50);
    EXPECT_PIXEL(*ramp, 1, 0, 64, 64, 64);
    EXPECT_PIXEL(*ramp, 255, 0, 191, 191, 191);
}

TEST(AdjustColor, MinusHundredGivesLumaGrey)
{
    auto buffer = Solid(2, 1, 200, 100, 50);
    buffer->AdjustColor(-100);
    EXPECT_PIXEL(*buffer, 0, 0, 124, 124, 124);
    EXPECT_PIXEL(*buffer, 1, 0, 124, 124, 124);

    auto red = Solid(1, 1, 255, 0, 0);
    red->AdjustColor(-100);
    EXPECT_PIXEL(*red, 0, 0, 76, 76, 76);
}

TEST(AdjustColor, PlusHundredTriplesTheDistanceAndClamps)
{
    auto red = Solid(1, 1, 255, 0, 0);
    red->AdjustColor(100);
    EXPECT_PIXEL(*red, 0, 0, 255, 0, 0);

    // Y = (306*100 + 601*120 + 117*140) >> 10 = 116; c + (c - Y) * 100 / 50.
    auto mild = Solid(1, 1, 100, 120, 140);
    mild->AdjustColor(100);
    EXPECT_PIXEL(*mild, 0, 0, 100 - 32, 120 + 8, 140 + 48);
}

TEST(AdjustColor, NegativeDivisionTruncatesTowardZero)
{
    // Y = 116 as above; s = -30: (100-116)*-30/100 = 4 (4.8), (120-116)*-30/100 = -1 (-1.2),
    // (140-116)*-30/100 = -7 (-7.2).
    auto mild = Solid(1, 1, 100, 120, 140);
    mild->AdjustColor(-30);
    EXPECT_PIXEL(*mild, 0, 0, 104, 119, 133);
}

TEST(AdjustGamma, EighteenIsTheIdentity)
{
    auto ramp = Ramp();
    ramp->AdjustGamma(18);
    for (int i = 0; i < 256; ++i)
        EXPECT_PIXEL(*ramp, i, 0, i, i, i);
}

TEST(AdjustGamma, ChannelsUseTheirOwnTables)
{
    auto ramp = Ramp();
    // red: v = 0 -> p = 10 (darkens); green unchanged; blue: v = 38 -> p = 0.5.
    ramp->AdjustGamma(0, 18, 38);
    for (int i : { 0, 1, 64, 128, 200, 255 })
    {
        int red = (int)(pow(i / 255.0, 10) * 255 + 1e-9);
        int blue = (int)(pow((double)i, 0.5) / (pow(255.0, 0.5) / 255));
        const BYTE* p = Pixel(*ramp, i, 0);
        EXPECT_NEAR(p[0], red, 1) << i;
        EXPECT_EQ(p[1], i) << i;
        EXPECT_NEAR(p[2], blue, 1) << i;
    }
    EXPECT_PIXEL(*ramp, 128, 0, 0, 128, 180); // 255 x (128/255)^0.5 = 180.6
    EXPECT_PIXEL(*ramp, 255, 0, 255, 255, 255);
}

TEST(AdjustGamma, NegativeSettingsActLikeTheirMagnitude)
{
    auto a = Ramp(), b = Ramp();
    a->AdjustGamma(-10);
    b->AdjustGamma(10);
    EXPECT_EQ(0, memcmp(a->GetBuffer(), b->GetBuffer(), 256 * 3));
}

TEST(CreateAlteredRGB, NeutralSettingsGiveAnUnchangedCopy)
{
    auto source = Solid(3, 2, 10, 20, 30);
    source->m_GrayScale = 1;
    std::unique_ptr<CRgbBuffer> copy(source->CreateAlteredRGB(0, 0, 0, 18, 18, 18));
    ASSERT_TRUE(copy && copy->IsImage());
    EXPECT_NE(copy->GetBuffer(), source->GetBuffer());
    EXPECT_EQ(0, memcmp(copy->GetBuffer(), source->GetBuffer(), 18));
    EXPECT_EQ(copy->m_GrayScale, 1); // copy constructor
}

TEST(CreateAlteredRGB, AppliesLightThenColourThenGammaAndLeavesTheSource)
{
    auto source = Solid(1, 1, 200, 100, 50);
    std::unique_ptr<CRgbBuffer> altered(source->CreateAlteredRGB(-100, 50, 0, 18, 18, 18));
    // Light first: (255, 164, 114); then grey: (306*255 + 601*164 + 117*114) >> 10 = 185.
    EXPECT_PIXEL(*altered, 0, 0, 185, 185, 185);
    EXPECT_PIXEL(*source, 0, 0, 200, 100, 50);

    std::unique_ptr<CRgbBuffer> darker(source->CreateAlteredRGB(0, 0, 0, 0, 18, 18));
    EXPECT_PIXEL(*darker, 0, 0, (int)(pow(200 / 255.0, 10) * 255), 100, 50);
}

TEST(RemoveRedEye, CentreIsDividedByOnePlusRadiusPercent)
{
    auto buffer = Solid(41, 41, 200, 0, 0);
    buffer->RemoveRedEye(CPoint(20, 20), 10);
    EXPECT_PIXEL(*buffer, 20, 20, 181, 0, 0); // trunc(200 / 1.1)
    // At distance 5: 200 / (1 + 0.05) = 190.47.
    EXPECT_PIXEL(*buffer, 25, 20, 190, 0, 0);
    // Distance 10 and beyond is untouched (strictly inside the circle only).
    EXPECT_PIXEL(*buffer, 30, 20, 200, 0, 0);
    EXPECT_PIXEL(*buffer, 20, 10, 200, 0, 0);
    EXPECT_PIXEL(*buffer, 27, 27, 199, 0, 0); // d^2 = 98: 200 / 1.00101
    EXPECT_PIXEL(*buffer, 28, 28, 200, 0, 0); // d^2 = 128
}

TEST(RemoveRedEye, OnlyPixelsRedderThanGreenAndBlue)
{
    auto buffer = Solid(21, 21, 255, 255, 255);
    BYTE* p = buffer->GetBuffer() + 3 * (10 * 21 + 11);
    p[0] = 150;
    p[1] = 150; // red equal to green: not reddish
    p[2] = 10;
    buffer->RemoveRedEye(CPoint(10, 10), 10);
    EXPECT_PIXEL(*buffer, 10, 10, 255, 255, 255);
    EXPECT_PIXEL(*buffer, 11, 10, 150, 150, 10);
}

TEST(RemoveRedEye, CircleNearACornerTreatsOnlyTheInsidePart)
{
    auto buffer = Solid(10, 10, 200, 0, 0);
    buffer->RemoveRedEye(CPoint(0, 0), 10);
    EXPECT_PIXEL(*buffer, 0, 0, 181, 0, 0);
    EXPECT_PIXEL(*buffer, 9, 9, 200, 0, 0); // d^2 = 162
    EXPECT_PIXEL(*buffer, 6, 7, 198, 0, 0); // d^2 = 85: 200 / 1.0078

    // A centre far outside the picture touches nothing.
    auto untouched = Solid(4, 4, 200, 0, 0);
    untouched->RemoveRedEye(CPoint(-100000, 2000000000), 50);
    untouched->RemoveRedEye(CPoint(2, 2), 0);
    EXPECT_PIXEL(*untouched, 2, 2, 200, 0, 0);
}

TEST(ApplyWatermark, BlendsByTransparencyAndSkipsBlack)
{
    auto photo = Solid(4, 4, 0, 0, 0);
    auto mark = Solid(2, 2, 200, 200, 200);
    mark->GetBuffer()[3 * 3 + 0] = mark->GetBuffer()[3 * 3 + 1] = mark->GetBuffer()[3 * 3 + 2] = 0;
    photo->ApplyWatermark(1, 1, mark.get(), 50);
    EXPECT_PIXEL(*photo, 1, 1, 100, 100, 100);
    EXPECT_PIXEL(*photo, 2, 1, 100, 100, 100);
    EXPECT_PIXEL(*photo, 2, 2, 0, 0, 0); // black mark pixel
    EXPECT_PIXEL(*photo, 0, 0, 0, 0, 0);
}

TEST(ApplyWatermark, OpaqueAndInvisibleEnds)
{
    auto photo = Solid(2, 1, 10, 20, 30);
    auto mark = Solid(1, 1, 200, 150, 100);
    photo->ApplyWatermark(0, 0, mark.get(), 0);
    EXPECT_PIXEL(*photo, 0, 0, 200, 150, 100);
    photo->ApplyWatermark(1, 0, mark.get(), 100);
    EXPECT_PIXEL(*photo, 1, 0, 10, 20, 30);
    // t = 33: 200 + (10 - 200) * 33 / 100 = 200 - 62 = 138 (-62.7 truncated toward zero).
    auto other = Solid(1, 1, 10, 10, 10);
    other->ApplyWatermark(0, 0, mark.get(), 33);
    EXPECT_PIXEL(*other, 0, 0, 138, 104, 71);
}

TEST(ApplyWatermark, PartsOutsideTheBufferAreSkippedOnEverySide)
{
    auto photo = Solid(3, 3, 0, 0, 0);
    auto mark = Solid(3, 3, 90, 90, 90);
    photo->ApplyWatermark(-2, -2, mark.get(), 0);
    EXPECT_PIXEL(*photo, 0, 0, 90, 90, 90);
    EXPECT_PIXEL(*photo, 1, 0, 0, 0, 0);
    EXPECT_PIXEL(*photo, 0, 1, 0, 0, 0);
    photo->ApplyWatermark(2, 2, mark.get(), 0);
    EXPECT_PIXEL(*photo, 2, 2, 90, 90, 90);
    EXPECT_PIXEL(*photo, 1, 1, 0, 0, 0);
    // Far away, empty or null marks change nothing and do not fault.
    photo->ApplyWatermark(2000000000, -2000000000, mark.get(), 0);
    photo->ApplyWatermark(-2147483647, 0, mark.get(), 0);
    CRgbBuffer empty;
    photo->ApplyWatermark(0, 0, &empty, 0);
    photo->ApplyWatermark(0, 0, NULL, 0);
    EXPECT_PIXEL(*photo, 1, 1, 0, 0, 0);
}

TEST(ColourOperations, EmptyBuffersAreLeftAlone)
{
    CRgbBuffer empty;
    empty.AdjustLight(10, 10);
    empty.AdjustColor(50);
    empty.AdjustGamma(3);
    empty.RemoveRedEye(CPoint(0, 0), 5);
    std::unique_ptr<CRgbBuffer> copy(empty.CreateAlteredRGB(10, 10, 10, 1, 2, 3));
    ASSERT_TRUE(copy != nullptr);
    EXPECT_FALSE(copy->IsImage());
}
