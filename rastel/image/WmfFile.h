// CWmfFile: shows enhanced (EMF) and Windows (WMF, plain or placeable)
// metafiles by playing them into a white 24-bit bitmap of their bounds.
// Only records that pass the checks of CMetafileCheck are played, up to the
// first one that fails. Bounds larger than MaxPlaybackPixels are played
// scaled down to that size; bounds beyond the picture limit of CRgbBuffer
// are refused. Save writes nothing. Failures leave the buffer empty;
// nothing throws.
#pragma once

#include "ImageFile.h"

class RASTEL_API CWmfFile : public CImageFile
{
public:
    CWmfFile(CString fileName);
    CWmfFile(const CWmfFile& other);

    enum { MaxPlaybackPixels = 2048 * 2048 };

    int Load(CRgbBuffer* buffer) override; // 1 when a picture was made
    int Save(CRgbBuffer* buffer) override; // 0
};
