// MakeViewerArt ROOT: draws the viewer's tool-bar strips (normal and
// disabled, 24 x 24 true colour, white = transparent), its magnifier cursor
// and program icon, and the chooser's tick-box images, into ROOT\viewer\res
// and ROOT\rastel\res. Shapes are drawn with GDI at four times the size and
// averaged down, so the edges are smooth; output is deterministic.
#include <windows.h>
#include <math.h>
#include <stdio.h>
#include <string.h>
#include <string>
#include <vector>

#include "ArtCanvas.h"

using namespace art;

namespace
{

// ---- The tool-bar buttons, in tool-bar order --------------------------------

void DrawPictureFrame(Canvas& c, double l, double t, double r, double b)
{
    c.Pen(RGB(60, 60, 70), 1);
    c.Brush(RGB(120, 180, 235));
    c.Rect(l, t, r, b);
    c.NoPen();
    c.Brush(RGB(70, 150, 60));
    c.Poly({l + 0.5, b - 0.5, l + (r - l) * 0.38, t + (b - t) * 0.45, l + (r - l) * 0.62, b - 0.5});
    c.Brush(RGB(40, 120, 50));
    c.Poly({l + (r - l) * 0.4, b - 0.5, l + (r - l) * 0.7, t + (b - t) * 0.35, r - 0.5, b - 0.5});
    c.Brush(RGB(255, 210, 40));
    c.Circle(l + (r - l) * 0.78, t + (b - t) * 0.28, (b - t) * 0.13);
}

void DrawMagnifyingGlass(Canvas& c, double cx, double cy, double radius)
{
    c.Pen(RGB(90, 60, 30), 3.2);
    c.Line(cx + radius * 0.7, cy + radius * 0.7, cx + radius * 1.75, cy + radius * 1.75);
    c.Pen(RGB(70, 70, 80), 1.6);
    c.Brush(RGB(215, 235, 250));
    c.Circle(cx, cy, radius);
}

void DrawButton(Canvas& c, int index)
{
    const COLORREF green = RGB(40, 160, 60), darkGreen = RGB(20, 110, 40);
    switch (index)
    {
    case 0: // Open: a folder
        c.Pen(RGB(150, 110, 20), 1);
        c.Brush(RGB(230, 180, 50));
        c.Poly({2, 6, 9, 6, 11, 8, 21, 8, 21, 20, 2, 20});
        c.Brush(RGB(250, 215, 90));
        c.Poly({2, 20, 5, 11, 23, 11, 20, 20});
        break;
    case 1: // Browser: a sheet of thumbnails
        c.Pen(RGB(60, 60, 70), 1);
        c.Brush(RGB(245, 245, 240));
        c.Round(2, 3, 22, 21, 3);
        for (int j = 0; j < 2; ++j)
            for (int i = 0; i < 3; ++i)
            {
                c.NoPen();
                c.Brush(i == 1 && j == 0 ? RGB(230, 120, 40) : RGB(70, 130, 200));
                c.Rect(4 + i * 6, 6 + j * 7, 9 + i * 6, 11 + j * 7);
            }
        break;
    case 2: // Glintfix: an eye with a red glint
        c.Pen(RGB(60, 50, 50), 1);
        c.Brush(RGB(250, 245, 240));
        c.Poly({1.5, 12, 6, 6.5, 12, 5, 18, 6.5, 22.5, 12, 18, 17.5, 12, 19, 6, 17.5});
        c.Brush(RGB(80, 140, 200));
        c.Circle(12, 12, 5.5);
        c.NoPen();
        c.Brush(RGB(220, 30, 30));
        c.Circle(12, 12, 3);
        c.Brush(RGB(250, 250, 250));
        c.Circle(13.5, 10.5, 1.1);
        break;
    case 3: // Previous
        c.Pen(darkGreen, 1);
        c.Brush(green);
        c.Poly({16, 4, 16, 20, 5, 12});
        c.Rect(17, 4, 20, 20);
        break;
    case 4: // Next
        c.Pen(darkGreen, 1);
        c.Brush(green);
        c.Poly({8, 4, 8, 20, 19, 12});
        c.Rect(4, 4, 7, 20);
        break;
    case 5: // Play
        c.Pen(darkGreen, 1);
        c.Brush(green);
        c.Circle(12, 12, 10);
        c.NoPen();
        c.Brush(RGB(250, 250, 250));
        c.Poly({9, 6.5, 9, 17.5, 18, 12});
        break;
    case 6: // Stop
        c.Pen(RGB(140, 20, 20), 1);
        c.Brush(RGB(210, 40, 40));
        c.Circle(12, 12, 10);
        c.NoPen();
        c.Brush(RGB(250, 250, 250));
        c.Rect(7.5, 7.5, 16.5, 16.5);
        break;
    case 7: // Best fit: the picture inside a dashed frame
        c.Pen(RGB(90, 90, 100), 1);
        c.NoBrush();
        c.Rect(1.5, 2.5, 22.5, 21.5);
        DrawPictureFrame(c, 5, 6, 19, 18);
        break;
    case 8: // Fit to window: the picture with arrows to the corners
        DrawPictureFrame(c, 6, 7, 18, 17);
        c.Pen(RGB(30, 80, 160), 1.6);
        c.Line(2, 2, 6, 6);
        c.Line(22, 2, 18, 6);
        c.Line(2, 22, 6, 18);
        c.Line(22, 22, 18, 18);
        c.Line(2, 2, 2, 6);
        c.Line(2, 2, 6, 2);
        c.Line(22, 2, 18, 2);
        c.Line(22, 2, 22, 6);
        c.Line(2, 22, 6, 22);
        c.Line(2, 22, 2, 18);
        c.Line(22, 22, 18, 22);
        c.Line(22, 22, 22, 18);
        break;
    case 9: // Actual size: 1:1
        c.Pen(RGB(60, 60, 70), 1);
        c.Brush(RGB(250, 250, 245));
        c.Round(1.5, 4, 22.5, 20, 3);
        c.Text("1:1", 12, 5.5, 12, RGB(30, 60, 140), true);
        break;
    case 10: // Full screen: a monitor
        c.Pen(RGB(50, 50, 60), 1);
        c.Brush(RGB(70, 70, 80));
        c.Round(1.5, 2.5, 22.5, 17.5, 2);
        DrawPictureFrame(c, 3.5, 4.5, 20.5, 15.5);
        c.Brush(RGB(90, 90, 100));
        c.Poly({9, 17.5, 15, 17.5, 16, 21, 8, 21});
        break;
    case 11: // Zoom in
    case 12: // Zoom out
        DrawMagnifyingGlass(c, 10, 10, 7);
        c.Pen(RGB(30, 80, 160), 2);
        c.Line(6.5, 10, 13.5, 10);
        if (index == 11)
            c.Line(10, 6.5, 10, 13.5);
        break;
    case 13: // Clockwise
    case 14: // Counter clockwise
    {
        bool clockwise = index == 13;
        c.Pen(RGB(30, 100, 180), 2.6);
        c.NoBrush();
        if (clockwise)
            c.ArcLine(12, 13, 7.5, -60, 150);
        else
            c.ArcLine(12, 13, 7.5, 30, 240);
        c.NoPen();
        c.Brush(RGB(30, 100, 180));
        if (clockwise)
            c.Poly({17, 20.5, 21.5, 15, 13.5, 15.5});
        else
            c.Poly({7, 20.5, 2.5, 15, 10.5, 15.5});
        break;
    }
    case 15: // Flip vertical: mirror across a horizontal line
        c.Pen(RGB(30, 80, 160), 1);
        c.Brush(RGB(70, 140, 220));
        c.Poly({5, 10, 19, 10, 12, 2});
        c.Brush(RGB(200, 220, 245));
        c.Poly({5, 14, 19, 14, 12, 22});
        c.Pen(RGB(120, 40, 40), 1);
        c.Line(2, 12, 22, 12);
        break;
    case 16: // Flip horizontal: mirror across a vertical line
        c.Pen(RGB(30, 80, 160), 1);
        c.Brush(RGB(70, 140, 220));
        c.Poly({10, 5, 10, 19, 2, 12});
        c.Brush(RGB(200, 220, 245));
        c.Poly({14, 5, 14, 19, 22, 12});
        c.Pen(RGB(120, 40, 40), 1);
        c.Line(12, 2, 12, 22);
        break;
    case 17: // Transition effects: one picture sliding over another
        DrawPictureFrame(c, 2, 3, 15, 13);
        c.Pen(RGB(60, 60, 70), 1);
        c.Brush(RGB(240, 150, 60));
        c.Rect(9, 10, 22, 21);
        c.NoPen();
        c.Brush(RGB(250, 230, 120));
        c.Poly({11, 19, 15.5, 12, 20, 19});
        break;
    case 18: // Web site: a globe
        DrawGlobe(c);
        break;
    case 19: // About: an i in a blue disc
        DrawInfoDisc(c);
        break;
    }
}

// ---- Files ------------------------------------------------------------------------


// One 32 x 32 monochrome cursor: a magnifying glass, hot spot at the glass's centre.
bool WriteMagnifierCursor(const std::string& path)
{
    const int n = 32;
    std::vector<int> shape(n * n, 0); // 0 transparent, 1 black, 2 white
    double cx = 12, cy = 12;
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x)
        {
            double d = hypot(x + 0.5 - cx, y + 0.5 - cy);
            double along = ((x + 0.5 - cx) + (y + 0.5 - cy)) / sqrt(2.0);
            double across = fabs((x + 0.5 - cx) - (y + 0.5 - cy)) / sqrt(2.0);
            if (d <= 7.5)
                shape[y * n + x] = 2;
            if (d > 7.5 && d <= 10)
                shape[y * n + x] = 1;
            if (along > 9 && along < 20 && across < 2.6)
                shape[y * n + x] = 1;
        }
    std::vector<BYTE> xorBits(n * 4, 0), andBits(n * 4, 0);
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x)
        {
            int row = (n - 1 - y) * 4; // bottom-up
            BYTE bit = (BYTE)(0x80 >> (x & 7));
            int v = shape[y * n + x];
            if (v == 0)
                andBits[row + x / 8] |= bit;
            if (v == 2)
                xorBits[row + x / 8] |= bit;
        }
    FILE* f = fopen(path.c_str(), "wb");
    if (!f)
        return false;
    WORD header[3] = {0, 2, 1};
    fwrite(header, 2, 3, f);
    DWORD size = 40 + 8 + (DWORD)xorBits.size() + (DWORD)andBits.size();
    BYTE entry[16] = {(BYTE)n, (BYTE)n, 2, 0, 12, 0, 12, 0};
    memcpy(entry + 8, &size, 4);
    DWORD offset = 6 + 16;
    memcpy(entry + 12, &offset, 4);
    fwrite(entry, 1, 16, f);
    BITMAPINFOHEADER info = {};
    info.biSize = 40;
    info.biWidth = n;
    info.biHeight = 2 * n;
    info.biPlanes = 1;
    info.biBitCount = 1;
    fwrite(&info, 40, 1, f);
    BYTE palette[8] = {0, 0, 0, 0, 255, 255, 255, 0};
    fwrite(palette, 1, 8, f);
    fwrite(xorBits.data(), 1, xorBits.size(), f);
    fwrite(andBits.data(), 1, andBits.size(), f);
    return fclose(f) == 0;
}

// The program icon, drawn on the 24-unit grid at the scale s of the icon's size.
void DrawProgramIcon(Canvas& big, double s)
{
    auto S = [&](double v) { return v * s; };
    big.Pen(RGB(90, 60, 30), 1.2 * s);
    big.Brush(RGB(180, 130, 70));
    big.Round(S(1), S(3), S(23), S(21), S(2));
    DrawPictureFrame(big, S(3.5), S(5.5), S(20.5), S(18.5));
}

// The chooser's tick boxes: image 0 unticked, image 1 ticked (16 x 16 each).
bool WriteTicks(const std::string& path)
{
    Picture strip(32, 16, Rgb{255, 255, 255});
    for (int i = 0; i < 2; ++i)
    {
        Canvas c(16);
        c.Pen(RGB(70, 80, 100), 1);
        c.Brush(RGB(252, 252, 250));
        c.Round(2, 2, 14, 14, 2);
        if (i == 1)
        {
            c.Pen(RGB(30, 150, 50), 2.2);
            c.Line(4.5, 8, 7, 11);
            c.Line(7, 11, 12, 4.5);
        }
        Place(strip, 16 * i, 16, c, false);
    }
    return WriteBmp(path, strip);
}
}

int main(int argc, char** argv)
{
    if (argc < 2)
    {
        fprintf(stderr, "usage: MakeViewerArt ROOT\n");
        return 2;
    }
    std::string root = argv[1];
    std::string viewerRes = root + "\\viewer\\res\\";
    std::string rastelRes = root + "\\rastel\\res\\";
    CreateDirectoryA(viewerRes.c_str(), NULL);
    CreateDirectoryA(rastelRes.c_str(), NULL);

    const int buttons = 20, size = 24;
    Picture normal(buttons * size, size, Rgb{255, 255, 255});
    Picture disabled(buttons * size, size, Rgb{255, 255, 255});
    for (int i = 0; i < buttons; ++i)
    {
        Canvas c(size);
        DrawButton(c, i);
        Place(normal, i * size, size, c, false);
        Place(disabled, i * size, size, c, true);
    }
    bool ok = WriteBmp(viewerRes + "Toolbar.bmp", normal) && WriteBmp(viewerRes + "ToolbarDisabled.bmp", disabled) &&
              WriteMagnifierCursor(viewerRes + "Magnifier.cur") && WriteIcon(viewerRes + "Viewer.ico", DrawProgramIcon) &&
              WriteTicks(rastelRes + "TransitionTicks.bmp");
    printf(ok ? "viewer and chooser artwork written under %s\n" : "MakeViewerArt: writing under %s failed\n",
           root.c_str());
    return ok ? 0 : 1;
}
