// CRgbBuffer::SaveTo: the written size for each mode, the "_thumbnails"
// copy beside the picture, and the folders it creates.
#include <gtest/gtest.h>
#include <memory>
#include "JpegTestKit.h"

namespace
{
class SaveTo : public ::testing::Test
{
protected:
    SaveTo() : m_Dir("pixmere_saveto") {}

    CSize SizeOf(const std::string& path)
    {
        CRgbBuffer picture;
        CJpgFile codec(path.c_str(), 100, false);
        codec.Load(&picture);
        return CSize(picture.GetWidth(), picture.GetHeight());
    }
    test_support::TempFolder m_Dir;
};
} // namespace

TEST_F(SaveTo, FullSizeWithThumbnailBesideIt)
{
    std::unique_ptr<CRgbBuffer> picture(MakePicture(300, 200, 0));
    ASSERT_TRUE(picture->SaveTo((m_Dir / "pic.jpeg").c_str(), CSize(0, 0), 80, false, true));
    EXPECT_EQ(CSize(300, 200), SizeOf(m_Dir / "pic.jpg"));
    EXPECT_EQ(CSize(120, 80), SizeOf(m_Dir / "_thumbnails\\pic.jpg"));
    EXPECT_FALSE(FileExists(m_Dir / "pic.jpeg"));
    EXPECT_FALSE(FileExists(m_Dir / "_thumbnails\\pic.jpeg"));
}

TEST_F(SaveTo, SmallPictureThumbnailIsNotEnlarged)
{
    std::unique_ptr<CRgbBuffer> picture(MakePicture(100, 50, 0));
    ASSERT_TRUE(picture->SaveTo((m_Dir / "small.jpg").c_str(), CSize(0, 0), 80, false, true));
    EXPECT_EQ(CSize(100, 50), SizeOf(m_Dir / "_thumbnails\\small.jpg"));
}

TEST_F(SaveTo, FitInsideEnlargesAndBestFitOnlyReduces)
{
    std::unique_ptr<CRgbBuffer> picture(MakePicture(100, 50, 0));
    ASSERT_TRUE(picture->SaveTo((m_Dir / "fit.jpg").c_str(), CSize(400, 400), 80, true, false));
    EXPECT_EQ(CSize(400, 200), SizeOf(m_Dir / "fit.jpg"));
    ASSERT_TRUE(picture->SaveTo((m_Dir / "best.jpg").c_str(), CSize(400, 400), 80, false, false));
    EXPECT_EQ(CSize(100, 50), SizeOf(m_Dir / "best.jpg"));
    ASSERT_TRUE(picture->SaveTo((m_Dir / "less.jpg").c_str(), CSize(50, 50), 80, false, false));
    EXPECT_EQ(CSize(50, 25), SizeOf(m_Dir / "less.jpg"));
    EXPECT_FALSE(FileExists(m_Dir / "_thumbnails\\less.jpg"));
}

TEST_F(SaveTo, CreatesTheLastFolderLevelOnly)
{
    std::unique_ptr<CRgbBuffer> picture(MakePicture(40, 30, 0));
    EXPECT_TRUE(picture->SaveTo((m_Dir / "new\\pic.jpg").c_str(), CSize(0, 0), 80, false, true));
    EXPECT_EQ(CSize(40, 30), SizeOf(m_Dir / "new\\pic.jpg"));
    EXPECT_EQ(CSize(40, 30), SizeOf(m_Dir / "new\\_thumbnails\\pic.jpg"));
    // Two missing levels: nothing can be written, and that is reported.
    EXPECT_FALSE(picture->SaveTo((m_Dir / "a\\b\\pic.jpg").c_str(), CSize(0, 0), 80, false, false));
    EXPECT_FALSE(FileExists(m_Dir / "a\\b\\pic.jpg"));
}

TEST_F(SaveTo, GrayFlagCarriesIntoTheFullSizeFile)
{
    std::unique_ptr<CRgbBuffer> picture(MakePicture(60, 40, 0));
    picture->m_GrayScale = 1;
    ASSERT_TRUE(picture->SaveTo((m_Dir / "grey.jpg").c_str(), CSize(0, 0), 80, false, false));
    Bytes file = FileBytes(m_Dir / "grey.jpg");
    size_t sof = FindMarker(file, 0xC0);
    ASSERT_NE(Bytes::npos, sof);
    EXPECT_EQ(1, file[sof + 9]);
}

TEST_F(SaveTo, EmptyBufferWritesNothing)
{
    CRgbBuffer empty;
    EXPECT_FALSE(empty.SaveTo((m_Dir / "empty.jpg").c_str(), CSize(0, 0), 80, false, true));
    EXPECT_FALSE(FileExists(m_Dir / "empty.jpg"));
}
