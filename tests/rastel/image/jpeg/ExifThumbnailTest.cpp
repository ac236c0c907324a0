// Thumbnail mode: the EXIF block is found, walked in either byte order and
// its embedded JPEG decoded, and hostile blocks (offsets outside, sums that
// wrap, looping or huge directories) give an empty buffer, never a crash or a
// read outside the block.
#include <gtest/gtest.h>
#include <memory>
#include "JpegTestKit.h"

namespace
{
class ExifThumbnail : public ::testing::Test
{
protected:
    ExifThumbnail() : m_Dir("pixmere_exif")
    {
        std::unique_ptr<CRgbBuffer> main(MakePicture(320, 240, 0));
        std::unique_ptr<CRgbBuffer> thumb(MakePicture(160, 120, 1));
        m_Main = EncodeJpeg(*main, 90);
        m_Thumbnail = EncodeJpeg(*thumb, 90);
        BYTE* pixels = NULL;
        int width = 0, height = 0;
        CJpgFile::read_JPG_file(NULL, &pixels, &width, &height, (BYTE*)&m_Thumbnail[0],
                                (int)m_Thumbnail.size());
        m_Expected.AllocateImage(width, height);
        memcpy(m_Expected.GetBuffer(), pixels, (size_t)width * height * 3);
        CRgbBuffer::FreePixelArray(pixels);
    }

    // Loads the main picture with block as its EXIF data, in thumbnail mode.
    int LoadWith(const Bytes& block, CRgbBuffer& picture, long declared = -1)
    {
        return LoadFileBytes(WithExif(m_Main, block, declared), picture);
    }
    int LoadFileBytes(const Bytes& file, CRgbBuffer& picture)
    {
        std::string path = m_Dir / "photo.jpg";
        if (!WriteFileBytes(path, file))
            return -1;
        CJpgFile codec(path.c_str(), 100, true);
        return codec.Load(&picture);
    }
    bool IsTheThumbnail(const CRgbBuffer& picture) { return MaxDifference(picture, m_Expected) == 0; }

    test_support::TempFolder m_Dir;
    Bytes m_Main, m_Thumbnail;
    CRgbBuffer m_Expected;
};

// Runs the directory walk over a copy of block placed directly against an
// inaccessible page, after its end or before its start, so any read outside
// the block faults.
class GuardedBlock
{
public:
    GuardedBlock()
    {
        SYSTEM_INFO info;
        GetSystemInfo(&info);
        m_Page = info.dwPageSize;
        m_Size = 16 * m_Page; // inaccessible | 14 pages | inaccessible
        m_Base = (BYTE*)VirtualAlloc(NULL, m_Size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
        DWORD old;
        VirtualProtect(m_Base, m_Page, PAGE_NOACCESS, &old);
        VirtualProtect(m_Base + m_Size - m_Page, m_Page, PAGE_NOACCESS, &old);
    }
    ~GuardedBlock() { VirtualFree(m_Base, 0, MEM_RELEASE); }

    void Parse(const Bytes& block, bool againstEnd, CRgbBuffer& target)
    {
        BYTE* data = againstEnd ? m_Base + m_Size - m_Page - block.size() : m_Base + m_Page;
        memcpy(data, block.data(), block.size());
        CJpgFile codec("unused.jpg", 100, true);
        codec.m_Target = &target;
        codec.m_ExifData = data;
        codec.m_ExifLength = (int)block.size();
        codec.ParseExifData();
        codec.m_ExifData = NULL; // not the codec's to free
        codec.m_ExifLength = 0;
    }

private:
    size_t m_Page, m_Size;
    BYTE* m_Base;
};
} // namespace

TEST_F(ExifThumbnail, CameraLayoutLoadsOnlyTheThumbnail)
{
    CRgbBuffer picture;
    ASSERT_EQ(1, LoadWith(CameraExif(false, m_Thumbnail), picture));
    EXPECT_EQ(160, picture.GetWidth());
    EXPECT_EQ(120, picture.GetHeight());
    EXPECT_TRUE(IsTheThumbnail(picture));
}

TEST_F(ExifThumbnail, BothByteOrdersGiveTheSameThumbnail)
{
    CRgbBuffer intel, motorola;
    ASSERT_EQ(1, LoadWith(CameraExif(false, m_Thumbnail), intel));
    ASSERT_EQ(1, LoadWith(CameraExif(true, m_Thumbnail), motorola));
    EXPECT_EQ(0, MaxDifference(intel, motorola));
    EXPECT_TRUE(IsTheThumbnail(motorola));
}

TEST_F(ExifThumbnail, FullModeIgnoresTheThumbnail)
{
    std::string path = m_Dir / "full.jpg";
    ASSERT_TRUE(WriteFileBytes(path, WithExif(m_Main, CameraExif(true, m_Thumbnail))));
    CRgbBuffer picture;
    CJpgFile codec(path.c_str(), 100, false);
    ASSERT_EQ(1, codec.Load(&picture));
    EXPECT_EQ(320, picture.GetWidth());
}

TEST_F(ExifThumbnail, FileWithoutExifGivesNothing)
{
    CRgbBuffer picture;
    EXPECT_EQ(0, LoadFileBytes(m_Main, picture));
    EXPECT_FALSE(picture.IsImage());
}

TEST_F(ExifThumbnail, ThumbnailInTheExifSubDirectoryIsFound)
{
    // IFD0 has no successor; the thumbnail tags sit in the EXIF directory.
    ExifBlock block(false);
    block.Directory(8, 1, 0);
    block.Entry(8, 0, 0x8769, TypeLong, 1, 40);
    block.Directory(40, 2, 0);
    block.Entry(40, 0, 0x0201, TypeLong, 1, 100);
    block.Entry(40, 1, 0x0202, TypeLong, 1, (uint32_t)m_Thumbnail.size());
    block.PutBytes(100, m_Thumbnail);
    CRgbBuffer picture;
    ASSERT_EQ(1, LoadWith(block.Data(), picture));
    EXPECT_TRUE(IsTheThumbnail(picture));
}

TEST_F(ExifThumbnail, ShortTypedTagsWorkInMotorolaOrder)
{
    ExifBlock block(true);
    block.Directory(8, 2, 0);
    block.Entry(8, 0, 0x0201, TypeShort, 1, 64);
    block.Entry(8, 1, 0x0202, TypeShort, 1, (uint32_t)m_Thumbnail.size());
    block.PutBytes(64, m_Thumbnail);
    CRgbBuffer picture;
    ASSERT_EQ(1, LoadWith(block.Data(), picture));
    EXPECT_TRUE(IsTheThumbnail(picture));
}

TEST_F(ExifThumbnail, App1Of40008BytesIsReadAnd40009IsRefused)
{
    CRgbBuffer accepted, refused;
    Bytes largest = CameraExif(false, m_Thumbnail, NULL, 40000);
    ASSERT_EQ(40000u, largest.size());
    ASSERT_EQ(1, LoadWith(largest, accepted));
    EXPECT_TRUE(IsTheThumbnail(accepted));
    Bytes tooLarge = CameraExif(false, m_Thumbnail, NULL, 40001);
    EXPECT_EQ(0, LoadWith(tooLarge, refused));
    EXPECT_FALSE(refused.IsImage());
}

TEST_F(ExifThumbnail, ThumbnailRunningPastTheBlockIsRefused)
{
    CameraLayout layout;
    Bytes block = CameraExif(false, m_Thumbnail, &layout);
    // One byte more than the block holds.
    uint32_t length = (uint32_t)(block.size() - layout.thumbnail + 1);
    block[layout.thumbnailLengthEntry] = (char)(length & 0xFF);
    block[layout.thumbnailLengthEntry + 1] = (char)(length >> 8);
    CRgbBuffer picture;
    EXPECT_EQ(0, LoadWith(block, picture));
    EXPECT_FALSE(picture.IsImage());
}

TEST_F(ExifThumbnail, OffsetsThatWrapIn32BitsAreRefused)
{
    // 0xFFFFFFF8 + 0x10 is 8 in 32 bits: inside the block, if summed wrongly.
    for (uint32_t offset : { 0xFFFFFFF8u, 0x80000000u, 0x00010008u })
    {
        ExifBlock block(false);
        block.Directory(8, 2, 0);
        block.Entry(8, 0, 0x0201, TypeLong, 1, offset);
        block.Entry(8, 1, 0x0202, TypeLong, 1, 0x10);
        block.PutBytes(64, m_Thumbnail);
        CRgbBuffer picture;
        EXPECT_EQ(0, LoadWith(block.Data(), picture)) << std::hex << offset;
    }
}

TEST_F(ExifThumbnail, DirectoryOffsetsOutsideTheBlockAreRefused)
{
    for (uint32_t offset : { 0xFFFFFFF8u, 0xFFFFFFFFu, 40000u, 7u })
    {
        ExifBlock first(false, 64);
        first.Put32(4, offset);
        CRgbBuffer a;
        EXPECT_EQ(0, LoadWith(first.Data(), a)) << std::hex << offset;

        CameraLayout layout;
        Bytes chained = CameraExif(false, m_Thumbnail, &layout);
        // The word after IFD0's three entries points to the next directory.
        size_t next = layout.ifd0 + 2 + 36;
        for (int i = 0; i < 4; ++i)
            chained[next + i] = (char)(offset >> (8 * i));
        CRgbBuffer b;
        LoadWith(chained, b); // may find nothing; must not fault
        EXPECT_TRUE(!b.IsImage() || IsTheThumbnail(b));
    }
}

TEST_F(ExifThumbnail, LoopingDirectoryChainsEnd)
{
    // A directory pointing at itself, and A -> B -> A, none with a thumbnail.
    ExifBlock self(false);
    self.Directory(8, 1, 8);
    self.Entry(8, 0, 0x0112, TypeShort, 1, 1);
    ExifBlock pair(true);
    pair.Directory(8, 1, 40);
    pair.Entry(8, 0, 0x0112, TypeShort, 1, 1);
    pair.Directory(40, 1, 8);
    pair.Entry(40, 0, 0x0112, TypeShort, 1, 1);
    pair.Resize(100);
    CRgbBuffer a, b;
    EXPECT_EQ(0, LoadWith(self.Data(), a));
    EXPECT_EQ(0, LoadWith(pair.Data(), b));

    // A loop whose second member holds the thumbnail still finds it.
    ExifBlock found(false);
    found.Directory(8, 1, 40);
    found.Entry(8, 0, 0x0112, TypeShort, 1, 1);
    found.Directory(40, 2, 8);
    found.Entry(40, 0, 0x0201, TypeLong, 1, 100);
    found.Entry(40, 1, 0x0202, TypeLong, 1, (uint32_t)m_Thumbnail.size());
    found.PutBytes(100, m_Thumbnail);
    CRgbBuffer c;
    EXPECT_EQ(1, LoadWith(found.Data(), c));

    // Sub-directory pointers back to the first directory.
    ExifBlock sub(false);
    sub.Directory(8, 2, 0);
    sub.Entry(8, 0, 0x8769, TypeLong, 1, 8);
    sub.Entry(8, 1, 0xA005, TypeLong, 1, 8);
    CRgbBuffer d;
    EXPECT_EQ(0, LoadWith(sub.Data(), d));
}

TEST_F(ExifThumbnail, EmptyAndOverfullDirectoriesAreHarmless)
{
    ExifBlock none(false, 64);
    none.Directory(8, 0, 0);
    ExifBlock full(true, 2000);
    full.Put16(8, 65535);
    ExifBlock fullLarge(false, 40000);
    fullLarge.Put16(8, 65535);
    CRgbBuffer a, b, c;
    EXPECT_EQ(0, LoadWith(none.Data(), a));
    EXPECT_EQ(0, LoadWith(full.Data(), b));
    EXPECT_EQ(0, LoadWith(fullLarge.Data(), c));
}

TEST_F(ExifThumbnail, MalformedSegmentsAreRefused)
{
    CRgbBuffer a, b, c, d, e;
    Bytes block = CameraExif(false, m_Thumbnail);
    // Declared longer than the file holds.
    Bytes cut = WithExif(m_Main, block, 30000).substr(0, 2 + 4 + 6 + block.size());
    EXPECT_EQ(0, LoadFileBytes(cut, a));
    // Another identifier than "Exif\0\0".
    Bytes other = WithExif(m_Main, block);
    other[6] = 'X';
    EXPECT_EQ(0, LoadFileBytes(other, b));
    // A declared length below the identifier's own 8 bytes.
    EXPECT_EQ(0, LoadWith(block, c, 5));
    // A block too short for its own header.
    EXPECT_EQ(0, LoadWith(Bytes("II*", 3), d));
    // The thumbnail's bytes are not a JPEG.
    CameraLayout layout;
    Bytes garbage = CameraExif(true, Bytes(500, 'x'), &layout);
    EXPECT_EQ(0, LoadWith(garbage, e));
    for (CRgbBuffer* p : { &a, &b, &c, &d, &e })
        EXPECT_FALSE(p->IsImage());
}

TEST_F(ExifThumbnail, ThumbnailTruncatedInsideTheBlockStillEnds)
{
    // The length tag claims fewer bytes than the thumbnail has: the memory
    // source runs out and supplies an end-of-image marker.
    CameraLayout layout;
    Bytes block = CameraExif(false, m_Thumbnail, &layout);
    uint32_t length = (uint32_t)m_Thumbnail.size() / 2;
    for (int i = 0; i < 4; ++i)
        block[layout.thumbnailLengthEntry + i] = (char)(length >> (8 * i));
    CRgbBuffer picture;
    EXPECT_EQ(1, LoadWith(block, picture));
    EXPECT_EQ(160, picture.GetWidth());
    EXPECT_EQ(120, picture.GetHeight());
}

TEST(ExifWalk, MutatedBlocksNeverReadOutside)
{
    std::unique_ptr<CRgbBuffer> thumb(MakePicture(16, 16, 2));
    Bytes thumbnail = EncodeJpeg(*thumb, 70);
    GuardedBlock guard;
    unsigned state = 2024;
    int found = 0;
    for (int round = 0; round < 4000; ++round)
    {
        Bytes block = CameraExif(round % 2 == 1, thumbnail);
        int changes = 1 + round % 6;
        for (int k = 0; k < changes; ++k)
        {
            state = state * 1664525 + 1013904223;
            size_t at = (state >> 8) % 170; // the directories, not the thumbnail
            block[at] = (char)(state >> 24);
        }
        if (round % 5 == 0)
        {
            state = state * 1664525 + 1013904223;
            block.resize(8 + (state >> 8) % block.size());
        }
        CRgbBuffer target;
        guard.Parse(block, round % 4 < 2, target);
        found += target.IsImage();
    }
    EXPECT_GT(found, 0); // most mutations leave the thumbnail reachable
}

TEST_F(ExifThumbnail, LoadRgbBufferPassesTheThumbnailFlag)
{
    std::string path = m_Dir / "front.JPEG";
    ASSERT_TRUE(WriteFileBytes(path, WithExif(m_Main, CameraExif(false, m_Thumbnail))));
    CRgbBuffer picture;
    ASSERT_TRUE(picture.LoadRgbBuffer(path.c_str(), true));
    EXPECT_TRUE(IsTheThumbnail(picture));
    ASSERT_TRUE(picture.LoadRgbBuffer(path.c_str(), false));
    EXPECT_EQ(320, picture.GetWidth());
    EXPECT_EQ(240, picture.GetHeight());
}
