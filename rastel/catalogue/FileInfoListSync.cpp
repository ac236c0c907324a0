// The list's modified state and its step with the catalogue file: every
// successful save of a file bumps that file's version counter (one per file
// in the process), so a list can tell that another window's list saved the
// same album or folder since it read it, and bring that in before it saves.
#include "FileInfoList.h"
#include "ArchiveStream.h"
#include "FileInfoIndex.h"
#include "SuiteLock.h"

#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace
{
// Keyed by the upper-cased path; used under the suite-wide lock only.
std::unordered_map<std::string, unsigned long>& FileVersions()
{
    static std::unordered_map<std::string, unsigned long> versions;
    return versions;
}

struct Record
{
    CString name, description;
    LONG transition, showTime;
};
}

unsigned long CFileInfoList::FileVersion(const CString& path)
{
    CSuiteLock lock;
    auto found = FileVersions().find(CFileInfoIndex::KeyOf(path));
    return found == FileVersions().end() ? 0 : found->second;
}

unsigned long CFileInfoList::BumpFileVersion(const CString& path)
{
    CSuiteLock lock;
    return ++FileVersions()[CFileInfoIndex::KeyOf(path)];
}

void CFileInfoList::NoteFileChanged(const char* path)
{
    if (path)
        BumpFileVersion(path);
}

void CFileInfoList::NoteInStepWithFile(const CString& path, CFileInfoIndex* names)
{
    m_nFileVersion = FileVersion(path);
    m_pSavedNames->Clear();
    if (names)
    {
        // Taken over rather than copied: a big folder's names are many.
        std::swap(*m_pSavedNames, *names);
        return;
    }
    // Just written: the file holds this list's names.
    for (POSITION pos = GetHeadPosition(); pos;)
        m_pSavedNames->Add(static_cast<CFileInfo*>(GetNext(pos))->m_Name, NULL);
}

BOOL CFileInfoList::IsStale()
{
    return FileVersion(GetFileName()) != m_nFileVersion;
}

void CFileInfoList::ChangeDescription(CFileInfo* entry, const char* description)
{
    if (!entry || entry->m_Description == (description ? description : ""))
        return;
    entry->SetDescription(description);
    m_bModified = TRUE;
}

void CFileInfoList::ChangeTransition(CFileInfo* entry, int transition)
{
    if (!entry || entry->m_nTransition == transition)
        return;
    entry->SetTransition(transition);
    m_bModified = TRUE;
}

void CFileInfoList::ChangeShowTime(CFileInfo* entry, int showTime)
{
    if (!entry || entry->m_nShowTime == (showTime & 0xFF))
        return;
    entry->SetShowTime(showTime);
    m_bModified = TRUE;
}

BOOL CFileInfoList::MergeSavedChanges()
{
    CSuiteLock lock;
    if (!IsStale())
        return FALSE;
    CString path = GetFileName();
    std::vector<Record> records;
    CFileInfoIndex onDisk;
    CArchiveStream in;
    if (in.OpenForReading(path))
    {
        Record record;
        while (in.ReadString(record.name) && in.ReadString(record.description) &&
               in.ReadInt32(record.transition) && in.ReadInt32(record.showTime))
        {
            onDisk.Add(record.name, NULL);
            records.push_back(record);
        }
        in.Close();
    }
    BOOL changed = FALSE;
    Index(); // fresh before the removals below update it
    for (POSITION pos = GetHeadPosition(); pos;)
    {
        POSITION here = pos;
        const CString& name = static_cast<CFileInfo*>(GetNext(pos))->m_Name;
        if (m_pSavedNames->Contains(name) && !onDisk.Contains(name))
        {
            RemoveEntryAt(here);
            changed = TRUE;
        }
    }
    BOOL modified = m_bModified;
    for (const Record& record : records)
    {
        if (m_pSavedNames->Contains(record.name) || GetFile(record.name))
            continue; // this list's own, or removed here
        if (CFileInfo* entry = InsertFile(record.name))
        {
            entry->SetDescription(record.description);
            entry->SetTransition(record.transition);
            entry->SetShowTime(record.showTime);
            changed = TRUE;
        }
    }
    // What came from the file is not this list's change.
    m_bModified = modified;
    NoteInStepWithFile(path, &onDisk);
    return changed;
}
