// CStringListProperty: a list of strings in the profile section "Settings",
// stored as the values <name>_0, <name>_1, ...; the first empty or missing
// value ends the list. Membership (operator==) is a prefix test, so a list of
// folders covers every folder below the listed ones. All operations hold the
// suite-wide lock: one list object may be shared by several threads.
#pragma once

#include "Framework.h"
#include "CStringList.h"
#include "RastelApi.h"

class RASTEL_API CStringListProperty
{
public:
    // Stores the name; the list starts empty and nothing is read.
    explicit CStringListProperty(const char* name);
    // Drops the list; writes nothing.
    ~CStringListProperty();

    // Appends the stored values <name>_0, <name>_1, ... up to the first empty one.
    void Initialize();
    // Appends the string and writes every entry to its value.
    CStringListProperty& operator+=(const CString& text);
    // Removes every entry equal to the string (case-sensitive), writes the rest
    // to indexes 0..k-1 and an empty string to index k.
    CStringListProperty& operator-=(const CString& text);
    // 1 when the string begins with one of the entries (case-sensitive), else 0.
    int operator==(const CString& text);
    int operator!=(const CString& text);
    // Replaces the content of `list` by the entries, in order.
    void GetList(CStringList& list);
    int GetCount();

protected:
    // "<name>_<i>".
    CString VarName(int i) const;

private:
    CStringListProperty(const CStringListProperty&) = delete;
    CStringListProperty& operator=(const CStringListProperty&) = delete;

    void WriteEntries();

    CString m_Name;
    CStringList m_List;
};
