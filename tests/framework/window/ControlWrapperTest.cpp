// Common-control wrappers made by the program itself: each creates its
// control and talks to it through messages.
#include <gtest/gtest.h>
#include "CEdit.h"
#include "CListBox.h"
#include "CProgressCtrl.h"
#include "CSliderCtrl.h"
#include "CSpinButtonCtrl.h"
#include "CStatic.h"

TEST(ControlWrappers, ObjectsMadeByTheProgramDriveTheirControls)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "parent", WS_POPUP, 0, 0, 300, 200, NULL, NULL));

    CStatic text;
    ASSERT_TRUE(text.Create("Scanning", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 20), &parent, 10));
    CString read;
    text.GetWindowText(read);
    EXPECT_STREQ(read, "Scanning");

    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, CRect(0, 30, 100, 50), &parent, 11));
    edit.SetWindowText("12");
    edit.GetWindowText(read);
    EXPECT_STREQ(read, "12");

    CSliderCtrl slider;
    ASSERT_TRUE(slider.Create(WS_CHILD | WS_VISIBLE, CRect(0, 60, 200, 80), &parent, 12));
    slider.SetRange(60, 200);
    slider.SetPos(500);
    EXPECT_EQ(slider.GetRangeMax(), 200);
    EXPECT_EQ(slider.GetPos(), 200); // the control clamps

    CProgressCtrl progress;
    ASSERT_TRUE(progress.Create(WS_CHILD | WS_VISIBLE, CRect(0, 90, 200, 100), &parent, 13));
    CSpinButtonCtrl spin;
    ASSERT_TRUE(spin.Create(WS_CHILD | WS_VISIBLE, CRect(210, 30, 230, 50), &parent, 14));
    CListBox list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE, CRect(0, 110, 200, 190), &parent, 15));

    EXPECT_EQ(CWnd::FromHandlePermanent(text.m_hWnd), &text);
    parent.DestroyWindow();
    EXPECT_EQ(text.m_hWnd, (HWND)NULL);
}
