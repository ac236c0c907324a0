// CRecentFileList: the most recently used files of a program, newest first,
// kept in the profile (one value per entry, "File1", "File2", ... in the
// given section) and shown in a menu as "&1 name", "&2 name", ... with the
// command ids nStart, nStart + 1, ... An empty list shows the placeholder
// item disabled.
#pragma once

#include "CString.h"
#include "FrameworkApi.h"

class CCmdUI;

class FRAMEWORK_API CRecentFileList
{
public:
    // nSize entries at most; display names longer than nMaxDispLen
    // characters keep the drive, "..." and the file name.
    CRecentFileList(UINT nStart, LPCSTR lpszSection, LPCSTR lpszEntryFormat, int nSize, int nMaxDispLen = 40);
    virtual ~CRecentFileList();

    int GetSize() const { return m_nSize; }
    // The number of entries in use.
    int GetCount() const;
    // Entry nIndex (0 = newest); empty past the last.
    CString GetEntry(int nIndex) const;

    // Puts the path on top; an entry of the same path (any letter case)
    // moves there, and the oldest falls off a full list.
    virtual void Add(LPCSTR lpszPathName);
    virtual void Remove(int nIndex);
    virtual void ReadList();
    virtual void WriteList();
    // The text a menu shows for entry nIndex, without the "&n " prefix.
    CString GetDisplayName(int nIndex) const;
    // Replaces the items of this list in pCmdUI's menu (from the item being
    // updated on) by the current entries.
    virtual void UpdateMenu(CCmdUI* pCmdUI);

protected:
    UINT m_nStart;
    CString m_strSectionName;
    CString m_strEntryFormat;
    int m_nSize;
    int m_nMaxDisplayLength;
    CString* m_arrNames;
    CString m_strOriginal; // the placeholder item's text
};
