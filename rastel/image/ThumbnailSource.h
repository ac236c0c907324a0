// CThumbnailSource: how the browser's thumbnail generator reads a picture.
// For its quick first pass, the small preview a file carries (a JPEG's EXIF
// thumbnail, a HEIF or AVIF thumbnail item, a JPEG XL preview frame); for its full
// pass, the picture decoded no larger than the thumbnail needs where the
// codec can (JPEG's DCT scaling, WebP's scaled decode, JPEG XL averaged to 1/8),
// and at full size through the codec front end otherwise. Everything comes
// out upright.
//
// Contract: 1 with the picture in the buffer; 0 with the buffer empty. No
// function throws.
#pragma once

#include "Framework.h"
#include "RastelApi.h"

class CRgbBuffer;

class RASTEL_API CThumbnailSource
{
public:
    // True for the types whose files may carry a preview (by extension).
    static bool MayCarryPreview(const CString& path);
    // The file's own preview; 0 when it has none.
    static int LoadPreview(const CString& path, CRgbBuffer* buffer);
    // The picture, at a size that still covers its best fit into
    // boxWidth x boxHeight; fullSize, when given, gets its own upright size.
    static int LoadReduced(const CString& path, CRgbBuffer* buffer, int boxWidth, int boxHeight, CSize* fullSize);
};
