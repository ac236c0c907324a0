// A JPEG saved from a JPEG keeps its metadata: exiftool, run natively, reads
// the same date taken, camera, GPS position, XMP and colour profile in the
// copy, Orientation 1, the new size, and a thumbnail of the new picture. Only
// a sound EXIF block is copied.
#include <gtest/gtest.h>
#include <memory>
#include "JpegTestKit.h"

namespace
{
using native_tool::ShellQuote;
using native_tool::UnixPath;

class JpegMetadata : public ::testing::Test
{
protected:
    JpegMetadata() : m_Dir("pixmere_jpeg_metadata") {}

    // Runs exiftool on `path` with `arguments`; its standard output, or
    // "(failed)" when it could not run.
    std::string Exiftool(const std::string& arguments, const std::string& path)
    {
        std::string out = m_Dir / "exiftool.out";
        DeleteFileA(out.c_str());
        int status = native_tool::RunShell("exiftool " + arguments + " " + ShellQuote(UnixPath(path)) + " >" +
                                           ShellQuote(UnixPath(out)) + " 2>/dev/null");
        return status == 0 ? FileBytes(out) : std::string("(failed)");
    }

    // What the copy must keep unchanged, as exiftool reads it.
    std::string Kept(const std::string& path)
    {
        return Exiftool("-T -n -DateTimeOriginal -Make -Model -GPSLatitude -GPSLongitude -XMP-dc:Title", path);
    }

    // A 132-byte colour profile with an empty tag table: enough for
    // exiftool to carry it as the file's ICC_Profile.
    std::string WriteProfile()
    {
        Bytes profile(132, '\0');
        profile[3] = (char)132;
        profile.replace(12, 4, "mntr");
        profile.replace(16, 4, "RGB ");
        profile.replace(20, 4, "XYZ ");
        profile.replace(36, 4, "acsp");
        std::string path = m_Dir / "profile.icc";
        WriteFileBytes(path, profile);
        return path;
    }

    test_support::TempFolder m_Dir;
};

int Load(const std::string& path, CRgbBuffer& picture, bool thumbnailOnly = false)
{
    CJpgFile codec(path.c_str(), 100, thumbnailOnly);
    return codec.Load(&picture);
}

// The mean absolute difference of two same-sized pictures; 255 otherwise.
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

// The block of the first APP1 EXIF segment of a file's bytes, or "".
Bytes ExifBlockOf(const Bytes& jpeg)
{
    size_t at = 2;
    while (at + 4 <= jpeg.size() && (unsigned char)jpeg[at] == 0xFF && (unsigned char)jpeg[at + 1] != 0xDA)
    {
        size_t length = ((unsigned char)jpeg[at + 2] << 8) | (unsigned char)jpeg[at + 3];
        if ((unsigned char)jpeg[at + 1] == 0xE1 && jpeg.compare(at + 4, 6, Bytes("Exif\0\0", 6)) == 0)
            return jpeg.substr(at + 10, length - 8);
        at += 2 + length;
    }
    return Bytes();
}
} // namespace

TEST_F(JpegMetadata, ResizedCopyKeepsTheCameraDataWithTheNewSizeAndThumbnail)
{
    // A camera photo stored on its side (Orientation 6) with a green thumbnail.
    std::unique_ptr<CRgbBuffer> stored(MakePicture(320, 240, 3));
    std::unique_ptr<CRgbBuffer> green(new CRgbBuffer(160, 120));
    memset(green->GetBuffer(), 0, 160 * 120 * 3);
    for (int i = 0; i < 160 * 120; ++i)
        green->GetBuffer()[3 * i + 1] = 200;
    std::string source = m_Dir / "camera.jpg", oldThumbnail = m_Dir / "old_thumbnail.jpg";
    ASSERT_EQ(1, CJpgFile(source.c_str(), 90, false).Save(stored.get()));
    ASSERT_EQ(1, CJpgFile(oldThumbnail.c_str(), 90, false).Save(green.get()));
    std::string profile = WriteProfile();
    int made = RunNativeQuietly(
        "exiftool -overwrite_original -DateTimeOriginal='2021:06:15 10:20:30' -Make=Pixmere "
        "-Model='Test One' -GPSLatitude=48.8584 -GPSLatitudeRef=N -GPSLongitude=2.2945 "
        "-GPSLongitudeRef=E -Orientation#=6 -ExifImageWidth=320 -ExifImageHeight=240 "
        "-XMP-dc:Title=Holiday -XMP-tiff:Orientation#=6 " +
        ShellQuote("-ThumbnailImage<=" + UnixPath(oldThumbnail)) + " " +
        ShellQuote("-ICC_Profile<=" + UnixPath(profile)) + " " + ShellQuote(UnixPath(source)));
    ASSERT_EQ(0, made) << "exiftool could not make the source photo";
    const std::string kept = Kept(source);
    ASSERT_EQ("2021:06:15 10:20:30\tPixmere\tTest One\t48.8584\t2.2945\tHoliday\n", kept);
    const std::string sourceProfile = Exiftool("-b -ICC_Profile", source);
    ASSERT_EQ(132u, sourceProfile.size());

    // Loaded upright (240 x 320), resized as a batch job does, saved.
    CRgbBuffer upright;
    ASSERT_EQ(1, Load(source, upright));
    ASSERT_EQ(CSize(240, 320), upright.GetImageSize());
    std::unique_ptr<CRgbBuffer> resized(upright.CreateBestFitRGB(CRect(0, 0, 150, 200)));
    ASSERT_EQ(CSize(150, 200), resized->GetImageSize());
    std::string output = m_Dir / "resized.jpg";
    CJpgFile writer(output.c_str(), 90, false);
    writer.SetMetadataSource(source.c_str());
    ASSERT_EQ(1, writer.Save(resized.get()));

    EXPECT_EQ(kept, Kept(output));
    EXPECT_EQ("1\t1\t150\t200\n", Exiftool("-T -n -EXIF:Orientation -XMP-tiff:Orientation -ExifImageWidth "
                                           "-ExifImageHeight", output));
    EXPECT_EQ(sourceProfile, Exiftool("-b -ICC_Profile", output));
    // Upright already: loading it turns nothing.
    CRgbBuffer reloaded;
    ASSERT_EQ(1, Load(output, reloaded));
    EXPECT_EQ(CSize(150, 200), reloaded.GetImageSize());

    // The thumbnail shows the new picture: upright, and like its downscale.
    std::string thumbnail = m_Dir / "thumbnail.jpg";
    ASSERT_EQ(0, RunNativeQuietly("exiftool -b -ThumbnailImage " + ShellQuote(UnixPath(output)) + " >" +
                                  ShellQuote(UnixPath(thumbnail))));
    CRgbBuffer shown;
    ASSERT_EQ(1, Load(thumbnail, shown));
    std::unique_ptr<CRgbBuffer> expected(reloaded.CreateBestFitRGB(CRect(0, 0, 160, 120)));
    EXPECT_EQ(CSize(90, 120), shown.GetImageSize());
    EXPECT_LT(MeanDifference(shown, *expected), 12.0);

    // The grayscale tool's one-channel copy keeps the camera data, not the
    // RGB profile, which would misdescribe its samples.
    CRgbBuffer grey(*resized);
    grey.m_GrayScale = 1;
    std::string greyOutput = m_Dir / "grey.jpg";
    CJpgFile greyWriter(greyOutput.c_str(), 90, false);
    greyWriter.SetMetadataSource(source.c_str());
    ASSERT_EQ(1, greyWriter.Save(&grey));
    EXPECT_EQ(kept, Kept(greyOutput));
    EXPECT_EQ("", Exiftool("-b -ICC_Profile", greyOutput));

    // Saved again over itself (an editor saving over the original): the
    // metadata is read before the file is replaced.
    std::unique_ptr<CRgbBuffer> turned(reloaded.Rotate90RGB());
    CJpgFile again(output.c_str(), 90, false);
    again.SetMetadataSource(output.c_str());
    ASSERT_EQ(1, again.Save(turned.get()));
    EXPECT_EQ(kept, Kept(output));
    EXPECT_EQ("1\t200\t150\n", Exiftool("-T -n -Orientation -ExifImageWidth -ExifImageHeight", output));
}

TEST_F(JpegMetadata, OnlyASoundExifBlockIsCopied)
{
    std::unique_ptr<CRgbBuffer> stored(MakePicture(64, 48, 4)), saved(MakePicture(100, 50, 5));
    std::unique_ptr<CRgbBuffer> small(MakePicture(16, 16, 6));
    const Bytes plain = EncodeJpeg(*stored), oldThumbnail = EncodeJpeg(*small);
    ASSERT_FALSE(plain.empty());

    // Saves `saved` with a source of these bytes; the output's bytes.
    int serial = 0;
    auto saveFrom = [&](const Bytes& sourceBytes) {
        std::string source = m_Dir / ("source" + std::to_string(serial) + ".jpg");
        std::string output = m_Dir / ("output" + std::to_string(serial++) + ".jpg");
        WriteFileBytes(source, sourceBytes);
        CJpgFile writer(output.c_str(), 90, false);
        writer.SetMetadataSource(source.c_str());
        EXPECT_EQ(1, writer.Save(saved.get()));
        return FileBytes(output);
    };

    for (bool motorola : { false, true })
    {
        CameraLayout layout;
        const Bytes sound = CameraExif(motorola, oldThumbnail, &layout);
        // Copied, with the camera's make, and a thumbnail of the new picture.
        Bytes copy = saveFrom(WithExif(plain, sound));
        Bytes block = ExifBlockOf(copy);
        ASSERT_FALSE(block.empty()) << "motorola " << motorola;
        EXPECT_EQ(sound.substr(50, 20), block.substr(50, 20));
        std::string output = m_Dir / "sound.jpg";
        WriteFileBytes(output, copy);
        CRgbBuffer thumbnail;
        ASSERT_EQ(1, Load(output, thumbnail, true));
        EXPECT_EQ(CSize(100, 50), thumbnail.GetImageSize());

        // Damaged in each way a reader can be led astray: none is copied.
        struct Damage
        {
            const char* what;
            size_t at;
            uint32_t value;
        } damages[] = {
            { "first directory outside", 4, 60000 },
            { "entry count past the end", layout.ifd0, 4000 },
            { "make's text outside", layout.ifd0 + 2 + 8, 0xFFFFFFF0u },
            { "EXIF directory is the first one", layout.ifd0 + 2 + 24 + 8, (uint32_t)layout.ifd0 },
            { "thumbnail directory is the first one", layout.ifd0 + 2 + 36, (uint32_t)layout.ifd0 },
            { "thumbnail runs past the block", layout.thumbnailLengthEntry, 50000 },
        };
        for (const Damage& damage : damages)
        {
            ExifBlock broken(motorola);
            broken.PutBytes(0, sound);
            if (damage.at == layout.ifd0)
                broken.Put16(damage.at, damage.value);
            else
                broken.Put32(damage.at, damage.value);
            Bytes out = saveFrom(WithExif(plain, broken.Data()));
            EXPECT_TRUE(ExifBlockOf(out).empty()) << damage.what << ", motorola " << motorola;
            EXPECT_EQ(0xFF, (unsigned char)out[0]);
        }
    }

    // No EXIF in the source, none in the copy.
    EXPECT_TRUE(ExifBlockOf(saveFrom(plain)).empty());
}
