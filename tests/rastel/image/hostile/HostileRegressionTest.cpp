// Regression inputs for the faults tools/fuzz finds: the smallest file of
// each kind, written by make_inputs.py, and fuzz_* files kept as the fuzzer
// found them. None may crash, hang or claim a runaway amount of memory;
// metafiles play up to their first bad record, pictures of absurd size load
// empty.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <vector>

#include "GifFile.h"
#include "PixelRead.h"
#include "RgbBuffer.h"
#include "TempFolder.h"
#include "WmfFile.h"

using test_support::ColorAt;

namespace
{
std::string Input(const char* name)
{
    return std::string(PIXMERE_SOURCE_DIR) + "\\tests\\rastel\\image\\hostile\\" + name;
}

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);
} // namespace

// Each metafile draws a red square, then holds the bad record, then a blue
// square over the middle: the red one shows, the blue one must not.
TEST(HostileMetafiles, PlayUpToTheFirstBadRecord)
{
    const char* names[] = {
        "wmf_zero_size_record.wmf", "wmf_huge_record_size.wmf", "wmf_object_index.wmf",
        "wmf_polygon_count.wmf",    "wmf_textout_count.wmf",    "wmf_dib_size.wmf",
        "wmf_palette_count.wmf",    "emf_zero_size_record.emf", "emf_object_index.emf",
        "emf_polygon_count.emf",    "emf_text_count.emf",       "emf_bitmap_size.emf",
        "emf_huge_ellipse.emf",
    };
    for (const char* name : names)
    {
        CRgbBuffer picture;
        ASSERT_TRUE(picture.LoadRgbBuffer(Input(name).c_str())) << name;
        int w = picture.GetWidth(), h = picture.GetHeight();
        ASSERT_GE(w, 20) << name;
        ASSERT_GE(h, 20) << name;
        EXPECT_EQ(kRed, ColorAt(picture, w / 2, h / 2)) << name << ": the middle is not the red square";
        EXPECT_NE(kBlue, ColorAt(picture, w / 2, h / 2)) << name;
    }
}

// Bounds of 100 megapixels: within the picture limit, beyond the playback cap.
TEST(HostileMetafiles, HugeBoundsArePlayedScaledDown)
{
    CRgbBuffer picture;
    ASSERT_TRUE(picture.LoadRgbBuffer(Input("emf_huge_bounds.emf").c_str()));
    EXPECT_LE((long long)picture.GetWidth() * picture.GetHeight(), (long long)CWmfFile::MaxPlaybackPixels);
    EXPECT_EQ(picture.GetWidth(), picture.GetHeight()) << "the shape of the bounds is kept";
}

// Files on which the fuzzer stopped the suite before these checks existed
// (access violations in the system's metafile player and in the C runtime,
// a 3 GB GIF canvas, loads that never ended). Whatever they show, they load
// and stay within the limits.
TEST(HostileMetafiles, FuzzFindingsLoadWithinTheLimits)
{
    const char* names[] = {
        "fuzz_wmf_crash_gdi32.wmf", "fuzz_wmf_crash_ucrtbase.wmf", "fuzz_wmf_hang.wmf",
        "fuzz_emf_crash.emf",       "fuzz_emf_crash_gdi32.emf",    "fuzz_emf_crash_gdi32_b.emf",
        "fuzz_emf_hang.emf",        "fuzz_gif_memory.gif",         "fuzz_gif_hang.gif",
        "fuzz_emf_restoredc_crash.emf", // RestoreDC(-2147483648): found after the checks existed
        "fuzz_emf_hang_ellipse.emf",    // an ellipse of 268 million pixels: found after them too
        "fuzz_wmf_floodfill_stack.wmf", // a flood fill that overflowed the stack
    };
    for (const char* name : names)
    {
        CRgbBuffer picture;
        picture.LoadRgbBuffer(Input(name).c_str());
        // All of them are under 1 KB.
        EXPECT_LE((long long)picture.GetWidth() * picture.GetHeight(),
                  (long long)CRgbBuffer::FreePixelsPerFile + 1024LL * CRgbBuffer::MaxPixelsPerFileByte)
            << name;
    }
}

TEST(HostilePictures, AbsurdDeclaredSizesLoadEmpty)
{
    struct Case
    {
        const char* name;
        bool thumbnail;
    } cases[] = {
        { "gif_screen_size.gif", false },     // 10211 x 48897 screen in 35 bytes
        { "tiff_width_1bit.tif", false },     // 124720 x 5600 in 138 bytes
        { "exif_thumbnail_size.jpg", true },  // 39833 x 14123 thumbnail in 9 KB (was 1.7 GB, 20 s)
    };
    for (const Case& c : cases)
    {
        CRgbBuffer picture;
        EXPECT_FALSE(picture.LoadRgbBuffer(Input(c.name).c_str(), c.thumbnail)) << c.name;
        EXPECT_FALSE(picture.IsImage()) << c.name;
    }
}

TEST(HostilePictures, UnusedPngChunksAreSkipped)
{
    CRgbBuffer picture;
    ASSERT_TRUE(picture.LoadRgbBuffer(Input("png_scal_size.png").c_str()));
    EXPECT_EQ(2, picture.GetWidth());
    EXPECT_EQ(kRed, ColorAt(picture, 1, 1));
}

// Thousands of 1 x 1 frames of delay 0 on a 2000 x 2000 screen: each frame
// costs its own size, not the screen's, so the first picture comes quickly.
TEST(HostilePictures, ManyTinyGifFramesOnALargeScreen)
{
    std::vector<BYTE> gif = { 'G', 'I', 'F', '8', '9', 'a', 0xD0, 0x07, 0xD0, 0x07, 0x80, 0, 0,
                              0, 0, 0, 255, 0, 0 };
    const int frames = 3000;
    for (int i = 0; i < frames; ++i)
    {
        BYTE delay = i + 1 == frames ? 10 : 0;
        const BYTE control[] = { 0x21, 0xF9, 4, 0, delay, 0, 0, 0 };
        const BYTE frame[] = { 0x2C, (BYTE)(i % 200), 0, 5, 0, 1, 0, 1, 0, 0, 2, 2, 0x4C, 0x01, 0 };
        gif.insert(gif.end(), control, control + sizeof(control));
        gif.insert(gif.end(), frame, frame + sizeof(frame));
    }
    gif.push_back(0x3B);
    test_support::TempFolder folder("pixmere_hostile_gif");
    std::string path = folder.File("frames.gif");
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    DWORD written = 0;
    WriteFile(file, gif.data(), (DWORD)gif.size(), &written, NULL);
    CloseHandle(file);
    ASSERT_EQ(gif.size(), written);

    CGifFile reader(path.c_str());
    ASSERT_EQ(0, reader.Open(path.c_str(), RGB(255, 255, 255)));
    EXPECT_EQ(100, reader.NextImage());
    EXPECT_EQ(frames, reader.GetFrameCount());
    HBITMAP bitmap = reader.CreateMappedBitmap(NULL, 0, 1);
    ASSERT_TRUE(bitmap != NULL);
    DeleteObject(bitmap);
    CRgbBuffer picture;
    ASSERT_TRUE(picture.LoadRgbBuffer(path.c_str()));
    EXPECT_EQ(kRed, ColorAt(picture, 199, 5)) << "the last frame's pixel";
    EXPECT_EQ(RGB(255, 255, 255), ColorAt(picture, 1500, 1500));
}

TEST(PictureLimit, OneLimitBoundedByTheFileSize)
{
    EXPECT_TRUE(CRgbBuffer::FileCanHoldPicture(20000, 10000, 10 * 1024 * 1024));
    EXPECT_FALSE(CRgbBuffer::FileCanHoldPicture(20001, 10000, 1LL << 40)) << "over 200 megapixels";
    EXPECT_TRUE(CRgbBuffer::FileCanHoldPicture(4096, 4096, 0)) << "any file may declare 16 megapixels";
    EXPECT_FALSE(CRgbBuffer::FileCanHoldPicture(5000, 5000, 100));
    EXPECT_TRUE(CRgbBuffer::FileCanHoldPicture(5000, 5000, 10000));
    EXPECT_FALSE(CRgbBuffer::FileCanHoldPicture(0, 10, 1000));
    EXPECT_FALSE(CRgbBuffer::FileCanHoldPicture(-5, 10, 1000));
    EXPECT_FALSE(CRgbBuffer::FileCanHoldPicture(10, 10, -1));
    EXPECT_EQ(NULL, CRgbBuffer::AllocatePixelArray(20001, 10000));
}
