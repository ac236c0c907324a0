// JPEG XL previews and reduced decodes with libjxl's event loop. The
// decoder keeps the stored orientation and the picture is turned here, so
// the averaging below works on the stored rows.
#include "JxlReduced.h"
#include "ExifOrientation.h"
#include "JxlFile.h"
#include "ReducedSize.h"
#include "RgbBuffer.h"
#include "WholeFile.h"
#include "EmbeddedProfile.h"

#include <stdlib.h>
#include <algorithm>
#include <vector>
#include <jxl/decode.h>

namespace
{
const JxlPixelFormat Rgb8 = { 3, JXL_TYPE_UINT8, JXL_NATIVE_ENDIAN, 0 };

struct CDecoder
{
    JxlDecoder* decoder;
    CDecoder() : decoder(JxlDecoderCreate(NULL)) {}
    ~CDecoder() { JxlDecoderDestroy(decoder); }
};

bool Start(JxlDecoder* decoder, int events, const BYTE* data, size_t size)
{
    JxlSignature signature = JxlSignatureCheck(data, size);
    if (!decoder || (signature != JXL_SIG_CODESTREAM && signature != JXL_SIG_CONTAINER) ||
        JxlDecoderSubscribeEvents(decoder, events) != JXL_DEC_SUCCESS ||
        JxlDecoderSetKeepOrientation(decoder, JXL_TRUE) != JXL_DEC_SUCCESS ||
        JxlDecoderSetInput(decoder, data, size) != JXL_DEC_SUCCESS)
        return false;
    JxlDecoderCloseInput(decoder);
    return true;
}

int DecodePreviewFrame(JxlDecoder* decoder, const BYTE* data, size_t size, CRgbBuffer* buffer)
{
    if (!Start(decoder, JXL_DEC_BASIC_INFO | JXL_DEC_PREVIEW_IMAGE, data, size))
        return 0;
    JxlBasicInfo info;
    for (;;)
    {
        switch (JxlDecoderProcessInput(decoder))
        {
        case JXL_DEC_BASIC_INFO:
            if (JxlDecoderGetBasicInfo(decoder, &info) != JXL_DEC_SUCCESS || !info.have_preview ||
                !CRgbBuffer::FileCanHoldPicture(info.preview.xsize, info.preview.ysize, (long long)size))
                return 0;
            break;
        case JXL_DEC_NEED_PREVIEW_OUT_BUFFER:
        {
            size_t needed = 0;
            if (JxlDecoderPreviewOutBufferSize(decoder, &Rgb8, &needed) != JXL_DEC_SUCCESS ||
                needed != (size_t)info.preview.xsize * info.preview.ysize * 3 ||
                !buffer->AllocateImage((int)info.preview.xsize, (int)info.preview.ysize) ||
                JxlDecoderSetPreviewOutBuffer(decoder, &Rgb8, buffer->GetBuffer(), needed) != JXL_DEC_SUCCESS)
                return 0;
            break;
        }
        case JXL_DEC_PREVIEW_IMAGE:
            if (!buffer->IsImage())
                return 0;
            CExifOrientation::Apply(buffer, info.orientation);
            return 1;
        default: // the end without a preview, a truncated file, an error
            return 0;
        }
    }
}

// The picture averaged down by Factor in each direction (blocks at the
// right and bottom edges may be smaller).
bool AverageBlocks(const BYTE* pixels, size_t width, size_t height, CRgbBuffer* buffer)
{
    const size_t f = CJxlReduced::Factor;
    size_t columns = (width + f - 1) / f, rows = (height + f - 1) / f;
    if (!buffer->AllocateImage((int)columns, (int)rows))
        return false;
    std::vector<unsigned> sums(columns * 3);
    BYTE* out = buffer->GetBuffer();
    for (size_t row = 0; row < rows; ++row)
    {
        std::fill(sums.begin(), sums.end(), 0u);
        size_t top = row * f, bottom = std::min(height, top + f);
        for (size_t y = top; y < bottom; ++y)
        {
            const BYTE* p = pixels + y * width * 3;
            for (size_t x = 0; x < width; ++x, p += 3)
            {
                unsigned* sum = &sums[(x / f) * 3];
                sum[0] += p[0];
                sum[1] += p[1];
                sum[2] += p[2];
            }
        }
        for (size_t column = 0; column < columns; ++column)
        {
            unsigned n = (unsigned)((std::min(width, (column + 1) * f) - column * f) * (bottom - top));
            for (int c = 0; c < 3; ++c)
                *out++ = (BYTE)((sums[column * 3 + c] + n / 2) / n);
        }
    }
    return true;
}

enum ReducedResult
{
    ReducedFailed,
    ReducedDecoded,
    ReducedTooSmall, // 1/8 would not cover the fit: decode at full size
};

// The whole picture, averaged down by Factor. The library's DC pass would
// give the 1/8 picture long before the fine detail is decoded, but libjxl
// 0.7 renders it only through a flush at full size, which measured 2.5 s
// for a 12-megapixel photo against 1.5 s for the whole decode; so the whole
// picture is decoded, into the library's fast 8-bit output.
ReducedResult DecodeAveraged(JxlDecoder* decoder, const BYTE* data, size_t size, CRgbBuffer* buffer,
                             int boxWidth, int boxHeight, CSize* fullSize)
{
    if (!Start(decoder, JXL_DEC_BASIC_INFO | JXL_DEC_FULL_IMAGE, data, size))
        return ReducedFailed;
    JxlBasicInfo info;
    BYTE* pixels = NULL; // the stored picture at full size
    ReducedResult result = ReducedFailed;
    for (bool decoding = true; decoding;)
    {
        switch (JxlDecoderProcessInput(decoder))
        {
        case JXL_DEC_BASIC_INFO:
        {
            if (JxlDecoderGetBasicInfo(decoder, &info) != JXL_DEC_SUCCESS || info.xsize == 0 || info.ysize == 0 ||
                !CRgbBuffer::FileCanHoldPicture(info.xsize, info.ysize, (long long)size))
            {
                decoding = false;
                break;
            }
            bool swaps = CExifOrientation::SwapsSides(info.orientation);
            int width = (int)(swaps ? info.ysize : info.xsize), height = (int)(swaps ? info.xsize : info.ysize);
            if (fullSize)
                *fullSize = CSize(width, height);
            CReducedSize fit = CReducedSize::Fit(width, height, boxWidth, boxHeight);
            int reducedWidth = (width + CJxlReduced::Factor - 1) / CJxlReduced::Factor;
            int reducedHeight = (height + CJxlReduced::Factor - 1) / CJxlReduced::Factor;
            if (fit.width == width || reducedWidth < fit.width || reducedHeight < fit.height)
            {
                result = ReducedTooSmall;
                decoding = false;
            }
            break;
        }
        case JXL_DEC_NEED_IMAGE_OUT_BUFFER:
        {
            size_t needed = 0;
            if (pixels || JxlDecoderImageOutBufferSize(decoder, &Rgb8, &needed) != JXL_DEC_SUCCESS ||
                needed != (size_t)info.xsize * info.ysize * 3 || !(pixels = (BYTE*)malloc(needed)) ||
                JxlDecoderSetImageOutBuffer(decoder, &Rgb8, pixels, needed) != JXL_DEC_SUCCESS)
                decoding = false;
            break;
        }
        case JXL_DEC_FULL_IMAGE:
            result = pixels && AverageBlocks(pixels, info.xsize, info.ysize, buffer) ? ReducedDecoded : ReducedFailed;
            decoding = false;
            break;
        default: // the end before a frame, a truncated file, an error
            decoding = false;
            break;
        }
    }
    free(pixels);
    if (result == ReducedDecoded)
        CExifOrientation::Apply(buffer, info.orientation);
    return result;
}
} // namespace

int CJxlReduced::DecodePreview(const BYTE* data, size_t size, CRgbBuffer* buffer)
{
    if (!data || !buffer || size < 2)
        return 0;
    int result = 0;
    {
        CDecoder decoder;
        result = DecodePreviewFrame(decoder.decoder, data, size, buffer);
    }
    if (result)
        EmbeddedProfile::AttachFromJxl(data, size, buffer);
    else
        buffer->CleanUp();
    return result;
}

int CJxlReduced::DecodeReduced(const BYTE* data, size_t size, CRgbBuffer* buffer, int boxWidth, int boxHeight,
                               CSize* fullSize)
{
    if (fullSize)
        *fullSize = CSize(0, 0);
    if (!data || !buffer || size < 2)
        return 0;
    buffer->CleanUp();
    ReducedResult result = ReducedFailed;
    {
        CDecoder decoder;
        result = DecodeAveraged(decoder.decoder, data, size, buffer, boxWidth, boxHeight, fullSize);
    }
    if (result == ReducedTooSmall && CJxlFile::Decode(data, size, buffer))
        return 1;
    if (result != ReducedDecoded)
    {
        buffer->CleanUp();
        if (fullSize)
            *fullSize = CSize(0, 0);
        return 0;
    }
    EmbeddedProfile::AttachFromJxl(data, size, buffer);
    return 1;
}

int CJxlReduced::LoadPreview(const CString& path, CRgbBuffer* buffer)
{
    return CWholeFile::Decode(path, CJxlFile::MaxFileBytes, buffer, &DecodePreview);
}

int CJxlReduced::LoadReduced(const CString& path, CRgbBuffer* buffer, int boxWidth, int boxHeight, CSize* fullSize)
{
    return CWholeFile::DecodeReduced(path, CJxlFile::MaxFileBytes, buffer, boxWidth, boxHeight, fullSize, &DecodeReduced);
}
