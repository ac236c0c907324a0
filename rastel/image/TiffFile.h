// CTiffFile: reads the first image of a TIFF file through libtiff's RGBA
// interface into a CRgbBuffer (alpha dropped). Save writes nothing. Failures
// leave the buffer empty; nothing throws.
#pragma once

#include "ImageFile.h"

class RASTEL_API CTiffFile : public CImageFile
{
public:
    CTiffFile(CString fileName);
    CTiffFile(const CTiffFile& other);

    // 1 whenever it ran to the end: success is the buffer holding pixels.
    int Load(CRgbBuffer* buffer) override;
    int Save(CRgbBuffer* buffer) override; // 0
};
