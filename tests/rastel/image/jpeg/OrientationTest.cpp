// Photos stored turned: for each EXIF orientation 1 to 8 the codec's picture,
// in full and in thumbnail mode, equals what ImageMagick's -auto-orient makes
// of the same file; hostile orientation entries count as 1; TIFF pictures
// follow their own orientation tag the same way.
#include <gtest/gtest.h>
#include "ExifOrientation.h"
#include "JpegTestKit.h"

namespace
{
// ImageMagick's upright picture of a file, read back from its P6 output.
bool AutoOriented(const std::string& folder, const std::string& path, CRgbBuffer& picture)
{
    std::string ppm = folder + "\\auto_oriented.ppm";
    DeleteFileA(ppm.c_str());
    std::string command = "/usr/bin/convert " + native_tool::ShellQuote(native_tool::UnixPath(path)) +
                          " -auto-orient -depth 8 ppm:" + native_tool::ShellQuote(native_tool::UnixPath(ppm));
    if (RunNativeQuietly(command) != 0)
        return false;
    Bytes bytes = FileBytes(ppm);
    int width = 0, height = 0, maxValue = 0, consumed = 0;
    if (sscanf(bytes.c_str(), "P6 %d %d %d%n", &width, &height, &maxValue, &consumed) != 3 || maxValue != 255)
        return false;
    size_t start = (size_t)consumed + 1, size = (size_t)width * height * 3;
    if (bytes.size() < start + size || !picture.AllocateImage(width, height))
        return false;
    memcpy(picture.GetBuffer(), bytes.data() + start, size);
    return true;
}

// A block whose IFD0 holds the orientation entry alone.
Bytes OrientationBlock(bool motorola, unsigned type, uint32_t count, uint32_t value)
{
    ExifBlock block(motorola);
    block.Directory(8, 1, 0);
    block.Entry(8, 0, CExifOrientation::TagOrientation, type, count, value);
    return block.Data();
}

// The camera layout (IFD0 -> IFD1 with the thumbnail) with the orientation
// entry of IFD0 (its second entry) set.
Bytes CameraExifTurned(bool motorola, const Bytes& thumbnail, int orientation)
{
    Bytes block = CameraExif(motorola, thumbnail);
    const size_t value = 8 + 2 + 12 + 8;
    block[value + (motorola ? 1 : 0)] = (char)orientation;
    block[value + (motorola ? 0 : 1)] = 0;
    return block;
}

int Orient(const Bytes& block)
{
    return CExifOrientation::FromTiffBlock((const BYTE*)block.data(), (long long)block.size());
}

class Orientation : public ::testing::Test
{
protected:
    Orientation() : m_Folder("pixmere_orientation") {}
    std::string Put(const std::string& name, const Bytes& bytes)
    {
        std::string path = m_Folder.File(name);
        WriteFileBytes(path, bytes);
        return path;
    }
    test_support::TempFolder m_Folder;
};
} // namespace

TEST_F(Orientation, EveryValueLoadsAsImageMagickTurnsIt)
{
    for (int o = 1; o <= 8; ++o)
    {
        SCOPED_TRACE("orientation " + std::to_string(o));
        bool motorola = o % 2 == 0;
        CRgbBuffer* photo = MakePicture(64, 40, o);
        CRgbBuffer* thumb = MakePicture(32, 20, o + 1);
        Bytes thumbJpeg = EncodeJpeg(*thumb);
        std::string path = Put("photo" + std::to_string(o) + ".jpg",
                                          WithExif(EncodeJpeg(*photo), CameraExifTurned(motorola, thumbJpeg, o)));
        // The thumbnail on its own with the same tag: what the preview must show.
        std::string thumbPath = Put("thumb" + std::to_string(o) + ".jpg",
                                               WithExif(thumbJpeg, OrientationBlock(motorola, TypeShort, 1, o)));
        delete photo;
        delete thumb;

        CRgbBuffer ours, oracle;
        ASSERT_TRUE(ours.LoadRgbBuffer(path.c_str(), false));
        ASSERT_TRUE(AutoOriented(m_Folder.Path(), path, oracle));
        EXPECT_EQ(o >= 5 ? CSize(40, 64) : CSize(64, 40), ours.GetImageSize());
        int full = MaxDifference(ours, oracle);
        EXPECT_GE(full, 0) << "sizes differ";
        EXPECT_LE(full, 2);

        ASSERT_TRUE(ours.LoadRgbBuffer(path.c_str(), true));
        ASSERT_TRUE(AutoOriented(m_Folder.Path(), thumbPath, oracle));
        EXPECT_EQ(o >= 5 ? CSize(20, 32) : CSize(32, 20), ours.GetImageSize());
        int preview = MaxDifference(ours, oracle);
        EXPECT_GE(preview, 0) << "sizes differ";
        EXPECT_LE(preview, 2);

        // The thumbnail generator's reduced decode turns it too, and reports
        // the upright size.
        CSize fullSize;
        CJpgFile codec(path.c_str());
        ASSERT_TRUE(codec.LoadReduced(&ours, 360, 480, &fullSize));
        EXPECT_EQ(o >= 5 ? CSize(40, 64) : CSize(64, 40), fullSize);
        CRgbBuffer whole;
        ASSERT_TRUE(whole.LoadRgbBuffer(path.c_str(), false));
        EXPECT_EQ(0, MaxDifference(ours, whole));
    }
}

TEST_F(Orientation, HostileOrTrivialEntriesCountAsUpright)
{
    EXPECT_EQ(6, Orient(OrientationBlock(true, TypeShort, 1, 6)));
    EXPECT_EQ(8, Orient(OrientationBlock(false, TypeShort, 1, 8)));
    EXPECT_EQ(1, Orient(OrientationBlock(false, TypeLong, 1, 6))) << "wrong type";
    EXPECT_EQ(1, Orient(OrientationBlock(true, TypeShort, 2, 6))) << "wrong count";
    EXPECT_EQ(1, Orient(OrientationBlock(false, TypeShort, 1, 0)));
    EXPECT_EQ(1, Orient(OrientationBlock(false, TypeShort, 1, 9)));
    Bytes cut = OrientationBlock(false, TypeShort, 1, 6);
    EXPECT_EQ(1, Orient(cut.substr(0, 8 + 2 + 11))) << "entry runs past the block";
    ExifBlock outside(false);
    outside.Put32(4, 0x7FFFFFF0); // IFD0 outside the block
    EXPECT_EQ(1, Orient(outside.Data()));
    ExifBlock many(true);
    many.Directory(8, 60000, 0); // claims more entries than the block holds
    many.Resize(64);
    EXPECT_EQ(1, Orient(many.Data()));
    EXPECT_EQ(1, Orient(Bytes("XX*\0\x08\0\0\0", 8)));
    EXPECT_EQ(1, CExifOrientation::FromTiffBlock(NULL, 100));

    // A JPEG whose first APP1 is not EXIF still finds the EXIF block after it.
    CRgbBuffer* photo = MakePicture(16, 24, 3);
    Bytes jpeg = WithExif(EncodeJpeg(*photo), OrientationBlock(false, TypeShort, 1, 8));
    delete photo;
    Bytes xmp = Bytes("\xFF\xE1\x00\x08http:\0", 10);
    std::string path = Put("xmp_first.jpg", jpeg.substr(0, 2) + xmp + jpeg.substr(2));
    CRgbBuffer loaded;
    ASSERT_TRUE(loaded.LoadRgbBuffer(path.c_str(), false));
    EXPECT_EQ(CSize(24, 16), loaded.GetImageSize());
}

TEST_F(Orientation, TiffFollowsItsOwnTag)
{
    static const char* const kNames[] = {"TopLeft",  "TopRight", "BottomRight", "BottomLeft",
                                         "LeftTop",  "RightTop", "RightBottom", "LeftBottom"};
    CRgbBuffer* photo = MakePicture(48, 30, 5);
    std::string source = Put("source.jpg", EncodeJpeg(*photo, 95));
    delete photo;
    for (int o = 1; o <= 8; ++o)
    {
        SCOPED_TRACE(kNames[o - 1]);
        std::string tiff = m_Folder.File("turned" + std::to_string(o) + ".tif");
        ASSERT_EQ(0, RunNativeQuietly("/usr/bin/convert " + native_tool::ShellQuote(native_tool::UnixPath(source)) +
                                      " -orient " + kNames[o - 1] + " -compress none " +
                                      native_tool::ShellQuote(native_tool::UnixPath(tiff))));
        CRgbBuffer ours, oracle;
        ASSERT_TRUE(ours.LoadRgbBuffer(tiff.c_str(), false));
        ASSERT_TRUE(AutoOriented(m_Folder.Path(), tiff, oracle));
        EXPECT_EQ(o >= 5 ? CSize(30, 48) : CSize(48, 30), ours.GetImageSize());
        EXPECT_EQ(0, MaxDifference(ours, oracle));
    }
}
