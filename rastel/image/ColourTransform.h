// CColourTransform: converts pictures from the colour profile their file
// embedded to sRGB, or to a display's profile, for showing them.
//
// Contract:
// - Relative colorimetric intent with black-point compensation.
// - Transforms are made once per pair of profiles and kept in a small
//   cache shared by all threads (at most CacheSize pairs, the least
//   recently used goes first); any thread may convert at any time.
// - A picture without a profile is sRGB. A profile that is not usable
//   (CIccProfile::IsUsable) is treated as sRGB: its pixels stay as they are.
// - A pair whose transform changes no colour by more than one level (an
//   sRGB picture tagged with some sRGB profile) leaves the pixels alone.
// - Nothing here throws; failures leave the pixels unchanged.
#pragma once

#include <string>

#include "Framework.h"
#include "RastelApi.h"

class CRgbBuffer;

class RASTEL_API CColourTransform
{
public:
    enum { CacheSize = 8 };

    // Converts the picture from its profile to sRGB in place; afterwards it
    // has no profile. TRUE when pixels changed.
    static BOOL ToSrgb(CRgbBuffer* picture);
    // Converts the picture from its profile to `display` (sRGB when empty);
    // afterwards the picture carries `display` as its profile.
    static BOOL ToProfile(CRgbBuffer* picture, const std::string& display);
    // pixelCount packed RGB pixels in place, from one profile to another
    // (empty = sRGB). TRUE when pixels changed.
    static BOOL Convert(BYTE* pixels, size_t pixelCount, const std::string& from, const std::string& to);
    // The two profiles differ by more than a level somewhere, and both are usable.
    static bool Changes(const std::string& from, const std::string& to);
    // A bitmap (CRgbBuffer::CreateBitmapFromRGB) of the picture in the
    // colours of `display` (sRGB when empty), leaving the picture as it is;
    // the caller owns it. Null without a picture.
    static HBITMAP CreateBitmapIn(const CRgbBuffer& picture, const std::string& display);
    // Pairs now in the cache.
    static int CachedPairs();
};
