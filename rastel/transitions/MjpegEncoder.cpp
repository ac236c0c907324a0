// Motion-JPEG frames for the video writer, compressed with the JPEG library
// into a growing memory buffer.
#include "MjpegEncoder.h"
#include "JpegLib.h"

#include <stdlib.h>
#include <string.h>

namespace
{
struct JpegOutput
{
    BYTE* data;
    size_t capacity;
    size_t size;
};

struct GrowingDestination
{
    struct jpeg_destination_mgr pub;
    JpegOutput* out;
};

struct JumpingErrors
{
    struct jpeg_error_mgr pub;
    jmp_buf jump;
};

void InitDestination(j_compress_ptr cinfo)
{
    GrowingDestination* dest = (GrowingDestination*)cinfo->dest;
    dest->pub.next_output_byte = dest->out->data;
    dest->pub.free_in_buffer = dest->out->capacity;
}

boolean EmptyOutputBuffer(j_compress_ptr cinfo)
{
    // Called when the whole buffer is full: double it and go on after its end.
    GrowingDestination* dest = (GrowingDestination*)cinfo->dest;
    JpegOutput* out = dest->out;
    size_t grown = out->capacity * 2;
    BYTE* data = (BYTE*)realloc(out->data, grown);
    if (!data)
        ERREXIT(cinfo, JERR_OUT_OF_MEMORY);
    dest->pub.next_output_byte = data + out->capacity;
    dest->pub.free_in_buffer = grown - out->capacity;
    out->data = data;
    out->capacity = grown;
    return TRUE;
}

void TermDestination(j_compress_ptr cinfo)
{
    GrowingDestination* dest = (GrowingDestination*)cinfo->dest;
    dest->out->size = dest->out->capacity - dest->pub.free_in_buffer;
}

void ErrorExit(j_common_ptr cinfo)
{
    longjmp(((JumpingErrors*)cinfo->err)->jump, 1);
}

void SilentMessage(j_common_ptr cinfo)
{
}

// One frame to JPEG. Holds no objects with destructors: the library's errors
// leave through longjmp.
bool CompressFrame(const BYTE* bits, int width, int height, DWORD stride, bool bottomUp,
                   int bytesPerPixel, int quality, JpegOutput* out)
{
    struct jpeg_compress_struct cinfo;
    JumpingErrors errors;
    GrowingDestination dest;

    cinfo.err = jpeg_std_error(&errors.pub);
    errors.pub.error_exit = ErrorExit;
    errors.pub.output_message = SilentMessage;
    if (setjmp(errors.jump))
    {
        jpeg_destroy_compress(&cinfo);
        return false;
    }
    jpeg_create_compress(&cinfo);

    dest.pub.init_destination = InitDestination;
    dest.pub.empty_output_buffer = EmptyOutputBuffer;
    dest.pub.term_destination = TermDestination;
    dest.out = out;
    cinfo.dest = &dest.pub;

    cinfo.image_width = width;
    cinfo.image_height = height;
    cinfo.input_components = bytesPerPixel;
    cinfo.in_color_space = bytesPerPixel == 4 ? JCS_EXT_BGRX : JCS_EXT_BGR;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height)
    {
        DWORD y = cinfo.next_scanline;
        DWORD sourceRow = bottomUp ? (DWORD)height - 1 - y : y;
        JSAMPROW row = (JSAMPROW)(bits + (size_t)sourceRow * stride);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return true;
}
} // namespace

CMjpegEncoder::CMjpegEncoder()
    : m_Width(0), m_Height(0), m_BottomUp(true), m_BytesPerPixel(3), m_Quality(90), m_Stride(0),
      m_SourceSize(0), m_Output(0), m_OutputCapacity(0), m_OutputSize(0), m_PreviousBits(0),
      m_HasPrevious(false)
{
    memset(&m_Format, 0, sizeof(m_Format));
}

CMjpegEncoder::~CMjpegEncoder()
{
    free(m_Output);
    free(m_PreviousBits);
}

CMjpegEncoder* CMjpegEncoder::Create(const BITMAPINFOHEADER& source, int quality)
{
    if (source.biCompression != BI_RGB || (source.biBitCount != 24 && source.biBitCount != 32))
        return 0;
    if (source.biWidth <= 0 || source.biHeight == 0 || source.biPlanes > 1)
        return 0;
    // Baseline JPEG is limited to 65535 pixels a side.
    long long width = source.biWidth;
    long long height = source.biHeight < 0 ? -(long long)source.biHeight : source.biHeight;
    if (width > 65500 || height > 65500)
        return 0;
    long long stride = ((width * source.biBitCount + 31) / 32) * 4;
    long long size = stride * height;
    if (size > 0x7FFFFFFFLL)
        return 0;

    CMjpegEncoder* encoder = new CMjpegEncoder();
    encoder->m_Width = (int)width;
    encoder->m_Height = (int)height;
    encoder->m_BottomUp = source.biHeight > 0;
    encoder->m_BytesPerPixel = source.biBitCount / 8;
    encoder->m_Quality = quality < 1 ? 1 : quality > 100 ? 100 : quality;
    encoder->m_Stride = (DWORD)stride;
    encoder->m_SourceSize = (DWORD)size;
    encoder->m_OutputCapacity = (size_t)(size / 4) + 65536;
    encoder->m_Output = (BYTE*)malloc(encoder->m_OutputCapacity);
    encoder->m_PreviousBits = (BYTE*)malloc((size_t)size);
    if (!encoder->m_Output || !encoder->m_PreviousBits)
    {
        delete encoder;
        return 0;
    }

    BITMAPINFOHEADER& format = encoder->m_Format;
    format.biSize = sizeof(BITMAPINFOHEADER);
    format.biWidth = (LONG)width;
    format.biHeight = (LONG)height;
    format.biPlanes = 1;
    format.biBitCount = 24;
    format.biCompression = mmioFOURCC('M', 'J', 'P', 'G');
    format.biSizeImage = (DWORD)(width * height * 3);
    return encoder;
}

const BYTE* CMjpegEncoder::Encode(const BYTE* bits, DWORD* size)
{
    if (!bits)
        return 0;
    if (m_HasPrevious && memcmp(bits, m_PreviousBits, m_SourceSize) == 0)
    {
        *size = (DWORD)m_OutputSize;
        return m_Output;
    }
    m_HasPrevious = false;
    JpegOutput out = {m_Output, m_OutputCapacity, 0};
    bool done = CompressFrame(bits, m_Width, m_Height, m_Stride, m_BottomUp, m_BytesPerPixel,
                              m_Quality, &out);
    m_Output = out.data;
    m_OutputCapacity = out.capacity;
    if (!done || out.size > 0x7FFFFFFF)
        return 0;
    m_OutputSize = out.size;
    memcpy(m_PreviousBits, bits, m_SourceSize);
    m_HasPrevious = true;
    *size = (DWORD)m_OutputSize;
    return m_Output;
}
