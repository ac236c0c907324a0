// Internal helpers of the operations that derive a new picture from a
// CRgbBuffer (resizing, rotating, mirroring). Not exported.
#pragma once

#include "RgbBuffer.h"

namespace RgbBufferDerived
{
// A double converted to int truncating toward zero, saturated at the int
// range (NaN gives 0), so absurd factors give a size that allocation refuses
// instead of undefined behaviour.
inline int TruncToInt(double value)
{
    if (!(value == value))
        return 0;
    if (value >= 2147483647.0)
        return 2147483647;
    if (value <= -2147483648.0)
        return -2147483647 - 1;
    return (int)value;
}

// A new black width x height buffer for a result derived from source: it
// carries the source's background colour and has m_GrayScale 0. When the size
// cannot be allocated the result is an empty buffer (still with the colour).
inline CRgbBuffer* Create(const CRgbBuffer& source, int width, int height)
{
    CRgbBuffer* result = new CRgbBuffer(width, height);
    result->m_GrayScale = 0;
    result->m_BackgroundColor = source.m_BackgroundColor;
    return result;
}
} // namespace RgbBufferDerived
