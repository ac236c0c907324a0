// The shell item of a tree item: path, relative id and binding.
#include "ShellPidl.h"

CShellPidl::CShellPidl(IShellFolder* parent, LPITEMIDLIST absolute, ULONG attributes)
    : m_pParent(parent), m_pAbsolute(absolute), m_nAttributes(attributes)
{
    if (m_pParent)
        m_pParent->AddRef();
}

CShellPidl::~CShellPidl()
{
    if (m_pParent)
        m_pParent->Release();
    CoTaskMemFree(m_pAbsolute);
}

LPCITEMIDLIST CShellPidl::GetRelative() const
{
    return m_pAbsolute ? ILFindLastID(m_pAbsolute) : NULL;
}

CString CShellPidl::GetPath() const
{
    if (!m_pAbsolute)
        return CString();
    char path[MAX_PATH] = "";
    if (!SHGetPathFromIDListA(m_pAbsolute, path) || !path[0])
        return CString();
    // Files and zip archives (a "folder" to the shell) have paths, but no folder on disk.
    DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return CString();
    return CString(path);
}

IShellFolder* CShellPidl::BindToFolder() const
{
    if (!m_pAbsolute)
        return NULL;
    void* folder = NULL;
    if (m_pAbsolute->mkid.cb == 0 || !m_pParent)
    {
        // The desktop itself.
        IShellFolder* desktop = NULL;
        return SUCCEEDED(SHGetDesktopFolder(&desktop)) ? desktop : NULL;
    }
    if (FAILED(m_pParent->BindToObject(GetRelative(), NULL, IID_IShellFolder, &folder)))
        return NULL;
    return (IShellFolder*)folder;
}
