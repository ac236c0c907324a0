// The geometric effects: edge positions of the four drivers at chosen steps
// without fluctuation, and the values of the shape functions.
#include <gtest/gtest.h>
#include <math.h>
#include <stdlib.h>

#include "EngineProbe.h"

namespace
{
const BYTE OldTag = 1, NewTag = 2;

struct GeometricRun
{
    CEngineProbe engine;
    FrameRecorder recorder;
    GeometricRun(int width, int height)
    {
        engine.Prepare(PositionPicture(width, height, OldTag), PositionPicture(width, height, NewTag),
                       FrameRecorder::Callback, &recorder);
    }
    BYTE Tag(int frame, int x, int y) const { return recorder.Pixel(frame, x, y)[2]; }
    // Pixel (x, y) of the frame holds pixel (sx, sy) of the picture with this tag.
    bool Shows(int frame, int x, int y, int sx, int sy, BYTE tag) const
    {
        const BYTE* p = recorder.Pixel(frame, x, y);
        return p[0] == sx && p[1] == sy && p[2] == tag;
    }
    bool AllOf(int frame, BYTE tag) const
    {
        for (int y = 0; y < recorder.height; y++)
            for (int x = 0; x < recorder.width; x++)
                if (!Shows(frame, x, y, x, y, tag))
                    return false;
        return true;
    }
};
} // namespace

TEST(PointTransition, PathFourHalfwayShowsTheTopLeftQuarterNew)
{
    ScriptedRandom random;
    random.Push({4});
    GeometricRun run(200, 100);
    ASSERT_EQ(1, run.engine.DoPointTransition(false, 0, 0));
    ASSERT_EQ(101, run.recorder.frames);
    for (int y = 0; y < 100; y++)
        for (int x = 0; x < 200; x++)
            ASSERT_TRUE(run.Shows(50, x, y, x, y, (x < 100 && y < 50) ? NewTag : OldTag)) << x << "," << y;
}

TEST(PointTransition, SlideShowsTheBottomRightQuarterOfTheNewPicture)
{
    ScriptedRandom random;
    random.Push({4});
    GeometricRun run(200, 100);
    ASSERT_EQ(1, run.engine.DoPointTransition(true, 0, 0));
    for (int y = 0; y < 100; y++)
        for (int x = 0; x < 200; x++)
        {
            if (x < 100 && y < 50)
                ASSERT_TRUE(run.Shows(50, x, y, x + 100, y + 50, NewTag)) << x << "," << y;
            else
                ASSERT_TRUE(run.Shows(50, x, y, x, y, OldTag)) << x << "," << y;
        }
}

TEST(PointTransition, EveryPathStartsOldAndEndsNew)
{
    for (int path = 0; path < 8; path++)
        for (bool slide : {false, true})
        {
            ScriptedRandom random;
            random.Push({path});
            GeometricRun run(60, 40);
            ASSERT_EQ(1, run.engine.DoPointTransition(slide, 0, 0));
            EXPECT_TRUE(run.AllOf(0, OldTag)) << path;
            EXPECT_TRUE(run.AllOf(100, NewTag)) << path;
        }
}

TEST(PointTransition, PathSixQuarterWayRegionIsTopRight)
{
    // Path 6 runs from (W, 0) to (0, H): at s = 25 the point is (45, 10) on a
    // 60 x 40 canvas and the new picture covers rows 0..9, columns 45..59;
    // sliding, that region shows the new picture's rows 30..39, columns 0..14.
    for (bool slide : {false, true})
    {
        ScriptedRandom random;
        random.Push({6});
        GeometricRun run(60, 40);
        ASSERT_EQ(1, run.engine.DoPointTransition(slide, 0, 0));
        for (int y = 0; y < 40; y++)
            for (int x = 0; x < 60; x++)
            {
                bool inside = y < 10 && x >= 45;
                if (!inside)
                    ASSERT_TRUE(run.Shows(25, x, y, x, y, OldTag));
                else if (slide)
                    ASSERT_TRUE(run.Shows(25, x, y, x - 45, y + 30, NewTag)) << x << "," << y;
                else
                    ASSERT_TRUE(run.Shows(25, x, y, x, y, NewTag));
            }
    }
}

TEST(CurveTransition, EveryCurveStartsWithTheRightSourceAndEndsWithTheLeft)
{
    for (int curve = 0; curve < 12; curve++)
        for (bool fromLeft : {false, true})
        {
            ScriptedRandom random;
            random.Push({curve, 2});
            GeometricRun run(50, 30);
            ASSERT_EQ(1, run.engine.DoCurveTransition(false, fromLeft, 0, 0));
            // From the left the new picture is the left source and c rises.
            EXPECT_TRUE(run.AllOf(0, OldTag)) << curve;
            EXPECT_TRUE(run.AllOf(100, NewTag)) << curve;
        }
}

TEST(CurveTransition, VShapeEdgeAtMidStep)
{
    // Curve 4 with k = 0.3 at c = 50 on 200 x 100: edge = 100 + |trunc(0.3 * 2500 * (r - 50) / 100)|.
    ScriptedRandom random;
    random.Push({4, 2});
    GeometricRun run(200, 100);
    ASSERT_EQ(1, run.engine.DoCurveTransition(false, true, 0, 0));
    for (int r : {0, 13, 40, 50, 51, 63, 99})
    {
        int edge = 100 + abs((int)(0.3 * 2500 * (r - 50) / 100));
        edge = edge > 200 ? 200 : edge;
        for (int x = 0; x < 200; x++)
            ASSERT_TRUE(run.Shows(50, x, r, x, r, x < edge ? NewTag : OldTag)) << r << " " << x;
    }
}

TEST(CurveTransition, SlidePushesTheRightSourceAlongTheEdge)
{
    // Curve 9 from the right at n = 70 (c = 30): the edge is
    // trunc(60 - (0.5 - sin(r * 3.14 / 100)) * 2100 * 0.05) on 200 x 100; the
    // right source (the new picture) starts at its own column 0 there.
    ScriptedRandom random;
    random.Push({9, 0});
    GeometricRun run(200, 100);
    ASSERT_EQ(1, run.engine.DoCurveTransition(true, false, 0, 0));
    for (int r : {0, 25, 50, 99})
    {
        int edge = (int)(0.0 + 60 - (0.5 - sin(r * 3.14 / 100)) * 2100 * 0.05);
        edge = edge < 0 ? 0 : edge;
        for (int x = 0; x < 200; x++)
        {
            if (x < edge)
                ASSERT_TRUE(run.Shows(70, x, r, x, r, OldTag)) << r << " " << x;
            else
                ASSERT_TRUE(run.Shows(70, x, r, x - edge, r, NewTag)) << r << " " << x;
        }
    }
}

TEST(HalfTransition, ShutLeftRightSplitsMirroredRows)
{
    // dir 0: P is the old picture; at c = 25 on 200 x 100 the edge is
    // 101 - 50 + 100 = 151: row 0 is old up to column 150, row 99 old from
    // column 49 on.
    GeometricRun run(200, 100);
    ASSERT_EQ(1, run.engine.DoHalfTransition(CTransitionManager::functionHalfShutLeftRight, 0, 0, 0));
    for (int x = 0; x < 200; x++)
    {
        ASSERT_TRUE(run.Shows(25, x, 0, x, 0, x < 151 ? OldTag : NewTag)) << x;
        ASSERT_TRUE(run.Shows(25, x, 99, x, 99, x >= 49 ? OldTag : NewTag)) << x;
    }
    EXPECT_TRUE(run.AllOf(100, NewTag));
}

TEST(HalfTransition, MiddleRowOfAnOddHeightFollowsTheMirrorRule)
{
    // Height 5, width 20 (e = 10, h = 2), dir 0 at c = 40: edge = 11 - 8 + 10 = 13;
    // the middle row 2 is new in columns 0..6 and old in 7..19.
    GeometricRun run(20, 5);
    ASSERT_EQ(1, run.engine.DoHalfTransition(CTransitionManager::functionHalfShutLeftRight, 0, 0, 0));
    for (int x = 0; x < 20; x++)
    {
        ASSERT_TRUE(run.Shows(40, x, 2, x, 2, x < 7 ? NewTag : OldTag)) << x;
        ASSERT_TRUE(run.Shows(40, x, 1, x, 1, x < 13 ? OldTag : NewTag)) << x;
    }
}

TEST(HalfTransition, TurnIsVerticalAtTheMiddleStep)
{
    // tan(0) = 0: at c = 50 every row splits at the centre column.
    GeometricRun run(64, 20);
    ASSERT_EQ(1, run.engine.DoHalfTransition(CTransitionManager::functionHalfTurnLeftRight, 0, 0, 1));
    for (int y = 0; y < 20; y++)
        for (int x = 0; x < 64; x++)
        {
            // dir 1: P is the new picture, left in the upper rows, right in the lower.
            bool isNew = y < 10 ? x < 32 : x >= 32;
            ASSERT_TRUE(run.Shows(50, x, y, x, y, isNew ? NewTag : OldTag)) << x << "," << y;
        }
}

TEST(QuarterTransition, ShutHorizontalBandAtMidStep)
{
    GeometricRun run(200, 100);
    ASSERT_EQ(1, run.engine.DoQuarterTransition(CTransitionManager::functionQuarterShutHorz, 0, 0, 0));
    for (int y : {0, 49, 50, 99})
        for (int x = 0; x < 200; x++)
            ASSERT_TRUE(run.Shows(50, x, y, x, y, x >= 50 && x < 150 ? NewTag : OldTag)) << x;
    EXPECT_TRUE(run.AllOf(0, OldTag));
    EXPECT_TRUE(run.AllOf(100, NewTag));
}

TEST(QuarterTransition, ClosingDirectionShrinksTheOldPicture)
{
    // dir 1: the band shows the old picture and c falls from 100.
    GeometricRun run(200, 100);
    ASSERT_EQ(1, run.engine.DoQuarterTransition(CTransitionManager::functionQuarterShutHorz, 0, 0, 1));
    EXPECT_TRUE(run.AllOf(0, OldTag));
    EXPECT_TRUE(run.AllOf(100, NewTag));
    for (int x = 0; x < 200; x++) // n = 30: c = 70, band 30..169
        ASSERT_TRUE(run.Shows(30, x, 7, x, 7, x >= 30 && x < 170 ? OldTag : NewTag)) << x;
}

TEST(QuarterTransition, OnePixelBandAtOddWidthIsDropped)
{
    GeometricRun run(201, 10);
    ASSERT_EQ(1, run.engine.DoQuarterTransition(CTransitionManager::functionQuarterShutHorz, 0, 0, 0));
    EXPECT_TRUE(run.AllOf(0, OldTag)); // half-width 0: no band, not even column 100
    // c = 1: half-width 1, band 99..101.
    for (int x = 0; x < 201; x++)
        ASSERT_TRUE(run.Shows(1, x, 3, x, 3, x >= 99 && x < 102 ? NewTag : OldTag)) << x;
}

TEST(QuarterTransition, CircleRowsOutsideShowOnlyTheOutside)
{
    GeometricRun run(200, 100);
    ASSERT_EQ(1, run.engine.DoQuarterTransition(CTransitionManager::functionQuarterCircleInOut, 0, 0, 0));
    // c = 10: radius sqrt(125) = 11; row 0 is outside, the centre rows 49
    // and 50 hold 89..110, row 40 (5 wide) 95..104.
    for (int x = 0; x < 200; x++)
    {
        ASSERT_TRUE(run.Shows(10, x, 0, x, 0, OldTag));
        ASSERT_TRUE(run.Shows(10, x, 50, x, 50, x >= 89 && x < 111 ? NewTag : OldTag)) << x;
        ASSERT_TRUE(run.Shows(10, x, 49, x, 49, x >= 89 && x < 111 ? NewTag : OldTag)) << x;
        ASSERT_TRUE(run.Shows(10, x, 40, x, 40, x >= 95 && x < 105 ? NewTag : OldTag)) << x;
    }
}

TEST(ShapeFunctions, HalfShapes)
{
    EXPECT_EQ(101, CTransitionManager::functionHalfShutLeftRight(3, 100, 50, 0, 2.0));
    EXPECT_EQ(0, CTransitionManager::functionHalfShutLeftRight(3, 100, 50, 50, 2.0));
    EXPECT_EQ(-101, CTransitionManager::functionHalfShutLeftRight(3, 100, 50, 100, 2.0));
    EXPECT_EQ(0, CTransitionManager::functionHalfTurnLeftRight(10, 100, 50, 50, 2.0));
    EXPECT_EQ(79, CTransitionManager::functionHalfTurnLeftRight(10, 100, 50, 25, 2.0));
    EXPECT_EQ(-79, CTransitionManager::functionHalfTurnLeftRight(10, 100, 50, 75, 2.0));
    // Near-vertical tangent: far off the canvas, finite.
    EXPECT_GT(CTransitionManager::functionHalfTurnLeftRight(0, 100, 50, 0, 2.0), 1000000);
    EXPECT_LT(CTransitionManager::functionHalfTurnLeftRight(0, 100, 50, 100, 2.0), -1000000);
    EXPECT_EQ(0, CTransitionManager::functionHalfTurnLeftRight(0, 100, 0, 0, 2.0));
}

TEST(ShapeFunctions, QuarterBandsAndSquares)
{
    EXPECT_EQ(37, CTransitionManager::functionQuarterShutHorz(7, 100, 50, 37, 2.0));
    EXPECT_EQ(0, CTransitionManager::functionQuarterShutVert(25, 100, 50, 50, 2.0));
    EXPECT_EQ(100, CTransitionManager::functionQuarterShutVert(26, 100, 50, 50, 2.0));
    EXPECT_EQ(0, CTransitionManager::functionQuarterShutVert(0, 100, 50, 100, 2.0));
    EXPECT_EQ(50, CTransitionManager::functionQuarter2SquaresInOut(25, 100, 50, 50, 2.0));
    EXPECT_EQ(0, CTransitionManager::functionQuarter2SquaresInOut(26, 100, 50, 50, 2.0));
    EXPECT_EQ(50, CTransitionManager::functionQuarterSquareInOut(25, 100, 50, 50, 2.0));
    EXPECT_EQ(0, CTransitionManager::functionQuarterSquareInOut(24, 100, 50, 50, 2.0));
}

TEST(ShapeFunctions, QuarterTangents)
{
    EXPECT_EQ(0, CTransitionManager::functionQuarterTurnDownUp(0, 100, 50, 0, 2.0));
    EXPECT_EQ(99, CTransitionManager::functionQuarterTurnDownUp(0, 100, 50, 50, 2.0));
    EXPECT_EQ(49, CTransitionManager::functionQuarterTurnDownUp(25, 100, 50, 50, 2.0));
    EXPECT_EQ(9, CTransitionManager::functionQuarterDiamondInOut(10, 100, 50, 50, 2.0));
    EXPECT_GT(CTransitionManager::functionQuarterDiamondInOut(10, 100, 50, 100, 2.0), 1000000);
}

TEST(ShapeFunctions, Circles)
{
    EXPECT_EQ(0, CTransitionManager::functionQuarterCircleInOut(0, 100, 50, 10, 2.0));
    EXPECT_EQ(11, CTransitionManager::functionQuarterCircleInOut(50, 100, 50, 10, 2.0));
    EXPECT_EQ(11, CTransitionManager::functionQuarter2UDCirclesInOut(0, 100, 50, 10, 0.5));
    EXPECT_EQ(16, CTransitionManager::functionQuarter2UDCirclesInOut(0, 100, 50, 10, 1.5));
    EXPECT_EQ(22, CTransitionManager::functionQuarter2UDCirclesInOut(0, 100, 50, 10, 3.0));
    EXPECT_EQ(0, CTransitionManager::functionQuarter2UDCirclesInOut(20, 100, 50, 10, 3.0));
    EXPECT_EQ(100, CTransitionManager::functionQuarter2RLCirclesInOut(0, 100, 50, 100, 1.0));
    EXPECT_EQ(0, CTransitionManager::functionQuarter2RLCirclesInOut(0, 100, 50, 0, 1.0));
    EXPECT_EQ(74, CTransitionManager::functionQuarter2RLCirclesInOut(0, 100, 50, 50, 1.0));
    EXPECT_EQ(149, CTransitionManager::functionQuarter2RLCirclesInOut(0, 100, 50, 50, 2.0));
}

TEST(QuarterTransition, FluctuationMovesTheBandEdgeInEveryMode)
{
    for (int mode = 0; mode < 3; mode++)
    {
        GeometricRun run(120, 60);
        ASSERT_EQ(1, run.engine.DoQuarterTransition(CTransitionManager::functionQuarterShutHorz, 40, mode, 0));
        int moved = 0;
        for (int n = 0; n <= 100; n++)
            for (int i = 0; i < 30; i++)
            {
                int left = 60 - CTransitionManager::functionQuarterShutHorz(i, 60, 30, n, 2.0) -
                           run.engine.fluctuation(mode, 40, i, 30, n);
                left = left < 0 ? 0 : left > 60 ? 60 : left;
                moved += left != 60 - 60 * n / 100;
                int right = 120 - left;
                if (right - left == 1)
                    right = left;
                for (int row : {i, 59 - i})
                    for (int x = 0; x < 120; x++)
                        ASSERT_TRUE(run.Shows(n, x, row, x, row, x >= left && x < right ? NewTag : OldTag))
                            << mode << " " << n << " " << i << " " << x;
            }
        EXPECT_GT(moved, 0) << mode;
    }
}

// Every frame, not just chosen ones: frames are built on the previous one, so
// a column left stale would show here.
TEST(HalfTransition, EveryFrameFollowsTheWobblingEdge)
{
    GeometricRun run(90, 41);
    ASSERT_EQ(1, run.engine.DoHalfTransition(CTransitionManager::functionHalfTurnLeftRight, 25, 2, 1));
    for (int n = 0; n <= 100; n++)
        for (int i = 0; i <= 20; i++)
        {
            int o = CTransitionManager::functionHalfTurnLeftRight(i, 45, 20, 100 - n, 2.0) +
                    run.engine.fluctuation(2, 25, i, 20, n) + 45;
            o = o < 0 ? 0 : o > 90 ? 90 : o;
            for (int x = 0; x < 90; x++)
            {
                if (i != 40 - i)
                {
                    ASSERT_TRUE(run.Shows(n, x, i, x, i, x < o ? NewTag : OldTag)) << n << " " << i << " " << x;
                }
                ASSERT_TRUE(run.Shows(n, x, 40 - i, x, 40 - i, x >= 90 - o ? NewTag : OldTag)) << n << " " << i;
            }
        }
}

TEST(PointTransition, EveryFrameOfASlideFromTheFarCorner)
{
    ScriptedRandom random;
    random.Push({5});
    GeometricRun run(70, 30);
    ASSERT_EQ(1, run.engine.DoPointTransition(true, 0, 0));
    for (int s = 0; s <= 100; s++)
    {
        int X = (int)(70 + s * ((0 - 70) * 0.01)), Y = (int)(30.0 + s * ((0 - 30) * 0.01));
        for (int y = 0; y < 30; y++)
            for (int x = 0; x < 70; x++)
            {
                if (x >= X && y >= Y)
                    ASSERT_TRUE(run.Shows(s, x, y, x - X, y - Y, NewTag)) << s << " " << x << "," << y;
                else
                    ASSERT_TRUE(run.Shows(s, x, y, x, y, OldTag)) << s << " " << x << "," << y;
            }
    }
}

TEST(CurveTransition, EveryFrameFollowsTheWobblingCurve)
{
    ScriptedRandom random;
    random.Push({1, 1}); // curve 1, k = 0.2
    GeometricRun run(80, 50);
    ASSERT_EQ(1, run.engine.DoCurveTransition(false, true, 20, 0));
    for (int c = 0; c <= 100; c++)
        for (int r = 0; r < 50; r++)
        {
            double F = run.engine.fluctuation(0, 20, r, 50, c), B = c * 80 / 100, D = (100 - c) * c;
            int g = (int)(F + B - D * r * ((1 % 3 + 1) * 0.1) / 50);
            g = g < 0 ? 0 : g > 80 ? 80 : g;
            for (int x = 0; x < 80; x++)
                ASSERT_TRUE(run.Shows(c, x, r, x, r, x < g ? NewTag : OldTag)) << c << " " << r << " " << x;
        }
}
