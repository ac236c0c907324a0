// CHeifFile on files made by the native heif-enc (x265) from pictures made
// by ImageMagick, compared with the native decoder heif-convert.
#include <gtest/gtest.h>
#include <math.h>
#include <thread>
#include <vector>

#include "CodecTestKit.h"
#include "FileInfo.h"
#include "HeifFile.h"
#include "NativeCodecKit.h"

namespace
{
const auto LoadHeif = LoadWith<CHeifFile>;
const char* const kLossless = "heif-enc -L -p chroma=444 --matrix_coefficients=0";

class HeifFileTest : public NativeCodecTest
{
protected:
    HeifFileTest() : NativeCodecTest("heiftest") {}

    // Our decode of a HEIF file against heif-convert's.
    int DifferenceFromNative(const std::string& name)
    {
        CRgbBuffer ours, native;
        EXPECT_EQ(LoadHeif(m_Dir / name, ours), 1) << name;
        EXPECT_TRUE(Native("heif-convert " + name + " native.png")) << name;
        EXPECT_TRUE(ReadWithImageMagick("native.png", native)) << name;
        return LargestDifference(ours, native);
    }

    // A copy of a file made by heif-enc whose primary image carries a
    // rotation or mirror property in place of its pixel-depth property (a
    // box of the same 16 bytes, so no offset in the file moves).
    bool WithTransformation(const std::string& from, const std::string& to, const char type[4], char value)
    {
        std::string bytes = test_support::FileBytes(m_Dir / from);
        size_t at = bytes.find("pixi");
        if (at == std::string::npos || at < 4 || bytes.compare(at - 4, 4, std::string("\0\0\0\x10", 4)) != 0)
            return false;
        bytes.replace(at, 4, type, 4);
        bytes[at + 4] = value;
        for (int i = 5; i < 12; ++i)
            bytes[at + i] = 0;
        return test_support::WriteFileBytes(m_Dir / to, bytes);
    }
};
} // namespace

TEST_F(HeifFileTest, LosslessAndLossyFilesDecodeAsTheNativeDecoderDoes)
{
    // 61 x 37: heif-enc stores an odd size as a grid of one padded tile.
    ASSERT_TRUE(MakeSource("source.png"));
    ASSERT_TRUE(Native(std::string(kLossless) + " source.png -o lossless.heic"));
    ASSERT_TRUE(Native("heif-enc -q 70 source.png -o lossy.heif"));
    EXPECT_EQ(DifferenceFromNative("lossless.heic"), 0);
    EXPECT_LE(DifferenceFromNative("lossy.heif"), 1);

    CRgbBuffer ours, source;
    ASSERT_EQ(LoadHeif(m_Dir / "lossless.heic", ours), 1);
    ASSERT_TRUE(ReadWithImageMagick("source.png", source));
    EXPECT_EQ(ours.GetWidth(), 61);
    EXPECT_EQ(ours.GetHeight(), 37);
    EXPECT_LE(LargestDifference(ours, source), 1);
}

// The decoder's progress locks (one for each 64 x 64 block) are taken by
// every decode in the process: pictures decoded on several threads at once
// all come out whole and alike, and none waits for ever.
TEST_F(HeifFileTest, PicturesDecodedOnSeveralThreadsAtOnceComeOutAlike)
{
    ASSERT_TRUE(MakeSource("wide.png", "", 330, 200));
    ASSERT_TRUE(Native("heif-enc -q 70 wide.png -o wide.heic"));
    EXPECT_LE(DifferenceFromNative("wide.heic"), 1);
    CRgbBuffer alone;
    ASSERT_EQ(LoadHeif(m_Dir / "wide.heic", alone), 1);

    const int threads = 4;
    std::vector<CRgbBuffer> decoded(threads);
    std::vector<int> results(threads, -1);
    std::vector<std::thread> workers;
    for (int i = 0; i < threads; ++i)
        workers.emplace_back([&, i] { results[i] = LoadHeif(m_Dir / "wide.heic", decoded[i]); });
    for (std::thread& worker : workers)
        worker.join();
    for (int i = 0; i < threads; ++i)
    {
        EXPECT_EQ(results[i], 1) << "thread " << i;
        EXPECT_EQ(LargestDifference(decoded[i], alone), 0) << "thread " << i;
    }
}

TEST_F(HeifFileTest, RotationAndMirrorPropertiesAreApplied)
{
    ASSERT_TRUE(MakeSource("source.png"));
    ASSERT_TRUE(Native(std::string(kLossless) + " source.png -o plain.heic"));
    // Three counter-clockwise quarter turns: the phone's "turn a quarter
    // clockwise" (EXIF Orientation 6).
    ASSERT_TRUE(WithTransformation("plain.heic", "turned.heic", "irot", 3));
    ASSERT_TRUE(WithTransformation("plain.heic", "mirrored.heic", "imir", 1));

    CRgbBuffer turned, clockwise;
    ASSERT_EQ(LoadHeif(m_Dir / "turned.heic", turned), 1);
    EXPECT_EQ(turned.GetWidth(), 37);
    EXPECT_EQ(turned.GetHeight(), 61);
    ASSERT_TRUE(Native("convert source.png -rotate 90 clockwise.png"));
    ASSERT_TRUE(ReadWithImageMagick("clockwise.png", clockwise));
    EXPECT_LE(LargestDifference(turned, clockwise), 1);
    EXPECT_EQ(DifferenceFromNative("turned.heic"), 0);
    EXPECT_EQ(DifferenceFromNative("mirrored.heic"), 0);
}

TEST_F(HeifFileTest, DeepPicturesAreRoundedToEightBits)
{
    // 16-bit samples that 8 bits cannot hold, encoded with 10 and 12 bits.
    ASSERT_TRUE(Native("convert -size 61x37 xc:black -fx \"(i*1031 + j*77) % 65536 / 65535\" "
                       "-channel G -fx \"(j*1500 + i*13) % 65536 / 65535\" "
                       "-channel B -fx \"(i*j*97) % 65536 / 65535\" +channel -depth 16 deep.png"));
    for (int bits : { 10, 12 })
    {
        SCOPED_TRACE(bits);
        std::string name = "deep" + std::to_string(bits) + ".heic";
        ASSERT_TRUE(Native("heif-enc -b " + std::to_string(bits) + " -q 90 deep.png -o " + name));
        CRgbBuffer ours;
        ASSERT_EQ(LoadHeif(m_Dir / name, ours), 1);

        // heif-convert writes the decoded samples shifted to 16 bits; the
        // zero bits at the bottom of every sample tell the stored depth.
        ASSERT_TRUE(Native("heif-convert " + name + " native.png && convert native.png -depth 16 native.ppm"));
        int width = 0, height = 0, maxValue = 0;
        std::vector<unsigned> samples;
        ASSERT_TRUE(ReadPpmSamples("native.ppm", width, height, maxValue, samples));
        ASSERT_EQ(width, ours.GetWidth());
        ASSERT_EQ(height, ours.GetHeight());
        unsigned all = 0;
        for (unsigned s : samples)
            all |= s;
        int shift = 0;
        while (shift < 8 && !(all & (1u << shift)))
            ++shift;
        int stored = 16 - shift;
        ASSERT_GT(stored, 8);
        double top = (double)((1u << stored) - 1);
        int wrong = 0;
        for (size_t i = 0; i < samples.size(); ++i)
        {
            int nearest = (int)floor((samples[i] >> shift) * 255.0 / top + 0.5);
            wrong += ours.GetBuffer()[i] != nearest;
        }
        EXPECT_EQ(wrong, 0) << "of " << samples.size() << " samples of " << stored << " bits";
    }
}

TEST_F(HeifFileTest, TruncatedAndDamagedFilesLoadEmpty)
{
    ASSERT_TRUE(MakeSource("source.png"));
    ASSERT_TRUE(Native("heif-enc -q 70 source.png -o whole.heic"));
    std::string whole = test_support::FileBytes(m_Dir / "whole.heic");
    ASSERT_GT(whole.size(), 600u);
    for (size_t keep : { (size_t)0, (size_t)11, (size_t)40, (size_t)300, whole.size() / 2, whole.size() - 1 })
    {
        SCOPED_TRACE("cut to " + std::to_string(keep));
        ASSERT_TRUE(test_support::WriteFileBytes(m_Dir / "cut.heic", whole.substr(0, keep)));
        CRgbBuffer picture;
        EXPECT_EQ(LoadHeif(m_Dir / "cut.heic", picture), 0);
        EXPECT_FALSE(picture.IsImage());
    }

    // Every image size property claims 60000 x 60000 pixels.
    std::string huge = whole;
    int sizes = 0;
    for (size_t at = huge.find("ispe"); at != std::string::npos; at = huge.find("ispe", at + 4), ++sizes)
        huge.replace(at + 8, 8, std::string("\0\0\xEA\x60\0\0\xEA\x60", 8));
    ASSERT_GT(sizes, 0);
    CRgbBuffer picture;
    EXPECT_EQ(CHeifFile::Decode((const BYTE*)huge.data(), huge.size(), &picture), 0);
    EXPECT_FALSE(picture.IsImage());
}

TEST_F(HeifFileTest, FrontEndLoadsBothExtensions)
{
    ASSERT_TRUE(MakeSource("source.png"));
    ASSERT_TRUE(Native("heif-enc -q 70 source.png -o IMG_0001.HEIC && cp IMG_0001.HEIC other.heif"));
    for (const char* name : { "IMG_0001.HEIC", "other.heif" })
    {
        EXPECT_TRUE(CFileInfo::IsImageFile(name)) << name;
        CRgbBuffer picture;
        EXPECT_TRUE(picture.LoadRgbBuffer((m_Dir / name).c_str())) << name;
        EXPECT_EQ(picture.GetWidth(), 61) << name;
    }
}
