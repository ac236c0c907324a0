// Pictures tagged with wide-gamut profiles, loaded by every codec that can
// carry a profile and converted to sRGB, against ImageMagick's conversion.
#include <gtest/gtest.h>

#include <thread>

#include "ColourTransform.h"
#include "../codecs/CodecTestKit.h"
#include "HeifFile.h"
#include "IccProfile.h"
#include "JpgFile.h"
#include "JxlFile.h"
#include "PngFile.h"
#include "ProfileTestKit.h"
#include "TiffFile.h"
#include "WebpFile.h"

using profile_kit::MeanDifference;

namespace
{
class ColourConversionTest : public ProfileTest
{
protected:
    ColourConversionTest() : ProfileTest("colourtest") {}

    // Loads `name` with Codec, checks it carries the profile at `iccPath`
    // byte for byte, converts it and returns the mean difference from
    // ImageMagick's conversion of `reference`.
    template <class Codec>
    double ConvertedDifference(const std::string& name, const char* iccPath, const std::string& reference)
    {
        CRgbBuffer ours, native;
        EXPECT_EQ(LoadWith<Codec>(m_Dir / name, ours), 1) << name;
        EXPECT_EQ(ours.m_IccProfile, profile_kit::UnixFileBytes(iccPath)) << name;
        EXPECT_TRUE(CColourTransform::ToSrgb(&ours)) << name;
        EXPECT_TRUE(ours.m_IccProfile.empty()) << name;
        EXPECT_TRUE(NativeToSrgb(reference, native)) << name;
        return MeanDifference(ours, native);
    }
};
} // namespace

TEST_F(ColourConversionTest, TaggedFilesOfEveryCodecConvertAsImageMagickDoes)
{
    ASSERT_TRUE(MakeColourful("source.png"));
    for (const char* icc : { profile_kit::AdobeRgb, profile_kit::WideGamut })
    {
        SCOPED_TRACE(icc);
        std::string profile = std::string(" -profile ") + icc;
        ASSERT_TRUE(Native("convert source.png" + profile + " tagged.png"));
        ASSERT_TRUE(Native("convert source.png" + profile + " -quality 95 tagged.jpg"));
        ASSERT_TRUE(Native("convert source.png" + profile + " -compress none tagged.tif"));
        ASSERT_TRUE(Native("cwebp -quiet -lossless -exact -metadata icc tagged.png -o tagged.webp"));
        ASSERT_TRUE(Native("cjxl tagged.png tagged.jxl -d 0"));
        EXPECT_LE(ConvertedDifference<CJpgFile>("tagged.jpg", icc, "tagged.jpg"), 2.0);
        EXPECT_LE(ConvertedDifference<CPngFile>("tagged.png", icc, "tagged.png"), 2.0);
        EXPECT_LE(ConvertedDifference<CTiffFile>("tagged.tif", icc, "tagged.tif"), 2.0);
        // Lossless: the tagged PNG's own pixels and profile.
        EXPECT_LE(ConvertedDifference<CWebpFile>("tagged.webp", icc, "tagged.png"), 2.0);
        EXPECT_LE(ConvertedDifference<CJxlFile>("tagged.jxl", icc, "tagged.png"), 2.0);
    }
}

TEST_F(ColourConversionTest, HeifCarriesItsProfile)
{
    ASSERT_TRUE(MakeColourful("source.png"));
    ASSERT_TRUE(Native(std::string("convert source.png -profile ") + profile_kit::AdobeRgb + " tagged.png"));
    ASSERT_TRUE(Native("heif-enc -L -p chroma=444 --matrix_coefficients=0 tagged.png -o tagged.heic"));
    // Lossless in RGB: the PNG's pixels, so ImageMagick's conversion of the
    // PNG is the reference.
    EXPECT_LE(ConvertedDifference<CHeifFile>("tagged.heic", profile_kit::AdobeRgb, "tagged.png"), 2.0);
}

TEST_F(ColourConversionTest, UntaggedAndSrgbTaggedPicturesStayAsDecoded)
{
    ASSERT_TRUE(MakeColourful("source.png"));
    ASSERT_TRUE(Native("convert source.png -quality 95 plain.jpg"));
    ASSERT_TRUE(Native(std::string("convert source.png -profile ") + profile_kit::Srgb + " -quality 95 srgb.jpg"));
    for (const char* name : { "plain.jpg", "srgb.jpg", "source.png" })
    {
        CRgbBuffer picture;
        ASSERT_TRUE(picture.LoadRgbBuffer((m_Dir / name).c_str())) << name;
        CRgbBuffer decoded(picture);
        EXPECT_FALSE(CColourTransform::ToSrgb(&picture)) << name;
        EXPECT_EQ(LargestDifference(picture, decoded), 0) << name;
    }
}

TEST_F(ColourConversionTest, ConversionToAnotherProfileAndBackKeepsTheColours)
{
    ASSERT_TRUE(MakeColourful("source.png"));
    CRgbBuffer picture;
    ASSERT_TRUE(picture.LoadRgbBuffer((m_Dir / "source.png").c_str()));
    CRgbBuffer original(picture);
    // sRGB fits inside Adobe RGB: there and back loses only rounding.
    std::string adobe = profile_kit::UnixFileBytes(profile_kit::AdobeRgb);
    EXPECT_TRUE(CColourTransform::ToProfile(&picture, adobe));
    EXPECT_EQ(picture.m_IccProfile, adobe);
    EXPECT_GT(MeanDifference(picture, original), 3.0);
    EXPECT_TRUE(CColourTransform::ToSrgb(&picture));
    // 8-bit steps in between cost a few levels in dark saturated colours.
    EXPECT_LE(MeanDifference(picture, original), 1.0);
}

TEST_F(ColourConversionTest, CacheStaysBoundedAndThreadsShareIt)
{
    ASSERT_TRUE(MakeColourful("source.png", 64, 64));
    CRgbBuffer source;
    ASSERT_TRUE(source.LoadRgbBuffer((m_Dir / "source.png").c_str()));
    const char* names[] = { "AdobeRGB1998", "AppleRGB", "BestRGB", "BetaRGB", "BruceRGB", "CIE-RGB",
                            "ColorMatchRGB", "DonRGB4", "ECI-RGBv1", "NTSC-RGB", "PAL-RGB", "ProPhotoRGB" };
    std::vector<std::string> profiles;
    std::vector<CRgbBuffer> first;
    for (const char* name : names)
    {
        profiles.push_back(profile_kit::UnixFileBytes(std::string("/usr/share/color/icc/colord/") + name + ".icc"));
        ASSERT_TRUE(CIccProfile::IsUsable(profiles.back())) << name;
        CRgbBuffer converted(source);
        converted.m_IccProfile = profiles.back();
        CColourTransform::ToSrgb(&converted);
        first.push_back(converted);
        EXPECT_LE(CColourTransform::CachedPairs(), (int)CColourTransform::CacheSize);
    }
    // Four threads convert every profile again (the first ones were evicted
    // and are made anew, some by two threads at once): the same pixels.
    std::vector<int> mismatches(4, 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&, t] {
            for (int round = 0; round < 3; ++round)
                for (size_t i = 0; i < profiles.size(); ++i)
                {
                    CRgbBuffer again(source);
                    again.m_IccProfile = profiles[(i + t) % profiles.size()];
                    CColourTransform::ToSrgb(&again);
                    if (LargestDifference(again, first[(i + t) % profiles.size()]) != 0)
                        ++mismatches[t];
                }
        });
    for (std::thread& thread : threads)
        thread.join();
    for (int t = 0; t < 4; ++t)
        EXPECT_EQ(mismatches[t], 0) << "thread " << t;
}

namespace
{
unsigned Crc32(const std::string& bytes, size_t start, size_t length)
{
    unsigned crc = 0xFFFFFFFFu;
    for (size_t i = start; i < start + length; ++i)
    {
        crc ^= (unsigned char)bytes[i];
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

void PutBig32(std::string& bytes, size_t at, unsigned value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = (char)(value >> (24 - 8 * i));
}
} // namespace

TEST_F(ColourConversionTest, PngChromaticitiesAndGammaActAsAProfile)
{
    ASSERT_TRUE(MakeColourful("source.png"));
    // ImageMagick marks its PNG with sRGB's cHRM and a 1/2.2 gAMA: sRGB.
    CRgbBuffer plain;
    ASSERT_EQ(LoadWith<CPngFile>(m_Dir / "source.png", plain), 1);
    EXPECT_TRUE(plain.m_IccProfile.empty());

    // The same file with Adobe RGB's primaries in its cHRM chunk.
    std::string png = test_support::FileBytes(m_Dir / "source.png");
    size_t at = png.find("cHRM");
    ASSERT_NE(at, std::string::npos);
    const unsigned adobe[8] = { 31270, 32900, 64000, 33000, 21000, 71000, 15000, 6000 };
    for (int i = 0; i < 8; ++i)
        PutBig32(png, at + 4 + 4 * i, adobe[i]);
    PutBig32(png, at + 36, Crc32(png, at, 36));
    ASSERT_TRUE(test_support::WriteFileBytes(m_Dir / "chrm.png", png));
    CRgbBuffer ours, native;
    ASSERT_EQ(LoadWith<CPngFile>(m_Dir / "chrm.png", ours), 1);
    EXPECT_FALSE(ours.m_IccProfile.empty());
    EXPECT_TRUE(CColourTransform::ToSrgb(&ours));
    // As ImageMagick converts the picture tagged with an Adobe RGB profile.
    ASSERT_TRUE(Native(std::string("convert source.png -profile ") + profile_kit::AdobeRgb + " adobe.png"));
    ASSERT_TRUE(NativeToSrgb("adobe.png", native));
    EXPECT_LE(MeanDifference(ours, native), 2.0);
}
