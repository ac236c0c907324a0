// Lossless turns of JPEG files: each operation gives exactly the pixels of
// the native jpegtran -perfect with the same turn, keeps the camera data
// (read by exiftool) and the progressive coding; the EXIF orientation is
// combined with the turn (checked against ImageMagick) and the thumbnail
// follows; a picture that cannot be turned perfectly leaves the target as
// it was. The quality estimate finds the encoder's setting back.
#include <gtest/gtest.h>
#include <memory>
#include "JpegTestKit.h"

namespace
{
using native_tool::ShellQuote;
using native_tool::UnixPath;

// jpegtran's arguments for each TransformLossless operation.
const char* const JpegtranTurns[] = { "-rotate 90", "-rotate 180", "-rotate 270", "-flip horizontal",
                                      "-flip vertical" };

class JpegLossless : public ::testing::Test
{
protected:
    JpegLossless() : m_Dir("pixmere_jpeg_lossless") {}

    std::string Exiftool(const std::string& arguments, const std::string& path)
    {
        std::string out = m_Dir / "exiftool.out";
        DeleteFileA(out.c_str());
        int status = native_tool::RunShell("exiftool " + arguments + " " + ShellQuote(UnixPath(path)) + " >" +
                                           ShellQuote(UnixPath(out)) + " 2>/dev/null");
        return status == 0 ? FileBytes(out) : std::string("(failed)");
    }

    // What a turned copy must keep, as exiftool reads it.
    std::string Kept(const std::string& path)
    {
        return Exiftool("-T -n -DateTimeOriginal -Make -Model -GPSLatitude -GPSLongitude -XMP-dc:Title "
                        "-Comment",
                        path);
    }

    // A w x h photo made by the native cjpeg with the given sampling
    // ("2x2" for 4:2:0, "1x1" for 4:4:4), with camera data and more.
    std::string MakePhoto(const std::string& name, int w, int h, const char* sampling, bool progressive,
                          const std::string& extraTags = "")
    {
        std::unique_ptr<CRgbBuffer> picture(MakePicture(w, h, 1));
        std::string ppm = m_Dir / (name + ".ppm"), path = m_Dir / name;
        char header[64];
        snprintf(header, sizeof(header), "P6\n%d %d\n255\n", w, h);
        WriteFileBytes(ppm, header + Bytes((const char*)picture->GetBuffer(), (size_t)w * h * 3));
        std::string command = std::string("cjpeg -quality 85 -sample ") + sampling +
                              (progressive ? " -progressive" : "") + " -outfile " +
                              ShellQuote(UnixPath(path)) + " " + ShellQuote(UnixPath(ppm)) +
                              " && exiftool -overwrite_original -DateTimeOriginal='2022:07:01 08:09:10' "
                              "-Make=Pixmere -Model='Test Two' -GPSLatitude=45.5 -GPSLatitudeRef=N "
                              "-GPSLongitude=6.25 -GPSLongitudeRef=E -XMP-dc:Title=Alps -Comment=Summit " +
                              extraTags + " " + ShellQuote(UnixPath(path));
        EXPECT_EQ(0, RunNativeQuietly(command)) << "could not make " << name;
        return path;
    }

    // The native jpegtran's perfect turn of `source` into `target`.
    bool Jpegtran(const std::string& source, const std::string& target, int operation)
    {
        return RunNativeQuietly(std::string("jpegtran -perfect -copy none ") + JpegtranTurns[operation] +
                                " -outfile " + ShellQuote(UnixPath(target)) + " " +
                                ShellQuote(UnixPath(source))) == 0;
    }

    // A PPM file (P6) read into a picture.
    static bool ReadPpm(const std::string& path, CRgbBuffer& picture)
    {
        Bytes bytes = FileBytes(path);
        int width = 0, height = 0, maxValue = 0, consumed = 0;
        if (sscanf(bytes.c_str(), "P6 %d %d %d%n", &width, &height, &maxValue, &consumed) != 3)
            return false;
        size_t start = (size_t)consumed + 1, size = (size_t)width * height * 3;
        if (bytes.size() < start + size || !picture.AllocateImage(width, height))
            return false;
        memcpy(picture.GetBuffer(), bytes.data() + start, size);
        return true;
    }

    test_support::TempFolder m_Dir;
};

int Load(const std::string& path, CRgbBuffer& picture, bool thumbnailOnly = false)
{
    CJpgFile codec(path.c_str(), 100, thumbnailOnly);
    return codec.Load(&picture);
}

double MeanDifference(const CRgbBuffer& a, const CRgbBuffer& b)
{
    if (a.GetWidth() != b.GetWidth() || a.GetHeight() != b.GetHeight() || !a.IsImage())
        return 255;
    double sum = 0;
    int n = a.GetWidth() * a.GetHeight() * 3;
    for (int i = 0; i < n; ++i)
        sum += abs(a.GetBuffer()[i] - b.GetBuffer()[i]);
    return sum / n;
}

bool IsProgressive(const std::string& path)
{
    return FindMarker(FileBytes(path), 0xC2) != Bytes::npos;
}

// The names in a folder, sorted by the file system.
std::vector<std::string> FolderNames(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do
        if (found.cFileName[0] != '.')
            names.push_back(found.cFileName);
    while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}
} // namespace

TEST_F(JpegLossless, EveryTurnGivesThePixelsOfAPerfectJpegtranAndKeepsTheCameraData)
{
    struct Kind
    {
        const char* name;
        int w, h;
        const char* sampling;
        bool progressive;
    };
    // Whole MCUs: 16 x 16 for 4:2:0, 8 x 8 for 4:4:4 (72 x 40 is not a
    // multiple of 16, so 4:4:4 must be turned by its own block size).
    const Kind kinds[] = {
        { "420_baseline.jpg", 96, 64, "2x2", false },
        { "420_progressive.jpg", 96, 64, "2x2", true },
        { "444_baseline.jpg", 72, 40, "1x1", false },
        { "444_progressive.jpg", 72, 40, "1x1", true },
    };
    for (const Kind& kind : kinds)
    {
        std::string source = MakePhoto(kind.name, kind.w, kind.h, kind.sampling, kind.progressive,
                                       "-Orientation#=1 -ExifImageWidth=" + std::to_string(kind.w) +
                                           " -ExifImageHeight=" + std::to_string(kind.h));
        const std::string kept = Kept(source);
        ASSERT_EQ("2022:07:01 08:09:10\tPixmere\tTest Two\t45.5\t6.25\tAlps\tSummit\n", kept);
        ASSERT_EQ(kind.progressive, IsProgressive(source));
        for (int operation = 0; operation < 5; ++operation)
        {
            SCOPED_TRACE(std::string(kind.name) + " " + JpegtranTurns[operation]);
            std::string ours = m_Dir / "ours.jpg", theirs = m_Dir / "theirs.jpg";
            EXPECT_NE(0, CJpgFile::CanTransformLossless(source.c_str(), operation));
            ASSERT_NE(0, CJpgFile::TransformLossless(source.c_str(), ours.c_str(), operation));
            ASSERT_TRUE(Jpegtran(source, theirs, operation));
            CRgbBuffer turned, expected;
            ASSERT_EQ(1, Load(ours, turned));
            ASSERT_EQ(1, Load(theirs, expected));
            EXPECT_EQ(expected.GetImageSize(), turned.GetImageSize());
            EXPECT_EQ(0, MaxDifference(expected, turned));
            EXPECT_EQ(kept, Kept(ours));
            EXPECT_EQ(kind.progressive, IsProgressive(ours));
            bool swaps = operation == 0 || operation == 2;
            char size[64];
            snprintf(size, sizeof(size), "1\t%d\t%d\n", swaps ? kind.h : kind.w, swaps ? kind.w : kind.h);
            EXPECT_EQ(size, Exiftool("-T -n -Orientation -ExifImageWidth -ExifImageHeight", ours));
        }
    }
}

TEST_F(JpegLossless, TurnsThePictureAsShownByItsOrientationAndTurnsTheThumbnailToo)
{
    // Stored 96 x 64 on its side (Orientation 6): shown 64 x 96. The
    // thumbnail is of the stored pixels, as cameras make it.
    std::string thumbnail = m_Dir / "thumbnail.jpg";
    std::unique_ptr<CRgbBuffer> stored(MakePicture(96, 64, 1));
    ASSERT_EQ(1, CJpgFile(thumbnail.c_str(), 90, false).Save(stored.get()));
    std::string source = MakePhoto("sideways.jpg", 96, 64, "2x2", false,
                                   "-Orientation#=6 -XMP-tiff:Orientation#=6 " +
                                       ShellQuote("-ThumbnailImage<=" + UnixPath(thumbnail)));
    const std::string kept = Kept(source);

    std::string output = m_Dir / "turned.jpg";
    ASSERT_NE(0, CJpgFile::TransformLossless(source.c_str(), output.c_str(), CJpgFile::TurnRotate90));
    EXPECT_EQ("1\t1\n", Exiftool("-T -n -EXIF:Orientation -XMP-tiff:Orientation", output));
    EXPECT_EQ(kept, Kept(output));

    std::string ppm = m_Dir / "expected.ppm";
    ASSERT_EQ(0, RunNativeQuietly("convert " + ShellQuote(UnixPath(source)) + " -auto-orient -rotate 90 -strip " +
                                  ShellQuote("ppm:" + UnixPath(ppm))));
    CRgbBuffer expected, turned;
    ASSERT_TRUE(ReadPpm(ppm, expected));
    ASSERT_EQ(1, Load(output, turned));
    ASSERT_EQ(CSize(96, 64), turned.GetImageSize());
    EXPECT_LT(MeanDifference(expected, turned), 1.5);
    EXPECT_LE(MaxDifference(expected, turned), 24);

    // The thumbnail shows the turned picture.
    CRgbBuffer shown;
    ASSERT_EQ(1, Load(output, shown, true));
    ASSERT_TRUE(shown.IsImage());
    std::unique_ptr<CRgbBuffer> small(
        turned.CreateBestFitRGB(CRect(0, 0, shown.GetWidth(), shown.GetHeight())));
    EXPECT_LT(MeanDifference(shown, *small), 12.0);
}

TEST_F(JpegLossless, APictureThatCannotBeTurnedPerfectlyLeavesTheTargetAsItWas)
{
    // 100 x 52 in 4:2:0: neither side is a whole number of 16-pixel MCUs,
    // so every operation would need the edge blocks.
    std::string source = MakePhoto("ragged.jpg", 100, 52, "2x2", false);
    const Bytes sourceBytes = FileBytes(source);
    std::string target = m_Dir / "target.jpg", absent = m_Dir / "absent.jpg";
    WriteFileBytes(target, "previous content");
    const std::vector<std::string> names = FolderNames(m_Dir.Path());
    for (int operation = 0; operation < 5; ++operation)
    {
        SCOPED_TRACE(JpegtranTurns[operation]);
        EXPECT_EQ(0, CJpgFile::CanTransformLossless(source.c_str(), operation));
        EXPECT_EQ(0, CJpgFile::TransformLossless(source.c_str(), target.c_str(), operation));
        EXPECT_EQ("previous content", FileBytes(target));
        EXPECT_EQ(0, CJpgFile::TransformLossless(source.c_str(), absent.c_str(), operation));
        EXPECT_FALSE(FileExists(absent));
        EXPECT_EQ(0, CJpgFile::TransformLossless(source.c_str(), source.c_str(), operation));
        EXPECT_EQ(sourceBytes, FileBytes(source));
        EXPECT_EQ(names, FolderNames(m_Dir.Path()));
        // jpegtran agrees that no perfect turn exists.
        EXPECT_FALSE(Jpegtran(source, m_Dir / "jpegtran.jpg", operation));
        DeleteFileA((m_Dir / "jpegtran.jpg").c_str());
    }
    // Not a JPEG at all, and an operation out of range.
    EXPECT_EQ(0, CJpgFile::TransformLossless(target.c_str(), absent.c_str(), 0));
    EXPECT_EQ(0, CJpgFile::TransformLossless(source.c_str(), absent.c_str(), 5));
    EXPECT_FALSE(FileExists(absent));
}

TEST_F(JpegLossless, TurningInPlaceTwiceByHalfATurnGivesBackTheSamePixels)
{
    std::string source = MakePhoto("inplace.jpg", 96, 64, "2x2", false);
    CRgbBuffer before, after, half;
    ASSERT_EQ(1, Load(source, before));
    ASSERT_NE(0, CJpgFile::TransformLossless(source.c_str(), source.c_str(), CJpgFile::TurnRotate180));
    ASSERT_EQ(1, Load(source, half));
    EXPECT_GT(MaxDifference(before, half), 100);
    ASSERT_NE(0, CJpgFile::TransformLossless(source.c_str(), source.c_str(), CJpgFile::TurnRotate180));
    ASSERT_EQ(1, Load(source, after));
    EXPECT_EQ(0, MaxDifference(before, after));
    EXPECT_EQ(std::vector<std::string>({ "inplace.jpg", "inplace.jpg.ppm" }), FolderNames(m_Dir.Path()));
}

TEST_F(JpegLossless, QualityEstimateFindsTheEncodersSetting)
{
    std::unique_ptr<CRgbBuffer> picture(MakePicture(64, 48, 2));
    for (int quality : { 20, 50, 75, 92, 100 })
    {
        std::string path = m_Dir / ("q" + std::to_string(quality) + ".jpg");
        WriteFileBytes(path, EncodeJpeg(*picture, quality));
        EXPECT_EQ(quality, CJpgFile::EstimateQuality(path.c_str()));
    }
    WriteFileBytes(m_Dir / "text.jpg", "no picture here");
    EXPECT_EQ(0, CJpgFile::EstimateQuality((m_Dir / "text.jpg").c_str()));
}
