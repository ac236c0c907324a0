// MakeBrowserArt ROOT: draws the browser's tool-bar strips (normal and
// disabled, 24 x 24 true colour, white = transparent) and its program icon
// into ROOT\browser\res.
#include "ArtCanvas.h"

namespace
{
using art::Canvas;

// A small landscape photo: sky, two hills and a sun.
void DrawPhoto(Canvas& c, double l, double t, double r, double b)
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

// A grid of thumbnails whose cell size shows the command (cells x cells).
void DrawThumbGrid(Canvas& c, int cells)
{
    double pitch = 20.0 / cells, gap = cells > 2 ? 1 : 1.5;
    for (int j = 0; j < cells; ++j)
        for (int i = 0; i < cells; ++i)
        {
            c.Pen(RGB(60, 60, 70), 0.7);
            c.Brush((i + j) % 2 ? RGB(70, 130, 200) : RGB(90, 160, 90));
            c.Rect(2 + i * pitch, 2 + j * pitch, 2 + (i + 1) * pitch - gap, 2 + (j + 1) * pitch - gap);
        }
}

// A cell with a selection frame (orange) or none.
void DrawCell(Canvas& c, double l, double t, double r, double b, bool selected)
{
    if (selected)
    {
        c.Pen(RGB(228, 68, 0), 1.6);
        c.NoBrush();
        c.Rect(l - 1, t - 1, r + 1, b + 1);
    }
    c.Pen(RGB(60, 60, 70), 0.7);
    c.Brush(RGB(70, 130, 200));
    c.Rect(l, t, r, b);
}

void DrawArrow(Canvas& c, double x0, double y0, double x1, double y1, COLORREF colour)
{
    c.Pen(colour, 2);
    c.Line(x0, y0, x1, y1);
    double dx = x1 - x0, dy = y1 - y0, len = sqrt(dx * dx + dy * dy);
    dx /= len;
    dy /= len;
    c.NoPen();
    c.Brush(colour);
    c.Poly({x1 + dx * 2, y1 + dy * 2, x1 - dx * 3 - dy * 3, y1 - dy * 3 + dx * 3, x1 - dx * 3 + dy * 3,
            y1 - dy * 3 - dx * 3});
}

void DrawSheet(Canvas& c, double l, double t, double r, double b)
{
    c.Pen(RGB(80, 80, 90), 1);
    c.Brush(RGB(250, 250, 245));
    c.Poly({l, t, r - 4, t, r, t + 4, r, b, l, b});
}

void DrawCaption(Canvas& c, COLORREF strip, bool lines)
{
    DrawPhoto(c, 3, 2, 21, 14);
    c.Pen(RGB(60, 60, 70), 1);
    c.Brush(strip);
    c.Rect(3, 15.5, 21, 21.5);
    c.Pen(RGB(40, 40, 40), 1);
    if (lines)
    {
        c.Line(5, 17.5, 19, 17.5);
        c.Line(5, 19.5, 14, 19.5);
    }
    else
        c.Line(7, 18.5, 17, 18.5);
}

// Tool-bar order: New window, Viewer, Glintfix | Select all, Invert
// selection | Cut, Copy, Paste | Remove | Minimize, Reduce, Enlarge,
// Maximize | Fit | Show file name, Show file description | Web site | About.
void DrawButton(Canvas& c, int index)
{
    switch (index)
    {
    case 0: // New window: a window with a star
        c.Pen(RGB(50, 60, 80), 1);
        c.Brush(RGB(245, 245, 240));
        c.Rect(2, 4, 20, 20);
        c.NoPen();
        c.Brush(RGB(40, 90, 170));
        c.Rect(2.5, 4.5, 19.5, 8);
        c.Brush(RGB(70, 130, 200));
        c.Rect(5, 10, 10, 14);
        c.Rect(12, 10, 17, 14);
        c.Brush(RGB(255, 200, 30));
        c.Pen(RGB(200, 120, 0), 0.8);
        c.Poly({19, 12, 20.3, 15.6, 24, 15.8, 21.1, 18.1, 22.1, 21.7, 19, 19.6, 15.9, 21.7, 16.9, 18.1, 14, 15.8,
                17.7, 15.6});
        break;
    case 1: // Viewer: a picture on an easel-like screen with a play mark
        DrawPhoto(c, 2, 3, 22, 18);
        c.Pen(RGB(20, 110, 40), 1);
        c.Brush(RGB(40, 160, 60));
        c.Circle(17.5, 17.5, 5);
        c.NoPen();
        c.Brush(RGB(250, 250, 250));
        c.Poly({16, 15, 16, 20, 20.2, 17.5});
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
    case 3: // Select all: four selected cells
        DrawCell(c, 3, 3, 10, 10, true);
        DrawCell(c, 14, 3, 21, 10, true);
        DrawCell(c, 3, 14, 10, 21, true);
        DrawCell(c, 14, 14, 21, 21, true);
        break;
    case 4: // Invert selection: two selected, two not
        DrawCell(c, 3, 3, 10, 10, true);
        DrawCell(c, 14, 3, 21, 10, false);
        DrawCell(c, 3, 14, 10, 21, false);
        DrawCell(c, 14, 14, 21, 21, true);
        break;
    case 5: // Cut: scissors
        c.Pen(RGB(90, 90, 100), 1.6);
        c.Line(8, 2, 15, 14);
        c.Line(16, 2, 9, 14);
        c.Pen(RGB(180, 30, 30), 1.8);
        c.NoBrush();
        c.Circle(7.5, 17.5, 3.5);
        c.Circle(16.5, 17.5, 3.5);
        break;
    case 6: // Copy: two sheets
        DrawSheet(c, 3, 2, 14, 16);
        DrawSheet(c, 9, 7, 21, 22);
        c.Pen(RGB(70, 130, 200), 1);
        c.Line(11.5, 12, 18, 12);
        c.Line(11.5, 15, 18, 15);
        c.Line(11.5, 18, 16, 18);
        break;
    case 7: // Paste: a clipboard with a sheet
        c.Pen(RGB(110, 70, 30), 1);
        c.Brush(RGB(190, 140, 80));
        c.Round(3, 4, 18, 22, 2);
        c.Brush(RGB(160, 160, 170));
        c.Rect(7, 2, 14, 6);
        DrawSheet(c, 10, 9, 21, 22);
        break;
    case 8: // Remove: a red cross over a cell
        DrawCell(c, 3, 4, 17, 18, false);
        c.Pen(RGB(200, 30, 30), 3);
        c.Line(11, 11, 20, 20);
        c.Line(20, 11, 11, 20);
        break;
    case 9: // Minimize: many small thumbnails
        DrawThumbGrid(c, 4);
        break;
    case 10: // Reduce: a grid and a minus
    case 11: // Enlarge: a grid and a plus
        DrawThumbGrid(c, index == 10 ? 3 : 2);
        c.Pen(RGB(20, 60, 140), 1);
        c.Brush(RGB(250, 250, 250));
        c.Circle(17, 17, 5.5);
        c.Pen(RGB(20, 60, 140), 2);
        c.Line(14, 17, 20, 17);
        if (index == 11)
            c.Line(17, 14, 17, 20);
        break;
    case 12: // Maximize: one large thumbnail
        DrawPhoto(c, 2, 3, 22, 21);
        break;
    case 13: // Fit thumbnails to rectangle: a photo with arrows to the corners
        DrawPhoto(c, 6, 7, 18, 17);
        DrawArrow(c, 7, 7, 3, 3, RGB(30, 80, 160));
        DrawArrow(c, 17, 7, 21, 3, RGB(30, 80, 160));
        DrawArrow(c, 7, 17, 3, 21, RGB(30, 80, 160));
        DrawArrow(c, 17, 17, 21, 21, RGB(30, 80, 160));
        break;
    case 14: // Show file name: a caption strip with one line
        DrawCaption(c, RGB(244, 244, 168), false);
        break;
    case 15: // Show file description: a caption strip with text lines
        DrawCaption(c, RGB(244, 244, 224), true);
        break;
    case 16: // Web site: a globe
        art::DrawGlobe(c);
        break;
    case 17: // About: an i in a blue disc
        art::DrawInfoDisc(c);
        break;
    }
}

// The program icon: three overlapping photos, the front one framed.
void DrawProgramIcon(Canvas& c, double s)
{
    auto S = [&](double v) { return v * s; };
    c.Pen(RGB(60, 60, 70), 1.0 * s);
    c.Brush(RGB(230, 230, 225));
    c.Rect(S(1), S(1), S(15), S(11));
    c.Brush(RGB(200, 200, 195));
    c.Rect(S(5), S(5), S(19), S(15));
    c.Pen(RGB(228, 68, 0), 1.6 * s);
    c.Brush(RGB(245, 245, 240));
    c.Rect(S(8), S(9), S(23), S(22));
    DrawPhoto(c, S(9.5), S(10.5), S(21.5), S(20.5));
}
}

int main(int argc, char** argv)
{
    if (argc < 2)
    {
        fprintf(stderr, "usage: MakeBrowserArt ROOT\n");
        return 2;
    }
    std::string res = std::string(argv[1]) + "\\browser\\res\\";
    CreateDirectoryA(res.c_str(), NULL);

    const int buttons = 18, size = 24;
    art::Picture normal(buttons * size, size, art::Rgb{255, 255, 255});
    art::Picture disabled(buttons * size, size, art::Rgb{255, 255, 255});
    for (int i = 0; i < buttons; ++i)
    {
        Canvas c(size);
        DrawButton(c, i);
        art::Place(normal, i * size, size, c, false);
        art::Place(disabled, i * size, size, c, true);
    }
    bool ok = art::WriteBmp(res + "Toolbar.bmp", normal) && art::WriteBmp(res + "ToolbarDisabled.bmp", disabled) &&
              art::WriteIcon(res + "Pixmere.ico", DrawProgramIcon);
    printf(ok ? "browser artwork written under %s\n" : "MakeBrowserArt: writing under %s failed\n", res.c_str());
    return ok ? 0 : 1;
}
