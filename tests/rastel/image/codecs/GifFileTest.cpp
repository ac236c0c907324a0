// CGifFile on hand-made files: compositing, transparency, disposal,
// interlacing, loop count, and hostile input.
#include <gtest/gtest.h>

#include "CodecTestKit.h"
#include "GifFile.h"
#include "ImageBytes.h"

using namespace image_bytes;

namespace
{
// Index 0 white-ish grey, 1 red, 2 green, 3 blue.
const Bytes kColors = { 200, 200, 200, 255, 0, 0, 0, 255, 0, 0, 0, 255 };

// A logical screen of the given size with the colours above as its global
// table.
GifContent Screen(int width, int height)
{
    GifContent content;
    content.width = width;
    content.height = height;
    content.globalColors = kColors;
    return content;
}

GifFrame Frame(int left, int top, int width, int height, uint8_t index)
{
    GifFrame f;
    f.left = left;
    f.top = top;
    f.width = width;
    f.height = height;
    f.indices.assign((size_t)width * height, index);
    return f;
}

GifFrame Timed(GifFrame f, int delay, int disposal = 0, int transparent = -1)
{
    f.hasControl = true;
    f.delay = delay;
    f.disposal = disposal;
    f.transparentIndex = transparent;
    return f;
}

const auto LoadGif = WriteAndLoad<CGifFile>;
}

TEST(GifDecoding, StillPictureAndBackgroundColour)
{
    test_support::TempFolder folder("giftest");
    GifContent content = Screen(3, 2);
    content.background = 2;
    GifFrame f = Frame(0, 0, 3, 2, 0);
    f.indices = { 0, 1, 2, 3, 2, 1 };
    content.frames.push_back(f);
    CRgbBuffer buffer;
    EXPECT_EQ(LoadGif(folder, "still.gif", MakeGif(content), buffer), 1);
    ASSERT_TRUE(buffer.IsImage());
    EXPECT_EQ(buffer.GetWidth(), 3);
    EXPECT_EQ(buffer.GetHeight(), 2);
    EXPECT_EQ(ColorAt(buffer, 0, 0), RGB(200, 200, 200));
    EXPECT_EQ(ColorAt(buffer, 1, 0), RGB(255, 0, 0));
    EXPECT_EQ(ColorAt(buffer, 2, 0), RGB(0, 255, 0));
    EXPECT_EQ(ColorAt(buffer, 0, 1), RGB(0, 0, 255));
    EXPECT_EQ(buffer.m_BackgroundColor, RGB(0, 255, 0));
}

TEST(GifDecoding, TransparentPixelsShowWhite)
{
    test_support::TempFolder folder("giftest");
    GifContent content = Screen(2, 1);
    content.background = 3;
    GifFrame f = Timed(Frame(0, 0, 2, 1, 1), 5, 0, 1);
    f.indices = { 1, 2 };
    content.frames.push_back(f);
    CRgbBuffer buffer;
    LoadGif(folder, "transparent.gif", MakeGif(content), buffer);
    ASSERT_TRUE(buffer.IsImage());
    EXPECT_EQ(ColorAt(buffer, 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(ColorAt(buffer, 1, 0), RGB(0, 255, 0));
    EXPECT_EQ(buffer.m_BackgroundColor, RGB(0, 0, 255));
}

TEST(GifDecoding, LocalColourTableAndCanvasAroundASmallFrame)
{
    test_support::TempFolder folder("giftest");
    GifContent content;
    content.width = 4;
    content.height = 3;
    GifFrame f = Frame(1, 1, 2, 1, 1);
    f.localColors = { 9, 8, 7, 60, 70, 80 };
    content.frames.push_back(f);
    CRgbBuffer buffer;
    LoadGif(folder, "local.gif", MakeGif(content), buffer);
    ASSERT_TRUE(buffer.IsImage());
    EXPECT_EQ(ColorAt(buffer, 1, 1), RGB(60, 70, 80));
    EXPECT_EQ(ColorAt(buffer, 2, 1), RGB(60, 70, 80));
    EXPECT_EQ(ColorAt(buffer, 0, 0), RGB(255, 255, 255)); // the canvas fill
    EXPECT_EQ(ColorAt(buffer, 3, 2), RGB(255, 255, 255));
    EXPECT_EQ(buffer.m_BackgroundColor, RGB(255, 255, 255)); // no global table
}

TEST(GifAnimation, FirstFrameOnlyWhenItHasADelay)
{
    test_support::TempFolder folder("giftest");
    GifContent content = Screen(2, 1);
    content.frames.push_back(Timed(Frame(0, 0, 2, 1, 1), 50));
    content.frames.push_back(Timed(Frame(1, 0, 1, 1, 3), 50));
    CRgbBuffer buffer;
    LoadGif(folder, "animated.gif", MakeGif(content), buffer);
    ASSERT_TRUE(buffer.IsImage());
    EXPECT_EQ(ColorAt(buffer, 1, 0), RGB(255, 0, 0));
}

TEST(GifAnimation, DelayZeroFrameIsCompositedWithTheNext)
{
    test_support::TempFolder folder("giftest");
    GifContent content = Screen(2, 1);
    content.frames.push_back(Timed(Frame(0, 0, 2, 1, 1), 0));
    content.frames.push_back(Timed(Frame(1, 0, 1, 1, 3), 50));
    content.frames.push_back(Timed(Frame(0, 0, 2, 1, 2), 50));
    CRgbBuffer buffer;
    LoadGif(folder, "delay0.gif", MakeGif(content), buffer);
    ASSERT_TRUE(buffer.IsImage());
    EXPECT_EQ(ColorAt(buffer, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(ColorAt(buffer, 1, 0), RGB(0, 0, 255));
}

TEST(GifAnimation, NextImageReportsDelaysLoopCountAndTheEnd)
{
    test_support::TempFolder folder("giftest");
    GifContent content = Screen(2, 2);
    content.loopCount = 5;
    content.frames.push_back(Timed(Frame(0, 0, 2, 2, 1), 25));
    content.frames.push_back(Frame(0, 0, 1, 1, 2)); // no graphic control: 100 ms
    content.frames.push_back(Timed(Frame(0, 0, 1, 1, 3), 0));
    std::string path = folder.File("loop.gif");
    ASSERT_TRUE(WriteFile(path, MakeGif(content)));

    CGifFile gif(path.c_str());
    EXPECT_EQ(gif.NextImage(), -1); // not open yet
    ASSERT_EQ(gif.Open(path.c_str(), RGB(1, 2, 3)), 0);
    EXPECT_EQ(gif.NextImage(), 250);
    EXPECT_EQ(gif.GetLoopCount(), 4);
    EXPECT_EQ(gif.NextImage(), 100);
    EXPECT_EQ(gif.NextImage(), 0); // delay-0 frame, then the end of the file
    EXPECT_EQ(gif.GetFrameCount(), 3);
    gif.Close();
    EXPECT_EQ(gif.NextImage(), -1);
}

TEST(GifAnimation, RestoreToBackgroundUsesBackgroundOrFill)
{
    test_support::TempFolder folder("giftest");
    for (int transparent : { -1, 0 })
    {
        GifContent content = Screen(3, 1);
        content.background = 3;
        GifFrame first = Frame(0, 0, 2, 1, 1);
        first = Timed(first, 0, 2, transparent);
        content.frames.push_back(first);
        content.frames.push_back(Timed(Frame(2, 0, 1, 1, 2), 10));
        CRgbBuffer buffer;
        LoadGif(folder, "dispose2.gif", MakeGif(content), buffer);
        ASSERT_TRUE(buffer.IsImage());
        COLORREF restored = transparent < 0 ? RGB(0, 0, 255) : RGB(255, 255, 255);
        EXPECT_EQ(ColorAt(buffer, 0, 0), restored) << transparent;
        EXPECT_EQ(ColorAt(buffer, 1, 0), restored) << transparent;
        EXPECT_EQ(ColorAt(buffer, 2, 0), RGB(0, 255, 0)) << transparent;
    }
}

TEST(GifAnimation, RestoreToPreviousKeepsTheEarlierPicture)
{
    test_support::TempFolder folder("giftest");
    GifContent content = Screen(2, 1);
    content.frames.push_back(Timed(Frame(0, 0, 2, 1, 1), 0));
    content.frames.push_back(Timed(Frame(0, 0, 1, 1, 3), 0, 3));
    content.frames.push_back(Timed(Frame(1, 0, 1, 1, 2), 10));
    CRgbBuffer buffer;
    LoadGif(folder, "dispose3.gif", MakeGif(content), buffer);
    ASSERT_TRUE(buffer.IsImage());
    EXPECT_EQ(ColorAt(buffer, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(ColorAt(buffer, 1, 0), RGB(0, 255, 0));
}

TEST(GifAnimation, TransparencyAppliesToItsOwnFrameOnly)
{
    test_support::TempFolder folder("giftest");
    GifContent content = Screen(2, 1);
    content.frames.push_back(Timed(Frame(0, 0, 2, 1, 1), 0, 0, 3));
    GifFrame second = Frame(0, 0, 2, 1, 3); // no control: index 3 is opaque blue
    second.indices = { 3, 2 };
    content.frames.push_back(second);
    CRgbBuffer buffer;
    LoadGif(folder, "scope.gif", MakeGif(content), buffer);
    ASSERT_TRUE(buffer.IsImage());
    EXPECT_EQ(ColorAt(buffer, 0, 0), RGB(0, 0, 255));
}

TEST(GifDecoding, InterlacedEqualsItsTwin)
{
    test_support::TempFolder folder("giftest");
    GifContent plain;
    plain.width = 5;
    plain.height = 19; // rows in all four passes
    plain.globalColors = kColors;
    GifFrame f = Frame(0, 0, 5, 19, 0);
    for (size_t i = 0; i < f.indices.size(); ++i)
        f.indices[i] = (uint8_t)((i * 7 + i / 5) % 4);
    plain.frames.push_back(f);
    GifContent interlaced = plain;
    interlaced.frames[0].interlace = true;
    CRgbBuffer a, b;
    LoadGif(folder, "plain.gif", MakeGif(plain), a);
    LoadGif(folder, "interlaced.gif", MakeGif(interlaced), b);
    ASSERT_TRUE(a.IsImage() && b.IsImage());
    EXPECT_EQ(0, memcmp(a.GetBuffer(), b.GetBuffer(), 5 * 19 * 3));
    EXPECT_EQ(ColorAt(a, 3, 11), ColorAt(b, 3, 11));
    const BYTE* p = PixelAt(a, 2, 17);
    int index = (int)(((17 * 5 + 2) * 7 + (17 * 5 + 2) / 5) % 4);
    EXPECT_EQ(p[0], kColors[3 * index]);
}

TEST(GifHostile, FramesReachingOutsideTheScreenAreClipped)
{
    test_support::TempFolder folder("giftest");
    GifContent content = Screen(4, 4);
    content.frames.push_back(Timed(Frame(2, 2, 6, 5, 1), 0));
    content.frames.push_back(Timed(Frame(60000, 60000, 3, 3, 2), 0));
    GifFrame wide = Frame(0, 3, 300, 2, 3);
    wide.interlace = true;
    content.frames.push_back(Timed(wide, 10));
    CRgbBuffer buffer;
    LoadGif(folder, "outside.gif", MakeGif(content), buffer);
    ASSERT_TRUE(buffer.IsImage());
    EXPECT_EQ(buffer.GetWidth(), 4);
    EXPECT_EQ(ColorAt(buffer, 2, 2), RGB(255, 0, 0));
    EXPECT_EQ(ColorAt(buffer, 1, 1), RGB(255, 255, 255));
    EXPECT_EQ(ColorAt(buffer, 0, 3), RGB(0, 0, 255));
    EXPECT_EQ(ColorAt(buffer, 3, 3), RGB(0, 0, 255));
}

TEST(GifHostile, FrameOfHeightZeroIsSkipped)
{
    test_support::TempFolder folder("giftest");
    GifContent content = Screen(2, 2);
    GifFrame empty = Frame(0, 0, 2, 0, 1);
    content.frames.push_back(Timed(empty, 0));
    GifFrame narrow = Frame(0, 0, 0, 2, 1);
    content.frames.push_back(Timed(narrow, 0));
    content.frames.push_back(Timed(Frame(0, 0, 2, 2, 2), 10));
    CRgbBuffer buffer;
    LoadGif(folder, "height0.gif", MakeGif(content), buffer);
    ASSERT_TRUE(buffer.IsImage());
    EXPECT_EQ(ColorAt(buffer, 1, 1), RGB(0, 255, 0));
}

TEST(GifHostile, CodeSizeAboveEightIsRefused)
{
    test_support::TempFolder folder("giftest");
    GifContent content = Screen(2, 1);
    GifFrame f = Frame(0, 0, 2, 1, 1);
    f.minCodeSize = 11;
    content.frames.push_back(f);
    CRgbBuffer buffer;
    EXPECT_EQ(LoadGif(folder, "codesize.gif", MakeGif(content), buffer), 1);
    EXPECT_FALSE(buffer.IsImage());
}

TEST(GifHostile, BackgroundIndexBeyondTheTableKeepsTheFill)
{
    test_support::TempFolder folder("giftest");
    GifContent content;
    content.width = 1;
    content.height = 1;
    content.globalColors = kColors; // 4 entries
    content.background = 200;
    content.frames.push_back(Frame(0, 0, 1, 1, 1));
    CRgbBuffer buffer;
    LoadGif(folder, "background.gif", MakeGif(content), buffer);
    ASSERT_TRUE(buffer.IsImage());
    EXPECT_EQ(buffer.m_BackgroundColor, RGB(255, 255, 255));
}

TEST(GifHostile, EmptyAndHugeScreensAreRefused)
{
    test_support::TempFolder folder("giftest");
    for (int size : { 0, 65535 })
    {
        GifContent content;
        content.width = size;
        content.height = size == 0 ? 10 : size;
        content.globalColors = kColors;
        content.frames.push_back(Frame(0, 0, 1, 1, 1));
        std::string path = folder.File("screen.gif");
        ASSERT_TRUE(WriteFile(path, MakeGif(content)));
        CGifFile gif(path.c_str());
        EXPECT_EQ(gif.Open(path.c_str(), 0), -2) << size;
        CRgbBuffer buffer;
        EXPECT_EQ(LoadWith<CGifFile>(path, buffer), 1);
        EXPECT_FALSE(buffer.IsImage());
    }
}

TEST(GifHostile, NoImageAndNotAGif)
{
    test_support::TempFolder folder("giftest");
    GifContent content = Screen(2, 2);
    CRgbBuffer buffer;
    LoadGif(folder, "noimage.gif", MakeGif(content), buffer);
    EXPECT_FALSE(buffer.IsImage());
    LoadGif(folder, "text.gif", Bytes{ 'n', 'o', 't', ' ', 'a', ' ', 'g', 'i', 'f' }, buffer);
    EXPECT_FALSE(buffer.IsImage());
    CGifFile missing(folder.File("missing.gif").c_str());
    EXPECT_EQ(missing.Open(folder.File("missing.gif").c_str(), 0), -1);
}

TEST(GifHostile, TruncatedFilesNeverFault)
{
    test_support::TempFolder folder("giftest");
    GifContent content = Screen(16, 16);
    GifFrame f = Frame(0, 0, 16, 16, 0);
    for (size_t i = 0; i < f.indices.size(); ++i)
        f.indices[i] = (uint8_t)(i % 3 + 1);
    content.frames.push_back(Timed(f, 0));
    content.frames.push_back(Timed(Frame(4, 4, 8, 8, 0), 10));
    Bytes whole = MakeGif(content);
    for (size_t length = 0; length < whole.size(); length += 5)
    {
        CRgbBuffer buffer;
        Bytes cut(whole.begin(), whole.begin() + length);
        LoadGif(folder, "cut.gif", cut, buffer);
        if (buffer.IsImage())
        {
            EXPECT_EQ(buffer.GetWidth(), 16) << length;
            EXPECT_EQ(buffer.GetHeight(), 16) << length;
        }
    }
}

TEST(GifMappedBitmap, StepTwoAveragesBlocks)
{
    test_support::TempFolder folder("giftest");
    GifContent content;
    content.width = 4;
    content.height = 2;
    content.globalColors = { 0, 0, 0, 200, 100, 50 };
    GifFrame f = Frame(0, 0, 4, 2, 0);
    f.indices = { 0, 1, 1, 1, 1, 0, 1, 1 };
    content.frames.push_back(f);
    std::string path = folder.File("step.gif");
    ASSERT_TRUE(WriteFile(path, MakeGif(content)));
    CGifFile gif(path.c_str());
    ASSERT_EQ(gif.Open(path.c_str(), 0), 0);
    EXPECT_TRUE(gif.CreateMappedBitmap(NULL, 0, 1) == NULL); // no frame yet
    gif.NextImage();
    HBITMAP bitmap = gif.CreateMappedBitmap(NULL, 0, 2);
    ASSERT_TRUE(bitmap != NULL);
    BITMAP info;
    GetObject(bitmap, sizeof(info), &info);
    EXPECT_EQ(info.bmWidth, 2);
    EXPECT_EQ(info.bmHeight, 1);
    const BYTE* bits = (const BYTE*)info.bmBits; // blue, green, red
    EXPECT_EQ(bits[2], 100); // (0 + 200 + 200 + 0) / 4
    EXPECT_EQ(bits[5], 200);
    DeleteObject(bitmap);
}
