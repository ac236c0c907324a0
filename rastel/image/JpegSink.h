// Where the JPEG encoder puts the bytes of a file: an archive stream that
// replaces its target on commit, or memory (the EXIF thumbnail). Internal to
// rastel.
//
// Contract:
// - Write returns false once the bytes could not be taken; the encoder then
//   stops and reports failure. Nothing here throws.
// - EncodeJpeg writes SOI, the JFIF header, the given segments in order and
//   the picture; it returns 1, or 0 after a library error or a failed write.
#pragma once

#include <windows.h>
#include <string>
#include <vector>

class CArchiveStream;

class CJpegSink
{
public:
    virtual ~CJpegSink() {}
    virtual bool Write(const BYTE* data, size_t count) = 0;
};

// Appends to a string.
class CJpegMemorySink : public CJpegSink
{
public:
    bool Write(const BYTE* data, size_t count) override;
    std::string m_Bytes;
};

// Writes into a stream opened for writing; fails as soon as the stream has.
class CJpegArchiveSink : public CJpegSink
{
public:
    explicit CJpegArchiveSink(CArchiveStream& stream) : m_Stream(stream) {}
    bool Write(const BYTE* data, size_t count) override;

private:
    CArchiveStream& m_Stream;
};

// One marker segment to write: its marker code (0xE1 for APP1...) and its
// data (at most 65533 bytes, without the length word).
struct CJpegSegment
{
    int m_Marker;
    std::string m_Data;
};

// Encodes width x height RGB pixels (with grayScale one channel from red)
// into sink, with segments (may be null) after the JFIF header.
int EncodeJpeg(CJpegSink* sink, const BYTE* pixels, int width, int height, int quality,
               int grayScale, const std::vector<CJpegSegment>* segments);
