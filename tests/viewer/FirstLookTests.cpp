// A large photo opened in the viewer shows first from its EXIF thumbnail
// (upright, of the photo's proportions), the decode for the window replaces
// it, the read-ahead worker waits for the first paint, and a step taken
// while the thumbnail is shown ends on the picture stepped to.
#include "ViewerTestKit.h"
#include <memory>
#include "ThumbnailPreview.h"
#include "ViewerPictures.h"
#include "../rastel/image/jpeg/JpegTestKit.h"

using namespace viewer_test;

namespace
{
const DWORD kIdleGuard = 20000; // only a guard against a hang, never a measure
const int kWidth = 2000, kHeight = 1500; // 3 MP: large enough for a first look

// A picture of one colour with a white 1/8 x 1/8 mark in its top-left corner.
CRgbBuffer* MarkedPicture(int width, int height, COLORREF colour)
{
    CRgbBuffer* picture = new CRgbBuffer(width, height);
    picture->m_GrayScale = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
        {
            BYTE* p = picture->m_Buffer + 3 * (y * width + x);
            bool mark = x < width / 8 && y < height / 8;
            p[0] = mark ? 255 : GetRValue(colour);
            p[1] = mark ? 255 : GetGValue(colour);
            p[2] = mark ? 255 : GetBValue(colour);
        }
    return picture;
}

// A red photo of width x height stored pixels whose EXIF block (with the
// given orientation) holds `thumbnail` (green, so the two are told apart).
void WritePhoto(const std::string& path, int width, int height, const CRgbBuffer& thumbnail, int orientation = 1)
{
    std::unique_ptr<CRgbBuffer> photo(MarkedPicture(width, height, RGB(220, 0, 0)));
    CameraLayout layout;
    Bytes exif = CameraExif(false, EncodeJpeg(thumbnail), &layout);
    exif[layout.ifd0 + 2 + 12 + 8] = (char)orientation; // IFD0's second entry
    ASSERT_TRUE(WriteFileBytes(path, WithExif(EncodeJpeg(*photo), exif)));
}

void WritePhoto(const std::string& path, int width, int height, int thumbWidth, int thumbHeight, int orientation = 1)
{
    std::unique_ptr<CRgbBuffer> thumb(MarkedPicture(thumbWidth, thumbHeight, RGB(0, 220, 0)));
    WritePhoto(path, width, height, *thumb, orientation);
}

COLORREF PixelAt(const CRgbBuffer* picture, int x, int y)
{
    const BYTE* p = picture->m_Buffer + 3 * (y * picture->GetWidth() + x);
    return RGB(p[0], p[1], p[2]);
}

bool IsGreen(COLORREF c)
{
    return GetGValue(c) > 150 && GetRValue(c) < 80;
}

bool IsRed(COLORREF c)
{
    return GetRValue(c) > 150 && GetGValue(c) < 80;
}

bool IsWhite(COLORREF c)
{
    return GetRValue(c) > 200 && GetGValue(c) > 200 && GetBValue(c) > 200;
}

// The middle of the shown picture.
COLORREF Middle(CViewerView* view)
{
    return PixelAt(view->m_pDisplay, view->m_pDisplay->GetWidth() / 2, view->m_pDisplay->GetHeight() / 2);
}

void Settle(CViewerView* view)
{
    ASSERT_TRUE(view->m_ReadAhead.WaitUntilIdle(kIdleGuard));
    Pump(30);
    ASSERT_TRUE(view->m_ReadAhead.WaitUntilIdle(kIdleGuard));
    Pump(30);
}
}

TEST(ViewerFirstLook, TheThumbnailIsShownFirstThenTheDecodeForTheWindowReplacesIt)
{
    ClearViewerSettings();
    TempFolder folder("viewer_firstlook");
    std::string path = folder / "large.jpg";
    WritePhoto(path, kWidth, kHeight, 160, 120);
    RunningViewer viewer(folder.Path());
    viewer.SetClientSize(400, 300);
    CViewerView* view = viewer.View();
    Settle(view);

    // Opening it shows the thumbnail at once, at the size the photo gets.
    view->OpenFile(path.c_str());
    ASSERT_TRUE(view->m_bThumbnailShown);
    EXPECT_TRUE(view->m_bPreviewShown);
    EXPECT_EQ(CSize(160, 120), view->m_pOriginal->GetImageSize());
    EXPECT_EQ(CSize(kWidth, kHeight), view->m_FullSize);
    EXPECT_EQ(CSize(400, 300), view->m_pDisplay->GetImageSize());
    EXPECT_TRUE(IsGreen(Middle(view)));

    // Once painted, the worker's decode for the window takes its place,
    // then the whole picture (the display stays as it is).
    view->UpdateWindow();
    Settle(view);
    EXPECT_FALSE(view->m_bThumbnailShown);
    EXPECT_FALSE(view->m_bPreviewShown);
    EXPECT_TRUE(IsRed(Middle(view)));
    EXPECT_EQ(CSize(400, 300), view->m_pDisplay->GetImageSize());
    EXPECT_TRUE(view->m_bWholePicture);
    EXPECT_EQ(CSize(kWidth, kHeight), view->m_pOriginal->GetImageSize());
}

TEST(ViewerFirstLook, OnlyAThumbnailOfThePhotosProportionsIsUsed)
{
    // 4:3 for 4:3, within 2 %, and a letterboxed one for a wide photo.
    std::unique_ptr<CRgbBuffer> plain(MarkedPicture(160, 120, RGB(0, 220, 0)));
    EXPECT_EQ(CRect(0, 0, 160, 120), ViewerPictures::ThumbnailContent(*plain, CSize(4000, 3000)));
    EXPECT_EQ(CRect(0, 0, 160, 120), ViewerPictures::ThumbnailContent(*plain, CSize(4000, 2950)));
    EXPECT_TRUE(ViewerPictures::ThumbnailContent(*plain, CSize(4000, 2850)).IsRectEmpty());
    EXPECT_TRUE(ViewerPictures::ThumbnailContent(*plain, CSize(3000, 4000)).IsRectEmpty());
    // Bars of 15 rows above and below a 16:9 picture are cropped; the same
    // rows with picture in them are no bars.
    CRgbBuffer letterbox(*plain);
    memset(letterbox.m_Buffer, 0, 3 * 160 * 15);
    memset(letterbox.m_Buffer + 3 * 160 * 105, 0, 3 * 160 * 15);
    EXPECT_EQ(CRect(0, 15, 160, 105), ViewerPictures::ThumbnailContent(letterbox, CSize(1600, 900)));
    EXPECT_TRUE(ViewerPictures::ThumbnailContent(*plain, CSize(1600, 900)).IsRectEmpty());
    // Pillar bars beside a narrower picture.
    CRgbBuffer pillars(*plain);
    for (int y = 0; y < 120; ++y)
    {
        memset(pillars.m_Buffer + 3 * (y * 160), 0, 3 * 20);
        memset(pillars.m_Buffer + 3 * (y * 160 + 140), 0, 3 * 20);
    }
    EXPECT_EQ(CRect(20, 0, 140, 120), ViewerPictures::ThumbnailContent(pillars, CSize(1000, 1000)));

    ClearViewerSettings();
    TempFolder folder("viewer_firstlookaspect");
    std::string wrong = folder / "wrong.jpg";
    WritePhoto(wrong, kWidth, 1000, 160, 120); // a 2:1 photo, a 4:3 thumbnail
    RunningViewer viewer(Quoted(wrong));
    viewer.SetClientSize(400, 300);
    CViewerView* view = viewer.View();
    view->OpenFile(wrong.c_str());
    EXPECT_FALSE(view->m_bThumbnailShown);
    EXPECT_TRUE(IsRed(Middle(view))) << "the photo's own pixels, not the thumbnail";
    EXPECT_EQ(CSize(400, 200), view->m_pDisplay->GetImageSize());

    // The letterboxed thumbnail of a wide photo shows, without its bars
    // (of 16 rows, so that no block mixes bar and picture).
    std::string wide = folder / "wide.jpg";
    std::unique_ptr<CRgbBuffer> boxed(MarkedPicture(160, 128, RGB(0, 220, 0)));
    memset(boxed->m_Buffer, 0, 3 * 160 * 16);
    memset(boxed->m_Buffer + 3 * 160 * 112, 0, 3 * 160 * 16);
    WritePhoto(wide, kWidth, 1200, *boxed);
    view->OpenFile(wide.c_str());
    ASSERT_TRUE(view->m_bThumbnailShown);
    EXPECT_EQ(CSize(160, 96), view->m_pOriginal->GetImageSize());
    EXPECT_EQ(CSize(400, 240), view->m_pDisplay->GetImageSize());
    EXPECT_TRUE(IsGreen(PixelAt(view->m_pDisplay, 200, 2))) << "no bar at the top";
    EXPECT_TRUE(IsGreen(PixelAt(view->m_pDisplay, 200, 237))) << "no bar at the bottom";

    // A photo that decodes quickly needs no first look.
    std::string small = folder / "small.jpg";
    WritePhoto(small, 1200, 900, 160, 120);
    view->OpenFile(small.c_str());
    EXPECT_FALSE(view->m_bThumbnailShown);
    EXPECT_TRUE(IsRed(Middle(view)));
}

TEST(ViewerFirstLook, ATurnedPhotosThumbnailIsShownUpright)
{
    ClearViewerSettings();
    TempFolder folder("viewer_firstlookturned");
    std::string path = folder / "portrait.jpg";
    // Stored landscape with orientation 6: upright it is a portrait whose
    // stored top-left mark is at the top right.
    WritePhoto(path, kWidth, kHeight, 160, 120, 6);
    RunningViewer viewer(folder.Path());
    viewer.SetClientSize(400, 400);
    CViewerView* view = viewer.View();
    Settle(view);
    view->OpenFile(path.c_str());
    ASSERT_TRUE(view->m_bThumbnailShown);
    EXPECT_EQ(CSize(kHeight, kWidth), view->m_FullSize);
    EXPECT_EQ(CSize(120, 160), view->m_pOriginal->GetImageSize());
    EXPECT_EQ(CSize(300, 400), view->m_pDisplay->GetImageSize());
    EXPECT_TRUE(IsWhite(PixelAt(view->m_pDisplay, 290, 10)));
    EXPECT_FALSE(IsWhite(PixelAt(view->m_pDisplay, 10, 10)));
    EXPECT_TRUE(IsGreen(Middle(view)));
    // The photo that replaces it is upright the same way.
    view->UpdateWindow();
    Settle(view);
    EXPECT_FALSE(view->m_bPreviewShown);
    EXPECT_EQ(CSize(300, 400), view->m_pDisplay->GetImageSize());
    EXPECT_TRUE(IsWhite(PixelAt(view->m_pDisplay, 290, 10)));
    EXPECT_TRUE(IsRed(Middle(view)));
}

TEST(ViewerFirstLook, TheReadAheadStartsOnlyAfterTheFirstPaint)
{
    ClearViewerSettings();
    TempFolder folder("viewer_firstlookhold");
    WritePhoto(folder / "a.jpg", kWidth, kHeight, 160, 120);
    WriteBmp(folder / "b.bmp", 40, 30, RGB(0, 0, 200));
    RunningViewer viewer(folder.Path());
    viewer.SetClientSize(400, 300);
    CViewerView* view = viewer.View();
    Settle(view);
    view->OpenFile((folder / "a.jpg").c_str());
    EXPECT_TRUE(view->m_ReadAhead.Wished().empty()) << "nothing before the paint";
    EXPECT_TRUE(view->m_ReadAhead.Ready().empty());
    view->UpdateWindow();
    std::vector<CReadAhead::Info> wished = view->m_ReadAhead.Wished();
    ASSERT_EQ(2u, wished.size());
    // The shown photo for the window first, then the next picture.
    EXPECT_EQ("a.jpg", FileName(wished[0].path));
    EXPECT_FALSE(wished[0].whole);
    EXPECT_EQ("b.bmp", FileName(wished[1].path));

    // A small picture, shown whole at once, holds the worker back too.
    view->OpenFile((folder / "b.bmp").c_str());
    EXPECT_TRUE(view->m_ReadAhead.Wished().empty());
    view->UpdateWindow();
    wished = view->m_ReadAhead.Wished();
    ASSERT_EQ(1u, wished.size());
    EXPECT_EQ("a.jpg", FileName(wished[0].path));
}

TEST(ViewerFirstLook, AStepWhileTheThumbnailIsShownEndsOnThePictureSteppedTo)
{
    ClearViewerSettings();
    TempFolder folder("viewer_firstlookstep");
    WritePhoto(folder / "a.jpg", kWidth, kHeight, 160, 120);
    WriteBmp(folder / "b.bmp", 40, 30, RGB(0, 0, 200));
    WritePhoto(folder / "c.jpg", kWidth, kHeight, 160, 120);
    RunningViewer viewer(folder.Path());
    viewer.SetClientSize(400, 300);
    CViewerView* view = viewer.View();
    Settle(view);
    view->OpenFile((folder / "a.jpg").c_str());
    ASSERT_TRUE(view->m_bThumbnailShown);
    // Painted, so the worker decodes a.jpg for the window as b.bmp comes.
    view->UpdateWindow();
    viewer.Command(ID_NEXT_PICTURE);
    EXPECT_EQ("b.bmp", FileName(viewer.CurrentFile()));
    Settle(view);
    EXPECT_EQ("b.bmp", FileName(view->m_ShownPath));
    EXPECT_EQ(CSize(40, 30), view->m_pDisplay->GetImageSize());
    EXPECT_EQ(RGB(0, 0, 200), Middle(view));

    // On to c.jpg, not read ahead: its thumbnail first, then c itself.
    view->m_ReadAhead.DropAll();
    viewer.Command(ID_NEXT_PICTURE);
    EXPECT_EQ("c.jpg", FileName(viewer.CurrentFile()));
    EXPECT_TRUE(view->m_bThumbnailShown);
    // And straight back: b again, whatever the worker had started for c.
    viewer.Command(ID_PREVIOUS_PICTURE);
    Settle(view);
    EXPECT_EQ("b.bmp", FileName(viewer.CurrentFile()));
    EXPECT_EQ("b.bmp", FileName(view->m_ShownPath));
    EXPECT_FALSE(view->m_bPreviewShown);
    EXPECT_EQ(RGB(0, 0, 200), Middle(view));
}

TEST(ViewerFirstLook, AFirstLookIsStretchedToTheExactSizeBetweenItsPixels)
{
    // Black left, white right: the edges keep their colours, the middle
    // rises steadily, and the size asked for is met even out of proportion.
    CRgbBuffer small(2, 2);
    small.m_GrayScale = 0;
    for (int y = 0; y < 2; ++y)
        memset(small.m_Buffer + 3 * (2 * y + 1), 255, 3);
    std::unique_ptr<CRgbBuffer> wide(ViewerPictures::StretchPreview(small, CSize(9, 3)));
    ASSERT_EQ(CSize(9, 3), wide->GetImageSize());
    for (int y = 0; y < 3; ++y)
    {
        EXPECT_EQ(RGB(0, 0, 0), PixelAt(wide.get(), 0, y));
        EXPECT_EQ(RGB(255, 255, 255), PixelAt(wide.get(), 8, y));
        for (int x = 1; x < 9; ++x)
            EXPECT_LE(GetRValue(PixelAt(wide.get(), x - 1, y)), GetRValue(PixelAt(wide.get(), x, y))) << x;
    }
    EXPECT_EQ(PixelAt(wide.get(), 4, 0), PixelAt(wide.get(), 4, 2));
    int middle = GetRValue(PixelAt(wide.get(), 4, 1));
    EXPECT_GE(middle, 120);
    EXPECT_LE(middle, 135);
}
