// The thumbnail view's rules: grid arithmetic, drop position, click
// selection, program command lines and command states.
#include "BrowserViewRules.h"
#include "AfxRes.h"
#include "resource.h"

namespace BrowserViewRules
{
CRect CellGrid::CellRect(int k) const
{
    int column = k % columns, row = k / columns;
    int x = (pitchX - cellWidth) / 2 + column * pitchX;
    int y = (pitchY - cellHeight) / 2 + row * pitchY;
    return CRect(x, y, x + cellWidth, y + cellHeight);
}

CSize CellGrid::TotalSize() const
{
    return CSize(columns * pitchX, rows * pitchY);
}

CSize CellGrid::CellExtent() const
{
    if (count <= 0)
        return CSize(0, 0);
    // The widest row is the first (full unless it is the only one); the
    // lowest cell is in the last row.
    int lastColumn = (count < columns ? count : columns) - 1;
    CRect right = CellRect(lastColumn);
    CRect bottom = CellRect(count - 1);
    return CSize(right.right + 10, bottom.bottom + 10);
}

std::vector<int> CellGrid::CellsIn(const CRect& area) const
{
    std::vector<int> cells;
    if (count <= 0 || pitchX <= 0 || pitchY <= 0 || area.IsRectEmpty())
        return cells;
    // Rows and columns that can touch the area, one extra on each side for
    // the cell's margin within its pitch; each candidate is then checked.
    int firstRow = area.top / pitchY - 1, lastRow = area.bottom / pitchY + 1;
    int firstColumn = area.left / pitchX - 1, lastColumn = area.right / pitchX + 1;
    firstRow = firstRow < 0 ? 0 : firstRow;
    firstColumn = firstColumn < 0 ? 0 : firstColumn;
    lastRow = lastRow >= rows ? rows - 1 : lastRow;
    lastColumn = lastColumn >= columns ? columns - 1 : lastColumn;
    for (int row = firstRow; row <= lastRow; ++row)
        for (int column = firstColumn; column <= lastColumn; ++column)
        {
            int k = row * columns + column;
            if (k >= count)
                break;
            CRect cell = CellRect(k), common;
            if (common.IntersectRect(&cell, &area))
                cells.push_back(k);
        }
    return cells;
}

CellGrid ComputeGrid(int n, int w, int h, int clientWidth, int clientHeight)
{
    CellGrid g;
    g.count = n > 0 ? n : 0;
    g.cellWidth = w;
    g.cellHeight = h;
    if (g.count == 0 || w <= 0 || h <= 0)
    {
        g.count = 0;
        return g;
    }
    auto rowsFor = [n](int columns) { return (n + columns - 1) / columns; };
    g.pitchX = w + GapX;
    g.columns = clientWidth / g.pitchX;
    if (g.columns < 1)
        g.columns = 1;
    g.rows = rowsFor(g.columns);
    g.pitchY = h + GapY;
    while ((long long)g.pitchY * g.rows > MaxExtent && g.columns < n)
    {
        ++g.columns;
        g.rows = rowsFor(g.columns);
    }
    if (g.rows == 1 && g.columns > n)
        g.columns = n;
    if (g.pitchX * g.columns < clientWidth)
        g.pitchX = clientWidth / g.columns;
    if (g.pitchY * g.rows < clientHeight)
        g.pitchY = clientHeight / g.rows;
    return g;
}

int FindDropPosition(const CRect& dropped, const std::vector<CRect>& others, int halfPitch)
{
    for (size_t i = 0; i < others.size(); ++i)
    {
        const CRect& x = others[i];
        int below = x.top - dropped.top;
        if (below > halfPitch)
            return (int)i;
        bool sameRow = below < halfPitch && below > -halfPitch;
        if (sameRow && dropped.left < x.left)
            return (int)i;
    }
    return -1;
}

ClickOutcome ClickSelect(bool modifierHeld, bool force, bool cellSelected)
{
    ClickOutcome outcome;
    if (!modifierHeld)
    {
        outcome.clearOthers = !force;
        outcome.selected = true;
    }
    else
    {
        outcome.clearOthers = false;
        outcome.selected = !cellSelected || force;
    }
    return outcome;
}

CString QuotedPath(const CString& path)
{
    return "\"" + path + "\"";
}

CString ViewerParameters(unsigned album, const CString& path)
{
    if (album == 0)
        return QuotedPath(path);
    CString text;
    text.Format("\"%u %s\"", album, (LPCSTR)path);
    return text;
}

CString SiblingProgram(const CString& modulePath, const char* name)
{
    int slash = modulePath.ReverseFind('\\');
    CString folder = slash >= 0 ? modulePath.Left(slash) : CString();
    return folder + "\\" + name;
}

bool IsViewCommand(UINT id)
{
    switch (id)
    {
    case ID_EDIT_SELECT_ALL:
    case ID_INVERT_SELECTION:
    case ID_EDIT_CUT:
    case ID_EDIT_COPY:
    case ID_EDIT_PASTE:
    case ID_REMOVE:
    case ID_OPEN_VIEWER:
    case ID_OPEN_GLINTFIX:
        return true;
    }
    return false;
}

bool IsCommandEnabled(UINT id, const ViewState& s)
{
    switch (id)
    {
    case ID_EDIT_SELECT_ALL:
    case ID_INVERT_SELECTION:
        return s.hasList && s.entryCount > 0;
    case ID_EDIT_COPY:
        return s.hasList && s.selectedCount > 0;
    case ID_EDIT_CUT:
    case ID_REMOVE:
        return s.albumShown && s.selectedCount > 0;
    case ID_EDIT_PASTE:
        return s.hasList && s.clipboardHasFiles;
    case ID_OPEN_VIEWER:
    case ID_OPEN_GLINTFIX:
        return true;
    }
    return false;
}

CString ListTitle(const CString& place, int entryCount)
{
    CString text;
    text.Format("%s   ***   %d files", (LPCSTR)place, entryCount);
    return text;
}
}
