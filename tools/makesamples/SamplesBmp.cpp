// Sample writers of the Windows bitmap family: BMP files of every bit depth,
// bottom-up and top-down, icons with several sizes, and cursors. Every file
// shows the same small scene (sky, sun, hills, a checkered path) so that a
// wrong row order, channel order or palette is visible at a glance.
#include <windows.h>
#include <math.h>
#include <stdio.h>
#include <string>
#include <vector>
#include "SampleFile.h"
#include "SampleWriters.h"

namespace
{
typedef std::vector<unsigned char> Bytes;

struct Rgb
{
    int r, g, b;
};

void Put16(Bytes& b, size_t at, unsigned v)
{
    b[at] = (unsigned char)v;
    b[at + 1] = (unsigned char)(v >> 8);
}

void Put32(Bytes& b, size_t at, unsigned v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = (unsigned char)(v >> (8 * i));
}

void Append32(Bytes& b, unsigned v)
{
    b.resize(b.size() + 4);
    Put32(b, b.size() - 4, v);
}

int Clamp(double v)
{
    return v < 0 ? 0 : v > 255 ? 255 : (int)v;
}

// The scene at (x, y) of a width x height picture, y from the top.
Rgb Scene(int x, int y, int width, int height)
{
    double u = (x + 0.5) / width, v = (y + 0.5) / height;
    double hill = 0.62 + 0.08 * sin(u * 6.2831853 * 1.5);
    Rgb c;
    if (v < hill)
    {
        c = { Clamp(90 + 120 * v), Clamp(150 + 90 * v), 255 };
        double dx = u - 0.72, dy = v - 0.25;
        if (dx * dx + dy * dy < 0.018)
            c = { 255, 220, 40 };
    }
    else
    {
        c = { 40, Clamp(170 - 100 * (v - hill)), 50 };
        double path = fabs(u - 0.5) - (v - hill) * 0.6;
        if (path < 0.02)
            c = ((x / 3 + y / 3) & 1) ? Rgb{ 230, 230, 230 } : Rgb{ 140, 60, 30 };
    }
    // A red marker in the top-left corner tells the row order apart.
    if (x < width / 8 + 1 && y < height / 8 + 1)
        c = { 255, 0, 0 };
    return c;
}

// The 16 colours of the classic VGA palette.
const Rgb Vga[16] = { { 0, 0, 0 },       { 128, 0, 0 },   { 0, 128, 0 },   { 128, 128, 0 },
                      { 0, 0, 128 },     { 128, 0, 128 }, { 0, 128, 128 }, { 192, 192, 192 },
                      { 128, 128, 128 }, { 255, 0, 0 },   { 0, 255, 0 },   { 255, 255, 0 },
                      { 0, 0, 255 },     { 255, 0, 255 }, { 0, 255, 255 }, { 255, 255, 255 } };

std::vector<Rgb> PaletteFor(int bits)
{
    std::vector<Rgb> palette;
    if (bits == 1)
        palette = { { 0, 0, 0 }, { 255, 255, 255 } };
    else if (bits == 4)
        palette = std::vector<Rgb>(Vga, Vga + 16);
    else if (bits == 8)
    {
        for (int r = 0; r < 6; ++r)
            for (int g = 0; g < 6; ++g)
                for (int b = 0; b < 6; ++b)
                    palette.push_back({ r * 51, g * 51, b * 51 });
        for (int i = 0; i < 40; ++i)
            palette.push_back({ i * 255 / 39, i * 255 / 39, i * 255 / 39 });
    }
    return palette;
}

int Nearest(const std::vector<Rgb>& palette, Rgb c)
{
    int best = 0, bestDistance = 1 << 30;
    for (size_t i = 0; i < palette.size(); ++i)
    {
        int dr = palette[i].r - c.r, dg = palette[i].g - c.g, db = palette[i].b - c.b;
        int d = dr * dr + dg * dg + db * db;
        if (d < bestDistance)
            bestDistance = d, best = (int)i;
    }
    return best;
}

// 4 x 4 ordered dither threshold in 0..15.
int Bayer(int x, int y)
{
    static const int m[4][4] = { { 0, 8, 2, 10 }, { 12, 4, 14, 6 }, { 3, 11, 1, 9 }, { 15, 7, 13, 5 } };
    return m[y & 3][x & 3];
}

// A BMP file; masks (three of them) make it BI_BITFIELDS.
Bytes MakeBmp(int width, int height, int bits, bool topDown, const std::vector<unsigned>& masks)
{
    std::vector<Rgb> palette = PaletteFor(bits);
    int stride = (width * bits + 31) / 32 * 4;
    Bytes b(54, 0);
    b[0] = 'B', b[1] = 'M';
    Put32(b, 14, 40);
    Put32(b, 18, width);
    Put32(b, 22, topDown ? (unsigned)-height : (unsigned)height);
    Put16(b, 26, 1);
    Put16(b, 28, bits);
    Put32(b, 30, masks.empty() ? BI_RGB : BI_BITFIELDS);
    Put32(b, 34, stride * height);
    Put32(b, 38, 2835); // 72 dpi
    Put32(b, 42, 2835);
    Put32(b, 46, (unsigned)palette.size());
    for (unsigned m : masks)
        Append32(b, m);
    for (const Rgb& c : palette)
    {
        b.push_back((unsigned char)c.b);
        b.push_back((unsigned char)c.g);
        b.push_back((unsigned char)c.r);
        b.push_back(0);
    }
    Put32(b, 10, (unsigned)b.size());
    for (int fileRow = 0; fileRow < height; ++fileRow)
    {
        int y = topDown ? fileRow : height - 1 - fileRow;
        Bytes row(stride, 0);
        for (int x = 0; x < width; ++x)
        {
            Rgb c = Scene(x, y, width, height);
            switch (bits)
            {
            case 1:
            {
                int luma = (c.r * 306 + c.g * 601 + c.b * 117) >> 10;
                if (luma * 16 / 256 > Bayer(x, y))
                    row[x / 8] |= 0x80 >> (x % 8);
                break;
            }
            case 4: row[x / 2] |= Nearest(palette, c) << (x % 2 ? 0 : 4); break;
            case 8: row[x] = (unsigned char)Nearest(palette, c); break;
            case 16:
                if (!masks.empty()) // 5-6-5
                    Put16(row, 2 * x, (c.r >> 3) << 11 | (c.g >> 2) << 5 | c.b >> 3);
                else
                    Put16(row, 2 * x, (c.r >> 3) << 10 | (c.g >> 3) << 5 | c.b >> 3);
                break;
            case 24:
                row[3 * x] = (unsigned char)c.b;
                row[3 * x + 1] = (unsigned char)c.g;
                row[3 * x + 2] = (unsigned char)c.r;
                break;
            case 32:
                if (!masks.empty()) // R in the low byte
                    Put32(row, 4 * x, c.r | c.g << 8 | c.b << 16);
                else
                    Put32(row, 4 * x, c.b | c.g << 8 | c.r << 16);
                break;
            }
        }
        b.insert(b.end(), row.begin(), row.end());
    }
    Put32(b, 2, (unsigned)b.size());
    return b;
}

// One icon or cursor image: a round badge with the scene inside, transparent
// outside (alpha for 32 bits, the AND mask for every depth).
Bytes MakeIconDib(int size, int bits)
{
    std::vector<Rgb> palette = bits == 1 ? PaletteFor(1) : std::vector<Rgb>();
    int xorStride = (size * bits + 31) / 32 * 4, andStride = (size + 31) / 32 * 4;
    Bytes b(40, 0);
    Put32(b, 0, 40);
    Put32(b, 4, size);
    Put32(b, 8, 2 * size);
    Put16(b, 12, 1);
    Put16(b, 14, bits);
    Put32(b, 20, (xorStride + andStride) * size);
    for (const Rgb& c : palette)
        Append32(b, c.b | c.g << 8 | c.r << 16);
    Bytes xorBits, andBits;
    for (int fileRow = 0; fileRow < size; ++fileRow)
    {
        int y = size - 1 - fileRow;
        Bytes xorRow(xorStride, 0), andRow(andStride, 0);
        for (int x = 0; x < size; ++x)
        {
            double dx = x + 0.5 - size / 2.0, dy = y + 0.5 - size / 2.0;
            bool inside = dx * dx + dy * dy < size * size / 4.0;
            bool rim = inside && dx * dx + dy * dy > size * size / 4.0 * 0.8;
            Rgb c = rim ? Rgb{ 20, 20, 120 } : Scene(x, y, size, size);
            if (!inside)
                andRow[x / 8] |= 0x80 >> (x % 8);
            if (bits == 32 && inside)
                Put32(xorRow, 4 * x, 0xFF000000u | c.r << 16 | c.g << 8 | c.b);
            else if (bits == 1 && inside && ((c.r * 306 + c.g * 601 + c.b * 117) >> 10) * 16 / 256 > Bayer(x, y))
                xorRow[x / 8] |= 0x80 >> (x % 8);
        }
        xorBits.insert(xorBits.end(), xorRow.begin(), xorRow.end());
        andBits.insert(andBits.end(), andRow.begin(), andRow.end());
    }
    b.insert(b.end(), xorBits.begin(), xorBits.end());
    b.insert(b.end(), andBits.begin(), andBits.end());
    return b;
}

// type 1: icon; type 2: cursor with its hot spot at the centre.
Bytes MakeIconFile(const std::vector<int>& sizes, int bits, int type)
{
    Bytes b(6, 0);
    Put16(b, 2, type);
    Put16(b, 4, (unsigned)sizes.size());
    std::vector<Bytes> images;
    for (int size : sizes)
        images.push_back(MakeIconDib(size, bits));
    size_t offset = 6 + 16 * sizes.size();
    for (size_t i = 0; i < sizes.size(); ++i)
    {
        Bytes entry(16, 0);
        entry[0] = (unsigned char)(sizes[i] & 0xFF); // 256 is written as 0
        entry[1] = (unsigned char)(sizes[i] & 0xFF);
        Put16(entry, 4, type == 1 ? 1 : sizes[i] / 2);
        Put16(entry, 6, type == 1 ? bits : sizes[i] / 2);
        Put32(entry, 8, (unsigned)images[i].size());
        Put32(entry, 12, (unsigned)offset);
        offset += images[i].size();
        b.insert(b.end(), entry.begin(), entry.end());
    }
    for (const Bytes& image : images)
        b.insert(b.end(), image.begin(), image.end());
    return b;
}

int WriteBitmapSamples(const char* folder)
{
    std::string base = std::string(folder) + "\\";
    struct Depth
    {
        int bits;
        const char* name;
        std::vector<unsigned> masks;
    };
    const Depth depths[] = {
        { 1, "1bit", {} },
        { 4, "4bit", {} },
        { 8, "8bit", {} },
        { 16, "16bit_555", {} },
        { 16, "16bit_565", { 0xF800, 0x07E0, 0x001F } },
        { 24, "24bit", {} },
        { 32, "32bit", {} },
        { 32, "32bit_fields", { 0x000000FF, 0x0000FF00, 0x00FF0000 } },
    };
    int written = 0;
    for (const Depth& d : depths)
    {
        // An odd width exercises row padding at every depth.
        if (!WriteSampleFile(base + "bmp_" + d.name + ".bmp", MakeBmp(161, 120, d.bits, false, d.masks)) ||
            !WriteSampleFile(base + "bmp_" + d.name + "_topdown.bmp", MakeBmp(161, 120, d.bits, true, d.masks)))
            return -1;
        written += 2;
    }
    if (!WriteSampleFile(base + "dib_24bit.dib", MakeBmp(64, 48, 24, false, {})))
        return -1;
    ++written;

    struct IconSample
    {
        const char* name;
        std::vector<int> sizes;
        int bits;
        int type;
    };
    const IconSample icons[] = {
        { "icon_sizes.ico", { 16, 24, 32, 48, 64, 256 }, 32, 1 },
        { "icon_single32.ico", { 32 }, 32, 1 },
        { "icon_mono.ico", { 16, 32 }, 1, 1 },
        { "cursor32.cur", { 32 }, 32, 2 },
        { "cursor_mono.cur", { 32 }, 1, 2 },
        { "cursor48.cur", { 48 }, 32, 2 },
    };
    for (const IconSample& icon : icons)
    {
        if (!WriteSampleFile(base + icon.name, MakeIconFile(icon.sizes, icon.bits, icon.type)))
            return -1;
        ++written;
    }
    return written;
}
} // namespace

PIXMERE_SAMPLE_WRITER(bmp, WriteBitmapSamples);
