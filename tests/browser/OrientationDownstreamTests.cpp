// Photos stored turned (landscape pixels with EXIF orientation 6, the way
// phones store portrait shots) reach the browser upright: the thumbnail's
// preview pass, its full pass and its cache file are portrait with the
// picture's top where it belongs, and a batch quarter turn turns the upright
// picture.
#include <gtest/gtest.h>
#include "ThumbnailTestKit.h"
#include "BatchTestKit.h"
#include "batch/DialogBatchRotateFlip.h"

using test_support::RgbAt;
using test_support::TempFolder;
using thumbnail_test::Area;
using thumbnail_test::CacheFileOf;
using thumbnail_test::CellWindows;
using thumbnail_test::Near;

namespace
{
const DWORD kRed = 0xD02020;

// A picture of one colour with a red block in its top-left corner of a
// quarter of its width and height.
CRgbBuffer* MarkedPicture(int width, int height, DWORD rgb)
{
    CRgbBuffer* picture = new CRgbBuffer(width, height);
    picture->m_GrayScale = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
        {
            DWORD c = x < width / 4 && y < height / 4 ? kRed : rgb;
            BYTE* p = picture->GetBuffer() + 3 * ((size_t)y * width + x);
            p[0] = (BYTE)(c >> 16);
            p[1] = (BYTE)(c >> 8);
            p[2] = (BYTE)c;
        }
    return picture;
}

// A JPEG of picture whose EXIF block (the camera layout, with an EXIF
// thumbnail stored the same way) says orientation 6: turn a quarter clockwise
// to see it upright.
std::string WriteTurnedPhoto(const std::string& path, const CRgbBuffer& picture, const CRgbBuffer& thumbnail)
{
    Bytes block = CameraExif(true, EncodeJpeg(thumbnail));
    const size_t orientationValue = 8 + 2 + 12 + 8; // second entry of IFD0, Motorola order
    block[orientationValue] = 0;
    block[orientationValue + 1] = 6;
    WriteFileBytes(path, WithExif(EncodeJpeg(picture), block));
    return path;
}

// The pixels of a bitmap the thumbnail generator made.
std::unique_ptr<CRgbBuffer> Pixels(HBITMAP bitmap)
{
    return std::unique_ptr<CRgbBuffer>(bitmap ? CBitmapFactory::CreateRgbFromDIBitmap(bitmap) : NULL);
}

// A portrait picture whose red block sits at the top-right (where the stored
// top-left goes by a clockwise quarter turn) and nowhere else.
void ExpectUprightPortrait(const CRgbBuffer* picture, CSize size, DWORD rgb)
{
    ASSERT_TRUE(picture != NULL);
    ASSERT_EQ(size, picture->GetImageSize());
    int w = size.cx, h = size.cy;
    EXPECT_TRUE(Near(kRed, RgbAt(*picture, w - 1 - w / 16, h / 16))) << std::hex << RgbAt(*picture, w - 1 - w / 16, h / 16);
    EXPECT_TRUE(Near(rgb, RgbAt(*picture, w / 16, h / 16))) << std::hex << RgbAt(*picture, w / 16, h / 16);
    EXPECT_TRUE(Near(rgb, RgbAt(*picture, w - 1 - w / 16, h - 1 - h / 16)));
    EXPECT_TRUE(Near(rgb, RgbAt(*picture, w / 2, h / 2)));
}

// Mean absolute difference of two same-sized pictures' bytes (-1 when the
// sizes differ): JPEG's error concentrates at sharp edges, the mean stays small.
double MeanDifference(const CRgbBuffer& a, const CRgbBuffer& b)
{
    if (a.GetImageSize() != b.GetImageSize())
        return -1;
    size_t count = (size_t)a.GetWidth() * a.GetHeight() * 3;
    double sum = 0;
    for (size_t i = 0; i < count; ++i)
        sum += abs(a.GetBuffer()[i] - b.GetBuffer()[i]);
    return sum / count;
}
} // namespace

TEST(OrientationDownstream, ThumbnailOfATurnedPhotoIsPortraitInBothPassesAndInTheCache)
{
    const DWORD kBlue = 0x2040C0, kGreen = 0x30C030;
    TempFolder folder("orient_thumb");
    std::unique_ptr<CRgbBuffer> picture(MarkedPicture(800, 600, kBlue));
    std::unique_ptr<CRgbBuffer> thumbnail(MarkedPicture(160, 120, kGreen));
    std::string path = WriteTurnedPhoto(folder / "phone.jpg", *picture, *thumbnail);
    std::string cache = CacheFileOf(path);
    DeleteFileA(cache.c_str());
    CellWindows cells(1);
    CThumbnailManager manager;
    EXPECT_EQ(NULL, manager.GetThumbnail(path.c_str(), Area(100, 100), cells[0], FALSE));

    // The EXIF thumbnail, upright 120 x 160, enlarged to fill: 75 x 100.
    EXPECT_EQ(CThumbnailManager::Served, manager.ServeNextTask());
    {
        SCOPED_TRACE("preview pass");
        ExpectUprightPortrait(Pixels(manager.GetThumbnail(path.c_str(), Area(100, 100), cells[0], FALSE)).get(),
                              CSize(75, 100), kGreen);
    }

    // The full picture, upright 600 x 800, best fit: 75 x 100.
    ASSERT_EQ(1, manager.GetTaskCount());
    EXPECT_EQ(CThumbnailManager::Served, manager.ServeNextTask());
    {
        SCOPED_TRACE("full pass");
        ExpectUprightPortrait(Pixels(manager.GetThumbnail(path.c_str(), Area(100, 100), cells[0], FALSE)).get(),
                              CSize(75, 100), kBlue);
    }

    // The cache holds the upright picture fitted into 360 x 480.
    CRgbBuffer cached;
    ASSERT_TRUE(cached.LoadRgbBuffer(cache.c_str()));
    {
        SCOPED_TRACE("cache file");
        ExpectUprightPortrait(&cached, CSize(360, 480), kBlue);
    }

    // Served again from the cache, it stays upright.
    thumbnail_test::Queue(manager, path, cells[0], Area(100, 100));
    EXPECT_EQ(CThumbnailManager::Served, manager.ServeNextTask());
    {
        SCOPED_TRACE("from the cache");
        ExpectUprightPortrait(Pixels(manager.GetThumbnail(path.c_str(), Area(100, 100), cells[0], FALSE)).get(),
                              CSize(75, 100), kBlue);
    }
    DeleteFileA(cache.c_str());
}

TEST(OrientationDownstream, BatchQuarterTurnTurnsTheUprightPicture)
{
    TempFolder folder("orient_batch");
    std::unique_ptr<CRgbBuffer> picture(MarkedPicture(120, 80, 0x2040C0));
    std::unique_ptr<CRgbBuffer> thumbnail(MarkedPicture(48, 32, 0x30C030));
    std::string source = WriteTurnedPhoto(folder.File("phone.jpg"), *picture, *thumbnail);
    CRgbBuffer upright;
    ASSERT_TRUE(upright.LoadRgbBuffer(source.c_str()));
    ASSERT_EQ(CSize(80, 120), upright.GetImageSize());
    std::unique_ptr<CRgbBuffer> expected(upright.Rotate90RGB());

    std::unique_ptr<CTestList> list(batch_test::MakeList(folder, {source}));
    batch_test::Messages messages;
    CDialogBatchRotateFlip tool;
    tool.m_Prop_OutputFolderName = CString(folder.Path().c_str());
    tool.m_Prop_JobFlag = CDialogBatchRotateFlip::Rotate90;
    {
        batch_test::DoneCloser closer;
        tool.RunBatch(list.get());
    }
    EXPECT_TRUE(messages.All().empty());

    // Upright portrait turned a quarter clockwise: landscape, the red block
    // (stored top-left, upright top-right) now at the bottom-right.
    CRgbBuffer output;
    ASSERT_TRUE(output.LoadRgbBuffer(folder.File("RotateFlip\\phone.jpg").c_str()));
    ASSERT_EQ(CSize(120, 80), output.GetImageSize());
    EXPECT_TRUE(Near(kRed, RgbAt(output, 112, 75))) << std::hex << RgbAt(output, 112, 75);
    EXPECT_FALSE(Near(kRed, RgbAt(output, 8, 5)));
    double mean = MeanDifference(output, *expected);
    EXPECT_GE(mean, 0);
    EXPECT_LE(mean, 3.0);
}
