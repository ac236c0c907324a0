// CWebpReduced: WebP pictures for thumbnails, decoded straight to their
// best fit into a box by libwebp's scaled decode (its rescaler averages the
// rows as they are decoded, so no full-size picture is ever made). Turned
// upright by the file's EXIF Orientation, as CWebpFile does; an animation
// gives its first frame at full size.
//
// Contract: 1 with the picture in the buffer; 0 with the buffer empty when
// the file cannot be read or decoded (truncated or hostile files included).
// Nothing throws.
#pragma once

#include "Framework.h"
#include "RastelApi.h"

class CRgbBuffer;

class RASTEL_API CWebpReduced
{
public:
    // The picture at its best fit into boxWidth x boxHeight (at full size
    // when it fits the box); fullSize, when given, gets its own upright size.
    static int LoadReduced(const CString& path, CRgbBuffer* buffer, int boxWidth, int boxHeight, CSize* fullSize);
    static int DecodeReduced(const BYTE* data, size_t size, CRgbBuffer* buffer, int boxWidth, int boxHeight,
                             CSize* fullSize);
    // The Orientation tag of the file's EXIF chunk (1 without one).
    static int ReadOrientation(const BYTE* data, size_t size);
};
