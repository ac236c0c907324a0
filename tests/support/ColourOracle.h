// Helpers of the program tests of colour management: photos tagged with
// Debian's free profiles by ImageMagick, ImageMagick's conversion of a file
// to sRGB as the oracle, and exiftool's copy of the profile a file embeds.
#pragma once

#include <stdio.h>
#include <stdlib.h>
#include <string>

#include "FileBytes.h"
#include "NativeTool.h"
#include "RgbBuffer.h"

namespace colour_oracle
{
const char* const AdobeRgb = "/usr/share/color/icc/compatibleWithAdobeRGB1998.icc";
const char* const WideGamut = "/usr/share/color/icc/colord/WideGamutRGB.icc";
const char* const Srgb = "/usr/share/color/icc/sRGB.icc";

inline std::string Unix(const std::string& windowsPath)
{
    return native_tool::ShellQuote(native_tool::UnixPath(windowsPath));
}

// A smooth, colourful width x height photo (soft colour clouds, which JPEG
// keeps well) tagged with the profile at iccPath, written as a JPEG.
inline bool MakeTaggedPhoto(const std::string& path, int width, int height, const char* iccPath)
{
    return native_tool::RunShell("convert -seed 3 -size " + std::to_string(width) + "x" + std::to_string(height) +
                                 " plasma:fractal -blur 0x6 -profile " + iccPath + " -quality 95 " + Unix(path) +
                                 " >/dev/null 2>&1") == 0;
}

// ImageMagick's conversion of a tagged file to sRGB, as a picture.
inline bool NativeSrgb(const std::string& path, CRgbBuffer& picture)
{
    std::string ppm = path + ".srgb.ppm";
    if (native_tool::RunShell("convert " + Unix(path) + " -profile " + Srgb + " -depth 8 " + Unix(ppm) +
                              " >/dev/null 2>&1") != 0)
        return false;
    std::string bytes = test_support::FileBytes(ppm);
    DeleteFileA(ppm.c_str());
    int width = 0, height = 0, maxValue = 0, consumed = 0;
    if (sscanf(bytes.c_str(), "P6 %d %d %d%n", &width, &height, &maxValue, &consumed) != 3 || maxValue != 255 ||
        bytes.size() < (size_t)consumed + 1 + (size_t)width * height * 3 || !picture.AllocateImage(width, height))
        return false;
    memcpy(picture.GetBuffer(), bytes.data() + consumed + 1, (size_t)width * height * 3);
    return true;
}

// The ICC profile a file embeds, as exiftool extracts it; empty for none.
inline std::string EmbeddedProfile(const std::string& path)
{
    std::string out = path + ".icc";
    native_tool::RunShell("exiftool -b -ICC_Profile " + Unix(path) + " > " + Unix(out) + " 2>/dev/null");
    std::string bytes = test_support::FileBytes(out);
    DeleteFileA(out.c_str());
    return bytes;
}

// The bytes of a file on the Unix side (through Wine's drive Z:).
inline std::string UnixFileBytes(const std::string& unixPath)
{
    std::string windows = "Z:" + unixPath;
    for (size_t i = 0; i < windows.size(); ++i)
        if (windows[i] == '/')
            windows[i] = '\\';
    return test_support::FileBytes(windows);
}

// Mean difference of all samples of two same-sized pictures; 256 otherwise.
inline double MeanDifference(const CRgbBuffer& a, const CRgbBuffer& b)
{
    if (!a.IsImage() || !b.IsImage() || a.GetImageSize() != b.GetImageSize())
        return 256;
    size_t count = (size_t)a.GetWidth() * a.GetHeight() * 3;
    double sum = 0;
    for (size_t i = 0; i < count; ++i)
        sum += abs((int)a.GetBuffer()[i] - (int)b.GetBuffer()[i]);
    return sum / count;
}
} // namespace colour_oracle
