// Saving: the extension is always jpg, the grayscale flag writes one channel
// made from red, quality matters, and failures leave no file behind.
#include <gtest/gtest.h>
#include <memory>
#include "JpegTestKit.h"

namespace
{
class JpegSave : public ::testing::Test
{
protected:
    JpegSave() : m_Dir("pixmere_jpeg_save") {}
    test_support::TempFolder m_Dir;
};

int Load(const std::string& path, CRgbBuffer& picture)
{
    CJpgFile codec(path.c_str(), 100, false);
    return codec.Load(&picture);
}
} // namespace

TEST_F(JpegSave, GrayFlagWritesOneComponentMadeFromRed)
{
    std::unique_ptr<CRgbBuffer> picture(MakePicture(80, 60, 0));
    // Green and blue differ from red everywhere, so a mix would show.
    BYTE* p = picture->GetBuffer();
    for (int i = 0; i < 80 * 60; ++i, p += 3)
    {
        p[1] = (BYTE)(255 - p[0]);
        p[2] = (BYTE)(p[0] ^ 0x5A);
    }
    picture->m_GrayScale = 1;
    std::string path = m_Dir / "grey.jpg";
    ASSERT_EQ(1, CJpgFile(path.c_str(), 95, false).Save(picture.get()));

    Bytes file = FileBytes(path);
    size_t sof = FindMarker(file, 0xC0);
    ASSERT_NE(Bytes::npos, sof); // baseline
    EXPECT_EQ(1, file[sof + 9]);  // one component

    CRgbBuffer loaded;
    ASSERT_EQ(1, Load(path, loaded));
    ASSERT_EQ(80, loaded.GetWidth());
    int worst = 0;
    for (int i = 0; i < 80 * 60; ++i)
    {
        const BYTE* q = loaded.GetBuffer() + 3 * i;
        ASSERT_EQ(q[0], q[1]);
        ASSERT_EQ(q[0], q[2]);
        worst = std::max(worst, abs(q[0] - picture->GetBuffer()[3 * i]));
    }
    EXPECT_LE(worst, 6);
}

TEST_F(JpegSave, ColourFileHasThreeComponentsAndRoundTrips)
{
    // Smooth colours: at quality 100 only rounding separates the copies.
    std::unique_ptr<CRgbBuffer> picture(MakePicture(64, 64, 1));
    BYTE* p = picture->GetBuffer();
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x, p += 3)
        {
            p[0] = (BYTE)(x * 4);
            p[1] = (BYTE)(y * 4);
            p[2] = (BYTE)((x + y) * 2);
        }
    std::string path = m_Dir / "colour.jpg";
    ASSERT_EQ(1, CJpgFile(path.c_str(), 100, false).Save(picture.get()));
    Bytes file = FileBytes(path);
    size_t sof = FindMarker(file, 0xC0);
    ASSERT_NE(Bytes::npos, sof);
    EXPECT_EQ(3, file[sof + 9]);
    CRgbBuffer loaded;
    ASSERT_EQ(1, Load(path, loaded));
    EXPECT_EQ(0, loaded.m_GrayScale);
    int worst = MaxDifference(loaded, *picture);
    EXPECT_GE(worst, 0);
    EXPECT_LE(worst, 4);
}

TEST_F(JpegSave, JpegExtensionIsWrittenAsJpg)
{
    std::unique_ptr<CRgbBuffer> picture(MakePicture(16, 16, 0));
    ASSERT_EQ(1, CJpgFile((m_Dir / "photo.jpeg").c_str(), 80, false).Save(picture.get()));
    EXPECT_TRUE(FileExists(m_Dir / "photo.jpg"));
    EXPECT_FALSE(FileExists(m_Dir / "photo.jpeg"));
    ASSERT_EQ(1, CJpgFile((m_Dir / "noext").c_str(), 80, false).Save(picture.get()));
    EXPECT_TRUE(FileExists(m_Dir / "noext.jpg"));
}

TEST_F(JpegSave, LowerQualityGivesSmallerFiles)
{
    std::unique_ptr<CRgbBuffer> picture(MakePicture(200, 150, 2));
    ASSERT_EQ(1, CJpgFile((m_Dir / "q20.jpg").c_str(), 20, false).Save(picture.get()));
    ASSERT_EQ(1, CJpgFile((m_Dir / "q95.jpg").c_str(), 95, false).Save(picture.get()));
    EXPECT_LT(FileBytes(m_Dir / "q20.jpg").size(), FileBytes(m_Dir / "q95.jpg").size());
}

TEST_F(JpegSave, MissingFolderOrEmptyBufferFailsWithoutAFile)
{
    std::unique_ptr<CRgbBuffer> picture(MakePicture(16, 16, 0));
    EXPECT_EQ(0, CJpgFile((m_Dir / "no\\such\\folder\\a.jpg").c_str(), 80, false)
                     .Save(picture.get()));
    CRgbBuffer empty;
    EXPECT_EQ(0, CJpgFile((m_Dir / "empty.jpg").c_str(), 80, false).Save(&empty));
    EXPECT_FALSE(FileExists(m_Dir / "empty.jpg"));
}

TEST_F(JpegSave, NativeDecoderReadsWhatWeWrite)
{
    std::unique_ptr<CRgbBuffer> picture(MakePicture(101, 77, 3));
    std::string path = m_Dir / "native.jpg";
    ASSERT_EQ(1, CJpgFile(path.c_str(), 70, false).Save(picture.get()));
    CRgbBuffer ours, native;
    ASSERT_EQ(1, Load(path, ours));
    ASSERT_TRUE(DecodeWithDjpeg(m_Dir.Path(), path, native));
    EXPECT_EQ(0, MaxDifference(ours, native));
}
