// CDC on memory contexts: drawing read back pixel by pixel.
#include <gtest/gtest.h>
#include "Framework.h"

TEST(CDCMemory, FillSolidRectAndBitBlt)
{
    CDC screen;
    screen.Attach(::GetDC(NULL));
    CDC a, b;
    ASSERT_TRUE(a.CreateCompatibleDC(&screen));
    ASSERT_TRUE(b.CreateCompatibleDC(&screen));
    HBITMAP bmA = ::CreateCompatibleBitmap(screen, 20, 10);
    HBITMAP bmB = ::CreateCompatibleBitmap(screen, 20, 10);
    HGDIOBJ oldA = a.SelectObject(bmA);
    HGDIOBJ oldB = b.SelectObject(bmB);

    a.FillSolidRect(CRect(0, 0, 20, 10), RGB(255, 0, 0));
    a.FillSolidRect(5, 2, 3, 4, RGB(0, 0, 255));
    EXPECT_EQ(a.GetPixel(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(a.GetPixel(5, 2), RGB(0, 0, 255));
    EXPECT_EQ(a.GetPixel(7, 5), RGB(0, 0, 255));
    EXPECT_EQ(a.GetPixel(8, 5), RGB(255, 0, 0));
    EXPECT_EQ(a.GetPixel(7, 6), RGB(255, 0, 0));

    b.FillSolidRect(CRect(0, 0, 20, 10), RGB(0, 255, 0));
    EXPECT_TRUE(b.BitBlt(10, 0, 10, 10, &a, 0, 0, SRCCOPY));
    EXPECT_EQ(b.GetPixel(9, 0), RGB(0, 255, 0));
    EXPECT_EQ(b.GetPixel(10, 0), RGB(255, 0, 0));
    EXPECT_EQ(b.GetPixel(15, 2), RGB(0, 0, 255));

    a.SelectObject(oldA);
    b.SelectObject(oldB);
    ::DeleteObject(bmA);
    ::DeleteObject(bmB);
    ::ReleaseDC(NULL, screen.Detach());
}

TEST(CDCTemporary, FromHandleReusesOneWrapperAndNeverDeletes)
{
    HDC hdc = ::CreateCompatibleDC(NULL);
    CDC* one = CDC::FromHandle(hdc);
    EXPECT_EQ(one, CDC::FromHandle(hdc));
    EXPECT_EQ(one->GetSafeHdc(), hdc);
    CDC::DeleteTempMap();
    // The context is still alive after the wrapper went away.
    EXPECT_NE(::GetDeviceCaps(hdc, BITSPIXEL), 0);
    EXPECT_TRUE(::DeleteDC(hdc));
}
