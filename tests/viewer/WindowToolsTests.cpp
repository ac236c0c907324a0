// The magnifier's piece and placement, full screen in and out, panning and
// the context menu's layout.
#include "ViewerTestKit.h"
#include "CMenu.h"
#include "CControlBar.h"
#include "ViewerRules.h"

using namespace viewer_test;

TEST(ViewerMagnifier, PowerFourAtSize192SamplesA48By36Piece)
{
    EXPECT_EQ(CSize(48, 36), ViewerRules::MagnifierPiece(192, 4));
    EXPECT_EQ(CSize(96, 72), ViewerRules::MagnifierPiece(192, 2));
    EXPECT_EQ(CSize(12, 9), ViewerRules::MagnifierPiece(96, 8));
    CRect r = ViewerRules::MagnifierRect(CPoint(300, 200), 192);
    EXPECT_EQ(CRect(204, 128, 396, 272), r);
}

TEST(ViewerMagnifier, EnlargedPieceIsBlackWherePieceLeavesThePicture)
{
    ClearViewerSettings();
    TempFolder folder("viewer_magnifier");
    WriteBmp(folder / "m.bmp", 200, 100, RGB(0, 200, 0));
    RunningViewer viewer(Quoted(folder / "m.bmp"));
    viewer.SetClientSize(400, 300);
    CViewerView* view = viewer.View();
    viewer.Command(ID_MAGNIFIER_4);
    EXPECT_EQ(1, viewer.Probe(ID_MAGNIFIER_4).check);
    EXPECT_EQ(0, viewer.Probe(ID_MAGNIFIER_1).check);
    // The 200 x 100 picture is centred: its top-left corner is at (100, 100).
    CRgbBuffer* piece = view->CreateMagnifiedPiece(CPoint(100, 100));
    ASSERT_TRUE(piece);
    EXPECT_EQ(192, piece->GetWidth());
    EXPECT_EQ(144, piece->GetHeight());
    const BYTE* topLeft = piece->m_Buffer + 3 * (10 * 192 + 10);
    EXPECT_EQ(0, topLeft[0] + topLeft[1] + topLeft[2]);
    // The picture's white corner mark lies below and right of the centre.
    const BYTE* lowerRight = piece->m_Buffer + 3 * (130 * 192 + 180);
    EXPECT_GT(lowerRight[1], 150);
    delete piece;
    // Deep inside the green part the whole piece is green.
    piece = view->CreateMagnifiedPiece(CPoint(250, 170));
    ASSERT_TRUE(piece);
    EXPECT_EQ(200, piece->m_Buffer[1]);
    EXPECT_EQ(0, piece->m_Buffer[0]);
    delete piece;
}

TEST(ViewerMagnifier, SizeDoublesAndHalvesWithinItsSteps)
{
    ClearViewerSettings();
    TempFolder folder("viewer_magsize");
    WriteBmp(folder / "m.bmp", 50, 50, RGB(0, 0, 200));
    RunningViewer viewer(Quoted(folder / "m.bmp"));
    viewer.Command(ID_MAGNIFIER_LARGER);
    EXPECT_EQ(384, viewer.View()->m_MagnifierSize);
    viewer.Command(ID_MAGNIFIER_LARGER);
    EXPECT_EQ(384, viewer.View()->m_MagnifierSize);
    viewer.Command(ID_MAGNIFIER_SMALLER);
    viewer.Command(ID_MAGNIFIER_SMALLER);
    viewer.Command(ID_MAGNIFIER_SMALLER);
    EXPECT_EQ(96, viewer.View()->m_MagnifierSize);
}

TEST(ViewerFullScreen, StylesMenuAndToolBarAreSavedAndRestored)
{
    ClearViewerSettings();
    TempFolder folder("viewer_fullscreen");
    WriteBmp(folder / "f.bmp", 80, 60, RGB(100, 0, 100));
    RunningViewer viewer(Quoted(folder / "f.bmp"));
    CFrameWnd* frame = viewer.Frame();
    DWORD style = frame->GetStyle() & ~(WS_MAXIMIZE | WS_MINIMIZE);
    DWORD exStyle = frame->GetExStyle();
    HMENU menu = ::GetMenu(frame->m_hWnd);
    ASSERT_TRUE(menu != NULL);
    CControlBar* bar = frame->GetControlBar(AFX_IDW_TOOLBAR);
    ASSERT_TRUE(bar);

    viewer.View()->SendMessage(WM_KEYDOWN, VK_F11, 0);
    Pump(50);
    EXPECT_TRUE(viewer.View()->m_bFullScreen);
    EXPECT_EQ((DWORD)WS_VISIBLE, frame->GetStyle() & ~WS_CLIPCHILDREN & ~WS_CLIPSIBLINGS);
    EXPECT_EQ(0u, frame->GetExStyle() & ~WS_EX_WINDOWEDGE);
    EXPECT_TRUE(::GetMenu(frame->m_hWnd) == NULL);
    EXPECT_FALSE(bar->IsWindowVisible());
    CRect window;
    frame->GetWindowRect(&window);
    EXPECT_LE(window.left, 0);
    EXPECT_GE(window.Width(), GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(1, viewer.Probe(ID_FULL_SCREEN).check);

    viewer.View()->SendMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    Pump(50);
    EXPECT_FALSE(viewer.View()->m_bFullScreen);
    EXPECT_EQ(style, frame->GetStyle() & ~(WS_MAXIMIZE | WS_MINIMIZE));
    EXPECT_EQ(exStyle, frame->GetExStyle());
    EXPECT_TRUE(::GetMenu(frame->m_hWnd) == menu);
    EXPECT_TRUE(bar->IsWindowVisible());
    EXPECT_TRUE(frame->IsZoomed());
}

TEST(ViewerPanning, DraggingAPictureThatFitsDoesNothing)
{
    ClearViewerSettings();
    TempFolder folder("viewer_nopan");
    WriteBmp(folder / "p.bmp", 100, 80, RGB(10, 100, 10));
    RunningViewer viewer(Quoted(folder / "p.bmp"));
    viewer.View()->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 50));
    EXPECT_EQ(CPoint(-1, -1), viewer.View()->m_DragPoint);
    EXPECT_TRUE(GetCapture() != viewer.View()->m_hWnd);
    viewer.View()->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(50, 50));
}

TEST(ViewerPanning, DraggingALargePictureScrollsIt)
{
    ClearViewerSettings();
    TempFolder folder("viewer_pan");
    WriteBmp(folder / "p.bmp", 1200, 900, RGB(10, 100, 10));
    RunningViewer viewer(Quoted(folder / "p.bmp"));
    viewer.SetClientSize(400, 300);
    viewer.Command(ID_ACTUAL_SIZE);
    CViewerView* view = viewer.View();
    view->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, 200));
    EXPECT_EQ(CPoint(200, 200), view->m_DragPoint);
    view->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(150, 170));
    EXPECT_EQ(CPoint(50, 30), view->GetScrollPosition());
    view->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(300, 300)); // never below 0
    EXPECT_EQ(CPoint(0, 0), view->GetScrollPosition());
    view->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(300, 300));
    EXPECT_EQ(CPoint(-1, -1), view->m_DragPoint);
    ClipCursor(NULL);
}

TEST(ViewerContextMenu, SlideshowItemsThenTheOtherMenusAsSubMenus)
{
    ClearViewerSettings();
    TempFolder folder("viewer_menu");
    WriteBmp(folder / "c.bmp", 40, 40, RGB(0, 0, 0));
    RunningViewer viewer(Quoted(folder / "c.bmp"));
    CMenu popup;
    ASSERT_TRUE(popup.CreatePopupMenu());
    viewer.View()->BuildContextMenu(popup);
    EXPECT_EQ((UINT)ID_PREVIOUS_PICTURE, popup.GetMenuItemID(0));
    EXPECT_EQ((UINT)ID_NEXT_PICTURE, popup.GetMenuItemID(1));
    int count = (int)popup.GetMenuItemCount();
    ASSERT_GE(count, 5);
    const char* titles[4] = {"&File", "&View", "&Magnifier", "&Help"};
    for (int k = 0; k < 4; ++k)
    {
        CString title;
        popup.GetMenuString(count - 4 + k, title, MF_BYPOSITION);
        EXPECT_STREQ(titles[k], title);
        EXPECT_TRUE(::GetSubMenu(popup.m_hMenu, count - 4 + k) != NULL);
    }
    EXPECT_EQ(0u, popup.GetMenuItemID(count - 5)); // the separator
}

TEST(ViewerContextMenu, ShellItemsKeepTheStateTheShellGaveThem)
{
    ClearViewerSettings();
    TempFolder folder("viewer_shellstate");
    WriteBmp(folder / "s.bmp", 40, 40, RGB(0, 0, 0));
    RunningViewer viewer(Quoted(folder / "s.bmp"));
    // A shell sub-menu as the shell fills it: one item greyed, one enabled,
    // at both ends of the range; and one of the viewer's own items.
    HMENU shell = CreatePopupMenu();
    AppendMenuA(shell, MF_STRING | MF_GRAYED, ID_SHELL_FIRST, "Greyed by the shell");
    AppendMenuA(shell, MF_STRING, ID_SHELL_FIRST + 1, "Enabled by the shell");
    AppendMenuA(shell, MF_STRING | MF_GRAYED, ID_SHELL_LAST, "Greyed too");
    AppendMenuA(shell, MF_STRING, ID_NEXT_PICTURE, "Next");
    viewer.Frame()->SendMessage(WM_INITMENUPOPUP, (WPARAM)shell, 0);
    EXPECT_TRUE(GetMenuState(shell, ID_SHELL_FIRST, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(GetMenuState(shell, ID_SHELL_FIRST + 1, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(GetMenuState(shell, ID_SHELL_LAST, MF_BYCOMMAND) & MF_GRAYED);
    // The viewer's own items are still set by its rules (one picture: no
    // stepping), so the update did run.
    EXPECT_TRUE(GetMenuState(shell, ID_NEXT_PICTURE, MF_BYCOMMAND) & MF_GRAYED);
    DestroyMenu(shell);
}

TEST(ViewerPrograms, OtherProgramsAreFoundBesideThisOneWithTheFileQuoted)
{
    char module[MAX_PATH];
    GetModuleFileNameA(NULL, module, MAX_PATH);
    std::string folder = module;
    folder = folder.substr(0, folder.rfind('\\'));
    EXPECT_STREQ((folder + "\\Pixmere").c_str(), ViewerRules::ProgramBesideThisOne("Pixmere"));
    EXPECT_STREQ("\"C:\\a b\\c.jpg\"", ViewerRules::QuotedParameter("C:\\a b\\c.jpg"));
    EXPECT_TRUE(ViewerRules::QuotedParameter("").IsEmpty());
}
