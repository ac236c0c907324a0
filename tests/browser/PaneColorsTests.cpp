// The background pane: the plain style's tiles and the colours it stores
// from its trackbars.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <stdlib.h>

#include "PaneTestKit.h"
#include "panes/DialogColors.h"

using namespace pane_test;

namespace
{
// The 24-bit pixels of a bitmap, as 0x00BBGGRR values.
std::vector<COLORREF> Pixels(HBITMAP bitmap, int& width, int& height)
{
    BITMAP info = {};
    ::GetObjectA(bitmap, sizeof(info), &info);
    width = info.bmWidth;
    height = info.bmHeight;
    BITMAPINFO header = {};
    header.bmiHeader.biSize = sizeof(header.bmiHeader);
    header.bmiHeader.biWidth = width;
    header.bmiHeader.biHeight = -height;
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 32;
    std::vector<DWORD> bgra((size_t)width * height);
    HDC dc = ::GetDC(NULL);
    ::GetDIBits(dc, bitmap, 0, height, bgra.data(), &header, DIB_RGB_COLORS);
    ::ReleaseDC(NULL, dc);
    std::vector<COLORREF> pixels;
    for (DWORD p : bgra)
        pixels.push_back(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
    return pixels;
}

// Within one level per channel (the blend rounds down).
bool Near(COLORREF expected, COLORREF actual)
{
    for (int shift = 0; shift < 24; shift += 8)
        if (abs((int)((expected >> shift) & 0xFF) - (int)((actual >> shift) & 0xFF)) > 1)
            return false;
    return true;
}

// Puts the default background back for the tests that come after.
struct DefaultBackground
{
    ~DefaultBackground()
    {
        WriteSetting("m_Color1", 14778372);
        WriteSetting("m_Color2", 8396292);
        WriteSetting("m_BackGroundIndex", 0);
    }
};

bool AllPixels(HBITMAP bitmap, COLORREF color, int expectWidth, int expectHeight)
{
    int width = 0, height = 0;
    std::vector<COLORREF> pixels = Pixels(bitmap, width, height);
    if (width != expectWidth || height != expectHeight)
        return false;
    for (COLORREF p : pixels)
        if (p != color)
            return false;
    return true;
}
}

TEST(BackgroundPane, PlainStyleTilesAreTheFirstColourForFoldersAndTheSecondForAlbums)
{
    DefaultBackground restore;
    WriteSetting("m_Color1", 0x3060C0);
    WriteSetting("m_Color2", 0x20A040);
    WriteSetting("m_BackGroundIndex", 0);
    HostWindow host;
    CDialogColors colors;
    ASSERT_TRUE(colors.Create(CDialogColors::IDD, &host));
    // The user picks the plain style.
    colors.CheckRadioButton(IDC_STYLE_SQUARE, IDC_STYLE_PLAIN, IDC_STYLE_PLAIN);
    colors.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_STYLE_PLAIN, BN_CLICKED),
                       (LPARAM)colors.GetDlgItem(IDC_STYLE_PLAIN)->GetSafeHwnd());
    EXPECT_EQ(3, ReadSetting("m_BackGroundIndex"));

    HBITMAP folder = colors.MakeTile(136, 112, TRUE);
    HBITMAP album = colors.MakeTile(136, 112, FALSE);
    EXPECT_TRUE(AllPixels(folder, 0x3060C0, 136, 112));
    EXPECT_TRUE(AllPixels(album, 0x20A040, 136, 112));
    ::DeleteObject(folder);
    ::DeleteObject(album);

    // The other styles blend the two colours, swapped for albums.
    colors.m_BackGroundIndex = CDialogColors::StyleLinear;
    HBITMAP linear = colors.MakeTile(200, 20, TRUE);
    HBITMAP swapped = colors.MakeTile(200, 20, FALSE);
    int w = 0, h = 0;
    std::vector<COLORREF> a = Pixels(linear, w, h), b = Pixels(swapped, w, h);
    EXPECT_TRUE(Near(0x3060C0, a[0])) << std::hex << a[0];
    EXPECT_TRUE(Near(0x20A040, b[0])) << std::hex << b[0];
    EXPECT_TRUE(Near(0x20A040, a[199])) << std::hex << a[199];
    ::DeleteObject(linear);
    ::DeleteObject(swapped);
}

TEST(BackgroundPane, ReleasedTrackbarsStoreBothColoursWithinTheirRange)
{
    DefaultBackground restore;
    WriteSetting("m_Color1", 14778372);
    WriteSetting("m_Color2", 8396292);
    HostWindow host;
    CDialogColors colors;
    ASSERT_TRUE(colors.Create(CDialogColors::IDD, &host));
    EXPECT_EQ(10, (int)colors.SendDlgItemMessage(IDC_COLOR1_RED, TBM_GETRANGEMIN));
    EXPECT_EQ(245, (int)colors.SendDlgItemMessage(IDC_COLOR1_BLUE, TBM_GETRANGEMAX));
    EXPECT_EQ(225, (int)colors.SendDlgItemMessage(IDC_COLOR1_BLUE, TBM_GETPOS));
    EXPECT_EQ(10, (int)colors.SendDlgItemMessage(IDC_COLOR2_RED, TBM_GETPOS)); // 4 is below the range

    colors.SendDlgItemMessage(IDC_COLOR1_GREEN, TBM_SETPOS, TRUE, 200);
    colors.SendDlgItemMessage(IDC_COLOR2_BLUE, TBM_SETPOS, TRUE, 50);
    NMHDR released = {colors.GetDlgItem(IDC_COLOR2_BLUE)->GetSafeHwnd(), IDC_COLOR2_BLUE, (UINT)NM_RELEASEDCAPTURE};
    colors.SendMessage(WM_NOTIFY, IDC_COLOR2_BLUE, (LPARAM)&released);
    EXPECT_EQ(225 * 65536 + 200 * 256 + 10, ReadSetting("m_Color1"));
    EXPECT_EQ(50 * 65536 + 30 * 256 + 10, ReadSetting("m_Color2"));
}
