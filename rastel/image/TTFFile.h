// CTTFFile: shows a TrueType font file as a fixed 640 x 480 type sample.
// The file's contents are not read, so every font gives the same picture.
// Save writes nothing; nothing throws.
#pragma once

#include "ImageFile.h"

class RASTEL_API CTTFFile : public CImageFile
{
public:
    CTTFFile(CString fileName);
    CTTFFile(const CTTFFile& other);

    int Load(CRgbBuffer* buffer) override; // 1 when the sample was drawn
    int Save(CRgbBuffer* buffer) override; // 0
};
