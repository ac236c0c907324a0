// CJpgFile's adaptation of the JPEG library: decoding into the RGB pixel
// layout of CRgbBuffer and encoding from it. The library reports fatal errors
// by a jump back into the function that called it, so the functions that
// call the library hold no C++ objects with destructors.
#include "JpgFile.h"
#include "RgbBuffer.h"
#include "JpegLib.h"
#include "JpegErrorJump.h"
#include "JpgMemorySource.h"
#include "JpegDcScans.h"
#include "JpegSink.h"
#include "JpegDestination.h"

#include <io.h>
#include <stdlib.h>
#include <string.h>
#include <vector>

namespace
{
// Memory the library may use for one picture beyond our pixel array: the
// coefficients of a progressive picture of about 170 megapixels. A header
// asking for more is refused (the library has no backing store) instead of
// claiming gigabytes for a hostile file.
const long MaxLibraryMemory = 1024L * 1024 * 1024;

// Rows handed to the library per call when it writes straight into the
// pixel array: several rows a call keep its upsampler on its fast path.
const int RowsPerRead = 16;

inline BYTE ScaleByBlack(int sample, int black)
{
    return (BYTE)((sample * black + 127) / 255);
}

// One output row of 1 or 4 samples a pixel into RGB pixels.
void ConvertRow(const JSAMPLE* samples, int components, int width, BYTE* dest)
{
    if (components == 1)
    {
        for (int x = 0; x < width; ++x, dest += 3)
            dest[0] = dest[1] = dest[2] = samples[x];
        return;
    }
    // CMYK as Adobe's encoders store it: inverted, so each stored value is
    // already 255 - ink and the colour is the value scaled by the black one.
    for (int x = 0; x < width; ++x, samples += 4, dest += 3)
    {
        int black = samples[3];
        dest[0] = ScaleByBlack(samples[0], black);
        dest[1] = ScaleByBlack(samples[1], black);
        dest[2] = ScaleByBlack(samples[2], black);
    }
}
} // namespace

// How DecodeJpeg treats a progressive picture decoded at 1/8 scale.
enum ScanMode
{
    AllScans,       // decode every scan
    OfferDcScans,   // return UseDcScans instead (and the components whose AC
                    // scans need not be decoded), so the caller can drop them
    DcScansOnly,    // the data lacks the AC scans of those components
};
const int UseDcScans = -1;

// The decoder behind read_JPG_file and read_JPG_file_reduced. With a box
// (boxWidth, boxHeight > 0) a picture larger than the box is decoded at the
// smallest DCT scale (1/8, 1/4, 1/2) whose output still covers the picture's
// best fit into the box; the library then averages each 8 x 8 block instead
// of the caller sampling a full-size picture. fullWidth/fullHeight, when
// given, receive the picture's own size. fileBytes > 0 is the size of the
// file the data came from, for the size check.
static int DecodeJpeg(FILE* file, BYTE** pixels, int* width, int* height, BYTE* data, int length,
                      int boxWidth, int boxHeight, int* fullWidth, int* fullHeight,
                      ScanMode scans = AllScans, long long fileBytes = 0,
                      bool (*dcOnly)[256] = NULL)
{
    if (!pixels || !width || !height)
        return 0;
    if (!file && (!data || length <= 0))
        return 0;

    jpeg_decompress_struct cinfo;
    ErrorJump err;
    jpeg_progress_mgr progress;
    memset(&cinfo, 0, sizeof(cinfo));
    memset(&progress, 0, sizeof(progress));
    cinfo.err = InitErrorJump(&err);
    if (setjmp(err.jump))
    {
        // Whatever was decoded stays in *pixels; the rest is black.
        jpeg_destroy_decompress(&cinfo);
        return 0;
    }
    jpeg_create_decompress(&cinfo);
    cinfo.mem->max_memory_to_use = MaxLibraryMemory;
    progress.progress_monitor = LimitScans;
    cinfo.progress = &progress;
    if (file)
        jpeg_stdio_src(&cinfo, file);
    else
        UseJpegMemorySource(&cinfo, data, (size_t)length);

    jpeg_read_header(&cinfo, TRUE);
    if (cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK)
        cinfo.out_color_space = JCS_CMYK;
    // Refuse what the pixel array could not hold, or a picture larger than
    // its data could encode (a few bytes declaring gigapixels), before the
    // library sets up anything for the picture.
    if (fileBytes <= 0)
        fileBytes = file ? _filelengthi64(_fileno(file)) : (long long)length;
    if (!CRgbBuffer::FileCanHoldPicture(cinfo.image_width, cinfo.image_height, fileBytes))
    {
        jpeg_destroy_decompress(&cinfo);
        return 0;
    }
    if (fullWidth && fullHeight)
    {
        *fullWidth = (int)cinfo.image_width;
        *fullHeight = (int)cinfo.image_height;
    }
    if (boxWidth > 0 && boxHeight > 0 &&
        ((int)cinfo.image_width > boxWidth || (int)cinfo.image_height > boxHeight))
    {
        double sx = (double)boxWidth / cinfo.image_width;
        double sy = (double)boxHeight / cinfo.image_height;
        double s = sx < sy ? sx : sy;
        JDIMENSION fitWidth = (JDIMENSION)(cinfo.image_width * s);
        JDIMENSION fitHeight = (JDIMENSION)(cinfo.image_height * s);
        unsigned chosen = 1;
        for (unsigned denom = 8; denom >= 2; denom /= 2)
        {
            cinfo.scale_num = 1;
            cinfo.scale_denom = denom;
            jpeg_calc_output_dimensions(&cinfo);
            if (cinfo.output_width >= fitWidth && cinfo.output_height >= fitHeight)
            {
                chosen = denom;
                break;
            }
        }
        cinfo.scale_num = 1;
        cinfo.scale_denom = chosen;
        if (chosen == 8 && scans == OfferDcScans && cinfo.progressive_mode && !cinfo.arith_code &&
            dcOnly)
        {
            // The components that come out of a one-pixel inverse DCT.
            jpeg_calc_output_dimensions(&cinfo);
            bool any = false;
            memset(dcOnly, 0, sizeof(*dcOnly));
            for (int ci = 0; ci < cinfo.num_components; ++ci)
                if (cinfo.comp_info[ci].DCT_scaled_size == 1)
                    (*dcOnly)[cinfo.comp_info[ci].component_id & 0xFF] = any = true;
            if (any)
            {
                jpeg_destroy_decompress(&cinfo);
                return UseDcScans;
            }
        }
    }
    // Without AC scans the library would estimate AC coefficients from the
    // neighbouring blocks; at 1/8 scale they are not used anyway.
    if (scans == DcScansOnly)
        cinfo.do_block_smoothing = FALSE;
    jpeg_start_decompress(&cinfo);

    int components = cinfo.output_components;
    int w = (int)cinfo.output_width;
    int h = (int)cinfo.output_height;
    BYTE* out = NULL;
    if (components == 1 || components == 3 || components == 4)
        out = CRgbBuffer::AllocatePixelArray(w, h);
    if (!out)
    {
        jpeg_destroy_decompress(&cinfo);
        return 0;
    }
    *pixels = out;
    *width = w;
    *height = h;

    size_t stride = (size_t)w * 3;
    JSAMPARRAY sampleRow = NULL;
    if (components != 3)
        sampleRow = (*cinfo.mem->alloc_sarray)((j_common_ptr)&cinfo, JPOOL_IMAGE,
                                               (JDIMENSION)w * components, 1);
    while (cinfo.output_scanline < cinfo.output_height)
    {
        JDIMENSION done = cinfo.output_scanline;
        JDIMENSION got;
        if (components == 3)
        {
            // The library's RGB order is the buffer's: decode in place.
            JSAMPROW rows[RowsPerRead];
            JDIMENSION count = cinfo.output_height - done;
            if (count > RowsPerRead)
                count = RowsPerRead;
            for (JDIMENSION k = 0; k < count; ++k)
                rows[k] = out + (done + k) * stride;
            got = jpeg_read_scanlines(&cinfo, rows, count);
        }
        else
        {
            got = jpeg_read_scanlines(&cinfo, sampleRow, 1);
            if (got == 1)
                ConvertRow(sampleRow[0], components, w, out + done * stride);
        }
        if (got == 0)
            break; // a suspending source; ours never suspend
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return 1;
}

int CJpgFile::read_JPG_file(FILE* file, BYTE** pixels, int* width, int* height, BYTE* data,
                            int length)
{
    return DecodeJpeg(file, pixels, width, height, data, length, 0, 0, NULL, NULL);
}

// A progressive file decoded at 1/8 scale: read whole, the luminance's AC
// scans left out, then decoded from memory. Photos from cameras and web
// sites are often progressive, and their AC scans take most of the
// decoding time.
static int DecodeDcScans(FILE* file, const bool (&dcOnly)[256], BYTE** pixels, int* width,
                         int* height, int boxWidth, int boxHeight, int* fullWidth, int* fullHeight)
{
    const long long MaxReadBytes = 256LL * 1024 * 1024;
    long long fileBytes = _filelengthi64(_fileno(file));
    std::vector<BYTE> whole, dcScans;
    if (fileBytes > 0 && fileBytes <= MaxReadBytes && fseek(file, 0, SEEK_SET) == 0)
    {
        whole.resize((size_t)fileBytes);
        whole.resize(fread(whole.data(), 1, whole.size(), file));
    }
    if (!whole.empty() && JpegDcScans::Keep(whole.data(), whole.size(), dcOnly, dcScans))
        return DecodeJpeg(NULL, pixels, width, height, dcScans.data(), (int)dcScans.size(), boxWidth,
                          boxHeight, fullWidth, fullHeight, DcScansOnly, fileBytes);
    if (fseek(file, 0, SEEK_SET) != 0)
        return 0;
    return DecodeJpeg(file, pixels, width, height, NULL, 0, boxWidth, boxHeight, fullWidth, fullHeight);
}

int CJpgFile::read_JPG_file_reduced(FILE* file, BYTE** pixels, int* width, int* height,
                                    int boxWidth, int boxHeight, int* fullWidth, int* fullHeight)
{
    bool dcOnly[256];
    int result = DecodeJpeg(file, pixels, width, height, NULL, 0, boxWidth, boxHeight, fullWidth,
                            fullHeight, OfferDcScans, 0, &dcOnly);
    if (result != UseDcScans)
        return result;
    return DecodeDcScans(file, dcOnly, pixels, width, height, boxWidth, boxHeight, fullWidth,
                         fullHeight);
}

// The encoder behind save_JPG_file and EncodeJpeg: into file, or when file
// is null into sink; segments, when given, follow the JFIF header.
static int EncodePixels(FILE* file, CJpegSink* sink, const BYTE* pixels, int width, int height,
                        int quality, int grayScale, const std::vector<CJpegSegment>* segments)
{
    if ((!file && !sink) || !pixels || width <= 0 || height <= 0)
        return 0;

    jpeg_compress_struct cinfo;
    ErrorJump err;
    // Set after setjmp and freed after a jump, so it must live in memory.
    BYTE* volatile greyRow = NULL;
    memset(&cinfo, 0, sizeof(cinfo));
    cinfo.err = InitErrorJump(&err);
    if (setjmp(err.jump))
    {
        jpeg_destroy_compress(&cinfo);
        free(greyRow);
        return 0;
    }
    jpeg_create_compress(&cinfo);
    if (file)
        jpeg_stdio_dest(&cinfo, file);
    else
        UseJpegSinkDestination(&cinfo, sink);
    cinfo.image_width = (JDIMENSION)width;
    cinfo.image_height = (JDIMENSION)height;
    if (grayScale)
    {
        cinfo.input_components = 1;
        cinfo.in_color_space = JCS_GRAYSCALE;
        greyRow = (BYTE*)malloc((size_t)width);
        if (!greyRow)
            ERREXIT(&cinfo, JERR_OUT_OF_MEMORY);
    }
    else
    {
        cinfo.input_components = 3;
        cinfo.in_color_space = JCS_RGB;
    }
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    if (segments)
        for (size_t i = 0; i < segments->size(); ++i)
        {
            const CJpegSegment& segment = (*segments)[i];
            jpeg_write_marker(&cinfo, segment.m_Marker, (const JOCTET*)segment.m_Data.data(),
                              (unsigned)segment.m_Data.size());
        }

    size_t stride = (size_t)width * 3;
    while (cinfo.next_scanline < cinfo.image_height)
    {
        const BYTE* source = pixels + cinfo.next_scanline * stride;
        JSAMPROW row = (JSAMPROW)source;
        if (greyRow)
        {
            BYTE* grey = greyRow;
            for (int x = 0; x < width; ++x)
                grey[x] = source[3 * x]; // the red channel
            row = grey;
        }
        if (jpeg_write_scanlines(&cinfo, &row, 1) != 1)
            ERREXIT(&cinfo, JERR_FILE_WRITE);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    free(greyRow);
    return 1;
}

int CJpgFile::save_JPG_file(FILE* file, BYTE* pixels, int width, int height, int quality,
                            int grayScale)
{
    if (!file)
        return 0;
    return EncodePixels(file, NULL, pixels, width, height, quality, grayScale, NULL);
}

int EncodeJpeg(CJpegSink* sink, const BYTE* pixels, int width, int height, int quality,
               int grayScale, const std::vector<CJpegSegment>* segments)
{
    if (!sink)
        return 0;
    return EncodePixels(NULL, sink, pixels, width, height, quality, grayScale, segments);
}
