// CThumbnailWindowList: the owning list of cell windows.
#include "ThumbnailWindowList.h"
#include "ThumbnailWindow.h"

CThumbnailWindowList::~CThumbnailWindowList()
{
    DeleteAll();
}

CThumbnailWindow* CThumbnailWindowList::FindCell(HWND hWnd) const
{
    for (POSITION pos = GetHeadPosition(); pos;)
    {
        CThumbnailWindow* cell = GetCell(pos);
        if (cell->m_hWnd == hWnd)
            return cell;
    }
    return NULL;
}

void CThumbnailWindowList::DeleteCell(CThumbnailWindow* cell)
{
    POSITION at = Find(cell);
    if (!at)
        return;
    RemoveAt(at);
    delete cell;
}

void CThumbnailWindowList::DeleteAll()
{
    while (!IsEmpty())
        delete (CThumbnailWindow*)RemoveHead();
}
