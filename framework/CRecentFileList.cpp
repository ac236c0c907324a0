// CRecentFileList: entries, their profile values and their menu items.
#include "CRecentFileList.h"
#include <stdio.h>
#include "CWinApp.h"
#include "CCmdUI.h"
#include "CMenu.h"

CRecentFileList::CRecentFileList(UINT nStart, LPCSTR lpszSection, LPCSTR lpszEntryFormat, int nSize,
                                 int nMaxDispLen)
    : m_nStart(nStart), m_strSectionName(lpszSection), m_strEntryFormat(lpszEntryFormat),
      m_nSize(nSize < 1 ? 1 : nSize), m_nMaxDisplayLength(nMaxDispLen < 8 ? 8 : nMaxDispLen)
{
    m_arrNames = new CString[m_nSize];
}

CRecentFileList::~CRecentFileList() { delete[] m_arrNames; }

int CRecentFileList::GetCount() const
{
    int count = 0;
    while (count < m_nSize && !m_arrNames[count].IsEmpty())
        ++count;
    return count;
}

CString CRecentFileList::GetEntry(int nIndex) const
{
    return nIndex >= 0 && nIndex < m_nSize ? m_arrNames[nIndex] : CString();
}

void CRecentFileList::Add(LPCSTR lpszPathName)
{
    if (!lpszPathName || !*lpszPathName)
        return;
    CString path = lpszPathName;
    int found = m_nSize - 1; // a new path pushes the oldest out
    for (int i = 0; i < m_nSize; ++i)
        if (m_arrNames[i].CompareNoCase(path) == 0)
        {
            found = i;
            break;
        }
    for (int i = found; i > 0; --i)
        m_arrNames[i] = m_arrNames[i - 1];
    m_arrNames[0] = path;
}

void CRecentFileList::Remove(int nIndex)
{
    if (nIndex < 0 || nIndex >= m_nSize)
        return;
    for (int i = nIndex; i < m_nSize - 1; ++i)
        m_arrNames[i] = m_arrNames[i + 1];
    m_arrNames[m_nSize - 1].Empty();
}

void CRecentFileList::ReadList()
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return;
    int used = 0;
    for (int i = 0; i < m_nSize; ++i)
    {
        CString entry;
        entry.Format(m_strEntryFormat, i + 1);
        CString value = app->GetProfileString(m_strSectionName, entry, "");
        m_arrNames[i].Empty();
        if (!value.IsEmpty())
            m_arrNames[used++] = value; // gaps in the stored values close up
    }
}

void CRecentFileList::WriteList()
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return;
    for (int i = 0; i < m_nSize; ++i)
    {
        CString entry;
        entry.Format(m_strEntryFormat, i + 1);
        app->WriteProfileString(m_strSectionName, entry, m_arrNames[i].IsEmpty() ? NULL : (LPCSTR)m_arrNames[i]);
    }
}

CString CRecentFileList::GetDisplayName(int nIndex) const
{
    CString path = GetEntry(nIndex);
    if (path.GetLength() <= m_nMaxDisplayLength)
        return path;
    int slash = path.ReverseFind('\\');
    CString name = path.Mid(slash + 1);
    int firstSlash = path.Find('\\');
    CString head = firstSlash >= 0 && firstSlash < slash ? path.Left(firstSlash + 1) : CString();
    CString shortened = head + "..." + "\\" + name;
    return shortened.GetLength() < path.GetLength() ? shortened : path;
}

void CRecentFileList::UpdateMenu(CCmdUI* pCmdUI)
{
    CMenu* menu = pCmdUI->m_pMenu;
    if (!menu || !menu->m_hMenu)
    {
        pCmdUI->Enable(GetCount() > 0);
        return;
    }
    HMENU hMenu = menu->m_hMenu;
    if (m_strOriginal.IsEmpty())
    {
        char text[256] = "";
        ::GetMenuStringA(hMenu, pCmdUI->m_nIndex, text, sizeof(text), MF_BYPOSITION);
        m_strOriginal = text;
    }
    // Take out every item of the list, wherever an earlier update put it.
    for (int i = 0; i < m_nSize; ++i)
        ::DeleteMenu(hMenu, m_nStart + i, MF_BYCOMMAND);
    int count = GetCount();
    UINT position = pCmdUI->m_nIndex;
    if (count == 0)
    {
        ::InsertMenuA(hMenu, position, MF_BYPOSITION | MF_STRING, m_nStart, m_strOriginal);
        pCmdUI->m_nIndexMax = ::GetMenuItemCount(hMenu);
        pCmdUI->Enable(FALSE);
        return;
    }
    for (int i = 0; i < count; ++i)
    {
        CString name = GetDisplayName(i);
        // "&" in a file name would become an access key.
        name.Replace("&", "&&");
        char number[16];
        snprintf(number, sizeof(number), "&%d ", (i + 1) % 10);
        ::InsertMenuA(hMenu, position + i, MF_BYPOSITION | MF_STRING, m_nStart + i, CString(number) + name);
    }
    // The updater goes on after the last entry.
    pCmdUI->m_nIndex = position + count - 1;
    pCmdUI->m_nIndexMax = ::GetMenuItemCount(hMenu);
    pCmdUI->m_bEnableChanged = TRUE;
}
