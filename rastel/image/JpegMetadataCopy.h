// CJpegMetadataCopy: the metadata segments a JPEG saved from another JPEG
// carries over: its EXIF block fitted to the new picture, its XMP packet
// with the same values fitted, its ICC profile as it was when it describes
// the samples written (RGB, or grey for a one-channel file). Internal to rastel.
//
// Contract:
// - Segments never fails: what cannot be carried over safely (a damaged
//   EXIF block, a segment that would not fit) is left out. A source that is
//   missing or no JPEG gives no segments.
// - The EXIF thumbnail is made from `picture` (at most 160 x 120); when even
//   a small one would not fit in the segment, the EXIF goes without one.
#pragma once

#include <string>
#include <vector>

#include "Framework.h"
#include "JpegSink.h"

class CRgbBuffer;

class CJpegMetadataCopy
{
public:
    enum
    {
        ThumbnailWidth = 160,
        ThumbnailHeight = 120
    };

    // The segments for a JPEG of `picture` saved from the file `source`.
    static std::vector<CJpegSegment> Segments(const CString& source, const CRgbBuffer& picture);
    // The data of the EXIF segment (identifier included) for a width x height
    // picture, its thumbnail made from thumbnailSource (an empty one drops
    // it); empty when the block is damaged or the result does not fit.
    static std::string ExifData(const std::string& block, int width, int height,
                                const CRgbBuffer& thumbnailSource);
    // The XMP packet with orientation 1 and the size width x height; empty
    // when it does not fit a segment.
    static std::string XmpData(const std::string& xmp, int width, int height);
};
