// Frames per second of every transition kind (and of each fading effect) at
// 640 x 480 and 1920 x 1080, against the memory-copy bound measured in the
// same run (one W x H x 3 memcpy per frame), and the video writer's rate.
#include <windows.h>
#include <stdio.h>
#include <string.h>

#include <vector>

#include "AviFile.h"
#include "TransitionManager.h"

namespace
{
double Seconds()
{
    static LARGE_INTEGER frequency = {};
    if (!frequency.QuadPart)
        QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return (double)now.QuadPart / frequency.QuadPart;
}

int CountFrame(void* user, CRgbBuffer* frame)
{
    ++*(int*)user;
    return 1;
}

class CBenchEngine : public CTransitionManager
{
public:
    void Prepare(const CRgbBuffer& from, const CRgbBuffer& to, int* counter)
    {
        CleanUp();
        m_pFrom = new CRgbBuffer(from);
        m_pTo = new CRgbBuffer(to);
        m_pCallback = CountFrame;
        m_pUserData = counter;
        m_EffectParameter = 2.0;
        m_Amplitude = 30;
    }
    void RestoreFrom(const CRgbBuffer& from)
    {
        memcpy(m_pFrom->m_Buffer, from.m_Buffer, (size_t)from.m_Width * from.m_Height * 3);
    }
    int RunKind(int kind) { return _RunTransition((enumTransitionType)kind); }
    int RunFading(int index)
    {
        switch (index)
        {
        case 0: return DoFadingTransparentTransition();
        case 1: return DoFadingAirBrushTransition();
        case 2: return DoFadingWindowTransition();
        case 3: return DoFadingColorTransition();
        case 4: return DoFadingBlurTransition();
        case 5: return DoFadingBrushTransition();
        case 6: return DoShiftColorsTransition();
        case 7: return DoFadingNegativeTransition();
        case 8: return DoFadingGrayscaleTransition();
        default: return DoMosaicTransition();
        }
    }
};

void Paint(CRgbBuffer& picture, int seed)
{
    unsigned state = 1234u + seed;
    for (int y = 0; y < picture.m_Height; y++)
        for (int x = 0; x < picture.m_Width; x++)
        {
            BYTE* p = picture.m_Buffer + 3 * ((size_t)y * picture.m_Width + x);
            state = state * 1664525u + 1013904223u;
            p[0] = (BYTE)(x * 255 / picture.m_Width + seed * 40);
            p[1] = (BYTE)(y * 255 / picture.m_Height);
            p[2] = (BYTE)(state >> 27);
        }
}

// Copies of W x H x 3 bytes per second.
double CopyBound(int width, int height)
{
    size_t bytes = (size_t)width * height * 3;
    std::vector<BYTE> a(bytes, 1), b(bytes, 2);
    int copies = 0;
    double start = Seconds(), elapsed;
    do
    {
        memcpy(copies % 2 ? a.data() : b.data(), copies % 2 ? b.data() : a.data(), bytes);
        copies++;
        elapsed = Seconds() - start;
    } while (elapsed < 0.25 || copies < 20);
    return copies / elapsed;
}

struct Measure
{
    double fps;
    int frames;
};

Measure TimeKind(CBenchEngine& engine, const CRgbBuffer& from, int* counter, int kind, int runs)
{
    double busy = 0;
    int frames = 0;
    for (int r = 0; r < runs; r++)
    {
        engine.RestoreFrom(from);
        *counter = 0;
        double start = Seconds();
        engine.RunKind(kind);
        busy += Seconds() - start;
        frames += *counter;
    }
    Measure m = {frames / busy, frames};
    return m;
}

Measure TimeFading(CBenchEngine& engine, const CRgbBuffer& from, int* counter, int index)
{
    engine.RestoreFrom(from);
    *counter = 0;
    double start = Seconds();
    engine.RunFading(index);
    double busy = Seconds() - start;
    Measure m = {*counter / busy, *counter};
    return m;
}

void VideoRate(int width, int height)
{
    char folder[MAX_PATH], path[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    sprintf(path, "%spixmere-bench-%d.avi", folder, width);
    CRgbBuffer a(width, height), b(width, height);
    Paint(a, 0);
    Paint(b, 3);
    std::vector<HBITMAP> frames;
    // Transition-like frames: every one different.
    for (int i = 0; i < 30; i++)
    {
        CRgbBuffer frame(a);
        int split = (int)((long long)width * i / 30);
        for (int y = 0; y < height; y++)
            memcpy(frame.m_Buffer + (size_t)y * width * 3, b.m_Buffer + (size_t)y * width * 3, (size_t)split * 3);
        frames.push_back(frame.CreateBitmapFromRGB());
    }
    HBITMAP still = b.CreateBitmapFromRGB();
    double changing, repeated;
    {
        CAviFile writer(path, 15);
        writer.AppendNewFrame(still);
        double start = Seconds();
        int written = 0;
        for (int pass = 0; pass < 3; pass++)
            for (HBITMAP frame : frames)
                written += writer.AppendNewFrame(frame);
        changing = written / (Seconds() - start);
        start = Seconds();
        written = 0;
        for (int i = 0; i < 60; i++)
            written += writer.AppendNewFrame(still);
        repeated = written / (Seconds() - start);
    }
    for (HBITMAP frame : frames)
        DeleteObject(frame);
    DeleteObject(still);
    DeleteFileA(path);
    printf("| video %4d x %4d | changing frames %7.1f fps | repeated still frames %7.1f fps |\n", width, height,
           changing, repeated);
}
} // namespace

int main()
{
    const int sizes[2][2] = {{640, 480}, {1920, 1080}};
    const char* fadingNames[10] = {"Transparent", "AirBrush", "Window", "Color", "Blur",
                                   "Brush", "ShiftColors", "Negative", "Grayscale", "Mosaic"};
    srand(1);

    for (auto& size : sizes)
    {
        const int W = size[0], H = size[1];
        CRgbBuffer from(W, H), to(W, H);
        Paint(from, 0);
        Paint(to, 2);
        int counter = 0;
        CBenchEngine engine;
        engine.Prepare(from, to, &counter);
        // The machine is shared: the copy bound is measured again right
        // before each kind, so that both figures of a row see the same load.
        printf("\n%d x %d (%.2f MB per frame)\n", W, H, W * (double)H * 3 / 1e6);
        printf("| kind | name | frames/s | copy bound frames/s | ratio |\n|---|---|---|---|---|\n");
        for (int kind = 0; kind < TRANSITION_COUNT; kind++)
        {
            double bound = CopyBound(W, H);
            Measure m = TimeKind(engine, from, &counter, kind, kind == 0 ? 4 : 10);
            printf("| %2d | %-18s | %8.1f | %8.1f | %.3f |\n", kind, CTransitionManager::m_Transitions[kind].name,
                   m.fps, bound, m.fps / bound);
        }
        for (int e = 0; e < 10; e++)
        {
            double bound = CopyBound(W, H);
            Measure m = TimeFading(engine, from, &counter, e);
            printf("| 0 | fading %-11s | %8.1f | %8.1f | %.3f |\n", fadingNames[e], m.fps, bound, m.fps / bound);
        }
    }
    printf("\n");
    VideoRate(640, 480);
    VideoRate(1920, 1080);
    return 0;
}
