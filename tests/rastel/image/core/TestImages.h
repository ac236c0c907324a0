// Builders of BMP, ICO and CUR files byte by byte, and a temporary folder for
// the image-core tests. The builders write the formats' little-endian
// structures directly, so tests can also corrupt any header field.
#pragma once

#include <windows.h>
#include <string.h>
#include "Framework.h"
#include <functional>
#include <string>
#include <vector>

#include "FileBytes.h"
#include "PixelRead.h"
#include "TempFolder.h"

typedef std::vector<unsigned char> Bytes;

using test_support::RgbAt;

inline void PutU16(Bytes& b, size_t at, unsigned v)
{
    b[at] = (unsigned char)v;
    b[at + 1] = (unsigned char)(v >> 8);
}

inline void PutU32(Bytes& b, size_t at, unsigned v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = (unsigned char)(v >> (8 * i));
}

inline void AppendU16(Bytes& b, unsigned v)
{
    b.resize(b.size() + 2);
    PutU16(b, b.size() - 2, v);
}

inline void AppendU32(Bytes& b, unsigned v)
{
    b.resize(b.size() + 4);
    PutU32(b, b.size() - 4, v);
}

// Offsets of BMP header fields in a file with a BITMAPINFOHEADER.
enum
{
    BmpOffBits = 10,
    BmpWidth = 18,
    BmpHeight = 22,
    BmpBitCount = 28,
    BmpCompression = 30,
    BmpSizeImage = 34,
    BmpClrUsed = 46,
    BmpHeaderEnd = 54
};

struct BmpDescription
{
    int width = 1;
    int height = 1;          // negative: top-down
    int bits = 24;
    std::vector<RGBQUAD> palette; // written as given (bits <= 8)
    std::vector<DWORD> masks;     // three masks: BI_BITFIELDS
    // Value of the pixel at (x, y), y counted from the top of the picture:
    // a palette index, a packed 16/32-bit value, or 0xRRGGBB for 24 bits.
    std::function<DWORD(int x, int y)> pixel;
};

inline int BmpStride(int width, int bits)
{
    return (width * bits + 31) / 32 * 4;
}

inline Bytes MakeBmp(const BmpDescription& d)
{
    int rows = d.height < 0 ? -d.height : d.height;
    int stride = BmpStride(d.width, d.bits);
    Bytes b(BmpHeaderEnd, 0);
    b[0] = 'B';
    b[1] = 'M';
    PutU32(b, 14, 40);
    PutU32(b, BmpWidth, d.width);
    PutU32(b, BmpHeight, (unsigned)d.height);
    PutU16(b, 26, 1);
    PutU16(b, BmpBitCount, d.bits);
    PutU32(b, BmpCompression, d.masks.empty() ? BI_RGB : BI_BITFIELDS);
    PutU32(b, BmpSizeImage, stride * rows);
    PutU32(b, BmpClrUsed, (unsigned)d.palette.size());
    for (DWORD mask : d.masks)
        AppendU32(b, mask);
    for (const RGBQUAD& q : d.palette)
    {
        b.push_back(q.rgbBlue);
        b.push_back(q.rgbGreen);
        b.push_back(q.rgbRed);
        b.push_back(0);
    }
    PutU32(b, BmpOffBits, (unsigned)b.size());
    for (int fileRow = 0; fileRow < rows; ++fileRow)
    {
        int y = d.height > 0 ? rows - 1 - fileRow : fileRow;
        Bytes row(stride, 0);
        for (int x = 0; x < d.width; ++x)
        {
            DWORD v = d.pixel ? d.pixel(x, y) : 0;
            switch (d.bits)
            {
            case 1: row[x / 8] |= (v & 1) << (7 - x % 8); break;
            case 4: row[x / 2] |= (v & 15) << (x % 2 ? 0 : 4); break;
            case 8: row[x] = (unsigned char)v; break;
            case 16: PutU16(row, 2 * x, v); break;
            case 24:
                row[3 * x] = (unsigned char)v;
                row[3 * x + 1] = (unsigned char)(v >> 8);
                row[3 * x + 2] = (unsigned char)(v >> 16);
                break;
            case 32: PutU32(row, 4 * x, v); break;
            }
        }
        b.insert(b.end(), row.begin(), row.end());
    }
    PutU32(b, 2, (unsigned)b.size());
    return b;
}

inline RGBQUAD Quad(int r, int g, int b)
{
    RGBQUAD q = { (BYTE)b, (BYTE)g, (BYTE)r, 0 };
    return q;
}

// One image of an icon or cursor file: a 32-bit or 1-bit DIB with its mask.
struct IconImage
{
    int width = 16;
    int height = 16;
    int bits = 32;
    std::function<DWORD(int x, int y)> pixel; // 0xRRGGBB (32 bits) or 0/1 (1 bit)
    std::function<int(int x, int y)> mask;    // AND mask bit, default 0
};

// The DIB of one icon image: header, palette (1 bit), XOR bits, AND bits.
inline Bytes MakeIconDib(const IconImage& im)
{
    Bytes b(40, 0);
    PutU32(b, 0, 40);
    PutU32(b, 4, im.width);
    PutU32(b, 8, 2 * im.height);
    PutU16(b, 12, 1);
    PutU16(b, 14, im.bits);
    int xorStride = BmpStride(im.width, im.bits), andStride = BmpStride(im.width, 1);
    PutU32(b, 20, (xorStride + andStride) * im.height);
    if (im.bits == 1)
    {
        AppendU32(b, 0x000000);
        AppendU32(b, 0xFFFFFF);
    }
    for (int fileRow = 0; fileRow < im.height; ++fileRow)
    {
        int y = im.height - 1 - fileRow;
        Bytes row(xorStride, 0);
        for (int x = 0; x < im.width; ++x)
        {
            DWORD v = im.pixel ? im.pixel(x, y) : 0;
            if (im.bits == 32)
                PutU32(row, 4 * x, v | 0xFF000000);
            else
                row[x / 8] |= (v & 1) << (7 - x % 8);
        }
        b.insert(b.end(), row.begin(), row.end());
    }
    for (int fileRow = 0; fileRow < im.height; ++fileRow)
    {
        int y = im.height - 1 - fileRow;
        Bytes row(andStride, 0);
        for (int x = 0; x < im.width; ++x)
            if (im.mask && im.mask(x, y))
                row[x / 8] |= 1 << (7 - x % 8);
        b.insert(b.end(), row.begin(), row.end());
    }
    return b;
}

// type 1: icon, type 2: cursor (hot spot 0, 0).
inline Bytes MakeIconFile(const std::vector<IconImage>& images, int type = 1)
{
    Bytes b(6, 0);
    PutU16(b, 2, type);
    PutU16(b, 4, (unsigned)images.size());
    std::vector<Bytes> dibs;
    for (const IconImage& im : images)
        dibs.push_back(MakeIconDib(im));
    size_t offset = 6 + 16 * images.size();
    for (size_t i = 0; i < images.size(); ++i)
    {
        const IconImage& im = images[i];
        b.push_back((unsigned char)(im.width & 0xFF));
        b.push_back((unsigned char)(im.height & 0xFF));
        b.push_back(0);
        b.push_back(0);
        AppendU16(b, type == 1 ? 1 : 0);
        AppendU16(b, type == 1 ? im.bits : 0);
        AppendU32(b, (unsigned)dibs[i].size());
        AppendU32(b, (unsigned)offset);
        offset += dibs[i].size();
    }
    for (const Bytes& dib : dibs)
        b.insert(b.end(), dib.begin(), dib.end());
    return b;
}

// A truecolour PNG (8-bit RGBA) with its pixel data in stored (uncompressed)
// deflate blocks, so no compressor is needed.
inline unsigned PngCrc(const unsigned char* p, size_t n, unsigned crc = 0xFFFFFFFFu)
{
    for (size_t i = 0; i < n; ++i)
    {
        crc ^= p[i];
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return crc;
}

inline void AppendPngChunk(Bytes& png, const char* type, const Bytes& data)
{
    Bytes chunk(type, type + 4);
    chunk.insert(chunk.end(), data.begin(), data.end());
    for (int i = 3; i >= 0; --i)
        png.push_back((unsigned char)(data.size() >> (8 * i)));
    png.insert(png.end(), chunk.begin(), chunk.end());
    unsigned crc = PngCrc(chunk.data(), chunk.size()) ^ 0xFFFFFFFFu;
    for (int i = 3; i >= 0; --i)
        png.push_back((unsigned char)(crc >> (8 * i)));
}

// pixel(x, y) gives 0xAARRGGBB.
inline Bytes MakePng(int width, int height, const std::function<DWORD(int x, int y)>& pixel)
{
    Bytes raw;
    for (int y = 0; y < height; ++y)
    {
        raw.push_back(0); // filter: none
        for (int x = 0; x < width; ++x)
        {
            DWORD v = pixel(x, y);
            raw.push_back((unsigned char)(v >> 16));
            raw.push_back((unsigned char)(v >> 8));
            raw.push_back((unsigned char)v);
            raw.push_back((unsigned char)(v >> 24));
        }
    }
    Bytes z = { 0x78, 0x01 };
    for (size_t at = 0; at < raw.size() || at == 0; at += 65535)
    {
        size_t n = raw.size() - at < 65535 ? raw.size() - at : 65535;
        z.push_back(at + n >= raw.size() ? 1 : 0);
        z.push_back((unsigned char)n);
        z.push_back((unsigned char)(n >> 8));
        z.push_back((unsigned char)~n);
        z.push_back((unsigned char)(~n >> 8));
        z.insert(z.end(), raw.begin() + at, raw.begin() + at + n);
        if (raw.empty())
            break;
    }
    unsigned a = 1, b = 0;
    for (unsigned char c : raw)
    {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    unsigned adler = (b << 16) | a;
    for (int i = 3; i >= 0; --i)
        z.push_back((unsigned char)(adler >> (8 * i)));

    Bytes png = { 0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A };
    Bytes header(13, 0);
    for (int i = 0; i < 4; ++i)
    {
        header[i] = (unsigned char)(width >> (24 - 8 * i));
        header[4 + i] = (unsigned char)(height >> (24 - 8 * i));
    }
    header[8] = 8; // bit depth
    header[9] = 6; // RGBA
    AppendPngChunk(png, "IHDR", header);
    AppendPngChunk(png, "IDAT", z);
    AppendPngChunk(png, "IEND", Bytes());
    return png;
}

// An icon file of one 32-bit DIB image followed by one PNG image.
inline Bytes MakeIconWithPng(const IconImage& dibImage, int pngSize, const Bytes& png)
{
    Bytes b = MakeIconFile({ dibImage });
    Bytes dib(b.begin() + 22, b.end());
    Bytes out(6, 0);
    PutU16(out, 2, 1);
    PutU16(out, 4, 2);
    Bytes entries = Bytes(b.begin() + 6, b.begin() + 22);
    PutU32(entries, 12, 6 + 32);
    Bytes second(16, 0);
    second[0] = second[1] = (unsigned char)(pngSize & 0xFF);
    PutU16(second, 4, 1);
    PutU16(second, 6, 32);
    PutU32(second, 8, (unsigned)png.size());
    PutU32(second, 12, (unsigned)(6 + 32 + dib.size()));
    out.insert(out.end(), entries.begin(), entries.end());
    out.insert(out.end(), second.begin(), second.end());
    out.insert(out.end(), dib.begin(), dib.end());
    out.insert(out.end(), png.begin(), png.end());
    return out;
}

// The shared temporary folder, with a writer for these tests' byte vectors.
class TempFolder : public test_support::TempFolder
{
public:
    explicit TempFolder(const char* name) : test_support::TempFolder(name) {}

    // Writes bytes as the file name in this folder; returns the file's path.
    std::string Write(const std::string& name, const Bytes& bytes) const
    {
        std::string path = File(name);
        test_support::WriteFileBytes(path, std::string(bytes.begin(), bytes.end()));
        return path;
    }
};

// A 32-bit top-down DIB selected into a memory context, wrapped in a CDC.
class MemoryCanvas
{
public:
    MemoryCanvas(int width, int height, COLORREF fill) : m_Width(width), m_Height(height)
    {
        BITMAPINFO info;
        memset(&info, 0, sizeof(info));
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        m_Bitmap = CreateDIBSection(NULL, &info, DIB_RGB_COLORS, (void**)&m_Bits, NULL, 0);
        m_Dc.Attach(CreateCompatibleDC(NULL));
        m_Old = SelectObject(m_Dc.m_hDC, m_Bitmap);
        for (int i = 0; i < width * height; ++i)
            m_Bits[i] = (GetRValue(fill) << 16) | (GetGValue(fill) << 8) | GetBValue(fill);
    }
    ~MemoryCanvas()
    {
        SelectObject(m_Dc.m_hDC, m_Old);
        DeleteDC(m_Dc.Detach());
        DeleteObject(m_Bitmap);
    }
    CDC* Dc() { return &m_Dc; }
    // 0xRRGGBB of the pixel at (x, y).
    DWORD At(int x, int y)
    {
        GdiFlush();
        return m_Bits[y * m_Width + x] & 0xFFFFFF;
    }

private:
    int m_Width, m_Height;
    DWORD* m_Bits = nullptr;
    HBITMAP m_Bitmap;
    HGDIOBJ m_Old;
    CDC m_Dc;
};

