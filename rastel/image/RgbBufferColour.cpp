// CRgbBuffer's pixel-value operations: brightness and contrast, saturation,
// per-channel gamma, red-eye correction and watermark blending. All but
// CreateAlteredRGB change the pixels in place and leave the cached bitmap.
#include "RgbBuffer.h"
#include "RedEye.h"

#include <math.h>
#include <stdlib.h>
#include <algorithm>
#include <new>

namespace
{
inline BYTE ClampToByte(int value)
{
    return (BYTE)(value < 0 ? 0 : value > 255 ? 255 : value);
}

inline BYTE ClampToByte(double value)
{
    if (value > 255)
        value = 255;
    if (value < 0)
        value = 0;
    return (BYTE)value;
}

void BuildGammaTable(int setting, BYTE table[256])
{
    double exponent = 1 / (abs(setting) * 0.05 + 0.1);
    double scale = pow(255.0, exponent) * (1 / 255.0);
    for (int i = 0; i < 256; ++i)
        table[i] = ClampToByte(pow((double)i, exponent) / scale);
}
}

void CRgbBuffer::AdjustLight(int brightness, int contrast)
{
    if (m_Buffer == NULL)
        return;
    BYTE table[256];
    for (int i = 0; i < 256; ++i)
        table[i] = ClampToByte((i + (brightness * 0.01 - 1) * 128) * (contrast + 100) * 0.01 + 128);
    int bytes = m_Width * m_Height * 3;
    for (int i = 0; i < bytes; ++i)
        m_Buffer[i] = table[m_Buffer[i]];
}

void CRgbBuffer::AdjustColor(int saturation)
{
    if (m_Buffer == NULL)
        return;
    // Desaturation is half as strong per unit as saturation.
    int divisor = saturation <= 0 ? 100 : 50;
    int pixels = m_Width * m_Height;
    BYTE* p = m_Buffer;
    for (int i = 0; i < pixels; ++i, p += 3)
    {
        int luma = (306 * p[0] + 601 * p[1] + 117 * p[2]) >> 10;
        for (int c = 0; c < 3; ++c)
            p[c] = ClampToByte(p[c] + ((p[c] - luma) * saturation) / divisor);
    }
}

void CRgbBuffer::AdjustGamma(int red, int green, int blue)
{
    if (m_Buffer == NULL)
        return;
    BYTE tables[3][256];
    BuildGammaTable(red, tables[0]);
    BuildGammaTable(green, tables[1]);
    BuildGammaTable(blue, tables[2]);
    int pixels = m_Width * m_Height;
    BYTE* p = m_Buffer;
    for (int i = 0; i < pixels; ++i, p += 3)
    {
        p[0] = tables[0][p[0]];
        p[1] = tables[1][p[1]];
        p[2] = tables[2][p[2]];
    }
}

void CRgbBuffer::AdjustGamma(int value)
{
    AdjustGamma(value, value, value);
}

CRgbBuffer* CRgbBuffer::CreateAlteredRGB(int saturation, int brightness, int contrast,
                                         int gammaRed, int gammaGreen, int gammaBlue) const
{
    CRgbBuffer* altered = new (std::nothrow) CRgbBuffer(*this);
    if (altered == NULL)
        return NULL;
    if (brightness != 0 || contrast != 0)
        altered->AdjustLight(brightness, contrast);
    if (saturation != 0)
        altered->AdjustColor(saturation);
    if (gammaRed != 18 || gammaGreen != 18 || gammaBlue != 18)
        altered->AdjustGamma(gammaRed, gammaGreen, gammaBlue);
    return altered;
}

void CRgbBuffer::RemoveRedEye(CPoint center, int radius)
{
    if (m_Buffer == NULL)
        return;
    RedEye::Remove(m_Buffer, m_Width, m_Height, center, radius);
}

void CRgbBuffer::ApplyWatermark(int x, int y, CRgbBuffer* mark, int transparency)
{
    if (m_Buffer == NULL || mark == NULL || mark->m_Buffer == NULL)
        return;
    // The part of the mark that lands inside the buffer, in 64 bits so that
    // offsets far outside cannot wrap around.
    int firstRow = (int)std::max<long long>(0, -(long long)y);
    int lastRow = (int)std::min<long long>(mark->m_Height, (long long)m_Height - y);
    int firstColumn = (int)std::max<long long>(0, -(long long)x);
    int lastColumn = (int)std::min<long long>(mark->m_Width, (long long)m_Width - x);
    if (firstRow >= lastRow || firstColumn >= lastColumn)
        return;
    for (int my = firstRow; my < lastRow; ++my)
    {
        const BYTE* m = mark->m_Buffer + 3 * (my * mark->m_Width + firstColumn);
        BYTE* b = m_Buffer + 3 * ((y + my) * m_Width + x + firstColumn);
        for (int mx = firstColumn; mx < lastColumn; ++mx, m += 3, b += 3)
        {
            if (m[0] == 0 && m[1] == 0 && m[2] == 0)
                continue; // black is the mark's transparent colour
            for (int c = 0; c < 3; ++c)
                b[c] = ClampToByte(m[c] + ((b[c] - m[c]) * transparency) / 100);
        }
    }
}
