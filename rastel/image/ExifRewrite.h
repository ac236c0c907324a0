// CExifRewrite: the EXIF block of a photo made fit for a new picture made
// from it: Orientation 1 (the pixels are upright now), the pixel dimension
// tags of the new size, and the embedded thumbnail replaced by one of the
// new picture, or removed. Internal to rastel.
//
// Contract:
// - Works on the TIFF-structured block (after "Exif\0\0"). Everything else
//   (dates, camera, exposure, GPS, maker notes) stays byte for byte where it
//   was, so offsets inside maker notes stay valid.
// - Refuses (returns false, out untouched) a block that is damaged: a bad
//   header, a directory or value outside the block, a directory reached
//   twice. Never reads or writes outside the block.
// - thumbnail empty: the thumbnail directory (IFD1) is dropped. The result
//   may be longer than a segment holds; the caller checks its size.
#pragma once

#include <windows.h>
#include <string>

class CExifRewrite
{
public:
    enum
    {
        TagOrientation = 0x0112,
        TagExifIfd = 0x8769,
        TagGpsIfd = 0x8825,
        TagInteropIfd = 0xA005,
        TagPixelXDimension = 0xA002,
        TagPixelYDimension = 0xA003,
        TagThumbnailOffset = 0x0201,
        TagThumbnailLength = 0x0202
    };

    static bool Rewrite(const std::string& block, int width, int height,
                        const std::string& thumbnail, std::string& out);
    // True when the block has a thumbnail directory (IFD1) to replace.
    static bool HasThumbnailDirectory(const std::string& block);
};
