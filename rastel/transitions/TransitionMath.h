// Numeric helpers of the transition effects (internal to rastel): conversions
// that truncate toward zero like a C cast but saturate instead of overflowing,
// so that the near-infinite tangents of the shapes and very large canvases
// clamp cleanly.
#pragma once

#include <math.h>
#include <stdlib.h>
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

// The fluctuation of one edge for rows 0 .. rows - 1 of length L, with the
// sines and cosines of the row angles computed once per effect instead of
// once per row and frame. Gives exactly CTransitionManager::fluctuation.
class FluctuationRows
{
public:
    FluctuationRows(int mode, int amplitude, int length, int rows)
        : m_Mode(mode), m_Amplitude(amplitude), m_Rows(0), m_Sin(0), m_Cos(0), m_Step(-1), m_SinY(0), m_CosY(0)
    {
        if (amplitude == 0 || length <= 0 || rows <= 0)
            return;
        m_Sin = (double*)malloc(sizeof(double) * (size_t)rows);
        m_Cos = (double*)malloc(sizeof(double) * (size_t)rows);
        if (!m_Sin || !m_Cos)
            return;
        for (int p = 0; p < rows; p++)
        {
            double x = p * 6.28318 / length;
            m_Sin[p] = sin(x);
            m_Cos[p] = cos(x);
        }
        m_Rows = rows;
    }
    ~FluctuationRows()
    {
        free(m_Sin);
        free(m_Cos);
    }
    FluctuationRows(const FluctuationRows&) = delete;
    FluctuationRows& operator=(const FluctuationRows&) = delete;

    // Valid when the amplitude is 0 or the tables exist; otherwise the caller
    // computes the fluctuation itself.
    bool Ready() const { return m_Amplitude == 0 || m_Rows > 0; }

    int At(int p, int step)
    {
        if (m_Amplitude == 0 || p < 0 || p >= m_Rows)
            return 0;
        if (step != m_Step)
        {
            double y = step * 0.0628318;
            m_SinY = sin(y);
            m_CosY = cos(y);
            m_Step = step;
        }
        double v;
        switch (m_Mode)
        {
        case 0: v = m_Amplitude * m_Sin[p] * m_SinY * m_CosY; break;
        case 1: v = m_Amplitude * m_SinY * (m_Sin[p] + m_Cos[p]); break;
        default: v = m_Amplitude * m_Sin[p] * m_SinY; break;
        }
        return TruncInt(v);
    }

private:
    int m_Mode, m_Amplitude, m_Rows;
    double *m_Sin, *m_Cos;
    int m_Step;
    double m_SinY, m_CosY;
};
} // namespace TransitionMath
