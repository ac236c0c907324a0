// Helpers of the colour-profile tests: Debian's free profiles, pictures
// tagged with them by ImageMagick, and ImageMagick's own conversion of a
// tagged file to sRGB as the oracle.
#pragma once

#include <stdlib.h>
#include <string>

#include "../codecs/NativeCodecKit.h"

namespace profile_kit
{
// icc-profiles-free and colord-data.
const char* const AdobeRgb = "/usr/share/color/icc/compatibleWithAdobeRGB1998.icc";
const char* const WideGamut = "/usr/share/color/icc/colord/WideGamutRGB.icc";
const char* const ProPhoto = "/usr/share/color/icc/colord/ProPhotoRGB.icc";
const char* const Srgb = "/usr/share/color/icc/sRGB.icc";

// The bytes of a file on the Unix side (through Wine's drive Z:).
inline std::string UnixFileBytes(const std::string& unixPath)
{
    std::string windows = "Z:" + unixPath;
    for (size_t i = 0; i < windows.size(); ++i)
        if (windows[i] == '/')
            windows[i] = '\\';
    return test_support::FileBytes(windows);
}

// The mean difference of all samples of two pictures of the same size; 256
// when the sizes differ.
inline double MeanDifference(const CRgbBuffer& a, const CRgbBuffer& b)
{
    if (!a.IsImage() || !b.IsImage() || a.GetWidth() != b.GetWidth() || a.GetHeight() != b.GetHeight())
        return 256;
    size_t bytes = (size_t)a.GetWidth() * a.GetHeight() * 3;
    double sum = 0;
    for (size_t i = 0; i < bytes; ++i)
        sum += abs((int)a.GetBuffer()[i] - (int)b.GetBuffer()[i]);
    return sum / bytes;
}
} // namespace profile_kit

class ProfileTest : public NativeCodecTest
{
protected:
    explicit ProfileTest(const char* folder) : NativeCodecTest(folder) {}

    // A picture of saturated and pale colours, where a wrong or missing
    // conversion shows most.
    bool MakeColourful(const std::string& name, int width = 96, int height = 64)
    {
        return MakeSource(name, "", width, height);
    }

    // ImageMagick's conversion of a tagged file to sRGB, as a picture.
    bool NativeToSrgb(const std::string& tagged, CRgbBuffer& picture)
    {
        return Native(std::string("convert ") + tagged + " -profile " + profile_kit::Srgb +
                      " -depth 8 srgb_ref.ppm") &&
               ReadPpm("srgb_ref.ppm", picture);
    }
};
