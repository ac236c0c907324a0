// CRgbBuffer resizing: the fitting operations that compute a target size and
// the two kernels (enlarging and reducing) that PrepareRGB chooses between.
// The kernels' arithmetic fixes how every thumbnail and screen picture of the
// suite looks, so it is kept exactly as it is.
#include "RgbBuffer.h"
#include "RgbBufferDerived.h"

#include <math.h>
#include <stdlib.h>
#include <string.h>

namespace
{
inline int ClampIndex(int value, int last)
{
    return value < 0 ? 0 : (value > last ? last : value);
}

// The scale that fits a w x h picture into rect, keeping its aspect ratio.
double FitScale(int w, int h, const CRect& rect)
{
    double sx = fabs((double)rect.Width() / w);
    double sy = fabs((double)rect.Height() / h);
    return sx < sy ? sx : sy;
}
} // namespace

CRgbBuffer* CRgbBuffer::CreateBestFitRGB(const CRect& rect) const
{
    if (!IsImage())
        return new CRgbBuffer(*this);
    double s = FitScale(m_Width, m_Height, rect);
    if (s > 1)
        s = 1;
    CRect target(0, 0, RgbBufferDerived::TruncToInt(m_Width * s),
                 RgbBufferDerived::TruncToInt(m_Height * s));
    return PrepareRGB(target);
}

CRgbBuffer* CRgbBuffer::CreateRectFitRGB(const CRect& rect) const
{
    if (!IsImage())
        return new CRgbBuffer(*this);
    double s = FitScale(m_Width, m_Height, rect);
    CRect target(0, 0, RgbBufferDerived::TruncToInt(m_Width * s),
                 RgbBufferDerived::TruncToInt(m_Height * s));
    return PrepareRGB(target);
}

CRgbBuffer* CRgbBuffer::CreateEnlargedRGB(double factor) const
{
    CRect target(0, 0, RgbBufferDerived::TruncToInt(m_Width * factor),
                 RgbBufferDerived::TruncToInt(m_Height * factor));
    return CreateRectFitRGB(target);
}

CRgbBuffer* CRgbBuffer::CreateDecimatedRGB(double divisor) const
{
    if (divisor == 0)
        return new CRgbBuffer(*this);
    CRect target(0, 0, RgbBufferDerived::TruncToInt(m_Width / divisor),
                 RgbBufferDerived::TruncToInt(m_Height / divisor));
    return CreateRectFitRGB(target);
}

CRgbBuffer* CRgbBuffer::CreateRectAllRGB(const CRect& rect, BYTE fill) const
{
    int tw = rect.Width();
    int th = rect.Height();
    if (IsImage() && m_Width == tw && m_Height == th)
        return new CRgbBuffer(*this);

    CRgbBuffer* canvas = new CRgbBuffer(rect, fill);
    canvas->m_BackgroundColor = m_BackgroundColor;
    if (!IsImage() || !canvas->IsImage())
        return canvas;

    const CRgbBuffer* fitted = this;
    if (tw < m_Width || th < m_Height)
        fitted = CreateBestFitRGB(rect);

    if (fitted->IsImage())
    {
        int top = (th - fitted->m_Height) / 2;
        int left = (tw - fitted->m_Width) / 2;
        // The fitted picture never exceeds the canvas, except by the one
        // pixel a kernel adds to a side that scaled to 0; clip it.
        int rows = fitted->m_Height < th ? fitted->m_Height : th;
        int cols = fitted->m_Width < tw ? fitted->m_Width : tw;
        if (top < 0)
            top = 0;
        if (left < 0)
            left = 0;
        if (cols == tw && fitted->m_Width == tw)
        {
            memcpy(canvas->m_Buffer + (size_t)top * tw * 3, fitted->m_Buffer,
                   (size_t)rows * tw * 3);
        }
        else
        {
            for (int y = 0; y < rows; ++y)
                memcpy(canvas->m_Buffer + ((size_t)(top + y) * tw + left) * 3,
                       fitted->m_Buffer + (size_t)y * fitted->m_Width * 3, (size_t)cols * 3);
        }
    }
    if (fitted != this)
        delete fitted;
    return canvas;
}

CRgbBuffer* CRgbBuffer::PrepareRGB(const CRect& rect) const
{
    if (IsImage() && rect.Width() != m_Width)
        return m_Width < rect.Width() ? EnlargeRGB(rect) : DecimateRGB(rect);
    return new CRgbBuffer(*this);
}

CRgbBuffer* CRgbBuffer::EnlargeRGB(const CRect& rect) const
{
    int wd = rect.Width() < 1 ? 1 : rect.Width();
    int hd = rect.Height() < 1 ? 1 : rect.Height();
    CRgbBuffer* result = RgbBufferDerived::Create(*this, wd, hd);
    if (!result->IsImage() || !IsImage())
        return result;

    // Per-column source indexes and weights, computed once for all rows.
    int* leftCol = (int*)malloc(sizeof(int) * 2 * (size_t)wd);
    double* colWeight = (double*)malloc(sizeof(double) * (size_t)wd);
    if (!leftCol || !colWeight)
    {
        free(leftCol);
        free(colWeight);
        result->CleanUp();
        result->m_BackgroundColor = m_BackgroundColor;
        return result;
    }
    int* rightCol = leftCol + wd;
    double c = (double)wd / m_Width;
    int lastX = m_Width - 1;
    int lastY = m_Height - 1;
    for (int j = 0; j < wd; ++j)
    {
        double fx = j / c;
        int x0 = (int)fx;
        colWeight[j] = 4 * (fx - x0) * (fx - x0);
        leftCol[j] = ClampIndex(x0 - 1, lastX) * 3;
        rightCol[j] = ClampIndex(x0, lastX) * 3;
    }

    size_t stride = (size_t)m_Width * 3;
    BYTE* out = result->m_Buffer;
    for (int i = 0; i < hd; ++i)
    {
        double fy = i / c;
        int y0 = (int)fy;
        double wy = 4 * (fy - y0) * (fy - y0);
        const BYTE* upper = m_Buffer + ClampIndex(y0 - 1, lastY) * stride;
        const BYTE* lower = m_Buffer + ClampIndex(y0, lastY) * stride;
        for (int j = 0; j < wd; ++j)
        {
            double wx = colWeight[j];
            double norm = (1 + wx) * (1 + wy);
            const BYTE* a = upper + leftCol[j];
            const BYTE* b = upper + rightCol[j];
            const BYTE* cc = lower + leftCol[j];
            const BYTE* d = lower + rightCol[j];
            for (int k = 0; k < 3; ++k)
                *out++ = (BYTE)(int)((a[k] + wx * b[k] + wy * cc[k] + wx * wy * d[k]) / norm);
        }
    }
    free(leftCol);
    free(colWeight);
    return result;
}

CRgbBuffer* CRgbBuffer::DecimateRGB(const CRect& rect) const
{
    int wd = rect.Width() < 1 ? 1 : rect.Width();
    int hd = rect.Height() < 1 ? 1 : rect.Height();
    CRgbBuffer* result = RgbBufferDerived::Create(*this, wd, hd);
    if (!result->IsImage() || !IsImage())
        return result;

    int* leftCol = (int*)malloc(sizeof(int) * 2 * (size_t)wd);
    if (!leftCol)
    {
        result->CleanUp();
        result->m_BackgroundColor = m_BackgroundColor;
        return result;
    }
    int* rightCol = leftCol + wd;
    double r = (double)m_Width / wd;
    int lastX = m_Width - 1;
    int lastY = m_Height - 1;
    for (int j = 0; j < wd; ++j)
    {
        int x0 = RgbBufferDerived::TruncToInt(j * r);
        leftCol[j] = ClampIndex(x0 - 1, lastX) * 3;
        rightCol[j] = ClampIndex(x0, lastX) * 3;
    }

    size_t stride = (size_t)m_Width * 3;
    BYTE* out = result->m_Buffer;
    for (int i = 0; i < hd; ++i)
    {
        int y0 = RgbBufferDerived::TruncToInt(i * r);
        const BYTE* upper = m_Buffer + ClampIndex(y0 - 1, lastY) * stride;
        const BYTE* lower = m_Buffer + ClampIndex(y0, lastY) * stride;
        for (int j = 0; j < wd; ++j)
        {
            const BYTE* a = upper + leftCol[j];
            const BYTE* b = upper + rightCol[j];
            const BYTE* c = lower + leftCol[j];
            const BYTE* d = lower + rightCol[j];
            out[0] = (BYTE)((a[0] + b[0] + c[0] + d[0]) >> 2);
            out[1] = (BYTE)((a[1] + b[1] + c[1] + d[1]) >> 2);
            out[2] = (BYTE)((a[2] + b[2] + c[2] + d[2]) >> 2);
            out += 3;
        }
    }
    free(leftCol);
    return result;
}
