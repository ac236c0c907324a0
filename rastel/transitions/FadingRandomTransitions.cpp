// The fading effects that treat pixels chosen at random (air brush, blur,
// brush, colour shift, negative, mosaic) and the window pattern.
#include "TransitionManager.h"
#include "TransitionMath.h"

#include <stdlib.h>
#include <string.h>

using namespace TransitionMath;

namespace
{
int AtLeast(int value, int minimum)
{
    return value > minimum ? value : minimum;
}

inline void CopyPixel(BYTE* dst, const BYTE* src)
{
    dst[0] = src[0];
    dst[1] = src[1];
    dst[2] = src[2];
}
} // namespace

void CTransitionManager::ReplacePass(int first, int end, int divisor)
{
    BYTE* out = m_pFrom->m_Buffer;
    const BYTE* target = m_pTo->m_Buffer;
    for (int p = first; p < end; p++)
        if (Random() % divisor == 0)
            CopyPixel(out + 3 * p, target + 3 * p);
}

int CTransitionManager::ReplacePhase()
{
    const int N = m_pFrom->m_Width * m_pFrom->m_Height;
    for (int j = 0; j < 16; j++)
    {
        ReplacePass(j, N, AtLeast(13 - j, 2));
        if (!Deliver(m_pFrom))
            return 0;
    }
    return 1;
}

int CTransitionManager::ReplaceCountdown(int minimum)
{
    const int N = m_pFrom->m_Width * m_pFrom->m_Height;
    for (int k = 23; k >= 0; k--)
    {
        ReplacePass(0, N, AtLeast(k, minimum));
        if (!Deliver(m_pFrom))
            return 0;
    }
    return 1;
}

int CTransitionManager::DoFadingAirBrushTransition()
{
    const int N = m_pFrom->m_Width * m_pFrom->m_Height;
    for (int f = 0; f < 48; f++)
    {
        ReplacePass(0, N, Random() % 7 + 5);
        if (!Deliver(m_pFrom))
            return 0;
    }
    return 1;
}

int CTransitionManager::DoFadingWindowTransition()
{
    const int N = m_pFrom->m_Width * m_pFrom->m_Height;
    BYTE* out = m_pFrom->m_Buffer;
    const BYTE* target = m_pTo->m_Buffer;
    for (int f = 0; f < 32; f++)
    {
        // The pixels p with (p + f) mod 32 = 0.
        for (int p = (32 - f) % 32; p < N; p += 32)
            CopyPixel(out + 3 * p, target + 3 * p);
        if (!Deliver(m_pFrom))
            return 0;
    }
    return 1;
}

int CTransitionManager::DoFadingBlurTransition()
{
    const int N = m_pFrom->m_Width * m_pFrom->m_Height;
    const size_t size = (size_t)N * 3;
    BYTE* copy = (BYTE*)malloc(size ? size : 1);
    if (!copy)
        return 0;
    memcpy(copy, m_pFrom->m_Buffer, size);
    BYTE* out = m_pFrom->m_Buffer;
    for (int k = 23; k >= 0; k--)
    {
        const int d = AtLeast(k, 2);
        for (int p = 0; p < N; p++)
        {
            if (Random() % d != 0)
                continue;
            const BYTE* other = copy + 3 * (Random() % N);
            BYTE* own = out + 3 * p;
            own[0] = (BYTE)((own[0] + other[0]) >> 1);
            own[1] = (BYTE)((own[1] + other[1]) >> 1);
            own[2] = (BYTE)((own[2] + other[2]) >> 1);
        }
        if (!Deliver(m_pFrom))
        {
            free(copy);
            return 0;
        }
    }
    free(copy);
    return ReplaceCountdown(2);
}

int CTransitionManager::DoFadingBrushTransition()
{
    const int N = m_pFrom->m_Width * m_pFrom->m_Height;
    const size_t size = (size_t)N * 3;
    const int r = N / 20 < 20 ? N / 20 : 20;
    BYTE* copy = (BYTE*)malloc(size ? size : 1);
    if (!copy)
        return 0;
    memcpy(copy, m_pFrom->m_Buffer, size);
    BYTE* out = m_pFrom->m_Buffer;
    for (int k = 23; k >= 0; k--)
    {
        // Under 20 pixels there is no reach to smear over: these frames show
        // the canvas unchanged and only the replacement phase below acts.
        if (r > 0)
        {
            const int d = AtLeast(k, 5);
            for (int p = r; p < N - r; p++)
                if (Random() % d == 0)
                    CopyPixel(out + 3 * p, copy + 3 * (p - r + 2 * (Random() % r)));
        }
        if (!Deliver(m_pFrom))
        {
            free(copy);
            return 0;
        }
    }
    free(copy);
    return ReplaceCountdown(3);
}

int CTransitionManager::DoShiftColorsTransition()
{
    const int N = m_pFrom->m_Width * m_pFrom->m_Height;
    const int s = (m_EffectParameter == 1.0 || m_EffectParameter == 2.0) ? (int)m_EffectParameter : 2;
    BYTE* out = m_pFrom->m_Buffer;
    const BYTE* target = m_pTo->m_Buffer;
    for (int f = 0; f < 16; f++)
    {
        const int d = AtLeast(13 - f, 2);
        for (int p = f; p < N - 2; p++)
            if (Random() % d == 0)
                CopyPixel(out + 3 * p, target + 3 * p + s);
        if (!Deliver(m_pFrom))
            return 0;
    }
    return ReplacePhase();
}

int CTransitionManager::DoFadingNegativeTransition()
{
    const int N = m_pFrom->m_Width * m_pFrom->m_Height;
    BYTE* out = m_pFrom->m_Buffer;
    const BYTE* target = m_pTo->m_Buffer;
    for (int f = 0; f < 16; f++)
    {
        const int d = AtLeast(13 - f, 2);
        for (int p = f; p < N; p++)
        {
            if (Random() % d != 0)
                continue;
            out[3 * p] = (BYTE)(255 - target[3 * p]);
            out[3 * p + 1] = (BYTE)(255 - target[3 * p + 1]);
            out[3 * p + 2] = (BYTE)(255 - target[3 * p + 2]);
        }
        if (!Deliver(m_pFrom))
            return 0;
    }
    return ReplacePhase();
}

int CTransitionManager::DoMosaicTransition()
{
    const int N = m_pFrom->m_Width * m_pFrom->m_Height;
    int M = TruncInt(m_EffectParameter) % 256;
    if (M == 0)
        M = 255;
    BYTE* out = m_pFrom->m_Buffer;
    for (int f = 0; f < 16; f++)
    {
        const int d = AtLeast(13 - f, 2);
        for (int p = f; p < N - 2; p++)
        {
            if (Random() % d != 0)
                continue;
            out[3 * p] = (BYTE)(Random() % M);
            out[3 * p + 1] = (BYTE)(Random() % M);
            out[3 * p + 2] = (BYTE)(Random() % M);
        }
        if (!Deliver(m_pFrom))
            return 0;
    }
    return ReplacePhase();
}
