// CRowComposer: builds the frames of the geometric effects row by row from at
// most three segments, each one block copy from a source canvas. The scratch
// canvas keeps the previous frame (callbacks never change a frame's pixels),
// so a row whose layout is unchanged is left as it is, and in a row whose
// segments show their sources in place only the columns whose source changed
// are copied. Internal to rastel.
#pragma once

#include <windows.h>

struct RowSegment
{
    const BYTE* source; // canvas to copy from
    int begin, end;     // output columns [begin, end)
    int sourceRow;      // row of the source canvas
    int sourceColumn;   // source column of output column begin
};

class CRowComposer
{
public:
    enum { MaxSegments = 3 };

    CRowComposer(BYTE* out, int width, int height);
    ~CRowComposer();
    CRowComposer(const CRowComposer&) = delete;
    CRowComposer& operator=(const CRowComposer&) = delete;

    // Row r of the frame is made of these segments, which cover the columns
    // 0 .. width - 1 in order (empty segments are skipped).
    void Row(int r, const RowSegment* segments, int count);

private:
    struct Layout
    {
        int count; // -1: nothing known about the row
        RowSegment segments[MaxSegments];
    };
    void Write(int r, const Layout& layout);
    void WriteChanged(int r, const Layout& before, const Layout& now);

    BYTE* m_Out;
    int m_Width;
    int m_Height;
    Layout* m_Previous; // null when memory was short: every row is written whole
};
