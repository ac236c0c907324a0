// The thumbnail view's rules as plain functions: the grid arithmetic (pitch,
// columns and rows, the 32767-pixel limit, where each cell goes and which
// cells a rectangle touches), where a dragged cell is re-inserted, the click
// selection rule, the Viewer's command line and which commands are enabled.
// The view asks these for every decision, so they can be checked without a
// window.
#pragma once

#include <vector>
#include "Framework.h"

namespace BrowserViewRules
{
enum
{
    // Scroll extents and window coordinates stay below this along the rows.
    MaxExtent = 0x7FFF,
    // Spacing around a cell within its pitch.
    GapX = 16,
    GapY = 12,
};

// The grid of n cells of w x h laid out in a client of W x H.
struct CellGrid
{
    int count = 0;               // n
    int cellWidth = 0;           // w
    int cellHeight = 0;          // h
    int columns = 1, rows = 0;   // c, r
    int pitchX = 0, pitchY = 0;  // cx, cy

    // Cell k's rectangle in content coordinates (scroll position 0, 0).
    CRect CellRect(int k) const;
    // c x cx by r x cy: the scroll sizes set by a layout.
    CSize TotalSize() const;
    // The largest right and bottom edges of the cells, plus 10.
    CSize CellExtent() const;
    // Indices, in order, of the cells whose rectangles intersect `area`
    // (content coordinates).
    std::vector<int> CellsIn(const CRect& area) const;
};

// Columns and rows by the pitch rules: pitch (w + 16) x (h + 12); as many
// columns as fit (at least one); more columns while the rows would pass
// MaxExtent; a single row holds no more columns than cells; a grid narrower
// or lower than the client spreads its pitch over it. n = 0 gives an empty
// grid.
CellGrid ComputeGrid(int n, int w, int h, int clientWidth, int clientHeight);

// Where a dragged cell goes back. `dropped` is its rectangle (any
// coordinates) and `others` the rectangles of the other cells in grid order
// (the same coordinates). The result is the index in `others` of the first
// cell X that lies more than halfPitch lower than the dropped cell, or in the
// same row (tops less than halfPitch apart) and to the right of its left
// edge; -1 means after the last one.
int FindDropPosition(const CRect& dropped, const std::vector<CRect>& others, int halfPitch);

// A click on a cell: without Shift or Ctrl the others are cleared (unless
// force) and the cell is selected; with one of them the cell toggles, or
// stays selected when force is set.
struct ClickOutcome
{
    bool clearOthers;
    bool selected;
};
ClickOutcome ClickSelect(bool modifierHeld, bool force, bool cellSelected);

// The Viewer's parameter: the path in double quotes, preceded inside the
// quotes by the album number and a blank when an album is shown (album 0:
// a folder).
CString ViewerParameters(unsigned album, const CString& path);
// Glintfix gets the path in double quotes.
CString QuotedPath(const CString& path);
// The program named `name` in the folder of `modulePath` (up to its last
// backslash): "C:\Suite\Pixmere.exe" and "Viewer" give "C:\Suite\Viewer".
CString SiblingProgram(const CString& modulePath, const char* name);

// What the view's commands depend on.
struct ViewState
{
    bool hasList = false;      // a folder or an album is shown
    bool albumShown = false;
    int entryCount = 0;
    int selectedCount = 0;
    bool clipboardHasFiles = false; // CF_HDROP data is available
};
// Whether the view's command `id` is enabled; false for ids that are not
// the view's.
bool IsCommandEnabled(UINT id, const ViewState& state);
// The ids the view handles (edit commands, Viewer, Glintfix).
bool IsViewCommand(UINT id);

// The frame title while a list is shown.
CString ListTitle(const CString& place, int entryCount);
}
