// CCellHost: what a thumbnail cell asks of the view that shows it. The cell
// knows only this interface; the view (CBrowserView) carries it out on the
// whole list, whether or not the other pictures have windows.
#pragma once

#include "Framework.h"

class CFileInfo;
class CThumbnailWindow;

class CCellHost
{
public:
    // A click on the cell: the view's click selection (Shift and Ctrl as
    // held); with keepOthers the cell is selected without clearing others.
    virtual void CellClicked(CThumbnailWindow* cell, BOOL keepOthers) = 0;
    // The cell was dragged within the view and let go: its picture moves
    // to where it was dropped.
    virtual void CellDropped(CThumbnailWindow* cell) = 0;
    // The cell was held down with Shift or Ctrl: the selection is dragged
    // out of the view.
    virtual void CellDraggedOut() = 0;
    // A double click: the picture opens in the viewer.
    virtual void CellOpened(CFileInfo* entry) = 0;
    // The description of the cell's picture was typed.
    virtual void CellDescribed(CFileInfo* entry, const CString& text) = 0;
    // How many pictures of the shown list are selected.
    virtual int SelectedCount() const = 0;

protected:
    ~CCellHost() {}
};
