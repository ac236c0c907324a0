// CStringListProperty: numbered profile values, prefix membership, locking.
#include "StringListProperty.h"
#include "ProfileSection.h"
#include "SuiteLock.h"

#include <mbstring.h>
#include <string.h>

CStringListProperty::CStringListProperty(const char* name) : m_Name(name)
{
}

CStringListProperty::~CStringListProperty()
{
}

CString CStringListProperty::VarName(int i) const
{
    CString name;
    name.Format("%s_%d", (LPCSTR)m_Name, i);
    return name;
}

void CStringListProperty::Initialize()
{
    CSuiteLock lock;
    for (int i = 0;; i++)
    {
        CString value = ProfileSection::GetString(VarName(i), "");
        if (value.IsEmpty())
            break;
        m_List.AddTail(value);
    }
}

void CStringListProperty::WriteEntries()
{
    int i = 0;
    POSITION pos = m_List.GetHeadPosition();
    while (pos)
        ProfileSection::WriteString(VarName(i++), m_List.GetNext(pos));
}

CStringListProperty& CStringListProperty::operator+=(const CString& text)
{
    CSuiteLock lock;
    m_List.AddTail(text);
    WriteEntries();
    return *this;
}

CStringListProperty& CStringListProperty::operator-=(const CString& text)
{
    CSuiteLock lock;
    POSITION pos = m_List.GetHeadPosition();
    while (pos)
    {
        POSITION here = pos;
        const CString& entry = m_List.GetNext(pos);
        if (_mbscmp(reinterpret_cast<const unsigned char*>((LPCSTR)entry),
                    reinterpret_cast<const unsigned char*>((LPCSTR)text)) == 0)
            m_List.RemoveAt(here);
    }
    WriteEntries();
    ProfileSection::WriteString(VarName(m_List.GetCount()), "");
    return *this;
}

int CStringListProperty::operator==(const CString& text)
{
    CSuiteLock lock;
    POSITION pos = m_List.GetHeadPosition();
    while (pos)
    {
        const CString& entry = m_List.GetNext(pos);
        if (strncmp(text, entry, entry.GetLength()) == 0)
            return 1;
    }
    return 0;
}

int CStringListProperty::operator!=(const CString& text)
{
    return (*this == text) ? 0 : 1;
}

void CStringListProperty::GetList(CStringList& list)
{
    CSuiteLock lock;
    list.RemoveAll();
    list.AddTail(&m_List);
}

int CStringListProperty::GetCount()
{
    CSuiteLock lock;
    return m_List.GetCount();
}
