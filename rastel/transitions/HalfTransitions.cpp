// "Turn left/right" and "Shut left/right": an edge symmetric about the canvas
// centre; the upper half's rows and the mirrored lower half's rows split at it.
#include "TransitionManager.h"
#include "RowComposer.h"
#include "TransitionMath.h"

#include <math.h>

using namespace TransitionMath;

int CTransitionManager::functionHalfTurnLeftRight(int i, int e, int h, int c, double x)
{
    if (h <= 0)
        return 0;
    return TruncInt(tan((50 - c) * 0.0314159) * (h - i) * e / h);
}

int CTransitionManager::functionHalfShutLeftRight(int i, int e, int h, int c, double x)
{
    long long edge = (long long)e + 1 - (2LL * c * ((long long)e + 1)) / 100;
    return Clamp(edge, -1000000000, 1000000000);
}

int CTransitionManager::DoHalfTransition(TRANSITIONSHAPE shape, int amplitude, int mode, int dir)
{
    const int W = m_pTo->m_Width, H = m_pTo->m_Height, e = W / 2, h = H / 2;
    if (H < 2)
        return DeliverTargetFrames();
    CRgbBuffer scratch(W, H);
    if (!scratch.IsImage())
        return 0;

    // P fills the row up to the edge, Q the rest.
    const BYTE* P = dir ? m_pTo->m_Buffer : m_pFrom->m_Buffer;
    const BYTE* Q = dir ? m_pFrom->m_Buffer : m_pTo->m_Buffer;
    CRowComposer composer(scratch.m_Buffer, W, H);
    FluctuationRows wobble(mode, amplitude, h, h + 1);

    for (int n = 0; n <= 100; n++)
    {
        const int c = dir ? 100 - n : n;
        for (int i = 0; i <= H - 1 - i; i++)
        {
            const long long edge = (long long)shape(i, e, h, c, m_EffectParameter) +
                                   (wobble.Ready() ? wobble.At(i, n) : fluctuation(mode, amplitude, i, h, n)) + e;
            const int o = Clamp(edge, 0, W);
            const int mirror = H - 1 - i;
            if (i != mirror)
            {
                RowSegment upper[2] = {{P, 0, o, i, 0}, {Q, o, W, i, o}};
                composer.Row(i, upper, 2);
            }
            const int split = W - o;
            RowSegment lower[2] = {{Q, 0, split, mirror, 0}, {P, split, W, mirror, split}};
            composer.Row(mirror, lower, 2);
        }
        if (!Deliver(&scratch))
            return 0;
    }
    return 1;
}
