// CCellLook: how the cells of one thumbnail view look (thumbnail width,
// captions, fit). The frame owns the settings; it pushes a CCellLook down to
// its view whenever one of them changes, and the view hands it to its cells.
#pragma once

#include <windows.h>
#include "Framework.h"

struct CCellLook
{
    enum
    {
        CaptionHeight = 20,
    };
    int thumbSize = 120;          // the thumbnail width
    BOOL showName = TRUE;         // the caption strip shows the file name
    BOOL showDescription = FALSE; // ... or the editable description
    BOOL fit = FALSE;             // small pictures are enlarged to fill the cell

    BOOL Captions() const { return showName || showDescription; }
    // The cell: width = thumbnail width + 2 edges; height = (3 w - 6 edges)
    // / 4 + 2 edges, + the caption strip when there is one.
    CSize CellSize() const
    {
        int edgeX = GetSystemMetrics(SM_CXEDGE), edgeY = GetSystemMetrics(SM_CYEDGE);
        int width = thumbSize + 2 * edgeX;
        int height = (3 * width - 6 * edgeX) / 4 + 2 * edgeY + (Captions() ? CaptionHeight : 0);
        return CSize(width, height);
    }
    // The part of a cell's client area that shows the picture.
    CRect PictureArea(const CRect& client) const
    {
        CRect area = client;
        if (Captions())
            area.bottom -= CaptionHeight;
        return area;
    }
    bool operator==(const CCellLook& other) const
    {
        return thumbSize == other.thumbSize && !showName == !other.showName &&
               !showDescription == !other.showDescription && !fit == !other.fit;
    }
    bool operator!=(const CCellLook& other) const { return !(*this == other); }
};
