// CJpgFile's EXIF reader: finds the EXIF block of a JPEG file, walks its
// directories and decodes the embedded JPEG thumbnail. It reads nothing else.
// The block comes from the file and may be hostile: every read is checked
// against the block's length in 64-bit arithmetic, and the walk is bounded.
#include "JpgFile.h"
#include "RgbBuffer.h"

#include <stdlib.h>
#include <string.h>

namespace
{
const unsigned TagThumbnailOffset = 0x0201; // JPEGInterchangeFormat
const unsigned TagThumbnailLength = 0x0202; // JPEGInterchangeFormatLength
const unsigned TagExifIfd = 0x8769;
const unsigned TagInteropIfd = 0xA005;
const unsigned TypeShort = 3;

// Directories of the main chain visited at most; cameras write two. A chain
// that loops back is stopped at the first directory seen twice.
const int MaxChainDirectories = 16;

const int MarkerSOI = 0xD8;
const int MarkerAPP1 = 0xE1;
const int MarkerSOS = 0xDA;
const int MarkerEOI = 0xD9;

// The next marker code, skipping any fill bytes; -1 at the end of the file.
int ReadMarker(FILE* file)
{
    int c = fgetc(file);
    while (c != EOF && c != 0xFF)
        c = fgetc(file);
    while (c == 0xFF)
        c = fgetc(file);
    return c == EOF ? -1 : c;
}

bool IsStandaloneMarker(int marker)
{
    return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7);
}

// A thumbnail is a small picture; one that declares more than this is not
// decoded (the block is at most 40000 bytes, so the header is all it has).
const long long MaxThumbnailPixels = 4LL * 1024 * 1024;

// The size in the frame header of an embedded JPEG stream; false when no
// frame header lies inside the data.
bool DeclaredSize(const BYTE* data, size_t length, long long& width, long long& height)
{
    size_t pos = 2;
    while (pos + 9 <= length && data[pos] == 0xFF)
    {
        int marker = data[pos + 1];
        if (marker == 0xFF)
        {
            ++pos;
            continue;
        }
        size_t segment = ((size_t)data[pos + 2] << 8) | data[pos + 3];
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC)
        {
            height = (data[pos + 5] << 8) | data[pos + 6];
            width = (data[pos + 7] << 8) | data[pos + 8];
            return true;
        }
        if (marker == MarkerSOS || segment < 2)
            return false;
        pos += 2 + segment;
    }
    return false;
}
} // namespace

int CJpgFile::read_exif_data(FILE* file)
{
    // Start of image: the pair 0xFF 0xD8, wherever it is.
    int previous = fgetc(file);
    int c = previous == EOF ? EOF : fgetc(file);
    while (c != EOF && !(previous == 0xFF && c == MarkerSOI))
    {
        previous = c;
        c = fgetc(file);
    }
    if (c == EOF)
        return 0;

    // The header segments, up to the first APP1. The entropy-coded data after
    // the start of scan is never searched.
    for (;;)
    {
        int marker = ReadMarker(file);
        if (marker < 0 || marker == MarkerSOS || marker == MarkerEOI || marker == MarkerSOI)
            return 0;
        if (IsStandaloneMarker(marker))
            continue;
        if (marker == MarkerAPP1)
            break;
        int high = fgetc(file);
        int low = fgetc(file);
        if (low == EOF)
            return 0;
        int segmentLength = (high << 8) | low;
        if (segmentLength < 2 || fseek(file, segmentLength - 2, SEEK_CUR) != 0)
            return 0;
    }

    BYTE header[8];
    if (fread(header, 1, 8, file) != 8)
        return 0;
    if (memcmp(header + 2, "Exif\0\0", 6) != 0)
        return 0;
    int length = ((header[0] << 8) | header[1]) - 8;
    if (length < 0 || length > MaxExifLength)
        return 0;

    free(m_ExifData);
    m_ExifData = (BYTE*)malloc(length > 0 ? (size_t)length : 1);
    m_ExifLength = 0;
    if (!m_ExifData)
        return 0;
    if (fread(m_ExifData, 1, (size_t)length, file) != (size_t)length)
    {
        free(m_ExifData);
        m_ExifData = NULL;
        return 0;
    }
    m_ExifLength = length;
    return 1;
}

bool CJpgFile::ReadExif16(long long offset, unsigned& value) const
{
    if (!m_ExifData || offset < 0 || offset + 2 > m_ExifLength)
        return false;
    const BYTE* p = m_ExifData + offset;
    value = m_MotorolaOrder ? (p[0] << 8) | p[1] : (p[1] << 8) | p[0];
    return true;
}

bool CJpgFile::ReadExif32(long long offset, unsigned& value) const
{
    if (!m_ExifData || offset < 0 || offset + 4 > m_ExifLength)
        return false;
    const BYTE* p = m_ExifData + offset;
    if (m_MotorolaOrder)
        value = ((unsigned)p[0] << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
    else
        value = ((unsigned)p[3] << 24) | (p[2] << 16) | (p[1] << 8) | p[0];
    return true;
}

int CJpgFile::calculate_number_of_tags()
{
    unsigned count = 0;
    if (m_Position < 0 || m_Position >= m_ExifLength - 13 || !ReadExif16(m_Position, count))
        return 0;
    return (int)count;
}

int CJpgFile::process_next_entry()
{
    long long q = m_Position;
    if (q < 0 || q >= m_ExifLength - 13)
        return 0;
    unsigned tag = 0, type = 0, value = 0;
    ReadExif16(q + 2, tag);
    ReadExif16(q + 4, type);
    // A SHORT value sits in the first two bytes of the value field; reading
    // it as a 32-bit number would shift it away in Motorola order.
    if (type == TypeShort)
        ReadExif16(q + 10, value);
    else
        ReadExif32(q + 10, value);

    // Offsets are kept only when they lie inside the block (which is far
    // smaller than an int); anything else is marked as outside.
    int offset = value < (unsigned)m_ExifLength ? (int)value : -1;
    switch (tag)
    {
    case TagThumbnailOffset:
        m_ThumbnailOffset = offset;
        break;
    case TagThumbnailLength:
        DecodeThumbnail(value);
        m_ExifIfdOffset = 0;
        m_Position += MaxExifLength; // ends the walk of the block
        m_ThumbnailDone = true;
        break;
    case TagExifIfd:
        m_ExifIfdOffset = offset > 0 ? offset : 0;
        break;
    case TagInteropIfd:
        m_InteropIfdOffset = offset > 0 ? offset : 0;
        break;
    }
    m_Position += 12;
    return 1;
}

void CJpgFile::DecodeThumbnail(unsigned length)
{
    if (!m_Target || m_ThumbnailOffset < 0 || length == 0)
        return;
    if ((long long)m_ThumbnailOffset + length > m_ExifLength)
        return;
    if (m_Target->m_Buffer)
        return; // one thumbnail per load
    long long width = 0, height = 0;
    if (!DeclaredSize(m_ExifData + m_ThumbnailOffset, length, width, height) ||
        width * height > MaxThumbnailPixels)
        return;
    try
    {
        read_JPG_file(NULL, &m_Target->m_Buffer, &m_Target->m_Width, &m_Target->m_Height,
                      m_ExifData + m_ThumbnailOffset, (int)length);
    }
    catch (...)
    {
    }
}

void CJpgFile::ProcessDirectory()
{
    int count = calculate_number_of_tags();
    for (int i = 0; i < count && !m_ThumbnailDone; ++i)
    {
        if (!process_next_entry())
            break; // the rest of the directory lies outside the block
    }
}

void CJpgFile::ParseExifData()
{
    if (!m_ExifData || m_ExifLength < 8)
        return;
    m_ThumbnailDone = false;
    m_MotorolaOrder = m_ExifData[0] == 'M' && m_ExifData[1] == 'M';

    unsigned first = 0;
    ReadExif32(4, first);
    if (first >= (unsigned)m_ExifLength)
        return;
    m_Position = (int)first;

    int visited[MaxChainDirectories];
    int visitedCount = 0;
    for (;;)
    {
        for (int i = 0; i < visitedCount; ++i)
            if (visited[i] == m_Position)
                return; // the chain loops
        if (visitedCount == MaxChainDirectories)
            return;
        visited[visitedCount++] = m_Position;

        ProcessDirectory();
        if (m_ThumbnailDone || m_Position >= m_ExifLength - 5)
            break;
        unsigned next = 0;
        if (!ReadExif32((long long)m_Position + 2, next) || next == 0 ||
            next >= (unsigned)m_ExifLength)
            break;
        m_Position = (int)next;
    }

    if (!m_ThumbnailDone && m_ExifIfdOffset != 0)
    {
        m_Position = m_ExifIfdOffset;
        ProcessDirectory();
    }
    if (!m_ThumbnailDone && m_InteropIfdOffset > 0)
    {
        m_Position = m_InteropIfdOffset;
        ProcessDirectory();
    }
}
