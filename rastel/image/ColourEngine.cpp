// The LittleCMS calls behind ColourEngine.h.
#include "ColourEngine.h"

#include <lcms2.h>
#include <mutex>

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
    cmsHTRANSFORM transform = NULL;
    if (IsPictureRgb(source) && IsPictureRgb(target))
        // No one-pixel cache: it is the transform's only state that
        // threads sharing it would fight over.
        transform = cmsCreateTransform(source, TYPE_RGB_8, target, TYPE_RGB_8,
                                       INTENT_RELATIVE_COLORIMETRIC,
                                       cmsFLAGS_BLACKPOINTCOMPENSATION | cmsFLAGS_NOCACHE);
    if (source)
        cmsCloseProfile(source);
    if (target)
        cmsCloseProfile(target);
    return transform;
}

void DeleteTransform(void* transform)
{
    if (transform)
        cmsDeleteTransform((cmsHTRANSFORM)transform);
}

void Apply(void* transform, const BYTE* in, BYTE* out, size_t pixels)
{
    // In slices, so a count never overflows the library's 32-bit argument.
    const size_t Slice = 1 << 20;
    while (pixels > 0)
    {
        size_t n = pixels < Slice ? pixels : Slice;
        cmsDoTransform((cmsHTRANSFORM)transform, in, out, (cmsUInt32Number)n);
        in += 3 * n;
        out += 3 * n;
        pixels -= n;
    }
}
} // namespace ColourEngine
