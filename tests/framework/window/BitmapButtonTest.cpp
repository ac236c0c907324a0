// Owner-drawn buttons: the parent's WM_DRAWITEM reaches the button object,
// which draws the bitmap of its state; bitmaps come through the resource chain.
#include <gtest/gtest.h>
#include "CBitmapButton.h"
#include "WindowTestRes.h"

namespace
{
COLORREF DrawAndRead(CWnd& parent, CBitmapButton& button, UINT state, int x, int y)
{
    HDC screen = GetDC(NULL);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP target = CreateCompatibleBitmap(screen, 48, 16);
    ReleaseDC(NULL, screen);
    HGDIOBJ old = SelectObject(dc, target);
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_BUTTON;
    dis.CtlID = 77;
    dis.itemAction = ODA_DRAWENTIRE;
    dis.itemState = state;
    dis.hwndItem = button.m_hWnd;
    dis.hDC = dc;
    SetRect(&dis.rcItem, 0, 0, 48, 16);
    parent.SendMessage(WM_DRAWITEM, 77, (LPARAM)&dis);
    COLORREF pixel = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteObject(target);
    DeleteDC(dc);
    return pixel;
}
}

TEST(BitmapButton, ParentsDrawItemDrawsTheBitmapOfTheState)
{
    CWnd parent;
    LPCSTR cls = AfxRegisterWndClass(0);
    ASSERT_TRUE(parent.CreateEx(0, cls, "parent", WS_POPUP, 0, 0, 200, 100, NULL, NULL));
    CBitmapButton button;
    ASSERT_TRUE(button.Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(0, 0, 10, 10), &parent, 77));
    ASSERT_TRUE(button.LoadBitmaps(IDB_TEST_STRIP, IDB_TEST_STRIP));
    button.SizeToContent();
    CRect rect;
    button.GetWindowRect(&rect);
    EXPECT_EQ(rect.Size(), CSize(48, 16));
    EXPECT_EQ(DrawAndRead(parent, button, 0, 8, 8), RGB(0, 0, 255));
    EXPECT_EQ(DrawAndRead(parent, button, 0, 24, 8), RGB(0, 255, 0));
    EXPECT_EQ(DrawAndRead(parent, button, ODS_SELECTED, 40, 1), RGB(255, 255, 255));
    EXPECT_FALSE(button.LoadBitmaps(31234));
    parent.DestroyWindow();
}
