// CAvifFile: reads the primary image of AVIF files (.avif: AV1 pictures in
// the HEIF container) through libheif and dav1d, as CHeifFile reads HEVC
// ones: the rotation and mirror properties are applied, 10- and 12-bit
// pictures are reduced to 8 bits with rounding, alpha is dropped as for
// PNG. An animated AVIF gives its still primary image, which the encoders
// write as the first frame. Save writes nothing. Failures, truncated and
// hostile files leave the buffer empty; nothing throws.
#pragma once

#include "HeifFile.h"

class RASTEL_API CAvifFile : public CHeifFile
{
public:
    CAvifFile(CString fileName);
    CAvifFile(const CAvifFile& other);
};
