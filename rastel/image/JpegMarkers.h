// CJpegMarkers: the metadata segments of a JPEG file that a save carries
// over into the file it writes: the EXIF block, the XMP packet and the
// chunks of the ICC colour profile. Internal to rastel.
//
// Contract:
// - Read looks only at the segments before the first scan, never reads
//   outside a segment, and gives empty fields for a file that is missing,
//   is no JPEG or lacks a segment. It returns false when the file could not
//   be read as a JPEG at all.
// - Segments are kept as stored: m_Exif without its "Exif\0\0" identifier
//   (the TIFF-structured block), m_Xmp and each ICC chunk with theirs.
#pragma once

#include <stdio.h>
#include <string>
#include <vector>

#include "JpegSink.h"

class CJpegMarkers
{
public:
    std::string m_Exif;              // first APP1 "Exif\0\0", after the identifier
    std::string m_Xmp;               // first APP1 of XMP, identifier included
    std::vector<std::string> m_Icc;  // every APP2 "ICC_PROFILE\0", in file order

    static const char ExifIdentifier[6];
    static const char XmpIdentifier[29];
    static const char IccIdentifier[12];
    enum
    {
        App1 = 0xE1,
        App2 = 0xE2,
        MaxSegmentData = 65533 // bytes of a segment after its length word
    };

    bool Read(const char* path);
    // The same from an open file, read from its start (left open).
    bool Read(FILE* file);
    bool IsEmpty() const { return m_Exif.empty() && m_Xmp.empty() && m_Icc.empty(); }

    // The XMP packet with a value of the tiff: or exif: namespace set to
    // `value`, in its attribute or its element form; unchanged without it.
    static std::string SetXmpValue(const std::string& xmp, const char* name, const char* value);
};
