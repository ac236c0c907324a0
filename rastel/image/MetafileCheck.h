// CMetafileCheck: checks the record stream of a Windows (WMF) or enhanced
// (EMF) metafile before the system plays it, because the system's player
// trusts every size, count, offset and handle index it reads. The result is
// a copy that holds the records up to the first one that fails the checks
// (records the player would only ignore are left out), closed by an end
// record, with a header that matches it. Internal to rastel.
#pragma once

#include "Framework.h"

#include <vector>

class CMetafileCheck
{
public:
    // A WMF without its placeable header. FALSE when the header itself is
    // not sound; otherwise `out` holds the playable records.
    static BOOL CheckWindowsMetafile(const BYTE* data, size_t size, std::vector<BYTE>& out);
    // An EMF. FALSE when the header record is not sound.
    static BOOL CheckEnhancedMetafile(const BYTE* data, size_t size, std::vector<BYTE>& out);

    // Whether the shape an EMF record draws (if any) lies within reach of
    // the bitmap once mapped through `dc` as it stands when the record is
    // played; the system's drawing time and memory grow with that size.
    static BOOL IsWithinReach(HDC dc, const ENHMETARECORD* record);

    // A packed or split device-independent bitmap: header and colours in
    // `info` (infoBytes long), `lines` rows of pixels in `bits`
    // (bitsBytes long; for a packed bitmap bits = null and the pixels follow
    // the colours inside info). usage: DIB_RGB_COLORS or DIB_PAL_COLORS.
    // lines < 0 asks for the bitmap's whole height; otherwise the rows
    // firstLine .. firstLine + lines - 1 must lie inside the bitmap.
    static BOOL IsSoundBitmap(const BYTE* info, size_t infoBytes, const BYTE* bits, size_t bitsBytes,
                              UINT usage, long long firstLine = 0, long long lines = -1);
};
