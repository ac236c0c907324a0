// CImageHeaderCheck: reads the headers of BMP, ICO and CUR files with the
// Win32 file API and refuses files that the system loaders must not see:
// truncated files, sizes that overflow or cannot be allocated, palettes and
// entries that lie outside the file. Internal to rastel.
#pragma once

#include "Framework.h"

class CImageHeaderCheck
{
public:
    // A BMP/DIB whose headers, palette and pixel bits are consistent and
    // lie inside the file, and whose picture fits a CRgbBuffer.
    static BOOL IsSafeBmpFile(const CString& path);
    // An ICO or CUR file whose directory and every image it lists are
    // consistent and lie inside the file.
    static BOOL IsSafeIconFile(const CString& path);
};
