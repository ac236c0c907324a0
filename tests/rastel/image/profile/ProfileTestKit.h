// Helpers of the colour-profile tests: Debian's free profiles, pictures
// tagged with them by ImageMagick, and ImageMagick's own conversion of a
// tagged file to sRGB as the oracle.
#pragma once

#include <stdlib.h>
#include <string>

#include "../codecs/NativeCodecKit.h"
#include "ColourOracle.h"

namespace profile_kit
{
// The profiles, the file reader and the difference measure the program
// tests use too (icc-profiles-free and colord-data).
using colour_oracle::AdobeRgb;
using colour_oracle::MeanDifference;
using colour_oracle::Srgb;
using colour_oracle::UnixFileBytes;
using colour_oracle::WideGamut;
const char* const ProPhoto = "/usr/share/color/icc/colord/ProPhotoRGB.icc";
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
