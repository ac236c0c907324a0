// Sample writer of a painted portrait whose two pupils glow red, as a flash
// photograph shows them: "portrait_redeye.jpg", 512 x 640, the red-eye
// editor's sample. Each pixel averages 4 x 4 samples of the analytic
// drawing, so the edges are smooth; output is deterministic.
#include <windows.h>
#include <math.h>
#include <string>
#include "JpgFile.h"
#include "RgbBuffer.h"
#include "SampleNoise.h"
#include "SampleWriters.h"

namespace
{
const int W = 512, H = 640;
// Pupil centres and radius: the red glow to repair.
const double kEyeY = 298, kLeftEyeX = 198, kRightEyeX = 314, kPupil = 10;

struct Colour
{
    double r, g, b;
};

Colour Mix(Colour a, Colour b, double t)
{
    t = t < 0 ? 0 : (t > 1 ? 1 : t);
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

// Inside measure of an axis-aligned ellipse: < 1 inside.
double Ellipse(double x, double y, double cx, double cy, double rx, double ry)
{
    double dx = (x - cx) / rx, dy = (y - cy) / ry;
    return dx * dx + dy * dy;
}

Colour Eye(double x, double y, double cx, Colour skin)
{
    double white = Ellipse(x, y, cx, kEyeY, 27, 13);
    if (white >= 1)
        return skin;
    double d = hypot(x - cx, y - kEyeY);
    Colour c = Mix({245, 242, 236}, {200, 190, 185}, (d - 14) / 14);
    if (d < 17)
        c = Mix({120, 80, 45}, {70, 45, 25}, d / 17); // brown iris
    if (d < kPupil)
        c = Mix({235, 40, 35}, {170, 25, 30}, d / kPupil); // the flash's red glow
    if (hypot(x - (cx + 4), y - (kEyeY - 4)) < 3)
        c = {255, 250, 245}; // catch light
    // Upper lid shadow.
    double lid = Ellipse(x, y, cx, kEyeY - 5, 28, 12);
    if (lid > 0.8)
        c = Mix(c, {150, 95, 80}, (lid - 0.8) * 2);
    return c;
}

Colour Portrait(double x, double y)
{
    // Background: a studio backdrop, blue-grey with soft light behind the head.
    double light = exp(-hypot(x - W * 0.5, y - H * 0.35) / 260);
    Colour c = Mix({60, 75, 95}, {150, 165, 185}, light);
    c = Mix(c, {40, 50, 70}, 0.15 * Noise(x, y, 60, 11));

    // Shoulders and shirt.
    if (y > 500 && Ellipse(x, y, W * 0.5, 700, 250, 200) < 1)
        c = Mix({40, 70, 120}, {25, 45, 85}, Noise(x, y, 30, 5) * 0.6 + (x - W * 0.5) / 500);
    // Neck.
    if (x > 215 && x < 297 && y > 400 && y < 540)
        c = Mix({225, 170, 140}, {185, 130, 105}, fabs(x - 256) / 45 + (y > 500 ? (y - 500) / 60 : 0));

    // Hair behind the face.
    double hairBack = Ellipse(x, y, 256, 290, 150, 185);
    if (hairBack < 1 && y < 420)
        c = Mix({75, 45, 25}, {40, 22, 12}, Noise(x * 3, y, 14, 3));

    // Face with soft shading toward its rim.
    double face = Ellipse(x, y, 256, 320, 112, 145);
    if (face < 1)
    {
        Colour skin = Mix({240, 190, 160}, {200, 140, 115}, face * face);
        skin = Mix(skin, {230, 150, 140}, 0.35 * exp(-Ellipse(x, y, 190, 370, 30, 20)));
        skin = Mix(skin, {230, 150, 140}, 0.35 * exp(-Ellipse(x, y, 322, 370, 30, 20)));
        c = skin;
        // Hair fringe over the forehead.
        if (y < 220 + 25 * sin(x / 23.0) && Ellipse(x, y, 256, 290, 150, 185) < 1)
            c = Mix({75, 45, 25}, {40, 22, 12}, Noise(x * 3, y, 14, 3));
        // Eyebrows.
        for (double cx : {kLeftEyeX, kRightEyeX})
            if (Ellipse(x, y, cx, 264 + 0.004 * (x - cx) * (x - cx), 32, 5) < 1)
                c = {85, 55, 35};
        c = Eye(x, y, kLeftEyeX, c);
        c = Eye(x, y, kRightEyeX, c);
        // Nose: a shadow on one side and the nostrils.
        if (Ellipse(x, y, 266, 345, 6, 30) < 1)
            c = Mix(c, {180, 120, 95}, 0.5);
        for (double nx : {246.0, 266.0})
            if (Ellipse(x, y, nx, 378, 6, 3.5) < 1)
                c = {150, 90, 75};
        // Lips.
        double lips = Ellipse(x, y, 256, 418, 38, 12);
        if (lips < 1)
            c = Mix({200, 90, 95}, {160, 60, 70}, fabs(y - 418) / 12 + (y > 418 ? 0 : 0.3));
        if (fabs(y - 418 - 4 * (1 - (x - 256) * (x - 256) / 1444.0)) < 1.2 && lips < 1)
            c = {120, 45, 55};
    }
    return c;
}

int WritePortrait(const char* folder)
{
    CRgbBuffer picture;
    if (!picture.AllocateImage(W, H))
        return -1;
    picture.m_GrayScale = 0;
    BYTE* pixels = picture.GetBuffer();
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
        {
            Colour sum = {0, 0, 0};
            for (int j = 0; j < 4; ++j)
                for (int i = 0; i < 4; ++i)
                {
                    Colour c = Portrait(x + (i + 0.5) / 4, y + (j + 0.5) / 4);
                    sum.r += c.r;
                    sum.g += c.g;
                    sum.b += c.b;
                }
            BYTE* p = pixels + 3 * ((size_t)y * W + x);
            p[0] = (BYTE)(sum.r / 16 + 0.5);
            p[1] = (BYTE)(sum.g / 16 + 0.5);
            p[2] = (BYTE)(sum.b / 16 + 0.5);
        }
    std::string path = std::string(folder) + "\\portrait_redeye.jpg";
    return CJpgFile(path.c_str(), 92, false).Save(&picture) ? 1 : -1;
}
}

PIXMERE_SAMPLE_WRITER(portrait, WritePortrait);
