// CHeifThumbnail: the small picture a HEIF file carries beside its primary
// image (a thumbnail item, as phones write one), decoded for the browser's
// quick preview while the full picture is still to come. The thumbnail is
// turned by its own rotation and mirror properties, so it is upright like
// the primary image; deeper samples are rounded to 8 bits.
//
// Contract: 1 with the thumbnail in the buffer; 0 with the buffer empty when
// the file has no thumbnail item, or it cannot be read or decoded. Nothing
// throws.
#pragma once

#include "Framework.h"
#include "RastelApi.h"

class CRgbBuffer;

class RASTEL_API CHeifThumbnail
{
public:
    static int Load(const CString& path, CRgbBuffer* buffer);
    static int Decode(const BYTE* data, size_t size, CRgbBuffer* buffer);
};
