// CThumbnailMap: the bitmaps of finished thumbnails, bounded by a count and
// a byte budget, least recently drawn dropped first.
#include "ThumbnailMap.h"

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

CThumbnailMap::CThumbnailMap()
    : m_nBytes(0), m_nBudgetCount(DefaultBudgetCount), m_nBudgetBytes(DefaultBudgetBytes)
{
    InitializeCriticalSection(&m_Lock);
}

CThumbnailMap::~CThumbnailMap()
{
    Clear();
    DeleteCriticalSection(&m_Lock);
}

std::string CThumbnailMap::KeyOf(CString path)
{
    path.MakeUpper();
    return std::string((LPCSTR)path, (size_t)path.GetLength());
}

void CThumbnailMap::MarkDrawn(Entry& entry, const std::string& key)
{
    if (entry.recent != m_Recent.begin())
    {
        m_Recent.erase(entry.recent);
        m_Recent.push_front(key);
        entry.recent = m_Recent.begin();
    }
}

void CThumbnailMap::Erase(Map::iterator found)
{
    m_nBytes -= found->second.bytes;
    m_Recent.erase(found->second.recent);
    m_Map.erase(found);
}

CThumbnailInfo CThumbnailMap::Draw(CString path, const CRect& area, BOOL fit, ULONGLONG modified,
                                   const std::function<void(HBITMAP)>& draw)
{
    std::string key = KeyOf(path);
    CThumbnailInfo none = {NULL, CRect(0, 0, 0, 0)};
    CLock lock(*this);
    Map::iterator found = m_Map.find(key);
    if (found != m_Map.end() && found->second.info.m_hBitmap)
    {
        Entry& entry = found->second;
        if (entry.info.IsMadeFor(area, fit, modified))
        {
            entry.info.m_Rect = area;
            MarkDrawn(entry, key);
            if (draw)
                draw(entry.info.m_hBitmap);
            return entry.info;
        }
        DeleteObject(entry.info.m_hBitmap); // made for another size, fit or file
        Erase(found);
    }
    if (draw)
        draw(NULL);
    return none;
}

void CThumbnailMap::Set(CString path, const CThumbnailInfo& info)
{
    std::string key = KeyOf(path);
    CLock lock(*this);
    Map::iterator found = m_Map.find(key);
    if (found != m_Map.end())
    {
        Entry& entry = found->second;
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
        m_nBytes -= entry.bytes;
        entry.info = info;
        entry.bytes = BitmapBytes(info.m_hBitmap);
        m_nBytes += entry.bytes;
        MarkDrawn(entry, key);
    }
    else
    {
        m_Recent.push_front(key);
        Entry entry = {info, BitmapBytes(info.m_hBitmap), m_Recent.begin()};
        m_nBytes += entry.bytes;
        m_Map.insert(Map::value_type(key, entry));
    }
    DropOverBudget(key);
}

CThumbnailInfo CThumbnailMap::Take(CString path)
{
    std::string key = KeyOf(path);
    CThumbnailInfo none = {NULL, CRect(0, 0, 0, 0)};
    CLock lock(*this);
    Map::iterator found = m_Map.find(key);
    if (found == m_Map.end() || !found->second.info.m_hBitmap)
        return none;
    CThumbnailInfo info = found->second.info;
    Erase(found);
    return info;
}

void CThumbnailMap::Clear()
{
    CLock lock(*this);
    for (Map::value_type& item : m_Map)
        if (item.second.info.m_hBitmap)
            DeleteObject(item.second.info.m_hBitmap);
    m_Map.clear();
    m_Recent.clear();
    m_nBytes = 0;
}

void CThumbnailMap::DropOverBudget(const std::string& keep)
{
    // Cells draw only under the lock, so no dropped bitmap is being drawn.
    while ((m_Map.size() > (size_t)m_nBudgetCount || m_nBytes > m_nBudgetBytes) && m_Recent.size() > 1)
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
        m_nBytes -= found->second.bytes;
        m_Map.erase(found);
    }
}

void CThumbnailMap::SetBudget(int count, size_t bytes)
{
    CLock lock(*this);
    m_nBudgetCount = count < 1 ? 1 : count;
    m_nBudgetBytes = bytes;
    std::string keep = m_Recent.empty() ? std::string() : m_Recent.front();
    DropOverBudget(keep);
}

int CThumbnailMap::GetCount()
{
    CLock lock(*this);
    return (int)m_Map.size();
}

size_t CThumbnailMap::GetBytes()
{
    CLock lock(*this);
    return m_nBytes;
}
