// JPEG XL decoding with libjxl's event loop: the basic information gives
// the size (checked before any pixel is reserved), the picture is decoded
// into the buffer's own pixels as 8-bit RGB, and decoding stops after the
// first full frame.
#include "JxlFile.h"
#include "EmbeddedProfile.h"
#include "RgbBuffer.h"
#include "WholeFile.h"

#include <stdlib.h>
#include <jxl/decode.h>

namespace
{
// The size the picture has once the library has turned it upright.
void UprightSize(const JxlBasicInfo& info, long long& width, long long& height)
{
    bool swaps = info.orientation >= JXL_ORIENT_TRANSPOSE;
    width = swaps ? info.ysize : info.xsize;
    height = swaps ? info.xsize : info.ysize;
}

int DecodeFirstFrame(JxlDecoder* decoder, const BYTE* data, size_t size, CRgbBuffer* buffer)
{
    if (JxlDecoderSubscribeEvents(decoder, JXL_DEC_BASIC_INFO | JXL_DEC_FULL_IMAGE) != JXL_DEC_SUCCESS ||
        JxlDecoderSetKeepOrientation(decoder, JXL_FALSE) != JXL_DEC_SUCCESS ||
        JxlDecoderSetInput(decoder, data, size) != JXL_DEC_SUCCESS)
        return 0;
    JxlDecoderCloseInput(decoder);
    const JxlPixelFormat format = { 3, JXL_TYPE_UINT8, JXL_NATIVE_ENDIAN, 0 };
    long long width = 0, height = 0;
    for (;;)
    {
        switch (JxlDecoderProcessInput(decoder))
        {
        case JXL_DEC_BASIC_INFO:
        {
            JxlBasicInfo info;
            if (JxlDecoderGetBasicInfo(decoder, &info) != JXL_DEC_SUCCESS)
                return 0;
            UprightSize(info, width, height);
            if (width <= 0 || height <= 0 || !CRgbBuffer::FileCanHoldPicture(width, height, (long long)size))
                return 0;
            break;
        }
        case JXL_DEC_NEED_IMAGE_OUT_BUFFER:
        {
            size_t needed = 0;
            if (width <= 0 || JxlDecoderImageOutBufferSize(decoder, &format, &needed) != JXL_DEC_SUCCESS ||
                needed != (size_t)width * (size_t)height * 3 || !buffer->AllocateImage((int)width, (int)height) ||
                JxlDecoderSetImageOutBuffer(decoder, &format, buffer->GetBuffer(), needed) != JXL_DEC_SUCCESS)
                return 0;
            break;
        }
        case JXL_DEC_FULL_IMAGE:
            // The first frame is the picture; the rest of an animation is
            // not needed.
            return buffer->IsImage() ? 1 : 0;
        case JXL_DEC_SUCCESS:
        case JXL_DEC_NEED_MORE_INPUT: // a truncated file
        case JXL_DEC_ERROR:
        default:
            return 0;
        }
    }
}
} // namespace

CJxlFile::CJxlFile(CString fileName)
    : CImageFile(fileName)
{
}

CJxlFile::CJxlFile(const CJxlFile& other)
    : CImageFile(other)
{
}

int CJxlFile::Decode(const BYTE* data, size_t size, CRgbBuffer* buffer)
{
    if (!data || !buffer || size < 2)
        return 0;
    JxlSignature signature = JxlSignatureCheck(data, size);
    if (signature != JXL_SIG_CODESTREAM && signature != JXL_SIG_CONTAINER)
        return 0;
    JxlDecoder* decoder = JxlDecoderCreate(NULL);
    if (!decoder)
        return 0;
    int result = DecodeFirstFrame(decoder, data, size, buffer);
    JxlDecoderDestroy(decoder);
    if (!result)
        buffer->CleanUp();
    else
        EmbeddedProfile::AttachFromJxl(data, size, buffer);
    return result;
}

int CJxlFile::Load(CRgbBuffer* buffer)
{
    return CWholeFile::Decode(m_FileName, MaxFileBytes, buffer, &Decode);
}

int CJxlFile::Save(CRgbBuffer*)
{
    return 0;
}
