// Stepping through a folder, pictures that fail to load, and the slide show
// with its transitions painted into the window.
#include "ViewerTestKit.h"
#include "CPaintDC.h"
#include <set>

using namespace viewer_test;

TEST(ViewerStepping, NextWrapsAroundTheFolderAndPreviousGoesBack)
{
    ClearViewerSettings();
    TempFolder folder("viewer_wrap");
    WriteBmp(folder / "1.bmp", 30, 30, RGB(255, 0, 0));
    WriteBmp(folder / "2.bmp", 30, 30, RGB(0, 255, 0));
    WriteBmp(folder / "3.bmp", 30, 30, RGB(0, 0, 255));
    RunningViewer viewer(folder.Path());
    CString first = viewer.CurrentFile();
    std::set<std::string> seen = {(LPCSTR)first};
    viewer.Command(ID_NEXT_PICTURE);
    seen.insert((LPCSTR)viewer.CurrentFile());
    viewer.Command(ID_NEXT_PICTURE);
    seen.insert((LPCSTR)viewer.CurrentFile());
    EXPECT_EQ(3u, seen.size());
    viewer.Command(ID_NEXT_PICTURE);
    EXPECT_STREQ(first, viewer.CurrentFile());
    viewer.Command(ID_PREVIOUS_PICTURE);
    CString last = viewer.CurrentFile();
    EXPECT_STRNE(first, last);
    viewer.View()->SendMessage(WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_STREQ(first, viewer.CurrentFile());
    // Stepping without a transition paints no frames.
    EXPECT_EQ(0, viewer.View()->m_TransitionFrames);
}

TEST(ViewerStepping, APictureThatFailsToLoadShowsBlack)
{
    ClearViewerSettings();
    TempFolder folder("viewer_black");
    WriteBmp(folder / "a.bmp", 200, 150, RGB(250, 250, 0));
    WriteGarbage(folder / "b.jpg");
    RunningViewer viewer(Quoted(folder / "a.bmp"));
    viewer.SetClientSize(400, 300);
    CViewerView* view = viewer.View();
    ASSERT_TRUE(view->m_pDisplay->IsImage());
    while (FileName(viewer.CurrentFile()) != "b.jpg")
        viewer.Command(ID_NEXT_PICTURE);
    EXPECT_FALSE(view->m_pDisplay->IsImage());
    EXPECT_FALSE(view->m_pOriginal->IsImage());
    EXPECT_FALSE(viewer.Probe(ID_ZOOM_IN).enabled);
    EXPECT_FALSE(viewer.Probe(ID_GLINTFIX).enabled);
    view->RedrawWindow();
    CClientDC dc(view);
    EXPECT_EQ(RGB(0, 0, 0), GetPixel(dc.GetSafeHdc(), 200, 150));
    EXPECT_EQ(RGB(0, 0, 0), GetPixel(dc.GetSafeHdc(), 5, 5));
}

TEST(ViewerSlideShow, PlayFitsToWindowTurnsTheMagnifierOffAndStops)
{
    ClearViewerSettings();
    TempFolder folder("viewer_play");
    WriteBmp(folder / "a.bmp", 50, 40, RGB(250, 0, 0));
    WriteBmp(folder / "b.bmp", 50, 40, RGB(0, 0, 250));
    RunningViewer viewer(Quoted(folder / "a.bmp"));
    viewer.Command(ID_MAGNIFIER_4);
    EXPECT_EQ(4, viewer.View()->m_MagnifierPower);
    viewer.Command(ID_PLAY_SLIDESHOW);
    EXPECT_TRUE(viewer.View()->m_bSlideShow);
    EXPECT_TRUE(viewer.View()->m_bFitToWindow);
    EXPECT_EQ(1, viewer.View()->m_MagnifierPower);
    EXPECT_FALSE(viewer.Probe(ID_NEXT_PICTURE).enabled);
    EXPECT_TRUE(viewer.Probe(ID_STOP_SLIDESHOW).enabled);
    viewer.View()->SendMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_FALSE(viewer.View()->m_bSlideShow);
}

TEST(ViewerSlideShow, AStepDeliversTransitionFramesToTheWindow)
{
    ClearViewerSettings();
    WriteViewerSetting("Viewer_Transition", 16); // only "Shutter advanced": 101 frames
    TempFolder folder("viewer_frames");
    WriteBmp(folder / "a.bmp", 160, 120, RGB(250, 0, 0));
    WriteBmp(folder / "b.bmp", 160, 120, RGB(0, 0, 250));
    RunningViewer viewer(Quoted(folder / "a.bmp"));
    viewer.SetClientSize(320, 240);
    CString first = viewer.CurrentFile();
    viewer.Command(ID_PLAY_SLIDESHOW);
    // The slide-show timer's step, as the timer delivers it.
    viewer.View()->SendMessage(WM_TIMER, 1, 0);
    EXPECT_EQ(101, viewer.View()->m_TransitionFrames);
    EXPECT_STRNE(first, viewer.CurrentFile());
    EXPECT_TRUE(viewer.View()->m_bSlideShow);
    // The step ends on the new picture, drawn in the window.
    viewer.View()->RedrawWindow();
    CClientDC dc(viewer.View());
    EXPECT_EQ(RGB(0, 0, 250), GetPixel(dc.GetSafeHdc(), 300, 200));
}

TEST(ViewerSlideShow, TransitionMaskZeroChangesWithoutFrames)
{
    ClearViewerSettings();
    WriteViewerSetting("Viewer_Transition", 0);
    TempFolder folder("viewer_noframes");
    WriteBmp(folder / "a.bmp", 60, 40, RGB(250, 0, 0));
    WriteBmp(folder / "b.bmp", 60, 40, RGB(0, 0, 250));
    RunningViewer viewer(Quoted(folder / "a.bmp"));
    CString first = viewer.CurrentFile();
    viewer.Command(ID_PLAY_SLIDESHOW);
    viewer.View()->SendMessage(WM_TIMER, 1, 0);
    EXPECT_EQ(0, viewer.View()->m_TransitionFrames);
    EXPECT_STRNE(first, viewer.CurrentFile());
}

TEST(ViewerSlideShow, TheTimerStepsOnItsOwnAfterTheDisplayTime)
{
    ClearViewerSettings();
    WriteViewerSetting("m_DisplayTime", 1);
    WriteViewerSetting("Viewer_Transition", 0);
    TempFolder folder("viewer_timer");
    WriteBmp(folder / "a.bmp", 60, 40, RGB(250, 0, 0));
    WriteBmp(folder / "b.bmp", 60, 40, RGB(0, 0, 250));
    RunningViewer viewer(Quoted(folder / "a.bmp"));
    CString first = viewer.CurrentFile();
    viewer.Command(ID_PLAY_SLIDESHOW);
    Pump(1600);
    EXPECT_STRNE(first, viewer.CurrentFile());
    viewer.Command(ID_STOP_SLIDESHOW);
    CString stopped = viewer.CurrentFile();
    Pump(1300);
    EXPECT_STREQ(stopped, viewer.CurrentFile());
}

TEST(ViewerSlideShow, SteppingKeysSkipPicturesWhileTheShowPlays)
{
    ClearViewerSettings();
    WriteViewerSetting("Viewer_Transition", 0);
    TempFolder folder("viewer_keys_playing");
    WriteBmp(folder / "1.bmp", 40, 30, RGB(250, 0, 0));
    WriteBmp(folder / "2.bmp", 40, 30, RGB(0, 250, 0));
    WriteBmp(folder / "3.bmp", 40, 30, RGB(0, 0, 250));
    RunningViewer viewer(Quoted(folder / "1.bmp"));
    // The list's order, as the commands step through it before the show.
    std::vector<std::string> order;
    for (int i = 0; i < 3; ++i)
    {
        order.push_back((LPCSTR)viewer.CurrentFile());
        viewer.Command(ID_NEXT_PICTURE);
    }
    ASSERT_EQ(order[0], (LPCSTR)viewer.CurrentFile());
    viewer.Command(ID_PLAY_SLIDESHOW);
    ASSERT_TRUE(viewer.View()->m_bSlideShow);
    int at = 0;
    const UINT forward[] = {VK_SPACE, VK_NEXT, VK_RIGHT, VK_DOWN};
    for (UINT key : forward)
    {
        viewer.View()->SendMessage(WM_KEYDOWN, key, 0);
        at = (at + 1) % 3;
        EXPECT_EQ(order[at], (LPCSTR)viewer.CurrentFile()) << "key " << key;
    }
    const UINT back[] = {VK_PRIOR, VK_LEFT, VK_UP};
    for (UINT key : back)
    {
        viewer.View()->SendMessage(WM_KEYDOWN, key, 0);
        at = (at + 2) % 3;
        EXPECT_EQ(order[at], (LPCSTR)viewer.CurrentFile()) << "key " << key;
    }
    EXPECT_TRUE(viewer.View()->m_bSlideShow);
    // The keys with a stated condition keep it: Home does not leave the
    // show's fit-to-window display.
    viewer.View()->SendMessage(WM_KEYDOWN, VK_HOME, 0);
    EXPECT_FALSE(viewer.View()->m_bActualSize);
    EXPECT_TRUE(viewer.View()->m_bFitToWindow);
}
