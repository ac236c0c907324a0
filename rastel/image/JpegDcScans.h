// Leaving out AC scans of a progressive JPEG. Decoded at 1/8 scale, a block
// of a full-resolution component (the luminance) becomes one pixel made
// from its DC coefficient alone, so that component's AC scans (most of a
// progressive file's data, and most of its decoding time) change nothing in
// the result and can be left out before decoding. (Subsampled components
// are scaled up by a larger inverse DCT that does use their AC
// coefficients.) Internal to rastel.
#pragma once

#include <stddef.h>
#include <vector>

namespace JpegDcScans
{
// Copies `data` into `out` without the AC scans (spectral selection
// starting above 0) of the components whose ids are flagged in
// `dcOnly[id]`. False when the marker structure is not what it should be;
// the caller then decodes the file as it is.
bool Keep(const unsigned char* data, size_t length, const bool (&dcOnly)[256],
          std::vector<unsigned char>& out);
}
