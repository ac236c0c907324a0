// What is written keeps its colours: a JPEG saved from a tagged picture of
// another format carries the picture's profile, split into chunks that
// join back byte for byte.
#include <gtest/gtest.h>

#include "../codecs/CodecTestKit.h"
#include "IccProfile.h"
#include "JpgFile.h"
#include "PngFile.h"
#include "ProfileTestKit.h"

namespace
{
class SavedProfileTest : public ProfileTest
{
protected:
    SavedProfileTest() : ProfileTest("savedprofile") {}
};
} // namespace

TEST_F(SavedProfileTest, JpegSavedFromATaggedPngCarriesItsProfile)
{
    ASSERT_TRUE(MakeColourful("source.png"));
    ASSERT_TRUE(Native(std::string("convert source.png -profile ") + profile_kit::WideGamut + " tagged.png"));
    CRgbBuffer picture;
    ASSERT_EQ(LoadWith<CPngFile>(m_Dir / "tagged.png", picture), 1);
    std::string profile = profile_kit::UnixFileBytes(profile_kit::WideGamut);
    ASSERT_EQ(picture.m_IccProfile, profile);
    ASSERT_TRUE(CJpgFile((m_Dir / "saved.jpg").c_str(), 90, false).Save(&picture));
    // exiftool's copy of the profile in the file is the PNG's.
    ASSERT_TRUE(Native("exiftool -b -ICC_Profile saved.jpg > saved.icc"));
    EXPECT_EQ(test_support::FileBytes(m_Dir / "saved.icc"), profile);
    CRgbBuffer saved;
    ASSERT_EQ(LoadWith<CJpgFile>(m_Dir / "saved.jpg", saved), 1);
    EXPECT_EQ(saved.m_IccProfile, profile);

    // An sRGB picture (no profile) is written without one.
    picture.m_IccProfile.clear();
    ASSERT_TRUE(CJpgFile((m_Dir / "plain.jpg").c_str(), 90, false).Save(&picture));
    ASSERT_EQ(LoadWith<CJpgFile>(m_Dir / "plain.jpg", saved), 1);
    EXPECT_TRUE(saved.m_IccProfile.empty());
}

TEST(IccProfileChunks, LargeProfilesSplitAndJoinBackExactly)
{
    std::string profile;
    for (int i = 0; i < 200000; ++i)
        profile += (char)(i * 31 + i / 256);
    std::vector<std::string> chunks = CIccProfile::ToJpegChunks(profile);
    ASSERT_EQ(chunks.size(), 4u);
    for (const std::string& chunk : chunks)
        EXPECT_LE(chunk.size(), 65533u);
    EXPECT_EQ(CIccProfile::FromJpegChunks(chunks), profile);
    EXPECT_TRUE(CIccProfile::ToJpegChunks(std::string()).empty());
}
