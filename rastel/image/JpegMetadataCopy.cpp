// The metadata a saved JPEG takes over from its source (see
// JpegMetadataCopy.h): the EXIF block rewritten with a thumbnail of the new
// picture, XMP values of orientation and size set, the ICC chunks as they were.
#include "JpegMetadataCopy.h"
#include "JpegMarkers.h"
#include "ExifRewrite.h"
#include "RgbBuffer.h"

#include <stdio.h>
#include <string.h>

namespace
{
// Qualities tried for the thumbnail, until the EXIF segment holds it.
const int ThumbnailQualities[] = { 75, 50, 25 };

std::string EncodeThumbnail(const CRgbBuffer& picture, int quality)
{
    CRgbBuffer* small = picture.CreateBestFitRGB(
        CRect(0, 0, CJpegMetadataCopy::ThumbnailWidth, CJpegMetadataCopy::ThumbnailHeight));
    CJpegMemorySink sink;
    bool made = small && small->IsImage() &&
                EncodeJpeg(&sink, small->GetBuffer(), small->GetWidth(), small->GetHeight(), quality,
                           picture.m_GrayScale, NULL);
    delete small;
    return made ? sink.m_Bytes : std::string();
}

bool FitsSegment(size_t identifier, size_t data)
{
    return identifier + data <= CJpegMarkers::MaxSegmentData;
}

// The EXIF segment's data for a width x height picture whose thumbnail is
// made from `picture`, or empty.
std::string ExifSegment(const std::string& block, int width, int height, const CRgbBuffer& picture)
{
    const size_t identifier = sizeof(CJpegMarkers::ExifIdentifier);
    std::string rewritten;
    if (CExifRewrite::HasThumbnailDirectory(block))
        for (size_t i = 0; i < sizeof(ThumbnailQualities) / sizeof(ThumbnailQualities[0]); ++i)
        {
            std::string thumbnail = EncodeThumbnail(picture, ThumbnailQualities[i]);
            if (thumbnail.empty())
                break;
            if (!CExifRewrite::Rewrite(block, width, height, thumbnail, rewritten))
                return std::string(); // damaged: not copied
            if (FitsSegment(identifier, rewritten.size()))
                break;
            rewritten.clear();
        }
    if (rewritten.empty() &&
        !CExifRewrite::Rewrite(block, width, height, std::string(), rewritten))
        return std::string();
    if (!FitsSegment(identifier, rewritten.size()))
        return std::string();
    return std::string(CJpegMarkers::ExifIdentifier, identifier) + rewritten;
}

// A profile describes the stored samples: an RGB one is wrong for a
// one-channel file (the grayscale tool's) and a grey or CMYK one for an RGB
// file. Its colour space is at byte 16 of the profile, in the first chunk.
bool ProfileFits(const std::vector<std::string>& chunks, bool grey)
{
    const size_t chunkHeader = sizeof(CJpegMarkers::IccIdentifier) + 2; // sequence number, count
    for (size_t i = 0; i < chunks.size(); ++i)
        if (chunks[i].size() >= chunkHeader + 20 && chunks[i][chunkHeader - 2] == 1)
            return chunks[i].compare(chunkHeader + 16, 4, grey ? "GRAY" : "RGB ") == 0;
    return false;
}

std::string XmpSegment(const std::string& xmp, int pictureWidth, int pictureHeight)
{
    char width[16], height[16];
    snprintf(width, sizeof(width), "%d", pictureWidth);
    snprintf(height, sizeof(height), "%d", pictureHeight);
    std::string result = CJpegMarkers::SetXmpValue(xmp, "tiff:Orientation", "1");
    result = CJpegMarkers::SetXmpValue(result, "exif:PixelXDimension", width);
    result = CJpegMarkers::SetXmpValue(result, "exif:PixelYDimension", height);
    result = CJpegMarkers::SetXmpValue(result, "tiff:ImageWidth", width);
    result = CJpegMarkers::SetXmpValue(result, "tiff:ImageLength", height);
    return FitsSegment(0, result.size()) ? result : std::string();
}
} // namespace

std::vector<CJpegSegment> CJpegMetadataCopy::Segments(const CString& source, const CRgbBuffer& picture)
{
    std::vector<CJpegSegment> segments;
    CJpegMarkers markers;
    if (!picture.IsImage() || !markers.Read(source))
        return segments;
    CJpegSegment segment;
    if (!markers.m_Exif.empty())
    {
        segment.m_Marker = CJpegMarkers::App1;
        segment.m_Data = ExifSegment(markers.m_Exif, picture.GetWidth(), picture.GetHeight(), picture);
        if (!segment.m_Data.empty())
            segments.push_back(segment);
    }
    if (!markers.m_Xmp.empty())
    {
        segment.m_Marker = CJpegMarkers::App1;
        segment.m_Data = XmpSegment(markers.m_Xmp, picture.GetWidth(), picture.GetHeight());
        if (!segment.m_Data.empty())
            segments.push_back(segment);
    }
    if (ProfileFits(markers.m_Icc, picture.m_GrayScale != 0))
        for (size_t i = 0; i < markers.m_Icc.size(); ++i)
        {
            segment.m_Marker = CJpegMarkers::App2;
            segment.m_Data = markers.m_Icc[i];
            segments.push_back(segment);
        }
    return segments;
}

std::string CJpegMetadataCopy::ExifData(const std::string& block, int width, int height,
                                        const CRgbBuffer& thumbnailSource)
{
    return ExifSegment(block, width, height, thumbnailSource);
}

std::string CJpegMetadataCopy::XmpData(const std::string& xmp, int width, int height)
{
    return XmpSegment(xmp, width, height);
}
