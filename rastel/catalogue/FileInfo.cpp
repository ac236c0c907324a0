// The catalogued picture: its fields and the comparison of entries by name.
#include "FileInfo.h"
#include "FileInfoIndex.h"

#include <mbstring.h>

CFileInfo::CFileInfo(const char* path)
    : m_bSelected(false), m_nTransition(0), m_nShowTime(0), m_Name(path)
{
}

CFileInfo::CFileInfo(const CFileInfo& other)
    : m_bSelected(other.m_bSelected),
      m_nTransition(other.m_nTransition),
      m_nShowTime(other.m_nShowTime),
      m_Description(other.m_Description),
      m_Name(other.m_Name)
{
}

CFileInfo& CFileInfo::operator=(const CFileInfo& other)
{
    m_bSelected = other.m_bSelected;
    m_nTransition = other.m_nTransition;
    m_nShowTime = other.m_nShowTime;
    m_Description = other.m_Description;
    // A list that holds this entry finds it by name: tell the lists' indexes.
    if (m_Name != other.m_Name)
        CFileInfoIndex::NoteRename();
    m_Name = other.m_Name;
    return *this;
}

void CFileInfo::SetDescription(const char* description)
{
    m_Description = description ? description : "";
}

bool CFileInfo::operator<(const CFileInfo& other) const
{
    return _mbscmp(reinterpret_cast<const unsigned char*>((LPCSTR)m_Name),
                   reinterpret_cast<const unsigned char*>((LPCSTR)other.m_Name)) < 0;
}

bool CFileInfo::operator>(const CFileInfo& other) const
{
    return _mbscmp(reinterpret_cast<const unsigned char*>((LPCSTR)m_Name),
                   reinterpret_cast<const unsigned char*>((LPCSTR)other.m_Name)) > 0;
}
