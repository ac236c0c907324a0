// CWebpFile on files made by the native WebP tools (cwebp, img2webp,
// webpmux) from pictures made by ImageMagick, compared with the native
// decoder dwebp and with ImageMagick's own turns.
#include <gtest/gtest.h>

#include "CodecTestKit.h"
#include "FileInfo.h"
#include "NativeCodecKit.h"
#include "PngFile.h"
#include "WebpFile.h"

namespace
{
const auto LoadWebp = LoadWith<CWebpFile>;

class WebpFileTest : public NativeCodecTest
{
protected:
    WebpFileTest() : NativeCodecTest("webptest") {}

    // Our decode of a WebP file against dwebp's.
    int DifferenceFromDwebp(const std::string& name)
    {
        CRgbBuffer ours, native;
        EXPECT_EQ(LoadWebp(m_Dir / name, ours), 1) << name;
        EXPECT_TRUE(Native("dwebp " + name + " -ppm -o native.ppm")) << name;
        EXPECT_TRUE(ReadPpm("native.ppm", native)) << name;
        return LargestDifference(ours, native);
    }
};
} // namespace

TEST_F(WebpFileTest, LosslessAndLossyFilesDecodeAsTheNativeDecoderDoes)
{
    ASSERT_TRUE(MakeSource("source.png"));
    ASSERT_TRUE(Native("cwebp -quiet -lossless -exact source.png -o lossless.webp"));
    ASSERT_TRUE(Native("cwebp -quiet -q 75 source.png -o lossy.webp"));
    EXPECT_EQ(DifferenceFromDwebp("lossless.webp"), 0);
    EXPECT_LE(DifferenceFromDwebp("lossy.webp"), 1);

    // Lossless means the source's own pixels, the right way up.
    CRgbBuffer ours, source;
    ASSERT_EQ(LoadWebp(m_Dir / "lossless.webp", ours), 1);
    ASSERT_TRUE(Native("convert source.png -depth 8 source.ppm") && ReadPpm("source.ppm", source));
    EXPECT_EQ(ours.GetWidth(), 61);
    EXPECT_EQ(ours.GetHeight(), 37);
    EXPECT_EQ(LargestDifference(ours, source), 0);
}

TEST_F(WebpFileTest, TransparentPictureShowsAsTheSamePng)
{
    // Alpha from fully transparent to opaque across the picture; the colour
    // under it is kept (-exact), as the PNG codec keeps it.
    ASSERT_TRUE(MakeSource("alpha.png", "-alpha set -channel A -fx \"i / w\" +channel"));
    ASSERT_TRUE(Native("cwebp -quiet -lossless -exact alpha.png -o alpha.webp"));
    ASSERT_TRUE(Native("cwebp -quiet -q 90 -alpha_q 100 alpha.png -o alpha_lossy.webp"));
    CRgbBuffer webp, png;
    ASSERT_EQ(LoadWebp(m_Dir / "alpha.webp", webp), 1);
    ASSERT_EQ(LoadWith<CPngFile>(m_Dir / "alpha.png", png), 1);
    EXPECT_EQ(LargestDifference(webp, png), 0);
    EXPECT_EQ(DifferenceFromDwebp("alpha.webp"), 0);
    EXPECT_LE(DifferenceFromDwebp("alpha_lossy.webp"), 1);
}

TEST_F(WebpFileTest, AnimationShowsItsFirstFrame)
{
    ASSERT_TRUE(MakeSource("first.png"));
    ASSERT_TRUE(Native("convert -size 61x37 xc:#20A040 second.png"));
    ASSERT_TRUE(Native("img2webp -lossless first.png -d 200 second.png -o anim.webp"));
    CRgbBuffer ours, first;
    ASSERT_EQ(LoadWebp(m_Dir / "anim.webp", ours), 1);
    ASSERT_TRUE(Native("convert first.png -depth 8 first.ppm") && ReadPpm("first.ppm", first));
    EXPECT_EQ(LargestDifference(ours, first), 0);
}

TEST_F(WebpFileTest, ExifOrientationTurnsThePictureUpright)
{
    ASSERT_TRUE(MakeSource("source.png"));
    ASSERT_TRUE(Native("cwebp -quiet -lossless -exact source.png -o plain.webp"));
    // A little-endian TIFF block whose IFD0 holds Orientation = value, with
    // and without the JPEG signature "Exif\0\0" (writers differ).
    auto exifBlock = [](int value, bool signature) {
        std::string tiff("II*\0\x08\0\0\0\x01\0\x12\x01\x03\0\x01\0\0\0", 18);
        tiff += (char)value;
        tiff += std::string(7, '\0');
        return signature ? std::string("Exif\0\0", 6) + tiff : tiff;
    };
    ASSERT_TRUE(test_support::WriteFileBytes(m_Dir / "six.exif", exifBlock(6, true)));
    ASSERT_TRUE(test_support::WriteFileBytes(m_Dir / "eight.exif", exifBlock(8, false)));
    ASSERT_TRUE(Native("webpmux -set exif six.exif plain.webp -o six.webp"));
    ASSERT_TRUE(Native("webpmux -set exif eight.exif plain.webp -o eight.webp"));
    ASSERT_TRUE(Native("convert source.png -rotate 90 -depth 8 cw.ppm"));
    ASSERT_TRUE(Native("convert source.png -rotate 270 -depth 8 ccw.ppm"));

    CRgbBuffer six, eight, cw, ccw;
    ASSERT_EQ(LoadWebp(m_Dir / "six.webp", six), 1);
    ASSERT_EQ(LoadWebp(m_Dir / "eight.webp", eight), 1);
    ASSERT_TRUE(ReadPpm("cw.ppm", cw) && ReadPpm("ccw.ppm", ccw));
    EXPECT_EQ(six.GetWidth(), 37);
    EXPECT_EQ(six.GetHeight(), 61);
    EXPECT_EQ(LargestDifference(six, cw), 0);
    EXPECT_EQ(LargestDifference(eight, ccw), 0);
}

TEST_F(WebpFileTest, TruncatedAndDamagedFilesLoadEmpty)
{
    ASSERT_TRUE(MakeSource("source.png"));
    ASSERT_TRUE(Native("cwebp -quiet -lossless -exact source.png -o whole.webp"));
    ASSERT_TRUE(Native("cwebp -quiet -q 75 source.png -o lossy.webp"));
    for (const char* name : { "whole.webp", "lossy.webp" })
    {
        std::string whole = test_support::FileBytes(m_Dir / name);
        ASSERT_GT(whole.size(), 64u);
        for (size_t keep : { (size_t)0, (size_t)12, (size_t)30, whole.size() / 2, whole.size() - 1 })
        {
            SCOPED_TRACE(std::string(name) + " cut to " + std::to_string(keep));
            ASSERT_TRUE(test_support::WriteFileBytes(m_Dir / "cut.webp", whole.substr(0, keep)));
            CRgbBuffer picture;
            EXPECT_EQ(LoadWebp(m_Dir / "cut.webp", picture), 0);
            EXPECT_FALSE(picture.IsImage());
            EXPECT_EQ(picture.GetBuffer(), (BYTE*)NULL);
        }
    }

    // A lossless header that claims 16384 x 16384 pixels, more than a picture
    // may hold, in a file of a few hundred bytes.
    std::string huge = test_support::FileBytes(m_Dir / "whole.webp");
    ASSERT_EQ(huge.compare(12, 4, "VP8L"), 0);
    // 14 bits of width - 1, 14 of height - 1, after the signature byte 0x2F.
    huge[21] = (char)0xFF;
    huge[22] = (char)0xFF;
    huge[23] = (char)0xFF;
    huge[24] = (char)(huge[24] | 0x0F);
    CRgbBuffer picture;
    EXPECT_EQ(CWebpFile::Decode((const BYTE*)huge.data(), huge.size(), &picture), 0);
    EXPECT_FALSE(picture.IsImage());
}

TEST_F(WebpFileTest, FrontEndLoadsWebpByItsExtension)
{
    ASSERT_TRUE(MakeSource("source.png"));
    ASSERT_TRUE(Native("cwebp -quiet -lossless -exact source.png -o Photo.WEBP"));
    EXPECT_TRUE(CFileInfo::IsImageFile("C:\\Pictures\\Photo.WEBP"));
    CRgbBuffer picture;
    EXPECT_TRUE(picture.LoadRgbBuffer((m_Dir / "Photo.WEBP").c_str()));
    EXPECT_EQ(picture.GetWidth(), 61);
    EXPECT_EQ(picture.GetHeight(), 37);
}
