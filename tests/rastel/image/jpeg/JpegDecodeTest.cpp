// Full JPEG decoding: agreement with the native djpeg decoder, grayscale and
// CMYK files, the in-memory source, and refusal of damaged or hostile files.
#include <gtest/gtest.h>
#include <memory>
#include "JpegTestKit.h"
#include "JpegDcScans.h"

namespace
{
std::string TestImage(const char* name)
{
    return std::string(PIXMERE_JPEG_SOURCE_DIR) + "\\testimages\\" + name;
}

int LoadFile(const std::string& path, CRgbBuffer& picture, bool thumbnailOnly = false)
{
    CJpgFile codec(path.c_str(), 100, thumbnailOnly);
    return codec.Load(&picture);
}

// Offsets of every SOS marker of a JPEG stream (scans start there).
std::vector<size_t> ScanStarts(const Bytes& jpeg)
{
    std::vector<size_t> starts;
    for (size_t i = 0; i + 1 < jpeg.size(); ++i)
        if ((unsigned char)jpeg[i] == 0xFF && (unsigned char)jpeg[i + 1] == 0xDA)
            starts.push_back(i);
    return starts;
}

// A copy of `jpeg` with 1 + round % maxChanges bytes changed and, every
// third round, cut short; `state` carries the generator between rounds.
Bytes Damaged(const Bytes& jpeg, int round, int maxChanges, unsigned& state)
{
    Bytes damaged = jpeg;
    for (int k = 0; k < 1 + round % maxChanges; ++k)
    {
        state = state * 1103515245 + 12345;
        damaged[(state >> 8) % damaged.size()] = (char)(state >> 20);
    }
    if (round % 3 == 0)
        damaged.resize((state >> 4) % damaged.size());
    return damaged;
}

class JpegDecode : public ::testing::Test
{
protected:
    JpegDecode() : m_Dir("pixmere_jpeg_decode") {}

    // A progressive copy of jpegPath made by the native jpegtran.
    Bytes Progressive(const std::string& jpegPath)
    {
        std::string out = m_Dir / "progressive.jpg";
        std::string command = "jpegtran -progressive -outfile " +
                              native_tool::ShellQuote(native_tool::UnixPath(out)) + " " +
                              native_tool::ShellQuote(native_tool::UnixPath(jpegPath));
        if (RunNativeQuietly(command) != 0)
            return Bytes();
        return FileBytes(out);
    }

    test_support::TempFolder m_Dir;
};
} // namespace

TEST_F(JpegDecode, LibraryTestImageMatchesNativeDjpegExactly)
{
    CRgbBuffer ours, native;
    ASSERT_TRUE(LoadFile(TestImage("testorig.jpg"), ours));
    ASSERT_TRUE(DecodeWithDjpeg(m_Dir.Path(), TestImage("testorig.jpg"), native));
    ASSERT_EQ(227, ours.GetWidth());
    ASSERT_EQ(149, ours.GetHeight());
    EXPECT_EQ(0, MaxDifference(ours, native));
    EXPECT_EQ(0, ours.m_GrayScale);
}

TEST_F(JpegDecode, ProgressiveAndOddSizedFilesMatchNativeDjpeg)
{
    std::unique_ptr<CRgbBuffer> picture(MakePicture(333, 211, 3));
    std::string baseline = m_Dir / "odd.jpg";
    ASSERT_TRUE(WriteFileBytes(baseline, EncodeJpeg(*picture, 85)));
    Bytes progressive = Progressive(baseline);
    ASSERT_FALSE(progressive.empty());
    ASSERT_GT(ScanStarts(progressive).size(), 5u);
    std::string progressivePath = m_Dir / "progressive_copy.jpg";
    ASSERT_TRUE(WriteFileBytes(progressivePath, progressive));

    for (const std::string& path : { baseline, progressivePath })
    {
        CRgbBuffer ours, native;
        ASSERT_TRUE(LoadFile(path, ours)) << path;
        ASSERT_TRUE(DecodeWithDjpeg(m_Dir.Path(), path, native)) << path;
        EXPECT_EQ(0, MaxDifference(ours, native)) << path;
    }
}

TEST_F(JpegDecode, GrayscaleFileLoadsAsGreyRgb)
{
    std::unique_ptr<CRgbBuffer> picture(MakePicture(64, 48, 0));
    std::string path = m_Dir / "grey.jpg";
    ASSERT_TRUE(WriteFileBytes(path, EncodeJpeg(*picture, 90, 1)));
    CRgbBuffer loaded, native;
    ASSERT_TRUE(LoadFile(path, loaded));
    ASSERT_EQ(64, loaded.GetWidth());
    for (int i = 0; i < 64 * 48; ++i)
    {
        const BYTE* p = loaded.GetBuffer() + 3 * i;
        ASSERT_EQ(p[0], p[1]);
        ASSERT_EQ(p[0], p[2]);
    }
    ASSERT_TRUE(DecodeWithDjpeg(m_Dir.Path(), path, native));
    EXPECT_EQ(0, MaxDifference(loaded, native));
}

TEST_F(JpegDecode, CmykFileIsConvertedToRgb)
{
    // ImageMagick writes CMYK JPEGs the way Adobe's encoders do (inverted).
    std::unique_ptr<CRgbBuffer> picture(MakePicture(96, 64, 1));
    Bytes ppm = "P6\n96 64\n255\n";
    ppm.append((const char*)picture->GetBuffer(), 96 * 64 * 3);
    std::string ppmPath = m_Dir / "source.ppm";
    std::string cmykPath = m_Dir / "cmyk.jpg";
    ASSERT_TRUE(WriteFileBytes(ppmPath, ppm));
    ASSERT_EQ(0, RunNativeQuietly("/usr/bin/convert " + native_tool::ShellQuote(native_tool::UnixPath(ppmPath)) +
                                  " -colorspace CMYK -quality 95 " +
                                  native_tool::ShellQuote(native_tool::UnixPath(cmykPath))));
    Bytes cmyk = FileBytes(cmykPath);
    size_t sof = FindMarker(cmyk, 0xC0);
    ASSERT_NE(Bytes::npos, sof);
    ASSERT_EQ(4, cmyk[sof + 9]); // four components

    CRgbBuffer loaded;
    ASSERT_TRUE(LoadFile(cmykPath, loaded));
    int worst = MaxDifference(loaded, *picture);
    EXPECT_GE(worst, 0);
    EXPECT_LE(worst, 24);
}

TEST_F(JpegDecode, MemorySourceDecodesLikeTheFile)
{
    std::unique_ptr<CRgbBuffer> picture(MakePicture(120, 90, 2));
    Bytes jpeg = EncodeJpeg(*picture, 80);
    std::string path = m_Dir / "memory.jpg";
    ASSERT_TRUE(WriteFileBytes(path, jpeg));
    CRgbBuffer fromFile;
    ASSERT_TRUE(LoadFile(path, fromFile));

    BYTE* pixels = NULL;
    int width = 0, height = 0;
    ASSERT_EQ(1, CJpgFile::read_JPG_file(NULL, &pixels, &width, &height, (BYTE*)&jpeg[0],
                                         (int)jpeg.size()));
    ASSERT_EQ(120, width);
    ASSERT_EQ(90, height);
    EXPECT_EQ(0, memcmp(pixels, fromFile.GetBuffer(), 120 * 90 * 3));
    CRgbBuffer::FreePixelArray(pixels);
}

TEST_F(JpegDecode, MissingAndForeignFilesGiveAnEmptyBuffer)
{
    CRgbBuffer picture;
    EXPECT_EQ(0, LoadFile(m_Dir / "missing.jpg", picture));
    EXPECT_FALSE(picture.IsImage());
    std::string text = m_Dir / "text.jpg";
    ASSERT_TRUE(WriteFileBytes(text, "this is not a picture"));
    EXPECT_EQ(0, LoadFile(text, picture));
    EXPECT_FALSE(picture.IsImage());
    std::string empty = m_Dir / "empty.jpg";
    ASSERT_TRUE(WriteFileBytes(empty, ""));
    EXPECT_EQ(0, LoadFile(empty, picture));
    EXPECT_FALSE(picture.IsImage());
}

TEST_F(JpegDecode, TwelveBitFileIsRefused)
{
    CRgbBuffer picture;
    EXPECT_EQ(0, LoadFile(TestImage("testorig12.jpg"), picture));
    EXPECT_FALSE(picture.IsImage());
}

TEST_F(JpegDecode, TruncatedDataKeepsTheSizeAndTheRowsBeforeTheCut)
{
    std::unique_ptr<CRgbBuffer> picture(MakePicture(256, 256, 0));
    Bytes jpeg = EncodeJpeg(*picture, 90);
    std::string whole = m_Dir / "whole.jpg";
    std::string cut = m_Dir / "cut.jpg";
    ASSERT_TRUE(WriteFileBytes(whole, jpeg));
    ASSERT_TRUE(WriteFileBytes(cut, jpeg.substr(0, jpeg.size() / 2)));
    CRgbBuffer full, partial;
    ASSERT_TRUE(LoadFile(whole, full));
    ASSERT_TRUE(LoadFile(cut, partial));
    ASSERT_EQ(256, partial.GetWidth());
    ASSERT_EQ(256, partial.GetHeight());
    // The top rows were fully present in the file.
    EXPECT_EQ(0, memcmp(full.GetBuffer(), partial.GetBuffer(), 256 * 3 * 32));
}

TEST_F(JpegDecode, FileCutInsideItsHeaderGivesNothing)
{
    std::unique_ptr<CRgbBuffer> picture(MakePicture(64, 64, 0));
    Bytes jpeg = EncodeJpeg(*picture, 90);
    size_t sos = ScanStarts(jpeg).at(0);
    for (size_t cut : { (size_t)1, (size_t)2, (size_t)20, sos - 3, sos + 4 })
    {
        std::string path = m_Dir / "header.jpg";
        ASSERT_TRUE(WriteFileBytes(path, jpeg.substr(0, cut)));
        CRgbBuffer loaded;
        EXPECT_EQ(0, LoadFile(path, loaded)) << "cut at " << cut;
        EXPECT_FALSE(loaded.IsImage());
    }
}

TEST_F(JpegDecode, HugeDeclaredSizeIsRefusedBeforeAllocating)
{
    std::unique_ptr<CRgbBuffer> picture(MakePicture(64, 64, 0));
    Bytes jpeg = EncodeJpeg(*picture, 90);
    size_t sof = FindMarker(jpeg, 0xC0);
    ASSERT_NE(Bytes::npos, sof);
    // Height and width are the 16-bit words at offsets 5 and 7 of SOF0.
    for (int i : { 5, 7 })
    {
        jpeg[sof + i] = (char)(65500 >> 8);
        jpeg[sof + i + 1] = (char)(65500 & 0xFF);
    }
    std::string path = m_Dir / "huge.jpg";
    ASSERT_TRUE(WriteFileBytes(path, jpeg));
    CRgbBuffer loaded;
    EXPECT_EQ(0, LoadFile(path, loaded));
    EXPECT_FALSE(loaded.IsImage());
    EXPECT_EQ(0, loaded.GetWidth());
}

TEST_F(JpegDecode, ProgressiveFileWithHundredsOfScansIsRefused)
{
    std::unique_ptr<CRgbBuffer> picture(MakePicture(200, 150, 4));
    std::string baseline = m_Dir / "scans.jpg";
    ASSERT_TRUE(WriteFileBytes(baseline, EncodeJpeg(*picture, 85)));
    Bytes progressive = Progressive(baseline);
    ASSERT_FALSE(progressive.empty());
    // Repeat the last scan (up to the end-of-image marker) over and over; the
    // library only warns about such a progression and would go on.
    size_t last = ScanStarts(progressive).back();
    size_t end = progressive.size() - 2;
    Bytes scan = progressive.substr(last, end - last);

    Bytes some = progressive.substr(0, end);
    for (int i = 0; i < 20; ++i)
        some += scan;
    some += "\xFF\xD9";
    std::string somePath = m_Dir / "some_scans.jpg";
    ASSERT_TRUE(WriteFileBytes(somePath, some));
    CRgbBuffer fine;
    EXPECT_EQ(1, LoadFile(somePath, fine));
    EXPECT_EQ(200, fine.GetWidth());

    Bytes endless = progressive.substr(0, end);
    for (int i = 0; i < 400; ++i)
        endless += scan;
    endless += "\xFF\xD9";
    std::string endlessPath = m_Dir / "endless_scans.jpg";
    ASSERT_TRUE(WriteFileBytes(endlessPath, endless));
    CRgbBuffer refused;
    EXPECT_EQ(0, LoadFile(endlessPath, refused));
    EXPECT_FALSE(refused.IsImage());
}

TEST_F(JpegDecode, RandomDamageNeverCrashes)
{
    std::unique_ptr<CRgbBuffer> picture(MakePicture(48, 40, 5));
    Bytes jpeg = EncodeJpeg(*picture, 75);
    unsigned state = 12345;
    for (int round = 0; round < 300; ++round)
    {
        Bytes damaged = Damaged(jpeg, round, 8, state);
        BYTE* pixels = NULL;
        int width = 0, height = 0;
        int result = CJpgFile::read_JPG_file(NULL, &pixels, &width, &height,
                                             damaged.empty() ? NULL : (BYTE*)&damaged[0],
                                             (int)damaged.size());
        if (pixels)
        {
            EXPECT_GT(width, 0);
            EXPECT_GT(height, 0);
        }
        else
        {
            EXPECT_EQ(0, result);
        }
        CRgbBuffer::FreePixelArray(pixels);
    }
}

// At 1/8 scale a progressive file is decoded from its DC scans alone; the
// baseline file with the same coefficients (jpegtran is lossless) decodes
// every scan, and the two must agree exactly. Damaged progressive copies go
// through the same path without harm.
TEST_F(JpegDecode, ReducedProgressiveDecodeEqualsTheBaselineOne)
{
    std::unique_ptr<CRgbBuffer> picture(MakePicture(1203, 905, 7));
    std::string baseline = m_Dir / "large.jpg";
    ASSERT_TRUE(WriteFileBytes(baseline, EncodeJpeg(*picture, 90)));
    Bytes progressive = Progressive(baseline);
    ASSERT_GT(ScanStarts(progressive).size(), 5u);
    std::string progressivePath = m_Dir / "large_progressive.jpg";
    ASSERT_TRUE(WriteFileBytes(progressivePath, progressive));

    CRgbBuffer fromBaseline, fromProgressive;
    CSize size;
    ASSERT_TRUE(CJpgFile(baseline.c_str(), 100, false).LoadReduced(&fromBaseline, 120, 120, &size));
    ASSERT_TRUE(CJpgFile(progressivePath.c_str(), 100, false).LoadReduced(&fromProgressive, 120, 120, &size));
    EXPECT_EQ(CSize(1203, 905), size);
    EXPECT_EQ(151, fromProgressive.GetWidth()) << "decoded at 1/8";
    ASSERT_EQ(fromBaseline.GetWidth(), fromProgressive.GetWidth());
    ASSERT_EQ(fromBaseline.GetHeight(), fromProgressive.GetHeight());
    EXPECT_EQ(0, MaxDifference(fromBaseline, fromProgressive));

    unsigned state = 777;
    std::string damagedPath = m_Dir / "damaged_progressive.jpg";
    for (int round = 0; round < 150; ++round)
    {
        ASSERT_TRUE(WriteFileBytes(damagedPath, Damaged(progressive, round, 6, state)));
        CRgbBuffer loaded;
        if (CJpgFile(damagedPath.c_str(), 100, false).LoadReduced(&loaded, 120, 120, &size))
        {
            EXPECT_TRUE(loaded.GetWidth() > 0 && loaded.GetHeight() > 0);
        }
    }
}

// The scan filter on its own: only the flagged component's AC scans go, and
// a stream whose markers are not where they belong is refused.
TEST(JpegDcScansFilter, DropsOnlyTheFlaggedAcScansAndRefusesBrokenStreams)
{
    const unsigned char stream[] = {
        0xFF, 0xD8,                                                        // SOI
        0xFF, 0xDA, 0, 8, 1, 1, 0, 0, 0, 0, 0x11, 0x22,                    // DC scan of 1
        0xFF, 0xDA, 0, 8, 1, 1, 0, 1, 63, 0, 0x33, 0xFF, 0x00, 0xFF, 0xD0, // AC scan of 1
        0xFF, 0xDA, 0, 8, 1, 2, 0, 1, 63, 0, 0x44,                         // AC scan of 2
        0xFF, 0xD9 };                                                      // EOI
    bool dcOnly[256] = {};
    dcOnly[1] = true;
    std::vector<unsigned char> out;
    ASSERT_TRUE(JpegDcScans::Keep(stream, sizeof(stream), dcOnly, out));
    std::vector<unsigned char> expected(stream, stream + 14);
    expected.insert(expected.end(), stream + 29, stream + sizeof(stream));
    EXPECT_EQ(expected, out);

    const unsigned char badLength[] = { 0xFF, 0xD8, 0xFF, 0xDB, 0x40, 0x00, 1, 2 };
    EXPECT_FALSE(JpegDcScans::Keep(badLength, sizeof(badLength), dcOnly, out));
    const unsigned char noSoi[] = { 0xFF, 0xD9, 0xFF, 0xD9 };
    EXPECT_FALSE(JpegDcScans::Keep(noSoi, sizeof(noSoi), dcOnly, out));
}
