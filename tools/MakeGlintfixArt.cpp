// MakeGlintfixArt ROOT: draws the red-eye editor's tool-bar strips (normal
// and disabled, 24 x 24 true colour, white = transparent; Open, Save As,
// web site, About) and its program icon (an eye with a red pupil) into
// ROOT\glintfix\res. Shapes are drawn with GDI at four times the size and
// averaged down; output is deterministic.
#include <windows.h>
#include <math.h>
#include <stdio.h>
#include <string.h>
#include <string>
#include <vector>

namespace
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
void Place(Picture& strip, int ox, int size, const Canvas& canvas, bool disabled)
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

// ---- The tool-bar buttons, in tool-bar order --------------------------------

void DrawOpen(Canvas& c)
{
    // An opening folder with a picture peeking out.
    c.Pen(RGB(150, 110, 30), 1);
    c.Brush(RGB(240, 200, 90));
    c.Poly({2, 6, 9, 6, 11, 8, 20, 8, 20, 20, 2, 20});
    c.Pen(RGB(60, 60, 70), 0.8);
    c.Brush(RGB(120, 180, 235));
    c.Rect(6, 3.5, 17, 12);
    c.NoPen();
    c.Brush(RGB(200, 40, 40));
    c.Circle(11.5, 8, 2);
    c.Pen(RGB(150, 110, 30), 1);
    c.Brush(RGB(250, 220, 120));
    c.Poly({5, 11, 22.5, 11, 19.5, 20, 2, 20});
}

void DrawSaveAs(Canvas& c)
{
    // A floppy disk with a pen across its corner.
    c.Pen(RGB(30, 50, 110), 1);
    c.Brush(RGB(60, 100, 190));
    c.Round(2, 2, 19, 19, 2);
    c.NoPen();
    c.Brush(RGB(235, 235, 240));
    c.Rect(5, 3, 16, 9);
    c.Brush(RGB(40, 60, 120));
    c.Rect(6, 12, 15, 19);
    c.Brush(RGB(200, 200, 210));
    c.Rect(12.5, 4, 14.5, 8);
    c.Pen(RGB(90, 50, 20), 1);
    c.Brush(RGB(250, 190, 60));
    c.Poly({13, 21.5, 14, 17.5, 21, 10.5, 23, 12.5, 16, 19.5});
    c.NoPen();
    c.Brush(RGB(40, 40, 40));
    c.Poly({13, 21.5, 13.6, 19.3, 15.2, 20.9});
}

void DrawWebSite(Canvas& c)
{
    // A globe with meridians and parallels.
    c.Pen(RGB(20, 80, 140), 1);
    c.Brush(RGB(90, 170, 230));
    c.Circle(12, 12, 9.5);
    c.NoPen();
    c.Brush(RGB(70, 160, 70));
    c.Poly({6, 7, 10, 5, 12, 8, 10, 12, 7, 13, 5, 10});
    c.Poly({13, 13, 17, 12, 19, 15, 16, 19, 14, 17});
    c.Pen(RGB(235, 245, 255), 0.7);
    c.NoBrush();
    c.Line(2.5, 12, 21.5, 12);
    c.Line(12, 2.5, 12, 21.5);
    Ellipse(c.dc(), c.S(7.5), c.S(2.5), c.S(16.5), c.S(21.5));
}

void DrawAbout(Canvas& c)
{
    // An "i" in a blue disc.
    c.Pen(RGB(20, 60, 130), 1);
    c.Brush(RGB(60, 120, 210));
    c.Circle(12, 12, 9.5);
    c.NoPen();
    c.Brush(RGB(255, 255, 255));
    c.Circle(12, 7, 1.6);
    c.Round(10.4, 10, 13.6, 18.5, 1);
}

bool WriteBmp(const std::string& path, Picture& p)
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

// The program icon: an eye whose pupil shows red, on the 24-unit grid.
std::vector<BYTE> IconImage(int size)
{
    std::vector<Rgb> colour;
    std::vector<double> coverage;
    {
        Canvas big(size);
        double s = size / 24.0;
        auto S = [&](double v) { return v * s; };
        big.Pen(RGB(60, 40, 30), 1.2 * s);
        big.Brush(RGB(250, 250, 245));
        Ellipse(big.dc(), big.S(S(1)), big.S(S(6)), big.S(S(23)), big.S(S(18)));
        big.NoPen();
        big.Brush(RGB(60, 130, 90));
        big.Circle(S(12), S(12), S(5.5));
        big.Brush(RGB(220, 20, 20));
        big.Circle(S(12), S(12), S(3));
        big.Brush(RGB(255, 255, 255));
        big.Circle(S(13.5), S(10.5), S(1));
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
            size_t k = (size_t)y * size + x;
            int row = size - 1 - y;
            BYTE* p = pixels + 3 * (row * size + x);
            if (coverage[k] < 0.5)
            {
                mask[row * maskStride + x / 8] |= (BYTE)(0x80 >> (x & 7));
                continue;
            }
            p[0] = colour[k].b;
            p[1] = colour[k].g;
            p[2] = colour[k].r;
        }
    return out;
}

bool WriteIcon(const std::string& path)
{
    std::vector<BYTE> big = IconImage(32), small = IconImage(16);
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
}

int main(int argc, char** argv)
{
    if (argc < 2)
    {
        fprintf(stderr, "usage: MakeGlintfixArt ROOT\n");
        return 2;
    }
    std::string res = std::string(argv[1]) + "\\glintfix\\res\\";
    CreateDirectoryA(res.c_str(), NULL);
    void (*draw[])(Canvas&) = {DrawOpen, DrawSaveAs, DrawWebSite, DrawAbout};
    const int buttons = 4, size = 24;
    Picture normal(buttons * size, size, Rgb{255, 255, 255});
    Picture disabled(buttons * size, size, Rgb{255, 255, 255});
    for (int i = 0; i < buttons; ++i)
    {
        Canvas c(size);
        draw[i](c);
        Place(normal, i * size, size, c, false);
        Place(disabled, i * size, size, c, true);
    }
    bool ok = WriteBmp(res + "Toolbar.bmp", normal) && WriteBmp(res + "ToolbarDisabled.bmp", disabled) &&
              WriteIcon(res + "Glintfix.ico");
    printf(ok ? "Glintfix artwork written under %s\n" : "MakeGlintfixArt: writing under %s failed\n", res.c_str());
    return ok ? 0 : 1;
}
