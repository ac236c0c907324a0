// Which commands are enabled and marked in which state, with the menu texts
// of the display time; checked on the rules and on a running view.
#include "ViewerTestKit.h"
#include "ViewerRules.h"

using namespace viewer_test;
using ViewerRules::State;

namespace
{
State Idle(int listCount)
{
    State s;
    s.hasPicture = listCount > 0;
    s.hasCurrentFile = listCount > 0;
    s.listCount = listCount;
    s.shownPixels = 640 * 480;
    return s;
}
}

TEST(ViewerCommandState, ZoomInRefusedFromFiveMillionPixels)
{
    State s = Idle(2);
    s.shownPixels = 4999999;
    EXPECT_TRUE(ViewerRules::IsEnabled(s, ID_ZOOM_IN));
    s.shownPixels = 5000000;
    EXPECT_FALSE(ViewerRules::IsEnabled(s, ID_ZOOM_IN));
}

TEST(ViewerCommandState, ZoomOutRefusedAtFiveThousandPixels)
{
    State s = Idle(2);
    s.shownPixels = 5001;
    EXPECT_TRUE(ViewerRules::IsEnabled(s, ID_ZOOM_OUT));
    s.shownPixels = 5000;
    EXPECT_FALSE(ViewerRules::IsEnabled(s, ID_ZOOM_OUT));
}

TEST(ViewerCommandState, OnePictureDisablesSteppingAndPlay)
{
    State s = Idle(1);
    EXPECT_FALSE(ViewerRules::IsEnabled(s, ID_PREVIOUS_PICTURE));
    EXPECT_FALSE(ViewerRules::IsEnabled(s, ID_NEXT_PICTURE));
    EXPECT_FALSE(ViewerRules::IsEnabled(s, ID_PLAY_SLIDESHOW));
    s = Idle(2);
    EXPECT_TRUE(ViewerRules::IsEnabled(s, ID_NEXT_PICTURE));
    EXPECT_TRUE(ViewerRules::IsEnabled(s, ID_PLAY_SLIDESHOW));
}

TEST(ViewerCommandState, PlayingDisablesDisplayZoomRotationMagnifierAndStepping)
{
    State s = Idle(5);
    s.playing = true;
    s.fitToWindow = true;
    const UINT off[] = {ID_BEST_FIT, ID_ACTUAL_SIZE, ID_ZOOM_IN, ID_ZOOM_OUT, ID_CLOCKWISE, ID_COUNTER_CLOCKWISE,
                        ID_FLIP_VERTICAL, ID_FLIP_HORIZONTAL, ID_PREVIOUS_PICTURE, ID_NEXT_PICTURE,
                        ID_PLAY_SLIDESHOW, ID_MAGNIFIER_2, ID_MAGNIFIER_LARGER, ID_OPEN, ID_BROWSER, ID_GLINTFIX,
                        ID_TRANSITION_EFFECTS};
    for (UINT id : off)
        EXPECT_FALSE(ViewerRules::IsEnabled(s, id)) << id;
    EXPECT_TRUE(ViewerRules::IsEnabled(s, ID_STOP_SLIDESHOW));
    EXPECT_TRUE(ViewerRules::IsEnabled(s, ID_FULL_SCREEN));
    EXPECT_TRUE(ViewerRules::IsEnabled(s, ID_VIEWER_EXIT));
}

TEST(ViewerCommandState, DisplayModesEnableTheOthers)
{
    State s = Idle(1);
    EXPECT_FALSE(ViewerRules::IsEnabled(s, ID_BEST_FIT)); // best fit already
    EXPECT_TRUE(ViewerRules::IsEnabled(s, ID_FIT_TO_WINDOW));
    EXPECT_TRUE(ViewerRules::IsEnabled(s, ID_ACTUAL_SIZE));
    s.zoomLevel = -2;
    EXPECT_TRUE(ViewerRules::IsEnabled(s, ID_BEST_FIT));
    s.zoomLevel = 0;
    s.actualSize = true;
    EXPECT_TRUE(ViewerRules::IsEnabled(s, ID_BEST_FIT));
    EXPECT_FALSE(ViewerRules::IsEnabled(s, ID_ACTUAL_SIZE));
    s.hasPicture = false;
    EXPECT_FALSE(ViewerRules::IsEnabled(s, ID_BEST_FIT));
    EXPECT_FALSE(ViewerRules::IsEnabled(s, ID_CLOCKWISE));
}

TEST(ViewerCommandState, MagnifierSizeStepsBetween96And384)
{
    State s = Idle(1);
    s.magnifierSize = 384;
    EXPECT_FALSE(ViewerRules::IsEnabled(s, ID_MAGNIFIER_LARGER));
    EXPECT_TRUE(ViewerRules::IsEnabled(s, ID_MAGNIFIER_SMALLER));
    s.magnifierSize = 96;
    EXPECT_TRUE(ViewerRules::IsEnabled(s, ID_MAGNIFIER_LARGER));
    EXPECT_FALSE(ViewerRules::IsEnabled(s, ID_MAGNIFIER_SMALLER));
}

TEST(ViewerCommandState, CurrentMagnifierPowerAndFullScreenAreMarked)
{
    State s = Idle(1);
    s.magnifierPower = 6;
    EXPECT_EQ(1, ViewerRules::CheckOf(s, ID_MAGNIFIER_6));
    EXPECT_EQ(0, ViewerRules::CheckOf(s, ID_MAGNIFIER_1));
    EXPECT_EQ(0, ViewerRules::CheckOf(s, ID_FULL_SCREEN));
    s.fullScreen = true;
    EXPECT_EQ(1, ViewerRules::CheckOf(s, ID_FULL_SCREEN));
}

TEST(ViewerCommandState, OnePictureViewRefusesSteppingAndPlay)
{
    ClearViewerSettings();
    TempFolder folder("viewer_one");
    WriteBmp(folder / "only.bmp", 80, 60, RGB(90, 90, 200));
    RunningViewer viewer(Quoted(folder / "only.bmp"));
    EXPECT_FALSE(viewer.Probe(ID_NEXT_PICTURE).enabled);
    EXPECT_FALSE(viewer.Probe(ID_PREVIOUS_PICTURE).enabled);
    EXPECT_FALSE(viewer.Probe(ID_PLAY_SLIDESHOW).enabled);
    viewer.Command(ID_PLAY_SLIDESHOW);
    EXPECT_FALSE(viewer.View()->m_bSlideShow);
    // The keys obey the same rule.
    viewer.View()->SendMessage(WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ("only.bmp", FileName(viewer.CurrentFile()));
}

TEST(ViewerCommandState, DisplayTimeStepsWithinOneToTwentyWithItsMenuTexts)
{
    ClearViewerSettings();
    TempFolder folder("viewer_time");
    WriteBmp(folder / "a.bmp", 20, 20, RGB(1, 2, 3));
    RunningViewer viewer(Quoted(folder / "a.bmp"));
    EXPECT_EQ(3, (int)viewer.View()->m_DisplayTime);
    StateProbe longer = viewer.Probe(ID_DISPLAY_TIME_LONGER);
    EXPECT_STREQ("Picture display time 3 sec. - Make longer", longer.text);
    EXPECT_STREQ("Picture display time 3 sec. - Make shorter", viewer.Probe(ID_DISPLAY_TIME_SHORTER).text);

    for (int i = 0; i < 25; ++i)
        viewer.Command(ID_DISPLAY_TIME_LONGER);
    EXPECT_EQ(20, (int)viewer.View()->m_DisplayTime);
    EXPECT_EQ(20u, ReadViewerSetting("m_DisplayTime"));
    longer = viewer.Probe(ID_DISPLAY_TIME_LONGER);
    EXPECT_FALSE(longer.enabled);
    EXPECT_STREQ("Picture display time 20 sec. - Make longer", longer.text);
    EXPECT_TRUE(viewer.Probe(ID_DISPLAY_TIME_SHORTER).enabled);

    for (int i = 0; i < 25; ++i)
        viewer.Command(ID_DISPLAY_TIME_SHORTER);
    EXPECT_EQ(1, (int)viewer.View()->m_DisplayTime);
    EXPECT_EQ(1u, ReadViewerSetting("m_DisplayTime"));
    StateProbe shorter = viewer.Probe(ID_DISPLAY_TIME_SHORTER);
    EXPECT_FALSE(shorter.enabled);
    EXPECT_STREQ("Picture display time 1 sec. - Make shorter", shorter.text);
}

TEST(ViewerCommandState, ZoomInStopsOnceThePictureHasFiveMillionPixels)
{
    ClearViewerSettings();
    TempFolder folder("viewer_zoom");
    WriteBmp(folder / "big.bmp", 2000, 1500, RGB(120, 60, 30));
    RunningViewer viewer(Quoted(folder / "big.bmp"));
    viewer.Command(ID_ACTUAL_SIZE);
    ASSERT_EQ(2000, viewer.View()->m_pDisplay->GetWidth());
    viewer.Command(ID_ZOOM_IN); // 2500 x 1875: 4,687,500 pixels
    EXPECT_EQ(2500, viewer.View()->m_pDisplay->GetWidth());
    EXPECT_EQ(1875, viewer.View()->m_pDisplay->GetHeight());
    EXPECT_EQ(1, viewer.View()->m_ZoomLevel);
    EXPECT_TRUE(viewer.Probe(ID_ZOOM_IN).enabled);
    viewer.Command(ID_ZOOM_IN); // into 3125 x 2343, keeping the picture's shape
    EXPECT_EQ(3124, viewer.View()->m_pDisplay->GetWidth());
    EXPECT_EQ(2343, viewer.View()->m_pDisplay->GetHeight());
    EXPECT_FALSE(viewer.Probe(ID_ZOOM_IN).enabled);
    viewer.Command(ID_ZOOM_IN);
    EXPECT_EQ(3124, viewer.View()->m_pDisplay->GetWidth());
    EXPECT_EQ(2, viewer.View()->m_ZoomLevel);
    EXPECT_TRUE(viewer.Probe(ID_BEST_FIT).enabled);
}
