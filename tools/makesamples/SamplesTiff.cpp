// Sample writer of TIFF files through libtiff: 8-bit RGB (LZW, several
// strips) whose top rows are red and bottom rows blue, so a picture shown
// upside down is obvious, and an 8-bit palette picture.
#include <windows.h>
#include <string>
#include <vector>
#include <tiffio.h>
#include "SampleWriters.h"

namespace
{
const int kWidth = 150, kHeight = 100;

void Colour(int x, int y, unsigned char rgb[3])
{
    if (y < 10)
        rgb[0] = 255, rgb[1] = 0, rgb[2] = 0;
    else if (y >= kHeight - 10)
        rgb[0] = 0, rgb[1] = 0, rgb[2] = 255;
    else
    {
        rgb[0] = (unsigned char)(x * 255 / (kWidth - 1));
        rgb[1] = (unsigned char)(y * 255 / (kHeight - 1));
        rgb[2] = (unsigned char)(((x / 10 + y / 10) & 1) ? 200 : 60);
    }
}

bool WriteRgb(const std::string& path)
{
    TIFF* tif = TIFFOpen(path.c_str(), "w");
    if (tif == NULL)
        return false;
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, kWidth);
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, kHeight);
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 3);
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_LZW);
    TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, 16);
    std::vector<unsigned char> row((size_t)kWidth * 3);
    bool ok = true;
    for (int y = 0; y < kHeight && ok; ++y)
    {
        for (int x = 0; x < kWidth; ++x)
            Colour(x, y, &row[(size_t)x * 3]);
        ok = TIFFWriteScanline(tif, row.data(), y, 0) == 1;
    }
    TIFFClose(tif);
    return ok;
}

bool WritePalette(const std::string& path)
{
    TIFF* tif = TIFFOpen(path.c_str(), "w");
    if (tif == NULL)
        return false;
    std::vector<uint16_t> red(256), green(256), blue(256);
    for (int i = 0; i < 256; ++i)
    {
        red[i] = (uint16_t)((i & 0xE0) * 257);
        green[i] = (uint16_t)(((i << 3) & 0xE0) * 257);
        blue[i] = (uint16_t)(((i << 6) & 0xC0) * 257);
    }
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, kWidth);
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, kHeight);
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 1);
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_PALETTE);
    TIFFSetField(tif, TIFFTAG_COLORMAP, red.data(), green.data(), blue.data());
    TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_PACKBITS);
    TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, kHeight);
    std::vector<unsigned char> row(kWidth);
    bool ok = true;
    for (int y = 0; y < kHeight && ok; ++y)
    {
        for (int x = 0; x < kWidth; ++x)
        {
            unsigned char rgb[3];
            Colour(x, y, rgb);
            row[x] = (unsigned char)((rgb[0] & 0xE0) | ((rgb[1] >> 3) & 0x1C) | (rgb[2] >> 6));
        }
        ok = TIFFWriteScanline(tif, row.data(), y, 0) == 1;
    }
    TIFFClose(tif);
    return ok;
}

int WriteTiffSamples(const char* folder)
{
    std::string base = std::string(folder) + "\\";
    int written = WriteRgb(base + "tiff_rgb_lzw.tif") + WritePalette(base + "tiff_palette.tif");
    return written == 2 ? written : -1;
}
}

PIXMERE_SAMPLE_WRITER(tiff, WriteTiffSamples);
