// CThumbnailMap: the finished thumbnails of the browser process, one bitmap
// per upper-cased picture path, with what it was made for (area size, fit,
// the file's last write time, EXIF preview or full pass).
//
// Contract:
// - The map owns every bitmap it holds. Set hands a bitmap over; Take hands
//   one back (the caller then owns it). A bitmap replaced or dropped from
//   the map is deleted at once.
// - It holds at most GetBudgetCount() bitmaps and GetBudgetBytes() bytes of
//   them; the least recently drawn go first. Windows allows a process
//   10,000 GDI objects, and a dropped thumbnail comes back from the disk
//   cache when its cell paints again.
// - Every operation takes the map's own lock, which is a leaf: nothing else
//   is locked while it is held. A bitmap is safe to draw only inside Draw's
//   callback or under a CThumbnailMap::CLock, since a worker may replace it
//   at any other time.
#pragma once

#include <windows.h>
#include <functional>
#include <list>
#include <string>
#include <unordered_map>
#include "Framework.h"

// A finished thumbnail and what it was made for: a cell's request is met by
// it only when the area's size, the fit and the file's last write time are
// the same.
struct CThumbnailInfo
{
    HBITMAP m_hBitmap;
    CRect m_Rect;              // the picture area; only its size matters
    BOOL m_bFitToRect = FALSE; // small pictures were enlarged to fill the area
    // The EXIF preview of a JPEG: drawn while the full pass is due, and
    // never taking the place of a full-pass bitmap of the same request.
    BOOL m_bPreview = FALSE;
    ULONGLONG m_Modified = 0;  // the file's last write time when it was read

    bool IsMadeFor(const CRect& area, BOOL fit, ULONGLONG modified) const
    {
        return m_Rect.Width() == area.Width() && m_Rect.Height() == area.Height() && !m_bFitToRect == !fit &&
               m_Modified == modified;
    }
};

class CThumbnailMap
{
public:
    enum
    {
        DefaultBudgetCount = 2000,
    };
    static const size_t DefaultBudgetBytes = 256u * 1024 * 1024;

    CThumbnailMap();
    ~CThumbnailMap(); // deletes every bitmap

    // Holds the map's lock for a scope: what is read from the map then
    // stays as it is (the lock is recursive, so map calls inside are fine).
    class CLock
    {
    public:
        explicit CLock(CThumbnailMap& map) : m_map(map) { EnterCriticalSection(&m_map.m_Lock); }
        ~CLock() { LeaveCriticalSection(&m_map.m_Lock); }
        CLock(const CLock&) = delete;
        CLock& operator=(const CLock&) = delete;

    private:
        CThumbnailMap& m_map;
    };

    // The entry of the path when it was made for the area, fit and last
    // write time: marked as just drawn and returned. An entry made for
    // anything else is deleted, and a zeroed info returned. `draw`, when
    // given, is called with the bitmap found (null for none) under the
    // lock, so the bitmap cannot go while it is drawn.
    CThumbnailInfo Draw(CString path, const CRect& area, BOOL fit, ULONGLONG modified,
                        const std::function<void(HBITMAP)>& draw = std::function<void(HBITMAP)>());
    // Keeps the bitmap (the map then owns it); a preview that would take the
    // place of a full-pass bitmap of the same request is deleted instead.
    void Set(CString path, const CThumbnailInfo& info);
    // Removes and returns the entry (the caller then owns the bitmap), or a
    // zeroed info when there is none.
    CThumbnailInfo Take(CString path);
    void Clear();
    int GetCount();
    size_t GetBytes();
    // The map's bounds; a smaller budget drops what is over it at once.
    void SetBudget(int count, size_t bytes);
    int GetBudgetCount() const { return m_nBudgetCount; }
    size_t GetBudgetBytes() const { return m_nBudgetBytes; }

private:
    CThumbnailMap(const CThumbnailMap&) = delete;
    CThumbnailMap& operator=(const CThumbnailMap&) = delete;

    struct Entry
    {
        CThumbnailInfo info;
        size_t bytes;
        std::list<std::string>::iterator recent; // position in m_Recent
    };
    typedef std::unordered_map<std::string, Entry> Map;

    static std::string KeyOf(CString path); // upper-cased
    void DropOverBudget(const std::string& keep);
    void MarkDrawn(Entry& entry, const std::string& key);
    void Erase(Map::iterator found);

    CRITICAL_SECTION m_Lock;
    Map m_Map;
    std::list<std::string> m_Recent; // front = most recently drawn
    size_t m_nBytes;
    int m_nBudgetCount;
    size_t m_nBudgetBytes;
};
