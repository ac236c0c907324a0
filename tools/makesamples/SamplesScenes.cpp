// Sample writer of two small painted scenes, 400 x 300 at 24 bits: a sunset
// over the sea behind a mountain ridge, and a summer meadow with a tree under
// a cloudy sky. They also serve as the transition chooser's preview pictures
// (copied into rastel\res).
#include <windows.h>
#include <math.h>
#include <stdint.h>
#include <stdio.h>
#include <string>
#include <vector>
#include "SampleNoise.h"
#include "SampleWriters.h"

namespace
{
struct Colour
{
    double r, g, b;
};

Colour Mix(Colour a, Colour b, double t)
{
    t = t < 0 ? 0 : (t > 1 ? 1 : t);
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

double Fractal(double x, double y, double cell, uint32_t seed)
{
    return 0.5 * Noise(x, y, cell, seed) + 0.25 * Noise(x, y, cell / 2, seed + 1) +
           0.15 * Noise(x, y, cell / 4, seed + 2) + 0.1 * Noise(x, y, cell / 8, seed + 3);
}

double Smooth(double edge0, double edge1, double x)
{
    double t = (x - edge0) / (edge1 - edge0);
    t = t < 0 ? 0 : (t > 1 ? 1 : t);
    return t * t * (3 - 2 * t);
}

const int W = 400, H = 300;

Colour Sunset(int x, int y)
{
    double horizon = H * 0.62;
    double sunX = W * 0.62, sunY = horizon - 62, sunR = 24;
    // Sky: deep violet at the top through rose to gold at the horizon.
    auto sky = [&](double px, double py) {
        double v = py / horizon;
        Colour c = v < 0.55 ? Mix({40, 30, 90}, {200, 80, 110}, v / 0.55)
                            : Mix({200, 80, 110}, {255, 190, 90}, (v - 0.55) / 0.45);
        double glow = exp(-hypot(px - sunX, (py - sunY) * 1.6) / 70);
        c = Mix(c, {255, 230, 150}, glow * 0.8);
        double streak = Fractal(px * 0.35, py * 3.0, 60, 7);
        double band = Smooth(0.55, 0.75, streak) * Smooth(horizon * 0.15, horizon * 0.5, py) * (1 - Smooth(horizon * 0.8, horizon, py));
        c = Mix(c, {120, 50, 90}, band * 0.55);
        double d = hypot(px - sunX, py - sunY);
        if (d < sunR)
            c = Mix({255, 245, 200}, {255, 200, 120}, d / sunR);
        return c;
    };
    // Mountain ridge on the horizon, darker in front.
    double ridge = horizon - 18 - 48 * Fractal(x, 0, 90, 11) * Smooth(0, W * 0.5, W - fabs(x - W * 0.3) * 1.2);
    double frontRidge = horizon - 6 - 22 * Fractal(x, 5, 45, 13);
    if (y < horizon)
    {
        if (y > frontRidge)
            return Mix({35, 20, 45}, {55, 30, 60}, Fractal(x, y, 8, 14));
        if (y > ridge)
            return Mix({80, 45, 90}, {110, 60, 100}, (y - ridge) / (horizon - ridge + 1) * 0.5 + 0.2 * Fractal(x, y, 10, 12));
        return sky(x, y);
    }
    // Sea: the sky mirrored with ripples, darker with depth, a sun path.
    double depth = (y - horizon) / (H - horizon);
    double ripple = 6 * (Noise(x * 0.3, y * 2.2, 12, 21) - 0.5) * (0.3 + depth);
    double mirrored = horizon - (y - horizon) * 1.4 - 4 + ripple;
    Colour c = mirrored > 0 ? sky(x + ripple * 2, mirrored) : Colour{40, 30, 90};
    c = Mix(c, {20, 25, 60}, 0.35 + 0.4 * depth);
    double path = exp(-fabs(x - sunX + ripple * 3) / (10 + 40 * depth)) * Smooth(0.45, 0.6, Noise(x, y * 3, 6, 23));
    return Mix(c, {255, 220, 140}, path * 0.85);
}

Colour Meadow(int x, int y)
{
    double horizon = H * 0.5;
    Colour c;
    if (y < horizon + 30)
    {
        double v = (double)y / horizon;
        c = Mix({70, 130, 215}, {175, 210, 240}, v);
        double cloud = Fractal(x * 0.7, y * 1.4, 70, 31);
        double cover = Smooth(0.5, 0.68, cloud) * (1 - Smooth(horizon * 0.7, horizon, y));
        Colour cloudColour = Mix({255, 255, 255}, {200, 205, 220}, Smooth(0.6, 0.8, Fractal(x, y + 8, 30, 32)));
        c = Mix(c, cloudColour, cover);
    }
    // Far hills in blue-green, frontRidge hills in green.
    double farHill = horizon - 25 * Fractal(x, 0, 120, 33) - 10;
    double nearHill = horizon + 10 - 30 * sin(x / 90.0 + 0.5) * 0.6 - 18 * Fractal(x, 3, 60, 34);
    if (y > farHill)
        c = Mix({110, 150, 140}, {90, 140, 110}, (y - farHill) / 40 + 0.2 * Fractal(x, y, 12, 35));
    if (y > nearHill)
    {
        double g = Fractal(x, y, 14, 36);
        double depth = (y - nearHill) / (H - nearHill);
        c = Mix({120, 180, 60}, {50, 120, 35}, depth * 0.7 + (g - 0.5) * 0.6);
        // Flowers: small dots on a fixed grid, larger towards the front.
        const int cell = 9;
        for (int cy = y / cell - 1; cy <= y / cell + 1; ++cy)
            for (int cx = x / cell - 1; cx <= x / cell + 1; ++cx)
            {
                uint32_t h = Hash(cx, cy, 37);
                if ((h & 3) != 0)
                    continue;
                double fx = (cx + ((h >> 8) & 0xFF) / 256.0) * cell, fy = (cy + ((h >> 16) & 0xFF) / 256.0) * cell;
                if (fy < nearHill + 4)
                    continue;
                double size = 0.8 + 2.6 * (fy - nearHill) / (H - nearHill);
                double d = hypot(x - fx, y - fy);
                if (d < size)
                {
                    static const Colour flowers[4] = {{250, 240, 90}, {245, 245, 245}, {230, 70, 80}, {200, 120, 220}};
                    c = Mix(flowers[(h >> 4) & 3], c, Smooth(size * 0.5, size, d));
                }
            }
    }
    // A tree on the right: trunk and a round crown with leafy noise.
    double treeX = W * 0.74, crownY = horizon - 40, crownR = 52;
    double trunkTop = crownY + 10, trunkBottom = horizon + 38;
    if (fabs(x - treeX) < 6 + (y - trunkTop) * 0.05 && y > trunkTop && y < trunkBottom)
        c = Mix({90, 60, 35}, {60, 40, 25}, Fractal(x, y, 4, 38));
    double leaf = Fractal(x, y, 18, 39);
    double d = hypot((x - treeX) * 0.9, y - crownY);
    if (d < crownR * (0.8 + 0.35 * leaf))
    {
        double light = Smooth(crownR, -crownR, (x - treeX) + (y - crownY));
        c = Mix({30, 80, 30}, {110, 170, 60}, light * 0.8 + (Fractal(x, y, 5, 40) - 0.5) * 0.5);
    }
    // The tree's shadow on the grass.
    if (y > horizon + 30 && y < horizon + 48 && fabs(x - treeX - 30) < 60 - (y - horizon - 30) * 1.5)
        c = Mix(c, {30, 70, 25}, 0.35);
    return c;
}

bool WriteScene(const std::string& path, Colour (*scene)(int, int))
{
    int stride = (W * 3 + 3) & ~3;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + stride * H;
    info.biSize = sizeof(info);
    info.biWidth = W;
    info.biHeight = H;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biSizeImage = stride * H;
    FILE* f = fopen(path.c_str(), "wb");
    if (!f)
        return false;
    fwrite(&file, sizeof(file), 1, f);
    fwrite(&info, sizeof(info), 1, f);
    std::vector<BYTE> row(stride, 0);
    for (int y = H - 1; y >= 0; --y)
    {
        for (int x = 0; x < W; ++x)
        {
            Colour c = scene(x, y);
            auto clamp = [](double v) { return (BYTE)(v < 0 ? 0 : (v > 255 ? 255 : v + 0.5)); };
            row[3 * x] = clamp(c.b);
            row[3 * x + 1] = clamp(c.g);
            row[3 * x + 2] = clamp(c.r);
        }
        fwrite(row.data(), 1, stride, f);
    }
    return fclose(f) == 0;
}

int WriteScenes(const char* folder)
{
    std::string base = folder;
    if (!WriteScene(base + "\\scene_sunset.bmp", Sunset) || !WriteScene(base + "\\scene_meadow.bmp", Meadow))
        return -1;
    return 2;
}
}

PIXMERE_SAMPLE_WRITER(scenes, WriteScenes);
