// CBmpFile: reads BMP and DIB files through the system's bitmap loader and
// keeps the loaded section as the buffer's cached bitmap.
#pragma once

#include "ImageFile.h"

class RASTEL_API CBmpFile : public CImageFile
{
public:
    CBmpFile(CString fileName);
    CBmpFile(const CBmpFile& other);

    virtual int Load(CRgbBuffer* buffer);
    virtual int Save(CRgbBuffer* buffer); // writes nothing, returns 0
};
