// The engine: table of kinds, kind choice from the mask, canvases, frame
// contract, cancellation, fluctuation and the order of the random draws.
#include <gtest/gtest.h>
#include <string.h>
#include <time.h>

#include "EngineProbe.h"

namespace
{
const BYTE OldTag = 1, NewTag = 2;

int RunMask(UINT mask, FrameRecorder& recorder, int width = 40, int height = 30, int amplitude = 0)
{
    CRgbBuffer from = PositionPicture(width, height, OldTag);
    CRgbBuffer to = PositionPicture(width, height, NewTag);
    CTransitionManager manager;
    return manager.Run(&from, &to, mask, FrameRecorder::Callback, &recorder, 2.0, amplitude);
}

// Every pixel of every frame is the old or the new picture's pixel of the same
// position (true of the uncovering kinds without sliding).
bool FramesAreInPlaceMixtures(const FrameRecorder& recorder)
{
    for (int f = 0; f < recorder.frames; f++)
        for (int y = 0; y < recorder.height; y++)
            for (int x = 0; x < recorder.width; x++)
            {
                const BYTE* p = recorder.Pixel(f, x, y);
                if (p[0] != x || p[1] != y || (p[2] != OldTag && p[2] != NewTag))
                    return false;
            }
    return true;
}
} // namespace

TEST(TransitionTable, ThirteenKindsInChooserOrder)
{
    const char* names[] = {"Fading", "Slider", "Shutter", "Slider advanced", "Shutter advanced",
                           "Turn left/right", "Shut left/right", "Shut vertical", "Shut horizontal",
                           "Turn", "Diamond", "Square", "Circle"};
    for (int i = 0; i < 13; i++)
    {
        EXPECT_EQ(i, CTransitionManager::m_Transitions[i].id);
        EXPECT_STREQ(names[i], CTransitionManager::m_Transitions[i].name);
        EXPECT_EQ(i == 0 ? 0 : 1, CTransitionManager::m_Transitions[i].flag);
    }
}

TEST(TransitionRun, MaskSixteenAlwaysRunsShutterAdvanced)
{
    // Shutter advanced uncovers in place along one edge per row: every row is
    // a run of one picture followed by a run of the other, the new one on the
    // same side in all rows.
    for (int run = 0; run < 12; run++)
    {
        FrameRecorder recorder;
        ASSERT_EQ(1, RunMask(16, recorder));
        ASSERT_EQ(101, recorder.frames);
        ASSERT_TRUE(FramesAreInPlaceMixtures(recorder));
        int leftNew = 0, rightNew = 0;
        for (int f = 0; f < recorder.frames; f++)
            for (int y = 0; y < recorder.height; y++)
            {
                int changes = 0;
                for (int x = 1; x < recorder.width; x++)
                    changes += recorder.Pixel(f, x, y)[2] != recorder.Pixel(f, x - 1, y)[2];
                ASSERT_LE(changes, 1);
                leftNew += recorder.Pixel(f, 0, y)[2] == NewTag && recorder.Pixel(f, recorder.width - 1, y)[2] == OldTag;
                rightNew += recorder.Pixel(f, 0, y)[2] == OldTag && recorder.Pixel(f, recorder.width - 1, y)[2] == NewTag;
            }
        EXPECT_TRUE(leftNew == 0 || rightNew == 0);
    }
}

TEST(TransitionRun, ScriptedDrawsPickTheFirstAllowedKind)
{
    ScriptedRandom random;
    // Kind draws 0..3 are refused by mask 16; 17 mod 13 = 4 is taken.
    random.Push({0, 1, 2, 3, 17});
    // dir 1 (from the left), sign, strength, share, mode; then curve 0, k = 0.1.
    random.Push({1, 0, 0, 0, 0, 0, 0});
    FrameRecorder recorder;
    ASSERT_EQ(1, RunMask(16, recorder, 200, 100, 0));
    ASSERT_EQ(101, recorder.frames);
    EXPECT_EQ(0u, ScriptedRandom::Remaining());
    // Curve 0 at c = 50: edge = trunc(2500 * r * 0.1 / 100 + 100), clamped.
    for (int r : {0, 10, 20, 39, 40, 99})
    {
        int edge = (int)(2500.0 * r * 0.1 / 100 + 100);
        if (edge > 200)
            edge = 200;
        if (edge > 0)
        {
            EXPECT_EQ(NewTag, recorder.Pixel(50, edge - 1, r)[2]) << r;
        }
        if (edge < 200)
        {
            EXPECT_EQ(OldTag, recorder.Pixel(50, edge, r)[2]) << r;
        }
    }
}

TEST(TransitionRun, MaskWithoutKnownBitsRunsNothing)
{
    FrameRecorder recorder;
    EXPECT_EQ(0, RunMask(1u << 13, recorder));
    EXPECT_EQ(0, RunMask(0xFFFFE000u, recorder));
    EXPECT_EQ(0, RunMask(0, recorder));
    EXPECT_EQ(0, recorder.frames);
}

TEST(TransitionRun, MaskWithoutKnownBitsStillBuildsTheCanvases)
{
    CRgbBuffer from = UniformPicture(10, 6, 9, 9, 9);
    CRgbBuffer to = UniformPicture(4, 8, 7, 7, 7);
    CEngineProbe manager;
    FrameRecorder recorder;
    EXPECT_EQ(0, manager.Run(&from, &to, 1u << 20, FrameRecorder::Callback, &recorder, 2.0, 0));
    ASSERT_NE(nullptr, manager.From());
    EXPECT_EQ(10, manager.From()->m_Width);
    EXPECT_EQ(8, manager.To()->m_Height);
}

TEST(TransitionRun, NullCallbackOrNoPixelsRunsNothing)
{
    CRgbBuffer picture = UniformPicture(8, 8, 1, 2, 3);
    CRgbBuffer empty;
    CTransitionManager manager;
    FrameRecorder recorder;
    EXPECT_EQ(0, manager.Run(&picture, &picture, 0x1FFF, nullptr, &recorder, 2.0, 0));
    EXPECT_EQ(0, manager.Run(&empty, &empty, 0x1FFF, FrameRecorder::Callback, &recorder, 2.0, 0));
    EXPECT_EQ(0, recorder.frames);
}

TEST(TransitionRun, PicturesOfDifferentSizesAreCentredOnBlack)
{
    CRgbBuffer from = UniformPicture(100, 50, 200, 200, 200);
    CRgbBuffer to = UniformPicture(40, 80, 100, 100, 100);
    CEngineProbe manager;
    FrameRecorder recorder;
    recorder.keep = false;
    ASSERT_EQ(1, manager.Run(&from, &to, 1u << 8, FrameRecorder::Callback, &recorder, 2.0, 0));
    EXPECT_EQ(100, recorder.width);
    EXPECT_EQ(80, recorder.height);
    const CRgbBuffer* f = manager.From();
    const CRgbBuffer* t = manager.To();
    ASSERT_EQ(100, f->m_Width);
    ASSERT_EQ(80, f->m_Height);
    ASSERT_EQ(100, t->m_Width);
    ASSERT_EQ(80, t->m_Height);
    for (int y = 0; y < 80; y++)
        for (int x = 0; x < 100; x++)
        {
            BYTE expectFrom = (y >= 15 && y < 65) ? 200 : 0;
            BYTE expectTo = (x >= 30 && x < 70) ? 100 : 0;
            ASSERT_EQ(expectFrom, f->m_Buffer[3 * (y * 100 + x) + 1]) << x << "," << y;
            ASSERT_EQ(expectTo, t->m_Buffer[3 * (y * 100 + x) + 2]) << x << "," << y;
        }
    // The caller's pictures are unchanged.
    EXPECT_EQ(100, from.m_Width);
    EXPECT_EQ(200, from.m_Buffer[0]);
}

TEST(TransitionRun, EmptyFromStartsFromBlack)
{
    CRgbBuffer empty;
    CRgbBuffer to = UniformPicture(12, 9, 255, 255, 255);
    FrameRecorder recorder;
    CTransitionManager manager;
    // Kind 8 with dir drawn 0 opens the new picture from the centre: frame 0
    // (c = 0) shows only the old, all-black canvas.
    ScriptedRandom random;
    random.Push({8, 0, 0, 0, 0, 0});
    ASSERT_EQ(1, manager.Run(&empty, &to, 1u << 8, FrameRecorder::Callback, &recorder, 2.0, 0));
    ASSERT_EQ(12, recorder.width);
    for (BYTE b : recorder.kept[0])
        ASSERT_EQ(0, b);
}

TEST(TransitionRun, EveryGeometricKindDeliversOneHundredAndOneFrames)
{
    for (int kind = 1; kind <= 12; kind++)
    {
        FrameRecorder recorder;
        recorder.keep = false;
        EXPECT_EQ(1, RunMask(1u << kind, recorder, 33, 17, 30)) << kind;
        EXPECT_EQ(101, recorder.frames) << kind;
        EXPECT_EQ(33, recorder.width);
        EXPECT_EQ(17, recorder.height);
    }
}

TEST(TransitionRun, CancelOnFirstFrameEndsEveryKindAfterOneCallback)
{
    for (int kind = 0; kind <= 12; kind++)
        for (int repeat = 0; repeat < (kind == 0 ? 20 : 2); repeat++)
        {
            FrameRecorder recorder;
            recorder.keep = false;
            recorder.cancelAfter = 1;
            EXPECT_EQ(0, RunMask(1u << kind, recorder, 20, 10, 30)) << kind;
            EXPECT_EQ(1, recorder.frames) << kind;
        }
}

TEST(TransitionRun, CancelLaterEndsAtThatFrame)
{
    FrameRecorder recorder;
    recorder.keep = false;
    recorder.cancelAfter = 37;
    EXPECT_EQ(0, RunMask(1u << 9, recorder));
    EXPECT_EQ(37, recorder.frames);
}

TEST(TransitionRun, SeedsFromTheTimeInSeconds)
{
    ScriptedRandom random;
    FrameRecorder recorder;
    recorder.keep = false;
    unsigned before = (unsigned)time(NULL);
    RunMask(1u << 2, recorder);
    unsigned after = (unsigned)time(NULL);
    ASSERT_EQ(1u, ScriptedRandom::Seeds().size());
    EXPECT_GE(ScriptedRandom::Seeds()[0], before);
    EXPECT_LE(ScriptedRandom::Seeds()[0], after);
}

TEST(TransitionRun, OneRowCanvasShowsTheTargetInEveryGeometricFrame)
{
    for (int kind = 1; kind <= 12; kind++)
        for (int height = 1; height <= 1; height++)
        {
            FrameRecorder recorder;
            CRgbBuffer from = PositionPicture(9, height, OldTag);
            CRgbBuffer to = PositionPicture(9, height, NewTag);
            CTransitionManager manager;
            ASSERT_EQ(1, manager.Run(&from, &to, 1u << kind, FrameRecorder::Callback, &recorder, 2.0, 30));
            ASSERT_EQ(101, recorder.frames);
            for (auto& frame : recorder.kept)
                EXPECT_EQ(0, memcmp(frame.data(), to.m_Buffer, frame.size())) << kind;
        }
}

TEST(TransitionRun, TinyCanvasesRunEveryKindToTheEnd)
{
    const int sizes[][2] = {{1, 1}, {1, 2}, {2, 2}, {3, 1}, {7, 3}, {1, 5}, {2, 41}};
    for (auto& size : sizes)
        for (int kind = 0; kind <= 12; kind++)
            for (int repeat = 0; repeat < (kind == 0 ? 15 : 3); repeat++)
            {
                FrameRecorder recorder;
                recorder.keep = false;
                EXPECT_EQ(1, RunMask(1u << kind, recorder, size[0], size[1], 30)) << kind;
                EXPECT_GE(recorder.frames, 32);
                EXPECT_LE(recorder.frames, 128);
            }
}

TEST(TransitionRun, CopiesOwnTheirCanvases)
{
    CRgbBuffer from = UniformPicture(5, 4, 1, 1, 1);
    CRgbBuffer to = UniformPicture(5, 4, 2, 2, 2);
    CEngineProbe* manager = new CEngineProbe;
    FrameRecorder recorder;
    manager->Run(&from, &to, 1u << 20, FrameRecorder::Callback, &recorder, 2.0, 0);
    CEngineProbe copy(*manager);
    ASSERT_NE(nullptr, copy.From());
    EXPECT_NE(manager->From(), copy.From());
    delete manager;
    EXPECT_EQ(2, copy.To()->m_Buffer[0]);
}

TEST(TransitionDraws, DrawOrderFixesDirectionAmplitudeAndMode)
{
    // Kind 6 (shut left/right) with dir 1, sign -1, strength 5, share 2,
    // mode 1: f = -1 * 5 * 2 * 3 = -30 with amplitude 3; the edge of row i in
    // frame n is clamp(shape(i, e, h, 100 - n) + fluctuation(1, -30, i, h, n) + e).
    ScriptedRandom random;
    random.Push({1, 1, 4, 2, 7});
    CEngineProbe manager;
    FrameRecorder recorder;
    CRgbBuffer from = PositionPicture(80, 40, OldTag);
    CRgbBuffer to = PositionPicture(80, 40, NewTag);
    manager.Prepare(from, to, FrameRecorder::Callback, &recorder, 2.0, 3);
    ASSERT_EQ(1, manager._RunTransition(TRANSITION_SHUT_LEFT_RIGHT));
    ASSERT_EQ(101, recorder.frames);
    for (int n : {10, 30, 60})
        for (int i : {0, 5, 19})
        {
            int edge = CTransitionManager::functionHalfShutLeftRight(i, 40, 20, 100 - n, 2.0) +
                       manager.fluctuation(1, -30, i, 20, n) + 40;
            edge = edge < 0 ? 0 : edge > 80 ? 80 : edge;
            // dir 1: P, left of the edge, is the new picture.
            if (edge > 0)
            {
                EXPECT_EQ(NewTag, recorder.Pixel(n, edge - 1, i)[2]) << n << " " << i;
            }
            if (edge < 80)
            {
                EXPECT_EQ(OldTag, recorder.Pixel(n, edge, i)[2]) << n << " " << i;
            }
        }
}

TEST(TransitionDraws, UnknownKindMakesItsDrawsAndRunsNothing)
{
    ScriptedRandom random;
    CEngineProbe manager;
    FrameRecorder recorder;
    CRgbBuffer picture = UniformPicture(4, 4, 0, 0, 0);
    manager.Prepare(picture, picture, FrameRecorder::Callback, &recorder);
    EXPECT_EQ(0, manager._RunTransition((enumTransitionType)14));
    EXPECT_EQ(5, ScriptedRandom::Draws());
    EXPECT_EQ(0, recorder.frames);
}

TEST(Fluctuation, ZeroAmplitudeIsAlwaysZero)
{
    CEngineProbe probe;
    for (int mode = 0; mode < 4; mode++)
        for (int p = -5; p < 300; p += 17)
            for (int t = 0; t <= 100; t += 7)
                ASSERT_EQ(0, probe.fluctuation(mode, 0, p, 123, t));
}

TEST(Fluctuation, GoldenValues)
{
    CEngineProbe probe;
    for (int t = 0; t <= 100; t++)
        ASSERT_EQ(0, probe.fluctuation(2, 30, 0, 100, t));
    EXPECT_EQ(29, probe.fluctuation(1, 30, 0, 100, 25));
    EXPECT_EQ(14, probe.fluctuation(0, 30, 25, 100, 10));
    EXPECT_EQ(-16, probe.fluctuation(2, -30, 30, 100, 40));
    EXPECT_EQ(-4, probe.fluctuation(1, -17, 3, 7, 60));
    EXPECT_EQ(-376, probe.fluctuation(0, 1000, 13, 40, 33));
    // Mode 3 and beyond behave as mode 2.
    EXPECT_EQ(probe.fluctuation(2, 30, 30, 100, 40), probe.fluctuation(7, 30, 30, 100, 40));
}

TEST(Fluctuation, ZeroLengthGivesNoOffset)
{
    CEngineProbe probe;
    EXPECT_EQ(0, probe.fluctuation(1, 30, 0, 0, 25));
}
