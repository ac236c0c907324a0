// Albums: numbering, the album list, creation and deletion.
#include "Album.h"
#include "MemoryMappedDB.h"
#include "SuiteLock.h"

#include <stdio.h>

CAlbum::CAlbum(unsigned number)
    : m_DisplayName(ComposeDiplayName(number), ComposeDiplayName(number)),
      m_Parent(CString("Parent_") + ComposeDiplayName(number), 0u, 0u, 0xFFFFFFFFu),
      m_Number(number)
{
}

CAlbum::~CAlbum()
{
}

CString CAlbum::GetFileName()
{
    return ComposeFileName(m_Number);
}

CString CAlbum::ComposeFileName(unsigned number)
{
    CString name;
    name.Format("%s\\Album_%d.alb", (LPCSTR)CMemoryMappedDB::GetDbFolderName(), (int)number);
    return name;
}

CString CAlbum::ComposeDiplayName(unsigned number)
{
    CString name;
    name.Format("Album_%d", (int)number);
    return name;
}

void CAlbum::GetAlbumList(CStringList& list)
{
    CSuiteLock lock;
    CString folder = CMemoryMappedDB::GetDbFolderName();
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(folder + "\\Album_*.alb", &found);
    list.RemoveAll();
    if (search == INVALID_HANDLE_VALUE)
        return;
    do
    {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        // The name is scanned on its own rather than with the folder path in
        // the format, so that a '%' in the folder cannot act as a conversion.
        int number = 0;
        if (sscanf(found.cFileName, "Album_%d.alb", &number) == 1)
        {
            CString text;
            text.Format("%d", number);
            list.AddTail(text);
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

unsigned CAlbum::CreateNewAlbum(unsigned parent)
{
    unsigned number = 1;
    while (CFileInfo::FileExist(ComposeFileName(number)))
        number++;
    CAlbum album(number);
    album.m_Parent = parent;
    album.m_DisplayName = ComposeDiplayName(number);
    album.Save();
    return number;
}

void CAlbum::DeleteAlbum(unsigned number)
{
    CSuiteLock lock;
    DeleteFileA(ComposeFileName(number));
}
