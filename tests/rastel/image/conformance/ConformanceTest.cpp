// The codecs against the libraries' own test images (libpng's PngSuite,
// giflib's pictures, libtiff's test images), with ImageMagick run natively
// on the same files as the independent decoder. Every file must decode
// without a fault; a decoded file must match ImageMagick's pixels except
// where the codec is meant to differ (alpha dropped, PNG gamma corrected to
// screen gamma 2.2, transparent GIF pixels shown white), or where the file
// is listed below with the reason.
#include <gtest/gtest.h>
#include <math.h>
#include <stdint.h>
#include <string.h>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "BitmapFactory.h"
#include "FileBytes.h"
#include "GifFile.h"
#include "NativeTool.h"
#include "PixelRead.h"
#include "PngFile.h"
#include "RgbBuffer.h"
#include "TempFolder.h"
#include "TiffFile.h"

namespace
{
enum Format { kPng, kGif, kTiff };

// Files where our picture is meant to differ from ImageMagick's, or that
// one of the two refuses, with the reason.
struct Exception
{
    const char* file;
    const char* reason;
};
const Exception kExpectedDifferences[] = {
#include "ConformanceExceptions.inc"
};

const char* ExpectedDifference(const std::string& name)
{
    for (const Exception& e : kExpectedDifferences)
        if (_stricmp(e.file, name.c_str()) == 0)
            return e.reason;
    return NULL;
}

std::vector<std::string> ListFiles(const std::string& folder, const char* pattern)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((folder + "\\" + pattern).c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do
    {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(found.cFileName);
    } while (FindNextFileA(find, &found));
    FindClose(find);
    return names;
}

// The file gamma of a PNG's gAMA chunk, or 0.
double PngFileGamma(const std::string& bytes)
{
    size_t at = 8;
    while (at + 12 <= bytes.size())
    {
        const unsigned char* p = (const unsigned char*)bytes.data() + at;
        uint32_t length = ((uint32_t)p[0] << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
        if (memcmp(p + 4, "gAMA", 4) == 0 && length == 4 && at + 12 <= bytes.size())
            return (((uint32_t)p[8] << 24) | (p[9] << 16) | (p[10] << 8) | p[11]) / 100000.0;
        if (memcmp(p + 4, "IDAT", 4) == 0 || length > bytes.size())
            break;
        at += 12 + (size_t)length;
    }
    return 0;
}

struct Oracle
{
    bool decoded = false;
    int width = 0, height = 0, frames = 0, depth = 8;
    std::string rgba16; // big-endian 16-bit R, G, B, A per pixel, frame after frame
};

Oracle RunImageMagick(const std::string& file, Format format, const std::string& work)
{
    Oracle oracle;
    std::string in = native_tool::UnixPath(file);
    std::string out = work + "oracle.rgba", size = work + "oracle.size";
    DeleteFileA(out.c_str());
    DeleteFileA(size.c_str());
    std::string uOut = native_tool::ShellQuote(native_tool::UnixPath(out));
    std::string uSize = native_tool::ShellQuote(native_tool::UnixPath(size));
    std::string script;
    if (format == kGif)
        script = "/usr/bin/convert " + native_tool::ShellQuote(in) +
                 " -coalesce -depth 16 -endian MSB rgba:" + uOut + " 2>/dev/null && " +
                 "/usr/bin/identify -format '%W %H\\n' " + native_tool::ShellQuote(in + "[0]") +
                 " > " + uSize + " 2>/dev/null";
    else
        // A PNG's samples as stored: ImageMagick would otherwise convert a
        // file with gAMA 1.0 from linear to sRGB on output.
        script = "/usr/bin/convert " + native_tool::ShellQuote(in + "[0]") +
                 (format == kPng ? " -set colorspace sRGB" : "") +
                 " -depth 16 -endian MSB rgba:" + uOut + " 2>/dev/null && " +
                 "/usr/bin/identify -format '%w %h %z\\n' " + native_tool::ShellQuote(in + "[0]") +
                 " > " + uSize + " 2>/dev/null";
    int status = native_tool::RunShell(script);
    std::string sizeText;
    if (status == 0 && test_support::ReadFileBytes(out, oracle.rgba16) &&
        test_support::ReadFileBytes(size, sizeText) &&
        sscanf(sizeText.c_str(), "%d %d %d", &oracle.width, &oracle.height, &oracle.depth) >= 2 &&
        oracle.width > 0 &&
        oracle.height > 0)
    {
        size_t frameBytes = (size_t)oracle.width * oracle.height * 8;
        oracle.frames = (int)(oracle.rgba16.size() / frameBytes);
        oracle.decoded = oracle.frames > 0 && oracle.rgba16.size() % frameBytes == 0;
    }
    DeleteFileA(out.c_str());
    DeleteFileA(size.c_str());
    return oracle;
}

struct Comparison
{
    int differing = 0, maxError = 0;
    std::string firstDifference; // "at (x, y): ours r g b, oracle r g b a"
};

// Compares our picture with one frame of the oracle, allowing `tolerance`.
Comparison Compare(const CRgbBuffer& ours, const Oracle& oracle, int frame, Format format,
                   double fileGamma, int tolerance)
{
    Comparison result;
    const unsigned char* base = (const unsigned char*)oracle.rgba16.data() +
                                (size_t)frame * oracle.width * oracle.height * 8;
    double exponent = fileGamma > 0 ? 1 / (fileGamma * 2.2) : 1;
    for (int i = 0; i < oracle.width * oracle.height; ++i)
    {
        const unsigned char* o = base + 8 * (size_t)i;
        int alpha = (o[6] << 8) | o[7];
        for (int c = 0; c < 3; ++c)
        {
            int sample = (o[2 * c] << 8) | o[2 * c + 1];
            double expected;
            if (format == kGif && alpha == 0)
                expected = 255; // transparent: the white canvas shows
            else if (format == kPng && fileGamma > 0)
                expected = 255 * pow(sample / 65535.0, exponent);
            else if (format == kTiff && alpha < 65535)
                expected = ((sample >> 8) * (alpha >> 8) + 127) / 255; // libtiff premultiplies
            else
                expected = sample >> 8;
            int error = (int)floor(fabs(ours.GetBuffer()[3 * i + c] - expected) + 0.5);
            if (format == kPng && fileGamma > 0 && oracle.depth == 16)
            {
                // libpng corrects 16-bit samples through a table indexed by
                // their high bits: any input of the sample's 8-bit bucket.
                int bucket = sample & 0xFF00;
                double low = 255 * pow(std::min(sample, bucket) / 65535.0, exponent);
                double high = 255 * pow(std::max(sample, bucket + 255) / 65535.0, exponent);
                double value = ours.GetBuffer()[3 * i + c];
                double distance = value < low ? low - value : value > high ? value - high : 0;
                error = std::min(error, (int)floor(distance + 0.5));
            }
            int allowed = format == kTiff && alpha < 65535 ? std::max(tolerance, 1) : tolerance;
            if (error > allowed && result.differing++ == 0)
            {
                const BYTE* p = ours.GetBuffer() + 3 * i;
                char text[160];
                snprintf(text, sizeof text, " (first at %d,%d: ours %d %d %d, oracle %d %d %d alpha %d)",
                         i % oracle.width, i / oracle.width, p[0], p[1], p[2], o[0], o[2], o[4], o[6]);
                result.firstDifference = text;
            }
            if (error > result.maxError)
                result.maxError = error;
        }
    }
    return result;
}

struct Counts
{
    int files = 0, matched = 0, bothRefused = 0, expected = 0, unexpected = 0;
};

void RunSuite(const std::string& folder, const char* pattern, Format format, Counts& counts)
{
    test_support::TempFolder workFolder("conformance");
    const std::string work = workFolder.Path() + "\\";
    std::vector<std::string> names = ListFiles(folder, pattern);
    for (const std::string& name : names)
    {
        std::string path = folder + "\\" + name;
        CRgbBuffer ours;
        int frameCount = 1;
        if (format == kPng)
            CPngFile(path.c_str()).Load(&ours);
        else if (format == kTiff)
            CTiffFile(path.c_str()).Load(&ours);
        else
        {
            CGifFile(path.c_str()).Load(&ours);
            CGifFile counter(path.c_str());
            if (counter.Open(path.c_str(), RGB(255, 255, 255)) == 0)
            {
                counter.NextImage();
                frameCount = counter.GetFrameCount();
            }
        }
        Oracle oracle = RunImageMagick(path, format, work);
        std::string bytes;
        test_support::ReadFileBytes(path, bytes);
        double gamma = format == kPng ? PngFileGamma(bytes) : 0;

        ++counts.files;
        const char* known = ExpectedDifference(name);
        std::string verdict;
        bool agree = false;
        if (!ours.IsImage() && !oracle.decoded)
        {
            verdict = "refused by both";
            agree = true;
            ++counts.bothRefused;
        }
        else if (!ours.IsImage() || !oracle.decoded)
            verdict = ours.IsImage() ? "ImageMagick refuses it" : "we refuse it";
        else if (ours.GetWidth() != oracle.width || ours.GetHeight() != oracle.height)
            verdict = "size differs";
        else
        {
            int frame = std::min(frameCount, oracle.frames) - 1;
            // Gamma tables and libtiff's 16-to-8-bit table round; the others are exact.
            int tolerance = gamma > 0 || (format == kTiff && oracle.depth == 16) ? 1 : 0;
            Comparison c = Compare(ours, oracle, frame < 0 ? 0 : frame, format, gamma, tolerance);
            char text[128];
            snprintf(text, sizeof text, "%d samples differ, max error %d", c.differing, c.maxError);
            verdict = text + c.firstDifference;
            agree = c.differing == 0;
            if (agree)
                verdict = gamma > 0 ? "matches (gamma corrected)" : "matches";
        }
        printf("[conformance] %-40s %-6s %s%s%s\n", name.c_str(),
               ours.IsImage() ? "ok" : "empty", verdict.c_str(), known ? " -- expected: " : "",
               known ? known : "");
        if (agree && oracle.decoded)
            ++counts.matched;
        if (!agree)
        {
            if (known)
                ++counts.expected;
            else
            {
                ++counts.unexpected;
                ADD_FAILURE() << name << ": " << verdict;
            }
        }
    }
}

void Report(const char* suite, const Counts& c)
{
    printf("[conformance] %s: %d files, %d match ImageMagick, %d refused by both, "
           "%d listed differences, %d unexpected\n",
           suite, c.files, c.matched, c.bothRefused, c.expected, c.unexpected);
}

void RequireOracle()
{
    ASSERT_EQ(native_tool::RunShell("test -x /usr/bin/convert && test -x /usr/bin/identify"), 0)
        << "ImageMagick (/usr/bin/convert) must be installed natively";
}
}

TEST(Conformance, PngSuiteAgreesWithImageMagick)
{
    RequireOracle();
    Counts counts;
    RunSuite(std::string(PIXMERE_PNG_SOURCE_DIR) + "\\contrib\\pngsuite", "*.png", kPng, counts);
    RunSuite(std::string(PIXMERE_PNG_SOURCE_DIR) + "\\contrib\\pngsuite\\interlaced", "*.png", kPng,
             counts);
    Report("PngSuite", counts);
    EXPECT_GT(counts.files, 40);
}

TEST(Conformance, LibpngTestImagesAgreeWithImageMagick)
{
    RequireOracle();
    Counts counts;
    RunSuite(std::string(PIXMERE_PNG_SOURCE_DIR) + "\\contrib\\testpngs", "*.png", kPng, counts);
    RunSuite(std::string(PIXMERE_PNG_SOURCE_DIR) + "\\contrib\\testpngs\\crashers", "*.png", kPng,
             counts);
    Report("libpng testpngs", counts);
    EXPECT_GT(counts.files, 80);
}

TEST(Conformance, GiflibPicturesAgreeWithImageMagick)
{
    RequireOracle();
    Counts counts;
    RunSuite(std::string(PIXMERE_GIF_SOURCE_DIR) + "\\pic", "*.gif", kGif, counts);
    RunSuite(std::string(PIXMERE_GIF_SOURCE_DIR) + "\\tests", "*.gif", kGif, counts);
    Report("giflib", counts);
    EXPECT_GT(counts.files, 5);
}

TEST(Conformance, LibtiffImagesAgreeWithImageMagick)
{
    RequireOracle();
    Counts counts;
    RunSuite(std::string(PIXMERE_TIFF_SOURCE_DIR) + "\\test\\images", "*.tif*", kTiff, counts);
    Report("libtiff", counts);
    EXPECT_GT(counts.files, 20);
}

namespace
{
// A fresh folder holding what MakeSamples writes for the given writers,
// removed with the samples when the object goes.
class SampleFolder : public test_support::TempFolder
{
public:
    explicit SampleFolder(const char* writers) : test_support::TempFolder("samples")
    {
        std::string command = std::string("\"") + PIXMERE_BIN_DIR + "\\MakeSamples.exe\" \"" + Path() +
                              "\" " + writers;
        STARTUPINFOA startup = { sizeof(startup) };
        PROCESS_INFORMATION process = {};
        if (CreateProcessA(NULL, &command[0], NULL, NULL, FALSE, CREATE_NO_WINDOW, NULL, NULL, &startup,
                           &process))
        {
            WaitForSingleObject(process.hProcess, 120000);
            CloseHandle(process.hProcess);
            CloseHandle(process.hThread);
        }
    }
};

std::unique_ptr<CRgbBuffer> LoadSample(const std::string& folder, const char* name)
{
    std::unique_ptr<CRgbBuffer> buffer(new CRgbBuffer);
    buffer->LoadRgbBuffer((folder + "\\" + name).c_str());
    return buffer;
}

using test_support::ColorAt;
}

TEST(SampleFiles, PngGifAndTiffSamplesAgreeWithImageMagick)
{
    RequireOracle();
    SampleFolder samples("png gif tiff");
    const std::string& folder = samples.Path();
    Counts counts;
    RunSuite(folder, "*.png", kPng, counts);
    RunSuite(folder, "*.gif", kGif, counts);
    RunSuite(folder, "*.tif", kTiff, counts);
    Report("samples", counts);
    EXPECT_EQ(counts.files, 12);
    EXPECT_EQ(counts.matched, 12);
}

TEST(SampleFiles, GifSamplesShowTheirFeatures)
{
    SampleFolder samples("gif");
    const std::string& folder = samples.Path();
    auto still = LoadSample(folder, "gif_still.gif");
    auto interlaced = LoadSample(folder, "gif_interlaced.gif");
    ASSERT_TRUE(still->IsImage() && interlaced->IsImage());
    EXPECT_EQ(0, memcmp(still->GetBuffer(), interlaced->GetBuffer(), still->NumberOfPixels() * 3));

    // The first frame has delay 0: the red square of the second is drawn over it.
    auto animated = LoadSample(folder, "gif_animated.gif");
    ASSERT_TRUE(animated->IsImage());
    EXPECT_EQ(ColorAt(*animated, 20, 20), RGB(255, 0, 0));
    EXPECT_EQ(ColorAt(*animated, 5, 5), ColorAt(*still, 5, 5));
    EXPECT_EQ(ColorAt(*animated, 80, 60), ColorAt(*still, 80, 60)); // not yet green
    CGifFile gif((folder + "\\gif_animated.gif").c_str());
    ASSERT_EQ(gif.Open((folder + "\\gif_animated.gif").c_str(), RGB(255, 255, 255)), 0);
    EXPECT_EQ(gif.NextImage(), 500);
    EXPECT_EQ(gif.GetLoopCount(), 2);
    EXPECT_EQ(gif.NextImage(), 500);
    EXPECT_EQ(gif.NextImage(), 0);

    auto transparent = LoadSample(folder, "gif_transparent.gif");
    ASSERT_TRUE(transparent->IsImage());
    EXPECT_EQ(transparent->m_BackgroundColor, RGB(0, 0, 255));
    int white = 0;
    for (int i = 0; i < transparent->NumberOfPixels(); ++i)
        white += memcmp(transparent->GetBuffer() + 3 * i, "\xFF\xFF\xFF", 3) == 0;
    EXPECT_GT(white, 100);
}

TEST(SampleFiles, MetafilesShowTheHouseAndTheFontShowsTheSample)
{
    SampleFolder samples("metafile font");
    const std::string& folder = samples.Path();
    for (const char* name : { "metafile_house.emf", "metafile_house.wmf", "metafile_house_placeable.wmf" })
    {
        auto house = LoadSample(folder, name);
        ASSERT_TRUE(house->IsImage()) << name;
        int w = house->GetWidth(), h = house->GetHeight();
        // Relative places of the 400 x 300 drawing: wall, window, lawn, sky.
        EXPECT_EQ(ColorAt(*house, w * 280 / 400, h * 140 / 300), RGB(200, 40, 30)) << name;
        EXPECT_EQ(ColorAt(*house, w * 155 / 400, h * 180 / 300), RGB(40, 90, 200)) << name;
        EXPECT_EQ(ColorAt(*house, w * 20 / 400, h * 280 / 300), RGB(60, 160, 60)) << name;
        EXPECT_EQ(ColorAt(*house, w * 20 / 400, h * 20 / 300), RGB(235, 245, 255)) << name;
    }
    auto font = LoadSample(folder, "font_sample.ttf");
    ASSERT_TRUE(font->IsImage());
    EXPECT_EQ(font->GetWidth(), 640);
    EXPECT_EQ(font->GetHeight(), 480);
}
