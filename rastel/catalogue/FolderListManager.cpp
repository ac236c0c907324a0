// The folder indexer: one depth-first walk per searched drive, registering
// each folder that directly holds a picture, with the progress text repainted
// once per folder.
#include "FolderListManager.h"
#include "FileInfo.h"
#include "CStatic.h"

#include <io.h>
#include <stdio.h>

namespace
{
const int RegistryGrowth = 262144;
const int MaxFolderPath = 260;
}

CFolderListManager::CFolderListManager()
    : CFolderListManager(GetRegistryPath())
{
}

CFolderListManager::CFolderListManager(CString registryPath)
    : CMemoryMappedDB(registryPath, RegistryGrowth),
      m_bIncludeRemovable("m_bIncludeRemovable", 0, 0, 1),
      m_bIncludeNetwork("m_bIncludeNetwork", 0, 0, 1),
      m_bIncludeCD("m_bIncludeCD", 0, 0, 1),
      m_pProgress(NULL)
{
}

CFolderListManager::~CFolderListManager()
{
}

CString CFolderListManager::GetRegistryPath()
{
    return GetDbFolderName() + "\\files.db";
}

BOOL CFolderListManager::IsSearchedDriveType(UINT driveType) const
{
    switch (driveType)
    {
    case DRIVE_FIXED:
        return TRUE;
    case DRIVE_REMOVABLE:
    case DRIVE_RAMDISK:
        return m_bIncludeRemovable != 0;
    case DRIVE_REMOTE:
        return m_bIncludeNetwork != 0;
    case DRIVE_CDROM:
        return m_bIncludeCD != 0;
    }
    return FALSE;
}

DWORD CFolderListManager::GetDriveMask()
{
    return ::GetLogicalDrives();
}

UINT CFolderListManager::GetDriveKind(const char* root)
{
    return ::GetDriveTypeA(root);
}

int CFolderListManager::RefreshFolderList(CStatic* progress)
{
    m_pProgress = progress;
    DeleteDataBase();
    int searched = 0;
    DWORD mask = GetDriveMask();
    for (int i = 0; i < 32; i++)
    {
        if (!(mask & (1u << i)))
            continue;
        char root[8], name[8];
        snprintf(root, sizeof(root), "%c:\\", 'A' + i);
        snprintf(name, sizeof(name), "%c:", 'A' + i);
        if (!IsSearchedDriveType(GetDriveKind(root)))
            continue;
        RegisterFolder(name);
        searched = 1;
    }
    Save();
    return searched;
}

void CFolderListManager::ShowProgress(const char* folder)
{
    if (!m_pProgress || !m_pProgress->GetSafeHwnd())
        return;
    CString text;
    text.Format("%d Image folders indexed\nScanning the folder\n\"%s\" ", GetFileCount(), folder);
    m_pProgress->SetWindowText(text);
    // The walk holds the window's thread, so the new text is painted now
    // rather than when the message loop runs again.
    ::RedrawWindow(m_pProgress->m_hWnd, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ERASENOW);
}

int CFolderListManager::RegisterFolder(const char* folder)
{
    ShowProgress(folder);
    CString base = CString(folder) + "\\";
    struct _finddata_t found;
    intptr_t search = _findfirst(base + "*.*", &found);
    if (search == -1)
        return 1;
    bool registered = false;
    do
    {
        if (found.attrib & _A_SUBDIR)
        {
            if (found.name[0] == '.')
                continue;
            if (base.GetLength() + (int)strlen(found.name) > MaxFolderPath)
                continue;
            RegisterFolder(base + found.name);
        }
        else if (!registered && CFileInfo::IsImageFile(found.name))
        {
            RegisterFile(folder);
            registered = true;
        }
    } while (_findnext(search, &found) == 0);
    _findclose(search);
    return 1;
}
