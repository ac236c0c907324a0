// HEIF decoding with libheif: the primary image handle, decoded with the
// library's own transformations (crop, rotation, mirror) into interleaved
// RGB, 8 or 16 bits a sample.
#include "HeifFile.h"
#include "EmbeddedProfile.h"
#include "RgbBuffer.h"
#include "WholeFile.h"

#include <stdlib.h>
#include <string.h>
#include <new>
#include <libheif/heif.h>

namespace
{
// Copies an interleaved plane into the buffer, reducing deeper samples.
bool CopyPlane(const heif_image* image, int width, int height, bool deep, CRgbBuffer* buffer)
{
    int stride = 0;
    const uint8_t* plane = heif_image_get_plane_readonly(image, heif_channel_interleaved, &stride);
    if (!plane || heif_image_get_width(image, heif_channel_interleaved) != width ||
        heif_image_get_height(image, heif_channel_interleaved) != height ||
        stride < width * (deep ? 6 : 3) || !buffer->AllocateImage(width, height))
        return false;
    int bits = deep ? heif_image_get_bits_per_pixel_range(image, heif_channel_interleaved) : 8;
    if (deep && (bits <= 8 || bits > 16))
        return false;
    BYTE* out = buffer->GetBuffer();
    for (int y = 0; y < height; ++y)
    {
        const uint8_t* row = plane + (size_t)y * stride;
        BYTE* target = out + (size_t)y * width * 3;
        if (!deep)
        {
            memcpy(target, row, (size_t)width * 3);
            continue;
        }
        for (int i = 0; i < width * 3; ++i)
            target[i] = CHeifFile::ReduceSample(row[2 * i] | (row[2 * i + 1] << 8), bits);
    }
    return true;
}

// Holds only library handles, released on every path.
int DecodePrimary(heif_context* context, const BYTE* data, size_t size, CRgbBuffer* buffer)
{
    if (heif_context_read_from_memory_without_copy(context, data, size, NULL).code != heif_error_Ok)
        return 0;
    heif_image_handle* handle = NULL;
    if (heif_context_get_primary_image_handle(context, &handle).code != heif_error_Ok || !handle)
        return 0;
    int result = 0;
    // The size after rotation; refused before anything is decoded.
    int width = heif_image_handle_get_width(handle);
    int height = heif_image_handle_get_height(handle);
    bool deep = heif_image_handle_get_luma_bits_per_pixel(handle) > 8;
    if (width > 0 && height > 0 && CRgbBuffer::FileCanHoldPicture(width, height, (long long)size))
    {
        heif_decoding_options* options = heif_decoding_options_alloc();
        heif_image* image = NULL;
        if (options)
        {
            options->ignore_transformations = 0;
            heif_error error = heif_decode_image(
                handle, &image, heif_colorspace_RGB,
                deep ? heif_chroma_interleaved_RRGGBB_LE : heif_chroma_interleaved_RGB, options);
            if (error.code == heif_error_Ok && image)
                result = CopyPlane(image, width, height, deep, buffer) ? 1 : 0;
            if (image)
                heif_image_release(image);
            heif_decoding_options_free(options);
        }
    }
    heif_image_handle_release(handle);
    return result;
}
} // namespace

CHeifFile::CHeifFile(CString fileName)
    : CImageFile(fileName)
{
}

CHeifFile::CHeifFile(const CHeifFile& other)
    : CImageFile(other)
{
}

int CHeifFile::DecodeWith(const BYTE* data, size_t size, CRgbBuffer* buffer, ContextRead read)
{
    if (!data || !buffer || size < 12)
        return 0;
    heif_context* context = heif_context_alloc();
    if (!context)
        return 0;
    int result = 0;
    // The library is C++ inside: a failed allocation deep in it must not
    // leave this function.
    try
    {
        result = read(context, data, size, buffer);
    }
    catch (...)
    {
        result = 0;
    }
    heif_context_free(context);
    if (!result)
        buffer->CleanUp();
    else
        EmbeddedProfile::AttachFromHeif(data, size, buffer);
    return result;
}

int CHeifFile::Decode(const BYTE* data, size_t size, CRgbBuffer* buffer)
{
    return DecodeWith(data, size, buffer, &DecodePrimary);
}

int CHeifFile::Load(CRgbBuffer* buffer)
{
    return CWholeFile::Decode(m_FileName, MaxFileBytes, buffer, &Decode);
}

int CHeifFile::Save(CRgbBuffer*)
{
    return 0;
}
