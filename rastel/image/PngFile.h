// CPngFile: reads PNG files through libpng into a CRgbBuffer (8-bit RGB;
// alpha dropped; palette and grey expanded; gAMA corrected to screen gamma
// 2.2). Save writes nothing. Failures leave the buffer empty; nothing throws.
#pragma once

#include "ImageFile.h"

class RASTEL_API CPngFile : public CImageFile
{
public:
    CPngFile(CString fileName);
    CPngFile(const CPngFile& other);

    int Load(CRgbBuffer* buffer) override; // 1 on success, 0 otherwise
    int Save(CRgbBuffer* buffer) override; // 0
};
