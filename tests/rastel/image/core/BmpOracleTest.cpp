// BMP decoding checked against an independent decoder: ImageMagick (the
// native /usr/bin/convert, started through the Linux shell from Wine)
// converts the same files to PPM, and every pixel must agree.
#include <gtest/gtest.h>
#include <stdio.h>
#include "NativeTool.h"
#include "RgbBuffer.h"
#include "TestImages.h"

namespace
{
// Runs /usr/bin/convert natively on two files of one folder; true when it
// wrote the target. Names are relative to the folder: Wine's Linux paths hold
// a "c:" that ImageMagick would take for a format.
bool ConvertToPpm(const std::string& folder, const std::string& source, const std::string& target)
{
    std::string unixFolder = native_tool::UnixPath(folder);
    if (unixFolder.empty())
        return false;
    std::string script = "cd " + native_tool::ShellQuote(unixFolder) + " && /usr/bin/convert " +
                         native_tool::ShellQuote("./" + source) + " -depth 8 " +
                         native_tool::ShellQuote("ppm:" + target) + " >/dev/null 2>&1";
    return native_tool::RunShell(script, 60000) == 0 && test_support::Exists(folder + "\\" + target);
}

// A binary PPM (P6, maxval 255) as width, height and RGB bytes.
bool ReadPpm(const std::string& path, int* width, int* height, Bytes* pixels)
{
    FILE* file = fopen(path.c_str(), "rb");
    if (!file)
        return false;
    int maxval = 0;
    bool ok = fscanf(file, "P6 %d %d %d", width, height, &maxval) == 3 && maxval == 255 &&
              fgetc(file) != EOF;
    if (ok)
    {
        pixels->resize((size_t)*width * *height * 3);
        ok = fread(pixels->data(), 1, pixels->size(), file) == pixels->size();
    }
    fclose(file);
    return ok;
}

DWORD Pattern(int x, int y)
{
    return (DWORD)((x * 29 + y * 3) & 0xFF) << 16 | (DWORD)((y * 41) & 0xFF) << 8 | ((x * y) & 0xFF);
}

class BmpOracleTest : public ::testing::Test
{
protected:
    BmpOracleTest() : m_Folder("pixmere_bmp_oracle") {}
    void SetUp() override
    {
        if (native_tool::UnixPath(m_Folder.Path()).empty() || GetFileAttributesA("Z:\\usr\\bin\\convert") == INVALID_FILE_ATTRIBUTES)
            GTEST_SKIP() << "ImageMagick is not reachable from here";
    }

    // Loads the file both ways; every channel may differ by at most tolerance.
    void ExpectSameAsOracle(const std::string& name, const BmpDescription& d, int tolerance = 0)
    {
        std::string path = m_Folder.Write(name, MakeBmp(d));
        std::string ppm = m_Folder.File(name + ".ppm");
        ASSERT_TRUE(ConvertToPpm(m_Folder.Path(), name, name + ".ppm")) << name;
        int width = 0, height = 0;
        Bytes expected;
        ASSERT_TRUE(ReadPpm(ppm, &width, &height, &expected)) << name;
        CRgbBuffer picture;
        ASSERT_TRUE(picture.LoadRgbBuffer(path.c_str(), false)) << name;
        ASSERT_EQ(width, picture.GetWidth()) << name;
        ASSERT_EQ(height, picture.GetHeight()) << name;
        int worst = 0;
        for (size_t i = 0; i < expected.size(); ++i)
        {
            int difference = abs((int)expected[i] - (int)picture.GetBuffer()[i]);
            worst = difference > worst ? difference : worst;
        }
        EXPECT_LE(worst, tolerance) << name;
    }
    TempFolder m_Folder;
};
} // namespace

TEST_F(BmpOracleTest, TrueColourFilesMatchImageMagick)
{
    for (int height : { 23, -23 })
    {
        BmpDescription d;
        d.width = 37;
        d.height = height;
        d.pixel = Pattern;
        ExpectSameAsOracle(height > 0 ? "true24.bmp" : "true24_td.bmp", d);
        d.bits = 32;
        ExpectSameAsOracle(height > 0 ? "true32.bmp" : "true32_td.bmp", d);
    }
}

TEST_F(BmpOracleTest, PaletteFilesMatchImageMagick)
{
    for (int bits : { 1, 4, 8 })
        for (int height : { 19, -19 })
        {
            BmpDescription d;
            d.width = 45;
            d.height = height;
            d.bits = bits;
            int colours = 1 << bits;
            // 1 bit: black and white, where the white-for-set-bits rule and
            // the palette agree.
            for (int i = 0; i < colours; ++i)
                d.palette.push_back(bits == 1 ? Quad(i * 255, i * 255, i * 255)
                                              : Quad((i * 97) & 0xFF, (i * 53) & 0xFF, 255 - i * (256 / colours)));
            d.pixel = [colours](int x, int y) -> DWORD { return (DWORD)(x * 7 + y * 3) % colours; };
            std::string name = "pal" + std::to_string(bits) + (height > 0 ? ".bmp" : "_td.bmp");
            ExpectSameAsOracle(name, d);
        }
}

TEST_F(BmpOracleTest, SixteenBitFilesMatchImageMagick)
{
    for (int height : { 17, -17 })
    {
        BmpDescription d;
        d.width = 21;
        d.height = height;
        d.bits = 16;
        d.pixel = [](int x, int y) -> DWORD { return (DWORD)(x * 1531 + y * 977) & 0x7FFF; };
        ExpectSameAsOracle(height > 0 ? "rgb555.bmp" : "rgb555_td.bmp", d, 1);
        // 5-6-5 may be held by the system at 5 bits of green: one step of 5
        // bits is 8 levels.
        d.masks = { 0xF800, 0x07E0, 0x001F };
        d.pixel = [](int x, int y) -> DWORD { return (DWORD)(x * 2531 + y * 1977) & 0xFFFF; };
        ExpectSameAsOracle(height > 0 ? "rgb565.bmp" : "rgb565_td.bmp", d, 8);
    }
}
