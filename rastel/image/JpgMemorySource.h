// A JPEG library data source over a block of memory, for the thumbnails that
// are embedded in a file's EXIF data.
#pragma once

#include "JpegLib.h"

// Makes cinfo read the length bytes at data, which must stay valid until the
// decompression object is destroyed or given another source. The whole block
// is handed over at once; reading past its end gives the library's
// premature-end warning and an end-of-image marker, so a truncated thumbnail
// ends its decode instead of reading beyond the block.
void UseJpegMemorySource(j_decompress_ptr cinfo, const BYTE* data, size_t length);
