// CJxlFile: reads JPEG XL files (bare codestreams and the container)
// through libjxl's decoder into a CRgbBuffer: the first frame of an
// animation, turned upright by the file's orientation, alpha dropped as for
// PNG, deeper samples rounded to 8 bits by the library. Save writes nothing.
// Failures, truncated and hostile files leave the buffer empty; nothing
// throws.
#pragma once

#include "ImageFile.h"

class RASTEL_API CJxlFile : public CImageFile
{
public:
    // Larger files are refused unread.
    enum { MaxFileBytes = 512 * 1024 * 1024 };

    CJxlFile(CString fileName);
    CJxlFile(const CJxlFile& other);

    int Load(CRgbBuffer* buffer) override; // 1 on success, 0 otherwise
    int Save(CRgbBuffer* buffer) override; // 0

    // Decodes a whole file held in memory, as Load does.
    static int Decode(const BYTE* data, size_t size, CRgbBuffer* buffer);
};
