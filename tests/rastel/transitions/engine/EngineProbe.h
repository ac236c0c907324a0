// Test access to the transition engine: its protected effects and members, a
// scripted random source, a frame recorder and picture helpers.
#pragma once

#include <deque>
#include <functional>
#include <vector>

#include "TransitionManager.h"

// The engine with its effects and canvases opened up for tests.
class CEngineProbe : public CTransitionManager
{
public:
    using CTransitionManager::_RunTransition;
    using CTransitionManager::DoCurveTransition;
    using CTransitionManager::DoFadingAirBrushTransition;
    using CTransitionManager::DoFadingBlurTransition;
    using CTransitionManager::DoFadingBrushTransition;
    using CTransitionManager::DoFadingColorTransition;
    using CTransitionManager::DoFadingGrayscaleTransition;
    using CTransitionManager::DoFadingNegativeTransition;
    using CTransitionManager::DoFadingTransparentTransition;
    using CTransitionManager::DoFadingWindowTransition;
    using CTransitionManager::DoHalfTransition;
    using CTransitionManager::DoMosaicTransition;
    using CTransitionManager::DoPointTransition;
    using CTransitionManager::DoQuarterTransition;
    using CTransitionManager::DoShiftColorsTransition;
    using CTransitionManager::fluctuation;

    CRgbBuffer* From() const { return m_pFrom; }
    CRgbBuffer* To() const { return m_pTo; }

    // Installs copies of the two canvases (same size) and the frame callback,
    // as Run does before it runs an effect.
    void Prepare(const CRgbBuffer& from, const CRgbBuffer& to, TRANSITIONCALLBACK callback,
                 void* userData, double parameter = 2.0, int amplitude = 0)
    {
        CleanUp();
        m_pFrom = new CRgbBuffer(from);
        m_pTo = new CRgbBuffer(to);
        m_pCallback = callback;
        m_pUserData = userData;
        m_EffectParameter = parameter;
        m_Amplitude = amplitude;
    }
};

// Replaces the engine's random source for the life of the object: values are
// taken from the script first, then the constant (when set) or a fixed LCG.
class ScriptedRandom
{
public:
    ScriptedRandom() { Reset(); CTransitionManager::SetRandomSource(Next, Seed); }
    ~ScriptedRandom() { CTransitionManager::SetRandomSource(0, 0); Reset(); }

    void Push(std::initializer_list<int> values) { for (int v : values) Script().push_back(v); }
    void SetConstant(int value) { UseConstant() = true; Constant() = value; }
    static std::vector<unsigned>& Seeds() { static std::vector<unsigned> s; return s; }
    static int& Draws() { static int d; return d; }
    static size_t Remaining() { return Script().size(); }

private:
    static std::deque<int>& Script() { static std::deque<int> q; return q; }
    static bool& UseConstant() { static bool b; return b; }
    static int& Constant() { static int c; return c; }
    static unsigned& State() { static unsigned s; return s; }
    static void Reset() { Script().clear(); UseConstant() = false; State() = 12345; Seeds().clear(); Draws() = 0; }
    static int Next()
    {
        Draws()++;
        if (!Script().empty())
        {
            int v = Script().front();
            Script().pop_front();
            return v;
        }
        if (UseConstant())
            return Constant();
        State() = State() * 1103515245u + 12345u;
        return (State() >> 16) & 0x7FFF;
    }
    static void Seed(unsigned seed) { Seeds().push_back(seed); }
};

// Counts the frames it is given, keeps copies of them, and cancels after a set
// number when asked to.
struct FrameRecorder
{
    int frames = 0;
    int cancelAfter = -1;  // return 0 at this frame count
    bool keep = true;
    int width = 0, height = 0;
    std::vector<std::vector<BYTE>> kept;
    std::function<void(int index, const CRgbBuffer* frame)> inspect;

    static int Callback(void* user, CRgbBuffer* frame)
    {
        FrameRecorder* self = (FrameRecorder*)user;
        if (self->inspect)
            self->inspect(self->frames, frame);
        self->width = frame->m_Width;
        self->height = frame->m_Height;
        if (self->keep)
            self->kept.emplace_back(frame->m_Buffer, frame->m_Buffer + (size_t)frame->m_Width * frame->m_Height * 3);
        self->frames++;
        return self->cancelAfter == self->frames ? 0 : 1;
    }

    const BYTE* Pixel(int frame, int x, int y) const { return &kept[frame][3 * ((size_t)y * width + x)]; }
};

// A picture whose every pixel tells its position and picture: bytes (x, y, tag).
inline CRgbBuffer PositionPicture(int width, int height, BYTE tag)
{
    CRgbBuffer picture(width, height);
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++)
        {
            BYTE* p = picture.m_Buffer + 3 * (y * width + x);
            p[0] = (BYTE)x;
            p[1] = (BYTE)y;
            p[2] = tag;
        }
    picture.m_GrayScale = 0;
    return picture;
}

inline CRgbBuffer UniformPicture(int width, int height, BYTE r, BYTE g, BYTE b)
{
    CRgbBuffer picture(width, height);
    for (int i = 0; i < width * height; i++)
    {
        picture.m_Buffer[3 * i] = r;
        picture.m_Buffer[3 * i + 1] = g;
        picture.m_Buffer[3 * i + 2] = b;
    }
    return picture;
}
