// Camera-like JPEG files for ThumbBench: smooth areas, fine texture that
// aliases when sampled, a little sensor noise, an EXIF thumbnail of 160 x 120
// as cameras embed it, and (through the native jpegtran) progressive files.
#pragma once

#include <windows.h>
#include <math.h>
#include <stdio.h>
#include <string>
#include <vector>
#include "RgbBuffer.h"
#include "JpgFile.h"
#include "../tests/support/NativeTool.h"

namespace thumb_bench
{
typedef std::string Bytes;

inline Bytes ReadAll(const std::string& path)
{
    Bytes bytes;
    FILE* file = fopen(path.c_str(), "rb");
    if (!file)
        return bytes;
    char chunk[65536];
    size_t got;
    while ((got = fread(chunk, 1, sizeof(chunk), file)) > 0)
        bytes.append(chunk, got);
    fclose(file);
    return bytes;
}

inline bool WriteAll(const std::string& path, const Bytes& bytes)
{
    FILE* file = fopen(path.c_str(), "wb");
    if (!file)
        return false;
    bool ok = fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return fclose(file) == 0 && ok;
}

inline bool SaveJpeg(const std::string& path, const CRgbBuffer& picture, int quality)
{
    FILE* file = fopen(path.c_str(), "wb");
    if (!file)
        return false;
    int ok = CJpgFile::save_JPG_file(file, picture.GetBuffer(), picture.GetWidth(),
                                     picture.GetHeight(), quality, 0);
    return fclose(file) == 0 && ok;
}

// A landscape-like picture: a sky gradient above, fine texture (periods of
// 3 to 6 pixels) below, soft blobs everywhere, noise of a few levels.
inline CRgbBuffer* MakePhoto(int width, int height, int seed)
{
    CRgbBuffer* photo = new CRgbBuffer(width, height);
    photo->m_GrayScale = 0;
    std::vector<int> waveX(width), fineX(width), waveY(height), fineY(height);
    const double pi2 = 6.283185307179586;
    for (int x = 0; x < width; ++x)
    {
        waveX[x] = (int)(50 * sin(pi2 * x * (2 + seed % 3) / width));
        fineX[x] = (int)(45 * sin(pi2 * x / (3.1 + seed % 4 * 0.7)));
    }
    for (int y = 0; y < height; ++y)
    {
        waveY[y] = (int)(50 * cos(pi2 * y * (1 + seed % 2) / height));
        fineY[y] = (int)(45 * sin(pi2 * y / (4.3 + seed % 3 * 0.6)));
    }
    unsigned noise = 12345u + seed * 7919u;
    BYTE* p = photo->GetBuffer();
    int horizon = height * (2 + seed % 3) / 6;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x, p += 3)
        {
            noise = noise * 1103515245u + 12345u;
            int n = (int)((noise >> 16) & 7) - 4;
            int r, g, b;
            if (y < horizon)
            {
                int sky = 255 * y / (horizon + 1);
                r = 90 + sky / 3 + waveX[x] / 2;
                g = 140 + sky / 4 + waveY[y] / 2;
                b = 230 - sky / 5;
            }
            else
            {
                int texture = fineX[x] * fineY[y] / 45 + (((x / 7) ^ (y / 5)) & 1) * 30;
                r = 110 + waveX[x] + texture;
                g = 100 + waveY[y] + texture / 2;
                b = 60 + (waveX[x] + waveY[y]) / 2 - texture / 2;
            }
            r += n;
            g += n;
            b += n;
            p[0] = (BYTE)(r < 0 ? 0 : r > 255 ? 255 : r);
            p[1] = (BYTE)(g < 0 ? 0 : g > 255 ? 255 : g);
            p[2] = (BYTE)(b < 0 ? 0 : b > 255 ? 255 : b);
        }
    return photo;
}

inline void Put16(Bytes& b, size_t at, unsigned v)
{
    b[at] = (char)(v & 0xFF);
    b[at + 1] = (char)((v >> 8) & 0xFF);
}

inline void Put32(Bytes& b, size_t at, unsigned v)
{
    Put16(b, at, v & 0xFFFF);
    Put16(b, at + 2, v >> 16);
}

inline void Entry(Bytes& b, size_t at, unsigned tag, unsigned type, unsigned count, unsigned value)
{
    Put16(b, at, tag);
    Put16(b, at + 2, type);
    Put32(b, at + 4, count);
    Put32(b, at + 8, value);
}

// jpeg with an APP1 EXIF segment (Intel order: IFD0 with the orientation,
// IFD1 with the thumbnail) inserted after its SOI.
inline Bytes WithExifThumbnail(const Bytes& jpeg, const Bytes& thumbnail)
{
    const size_t ifd0 = 8, ifd1 = 26, data = 68;
    Bytes block(data, '\0');
    block[0] = block[1] = 'I';
    Put16(block, 2, 0x2A);
    Put32(block, 4, ifd0);
    Put16(block, ifd0, 1);
    Entry(block, ifd0 + 2, 0x0112, 3, 1, 1);
    Put32(block, ifd0 + 14, ifd1);
    Put16(block, ifd1, 3);
    Entry(block, ifd1 + 2, 0x0103, 3, 1, 6);
    Entry(block, ifd1 + 14, 0x0201, 4, 1, (unsigned)data);
    Entry(block, ifd1 + 26, 0x0202, 4, 1, (unsigned)thumbnail.size());
    Put32(block, ifd1 + 38, 0);
    block += thumbnail;
    size_t length = block.size() + 8;
    Bytes out = jpeg.substr(0, 2);
    out += "\xFF\xE1";
    out += (char)((length >> 8) & 0xFF);
    out += (char)(length & 0xFF);
    out += Bytes("Exif\0\0", 6);
    out += block;
    out += jpeg.substr(2);
    return out;
}

// Writes `count` photos into folder as "<prefix><i>.jpg", sizes cycling
// through `sizes`, every second one progressive; each with its EXIF
// thumbnail. Files already there from an earlier run (same count, marked
// complete) are kept.
inline std::vector<std::string> MakePhotos(const std::string& folder, const char* prefix, int count,
                                           const std::vector<SIZE>& sizes, int quality)
{
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i)
        paths.push_back(folder + "\\" + prefix + std::to_string(i) + ".jpg");
    std::string marker = folder + "\\" + prefix + "complete-" + std::to_string(count);
    if (GetFileAttributesA(marker.c_str()) != INVALID_FILE_ATTRIBUTES)
        return paths;
    CreateDirectoryA(folder.c_str(), NULL);

    std::vector<Bytes> thumbnails;
    std::string progressive;
    for (int i = 0; i < count; ++i)
    {
        SIZE size = sizes[i % sizes.size()];
        CRgbBuffer* photo = MakePhoto(size.cx, size.cy, i);
        std::string raw = paths[i] + ".raw";
        SaveJpeg(raw, *photo, quality);
        CRgbBuffer* small = photo->CreateBestFitRGB(CRect(0, 0, 160, 120));
        std::string thumbPath = paths[i] + ".thumb";
        SaveJpeg(thumbPath, *small, 75);
        thumbnails.push_back(ReadAll(thumbPath));
        DeleteFileA(thumbPath.c_str());
        delete small;
        delete photo;
        if (i % 2 == 1)
        {
            std::string unixRaw = native_tool::ShellQuote(native_tool::UnixPath(raw));
            progressive += "jpegtran -progressive -copy none -outfile " + unixRaw + ".p " + unixRaw +
                           " && mv " + unixRaw + ".p " + unixRaw + "\n";
        }
    }
    if (!progressive.empty())
        native_tool::RunShell(progressive, 600000);
    for (int i = 0; i < count; ++i)
    {
        std::string raw = paths[i] + ".raw";
        WriteAll(paths[i], WithExifThumbnail(ReadAll(raw), thumbnails[i]));
        DeleteFileA(raw.c_str());
    }
    WriteAll(marker, "done");
    return paths;
}
} // namespace thumb_bench
