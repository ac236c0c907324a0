// CHeifFile: reads the primary image of HEIF files (.heic, .heif: HEVC
// pictures as phones save them) through libheif and libde265 into a
// CRgbBuffer. The file's rotation and mirror properties are applied, so the
// picture comes out upright; 10- and 12-bit pictures are reduced to 8 bits
// with rounding; alpha is dropped as for PNG. Save writes nothing. Failures,
// truncated and hostile files leave the buffer empty; nothing throws.
#pragma once

#include "ImageFile.h"

struct heif_context;

class RASTEL_API CHeifFile : public CImageFile
{
public:
    // Larger files are refused unread.
    enum { MaxFileBytes = 512 * 1024 * 1024 };

    CHeifFile(CString fileName);
    CHeifFile(const CHeifFile& other);

    int Load(CRgbBuffer* buffer) override; // 1 on success, 0 otherwise
    int Save(CRgbBuffer* buffer) override; // 0

    // Decodes a whole file held in memory, as Load does.
    static int Decode(const BYTE* data, size_t size, CRgbBuffer* buffer);

    // Runs `read` on a fresh library context over the bytes, turning what
    // the library throws into a failure; the buffer is empty on failure.
    typedef int (*ContextRead)(heif_context* context, const BYTE* data, size_t size, CRgbBuffer* buffer);
    static int DecodeWith(const BYTE* data, size_t size, CRgbBuffer* buffer, ContextRead read);

    // One sample of `bits` bits (9 to 16) as the nearest 8-bit level.
    static BYTE ReduceSample(unsigned value, int bits)
    {
        unsigned top = (1u << bits) - 1;
        return (BYTE)(((value > top ? top : value) * 255u + top / 2) / top);
    }
};
