// The sample writers' deterministic noise: an integer hash of a lattice point
// and smooth value noise over it, so that scenes look natural yet come out
// the same on every run.
#pragma once

#include <math.h>
#include <stdint.h>

inline uint32_t Hash(int x, int y, uint32_t seed)
{
    uint32_t h = (uint32_t)x * 374761393u + (uint32_t)y * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return h ^ (h >> 16);
}

// Smooth value noise in [0, 1) with a lattice of `cell` pixels.
inline double Noise(double x, double y, double cell, uint32_t seed)
{
    double fx = x / cell, fy = y / cell;
    int ix = (int)floor(fx), iy = (int)floor(fy);
    double tx = fx - ix, ty = fy - iy;
    tx = tx * tx * (3 - 2 * tx);
    ty = ty * ty * (3 - 2 * ty);
    double a = (Hash(ix, iy, seed) & 0xFFFF) / 65536.0;
    double b = (Hash(ix + 1, iy, seed) & 0xFFFF) / 65536.0;
    double c = (Hash(ix, iy + 1, seed) & 0xFFFF) / 65536.0;
    double d = (Hash(ix + 1, iy + 1, seed) & 0xFFFF) / 65536.0;
    return (a + (b - a) * tx) * (1 - ty) + (c + (d - c) * tx) * ty;
}
