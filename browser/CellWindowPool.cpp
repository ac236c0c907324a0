// CCellWindowPool: cell windows for the pictures in or near sight, reused as
// the view scrolls.
#include "CellWindowPool.h"
#include <unordered_set>
#include "BrowserView.h"
#include "FileInfo.h"
#include "ThumbnailManager.h"
#include "ThumbnailWindow.h"

CCellWindowPool::CCellWindowPool(CBrowserView* view) : m_pView(view) {}

CCellWindowPool::~CCellWindowPool()
{
    DeleteAll();
}

CThumbnailWindow* CCellWindowPool::Find(const CFileInfo* entry) const
{
    auto found = m_ByEntry.find(entry);
    return found == m_ByEntry.end() ? NULL : found->second;
}

int CCellWindowPool::GetCount() const
{
    return (int)m_ByEntry.size();
}

std::vector<CThumbnailWindow*> CCellWindowPool::Windows() const
{
    std::vector<CThumbnailWindow*> windows;
    windows.reserve(m_ByEntry.size());
    for (auto& item : m_ByEntry)
        windows.push_back(item.second);
    return windows;
}

CThumbnailWindow* CCellWindowPool::MakeWindow(CFileInfo* entry, const CRect& place)
{
    CThumbnailWindow* cell = new CThumbnailWindow(m_pView, m_pView, entry);
    if (!cell->CreateCell(place, m_Look, m_hBackground))
    {
        delete cell;
        return NULL;
    }
    m_ByEntry[entry] = cell;
    return cell;
}

void CCellWindowPool::SetLook(const CCellLook& look, HBITMAP background)
{
    m_Look = look;
    m_hBackground = background;
    for (auto& item : m_ByEntry)
        item.second->SetLook(look, background);
}

void CCellWindowPool::Rebind(CThumbnailWindow* cell, CFileInfo* entry)
{
    // The cell drops the requests queued for its old picture, which would
    // otherwise be served into it.
    m_ByEntry.erase(cell->GetFileInfo());
    cell->SetFileInfo(entry);
    m_ByEntry[entry] = cell;
}

void CCellWindowPool::DestroyWindowOf(CThumbnailWindow* cell)
{
    m_ByEntry.erase(cell->GetFileInfo());
    if (g_pThumbnailManager && cell->m_hWnd)
        g_pThumbnailManager->RemoveTasksFor(cell->m_hWnd);
    delete cell;
}

void CCellWindowPool::Assign(const std::vector<CFileInfo*>& entries, const std::vector<int>& wanted,
                             const std::function<CRect(int)>& placeOf)
{
    std::unordered_set<const CFileInfo*> keep;
    keep.reserve(wanted.size() * 2);
    for (int k : wanted)
        keep.insert(entries[k]);

    std::vector<CThumbnailWindow*> spare;
    for (auto& item : m_ByEntry)
        if (!keep.count(item.first) && !item.second->IsDragging())
            spare.push_back(item.second);

    for (int k : wanted)
    {
        CFileInfo* entry = entries[k];
        CRect place = placeOf(k);
        CThumbnailWindow* cell = Find(entry);
        bool fresh = false;
        if (!cell && !spare.empty())
        {
            cell = spare.back();
            spare.pop_back();
            Rebind(cell, entry);
            fresh = true;
        }
        if (!cell)
        {
            // Made in place: one window call less than placing it after.
            cell = MakeWindow(entry, place);
            if (!cell)
                continue;
            fresh = true;
        }
        // A dragged cell that is being dropped snaps to its place too.
        CRect now;
        cell->GetWindowRect(&now);
        m_pView->ScreenToClient(&now);
        if (now != place)
            cell->SetWindowPos(NULL, place.left, place.top, place.Width(), place.Height(),
                               SWP_NOZORDER | SWP_NOACTIVATE);
        if (fresh)
            cell->Invalidate(TRUE);
    }
    for (CThumbnailWindow* cell : spare)
        DestroyWindowOf(cell);
}

void CCellWindowPool::Remove(const CFileInfo* entry)
{
    CThumbnailWindow* cell = Find(entry);
    if (cell)
        DestroyWindowOf(cell);
}

void CCellWindowPool::DeleteAll()
{
    for (CThumbnailWindow* cell : Windows())
        DestroyWindowOf(cell);
}

void CCellWindowPool::RedrawAll(const std::vector<CFileInfo*>& entries, const std::vector<int>& seen)
{
    if (m_ByEntry.empty())
        return;
    // The seen cells ask first, last to first: the generator serves the
    // newest request first, so the first cells fill in first. They paint
    // with the next paint messages, by when many thumbnails have come: a
    // cell painted at once would mostly be painted twice.
    for (size_t i = seen.size(); i-- > 0;)
    {
        int k = seen[i];
        CThumbnailWindow* cell = k >= 0 && k < (int)entries.size() ? Find(entries[k]) : NULL;
        if (cell && cell->m_hWnd)
            cell->RequestThumbnail();
    }
    for (CThumbnailWindow* cell : Windows())
        if (cell->m_hWnd)
            cell->RedrawWindow(NULL, NULL, RDW_ERASE | RDW_INVALIDATE);
}
