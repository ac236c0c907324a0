// CWebpFile: reads WebP files (lossy, lossless, with alpha, animated)
// through libwebp into a CRgbBuffer. An animation shows its first frame on
// its canvas; alpha is dropped as for PNG (the colour under it stays); the
// EXIF Orientation of the file's EXIF chunk is applied. Save writes nothing.
// Failures, truncated and hostile files leave the buffer empty; nothing
// throws.
#pragma once

#include "ImageFile.h"

class RASTEL_API CWebpFile : public CImageFile
{
public:
    // Larger files are refused unread (a RIFF file cannot pass 4 GB, and no
    // real WebP photo comes near this).
    enum { MaxFileBytes = 512 * 1024 * 1024 };

    CWebpFile(CString fileName);
    CWebpFile(const CWebpFile& other);

    int Load(CRgbBuffer* buffer) override; // 1 on success, 0 otherwise
    int Save(CRgbBuffer* buffer) override; // 0

    // Decodes a whole file held in memory, as Load does.
    static int Decode(const BYTE* data, size_t size, CRgbBuffer* buffer);
};
