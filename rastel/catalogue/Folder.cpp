// CFolder: catalogue first, then the folder's new pictures.
#include "Folder.h"
#include "SuiteLock.h"

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
    CFileInfoList::Load();
    CSuiteLock lock;
    CString base = m_Path + "\\";
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(base + "*.*", &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do
    {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue; // also "." and ".."
        InsertListedFile(base + found.cFileName);
    } while (FindNextFileA(search, &found));
    SetCurrentFile((CFileInfo*)NULL);
    FindClose(search);
}
