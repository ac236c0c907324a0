// Red-eye removal: the pupil is told from the skin around it by how much
// redder it is than the ring at the edge of the circle, and from other red
// things by being connected to the reddest pixels next to the centre.
#include "RedEye.h"

#include <math.h>
#include <algorithm>
#include <vector>

namespace
{
// A centre this red, at least, is a red eye (a pink pupil is about 0.39,
// dark skin about 0.32, light skin 0.24, a saturated pupil 0.8).
const double kMinPupilRedness = 0.36;
// The pupil must stand out from the ring around it by this much...
const double kMinContrast = 0.05;
// ...unless it is so red that the circle simply lies inside the pupil.
const double kPlainlyRed = 0.5;
// Keeps the ratio of near-black pixels (sensor noise) from looking red.
const int kDarkBias = 8;

// The pixels of the circle's bounding box, and which of them are inside.
struct Disc
{
    int left, top, width, height;
    std::vector<char> inside;
    std::vector<double> redness;
    int Index(int x, int y) const { return (y - top) * width + (x - left); }
};

long long DistanceSquared(int x, int y, CPoint c)
{
    long long dx = (long long)x - c.x, dy = (long long)y - c.y;
    return dx * dx + dy * dy;
}

double Median(std::vector<double>& values)
{
    if (values.empty())
        return 0;
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

// The redness of what the eye sits in (skin, iris, eyelid): the median of
// a ring from just inside the circle's edge to a little beyond it, so that
// a pupil nearly as large as the circle does not count as its surroundings.
double Surroundings(const BYTE* pixels, int width, int height, CPoint center, int radius)
{
    long long inner = std::max(0, radius - 1), outer = (long long)radius + 3;
    int top = (int)std::max<long long>((long long)center.y - outer, 0);
    int bottom = (int)std::min<long long>((long long)center.y + outer, height);
    int left = (int)std::max<long long>((long long)center.x - outer, 0);
    int right = (int)std::min<long long>((long long)center.x + outer, width);
    std::vector<double> ring;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
        {
            long long d2 = DistanceSquared(x, y, center);
            if (d2 >= inner * inner && d2 < outer * outer)
                ring.push_back(RedEye::Redness(pixels + 3 * ((size_t)y * width + x)));
        }
    return Median(ring);
}

// 8-connected flood from `seed` over pixels inside the disc at least `threshold` red.
std::vector<char> ConnectedRegion(const Disc& disc, int seed, double threshold)
{
    std::vector<char> region(disc.inside.size(), 0);
    std::vector<int> stack(1, seed);
    region[seed] = 1;
    while (!stack.empty())
    {
        int at = stack.back();
        stack.pop_back();
        int x = at % disc.width, y = at / disc.width;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
            {
                int nx = x + dx, ny = y + dy;
                if (nx < 0 || ny < 0 || nx >= disc.width || ny >= disc.height)
                    continue;
                int next = ny * disc.width + nx;
                if (region[next] || !disc.inside[next] || disc.redness[next] < threshold)
                    continue;
                region[next] = 1;
                stack.push_back(next);
            }
    }
    return region;
}

// The pixels the region encloses (a catch-light and its blended border):
// those that cannot reach the edge of the box without crossing the region.
std::vector<char> EnclosedBy(const Disc& disc, const std::vector<char>& region)
{
    std::vector<char> open(region.size(), 0);
    std::vector<int> stack;
    for (int y = 0; y < disc.height; ++y)
        for (int x = 0; x < disc.width; ++x)
        {
            int i = y * disc.width + x;
            bool border = x == 0 || y == 0 || x == disc.width - 1 || y == disc.height - 1;
            if ((border || !disc.inside[i]) && !region[i])
            {
                open[i] = 1;
                stack.push_back(i);
            }
        }
    while (!stack.empty())
    {
        int at = stack.back();
        stack.pop_back();
        int x = at % disc.width, y = at / disc.width;
        const int steps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
        for (const auto& step : steps)
        {
            int nx = x + step[0], ny = y + step[1];
            if (nx < 0 || ny < 0 || nx >= disc.width || ny >= disc.height)
                continue;
            int n = ny * disc.width + nx;
            if (open[n] || region[n])
                continue;
            open[n] = 1;
            stack.push_back(n);
        }
    }
    std::vector<char> enclosed(region.size(), 0);
    for (size_t i = 0; i < region.size(); ++i)
        enclosed[i] = !open[i] && !region[i];
    return enclosed;
}

// 1 on the region, falling by thirds over two pixels outside it: the edge
// the correction fades across, so that no ring shows. It spreads only
// through pixels redder than `faint`, so it never jumps a strip of skin.
std::vector<double> SoftEdge(const Disc& disc, const std::vector<char>& region, double faint)
{
    std::vector<double> weight(region.size(), 0);
    std::vector<int> front;
    for (size_t i = 0; i < region.size(); ++i)
        if (region[i])
        {
            weight[i] = 1;
            front.push_back((int)i);
        }
    for (int step = 1; step <= 2; ++step)
    {
        double w = 1 - step / 3.0;
        std::vector<int> next;
        for (int at : front)
        {
            int x = at % disc.width, y = at / disc.width;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                {
                    int nx = x + dx, ny = y + dy;
                    if (nx < 0 || ny < 0 || nx >= disc.width || ny >= disc.height)
                        continue;
                    int n = ny * disc.width + nx;
                    if (weight[n] > 0 || !disc.inside[n] || disc.redness[n] <= faint)
                        continue;
                    weight[n] = w;
                    next.push_back(n);
                }
        }
        front.swap(next);
    }
    return weight;
}
}

namespace RedEye
{
double Redness(const BYTE* p)
{
    int other = std::max(p[1], p[2]);
    if (p[0] <= other)
        return 0;
    return (double)(p[0] - other) / (p[0] + kDarkBias);
}

void Remove(BYTE* pixels, int width, int height, CPoint center, int radius)
{
    if (pixels == NULL || radius <= 0 || width <= 0 || height <= 0)
        return;
    // 64-bit bounds: a centre far outside the picture must not wrap around.
    Disc disc;
    disc.left = (int)std::max<long long>((long long)center.x - radius, 0);
    disc.top = (int)std::max<long long>((long long)center.y - radius, 0);
    int right = (int)std::min<long long>((long long)center.x + radius, width);
    int bottom = (int)std::min<long long>((long long)center.y + radius, height);
    if (disc.left >= right || disc.top >= bottom)
        return;
    disc.width = right - disc.left;
    disc.height = bottom - disc.top;
    disc.inside.assign((size_t)disc.width * disc.height, 0);
    disc.redness.assign(disc.inside.size(), 0);

    // The seed is the red pixel nearest the centre, so that a click on the
    // catch-light still finds the pupil round it, and a red thing further
    // off, however red, does not win over the pupil.
    long long radiusSquared = (long long)radius * radius;
    long long seedReach = std::max(2, radius / 2);
    int seed = -1;
    long long seedDistance = 0;
    std::vector<char> nearCentre(disc.inside.size(), 0);
    for (int y = disc.top; y < bottom; ++y)
        for (int x = disc.left; x < right; ++x)
        {
            long long d2 = DistanceSquared(x, y, center);
            if (d2 >= radiusSquared)
                continue;
            int i = disc.Index(x, y);
            disc.inside[i] = 1;
            double r = disc.redness[i] = Redness(pixels + 3 * ((size_t)y * width + x));
            if (d2 > seedReach * seedReach)
                continue;
            nearCentre[i] = 1;
            if (r >= kMinPupilRedness &&
                (seed < 0 || d2 < seedDistance || (d2 == seedDistance && r > disc.redness[seed])))
            {
                seed = i;
                seedDistance = d2;
            }
        }
    if (seed < 0)
        return;
    // The pupil's own redness: the reddest near-centre pixel of the red patch
    // the seed lies in (the seed itself may be on its blended rim).
    std::vector<char> patch = ConnectedRegion(disc, seed, kMinPupilRedness);
    for (size_t i = 0; i < patch.size(); ++i)
        if (patch[i] && nearCentre[i] && disc.redness[i] > disc.redness[seed])
            seed = (int)i;
    double peak = disc.redness[seed];
    double around = Surroundings(pixels, width, height, center, radius);
    if (peak - around < kMinContrast)
    {
        if (peak < kPlainlyRed)
            return;
        around = 0;
    }
    double threshold = around + 0.5 * (peak - around);
    double faint = around + 0.2 * (peak - around);
    double full = around + 0.35 * (peak - around);

    std::vector<char> region = ConnectedRegion(disc, seed, threshold);
    std::vector<double> edge = SoftEdge(disc, region, faint);
    std::vector<char> enclosed = EnclosedBy(disc, region);
    for (int y = disc.top; y < bottom; ++y)
        for (int x = disc.left; x < right; ++x)
        {
            int i = disc.Index(x, y);
            double strength;
            if (enclosed[i])
                // Inside the pupil every red cast goes, however faint: a
                // nearly white pixel barely changes, a pink one turns grey.
                strength = 1;
            else if (edge[i] <= 0 || disc.redness[i] <= faint)
                continue;
            else
                // Pixels as red as the pupil get the whole correction, those
                // between the surroundings and the pupil a share of it.
                strength = std::min(edge[i], std::min(1.0, (disc.redness[i] - faint) / (full - faint)));
            BYTE* p = pixels + 3 * ((size_t)y * width + x);
            if (p[0] <= std::max(p[1], p[2]))
                continue;
            // Red to the level of green and blue: the pixel keeps its own
            // lightness and texture, only the red cast goes.
            double level = (p[1] + p[2]) * 0.5;
            p[0] = (BYTE)floor(p[0] - strength * (p[0] - level) + 0.5);
        }
}
}
