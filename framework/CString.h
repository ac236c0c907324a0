// CString: the suite's ANSI string, with the class library's names and
// behaviour. Comparisons and searches are multibyte-aware (the _mbs family),
// so DBCS code pages and the UTF-8 code page of the manifest both work.
// The text is always NUL-terminated; an empty string allocates nothing.
#pragma once

#include <windows.h>
#include <stdarg.h>
#include "FrameworkApi.h"

class FRAMEWORK_API CString
{
public:
    CString();
    CString(const CString& other);
    CString(LPCSTR text);
    CString(LPCSTR text, int length);
    CString(char ch, int repeat = 1);
    ~CString();

    CString& operator=(const CString& other);
    CString& operator=(LPCSTR text);
    CString& operator=(char ch);

    int GetLength() const { return m_nLength; }
    BOOL IsEmpty() const { return m_nLength == 0; }
    void Empty();
    char GetAt(int index) const { return m_pchData[index]; }
    void SetAt(int index, char ch) { m_pchData[index] = ch; }
    char operator[](int index) const { return m_pchData[index]; }
    operator LPCSTR() const { return m_pchData; }

    CString& operator+=(const CString& other);
    CString& operator+=(LPCSTR text);
    CString& operator+=(char ch);

    // Negative, zero or positive like strcmp.
    int Compare(LPCSTR text) const;
    int CompareNoCase(LPCSTR text) const;
    int Collate(LPCSTR text) const;

    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Left(int count) const;
    CString Right(int count) const;

    void MakeUpper();
    void MakeLower();
    void MakeReverse();

    // Character indexes, or -1 when not found.
    int Find(char ch) const;
    int Find(char ch, int start) const;
    int Find(LPCSTR sub) const;
    int Find(LPCSTR sub, int start) const;
    int ReverseFind(char ch) const;
    int FindOneOf(LPCSTR chars) const;

    void TrimLeft();
    void TrimRight();
    void TrimLeft(char ch);
    void TrimRight(char ch);
    void TrimLeft(LPCSTR chars);
    void TrimRight(LPCSTR chars);
    void Trim() { TrimRight(); TrimLeft(); }

    int Replace(char oldCh, char newCh);
    int Replace(LPCSTR oldText, LPCSTR newText);
    int Remove(char ch);
    int Insert(int index, char ch);
    int Insert(int index, LPCSTR text);
    int Delete(int index, int count = 1);

    void Format(LPCSTR format, ...);
    void FormatV(LPCSTR format, va_list args);

    // Direct access: GetBuffer gives room for at least minLength characters
    // plus the terminator; ReleaseBuffer takes the new length (-1: strlen).
    LPSTR GetBuffer(int minLength = 0);
    void ReleaseBuffer(int newLength = -1);
    LPSTR GetBufferSetLength(int newLength);

    // Loads a string resource through the module chain (program first).
    BOOL LoadString(UINT id);

private:
    void Reserve(int capacity);
    void Assign(LPCSTR text, int length);
    void Append(LPCSTR text, int length);

    char* m_pchData;
    int m_nLength;
    int m_nAlloc; // capacity without the terminator; 0 for the shared empty text
};

FRAMEWORK_API CString operator+(const CString& a, const CString& b);
FRAMEWORK_API CString operator+(const CString& a, LPCSTR b);
FRAMEWORK_API CString operator+(LPCSTR a, const CString& b);
FRAMEWORK_API CString operator+(const CString& a, char b);
FRAMEWORK_API CString operator+(char a, const CString& b);

inline bool operator==(const CString& a, const CString& b) { return a.Compare(b) == 0; }
inline bool operator==(const CString& a, LPCSTR b) { return a.Compare(b) == 0; }
inline bool operator==(LPCSTR a, const CString& b) { return b.Compare(a) == 0; }
inline bool operator!=(const CString& a, const CString& b) { return a.Compare(b) != 0; }
inline bool operator!=(const CString& a, LPCSTR b) { return a.Compare(b) != 0; }
inline bool operator!=(LPCSTR a, const CString& b) { return b.Compare(a) != 0; }
inline bool operator<(const CString& a, const CString& b) { return a.Compare(b) < 0; }
inline bool operator<(const CString& a, LPCSTR b) { return a.Compare(b) < 0; }
inline bool operator<(LPCSTR a, const CString& b) { return b.Compare(a) > 0; }
inline bool operator>(const CString& a, const CString& b) { return a.Compare(b) > 0; }
inline bool operator>(const CString& a, LPCSTR b) { return a.Compare(b) > 0; }
inline bool operator>(LPCSTR a, const CString& b) { return b.Compare(a) < 0; }
inline bool operator<=(const CString& a, const CString& b) { return a.Compare(b) <= 0; }
inline bool operator<=(const CString& a, LPCSTR b) { return a.Compare(b) <= 0; }
inline bool operator<=(LPCSTR a, const CString& b) { return b.Compare(a) >= 0; }
inline bool operator>=(const CString& a, const CString& b) { return a.Compare(b) >= 0; }
inline bool operator>=(const CString& a, LPCSTR b) { return a.Compare(b) >= 0; }
inline bool operator>=(LPCSTR a, const CString& b) { return b.Compare(a) <= 0; }
