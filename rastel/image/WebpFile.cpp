// WebP decoding with libwebp: still pictures straight into the buffer's
// pixels, animations through the demuxer's animation decoder (which
// composes the first frame on the canvas), the EXIF chunk through the
// demuxer.
#include "WebpFile.h"
#include "EmbeddedProfile.h"
#include "WebpReduced.h"
#include "ExifOrientation.h"
#include "RgbBuffer.h"
#include "WholeFile.h"

#include <stdlib.h>
#include <string.h>
#include <webp/decode.h>
#include <webp/demux.h>

namespace
{
int DecodeStill(const BYTE* data, size_t size, int width, int height, CRgbBuffer* buffer)
{
    WebPDecoderConfig config;
    if (!WebPInitDecoderConfig(&config) || !buffer->AllocateImage(width, height))
        return 0;
    config.output.colorspace = MODE_RGB;
    config.output.is_external_memory = 1;
    config.output.u.RGBA.rgba = buffer->GetBuffer();
    config.output.u.RGBA.stride = width * 3;
    config.output.u.RGBA.size = (size_t)width * height * 3;
    VP8StatusCode status = WebPDecode(data, size, &config);
    WebPFreeDecBuffer(&config.output);
    return status == VP8_STATUS_OK;
}

// The first frame as an animation player shows it: drawn on the canvas,
// which starts transparent black.
int DecodeFirstFrame(const BYTE* data, size_t size, int width, int height, CRgbBuffer* buffer)
{
    WebPAnimDecoderOptions options;
    if (!WebPAnimDecoderOptionsInit(&options))
        return 0;
    options.color_mode = MODE_RGBA;
    options.use_threads = 0;
    WebPData webp = { data, size };
    WebPAnimDecoder* decoder = WebPAnimDecoderNew(&webp, &options);
    if (!decoder)
        return 0;
    int result = 0;
    WebPAnimInfo info;
    uint8_t* canvas = NULL;
    int timestamp = 0;
    if (WebPAnimDecoderGetInfo(decoder, &info) && (int)info.canvas_width == width &&
        (int)info.canvas_height == height && WebPAnimDecoderGetNext(decoder, &canvas, &timestamp) &&
        canvas && buffer->AllocateImage(width, height))
    {
        BYTE* out = buffer->GetBuffer();
        size_t pixels = (size_t)width * height;
        for (size_t i = 0; i < pixels; ++i)
        {
            out[3 * i] = canvas[4 * i];
            out[3 * i + 1] = canvas[4 * i + 1];
            out[3 * i + 2] = canvas[4 * i + 2];
        }
        result = 1;
    }
    WebPAnimDecoderDelete(decoder);
    return result;
}

} // namespace

CWebpFile::CWebpFile(CString fileName)
    : CImageFile(fileName)
{
}

CWebpFile::CWebpFile(const CWebpFile& other)
    : CImageFile(other)
{
}

int CWebpFile::Decode(const BYTE* data, size_t size, CRgbBuffer* buffer)
{
    if (!data || !buffer)
        return 0;
    WebPBitstreamFeatures features;
    if (WebPGetFeatures(data, size, &features) != VP8_STATUS_OK)
        return 0;
    // The header's size is refused before anything is reserved for it.
    if (features.width <= 0 || features.height <= 0 ||
        !CRgbBuffer::FileCanHoldPicture(features.width, features.height, (long long)size))
        return 0;
    int result = features.has_animation
                     ? DecodeFirstFrame(data, size, features.width, features.height, buffer)
                     : DecodeStill(data, size, features.width, features.height, buffer);
    if (!result)
    {
        buffer->CleanUp();
        return 0;
    }
    CExifOrientation::Apply(buffer, CWebpReduced::ReadOrientation(data, size));
    EmbeddedProfile::AttachFromWebp(data, size, buffer);
    return 1;
}

int CWebpFile::Load(CRgbBuffer* buffer)
{
    return CWholeFile::Decode(m_FileName, MaxFileBytes, buffer, &Decode);
}

int CWebpFile::Save(CRgbBuffer*)
{
    return 0;
}
