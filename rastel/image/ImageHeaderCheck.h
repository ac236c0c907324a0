// CImageHeaderCheck: reads the headers of BMP, ICO and CUR files with the
// Win32 file API and refuses files that the system loaders must not see:
// truncated files, sizes that overflow or cannot be allocated, palettes and
// entries that lie outside the file. Internal to rastel.
#pragma once

#include "Framework.h"

// Where a checked BMP keeps its pixels.
struct BmpLayout
{
    long long bitsOffset; // file offset of the first pixel row
    long long stride;     // bytes of one uncompressed row (0 for run-length data)
    int width;
    int height;           // as in the header: negative for a top-down file
    int bits;
    DWORD compression;
    DWORD masks[3];       // red, green, blue for BI_BITFIELDS, else 0
};

class CImageHeaderCheck
{
public:
    // A BMP/DIB whose headers, palette and pixel bits are consistent and
    // lie inside the file, and whose picture fits a CRgbBuffer. The layout,
    // when asked for, is filled for a safe file.
    static BOOL IsSafeBmpFile(const CString& path, BmpLayout* layout = NULL);
    // An ICO or CUR file whose directory and every image it lists are
    // consistent and lie inside the file.
    static BOOL IsSafeIconFile(const CString& path);
};
