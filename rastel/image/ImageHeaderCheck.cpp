// Header validation of BMP, ICO and CUR files before the system loaders map
// them: every size is computed in 64 bits and checked against the file.
#include "ImageHeaderCheck.h"
#include "RgbBuffer.h"

#include <stdlib.h>
#include <string.h>

namespace
{
// Reads byte ranges of a file; any range outside the file fails.
class CHeaderReader
{
public:
    explicit CHeaderReader(const CString& path)
        : m_File(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL)),
          m_Size(-1)
    {
        LARGE_INTEGER size;
        if (m_File != INVALID_HANDLE_VALUE && GetFileSizeEx(m_File, &size))
            m_Size = size.QuadPart;
    }
    ~CHeaderReader()
    {
        if (m_File != INVALID_HANDLE_VALUE)
            CloseHandle(m_File);
    }
    long long Size() const { return m_Size; }
    BOOL Read(long long offset, void* target, DWORD count) const
    {
        if (m_Size < 0 || offset < 0 || offset + (long long)count > m_Size)
            return FALSE;
        LARGE_INTEGER position;
        position.QuadPart = offset;
        DWORD done = 0;
        return SetFilePointerEx(m_File, position, NULL, FILE_BEGIN) &&
               ReadFile(m_File, target, count, &done, NULL) && done == count;
    }

private:
    CHeaderReader(const CHeaderReader&);
    CHeaderReader& operator=(const CHeaderReader&);
    HANDLE m_File;
    long long m_Size;
};

unsigned ReadU16(const BYTE* p)
{
    return p[0] | (p[1] << 8);
}

unsigned ReadU32(const BYTE* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | ((unsigned)p[3] << 24);
}

unsigned ReadU32BigEndian(const BYTE* p)
{
    return ((unsigned)p[0] << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
}

BOOL IsValidBitCount(unsigned bits)
{
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// Bytes of one DWORD-aligned row of a DIB.
long long DibStride(long long width, unsigned bits)
{
    return (width * bits + 31) / 32 * 4;
}

// Colour-table entries a DIB header implies, or -1 for a palette that is
// larger than the bit depth can index (or than any loader accepts).
long long PaletteEntries(unsigned bits, unsigned colorsUsed)
{
    if (colorsUsed > 256 || (bits <= 8 && colorsUsed > (1u << bits)))
        return -1;
    if (colorsUsed)
        return colorsUsed;
    return bits <= 8 ? (1 << bits) : 0;
}

BOOL FitsRgbBuffer(long long width, long long height)
{
    return width > 0 && height > 0 && width * height * 3 <= CRgbBuffer::MaxPixelBytes;
}

const BYTE PngSignature[8] = { 0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A };

// One image of an icon directory: a PNG stream or a DIB with its AND mask.
BOOL IsSafeIconImage(const CHeaderReader& file, long long offset, long long bytes,
                     long long width, long long height)
{
    BYTE header[40];
    if (bytes < 24 || !file.Read(offset, header, 24))
        return FALSE;
    if (memcmp(header, PngSignature, 8) == 0)
        return bytes >= 33 && memcmp(header + 12, "IHDR", 4) == 0 &&
               ReadU32BigEndian(header + 16) == width && ReadU32BigEndian(header + 20) == height;

    if (bytes < 40 || !file.Read(offset, header, 40))
        return FALSE;
    long long headerSize = ReadU32(header);
    long long dibWidth = (int)ReadU32(header + 4);
    long long dibHeight = (int)ReadU32(header + 8);
    unsigned bits = ReadU16(header + 14);
    unsigned compression = ReadU32(header + 16);
    if (headerSize < 40 || headerSize > bytes || !IsValidBitCount(bits))
        return FALSE;
    // The directory and the image must agree; the DIB height covers the
    // colour image and the AND mask below it.
    if (dibWidth != width || dibHeight != 2 * height)
        return FALSE;
    long long maskBytes = 0;
    if (compression == BI_BITFIELDS && (bits == 16 || bits == 32))
        maskBytes = headerSize == 40 ? 12 : 0;
    else if (compression != BI_RGB)
        return FALSE;
    long long colors = PaletteEntries(bits, ReadU32(header + 32));
    if (colors < 0)
        return FALSE;
    long long needed = headerSize + maskBytes + colors * 4 + DibStride(width, bits) * height +
                       DibStride(width, 1) * height;
    return needed <= bytes;
}
} // namespace

BOOL CImageHeaderCheck::IsSafeBmpFile(const CString& path, BmpLayout* layout)
{
    CHeaderReader file(path);
    BYTE header[14 + 40 + 12];
    if (file.Size() < 14 + 12 || !file.Read(0, header, 18))
        return FALSE;
    if (header[0] != 'B' || header[1] != 'M')
        return FALSE;
    long long fileSize = file.Size();
    long long bitsOffset = ReadU32(header + 10);
    long long headerSize = ReadU32(header + 14);
    long long headerEnd = 14 + headerSize;

    long long width, height;
    unsigned planes, bits, compression = BI_RGB, colorsUsed = 0, sizeImage = 0;
    long long entrySize = 4, maskBytes = 0;
    if (headerSize == 12)
    {
        if (!file.Read(14, header + 14, 12))
            return FALSE;
        width = ReadU16(header + 18);
        height = ReadU16(header + 20);
        planes = ReadU16(header + 22);
        bits = ReadU16(header + 24);
        entrySize = 3;
        if (bits > 8 && bits != 24)
            return FALSE;
    }
    else if (headerSize == 40 || headerSize == 52 || headerSize == 56 || headerSize == 108 ||
             headerSize == 124)
    {
        if (!file.Read(14, header + 14, 40))
            return FALSE;
        width = (int)ReadU32(header + 18);
        height = (int)ReadU32(header + 22);
        planes = ReadU16(header + 26);
        bits = ReadU16(header + 28);
        compression = ReadU32(header + 30);
        sizeImage = ReadU32(header + 34);
        colorsUsed = ReadU32(header + 46);
        if (compression == BI_BITFIELDS && headerSize == 40)
            maskBytes = 12;
    }
    else
        return FALSE;

    if (planes != 1 || !IsValidBitCount(bits))
        return FALSE;
    bool runLength = compression == BI_RLE8 || compression == BI_RLE4;
    if (compression == BI_RLE8 ? bits != 8
        : compression == BI_RLE4 ? bits != 4
        : compression == BI_BITFIELDS ? bits != 16 && bits != 32
        : compression != BI_RGB)
        return FALSE;

    // Heights are 32-bit and may be negative (top-down); INT_MIN has no
    // positive counterpart and is refused with every other zero size.
    if (width <= 0 || height == 0 || height == -2147483648LL)
        return FALSE;
    if (height < 0 && runLength)
        return FALSE;
    long long rows = height < 0 ? -height : height;
    long long stride = DibStride(width, bits);
    long long bitsBytes = stride * rows;
    if (!FitsRgbBuffer(width, rows) || bitsBytes > CRgbBuffer::MaxPixelBytes)
        return FALSE;

    long long colors = PaletteEntries(bits, colorsUsed);
    if (colors < 0)
        return FALSE;
    if (headerSize == 12 && bits > 8)
        colors = 0;
    long long paletteEnd = headerEnd + maskBytes + colors * entrySize;
    if (paletteEnd > fileSize)
        return FALSE;
    if (bitsOffset == 0)
        bitsOffset = paletteEnd;
    if (bitsOffset < paletteEnd || bitsOffset > fileSize)
        return FALSE;

    long long available = fileSize - bitsOffset;
    BOOL safe;
    if (runLength)
        safe = sizeImage > 0 && sizeImage <= available;
    else
    {
        // A stated image size below the one the dimensions need, or beyond
        // the end of the file, disagrees with the picture.
        safe = bitsBytes <= available &&
               (sizeImage == 0 || (sizeImage >= bitsBytes && sizeImage <= available));
    }
    BYTE masks[12] = { 0 };
    if (safe && compression == BI_BITFIELDS)
        safe = file.Read(54, masks, 12); // after a 40-byte header, or inside a larger one
    if (safe && layout)
    {
        layout->compression = compression;
        for (int i = 0; i < 3; ++i)
            layout->masks[i] = ReadU32(masks + 4 * i);
        layout->bitsOffset = bitsOffset;
        layout->stride = runLength ? 0 : stride;
        layout->width = (int)width;
        layout->height = (int)height;
        layout->bits = (int)bits;
    }
    return safe;
}

BOOL CImageHeaderCheck::IsSafeIconFile(const CString& path)
{
    CHeaderReader file(path);
    BYTE header[6];
    if (!file.Read(0, header, 6))
        return FALSE;
    unsigned type = ReadU16(header + 2);
    long long count = ReadU16(header + 4);
    if (ReadU16(header) != 0 || (type != 1 && type != 2) || count == 0)
        return FALSE;
    long long directoryEnd = 6 + 16 * count;
    if (directoryEnd > file.Size())
        return FALSE;

    BYTE* directory = (BYTE*)malloc((size_t)(16 * count));
    if (!directory)
        return FALSE;
    BOOL safe = file.Read(6, directory, (DWORD)(16 * count));
    for (long long i = 0; safe && i < count; ++i)
    {
        const BYTE* entry = directory + 16 * i;
        long long width = entry[0] ? entry[0] : 256;
        long long height = entry[1] ? entry[1] : 256;
        long long bytes = ReadU32(entry + 8);
        long long offset = ReadU32(entry + 12);
        safe = offset >= directoryEnd && offset + bytes <= file.Size() &&
               IsSafeIconImage(file, offset, bytes, width, height);
    }
    free(directory);
    return safe;
}
