// CAvifFile on files made by the native avifenc (libaom) from pictures made
// by ImageMagick, compared with the native decoder avifdec.
#include <gtest/gtest.h>

#include "AvifFile.h"
#include "CodecTestKit.h"
#include "FileInfo.h"
#include "NativeCodecKit.h"

namespace
{
const auto LoadAvif = LoadWith<CAvifFile>;

class AvifFileTest : public NativeCodecTest
{
protected:
    AvifFileTest() : NativeCodecTest("aviftest") {}

    // Our decode of an AVIF file against avifdec's.
    int DifferenceFromNative(const std::string& name)
    {
        CRgbBuffer ours, native;
        EXPECT_EQ(LoadAvif(m_Dir / name, ours), 1) << name;
        EXPECT_TRUE(Native("avifdec " + name + " native.png")) << name;
        EXPECT_TRUE(ReadWithImageMagick("native.png", native)) << name;
        return LargestDifference(ours, native);
    }
};
} // namespace

TEST_F(AvifFileTest, LosslessLossyAndDeepFilesDecodeAsTheNativeDecoderDoes)
{
    // 61 x 37: an odd size, which AV1 pads inside the coded frame.
    ASSERT_TRUE(MakeSource("source.png"));
    ASSERT_TRUE(Native("avifenc -l source.png lossless.avif"));
    ASSERT_TRUE(Native("avifenc --min 20 --max 30 source.png lossy.avif"));
    ASSERT_TRUE(Native("avifenc -d 10 --min 10 --max 20 source.png deep10.avif"));
    ASSERT_TRUE(Native("avifenc -d 12 -y 444 --min 10 --max 20 source.png deep12.avif"));
    EXPECT_EQ(DifferenceFromNative("lossless.avif"), 0);
    EXPECT_LE(DifferenceFromNative("lossy.avif"), 1);
    EXPECT_LE(DifferenceFromNative("deep10.avif"), 1);
    EXPECT_LE(DifferenceFromNative("deep12.avif"), 1);

    CRgbBuffer ours, source;
    ASSERT_EQ(LoadAvif(m_Dir / "lossless.avif", ours), 1);
    ASSERT_TRUE(ReadWithImageMagick("source.png", source));
    EXPECT_EQ(LargestDifference(ours, source), 0);
}

TEST_F(AvifFileTest, RotationAndMirrorPropertiesAreApplied)
{
    ASSERT_TRUE(MakeSource("source.png"));
    // A quarter turn anticlockwise (irot 1, as a phone held upright records
    // it), and a left-to-right mirror.
    ASSERT_TRUE(Native("avifenc -l --irot 1 source.png turned.avif"));
    ASSERT_TRUE(Native("avifenc -l --imir 1 source.png mirrored.avif"));
    CRgbBuffer turned, mirrored, source;
    ASSERT_EQ(LoadAvif(m_Dir / "turned.avif", turned), 1);
    ASSERT_EQ(LoadAvif(m_Dir / "mirrored.avif", mirrored), 1);
    ASSERT_TRUE(ReadWithImageMagick("source.png", source));
    EXPECT_EQ(turned.GetWidth(), 37);
    EXPECT_EQ(turned.GetHeight(), 61);

    ASSERT_TRUE(Native("convert source.png -rotate -90 turned.png && convert source.png -flop mirrored.png"));
    CRgbBuffer expectTurned, expectMirrored;
    ASSERT_TRUE(ReadWithImageMagick("turned.png", expectTurned));
    ASSERT_TRUE(ReadWithImageMagick("mirrored.png", expectMirrored));
    EXPECT_EQ(LargestDifference(turned, expectTurned), 0);
    EXPECT_EQ(LargestDifference(mirrored, expectMirrored), 0);
}

TEST_F(AvifFileTest, AnimationGivesItsFirstFrameAndAlphaIsDropped)
{
    ASSERT_TRUE(MakeSource("first.png"));
    ASSERT_TRUE(Native("convert first.png -negate second.png"));
    ASSERT_TRUE(Native("avifenc -l first.png second.png animated.avif"));
    CRgbBuffer animated, first;
    ASSERT_EQ(LoadAvif(m_Dir / "animated.avif", animated), 1);
    ASSERT_TRUE(ReadWithImageMagick("first.png", first));
    EXPECT_EQ(LargestDifference(animated, first), 0);

    // Half-transparent pixels keep their colour, as a transparent PNG's do.
    ASSERT_TRUE(MakeSource("alpha.png", "-alpha set -channel A -evaluate set 50% +channel"));
    ASSERT_TRUE(Native("avifenc -l alpha.png alpha.avif"));
    CRgbBuffer alpha;
    ASSERT_EQ(LoadAvif(m_Dir / "alpha.avif", alpha), 1);
    EXPECT_EQ(LargestDifference(alpha, first), 0);
}

TEST_F(AvifFileTest, TruncatedDamagedAndHugeFilesLoadEmpty)
{
    ASSERT_TRUE(MakeSource("source.png"));
    ASSERT_TRUE(Native("avifenc --min 20 --max 30 source.png whole.avif"));
    std::string whole = test_support::FileBytes(m_Dir / "whole.avif");
    ASSERT_GT(whole.size(), 300u);
    for (size_t keep : { (size_t)0, (size_t)11, (size_t)40, (size_t)200, whole.size() / 2, whole.size() - 1 })
    {
        SCOPED_TRACE("cut to " + std::to_string(keep));
        ASSERT_TRUE(test_support::WriteFileBytes(m_Dir / "cut.avif", whole.substr(0, keep)));
        CRgbBuffer picture;
        EXPECT_EQ(LoadAvif(m_Dir / "cut.avif", picture), 0);
        EXPECT_FALSE(picture.IsImage());
    }

    // The coded data overwritten with noise: refused, or decoded to noise
    // of the stated size; never anything else.
    std::string damaged = whole;
    size_t mdat = damaged.find("mdat");
    ASSERT_NE(mdat, std::string::npos);
    for (size_t i = mdat + 8; i < damaged.size(); ++i)
        damaged[i] = (char)(i * 131 + 7);
    CRgbBuffer picture;
    if (CAvifFile::Decode((const BYTE*)damaged.data(), damaged.size(), &picture))
        EXPECT_EQ(picture.GetWidth() * 100 + picture.GetHeight(), 6137);
    else
        EXPECT_FALSE(picture.IsImage());
    picture.CleanUp();

    // Every image size property claims 60000 x 60000 pixels.
    std::string huge = whole;
    int sizes = 0;
    for (size_t at = huge.find("ispe"); at != std::string::npos; at = huge.find("ispe", at + 4), ++sizes)
        huge.replace(at + 8, 8, std::string("\0\0\xEA\x60\0\0\xEA\x60", 8));
    ASSERT_GT(sizes, 0);
    EXPECT_EQ(CAvifFile::Decode((const BYTE*)huge.data(), huge.size(), &picture), 0);
    EXPECT_FALSE(picture.IsImage());
}

TEST_F(AvifFileTest, FrontEndLoadsTheExtension)
{
    ASSERT_TRUE(MakeSource("source.png"));
    ASSERT_TRUE(Native("avifenc --min 20 --max 30 source.png IMG_0003.AVIF"));
    EXPECT_TRUE(CFileInfo::IsImageFile("IMG_0003.AVIF"));
    CRgbBuffer picture;
    EXPECT_TRUE(picture.LoadRgbBuffer((m_Dir / "IMG_0003.AVIF").c_str()));
    EXPECT_EQ(picture.GetWidth(), 61);
    EXPECT_EQ(picture.GetHeight(), 37);
}
