// Where the browser's keys go: a description edit with the keyboard gets
// Del, Ctrl+C/V/X/A and the numeric-pad keys (the frame's accelerators do
// not act on files then), and after a click on a cell the arrow and page
// keys scroll the grid.
#include "ViewTestKit.h"
#include "ThumbnailWindow.h"

using namespace view_test;

namespace
{
// A key press as the message loop would see it: true when the thread's
// pre-translation (the frame's accelerators among it) took it.
bool PressTaken(UINT vk, bool ctrl = false)
{
    BYTE keys[256];
    GetKeyboardState(keys);
    BYTE saved = keys[VK_CONTROL];
    keys[VK_CONTROL] = ctrl ? 0x80 : 0;
    SetKeyboardState(keys);
    MSG message = {GetFocus(), WM_KEYDOWN, vk, 1};
    bool taken = AfxGetThread()->PreTranslateMessage(&message) != FALSE;
    if (!taken)
    {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    keys[VK_CONTROL] = saved;
    SetKeyboardState(keys);
    Pump(20);
    return taken;
}

CString TextOf(HWND edit)
{
    char text[256] = "";
    GetWindowTextA(edit, text, sizeof(text));
    return text;
}
} // namespace

TEST_F(ViewWindow, ADescriptionEditWithTheKeyboardGetsItsOwnKeys)
{
    TempFolder folder("EditKeys");
    MakePicturesNatively(folder.Path(), 12);
    DescriptionsShown shown(s_window->Frame());
    CBrowserView* view = View();
    view->ShowFolder(folder.Path().c_str());
    Pump(300);
    int size = s_window->Frame()->m_nThumbXSize;

    CThumbnailWindow* cell = view->GetCellWindow(0);
    ASSERT_TRUE(cell && cell->m_Caption.m_hWnd);
    cell->m_Caption.SetFocus();
    ASSERT_EQ(cell->m_Caption.m_hWnd, GetFocus());
    for (const char* c = "ab+"; *c; ++c)
        SendMessageA(GetFocus(), WM_CHAR, (WPARAM)*c, 1);
    SendMessageA(GetFocus(), EM_SETSEL, 0, 0); // the caret before "a"

    // Del deletes the character after the caret; the numeric pad's plus
    // does not enlarge the thumbnails; Ctrl+A selects the text, not files.
    EXPECT_FALSE(PressTaken(VK_DELETE));
    EXPECT_STREQ("b+", TextOf(GetFocus()));
    EXPECT_FALSE(PressTaken(VK_ADD));
    EXPECT_EQ(size, s_window->Frame()->m_nThumbXSize);
    EXPECT_FALSE(PressTaken('A', true));
    EXPECT_FALSE(view->GetEntries()[3]->Selected());
    EXPECT_FALSE(PressTaken('C', true));

    // With the view holding the keyboard, the same keys act on the grid.
    view->SetFocus();
    EXPECT_TRUE(PressTaken(VK_ADD));
    EXPECT_NE(size, s_window->Frame()->m_nThumbXSize);
    s_window->Frame()->ApplyThumbSize(size);
    view->ClearView();
    Pump(50);
}

TEST_F(ViewWindow, AfterAClickOnACellThePageKeysScrollTheGrid)
{
    TempFolder folder("ClickKeys");
    MakePicturesNatively(folder.Path(), 200);
    CBrowserView* view = View();
    view->ShowFolder(folder.Path().c_str());
    Pump(200);
    // The keyboard is somewhere else in the frame (the left pane, say).
    s_window->Frame()->SetFocus();
    CThumbnailWindow* cell = view->GetCellWindow(0);
    ASSERT_TRUE(cell != NULL);
    SendMessageA(cell->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    SendMessageA(cell->m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    Pump(50);
    EXPECT_EQ(view->m_hWnd, GetFocus());
    CPoint before = view->GetScrollPosition();
    PressTaken(VK_NEXT);
    EXPECT_GT(view->GetScrollPosition().y, before.y);
    view->ClearView();
    Pump(50);
}
