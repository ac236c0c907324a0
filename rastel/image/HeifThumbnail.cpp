// HEIF thumbnail items through libheif: the first thumbnail of the primary
// image, decoded with the library's transformations into interleaved RGB.
#include "HeifThumbnail.h"
#include "HeifFile.h"
#include "RgbBuffer.h"
#include "WholeFile.h"

#include <string.h>
#include <libheif/heif.h>

namespace
{
bool CopyThumbnail(const heif_image* image, bool deep, CRgbBuffer* buffer)
{
    int stride = 0;
    const uint8_t* plane = heif_image_get_plane_readonly(image, heif_channel_interleaved, &stride);
    int width = heif_image_get_width(image, heif_channel_interleaved);
    int height = heif_image_get_height(image, heif_channel_interleaved);
    int bits = deep ? heif_image_get_bits_per_pixel_range(image, heif_channel_interleaved) : 8;
    if (!plane || width <= 0 || height <= 0 || stride < width * (deep ? 6 : 3) || (deep && (bits <= 8 || bits > 16)) ||
        !buffer->AllocateImage(width, height))
        return false;
    for (int y = 0; y < height; ++y)
    {
        const uint8_t* row = plane + (size_t)y * stride;
        BYTE* target = buffer->GetBuffer() + (size_t)y * width * 3;
        if (!deep)
            memcpy(target, row, (size_t)width * 3);
        else
            for (int i = 0; i < width * 3; ++i)
                target[i] = CHeifFile::ReduceSample(row[2 * i] | (row[2 * i + 1] << 8), bits);
    }
    return true;
}

int DecodeThumbnailItem(heif_context* context, const BYTE* data, size_t size, CRgbBuffer* buffer)
{
    if (heif_context_read_from_memory_without_copy(context, data, size, NULL).code != heif_error_Ok)
        return 0;
    heif_image_handle* primary = NULL;
    if (heif_context_get_primary_image_handle(context, &primary).code != heif_error_Ok || !primary)
        return 0;
    heif_item_id id = 0;
    heif_image_handle* thumbnail = NULL;
    if (heif_image_handle_get_list_of_thumbnail_IDs(primary, &id, 1) != 1 ||
        heif_image_handle_get_thumbnail(primary, id, &thumbnail).code != heif_error_Ok || !thumbnail)
    {
        heif_image_handle_release(primary);
        return 0;
    }
    int result = 0;
    int width = heif_image_handle_get_width(thumbnail);
    int height = heif_image_handle_get_height(thumbnail);
    bool deep = heif_image_handle_get_luma_bits_per_pixel(thumbnail) > 8;
    heif_decoding_options* options = heif_decoding_options_alloc();
    if (options && width > 0 && height > 0 && CRgbBuffer::FileCanHoldPicture(width, height, (long long)size))
    {
        options->ignore_transformations = 0;
        heif_image* image = NULL;
        heif_error error = heif_decode_image(thumbnail, &image, heif_colorspace_RGB,
                                             deep ? heif_chroma_interleaved_RRGGBB_LE : heif_chroma_interleaved_RGB,
                                             options);
        if (error.code == heif_error_Ok && image)
            result = CopyThumbnail(image, deep, buffer) ? 1 : 0;
        if (image)
            heif_image_release(image);
    }
    if (options)
        heif_decoding_options_free(options);
    heif_image_handle_release(thumbnail);
    heif_image_handle_release(primary);
    return result;
}
} // namespace

int CHeifThumbnail::Decode(const BYTE* data, size_t size, CRgbBuffer* buffer)
{
    // The item shares the primary image's colour information, which
    // DecodeWith attaches.
    return CHeifFile::DecodeWith(data, size, buffer, &DecodeThumbnailItem);
}

int CHeifThumbnail::Load(const CString& path, CRgbBuffer* buffer)
{
    return CWholeFile::Decode(path, CHeifFile::MaxFileBytes, buffer, &Decode);
}
