// CIntProperty: one integer setting of the profile section "Settings", kept
// within [minimum, maximum]. The value type decides whether the bounds compare
// signed (CIntProperty<int>) or unsigned (CIntProperty<unsigned>): a stored -1
// is 0xFFFFFFFF to the unsigned form. Values are stored as 32-bit numbers.
#pragma once

#include "Framework.h"
#include "ProfileSection.h"

template <class T = int>
class CIntProperty
{
public:
    // Reads the value (the default when missing), clamps it and writes the
    // clamped value straight back.
    CIntProperty(const char* name, T defaultValue, T minimum, T maximum)
        : m_Name(name), m_Value(0), m_Minimum(minimum), m_Maximum(maximum)
    {
        m_Value = Clamp((T)ProfileSection::GetInt(m_Name, (int)defaultValue));
        ProfileSection::WriteInt(m_Name, (int)m_Value);
    }

    // Clamps the number, stores it and writes it to the profile at once.
    CIntProperty& operator=(T value)
    {
        m_Value = Clamp(value);
        ProfileSection::WriteInt(m_Name, (int)m_Value);
        return *this;
    }

    operator T() const { return m_Value; }

    const CString& GetName() const { return m_Name; }
    T GetMinimum() const { return m_Minimum; }
    T GetMaximum() const { return m_Maximum; }

    // max(minimum, min(maximum, x)) in the value type; the minimum when the
    // bounds are crossed.
    T Clamp(T x) const
    {
        T upper = x < m_Maximum ? x : m_Maximum;
        return upper > m_Minimum ? upper : m_Minimum;
    }

private:
    CString m_Name;
    T m_Value;
    T m_Minimum;
    T m_Maximum;
};
