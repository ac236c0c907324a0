// The thumbnail readers of the modern formats on files made by the native
// encoders: WebP's scaled decode, JPEG XL's 1/8 decode and preview frame,
// HEIF's thumbnail item, and the CThumbnailSource front end the browser
// uses. Each reduced picture is held against our full decode averaged down
// to the same size.
#include <gtest/gtest.h>
#include <math.h>

#include "CodecTestKit.h"
#include "HeifFile.h"
#include "HeifThumbnail.h"
#include "JxlFile.h"
#include "JxlReduced.h"
#include "NativeCodecKit.h"
#include "ThumbnailSource.h"
#include "WebpFile.h"
#include "WebpReduced.h"

namespace
{
class ReducedDecodeTest : public NativeCodecTest
{
protected:
    ReducedDecodeTest() : NativeCodecTest("reducedtest") {}

    // A photo-like 480 x 320 picture: smooth areas and fine detail.
    bool MakePhoto(const std::string& name, const std::string& extra = "")
    {
        return Native("convert -seed 7 -size 480x320 plasma:red-blue " + extra + " -depth 8 " + name);
    }

    std::string Path(const std::string& name) { return m_Dir / name; }

    // The average difference of all samples between a reduced picture and
    // the full picture averaged down to its size (each pixel the mean of
    // the full picture's pixels in its span); 256 when either is missing.
    static double AverageDifference(const CRgbBuffer& reduced, const CRgbBuffer& full)
    {
        if (!reduced.IsImage() || !full.IsImage())
            return 256;
        int w = reduced.GetWidth(), h = reduced.GetHeight(), fw = full.GetWidth(), fh = full.GetHeight();
        double total = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                for (int c = 0; c < 3; ++c)
                {
                    double sum = 0;
                    int count = 0;
                    for (int sy = y * fh / h; sy < (y + 1) * fh / h; ++sy)
                        for (int sx = x * fw / w; sx < (x + 1) * fw / w; ++sx, ++count)
                            sum += full.GetBuffer()[((size_t)sy * fw + sx) * 3 + c];
                    total += fabs(reduced.GetBuffer()[((size_t)y * w + x) * 3 + c] - sum / count);
                }
        return total / ((double)w * h * 3);
    }

    // Cuts of a file that end inside its headers or its first data.
    void ExpectCutsLoadEmpty(const std::string& name, int (*load)(const CString&, CRgbBuffer*))
    {
        std::string whole = test_support::FileBytes(m_Dir / name);
        ASSERT_GT(whole.size(), 400u);
        for (size_t keep : { (size_t)0, (size_t)5, (size_t)20, (size_t)60, (size_t)200 })
        {
            SCOPED_TRACE(name + " cut to " + std::to_string(keep));
            ASSERT_TRUE(test_support::WriteFileBytes(m_Dir / "cut.bin", whole.substr(0, keep)));
            CRgbBuffer picture;
            EXPECT_EQ(load(Path("cut.bin").c_str(), &picture), 0);
            EXPECT_FALSE(picture.IsImage());
        }
    }
};

int WebpReduced120(const CString& path, CRgbBuffer* buffer)
{
    CSize size(-1, -1);
    int result = CWebpReduced::LoadReduced(path, buffer, 120, 120, &size);
    EXPECT_TRUE(result || size == CSize(0, 0));
    return result;
}

int JxlReduced60(const CString& path, CRgbBuffer* buffer)
{
    CSize size(-1, -1);
    int result = CJxlReduced::LoadReduced(path, buffer, 60, 60, &size);
    EXPECT_TRUE(result || size == CSize(0, 0));
    return result;
}
} // namespace

TEST_F(ReducedDecodeTest, WebpDecodesStraightToItsFitIntoTheBox)
{
    ASSERT_TRUE(MakePhoto("photo.png"));
    ASSERT_TRUE(Native("cwebp -quiet -q 80 photo.png -o lossy.webp && cwebp -quiet -lossless photo.png -o lossless.webp"));
    for (const char* name : { "lossy.webp", "lossless.webp" })
    {
        SCOPED_TRACE(name);
        CRgbBuffer reduced, full;
        CSize size;
        ASSERT_EQ(CWebpReduced::LoadReduced(Path(name).c_str(), &reduced, 120, 120, &size), 1);
        ASSERT_EQ(LoadWith<CWebpFile>(Path(name), full), 1);
        EXPECT_EQ(reduced.GetWidth(), 120);
        EXPECT_EQ(reduced.GetHeight(), 80);
        EXPECT_EQ(size, CSize(480, 320));
        EXPECT_LT(AverageDifference(reduced, full), 3.0);

        // A box the picture fits in gives the full decode itself.
        CRgbBuffer whole;
        ASSERT_EQ(CWebpReduced::LoadReduced(Path(name).c_str(), &whole, 480, 480, &size), 1);
        EXPECT_EQ(LargestDifference(whole, full), 0);
    }
    ExpectCutsLoadEmpty("lossy.webp", &WebpReduced120);
}

TEST_F(ReducedDecodeTest, WebpReducedDecodeIsTurnedUpright)
{
    ASSERT_TRUE(MakePhoto("photo.png"));
    std::string tiff("II*\0\x08\0\0\0\x01\0\x12\x01\x03\0\x01\0\0\0\x06\0\0\0\0\0\0\0", 26);
    ASSERT_TRUE(test_support::WriteFileBytes(m_Dir / "six.exif", tiff));
    ASSERT_TRUE(Native("cwebp -quiet -q 90 photo.png -o plain.webp && webpmux -set exif six.exif plain.webp -o six.webp"));
    CRgbBuffer reduced, full;
    CSize size;
    // Stored 480 x 320, shown 320 x 480: its fit into 120 x 120 is 80 x 120.
    ASSERT_EQ(CWebpReduced::LoadReduced(Path("six.webp").c_str(), &reduced, 120, 120, &size), 1);
    ASSERT_EQ(LoadWith<CWebpFile>(Path("six.webp"), full), 1);
    EXPECT_EQ(full.GetWidth(), 320);
    EXPECT_EQ(reduced.GetWidth(), 80);
    EXPECT_EQ(reduced.GetHeight(), 120);
    EXPECT_EQ(size, CSize(320, 480));
    EXPECT_LT(AverageDifference(reduced, full), 3.0);
}

TEST_F(ReducedDecodeTest, JxlDecodesToAnEighthOfItsSize)
{
    ASSERT_TRUE(MakePhoto("photo.png"));
    ASSERT_TRUE(Native("cjxl photo.png lossy.jxl -d 1 && cjxl photo.png lossless.jxl -d 0 -e 1"));
    for (const char* name : { "lossy.jxl", "lossless.jxl" })
    {
        SCOPED_TRACE(name);
        CRgbBuffer reduced, full;
        CSize size;
        ASSERT_EQ(CJxlReduced::LoadReduced(Path(name).c_str(), &reduced, 60, 60, &size), 1);
        ASSERT_EQ(LoadWith<CJxlFile>(Path(name), full), 1);
        EXPECT_EQ(reduced.GetWidth(), 60);
        EXPECT_EQ(reduced.GetHeight(), 40);
        EXPECT_EQ(size, CSize(480, 320));
        EXPECT_LT(AverageDifference(reduced, full), 3.0);
    }
    // When an eighth would not cover the fit, the full picture comes.
    CRgbBuffer larger;
    CSize size;
    ASSERT_EQ(CJxlReduced::LoadReduced(Path("lossy.jxl").c_str(), &larger, 61, 61, &size), 1);
    EXPECT_EQ(larger.GetWidth(), 480);
    EXPECT_EQ(size, CSize(480, 320));
    ExpectCutsLoadEmpty("lossy.jxl", &JxlReduced60);
}

TEST_F(ReducedDecodeTest, JxlReducedDecodeIsTurnedUpright)
{
    ASSERT_TRUE(MakePhoto("photo.png"));
    ASSERT_TRUE(Native("exiftool -q -overwrite_original -Orientation#=6 -n photo.png && cjxl photo.png six.jxl -d 1"));
    CRgbBuffer reduced, full;
    CSize size;
    ASSERT_EQ(CJxlReduced::LoadReduced(Path("six.jxl").c_str(), &reduced, 60, 60, &size), 1);
    ASSERT_EQ(LoadWith<CJxlFile>(Path("six.jxl"), full), 1);
    EXPECT_EQ(full.GetWidth(), 320);
    EXPECT_EQ(reduced.GetWidth(), 40);
    EXPECT_EQ(reduced.GetHeight(), 60);
    EXPECT_EQ(size, CSize(320, 480));
    EXPECT_LT(AverageDifference(reduced, full), 3.0);
}

TEST_F(ReducedDecodeTest, JxlWithoutPreviewFrameHasNoPreview)
{
    // cjxl writes no preview frames: only the absence is checked here.
    ASSERT_TRUE(MakePhoto("photo.png"));
    ASSERT_TRUE(Native("cjxl photo.png photo.jxl -d 1"));
    CRgbBuffer preview;
    EXPECT_EQ(CJxlReduced::LoadPreview(Path("photo.jxl").c_str(), &preview), 0);
    EXPECT_FALSE(preview.IsImage());
    ExpectCutsLoadEmpty("photo.jxl", &CJxlReduced::LoadPreview);
}

TEST_F(ReducedDecodeTest, HeifThumbnailItemIsDecodedUpright)
{
    ASSERT_TRUE(MakePhoto("photo.png"));
    ASSERT_TRUE(Native("heif-enc -q 80 -t 64 photo.png -o thumb.heic && heif-enc -q 80 photo.png -o plain.heic"));
    CRgbBuffer thumbnail, full;
    ASSERT_EQ(CHeifThumbnail::Load(Path("thumb.heic").c_str(), &thumbnail), 1);
    ASSERT_EQ(LoadWith<CHeifFile>(Path("thumb.heic"), full), 1);
    EXPECT_EQ(thumbnail.GetWidth(), 64);
    EXPECT_EQ(thumbnail.GetHeight(), 42);
    // heif-enc samples its thumbnail down and codes it at 4:2:0, which
    // costs a few levels more than the other readers; a wrong picture or
    // orientation differs by tens.
    EXPECT_LT(AverageDifference(thumbnail, full), 10.0);

    CRgbBuffer none;
    EXPECT_EQ(CHeifThumbnail::Load(Path("plain.heic").c_str(), &none), 0);
    EXPECT_FALSE(none.IsImage());

    // Both images' pixel-depth properties (16-byte boxes) made into three
    // counter-clockwise quarter turns: a phone's portrait.
    std::string bytes = test_support::FileBytes(m_Dir / "thumb.heic");
    int turned = 0;
    for (size_t at = bytes.find("pixi"); at != std::string::npos; at = bytes.find("pixi", at + 4), ++turned)
    {
        bytes.replace(at, 4, "irot");
        bytes[at + 4] = 3;
        for (int i = 5; i < 12; ++i)
            bytes[at + i] = 0;
    }
    ASSERT_EQ(turned, 2);
    ASSERT_TRUE(test_support::WriteFileBytes(m_Dir / "portrait.heic", bytes));
    CRgbBuffer portrait, portraitFull;
    ASSERT_EQ(CHeifThumbnail::Load(Path("portrait.heic").c_str(), &portrait), 1);
    ASSERT_EQ(LoadWith<CHeifFile>(Path("portrait.heic"), portraitFull), 1);
    EXPECT_EQ(portrait.GetWidth(), 42);
    EXPECT_EQ(portrait.GetHeight(), 64);
    EXPECT_LT(AverageDifference(portrait, portraitFull), 10.0);

    ExpectCutsLoadEmpty("thumb.heic", &CHeifThumbnail::Load);
}

TEST_F(ReducedDecodeTest, ThumbnailSourcePicksTheReaderByType)
{
    for (const char* name : { "a.jpg", "b.HEIC", "c.heif", "d.jxl" })
        EXPECT_TRUE(CThumbnailSource::MayCarryPreview(name)) << name;
    for (const char* name : { "a.webp", "b.png", "c.gif" })
        EXPECT_FALSE(CThumbnailSource::MayCarryPreview(name)) << name;

    ASSERT_TRUE(MakePhoto("photo.png"));
    ASSERT_TRUE(Native("heif-enc -q 80 -t 64 photo.png -o photo.heic && cwebp -quiet photo.png -o photo.webp && "
                       "cjxl photo.png photo.jxl -d 1"));
    CRgbBuffer picture;
    CSize size;
    EXPECT_EQ(CThumbnailSource::LoadPreview(Path("photo.heic").c_str(), &picture), 1);
    EXPECT_EQ(picture.GetWidth(), 64);
    EXPECT_EQ(CThumbnailSource::LoadPreview(Path("photo.webp").c_str(), &picture), 0);
    EXPECT_FALSE(picture.IsImage());

    // Reduced where the codec can; the full picture where it cannot.
    const struct
    {
        const char* name;
        int box, width;
    } expected[] = { { "photo.webp", 120, 120 }, { "photo.jxl", 60, 60 }, { "photo.heic", 120, 480 },
                     { "photo.png", 120, 480 } };
    for (const auto& e : expected)
    {
        SCOPED_TRACE(e.name);
        ASSERT_EQ(CThumbnailSource::LoadReduced(Path(e.name).c_str(), &picture, e.box, e.box, &size), 1);
        EXPECT_EQ(picture.GetWidth(), e.width);
        EXPECT_EQ(size, CSize(480, 320));
    }
    EXPECT_EQ(CThumbnailSource::LoadReduced(Path("missing.webp").c_str(), &picture, 120, 120, &size), 0);
    EXPECT_FALSE(picture.IsImage());
    EXPECT_EQ(size, CSize(0, 0));
}
