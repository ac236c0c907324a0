// CTime: conversions go through the C runtime's 64-bit local-time functions.
#include "CTime.h"

CTime::CTime(int year, int month, int day, int hour, int minute, int second)
{
    struct tm t = {};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    t.tm_isdst = -1;
    m_time = _mktime64(&t);
}

CTime::CTime(const FILETIME& fileTime)
{
    // 100-ns intervals since 1601 to seconds since 1970.
    ULARGE_INTEGER v;
    v.LowPart = fileTime.dwLowDateTime;
    v.HighPart = fileTime.dwHighDateTime;
    m_time = (__time64_t)(v.QuadPart / 10000000ULL) - 11644473600LL;
}

CTime CTime::GetCurrentTime() { return CTime(_time64(NULL)); }

bool CTime::Local(struct tm* out) const
{
    struct tm* t = _localtime64(&m_time);
    if (!t)
    {
        *out = tm();
        return false;
    }
    *out = *t;
    return true;
}

int CTime::GetYear() const { struct tm t; Local(&t); return t.tm_year + 1900; }
int CTime::GetMonth() const { struct tm t; Local(&t); return t.tm_mon + 1; }
int CTime::GetDay() const { struct tm t; Local(&t); return t.tm_mday; }
int CTime::GetHour() const { struct tm t; Local(&t); return t.tm_hour; }
int CTime::GetMinute() const { struct tm t; Local(&t); return t.tm_min; }
int CTime::GetSecond() const { struct tm t; Local(&t); return t.tm_sec; }
int CTime::GetDayOfWeek() const { struct tm t; Local(&t); return t.tm_wday + 1; }

CString CTime::Format(LPCSTR format) const
{
    struct tm t;
    if (!Local(&t))
        return CString();
    char text[256];
    size_t n = strftime(text, sizeof(text), format, &t);
    return CString(text, (int)n);
}
