// Numeric helpers of the transition effects (internal to rastel): conversions
// that truncate toward zero like a C cast but saturate instead of overflowing,
// so that the near-infinite tangents of the shapes and very large canvases
// clamp cleanly.
#pragma once

#include <string.h>
#include <windows.h>

namespace TransitionMath
{
// Far beyond any canvas edge, yet sums of a few of them fit in 64 bits.
const double SaturationLimit = 1.0e15;

// trunc(v) as a 64-bit integer; NaN gives 0.
inline long long Trunc64(double v)
{
    if (!(v == v))
        return 0;
    if (v > SaturationLimit)
        v = SaturationLimit;
    if (v < -SaturationLimit)
        v = -SaturationLimit;
    return (long long)v;
}

// trunc(v) limited to a range well inside int.
inline int TruncInt(double v)
{
    long long t = Trunc64(v);
    if (t > 1000000000LL)
        return 1000000000;
    if (t < -1000000000LL)
        return -1000000000;
    return (int)t;
}

inline int Clamp(long long v, int lo, int hi)
{
    if (v < lo)
        return lo;
    if (v > hi)
        return hi;
    return (int)v;
}

// Copies count pixels from one row position of a canvas to another.
inline void CopyPixels(BYTE* dst, const BYTE* src, int count)
{
    if (count > 0)
        memcpy(dst, src, (size_t)count * 3);
}
} // namespace TransitionMath
