// CFolder: catalogue first, then the folder's new pictures.
#include "Folder.h"
#include "FileInfoIndex.h"
#include "SuiteLock.h"

#include <vector>

CFolder::CFolder(CString path) : m_Path(path)
{
}

CFolder::~CFolder()
{
}

CString CFolder::GetFileName()
{
    return m_Path + "\\pixmere.db";
}

void CFolder::Load()
{
    CSuiteLock lock;
    // The folder is searched first, so that the catalogue's records of the
    // pictures it still holds need no look at the disk each. The order comes
    // out as before: the catalogue's pictures, then the others in search order.
    CString base = m_Path + "\\";
    std::vector<CString> files;
    CFileInfoIndex listed;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(base + "*.*", &found);
    if (search != INVALID_HANDLE_VALUE)
    {
        do
        {
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                continue; // also "." and ".."
            files.push_back(base + found.cFileName);
            listed.Add(files.back(), NULL);
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    LoadRecords(&listed);
    // What was read and found is not a change of the user's.
    SetModified(FALSE);
    if (search == INVALID_HANDLE_VALUE)
        return; // no folder: nothing becomes current
    for (const CString& path : files)
        InsertListedFile(path);
    SetCurrentFile((CFileInfo*)NULL);
}
