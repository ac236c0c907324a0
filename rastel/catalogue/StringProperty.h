// CStringProperty: one string setting of the profile section "Settings".
#pragma once

#include "Framework.h"
#include "RastelApi.h"

class RASTEL_API CStringProperty
{
public:
    // Reads the value (the default when missing) and writes it straight back,
    // so that the value exists in the profile afterwards.
    CStringProperty(const char* name, CString defaultValue);
    // Copying copies the name and the value; nothing is read or written.
    CStringProperty(const CStringProperty& other);
    CStringProperty& operator=(const CStringProperty& other);

    // Stores the value and writes it to the profile at once.
    CStringProperty& operator=(const CString& value);
    operator CString() const { return m_Value; }

    const CString& GetName() const { return m_Name; }

private:
    CString m_Name;
    CString m_Value;
};
