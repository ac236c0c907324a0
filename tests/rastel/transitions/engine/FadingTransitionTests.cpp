// The fading effects: frame counts, blend rounding, the window order, the
// random passes with a scripted random source, and their parameters.
#include <gtest/gtest.h>
#include <string.h>

#include "EngineProbe.h"

namespace
{
typedef int (CEngineProbe::*Effect)();

struct NamedEffect
{
    const char* name;
    Effect effect;
    int frames;
};

const NamedEffect Effects[] = {
    {"Transparent", &CEngineProbe::DoFadingTransparentTransition, 64},
    {"AirBrush", &CEngineProbe::DoFadingAirBrushTransition, 48},
    {"Window", &CEngineProbe::DoFadingWindowTransition, 32},
    {"Color", &CEngineProbe::DoFadingColorTransition, 128},
    {"Blur", &CEngineProbe::DoFadingBlurTransition, 48},
    {"Brush", &CEngineProbe::DoFadingBrushTransition, 48},
    {"ShiftColors", &CEngineProbe::DoShiftColorsTransition, 32},
    {"Negative", &CEngineProbe::DoFadingNegativeTransition, 32},
    {"Grayscale", &CEngineProbe::DoFadingGrayscaleTransition, 128},
    {"Mosaic", &CEngineProbe::DoMosaicTransition, 32},
};

// A picture whose pixel p holds (p mod 256, p / 256, tag).
CRgbBuffer IndexPicture(int width, int height, BYTE tag)
{
    CRgbBuffer picture(width, height);
    for (int p = 0; p < width * height; p++)
    {
        picture.m_Buffer[3 * p] = (BYTE)p;
        picture.m_Buffer[3 * p + 1] = (BYTE)(p >> 8);
        picture.m_Buffer[3 * p + 2] = tag;
    }
    return picture;
}

int IndexOf(const BYTE* pixel)
{
    return pixel[0] + 256 * pixel[1];
}
} // namespace

TEST(FadingFrames, EachEffectDeliversItsFrameCountAndWorksInPlace)
{
    for (const NamedEffect& e : Effects)
    {
        CEngineProbe engine;
        FrameRecorder recorder;
        recorder.keep = false;
        CRgbBuffer* seen = nullptr;
        recorder.inspect = [&](int, const CRgbBuffer* frame) { seen = (CRgbBuffer*)frame; };
        engine.Prepare(UniformPicture(23, 11, 250, 5, 128), UniformPicture(23, 11, 3, 200, 60),
                       FrameRecorder::Callback, &recorder);
        EXPECT_EQ(1, (engine.*e.effect)()) << e.name;
        EXPECT_EQ(e.frames, recorder.frames) << e.name;
        EXPECT_EQ(engine.From(), seen) << e.name;
    }
}

TEST(FadingFrames, CancelAfterOneFrameStopsEveryEffect)
{
    for (const NamedEffect& e : Effects)
    {
        CEngineProbe engine;
        FrameRecorder recorder;
        recorder.cancelAfter = 1;
        engine.Prepare(UniformPicture(9, 9, 1, 2, 3), UniformPicture(9, 9, 4, 5, 6), FrameRecorder::Callback,
                       &recorder);
        EXPECT_EQ(0, (engine.*e.effect)()) << e.name;
        EXPECT_EQ(1, recorder.frames) << e.name;
    }
}

TEST(FadingFrames, CancelInTheLastPhaseStopsThere)
{
    CEngineProbe engine;
    FrameRecorder recorder;
    recorder.keep = false;
    recorder.cancelAfter = 100;
    engine.Prepare(UniformPicture(9, 9, 1, 2, 3), UniformPicture(9, 9, 4, 5, 6), FrameRecorder::Callback, &recorder);
    EXPECT_EQ(0, engine.DoFadingGrayscaleTransition());
    EXPECT_EQ(100, recorder.frames);
}

TEST(FadingBlend, TransparentRoundsTowardMinusInfinity)
{
    CEngineProbe engine;
    FrameRecorder recorder;
    CRgbBuffer from = UniformPicture(4, 3, 255, 0, 200);
    CRgbBuffer to = UniformPicture(4, 3, 0, 255, 200);
    engine.Prepare(from, to, FrameRecorder::Callback, &recorder);
    ASSERT_EQ(1, engine.DoFadingTransparentTransition());
    EXPECT_EQ(255, recorder.Pixel(0, 0, 0)[0]);
    EXPECT_EQ(127, recorder.Pixel(32, 1, 2)[0]);
    EXPECT_EQ(3, recorder.Pixel(63, 3, 1)[0]);
    EXPECT_EQ(3, recorder.Pixel(1, 0, 0)[1]);   // floor(255 / 64)
    EXPECT_EQ(251, recorder.Pixel(63, 0, 0)[1]); // floor(63 * 255 / 64)
    EXPECT_EQ(200, recorder.Pixel(40, 2, 2)[2]);
}

TEST(FadingBlend, ColorFadeSecondPhaseStartsFromTheLevel)
{
    CEngineProbe engine;
    FrameRecorder recorder;
    engine.Prepare(IndexPicture(16, 8, 77), UniformPicture(16, 8, 240, 10, 99), FrameRecorder::Callback, &recorder, 2.0);
    ASSERT_EQ(1, engine.DoFadingColorTransition());
    ASSERT_EQ(128, recorder.frames);
    for (BYTE b : recorder.kept[64])
        ASSERT_EQ(2, b);
    // Frame 63 is 63/64 of the way from the picture to 2: byte 77 -> 77 + floor(63 * -75 / 64) = 3.
    EXPECT_EQ(3, recorder.Pixel(63, 5, 5)[2]);
    // Parameter 258.7 keeps its low byte, 2.
    CEngineProbe other;
    FrameRecorder second;
    other.Prepare(IndexPicture(4, 4, 9), UniformPicture(4, 4, 1, 1, 1), FrameRecorder::Callback, &second, 258.7);
    ASSERT_EQ(1, other.DoFadingColorTransition());
    EXPECT_EQ(2, second.Pixel(64, 1, 1)[1]);
}

TEST(FadingBlend, GrayscaleStagesUseWeightedThenMeanGrey)
{
    CEngineProbe engine;
    FrameRecorder recorder;
    engine.Prepare(UniformPicture(3, 2, 100, 50, 200), UniformPicture(3, 2, 30, 60, 91), FrameRecorder::Callback, &recorder);
    ASSERT_EQ(1, engine.DoFadingGrayscaleTransition());
    // Weighted grey of (100, 50, 200) is 82; frame 31 is 31/32 of the way.
    const BYTE* p = recorder.Pixel(31, 1, 1);
    EXPECT_EQ(82, p[0]);
    EXPECT_EQ(81, p[1]);
    EXPECT_EQ(85, p[2]);
    // The second stage starts from that state and heads for the target's
    // plain mean, (30 + 60 + 91) / 3 = 60: frame 95 = x + floor(63 * (60 - x) / 64).
    p = recorder.Pixel(32, 0, 0);
    EXPECT_EQ(82, p[0]);
    p = recorder.Pixel(95, 0, 0);
    EXPECT_EQ(60, p[0]); // 82 + floor(63 * -22 / 64) = 82 - 22
    EXPECT_EQ(60, p[1]); // 81 + floor(63 * -21 / 64) = 81 - 21
    // The last stage ends 31/32 of the way to the target.
    const BYTE* last = recorder.Pixel(127, 2, 1);
    const BYTE* stage = recorder.Pixel(96, 2, 1);
    for (int c = 0; c < 3; c++)
    {
        int a = stage[c], b = (c == 0 ? 30 : c == 1 ? 60 : 91), d = 31 * (b - a);
        EXPECT_EQ(a + (d >= 0 ? d / 32 : -((-d + 31) / 32)), last[c]) << c;
    }
}

TEST(FadingWindow, ThirtyTwoPixelRowIsReplacedInWindowOrder)
{
    CEngineProbe engine;
    FrameRecorder recorder;
    CRgbBuffer from = IndexPicture(32, 1, 1);
    CRgbBuffer to = IndexPicture(32, 1, 2);
    engine.Prepare(from, to, FrameRecorder::Callback, &recorder);
    ASSERT_EQ(1, engine.DoFadingWindowTransition());
    ASSERT_EQ(32, recorder.frames);
    for (int f = 0; f < 32; f++)
    {
        int replacedNow = f == 0 ? 0 : 32 - f;
        for (int p = 0; p < 32; p++)
        {
            // Replaced by frame f: pixel 0 at frame 0, then 31, 30, ... 32 - f.
            bool replaced = p == 0 || p >= 32 - f;
            ASSERT_EQ(replaced ? 2 : 1, recorder.Pixel(f, p, 0)[2]) << f << " " << p;
        }
        (void)replacedNow;
    }
    EXPECT_EQ(0, memcmp(engine.From()->m_Buffer, to.m_Buffer, 32 * 3));
}

TEST(FadingRandom, ShiftColorsShiftsTheTargetByTheParameterBytes)
{
    for (double parameter : {1.0, 1.5, 2.0, 7.0})
    {
        int shift = parameter == 1.0 ? 1 : 2;
        ScriptedRandom random;
        random.SetConstant(0); // every pixel is chosen
        CEngineProbe engine;
        FrameRecorder recorder;
        CRgbBuffer to = IndexPicture(10, 3, 50);
        engine.Prepare(UniformPicture(10, 3, 9, 9, 9), to, FrameRecorder::Callback, &recorder, parameter);
        ASSERT_EQ(1, engine.DoShiftColorsTransition());
        ASSERT_EQ(32, recorder.frames);
        for (int p = 0; p < 28; p++)
            ASSERT_EQ(0, memcmp(recorder.kept[0].data() + 3 * p, to.m_Buffer + 3 * p + shift, 3)) << parameter << " " << p;
        // The range ends at N - 3: the last two pixels wait for the second phase.
        EXPECT_EQ(9, recorder.kept[0][3 * 28]);
        EXPECT_EQ(0, memcmp(engine.From()->m_Buffer, to.m_Buffer, 30 * 3));
    }
}

TEST(FadingRandom, NegativeShowsTheTargetsNegativeFirst)
{
    ScriptedRandom random;
    random.SetConstant(0);
    CEngineProbe engine;
    FrameRecorder recorder;
    engine.Prepare(UniformPicture(5, 5, 0, 0, 0), UniformPicture(5, 5, 10, 100, 255), FrameRecorder::Callback, &recorder);
    ASSERT_EQ(1, engine.DoFadingNegativeTransition());
    const BYTE* p = recorder.Pixel(0, 4, 4);
    EXPECT_EQ(245, p[0]);
    EXPECT_EQ(155, p[1]);
    EXPECT_EQ(0, p[2]);
    EXPECT_EQ(10, recorder.Pixel(16, 4, 4)[0]);
}

TEST(FadingRandom, MosaicNoiseIsTheDrawModuloTheParameter)
{
    ScriptedRandom random;
    // Pixel 0 is chosen (0), its bytes draw 7, 8, 9; then nothing is chosen.
    random.Push({0, 7, 8, 9});
    random.SetConstant(1);
    CEngineProbe engine;
    FrameRecorder recorder;
    engine.Prepare(UniformPicture(4, 2, 100, 100, 100), UniformPicture(4, 2, 0, 0, 0), FrameRecorder::Callback, &recorder, 2.0);
    ASSERT_EQ(1, engine.DoMosaicTransition());
    const BYTE* p = recorder.Pixel(0, 0, 0);
    EXPECT_EQ(1, p[0]);
    EXPECT_EQ(0, p[1]);
    EXPECT_EQ(1, p[2]);
    EXPECT_EQ(100, recorder.Pixel(0, 1, 0)[0]);
}

TEST(FadingRandom, BrushReachDependsOnTheCanvasSize)
{
    // With every draw 0 each smeared pixel p takes copy pixel p - r.
    for (auto size : {std::make_pair(20, 20), std::make_pair(40, 30), std::make_pair(10, 10), std::make_pair(20, 3)})
    {
        int N = size.first * size.second;
        int r = N / 20 < 20 ? N / 20 : 20;
        ScriptedRandom random;
        random.SetConstant(0);
        CEngineProbe engine;
        FrameRecorder recorder;
        engine.Prepare(IndexPicture(size.first, size.second, 1), IndexPicture(size.first, size.second, 2),
                       FrameRecorder::Callback, &recorder);
        ASSERT_EQ(1, engine.DoFadingBrushTransition());
        ASSERT_EQ(48, recorder.frames);
        const std::vector<BYTE>& first = recorder.kept[0];
        EXPECT_EQ(0, IndexOf(&first[0]));
        EXPECT_EQ(N - 1, IndexOf(&first[3 * (N - 1)])) << N;
        for (int p = r; p < N - r; p++)
            ASSERT_EQ(p - r, IndexOf(&first[3 * p])) << N << " " << p;
    }
}

TEST(FadingRandom, BrushOnFewerThanTwentyPixelsOnlyReplaces)
{
    ScriptedRandom random;
    random.SetConstant(0);
    CEngineProbe engine;
    FrameRecorder recorder;
    CRgbBuffer from = IndexPicture(19, 1, 1);
    CRgbBuffer to = IndexPicture(19, 1, 2);
    engine.Prepare(from, to, FrameRecorder::Callback, &recorder);
    ASSERT_EQ(1, engine.DoFadingBrushTransition());
    ASSERT_EQ(48, recorder.frames);
    for (int f = 0; f < 24; f++)
        ASSERT_EQ(0, memcmp(recorder.kept[f].data(), from.m_Buffer, 19 * 3)) << f;
    EXPECT_EQ(0, memcmp(recorder.kept[24].data(), to.m_Buffer, 19 * 3));
}

TEST(FadingRandom, BlurAveragesWithTheDrawnSnapshotPixel)
{
    ScriptedRandom random;
    // Pixel 0 is chosen and averages with snapshot pixel 3; pixel 1 is not chosen.
    random.Push({0, 3, 1});
    random.SetConstant(1);
    CEngineProbe engine;
    FrameRecorder recorder;
    CRgbBuffer from = UniformPicture(4, 1, 0, 0, 0);
    from.m_Buffer[9] = 201;
    from.m_Buffer[10] = 100;
    from.m_Buffer[11] = 7;
    from.m_Buffer[0] = 10;
    engine.Prepare(from, UniformPicture(4, 1, 50, 50, 50), FrameRecorder::Callback, &recorder);
    ASSERT_EQ(1, engine.DoFadingBlurTransition());
    const BYTE* p = recorder.Pixel(0, 0, 0);
    EXPECT_EQ(105, p[0]); // (10 + 201) / 2
    EXPECT_EQ(50, p[1]);
    EXPECT_EQ(3, p[2]);
    EXPECT_EQ(0, recorder.Pixel(0, 1, 0)[0]);
}

TEST(FadingRandom, AirBrushDrawsItsDivisorEachFrame)
{
    ScriptedRandom random;
    // Divisor 3 % 7 + 5 = 8; the pixel draws 8, 1, 16, 9 choose pixels 0 and 2.
    random.Push({3, 8, 1, 16, 9});
    random.SetConstant(1);
    CEngineProbe engine;
    FrameRecorder recorder;
    engine.Prepare(UniformPicture(4, 1, 0, 0, 0), UniformPicture(4, 1, 9, 9, 9), FrameRecorder::Callback, &recorder);
    ASSERT_EQ(1, engine.DoFadingAirBrushTransition());
    EXPECT_EQ(9, recorder.Pixel(0, 0, 0)[0]);
    EXPECT_EQ(0, recorder.Pixel(0, 1, 0)[0]);
    EXPECT_EQ(9, recorder.Pixel(0, 2, 0)[0]);
    EXPECT_EQ(0, recorder.Pixel(0, 3, 0)[0]);
}

TEST(FadingRandom, EmptyRangesStillDeliverTheFrames)
{
    for (Effect effect : {&CEngineProbe::DoShiftColorsTransition, &CEngineProbe::DoMosaicTransition})
    {
        CEngineProbe engine;
        FrameRecorder recorder;
        engine.Prepare(UniformPicture(2, 1, 1, 1, 1), UniformPicture(2, 1, 2, 2, 2), FrameRecorder::Callback, &recorder);
        EXPECT_EQ(1, (engine.*effect)());
        EXPECT_EQ(32, recorder.frames);
    }
}
