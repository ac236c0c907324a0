// CIccProfile: checks and assembly of the ICC colour profiles that picture
// files embed. Internal to rastel apart from the checks the tests and the
// fuzzer call.
//
// Contract:
// - A profile is kept as the bytes the file stored, in a std::string.
// - IsUsable is true only for an RGB profile of at most MaxBytes bytes whose
//   header and tag table lie inside it and that the colour engine opens;
//   every other profile is treated as absent (the picture is sRGB).
// - Nothing here throws or reads outside the bytes it is given.
#pragma once

#include <string>
#include <vector>

#include "Framework.h"
#include "RastelApi.h"

class RASTEL_API CIccProfile
{
public:
    enum
    {
        MaxBytes = 4 * 1024 * 1024, // a larger embedded profile is ignored
        MaxTags = 100,              // real profiles carry a few dozen
        HeaderBytes = 128
    };

    // The header and tag table are sound (sizes, count, offsets), checked
    // before the colour engine sees the bytes.
    static bool HasSoundLayout(const std::string& profile);
    // Sound, RGB, and opened by the colour engine.
    static bool IsUsable(const std::string& profile);

    // The profile from the APP2 "ICC_PROFILE" segments of a JPEG (each with
    // its identifier, sequence number and count), joined in sequence order;
    // empty when a chunk is missing, repeated or numbered inconsistently.
    static std::string FromJpegChunks(const std::vector<std::string>& chunks);

    // The profile split into APP2 "ICC_PROFILE" chunk payloads (identifier,
    // sequence number, count, data) that each fit a JPEG segment; empty
    // when it would take more than 255 chunks.
    static std::vector<std::string> ToJpegChunks(const std::string& profile);

    // A matrix/curve profile for the white point and primaries (CIE xy)
    // and the encoding gamma of a PNG's cHRM and gAMA chunks (fileGamma is
    // the exponent stored, e.g. 0.45455); empty when they make no profile.
    static std::string FromChromaticities(double whiteX, double whiteY, double redX, double redY,
                                          double greenX, double greenY, double blueX, double blueY,
                                          double fileGamma);
};
