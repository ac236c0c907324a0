// CThumbnailWindowList: a list of cell windows that owns them: removing a
// cell with DeleteCell, or destroying the list, deletes the window objects.
#pragma once

#include "Framework.h"
#include "CPtrList.h"

class CThumbnailWindow;

class CThumbnailWindowList : public CPtrList
{
public:
    CThumbnailWindowList() {}
    ~CThumbnailWindowList();

    CThumbnailWindow* GetCell(POSITION& pos) const { return (CThumbnailWindow*)GetNext(pos); }
    // The cell whose window is hWnd, or null.
    CThumbnailWindow* FindCell(HWND hWnd) const;
    // Removes the cell from the list and deletes it (window and object).
    void DeleteCell(CThumbnailWindow* cell);
    void DeleteAll();
};
