// The ordered list of picture paths taken from one shell selection. It owns
// copies of the strings; allocation failures are results, never exceptions.
#pragma once

#include <windows.h>

class CPictureList
{
public:
    CPictureList();
    ~CPictureList();

    // Empties the list and makes room for exactly nCapacity paths; FALSE (and an
    // empty list) when the memory cannot be had.
    BOOL Allocate(int nCapacity);
    // Appends a copy of the path; FALSE when the list is full or out of memory.
    BOOL Add(const char* pszPath);
    void RemoveAll();

    int GetCount() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }
    const char* GetAt(int nIndex) const;

private:
    CPictureList(const CPictureList&) = delete;
    CPictureList& operator=(const CPictureList&) = delete;

    char** m_ppPaths;
    int m_nCount;
    int m_nCapacity;
};
