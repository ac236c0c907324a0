// CStringProperty: read at construction, written at every assignment.
#include "StringProperty.h"
#include "ProfileSection.h"

CStringProperty::CStringProperty(const char* name, CString defaultValue) : m_Name(name)
{
    m_Value = ProfileSection::GetString(m_Name, defaultValue);
    ProfileSection::WriteString(m_Name, m_Value);
}

CStringProperty::CStringProperty(const CStringProperty& other) : m_Name(other.m_Name), m_Value(other.m_Value)
{
}

CStringProperty& CStringProperty::operator=(const CStringProperty& other)
{
    m_Name = other.m_Name;
    m_Value = other.m_Value;
    return *this;
}

CStringProperty& CStringProperty::operator=(const CString& value)
{
    m_Value = value;
    ProfileSection::WriteString(m_Name, m_Value);
    return *this;
}
