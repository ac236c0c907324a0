// A browser window's frame: its panes and bars, the thumbnail-size commands
// and slider, fit and captions, driven through real windows.
#include <windows.h>
#include <commctrl.h>
#include <stdio.h>
#include <gtest/gtest.h>
#include "FrameTestKit.h"
#include "TempFolder.h"

using frame_test::RunningBrowser;

namespace
{
void WriteSmallBmp(const std::string& path)
{
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    BYTE pixels[8 * 8 * 3];
    memset(pixels, 0x80, sizeof(pixels));
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + sizeof(pixels);
    info.biSize = sizeof(info);
    info.biWidth = 8;
    info.biHeight = 8;
    info.biPlanes = 1;
    info.biBitCount = 24;
    FILE* f = fopen(path.c_str(), "wb");
    ASSERT_TRUE(f != NULL);
    fwrite(&file, sizeof(file), 1, f);
    fwrite(&info, sizeof(info), 1, f);
    fwrite(pixels, 1, sizeof(pixels), f);
    fclose(f);
}
}

TEST(BrowserFrame, HoldsBothPanesTheBarsAndTheSliderAtTheStatusBarsRightEnd)
{
    RunningBrowser browser;
    CBrowserFrame* frame = browser.Frame();
    ASSERT_TRUE(frame != NULL);
    EXPECT_TRUE(frame->GetLeftView() != NULL);
    ASSERT_TRUE(browser.View() != NULL);
    EXPECT_EQ((CView*)browser.View(), frame->GetActiveView());
    EXPECT_TRUE(::IsWindow(frame->m_wndToolBar.m_hWnd));

    CString title;
    frame->GetWindowText(title);
    EXPECT_STREQ("Pixmere", (LPCSTR)title);

    CRect status, bar;
    frame->m_wndStatusBar.GetWindowRect(&status);
    frame->m_wndBar.GetWindowRect(&bar);
    EXPECT_LE(abs(status.right - bar.right), 2 + GetSystemMetrics(SM_CXEDGE)) << "the slider ends at the right";
    EXPECT_GE(bar.left, status.left);
    EXPECT_EQ(frame->m_wndBar.m_pFrame, frame);
    EXPECT_EQ((int)frame->m_nThumbXSize, frame->m_wndBar.GetPosition());
}

TEST(BrowserFrame, EnlargeFrom350Reaches360AndIsThenDisabled)
{
    test_support::TempFolder folder("frame_enlarge");
    WriteSmallBmp(folder.File("a.bmp"));
    WriteSmallBmp(folder.File("b.bmp"));
    RunningBrowser browser;
    CBrowserFrame* frame = browser.Frame();
    ASSERT_TRUE(frame != NULL);
    frame->ShowStartFile(folder.Path().c_str());
    ASSERT_TRUE(browser.PumpUntil(5000, [&] { return browser.View()->GetGrid().count == 2; }));

    frame->ApplyThumbSize(350);
    EXPECT_TRUE(browser.Probe(ID_ENLARGE_THUMBS).enabled);
    browser.Command(ID_ENLARGE_THUMBS);
    EXPECT_EQ(360, (int)frame->m_nThumbXSize);
    EXPECT_EQ(360, frame->m_wndBar.GetPosition()) << "the slider follows the command";
    EXPECT_EQ(360 + 2 * GetSystemMetrics(SM_CXEDGE), browser.View()->GetGrid().cellWidth) << "the view is laid out again";
    EXPECT_EQ(360, (int)AfxGetApp()->GetProfileInt("Settings", "m_nThumbXSize", 0));
    EXPECT_FALSE(browser.Probe(ID_ENLARGE_THUMBS).enabled);
    EXPECT_FALSE(browser.Probe(ID_MAXIMIZE_THUMBS).enabled);

    browser.Command(ID_MINIMIZE_THUMBS);
    EXPECT_EQ(60, (int)frame->m_nThumbXSize);
    EXPECT_FALSE(browser.Probe(ID_REDUCE_THUMBS).enabled);
    EXPECT_TRUE(browser.Probe(ID_ENLARGE_THUMBS).enabled);
}

TEST(BrowserFrame, ReleasingTheSliderStoresItsPosition)
{
    RunningBrowser browser;
    CBrowserFrame* frame = browser.Frame();
    ASSERT_TRUE(frame != NULL);
    frame->ApplyThumbSize(120);
    CSliderCtrl& slider = frame->m_wndBar.m_Slider;
    EXPECT_EQ(60, slider.GetRangeMin());
    EXPECT_EQ(360, slider.GetRangeMax());
    slider.SetPos(250);
    NMHDR released = {slider.m_hWnd, IDC_THUMB_SIZE_SLIDER, (UINT)NM_RELEASEDCAPTURE};
    frame->m_wndBar.SendMessage(WM_NOTIFY, IDC_THUMB_SIZE_SLIDER, (LPARAM)&released);
    EXPECT_EQ(250, (int)frame->m_nThumbXSize);
    int selStart = (int)slider.SendMessage(TBM_GETSELSTART);
    int selEnd = (int)slider.SendMessage(TBM_GETSELEND);
    EXPECT_EQ(60, selStart);
    EXPECT_EQ(250, selEnd);
}

TEST(BrowserFrame, FitTogglesItsCheckAndLeavesTheSizeWhileCaptionsStayExclusive)
{
    RunningBrowser browser;
    CBrowserFrame* frame = browser.Frame();
    ASSERT_TRUE(frame != NULL);
    frame->ApplyThumbSize(360);
    int fit = frame->m_ThumbsMaxFit;
    browser.Command(ID_FIT_THUMBS);
    EXPECT_EQ(1 - fit, (int)frame->m_ThumbsMaxFit);
    EXPECT_EQ(1 - fit, browser.Probe(ID_FIT_THUMBS).check);
    EXPECT_EQ(360, (int)frame->m_nThumbXSize);
    browser.Command(ID_FIT_THUMBS);
    EXPECT_EQ(fit, (int)frame->m_ThumbsMaxFit);

    frame->m_bPropShowFileName = 1;
    frame->m_bPropShowFileDescription = 0;
    browser.Command(ID_SHOW_FILE_DESCRIPTION);
    EXPECT_EQ(0, (int)frame->m_bPropShowFileName);
    EXPECT_EQ(1, (int)frame->m_bPropShowFileDescription);
    EXPECT_EQ(1, browser.Probe(ID_SHOW_FILE_DESCRIPTION).check);
    EXPECT_EQ(0, browser.Probe(ID_SHOW_FILE_NAME).check);
    browser.Command(ID_SHOW_FILE_NAME);
    EXPECT_EQ(1, (int)frame->m_bPropShowFileName);
    EXPECT_EQ(0, (int)frame->m_bPropShowFileDescription);
}
