// AVIF decoding: the HEIF container reader, whose libheif hands AV1 items to
// dav1d.
#include "AvifFile.h"

CAvifFile::CAvifFile(CString fileName)
    : CHeifFile(fileName)
{
}

CAvifFile::CAvifFile(const CAvifFile& other)
    : CHeifFile(other)
{
}
