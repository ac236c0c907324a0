// Record checks for metafiles. Every size, count, offset and index that the
// system's player would trust is checked against the record that holds it;
// records that create objects take their handle slot as the player would,
// so that later indices are checked against the real table. Records that
// draw nothing into a bitmap (escapes, comments, GL records) are left out.
#include "MetafileCheck.h"
#include "RgbBuffer.h"

#include <string.h>

namespace
{
enum Verdict
{
    Keep,        // copy the record
    Drop,        // leave the record out and go on
    Stop,        // the record fails: play nothing from here on
    Placeholder, // WMF: an object record we do not trust; a null brush takes its slot
};

inline DWORD Le32(const BYTE* p)
{
    return (DWORD)p[0] | ((DWORD)p[1] << 8) | ((DWORD)p[2] << 16) | ((DWORD)p[3] << 24);
}

inline WORD Le16(const BYTE* p)
{
    return (WORD)(p[0] | (p[1] << 8));
}

inline void Put32(BYTE* p, DWORD v)
{
    p[0] = (BYTE)v;
    p[1] = (BYTE)(v >> 8);
    p[2] = (BYTE)(v >> 16);
    p[3] = (BYTE)(v >> 24);
}

// ---- Windows metafiles --------------------------------------------------------

// The player's object table: a new object takes the lowest free slot.
class CWmfObjects
{
public:
    explicit CWmfObjects(unsigned count) : m_Used(count, 0) {}
    bool Create()
    {
        for (size_t i = 0; i < m_Used.size(); ++i)
            if (!m_Used[i])
            {
                m_Used[i] = 1;
                return true;
            }
        return false;
    }
    bool Valid(unsigned index) const { return index < m_Used.size(); }
    void Delete(unsigned index) { m_Used[index] = 0; }

private:
    std::vector<char> m_Used;
};

// The parameters of one WMF record: n 16-bit words.
class CWmfParams
{
public:
    CWmfParams(const BYTE* p, size_t n) : m_P(p), m_N(n) {}
    size_t Count() const { return m_N; }
    WORD W(size_t i) const { return i < m_N ? Le16(m_P + 2 * i) : 0; }
    const BYTE* At(size_t word) const { return m_P + 2 * word; }
    size_t BytesFrom(size_t word) const { return word < m_N ? 2 * (m_N - word) : 0; }

private:
    const BYTE* m_P;
    size_t m_N;
};

Verdict Need(bool ok)
{
    return ok ? Keep : Stop;
}

Verdict CreateObject(bool ok, CWmfObjects& objects)
{
    if (!ok)
        return Stop;
    return objects.Create() ? Keep : Stop;
}

// A packed bitmap from parameter word `at` on.
bool PackedBitmap(const CWmfParams& p, size_t at, UINT usage)
{
    return p.Count() > at &&
           CMetafileCheck::IsSoundBitmap(p.At(at), p.BytesFrom(at), NULL, 0, usage);
}

// RestoreDC must name a state that SaveDC made: a level counted from the
// first (positive) or back from the current one (negative).
Verdict RestoreState(long level, bool absoluteAllowed, int& depth)
{
    if (level < 0 && level >= -depth)
        depth += (int)level;
    else if (absoluteAllowed && level > 0 && level <= depth)
        depth = (int)level - 1;
    else
        return Stop;
    return Keep;
}

Verdict CheckWmfRecord(WORD function, const CWmfParams& p, CWmfObjects& objects, int& depth)
{
    size_t n = p.Count();
    switch (function)
    {
    case 0x001E: // SaveDC
        ++depth;
        return Keep;
    case 0x0127: // RestoreDC
        return n >= 1 ? RestoreState((short)p.W(0), true, depth) : Stop;
    case 0x0035: // RealizePalette
        return Keep;
    case 0x0102: case 0x0103: case 0x0104: case 0x0105: case 0x0106: case 0x0107:
    case 0x0108: case 0x012E: case 0x0139:
        return Need(n >= 1);
    case 0x0201: case 0x0209: case 0x020A: case 0x020B: case 0x020C: case 0x020D:
    case 0x020E: case 0x020F: case 0x0211: case 0x0213: case 0x0214: case 0x0220:
    case 0x0231: case 0x0149:
        return Need(n >= 2);
    case 0x0410: case 0x0412: case 0x0415: case 0x0416: case 0x0418: case 0x0419:
    case 0x041B: case 0x041F:
        return Need(n >= 4);
    case 0x0548: // ExtFloodFill
        return Need(n >= 5);
    case 0x061C: case 0x061D: // RoundRect, PatBlt
        return Need(n >= 6);
    case 0x0817: case 0x081A: case 0x0830: // Arc, Pie, Chord
        return Need(n >= 8);
    case 0x0521: // TextOut: count, string, y, x
    {
        short count = (short)p.W(0);
        return Need(n >= 1 && count >= 0 && n >= 1 + (size_t)(count + 1) / 2 + 2);
    }
    case 0x0A32: // ExtTextOut: y, x, count, options, [rect], string, [dx]
    {
        short count = (short)p.W(2);
        size_t rect = (p.W(3) & (ETO_OPAQUE | ETO_CLIPPED)) ? 4 : 0;
        return Need(n >= 4 && count >= 0 && n >= 4 + rect + (size_t)(count + 1) / 2);
    }
    case 0x0324: case 0x0325: // Polygon, Polyline
        return Need(n >= 1 && n >= 1 + 2 * (size_t)p.W(0));
    case 0x0538: // PolyPolygon: count of polygons, their point counts, the points
    {
        size_t polygons = p.W(0);
        if (n < 1 + polygons)
            return Stop;
        size_t points = 0;
        for (size_t i = 0; i < polygons; ++i)
            points += p.W(1 + i);
        return Need(n >= 1 + polygons + 2 * points);
    }
    case 0x0626: // Escape: draws nothing into a bitmap
        return Drop;
    case 0x0228: // FillRegion
        return Need(n >= 2 && objects.Valid(p.W(0)) && objects.Valid(p.W(1)));
    case 0x0429: // FrameRegion
        return Need(n >= 4 && objects.Valid(p.W(0)) && objects.Valid(p.W(1)));
    case 0x012A: case 0x012B: case 0x012C: case 0x012D: case 0x0234:
        return Need(n >= 1 && objects.Valid(p.W(0)));
    case 0x01F0: // DeleteObject
        if (n < 1 || !objects.Valid(p.W(0)))
            return Stop;
        objects.Delete(p.W(0));
        return Keep;
    case 0x0436: case 0x0037: // AnimatePalette, SetPaletteEntries: start, count, entries
        return Need(n >= 2 && n >= 2 + 2 * (size_t)p.W(1));
    case 0x00F7: // CreatePalette: version, count, entries
        return CreateObject(n >= 2 && n >= 2 + 2 * (size_t)p.W(1), objects);
    case 0x02FA: // CreatePenIndirect
        return CreateObject(n >= 5, objects);
    case 0x02FC: // CreateBrushIndirect: only brushes that need no bitmap handle
        if (n < 4)
            return Stop;
        if (p.W(0) != BS_SOLID && p.W(0) != BS_NULL && p.W(0) != BS_HATCHED)
            return Placeholder;
        return CreateObject(true, objects);
    case 0x02FB: // CreateFontIndirect: 9 words, then a face name of up to 32 bytes
    {
        if (n < 9)
            return Stop;
        bool terminated = memchr(p.At(9), 0, p.BytesFrom(9)) != NULL;
        return CreateObject(terminated || n >= 9 + 16, objects);
    }
    case 0x06FF: // CreateRegion
    case 0x01F9: // CreatePatternBrush (device-dependent bitmap)
        return Placeholder;
    case 0x0142: // DIBCreatePatternBrush: style, usage, packed bitmap
        if (n < 2)
            return Stop;
        if (p.W(0) == BS_PATTERN || !PackedBitmap(p, 2, p.W(1)))
            return Placeholder;
        return CreateObject(true, objects);
    case 0x0940: // DIBBitBlt: 9 words without a bitmap, else 8 and a bitmap
        return Need(n == 9 || PackedBitmap(p, 8, DIB_RGB_COLORS));
    case 0x0B41: // DIBStretchBlt: 11 words without a bitmap, else 10 and a bitmap
        return Need(n == 11 || PackedBitmap(p, 10, DIB_RGB_COLORS));
    case 0x0F43: // StretchDIB: 11 words and a bitmap
        return Need(n >= 11 && p.W(2) <= DIB_PAL_COLORS && PackedBitmap(p, 11, p.W(2)));
    case 0x0D33: // SetDIBitsToDevice: usage, lines, first line, 6 words, bitmap
        return Need(n >= 9 && p.W(0) <= DIB_PAL_COLORS &&
                    CMetafileCheck::IsSoundBitmap(p.At(9), p.BytesFrom(9), NULL, 0, p.W(0), p.W(2), p.W(1)));
    case 0x0922: // BitBlt and StretchBlt: the bitmap-less forms only
        return n == 9 ? Keep : Drop;
    case 0x0B23:
        return n == 11 ? Keep : Drop;
    default: // the player ignores records it does not know
        return Drop;
    }
}

void AppendWmfRecord(std::vector<BYTE>& out, WORD function, const WORD* params, size_t count)
{
    size_t at = out.size();
    out.resize(at + 6 + 2 * count);
    Put32(&out[at], (DWORD)(3 + count));
    out[at + 4] = (BYTE)function;
    out[at + 5] = (BYTE)(function >> 8);
    for (size_t i = 0; i < count; ++i)
    {
        out[at + 6 + 2 * i] = (BYTE)params[i];
        out[at + 7 + 2 * i] = (BYTE)(params[i] >> 8);
    }
}

// ---- Enhanced metafiles ---------------------------------------------------------

const DWORD kEmfSignature = 0x464D4520; // " EMF"
const DWORD kStockObject = 0x80000000;

class CEmfRecord
{
public:
    CEmfRecord(const BYTE* r, size_t size, DWORD handles) : m_R(r), m_Size(size), m_Handles(handles) {}
    bool Has(size_t bytes) const { return m_Size >= bytes; }
    DWORD D(size_t offset) const { return offset + 4 <= m_Size ? Le32(m_R + offset) : 0; }
    size_t Size() const { return m_Size; }
    // An object the record creates: slot 0 is the metafile itself.
    bool NewHandle(size_t offset) const
    {
        DWORD index = D(offset);
        return index >= 1 && index < m_Handles;
    }
    // An object the record uses: a slot of the table or a stock object.
    bool UsedHandle(size_t offset) const
    {
        DWORD index = D(offset);
        if (index & kStockObject)
            return (index & ~kStockObject) <= STOCK_LAST;
        return index >= 1 && index < m_Handles;
    }
    // `count` items of `item` bytes from `offset` lie inside the record.
    bool Holds(unsigned long long offset, unsigned long long count, unsigned long long item) const
    {
        return offset <= m_Size && count <= (m_Size - offset) / (item ? item : 1);
    }
    // A region (RGNDATA of `bytes` bytes) at `offset`.
    bool Region(size_t offset, DWORD bytes) const
    {
        if (bytes < 32 || !Holds(offset, bytes, 1))
            return false;
        const BYTE* data = m_R + offset;
        DWORD rects = Le32(data + 8);
        return Le32(data) == 32 && Le32(data + 4) == RDH_RECTANGLES && rects <= (bytes - 32) / 16;
    }
    // A bitmap given by offsets and sizes at `fields` (bmi offset, bmi size,
    // bits offset, bits size); none at all when the bmi size is 0.
    bool Bitmap(size_t fields, DWORD usage, bool optional, long long firstLine = 0,
                long long lines = -1) const
    {
        DWORD offBmi = D(fields), cbBmi = D(fields + 4), offBits = D(fields + 8), cbBits = D(fields + 12);
        if (cbBmi == 0)
            return optional;
        if (usage > DIB_PAL_COLORS || offBmi < 8 || !Holds(offBmi, cbBmi, 1) || !Holds(offBits, cbBits, 1))
            return false;
        return CMetafileCheck::IsSoundBitmap(m_R + offBmi, cbBmi, m_R + offBits, cbBits, usage, firstLine,
                                             lines) != FALSE;
    }
    // Poly records: `count` at offset 24, points of `point` bytes from 28.
    bool Points(size_t point, size_t extra) const
    {
        return Has(28) && Holds(28, D(24), point + extra);
    }
    // PolyPoly records: polygons at 24, points at 28, counts from 32.
    bool PolyPoints(size_t point) const
    {
        if (!Has(32))
            return false;
        DWORD polygons = D(24), points = D(28);
        if (!Holds(32, polygons, 4))
            return false;
        unsigned long long sum = 0;
        for (DWORD i = 0; i < polygons; ++i)
            sum += D(32 + 4 * (size_t)i);
        return sum <= points && Holds(32 + 4ULL * polygons, points, point);
    }

private:
    const BYTE* m_R;
    size_t m_Size;
    DWORD m_Handles;
};

Verdict CheckText(const CEmfRecord& r, bool wide)
{
    if (!r.Has(76))
        return Stop;
    DWORD chars = r.D(44), offString = r.D(48), options = r.D(52), offDx = r.D(72);
    // The player reads the spacing array whenever there is text, even at
    // offset 0; with ETO_PDY it holds two numbers a character.
    unsigned long long dxItem = (options & ETO_PDY) ? 8 : 4;
    return Need(r.Holds(offString, chars, wide ? 2 : 1) && r.Holds(offDx, chars, dxItem));
}

Verdict CheckGradient(const CEmfRecord& r)
{
    if (!r.Has(36))
        return Stop;
    DWORD vertices = r.D(24), meshes = r.D(28), mode = r.D(32);
    if (mode > GRADIENT_FILL_TRIANGLE || !r.Holds(36, vertices, 16))
        return Stop;
    size_t meshAt = 36 + 16 * (size_t)vertices;
    size_t corners = mode == GRADIENT_FILL_TRIANGLE ? 3 : 2;
    if (!r.Holds(meshAt, meshes, 4 * corners))
        return Stop;
    for (size_t i = 0; i < (size_t)meshes * corners; ++i)
        if (r.D(meshAt + 4 * i) >= vertices)
            return Stop;
    return Keep;
}

Verdict CheckEmfRecord(DWORD type, const CEmfRecord& r, int& depth)
{
    switch (type)
    {
    case EMR_SAVEDC:
        if (!r.Has(8))
            return Stop;
        ++depth;
        return Keep;
    case EMR_RESTOREDC: // relative levels only
        return r.Has(12) ? RestoreState((LONG)r.D(8), false, depth) : Stop;
    case EMR_SETWINDOWEXTEX: case EMR_SETWINDOWORGEX: case EMR_SETVIEWPORTEXTEX:
    case EMR_SETVIEWPORTORGEX: case EMR_SETBRUSHORGEX: case EMR_OFFSETCLIPRGN:
    case EMR_MOVETOEX: case EMR_LINETO: case 120: // EMR_SETTEXTJUSTIFICATION
        return Need(r.Has(16));
    case EMR_SETPIXELV:
        return Need(r.Has(20));
    case EMR_SETMAPPERFLAGS: case EMR_SETMAPMODE: case EMR_SETBKMODE: case EMR_SETPOLYFILLMODE:
    case EMR_SETROP2: case EMR_SETSTRETCHBLTMODE: case EMR_SETTEXTALIGN: case EMR_SETTEXTCOLOR:
    case EMR_SETBKCOLOR: case EMR_SETARCDIRECTION: case EMR_SETMITERLIMIT:
    case EMR_SELECTCLIPPATH: case EMR_SETICMMODE: case EMR_SETLAYOUT:
        return Need(r.Has(12));
    case EMR_SETMETARGN: case EMR_REALIZEPALETTE: case EMR_BEGINPATH:
    case EMR_ENDPATH: case EMR_CLOSEFIGURE: case EMR_FLATTENPATH: case EMR_WIDENPATH:
    case EMR_ABORTPATH:
        return Need(r.Has(8));
    case EMR_EXCLUDECLIPRECT: case EMR_INTERSECTCLIPRECT: case EMR_SCALEVIEWPORTEXTEX:
    case EMR_SCALEWINDOWEXTEX: case EMR_ELLIPSE: case EMR_RECTANGLE: case EMR_EXTFLOODFILL:
    case EMR_FILLPATH: case EMR_STROKEANDFILLPATH: case EMR_STROKEPATH:
        return Need(r.Has(24));
    case EMR_SETCOLORADJUSTMENT: case EMR_SETWORLDTRANSFORM: case EMR_ROUNDRECT:
        return Need(r.Has(32));
    case EMR_MODIFYWORLDTRANSFORM:
        return Need(r.Has(36));
    case EMR_ANGLEARC:
        return Need(r.Has(28));
    case EMR_ARC: case EMR_CHORD: case EMR_PIE: case EMR_ARCTO:
        return Need(r.Has(40));
    case EMR_SELECTOBJECT: case EMR_SELECTPALETTE:
        return Need(r.Has(12) && r.UsedHandle(8));
    case EMR_DELETEOBJECT:
        return Need(r.Has(12) && r.NewHandle(8));
    case EMR_RESIZEPALETTE: // a palette holds at most 65535 entries
        return Need(r.Has(16) && r.NewHandle(8) && r.D(12) <= 0xFFFF);
    case EMR_CREATEPEN:
        return Need(r.Has(28) && r.NewHandle(8));
    case EMR_CREATEBRUSHINDIRECT:
        if (!r.Has(24) || !r.NewHandle(8))
            return Stop;
        // Other styles carry a handle or pointer in the record.
        return r.D(12) == BS_SOLID || r.D(12) == BS_NULL || r.D(12) == BS_HATCHED ? Keep : Drop;
    case EMR_CREATEPALETTE: // handle, then LOGPALETTE: version, count, entries
        return Need(r.Has(16) && r.NewHandle(8) && r.Holds(16, (r.D(12) >> 16) & 0xFFFF, 4));
    case EMR_SETPALETTEENTRIES: // handle, first, count, entries
        return Need(r.Has(20) && r.NewHandle(8) && r.D(12) <= 0xFFFF && r.Holds(20, r.D(16), 4));
    case EMR_POLYBEZIER: case EMR_POLYGON: case EMR_POLYLINE: case EMR_POLYBEZIERTO:
    case EMR_POLYLINETO:
        return Need(r.Points(8, 0));
    case EMR_POLYBEZIER16: case EMR_POLYGON16: case EMR_POLYLINE16: case EMR_POLYBEZIERTO16:
    case EMR_POLYLINETO16:
        return Need(r.Points(4, 0));
    case EMR_POLYDRAW:
        return Need(r.Points(8, 1));
    case EMR_POLYDRAW16:
        return Need(r.Points(4, 1));
    case EMR_POLYPOLYLINE: case EMR_POLYPOLYGON:
        return Need(r.PolyPoints(8));
    case EMR_POLYPOLYLINE16: case EMR_POLYPOLYGON16:
        return Need(r.PolyPoints(4));
    case EMR_FILLRGN: // bounds, size, brush, region
        return Need(r.Has(32) && r.UsedHandle(28) && r.Region(32, r.D(24)));
    case EMR_FRAMERGN: // bounds, size, brush, stroke size, region
        return Need(r.Has(40) && r.UsedHandle(28) && r.Region(40, r.D(24)));
    case EMR_INVERTRGN: case EMR_PAINTRGN:
        return Need(r.Has(28) && r.Region(28, r.D(24)));
    case EMR_EXTSELECTCLIPRGN: // size, mode, region (none: back to the default clip)
        if (!r.Has(16))
            return Stop;
        return Need(r.D(8) == 0 ? r.D(12) == RGN_COPY : r.Region(16, r.D(8)));
    case EMR_BITBLT:
        return Need(r.Has(100) && r.Bitmap(84, r.D(80), true));
    case EMR_STRETCHBLT: case EMR_ALPHABLEND: case EMR_TRANSPARENTBLT:
        return Need(r.Has(108) && r.Bitmap(84, r.D(80), true));
    case EMR_MASKBLT:
        return Need(r.Has(128) && r.Bitmap(84, r.D(80), true) && r.Bitmap(112, r.D(108), true));
    case EMR_PLGBLT:
        return Need(r.Has(140) && r.Bitmap(96, r.D(92), true) && r.Bitmap(124, r.D(120), true));
    case EMR_SETDIBITSTODEVICE:
        return Need(r.Has(76) && r.Bitmap(48, r.D(64), false, r.D(68), r.D(72)));
    case EMR_STRETCHDIBITS:
        return Need(r.Has(80) && r.Bitmap(48, r.D(64), false));
    case EMR_CREATEMONOBRUSH: case EMR_CREATEDIBPATTERNBRUSHPT:
        return Need(r.Has(32) && r.NewHandle(8) && r.Bitmap(16, r.D(12), false));
    case EMR_EXTCREATEPEN: // handle, bitmap fields, EXTLOGPEN with its style entries
    {
        if (!r.Has(52) || !r.NewHandle(8) || r.D(48) > 16 || !r.Holds(52, r.D(48), 4))
            return Stop;
        DWORD brush = r.D(36);
        if (brush == BS_SOLID || brush == BS_NULL || brush == BS_HATCHED)
            return Keep;
        if (brush == BS_DIBPATTERN || brush == BS_DIBPATTERNPT || brush == BS_PATTERN)
            return Need(r.Bitmap(12, DIB_RGB_COLORS, false));
        return Drop;
    }
    case EMR_EXTCREATEFONTINDIRECTW:
        return Need(r.Has(104) && r.NewHandle(8));
    case EMR_EXTTEXTOUTA:
        return CheckText(r, false);
    case EMR_EXTTEXTOUTW:
        return CheckText(r, true);
    case EMR_GRADIENTFILL:
        return CheckGradient(r);
    case EMR_HEADER: // only as the first record
        return Stop;
    default: // comments, escapes, GL and colour-management records: nothing to draw
        return Drop;
    }
}
} // namespace

BOOL CMetafileCheck::IsSoundBitmap(const BYTE* info, size_t infoBytes, const BYTE* bits, size_t bitsBytes,
                                   UINT usage, long long firstLine, long long lines)
{
    if (!info || infoBytes < 12 || usage > DIB_PAL_COLORS)
        return FALSE;
    DWORD headerSize = Le32(info);
    long long width, height;
    unsigned planes, bitCount;
    DWORD compression = BI_RGB, imageSize = 0, colorsUsed = 0;
    size_t entryBytes;
    if (headerSize == sizeof(BITMAPCOREHEADER))
    {
        width = Le16(info + 4);
        height = Le16(info + 6);
        planes = Le16(info + 8);
        bitCount = Le16(info + 10);
        entryBytes = 3;
    }
    else if (headerSize >= sizeof(BITMAPINFOHEADER) && headerSize <= sizeof(BITMAPV5HEADER) &&
             headerSize <= infoBytes)
    {
        width = (LONG)Le32(info + 4);
        height = (LONG)Le32(info + 8);
        planes = Le16(info + 12);
        bitCount = Le16(info + 14);
        compression = Le32(info + 16);
        imageSize = Le32(info + 20);
        colorsUsed = Le32(info + 32);
        entryBytes = 4;
    }
    else
        return FALSE;
    if (usage == DIB_PAL_COLORS)
        entryBytes = 2;
    long long rows = height < 0 ? -height : height;
    if (planes != 1 || width <= 0 || rows == 0)
        return FALSE;
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 &&
        bitCount != 32)
        return FALSE;
    bool runLength = compression == BI_RLE8 || compression == BI_RLE4;
    if (compression == BI_RLE8 && (bitCount != 8 || height < 0))
        return FALSE;
    if (compression == BI_RLE4 && (bitCount != 4 || height < 0))
        return FALSE;
    if (compression == BI_BITFIELDS && bitCount != 16 && bitCount != 32)
        return FALSE;
    if (compression != BI_RGB && !runLength && compression != BI_BITFIELDS)
        return FALSE;
    // A bitmap larger than its record could hold is refused like any picture.
    if (!CRgbBuffer::FileCanHoldPicture(width, rows, (long long)infoBytes + (long long)bitsBytes))
        return FALSE;
    if (colorsUsed > 256)
        return FALSE;
    unsigned long long colors = colorsUsed;
    if (bitCount <= 8 && colors == 0)
        colors = 1ULL << bitCount;
    unsigned long long tableEnd = headerSize + colors * entryBytes;
    if (compression == BI_BITFIELDS && headerSize == sizeof(BITMAPINFOHEADER))
        tableEnd += 12;
    if (tableEnd > infoBytes)
        return FALSE;

    if (lines < 0)
    {
        firstLine = 0;
        lines = rows;
    }
    if (firstLine < 0 || firstLine > rows || lines > rows - firstLine)
        return FALSE;
    unsigned long long stride = (((unsigned long long)width * bitCount + 31) / 32) * 4;
    unsigned long long needed = runLength ? imageSize : stride * (unsigned long long)lines;
    if (runLength && imageSize == 0)
        return FALSE;
    if (bits)
        return needed <= bitsBytes;
    return needed <= infoBytes - tableEnd;
}

BOOL CMetafileCheck::CheckWindowsMetafile(const BYTE* data, size_t size, std::vector<BYTE>& out)
{
    out.clear();
    const size_t headerBytes = 18;
    if (!data || size < headerBytes)
        return FALSE;
    WORD type = Le16(data), headerWords = Le16(data + 2), version = Le16(data + 4);
    if ((type != 1 && type != 2) || headerWords != 9 || (version != 0x100 && version != 0x300))
        return FALSE;
    CWmfObjects objects(Le16(data + 10));
    int depth = 0;
    out.assign(data, data + headerBytes);
    DWORD largest = 3;
    size_t pos = headerBytes;
    while (pos + 6 <= size)
    {
        DWORD words = Le32(data + pos);
        WORD function = Le16(data + pos + 4);
        if (words < 3 || words > (size - pos) / 2 || function == 0)
            break;
        size_t bytes = (size_t)words * 2;
        Verdict verdict = CheckWmfRecord(function, CWmfParams(data + pos + 6, words - 3), objects, depth);
        if (verdict == Stop)
            break;
        if (verdict == Keep)
        {
            out.insert(out.end(), data + pos, data + pos + bytes);
            if (words > largest)
                largest = words;
        }
        else if (verdict == Placeholder)
        {
            if (!objects.Create())
                break;
            const WORD nullBrush[4] = { BS_NULL, 0, 0, 0 };
            AppendWmfRecord(out, 0x02FC, nullBrush, 4);
            if (largest < 7)
                largest = 7;
        }
        pos += bytes;
    }
    AppendWmfRecord(out, 0x0000, NULL, 0);
    Put32(&out[6], (DWORD)(out.size() / 2)); // mtSize, in words
    Put32(&out[12], largest);                 // mtMaxRecord
    return TRUE;
}

BOOL CMetafileCheck::CheckEnhancedMetafile(const BYTE* data, size_t size, std::vector<BYTE>& out)
{
    out.clear();
    const size_t minimumHeader = 88;
    if (!data || size < minimumHeader || Le32(data) != EMR_HEADER)
        return FALSE;
    DWORD headerSize = Le32(data + 4);
    if (headerSize < minimumHeader || headerSize > size || headerSize % 4 != 0 ||
        Le32(data + 40) != kEmfSignature)
        return FALSE;
    // The frame and the reference device scale every record: none may be empty.
    LONG frameLeft = (LONG)Le32(data + 24), frameTop = (LONG)Le32(data + 28);
    LONG frameRight = (LONG)Le32(data + 32), frameBottom = (LONG)Le32(data + 36);
    if ((long long)frameRight <= frameLeft || (long long)frameBottom <= frameTop)
        return FALSE;
    if ((LONG)Le32(data + 72) <= 0 || (LONG)Le32(data + 76) <= 0 || (LONG)Le32(data + 80) <= 0 ||
        (LONG)Le32(data + 84) <= 0)
        return FALSE;
    DWORD handles = Le16(data + 56);
    if (handles == 0)
        return FALSE;

    out.assign(data, data + headerSize);
    // No description, palette or pixel format: the copy does not carry them.
    Put32(&out[60], 0);
    Put32(&out[64], 0);
    Put32(&out[68], 0);
    if (headerSize >= 100)
    {
        Put32(&out[88], 0);
        Put32(&out[92], 0);
        Put32(&out[96], 0);
    }
    DWORD records = 1;
    int depth = 0;
    size_t pos = headerSize;
    while (pos + 8 <= size)
    {
        DWORD type = Le32(data + pos), bytes = Le32(data + pos + 4);
        if (bytes < 8 || bytes % 4 != 0 || bytes > size - pos || type == EMR_EOF)
            break;
        Verdict verdict = CheckEmfRecord(type, CEmfRecord(data + pos, bytes, handles), depth);
        if (verdict == Stop || verdict == Placeholder)
            break;
        if (verdict == Keep)
        {
            out.insert(out.end(), data + pos, data + pos + bytes);
            ++records;
        }
        pos += bytes;
    }
    // EMR_EOF without a palette: type, size, entries, their offset, size again.
    const DWORD eof[5] = { EMR_EOF, 20, 0, 16, 20 };
    size_t at = out.size();
    out.resize(at + sizeof(eof));
    for (int i = 0; i < 5; ++i)
        Put32(&out[at + 4 * i], eof[i]);
    ++records;
    Put32(&out[48], (DWORD)out.size()); // nBytes
    Put32(&out[52], records);           // nRecords
    return TRUE;
}
