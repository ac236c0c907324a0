// TIFF decoding with libtiff: the first directory through the RGBA image
// interface, read as stored and then turned upright by its orientation tag.
#include "TiffFile.h"
#include "RgbBuffer.h"
#include "EmbeddedProfile.h"
#include "ExifOrientation.h"

#include <stdlib.h>
#include <string.h>
#include <tiffio.h>

namespace
{
// One allocation inside libtiff (a strip, a tile, a tag array) may not
// exceed this: hostile headers cannot make it reserve gigabytes.
const tmsize_t kMaxSingleAllocation = 256 * 1024 * 1024;

// libtiff's messages go nowhere: failure shows as an empty buffer.
int QuietHandler(TIFF*, void*, const char*, const char*, va_list)
{
    return 1;
}

TIFF* OpenQuietly(const char* path)
{
    TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
    if (options == NULL)
        return NULL;
    TIFFOpenOptionsSetMaxSingleMemAlloc(options, kMaxSingleAllocation);
    TIFFOpenOptionsSetErrorHandlerExtR(options, QuietHandler, NULL);
    TIFFOpenOptionsSetWarningHandlerExtR(options, QuietHandler, NULL);
    TIFF* tif = TIFFOpenExt(path, "r", options);
    TIFFOpenOptionsFree(options);
    return tif;
}

long long FileLength(const char* path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data))
        return -1;
    return ((long long)data.nFileSizeHigh << 32) | data.nFileSizeLow;
}

// Reads the picture's rows as they are stored, top row first, into raster;
// *orientation gets the stored orientation, which the caller applies
// (libtiff's own handling of the tag only mirrors and cannot transpose).
bool ReadStoredRows(TIFF* tif, uint32_t width, uint32_t height, uint32_t* raster, int* orientation)
{
    char message[1024];
    TIFFRGBAImage image;
    if (!TIFFRGBAImageBegin(&image, tif, 0, message))
        return false;
    *orientation = image.orientation >= ORIENTATION_TOPLEFT && image.orientation <= ORIENTATION_LEFTBOT
                       ? image.orientation
                       : CExifOrientation::Upright;
    image.orientation = ORIENTATION_TOPLEFT;
    image.req_orientation = ORIENTATION_TOPLEFT;
    bool ok = TIFFRGBAImageGet(&image, raster, width, height) != 0;
    TIFFRGBAImageEnd(&image);
    return ok;
}

void DecodeTiff(TIFF* tif, long long fileLength, CRgbBuffer* buffer)
{
    uint32_t width = 0, height = 0;
    if (!TIFFSetDirectory(tif, 0) || !TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &width) ||
        !TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &height))
        return;
    // The raster and the picture are allocated only for a size that the
    // file could hold.
    if (!CRgbBuffer::FileCanHoldPicture(width, height, fileLength))
        return;
    unsigned long long pixelCount = (unsigned long long)width * height;
    if (pixelCount * 4 > (unsigned long long)SIZE_MAX)
        return;

    char message[1024];
    if (!TIFFRGBAImageOK(tif, message))
        return;
    // Zeroed, so that strips the library cannot read show black.
    uint32_t* raster = (uint32_t*)calloc((size_t)pixelCount, sizeof(uint32_t));
    if (raster == NULL)
        return;
    int orientation = CExifOrientation::Upright;
    if (ReadStoredRows(tif, width, height, raster, &orientation) &&
        buffer->AllocateImage((int)width, (int)height))
    {
        BYTE* out = buffer->GetBuffer();
        for (uint32_t y = 0; y < height; ++y)
        {
            const uint32_t* in = raster + (size_t)y * width;
            for (uint32_t x = 0; x < width; ++x, out += 3)
            {
                out[0] = (BYTE)TIFFGetR(in[x]);
                out[1] = (BYTE)TIFFGetG(in[x]);
                out[2] = (BYTE)TIFFGetB(in[x]);
            }
        }
    }
    free(raster);
    CExifOrientation::Apply(buffer, orientation);
}
}

CTiffFile::CTiffFile(CString fileName)
    : CImageFile(fileName)
{
}

CTiffFile::CTiffFile(const CTiffFile& other)
    : CImageFile(other)
{
}

int CTiffFile::Load(CRgbBuffer* buffer)
{
    if (buffer == NULL)
        return 0;
    TIFF* tif = OpenQuietly(m_FileName);
    if (tif == NULL)
        return 1;
    DecodeTiff(tif, FileLength(m_FileName), buffer);
    if (buffer->IsImage())
        EmbeddedProfile::Attach(buffer, EmbeddedProfile::FromTiff(tif));
    TIFFClose(tif);
    return 1;
}

int CTiffFile::Save(CRgbBuffer*)
{
    return 0;
}
