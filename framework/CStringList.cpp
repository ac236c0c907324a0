// CStringList: a CPtrList of owned heap CStrings.
#include "CStringList.h"

namespace
{
CString* Str(void* p) { return static_cast<CString*>(p); }
}

CStringList::CStringList() {}

CStringList::~CStringList() { RemoveAll(); }

CString& CStringList::GetHead() { return *Str(m_list.GetHead()); }
CString CStringList::GetHead() const { return *Str(m_list.GetHead()); }
CString& CStringList::GetTail() { return *Str(m_list.GetTail()); }
CString CStringList::GetTail() const { return *Str(m_list.GetTail()); }

CString CStringList::RemoveHead()
{
    CString* p = Str(m_list.RemoveHead());
    CString text = p ? *p : CString();
    delete p;
    return text;
}

CString CStringList::RemoveTail()
{
    CString* p = Str(m_list.RemoveTail());
    CString text = p ? *p : CString();
    delete p;
    return text;
}

POSITION CStringList::AddHead(LPCSTR text) { return m_list.AddHead(new CString(text)); }
POSITION CStringList::AddTail(LPCSTR text) { return m_list.AddTail(new CString(text)); }

void CStringList::AddTail(const CStringList* other)
{
    if (!other || other == this)
        return;
    POSITION pos = other->GetHeadPosition();
    while (pos)
        AddTail(other->GetNext(pos));
}

void CStringList::RemoveAll()
{
    POSITION pos = m_list.GetHeadPosition();
    while (pos)
        delete Str(m_list.GetNext(pos));
    m_list.RemoveAll();
}

CString& CStringList::GetNext(POSITION& pos) { return *Str(m_list.GetNext(pos)); }
CString CStringList::GetNext(POSITION& pos) const { return *Str(m_list.GetNext(pos)); }
CString& CStringList::GetPrev(POSITION& pos) { return *Str(m_list.GetPrev(pos)); }
CString CStringList::GetPrev(POSITION& pos) const { return *Str(m_list.GetPrev(pos)); }
CString& CStringList::GetAt(POSITION pos) { return *Str(m_list.GetAt(pos)); }
CString CStringList::GetAt(POSITION pos) const { return *Str(m_list.GetAt(pos)); }

void CStringList::SetAt(POSITION pos, LPCSTR text) { *Str(m_list.GetAt(pos)) = text; }

void CStringList::RemoveAt(POSITION pos)
{
    delete Str(m_list.GetAt(pos));
    m_list.RemoveAt(pos);
}

POSITION CStringList::InsertBefore(POSITION pos, LPCSTR text) { return m_list.InsertBefore(pos, new CString(text)); }
POSITION CStringList::InsertAfter(POSITION pos, LPCSTR text) { return m_list.InsertAfter(pos, new CString(text)); }

POSITION CStringList::Find(LPCSTR text, POSITION startAfter) const
{
    POSITION pos = startAfter;
    if (pos)
        m_list.GetNext(pos);
    else
        pos = m_list.GetHeadPosition();
    while (pos)
    {
        POSITION here = pos;
        if (Str(m_list.GetNext(pos))->Compare(text ? text : "") == 0)
            return here;
    }
    return NULL;
}
