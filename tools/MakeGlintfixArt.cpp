// MakeGlintfixArt ROOT: draws the red-eye editor's tool-bar strips (normal
// and disabled, 24 x 24 true colour, white = transparent; Open, Save As,
// web site, About) and its program icon (an eye with a red pupil) into
// ROOT\glintfix\res. Shapes are drawn with GDI at four times the size and
// averaged down; output is deterministic.
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

void DrawOpen(Canvas& c)
{
    // An opening folder with a picture peeking out.
    c.Pen(RGB(150, 110, 30), 1);
    c.Brush(RGB(240, 200, 90));
    c.Poly({2, 6, 9, 6, 11, 8, 20, 8, 20, 20, 2, 20});
    c.Pen(RGB(60, 60, 70), 0.8);
    c.Brush(RGB(120, 180, 235));
    c.Rect(6, 3.5, 17, 12);
    c.NoPen();
    c.Brush(RGB(200, 40, 40));
    c.Circle(11.5, 8, 2);
    c.Pen(RGB(150, 110, 30), 1);
    c.Brush(RGB(250, 220, 120));
    c.Poly({5, 11, 22.5, 11, 19.5, 20, 2, 20});
}

void DrawSaveAs(Canvas& c)
{
    // A floppy disk with a pen across its corner.
    c.Pen(RGB(30, 50, 110), 1);
    c.Brush(RGB(60, 100, 190));
    c.Round(2, 2, 19, 19, 2);
    c.NoPen();
    c.Brush(RGB(235, 235, 240));
    c.Rect(5, 3, 16, 9);
    c.Brush(RGB(40, 60, 120));
    c.Rect(6, 12, 15, 19);
    c.Brush(RGB(200, 200, 210));
    c.Rect(12.5, 4, 14.5, 8);
    c.Pen(RGB(90, 50, 20), 1);
    c.Brush(RGB(250, 190, 60));
    c.Poly({13, 21.5, 14, 17.5, 21, 10.5, 23, 12.5, 16, 19.5});
    c.NoPen();
    c.Brush(RGB(40, 40, 40));
    c.Poly({13, 21.5, 13.6, 19.3, 15.2, 20.9});
}

void DrawWebSite(Canvas& c)
{
    // A globe with meridians and parallels.
    c.Pen(RGB(20, 80, 140), 1);
    c.Brush(RGB(90, 170, 230));
    c.Circle(12, 12, 9.5);
    c.NoPen();
    c.Brush(RGB(70, 160, 70));
    c.Poly({6, 7, 10, 5, 12, 8, 10, 12, 7, 13, 5, 10});
    c.Poly({13, 13, 17, 12, 19, 15, 16, 19, 14, 17});
    c.Pen(RGB(235, 245, 255), 0.7);
    c.NoBrush();
    c.Line(2.5, 12, 21.5, 12);
    c.Line(12, 2.5, 12, 21.5);
    Ellipse(c.dc(), c.S(7.5), c.S(2.5), c.S(16.5), c.S(21.5));
}

void DrawAbout(Canvas& c)
{
    // An "i" in a blue disc.
    c.Pen(RGB(20, 60, 130), 1);
    c.Brush(RGB(60, 120, 210));
    c.Circle(12, 12, 9.5);
    c.NoPen();
    c.Brush(RGB(255, 255, 255));
    c.Circle(12, 7, 1.6);
    c.Round(10.4, 10, 13.6, 18.5, 1);
}


// The program icon, drawn on the 24-unit grid at the scale s of the icon's size.
void DrawProgramIcon(Canvas& big, double s)
{
    auto S = [&](double v) { return v * s; };
    big.Pen(RGB(60, 40, 30), 1.2 * s);
    big.Brush(RGB(250, 250, 245));
    Ellipse(big.dc(), big.S(S(1)), big.S(S(6)), big.S(S(23)), big.S(S(18)));
    big.NoPen();
    big.Brush(RGB(60, 130, 90));
    big.Circle(S(12), S(12), S(5.5));
    big.Brush(RGB(220, 20, 20));
    big.Circle(S(12), S(12), S(3));
    big.Brush(RGB(255, 255, 255));
    big.Circle(S(13.5), S(10.5), S(1));
}
}

int main(int argc, char** argv)
{
    if (argc < 2)
    {
        fprintf(stderr, "usage: MakeGlintfixArt ROOT\n");
        return 2;
    }
    std::string res = std::string(argv[1]) + "\\glintfix\\res\\";
    CreateDirectoryA(res.c_str(), NULL);
    void (*draw[])(Canvas&) = {DrawOpen, DrawSaveAs, DrawWebSite, DrawAbout};
    const int buttons = 4, size = 24;
    Picture normal(buttons * size, size, Rgb{255, 255, 255});
    Picture disabled(buttons * size, size, Rgb{255, 255, 255});
    for (int i = 0; i < buttons; ++i)
    {
        Canvas c(size);
        draw[i](c);
        Place(normal, i * size, size, c, false);
        Place(disabled, i * size, size, c, true);
    }
    bool ok = WriteBmp(res + "Toolbar.bmp", normal) && WriteBmp(res + "ToolbarDisabled.bmp", disabled) &&
              WriteIcon(res + "Glintfix.ico", DrawProgramIcon);
    printf(ok ? "Glintfix artwork written under %s\n" : "MakeGlintfixArt: writing under %s failed\n", res.c_str());
    return ok ? 0 : 1;
}
