// The in-memory data source of the JPEG codec (see JpgMemorySource.h).
#include "JpgMemorySource.h"

namespace
{
struct MemorySource
{
    jpeg_source_mgr pub;
    const BYTE* data;
    size_t length;
};

const JOCTET s_EndOfImage[2] = { 0xFF, JPEG_EOI };

void InitSource(j_decompress_ptr cinfo)
{
}

// Called only when the block is used up: the library wants more than there
// is, so the block was truncated. Feed it an end-of-image marker as many
// times as it asks.
boolean FillInputBuffer(j_decompress_ptr cinfo)
{
    WARNMS(cinfo, JWRN_JPEG_EOF);
    cinfo->src->next_input_byte = s_EndOfImage;
    cinfo->src->bytes_in_buffer = 2;
    return TRUE;
}

void SkipInputData(j_decompress_ptr cinfo, long count)
{
    if (count <= 0)
        return;
    jpeg_source_mgr* src = cinfo->src;
    if ((size_t)count > src->bytes_in_buffer)
    {
        // Skipping past the end: what follows is the end of the stream.
        FillInputBuffer(cinfo);
        return;
    }
    src->next_input_byte += count;
    src->bytes_in_buffer -= (size_t)count;
}

void TermSource(j_decompress_ptr cinfo)
{
}
} // namespace

void UseJpegMemorySource(j_decompress_ptr cinfo, const BYTE* data, size_t length)
{
    MemorySource* src = (MemorySource*)(*cinfo->mem->alloc_small)(
        (j_common_ptr)cinfo, JPOOL_PERMANENT, sizeof(MemorySource));
    cinfo->src = &src->pub;
    src->pub.init_source = InitSource;
    src->pub.fill_input_buffer = FillInputBuffer;
    src->pub.skip_input_data = SkipInputData;
    src->pub.resync_to_restart = jpeg_resync_to_restart;
    src->pub.term_source = TermSource;
    src->data = data;
    src->length = length;
    src->pub.next_input_byte = data;
    src->pub.bytes_in_buffer = length;
}
