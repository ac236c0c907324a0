// Best fit, fit to window, actual size, rotation and flips on a running view
// whose client area has a known size.
#include "ViewerTestKit.h"
#include "ViewerRules.h"

using namespace viewer_test;

namespace
{
// The size a picture fitted into the client takes: the smaller of the two
// scale factors, truncated.
CSize Fitted(int w, int h, int cw, int ch)
{
    double s = (double)cw / w < (double)ch / h ? (double)cw / w : (double)ch / h;
    return CSize((int)(w * s), (int)(h * s));
}

void ExpectSizeNear(CSize expected, CRgbBuffer* shown)
{
    ASSERT_TRUE(shown && shown->IsImage());
    EXPECT_NEAR(expected.cx, shown->GetWidth(), 1);
    EXPECT_NEAR(expected.cy, shown->GetHeight(), 1);
}
}

TEST(ViewerDisplayModes, BestFitShrinksALargePictureToTheClient)
{
    ClearViewerSettings();
    TempFolder folder("viewer_bestfit");
    WriteBmp(folder / "wide.bmp", 1200, 500, RGB(30, 90, 150));
    RunningViewer viewer(Quoted(folder / "wide.bmp"));
    viewer.SetClientSize(600, 400);
    ExpectSizeNear(Fitted(1200, 500, 600, 400), viewer.View()->m_pDisplay); // 600 x 250
    EXPECT_EQ(CSize(1, 1), viewer.View()->GetTotalSize());
}

TEST(ViewerDisplayModes, BestFitLeavesASmallPictureAsItIsAndFitToWindowEnlargesIt)
{
    ClearViewerSettings();
    TempFolder folder("viewer_fit");
    WriteBmp(folder / "small.bmp", 100, 50, RGB(200, 100, 0));
    RunningViewer viewer(Quoted(folder / "small.bmp"));
    viewer.SetClientSize(600, 400);
    ExpectSizeNear(CSize(100, 50), viewer.View()->m_pDisplay);
    viewer.Command(ID_FIT_TO_WINDOW);
    EXPECT_TRUE(viewer.View()->m_bFitToWindow);
    ExpectSizeNear(Fitted(100, 50, 600, 400), viewer.View()->m_pDisplay); // 600 x 300
    EXPECT_FALSE(viewer.Probe(ID_FIT_TO_WINDOW).enabled);
    // A resize refits the picture.
    viewer.SetClientSize(300, 400);
    ExpectSizeNear(Fitted(100, 50, 300, 400), viewer.View()->m_pDisplay);
    viewer.Command(ID_BEST_FIT);
    ExpectSizeNear(CSize(100, 50), viewer.View()->m_pDisplay);
}

TEST(ViewerDisplayModes, ActualSizeShowsEveryPixelAndScrolls)
{
    ClearViewerSettings();
    TempFolder folder("viewer_actual");
    WriteBmp(folder / "big.bmp", 1000, 800, RGB(60, 160, 60));
    RunningViewer viewer(Quoted(folder / "big.bmp"));
    viewer.SetClientSize(500, 400);
    viewer.Command(ID_ACTUAL_SIZE);
    ExpectSizeNear(CSize(1000, 800), viewer.View()->m_pDisplay);
    EXPECT_EQ(CSize(1000, 800), viewer.View()->GetTotalSize());
    // Resizing leaves an actual-size display alone.
    viewer.SetClientSize(450, 350);
    ExpectSizeNear(CSize(1000, 800), viewer.View()->m_pDisplay);
    // End goes back to best fit, in the client that the scroll bars left.
    viewer.View()->SendMessage(WM_KEYDOWN, VK_END, 0);
    Pump(20);
    CRect client;
    viewer.View()->GetClientRect(&client);
    EXPECT_GT(client.Width(), 450);
    ExpectSizeNear(Fitted(1000, 800, client.Width(), client.Height()), viewer.View()->m_pDisplay);
}

TEST(ViewerDisplayModes, RotationAndFlipsChangeOnlyThePictureInMemory)
{
    ClearViewerSettings();
    TempFolder folder("viewer_rotate");
    std::string path = folder / "r.bmp";
    WriteBmp(path, 120, 60, RGB(0, 0, 255));
    FILETIME before = {};
    {
        HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
        GetFileTime(h, NULL, NULL, &before);
        CloseHandle(h);
    }
    RunningViewer viewer(Quoted(path));
    viewer.SetClientSize(600, 400);
    CViewerView* view = viewer.View();
    viewer.Command(ID_CLOCKWISE);
    EXPECT_EQ(60, view->m_pOriginal->GetWidth());
    EXPECT_EQ(120, view->m_pOriginal->GetHeight());
    // The white mark of the top-left corner is now at the top right.
    const BYTE* topRight = view->m_pOriginal->m_Buffer + 3 * (view->m_pOriginal->GetWidth() - 1);
    EXPECT_EQ(255, topRight[0]);
    viewer.Command(ID_COUNTER_CLOCKWISE);
    EXPECT_EQ(120, view->m_pOriginal->GetWidth());
    viewer.Command(ID_FLIP_HORIZONTAL);
    topRight = view->m_pOriginal->m_Buffer + 3 * 119;
    EXPECT_EQ(255, topRight[1]);
    viewer.Command(ID_FLIP_VERTICAL);
    const BYTE* bottomRight = view->m_pOriginal->m_Buffer + 3 * (59 * 120 + 119);
    EXPECT_EQ(255, bottomRight[1]);
    EXPECT_EQ(0, view->m_pOriginal->m_Buffer[1]); // top left is blue now
    FILETIME after = {};
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    GetFileTime(h, NULL, NULL, &after);
    CloseHandle(h);
    EXPECT_EQ(0, CompareFileTime(&before, &after));
}

TEST(ViewerDisplayModes, ZoomingBackToLevelZeroStillScrollsALargePicture)
{
    ClearViewerSettings();
    TempFolder folder("viewer_zoomback");
    WriteBmp(folder / "big.bmp", 1000, 800, RGB(60, 60, 160));
    RunningViewer viewer(Quoted(folder / "big.bmp"));
    viewer.SetClientSize(500, 400);
    CViewerView* view = viewer.View();
    viewer.Command(ID_ACTUAL_SIZE);
    viewer.Command(ID_ZOOM_IN);
    EXPECT_EQ(1, view->m_ZoomLevel);
    EXPECT_EQ(view->m_pDisplay->GetImageSize(), view->GetTotalSize());
    viewer.Command(ID_ZOOM_OUT);
    EXPECT_EQ(0, view->m_ZoomLevel);
    ExpectSizeNear(CSize(1000, 800), view->m_pDisplay);
    EXPECT_EQ(view->m_pDisplay->GetImageSize(), view->GetTotalSize());
    // And it can still be panned.
    view->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, 200));
    view->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(150, 170));
    view->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(150, 170));
    EXPECT_EQ(CPoint(50, 30), view->GetScrollPosition());
}
