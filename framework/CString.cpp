// CString implementation. Storage is one heap block per string; the empty
// string shares a static terminator and owns nothing.
#include "CString.h"
#include "ResourceChain.h"
#include <mbstring.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static char s_emptyText[1] = { 0 };

CString::CString() : m_pchData(s_emptyText), m_nLength(0), m_nAlloc(0) {}

CString::CString(const CString& other) : CString() { Assign(other.m_pchData, other.m_nLength); }

CString::CString(LPCSTR text) : CString()
{
    if (text)
        Assign(text, (int)strlen(text));
}

CString::CString(LPCSTR text, int length) : CString()
{
    if (text && length > 0)
        Assign(text, (int)strnlen(text, length));
}

CString::CString(char ch, int repeat) : CString()
{
    if (repeat <= 0)
        return;
    Reserve(repeat);
    memset(m_pchData, ch, repeat);
    m_nLength = repeat;
    m_pchData[repeat] = 0;
}

CString::~CString()
{
    if (m_nAlloc)
        free(m_pchData);
}

void CString::Reserve(int capacity)
{
    if (capacity <= m_nAlloc)
        return;
    int grown = m_nAlloc + m_nAlloc / 2;
    if (grown < capacity)
        grown = capacity;
    char* data = (char*)malloc((size_t)grown + 1);
    if (!data)
        abort(); // out of memory for a string: nothing sensible to go on with
    memcpy(data, m_pchData, (size_t)m_nLength + 1);
    if (m_nAlloc)
        free(m_pchData);
    m_pchData = data;
    m_nAlloc = grown;
}

void CString::Assign(LPCSTR text, int length)
{
    if (length <= 0)
    {
        Empty();
        return;
    }
    if (text >= m_pchData && text <= m_pchData + m_nLength)
    {
        // Assigning a part of ourselves.
        CString copy(text, length);
        *this = copy;
        return;
    }
    m_nLength = 0;
    m_pchData[0] = 0;
    Reserve(length);
    memcpy(m_pchData, text, length);
    m_nLength = length;
    m_pchData[length] = 0;
}

void CString::Append(LPCSTR text, int length)
{
    if (length <= 0)
        return;
    if (text >= m_pchData && text <= m_pchData + m_nLength)
    {
        CString copy(text, length);
        Append(copy.m_pchData, copy.m_nLength);
        return;
    }
    Reserve(m_nLength + length);
    memcpy(m_pchData + m_nLength, text, length);
    m_nLength += length;
    m_pchData[m_nLength] = 0;
}

void CString::Empty()
{
    if (m_nAlloc)
        free(m_pchData);
    m_pchData = s_emptyText;
    m_nLength = 0;
    m_nAlloc = 0;
}

CString& CString::operator=(const CString& other)
{
    if (this != &other)
        Assign(other.m_pchData, other.m_nLength);
    return *this;
}

CString& CString::operator=(LPCSTR text)
{
    Assign(text, text ? (int)strlen(text) : 0);
    return *this;
}

CString& CString::operator=(char ch)
{
    Assign(&ch, 1);
    return *this;
}

CString& CString::operator+=(const CString& other)
{
    Append(other.m_pchData, other.m_nLength);
    return *this;
}

CString& CString::operator+=(LPCSTR text)
{
    if (text)
        Append(text, (int)strlen(text));
    return *this;
}

CString& CString::operator+=(char ch)
{
    Append(&ch, 1);
    return *this;
}

CString operator+(const CString& a, const CString& b) { CString r(a); r += b; return r; }
CString operator+(const CString& a, LPCSTR b) { CString r(a); r += b; return r; }
CString operator+(LPCSTR a, const CString& b) { CString r(a); r += b; return r; }
CString operator+(const CString& a, char b) { CString r(a); r += b; return r; }
CString operator+(char a, const CString& b) { CString r(a); r += b; return r; }

int CString::Compare(LPCSTR text) const
{
    return _mbscmp((const unsigned char*)m_pchData, (const unsigned char*)(text ? text : ""));
}

int CString::CompareNoCase(LPCSTR text) const
{
    return _mbsicmp((const unsigned char*)m_pchData, (const unsigned char*)(text ? text : ""));
}

int CString::Collate(LPCSTR text) const
{
    return _mbscoll((const unsigned char*)m_pchData, (const unsigned char*)(text ? text : ""));
}

CString CString::Mid(int first) const { return Mid(first, m_nLength - first); }

CString CString::Mid(int first, int count) const
{
    if (first < 0)
        first = 0;
    if (count < 0)
        count = 0;
    if (first > m_nLength)
        first = m_nLength;
    if (count > m_nLength - first)
        count = m_nLength - first;
    return CString(m_pchData + first, count);
}

CString CString::Left(int count) const { return Mid(0, count); }

CString CString::Right(int count) const
{
    if (count < 0)
        count = 0;
    if (count > m_nLength)
        count = m_nLength;
    return CString(m_pchData + m_nLength - count, count);
}

void CString::MakeUpper()
{
    if (m_nLength)
        _mbsupr((unsigned char*)m_pchData);
}

void CString::MakeLower()
{
    if (m_nLength)
        _mbslwr((unsigned char*)m_pchData);
}

void CString::MakeReverse()
{
    if (m_nLength)
        _mbsrev((unsigned char*)m_pchData);
}

int CString::Find(char ch) const { return Find(ch, 0); }

int CString::Find(char ch, int start) const
{
    if (start < 0 || start >= m_nLength)
        return -1;
    const unsigned char* p = _mbschr((const unsigned char*)m_pchData + start, (unsigned char)ch);
    return p ? (int)((const char*)p - m_pchData) : -1;
}

int CString::Find(LPCSTR sub) const { return Find(sub, 0); }

int CString::Find(LPCSTR sub, int start) const
{
    if (!sub || start < 0 || start > m_nLength)
        return -1;
    const unsigned char* p = _mbsstr((const unsigned char*)m_pchData + start, (const unsigned char*)sub);
    return p ? (int)((const char*)p - m_pchData) : -1;
}

int CString::ReverseFind(char ch) const
{
    const unsigned char* p = _mbsrchr((const unsigned char*)m_pchData, (unsigned char)ch);
    return p ? (int)((const char*)p - m_pchData) : -1;
}

int CString::FindOneOf(LPCSTR chars) const
{
    if (!chars)
        return -1;
    const unsigned char* p = _mbspbrk((const unsigned char*)m_pchData, (const unsigned char*)chars);
    return p ? (int)((const char*)p - m_pchData) : -1;
}

static bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

void CString::TrimLeft()
{
    int n = 0;
    while (n < m_nLength && IsBlank(m_pchData[n]))
        ++n;
    Delete(0, n);
}

void CString::TrimRight()
{
    int n = m_nLength;
    while (n > 0 && IsBlank(m_pchData[n - 1]))
        --n;
    if (n < m_nLength)
        Delete(n, m_nLength - n);
}

void CString::TrimLeft(char ch)
{
    char set[2] = { ch, 0 };
    TrimLeft(set);
}

void CString::TrimRight(char ch)
{
    char set[2] = { ch, 0 };
    TrimRight(set);
}

void CString::TrimLeft(LPCSTR chars)
{
    if (!chars || !*chars)
        return;
    int n = (int)_mbsspn((const unsigned char*)m_pchData, (const unsigned char*)chars);
    Delete(0, n);
}

void CString::TrimRight(LPCSTR chars)
{
    if (!chars || !*chars)
        return;
    // Walk forward so a trail byte is never taken for a character of its own.
    const unsigned char* text = (const unsigned char*)m_pchData;
    const unsigned char* p = text;
    const unsigned char* trailStart = NULL;
    while (*p)
    {
        unsigned int c = _mbsnextc(p);
        bool inSet = false;
        for (const unsigned char* s = (const unsigned char*)chars; *s; s = _mbsinc(s))
            if (_mbsnextc(s) == c)
                inSet = true;
        if (inSet)
        {
            if (!trailStart)
                trailStart = p;
        }
        else
            trailStart = NULL;
        p = _mbsinc(p);
    }
    if (trailStart)
        Delete((int)(trailStart - text), m_nLength - (int)(trailStart - text));
}

int CString::Replace(char oldCh, char newCh)
{
    int count = 0;
    for (int i = 0; i < m_nLength; ++i)
    {
        if (m_pchData[i] == oldCh)
        {
            m_pchData[i] = newCh;
            ++count;
        }
        else if (_ismbblead((unsigned char)m_pchData[i]) && i + 1 < m_nLength)
            ++i;
    }
    return count;
}

int CString::Replace(LPCSTR oldText, LPCSTR newText)
{
    if (!oldText || !*oldText)
        return 0;
    int oldLength = (int)strlen(oldText);
    CString result;
    int count = 0, from = 0, at;
    while ((at = Find(oldText, from)) >= 0)
    {
        result.Append(m_pchData + from, at - from);
        result += newText;
        from = at + oldLength;
        ++count;
    }
    if (count)
    {
        result.Append(m_pchData + from, m_nLength - from);
        *this = result;
    }
    return count;
}

int CString::Remove(char ch)
{
    int kept = 0, removed = 0;
    for (int i = 0; i < m_nLength; ++i)
    {
        if (m_pchData[i] == ch)
        {
            ++removed;
            continue;
        }
        m_pchData[kept++] = m_pchData[i];
    }
    if (removed)
    {
        m_nLength = kept;
        m_pchData[kept] = 0;
    }
    return removed;
}

int CString::Insert(int index, char ch)
{
    char text[2] = { ch, 0 };
    return Insert(index, text);
}

int CString::Insert(int index, LPCSTR text)
{
    if (index < 0)
        index = 0;
    if (index > m_nLength)
        index = m_nLength;
    CString result(m_pchData, index);
    result += text;
    result.Append(m_pchData + index, m_nLength - index);
    *this = result;
    return m_nLength;
}

int CString::Delete(int index, int count)
{
    if (index < 0)
        index = 0;
    if (count <= 0 || index >= m_nLength)
        return m_nLength;
    if (count > m_nLength - index)
        count = m_nLength - index;
    memmove(m_pchData + index, m_pchData + index + count, (size_t)(m_nLength - index - count) + 1);
    m_nLength -= count;
    return m_nLength;
}

void CString::Format(LPCSTR format, ...)
{
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

void CString::FormatV(LPCSTR format, va_list args)
{
    va_list measure;
    va_copy(measure, args);
    int length = vsnprintf(NULL, 0, format, measure);
    va_end(measure);
    if (length <= 0)
    {
        Empty();
        return;
    }
    CString result;
    result.Reserve(length);
    vsnprintf(result.m_pchData, (size_t)length + 1, format, args);
    result.m_nLength = length;
    *this = result;
}

LPSTR CString::GetBuffer(int minLength)
{
    if (minLength < m_nLength)
        minLength = m_nLength;
    if (minLength == 0 && m_nAlloc == 0)
        Reserve(1); // the caller may write the terminator
    Reserve(minLength);
    return m_pchData;
}

void CString::ReleaseBuffer(int newLength)
{
    if (m_nAlloc == 0)
        return;
    if (newLength < 0)
        newLength = (int)strnlen(m_pchData, (size_t)m_nAlloc);
    if (newLength > m_nAlloc)
        newLength = m_nAlloc;
    m_nLength = newLength;
    m_pchData[newLength] = 0;
}

LPSTR CString::GetBufferSetLength(int newLength)
{
    if (newLength < 0)
        newLength = 0;
    GetBuffer(newLength);
    m_nLength = newLength;
    m_pchData[newLength] = 0;
    return m_pchData;
}

BOOL CString::LoadString(UINT id)
{
    char text[1024];
    for (int i = 0; HMODULE module = AfxGetResourceModule(i); ++i)
    {
        int length = ::LoadStringA(module, id, text, sizeof(text));
        if (length > 0)
        {
            Assign(text, length);
            return TRUE;
        }
    }
    Empty();
    return FALSE;
}
