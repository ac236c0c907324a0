// Helpers of the tests that make picture files with native encoders and
// compare with native decoders: a private folder the native commands run
// in, a source picture made by ImageMagick, and PPM files read back.
#pragma once

#include <gtest/gtest.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <algorithm>
#include <string>
#include <vector>

#include "FileBytes.h"
#include "NativeTool.h"
#include "RgbBuffer.h"
#include "TempFolder.h"

class NativeCodecTest : public ::testing::Test
{
protected:
    explicit NativeCodecTest(const char* folderName) : m_Dir(folderName) {}

    test_support::TempFolder m_Dir;

    // Runs a native command with the folder as its working folder.
    bool Native(const std::string& command)
    {
        return native_tool::RunShell("cd " + native_tool::ShellQuote(native_tool::UnixPath(m_Dir.Path())) +
                                     " && (" + command + ") >/dev/null 2>&1") == 0;
    }

    // A width x height picture with every pixel different enough that a
    // wrong row, column or channel order shows; `extra` options go before
    // the output name.
    bool MakeSource(const std::string& name, const std::string& extra = "", int width = 61, int height = 37)
    {
        return Native("convert -size " + std::to_string(width) + "x" + std::to_string(height) +
                      " xc:black -fx \"(i*7 + j*3) % 256 / 255\" "
                      "-channel G -fx \"(j*11) % 256 / 255\" -channel B -fx \"(i*j) % 256 / 255\" "
                      "+channel " + extra + " -depth 8 " + name);
    }

    // The samples of a binary PPM written by a native tool (8 or 16 bits).
    bool ReadPpmSamples(const std::string& name, int& width, int& height, int& maxValue,
                        std::vector<unsigned>& samples)
    {
        std::string bytes = test_support::FileBytes(m_Dir / name);
        int consumed = 0;
        if (sscanf(bytes.c_str(), "P6 %d %d %d%n", &width, &height, &maxValue, &consumed) != 3 ||
            (maxValue != 255 && maxValue != 65535))
            return false;
        size_t start = (size_t)consumed + 1, count = (size_t)width * height * 3;
        size_t sampleBytes = maxValue == 255 ? 1 : 2;
        if (bytes.size() < start + count * sampleBytes)
            return false;
        samples.resize(count);
        const unsigned char* p = (const unsigned char*)bytes.data() + start;
        for (size_t i = 0; i < count; ++i)
            samples[i] = sampleBytes == 1 ? p[i] : (p[2 * i] << 8) | p[2 * i + 1];
        return true;
    }

    // An 8-bit PPM as a picture.
    bool ReadPpm(const std::string& name, CRgbBuffer& picture)
    {
        int width = 0, height = 0, maxValue = 0;
        std::vector<unsigned> samples;
        if (!ReadPpmSamples(name, width, height, maxValue, samples) || maxValue != 255 ||
            !picture.AllocateImage(width, height))
            return false;
        for (size_t i = 0; i < samples.size(); ++i)
            picture.GetBuffer()[i] = (BYTE)samples[i];
        return true;
    }

    // Any picture file ImageMagick reads, as an 8-bit picture.
    bool ReadWithImageMagick(const std::string& name, CRgbBuffer& picture)
    {
        return Native("convert " + name + " -depth 8 magick_out.ppm") && ReadPpm("magick_out.ppm", picture);
    }

    // The largest difference of one channel between two pictures of the same
    // size, or 256 when the sizes differ.
    static int LargestDifference(const CRgbBuffer& a, const CRgbBuffer& b)
    {
        if (!a.IsImage() || !b.IsImage() || a.GetWidth() != b.GetWidth() || a.GetHeight() != b.GetHeight())
            return 256;
        int largest = 0;
        size_t bytes = (size_t)a.GetWidth() * a.GetHeight() * 3;
        for (size_t i = 0; i < bytes; ++i)
            largest = std::max(largest, abs((int)a.GetBuffer()[i] - (int)b.GetBuffer()[i]));
        return largest;
    }
};
