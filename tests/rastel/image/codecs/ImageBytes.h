// Hand-made PNG, GIF and TIFF files for the codec tests: written byte by byte
// here, independently of the libraries that read them, so that the pixels
// each file holds are known exactly and hostile variants are easy to make.
#pragma once

#include <stdint.h>
#include <algorithm>
#include <stdio.h>
#include <string>
#include <vector>

namespace image_bytes
{
typedef std::vector<uint8_t> Bytes;

inline void Put16LE(Bytes& b, unsigned v)
{
    b.push_back((uint8_t)v);
    b.push_back((uint8_t)(v >> 8));
}
inline void Put32LE(Bytes& b, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b.push_back((uint8_t)(v >> (8 * i)));
}
inline void Put32BE(Bytes& b, uint32_t v)
{
    for (int i = 3; i >= 0; --i)
        b.push_back((uint8_t)(v >> (8 * i)));
}
inline void Append(Bytes& b, const Bytes& more)
{
    b.insert(b.end(), more.begin(), more.end());
}

inline bool WriteFile(const std::string& path, const Bytes& bytes)
{
    FILE* file = fopen(path.c_str(), "wb");
    if (file == NULL)
        return false;
    size_t written = bytes.empty() ? 0 : fwrite(bytes.data(), 1, bytes.size(), file);
    fclose(file);
    return written == bytes.size();
}

// ---- PNG ---------------------------------------------------------------

inline uint32_t Crc32(const uint8_t* data, size_t length, uint32_t crc = 0)
{
    crc = ~crc;
    for (size_t i = 0; i < length; ++i)
    {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

inline uint32_t Adler32(const Bytes& data)
{
    uint32_t a = 1, b = 0;
    for (uint8_t byte : data)
    {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

// A zlib stream of stored (uncompressed) deflate blocks.
inline Bytes ZlibStored(const Bytes& data)
{
    Bytes z = { 0x78, 0x01 };
    size_t at = 0;
    do
    {
        size_t n = std::min<size_t>(65535, data.size() - at);
        z.push_back(at + n == data.size() ? 1 : 0);
        Put16LE(z, (unsigned)n);
        Put16LE(z, (unsigned)(~n & 0xFFFF));
        z.insert(z.end(), data.begin() + at, data.begin() + at + n);
        at += n;
    } while (at < data.size());
    Put32BE(z, Adler32(data));
    return z;
}

// A zlib stream that inflates to `count` zero bytes from a few bytes per
// 258 of output (fixed Huffman codes: one literal 0, then matches of length
// 258 at distance 1): the body of a decompression bomb.
inline Bytes ZlibZeros(uint64_t count)
{
    Bytes z = { 0x78, 0x01 };
    uint32_t bitBuffer = 0;
    int bitCount = 0;
    auto putBits = [&](uint32_t value, int bits) { // LSB first
        for (int i = 0; i < bits; ++i)
        {
            bitBuffer |= ((value >> i) & 1) << bitCount;
            if (++bitCount == 8)
            {
                z.push_back((uint8_t)bitBuffer);
                bitBuffer = 0;
                bitCount = 0;
            }
        }
    };
    auto putCode = [&](uint32_t code, int bits) { // Huffman codes MSB first
        for (int i = bits - 1; i >= 0; --i)
            putBits((code >> i) & 1, 1);
    };
    putBits(1, 1); // final block
    putBits(1, 2); // fixed Huffman
    putCode(0x30, 8); // literal 0
    uint64_t done = 1;
    while (count - done >= 258)
    {
        putCode(0xC5, 8); // length code 285 = 258
        putCode(0, 5);    // distance code 0 = 1
        done += 258;
    }
    while (done < count)
    {
        putCode(0x30, 8);
        ++done;
    }
    putCode(0, 7); // end of block (code 256)
    if (bitCount)
        z.push_back((uint8_t)bitBuffer);
    // The Adler-32 of `count` zeros: a = 1, b = count mod 65521.
    Put32BE(z, (uint32_t)((count % 65521) << 16) | 1u);
    return z;
}

inline void PngChunk(Bytes& png, const char* type, const Bytes& data)
{
    Put32BE(png, (uint32_t)data.size());
    size_t start = png.size();
    png.insert(png.end(), type, type + 4);
    Append(png, data);
    Put32BE(png, Crc32(&png[start], png.size() - start));
}

struct PngContent
{
    uint32_t width = 1, height = 1;
    int bitDepth = 8, colorType = 2, interlace = 0;
    Bytes palette;      // PLTE data
    Bytes transparency; // tRNS data
    uint32_t gamma = 0; // gAMA x 100000, 0 = none
    Bytes scanlines;    // filter byte 0 + row bytes, for each row (or pass row)
    Bytes idat;         // replaces the compressed scanlines when not empty
    std::vector<std::pair<std::string, Bytes>> extraChunks; // before IDAT
    bool withEnd = true;
};

inline Bytes MakePng(const PngContent& content)
{
    Bytes png = { 0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A };
    Bytes header;
    Put32BE(header, content.width);
    Put32BE(header, content.height);
    header.push_back((uint8_t)content.bitDepth);
    header.push_back((uint8_t)content.colorType);
    header.push_back(0);
    header.push_back(0);
    header.push_back((uint8_t)content.interlace);
    PngChunk(png, "IHDR", header);
    if (content.gamma)
    {
        Bytes g;
        Put32BE(g, content.gamma);
        PngChunk(png, "gAMA", g);
    }
    if (!content.palette.empty())
        PngChunk(png, "PLTE", content.palette);
    if (!content.transparency.empty())
        PngChunk(png, "tRNS", content.transparency);
    for (auto& chunk : content.extraChunks)
        PngChunk(png, chunk.first.c_str(), chunk.second);
    PngChunk(png, "IDAT", content.idat.empty() ? ZlibStored(content.scanlines) : content.idat);
    if (content.withEnd)
        PngChunk(png, "IEND", Bytes());
    return png;
}

// ---- GIF ---------------------------------------------------------------

struct GifFrame
{
    int left = 0, top = 0, width = 1, height = 1;
    Bytes indices; // width x height, rows top-down in display order
    Bytes localColors; // RGB triples (2, 4, ..., 256 entries) or empty
    bool interlace = false;
    // Graphic control: written when hasControl.
    bool hasControl = false;
    int delay = 0, disposal = 0, transparentIndex = -1;
    int minCodeSize = 0; // 0: chosen from the colour table size
};

inline int TableBits(size_t entries)
{
    int bits = 1;
    while ((1u << bits) < entries)
        ++bits;
    return bits;
}

// LZW data that never lets the code table grow: a clear code before every
// run of codes that would fill it, so every code has minCodeSize + 1 bits.
inline Bytes GifLzw(const Bytes& indices, int minCodeSize)
{
    Bytes out;
    out.push_back((uint8_t)minCodeSize);
    const int width = minCodeSize + 1;
    const unsigned clear = 1u << minCodeSize, end = clear + 1;
    const size_t perClear = (size_t)std::max(1, (1 << minCodeSize) - 3);
    Bytes packed;
    uint32_t bitBuffer = 0;
    int bitCount = 0;
    auto put = [&](unsigned code) {
        bitBuffer |= code << bitCount;
        bitCount += width;
        while (bitCount >= 8)
        {
            packed.push_back((uint8_t)bitBuffer);
            bitBuffer >>= 8;
            bitCount -= 8;
        }
    };
    for (size_t i = 0; i < indices.size(); ++i)
    {
        if (i % perClear == 0)
            put(clear);
        put(indices[i]);
    }
    put(end);
    if (bitCount)
        packed.push_back((uint8_t)bitBuffer);
    for (size_t at = 0; at < packed.size(); at += 255)
    {
        size_t n = std::min<size_t>(255, packed.size() - at);
        out.push_back((uint8_t)n);
        out.insert(out.end(), packed.begin() + at, packed.begin() + at + n);
    }
    out.push_back(0);
    return out;
}

struct GifContent
{
    int width = 1, height = 1;
    Bytes globalColors; // RGB triples or empty
    int background = 0;
    int loopCount = -1; // NETSCAPE2.0 value, -1 = none
    std::vector<GifFrame> frames;
    bool withTrailer = true;
};

inline Bytes MakeGif(const GifContent& content)
{
    Bytes gif = { 'G', 'I', 'F', '8', '9', 'a' };
    Put16LE(gif, content.width);
    Put16LE(gif, content.height);
    size_t globalEntries = content.globalColors.size() / 3;
    int globalBits = globalEntries ? TableBits(globalEntries) : 1;
    gif.push_back((uint8_t)(globalEntries ? 0x80 | 0x70 | (globalBits - 1) : 0x70));
    gif.push_back((uint8_t)content.background);
    gif.push_back(0);
    if (globalEntries)
    {
        Bytes table = content.globalColors;
        table.resize((size_t)3 << globalBits, 0);
        Append(gif, table);
    }
    if (content.loopCount >= 0)
    {
        Bytes app = { 0x21, 0xFF, 11, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0',
                      3, 1 };
        Put16LE(app, content.loopCount);
        app.push_back(0);
        Append(gif, app);
    }
    for (const GifFrame& f : content.frames)
    {
        if (f.hasControl)
        {
            Bytes gce = { 0x21, 0xF9, 4 };
            gce.push_back((uint8_t)((f.disposal << 2) | (f.transparentIndex >= 0 ? 1 : 0)));
            Put16LE(gce, f.delay);
            gce.push_back((uint8_t)(f.transparentIndex >= 0 ? f.transparentIndex : 0));
            gce.push_back(0);
            Append(gif, gce);
        }
        gif.push_back(0x2C);
        Put16LE(gif, f.left);
        Put16LE(gif, f.top);
        Put16LE(gif, f.width);
        Put16LE(gif, f.height);
        size_t localEntries = f.localColors.size() / 3;
        int localBits = localEntries ? TableBits(localEntries) : 1;
        gif.push_back((uint8_t)((localEntries ? 0x80 | (localBits - 1) : 0) | (f.interlace ? 0x40 : 0)));
        if (localEntries)
        {
            Bytes table = f.localColors;
            table.resize((size_t)3 << localBits, 0);
            Append(gif, table);
        }
        // Interlaced frames are stored in pass order.
        Bytes stored;
        if (f.interlace)
        {
            const int start[4] = { 0, 4, 2, 1 }, step[4] = { 8, 8, 4, 2 };
            for (int pass = 0; pass < 4; ++pass)
                for (int row = start[pass]; row < f.height; row += step[pass])
                    stored.insert(stored.end(), f.indices.begin() + (size_t)row * f.width,
                                  f.indices.begin() + (size_t)(row + 1) * f.width);
        }
        else
            stored = f.indices;
        int bits = std::max(2, TableBits(std::max(localEntries, globalEntries)));
        Append(gif, GifLzw(stored, f.minCodeSize ? f.minCodeSize : bits));
    }
    if (content.withTrailer)
        gif.push_back(0x3B);
    return gif;
}

// ---- TIFF --------------------------------------------------------------

struct TiffEntry
{
    uint16_t tag, type;
    uint32_t count, value; // value or offset
};

// An uncompressed 8-bit RGB TIFF, little-endian, one strip per
// rowsPerStrip rows. The directory follows the pixel data.
inline Bytes MakeTiffRgb(uint32_t width, uint32_t height, const Bytes& rgb,
                         uint32_t rowsPerStrip = 0, uint32_t* directoryOffset = NULL)
{
    if (rowsPerStrip == 0)
        rowsPerStrip = height ? height : 1;
    Bytes tif = { 'I', 'I', 42, 0, 0, 0, 0, 0 };
    size_t rowBytes = (size_t)width * 3;
    std::vector<uint32_t> offsets, counts;
    for (uint32_t row = 0; row < height; row += rowsPerStrip)
    {
        uint32_t rows = std::min(rowsPerStrip, height - row);
        offsets.push_back((uint32_t)tif.size());
        counts.push_back((uint32_t)(rows * rowBytes));
        tif.insert(tif.end(), rgb.begin() + row * rowBytes, rgb.begin() + (row + rows) * rowBytes);
    }
    if (tif.size() & 1)
        tif.push_back(0);
    uint32_t bitsOffset = (uint32_t)tif.size();
    Put16LE(tif, 8);
    Put16LE(tif, 8);
    Put16LE(tif, 8);
    uint32_t offsetsOffset = (uint32_t)tif.size();
    for (uint32_t v : offsets)
        Put32LE(tif, v);
    uint32_t countsOffset = (uint32_t)tif.size();
    for (uint32_t v : counts)
        Put32LE(tif, v);
    uint32_t strips = (uint32_t)offsets.size();
    std::vector<TiffEntry> entries = {
        { 256, 4, 1, width },
        { 257, 4, 1, height },
        { 258, 3, 3, bitsOffset },
        { 259, 3, 1, 1 },
        { 262, 3, 1, 2 },
        { 273, 4, strips, strips == 1 ? offsets[0] : offsetsOffset },
        { 277, 3, 1, 3 },
        { 278, 4, 1, rowsPerStrip },
        { 279, 4, strips, strips == 1 ? counts[0] : countsOffset },
        { 284, 3, 1, 1 },
    };
    uint32_t ifd = (uint32_t)tif.size();
    tif[4] = (uint8_t)ifd;
    tif[5] = (uint8_t)(ifd >> 8);
    tif[6] = (uint8_t)(ifd >> 16);
    tif[7] = (uint8_t)(ifd >> 24);
    Put16LE(tif, (unsigned)entries.size());
    for (const TiffEntry& e : entries)
    {
        Put16LE(tif, e.tag);
        Put16LE(tif, e.type);
        Put32LE(tif, e.count);
        if (e.type == 3 && e.count == 1)
        {
            Put16LE(tif, e.value);
            Put16LE(tif, 0);
        }
        else
            Put32LE(tif, e.value);
    }
    Put32LE(tif, 0); // no next directory
    if (directoryOffset)
        *directoryOffset = ifd;
    return tif;
}

inline void Set32LE(Bytes& b, size_t at, uint32_t v)
{
    if (at + 4 > b.size())
        return;
    for (int i = 0; i < 4; ++i)
        b[at + i] = (uint8_t)(v >> (8 * i));
}

// The byte offset of the value field of the directory entry with `tag`,
// or 0 when absent.
inline size_t TiffEntryValueAt(const Bytes& tif, uint32_t ifd, uint16_t tag)
{
    unsigned count = tif[ifd] | (tif[ifd + 1] << 8);
    for (unsigned i = 0; i < count; ++i)
    {
        size_t at = ifd + 2 + 12 * i;
        if ((tif[at] | (tif[at + 1] << 8)) == tag)
            return at + 8;
    }
    return 0;
}
} // namespace image_bytes
