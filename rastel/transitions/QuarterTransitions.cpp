// The quarter-symmetric effects ("Shut vertical", "Shut horizontal", "Turn",
// "Diamond", "Square", "Circle"): a band about the centre column, mirrored
// about the centre row, grows or shrinks. Shapes give the band's half-width.
#include "TransitionManager.h"
#include "RowComposer.h"
#include "TransitionMath.h"

#include <math.h>

using namespace TransitionMath;

namespace
{
int RootOrZero(double scale, double squared)
{
    if (!(squared > 0))
        return 0;
    return TruncInt(scale * sqrt(squared));
}

double Stretch(double x)
{
    if (!(x >= 1.0))
        return 1.0;
    return x > 2.0 ? 2.0 : x;
}

double HalfDiagonalSquared(int e, int h)
{
    return (double)e * e + (double)h * h;
}
} // namespace

int CTransitionManager::functionQuarterShutVert(int i, int e, int h, int c, double x)
{
    return i > (100LL - c) * h / 100 ? e : 0;
}

int CTransitionManager::functionQuarterShutHorz(int i, int e, int h, int c, double x)
{
    return Clamp((long long)e * c / 100, -1000000000, 1000000000);
}

int CTransitionManager::functionQuarterTurnDownUp(int i, int e, int h, int c, double x)
{
    if (h <= 0)
        return 0;
    return TruncInt(fabs(tan(c * 0.01570795)) * (1 - (double)i / h) * e);
}

int CTransitionManager::functionQuarterDiamondInOut(int i, int e, int h, int c, double x)
{
    return TruncInt(fabs(tan(c * 0.01570795)) * i);
}

int CTransitionManager::functionQuarter2SquaresInOut(int i, int e, int h, int c, double x)
{
    if ((long long)h * c / 100 < i)
        return 0;
    return Clamp((long long)e * c / 100, -1000000000, 1000000000);
}

int CTransitionManager::functionQuarterSquareInOut(int i, int e, int h, int c, double x)
{
    if ((long long)h * c / 100 < (long long)h - i)
        return 0;
    return Clamp((long long)e * c / 100, -1000000000, 1000000000);
}

int CTransitionManager::functionQuarterCircleInOut(int i, int e, int h, int c, double x)
{
    double dy = (double)h - i;
    return RootOrZero(1.0, (double)c * c * HalfDiagonalSquared(e, h) * 0.0001 - dy * dy);
}

int CTransitionManager::functionQuarter2UDCirclesInOut(int i, int e, int h, int c, double x)
{
    return RootOrZero(Stretch(x), (double)c * c * HalfDiagonalSquared(e, h) * 0.0001 - (double)i * i);
}

int CTransitionManager::functionQuarter2RLCirclesInOut(int i, int e, int h, int c, double x)
{
    const double s = Stretch(x);
    const double g = sqrt(HalfDiagonalSquared(e, h)) * (100 - c) * 0.01;
    const double dy = (double)h - i;
    if (dy > g)
        return TruncInt(s * e);
    double inside = g * g - dy * dy;
    return TruncInt(s * (e - (inside > 0 ? sqrt(inside) : 0.0)));
}

int CTransitionManager::DoQuarterTransition(TRANSITIONSHAPE shape, int amplitude, int mode, int dir)
{
    const int W = m_pTo->m_Width, H = m_pTo->m_Height, e = W / 2, h = H / 2;
    if (H < 2)
        return DeliverTargetFrames();
    CRgbBuffer scratch(W, H);
    if (!scratch.IsImage())
        return 0;

    const BYTE* band = dir ? m_pFrom->m_Buffer : m_pTo->m_Buffer;
    const BYTE* outside = dir ? m_pTo->m_Buffer : m_pFrom->m_Buffer;
    CRowComposer composer(scratch.m_Buffer, W, H);
    FluctuationRows wobble(mode, amplitude, h, h + 1);

    for (int n = 0; n <= 100; n++)
    {
        const int c = dir ? 100 - n : n;
        for (int i = 0; i <= H - 1 - i; i++)
        {
            const long long left = (long long)e - shape(i, e, h, c, m_EffectParameter) -
                                   (wobble.Ready() ? wobble.At(i, n) : fluctuation(mode, amplitude, i, h, n));
            const int m = Clamp(left, 0, e);
            int o = W - m > m ? W - m : m;
            if (o - m == 1)
                o = m;
            const int rows[2] = {i, H - 1 - i};
            for (int k = 0; k < (rows[0] == rows[1] ? 1 : 2); k++)
            {
                const int r = rows[k];
                RowSegment segments[3] = {{outside, 0, m, r, 0}, {band, m, o, r, m}, {outside, o, W, r, o}};
                composer.Row(r, segments, 3);
            }
        }
        if (!Deliver(&scratch))
            return 0;
    }
    return 1;
}
