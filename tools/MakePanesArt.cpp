// MakePanesArt ROOT: draws the artwork of the browser's left pane into
// ROOT\browser\panes\res: the caption-bar buttons (16 x 14 bitmaps, open and
// closed, normal and pressed), the tree icons of the albums and the
// indexed-folders panes (16 x 16), and the animated hourglass cursor shown
// over a tree item while it fills (10 frames of 32 x 32). Shapes are sampled
// 4 x 4 per pixel, so edges are smooth; icons are opaque inside their mask
// with edges blended over white (the trees' background). Output is
// deterministic.
#include <windows.h>
#include <math.h>
#include <stdio.h>
#include <functional>
#include <string>
#include <vector>

namespace
{
struct Rgba
{
    double r, g, b, a; // 0..255, a 0..1
};

// A picture built of layers: each layer is a shape (inside test in pixel
// coordinates) filled with one colour, sampled 4 x 4 times per pixel.
class Art
{
public:
    Art(int w, int h) : m_w(w), m_h(h), m_px((size_t)w * h, Rgba{0, 0, 0, 0}) {}

    void Fill(COLORREF c, const std::function<bool(double, double)>& inside)
    {
        for (int y = 0; y < m_h; y++)
            for (int x = 0; x < m_w; x++)
            {
                int hits = 0;
                for (int sy = 0; sy < 4; sy++)
                    for (int sx = 0; sx < 4; sx++)
                        hits += inside(x + (sx + 0.5) / 4, y + (sy + 0.5) / 4) ? 1 : 0;
                if (!hits)
                    continue;
                double a = hits / 16.0;
                Rgba& p = m_px[(size_t)y * m_w + x];
                double na = a + p.a * (1 - a);
                p.r = (GetRValue(c) * a + p.r * p.a * (1 - a)) / na;
                p.g = (GetGValue(c) * a + p.g * p.a * (1 - a)) / na;
                p.b = (GetBValue(c) * a + p.b * p.a * (1 - a)) / na;
                p.a = na;
            }
    }
    void Rect(COLORREF c, double l, double t, double r, double b)
    {
        Fill(c, [=](double x, double y) { return x >= l && x < r && y >= t && y < b; });
    }
    void Ellipse(COLORREF c, double cx, double cy, double rx, double ry)
    {
        Fill(c, [=](double x, double y) {
            double dx = (x - cx) / rx, dy = (y - cy) / ry;
            return dx * dx + dy * dy <= 1;
        });
    }
    void Ring(COLORREF c, double cx, double cy, double r1, double r2)
    {
        Fill(c, [=](double x, double y) {
            double d = hypot(x - cx, y - cy);
            return d >= r1 && d <= r2;
        });
    }
    // A convex or concave polygon (even-odd rule).
    void Poly(COLORREF c, std::vector<double> xy)
    {
        Fill(c, [xy](double x, double y) {
            bool in = false;
            size_t n = xy.size() / 2;
            for (size_t i = 0, j = n - 1; i < n; j = i++)
            {
                double xi = xy[2 * i], yi = xy[2 * i + 1], xj = xy[2 * j], yj = xy[2 * j + 1];
                if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi)
                    in = !in;
            }
            return in;
        });
    }
    // A thick line from (x1, y1) to (x2, y2).
    void Line(COLORREF c, double x1, double y1, double x2, double y2, double width)
    {
        Fill(c, [=](double x, double y) {
            double dx = x2 - x1, dy = y2 - y1, len2 = dx * dx + dy * dy;
            double t = len2 ? ((x - x1) * dx + (y - y1) * dy) / len2 : 0;
            t = t < 0 ? 0 : (t > 1 ? 1 : t);
            return hypot(x - (x1 + t * dx), y - (y1 + t * dy)) <= width / 2;
        });
    }

    int W() const { return m_w; }
    int H() const { return m_h; }
    // The pixel blended over `back`; alpha kept apart for the icon mask.
    void Pixel(int x, int y, COLORREF back, BYTE rgb[3], bool& opaque) const
    {
        const Rgba& p = m_px[(size_t)y * m_w + x];
        rgb[0] = (BYTE)lround(p.r * p.a + GetRValue(back) * (1 - p.a));
        rgb[1] = (BYTE)lround(p.g * p.a + GetGValue(back) * (1 - p.a));
        rgb[2] = (BYTE)lround(p.b * p.a + GetBValue(back) * (1 - p.a));
        opaque = p.a >= 0.25;
    }

private:
    int m_w, m_h;
    std::vector<Rgba> m_px;
};

void Put16(std::string& s, unsigned v) { s += (char)(v & 0xFF); s += (char)(v >> 8); }
void Put32(std::string& s, unsigned v) { Put16(s, v & 0xFFFF); Put16(s, v >> 16); }

bool WriteFile(const std::string& path, const std::string& bytes)
{
    FILE* f = fopen(path.c_str(), "wb");
    if (!f)
        return false;
    bool ok = fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return fclose(f) == 0 && ok;
}

// A 24-bit bottom-up BMP file of the art over `back`.
std::string Bmp(const Art& art, COLORREF back)
{
    int stride = (art.W() * 3 + 3) & ~3;
    std::string s = "BM";
    Put32(s, 54 + stride * art.H());
    Put32(s, 0);
    Put32(s, 54);
    Put32(s, 40);
    Put32(s, art.W());
    Put32(s, art.H());
    Put16(s, 1);
    Put16(s, 24);
    Put32(s, 0);
    Put32(s, stride * art.H());
    Put32(s, 2835);
    Put32(s, 2835);
    Put32(s, 0);
    Put32(s, 0);
    for (int y = art.H() - 1; y >= 0; y--)
    {
        std::string row;
        for (int x = 0; x < art.W(); x++)
        {
            BYTE rgb[3];
            bool opaque;
            art.Pixel(x, y, back, rgb, opaque);
            row += (char)rgb[2];
            row += (char)rgb[1];
            row += (char)rgb[0];
        }
        row.resize(stride, 0);
        s += row;
    }
    return s;
}

// The image part of an icon or cursor entry: 32-bit colour (edges blended
// over white, alpha 255 inside the mask) and the AND mask.
std::string IconImage(const Art& art)
{
    std::string s;
    Put32(s, 40);
    Put32(s, art.W());
    Put32(s, art.H() * 2);
    Put16(s, 1);
    Put16(s, 32);
    Put32(s, 0);
    Put32(s, 0);
    Put32(s, 0);
    Put32(s, 0);
    Put32(s, 0);
    Put32(s, 0);
    std::string mask;
    int maskStride = ((art.W() + 31) / 32) * 4;
    for (int y = art.H() - 1; y >= 0; y--)
    {
        std::string maskRow(maskStride, 0);
        for (int x = 0; x < art.W(); x++)
        {
            BYTE rgb[3];
            bool opaque;
            art.Pixel(x, y, RGB(255, 255, 255), rgb, opaque);
            s += (char)(opaque ? rgb[2] : 0);
            s += (char)(opaque ? rgb[1] : 0);
            s += (char)(opaque ? rgb[0] : 0);
            s += (char)(opaque ? 255 : 0);
            if (!opaque)
                maskRow[x / 8] |= (char)(0x80 >> (x % 8));
        }
        mask += maskRow;
    }
    return s + mask;
}

// An .ico (type 1) or .cur (type 2, hot spot in the middle) file of one image.
std::string IconFile(const Art& art, int type)
{
    std::string image = IconImage(art);
    std::string s;
    Put16(s, 0);
    Put16(s, type);
    Put16(s, 1);
    s += (char)art.W();
    s += (char)art.H();
    s += (char)0;
    s += (char)0;
    Put16(s, type == 2 ? art.W() / 2 : 1);
    Put16(s, type == 2 ? art.H() / 2 : 32);
    Put32(s, (unsigned)image.size());
    Put32(s, 22);
    return s + image;
}

std::string Chunk(const char* id, const std::string& data)
{
    std::string s(id, 4);
    Put32(s, (unsigned)data.size());
    s += data;
    if (data.size() & 1)
        s += (char)0;
    return s;
}

// A RIFF "ACON" animated cursor of the frames, `rate` jiffies (1/60 s) each.
std::string AniFile(const std::vector<Art>& frames, int rate)
{
    std::string header;
    Put32(header, 36);
    Put32(header, (unsigned)frames.size());
    Put32(header, (unsigned)frames.size());
    Put32(header, 0);
    Put32(header, 0);
    Put32(header, 0);
    Put32(header, 0);
    Put32(header, rate);
    Put32(header, 1); // frames are icon-format resources
    std::string list = "fram";
    for (const Art& frame : frames)
        list += Chunk("icon", IconFile(frame, 2));
    std::string body = "ACON" + Chunk("anih", header) + Chunk("LIST", list);
    return Chunk("RIFF", body);
}

// ---- Caption buttons --------------------------------------------------------

// A rounded dark key with a light chevron: pointing up while the tool window
// is open (a click folds it), down while it is closed.
Art CaptionButton(bool open, bool pressed)
{
    Art art(16, 14);
    double d = pressed ? 1 : 0;
    COLORREF rim = pressed ? RGB(150, 150, 150) : RGB(210, 210, 210);
    COLORREF face = pressed ? RGB(40, 40, 48) : RGB(78, 84, 96);
    art.Fill(rim, [](double x, double y) {
        double cx = x < 3 ? 3 : (x > 13 ? 13 : x), cy = y < 3 ? 3 : (y > 11 ? 11 : y);
        return hypot(x - cx, y - cy) <= 3;
    });
    art.Fill(face, [](double x, double y) {
        double cx = x < 3.5 ? 3.5 : (x > 12.5 ? 12.5 : x), cy = y < 3.5 ? 3.5 : (y > 10.5 ? 10.5 : y);
        return hypot(x - cx, y - cy) <= 2.3;
    });
    COLORREF arrow = RGB(255, 230, 80);
    if (open)
    {
        art.Line(arrow, 4.5 + d, 8.5 + d, 8 + d, 5 + d, 1.8);
        art.Line(arrow, 8 + d, 5 + d, 11.5 + d, 8.5 + d, 1.8);
    }
    else
    {
        art.Line(arrow, 4.5 + d, 5.5 + d, 8 + d, 9 + d, 1.8);
        art.Line(arrow, 8 + d, 9 + d, 11.5 + d, 5.5 + d, 1.8);
    }
    return art;
}

// ---- Tree icons -------------------------------------------------------------

// A closed photo album: a red cover with a picture window and a spine.
Art AlbumIcon()
{
    Art art(16, 16);
    art.Rect(RGB(90, 20, 20), 2, 1, 14, 15);
    art.Rect(RGB(190, 45, 40), 3, 1.8, 13.2, 14.2);
    art.Rect(RGB(120, 25, 25), 3, 1.8, 4.6, 14.2);
    art.Rect(RGB(255, 250, 235), 6, 4, 12, 9.5);
    art.Rect(RGB(120, 190, 240), 6.6, 4.6, 11.4, 7.4);
    art.Poly(RGB(60, 140, 60), {6.6, 8.9, 8.6, 6.6, 10, 8, 11.4, 6.8, 11.4, 8.9});
    art.Ellipse(RGB(255, 220, 60), 10.2, 5.6, 0.8, 0.8);
    return art;
}

// An open album: two pages with a photograph on each.
Art OpenAlbumIcon()
{
    Art art(16, 16);
    art.Poly(RGB(120, 30, 30), {0.5, 3.5, 8, 4.5, 15.5, 3.5, 15.5, 14, 8, 15, 0.5, 14});
    art.Poly(RGB(255, 252, 240), {1.5, 3.5, 7.6, 4.4, 7.6, 13.8, 1.5, 13});
    art.Poly(RGB(255, 252, 240), {8.4, 4.4, 14.5, 3.5, 14.5, 13, 8.4, 13.8});
    art.Rect(RGB(70, 150, 220), 2.6, 5.5, 6.6, 9.5);
    art.Rect(RGB(230, 120, 50), 9.4, 5.5, 13.4, 9.5);
    art.Rect(RGB(160, 160, 160), 2.6, 10.5, 6.6, 11.3);
    art.Rect(RGB(160, 160, 160), 9.4, 10.5, 13.4, 11.3);
    return art;
}

// "My Albums": a small stack of albums.
Art AlbumsRootIcon()
{
    Art art(16, 16);
    const COLORREF covers[3] = {RGB(40, 110, 60), RGB(40, 80, 170), RGB(190, 45, 40)};
    for (int i = 0; i < 3; i++)
    {
        double top = 2 + i * 4.3;
        art.Rect(RGB(40, 30, 30), 1 + i * 0.6, top, 15 - i * 0.6, top + 4.2);
        art.Rect(covers[i], 1.7 + i * 0.6, top + 0.6, 14.3 - i * 0.6, top + 3.6);
        art.Rect(RGB(250, 230, 150), 5, top + 1.6, 11, top + 2.6);
    }
    return art;
}

// "My Computer": a monitor on a stand.
Art ComputerIcon()
{
    Art art(16, 16);
    art.Rect(RGB(70, 70, 80), 1, 1.5, 15, 11.5);
    art.Rect(RGB(60, 130, 210), 2.2, 2.7, 13.8, 10.3);
    art.Poly(RGB(140, 200, 250), {2.2, 2.7, 8, 2.7, 2.2, 7.5});
    art.Rect(RGB(110, 110, 120), 6.5, 11.5, 9.5, 13);
    art.Rect(RGB(90, 90, 100), 3.5, 13, 12.5, 14.8);
    return art;
}

// A drive body seen from the front; `light` is its lamp colour.
void DriveBody(Art& art, COLORREF body, COLORREF light)
{
    art.Rect(RGB(60, 60, 64), 0.5, 6, 15.5, 13);
    art.Rect(body, 1.3, 6.8, 14.7, 12.2);
    art.Rect(RGB(250, 250, 250), 1.3, 6.8, 14.7, 7.6);
    art.Rect(RGB(90, 90, 96), 3, 9.4, 10, 10.4);
    art.Ellipse(light, 12.5, 9.9, 1, 1);
}

Art FixedDriveIcon()
{
    Art art(16, 16);
    DriveBody(art, RGB(185, 185, 190), RGB(40, 200, 60));
    return art;
}

Art RemovableDriveIcon()
{
    Art art(16, 16);
    DriveBody(art, RGB(200, 195, 170), RGB(240, 160, 40));
    art.Rect(RGB(30, 30, 30), 3, 3, 11, 6.2);
    art.Rect(RGB(80, 110, 200), 3.6, 3.6, 10.4, 6.2);
    art.Rect(RGB(220, 220, 220), 5, 3.6, 9, 5);
    return art;
}

Art NetworkDriveIcon()
{
    Art art(16, 16);
    DriveBody(art, RGB(185, 185, 190), RGB(40, 200, 60));
    art.Rect(RGB(40, 90, 160), 7.2, 13, 8.8, 15.5);
    art.Rect(RGB(40, 90, 160), 2, 14.5, 14, 16);
    art.Ellipse(RGB(90, 160, 230), 8, 3.2, 3, 2.6);
    art.Line(RGB(40, 90, 160), 8, 3.2, 8, 6, 1.2);
    return art;
}

Art CdIcon()
{
    Art art(16, 16);
    art.Ellipse(RGB(120, 120, 130), 8, 8, 7.3, 7.3);
    art.Ellipse(RGB(215, 220, 230), 8, 8, 6.6, 6.6);
    art.Poly(RGB(200, 170, 240), {8, 8, 14.6, 8, 13, 3.5});
    art.Poly(RGB(170, 230, 200), {8, 8, 1.4, 8, 3, 12.5});
    art.Ellipse(RGB(120, 120, 130), 8, 8, 2.2, 2.2);
    art.Ellipse(RGB(255, 255, 255), 8, 8, 1.3, 1.3);
    return art;
}

// ---- Animated hourglass ------------------------------------------------------

// Frame `step` of 10: the sand runs from the upper bulb to the lower one over
// eight frames, then the glass turns over in two.
Art HourglassFrame(int step)
{
    Art art(32, 32);
    double angle = step < 8 ? 0 : (step - 7) * (M_PI / 2); // 90 then 180 degrees
    double ca = cos(angle), sa = sin(angle);
    auto rot = [=](std::vector<double> xy) {
        for (size_t i = 0; i < xy.size(); i += 2)
        {
            double x = xy[i] - 16, y = xy[i + 1] - 16;
            xy[i] = 16 + x * ca - y * sa;
            xy[i + 1] = 16 + x * sa + y * ca;
        }
        return xy;
    };
    COLORREF wood = RGB(120, 70, 30), glass = RGB(225, 240, 250), sand = RGB(230, 180, 60);
    art.Poly(wood, rot({6, 2, 26, 2, 26, 5, 6, 5}));
    art.Poly(wood, rot({6, 27, 26, 27, 26, 30, 6, 30}));
    art.Poly(RGB(60, 60, 70), rot({8, 5, 24, 5, 24, 8, 17.5, 16, 24, 24, 24, 27, 8, 27, 8, 24, 14.5, 16, 8, 8}));
    art.Poly(glass, rot({9.2, 5.8, 22.8, 5.8, 22.8, 7.8, 16.6, 16, 22.8, 24.2, 22.8, 26.2, 9.2, 26.2, 9.2, 24.2,
                         15.4, 16, 9.2, 7.8}));
    double left = step < 8 ? 1 - step / 8.0 : 1; // after turning, the full bulb is on top again
    if (step < 8)
    {
        // Upper bulb: sand surface falls; lower bulb: a heap grows.
        double top = 7.5 + (15.5 - 7.5) * (1 - left);
        double half = 6.6 * (15.5 - top) / 8.0;
        art.Poly(sand, rot({16 - half, top, 16 + half, top, 16, 15.8}));
        double heap = 25.8 - 7 * (1 - left);
        art.Poly(sand, rot({9.6, 25.8, 22.4, 25.8, 22.4, 25.2, 16, heap, 9.6, 25.2}));
        art.Line(sand, 16, 16, 16, 25.6, 0.9);
    }
    else
    {
        // Turning over: all the sand lies in the bulb that is going up.
        art.Poly(sand, rot({9.6, 25.8, 22.4, 25.8, 22.4, 24, 16, 17, 9.6, 24}));
    }
    return art;
}

bool Write(const std::string& folder, const char* name, const std::string& bytes)
{
    std::string path = folder + "\\" + name;
    if (!WriteFile(path, bytes))
    {
        fprintf(stderr, "cannot write %s\n", path.c_str());
        return false;
    }
    printf("%s\n", path.c_str());
    return true;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
    {
        fprintf(stderr, "usage: MakePanesArt ROOT\n");
        return 2;
    }
    std::string res = std::string(argv[1]) + "\\browser\\panes\\res";
    CreateDirectoryA(res.c_str(), NULL);
    const COLORREF captionBack = RGB(0, 0, 0);
    bool ok = Write(res, "CaptionOpen.bmp", Bmp(CaptionButton(true, false), captionBack)) &&
              Write(res, "CaptionOpenDown.bmp", Bmp(CaptionButton(true, true), captionBack)) &&
              Write(res, "CaptionClosed.bmp", Bmp(CaptionButton(false, false), captionBack)) &&
              Write(res, "CaptionClosedDown.bmp", Bmp(CaptionButton(false, true), captionBack)) &&
              Write(res, "AlbumsRoot.ico", IconFile(AlbumsRootIcon(), 1)) &&
              Write(res, "Album.ico", IconFile(AlbumIcon(), 1)) &&
              Write(res, "AlbumOpen.ico", IconFile(OpenAlbumIcon(), 1)) &&
              Write(res, "Computer.ico", IconFile(ComputerIcon(), 1)) &&
              Write(res, "FixedDrive.ico", IconFile(FixedDriveIcon(), 1)) &&
              Write(res, "RemovableDrive.ico", IconFile(RemovableDriveIcon(), 1)) &&
              Write(res, "NetworkDrive.ico", IconFile(NetworkDriveIcon(), 1)) &&
              Write(res, "CdDrive.ico", IconFile(CdIcon(), 1));
    std::vector<Art> frames;
    for (int step = 0; step < 10; step++)
        frames.push_back(HourglassFrame(step));
    ok = ok && Write(res, "Filling.ani", AniFile(frames, 8));
    return ok ? 0 : 1;
}
