// Sample writer of GIF files through giflib: a still picture, one with a
// transparent colour, an animation whose first frame has delay 0 (so the
// second is drawn over it before anything shows), and an interlaced twin of
// the still picture.
#include <windows.h>
#include <math.h>
#include <string>
#include <vector>
#include <gif_lib.h>
#include "SampleWriters.h"

namespace
{
typedef std::vector<GifPixelType> Indices;

const int kWidth = 120, kHeight = 90;

// 64 colours: 4 levels each of red, green and blue.
ColorMapObject* CubeMap()
{
    GifColorType colors[64];
    for (int i = 0; i < 64; ++i)
    {
        colors[i].Red = (GifByteType)(i / 16 * 85);
        colors[i].Green = (GifByteType)(i / 4 % 4 * 85);
        colors[i].Blue = (GifByteType)(i % 4 * 85);
    }
    return GifMakeMapObject(64, colors);
}

int CubeIndex(int r, int g, int b) // levels 0..3
{
    return r * 16 + g * 4 + b;
}

// Rings around the centre over a diagonal blend.
Indices Rings()
{
    Indices pixels((size_t)kWidth * kHeight);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
        {
            double d = hypot(x - kWidth / 2.0, y - kHeight / 2.0);
            int ring = (int)(d / 8) % 4;
            pixels[(size_t)y * kWidth + x] =
                (GifPixelType)CubeIndex(ring, (x * 4) / kWidth, 3 - (y * 4) / kHeight);
        }
    return pixels;
}

bool PutControl(GifFileType* gif, int delay, int disposal, int transparent)
{
    GifByteType block[4] = { (GifByteType)((disposal << 2) | (transparent >= 0 ? 1 : 0)),
                             (GifByteType)(delay & 0xFF), (GifByteType)(delay >> 8),
                             (GifByteType)(transparent >= 0 ? transparent : 0) };
    return EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, block) == GIF_OK;
}

bool PutLoop(GifFileType* gif, int loops)
{
    GifByteType loop[3] = { 1, (GifByteType)(loops & 0xFF), (GifByteType)(loops >> 8) };
    return EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
           EGifPutExtensionBlock(gif, 11, "NETSCAPE2.0") == GIF_OK &&
           EGifPutExtensionBlock(gif, 3, loop) == GIF_OK && EGifPutExtensionTrailer(gif) == GIF_OK;
}

// Writes a frame; interlaced frames are stored in the order of the four passes.
bool PutFrame(GifFileType* gif, int left, int top, int width, int height, const Indices& pixels,
              bool interlace)
{
    if (EGifPutImageDesc(gif, left, top, width, height, interlace, NULL) != GIF_OK)
        return false;
    const int start[4] = { 0, 4, 2, 1 }, step[4] = { 8, 8, 4, 2 };
    for (int pass = 0; pass < (interlace ? 4 : 1); ++pass)
        for (int row = interlace ? start[pass] : 0; row < height; row += interlace ? step[pass] : 1)
            if (EGifPutLine(gif, (GifPixelType*)&pixels[(size_t)row * width], width) != GIF_OK)
                return false;
    return true;
}

GifFileType* Begin(const std::string& path, int background)
{
    int error = 0;
    GifFileType* gif = EGifOpenFileName(path.c_str(), false, &error);
    if (gif == NULL)
        return NULL;
    EGifSetGifVersion(gif, true);
    ColorMapObject* map = CubeMap();
    bool ok = EGifPutScreenDesc(gif, kWidth, kHeight, 8, background, map) == GIF_OK;
    GifFreeMapObject(map);
    if (!ok)
    {
        EGifCloseFile(gif, &error);
        return NULL;
    }
    return gif;
}

bool Finish(GifFileType* gif, bool ok)
{
    int error = 0;
    return EGifCloseFile(gif, &error) == GIF_OK && ok;
}

int WriteGifSamples(const char* folder)
{
    std::string base = std::string(folder) + "\\";
    Indices rings = Rings();
    int written = 0;

    GifFileType* gif = Begin(base + "gif_still.gif", CubeIndex(3, 3, 3));
    written += gif && Finish(gif, PutFrame(gif, 0, 0, kWidth, kHeight, rings, false));

    gif = Begin(base + "gif_interlaced.gif", CubeIndex(3, 3, 3));
    written += gif && Finish(gif, PutFrame(gif, 0, 0, kWidth, kHeight, rings, true));

    // Transparent: every pixel of the outermost ring colour lets the white
    // canvas through; the background colour (blue) is reported separately.
    Indices holes = rings;
    for (GifPixelType& p : holes)
        if (p / 16 == 3)
            p = 0;
    gif = Begin(base + "gif_transparent.gif", CubeIndex(0, 0, 3));
    written += gif && Finish(gif, PutControl(gif, 20, 0, 0) &&
                                      PutFrame(gif, 0, 0, kWidth, kHeight, holes, false));

    // Animation: frame 1 (delay 0) is the rings, frame 2 a red square drawn
    // over them, frame 3 a green square after 0.5 s; looping 3 times.
    Indices red(40 * 30, (GifPixelType)CubeIndex(3, 0, 0));
    Indices green(40 * 30, (GifPixelType)CubeIndex(0, 3, 0));
    gif = Begin(base + "gif_animated.gif", CubeIndex(3, 3, 3));
    written += gif && Finish(gif, PutLoop(gif, 3) && PutControl(gif, 0, 1, -1) &&
                                      PutFrame(gif, 0, 0, kWidth, kHeight, rings, false) &&
                                      PutControl(gif, 50, 1, -1) &&
                                      PutFrame(gif, 10, 10, 40, 30, red, false) &&
                                      PutControl(gif, 50, 2, -1) &&
                                      PutFrame(gif, 70, 50, 40, 30, green, false));
    return written == 4 ? written : -1;
}
}

PIXMERE_SAMPLE_WRITER(gif, WriteGifSamples);
