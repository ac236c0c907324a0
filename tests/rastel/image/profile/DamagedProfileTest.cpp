// Embedded profiles that are damaged, hostile or split oddly: the picture
// loads all the same, as sRGB, and nothing reads outside the bytes.
#include <gtest/gtest.h>

#include <string.h>

#include "ColourTransform.h"
#include "../codecs/CodecTestKit.h"
#include "IccProfile.h"
#include "JpgFile.h"
#include "PngFile.h"
#include "ProfileTestKit.h"

namespace
{
void Put32(std::string& bytes, size_t offset, unsigned value)
{
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = (char)(value >> (24 - 8 * i));
}

// A JPEG chunk of a profile: identifier, sequence number, count, data.
std::string Chunk(int sequence, int count, const std::string& data)
{
    return std::string("ICC_PROFILE\0", 12) + (char)sequence + (char)count + data;
}

class DamagedProfileTest : public ProfileTest
{
protected:
    DamagedProfileTest() : ProfileTest("damagedprofile") {}

    void SetUp() override
    {
        m_Adobe = profile_kit::UnixFileBytes(profile_kit::AdobeRgb);
        ASSERT_GT(m_Adobe.size(), 200u);
        ASSERT_TRUE(MakeColourful("source.png", 48, 32));
        ASSERT_TRUE(Native(std::string("convert source.png -profile ") + profile_kit::AdobeRgb +
                           " -quality 95 tagged.jpg"));
        m_Tagged = test_support::FileBytes(m_Dir / "tagged.jpg");
        m_At = m_Tagged.find(std::string("ICC_PROFILE\0", 12));
        ASSERT_NE(m_At, std::string::npos);
        m_At += 14; // the profile's first byte
        ASSERT_EQ(m_Tagged.compare(m_At, m_Adobe.size(), m_Adobe), 0);
    }

    // The tagged JPEG with its profile changed by `damage`, loaded: the
    // picture is there, decoded as without a profile.
    void ExpectLoadsAsSrgb(const char* what, void (*damage)(std::string& file, size_t profileAt))
    {
        std::string file = m_Tagged;
        damage(file, m_At);
        std::string path = m_Dir / (std::string(what) + ".jpg");
        FILE* out = fopen(path.c_str(), "wb");
        ASSERT_TRUE(out != NULL);
        fwrite(file.data(), 1, file.size(), out);
        fclose(out);
        CRgbBuffer picture, plain;
        ASSERT_EQ(LoadWith<CJpgFile>(path, picture), 1) << what;
        EXPECT_TRUE(picture.m_IccProfile.empty()) << what;
        ASSERT_EQ(LoadWith<CJpgFile>(m_Dir / "tagged.jpg", plain), 1);
        EXPECT_EQ(LargestDifference(picture, plain), 0) << what;
        EXPECT_FALSE(CColourTransform::ToSrgb(&picture)) << what;
    }

    std::string m_Adobe, m_Tagged;
    size_t m_At = 0;
};
} // namespace

TEST_F(DamagedProfileTest, HostileHeadersAndTagTablesAreIgnored)
{
    ExpectLoadsAsSrgb("size_beyond", [](std::string& f, size_t at) { Put32(f, at, 0x7FFFFFF0); });
    ExpectLoadsAsSrgb("size_tiny", [](std::string& f, size_t at) { Put32(f, at, 16); });
    ExpectLoadsAsSrgb("no_signature", [](std::string& f, size_t at) { f[at + 36] = 'X'; });
    ExpectLoadsAsSrgb("tag_count", [](std::string& f, size_t at) { Put32(f, at + 128, 0xFFFFFFFF); });
    ExpectLoadsAsSrgb("tag_offset", [](std::string& f, size_t at) { Put32(f, at + 128 + 4 + 4, 0xFFFFFF00); });
    ExpectLoadsAsSrgb("tag_length", [](std::string& f, size_t at) { Put32(f, at + 128 + 4 + 8, 0x80000000); });
    ExpectLoadsAsSrgb("cmyk_space", [](std::string& f, size_t at) { memcpy(&f[at + 16], "CMYK", 4); });
    // The chunk says it is the first of two; the second never comes.
    ExpectLoadsAsSrgb("missing_chunk", [](std::string& f, size_t at) { f[at - 1] = 2; });
    ExpectLoadsAsSrgb("chunk_zero", [](std::string& f, size_t at) { f[at - 2] = 0; });
}

TEST(IccProfileChecks, LayoutAndEngineChecksRefuseWhatIsNoProfile)
{
    std::string adobe = profile_kit::UnixFileBytes(profile_kit::AdobeRgb);
    ASSERT_TRUE(CIccProfile::IsUsable(adobe));
    EXPECT_FALSE(CIccProfile::IsUsable(std::string()));
    EXPECT_FALSE(CIccProfile::IsUsable(std::string(1000, '\0')));
    EXPECT_FALSE(CIccProfile::IsUsable(adobe.substr(0, adobe.size() / 2)));
    EXPECT_FALSE(CIccProfile::IsUsable(adobe.substr(0, 131)));
    // Padding after the declared size is fine; more than the cap is not.
    EXPECT_TRUE(CIccProfile::IsUsable(adobe + std::string(100, '\0')));
    EXPECT_FALSE(CIccProfile::IsUsable(adobe + std::string(CIccProfile::MaxBytes, '\0')));
    // A grey profile is sound but no colour profile for RGB pixels.
    std::string grey = profile_kit::UnixFileBytes("/usr/share/color/icc/Gray.icc");
    EXPECT_TRUE(CIccProfile::HasSoundLayout(grey));
    EXPECT_FALSE(CIccProfile::IsUsable(grey));
}

TEST(IccProfileChecks, JpegChunksJoinInSequenceOrder)
{
    EXPECT_EQ(CIccProfile::FromJpegChunks({ Chunk(2, 3, "BB"), Chunk(3, 3, "C"), Chunk(1, 3, "AAA") }), "AAABBC");
    EXPECT_EQ(CIccProfile::FromJpegChunks({ Chunk(1, 1, "whole") }), "whole");
    EXPECT_EQ(CIccProfile::FromJpegChunks({ Chunk(1, 2, "A"), Chunk(1, 2, "B") }), "");
    EXPECT_EQ(CIccProfile::FromJpegChunks({ Chunk(1, 2, "A") }), "");
    EXPECT_EQ(CIccProfile::FromJpegChunks({ Chunk(1, 2, "A"), Chunk(3, 2, "B") }), "");
    EXPECT_EQ(CIccProfile::FromJpegChunks({ Chunk(1, 1, "") }), "");
    EXPECT_EQ(CIccProfile::FromJpegChunks({ std::string("ICC_PROFILX\0\1\1data", 18) }), "");
}

TEST(IccProfileChecks, ChromaticitiesOfSrgbMakeAProfileCloseToSrgb)
{
    // sRGB's white point and primaries with a plain 2.2 curve: the colours
    // stay within a few levels of sRGB, the primaries exactly.
    std::string made = CIccProfile::FromChromaticities(0.3127, 0.3290, 0.64, 0.33, 0.30, 0.60, 0.15, 0.06, 0.45455);
    ASSERT_TRUE(CIccProfile::IsUsable(made));
    BYTE pixels[] = { 255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255, 128, 128, 128 };
    CColourTransform::Convert(pixels, 5, made, std::string());
    EXPECT_GE(pixels[0], 253);
    EXPECT_LE(pixels[1], 2);
    EXPECT_GE(pixels[9], 253);
    EXPECT_NEAR(pixels[12], 128, 4);
    EXPECT_EQ(CIccProfile::FromChromaticities(0.3127, 0.3290, 0.64, 0.33, 0.30, 0.60, 0.15, 0.06, 0), "");
}
