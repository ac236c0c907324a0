// CBatchJobFiles: the pictures one batch job works on, copied from the
// view's list when the job starts and owned by the job. An overwrite question
// or an error box runs a nested message loop in which another browser window
// may delete the album the view shows, and with it the view's list; the job
// goes on with its own copies, which nothing else can free.
//
// The copies are the selected entries in the order the job handles them:
// from the list's current entry forward, wrapping around at the end. For
// each, the name of the entry that follows it in the list is kept, so that the
// view's current entry can be moved on afterwards as the walk would have.
#pragma once

#include <vector>
#include "Framework.h"

class CFileInfo;
class CFileInfoList;

class CBatchJobFiles
{
public:
    // A null list gives no entries.
    explicit CBatchJobFiles(CFileInfoList* list);
    ~CBatchJobFiles();
    CBatchJobFiles(const CBatchJobFiles&) = delete;
    CBatchJobFiles& operator=(const CBatchJobFiles&) = delete;

    int GetCount() const { return (int)m_Files.size(); }
    CFileInfo* GetAt(int index) const { return m_Files[index]; }

    // The entry the list's walk ends on after `handled` entries were handed to
    // the job: the one after the last handled, or the last handled itself when
    // it stopped the job; the starting entry when none was handled.
    CString CurrentAfter(int handled, bool stoppedOnLast) const;

private:
    std::vector<CFileInfo*> m_Files; // owned copies
    std::vector<CString> m_NextNames;
    CString m_StartName;
};
