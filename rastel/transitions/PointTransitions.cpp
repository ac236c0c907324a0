// "Slider" and "Shutter": a corner point moves across the canvas and the new
// picture fills the rectangle between it and one corner.
#include "TransitionManager.h"
#include "RowComposer.h"
#include "TransitionMath.h"

using namespace TransitionMath;

namespace
{
// Start and end point as multiples of (W, H), and the region kind:
// 0 top-left, 1 top-right, 2 bottom-left, 3 bottom-right of the point.
struct PointPath
{
    int x0, y0, x1, y1, region;
};

const PointPath PointPaths[8] = {
    {0, 0, 0, 1, 1}, {0, 1, 0, 0, 3}, {0, 0, 1, 0, 2}, {1, 0, 0, 0, 3},
    {0, 0, 1, 1, 0}, {1, 1, 0, 0, 3}, {1, 0, 0, 1, 1}, {0, 1, 1, 0, 2},
};
} // namespace

int CTransitionManager::DoPointTransition(bool slide, int amplitude, int mode)
{
    const int W = m_pTo->m_Width, H = m_pTo->m_Height;
    if (H < 2)
        return DeliverTargetFrames();
    CRgbBuffer scratch(W, H);
    if (!scratch.IsImage())
        return 0;

    const PointPath& path = PointPaths[Random() % 8];
    const int x0 = path.x0 * W, y0 = path.y0 * H, x1 = path.x1 * W, y1 = path.y1 * H;
    CRowComposer composer(scratch.m_Buffer, W, H);
    const BYTE* oldPixels = m_pFrom->m_Buffer;
    const BYTE* newPixels = m_pTo->m_Buffer;

    for (int s = 0; s <= 100; s++)
    {
        double Y0 = y0 + s * ((y1 - y0) * 0.01);
        long long X = Trunc64(x0 + s * ((x1 - x0) * 0.01) +
                              fluctuation(mode, amplitude, TruncInt(Y0), H, s));
        long long Y = Trunc64(Y0 - fluctuation(mode, amplitude, Clamp(X, -1000000000, 1000000000), W, s));
        const int px = Clamp(X, 0, W), py = Clamp(Y, 0, H);

        // The new rectangle: rows [rowBegin, rowEnd), columns [colBegin, colEnd);
        // with slide the target is read shifted by (dy, dx).
        int rowBegin, rowEnd, colBegin, colEnd, dy, dx;
        switch (path.region)
        {
        case 0: rowBegin = 0; rowEnd = py; colBegin = 0; colEnd = px; dy = H - py; dx = W - px; break;
        case 1: rowBegin = 0; rowEnd = py; colBegin = px; colEnd = W; dy = H - py; dx = -px; break;
        case 2: rowBegin = py; rowEnd = H; colBegin = 0; colEnd = px; dy = -py; dx = W - px; break;
        default: rowBegin = py; rowEnd = H; colBegin = px; colEnd = W; dy = -py; dx = -px; break;
        }
        if (!slide)
            dy = dx = 0;

        for (int r = 0; r < H; r++)
        {
            if (r < rowBegin || r >= rowEnd || colEnd <= colBegin)
            {
                RowSegment whole = {oldPixels, 0, W, r, 0};
                composer.Row(r, &whole, 1);
                continue;
            }
            RowSegment segments[3] = {{oldPixels, 0, colBegin, r, 0},
                                      {newPixels, colBegin, colEnd, r + dy, colBegin + dx},
                                      {oldPixels, colEnd, W, r, colEnd}};
            composer.Row(r, segments, 3);
        }
        if (!Deliver(&scratch))
            return 0;
    }
    return 1;
}
