// CJpgFile: loading a JPEG file (whole, or only its EXIF thumbnail) into a
// CRgbBuffer and saving a buffer as a JPEG file.
#include "JpgFile.h"
#include "RgbBuffer.h"
#include "FileInfo.h"
#include "EmbeddedProfile.h"
#include "ExifOrientation.h"
#include "ArchiveStream.h"
#include "JpegSink.h"
#include "JpegMetadataCopy.h"
#include "JpegMarkers.h"
#include "IccProfile.h"

#include <stdio.h>
#include <stdlib.h>
#include <utility>
#include <vector>

CJpgFile::CJpgFile(CString fileName, int quality, bool thumbnailOnly)
    : CImageFile(fileName), m_Quality(quality), m_ThumbnailOnly(thumbnailOnly), m_Target(NULL),
      m_ExifData(NULL)
{
    ClearParseState();
}

CJpgFile::CJpgFile(const CJpgFile& other)
    : CImageFile(other), m_Quality(other.m_Quality), m_ThumbnailOnly(other.m_ThumbnailOnly),
      m_Target(NULL), m_ExifData(NULL), m_MetadataSource(other.m_MetadataSource)
{
    ClearParseState();
}

CJpgFile& CJpgFile::operator=(const CJpgFile& other)
{
    if (&other != this)
    {
        CImageFile::operator=(other);
        m_Quality = other.m_Quality;
        m_ThumbnailOnly = other.m_ThumbnailOnly;
        m_MetadataSource = other.m_MetadataSource;
        m_Target = NULL;
        ClearParseState();
    }
    return *this;
}

CJpgFile::~CJpgFile()
{
    ClearParseState();
}

void CJpgFile::ClearParseState()
{
    free(m_ExifData);
    m_ExifData = NULL;
    m_ExifLength = 0;
    m_ThumbnailOffset = 0;
    m_MotorolaOrder = 0;
    m_Position = 0;
    m_ExifIfdOffset = 0;
    m_InteropIfdOffset = 0;
    m_ThumbnailDone = false;
}

int CJpgFile::Load(CRgbBuffer* buffer)
{
    if (!buffer)
        return 0;
    m_Target = buffer;
    if (buffer->m_Buffer)
    {
        // The caller should have emptied it; never leak or mix pixels.
        buffer->DeleteInternalBitmap();
        CRgbBuffer::FreePixelArray(buffer->m_Buffer);
        buffer->m_Buffer = NULL;
        buffer->m_Width = buffer->m_Height = 0;
    }
    FILE* file = fopen(m_FileName, "rb");
    if (file)
    {
        if (!m_ThumbnailOnly)
        {
            try
            {
                read_JPG_file(file, &buffer->m_Buffer, &buffer->m_Width, &buffer->m_Height, NULL,
                              0);
            }
            catch (...)
            {
            }
            // Photos stored turned (portraits as landscape pixels) come out upright.
            if (buffer->IsImage())
                CExifOrientation::Apply(buffer, CExifOrientation::FromJpegFile(file));
        }
        else if (read_exif_data(file))
        {
            ParseExifData();
            // The thumbnail is stored turned like the photo: the preview and
            // the full picture agree.
            if (buffer->IsImage())
                CExifOrientation::Apply(buffer, CExifOrientation::FromTiffBlock(m_ExifData, m_ExifLength));
        }
        // Cameras make the EXIF thumbnail in the photo's colours too.
        if (buffer->IsImage())
            EmbeddedProfile::Attach(buffer, EmbeddedProfile::FromJpegFile(file));
        fclose(file);
    }
    ClearParseState();
    m_Target = NULL;
    return buffer->IsImage();
}

int CJpgFile::LoadReduced(CRgbBuffer* buffer, int boxWidth, int boxHeight, CSize* fullSize)
{
    if (!buffer)
        return 0;
    buffer->CleanUp();
    int fullWidth = 0, fullHeight = 0;
    FILE* file = fopen(m_FileName, "rb");
    int orientation = CExifOrientation::Upright;
    if (file)
    {
        // Larger reads: the library asks for 4 KB at a time, and each read
        // that reaches the system is costly under some file systems. Not
        // much larger: a buffer of a megabyte costs more to get from the
        // system than a small picture takes to decode.
        setvbuf(file, NULL, _IOFBF, 1 << 16);
        // A photo stored turned a quarter is decoded against the turned box,
        // so that upright it still covers the best fit into the box.
        orientation = CExifOrientation::FromJpegFile(file);
        bool swaps = CExifOrientation::SwapsSides(orientation);
        if (fseek(file, 0, SEEK_SET) == 0)
            read_JPG_file_reduced(file, &buffer->m_Buffer, &buffer->m_Width, &buffer->m_Height,
                                  swaps ? boxHeight : boxWidth, swaps ? boxWidth : boxHeight,
                                  &fullWidth, &fullHeight);
        if (buffer->IsImage())
            EmbeddedProfile::Attach(buffer, EmbeddedProfile::FromJpegFile(file));
        fclose(file);
        if (swaps)
            std::swap(fullWidth, fullHeight);
    }
    CExifOrientation::Apply(buffer, orientation);
    if (fullSize)
        *fullSize = CSize(fullWidth, fullHeight);
    if (!buffer->IsImage())
        buffer->CleanUp();
    return buffer->IsImage();
}

int CJpgFile::Save(CRgbBuffer* buffer)
{
    if (!buffer || !buffer->IsImage())
        return 0;
    CString path = CFileInfo::AssureExtension(m_FileName, "jpg");
    // Read before anything is written: the source may be the target.
    std::vector<CJpegSegment> segments;
    if (!m_MetadataSource.IsEmpty())
        segments = CJpegMetadataCopy::Segments(m_MetadataSource, *buffer);
    // A picture whose source was no JPEG (or had no profile chunks) still
    // carries its colours' profile into the file.
    bool hasProfile = false;
    for (size_t i = 0; i < segments.size(); ++i)
        hasProfile = hasProfile || (segments[i].m_Marker == CJpegMarkers::App2 &&
                                    segments[i].m_Data.compare(0, 12, CJpegMarkers::IccIdentifier, 12) == 0);
    if (!hasProfile && !buffer->m_IccProfile.empty())
    {
        std::vector<std::string> chunks = CIccProfile::ToJpegChunks(buffer->m_IccProfile);
        for (size_t i = 0; i < chunks.size(); ++i)
        {
            CJpegSegment segment = { CJpegMarkers::App2, chunks[i] };
            segments.push_back(segment);
        }
    }

    CArchiveStream stream;
    if (!stream.OpenForWriting(path, CArchiveStream::LikeTargetFile))
        return 0;
    CJpegArchiveSink sink(stream);
    if (!EncodeJpeg(&sink, buffer->m_Buffer, buffer->m_Width, buffer->m_Height, m_Quality,
                    buffer->m_GrayScale, &segments))
    {
        stream.Close(); // the temporary file goes, the target stays
        return 0;
    }
    return stream.Commit() ? 1 : 0;
}
