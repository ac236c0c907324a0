// Sample writer of a TrueType font file: a copy of a free font of the
// system (Debian's DejaVu or Liberation packages, seen through Wine's
// drive Z:). The suite shows any .ttf as the same type sample.
#include <windows.h>
#include <string>
#include "SampleWriters.h"

namespace
{
int WriteFontSample(const char* folder)
{
    const char* candidates[] = {
        "Z:\\usr\\share\\fonts\\truetype\\dejavu\\DejaVuSans.ttf",
        "Z:\\usr\\share\\fonts\\truetype\\liberation\\LiberationSans-Regular.ttf",
        "Z:\\usr\\share\\fonts\\truetype\\liberation2\\LiberationSans-Regular.ttf",
    };
    std::string target = std::string(folder) + "\\font_sample.ttf";
    for (const char* source : candidates)
        if (CopyFileA(source, target.c_str(), FALSE))
        {
            SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
            return 1;
        }
    return -1;
}
}

PIXMERE_SAMPLE_WRITER(font, WriteFontSample);
