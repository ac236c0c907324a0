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
    // The album comes into being with its file.
    if (!album.CFileInfoList::Save() || !AlbumExists(number))
        return 0;
    return number;
}

BOOL CAlbum::DeleteAlbum(unsigned number)
{
    CSuiteLock lock;
    CString file = ComposeFileName(number);
    // Whether the file went is asked of the disk: a deletion that the system
    // took on and could not carry out (a read-only folder under Wine) may
    // still be reported as done.
    DeleteFileA(file);
    if (CFileInfo::FileExist(file))
        return FALSE;
    // Lists of this album that are still open see it gone.
    NoteFileChanged(file);
    return TRUE;
}

BOOL CAlbum::AlbumExists(unsigned number)
{
    return CFileInfo::FileExist(ComposeFileName(number));
}

BOOL CAlbum::Save()
{
    CSuiteLock lock;
    if (!AlbumExists(m_Number))
        return FALSE;
    return CFileInfoList::Save();
}
