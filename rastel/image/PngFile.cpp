// PNG decoding with libpng 1.6. The decoder works on plain pointers only:
// libpng reports errors by longjmp, which must not skip C++ destructors.
#include "PngFile.h"
#include "RgbBuffer.h"
#include "EmbeddedProfile.h"
#include "IccProfile.h"

#include <setjmp.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <png.h>

namespace
{
// Limits against hostile files: libpng's own ceiling on the size of one
// ancillary chunk, decompressed, and on the number of chunks it keeps.
const png_alloc_size_t kMaxChunkBytes = 8000000;
const png_uint_32 kMaxCachedChunks = 1000;

void PNGCBAPI QuietError(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void PNGCBAPI QuietWarning(png_structp, png_const_charp)
{
}

// Ancillary chunks the suite never uses, skipped unread: the compressed
// ones could otherwise be decompressed (text bombs) only to be thrown away,
// and the others are parsed into structures nobody looks at (sCAL and pCAL
// into strings and arrays as large as the chunk).
const png_byte kIgnoredChunks[] = {
    'z', 'T', 'X', 't', '\0', 'i', 'T', 'X', 't', '\0', 't', 'E', 'X', 't', '\0',
    's', 'P', 'L', 'T', '\0', 'e', 'X', 'I', 'f', '\0',
    's', 'C', 'A', 'L', '\0', 'p', 'C', 'A', 'L', '\0', 'h', 'I', 'S', 'T', '\0',
    's', 'T', 'E', 'R', '\0', 't', 'I', 'M', 'E', '\0', 'p', 'H', 'Y', 's', '\0',
    'o', 'F', 'F', 's', '\0', 's', 'B', 'I', 'T', '\0', 'b', 'K', 'G', 'D', '\0',
};

// What the file says of its colours: an ICC profile (iCCP), sRGB (an sRGB
// chunk), or white point, primaries and gamma (cHRM with gAMA), which
// make a profile of their own. Copied out of the library's memory into a
// malloc'ed block. A file with any of these is converted by its profile,
// so its gAMA is not applied again while decoding.
struct ColourChunks
{
    char* iccData;
    png_uint_32 iccLength;
    double white[2], red[2], green[2], blue[2];
    double gamma;
    bool chromaticities;
};

void ReadColourChunks(png_structp png, png_infop info, ColourChunks* colour)
{
    png_charp name = NULL;
    int compression = 0;
    png_bytep profile = NULL;
    png_uint_32 length = 0;
    if (png_get_valid(png, info, PNG_INFO_iCCP) &&
        png_get_iCCP(png, info, &name, &compression, &profile, &length) && profile && length > 0 &&
        length <= CIccProfile::MaxBytes)
    {
        colour->iccData = (char*)malloc(length);
        if (colour->iccData)
        {
            memcpy(colour->iccData, profile, length);
            colour->iccLength = length;
        }
        return;
    }
    if (png_get_valid(png, info, PNG_INFO_sRGB))
        return;
    colour->chromaticities =
        png_get_valid(png, info, PNG_INFO_cHRM) && png_get_gAMA(png, info, &colour->gamma) &&
        png_get_cHRM(png, info, &colour->white[0], &colour->white[1], &colour->red[0], &colour->red[1],
                     &colour->green[0], &colour->green[1], &colour->blue[0], &colour->blue[1]);
    // Most writers (ImageMagick among them) mark sRGB pictures with sRGB's
    // chromaticities and a gamma of 1/2.2 instead of an sRGB chunk. Any
    // picture with sRGB's primaries keeps the decoder's own gamma
    // correction to the screen's 2.2, as it always had: only other
    // primaries need a profile.
    const double srgb[8] = { 0.3127, 0.3290, 0.64, 0.33, 0.30, 0.60, 0.15, 0.06 };
    const double* found[8] = { &colour->white[0], &colour->white[1], &colour->red[0], &colour->red[1],
                               &colour->green[0], &colour->green[1], &colour->blue[0], &colour->blue[1] };
    bool likeSrgb = colour->chromaticities;
    for (int i = 0; i < 8 && likeSrgb; ++i)
        likeSrgb = *found[i] > srgb[i] - 0.01 && *found[i] < srgb[i] + 0.01;
    if (likeSrgb)
        colour->chromaticities = false;
}

void SetTransformations(png_structp png, png_infop info, bool gammaByProfile)
{
    png_uint_32 width, height;
    int bitDepth, colorType;
    png_get_IHDR(png, info, &width, &height, &bitDepth, &colorType, NULL, NULL, NULL);

    if (colorType == PNG_COLOR_TYPE_PALETTE)
        png_set_expand(png);
    if (colorType == PNG_COLOR_TYPE_GRAY && bitDepth < 8)
        png_set_expand(png);
    if (png_get_valid(png, info, PNG_INFO_tRNS))
        png_set_expand(png);
    if (bitDepth == 16)
        png_set_strip_16(png);
    if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(png);
    double fileGamma;
    if (!gammaByProfile && png_get_gAMA(png, info, &fileGamma))
        png_set_gamma(png, 2.2, fileGamma);
    // The alpha channel never reaches the picture.
    png_set_strip_alpha(png);
    png_set_interlace_handling(png);
}

// Deflate cannot expand data more than 1032 times, so a file too small for
// the image its header declares is broken or hostile: refuse it before
// reserving memory for the picture.
bool FileCanHoldImage(png_structp png, png_infop info, long long fileLength)
{
    unsigned long long rowBits = (unsigned long long)png_get_image_width(png, info) *
                                 png_get_channels(png, info) * png_get_bit_depth(png, info);
    unsigned long long rawBytes = ((rowBits + 7) / 8 + 1) * png_get_image_height(png, info);
    return rawBytes / 1100 <= (unsigned long long)fileLength + 64;
}

// Holds no object with a destructor (see the file comment).
int DecodePng(FILE* file, long long fileLength, CRgbBuffer* buffer, ColourChunks* colour)
{
    png_byte signature[8];
    if (fread(signature, 1, 8, file) != 8 || png_sig_cmp(signature, 0, 8) != 0)
        return 0;

    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, NULL, QuietError, QuietWarning);
    if (png == NULL)
        return 0;
    png_infop info = png_create_info_struct(png);
    if (info == NULL)
    {
        png_destroy_read_struct(&png, NULL, NULL);
        return 0;
    }
    png_bytep* volatile rows = NULL;
    if (setjmp(png_jmpbuf(png)))
    {
        png_destroy_read_struct(&png, &info, NULL);
        free(rows);
        buffer->CleanUp();
        return 0;
    }

    png_set_chunk_malloc_max(png, kMaxChunkBytes);
    png_set_chunk_cache_max(png, kMaxCachedChunks);
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, kIgnoredChunks,
                                (int)(sizeof(kIgnoredChunks) / 5));
    png_init_io(png, file);
    png_set_sig_bytes(png, 8);
    png_read_info(png, info);
    if (!FileCanHoldImage(png, info, fileLength))
        png_longjmp(png, 1);
    ReadColourChunks(png, info, colour);
    SetTransformations(png, info, colour->iccData || colour->chromaticities);
    png_read_update_info(png, info);

    png_uint_32 width = png_get_image_width(png, info);
    png_uint_32 height = png_get_image_height(png, info);
    // After the transformations every valid file has three 8-bit channels.
    if (png_get_channels(png, info) != 3 || png_get_bit_depth(png, info) != 8 ||
        png_get_rowbytes(png, info) != (png_size_t)width * 3)
        png_longjmp(png, 1);
    if (width == 0 || height == 0 || width > 0x7FFFFFFF || height > 0x7FFFFFFF ||
        !buffer->AllocateImage((int)width, (int)height))
        png_longjmp(png, 1);

    rows = (png_bytep*)malloc(sizeof(png_bytep) * (size_t)height);
    if (rows == NULL)
        png_longjmp(png, 1);
    BYTE* pixels = buffer->GetBuffer();
    for (png_uint_32 y = 0; y < height; ++y)
        rows[y] = pixels + (size_t)y * width * 3;
    png_read_image(png, rows);

    // The chunks after the image data are not needed: a file that breaks
    // off after its last image row still shows.
    free(rows);
    png_destroy_read_struct(&png, &info, NULL);
    return 1;
}
}

CPngFile::CPngFile(CString fileName)
    : CImageFile(fileName)
{
}

CPngFile::CPngFile(const CPngFile& other)
    : CImageFile(other)
{
}

int CPngFile::Load(CRgbBuffer* buffer)
{
    if (buffer == NULL)
        return 0;
    FILE* file = fopen(m_FileName, "rb");
    if (file == NULL)
        return 0;
    long long fileLength = -1;
    if (fseek(file, 0, SEEK_END) == 0)
        fileLength = _ftelli64(file);
    int result = 0;
    ColourChunks colour;
    memset(&colour, 0, sizeof(colour));
    if (fileLength > 0 && fseek(file, 0, SEEK_SET) == 0)
        result = DecodePng(file, fileLength, buffer, &colour);
    fclose(file);
    if (result && buffer->IsImage())
    {
        if (colour.iccData)
            EmbeddedProfile::Attach(buffer, std::string(colour.iccData, colour.iccLength));
        else if (colour.chromaticities)
            EmbeddedProfile::Attach(buffer, CIccProfile::FromChromaticities(
                                                colour.white[0], colour.white[1], colour.red[0], colour.red[1],
                                                colour.green[0], colour.green[1], colour.blue[0],
                                                colour.blue[1], colour.gamma));
    }
    free(colour.iccData);
    return result;
}

int CPngFile::Save(CRgbBuffer*)
{
    return 0;
}
