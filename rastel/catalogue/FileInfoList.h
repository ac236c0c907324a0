// CFileInfoList: an ordered list of owned CFileInfo entries with one current
// entry, saved to and loaded from a catalogue file as a stream of records
// (name, description, transition, show time). CAlbum and CFolder name the file.
#pragma once

#include "Framework.h"
#include "RastelApi.h"
#include "FileInfo.h"

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

private:
    CFileInfoList(const CFileInfoList&) = delete;
    CFileInfoList& operator=(const CFileInfoList&) = delete;

    CFileInfo* m_pCurrent;
};
