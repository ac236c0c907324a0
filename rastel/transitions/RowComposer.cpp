// Row composition of the geometric effects with block copies, writing only
// what changed since the previous frame.
#include "RowComposer.h"

#include <stdlib.h>
#include <string.h>

namespace
{
bool InPlace(const RowSegment& s, int r)
{
    return s.sourceRow == r && s.sourceColumn == s.begin;
}

bool SameSegment(const RowSegment& a, const RowSegment& b)
{
    return a.source == b.source && a.begin == b.begin && a.end == b.end && a.sourceRow == b.sourceRow &&
           a.sourceColumn == b.sourceColumn;
}

const BYTE* SourceAt(const RowSegment* segments, int count, int column)
{
    for (int k = 0; k < count; k++)
        if (column >= segments[k].begin && column < segments[k].end)
            return segments[k].source;
    return 0;
}
} // namespace

CRowComposer::CRowComposer(BYTE* out, int width, int height)
    : m_Out(out), m_Width(width), m_Height(height), m_Previous(0)
{
    if (width > 0 && height > 0)
        m_Previous = (Layout*)malloc(sizeof(Layout) * (size_t)height);
    if (m_Previous)
        for (int r = 0; r < height; r++)
            m_Previous[r].count = -1;
}

CRowComposer::~CRowComposer()
{
    free(m_Previous);
}

void CRowComposer::Row(int r, const RowSegment* segments, int count)
{
    Layout now;
    now.count = 0;
    for (int k = 0; k < count && now.count < MaxSegments; k++)
        if (segments[k].end > segments[k].begin)
            now.segments[now.count++] = segments[k];

    if (!m_Previous)
    {
        Write(r, now);
        return;
    }
    Layout& before = m_Previous[r];
    bool same = before.count == now.count;
    bool inPlace = before.count > 0;
    for (int k = 0; k < now.count; k++)
    {
        if (same && !SameSegment(before.segments[k], now.segments[k]))
            same = false;
        inPlace = inPlace && InPlace(now.segments[k], r);
    }
    for (int k = 0; inPlace && k < before.count; k++)
        inPlace = InPlace(before.segments[k], r);

    if (!same)
    {
        if (inPlace)
            WriteChanged(r, before, now);
        else
            Write(r, now);
    }
    before = now;
}

void CRowComposer::Write(int r, const Layout& layout)
{
    BYTE* row = m_Out + (size_t)r * m_Width * 3;
    for (int k = 0; k < layout.count; k++)
    {
        const RowSegment& s = layout.segments[k];
        memcpy(row + (size_t)s.begin * 3,
               s.source + ((size_t)s.sourceRow * m_Width + s.sourceColumn) * 3,
               (size_t)(s.end - s.begin) * 3);
    }
}

// Both layouts show their sources in place: copy the column runs whose source
// differs, between the merged segment boundaries.
void CRowComposer::WriteChanged(int r, const Layout& before, const Layout& now)
{
    int cuts[2 * MaxSegments * 2 + 2];
    int n = 0;
    cuts[n++] = 0;
    cuts[n++] = m_Width;
    for (int k = 0; k < before.count; k++)
    {
        cuts[n++] = before.segments[k].begin;
        cuts[n++] = before.segments[k].end;
    }
    for (int k = 0; k < now.count; k++)
    {
        cuts[n++] = now.segments[k].begin;
        cuts[n++] = now.segments[k].end;
    }
    for (int i = 1; i < n; i++) // insertion sort of at most 14 values
        for (int j = i; j > 0 && cuts[j - 1] > cuts[j]; j--)
        {
            int t = cuts[j];
            cuts[j] = cuts[j - 1];
            cuts[j - 1] = t;
        }
    size_t rowOffset = (size_t)r * m_Width * 3;
    for (int i = 0; i + 1 < n; i++)
    {
        int a = cuts[i], b = cuts[i + 1];
        if (a >= b || a < 0 || b > m_Width)
            continue;
        const BYTE* was = SourceAt(before.segments, before.count, a);
        const BYTE* is = SourceAt(now.segments, now.count, a);
        if (is && is != was)
            memcpy(m_Out + rowOffset + (size_t)a * 3, is + rowOffset + (size_t)a * 3, (size_t)(b - a) * 3);
    }
}
