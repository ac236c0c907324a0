// CMetafileCheck::IsWithinReach: the one check that needs the playing DC.
// The system draws an ellipse, an arc or a filled polygon in time and memory
// that grow with its size on the device, however little of it falls on the
// bitmap: one changed coordinate makes an ellipse hundreds of millions of
// pixels wide, which takes minutes and gigabytes. Where a shape lands
// depends on the mapping records played before it, so the shape's points
// are mapped through the DC as it stands when the record comes up.
#include "MetafileCheck.h"

#include <vector>

namespace
{
// Far beyond any playback bitmap (at most a few thousand pixels wide), near
// enough that the system draws such a shape in milliseconds.
const long long kMaxDeviceReach = 1 << 20;

LONG Long(const ENHMETARECORD* record, size_t offset)
{
    LONG value;
    memcpy(&value, (const BYTE*)record + offset, sizeof(value));
    return value;
}

bool Holds(const ENHMETARECORD* record, unsigned long long offset, unsigned long long count,
           unsigned long long item)
{
    return offset <= record->nSize && count <= (record->nSize - offset) / item;
}

// Points of 32-bit (wide) or 16-bit coordinates from `offset`.
bool ReadPoints(const ENHMETARECORD* record, size_t offset, DWORD count, bool wide,
                std::vector<POINT>& points)
{
    if (!Holds(record, offset, count, wide ? 8 : 4))
        return false;
    const BYTE* at = (const BYTE*)record + offset;
    points.resize(count);
    for (DWORD i = 0; i < count; ++i)
    {
        if (wide)
        {
            memcpy(&points[i].x, at + 8 * (size_t)i, 4);
            memcpy(&points[i].y, at + 8 * (size_t)i + 4, 4);
        }
        else
        {
            SHORT xy[2];
            memcpy(xy, at + 4 * (size_t)i, 4);
            points[i].x = xy[0];
            points[i].y = xy[1];
        }
    }
    return true;
}

// The logical points whose device positions bound the record's shape; false
// when the record has a shape but its points cannot be read.
bool ShapePoints(const ENHMETARECORD* record, std::vector<POINT>& points)
{
    switch (record->iType)
    {
    case EMR_ELLIPSE: case EMR_RECTANGLE: case EMR_ROUNDRECT: case EMR_ARC: case EMR_ARCTO:
    case EMR_CHORD: case EMR_PIE: // box at 8
        return ReadPoints(record, 8, 2, true, points);
    case EMR_ANGLEARC: // centre at 8, radius at 16
    {
        if (!Holds(record, 8, 1, 12))
            return false;
        long long x = Long(record, 8), y = Long(record, 12), radius = (DWORD)Long(record, 16);
        if (radius > kMaxDeviceReach * 4)
            return false; // no mapping brings that back within reach
        points.resize(2);
        points[0].x = (LONG)(x - radius), points[0].y = (LONG)(y - radius);
        points[1].x = (LONG)(x + radius), points[1].y = (LONG)(y + radius);
        return true;
    }
    case EMR_POLYBEZIER: case EMR_POLYGON: case EMR_POLYLINE: case EMR_POLYBEZIERTO:
    case EMR_POLYLINETO: case EMR_POLYDRAW: // bounds, count at 24, points at 28
        return Holds(record, 24, 1, 4) && ReadPoints(record, 28, (DWORD)Long(record, 24), true, points);
    case EMR_POLYBEZIER16: case EMR_POLYGON16: case EMR_POLYLINE16: case EMR_POLYBEZIERTO16:
    case EMR_POLYLINETO16: case EMR_POLYDRAW16:
        return Holds(record, 24, 1, 4) && ReadPoints(record, 28, (DWORD)Long(record, 24), false, points);
    case EMR_POLYPOLYLINE: case EMR_POLYPOLYGON: case EMR_POLYPOLYLINE16: case EMR_POLYPOLYGON16:
    {
        // Polygons at 24, points at 28, the polygons' counts from 32.
        if (!Holds(record, 24, 2, 4))
            return false;
        DWORD polygons = (DWORD)Long(record, 24), count = (DWORD)Long(record, 28);
        bool wide = record->iType == EMR_POLYPOLYLINE || record->iType == EMR_POLYPOLYGON;
        return Holds(record, 32, polygons, 4) &&
               ReadPoints(record, 32 + 4ULL * polygons, count, wide, points);
    }
    default:
        points.clear();
        return true;
    }
}
} // namespace

BOOL CMetafileCheck::IsWithinReach(HDC dc, const ENHMETARECORD* record)
{
    std::vector<POINT> points;
    if (!ShapePoints(record, points))
        return FALSE;
    if (points.empty())
        return TRUE;
    // A point that the mapping carries past the range of a coordinate fails
    // the mapping or comes out at the far end of the range: out of reach too.
    if (!LPtoDP(dc, points.data(), (int)points.size()))
        return FALSE;
    for (const POINT& p : points)
        if (p.x < -kMaxDeviceReach || p.x > kMaxDeviceReach || p.y < -kMaxDeviceReach ||
            p.y > kMaxDeviceReach)
            return FALSE;
    return TRUE;
}
