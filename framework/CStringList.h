// CStringList: a doubly linked list of CString values walked by POSITION,
// with the class library's names. The list owns copies of the strings.
#pragma once

#include <windows.h>
#include "CString.h"
#include "CPtrList.h"
#include "FrameworkApi.h"

class FRAMEWORK_API CStringList
{
public:
    CStringList();
    ~CStringList();

    int GetCount() const { return m_list.GetCount(); }
    int GetSize() const { return m_list.GetCount(); }
    BOOL IsEmpty() const { return m_list.IsEmpty(); }

    // Head and tail of a non-empty list.
    CString& GetHead();
    CString GetHead() const;
    CString& GetTail();
    CString GetTail() const;
    CString RemoveHead();
    CString RemoveTail();
    POSITION AddHead(LPCSTR text);
    POSITION AddTail(LPCSTR text);
    void AddTail(const CStringList* other);
    void RemoveAll();

    POSITION GetHeadPosition() const { return m_list.GetHeadPosition(); }
    POSITION GetTailPosition() const { return m_list.GetTailPosition(); }
    CString& GetNext(POSITION& pos);
    CString GetNext(POSITION& pos) const;
    CString& GetPrev(POSITION& pos);
    CString GetPrev(POSITION& pos) const;
    CString& GetAt(POSITION pos);
    CString GetAt(POSITION pos) const;
    void SetAt(POSITION pos, LPCSTR text);
    void RemoveAt(POSITION pos);
    POSITION InsertBefore(POSITION pos, LPCSTR text);
    POSITION InsertAfter(POSITION pos, LPCSTR text);

    // First position whose string equals the text (case-sensitive), searching
    // after startAfter; NULL when none.
    POSITION Find(LPCSTR text, POSITION startAfter = NULL) const;
    POSITION FindIndex(int index) const { return m_list.FindIndex(index); }

private:
    CStringList(const CStringList&);
    CStringList& operator=(const CStringList&);

    CPtrList m_list; // of CString*, owned
};
