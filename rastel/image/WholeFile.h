// CWholeFile: reads a whole file into memory for the codecs whose libraries
// decode from a memory block (WebP, HEIF). Internal to rastel.
#pragma once

#include "Framework.h"

class CWholeFile
{
public:
    // The file's bytes in a block to release with free(), and their count in
    // *size; NULL when the file cannot be read whole, is empty or is longer
    // than maxBytes.
    static BYTE* Read(const CString& path, long long maxBytes, size_t* size);
};
