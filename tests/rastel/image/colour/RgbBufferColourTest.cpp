// Brightness/contrast, saturation, gamma, red-eye and watermark arithmetic.
#include <gtest/gtest.h>
#include <math.h>
#include <stdlib.h>
#include <string.h>
#include <algorithm>
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

namespace
{
struct Rgb
{
    BYTE r, g, b;
};

// A 60 x 44 portrait detail: skin, an eye at (20, 20) whose red pupil of
// radius 4 has a half-blended rim and a 2 x 2 white catch-light, and a red
// shirt from row 27 down, inside the edge of a radius-8 circle round the eye.
struct EyeScene
{
    enum { kWidth = 60, kHeight = 44, kEyeX = 20, kEyeY = 20, kShirtRow = 27 };
    std::unique_ptr<CRgbBuffer> picture;
    explicit EyeScene(Rgb skin, Rgb pupil)
    {
        picture = Solid(kWidth, kHeight, skin.r, skin.g, skin.b);
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
            {
                BYTE* p = picture->GetBuffer() + 3 * (y * kWidth + x);
                int d2 = Distance2(x, y);
                if (IsCatchLight(x, y))
                    p[0] = p[1] = p[2] = 255;
                else if (d2 <= 16)
                    Set(p, pupil);
                else if (d2 <= 25)
                    Set(p, Rgb{(BYTE)((pupil.r + skin.r) / 2), (BYTE)((pupil.g + skin.g) / 2),
                               (BYTE)((pupil.b + skin.b) / 2)});
                else if (y >= kShirtRow)
                    Set(p, Rgb{190, 30, 35});
            }
    }
    static int Distance2(int x, int y) { return (x - kEyeX) * (x - kEyeX) + (y - kEyeY) * (y - kEyeY); }
    static bool IsCatchLight(int x, int y) { return (x == 21 || x == 22) && (y == 18 || y == 19); }
    static void Set(BYTE* p, Rgb c)
    {
        p[0] = c.r;
        p[1] = c.g;
        p[2] = c.b;
    }
};

const Rgb kPupils[] = {{230, 40, 40}, {120, 20, 25}, {220, 120, 130}};
const Rgb kSkins[] = {{225, 170, 140}, {150, 100, 75}};
}

TEST(RemoveRedEye, OneClickTakesTheRedOutOfThePupilOnly)
{
    for (const Rgb& skin : kSkins)
        for (const Rgb& pupil : kPupils)
        {
            SCOPED_TRACE(testing::Message() << "pupil " << (int)pupil.r << "," << (int)pupil.g << ","
                                            << (int)pupil.b << " on skin " << (int)skin.r);
            EyeScene scene(skin, pupil);
            CRgbBuffer before(*scene.picture);
            scene.picture->RemoveRedEye(CPoint(EyeScene::kEyeX, EyeScene::kEyeY), 8);

            double ratioSum = 0;
            int pupilPixels = 0;
            for (int y = 0; y < EyeScene::kHeight; ++y)
                for (int x = 0; x < EyeScene::kWidth; ++x)
                {
                    const BYTE* was = Pixel(before, x, y);
                    const BYTE* now = Pixel(*scene.picture, x, y);
                    for (int c = 0; c < 3; ++c)
                        ASSERT_LE(now[c], was[c]) << "brighter at " << x << "," << y;
                    if (EyeScene::IsCatchLight(x, y))
                        EXPECT_PIXEL(*scene.picture, x, y, 255, 255, 255);
                    else if (EyeScene::Distance2(x, y) <= 16)
                    {
                        ratioSum += now[0] / ((now[1] + now[2]) / 2.0);
                        ++pupilPixels;
                    }
                    else if (EyeScene::Distance2(x, y) > 25)
                        for (int c = 0; c < 3; ++c)
                            ASSERT_LE(abs(now[c] - was[c]), 2) << "skin or shirt at " << x << "," << y;
                    else
                        // The blended rim must not stay as a red ring round the fixed pupil.
                        EXPECT_LE(now[0], std::max(now[1], now[2]) + (skin.r - std::max(skin.g, skin.b)))
                            << "rim at " << x << "," << y;
                }
            ASSERT_GT(pupilPixels, 40);
            EXPECT_LE(ratioSum / pupilPixels, 1.15);
            EXPECT_GE(ratioSum / pupilPixels, 0.85);
        }
}

TEST(RemoveRedEye, ASecondClickOnAFixedEyeChangesNothing)
{
    for (const Rgb& pupil : kPupils)
    {
        EyeScene scene(kSkins[0], pupil);
        // Off centre, on the catch-light: the pupil round it is still found.
        scene.picture->RemoveRedEye(CPoint(21, 19), 8);
        CRgbBuffer once(*scene.picture);
        EXPECT_LT(Pixel(once, EyeScene::kEyeX - 2, EyeScene::kEyeY)[0], pupil.r);
        scene.picture->RemoveRedEye(CPoint(21, 19), 8);
        scene.picture->RemoveRedEye(CPoint(EyeScene::kEyeX, EyeScene::kEyeY), 12);
        EXPECT_EQ(0, memcmp(once.GetBuffer(), scene.picture->GetBuffer(), EyeScene::kWidth * EyeScene::kHeight * 3));
    }
}

TEST(RemoveRedEye, SkinAndARedShirtAwayFromAnEyeStayAsTheyAre)
{
    // Skin alone, at either tone: no pupil, nothing to do.
    for (const Rgb& skin : kSkins)
    {
        auto face = Solid(30, 30, skin.r, skin.g, skin.b);
        CRgbBuffer before(*face);
        face->RemoveRedEye(CPoint(15, 15), 12);
        EXPECT_EQ(0, memcmp(before.GetBuffer(), face->GetBuffer(), 30 * 30 * 3)) << (int)skin.r;
    }
    // A pupil with a red shirt at the circle's edge, a large circle: the
    // shirt is not connected to the pupil through red pixels.
    EyeScene scene(kSkins[1], kPupils[0]);
    CRgbBuffer before(*scene.picture);
    scene.picture->RemoveRedEye(CPoint(EyeScene::kEyeX, EyeScene::kEyeY), 16);
    for (int y = EyeScene::kShirtRow; y < EyeScene::kHeight; ++y)
        for (int x = 0; x < EyeScene::kWidth; ++x)
            ASSERT_EQ(0, memcmp(Pixel(before, x, y), Pixel(*scene.picture, x, y), 3)) << x << "," << y;
    EXPECT_PIXEL(*scene.picture, EyeScene::kEyeX, EyeScene::kEyeY, 40, 40, 40);
}

TEST(RemoveRedEye, APupilNearlyFillingTheCircleLeavesNoRedRing)
{
    // A pupil of radius 5.5 fading over three pixels into a brown iris
    // (110, 80, 50), whose own red beats its green by 30, clicked at radius 8.
    auto eye = Solid(40, 40, 225, 170, 140);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
        {
            double r = sqrt((double)((x - 20) * (x - 20) + (y - 20) * (y - 20)));
            double t = r <= 5.5 ? 0 : r <= 8.5 ? (r - 5.5) / 3 : r <= 12 ? 1 : -1;
            if (t < 0)
                continue;
            BYTE* p = eye->GetBuffer() + 3 * (y * 40 + x);
            p[0] = (BYTE)(230 - 120 * t);
            p[1] = (BYTE)(40 + 40 * t);
            p[2] = (BYTE)(40 + 10 * t);
        }
    eye->RemoveRedEye(CPoint(20, 20), 8);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
        {
            if ((x - 20) * (x - 20) + (y - 20) * (y - 20) >= 64)
                continue;
            const BYTE* p = Pixel(*eye, x, y);
            ASSERT_LE(p[0] - std::max(p[1], p[2]), 30) << x << "," << y;
        }
}

TEST(RemoveRedEye, ACatchLightInsideThePupilLosesItsPinkBorder)
{
    // A white catch-light of radius 1.4 in the middle of a red pupil, with a
    // one-pixel pink border where the two blend.
    auto eye = Solid(30, 30, 225, 170, 140);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 30; ++x)
        {
            int d2 = (x - 15) * (x - 15) + (y - 15) * (y - 15);
            BYTE* p = eye->GetBuffer() + 3 * (y * 30 + x);
            if (d2 <= 2)
                p[0] = p[1] = p[2] = 255;
            else if (d2 <= 5)
            {
                p[0] = 242;
                p[1] = p[2] = 147;
            }
            else if (d2 <= 25)
            {
                p[0] = 230;
                p[1] = p[2] = 40;
            }
        }
    eye->RemoveRedEye(CPoint(15, 15), 8);
    EXPECT_PIXEL(*eye, 15, 15, 255, 255, 255);
    EXPECT_PIXEL(*eye, 16, 16, 255, 255, 255);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 30; ++x)
        {
            int d2 = (x - 15) * (x - 15) + (y - 15) * (y - 15);
            if (d2 > 2 && d2 <= 5)
                EXPECT_PIXEL(*eye, x, y, 147, 147, 147);
        }
}

TEST(RemoveRedEye, ACircleInsideARedAreaTreatsItAllAndNothingOutside)
{
    auto buffer = Solid(41, 41, 200, 0, 0);
    BYTE* white = buffer->GetBuffer() + 3 * (20 * 41 + 22);
    white[0] = white[1] = white[2] = 255;
    buffer->RemoveRedEye(CPoint(20, 20), 10);
    EXPECT_PIXEL(*buffer, 20, 20, 0, 0, 0);
    EXPECT_PIXEL(*buffer, 26, 26, 0, 0, 0); // d^2 = 72
    EXPECT_PIXEL(*buffer, 22, 20, 255, 255, 255);
    // Distance 10 and beyond is untouched (strictly inside the circle only).
    EXPECT_PIXEL(*buffer, 30, 20, 200, 0, 0);
    EXPECT_PIXEL(*buffer, 20, 10, 200, 0, 0);
    EXPECT_PIXEL(*buffer, 28, 28, 200, 0, 0); // d^2 = 128
}

TEST(RemoveRedEye, CircleNearACornerTreatsOnlyTheInsidePart)
{
    auto buffer = Solid(10, 10, 200, 0, 0);
    buffer->RemoveRedEye(CPoint(0, 0), 10);
    EXPECT_PIXEL(*buffer, 0, 0, 0, 0, 0);
    EXPECT_PIXEL(*buffer, 6, 7, 0, 0, 0);     // d^2 = 85
    EXPECT_PIXEL(*buffer, 9, 9, 200, 0, 0);   // d^2 = 162
    EXPECT_PIXEL(*buffer, 8, 7, 200, 0, 0);   // d^2 = 113

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
