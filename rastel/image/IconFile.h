// CIconFile: reads ICO files through the system's icon loader, choosing the
// largest image of the file.
#pragma once

#include "ImageFile.h"

class RASTEL_API CIconFile : public CImageFile
{
public:
    CIconFile(CString fileName);
    CIconFile(const CIconFile& other);

    virtual int Load(CRgbBuffer* buffer);
    virtual int Save(CRgbBuffer* buffer); // writes nothing, returns 0

    // The largest (width, height) of the file's directory, (0, 0) for a file
    // with a single image or one that cannot be read. A size byte 0 is 256.
    CSize GetMaximalIconSize();

    // Copies the pixels of a loaded icon or cursor into an empty buffer and
    // destroys the handle's bitmaps (not the handle). Shared with CCurFile.
    static void ReadIconPixels(HICON icon, CRgbBuffer* buffer, BOOL whiteAfterAllocating);
};
