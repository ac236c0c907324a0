// A photo stored turned (landscape pixels with EXIF orientation 6, as phones
// store portraits) shows upright in the viewer, and the rotate command turns
// the upright picture.
#include "ViewerTestKit.h"
#include "JpgFile.h"

using namespace viewer_test;

namespace
{
// A JPEG of 120 x 60 stored pixels, white in the top-left 10 x 10 corner
// and blue elsewhere, whose EXIF block (Intel order) says orientation 6.
void WriteTurnedPhoto(const std::string& path)
{
    CRgbBuffer stored(120, 60);
    stored.m_GrayScale = 0;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 120; ++x)
        {
            BYTE* p = stored.m_Buffer + 3 * (y * 120 + x);
            bool mark = x < 10 && y < 10;
            p[0] = p[1] = mark ? 255 : 0;
            p[2] = 255;
        }
    CJpgFile(path.c_str(), 95).Save(&stored);
    std::string jpeg = test_support::FileBytes(path);
    // "II", 42, IFD0 at 8 with one entry: 0x0112 SHORT 1 = 6; no next IFD.
    static const char kBlock[] = "II*\0\x08\0\0\0"
                                 "\x01\0"
                                 "\x12\x01\x03\0\x01\0\0\0\x06\0\0\0"
                                 "\0\0\0\0";
    std::string block(kBlock, sizeof(kBlock) - 1);
    std::string app1 = std::string("\xFF\xE1", 2) + (char)0 + (char)(block.size() + 8) + std::string("Exif\0\0", 6) + block;
    test_support::WriteFileBytes(path, jpeg.substr(0, 2) + app1 + jpeg.substr(2));
}

bool IsWhite(const CRgbBuffer* picture, int x, int y)
{
    const BYTE* p = picture->m_Buffer + 3 * (y * picture->GetWidth() + x);
    return p[0] > 200 && p[1] > 200 && p[2] > 200;
}
}

TEST(ViewerOrientation, TurnedPhotoShowsUprightAndRotatesUpright)
{
    ClearViewerSettings();
    TempFolder folder("viewer_orientation");
    std::string path = folder / "portrait.jpg";
    WriteTurnedPhoto(path);
    RunningViewer viewer(Quoted(path));
    viewer.SetClientSize(600, 400);
    CViewerView* view = viewer.View();
    ASSERT_TRUE(view->m_pOriginal && view->m_pOriginal->IsImage());
    EXPECT_EQ(CSize(60, 120), view->m_pOriginal->GetImageSize());
    // The stored top-left corner is the upright top-right one.
    EXPECT_TRUE(IsWhite(view->m_pOriginal, 55, 4));
    EXPECT_FALSE(IsWhite(view->m_pOriginal, 4, 4));
    ASSERT_TRUE(view->m_pDisplay && view->m_pDisplay->IsImage());
    EXPECT_GT(view->m_pDisplay->GetHeight(), view->m_pDisplay->GetWidth()) << "shown as a portrait";

    viewer.Command(ID_CLOCKWISE);
    EXPECT_EQ(CSize(120, 60), view->m_pOriginal->GetImageSize());
    EXPECT_TRUE(IsWhite(view->m_pOriginal, 115, 55)) << "the upright top right turns to the bottom right";
}
