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
    // give what could be read). Holds the suite-wide lock. Afterwards the list
    // is unmodified and in step with the file.
    virtual void Load();
    // Rewrites the catalogue file with the whole list and marks it hidden. The
    // new content replaces the old file only once it is completely on disk, so
    // a failed save keeps the previous file. Holds the suite-wide lock; returns
    // whether the new content was stored (callers may ignore it). The whole
    // list is written as it is: a caller that shares the file with other
    // lists merges their saves in first (MergeSavedChanges). After a
    // successful save the list is unmodified.
    virtual BOOL Save();

    // ---- Changes and other lists of the same file (FileInfoListSync.cpp) ----
    // Whether the user changed the list since it was loaded or saved: an
    // insertion, a removal, a move, or a field set through the Change calls.
    BOOL IsModified() const { return m_bModified; }
    void SetModified(BOOL modified = TRUE) { m_bModified = modified; }
    // The user's edits of an entry's fields; the list is modified when the
    // value changes.
    void ChangeDescription(CFileInfo* entry, const char* description);
    void ChangeTransition(CFileInfo* entry, int transition);
    void ChangeShowTime(CFileInfo* entry, int showTime);
    // Whether another list of this process saved this list's catalogue file
    // (or the file was deleted) since this list loaded or saved it.
    BOOL IsStale();
    // Brings in what was saved to the file since this list read it, when it
    // is stale: entries this list had from the file and the file no longer
    // names were removed elsewhere and go (they are deleted); pictures the
    // file names that this list never had from it were added elsewhere and
    // are appended with the file's fields. This list's own order, fields and
    // additions stay. Under the suite-wide lock; returns whether an entry
    // went or came. Entry pointers held by callers may dangle afterwards.
    BOOL MergeSavedChanges();
    // Lists holding `path` see themselves stale from now on (the file was
    // deleted or replaced by other means than a list's Save).
    static void NoteFileChanged(const char* path);

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

    // The file's version counter as this list last read or wrote it, and
    // the names the file held then (taken from `names`, which is emptied;
    // null: the file was just written from this list).
    void NoteInStepWithFile(const CString& path, CFileInfoIndex* names);
    static unsigned long FileVersion(const CString& path);
    static unsigned long BumpFileVersion(const CString& path);
    // Removes and deletes the entry at pos.
    void RemoveEntryAt(POSITION pos);

    CFileInfo* m_pCurrent;
    CFileInfoIndex* m_pIndex;
    CFileInfoIndex* m_pSavedNames;
    unsigned long m_nFileVersion;
    BOOL m_bModified;
};
