// CWholeFile: reads a whole file into memory for the codecs whose libraries
// decode from a memory block (WebP, HEIF, JPEG XL). Internal to rastel.
#pragma once

#include "Framework.h"

class CRgbBuffer;

class CWholeFile
{
public:
    // The file's bytes in a block to release with free(), and their count in
    // *size; NULL when the file cannot be read whole, is empty or is longer
    // than maxBytes.
    static BYTE* Read(const CString& path, long long maxBytes, size_t* size);
    // Reads the file whole (at most maxBytes) and hands its bytes to decode;
    // 0 when it cannot be read or the decode fails.
    static int Decode(const CString& path, long long maxBytes, CRgbBuffer* buffer,
                      int (*decode)(const BYTE* data, size_t size, CRgbBuffer* buffer));
    // The same for the reduced decoders of thumbnails: the picture fitted
    // into boxWidth x boxHeight, fullSize (when given) its own size; on
    // failure the buffer is empty and fullSize 0 x 0.
    typedef int (*ReducedDecode)(const BYTE* data, size_t size, CRgbBuffer* buffer, int boxWidth, int boxHeight,
                                 CSize* fullSize);
    static int DecodeReduced(const CString& path, long long maxBytes, CRgbBuffer* buffer, int boxWidth,
                             int boxHeight, CSize* fullSize, ReducedDecode decode);
};
