// The tracker: placed by a click at the click point plus the scroll
// position, nudged by Ctrl+arrows through the accelerators, and resized
// within 1..80 by the size commands.
#include "GlintfixTestKit.h"

using namespace glintfix_test;

TEST(Tracker, ClickPlacesItAtTheClickPlusTheScrollPosition)
{
    ClearGlintfixSettings();
    TempFolder folder("glintfix_click");
    WriteBmp(folder / "large.bmp", Filled(1200, 900, 40, 90, 160));
    RunningGlintfix editor(Quoted(folder / "large.bmp"));
    ASSERT_TRUE(editor.View() != NULL);
    editor.SetViewClientSize(300, 200);
    EXPECT_FALSE(editor.Enabled(ID_TRACKER_LEFT)); // no tracker yet

    editor.View()->ScrollToPosition(CPoint(100, 50));
    ASSERT_EQ(editor.View()->GetScrollPosition(), CPoint(100, 50));
    editor.Click(30, 40);
    EXPECT_EQ(editor.TrackerPoint(), CPoint(130, 90));

    // A second click moves the one tracker of the view.
    editor.Click(5, 6);
    EXPECT_EQ(editor.TrackerPoint(), CPoint(105, 56));
}

TEST(Tracker, CtrlArrowsNudgeItOnePixelThroughTheAccelerators)
{
    ClearGlintfixSettings();
    TempFolder folder("glintfix_nudge");
    WriteBmp(folder / "small.bmp", Filled(120, 90, 200, 10, 10));
    RunningGlintfix editor(Quoted(folder / "small.bmp"));
    ASSERT_TRUE(editor.View() != NULL);
    editor.Click(50, 60);
    ASSERT_TRUE(editor.Enabled(ID_TRACKER_LEFT));
    editor.View()->SetFocus();

    BYTE keys[256];
    GetKeyboardState(keys);
    BYTE withCtrl[256];
    memcpy(withCtrl, keys, sizeof(keys));
    withCtrl[VK_CONTROL] = 0x80;
    SetKeyboardState(withCtrl);
    HWND view = editor.View()->m_hWnd;
    const UINT arrows[] = {VK_LEFT, VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN, VK_DOWN};
    for (UINT key : arrows)
    {
        PostMessageA(view, WM_KEYDOWN, key, 1);
        editor.Pump(30);
    }
    SetKeyboardState(keys);
    EXPECT_EQ(editor.TrackerPoint(), CPoint(49, 61));

    // Without Ctrl the arrows scroll instead (nothing to scroll here): the tracker stays.
    PostMessageA(view, WM_KEYDOWN, VK_LEFT, 1);
    editor.Pump(30);
    EXPECT_EQ(editor.TrackerPoint(), CPoint(49, 61));
}

TEST(Tracker, SizeCommandsStopAtOneAndEighty)
{
    ClearGlintfixSettings();
    TempFolder folder("glintfix_size");
    WriteBmp(folder / "small.bmp", Filled(120, 90, 200, 10, 10));
    RunningGlintfix editor(Quoted(folder / "small.bmp"));
    ASSERT_TRUE(editor.View() != NULL);
    CTrackerBar& bar = editor.Frame()->m_wndTrackerBar;
    EXPECT_EQ((int)bar.m_Size, 8);
    EXPECT_FALSE(editor.Enabled(ID_TRACKER_BIGGER)); // no tracker yet
    editor.Click(10, 10);

    bar.SetTrackerSize(79);
    EXPECT_TRUE(editor.Enabled(ID_TRACKER_BIGGER));
    editor.Command(ID_TRACKER_BIGGER);
    EXPECT_EQ((int)bar.m_Size, 80);
    EXPECT_EQ(ReadGlintfixSetting("m_Size"), 80u);
    EXPECT_FALSE(editor.Enabled(ID_TRACKER_BIGGER));
    EXPECT_TRUE(editor.Enabled(ID_TRACKER_SMALLER));
    editor.Command(ID_TRACKER_BIGGER); // disabled: nothing happens
    EXPECT_EQ((int)bar.m_Size, 80);
    int slider = (int)SendMessageA(GetDlgItem(bar.m_hWnd, IDC_TRACKER_SIZE), TBM_GETPOS, 0, 0);
    EXPECT_EQ(slider, 80);

    bar.SetTrackerSize(2);
    editor.Command(ID_TRACKER_SMALLER);
    EXPECT_EQ((int)bar.m_Size, 1);
    EXPECT_FALSE(editor.Enabled(ID_TRACKER_SMALLER));
    EXPECT_TRUE(editor.Enabled(ID_TRACKER_BIGGER));
    editor.Command(ID_TRACKER_SMALLER);
    EXPECT_EQ(ReadGlintfixSetting("m_Size"), 1u);
}

TEST(ScrollKeys, KeysWithoutCtrlScrollByPageLineAndToTheEnds)
{
    ClearGlintfixSettings();
    TempFolder folder("glintfix_keys");
    WriteBmp(folder / "large.bmp", Filled(1200, 900, 40, 90, 160));
    RunningGlintfix editor(Quoted(folder / "large.bmp"));
    ASSERT_TRUE(editor.View() != NULL);
    editor.SetViewClientSize(300, 200);
    editor.View()->SetFocus();
    auto press = [&](UINT key) {
        PostMessageA(editor.View()->m_hWnd, WM_KEYDOWN, key, 1);
        editor.Pump(30);
        return editor.View()->GetScrollPosition();
    };
    EXPECT_EQ(press(VK_NEXT), CPoint(0, 150));
    EXPECT_EQ(press(VK_DOWN), CPoint(0, 165));
    EXPECT_EQ(press(VK_RIGHT), CPoint(20, 165));
    EXPECT_EQ(press(VK_PRIOR), CPoint(20, 15));
    EXPECT_EQ(press(VK_END), CPoint(20, 700));
    EXPECT_EQ(press(VK_HOME), CPoint(0, 0));
}
