// The bitmap factory: gradients, DIB sections and their conversion, text
// for watermarks and the tool windows' caption bars.
#include "BitmapFactory.h"
#include "RgbBuffer.h"
#include "CGdiObject.h"

#include <limits.h>
#include <math.h>
#include <string.h>
#include <stdlib.h>
#include <time.h>
#include <algorithm>
#include <new>

namespace
{
inline BYTE ClampLevel(double level)
{
    if (level < 0)
        return 0;
    if (level > 255)
        return 255;
    return (BYTE)level;
}

inline BYTE ClampLevel(int level)
{
    return (BYTE)(level < 0 ? 0 : level > 255 ? 255 : level);
}

// fraction(x, y) in 0..1 gives each pixel's place between inner and outer;
// every channel gets its own noise of -4..+5 levels.
template <class Fraction>
HBITMAP CreateGradientBitmap(int width, int height, COLORREF inner, COLORREF outer,
                             Fraction fraction)
{
    CRgbBuffer buffer(width, height);
    if (!buffer.IsImage())
        return NULL;
    srand((unsigned int)time(NULL));
    const int innerLevel[3] = { GetRValue(inner), GetGValue(inner), GetBValue(inner) };
    const int outerLevel[3] = { GetRValue(outer), GetGValue(outer), GetBValue(outer) };
    BYTE* p = buffer.GetBuffer();
    for (int y = 0; y < height; ++y)
    {
        for (int x = 0; x < width; ++x, p += 3)
        {
            double f = fraction(x, y);
            for (int c = 0; c < 3; ++c)
            {
                int n = rand() % 10;
                p[c] = ClampLevel(innerLevel[c] + (outerLevel[c] - innerLevel[c]) * f + 5 - n);
            }
        }
    }
    return buffer.CreateBitmapFromRGB();
}

BITMAPINFOHEADER DibHeader(int width, int height)
{
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biSizeImage = (DWORD)((unsigned long long)width * (unsigned long long)abs(height) * 3);
    return header;
}
}

HBITMAP CBitmapFactory::CreateGradientCircleFromCenterBitmap(int width, int height, COLORREF inner,
                                                             COLORREF outer)
{
    const int cx = width / 2, cy = height / 2;
    const double maxDistance = sqrt((double)cx * cx + (double)cy * cy);
    return CreateGradientBitmap(width, height, inner, outer, [=](int x, int y) {
        if (maxDistance == 0)
            return 0.0;
        double dx = x - cx, dy = y - cy;
        return sqrt(dx * dx + dy * dy) / maxDistance;
    });
}

HBITMAP CBitmapFactory::CreateGradientSquareFromCenterBitmap(int width, int height, COLORREF inner,
                                                             COLORREF outer)
{
    const int cx = width / 2, cy = height / 2;
    const int maxDistance = std::max(cx, cy);
    return CreateGradientBitmap(width, height, inner, outer, [=](int x, int y) {
        if (maxDistance == 0)
            return 0.0;
        return (double)std::max(abs(x - cx), abs(y - cy)) / maxDistance;
    });
}

HBITMAP CBitmapFactory::CreateDIBitmap(int width, int height, COLORREF color)
{
    if (width <= 0 || height <= 0 ||
        (unsigned long long)width * height * 3 > (unsigned long long)CRgbBuffer::MaxPixelBytes)
        return NULL;
    HDC dc = ::CreateCompatibleDC(NULL);
    if (dc == NULL)
        return NULL;
    BITMAPINFOHEADER header = DibHeader(width, height);
    void* bits = NULL;
    HBITMAP bitmap = CreateDIBSection(dc, (BITMAPINFO*)&header, DIB_RGB_COLORS, &bits, NULL, 0);
    if (bitmap != NULL)
    {
        HGDIOBJ oldBitmap = ::SelectObject(dc, bitmap);
        HPEN pen = CreatePen(PS_SOLID, 1, color);
        HBRUSH brush = CreateSolidBrush(color);
        HGDIOBJ oldPen = ::SelectObject(dc, pen);
        HGDIOBJ oldBrush = ::SelectObject(dc, brush);
        ::Rectangle(dc, 0, 0, width, height);
        ::SelectObject(dc, oldBrush);
        ::SelectObject(dc, oldPen);
        ::SelectObject(dc, oldBitmap);
        DeleteObject(brush);
        DeleteObject(pen);
        GdiFlush();
    }
    DeleteDC(dc);
    return bitmap;
}

CRgbBuffer* CBitmapFactory::CreateRgbFromDIBitmap(HBITMAP bitmap)
{
    DIBSECTION section;
    if (bitmap == NULL || GetObject(bitmap, sizeof(section), &section) != sizeof(section))
        return NULL;
    const BITMAPINFOHEADER& header = section.dsBmih;
    if (header.biBitCount != 24 || section.dsBm.bmBits == NULL || header.biWidth <= 0 ||
        header.biHeight == 0 || header.biHeight == LONG_MIN)
        return NULL;
    int width = header.biWidth, height = abs(header.biHeight);
    CRgbBuffer* buffer = new (std::nothrow) CRgbBuffer(width, height);
    if (buffer == NULL)
        return NULL;
    if (!buffer->IsImage())
    {
        delete buffer;
        return NULL;
    }
    // The rows are read through GetDIBits as a top-down picture: the sign
    // of the section's height as GetObject reports it is not reliable (Wine
    // reports top-down sections as bottom-up).
    GdiFlush();
    size_t stride = ((size_t)width * 3 + 3) & ~(size_t)3;
    BYTE* rows = (BYTE*)malloc(stride * height);
    HDC dc = rows ? ::CreateCompatibleDC(NULL) : NULL;
    BITMAPINFOHEADER request = DibHeader(width, -height);
    int copied = dc ? GetDIBits(dc, bitmap, 0, height, rows, (BITMAPINFO*)&request, DIB_RGB_COLORS) : 0;
    if (dc)
        DeleteDC(dc);
    if (copied != height)
    {
        free(rows);
        delete buffer;
        return NULL;
    }
    BYTE* pixels = buffer->GetBuffer();
    for (int y = 0; y < height; ++y)
    {
        const BYTE* in = rows + stride * y;
        BYTE* out = pixels + (size_t)y * width * 3;
        for (int x = 0; x < width; ++x, in += 3, out += 3)
        {
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
        }
    }
    free(rows);
    return buffer;
}

CRgbBuffer* CBitmapFactory::CreateRgbText(CString text, CFont* font, COLORREF color, int noise)
{
    HDC dc = ::CreateCompatibleDC(NULL);
    if (dc == NULL)
        return NULL;
    HGDIOBJ oldFont = font && font->GetSafeHandle() ? ::SelectObject(dc, font->GetSafeHandle()) : NULL;
    SIZE extent = { 0, 0 };
    GetTextExtentPoint32A(dc, text, text.GetLength(), &extent);

    CRgbBuffer* buffer = NULL;
    HBITMAP bitmap = CreateDIBitmap(extent.cx + 2, extent.cy + 2, RGB(0, 0, 0));
    if (bitmap != NULL)
    {
        HGDIOBJ oldBitmap = ::SelectObject(dc, bitmap);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, color);
        HPEN pen = CreatePen(PS_SOLID, 1, color);
        HGDIOBJ oldPen = ::SelectObject(dc, pen);
        TextOutA(dc, 1, 1, text, text.GetLength());
        GdiFlush();
        ::SelectObject(dc, oldPen);
        ::SelectObject(dc, oldBitmap);
        DeleteObject(pen);
        buffer = CreateRgbFromDIBitmap(bitmap);
        DeleteObject(bitmap);
    }
    if (oldFont != NULL)
        ::SelectObject(dc, oldFont);
    DeleteDC(dc);

    if (buffer != NULL && noise != 0)
    {
        // Roughened text: every lit pixel moves up or down by the same
        // amount on all three channels; black stays the transparent colour.
        int pixels = buffer->NumberOfPixels();
        BYTE* p = buffer->GetBuffer();
        for (int i = 0; i < pixels; ++i, p += 3)
        {
            if (p[0] == 0 && p[1] == 0 && p[2] == 0)
                continue;
            int a = rand(), b = rand();
            int offset = ((a & 1) ? b : -b) % noise;
            for (int c = 0; c < 3; ++c)
                p[c] = ClampLevel(p[c] + offset);
        }
    }
    return buffer;
}

HBITMAP CBitmapFactory::CreateCaptionBitmap(CString caption, CRect rect, COLORREF left,
                                            COLORREF right)
{
    const int width = rect.Width(), height = rect.Height();
    CRgbBuffer buffer(width, height);
    if (!buffer.IsImage())
        return NULL;
    BYTE* pixels = buffer.GetBuffer();

    // Row 0 along a cubic Bezier from (0, left) to (W, right) with control
    // points at W/3 and 2W/3: a blend that is flat at both ends. Wide bars
    // get fewer samples than columns; the unsampled columns stay black.
    const int leftLevel[3] = { GetRValue(left), GetGValue(left), GetBValue(left) };
    const int rightLevel[3] = { GetRValue(right), GetGValue(right), GetBValue(right) };
    const int third = width / 3, twoThirds = 2 * width / 3;
    for (int i = 0; i <= 1000; ++i)
    {
        double t = i * 0.001, u = 1 - t;
        double x = 3 * u * u * t * third + 3 * u * t * t * twoThirds + t * t * t * width;
        int column = (int)x;
        if (column < 0 || column >= width)
            continue;
        for (int c = 0; c < 3; ++c)
            pixels[3 * column + c] =
                ClampLevel(u * u * u * leftLevel[c] + 3 * u * u * t * leftLevel[c] +
                           3 * u * t * t * rightLevel[c] + t * t * t * rightLevel[c]);
    }
    for (int y = 1; y < height; ++y)
        memcpy(pixels + (size_t)y * width * 3, pixels, (size_t)width * 3);

    HBITMAP bitmap = buffer.CreateBitmapFromRGB();
    if (bitmap == NULL)
        return NULL;
    HDC dc = ::CreateCompatibleDC(NULL);
    if (dc != NULL)
    {
        HGDIOBJ oldBitmap = ::SelectObject(dc, bitmap);
        CFont font;
        font.CreatePointFont(90, "Arial Black");
        HGDIOBJ oldFont = font.GetSafeHandle() ? ::SelectObject(dc, font.GetSafeHandle()) : NULL;
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(255, 255, 0));
        RECT textRect = { 28, 2, width - 8, height };
        DrawTextA(dc, caption, caption.GetLength(), &textRect, DT_VCENTER | DT_END_ELLIPSIS);
        GdiFlush();
        if (oldFont != NULL)
            ::SelectObject(dc, oldFont);
        ::SelectObject(dc, oldBitmap);
        DeleteDC(dc);
    }
    return bitmap;
}
