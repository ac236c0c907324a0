// The JPEG library's destination manager over a CJpegSink. Internal to rastel.
#pragma once

#include "JpegLib.h"

class CJpegSink;

// Makes cinfo write through sink, which must outlive the compression. A
// failed write ends the compression with the library's write error.
void UseJpegSinkDestination(j_compress_ptr cinfo, CJpegSink* sink);
