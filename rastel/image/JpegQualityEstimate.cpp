// CJpgFile::EstimateQuality: the quality setting a JPEG file was most likely
// saved with, so a picture that must be encoded again keeps about its own
// quality and size. Encoders scale the standard luminance table by
// 5000 / quality percent below quality 50 and by 200 - 2 * quality above;
// the scale is found back as the mean ratio of the file's table to it.
#include "JpgFile.h"
#include "JpegLib.h"
#include "JpegErrorJump.h"

#include <string.h>

namespace
{
// The standard luminance quantisation table, in natural order.
const int StandardLuminance[DCTSIZE2] = {
    16, 11, 10, 16, 24,  40,  51,  61,  12, 12, 14, 19, 26,  58,  60,  55,
    14, 13, 16, 24, 40,  57,  69,  56,  14, 17, 22, 29, 51,  87,  80,  62,
    18, 22, 37, 56, 68,  109, 103, 77,  24, 35, 55, 64, 81,  104, 113, 92,
    49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99
};

// The quality whose scaled standard table is nearest to `table`.
int NearestQuality(const UINT16* table)
{
    int best = 0;
    long bestDistance = -1;
    for (int quality = 1; quality <= 100; ++quality)
    {
        long scale = quality < 50 ? 5000 / quality : 200 - quality * 2;
        long distance = 0;
        for (int i = 0; i < DCTSIZE2; ++i)
        {
            long value = (StandardLuminance[i] * scale + 50) / 100;
            if (value < 1)
                value = 1;
            if (value > 255)
                value = 255;
            long d = value - (long)table[i];
            distance += d < 0 ? -d : d;
        }
        if (bestDistance < 0 || distance < bestDistance)
        {
            bestDistance = distance;
            best = quality;
        }
    }
    return best;
}
} // namespace

int CJpgFile::EstimateQuality(LPCSTR path)
{
    FILE* file = path ? fopen(path, "rb") : NULL;
    if (!file)
        return 0;
    jpeg_decompress_struct cinfo;
    ErrorJump err;
    memset(&cinfo, 0, sizeof(cinfo));
    jpeg_std_error(&err.pub);
    err.pub.error_exit = JumpOnError;
    err.pub.output_message = DiscardMessage;
    cinfo.err = &err.pub;
    if (setjmp(err.jump))
    {
        jpeg_destroy_decompress(&cinfo);
        fclose(file);
        return 0;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_stdio_src(&cinfo, file);
    jpeg_read_header(&cinfo, TRUE);
    int quality = 0;
    if (cinfo.quant_tbl_ptrs[0] != NULL)
        quality = NearestQuality(cinfo.quant_tbl_ptrs[0]->quantval);
    jpeg_destroy_decompress(&cinfo);
    fclose(file);
    return quality;
}
