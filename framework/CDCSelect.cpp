// CDC's typed SelectObject overloads (the GDI object classes live in CGdiObject.h).
#include "CDC.h"
#include "CGdiObject.h"

CPen* CDC::SelectObject(CPen* pen) { return CPen::FromHandle((HPEN)::SelectObject(m_hDC, pen->GetSafeHandle())); }
CBrush* CDC::SelectObject(CBrush* brush)
{
    return CBrush::FromHandle((HBRUSH)::SelectObject(m_hDC, brush->GetSafeHandle()));
}
CFont* CDC::SelectObject(CFont* font) { return CFont::FromHandle((HFONT)::SelectObject(m_hDC, font->GetSafeHandle())); }
CBitmap* CDC::SelectObject(CBitmap* bitmap)
{
    return CBitmap::FromHandle((HBITMAP)::SelectObject(m_hDC, bitmap->GetSafeHandle()));
}
CGdiObject* CDC::SelectObject(CGdiObject* object)
{
    return CGdiObject::FromHandle(::SelectObject(m_hDC, object->GetSafeHandle()));
}
