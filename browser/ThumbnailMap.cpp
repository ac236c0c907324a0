// CThumbnailManager's bitmap map: one bitmap per upper-cased path, bounded
// by a count and a byte budget. Windows allows a process 10,000 GDI objects,
// so the map drops the least recently drawn bitmaps first; a dropped
// thumbnail comes back from the disk cache when its cell paints again.
#include "ThumbnailManager.h"

namespace
{
size_t BitmapBytes(HBITMAP bitmap)
{
    BITMAP info;
    if (!bitmap || GetObjectA(bitmap, sizeof(info), &info) != sizeof(info))
        return 0;
    return (size_t)info.bmWidthBytes * (size_t)info.bmHeight;
}
} // namespace

void CThumbnailManager::MarkDrawn(MapEntry& entry, const std::string& key)
{
    if (entry.recent != m_Recent.begin())
    {
        m_Recent.erase(entry.recent);
        m_Recent.push_front(key);
        entry.recent = m_Recent.begin();
    }
}

void CThumbnailManager::SetThumbnail(CString path, const CThumbnailInfo& info)
{
    std::string key = KeyOf(path);
    CSuiteLock lock;
    Map::iterator found = m_Map.find(key);
    if (found != m_Map.end())
    {
        MapEntry& entry = found->second;
        // A preview made by a worker that lost the race with the full pass
        // of the same request would hide the full picture for good.
        if (info.m_bPreview && !entry.info.m_bPreview && entry.info.m_hBitmap &&
            entry.info.m_hBitmap != info.m_hBitmap &&
            entry.info.IsMadeFor(info.m_Rect, info.m_bFitToRect, info.m_Modified))
        {
            DeleteObject(info.m_hBitmap);
            MarkDrawn(entry, key);
            return;
        }
        if (entry.info.m_hBitmap && entry.info.m_hBitmap != info.m_hBitmap)
            DeleteObject(entry.info.m_hBitmap);
        m_nMapBytes -= entry.bytes;
        entry.info = info;
        entry.bytes = BitmapBytes(info.m_hBitmap);
        m_nMapBytes += entry.bytes;
        MarkDrawn(entry, key);
    }
    else
    {
        m_Recent.push_front(key);
        MapEntry entry = {info, BitmapBytes(info.m_hBitmap), m_Recent.begin()};
        m_nMapBytes += entry.bytes;
        m_Map.insert(Map::value_type(key, entry));
    }
    DropOverBudget(key);
}

CThumbnailInfo CThumbnailManager::TakeThumbnail(CString path)
{
    std::string key = KeyOf(path);
    CSuiteLock lock;
    CThumbnailInfo none = {NULL, CRect(0, 0, 0, 0)};
    Map::iterator found = m_Map.find(key);
    if (found == m_Map.end() || !found->second.info.m_hBitmap)
        return none;
    CThumbnailInfo info = found->second.info;
    m_nMapBytes -= found->second.bytes;
    m_Recent.erase(found->second.recent);
    m_Map.erase(found);
    return info;
}

void CThumbnailManager::ClearThumbnails()
{
    CSuiteLock lock;
    for (Map::value_type& item : m_Map)
        if (item.second.info.m_hBitmap)
            DeleteObject(item.second.info.m_hBitmap);
    m_Map.clear();
    m_Recent.clear();
    m_nMapBytes = 0;
}

void CThumbnailManager::DropOverBudget(const std::string& keep)
{
    // Cells draw only under the lock, so no dropped bitmap is being drawn.
    while ((m_Map.size() > (size_t)m_nBudgetCount || m_nMapBytes > m_nBudgetBytes) &&
           m_Recent.size() > 1)
    {
        std::string oldest = m_Recent.back();
        if (oldest == keep)
            break;
        Map::iterator found = m_Map.find(oldest);
        m_Recent.pop_back();
        if (found == m_Map.end())
            continue;
        if (found->second.info.m_hBitmap)
            DeleteObject(found->second.info.m_hBitmap);
        m_nMapBytes -= found->second.bytes;
        m_Map.erase(found);
    }
}

void CThumbnailManager::SetBudget(int count, size_t bytes)
{
    CSuiteLock lock;
    m_nBudgetCount = count < 1 ? 1 : count;
    m_nBudgetBytes = bytes;
    std::string keep = m_Recent.empty() ? std::string() : m_Recent.front();
    DropOverBudget(keep);
}

int CThumbnailManager::GetThumbnailCount()
{
    CSuiteLock lock;
    return (int)m_Map.size();
}

size_t CThumbnailManager::GetThumbnailBytes()
{
    CSuiteLock lock;
    return m_nMapBytes;
}
