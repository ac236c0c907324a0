// Editing the EXIF block of a photo for a saved copy (see ExifRewrite.h):
// the few values that describe the pixels are changed where they are, and
// the thumbnail directory is rebuilt at the end of the block.
#include "ExifRewrite.h"

#include <algorithm>
#include <vector>

namespace
{
enum
{
    TypeShort = 3,
    TypeLong = 4,
    TypeRational = 5,
    TypeIfd = 13,
    EntrySize = 12
};

// Bytes of one value of each TIFF type; 0 for types unknown here.
unsigned TypeSize(unsigned type)
{
    static const unsigned sizes[14] = { 0, 1, 1, 2, 4, 8, 1, 1, 2, 4, 8, 4, 8, 4 };
    return type < 14 ? sizes[type] : 0;
}

// The block as directories and entries, every access checked against its
// length. Records what the directories it checked cover, so a cut at the
// end of the block can be seen to lose nothing they refer to.
class TiffBlock
{
public:
    explicit TiffBlock(std::string& bytes) : m_Bytes(bytes), m_Motorola(false), m_CoveredEnd(8) {}

    bool ReadHeader(size_t& ifd0)
    {
        if (m_Bytes.size() < 8)
            return false;
        if (m_Bytes[0] == 'M' && m_Bytes[1] == 'M')
            m_Motorola = true;
        else if (m_Bytes[0] == 'I' && m_Bytes[1] == 'I')
            m_Motorola = false;
        else
            return false;
        if (Get16(2) != 42)
            return false;
        ifd0 = Get32(4);
        return true;
    }

    // The directory at `at` lies inside the block with all its values, and
    // was not seen before. `covered`: count it among what must be kept.
    bool CheckDirectory(size_t at, bool covered)
    {
        if (at < 8 || !Inside(at, 2))
            return false;
        if (std::find(m_Seen.begin(), m_Seen.end(), at) != m_Seen.end())
            return false; // a loop, or two directories sharing their bytes
        m_Seen.push_back(at);
        unsigned count = Get16(at);
        unsigned long long end = at + 2 + (unsigned long long)count * EntrySize;
        if (!Inside(at, end - at))
            return false;
        // The next-directory word is kept when it is there.
        unsigned long long coveredEnd = Inside(at, end - at + 4) ? end + 4 : end;
        for (unsigned i = 0; i < count; ++i)
        {
            size_t entry = at + 2 + (size_t)i * EntrySize;
            unsigned long long bytes = (unsigned long long)TypeSize(Get16(entry + 2)) * Get32(entry + 4);
            if (bytes <= 4)
                continue;
            unsigned long long value = Get32(entry + 8);
            if (!Inside(value, bytes))
                return false;
            if (covered)
                m_CoveredEnd = std::max(m_CoveredEnd, value + bytes);
        }
        if (covered)
            m_CoveredEnd = std::max(m_CoveredEnd, coveredEnd);
        return true;
    }

    // Offset of the entry with `tag` in the (checked) directory, or 0.
    size_t FindEntry(size_t directory, unsigned tag) const
    {
        unsigned count = Get16(directory);
        for (unsigned i = 0; i < count; ++i)
        {
            size_t entry = directory + 2 + (size_t)i * EntrySize;
            if (Get16(entry) == tag)
                return entry;
        }
        return 0;
    }

    // The sub-directory an entry points to (0 when none); false when damaged.
    bool CheckSubDirectory(size_t directory, unsigned tag, size_t& sub)
    {
        sub = 0;
        size_t entry = directory ? FindEntry(directory, tag) : 0;
        if (!entry)
            return true;
        unsigned type = Get16(entry + 2);
        if ((type != TypeLong && type != TypeIfd) || Get32(entry + 4) != 1)
            return false;
        sub = Get32(entry + 8);
        return sub == 0 || CheckDirectory(sub, true);
    }

    // Offset of the word after the entries of a checked directory.
    size_t NextWord(size_t directory) const { return directory + 2 + (size_t)Get16(directory) * EntrySize; }

    // A value of one SHORT, or of one LONG when it does not fit or the
    // entry held a LONG.
    void SetNumber(size_t entry, unsigned value)
    {
        bool asShort = value <= 0xFFFF && Get16(entry + 2) == TypeShort;
        Put16(entry + 2, asShort ? TypeShort : TypeLong);
        Put32(entry + 4, 1);
        if (asShort)
        {
            Put16(entry + 8, value);
            Put16(entry + 10, 0);
        }
        else
            Put32(entry + 8, value);
    }

    unsigned Get16(size_t at) const
    {
        const unsigned char* p = (const unsigned char*)m_Bytes.data() + at;
        return m_Motorola ? (p[0] << 8) | p[1] : (p[1] << 8) | p[0];
    }
    unsigned Get32(size_t at) const
    {
        const unsigned char* p = (const unsigned char*)m_Bytes.data() + at;
        return m_Motorola ? ((unsigned)p[0] << 24) | (p[1] << 16) | (p[2] << 8) | p[3]
                          : ((unsigned)p[3] << 24) | (p[2] << 16) | (p[1] << 8) | p[0];
    }
    void Put16(size_t at, unsigned v)
    {
        m_Bytes[at + (m_Motorola ? 0 : 1)] = (char)(v >> 8);
        m_Bytes[at + (m_Motorola ? 1 : 0)] = (char)v;
    }
    void Put32(size_t at, unsigned v)
    {
        for (int i = 0; i < 4; ++i)
            m_Bytes[at + (m_Motorola ? 3 - i : i)] = (char)(v >> (8 * i));
    }

    bool Inside(unsigned long long at, unsigned long long count) const
    {
        return at <= m_Bytes.size() && count <= m_Bytes.size() - at;
    }
    unsigned long long CoveredEnd() const { return m_CoveredEnd; }

private:
    std::string& m_Bytes;
    bool m_Motorola;
    std::vector<size_t> m_Seen;
    unsigned long long m_CoveredEnd;
};

// Appends a thumbnail directory (IFD1) with a JPEG thumbnail at the end of
// the block, at an even offset as TIFF wants; returns its offset.
size_t AppendThumbnailDirectory(std::string& bytes, TiffBlock& tiff, const std::string& thumbnail)
{
    if (bytes.size() % 2)
        bytes += '\0';
    const unsigned entries = 6;
    size_t at = bytes.size();
    size_t rationals = at + 2 + entries * EntrySize + 4;
    size_t data = rationals + 16;
    bytes.resize(data, '\0');
    tiff.Put16(at, entries);
    struct { unsigned tag, type, value; } fields[entries] = {
        { 0x0103, TypeShort, 6 },                 // Compression: JPEG
        { 0x011A, TypeRational, (unsigned)rationals },     // XResolution
        { 0x011B, TypeRational, (unsigned)rationals + 8 }, // YResolution
        { 0x0128, TypeShort, 2 },                 // ResolutionUnit: inches
        { CExifRewrite::TagThumbnailOffset, TypeLong, (unsigned)data },
        { CExifRewrite::TagThumbnailLength, TypeLong, (unsigned)thumbnail.size() },
    };
    for (unsigned i = 0; i < entries; ++i)
    {
        size_t entry = at + 2 + i * EntrySize;
        tiff.Put16(entry, fields[i].tag);
        tiff.Put16(entry + 2, fields[i].type);
        tiff.Put32(entry + 4, 1);
        if (fields[i].type == TypeShort)
            tiff.Put16(entry + 8, fields[i].value);
        else
            tiff.Put32(entry + 8, fields[i].value);
    }
    tiff.Put32(at + 2 + entries * EntrySize, 0);
    for (int r = 0; r < 2; ++r)
    {
        tiff.Put32(rationals + 8 * r, 72);
        tiff.Put32(rationals + 8 * r + 4, 1);
    }
    bytes += thumbnail;
    return at;
}
} // namespace

bool CExifRewrite::HasThumbnailDirectory(const std::string& block)
{
    std::string bytes = block;
    TiffBlock tiff(bytes);
    size_t ifd0;
    if (!tiff.ReadHeader(ifd0) || !tiff.CheckDirectory(ifd0, true))
        return false;
    size_t next = tiff.NextWord(ifd0);
    return tiff.Inside(next, 4) && tiff.Get32(next) != 0;
}

bool CExifRewrite::Rewrite(const std::string& block, int width, int height,
                           const std::string& thumbnail, std::string& out)
{
    std::string bytes = block;
    TiffBlock tiff(bytes);
    size_t ifd0, exifIfd, gpsIfd, interopIfd;
    if (!tiff.ReadHeader(ifd0) || !tiff.CheckDirectory(ifd0, true))
        return false;
    if (!tiff.CheckSubDirectory(ifd0, TagExifIfd, exifIfd) ||
        !tiff.CheckSubDirectory(ifd0, TagGpsIfd, gpsIfd) ||
        !tiff.CheckSubDirectory(exifIfd, TagInteropIfd, interopIfd))
        return false;

    // The thumbnail directory and the bytes of the old thumbnail.
    size_t nextWord = tiff.NextWord(ifd0);
    size_t ifd1 = tiff.Inside(nextWord, 4) ? tiff.Get32(nextWord) : 0;
    size_t oldThumbnail = 0, oldLength = 0;
    if (ifd1)
    {
        if (!tiff.CheckDirectory(ifd1, false))
            return false;
        size_t offsetEntry = tiff.FindEntry(ifd1, TagThumbnailOffset);
        size_t lengthEntry = tiff.FindEntry(ifd1, TagThumbnailLength);
        if (offsetEntry && lengthEntry)
        {
            oldThumbnail = tiff.Get32(offsetEntry + 8);
            oldLength = tiff.Get32(lengthEntry + 8);
            if (!tiff.Inside(oldThumbnail, oldLength))
                return false;
        }
    }

    if (size_t entry = tiff.FindEntry(ifd0, TagOrientation))
    {
        tiff.Put16(entry + 2, TypeShort);
        tiff.SetNumber(entry, 1);
    }
    if (exifIfd)
    {
        if (size_t entry = tiff.FindEntry(exifIfd, TagPixelXDimension))
            tiff.SetNumber(entry, (unsigned)width);
        if (size_t entry = tiff.FindEntry(exifIfd, TagPixelYDimension))
            tiff.SetNumber(entry, (unsigned)height);
    }

    if (ifd1)
    {
        tiff.Put32(nextWord, 0);
        // What lies past everything the other directories refer to (the
        // thumbnail directory and picture, as cameras write them) is cut
        // off; an old picture elsewhere is blanked.
        size_t cut = ifd1;
        if (oldLength && oldThumbnail < cut)
            cut = oldThumbnail;
        if (cut >= tiff.CoveredEnd())
            bytes.resize(cut);
        else if (oldLength)
            bytes.replace(oldThumbnail, oldLength, oldLength, '\0');
        if (!thumbnail.empty())
            tiff.Put32(nextWord, (unsigned)AppendThumbnailDirectory(bytes, tiff, thumbnail));
    }
    out.swap(bytes);
    return true;
}
