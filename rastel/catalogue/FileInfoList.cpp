// The ordered picture list: lookups, the current-entry walks, reordering, and
// the catalogue file's load and save.
#include "FileInfoList.h"
#include "ArchiveStream.h"
#include "SuiteLock.h"

#include <mbstring.h>

namespace
{
const unsigned char* Mbs(LPCSTR text)
{
    return reinterpret_cast<const unsigned char*>(text);
}

// The longest path the suite handles.
const int MaxPathLength = 260;
}

CFileInfoList::CFileInfoList() : m_pCurrent(NULL)
{
}

CFileInfoList::~CFileInfoList()
{
    POSITION pos = GetHeadPosition();
    while (pos)
        delete static_cast<CFileInfo*>(GetNext(pos));
    RemoveAll();
    m_pCurrent = NULL;
}

CFileInfo* CFileInfoList::GetFile(const char* path) const
{
    if (!path)
        return NULL;
    POSITION pos = GetHeadPosition();
    while (pos)
    {
        CFileInfo* entry = static_cast<CFileInfo*>(GetNext(pos));
        if (_mbsicmp(Mbs(entry->m_Name), Mbs(path)) == 0)
            return entry;
    }
    return NULL;
}

CFileInfo* CFileInfoList::InsertFile(const char* path)
{
    if (!path)
        return NULL;
    if (CFileInfo* existing = GetFile(path))
        return existing;
    if (strlen(path) > MaxPathLength)
        return NULL;
    CString name(path);
    if (!CFileInfo::FileExist(name) || !CFileInfo::IsImageFile(name))
        return NULL;
    CFileInfo* entry = new CFileInfo(path);
    AddTail(entry);
    return entry;
}

CFileInfo* CFileInfoList::GetCurrentFile()
{
    if (IsEmpty())
        return NULL;
    if (!m_pCurrent)
        m_pCurrent = static_cast<CFileInfo*>(GetHead());
    return m_pCurrent;
}

CFileInfo* CFileInfoList::SetCurrentFile(CString name)
{
    POSITION pos = GetHeadPosition();
    while (pos)
    {
        CFileInfo* entry = static_cast<CFileInfo*>(GetNext(pos));
        if (_mbscmp(Mbs(entry->m_Name), Mbs(name)) == 0)
        {
            m_pCurrent = entry;
            return entry;
        }
    }
    return NULL;
}

CFileInfo* CFileInfoList::SetCurrentFile(CFileInfo* entry)
{
    if (entry)
    {
        SetCurrentFile(entry->GetName());
        return m_pCurrent;
    }
    m_pCurrent = IsEmpty() ? NULL : static_cast<CFileInfo*>(GetHead());
    return m_pCurrent;
}

CFileInfo* CFileInfoList::SelectTheNextFile()
{
    if (IsEmpty() || !m_pCurrent)
        return m_pCurrent;
    POSITION pos = Find(m_pCurrent);
    if (!pos)
        return m_pCurrent;
    GetNext(pos);
    m_pCurrent = static_cast<CFileInfo*>(pos ? GetAt(pos) : GetHead());
    return m_pCurrent;
}

CFileInfo* CFileInfoList::SelectThePrevFile()
{
    if (IsEmpty() || !m_pCurrent)
        return m_pCurrent;
    POSITION pos = Find(m_pCurrent);
    if (!pos)
        return m_pCurrent;
    GetPrev(pos);
    m_pCurrent = static_cast<CFileInfo*>(pos ? GetAt(pos) : GetTail());
    return m_pCurrent;
}

int CFileInfoList::GetSelectedFileCount() const
{
    int count = 0;
    POSITION pos = GetHeadPosition();
    while (pos)
        if (static_cast<CFileInfo*>(GetNext(pos))->Selected())
            count++;
    return count;
}

void CFileInfoList::UnregisterSelectedFiles()
{
    POSITION pos = GetHeadPosition();
    while (pos)
    {
        POSITION here = pos;
        CFileInfo* entry = static_cast<CFileInfo*>(GetNext(pos));
        if (!entry->Selected())
            continue;
        if (entry == m_pCurrent)
            m_pCurrent = NULL;
        RemoveAt(here);
        delete entry;
    }
}

void CFileInfoList::MoveBefore(CFileInfo* moved, CFileInfo* target)
{
    if (!moved || !target || moved == target)
        return;
    POSITION from = Find(moved);
    if (!from || !Find(target))
        return;
    RemoveAt(from);
    InsertBefore(Find(target), moved);
}

void CFileInfoList::MoveToTail(CFileInfo* moved)
{
    if (!moved)
        return;
    POSITION from = Find(moved);
    if (!from)
        return;
    RemoveAt(from);
    AddTail(moved);
}

void CFileInfoList::Load()
{
    CSuiteLock lock;
    CArchiveStream in;
    if (!in.OpenForReading(GetFileName()))
        return;
    for (;;)
    {
        CString name, description;
        LONG transition, showTime;
        if (!in.ReadString(name) || !in.ReadString(description) ||
            !in.ReadInt32(transition) || !in.ReadInt32(showTime))
            break;
        CFileInfo* entry = InsertFile(name);
        if (!entry)
            continue;
        entry->SetDescription(description);
        entry->SetTransition(transition);
        entry->SetShowTime(showTime);
    }
}

BOOL CFileInfoList::Save()
{
    CSuiteLock lock;
    CString target = GetFileName();
    BOOL stored = FALSE;
    CArchiveStream out;
    if (out.OpenForWriting(target))
    {
        POSITION pos = GetHeadPosition();
        while (pos)
        {
            const CFileInfo* entry = static_cast<const CFileInfo*>(GetNext(pos));
            out.WriteString(entry->m_Name);
            out.WriteString(entry->m_Description);
            out.WriteInt32(entry->m_nTransition);
            out.WriteInt32(entry->m_nShowTime);
        }
        stored = out.Commit();
    }
    // The catalogue carries the hidden attribute alone, whether or not this
    // save could replace it.
    SetFileAttributesA(target, FILE_ATTRIBUTE_HIDDEN);
    return stored;
}
