// The ordered list of picture paths of one selection.
#include "PictureList.h"

#include <stdlib.h>
#include <string.h>

CPictureList::CPictureList()
    : m_ppPaths(NULL), m_nCount(0), m_nCapacity(0)
{
}

CPictureList::~CPictureList()
{
    RemoveAll();
}

BOOL CPictureList::Allocate(int nCapacity)
{
    RemoveAll();
    if (nCapacity <= 0)
        return nCapacity == 0;
    m_ppPaths = static_cast<char**>(calloc(static_cast<size_t>(nCapacity), sizeof(char*)));
    if (m_ppPaths == NULL)
        return FALSE;
    m_nCapacity = nCapacity;
    return TRUE;
}

BOOL CPictureList::Add(const char* pszPath)
{
    if (pszPath == NULL || m_nCount >= m_nCapacity)
        return FALSE;
    char* pszCopy = _strdup(pszPath);
    if (pszCopy == NULL)
        return FALSE;
    m_ppPaths[m_nCount++] = pszCopy;
    return TRUE;
}

void CPictureList::RemoveAll()
{
    for (int i = 0; i < m_nCount; i++)
        free(m_ppPaths[i]);
    free(m_ppPaths);
    m_ppPaths = NULL;
    m_nCount = 0;
    m_nCapacity = 0;
}

const char* CPictureList::GetAt(int nIndex) const
{
    if (nIndex < 0 || nIndex >= m_nCount)
        return NULL;
    return m_ppPaths[nIndex];
}
