// Helpers of the JPEG codec tests: a temporary folder, JPEG bytes made with
// the codec's own encoder, EXIF blocks built byte by byte in either byte
// order (so tests can make them as hostile as they like), and the native
// djpeg decoder as an independent oracle.
#pragma once

#include <windows.h>
#include <stdio.h>
#include <stdint.h>
#include <string>
#include <vector>
#include "FileBytes.h"
#include "JpgFile.h"
#include "NativeTool.h"
#include "RgbBuffer.h"
#include "TempFolder.h"

typedef std::string Bytes;

// ---- Files ----------------------------------------------------------------

using test_support::FileBytes;
using test_support::WriteFileBytes;

inline bool FileExists(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// ---- Pictures -------------------------------------------------------------

// A picture with structure in every channel, so a decoder that mixes up rows,
// columns or channels shows it.
inline void PaintPattern(CRgbBuffer& picture, int seed)
{
    BYTE* p = picture.GetBuffer();
    for (int y = 0; y < picture.GetHeight(); ++y)
        for (int x = 0; x < picture.GetWidth(); ++x, p += 3)
        {
            p[0] = (BYTE)((x * 255) / (picture.GetWidth() > 1 ? picture.GetWidth() - 1 : 1));
            p[1] = (BYTE)((y * 255) / (picture.GetHeight() > 1 ? picture.GetHeight() - 1 : 1));
            p[2] = (BYTE)(((x / 8 + y / 8 + seed) % 2) * 160 + 40);
        }
}

inline CRgbBuffer* MakePicture(int width, int height, int seed)
{
    CRgbBuffer* picture = new CRgbBuffer(width, height);
    picture->m_GrayScale = 0;
    PaintPattern(*picture, seed);
    return picture;
}

// The bytes of a JPEG file made by the codec from picture.
inline Bytes EncodeJpeg(const CRgbBuffer& picture, int quality = 90, int grayScale = 0)
{
    char temp[MAX_PATH], path[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    GetTempFileNameA(temp, "jpg", 0, path);
    Bytes bytes;
    FILE* file = fopen(path, "wb");
    if (file)
    {
        int ok = CJpgFile::save_JPG_file(file, picture.GetBuffer(), picture.GetWidth(),
                                         picture.GetHeight(), quality, grayScale);
        fclose(file);
        if (ok)
            bytes = FileBytes(path);
    }
    DeleteFileA(path);
    return bytes;
}

// Largest absolute difference of two same-sized pictures' bytes; -1 when the
// sizes differ.
inline int MaxDifference(const CRgbBuffer& a, const CRgbBuffer& b)
{
    if (a.GetWidth() != b.GetWidth() || a.GetHeight() != b.GetHeight())
        return -1;
    int worst = 0;
    for (int i = 0; i < a.GetWidth() * a.GetHeight() * 3; ++i)
    {
        int d = abs(a.GetBuffer()[i] - b.GetBuffer()[i]);
        if (d > worst)
            worst = d;
    }
    return worst;
}

// ---- JPEG segments ----------------------------------------------------------

// jpeg with an APP1 EXIF segment inserted right after its SOI. The declared
// length is the true one unless declared is given.
inline Bytes WithExif(const Bytes& jpeg, const Bytes& block, long declared = -1)
{
    long length = declared >= 0 ? declared : (long)block.size() + 8;
    Bytes out = jpeg.substr(0, 2);
    out += "\xFF\xE1";
    out += (char)((length >> 8) & 0xFF);
    out += (char)(length & 0xFF);
    out += Bytes("Exif\0\0", 6);
    out += block;
    out += jpeg.substr(2);
    return out;
}

// Offset of the first marker segment with the given code, or npos.
inline size_t FindMarker(const Bytes& jpeg, unsigned char code)
{
    size_t at = 2;
    while (at + 4 <= jpeg.size() && (unsigned char)jpeg[at] == 0xFF)
    {
        unsigned char marker = (unsigned char)jpeg[at + 1];
        if (marker == code)
            return at;
        if (marker == 0xDA)
            break;
        at += 2 + (((unsigned char)jpeg[at + 2] << 8) | (unsigned char)jpeg[at + 3]);
    }
    return Bytes::npos;
}

// ---- EXIF blocks ------------------------------------------------------------

// A TIFF-structured block in Intel or Motorola order, written at explicit
// offsets so that tests can lay out (and break) anything.
class ExifBlock
{
public:
    explicit ExifBlock(bool motorola, size_t size = 8) : m_Motorola(motorola), m_Bytes(size, '\0')
    {
        m_Bytes[0] = m_Bytes[1] = motorola ? 'M' : 'I';
        Put16(2, 42);
        Put32(4, 8);
    }
    void Put16(size_t at, unsigned v)
    {
        Grow(at + 2);
        for (int i = 0; i < 2; ++i)
            m_Bytes[at + i] = (char)(v >> (8 * (m_Motorola ? 1 - i : i)));
    }
    void Put32(size_t at, uint32_t v)
    {
        Grow(at + 4);
        for (int i = 0; i < 4; ++i)
            m_Bytes[at + i] = (char)(v >> (8 * (m_Motorola ? 3 - i : i)));
    }
    void PutBytes(size_t at, const Bytes& bytes)
    {
        Grow(at + bytes.size());
        m_Bytes.replace(at, bytes.size(), bytes);
    }
    // A directory header at `at` with `count` entries; returns the offset of
    // its next-directory word.
    size_t Directory(size_t at, unsigned count, uint32_t next)
    {
        Put16(at, count);
        Put32(at + 2 + 12 * count, next);
        return at + 2 + 12 * count;
    }
    void Entry(size_t directory, unsigned index, unsigned tag, unsigned type, uint32_t count,
               uint32_t value)
    {
        size_t at = directory + 2 + 12 * index;
        Put16(at, tag);
        Put16(at + 2, type);
        Put32(at + 4, count);
        if (type == 3 && count == 1)
        {
            Put16(at + 8, value);
            Put16(at + 10, 0);
        }
        else
        {
            Put32(at + 8, value);
        }
    }
    void Resize(size_t size) { m_Bytes.resize(size, '\0'); }
    const Bytes& Data() const { return m_Bytes; }

private:
    void Grow(size_t size)
    {
        if (m_Bytes.size() < size)
            m_Bytes.resize(size, '\0');
    }
    bool m_Motorola;
    Bytes m_Bytes;
};

enum
{
    TypeShort = 3,
    TypeLong = 4,
    TypeAscii = 2,
    TypeUndefined = 7
};

// Where CameraExif put things.
struct CameraLayout
{
    size_t ifd0, exifIfd, interopIfd, ifd1, thumbnail;
    size_t thumbnailOffsetEntry, thumbnailLengthEntry; // value fields
};

// The layout cameras write: IFD0 (with the EXIF sub-directory pointer) ->
// IFD1 (with the thumbnail tags), the EXIF and interoperability
// sub-directories, then the thumbnail's bytes.
inline Bytes CameraExif(bool motorola, const Bytes& thumbnail, CameraLayout* layout = NULL,
                        size_t padTo = 0)
{
    ExifBlock block(motorola);
    CameraLayout l;
    l.ifd0 = 8;
    l.exifIfd = 70;
    l.interopIfd = 100;
    l.ifd1 = 118;
    l.thumbnail = 160;
    block.Directory(l.ifd0, 3, (uint32_t)l.ifd1);
    block.Entry(l.ifd0, 0, 0x010F, TypeAscii, 20, 50); // Make, text at 50
    block.PutBytes(50, Bytes("Pixmere Test Camera\0", 20));
    block.Entry(l.ifd0, 1, 0x0112, TypeShort, 1, 1); // Orientation
    block.Entry(l.ifd0, 2, 0x8769, TypeLong, 1, (uint32_t)l.exifIfd);
    block.Directory(l.exifIfd, 2, 0);
    block.Entry(l.exifIfd, 0, 0x9000, TypeUndefined, 4, 0);
    block.PutBytes(l.exifIfd + 2 + 8, "0230");
    block.Entry(l.exifIfd, 1, 0xA005, TypeLong, 1, (uint32_t)l.interopIfd);
    block.Directory(l.interopIfd, 1, 0);
    block.Entry(l.interopIfd, 0, 0x0001, TypeAscii, 4, 0);
    block.PutBytes(l.interopIfd + 2 + 8, Bytes("R98\0", 4));
    block.Directory(l.ifd1, 3, 0);
    block.Entry(l.ifd1, 0, 0x0103, TypeShort, 1, 6); // Compression: JPEG
    block.Entry(l.ifd1, 1, 0x0201, TypeLong, 1, (uint32_t)l.thumbnail);
    block.Entry(l.ifd1, 2, 0x0202, TypeLong, 1, (uint32_t)thumbnail.size());
    l.thumbnailOffsetEntry = l.ifd1 + 2 + 12 + 8;
    l.thumbnailLengthEntry = l.ifd1 + 2 + 24 + 8;
    block.PutBytes(l.thumbnail, thumbnail);
    if (padTo > block.Data().size())
        block.Resize(padTo);
    if (layout)
        *layout = l;
    return block.Data();
}

// ---- Native oracle ------------------------------------------------------------

// Runs a /bin/sh command natively with its output discarded; returns the
// command's exit status, or -1.
inline int RunNativeQuietly(const std::string& command)
{
    return native_tool::RunShell("(" + command + ") >/dev/null 2>&1", 60000);
}

// Decodes a JPEG file with the native djpeg into an RGB buffer (P6 output).
inline bool DecodeWithDjpeg(const std::string& folder, const std::string& jpegPath,
                            CRgbBuffer& picture)
{
    std::string ppm = folder + "\\djpeg_out.ppm";
    DeleteFileA(ppm.c_str());
    std::string command = "djpeg -pnm -outfile " + native_tool::ShellQuote(native_tool::UnixPath(ppm)) +
                          " " + native_tool::ShellQuote(native_tool::UnixPath(jpegPath));
    if (RunNativeQuietly(command) != 0)
        return false;
    Bytes bytes = FileBytes(ppm);
    DeleteFileA(ppm.c_str());
    int width = 0, height = 0, maxValue = 0, consumed = 0;
    char kind[3] = {};
    if (sscanf(bytes.c_str(), "%2s %d %d %d%n", kind, &width, &height, &maxValue, &consumed) != 4)
        return false;
    bool grey = kind[1] == '5';
    size_t start = (size_t)consumed + 1;
    size_t size = (size_t)width * height * (grey ? 1 : 3);
    if (bytes.size() < start + size || !picture.AllocateImage(width, height))
        return false;
    for (size_t i = 0; i < (size_t)width * height; ++i)
        for (int c = 0; c < 3; ++c)
            picture.GetBuffer()[i * 3 + c] = (BYTE)bytes[start + (grey ? i : i * 3 + c)];
    return true;
}
