// Reading one pixel of a CRgbBuffer in the tests, as bytes, as a COLORREF or
// as 0xRRGGBB (the buffer holds R, G, B at 3 * (y * width + x)).
#pragma once

#include <windows.h>
#include <stddef.h>

#include "RgbBuffer.h"

namespace test_support
{
inline const BYTE* PixelAt(const CRgbBuffer& buffer, int x, int y)
{
    return buffer.GetBuffer() + 3 * ((size_t)y * buffer.GetWidth() + x);
}

inline COLORREF ColorAt(const CRgbBuffer& buffer, int x, int y)
{
    const BYTE* p = PixelAt(buffer, x, y);
    return RGB(p[0], p[1], p[2]);
}

inline DWORD RgbAt(const CRgbBuffer& buffer, int x, int y)
{
    const BYTE* p = PixelAt(buffer, x, y);
    return ((DWORD)p[0] << 16) | ((DWORD)p[1] << 8) | p[2];
}
} // namespace test_support
