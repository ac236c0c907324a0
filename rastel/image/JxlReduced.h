// CJxlReduced: JPEG XL pictures for thumbnails. The preview frame a file
// may carry (a small picture stored before the main one), and the main
// picture at 1/8 of its size, averaged down from the full decode (see
// JxlReduced.cpp for why not from the DC pass). Both come out upright (the
// file's orientation applied here).
//
// Contract: 1 with the picture in the buffer; 0 with the buffer empty when
// there is no preview, or the file cannot be read or decoded (truncated or
// hostile files included). Nothing throws.
#pragma once

#include "Framework.h"
#include "RastelApi.h"

class CRgbBuffer;

class RASTEL_API CJxlReduced
{
public:
    enum { Factor = 8 }; // each side is reduced by this much

    static int LoadPreview(const CString& path, CRgbBuffer* buffer);
    static int DecodePreview(const BYTE* data, size_t size, CRgbBuffer* buffer);

    // The picture at 1/8 of its size (rounded up) when that still covers
    // its best fit into boxWidth x boxHeight, else at full size (CJxlFile).
    // fullSize, when given, gets the picture's own upright size.
    static int LoadReduced(const CString& path, CRgbBuffer* buffer, int boxWidth, int boxHeight, CSize* fullSize);
    static int DecodeReduced(const BYTE* data, size_t size, CRgbBuffer* buffer, int boxWidth, int boxHeight,
                             CSize* fullSize);
};
