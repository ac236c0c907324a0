// CCellWindowPool: the thumbnail view's cell windows, kept only for the
// pictures in or near sight. Assign gives each wanted picture a window,
// handing windows of pictures that left the range to the newcomers (their
// pending thumbnail tasks are dropped first) and making or destroying
// windows only when the range grows or shrinks, so the number of windows
// follows the size of the view, not of the list.
//
// The pool owns its windows; a window keeps pointing at a CFileInfo of the
// view's list, which must outlive it.
#pragma once

#include <functional>
#include <unordered_map>
#include <vector>
#include "Framework.h"
#include "CellLook.h"

class CBrowserView;
class CFileInfo;
class CThumbnailWindow;

class CCellWindowPool
{
public:
    explicit CCellWindowPool(CBrowserView* view);
    ~CCellWindowPool();

    // Windows for exactly the pictures entries[k], k in `wanted`, each moved
    // to placeOf(k) (view client coordinates). A window that is being dragged
    // keeps its picture even when it is not wanted.
    void Assign(const std::vector<CFileInfo*>& entries, const std::vector<int>& wanted,
                const std::function<CRect(int)>& placeOf);
    // The window showing entry, or null.
    CThumbnailWindow* Find(const CFileInfo* entry) const;
    int GetCount() const;
    // Destroys the window of an entry that leaves the list.
    void Remove(const CFileInfo* entry);
    void DeleteAll();
    // Has the `seen` cells (indices into entries) ask for their thumbnails,
    // from the last picture to the first, and every window repaint with the
    // next paint messages; the cells out of sight ask when they paint.
    void RedrawAll(const std::vector<CFileInfo*>& entries, const std::vector<int>& seen);
    // Every window, in no particular order.
    std::vector<CThumbnailWindow*> Windows() const;
    // The look of every window, now and when made; `background` stays the
    // caller's and must outlive the windows or the next SetLook.
    void SetLook(const CCellLook& look, HBITMAP background);

private:
    CCellWindowPool(const CCellWindowPool&) = delete;
    CCellWindowPool& operator=(const CCellWindowPool&) = delete;

    CThumbnailWindow* MakeWindow(CFileInfo* entry, const CRect& place);
    // Points a window at another picture and forgets its pending tasks.
    void Rebind(CThumbnailWindow* cell, CFileInfo* entry);
    void DestroyWindowOf(CThumbnailWindow* cell);

    CBrowserView* m_pView;
    CCellLook m_Look;
    HBITMAP m_hBackground = NULL;
    std::unordered_map<const CFileInfo*, CThumbnailWindow*> m_ByEntry;
};
