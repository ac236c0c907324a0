// Reading the orientation tag of EXIF blocks and JPEG files, and turning a
// picture upright with the quarter turns and mirrors of CRgbBuffer.
#include "ExifOrientation.h"
#include "RgbBuffer.h"

#include <stdlib.h>
#include <string.h>

namespace
{
const unsigned TypeShort = 3;
// Marker segments looked at before giving up on finding the EXIF block.
const int MaxSegments = 64;

unsigned Read16(const BYTE* p, bool motorola)
{
    return motorola ? (p[0] << 8) | p[1] : (p[1] << 8) | p[0];
}

unsigned Read32(const BYTE* p, bool motorola)
{
    return motorola ? ((unsigned)p[0] << 24) | (p[1] << 16) | (p[2] << 8) | p[3]
                    : ((unsigned)p[3] << 24) | (p[2] << 16) | (p[1] << 8) | p[0];
}

// The next marker code, skipping stray and fill bytes; -1 at the end of
// the file.
int ReadMarker(FILE* file)
{
    int c = fgetc(file);
    while (c != EOF && c != 0xFF)
        c = fgetc(file);
    while (c == 0xFF)
        c = fgetc(file);
    return c == EOF ? -1 : c;
}

// Moves the pixels of the turned copy into buffer (a copy that could not be
// allocated leaves buffer as it was).
void Replace(CRgbBuffer* buffer, CRgbBuffer* turned)
{
    if (turned && turned->IsImage())
        buffer->TakePixels(*turned);
    delete turned;
}
} // namespace

int CExifOrientation::FromTiffBlock(const BYTE* block, long long length)
{
    if (!block || length < 8)
        return Upright;
    bool motorola;
    if (block[0] == 'M' && block[1] == 'M')
        motorola = true;
    else if (block[0] == 'I' && block[1] == 'I')
        motorola = false;
    else
        return Upright;
    long long directory = Read32(block + 4, motorola);
    if (directory + 2 > length)
        return Upright;
    unsigned count = Read16(block + directory, motorola);
    for (unsigned i = 0; i < count; ++i)
    {
        long long entry = directory + 2 + 12LL * i;
        if (entry + 12 > length)
            break;
        if (Read16(block + entry, motorola) != TagOrientation)
            continue;
        // A SHORT, one of them, whose value sits in the entry itself.
        if (Read16(block + entry + 2, motorola) != TypeShort || Read32(block + entry + 4, motorola) != 1)
            return Upright;
        unsigned value = Read16(block + entry + 8, motorola);
        return value >= Upright && value <= QuarterTurnCCW ? (int)value : Upright;
    }
    return Upright;
}

int CExifOrientation::FromJpegFile(FILE* file)
{
    if (!file || fseek(file, 0, SEEK_SET) != 0 || fgetc(file) != 0xFF || fgetc(file) != 0xD8)
        return Upright;
    for (int segment = 0; segment < MaxSegments; ++segment)
    {
        int marker = ReadMarker(file);
        // Start of scan, end of image or no marker: no EXIF block before the data.
        if (marker < 0 || marker == 0xDA || marker == 0xD9)
            return Upright;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8))
            continue;
        int high = fgetc(file), low = fgetc(file);
        if (low == EOF)
            return Upright;
        long length = ((long)high << 8 | low) - 2;
        if (length < 0)
            return Upright;
        if (marker == 0xE1 && length >= 6)
        {
            BYTE* data = (BYTE*)malloc((size_t)length);
            if (!data)
                return Upright;
            bool read = fread(data, 1, (size_t)length, file) == (size_t)length;
            bool exif = read && memcmp(data, "Exif\0\0", 6) == 0;
            int orientation = exif ? FromTiffBlock(data + 6, length - 6) : Upright;
            free(data);
            if (!read)
                return Upright;
            if (exif)
                return orientation;
            continue; // another APP1 (XMP): the EXIF block may follow
        }
        if (fseek(file, length, SEEK_CUR) != 0)
            return Upright;
    }
    return Upright;
}

void CExifOrientation::Apply(CRgbBuffer* buffer, int orientation)
{
    if (!buffer || !buffer->IsImage())
        return;
    switch (orientation)
    {
    case Mirrored:
        Replace(buffer, buffer->FlipHorzRGB());
        break;
    case HalfTurn:
        Replace(buffer, buffer->Rotate180RGB());
        break;
    case Flipped:
        Replace(buffer, buffer->FlipVertRGB());
        break;
    case Transposed: // a clockwise quarter turn, then mirrored left-right
        Replace(buffer, buffer->Rotate90RGB());
        Replace(buffer, buffer->FlipHorzRGB());
        break;
    case QuarterTurnCW:
        Replace(buffer, buffer->Rotate90RGB());
        break;
    case Transversed: // a clockwise quarter turn, then mirrored top-bottom
        Replace(buffer, buffer->Rotate90RGB());
        Replace(buffer, buffer->FlipVertRGB());
        break;
    case QuarterTurnCCW:
        Replace(buffer, buffer->Rotate270RGB());
        break;
    }
    buffer->DeleteInternalBitmap();
}
