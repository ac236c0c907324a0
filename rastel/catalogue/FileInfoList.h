// CFileInfoList: an ordered list of owned CFileInfo entries with one current
// entry, saved to and loaded from a catalogue file as a stream of records
// (name, description, transition, show time). CAlbum and CFolder name the file.
// Entries are indexed by name (without regard to case), so finding, inserting
// and moving an entry do not walk the list; the list's own operations keep
// that index in step, which is why the pointer list's editing functions are
// not open to callers.
#pragma once

#include "Framework.h"
#include "RastelApi.h"
#include "FileInfo.h"

class CFileInfoIndex;

class RASTEL_API CFileInfoList : public CPtrList
{
public:
    CFileInfoList();
    // Deletes every entry.
    virtual ~CFileInfoList();

    // First entry whose name equals the path without regard to case; null when none.
    CFileInfo* GetFile(const char* path) const;
    // The existing entry for the path, or a new one appended at the tail when
    // the path is an existing picture file (at most 260 characters); else null.
    CFileInfo* InsertFile(const char* path);

    // The current entry; when none is current the head becomes current.
    CFileInfo* GetCurrentFile();
    // Makes the first entry whose name equals `name` exactly current; null
    // (and the current entry unchanged) when none does.
    CFileInfo* SetCurrentFile(CString name);
    // With an entry: SetCurrentFile(entry->GetName()) and the current entry is
    // returned. With null: the head becomes current and is returned.
    CFileInfo* SetCurrentFile(CFileInfo* entry);
    // Move the current entry one step, wrapping around at the ends; when no
    // entry of this list is current they change nothing and return that.
    CFileInfo* SelectTheNextFile();
    CFileInfo* SelectThePrevFile();

    int GetSelectedFileCount() const;
    // Removes and deletes every selected entry; when the current entry is one
    // of them, no entry is current afterwards.
    void UnregisterSelectedFiles();
    // Takes `moved` out of the list and inserts it right before `target`.
    void MoveBefore(CFileInfo* moved, CFileInfo* target);
    // Takes `moved` out of the list and appends it at the tail.
    void MoveToTail(CFileInfo* moved);

    // Adds the records of the catalogue file (missing, short or damaged files
    // give what could be read). Holds the suite-wide lock.
    virtual void Load();
    // Rewrites the catalogue file with the whole list and marks it hidden. The
    // new content replaces the old file only once it is completely on disk, so
    // a failed save keeps the previous file. Holds the suite-wide lock; returns
    // whether the new content was stored (callers may ignore it).
    virtual BOOL Save();

protected:
    // Full path of the catalogue file.
    virtual CString GetFileName() = 0;
    // InsertFile for a file a folder search has just returned: it is known
    // to exist, so only its name and type are checked.
    CFileInfo* InsertListedFile(const char* path);
    // Load's work: the catalogue's records, where a record naming one of
    // listedFiles (when given) is known to exist without asking the disk.
    void LoadRecords(const CFileInfoIndex* listedFiles);

private:
    CFileInfoList(const CFileInfoList&) = delete;
    CFileInfoList& operator=(const CFileInfoList&) = delete;

    // Editing goes through the operations above, which keep the index.
    using CPtrList::AddHead;
    using CPtrList::AddTail;
    using CPtrList::InsertAfter;
    using CPtrList::InsertBefore;
    using CPtrList::RemoveAll;
    using CPtrList::RemoveAt;
    using CPtrList::RemoveHead;
    using CPtrList::RemoveTail;
    using CPtrList::SetAt;

    // The index, rebuilt first when it is stale (see FileInfoIndex.h).
    CFileInfoIndex& Index() const;
    // The position of an entry of this list, NULL when it is not in it.
    POSITION PositionOf(const CFileInfo* entry) const;
    // The position of the first entry named `path` without regard to case.
    POSITION PositionOfName(const char* path) const;

    CFileInfo* m_pCurrent;
    CFileInfoIndex* m_pIndex;
};
