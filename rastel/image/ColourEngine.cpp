// The LittleCMS calls behind ColourEngine.h.
#include "ColourEngine.h"

#include <lcms2.h>
#include <math.h>
#include <stdlib.h>
#include <string.h>
#include <mutex>
#include <thread>

namespace
{
void CMSEXPORT IgnoreError(cmsContext, cmsUInt32Number, const char*)
{
}

// The library reports errors through a global handler that prints them;
// a picture viewer shows no such thing.
void Prepare()
{
    static std::once_flag once;
    std::call_once(once, [] { cmsSetLogErrorHandler(IgnoreError); });
}

cmsHPROFILE Open(const std::string& profile)
{
    Prepare();
    if (profile.empty())
        return cmsCreate_sRGBProfile();
    return cmsOpenProfileFromMem(profile.data(), (cmsUInt32Number)profile.size());
}

bool IsPictureRgb(cmsHPROFILE profile)
{
    if (!profile || cmsGetColorSpace(profile) != cmsSigRgbData)
        return false;
    cmsProfileClassSignature kind = cmsGetDeviceClass(profile);
    return kind == cmsSigInputClass || kind == cmsSigDisplayClass || kind == cmsSigColorSpaceClass ||
           kind == cmsSigOutputClass;
}

std::string Serialise(cmsHPROFILE profile)
{
    std::string bytes;
    cmsUInt32Number size = 0;
    if (profile && cmsSaveProfileToMem(profile, NULL, &size) && size > 0)
    {
        bytes.resize(size);
        if (!cmsSaveProfileToMem(profile, &bytes[0], &size))
            bytes.clear();
    }
    return bytes;
}
} // namespace

namespace
{
// Between two matrix/curve profiles (nearly every camera and display
// profile) the conversion is a curve a channel, a 3 x 3 matrix and the
// inverse curves: done here with tables in fixed point, several times as
// fast as the library's general 8-bit path. Linear light is kept in
// 1/LinearOne steps, the matrix in steps of 2^-MatrixShift; the sums stay
// within 32 bits while a row's coefficients add up to less than 15.
const int LinearOne = 1 << 15;
const int MatrixShift = 12;
const int OutSteps = (LinearOne >> 1) + 1;

struct CTransformPair
{
    cmsHTRANSFORM lcms;
    bool fast;
    bool oneCurve; // the three inverse curves are alike: one table, which stays in the cache
    int linear[3][256];
    int matrix[9];
    BYTE encode[3][OutSteps];
};

bool ReadColumns(cmsHPROFILE profile, double m[9])
{
    const cmsTagSignature tags[3] = { cmsSigRedColorantTag, cmsSigGreenColorantTag, cmsSigBlueColorantTag };
    for (int c = 0; c < 3; ++c)
    {
        const cmsCIEXYZ* xyz = (const cmsCIEXYZ*)cmsReadTag(profile, tags[c]);
        if (!xyz)
            return false;
        m[c] = xyz->X;
        m[3 + c] = xyz->Y;
        m[6 + c] = xyz->Z;
    }
    return true;
}

bool Invert(const double m[9], double inverse[9])
{
    double det = m[0] * (m[4] * m[8] - m[5] * m[7]) - m[1] * (m[3] * m[8] - m[5] * m[6]) +
                 m[2] * (m[3] * m[7] - m[4] * m[6]);
    if (fabs(det) < 1e-9)
        return false;
    inverse[0] = (m[4] * m[8] - m[5] * m[7]) / det;
    inverse[1] = (m[2] * m[7] - m[1] * m[8]) / det;
    inverse[2] = (m[1] * m[5] - m[2] * m[4]) / det;
    inverse[3] = (m[5] * m[6] - m[3] * m[8]) / det;
    inverse[4] = (m[0] * m[8] - m[2] * m[6]) / det;
    inverse[5] = (m[2] * m[3] - m[0] * m[5]) / det;
    inverse[6] = (m[3] * m[7] - m[4] * m[6]) / det;
    inverse[7] = (m[1] * m[6] - m[0] * m[7]) / det;
    inverse[8] = (m[0] * m[4] - m[1] * m[3]) / det;
    return true;
}

const cmsTagSignature CurveTags[3] = { cmsSigRedTRCTag, cmsSigGreenTRCTag, cmsSigBlueTRCTag };

bool BuildTables(cmsHPROFILE source, cmsHPROFILE target, CTransformPair* pair)
{
    // Profiles with tables for the intent are converted by those tables.
    if (!cmsIsMatrixShaper(source) || !cmsIsMatrixShaper(target) ||
        cmsIsCLUT(source, INTENT_RELATIVE_COLORIMETRIC, LCMS_USED_AS_INPUT) ||
        cmsIsCLUT(target, INTENT_RELATIVE_COLORIMETRIC, LCMS_USED_AS_OUTPUT))
        return false;
    double from[9], to[9], back[9];
    if (!ReadColumns(source, from) || !ReadColumns(target, to) || !Invert(to, back))
        return false;
    for (int r = 0; r < 3; ++r)
    {
        double size = 0;
        for (int c = 0; c < 3; ++c)
        {
            double v = back[3 * r] * from[c] + back[3 * r + 1] * from[3 + c] + back[3 * r + 2] * from[6 + c];
            size += fabs(v);
            pair->matrix[3 * r + c] = (int)floor(v * (1 << MatrixShift) + 0.5);
        }
        if (!(size < 15))
            return false;
    }
    for (int c = 0; c < 3; ++c)
    {
        const cmsToneCurve* in = (const cmsToneCurve*)cmsReadTag(source, CurveTags[c]);
        const cmsToneCurve* out = (const cmsToneCurve*)cmsReadTag(target, CurveTags[c]);
        cmsToneCurve* reverse = out ? cmsReverseToneCurve(out) : NULL;
        if (!in || !reverse)
        {
            if (reverse)
                cmsFreeToneCurve(reverse);
            return false;
        }
        for (int v = 0; v < 256; ++v)
        {
            double linear = cmsEvalToneCurveFloat(in, v / 255.0f);
            linear = linear < 0 ? 0 : linear > 1 ? 1 : linear;
            pair->linear[c][v] = (int)floor(linear * LinearOne + 0.5);
        }
        for (int i = 0; i < OutSteps; ++i)
        {
            double level = cmsEvalToneCurveFloat(reverse, (float)i / (OutSteps - 1)) * 255.0;
            level = level < 0 ? 0 : level > 255 ? 255 : level;
            pair->encode[c][i] = (BYTE)floor(level + 0.5);
        }
        cmsFreeToneCurve(reverse);
    }
    pair->oneCurve = memcmp(pair->encode[0], pair->encode[1], OutSteps) == 0 &&
                     memcmp(pair->encode[0], pair->encode[2], OutSteps) == 0;
    return true;
}

inline int ClampLinear(int v)
{
    return v < 0 ? 0 : v > LinearOne ? LinearOne : v;
}

template <bool OneCurve>
void ApplyTablesAs(const CTransformPair* pair, const BYTE* in, BYTE* out, size_t pixels)
{
    const int* m = pair->matrix;
    const int* lr = pair->linear[0];
    const int* lg = pair->linear[1];
    const int* lb = pair->linear[2];
    const BYTE* er = pair->encode[0];
    const BYTE* eg = OneCurve ? er : pair->encode[1];
    const BYTE* eb = OneCurve ? er : pair->encode[2];
    const int m0 = m[0], m1 = m[1], m2 = m[2], m3 = m[3], m4 = m[4], m5 = m[5], m6 = m[6], m7 = m[7], m8 = m[8];
    for (size_t i = 0; i < pixels; ++i, in += 3, out += 3)
    {
        int r = lr[in[0]], g = lg[in[1]], b = lb[in[2]];
        int rr = ClampLinear((m0 * r + m1 * g + m2 * b) >> MatrixShift);
        int gg = ClampLinear((m3 * r + m4 * g + m5 * b) >> MatrixShift);
        int bb = ClampLinear((m6 * r + m7 * g + m8 * b) >> MatrixShift);
        out[0] = er[rr >> 1];
        out[1] = eg[gg >> 1];
        out[2] = eb[bb >> 1];
    }
}

void ApplyTables(const CTransformPair* pair, const BYTE* in, BYTE* out, size_t pixels)
{
    if (pair->oneCurve)
        ApplyTablesAs<true>(pair, in, out, pixels);
    else
        ApplyTablesAs<false>(pair, in, out, pixels);
}

// The tables must agree with the library's own transform: a profile with
// odd curves falls back to it.
bool TablesAgree(const CTransformPair* pair)
{
    const int Levels = 16;
    BYTE grid[Levels * Levels * Levels * 3], fast[sizeof(grid)], exact[sizeof(grid)];
    BYTE* p = grid;
    for (int r = 0; r < Levels; ++r)
        for (int g = 0; g < Levels; ++g)
            for (int b = 0; b < Levels; ++b)
            {
                *p++ = (BYTE)(r * 17);
                *p++ = (BYTE)(g * 17);
                *p++ = (BYTE)(b * 17);
            }
    ApplyTables(pair, grid, fast, Levels * Levels * Levels);
    cmsDoTransform(pair->lcms, grid, exact, Levels * Levels * Levels);
    for (size_t i = 0; i < sizeof(grid); ++i)
        if (abs((int)fast[i] - (int)exact[i]) > 1)
            return false;
    return true;
}
} // namespace

namespace ColourEngine
{
bool OpensAsRgb(const std::string& profile)
{
    if (profile.empty())
        return false;
    cmsHPROFILE opened = Open(profile);
    bool rgb = IsPictureRgb(opened);
    if (opened)
        cmsCloseProfile(opened);
    return rgb;
}

std::string MatrixProfile(double whiteX, double whiteY, double redX, double redY, double greenX,
                          double greenY, double blueX, double blueY, double exponent)
{
    Prepare();
    if (!(exponent == 0 || (exponent > 0.2 && exponent < 20)) || !(whiteY > 0) || !(redY > 0) ||
        !(greenY > 0) || !(blueY > 0))
        return std::string();
    cmsCIExyY white = { whiteX, whiteY, 1.0 };
    cmsCIExyYTRIPLE primaries = { { redX, redY, 1.0 }, { greenX, greenY, 1.0 }, { blueX, blueY, 1.0 } };
    // IEC 61966-2-1: a line near black, then an exponent of 2.4.
    const cmsFloat64Number srgb[5] = { 2.4, 1 / 1.055, 0.055 / 1.055, 1 / 12.92, 0.04045 };
    cmsToneCurve* curve = exponent == 0 ? cmsBuildParametricToneCurve(NULL, 4, srgb)
                                        : cmsBuildGamma(NULL, exponent);
    if (!curve)
        return std::string();
    cmsToneCurve* curves[3] = { curve, curve, curve };
    cmsHPROFILE profile = cmsCreateRGBProfile(&white, &primaries, curves);
    cmsFreeToneCurve(curve);
    std::string bytes = Serialise(profile);
    if (profile)
        cmsCloseProfile(profile);
    return bytes;
}

std::string SrgbProfile()
{
    cmsHPROFILE profile = Open(std::string());
    std::string bytes = Serialise(profile);
    if (profile)
        cmsCloseProfile(profile);
    return bytes;
}

void* CreateTransform(const std::string& from, const std::string& to)
{
    cmsHPROFILE source = Open(from);
    cmsHPROFILE target = Open(to);
    CTransformPair* pair = NULL;
    if (IsPictureRgb(source) && IsPictureRgb(target))
    {
        // No one-pixel cache: it is the transform's only state that
        // threads sharing it would fight over.
        cmsHTRANSFORM lcms = cmsCreateTransform(source, TYPE_RGB_8, target, TYPE_RGB_8,
                                                INTENT_RELATIVE_COLORIMETRIC,
                                                cmsFLAGS_BLACKPOINTCOMPENSATION | cmsFLAGS_NOCACHE);
        if (lcms)
        {
            pair = new CTransformPair;
            pair->lcms = lcms;
            pair->fast = BuildTables(source, target, pair) && TablesAgree(pair);
        }
    }
    if (source)
        cmsCloseProfile(source);
    if (target)
        cmsCloseProfile(target);
    return pair;
}

void DeleteTransform(void* transform)
{
    CTransformPair* pair = (CTransformPair*)transform;
    if (!pair)
        return;
    cmsDeleteTransform(pair->lcms);
    delete pair;
}

void ApplyExactly(void* transform, const BYTE* in, BYTE* out, size_t pixels)
{
    const CTransformPair* pair = (const CTransformPair*)transform;
    // In slices, so a count never overflows the library's 32-bit argument.
    const size_t Slice = 1 << 20;
    while (pixels > 0)
    {
        size_t n = pixels < Slice ? pixels : Slice;
        cmsDoTransform(pair->lcms, in, out, (cmsUInt32Number)n);
        in += 3 * n;
        out += 3 * n;
        pixels -= n;
    }
}

void Apply(void* transform, const BYTE* in, BYTE* out, size_t pixels)
{
    const CTransformPair* pair = (const CTransformPair*)transform;
    if (!pair->fast)
    {
        ApplyExactly(transform, in, out, pixels);
        return;
    }
    // A large picture in two halves on both processors of a small machine.
    const size_t SplitPixels = 1 << 21;
    if (pixels < SplitPixels)
    {
        ApplyTables(pair, in, out, pixels);
        return;
    }
    size_t half = pixels / 2;
    std::thread second(ApplyTables, pair, in + 3 * half, out + 3 * half, pixels - half);
    ApplyTables(pair, in, out, half);
    second.join();
}
} // namespace ColourEngine
