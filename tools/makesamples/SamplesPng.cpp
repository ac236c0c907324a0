// Sample writer of PNG files through libpng: a palette picture with
// transparency, 2-bit grey, 16-bit RGB, grey with alpha, and pictures with a
// gAMA chunk (1/2.2, which shows unchanged, and linear, which shows brighter).
#include <windows.h>
#include <math.h>
#include <setjmp.h>
#include <stdio.h>
#include <string>
#include <algorithm>
#include <vector>
#include <png.h>
#include "SampleWriters.h"

namespace
{
typedef std::vector<unsigned char> Bytes;

struct PngPicture
{
    int width, height, colorType, bitDepth;
    Bytes rows; // packed rows, top first
    Bytes palette, transparency;
    double gamma; // 0 = no gAMA chunk
};

// libpng reports errors by longjmp: no C++ object with a destructor lives here.
bool WritePng(const char* path, const PngPicture* picture)
{
    FILE* file = fopen(path, "wb");
    if (file == NULL)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, NULL, NULL, NULL);
    png_infop info = png ? png_create_info_struct(png) : NULL;
    if (info == NULL || setjmp(png_jmpbuf(png)))
    {
        png_destroy_write_struct(&png, &info);
        fclose(file);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, picture->width, picture->height, picture->bitDepth, picture->colorType,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!picture->palette.empty())
        png_set_PLTE(png, info, (png_const_colorp)picture->palette.data(),
                     (int)picture->palette.size() / 3);
    if (!picture->transparency.empty())
        png_set_tRNS(png, info, picture->transparency.data(), (int)picture->transparency.size(), NULL);
    if (picture->gamma > 0)
        png_set_gAMA(png, info, picture->gamma);
    png_write_info(png, info);
    size_t rowBytes = picture->rows.size() / picture->height;
    for (int y = 0; y < picture->height; ++y)
        png_write_row(png, picture->rows.data() + rowBytes * y);
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return fclose(file) == 0;
}

// A sunset: sky blending from orange to violet, a disc, dark hills.
void Scene(int x, int y, int width, int height, double rgb[3])
{
    double u = (x + 0.5) / width, v = (y + 0.5) / height;
    double hill = 0.7 + 0.1 * sin(u * 9.0);
    if (v > hill)
    {
        rgb[0] = 0.10, rgb[1] = 0.25 - 0.15 * (v - hill), rgb[2] = 0.12;
        return;
    }
    rgb[0] = 1.0 - 0.5 * v, rgb[1] = 0.55 - 0.4 * v, rgb[2] = 0.2 + 0.6 * v;
    double dx = u - 0.5, dy = v - 0.62;
    if (dx * dx + dy * dy < 0.02)
        rgb[0] = 1.0, rgb[1] = 0.85, rgb[2] = 0.3;
}

int WritePngSamples(const char* folder)
{
    const int w = 160, h = 120;
    std::string base = std::string(folder) + "\\";
    int written = 0;

    // Palette: 8-bit indices into a 6 x 6 x 6 cube; the lightest entries
    // of the sky are half transparent (alpha is dropped when shown).
    PngPicture palette = { w, h, PNG_COLOR_TYPE_PALETTE, 8, {}, {}, {}, 0 };
    for (int i = 0; i < 216; ++i)
    {
        palette.palette.push_back((unsigned char)(i / 36 * 51));
        palette.palette.push_back((unsigned char)(i / 6 % 6 * 51));
        palette.palette.push_back((unsigned char)(i % 6 * 51));
        palette.transparency.push_back(i / 36 == 5 ? 128 : 255);
    }
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
        {
            double c[3];
            Scene(x, y, w, h, c);
            int r = (int)(c[0] * 5 + 0.5), g = (int)(c[1] * 5 + 0.5), b = (int)(c[2] * 5 + 0.5);
            palette.rows.push_back((unsigned char)(r * 36 + g * 6 + b));
        }
    written += WritePng((base + "png_palette.png").c_str(), &palette);

    // 2-bit grey: four levels, four pixels a byte.
    PngPicture grey2 = { w, h, PNG_COLOR_TYPE_GRAY, 2, {}, {}, {}, 0 };
    for (int y = 0; y < h; ++y)
    {
        unsigned char byte = 0;
        for (int x = 0; x < w; ++x)
        {
            double c[3];
            Scene(x, y, w, h, c);
            int level = (int)((0.3 * c[0] + 0.59 * c[1] + 0.11 * c[2]) * 3 + 0.5);
            byte = (unsigned char)(byte | (level << (6 - 2 * (x % 4))));
            if (x % 4 == 3)
            {
                grey2.rows.push_back(byte);
                byte = 0;
            }
        }
    }
    written += WritePng((base + "png_grey2.png").c_str(), &grey2);

    // 16-bit RGB, big-endian samples.
    PngPicture rgb16 = { w, h, PNG_COLOR_TYPE_RGB, 16, {}, {}, {}, 0 };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
        {
            double c[3];
            Scene(x, y, w, h, c);
            for (int k = 0; k < 3; ++k)
            {
                unsigned v = (unsigned)(c[k] * 65535 + 0.5);
                rgb16.rows.push_back((unsigned char)(v >> 8));
                rgb16.rows.push_back((unsigned char)v);
            }
        }
    written += WritePng((base + "png_rgb16.png").c_str(), &rgb16);

    // Grey with alpha: a vignette in the alpha channel only.
    PngPicture greyAlpha = { w, h, PNG_COLOR_TYPE_GRAY_ALPHA, 8, {}, {}, {}, 0 };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
        {
            double c[3];
            Scene(x, y, w, h, c);
            double dx = (x - w / 2.0) / w, dy = (y - h / 2.0) / h;
            greyAlpha.rows.push_back((unsigned char)((0.3 * c[0] + 0.59 * c[1] + 0.11 * c[2]) * 255));
            greyAlpha.rows.push_back((unsigned char)(255 * (1 - std::min(1.0, 2 * (dx * dx + dy * dy) * 2))));
        }
    written += WritePng((base + "png_greyalpha.png").c_str(), &greyAlpha);

    // 8-bit RGB with gAMA 1/2.2 (shown as stored) and with linear gAMA
    // (the same samples shown brighter).
    PngPicture gamma = { w, h, PNG_COLOR_TYPE_RGB, 8, {}, {}, {}, 1 / 2.2 };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
        {
            double c[3];
            Scene(x, y, w, h, c);
            for (int k = 0; k < 3; ++k)
                gamma.rows.push_back((unsigned char)(c[k] * 255 + 0.5));
        }
    written += WritePng((base + "png_gamma22.png").c_str(), &gamma);
    gamma.gamma = 1.0;
    written += WritePng((base + "png_gamma_linear.png").c_str(), &gamma);
    return written == 6 ? written : -1;
}
}

PIXMERE_SAMPLE_WRITER(png, WritePngSamples);
