// The transition engine: table of kinds, canvas building, the random draw of
// kind and variant, the fluctuation wobble and the frame delivery.
#include "TransitionManager.h"
#include "TransitionMath.h"

#include <math.h>
#include <stdlib.h>
#include <time.h>

using namespace TransitionMath;

TRANSITION CTransitionManager::m_Transitions[TRANSITION_COUNT] = {
    {0, "Fading", 0},
    {1, "Slider", 1},
    {2, "Shutter", 1},
    {3, "Slider advanced", 1},
    {4, "Shutter advanced", 1},
    {5, "Turn left/right", 1},
    {6, "Shut left/right", 1},
    {7, "Shut vertical", 1},
    {8, "Shut horizontal", 1},
    {9, "Turn", 1},
    {10, "Diamond", 1},
    {11, "Square", 1},
    {12, "Circle", 1},
};

namespace
{
int RuntimeRandom()
{
    return rand();
}

void RuntimeSeed(unsigned seed)
{
    srand(seed);
}

CTransitionManager::RANDOMSOURCE g_Random = RuntimeRandom;
CTransitionManager::RANDOMSEED g_Seed = RuntimeSeed;

// Fluctuation amplitudes beyond any canvas only risk integer overflow.
const long long MaxFluctuationAmplitude = 1000000;
} // namespace

void CTransitionManager::SetRandomSource(RANDOMSOURCE random, RANDOMSEED seed)
{
    g_Random = random ? random : RuntimeRandom;
    g_Seed = seed ? seed : RuntimeSeed;
}

int CTransitionManager::Random()
{
    return g_Random() & 0x7FFF;
}

CTransitionManager::CTransitionManager()
    : m_pFrom(0), m_pTo(0), m_pCallback(0), m_pUserData(0), m_EffectParameter(0.0), m_Amplitude(0)
{
}

CTransitionManager::CTransitionManager(const CTransitionManager& other)
    : m_pFrom(0), m_pTo(0), m_pCallback(0), m_pUserData(0), m_EffectParameter(0.0), m_Amplitude(0)
{
    *this = other;
}

CTransitionManager& CTransitionManager::operator=(const CTransitionManager& other)
{
    if (this == &other)
        return *this;
    CleanUp();
    // Each manager owns its canvases, so a copy gets canvases of its own.
    if (other.m_pFrom)
        m_pFrom = new CRgbBuffer(*other.m_pFrom);
    if (other.m_pTo)
        m_pTo = new CRgbBuffer(*other.m_pTo);
    m_pCallback = other.m_pCallback;
    m_pUserData = other.m_pUserData;
    m_EffectParameter = other.m_EffectParameter;
    m_Amplitude = other.m_Amplitude;
    return *this;
}

CTransitionManager::~CTransitionManager()
{
    CleanUp();
}

void CTransitionManager::CleanUp()
{
    delete m_pFrom;
    delete m_pTo;
    m_pFrom = 0;
    m_pTo = 0;
    m_pCallback = 0;
    m_pUserData = 0;
}

int CTransitionManager::Run(CRgbBuffer* from, CRgbBuffer* to, UINT transitionMask,
                            TRANSITIONCALLBACK callback, void* userData, double effectParameter,
                            int amplitude)
{
    g_Seed((unsigned)time(NULL));
    CleanUp();

    int kind = TRANSITION_NONE;
    UINT allowed = transitionMask & 0x1FFF;
    if (allowed)
    {
        int k;
        do
            k = Random() % TRANSITION_COUNT;
        while (!(allowed & (1u << k)));
        kind = k;
    }

    if (!callback || !from || !to)
        return 0;

    int width = 0, height = 0;
    if (from->IsImage())
    {
        width = from->m_Width;
        height = from->m_Height;
    }
    if (to->IsImage())
    {
        width = width > to->m_Width ? width : to->m_Width;
        height = height > to->m_Height ? height : to->m_Height;
    }
    if (width <= 0 || height <= 0)
        return 0;

    CRect canvas(0, 0, width, height);
    m_pTo = to->CreateRectAllRGB(canvas, 0);
    m_pFrom = from->CreateRectAllRGB(canvas, 0);
    if (!m_pTo || !m_pFrom || !m_pTo->IsImage() || !m_pFrom->IsImage() ||
        m_pTo->m_Width != width || m_pTo->m_Height != height || m_pFrom->m_Width != width ||
        m_pFrom->m_Height != height)
    {
        delete m_pFrom;
        delete m_pTo;
        m_pFrom = 0;
        m_pTo = 0;
        return 0;
    }

    m_pCallback = callback;
    m_pUserData = userData;
    m_EffectParameter = effectParameter;
    m_Amplitude = amplitude;
    return _RunTransition((enumTransitionType)kind);
}

int CTransitionManager::_RunTransition(enumTransitionType kind)
{
    int dir = Random() % 2;
    int sign = 1 - 2 * (Random() % 2);
    int strength = Random() % 10 + 1;
    int share = Random() % 3;
    long long f64 = (long long)sign * strength * share * (long long)m_Amplitude;
    if (f64 > MaxFluctuationAmplitude)
        f64 = MaxFluctuationAmplitude;
    if (f64 < -MaxFluctuationAmplitude)
        f64 = -MaxFluctuationAmplitude;
    int f = (int)f64;
    int mode = Random() % 3;

    if (!m_pFrom || !m_pTo || !m_pFrom->IsImage() || !m_pTo->IsImage())
        return 0;

    switch (kind)
    {
    case TRANSITION_FADING:
        switch (Random() % 10)
        {
        case 0: return DoFadingTransparentTransition();
        case 1: return DoFadingAirBrushTransition();
        case 2: return DoFadingColorTransition();
        case 3: return DoFadingNegativeTransition();
        case 4: return DoMosaicTransition();
        case 5: return DoShiftColorsTransition();
        case 6: return DoFadingGrayscaleTransition();
        case 7: return DoFadingBlurTransition();
        case 8: return DoFadingBrushTransition();
        default: return DoFadingWindowTransition();
        }
    case TRANSITION_SLIDER:
        return DoPointTransition(true, f / 3, mode);
    case TRANSITION_SHUTTER:
        return DoPointTransition(false, f / 3, mode);
    case TRANSITION_SLIDER_ADVANCED:
        return DoCurveTransition(true, dir != 0, f / 3, mode);
    case TRANSITION_SHUTTER_ADVANCED:
        return DoCurveTransition(false, dir != 0, f / 3, mode);
    case TRANSITION_TURN_LEFT_RIGHT:
        return DoHalfTransition(functionHalfTurnLeftRight, f, mode, dir);
    case TRANSITION_SHUT_LEFT_RIGHT:
        return DoHalfTransition(functionHalfShutLeftRight, f, mode, dir);
    case TRANSITION_SHUT_VERTICAL:
        return DoQuarterTransition(functionQuarterShutVert, f / 2, mode, dir);
    case TRANSITION_SHUT_HORIZONTAL:
        return DoQuarterTransition(functionQuarterShutHorz, f / 2, mode, dir);
    case TRANSITION_TURN:
        return DoQuarterTransition(functionQuarterTurnDownUp, f, mode, dir);
    case TRANSITION_DIAMOND:
        return DoQuarterTransition(functionQuarterDiamondInOut, f / 2, mode, dir);
    case TRANSITION_SQUARE:
        return DoQuarterTransition(Random() % 2 ? functionQuarterSquareInOut
                                                : functionQuarter2SquaresInOut,
                                   f / 2, mode, dir);
    case TRANSITION_CIRCLE:
    {
        int shape = Random() % 3;
        TRANSITIONSHAPE function = shape == 0   ? functionQuarterCircleInOut
                                   : shape == 1 ? functionQuarter2UDCirclesInOut
                                                : functionQuarter2RLCirclesInOut;
        return DoQuarterTransition(function, f, mode, dir);
    }
    default:
        return 0;
    }
}

int CTransitionManager::fluctuation(int mode, int amplitude, int position, int length, int step)
{
    if (amplitude == 0 || length <= 0)
        return 0;
    double x = position * 6.28318 / length;
    double y = step * 0.0628318;
    double v;
    switch (mode)
    {
    case 0: v = amplitude * sin(x) * sin(y) * cos(y); break;
    case 1: v = amplitude * sin(y) * (sin(x) + cos(x)); break;
    default: v = amplitude * sin(x) * sin(y); break;
    }
    return TruncInt(v);
}

int CTransitionManager::Deliver(CRgbBuffer* frame)
{
    if (!m_pCallback)
        return 1;
    return m_pCallback(m_pUserData, frame) != 0;
}

int CTransitionManager::DeliverTargetFrames()
{
    CRgbBuffer frame(*m_pTo);
    if (!frame.IsImage())
        return 0;
    for (int n = 0; n <= 100; n++)
    {
        if (n > 0)
            memcpy(frame.m_Buffer, m_pTo->m_Buffer, (size_t)m_pTo->m_Width * m_pTo->m_Height * 3);
        if (!Deliver(&frame))
            return 0;
    }
    return 1;
}
