// The drawing kit of the art tools: a GDI canvas drawn at four times the
// image size and averaged down (smooth edges, deterministic output), tool-bar
// strips with white as the transparent colour, and the BMP and ICO writers.
#pragma once

#include <windows.h>
#include <math.h>
#include <stdio.h>
#include <string.h>
#include <functional>
#include <string>
#include <vector>

namespace art
{
const int kScale = 4;
const COLORREF kKey = RGB(255, 0, 255);

struct Rgb
{
    BYTE r, g, b;
};

// A 24-bit picture in memory, top-down.
struct Picture
{
    int width = 0, height = 0;
    std::vector<Rgb> pixels;
    Picture(int w, int h, Rgb fill) : width(w), height(h), pixels((size_t)w * h, fill) {}
    Rgb& At(int x, int y) { return pixels[(size_t)y * width + x]; }
};

// A GDI canvas at kScale times the size of one image, keyed background.
class Canvas
{
public:
    explicit Canvas(int size) : m_size(size * kScale)
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = m_size;
        info.bmiHeader.biHeight = -m_size;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        m_dc = CreateCompatibleDC(NULL);
        m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, (void**)&m_bits, NULL, 0);
        m_old = SelectObject(m_dc, m_bitmap);
        RECT all = {0, 0, m_size, m_size};
        HBRUSH key = CreateSolidBrush(kKey);
        FillRect(m_dc, &all, key);
        DeleteObject(key);
        SetBkMode(m_dc, TRANSPARENT);
    }
    ~Canvas()
    {
        SelectObject(m_dc, m_old);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    HDC dc() const { return m_dc; }
    int S(double v) const { return (int)lround(v * kScale); }

    void Pen(COLORREF c, double width)
    {
        HPEN pen = ExtCreatePenFor(c, width);
        DeleteObject(SelectObject(m_dc, pen));
    }
    void NoPen() { DeleteObject(SelectObject(m_dc, GetStockObject(NULL_PEN))); }
    void Brush(COLORREF c) { DeleteObject(SelectObject(m_dc, CreateSolidBrush(c))); }
    void NoBrush() { DeleteObject(SelectObject(m_dc, GetStockObject(NULL_BRUSH))); }

    void Rect(double l, double t, double r, double b) { Rectangle(m_dc, S(l), S(t), S(r), S(b)); }
    void Round(double l, double t, double r, double b, double radius)
    {
        RoundRect(m_dc, S(l), S(t), S(r), S(b), S(radius), S(radius));
    }
    void Circle(double cx, double cy, double radius)
    {
        Ellipse(m_dc, S(cx - radius), S(cy - radius), S(cx + radius), S(cy + radius));
    }
    void Poly(std::initializer_list<double> xy)
    {
        std::vector<POINT> points;
        for (auto it = xy.begin(); it != xy.end(); it += 2)
            points.push_back({S(*it), S(*(it + 1))});
        Polygon(m_dc, points.data(), (int)points.size());
    }
    void Line(double x0, double y0, double x1, double y1)
    {
        MoveToEx(m_dc, S(x0), S(y0), NULL);
        LineTo(m_dc, S(x1), S(y1));
    }
    void ArcLine(double cx, double cy, double radius, double fromDeg, double toDeg)
    {
        int r = S(radius);
        double a0 = fromDeg * 3.14159265 / 180, a1 = toDeg * 3.14159265 / 180;
        SetArcDirection(m_dc, AD_COUNTERCLOCKWISE);
        Arc(m_dc, S(cx) - r, S(cy) - r, S(cx) + r, S(cy) + r, S(cx + radius * cos(a0)), S(cy - radius * sin(a0)),
            S(cx + radius * cos(a1)), S(cy - radius * sin(a1)));
    }
    void Text(const char* text, double x, double y, double height, COLORREF c, bool bold)
    {
        HFONT font = CreateFontA(-S(height), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0,
                                 NONANTIALIASED_QUALITY, 0, "Arial");
        HGDIOBJ old = SelectObject(m_dc, font);
        SetTextColor(m_dc, c);
        SetTextAlign(m_dc, TA_CENTER | TA_TOP);
        TextOutA(m_dc, S(x), S(y), text, (int)strlen(text));
        SelectObject(m_dc, old);
        DeleteObject(font);
    }

    // Averages each kScale x kScale block; coverage = share of drawn samples.
    void Resolve(int size, std::vector<Rgb>& colour, std::vector<double>& coverage) const
    {
        colour.assign((size_t)size * size, Rgb{0, 0, 0});
        coverage.assign((size_t)size * size, 0);
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
            {
                double r = 0, g = 0, b = 0;
                int n = 0;
                for (int j = 0; j < kScale; ++j)
                    for (int i = 0; i < kScale; ++i)
                    {
                        const BYTE* p = m_bits + 4 * ((size_t)(y * kScale + j) * m_size + x * kScale + i);
                        if (RGB(p[2], p[1], p[0]) == kKey)
                            continue;
                        b += p[0];
                        g += p[1];
                        r += p[2];
                        ++n;
                    }
                size_t k = (size_t)y * size + x;
                coverage[k] = (double)n / (kScale * kScale);
                if (n)
                    colour[k] = Rgb{(BYTE)(r / n + 0.5), (BYTE)(g / n + 0.5), (BYTE)(b / n + 0.5)};
            }
    }

private:
    HPEN ExtCreatePenFor(COLORREF c, double width)
    {
        LOGBRUSH brush = {BS_SOLID, c, 0};
        return ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_ROUND | PS_JOIN_ROUND, S(width), &brush, 0, NULL);
    }

    int m_size;
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_old;
    BYTE* m_bits = nullptr;
};

// Places one resolved image at (ox, 0) of the strip: weakly covered pixels
// stay white (transparent), the rest are blended over the bar's face colour.
inline void Place(Picture& strip, int ox, int size, const Canvas& canvas, bool disabled)
{
    std::vector<Rgb> colour;
    std::vector<double> coverage;
    canvas.Resolve(size, colour, coverage);
    const double face = 236;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
        {
            size_t k = (size_t)y * size + x;
            if (coverage[k] < 0.3)
                continue;
            double a = coverage[k];
            double r = colour[k].r * a + face * (1 - a);
            double g = colour[k].g * a + face * (1 - a);
            double b = colour[k].b * a + face * (1 - a);
            if (disabled)
            {
                double grey = 0.3 * r + 0.59 * g + 0.11 * b;
                r = g = b = 120 + grey * 0.45;
            }
            Rgb out = {(BYTE)(r + 0.5), (BYTE)(g + 0.5), (BYTE)(b + 0.5)};
            if (out.r == 255 && out.g == 255 && out.b == 255)
                out.b = 254; // pure white is the mask colour
            strip.At(ox + x, y) = out;
        }
}

// A 24-bit bottom-up BMP file of the picture.
inline bool WriteBmp(const std::string& path, Picture& p)
{
    int stride = (p.width * 3 + 3) & ~3;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + stride * p.height;
    info.biSize = sizeof(info);
    info.biWidth = p.width;
    info.biHeight = p.height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biSizeImage = stride * p.height;
    FILE* f = fopen(path.c_str(), "wb");
    if (!f)
        return false;
    fwrite(&file, sizeof(file), 1, f);
    fwrite(&info, sizeof(info), 1, f);
    std::vector<BYTE> row(stride, 0);
    for (int y = p.height - 1; y >= 0; --y)
    {
        for (int x = 0; x < p.width; ++x)
        {
            Rgb c = p.At(x, y);
            row[3 * x] = c.b;
            row[3 * x + 1] = c.g;
            row[3 * x + 2] = c.r;
        }
        fwrite(row.data(), 1, stride, f);
    }
    return fclose(f) == 0;
}

// A 24-bit icon image (BITMAPINFOHEADER, XOR pixels, AND mask); draw gets a
// canvas of the icon's size and the scale from the 24-unit grid.
inline std::vector<BYTE> IconImage(int size, const std::function<void(Canvas&, double)>& draw)
{
    std::vector<Rgb> colour;
    std::vector<double> coverage;
    {
        Canvas big(size);
        draw(big, size / 24.0);
        big.Resolve(size, colour, coverage);
    }
    std::vector<BYTE> out(40 + size * size * 3 + ((size / 8 + 3) & ~3) * size, 0);
    BITMAPINFOHEADER info = {};
    info.biSize = 40;
    info.biWidth = size;
    info.biHeight = 2 * size;
    info.biPlanes = 1;
    info.biBitCount = 24;
    memcpy(out.data(), &info, 40);
    BYTE* pixels = out.data() + 40;
    BYTE* mask = pixels + size * size * 3;
    int maskStride = (size / 8 + 3) & ~3;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
        {
            size_t k2 = (size_t)y * size + x;
            int row = size - 1 - y;
            BYTE* p = pixels + 3 * (row * size + x);
            if (coverage[k2] < 0.5)
            {
                mask[row * maskStride + x / 8] |= (BYTE)(0x80 >> (x & 7));
                continue;
            }
            p[0] = colour[k2].b;
            p[1] = colour[k2].g;
            p[2] = colour[k2].r;
        }
    return out;
}

// An .ico file with a 32 x 32 and a 16 x 16 image.
inline bool WriteIcon(const std::string& path, const std::function<void(Canvas&, double)>& draw)
{
    std::vector<BYTE> big = IconImage(32, draw), small = IconImage(16, draw);
    FILE* f = fopen(path.c_str(), "wb");
    if (!f)
        return false;
    WORD header[3] = {0, 1, 2};
    fwrite(header, 2, 3, f);
    DWORD offset = 6 + 2 * 16;
    const std::vector<BYTE>* images[2] = {&big, &small};
    int sizes[2] = {32, 16};
    for (int i = 0; i < 2; ++i)
    {
        BYTE entry[16] = {(BYTE)sizes[i], (BYTE)sizes[i], 0, 0, 1, 0, 24, 0};
        DWORD bytes = (DWORD)images[i]->size();
        memcpy(entry + 8, &bytes, 4);
        memcpy(entry + 12, &offset, 4);
        fwrite(entry, 1, 16, f);
        offset += bytes;
    }
    fwrite(big.data(), 1, big.size(), f);
    fwrite(small.data(), 1, small.size(), f);
    return fclose(f) == 0;
}

// The web-site button shared by the programs' tool bars: a globe.
inline void DrawGlobe(Canvas& c)
{
    c.Pen(RGB(20, 70, 130), 1);
    c.Brush(RGB(80, 150, 220));
    c.Circle(12, 12, 10);
    c.NoPen();
    c.Brush(RGB(70, 160, 70));
    c.Poly({6, 6, 11, 5, 12, 9, 9, 13, 6, 11});
    c.Poly({13, 12, 18, 11, 19, 16, 15, 20, 13, 17});
    c.Pen(RGB(220, 235, 250), 0.8);
    c.NoBrush();
    Ellipse(c.dc(), c.S(7), c.S(2), c.S(17), c.S(22));
    c.Line(2.5, 12, 21.5, 12);
}

// The About button shared by the programs' tool bars: an i in a blue disc.
inline void DrawInfoDisc(Canvas& c)
{
    c.Pen(RGB(20, 60, 140), 1);
    c.Brush(RGB(50, 110, 210));
    c.Circle(12, 12, 10);
    c.NoPen();
    c.Brush(RGB(250, 250, 250));
    c.Circle(12, 6.8, 1.8);
    c.Rect(10.3, 10, 13.7, 18.5);
}
}
