// The ordered picture list: lookups, the current-entry walks, reordering, and
// the catalogue file's load and save.
#include "FileInfoList.h"
#include "ArchiveStream.h"
#include "FileInfoIndex.h"
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

CFileInfoList::CFileInfoList()
    : m_pCurrent(NULL), m_pIndex(new CFileInfoIndex), m_pSavedNames(new CFileInfoIndex), m_nFileVersion(0),
      m_bModified(FALSE)
{
}

CFileInfoList::~CFileInfoList()
{
    POSITION pos = GetHeadPosition();
    while (pos)
        delete static_cast<CFileInfo*>(GetNext(pos));
    RemoveAll();
    m_pCurrent = NULL;
    delete m_pIndex;
    delete m_pSavedNames;
}

CFileInfoIndex& CFileInfoList::Index() const
{
    if (m_pIndex->IsStale(GetCount()))
    {
        m_pIndex->Clear();
        for (POSITION pos = GetHeadPosition(); pos;)
        {
            POSITION at = pos;
            m_pIndex->Add(static_cast<CFileInfo*>(GetNext(pos))->m_Name, at);
        }
    }
    return *m_pIndex;
}

POSITION CFileInfoList::PositionOfName(const char* path) const
{
    CFileInfoIndex& index = Index();
    if (!index.HasDuplicates())
    {
        POSITION pos = index.Find(path);
        if (!pos)
            return NULL;
        if (_mbsicmp(Mbs(static_cast<CFileInfo*>(GetAt(pos))->m_Name), Mbs(path)) == 0)
            return pos;
    }
    // Two entries share a name (an entry was renamed onto another): the
    // first one in list order is the one meant.
    for (POSITION pos = GetHeadPosition(); pos;)
    {
        POSITION at = pos;
        if (_mbsicmp(Mbs(static_cast<CFileInfo*>(GetNext(pos))->m_Name), Mbs(path)) == 0)
            return at;
    }
    return NULL;
}

POSITION CFileInfoList::PositionOf(const CFileInfo* entry) const
{
    if (!entry)
        return NULL;
    POSITION pos = Index().Find(entry->m_Name);
    if (pos && GetAt(pos) == entry)
        return pos;
    return Find(const_cast<CFileInfo*>(entry));
}

CFileInfo* CFileInfoList::GetFile(const char* path) const
{
    if (!path)
        return NULL;
    POSITION pos = PositionOfName(path);
    return pos ? static_cast<CFileInfo*>(GetAt(pos)) : NULL;
}

CFileInfo* CFileInfoList::InsertFile(const char* path)
{
    if (!path)
        return NULL;
    if (CFileInfo* existing = GetFile(path))
        return existing;
    if (strlen(path) > MaxPathLength || !CFileInfo::FileExist(path))
        return NULL;
    CFileInfo* entry = InsertListedFile(path);
    if (entry)
        m_bModified = TRUE; // Load clears it again for the records it reads
    return entry;
}

CFileInfo* CFileInfoList::InsertListedFile(const char* path)
{
    if (!path)
        return NULL;
    if (CFileInfo* existing = GetFile(path))
        return existing;
    if (strlen(path) > MaxPathLength || !CFileInfo::IsImageFile(path))
        return NULL;
    CFileInfo* entry = new CFileInfo(path);
    m_pIndex->Add(entry->m_Name, AddTail(entry));
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
    // Names are unique without regard to case, so the one exact match, if
    // any, is the entry found without regard to case; with duplicate names
    // the walk decides.
    if (!Index().HasDuplicates())
    {
        POSITION pos = PositionOfName(name);
        CFileInfo* entry = pos ? static_cast<CFileInfo*>(GetAt(pos)) : NULL;
        if (!entry || _mbscmp(Mbs(entry->m_Name), Mbs(name)) != 0)
            return NULL;
        m_pCurrent = entry;
        return entry;
    }
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
    POSITION pos = PositionOf(m_pCurrent);
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
    POSITION pos = PositionOf(m_pCurrent);
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

void CFileInfoList::RemoveEntryAt(POSITION here)
{
    CFileInfo* entry = static_cast<CFileInfo*>(GetAt(here));
    if (entry == m_pCurrent)
        m_pCurrent = NULL;
    m_pIndex->Remove(entry->m_Name, here);
    RemoveAt(here);
    delete entry;
}

void CFileInfoList::UnregisterSelectedFiles()
{
    Index(); // fresh before the removals below update it
    POSITION pos = GetHeadPosition();
    while (pos)
    {
        POSITION here = pos;
        if (!static_cast<CFileInfo*>(GetNext(pos))->Selected())
            continue;
        RemoveEntryAt(here);
        m_bModified = TRUE;
    }
}

void CFileInfoList::MoveBefore(CFileInfo* moved, CFileInfo* target)
{
    if (!moved || !target || moved == target)
        return;
    POSITION from = PositionOf(moved);
    POSITION to = PositionOf(target);
    if (!from || !to)
        return;
    POSITION next = from;
    GetNext(next);
    if (next == to)
        return; // already there
    m_bModified = TRUE;
    RemoveAt(from);
    POSITION at = InsertBefore(to, moved);
    m_pIndex->Move(moved->m_Name, from, at);
}

void CFileInfoList::MoveToTail(CFileInfo* moved)
{
    if (!moved)
        return;
    POSITION from = PositionOf(moved);
    if (!from || from == GetTailPosition())
        return;
    m_bModified = TRUE;
    RemoveAt(from);
    POSITION at = AddTail(moved);
    m_pIndex->Move(moved->m_Name, from, at);
}

void CFileInfoList::Load()
{
    LoadRecords(NULL);
    m_bModified = FALSE;
}

void CFileInfoList::LoadRecords(const CFileInfoIndex* listedFiles)
{
    CSuiteLock lock;
    CString path = GetFileName();
    CFileInfoIndex names;
    CArchiveStream in;
    BOOL opened = in.OpenForReading(path);
    for (; opened;)
    {
        CString name, description;
        LONG transition, showTime;
        if (!in.ReadString(name) || !in.ReadString(description) ||
            !in.ReadInt32(transition) || !in.ReadInt32(showTime))
            break;
        names.Add(name, NULL);
        CFileInfo* entry = listedFiles && listedFiles->Contains(name) ? InsertListedFile(name) : InsertFile(name);
        if (!entry)
            continue;
        entry->SetDescription(description);
        entry->SetTransition(transition);
        entry->SetShowTime(showTime);
    }
    NoteInStepWithFile(path, &names);
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
    if (stored)
    {
        BumpFileVersion(target);
        NoteInStepWithFile(target, NULL);
        m_bModified = FALSE;
    }
    return stored;
}
