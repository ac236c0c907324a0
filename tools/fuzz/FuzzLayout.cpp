// Format walkers for the mutator. Each walker stops at the first thing it
// cannot follow and bounds its loops by the data's size.
#include "FuzzLayout.h"

#include <string.h>
#include <algorithm>

namespace
{
void AddField(FuzzStructure& s, const Bytes& d, size_t offset, int size, bool bigEndian,
              bool focus = false)
{
    if (offset + size <= d.size())
        s.fields.push_back({ offset, size, bigEndian, focus });
}

void AddChunk(FuzzStructure& s, const Bytes& d, size_t offset, size_t length)
{
    if (length > 0 && offset < d.size() && length <= d.size() - offset)
        s.chunks.push_back({ offset, length });
}

void WalkBmp(const Bytes& d, FuzzStructure& s)
{
    static const struct { size_t offset; int size; } fields[] = {
        { 2, 4 }, { 10, 4 }, { 14, 4 }, { 18, 4 }, { 22, 4 }, { 26, 2 }, { 28, 2 },
        { 30, 4 }, { 34, 4 }, { 46, 4 }, { 50, 4 }, { 54, 4 }, { 58, 4 }, { 62, 4 },
    };
    for (auto& f : fields)
        AddField(s, d, f.offset, f.size, false);
    AddChunk(s, d, 0, 14);
    uint32_t infoSize = ReadField(d, 14, 4, false);
    uint32_t bitsAt = ReadField(d, 10, 4, false);
    if (infoSize >= 12 && 14 + (size_t)infoSize <= d.size())
    {
        AddChunk(s, d, 14, infoSize);
        if (bitsAt > 14 + infoSize && bitsAt <= d.size())
        {
            AddChunk(s, d, 14 + infoSize, bitsAt - 14 - infoSize); // palette
            AddChunk(s, d, bitsAt, d.size() - bitsAt);
        }
    }
}

// The BITMAPINFOHEADER of an icon image at `at`.
void WalkDibHeader(const Bytes& d, size_t at, FuzzStructure& s)
{
    static const struct { size_t offset; int size; } fields[] = {
        { 0, 4 }, { 4, 4 }, { 8, 4 }, { 12, 2 }, { 14, 2 }, { 16, 4 }, { 20, 4 }, { 32, 4 },
    };
    for (auto& f : fields)
        AddField(s, d, at + f.offset, f.size, false);
}

void WalkIcon(const Bytes& d, FuzzStructure& s)
{
    AddField(s, d, 2, 2, false);
    AddField(s, d, 4, 2, false);
    uint32_t count = ReadField(d, 4, 2, false);
    for (uint32_t i = 0; i < count && 6 + 16 * (size_t)(i + 1) <= d.size(); ++i)
    {
        size_t e = 6 + 16 * (size_t)i;
        AddChunk(s, d, e, 16);
        AddField(s, d, e, 1, false);
        AddField(s, d, e + 1, 1, false);
        AddField(s, d, e + 2, 1, false);
        AddField(s, d, e + 4, 2, false);
        AddField(s, d, e + 6, 2, false);
        AddField(s, d, e + 8, 4, false);
        AddField(s, d, e + 12, 4, false);
        uint32_t size = ReadField(d, e + 8, 4, false);
        uint32_t at = ReadField(d, e + 12, 4, false);
        if (at < d.size())
        {
            AddChunk(s, d, at, size < d.size() - at ? size : d.size() - at);
            WalkDibHeader(d, at, s);
        }
    }
}

// The TIFF structure inside an EXIF block or a TIFF file, from `base`.
void WalkTiff(const Bytes& d, size_t base, FuzzStructure& s, bool focus, bool chunks)
{
    if (base + 8 > d.size())
        return;
    bool be = d[base] == 'M';
    AddField(s, d, base + 2, 2, be, focus);
    AddField(s, d, base + 4, 4, be, focus);
    uint32_t ifd = ReadField(d, base + 4, 4, be);
    std::vector<uint32_t> pending;
    for (int visited = 0; visited < 12 && ifd != 0 && base + ifd + 2 <= d.size(); ++visited)
    {
        size_t at = base + ifd;
        AddField(s, d, at, 2, be, focus);
        uint32_t count = ReadField(d, at, 2, be);
        size_t e = at + 2;
        for (uint32_t i = 0; i < count && e + 12 <= d.size(); ++i, e += 12)
        {
            if (chunks)
                AddChunk(s, d, e, 12);
            AddField(s, d, e + 2, 2, be, focus); // type
            AddField(s, d, e + 4, 4, be, focus); // count
            AddField(s, d, e + 8, 4, be, focus); // value or offset
            AddField(s, d, e + 8, 2, be, focus);
            uint32_t tag = ReadField(d, e, 2, be);
            if ((tag == 0x8769 || tag == 0xA005 || tag == 0x014A) && pending.size() < 4)
                pending.push_back(ReadField(d, e + 8, 4, be));
        }
        AddField(s, d, e, 4, be, focus);
        ifd = ReadField(d, e, 4, be);
        if (ifd == 0 && !pending.empty())
        {
            ifd = pending.back();
            pending.pop_back();
        }
    }
}

void WalkJpeg(const Bytes& d, FuzzStructure& s)
{
    size_t pos = 2;
    for (int n = 0; n < 4096 && pos + 4 <= d.size(); ++n)
    {
        if (d[pos] != 0xFF)
            return;
        unsigned marker = d[pos + 1];
        if (marker == 0xD9)
            return;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7) || marker == 0xFF)
        {
            pos += marker == 0xFF ? 1 : 2;
            continue;
        }
        AddField(s, d, pos + 2, 2, true);
        size_t length = ReadField(d, pos + 2, 2, true);
        size_t end = pos + 2 + length;
        if (length < 2 || end > d.size())
            return;
        if ((marker >= 0xC0 && marker <= 0xCF) && marker != 0xC4 && marker != 0xC8 && marker != 0xCC)
        {
            AddField(s, d, pos + 4, 1, true);  // precision
            AddField(s, d, pos + 5, 2, true);  // height
            AddField(s, d, pos + 7, 2, true);  // width
            AddField(s, d, pos + 9, 1, true);  // components
            for (size_t c = pos + 10; c + 3 <= end && c < pos + 10 + 12; c += 3)
                AddField(s, d, c + 1, 1, true); // sampling factors
        }
        else if (marker == 0xC4)
        {
            for (size_t c = pos + 5; c < pos + 21 && c < end; ++c)
                AddField(s, d, c, 1, true);
        }
        else if (marker == 0xDD)
            AddField(s, d, pos + 4, 2, true);
        else if (marker == 0xE1 && length >= 16 && memcmp(&d[pos + 4], "Exif\0\0", 6) == 0)
            WalkTiff(d, pos + 10, s, true, false);
        if (marker == 0xDA)
        {
            AddField(s, d, pos + 4, 1, true);
            // The entropy-coded data runs to the next marker that is not a
            // stuffed byte or a restart.
            size_t e = end;
            while (e + 1 < d.size() && !(d[e] == 0xFF && d[e + 1] != 0 &&
                                         !(d[e + 1] >= 0xD0 && d[e + 1] <= 0xD7)))
                ++e;
            AddChunk(s, d, pos, e - pos);
            pos = e;
            continue;
        }
        AddChunk(s, d, pos, end - pos);
        pos = end;
    }
}

void WalkPng(const Bytes& d, FuzzStructure& s)
{
    size_t pos = 8;
    for (int n = 0; n < 100000 && pos + 12 <= d.size(); ++n)
    {
        uint32_t length = ReadField(d, pos, 4, true);
        AddField(s, d, pos, 4, true);
        if (length > d.size() - pos - 12)
            return;
        if (memcmp(&d[pos + 4], "IHDR", 4) == 0)
        {
            AddField(s, d, pos + 8, 4, true);
            AddField(s, d, pos + 12, 4, true);
            AddField(s, d, pos + 16, 1, true);
            AddField(s, d, pos + 17, 1, true);
            AddField(s, d, pos + 20, 1, true);
        }
        else if (length >= 4)
        {
            AddField(s, d, pos + 8, 4, true);
            AddField(s, d, pos + 8, 1, true);
        }
        AddChunk(s, d, pos, 12 + (size_t)length);
        pos += 12 + (size_t)length;
    }
}

// Sub-blocks from `pos`; returns the position after the terminator.
size_t WalkSubBlocks(const Bytes& d, size_t pos, FuzzStructure& s)
{
    while (pos < d.size())
    {
        unsigned length = d[pos];
        AddField(s, d, pos, 1, false);
        pos += 1 + length;
        if (length == 0)
            break;
    }
    return pos;
}

void WalkGif(const Bytes& d, FuzzStructure& s)
{
    if (d.size() < 13)
        return;
    AddField(s, d, 6, 2, false);
    AddField(s, d, 8, 2, false);
    AddField(s, d, 10, 1, false);
    AddField(s, d, 11, 1, false);
    size_t pos = 13;
    if (d[10] & 0x80)
        pos += 3 * ((size_t)2 << (d[10] & 7));
    for (int n = 0; n < 100000 && pos < d.size(); ++n)
    {
        size_t start = pos;
        if (d[pos] == 0x21 && pos + 2 < d.size())
        {
            AddField(s, d, pos + 1, 1, false);
            pos = WalkSubBlocks(d, pos + 2, s);
        }
        else if (d[pos] == 0x2C && pos + 10 <= d.size())
        {
            for (int i = 0; i < 4; ++i)
                AddField(s, d, pos + 1 + 2 * i, 2, false);
            AddField(s, d, pos + 9, 1, false);
            unsigned flags = d[pos + 9];
            pos += 10;
            if (flags & 0x80)
                pos += 3 * ((size_t)2 << (flags & 7));
            AddField(s, d, pos, 1, false); // LZW minimum code size
            pos = WalkSubBlocks(d, pos + 1, s);
        }
        else
            return;
        AddChunk(s, d, start, (pos < d.size() ? pos : d.size()) - start);
    }
}

void WalkWmf(const Bytes& d, FuzzStructure& s)
{
    size_t base = 0;
    if (d.size() >= 22 && ReadField(d, 0, 4, false) == 0x9AC6CDD7)
    {
        for (size_t o = 6; o < 16; o += 2)
            AddField(s, d, o, 2, false);
        base = 22;
    }
    if (base + 18 > d.size())
        return;
    AddField(s, d, base + 2, 2, false);
    AddField(s, d, base + 6, 4, false);
    AddField(s, d, base + 10, 2, false);
    AddField(s, d, base + 12, 4, false);
    AddField(s, d, base + 16, 2, false);
    size_t pos = base + 18;
    for (int n = 0; n < 100000 && pos + 6 <= d.size(); ++n)
    {
        uint32_t words = ReadField(d, pos, 4, false);
        AddField(s, d, pos, 4, false);
        AddField(s, d, pos + 4, 2, false);
        for (size_t p = pos + 6; p < pos + 6 + 12 && p + 2 <= d.size(); p += 2)
            AddField(s, d, p, 2, false);
        if (words < 3 || (size_t)words * 2 > d.size() - pos)
            return;
        AddChunk(s, d, pos, (size_t)words * 2);
        pos += (size_t)words * 2;
    }
}

void WalkEmf(const Bytes& d, FuzzStructure& s)
{
    size_t pos = 0;
    for (int n = 0; n < 100000 && pos + 8 <= d.size(); ++n)
    {
        uint32_t type = ReadField(d, pos, 4, false);
        uint32_t size = ReadField(d, pos + 4, 4, false);
        AddField(s, d, pos, 4, false);
        AddField(s, d, pos + 4, 4, false);
        size_t params = type == 1 ? 100 : 40;
        for (size_t p = pos + 8; p < pos + 8 + params && p + 4 <= d.size(); p += 4)
        {
            AddField(s, d, p, 4, false);
            if (type != 1)
                AddField(s, d, p, 2, false);
        }
        if (size < 8 || size > d.size() - pos)
            return;
        AddChunk(s, d, pos, size);
        pos += size;
    }
}

// One archive string at pos; returns false when it does not fit.
// RIFF: the file size, then chunks of a four-letter name and a 32-bit
// little-endian size, padded to even lengths; the picture sizes of the
// extended header (24-bit fields) and of an animation frame's header.
void WalkRiff(const Bytes& d, FuzzStructure& s)
{
    if (d.size() < 12 || memcmp(&d[0], "RIFF", 4) != 0)
        return;
    AddField(s, d, 4, 4, false);
    size_t pos = 12;
    for (int n = 0; n < 100000 && pos + 8 <= d.size(); ++n)
    {
        uint32_t length = ReadField(d, pos + 4, 4, false);
        AddField(s, d, pos + 4, 4, false);
        if (length > d.size() - pos - 8)
            return;
        if (memcmp(&d[pos], "VP8X", 4) == 0 && length >= 10)
        {
            for (size_t field : { pos + 12, pos + 15 })
            {
                AddField(s, d, field, 2, false);
                AddField(s, d, field + 2, 1, false);
            }
        }
        else if (memcmp(&d[pos], "ANMF", 4) == 0 && length >= 16)
        {
            for (size_t field : { pos + 8, pos + 11, pos + 14, pos + 17 })
                AddField(s, d, field, 2, false);
        }
        else if (memcmp(&d[pos], "VP8L", 4) == 0 && length >= 5)
            AddField(s, d, pos + 9, 4, false);
        else if (memcmp(&d[pos], "EXIF", 4) == 0 && length >= 8)
            WalkTiff(d, pos + 8 + (memcmp(&d[pos + 8], "Exif", 4) == 0 ? 6 : 0), s, false, false);
        size_t whole = 8 + (size_t)length + (length & 1);
        AddChunk(s, d, pos, std::min(whole, d.size() - pos));
        pos += whole;
    }
}

// ISO base media boxes: a 32-bit big-endian size and a four-letter type;
// the boxes that hold boxes are entered (meta after its version and flags),
// and the item locations and image sizes are fields of their own.
void WalkBoxes(const Bytes& d, size_t pos, size_t end, FuzzStructure& s, int depth)
{
    for (int n = 0; n < 100000 && pos + 8 <= end; ++n)
    {
        uint32_t length = ReadField(d, pos, 4, true);
        AddField(s, d, pos, 4, true);
        if (length < 8 || length > end - pos)
            return;
        const unsigned char* type = &d[pos + 4];
        if (depth < 8 && memcmp(type, "meta", 4) == 0)
            WalkBoxes(d, pos + 12, pos + length, s, depth + 1);
        else if (depth < 8 && (memcmp(type, "iprp", 4) == 0 || memcmp(type, "ipco", 4) == 0 ||
                               memcmp(type, "dinf", 4) == 0))
            WalkBoxes(d, pos + 8, pos + length, s, depth + 1);
        else if (memcmp(type, "ispe", 4) == 0 || memcmp(type, "iloc", 4) == 0 ||
                 memcmp(type, "ipma", 4) == 0 || memcmp(type, "iref", 4) == 0)
        {
            for (size_t field = pos + 12; field + 4 <= pos + length && field < pos + 12 + 64; field += 2)
                AddField(s, d, field, field % 4 == pos % 4 ? 4 : 2, true);
        }
        AddChunk(s, d, pos, length);
        pos += length;
    }
}

bool WalkArchiveString(const Bytes& d, size_t& pos, FuzzStructure& s)
{
    if (pos >= d.size())
        return false;
    size_t length = d[pos];
    AddField(s, d, pos, 1, false);
    pos += 1;
    if (length == 0xFF)
    {
        AddField(s, d, pos, 2, false);
        length = ReadField(d, pos, 2, false);
        pos += 2;
        if (length == 0xFFFF)
        {
            AddField(s, d, pos, 4, false);
            length = ReadField(d, pos, 4, false);
            pos += 4;
        }
    }
    if (pos > d.size() || length > d.size() - pos)
        return false;
    pos += length;
    return true;
}

void WalkRecords(const Bytes& d, FuzzStructure& s)
{
    size_t pos = 0;
    for (int n = 0; n < 100000 && pos < d.size(); ++n)
    {
        size_t start = pos;
        if (!WalkArchiveString(d, pos, s) || !WalkArchiveString(d, pos, s) || pos + 8 > d.size())
            return;
        AddField(s, d, pos, 4, false);
        AddField(s, d, pos + 4, 4, false);
        pos += 8;
        AddChunk(s, d, start, pos - start);
    }
}

void WalkStrings(const Bytes& d, FuzzStructure& s)
{
    size_t pos = 0;
    for (int n = 0; n < 100000 && pos < d.size() && d[pos] != 0; ++n)
    {
        size_t end = pos;
        while (end < d.size() && d[end] != 0)
            ++end;
        AddChunk(s, d, pos, (end < d.size() ? end + 1 : end) - pos);
        pos = end + 1;
    }
}

uint32_t Crc32(const unsigned char* p, size_t n)
{
    static uint32_t table[256];
    static bool ready = false;
    if (!ready)
    {
        for (uint32_t i = 0; i < 256; ++i)
        {
            uint32_t c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320U ^ (c >> 1) : c >> 1;
            table[i] = c;
        }
        ready = true;
    }
    uint32_t c = 0xFFFFFFFFU;
    for (size_t i = 0; i < n; ++i)
        c = table[(c ^ p[i]) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFU;
}
} // namespace

void AnalyseLayout(FuzzLayout layout, const Bytes& data, FuzzStructure& out)
{
    out.chunks.clear();
    out.fields.clear();
    switch (layout)
    {
    case LayoutBmp: WalkBmp(data, out); break;
    case LayoutIcon: WalkIcon(data, out); break;
    case LayoutJpeg: WalkJpeg(data, out); break;
    case LayoutPng: WalkPng(data, out); break;
    case LayoutGif: WalkGif(data, out); break;
    case LayoutTiff: WalkTiff(data, 0, out, false, true); break;
    case LayoutWmf: WalkWmf(data, out); break;
    case LayoutEmf: WalkEmf(data, out); break;
    case LayoutRiff: WalkRiff(data, out); break;
    case LayoutBoxes: WalkBoxes(data, 0, data.size(), out, 0); break;
    case LayoutRecords: WalkRecords(data, out); break;
    case LayoutStrings: WalkStrings(data, out); break;
    case LayoutNone: break;
    }
}

void FixChecksums(FuzzLayout layout, Bytes& d)
{
    if (layout != LayoutPng)
        return;
    size_t pos = 8;
    while (pos + 12 <= d.size())
    {
        uint32_t length = ReadField(d, pos, 4, true);
        if (length > d.size() - pos - 12)
            return;
        uint32_t crc = Crc32(&d[pos + 4], 4 + (size_t)length);
        WriteField(d, pos + 8 + length, 4, true, crc);
        pos += 12 + (size_t)length;
    }
}
