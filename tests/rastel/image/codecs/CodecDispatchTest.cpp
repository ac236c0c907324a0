// LoadRgbBuffer reaches the PNG, GIF, TIFF, metafile and TrueType codecs by
// the file's extension.
#include <gtest/gtest.h>

#include "CodecTestKit.h"
#include "ImageBytes.h"

using namespace image_bytes;

TEST(CodecDispatch, EachExtensionReachesItsCodec)
{
    test_support::TempFolder folder("dispatchtest");
    PngContent png;
    png.scanlines = { 0, 1, 2, 3 };
    ASSERT_TRUE(WriteFile(folder.File("a.PNG"), MakePng(png)));
    GifContent gif;
    gif.globalColors = { 4, 5, 6, 7, 8, 9 };
    GifFrame frame;
    frame.indices = { 1 };
    gif.frames.push_back(frame);
    ASSERT_TRUE(WriteFile(folder.File("a.gif"), MakeGif(gif)));
    ASSERT_TRUE(WriteFile(folder.File("a.tiff"), MakeTiffRgb(1, 1, Bytes{ 10, 11, 12 })));
    ASSERT_TRUE(WriteFile(folder.File("a.ttf"), Bytes(8, 0)));

    CRgbBuffer buffer;
    ASSERT_TRUE(buffer.LoadRgbBuffer(folder.File("a.PNG").c_str()));
    EXPECT_EQ(ColorAt(buffer, 0, 0), RGB(1, 2, 3));
    ASSERT_TRUE(buffer.LoadRgbBuffer(folder.File("a.gif").c_str()));
    EXPECT_EQ(ColorAt(buffer, 0, 0), RGB(7, 8, 9));
    ASSERT_TRUE(buffer.LoadRgbBuffer(folder.File("a.tiff").c_str()));
    EXPECT_EQ(ColorAt(buffer, 0, 0), RGB(10, 11, 12));
    ASSERT_TRUE(buffer.LoadRgbBuffer(folder.File("a.ttf").c_str()));
    EXPECT_EQ(buffer.GetWidth(), 640);
}

TEST(CodecDispatch, AnUnreadableGifEmptiesTheBufferFirst)
{
    test_support::TempFolder folder("dispatchtest");
    ASSERT_TRUE(WriteFile(folder.File("broken.gif"), Bytes{ 'G', 'I', 'F', '8', '9', 'a', 1 }));
    CRgbBuffer buffer(4, 4);
    buffer.m_BackgroundColor = RGB(1, 1, 1);
    EXPECT_FALSE(buffer.LoadRgbBuffer(folder.File("broken.gif").c_str()));
    EXPECT_FALSE(buffer.IsImage());
    EXPECT_EQ(buffer.m_BackgroundColor, 0u);
}
