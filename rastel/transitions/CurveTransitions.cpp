// "Slider advanced" and "Shutter advanced": a curved vertical edge sweeps from
// one side of the canvas to the other.
#include "TransitionManager.h"
#include "RowComposer.h"
#include "TransitionMath.h"

#include <math.h>
#include <stdlib.h>

using namespace TransitionMath;

namespace
{
// Edge column of curve q in row r at step c, before clamping; F is the
// fluctuation, B = c * W / 100 and D = (100 - c) * c.
long long CurveEdge(int q, int r, int H, int h, int c, long long F, long long B, int D, double k)
{
    const double f = (double)F, b = (double)B, d = (double)D;
    switch (q)
    {
    case 0: return Trunc64(f + d * r * k / H + b);
    case 1: return Trunc64(f + b - d * r * k / H);
    case 2: return Trunc64(f + k * d * (H - r) / H + b);
    case 3: return Trunc64(f + b - k * d * (H - r) / H);
    case 4: return F + B + llabs(Trunc64(k * d * (r - h) / H));
    case 5: return F + B - llabs(Trunc64(d * (r - h) * k / H));
    case 6: return Trunc64(f + k * d * (r - h) / H + b);
    case 7: return Trunc64(f + b - k * d * (r - h) / H);
    case 8: return Trunc64(f + b - (0.5 - sin((r + 10.0 * c) * 12 / H)) * d * 0.05);
    case 9: return Trunc64(f + b - (0.5 - sin(r * 3.14 / H)) * d * 0.05);
    case 10: return Trunc64(f + b - (sin(r * 3.14 / H) + 0.5) * d * 0.05);
    default: return Trunc64(f + b - (0.5 - sin((r + 10.0 * c) * 20 / H)) * d * 0.05);
    }
}
} // namespace

int CTransitionManager::DoCurveTransition(bool slide, bool fromLeft, int amplitude, int mode)
{
    const int W = m_pTo->m_Width, H = m_pTo->m_Height, h = H / 2;
    if (H < 2)
        return DeliverTargetFrames();
    CRgbBuffer scratch(W, H);
    if (!scratch.IsImage())
        return 0;

    const int q = Random() % 12;
    const double k = (Random() % 3 + 1) * 0.1;
    const BYTE* left = fromLeft ? m_pTo->m_Buffer : m_pFrom->m_Buffer;
    const BYTE* right = fromLeft ? m_pFrom->m_Buffer : m_pTo->m_Buffer;
    CRowComposer composer(scratch.m_Buffer, W, H);
    FluctuationRows wobble(mode, amplitude, H, H);

    for (int n = 0; n <= 100; n++)
    {
        const int c = fromLeft ? n : 100 - n;
        const long long B = (long long)c * W / 100;
        const int D = (100 - c) * c;
        for (int r = 0; r < H; r++)
        {
            const long long F = (wobble.Ready() ? wobble.At(r, c) : fluctuation(mode, amplitude, r, H, c));
            const int g = Clamp(CurveEdge(q, r, H, h, c, F, B, D, k), 0, W);
            RowSegment segments[2] = {{left, 0, g, r, 0}, {right, g, W, r, slide ? 0 : g}};
            composer.Row(r, segments, 2);
        }
        if (!Deliver(&scratch))
            return 0;
    }
    return 1;
}
