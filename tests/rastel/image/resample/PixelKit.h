// Small helpers for the resampling tests: pictures built from a function of
// the pixel position, and pixel reads.
#pragma once

#include <functional>
#include "RgbBuffer.h"

struct Rgb
{
    int r, g, b;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

inline std::ostream& operator<<(std::ostream& out, const Rgb& c)
{
    return out << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

inline void Fill(CRgbBuffer& picture, const std::function<Rgb(int, int)>& pixel)
{
    BYTE* p = picture.GetBuffer();
    for (int y = 0; y < picture.GetHeight(); ++y)
        for (int x = 0; x < picture.GetWidth(); ++x, p += 3)
        {
            Rgb c = pixel(x, y);
            p[0] = (BYTE)c.r;
            p[1] = (BYTE)c.g;
            p[2] = (BYTE)c.b;
        }
}

inline Rgb At(const CRgbBuffer& picture, int x, int y)
{
    const BYTE* p = picture.GetBuffer() + 3 * ((size_t)y * picture.GetWidth() + x);
    return Rgb{ p[0], p[1], p[2] };
}

// Every pixel distinct: red from x, green from y, blue from both.
inline Rgb Distinct(int x, int y)
{
    return Rgb{ (x * 7) & 0xFF, (y * 11) & 0xFF, (x * 3 + y * 5) & 0xFF };
}
