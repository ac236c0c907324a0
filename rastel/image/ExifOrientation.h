// CExifOrientation: the orientation a photo is stored with (the EXIF and TIFF
// "Orientation" tag, values 1 to 8) and the turn that makes it upright.
// Cameras and phones store portrait photos as landscape pixels plus this
// tag; every codec that reads a tag turns its picture with Apply, so every
// program sees photos upright.
//
// Contract:
// - The readers never read outside what they are given; a missing, zero or
//   out-of-range tag, or one with a wrong type or count, means 1 (as stored).
// - Apply turns the buffer in place; with 1, an unknown value or an empty
//   buffer it changes nothing. When the turned copy cannot be allocated the
//   picture stays as stored.
#pragma once

#include <stdio.h>
#include "Framework.h"
#include "RastelApi.h"

class CRgbBuffer;

class RASTEL_API CExifOrientation
{
public:
    enum
    {
        Upright = 1,        // as stored
        Mirrored = 2,       // mirror left-right
        HalfTurn = 3,       // turn 180 degrees
        Flipped = 4,        // mirror top-bottom
        Transposed = 5,     // mirror along the top-left diagonal
        QuarterTurnCW = 6,  // turn 90 degrees clockwise
        Transversed = 7,    // mirror along the top-right diagonal
        QuarterTurnCCW = 8, // turn 90 degrees counter-clockwise
        TagOrientation = 0x0112
    };

    // The orientation in IFD0 of a TIFF-structured block (the EXIF block
    // after "Exif\0\0", starting with "II" or "MM").
    static int FromTiffBlock(const BYTE* block, long long length);
    // The orientation of a JPEG file: from the EXIF block of its first APP1
    // segment that holds one. Reads from the start of the file; the file
    // position is left anywhere.
    static int FromJpegFile(FILE* file);

    // True for the values that swap width and height (5 to 8).
    static bool SwapsSides(int orientation) { return orientation >= Transposed && orientation <= QuarterTurnCCW; }

    // Turns the stored picture upright.
    static void Apply(CRgbBuffer* buffer, int orientation);
};
