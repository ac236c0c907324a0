// The transition chooser: its list of kinds and tick boxes, the settings it
// reads and stores on close (the amplitude limited to 5..30), and a preview
// step painting frames into the dialog.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>
#include "Framework.h"
#include "CPaintDC.h"
#include "TransitionsDialog.h"
#include "TransitionsDialogIds.h"
#include "TransitionManager.h"

namespace
{
const char* const kKey = "Software\\Quenwick\\ChooserTests\\Settings";

void ClearSettings()
{
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Quenwick\\ChooserTests");
}

DWORD Read(const char* name)
{
    DWORD value = 0xDEADBEEF, size = sizeof(value);
    RegGetValueA(HKEY_CURRENT_USER, kKey, name, RRF_RT_REG_DWORD, NULL, &value, &size);
    return value;
}

void Write(const char* name, DWORD value)
{
    AfxGetApp()->WriteProfileInt("Settings", name, (int)value);
}

void Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
    {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// A modeless chooser for the test's prefix.
struct OpenChooser
{
    CTransitionsDialog dialog;
    OpenChooser() : dialog("Viewer")
    {
        EXPECT_TRUE(dialog.Create(IDD_TRANSITIONS, NULL));
        dialog.ShowWindow(SW_SHOW);
        Pump();
    }
    ~OpenChooser()
    {
        if (dialog.m_hWnd)
            dialog.DestroyWindow();
    }
    HWND List() const { return ::GetDlgItem(dialog.m_hWnd, IDC_TRANSITION_LIST); }
    int ItemImage(int item) const
    {
        LVITEMA lv = {};
        lv.mask = LVIF_IMAGE;
        lv.iItem = item;
        ::SendMessageA(List(), LVM_GETITEMA, 0, (LPARAM)&lv);
        return lv.iImage;
    }
    // A click on an item's tick box or its label, as the list reports it.
    void Click(int item, bool onIcon, UINT code = NM_CLICK)
    {
        RECT r = {};
        r.left = onIcon ? LVIR_ICON : LVIR_LABEL;
        ::SendMessageA(List(), LVM_GETITEMRECT, item, (LPARAM)&r);
        NMITEMACTIVATE click = {};
        click.hdr.hwndFrom = List();
        click.hdr.idFrom = IDC_TRANSITION_LIST;
        click.hdr.code = code;
        click.iItem = item;
        click.ptAction.x = (r.left + r.right) / 2;
        click.ptAction.y = (r.top + r.bottom) / 2;
        dialog.SendMessage(WM_NOTIFY, IDC_TRANSITION_LIST, (LPARAM)&click);
    }
};
}

TEST(TransitionsDialog, ReadsAndLimitsTheSettingsWhenMade)
{
    ClearSettings();
    Write("Viewer_Amplitude", 99);
    Write("Viewer_Fluctuation", 7);
    CTransitionsDialog dialog("Viewer");
    EXPECT_EQ(16u, (unsigned)dialog.m_Transition);
    EXPECT_EQ(30, (int)dialog.m_Amplitude);
    EXPECT_EQ(1, (int)dialog.m_Fluctuation);
    EXPECT_EQ(16u, Read("Viewer_Transition"));
    EXPECT_EQ(30u, Read("Viewer_Amplitude"));
    EXPECT_EQ(1u, Read("Viewer_Fluctuation"));
}

TEST(TransitionsDialog, ListsEveryKindTickedByTheMask)
{
    ClearSettings();
    Write("Viewer_Transition", (1u << 0) | (1u << 4) | (1u << 12));
    OpenChooser chooser;
    HWND list = chooser.List();
    ASSERT_TRUE(list != NULL);
    ASSERT_EQ(13, (int)::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < 13; ++i)
    {
        char text[64] = "";
        LVITEMA lv = {};
        lv.iSubItem = 0;
        lv.pszText = text;
        lv.cchTextMax = sizeof(text);
        ::SendMessageA(list, LVM_GETITEMTEXTA, i, (LPARAM)&lv);
        EXPECT_STREQ(CTransitionManager::m_Transitions[i].name, text);
        int ticked = i == 0 || i == 4 || i == 12;
        EXPECT_EQ(ticked, chooser.ItemImage(i)) << i;
    }
    EXPECT_EQ((1u << 0) | (1u << 4) | (1u << 12), chooser.dialog.GetTickedMask());
}

TEST(TransitionsDialog, ClickOnTheTickBoxFlipsItAndOnTheLabelOnlySelects)
{
    ClearSettings();
    OpenChooser chooser;
    chooser.Click(2, true);
    EXPECT_EQ(1, chooser.ItemImage(2));
    EXPECT_TRUE(::SendMessageA(chooser.List(), LVM_GETITEMSTATE, 2, LVIS_SELECTED) & LVIS_SELECTED);
    chooser.Click(4, false);
    EXPECT_EQ(1, chooser.ItemImage(4)); // still ticked
    EXPECT_TRUE(::SendMessageA(chooser.List(), LVM_GETITEMSTATE, 4, LVIS_SELECTED) & LVIS_SELECTED);
    chooser.Click(4, true, NM_RCLICK);
    EXPECT_EQ(0, chooser.ItemImage(4));
    EXPECT_EQ(1u << 2, chooser.dialog.GetTickedMask());
}

TEST(TransitionsDialog, ClosingStoresMaskAmplitudeLimitedTo30AndFluctuation)
{
    ClearSettings();
    Write("Viewer_Amplitude", 10);
    {
        OpenChooser chooser;
        chooser.Click(4, true); // unticks the default kind
        chooser.Click(9, true);
        ::SendMessageA(::GetDlgItem(chooser.dialog.m_hWnd, IDC_TRANSITION_ENABLE), BM_CLICK, 0, 0);
        ::SetDlgItemTextA(chooser.dialog.m_hWnd, IDC_TRANSITION_AMPLITUDE, "50");
        chooser.dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_TRANSITION_EXIT, BN_CLICKED),
                                   (LPARAM)::GetDlgItem(chooser.dialog.m_hWnd, IDC_TRANSITION_EXIT));
    }
    EXPECT_EQ(1u << 9, Read("Viewer_Transition"));
    EXPECT_EQ(30u, Read("Viewer_Amplitude"));
    EXPECT_EQ(1u, Read("Viewer_Fluctuation"));
}

TEST(TransitionsDialog, UntickingEverythingStoresMaskZeroAndLowAmplitudeIsRaisedTo5)
{
    ClearSettings();
    Write("Viewer_Fluctuation", 1);
    {
        OpenChooser chooser;
        chooser.Click(4, true);
        ::SendMessageA(::GetDlgItem(chooser.dialog.m_hWnd, IDC_TRANSITION_ENABLE), BM_CLICK, 0, 0);
        ::SetDlgItemTextA(chooser.dialog.m_hWnd, IDC_TRANSITION_AMPLITUDE, "2");
    }
    EXPECT_EQ(0u, Read("Viewer_Transition"));
    EXPECT_EQ(5u, Read("Viewer_Amplitude"));
    EXPECT_EQ(0u, Read("Viewer_Fluctuation"));
}

TEST(TransitionsDialog, RunTogglesTheTimedPreviewAndPaintsIntoTheDialog)
{
    ClearSettings();
    OpenChooser chooser;
    HWND run = ::GetDlgItem(chooser.dialog.m_hWnd, IDC_TRANSITION_RUN);
    chooser.Click(1, false); // "Slider" selected: the preview runs that kind
    chooser.dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_TRANSITION_RUN, BN_CLICKED), (LPARAM)run);
    EXPECT_TRUE(chooser.dialog.IsPreviewRunning());
    char text[64] = "";
    ::GetWindowTextA(run, text, sizeof(text));
    EXPECT_STREQ("&Stop the test", text);
    // The step ended on the second picture: a green meadow at the bottom.
    RECT marker;
    ::GetWindowRect(::GetDlgItem(chooser.dialog.m_hWnd, IDC_TRANSITION_PREVIEW), &marker);
    ::ScreenToClient(chooser.dialog.m_hWnd, (POINT*)&marker);
    CClientDC dc(&chooser.dialog);
    COLORREF grass = GetPixel(dc.GetSafeHdc(), marker.left + 60, marker.top + 280);
    EXPECT_GT(GetGValue(grass), GetRValue(grass));
    EXPECT_GT(GetGValue(grass), GetBValue(grass));
    chooser.dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_TRANSITION_RUN, BN_CLICKED), (LPARAM)run);
    EXPECT_FALSE(chooser.dialog.IsPreviewRunning());
    ::GetWindowTextA(run, text, sizeof(text));
    EXPECT_STREQ("&Run transition", text);
}
