// Reading the embedded colour profiles of JPEG, TIFF, WebP, HEIF and JPEG XL
// files (see EmbeddedProfile.h).
#include "EmbeddedProfile.h"
#include "IccProfile.h"
#include "JpegMarkers.h"
#include "RgbBuffer.h"

#include <string.h>
#include <jxl/decode.h>
#include <libheif/heif.h>
#include <tiffio.h>
#include <webp/demux.h>

namespace
{
std::string Bytes(const void* data, size_t size)
{
    if (!data || size == 0 || size > CIccProfile::MaxBytes)
        return std::string();
    return std::string((const char*)data, size);
}

// The decoding exponent of an nclx transfer, 0 for the sRGB curve, -1 when
// it is none that a matrix/curve profile can stand for (PQ, HLG, logs).
double NclxExponent(int transfer)
{
    switch (transfer)
    {
    case heif_transfer_characteristic_IEC_61966_2_1:
    case heif_transfer_characteristic_unspecified:
    // The video curves are shown like sRGB by the common viewers.
    case heif_transfer_characteristic_ITU_R_BT_709_5:
    case heif_transfer_characteristic_ITU_R_BT_601_6:
    case heif_transfer_characteristic_ITU_R_BT_2020_2_10bit:
    case heif_transfer_characteristic_ITU_R_BT_2020_2_12bit:
        return 0;
    case heif_transfer_characteristic_ITU_R_BT_470_6_System_M:
        return 2.2;
    case heif_transfer_characteristic_ITU_R_BT_470_6_System_B_G:
        return 2.8;
    case heif_transfer_characteristic_linear:
        return 1.0;
    default:
        return -1;
    }
}

std::string FromNclx(const heif_color_profile_nclx& nclx)
{
    // sRGB's own primaries with an sRGB-like curve need nothing.
    int primaries = nclx.color_primaries;
    double exponent = NclxExponent(nclx.transfer_characteristics);
    if (exponent < 0 || ((primaries == heif_color_primaries_ITU_R_BT_709_5 ||
                          primaries == heif_color_primaries_unspecified) && exponent == 0))
        return std::string();
    if (primaries == heif_color_primaries_unspecified)
        primaries = heif_color_primaries_ITU_R_BT_709_5;
    // The library fills in the chromaticities of the primaries it knows.
    if (!(nclx.color_primary_white_y > 0))
        return std::string();
    return CIccProfile::FromChromaticities(
        nclx.color_primary_white_x, nclx.color_primary_white_y, nclx.color_primary_red_x,
        nclx.color_primary_red_y, nclx.color_primary_green_x, nclx.color_primary_green_y,
        nclx.color_primary_blue_x, nclx.color_primary_blue_y, exponent == 0 ? 0 : 1.0 / exponent);
}

std::string HeifProfile(heif_context* context, const BYTE* data, size_t size)
{
    if (heif_context_read_from_memory_without_copy(context, data, size, NULL).code != heif_error_Ok)
        return std::string();
    heif_image_handle* handle = NULL;
    if (heif_context_get_primary_image_handle(context, &handle).code != heif_error_Ok || !handle)
        return std::string();
    std::string profile;
    size_t rawSize = heif_image_handle_get_raw_color_profile_size(handle);
    if (rawSize > 0 && rawSize <= CIccProfile::MaxBytes)
    {
        profile.resize(rawSize);
        if (heif_image_handle_get_raw_color_profile(handle, &profile[0]).code != heif_error_Ok)
            profile.clear();
    }
    heif_color_profile_nclx* nclx = NULL;
    if (profile.empty() && heif_image_handle_get_nclx_color_profile(handle, &nclx).code == heif_error_Ok && nclx)
        profile = FromNclx(*nclx);
    if (nclx)
        heif_nclx_color_profile_free(nclx);
    heif_image_handle_release(handle);
    return profile;
}

bool IsSrgb(const JxlColorEncoding& encoding)
{
    return encoding.color_space == JXL_COLOR_SPACE_RGB && encoding.white_point == JXL_WHITE_POINT_D65 &&
           encoding.primaries == JXL_PRIMARIES_SRGB && encoding.transfer_function == JXL_TRANSFER_FUNCTION_SRGB;
}
} // namespace

namespace EmbeddedProfile
{
void Attach(CRgbBuffer* picture, const std::string& profile)
{
    if (!picture)
        return;
    if (!profile.empty() && CIccProfile::IsUsable(profile))
        picture->m_IccProfile = profile;
    else
        picture->m_IccProfile.clear();
}

std::string FromJpegFile(FILE* file)
{
    CJpegMarkers markers;
    if (!markers.Read(file))
        return std::string();
    return CIccProfile::FromJpegChunks(markers.m_Icc);
}

std::string FromTiff(struct tiff* tif)
{
    uint32_t count = 0;
    void* data = NULL;
    if (!tif || !TIFFGetField(tif, TIFFTAG_ICCPROFILE, &count, &data))
        return std::string();
    return Bytes(data, count);
}

std::string FromWebp(const BYTE* data, size_t size)
{
    if (!data || size == 0)
        return std::string();
    WebPData webp = { data, size };
    WebPDemuxer* demux = WebPDemux(&webp);
    if (!demux)
        return std::string();
    std::string profile;
    WebPChunkIterator chunk;
    if ((WebPDemuxGetI(demux, WEBP_FF_FORMAT_FLAGS) & ICCP_FLAG) && WebPDemuxGetChunk(demux, "ICCP", 1, &chunk))
    {
        profile = Bytes(chunk.chunk.bytes, chunk.chunk.size);
        WebPDemuxReleaseChunkIterator(&chunk);
    }
    WebPDemuxDelete(demux);
    return profile;
}

std::string FromHeif(const BYTE* data, size_t size)
{
    if (!data || size < 12)
        return std::string();
    heif_context* context = heif_context_alloc();
    if (!context)
        return std::string();
    std::string profile;
    try
    {
        profile = HeifProfile(context, data, size);
    }
    catch (...)
    {
        profile.clear();
    }
    heif_context_free(context);
    return profile;
}

std::string FromJxl(const BYTE* data, size_t size)
{
    if (!data || size < 2)
        return std::string();
    JxlDecoder* decoder = JxlDecoderCreate(NULL);
    if (!decoder)
        return std::string();
    std::string profile;
    if (JxlDecoderSubscribeEvents(decoder, JXL_DEC_COLOR_ENCODING) == JXL_DEC_SUCCESS &&
        JxlDecoderSetInput(decoder, data, size) == JXL_DEC_SUCCESS)
    {
        JxlDecoderCloseInput(decoder);
        JxlDecoderStatus status;
        do
            status = JxlDecoderProcessInput(decoder);
        while (status != JXL_DEC_COLOR_ENCODING && status != JXL_DEC_ERROR && status != JXL_DEC_SUCCESS &&
               status != JXL_DEC_NEED_MORE_INPUT);
        // The pixels come out in the data's encoding; sRGB needs no profile.
        JxlColorEncoding encoding;
        size_t iccSize = 0;
        if (status == JXL_DEC_COLOR_ENCODING &&
            !(JxlDecoderGetColorAsEncodedProfile(decoder, NULL, JXL_COLOR_PROFILE_TARGET_DATA, &encoding) ==
                  JXL_DEC_SUCCESS && IsSrgb(encoding)) &&
            JxlDecoderGetICCProfileSize(decoder, NULL, JXL_COLOR_PROFILE_TARGET_DATA, &iccSize) == JXL_DEC_SUCCESS &&
            iccSize > 0 && iccSize <= CIccProfile::MaxBytes)
        {
            profile.resize(iccSize);
            if (JxlDecoderGetColorAsICCProfile(decoder, NULL, JXL_COLOR_PROFILE_TARGET_DATA, (uint8_t*)&profile[0],
                                               iccSize) != JXL_DEC_SUCCESS)
                profile.clear();
        }
    }
    JxlDecoderDestroy(decoder);
    return profile;
}

void AttachFromWebp(const BYTE* data, size_t size, CRgbBuffer* picture)
{
    Attach(picture, FromWebp(data, size));
}

void AttachFromHeif(const BYTE* data, size_t size, CRgbBuffer* picture)
{
    Attach(picture, FromHeif(data, size));
}

void AttachFromJxl(const BYTE* data, size_t size, CRgbBuffer* picture)
{
    Attach(picture, FromJxl(data, size));
}
} // namespace EmbeddedProfile
