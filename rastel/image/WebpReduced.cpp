// WebP scaled decoding with libwebp's advanced decoding API.
#include "WebpReduced.h"
#include "ExifOrientation.h"
#include "ReducedSize.h"
#include "RgbBuffer.h"
#include "WebpFile.h"
#include "WholeFile.h"
#include "EmbeddedProfile.h"

#include <stdlib.h>
#include <string.h>
#include <webp/decode.h>
#include <webp/demux.h>

namespace
{
int DecodeScaled(const BYTE* data, size_t size, int width, int height, CRgbBuffer* buffer)
{
    WebPDecoderConfig config;
    if (!WebPInitDecoderConfig(&config) || !buffer->AllocateImage(width, height))
        return 0;
    config.options.use_scaling = 1;
    config.options.scaled_width = width;
    config.options.scaled_height = height;
    config.output.colorspace = MODE_RGB;
    config.output.is_external_memory = 1;
    config.output.u.RGBA.rgba = buffer->GetBuffer();
    config.output.u.RGBA.stride = width * 3;
    config.output.u.RGBA.size = (size_t)width * height * 3;
    VP8StatusCode status = WebPDecode(data, size, &config);
    WebPFreeDecBuffer(&config.output);
    return status == VP8_STATUS_OK;
}
} // namespace

// Writers differ on whether the EXIF chunk starts with the JPEG APP1
// signature "Exif\0\0", so both forms are read.
int CWebpReduced::ReadOrientation(const BYTE* data, size_t size)
{
    WebPData webp = { data, size };
    WebPDemuxer* demux = WebPDemux(&webp);
    if (!demux)
        return CExifOrientation::Upright;
    int orientation = CExifOrientation::Upright;
    WebPChunkIterator chunk;
    if (WebPDemuxGetChunk(demux, "EXIF", 1, &chunk))
    {
        const BYTE* block = chunk.chunk.bytes;
        size_t length = chunk.chunk.size;
        if (length >= 6 && memcmp(block, "Exif\0\0", 6) == 0)
        {
            block += 6;
            length -= 6;
        }
        orientation = CExifOrientation::FromTiffBlock(block, (long long)length);
        WebPDemuxReleaseChunkIterator(&chunk);
    }
    WebPDemuxDelete(demux);
    return orientation;
}

int CWebpReduced::DecodeReduced(const BYTE* data, size_t size, CRgbBuffer* buffer, int boxWidth, int boxHeight,
                                CSize* fullSize)
{
    if (fullSize)
        *fullSize = CSize(0, 0);
    if (!data || !buffer)
        return 0;
    buffer->CleanUp();
    WebPBitstreamFeatures features;
    if (WebPGetFeatures(data, size, &features) != VP8_STATUS_OK || features.width <= 0 || features.height <= 0 ||
        !CRgbBuffer::FileCanHoldPicture(features.width, features.height, (long long)size))
        return 0;
    int orientation = ReadOrientation(data, size);
    bool swaps = CExifOrientation::SwapsSides(orientation);
    // The stored picture is fitted into the box turned as the picture will
    // be, so that upright it is the best fit into the box itself.
    CReducedSize fit = CReducedSize::Fit(features.width, features.height, swaps ? boxHeight : boxWidth,
                                         swaps ? boxWidth : boxHeight);
    if (features.has_animation || (fit.width == features.width && fit.height == features.height))
    {
        if (!CWebpFile::Decode(data, size, buffer))
            return 0;
        if (fullSize)
            *fullSize = buffer->GetImageSize();
        return 1;
    }
    if (!DecodeScaled(data, size, fit.width, fit.height, buffer))
    {
        buffer->CleanUp();
        return 0;
    }
    CExifOrientation::Apply(buffer, orientation);
    EmbeddedProfile::AttachFromWebp(data, size, buffer);
    if (fullSize)
        *fullSize = swaps ? CSize(features.height, features.width) : CSize(features.width, features.height);
    return 1;
}

int CWebpReduced::LoadReduced(const CString& path, CRgbBuffer* buffer, int boxWidth, int boxHeight,
                              CSize* fullSize)
{
    return CWholeFile::DecodeReduced(path, CWebpFile::MaxFileBytes, buffer, boxWidth, boxHeight, fullSize, &DecodeReduced);
}
