// CRect, CPoint, CSize and CTime.
#include <gtest/gtest.h>
#include "Framework.h"

TEST(CRectGeometry, SizeOffsetInflateIntersect)
{
    CRect r(10, 20, 110, 70);
    EXPECT_EQ(r.Width(), 100);
    EXPECT_EQ(r.Height(), 50);
    EXPECT_EQ(r.CenterPoint(), CPoint(60, 45));
    r.OffsetRect(-10, -20);
    EXPECT_EQ(r, CRect(0, 0, 100, 50));
    r.InflateRect(5, 5);
    EXPECT_EQ(r, CRect(-5, -5, 105, 55));
    CRect i = r & CRect(100, 50, 200, 200);
    EXPECT_EQ(i, CRect(100, 50, 105, 55));
    EXPECT_TRUE((r & CRect(500, 500, 600, 600)).IsRectEmpty());
    EXPECT_TRUE(r.PtInRect(CPoint(0, 0)));
    EXPECT_FALSE(r.PtInRect(CPoint(105, 0))); // right edge is exclusive
    CRect n(10, 10, 0, 0);
    n.NormalizeRect();
    EXPECT_EQ(n, CRect(0, 0, 10, 10));
    r.TopLeft() = CPoint(1, 2);
    EXPECT_EQ(r.left, 1);
    EXPECT_EQ(r.top, 2);
}

TEST(CPointPacking, SignedCoordinatesFromLParam)
{
    CPoint p((DWORD)MAKELONG(-3, 7));
    EXPECT_EQ(p.x, -3);
    EXPECT_EQ(p.y, 7);
    EXPECT_EQ(CPoint(5, 5) - CPoint(2, 1), CSize(3, 4));
}

TEST(CTimeFields, LocalFieldsRoundTrip)
{
    CTime t(2024, 2, 29, 13, 45, 30);
    EXPECT_EQ(t.GetYear(), 2024);
    EXPECT_EQ(t.GetMonth(), 2);
    EXPECT_EQ(t.GetDay(), 29);
    EXPECT_EQ(t.GetHour(), 13);
    EXPECT_EQ(t.GetMinute(), 45);
    EXPECT_EQ(t.GetSecond(), 30);
    EXPECT_STREQ(t.Format("%Y-%m-%d %H:%M:%S"), "2024-02-29 13:45:30");
    CTime later = t + CTimeSpan(1, 0, 0, 0);
    EXPECT_EQ(later.GetMonth(), 3);
    EXPECT_EQ((later - t).GetTotalSeconds(), 86400);
}

TEST(CTimeFields, FileTimeConversion)
{
    // 1970-01-01 00:00:00 UTC as a FILETIME.
    ULARGE_INTEGER v;
    v.QuadPart = 116444736000000000ULL;
    FILETIME ft = { v.LowPart, v.HighPart };
    EXPECT_EQ(CTime(ft).GetTime(), 0);
    CTime now = CTime::GetCurrentTime();
    EXPECT_GT(now.GetYear(), 2020);
}
