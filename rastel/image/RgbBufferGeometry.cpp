// CRgbBuffer rotations by quarter turns and mirroring: each maps every
// source pixel to exactly one target pixel in a single pass.
#include "RgbBuffer.h"
#include "RgbBufferDerived.h"

#include <string.h>

CRgbBuffer* CRgbBuffer::CreateRotatedRGB(int degrees) const
{
    if (IsImage())
    {
        switch (degrees % 360) // keeps the sign of degrees: -90 is not 270
        {
        case 90:
            return Rotate90RGB();
        case 180:
            return Rotate180RGB();
        case 270:
            return Rotate270RGB();
        }
    }
    return new CRgbBuffer(*this);
}

CRgbBuffer* CRgbBuffer::CreateRotatedRGB(const CRect& rect, int degrees, int bestFit) const
{
    CRgbBuffer* rotated = CreateRotatedRGB(degrees);
    CRgbBuffer* result = bestFit ? rotated->CreateBestFitRGB(rect) : rotated->CreateRectFitRGB(rect);
    delete rotated;
    return result;
}

namespace
{
// A width x height picture holding every pixel (x, y) of source at the pixel
// index targetIndex(x, y) gives. An empty source gives an empty copy rather
// than a read through null; a target that cannot be allocated comes back
// empty.
template <class TargetIndex>
CRgbBuffer* MapPixels(const CRgbBuffer& source, int width, int height, TargetIndex targetIndex)
{
    if (!source.IsImage())
        return new CRgbBuffer(source);
    CRgbBuffer* result = RgbBufferDerived::Create(source, width, height);
    if (!result->IsImage())
        return result;
    const int w = source.m_Width, h = source.m_Height;
    const BYTE* src = source.m_Buffer;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x, src += 3)
        {
            BYTE* dst = result->m_Buffer + targetIndex(x, y) * 3;
            dst[0] = src[0];
            dst[1] = src[1];
            dst[2] = src[2];
        }
    return result;
}
} // namespace

CRgbBuffer* CRgbBuffer::Rotate90RGB() const
{
    // (x, y) goes to column h - 1 - y, row x of the h-wide target.
    const int h = m_Height;
    return MapPixels(*this, h, m_Width, [h](int x, int y) { return (size_t)x * h + h - 1 - y; });
}

CRgbBuffer* CRgbBuffer::Rotate180RGB() const
{
    const int w = m_Width, h = m_Height;
    return MapPixels(*this, w, h,
                     [w, h](int x, int y) { return (size_t)(h - 1 - y) * w + w - 1 - x; });
}

CRgbBuffer* CRgbBuffer::Rotate270RGB() const
{
    // (x, y) goes to column y, row w - 1 - x of the h-wide target.
    const int w = m_Width, h = m_Height;
    return MapPixels(*this, h, w, [w, h](int x, int y) { return (size_t)(w - 1 - x) * h + y; });
}

CRgbBuffer* CRgbBuffer::FlipHorzRGB() const
{
    const int w = m_Width, h = m_Height;
    return MapPixels(*this, w, h, [w](int x, int y) { return (size_t)y * w + w - 1 - x; });
}

// An empty source gives an empty copy rather than a read through null.
CRgbBuffer* CRgbBuffer::FlipVertRGB() const
{
    if (!IsImage())
        return new CRgbBuffer(*this);
    int w = m_Width, h = m_Height;
    CRgbBuffer* result = RgbBufferDerived::Create(*this, w, h);
    if (!result->IsImage())
        return result;
    size_t stride = (size_t)w * 3;
    for (int y = 0; y < h; ++y)
        memcpy(result->m_Buffer + (size_t)(h - 1 - y) * stride, m_Buffer + (size_t)y * stride,
               stride);
    return result;
}
