// CJpgFile::TransformLossless: turns or mirrors a JPEG file by rearranging
// its DCT coefficient blocks with the JPEG library's transform code, so the
// picture is not decoded and encoded again and loses nothing. The functions
// that call the library hold no C++ objects with destructors (its errors
// jump back into them); the metadata is prepared around them.
#include "JpgFile.h"
#include "RgbBuffer.h"
#include "JpegLib.h"
#include "JpegErrorJump.h"
#include "JpgMemorySource.h"
#include "JpegSink.h"
#include "JpegDestination.h"
#include "JpegMarkers.h"
#include "JpegMetadataCopy.h"
#include "ExifOrientation.h"
#include "ExifRewrite.h"
#include "ArchiveStream.h"

#include <string.h>
#include <string>
#include <utility>

extern "C" {
#include "transupp.h"
}

namespace
{
// As the decoder's: a header asking for more is refused.
const long MaxLibraryMemory = 1024L * 1024 * 1024;

// A turn or mirror as the matrix that moves a pixel about the picture's
// centre (x to the right, y down): x' = a x + b y, y' = c x + d y.
struct Turn
{
    int a, b, c, d;
};

// Indexed by JXFORM_CODE, JXFORM_NONE to JXFORM_ROT_270.
const Turn Turns[] = {
    { 1, 0, 0, 1 },   // none
    { -1, 0, 0, 1 },  // mirror left-right
    { 1, 0, 0, -1 },  // mirror top-bottom
    { 0, 1, 1, 0 },   // transpose (top-left diagonal)
    { 0, -1, -1, 0 }, // transverse (top-right diagonal)
    { 0, -1, 1, 0 },  // 90 clockwise
    { -1, 0, 0, -1 }, // 180
    { 0, 1, -1, 0 },  // 270 clockwise
};
const int TurnCount = sizeof(Turns) / sizeof(Turns[0]);

// The transform that makes a picture stored with an EXIF orientation upright.
JXFORM_CODE UprightTransform(int orientation)
{
    static const JXFORM_CODE codes[8] = { JXFORM_NONE,      JXFORM_FLIP_H, JXFORM_ROT_180,
                                          JXFORM_FLIP_V,    JXFORM_TRANSPOSE, JXFORM_ROT_90,
                                          JXFORM_TRANSVERSE, JXFORM_ROT_270 };
    return orientation >= 1 && orientation <= 8 ? codes[orientation - 1] : JXFORM_NONE;
}

// The transform of a TransformLossless operation.
JXFORM_CODE OperationTransform(int operation)
{
    static const JXFORM_CODE codes[5] = { JXFORM_ROT_90, JXFORM_ROT_180, JXFORM_ROT_270,
                                          JXFORM_FLIP_H, JXFORM_FLIP_V };
    return codes[operation];
}

// `first`, then `second`, as one transform.
JXFORM_CODE Combine(JXFORM_CODE first, JXFORM_CODE second)
{
    const Turn& f = Turns[first];
    const Turn& s = Turns[second];
    Turn m = { s.a * f.a + s.b * f.c, s.a * f.b + s.b * f.d, s.c * f.a + s.d * f.c,
               s.c * f.b + s.d * f.d };
    for (int i = 0; i < TurnCount; ++i)
        if (Turns[i].a == m.a && Turns[i].b == m.b && Turns[i].c == m.c && Turns[i].d == m.d)
            return (JXFORM_CODE)i;
    return JXFORM_NONE; // not reached: the eight form a group
}

bool SwapsSides(JXFORM_CODE code)
{
    return Turns[code].a == 0;
}

bool StartsWith(const JOCTET* data, unsigned length, const char* prefix, size_t prefixLength)
{
    return length >= prefixLength && memcmp(data, prefix, prefixLength) == 0;
}

// The size of the picture in the JPEG bytes; false when they are no JPEG.
bool ReadSize(const BYTE* data, size_t length, int* width, int* height)
{
    jpeg_decompress_struct cinfo;
    ErrorJump err;
    memset(&cinfo, 0, sizeof(cinfo));
    cinfo.err = InitErrorJump(&err);
    if (setjmp(err.jump))
    {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    UseJpegMemorySource(&cinfo, data, length);
    jpeg_read_header(&cinfo, TRUE);
    *width = (int)cinfo.image_width;
    *height = (int)cinfo.image_height;
    jpeg_destroy_decompress(&cinfo);
    return true;
}

// Writes the source's saved segments into the output, after the headers the
// library writes itself (so the source's JFIF and Adobe headers are left
// out). The first EXIF segment and the first XMP packet are replaced by
// `exif` and `xmp` when those are given (left out when given empty).
void WriteSegments(j_decompress_ptr src, j_compress_ptr dst, const std::string* exif,
                   const std::string* xmp)
{
    bool exifDone = false, xmpDone = false;
    for (jpeg_saved_marker_ptr m = src->marker_list; m != NULL; m = m->next)
    {
        if (dst->write_JFIF_header && m->marker == JPEG_APP0 &&
            StartsWith(m->data, m->data_length, "JFIF\0", 5))
            continue;
        if (dst->write_Adobe_marker && m->marker == JPEG_APP0 + 14 &&
            StartsWith(m->data, m->data_length, "Adobe", 5))
            continue;
        const std::string* replacement = NULL;
        if (m->marker == CJpegMarkers::App1 && exif && !exifDone &&
            StartsWith(m->data, m->data_length, CJpegMarkers::ExifIdentifier,
                       sizeof(CJpegMarkers::ExifIdentifier)))
        {
            exifDone = true;
            replacement = exif;
        }
        else if (m->marker == CJpegMarkers::App1 && xmp && !xmpDone &&
                 StartsWith(m->data, m->data_length, CJpegMarkers::XmpIdentifier,
                            sizeof(CJpegMarkers::XmpIdentifier)))
        {
            xmpDone = true;
            replacement = xmp;
        }
        if (replacement == NULL)
            jpeg_write_marker(dst, m->marker, m->data, m->data_length);
        else if (!replacement->empty())
            jpeg_write_marker(dst, m->marker, (const JOCTET*)replacement->data(),
                              (unsigned)replacement->size());
    }
}

enum TransformResult
{
    TransformFailed,
    TransformNotPerfect,
    TransformDone
};

// Rearranges the coefficient blocks of the JPEG bytes by `code` into sink;
// with no sink only tells whether the transform is perfect.
TransformResult TransformBlocks(const BYTE* data, size_t length, JXFORM_CODE code,
                                const std::string* exif, const std::string* xmp, CJpegSink* sink)
{
    jpeg_decompress_struct src;
    jpeg_compress_struct dst;
    jpeg_progress_mgr progress;
    ErrorJump err;
    memset(&src, 0, sizeof(src));
    memset(&dst, 0, sizeof(dst));
    memset(&progress, 0, sizeof(progress));
    src.err = InitErrorJump(&err);
    dst.err = &err.pub;
    if (setjmp(err.jump))
    {
        jpeg_destroy_compress(&dst);
        jpeg_destroy_decompress(&src);
        return TransformFailed;
    }
    jpeg_create_decompress(&src);
    jpeg_create_compress(&dst);
    src.mem->max_memory_to_use = MaxLibraryMemory;
    dst.mem->max_memory_to_use = MaxLibraryMemory;
    progress.progress_monitor = LimitScans;
    src.progress = &progress;
    UseJpegMemorySource(&src, data, length);
    jcopy_markers_setup(&src, JCOPYOPT_ALL);
    jpeg_read_header(&src, TRUE);

    jpeg_transform_info info;
    memset(&info, 0, sizeof(info));
    info.transform = code;
    info.perfect = TRUE; // refuse rather than trim or leave edge blocks in place
    bool perfect = jtransform_request_workspace(&src, &info) != FALSE;
    if (!perfect || !sink)
    {
        jpeg_destroy_compress(&dst);
        jpeg_destroy_decompress(&src);
        return perfect ? TransformDone : TransformNotPerfect;
    }
    jvirt_barray_ptr* srcCoefficients = jpeg_read_coefficients(&src);
    jpeg_copy_critical_parameters(&src, &dst);
    jvirt_barray_ptr* dstCoefficients =
        jtransform_adjust_parameters(&src, &dst, srcCoefficients, &info);
    dst.arith_code = src.arith_code;
    // A baseline file keeps the standard Huffman code: optimising it would
    // save some 8 % of a camera file but cost a third more time a photo.
    if (src.progressive_mode)
        jpeg_simple_progression(&dst);
    UseJpegSinkDestination(&dst, sink);
    jpeg_write_coefficients(&dst, dstCoefficients);
    WriteSegments(&src, &dst, exif, xmp);
    jtransform_execute_transform(&src, &dst, srcCoefficients, &info);
    jpeg_finish_compress(&dst);
    jpeg_destroy_compress(&dst);
    jpeg_finish_decompress(&src);
    jpeg_destroy_decompress(&src);
    return TransformDone;
}

bool ReadWholeFile(LPCSTR path, std::string& data)
{
    FILE* file = fopen(path, "rb");
    if (!file)
        return false;
    char chunk[65536];
    size_t count;
    while ((count = fread(chunk, 1, sizeof(chunk), file)) > 0)
        data.append(chunk, count);
    bool ok = !ferror(file);
    fclose(file);
    return ok;
}

// The picture turned in place by a TransformLossless operation.
void TurnPicture(CRgbBuffer& picture, int operation)
{
    if (!picture.IsImage())
        return;
    CRgbBuffer* turned = NULL;
    switch (operation)
    {
    case CJpgFile::TurnRotate90: turned = picture.Rotate90RGB(); break;
    case CJpgFile::TurnRotate180: turned = picture.Rotate180RGB(); break;
    case CJpgFile::TurnRotate270: turned = picture.Rotate270RGB(); break;
    case CJpgFile::TurnFlipHorizontal: turned = picture.FlipHorzRGB(); break;
    default: turned = picture.FlipVertRGB(); break;
    }
    picture.CleanUp();
    if (turned && turned->IsImage())
    {
        picture.AllocateImage(turned->GetWidth(), turned->GetHeight());
        if (picture.IsImage())
            memcpy(picture.GetBuffer(), turned->GetBuffer(),
                   (size_t)turned->GetWidth() * turned->GetHeight() * 3);
    }
    delete turned;
}
// What a turn of a file needs to know before its blocks are moved.
struct TurnPlan
{
    std::string data;    // the file's bytes
    CJpegMarkers markers;
    JXFORM_CODE code;    // the operation after the upright turn
    int width, height;   // of the result
};

bool PlanTurn(LPCSTR source, int operation, TurnPlan& plan)
{
    if (!source || operation < CJpgFile::TurnRotate90 || operation > CJpgFile::TurnFlipVertical)
        return false;
    if (!ReadWholeFile(source, plan.data) ||
        !ReadSize((const BYTE*)plan.data.data(), plan.data.size(), &plan.width, &plan.height))
        return false;
    // The user turns the picture as it is shown, upright by its orientation.
    plan.markers.Read(source);
    const std::string& exif = plan.markers.m_Exif;
    int orientation = exif.empty() ? (int)CExifOrientation::Upright
                                   : CExifOrientation::FromTiffBlock((const BYTE*)exif.data(),
                                                                     (long long)exif.size());
    plan.code = Combine(UprightTransform(orientation), OperationTransform(operation));
    if (SwapsSides(plan.code))
        std::swap(plan.width, plan.height);
    return true;
}
} // namespace

int CJpgFile::CanTransformLossless(LPCSTR source, int operation)
{
    TurnPlan plan;
    return PlanTurn(source, operation, plan) &&
           TransformBlocks((const BYTE*)plan.data.data(), plan.data.size(), plan.code, NULL, NULL,
                           NULL) == TransformDone;
}

int CJpgFile::TransformLossless(LPCSTR source, LPCSTR target, int operation)
{
    TurnPlan plan;
    if (!target || !PlanTurn(source, operation, plan))
        return 0;
    const CJpegMarkers& markers = plan.markers;
    std::string exif, xmp;
    if (!markers.m_Exif.empty())
    {
        // The thumbnail loads upright, so it takes the user's turn alone.
        CRgbBuffer thumbnail;
        if (CExifRewrite::HasThumbnailDirectory(markers.m_Exif))
        {
            CJpgFile reader(source, 100, true);
            reader.Load(&thumbnail);
            TurnPicture(thumbnail, operation);
        }
        exif = CJpegMetadataCopy::ExifData(markers.m_Exif, plan.width, plan.height, thumbnail);
    }
    if (!markers.m_Xmp.empty())
        xmp = CJpegMetadataCopy::XmpData(markers.m_Xmp, plan.width, plan.height);

    CJpegMemorySink sink;
    if (TransformBlocks((const BYTE*)plan.data.data(), plan.data.size(), plan.code,
                        markers.m_Exif.empty() ? NULL : &exif, markers.m_Xmp.empty() ? NULL : &xmp,
                        &sink) != TransformDone)
        return 0;
    CArchiveStream out;
    if (!out.OpenForWriting(target, CArchiveStream::LikeTargetFile))
        return 0;
    out.WriteBytes(sink.m_Bytes.data(), (DWORD)sink.m_Bytes.size());
    return out.Commit() ? 1 : 0;
}
