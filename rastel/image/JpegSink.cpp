// The sinks of the JPEG encoder (see JpegSink.h) and the library's
// destination manager that hands its buffer to a sink.
#include "JpegSink.h"
#include "JpegDestination.h"
#include "ArchiveStream.h"

bool CJpegMemorySink::Write(const BYTE* data, size_t count)
{
    m_Bytes.append((const char*)data, count);
    return true;
}

bool CJpegArchiveSink::Write(const BYTE* data, size_t count)
{
    while (count > 0 && !m_Stream.HasFailed())
    {
        DWORD chunk = count > 0x10000 ? 0x10000 : (DWORD)count;
        m_Stream.WriteBytes(data, chunk);
        data += chunk;
        count -= chunk;
    }
    return !m_Stream.HasFailed();
}

namespace
{
const size_t DestinationBufferSize = 65536;

struct SinkDestination
{
    jpeg_destination_mgr pub;
    CJpegSink* sink;
    JOCTET* buffer;
};

void InitDestination(j_compress_ptr cinfo)
{
    SinkDestination* dest = (SinkDestination*)cinfo->dest;
    // Freed with the picture's other memory when the compression ends.
    dest->buffer = (JOCTET*)(*cinfo->mem->alloc_small)((j_common_ptr)cinfo, JPOOL_IMAGE,
                                                       DestinationBufferSize);
    dest->pub.next_output_byte = dest->buffer;
    dest->pub.free_in_buffer = DestinationBufferSize;
}

// The library calls this with the buffer full (free_in_buffer is stale).
boolean EmptyOutputBuffer(j_compress_ptr cinfo)
{
    SinkDestination* dest = (SinkDestination*)cinfo->dest;
    if (!dest->sink->Write(dest->buffer, DestinationBufferSize))
        ERREXIT(cinfo, JERR_FILE_WRITE);
    dest->pub.next_output_byte = dest->buffer;
    dest->pub.free_in_buffer = DestinationBufferSize;
    return TRUE;
}

void TermDestination(j_compress_ptr cinfo)
{
    SinkDestination* dest = (SinkDestination*)cinfo->dest;
    size_t used = DestinationBufferSize - dest->pub.free_in_buffer;
    if (used > 0 && !dest->sink->Write(dest->buffer, used))
        ERREXIT(cinfo, JERR_FILE_WRITE);
}
} // namespace

void UseJpegSinkDestination(j_compress_ptr cinfo, CJpegSink* sink)
{
    SinkDestination* dest = (SinkDestination*)(*cinfo->mem->alloc_small)(
        (j_common_ptr)cinfo, JPOOL_PERMANENT, sizeof(SinkDestination));
    dest->buffer = NULL;
    dest->sink = sink;
    dest->pub.init_destination = InitDestination;
    dest->pub.empty_output_buffer = EmptyOutputBuffer;
    dest->pub.term_destination = TermDestination;
    cinfo->dest = &dest->pub;
}
