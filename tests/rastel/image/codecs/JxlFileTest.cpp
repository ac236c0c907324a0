// CJxlFile on files made by the native cjxl from pictures made by
// ImageMagick, compared with the native decoder djxl and with ImageMagick.
#include <gtest/gtest.h>
#include <math.h>

#include "CodecTestKit.h"
#include "FileInfo.h"
#include "JxlFile.h"
#include "NativeCodecKit.h"

namespace
{
const auto LoadJxl = LoadWith<CJxlFile>;

class JxlFileTest : public NativeCodecTest
{
protected:
    JxlFileTest() : NativeCodecTest("jxltest") {}

    // Our decode of a JPEG XL file against djxl's.
    int DifferenceFromDjxl(const std::string& name)
    {
        CRgbBuffer ours, native;
        EXPECT_EQ(LoadJxl(m_Dir / name, ours), 1) << name;
        EXPECT_TRUE(Native("djxl " + name + " native.ppm")) << name;
        EXPECT_TRUE(ReadPpm("native.ppm", native)) << name;
        return LargestDifference(ours, native);
    }
};
} // namespace

TEST_F(JxlFileTest, LosslessAndLossyFilesDecodeAsTheNativeDecoderDoes)
{
    ASSERT_TRUE(MakeSource("source.png"));
    ASSERT_TRUE(Native("cjxl source.png lossless.jxl -d 0"));
    ASSERT_TRUE(Native("cjxl source.png lossy.jxl -d 1.5"));
    EXPECT_EQ(DifferenceFromDjxl("lossless.jxl"), 0);
    EXPECT_LE(DifferenceFromDjxl("lossy.jxl"), 1);

    CRgbBuffer ours, source;
    ASSERT_EQ(LoadJxl(m_Dir / "lossless.jxl", ours), 1);
    ASSERT_TRUE(ReadWithImageMagick("source.png", source));
    EXPECT_EQ(LargestDifference(ours, source), 0);
}

TEST_F(JxlFileTest, OrientationTurnsThePictureUpright)
{
    // cjxl takes the EXIF Orientation of its source into the file.
    ASSERT_TRUE(MakeSource("source.png"));
    ASSERT_TRUE(Native("cp source.png six.png && exiftool -q -overwrite_original -Orientation#=6 -n six.png"));
    ASSERT_TRUE(Native("cjxl six.png six.jxl -d 0"));
    ASSERT_TRUE(Native("convert source.png -rotate 90 clockwise.png"));
    CRgbBuffer ours, clockwise;
    ASSERT_EQ(LoadJxl(m_Dir / "six.jxl", ours), 1);
    ASSERT_TRUE(ReadWithImageMagick("clockwise.png", clockwise));
    EXPECT_EQ(ours.GetWidth(), 37);
    EXPECT_EQ(ours.GetHeight(), 61);
    EXPECT_EQ(LargestDifference(ours, clockwise), 0);
}

TEST_F(JxlFileTest, AnimationShowsItsFirstFrame)
{
    ASSERT_TRUE(MakeSource("first.png"));
    ASSERT_TRUE(Native("convert -size 61x37 xc:#20A040 second.png && "
                       "convert -delay 20 first.png second.png anim.gif && cjxl anim.gif anim.jxl -d 0"));
    CRgbBuffer ours, first;
    ASSERT_EQ(LoadJxl(m_Dir / "anim.jxl", ours), 1);
    ASSERT_TRUE(ReadWithImageMagick("'anim.gif[0]'", first));
    EXPECT_EQ(LargestDifference(ours, first), 0);
}

TEST_F(JxlFileTest, SixteenBitPicturesAreRoundedToEightBits)
{
    ASSERT_TRUE(Native("convert -size 61x37 xc:black -fx \"(i*1031 + j*77) % 65536 / 65535\" "
                       "-channel G -fx \"(j*1500 + i*13) % 65536 / 65535\" "
                       "-channel B -fx \"(i*j*97) % 65536 / 65535\" +channel -depth 16 deep.png && "
                       "cjxl deep.png deep.jxl -d 0 && convert deep.png -depth 16 deep.ppm"));
    int width = 0, height = 0, maxValue = 0;
    std::vector<unsigned> samples;
    ASSERT_TRUE(ReadPpmSamples("deep.ppm", width, height, maxValue, samples));
    ASSERT_EQ(maxValue, 65535);
    CRgbBuffer ours;
    ASSERT_EQ(LoadJxl(m_Dir / "deep.jxl", ours), 1);
    ASSERT_EQ(ours.GetWidth(), width);
    int wrong = 0;
    for (size_t i = 0; i < samples.size(); ++i)
        wrong += ours.GetBuffer()[i] != (int)floor(samples[i] * 255.0 / 65535.0 + 0.5);
    EXPECT_EQ(wrong, 0) << "of " << samples.size();
}

TEST_F(JxlFileTest, TruncatedAndDamagedFilesLoadEmpty)
{
    ASSERT_TRUE(MakeSource("source.png"));
    ASSERT_TRUE(Native("cjxl source.png whole.jxl -d 1.5"));
    ASSERT_TRUE(Native("cp source.png six.png && exiftool -q -overwrite_original -Orientation#=6 -n six.png && "
                       "cjxl six.png boxed.jxl -d 0"));
    for (const char* name : { "whole.jxl", "boxed.jxl" })
    {
        std::string whole = test_support::FileBytes(m_Dir / name);
        ASSERT_GT(whole.size(), 100u);
        for (size_t keep : { (size_t)0, (size_t)2, (size_t)12, (size_t)40, whole.size() / 2, whole.size() - 1 })
        {
            SCOPED_TRACE(std::string(name) + " cut to " + std::to_string(keep));
            ASSERT_TRUE(test_support::WriteFileBytes(m_Dir / "cut.jxl", whole.substr(0, keep)));
            CRgbBuffer picture;
            EXPECT_EQ(LoadJxl(m_Dir / "cut.jxl", picture), 0);
            EXPECT_FALSE(picture.IsImage());
        }
    }
    // A codestream signature followed by noise.
    std::string noise("\xFF\x0A", 2);
    for (int i = 0; i < 300; ++i)
        noise += (char)(i * 37 + 11);
    CRgbBuffer picture;
    EXPECT_EQ(CJxlFile::Decode((const BYTE*)noise.data(), noise.size(), &picture), 0);
    EXPECT_FALSE(picture.IsImage());
}

TEST_F(JxlFileTest, FrontEndLoadsJpegXlByItsExtension)
{
    ASSERT_TRUE(MakeSource("source.png"));
    ASSERT_TRUE(Native("cjxl source.png Art.JXL -d 1"));
    EXPECT_TRUE(CFileInfo::IsImageFile("C:\\Pictures\\Art.JXL"));
    CRgbBuffer picture;
    EXPECT_TRUE(picture.LoadRgbBuffer((m_Dir / "Art.JXL").c_str()));
    EXPECT_EQ(picture.GetWidth(), 61);
}
