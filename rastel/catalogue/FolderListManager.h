// CFolderListManager: finds the folders on the machine's drives that directly
// hold a picture file and keeps them, sorted, in the registry file "files.db"
// of the albums folder. Fixed disks are always searched; three settings add
// removable drives and RAM disks, network drives and CD drives.
#pragma once

#include "MemoryMappedDB.h"
#include "IntProperty.h"

class CStatic;

class RASTEL_API CFolderListManager : public CMemoryMappedDB
{
public:
    // The registry GetDbFolderName() + "\files.db", growing by 262144 bytes.
    // Reads the three settings (writing them back at once); loads nothing.
    CFolderListManager();
    // Destroys the settings and the registry; writes nothing.
    ~CFolderListManager() override;

    // Forgets every registered folder, searches every drive whose type the
    // settings allow, then saves. Shows its progress in `progress` (may be
    // null), repainted once per folder so it is seen while the walk blocks the
    // window's thread. Returns nonzero when at least one drive was searched.
    int RefreshFolderList(CStatic* progress);

    // Whether a drive of this GetDriveType kind is searched with the current settings.
    BOOL IsSearchedDriveType(UINT driveType) const;

    static CString GetRegistryPath();

    CIntProperty<int> m_bIncludeRemovable;
    CIntProperty<int> m_bIncludeNetwork;
    CIntProperty<int> m_bIncludeCD;

protected:
    // A registry kept in another file (tests and tools); same settings.
    explicit CFolderListManager(CString registryPath);

    // Searches `folder` (no trailing backslash; "C:" for a drive root) and
    // all its sub-folders except those whose name starts with a dot; a folder
    // is registered once when one of its own files has a picture extension.
    // Folders whose path would pass 260 characters are not entered: they
    // cannot be registered, and the limit also ends walks through link loops.
    // Returns 1.
    virtual int RegisterFolder(const char* folder);

    // The drives that exist (bit i for the letter 'A' + i) and the kind of
    // one drive root such as "C:\": GetLogicalDrives and GetDriveType.
    virtual DWORD GetDriveMask();
    virtual UINT GetDriveKind(const char* root);

private:
    void ShowProgress(const char* folder);

    CStatic* m_pProgress;
};
