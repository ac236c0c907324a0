// CMjpegEncoder: the video writer's own Motion-JPEG compressor (internal to
// rastel), used when the platform offers no compressor of its own. Each frame
// becomes one baseline JPEG; the stream format is a BITMAPINFOHEADER with the
// compression "MJPG", which common players decode.
//
// Contract: frames are device-independent bitmap bits of the size and format
// given at construction (24 or 32 bits a pixel, BI_RGB, rows bottom-up with
// 4-byte aligned stride, as GetDIBits delivers them). Encode returns null on
// failure; the returned bytes stay valid until the next Encode or destruction.
// A frame whose bits equal the previous frame's reuses its JPEG unencoded.
#pragma once

#include <windows.h>

class CMjpegEncoder
{
public:
    // Null when the format is not one the encoder takes.
    static CMjpegEncoder* Create(const BITMAPINFOHEADER& source, int quality);
    ~CMjpegEncoder();

    const BITMAPINFOHEADER& Format() const { return m_Format; }
    const BYTE* Encode(const BYTE* bits, DWORD* size);

    // The byte size of one frame of bits, stride included.
    DWORD SourceImageSize() const { return m_SourceSize; }

private:
    CMjpegEncoder();
    CMjpegEncoder(const CMjpegEncoder&);
    CMjpegEncoder& operator=(const CMjpegEncoder&);

    BITMAPINFOHEADER m_Format;
    int m_Width;
    int m_Height;
    bool m_BottomUp;
    int m_BytesPerPixel;
    int m_Quality;
    DWORD m_Stride;
    DWORD m_SourceSize;

    BYTE* m_Output;          // the last JPEG (malloc, grows as needed)
    size_t m_OutputCapacity;
    size_t m_OutputSize;
    BYTE* m_PreviousBits;    // bits of the last encoded frame
    bool m_HasPrevious;
};
