// CCurFile: reads CUR files through the system's cursor loader.
#pragma once

#include "ImageFile.h"

class RASTEL_API CCurFile : public CImageFile
{
public:
    CCurFile(CString fileName);
    CCurFile(const CCurFile& other);

    virtual int Load(CRgbBuffer* buffer);
    virtual int Save(CRgbBuffer* buffer); // writes nothing, returns 0
};
