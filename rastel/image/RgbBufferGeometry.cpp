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

// An empty source gives an empty copy rather than a read through null.
CRgbBuffer* CRgbBuffer::Rotate90RGB() const
{
    if (!IsImage())
        return new CRgbBuffer(*this);
    int w = m_Width, h = m_Height;
    CRgbBuffer* result = RgbBufferDerived::Create(*this, h, w);
    if (!result->IsImage())
        return result;
    // (x, y) goes to column h - 1 - y, row x of the h-wide target.
    for (int y = 0; y < h; ++y)
    {
        const BYTE* src = m_Buffer + (size_t)y * w * 3;
        for (int x = 0; x < w; ++x, src += 3)
        {
            BYTE* dst = result->m_Buffer + ((size_t)x * h + h - 1 - y) * 3;
            dst[0] = src[0];
            dst[1] = src[1];
            dst[2] = src[2];
        }
    }
    return result;
}

CRgbBuffer* CRgbBuffer::Rotate180RGB() const
{
    if (!IsImage())
        return new CRgbBuffer(*this);
    int w = m_Width, h = m_Height;
    CRgbBuffer* result = RgbBufferDerived::Create(*this, w, h);
    if (!result->IsImage())
        return result;
    size_t count = (size_t)w * h;
    const BYTE* src = m_Buffer;
    for (size_t n = 0; n < count; ++n, src += 3)
    {
        BYTE* dst = result->m_Buffer + (count - 1 - n) * 3;
        dst[0] = src[0];
        dst[1] = src[1];
        dst[2] = src[2];
    }
    return result;
}

CRgbBuffer* CRgbBuffer::Rotate270RGB() const
{
    if (!IsImage())
        return new CRgbBuffer(*this);
    int w = m_Width, h = m_Height;
    CRgbBuffer* result = RgbBufferDerived::Create(*this, h, w);
    if (!result->IsImage())
        return result;
    // (x, y) goes to column y, row w - 1 - x of the h-wide target.
    for (int y = 0; y < h; ++y)
    {
        const BYTE* src = m_Buffer + (size_t)y * w * 3;
        for (int x = 0; x < w; ++x, src += 3)
        {
            BYTE* dst = result->m_Buffer + ((size_t)(w - 1 - x) * h + y) * 3;
            dst[0] = src[0];
            dst[1] = src[1];
            dst[2] = src[2];
        }
    }
    return result;
}

CRgbBuffer* CRgbBuffer::FlipHorzRGB() const
{
    if (!IsImage())
        return new CRgbBuffer(*this);
    int w = m_Width, h = m_Height;
    CRgbBuffer* result = RgbBufferDerived::Create(*this, w, h);
    if (!result->IsImage())
        return result;
    for (int y = 0; y < h; ++y)
    {
        const BYTE* src = m_Buffer + (size_t)y * w * 3;
        BYTE* row = result->m_Buffer + (size_t)y * w * 3;
        for (int x = 0; x < w; ++x, src += 3)
        {
            BYTE* dst = row + (size_t)(w - 1 - x) * 3;
            dst[0] = src[0];
            dst[1] = src[1];
            dst[2] = src[2];
        }
    }
    return result;
}

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
